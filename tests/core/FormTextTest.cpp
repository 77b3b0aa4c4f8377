#include <gtest/gtest.h>

#include "core/FormText.h"

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The value of the single property P of a one-object description.
TFormValue ValueOf(const std::string& valueText) {
  TFormObject o = ParseFormText("object A: TB\n  P = " + valueText + "\nend\n");
  EXPECT_EQ(o.Props.size(), 1u) << valueText;
  return o.Props.empty() ? TFormValue{} : o.Props[0].Value;
}

TEST(FormTextValue, Integers) {
  struct {
    const char* Text;
    std::int64_t Expected;
  } cases[] = {
      {"0", 0},
      {"42", 42},
      {"-16", -16},
      {"+7", 7},
      {"007", 7},
      {"$FF", 255},
      {"$ff", 255},
      {"$0", 0},
      {"-$10", -16},
      {"+$10", 16},
      {"$80000000", 0x80000000LL},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483648LL},
      {"9223372036854775807", INT64_MAX},
      {"-9223372036854775808", INT64_MIN},
      {"$7FFFFFFFFFFFFFFF", INT64_MAX},
      {"$FFFFFFFFFFFFFFFF", -1}, // sixteen hex digits wrap like a 64-bit register
      {"-$8000000000000000", INT64_MIN},
      {"0000000000000000000000001", 1},
  };
  for (const auto& c : cases) {
    TFormValue v = ValueOf(c.Text);
    EXPECT_EQ(v.Kind, TFormValue::Integer) << c.Text;
    EXPECT_EQ(v.Int, c.Expected) << c.Text;
  }
}

TEST(FormTextValue, Floats) {
  struct {
    const char* Text;
    double Expected;
  } cases[] = {
      {"1.5", 1.5}, {"-0.25", -0.25}, {"1e3", 1000}, {"2.5E-2", 0.025}, {"+3.0", 3}, {"7E+1", 70},
  };
  for (const auto& c : cases) {
    TFormValue v = ValueOf(c.Text);
    EXPECT_EQ(v.Kind, TFormValue::Float) << c.Text;
    EXPECT_DOUBLE_EQ(v.Real, c.Expected) << c.Text;
    EXPECT_EQ(v.Text, c.Text); // written back exactly as it was read
  }
}

