#include <gtest/gtest.h>

#include "core/FormText.h"

#include <string>

namespace {

TEST(QuoteFormString, Table) {
  struct {
    std::string Text;
    const char* Expected;
  } cases[] = {
      {"", "''"},
      {"abc", "'abc'"},
      {"it's", "'it''s'"},
      {"'", "''''"},
      {"\r\n", "#13#10"},
      {"a\tb", "'a'#9'b'"},
      {"line\r\n", "'line'#13#10"},
      {std::string(1, '\0') + "x", "#0'x'"},
      {"\x1F ", "#31' '"},
      {"\x7F", "'\x7F'"},
      {"\xE6\x96\x87\xE4\xBB\xB6", "'\xE6\x96\x87\xE4\xBB\xB6'"},
      {"\xFF\xFE", "'\xFF\xFE'"}, // bytes that are not UTF-8 pass unchanged
  };
  for (const auto& c : cases)
    EXPECT_EQ(QuoteFormString(c.Text), c.Expected) << c.Text;
}

TEST(QuoteFormString, ParsesBackToTheSameBytes) {
  std::string all;
  for (int i = 0; i < 256; ++i)
    all += static_cast<char>(i);
  const std::string samples[] = {all, "''''", "#13", "a'#'b", "+", "\n+\n"};
  for (const auto& s : samples) {
    TFormObject o = ParseFormText("object A: TB\n  S = " + QuoteFormString(s) + "\nend");
    ASSERT_EQ(o.Props.size(), 1u);
    EXPECT_EQ(o.Props[0].Value.Text, s);
  }
}

TFormValue Int(std::int64_t v) {
  TFormValue r;
  r.Int = v;
  return r;
}

TFormValue Text(TFormValue::TKind kind, const std::string& text) {
  TFormValue r;
  r.Kind = kind;
  r.Text = text;
  return r;
}

TFormProperty Prop(const std::string& name, TFormValue v) {
  TFormProperty p;
  p.Name = name;
  p.Value = std::move(v);
  return p;
}

TEST(WriteFormText, ExactLayout) {
  TFormObject root;
  root.Name = "Form1";
  root.ClassName = "TForm1";
  root.Props.push_back(Prop("Left", Int(-3)));
  root.Props.push_back(Prop("Caption", Text(TFormValue::String, "a'b\r")));
  root.Props.push_back(Prop("Color", Text(TFormValue::Ident, "clBtnFace")));
  TFormValue real = Text(TFormValue::Float, "1.25");
  root.Props.push_back(Prop("Ratio", real));
  TFormValue set;
  set.Kind = TFormValue::Set;
  set.Names = {"fsBold", "fsItalic"};
  root.Props.push_back(Prop("Font.Style", set));
  TFormValue emptySet;
  emptySet.Kind = TFormValue::Set;
  root.Props.push_back(Prop("Anchors", emptySet));

  TFormObject child;
  child.ClassName = "TList";
  child.Inherited = true;
  TFormValue list;
  list.Kind = TFormValue::List;
  list.Items = {Text(TFormValue::String, "one"), Int(2)};
  child.Props.push_back(Prop("Items.Strings", list));
  TFormValue bin;
  bin.Kind = TFormValue::Binary;
  for (int i = 0; i < 33; ++i)
    bin.Bytes.push_back(static_cast<std::uint8_t>(i * 8));
  child.Props.push_back(Prop("Data", bin));
  TFormValue coll;
  coll.Kind = TFormValue::Collection;
  coll.CollectionItems.push_back({Prop("Width", Int(5))});
  coll.CollectionItems.push_back({});
  child.Props.push_back(Prop("Columns", coll));
  root.Children.push_back(child);

  const std::string expected = "object Form1: TForm1\n"
                               "  Left = -3\n"
                               "  Caption = 'a''b'#13\n"
                               "  Color = clBtnFace\n"
                               "  Ratio = 1.25\n"
                               "  Font.Style = [fsBold, fsItalic]\n"
                               "  Anchors = []\n"
                               "  inherited TList\n"
                               "    Items.Strings = (\n"
                               "      'one'\n"
                               "      2)\n"
                               "    Data = {\n"
                               "      0008101820283038404850586068707880889098"
                               "A0A8B0B8C0C8D0D8E0E8F0F8\n"
                               "      00}\n"
                               "    Columns = <\n"
                               "      item\n"
                               "        Width = 5\n"
                               "      end\n"
                               "      item\n"
                               "      end>\n"
                               "  end\n"
                               "end\n";
  EXPECT_EQ(WriteFormText(root), expected);
}

TEST(WriteFormText, EmptyContainers) {
  TFormObject root;
  root.ClassName = "T";
  TFormValue list;
  list.Kind = TFormValue::List;
  TFormValue bin;
  bin.Kind = TFormValue::Binary;
  TFormValue coll;
  coll.Kind = TFormValue::Collection;
  root.Props = {Prop("L", list), Prop("B", bin), Prop("C", coll)};
  EXPECT_EQ(WriteFormText(root), "object T\n  L = ()\n  B = {}\n  C = <>\nend\n");
}

const char* const kRichText = R"(object Form_main: TForm_main
  Left = 377
  Top = -193
  Caption = '文件批量更名'
  Hint = 'it''s'#13#10'two lines' +
    #$D83D#$DE00
  Color = clBtnFace
  Font.Height = -16
  Font.Style = [fsBold, fsUnderline]
  Tag = $7FFFFFFF
  Big = -$8000000000000000
  Ratio = 1.5E-3
  OnCreate = FormCreate
  object Panel1: TPanel
    Align = alTop
    Items.Strings = (
      'a'
      ''
      #9)
    Nested = ((1 2) () ([x] {FF}))
    SkinStream = {
      0A0B 0C0D
      0E}
    Columns = <
      item
        Width = 64
        Title.Caption = 'c'
      end>
    inherited Button1: TButton
      OnClick = Button1Click
    end
  end
  inline TTimer
  end
end
)";

TEST(FormTextRoundTrip, ParseWriteParseIsStable) {
  TFormObject first = ParseFormText(kRichText);
  const std::string written = WriteFormText(first);
  TFormObject second = ParseFormText(written);
  // The writer is deterministic and loses nothing but the line numbers and
  // the layout, so equal texts mean equal trees.
  EXPECT_EQ(WriteFormText(second), written);

  ASSERT_EQ(second.Props.size(), first.Props.size());
  EXPECT_EQ(second.Props[3].Value.Text, "it's\r\ntwo lines\xF0\x9F\x98\x80");
  EXPECT_EQ(second.Props[8].Value.Int, INT64_MIN);
  EXPECT_EQ(second.Props[9].Value.Text, "1.5E-3");
  ASSERT_EQ(second.Children.size(), 2u);
  const TFormObject& panel = second.Children[0];
  EXPECT_EQ(panel.Props[1].Value.Items.size(), 3u);
  EXPECT_EQ(panel.Props[3].Value.Bytes, (std::vector<std::uint8_t>{10, 11, 12, 13, 14}));
  EXPECT_EQ(panel.Props[4].Value.CollectionItems.at(0).at(1).Name, "Title.Caption");
  EXPECT_TRUE(panel.Children.at(0).Inherited);
  EXPECT_EQ(second.Children[1].ClassName, "TTimer");
}

TEST(FormTextRoundTrip, ExtremeIntegersSurvive) {
  for (std::int64_t v : {INT64_MIN, INT64_MIN + 1, std::int64_t(-1), std::int64_t(0), INT64_MAX}) {
    TFormObject root;
    root.ClassName = "T";
    root.Props.push_back(Prop("V", Int(v)));
    TFormObject back = ParseFormText(WriteFormText(root));
    ASSERT_EQ(back.Props.size(), 1u);
    EXPECT_EQ(back.Props[0].Value.Int, v);
  }
}

TEST(FormTextRoundTrip, LongBinaryAndDeepNesting) {
  TFormObject root;
  root.ClassName = "T";
  TFormValue bin;
  bin.Kind = TFormValue::Binary;
  for (int i = 0; i < 100000; ++i)
    bin.Bytes.push_back(static_cast<std::uint8_t>(i * 7 + 3));
  root.Props.push_back(Prop("Data", bin));
  TFormObject* level = &root;
  for (int i = 0; i < 100; ++i) {
    level->Children.emplace_back();
    level = &level->Children.back();
    level->ClassName = "T" + std::to_string(i);
  }
  const std::string text = WriteFormText(root);
  TFormObject back = ParseFormText(text);
  EXPECT_EQ(back.Props.at(0).Value.Bytes, bin.Bytes);
  EXPECT_EQ(WriteFormText(back), text);
}

} // namespace