TEST(FormTextValue, Strings) {
  struct {
    const char* Text;
    std::string Expected;
  } cases[] = {
      {"''", ""},
      {"'abc'", "abc"},
      {"'it''s'", "it's"},
      {"''''", "'"},
      {"'a b  c'", "a b  c"},
      {"'// not a comment'", "// not a comment"},
      {"#13#10", "\r\n"},
      {"'a'#9'b'", "a\tb"},
      {"#$41#$42", "AB"},
      {"#$4e2d", "\xE4\xB8\xAD"},
      {"#0", std::string(1, '\0')},
      {"#20013#25991", "\xE4\xB8\xAD\xE6\x96\x87"},               // 中文
      {"'\xE6\x96\x87\xE4\xBB\xB6'", "\xE6\x96\x87\xE4\xBB\xB6"}, // UTF-8 kept as written
      {"#$D83D#$DE00", "\xF0\x9F\x98\x80"},                       // a surrogate pair
      {"#55357#56832", "\xF0\x9F\x98\x80"},
      {"#$D83D", "\xEF\xBF\xBD"}, // a lone high surrogate
      {"#$DE00", "\xEF\xBF\xBD"}, // a lone low surrogate
      {"#$DE00#$D83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"#$D83D'x'#$DE00", "\xEF\xBF\xBDx\xEF\xBF\xBD"}, // quoted text splits the pair
      {"'ab' +\n    'cd'", "abcd"},
      {"'ab'\n    + #65 + 'c'", "abAc"},
      {"'ab' + // comment\n    'cd'", "abcd"},
  };
  for (const auto& c : cases) {
    TFormValue v = ValueOf(c.Text);
    EXPECT_EQ(v.Kind, TFormValue::String) << c.Text;
    EXPECT_EQ(v.Text, c.Expected) << c.Text;
  }
}

TEST(FormTextValue, IdentsAndSets) {
  struct {
    const char* Text;
    TFormValue::TKind Kind;
    std::string Ident;
    std::vector<std::string> Names;
  } cases[] = {
      {"clBtnFace", TFormValue::Ident, "clBtnFace", {}},
      {"True", TFormValue::Ident, "True", {}},
      {"_x1", TFormValue::Ident, "_x1", {}},
      {"Form1.Button1", TFormValue::Ident, "Form1.Button1", {}},
      {"[]", TFormValue::Set, "", {}},
      {"[ ]", TFormValue::Set, "", {}},
      {"[fsBold]", TFormValue::Set, "", {"fsBold"}},
      {"[fsBold, fsItalic]", TFormValue::Set, "", {"fsBold", "fsItalic"}},
      {"[ a ,b\n , c ]", TFormValue::Set, "", {"a", "b", "c"}},
  };
  for (const auto& c : cases) {
    TFormValue v = ValueOf(c.Text);
    EXPECT_EQ(v.Kind, c.Kind) << c.Text;
    EXPECT_EQ(v.Text, c.Ident) << c.Text;
    EXPECT_EQ(v.Names, c.Names) << c.Text;
  }
}

TEST(FormTextValue, Lists) {
  TFormValue empty = ValueOf("()");
  EXPECT_EQ(empty.Kind, TFormValue::List);
  EXPECT_TRUE(empty.Items.empty());

  TFormValue strings = ValueOf("(\n    'one'\n    'two' + 'x'\n    #13)");
  ASSERT_EQ(strings.Kind, TFormValue::List);
  ASSERT_EQ(strings.Items.size(), 3u);
  EXPECT_EQ(strings.Items[0].Text, "one");
  EXPECT_EQ(strings.Items[1].Text, "twox");
  EXPECT_EQ(strings.Items[2].Text, "\r");
  EXPECT_EQ(strings.Items[0].Line, 3);
  EXPECT_EQ(strings.Items[2].Line, 5);

  TFormValue mixed = ValueOf("(1 -2 $10 ident (3 (4)) [a] {01})");
  ASSERT_EQ(mixed.Items.size(), 7u);
  EXPECT_EQ(mixed.Items[1].Int, -2);
  EXPECT_EQ(mixed.Items[2].Int, 16);
  EXPECT_EQ(mixed.Items[3].Text, "ident");
  ASSERT_EQ(mixed.Items[4].Kind, TFormValue::List);
  ASSERT_EQ(mixed.Items[4].Items.size(), 2u);
  EXPECT_EQ(mixed.Items[4].Items[1].Items.at(0).Int, 4);
  EXPECT_EQ(mixed.Items[5].Kind, TFormValue::Set);
  EXPECT_EQ(mixed.Items[6].Bytes, Bytes{0x01});
}

TEST(FormTextValue, Binary) {
  struct {
    const char* Text;
    Bytes Expected;
  } cases[] = {
      {"{}", {}},
      {"{00}", {0x00}},
      {"{0Aff1B2c}", {0x0A, 0xFF, 0x1B, 0x2C}},
      {"{0A ff\n    1B\t2c}", {0x0A, 0xFF, 0x1B, 0x2C}},
      {"{0 A F F}", {0x0A, 0xFF}}, // blanks may even split a byte
      {"{\n    DEADBEEF\n    }", {0xDE, 0xAD, 0xBE, 0xEF}},
  };
  for (const auto& c : cases) {
    TFormValue v = ValueOf(c.Text);
    EXPECT_EQ(v.Kind, TFormValue::Binary) << c.Text;
    EXPECT_EQ(v.Bytes, c.Expected) << c.Text;
  }
}

TEST(FormTextValue, Collections) {
  TFormValue empty = ValueOf("<>");
  EXPECT_EQ(empty.Kind, TFormValue::Collection);
  EXPECT_TRUE(empty.CollectionItems.empty());

  TFormValue v = ValueOf("<\n    item\n      Width = 10\n      Caption = 'c'\n    end\n"
                         "    Item\n    End\n    ITEM Sub.X = (1) END>");
  ASSERT_EQ(v.Kind, TFormValue::Collection);
  ASSERT_EQ(v.CollectionItems.size(), 3u);
  ASSERT_EQ(v.CollectionItems[0].size(), 2u);
  EXPECT_EQ(v.CollectionItems[0][0].Name, "Width");
  EXPECT_EQ(v.CollectionItems[0][0].Value.Int, 10);
  EXPECT_EQ(v.CollectionItems[0][0].Line, 4);
  EXPECT_EQ(v.CollectionItems[0][1].Value.Text, "c");
  EXPECT_TRUE(v.CollectionItems[1].empty());
  ASSERT_EQ(v.CollectionItems[2].size(), 1u);
  EXPECT_EQ(v.CollectionItems[2][0].Name, "Sub.X");
  EXPECT_EQ(v.CollectionItems[2][0].Value.Kind, TFormValue::List);
}

TEST(FormTextStructure, NestedObjectsWithLines) {
  const char* text = "\xEF\xBB\xBF"
                     "// a comment before everything\r\n"
                     "object Form1: TForm1\r\n"
                     "  Left = 10\r\n"
                     "  Font.Height = -16\r\n"
                     "  object Panel1: TPanel // a trailing comment\r\n"
                     "    Align = alTop\r\n"
                     "    object Button1: TButton\r\n"
                     "      OnClick = Button1Click\r\n"
                     "    end\r\n"
                     "    inherited Label1: TLabel\r\n"
                     "    END\r\n"
                     "  end\r\n"
                     "  inline TTimer\r\n"
                     "  end\r\n"
                     "End\r\n"
                     "\r\n\r\n";
  TFormObject root = ParseFormText(text);
  EXPECT_EQ(root.Name, "Form1");
  EXPECT_EQ(root.ClassName, "TForm1");
  EXPECT_FALSE(root.Inherited);
  EXPECT_EQ(root.Line, 2);
  ASSERT_EQ(root.Props.size(), 2u);
  EXPECT_EQ(root.Props[1].Name, "Font.Height");
  EXPECT_EQ(root.Props[1].Value.Int, -16);
  EXPECT_EQ(root.Props[1].Line, 4);
  ASSERT_EQ(root.Children.size(), 2u);

  const TFormObject& panel = root.Children[0];
  EXPECT_EQ(panel.Name, "Panel1");
  EXPECT_EQ(panel.Line, 5);
  ASSERT_EQ(panel.Children.size(), 2u);
  EXPECT_EQ(panel.Children[0].Props.at(0).Value.Text, "Button1Click");
  EXPECT_EQ(panel.Children[0].Props.at(0).Line, 8);
  EXPECT_TRUE(panel.Children[1].Inherited);
  EXPECT_EQ(panel.Children[1].ClassName, "TLabel");

  const TFormObject& timer = root.Children[1];
  EXPECT_TRUE(timer.Inherited); // "inline" reads as inherited
  EXPECT_EQ(timer.Name, "");
  EXPECT_EQ(timer.ClassName, "TTimer");
  EXPECT_EQ(timer.Line, 13);
}

TEST(FormTextStructure, WordsAreWholeWords) {
  // Names that merely start with a keyword are properties.
  TFormObject o = ParseFormText("object A: TB\n  EndMargin = 1\n  Objects = 2\n  Items = 3\nend");
  ASSERT_EQ(o.Props.size(), 3u);
  EXPECT_EQ(o.Props[0].Name, "EndMargin");
  EXPECT_EQ(o.Props[1].Name, "Objects");
  EXPECT_TRUE(o.Children.empty());
}

std::string NestedObjects(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += "object O" + std::to_string(i) + ": T\n";
  for (int i = 0; i < count; ++i)
    text += "end\n";
  return text;
}

std::string NestedLists(int count) {
  return "object A: TB\n  P = " + std::string(count, '(') + std::string(count, ')') + "\nend";
}

TEST(FormTextStructure, DepthLimitIsExact) {
  TFormObject deep = ParseFormText(NestedObjects(101));
  int levels = 1;
  for (const TFormObject* o = &deep; !o->Children.empty(); o = &o->Children[0])
    ++levels;
  EXPECT_EQ(levels, 101);
  EXPECT_THROW(ParseFormText(NestedObjects(102)), EFormTextError);
  EXPECT_NO_THROW(ParseFormText(NestedLists(101)));
  EXPECT_THROW(ParseFormText(NestedLists(102)), EFormTextError);
}

struct TErrorCase {
  const char* Text;
  int Line;
  const char* MessagePart;
};

TEST(FormTextError, NamesTheLine) {
  const TErrorCase cases[] = {
      {"", 1, "name"},
      {"   \n\n", 3, "name"},
      {"thing A: TB\nend", 1, "\"object\""},
      {"object A: TB\n  Caption = 'abc\nend", 2, "unterminated string"},
      {"object A: TB\n  Caption = 'abc", 2, "unterminated string"},
      {"object A: TB\n  Caption = 'a' +\n  5\nend", 3, "string is expected after +"},
      {"object A: TB\n  X = 1\n", 3, "\"end\" is missing"},
      {"object A: TB\n  object C: TD\n  end\n", 4, "\"end\" is missing"},
      {"object A: TB\n  Data = {0A1}\nend", 2, "odd number"},
      {"object A: TB\n  Data = {0A\n  1}\nend", 3, "odd number"},
      {"object A: TB\n  Data = {0G}\nend", 2, "hexadecimal"},
      {"object A: TB\n  Data = {0A", 2, "\"}\" is missing"},
      {"object A: TB\n  S = #70000\nend", 2, "bad character code"},
      {"object A: TB\n  S = #$10000\nend", 2, "bad character code"},
      {"object A: TB\n  S = #\nend", 2, "bad character code"},
      {"object A: TB\n  S = 'a'#$\nend", 2, "bad character code"},
      {"object A: TB\nend\nobject C: TD\nend", 3, "text after the final end"},
      {"object A: TB\nend\n\nx", 4, "text after the final end"},
      {"object A: TB\n  X 1\nend", 2, "\"=\""},
      {"object A: TB\n  X = ;\nend", 2, "value is expected"},
      {"object A: TB\n  X = $\nend", 2, "hexadecimal digits"},
      {"object A: TB\n  X = -\nend", 2, "number is expected"},
      {"object A: TB\n  X = 1e\nend", 2, "exponent"},
      {"object A: TB\n  X = $10000000000000000\nend", 2, "too large"},
      {"object A: TB\n  X = 9223372036854775808\nend", 2, "too large"},
      {"object A: TB\n  X = 99999999999999999999\nend", 2, "too large"},
      {"object A: TB\n  X = -9223372036854775809\nend", 2, "too large"},
      {"object A: TB\n  X = [a b]\nend", 2, "\",\" or \"]\""},
      {"object A: TB\n  X = [a,\n", 3, "name"},
      {"object A: TB\n  X = (1 2\n", 3, "\")\" is missing"},
      {"object A: TB\n  X = <thing end>\nend", 2, "\"item\""},
      {"object A: TB\n  X = <item Y = 1\n", 3, "\"end\" is missing for an item"},
      {"object A: TB\n  X = <item end\n", 3, "\">\" is missing"},
      {"object A: TB\n  object : TC\n  end\nend", 2, "name"},
  };
  for (const auto& c : cases) {
    try {
      ParseFormText(c.Text);
      ADD_FAILURE() << "no error for: " << c.Text;
    } catch (const EFormTextError& e) {
      EXPECT_EQ(e.Line(), c.Line) << c.Text << " -> " << e.what();
      EXPECT_NE(e.Message().find(c.MessagePart), std::string::npos) << c.Text << " -> " << e.what();
      EXPECT_EQ(std::string(e.what()), "line " + std::to_string(c.Line) + ": " + e.Message());
    }
  }
}

TEST(FormTextError, NestingTooDeepNamesTheObject) {
  try {
    ParseFormText(NestedObjects(150));
    FAIL() << "deep nesting accepted";
  } catch (const EFormTextError& e) {
    EXPECT_EQ(e.Line(), 102); // the first object beyond the limit
    EXPECT_NE(e.Message().find("too deeply"), std::string::npos);
  }
}

TEST(FormTextError, DeepListsFailQuietly) {
  // Far beyond the limit: refused early, without exhausting the stack.
  std::string text = "object A: TB\n  P = " + std::string(200000, '(');
  EXPECT_THROW(ParseFormText(text), EFormTextError);
  std::string sets = "object A: TB\n  P = " + std::string(200000, '[');
  EXPECT_THROW(ParseFormText(sets), EFormTextError);
}

} // namespace
