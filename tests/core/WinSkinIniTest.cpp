#include <gtest/gtest.h>

#include "core/ImgUtil.h"
#include "core/WinSkinIni.h"

#include <string>
#include <vector>

namespace {

TQuickIni IniOf(std::string_view text) {
  TQuickIni ini;
  ini.LoadFromText(text);
  return ini;
}

TEST(QuickIni, KeptLinesAreTrimmedAndCommentsDropped) {
  const std::string text = "  ; comment\r\n"
                           "\t[Sec]  \r\n"
                           "\x01 a = 1 \x1F\n"
                           "\n"
                           "   \r"
                           "b=2;not a comment\r\n"
                           "x ; y\n"
                           ";[Hidden]\n"
                           "last";
  EXPECT_EQ(IniOf(text).Lines(),
            (std::vector<std::string>{"[Sec]", "a = 1", "b=2;not a comment", "x ; y", "last"}));
}

TEST(QuickIni, LineEnds) {
  struct {
    const char* Text;
    std::vector<std::string> Lines;
  } cases[] = {
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "b"}},   // LF then CR: two line ends
      {"a\r\r\nb", {"a", "b"}}, // CR, then CR LF
      {"a\r\n", {"a"}},
      {"", {}},
      {"\r\n\r\n", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IniOf(c.Text).Lines(), c.Lines) << c.Text;
}

TEST(QuickIni, ZeroByteEndsTheText) {
  const std::string text("[S]\nk=1\0\n[T]\nk=2\n", 18);
  TQuickIni ini = IniOf(text);
  EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[S]", "k=1"}));
  EXPECT_EQ(ini.SectionLine("T"), -1);

  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  TQuickIni fromStream;
  fromStream.LoadFromStream(&bytes);
  EXPECT_EQ(fromStream.Lines(), ini.Lines());
}

TEST(QuickIni, NullStreamLeavesTheReaderAsItIs) {
  TQuickIni ini = IniOf("[S]\nk=v");
  ini.LoadFromStream(nullptr);
  EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
  std::vector<std::uint8_t> empty;
  ini.LoadFromStream(&empty);
  EXPECT_TRUE(ini.Lines().empty());
  EXPECT_EQ(ini.ReadString("S", "k", "d"), "d");
}

TEST(QuickIni, SectionHeaders) {
  TQuickIni ini = IniOf("x=1\n"
                        "[Personality]\n"
                        "   [Colours]\n"
                        "[ Blank ]\n"
                        "[Personality]\n"
                        "[Open\n"
                        "Close]\n"
                        "[]\n");
  struct {
    const char* Name;
    int Line;
  } cases[] = {
      {"Personality", 1}, {"personality", 1}, {"PERSONALITY", 1}, {"Colours", 2}, {" Blank ", 3},
      {"Blank", -1},      {"Open", -1},       {"Close", -1},      {"", 7},        {"x=1", -1},
      {"Personalit", -1}, {"[Colours]", -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ini.SectionLine(c.Name), c.Line) << c.Name;
}

TEST(QuickIni, ReadString) {
  TQuickIni ini = IniOf("top=outside\n"
                        "[A]\n"
                        "Key = Value with  blanks \n"
                        "KEY=second\n"
                        "Empty=\n"
                        "Empty=late\n"
                        "Blank =   \t\n"
                        "NoEquals\n"
                        "NoEquals=after\n"
                        "eq=a=b\n"
                        " Spaced Key =1\n"
                        "=anonymous\n"
                        "[b]\n"
                        "key=from b\n"
                        "top=in b\n"
                        "[A]\n"
                        "late=never seen\n");
  struct {
    const char* Section;
    const char* Key;
    const char* Expected;
  } cases[] = {
      {"A", "key", "Value with  blanks"}, // first occurrence wins, case ignored
      {"a", "KEY", "Value with  blanks"},
      {"A", "empty", "def"}, // empty value: default despite the later duplicate
      {"A", "Blank", "def"},
      {"A", "NoEquals", "after"}, // a line without "=" has no key
      {"A", "", "def"},           // the empty key matches the line without "="
      {"A", "eq", "a=b"},
      {"A", "Spaced Key", "1"},
      {"A", " Spaced Key", "def"}, // the requested key is taken as given
      {"A", "missing", "def"},
      {"A", "top", "def"},
      {"B", "key", "from b"},
      {"B", "top", "in b"},
      {"A", "late", "def"}, // only the first section of a name is read
      {"C", "key", "def"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ini.ReadString(c.Section, c.Key, "def"), c.Expected) << c.Section << "/" << c.Key;
}

TEST(QuickIni, AnonymousKeyMatchesTheFirstLineWithoutKey) {
  TQuickIni ini = IniOf("[A]\n=anonymous\nplain\n");
  EXPECT_EQ(ini.ReadString("A", "", "def"), "anonymous");
}

TEST(QuickIni, EmptyReaderGivesDefaults) {
  TQuickIni ini;
  EXPECT_EQ(ini.ReadString("A", "k", "d"), "d");
  EXPECT_EQ(ini.ReadInteger("A", "k", 7), 7);
  EXPECT_EQ(ini.SectionLine("A"), -1);
}

TEST(QuickIni, ReadInteger) {
  struct {
    const char* Value;
    int Expected;
  } cases[] = {
      {"12", 12},
      {"-3", -3},
      {"+4", 4},
      {"0x10", 16},
      {"0X1f", 31},
      {"$20", 32},
      {"x10", 16},
      {"0x", -99}, // too short to be rewritten
      {"0", 0},
      {"007", 7},
      {"abc", -99},
      {"12abc", -99},
      {"1 2", -99},
      {"1.5", -99},
      {"2147483647", 2147483647},
      {"2147483648", -99},
      {"-2147483648", -2147483647 - 1},
      {"0x7FFFFFFF", 2147483647},
      {"0x80000000", -99},
      {"", -99},
  };
  for (const auto& c : cases) {
    TQuickIni ini = IniOf(std::string("[S]\nk=") + c.Value + "\n");
    EXPECT_EQ(ini.ReadInteger("S", "K", -99), c.Expected) << c.Value;
  }
}

TEST(QuickIni, ReadSections) {
  TQuickIni ini = IniOf("[One]\n  [ Two ]\nk=v\n[Three]]\n[]\n[One]\n");
  std::vector<std::string> list{"stale"};
  ini.ReadSections(&list);
  EXPECT_EQ(list, (std::vector<std::string>{"One", "Two", "Three]", "", "One"}));
}

TEST(QuickIni, ReadSectionsWithoutListIsAnAssertion) {
  TQuickIni ini = IniOf("[A]");
  try {
    ini.ReadSections(nullptr);
    FAIL() << "no assertion";
  } catch (const EAssertionFailed& e) {
    EXPECT_NE(std::string(e.what()).find("The parameter Strings is unassigned!"),
              std::string::npos);
    EXPECT_EQ(e.Unit(), "WinSkinIni");
    EXPECT_EQ(e.Line(), 317);
  }
}

TEST(QuickIni, ReloadReplacesEverything) {
  TQuickIni ini = IniOf("[A]\nk=1\n");
  ini.LoadFromText("[B]\nk=2\n");
  EXPECT_EQ(ini.SectionLine("A"), -1);
  EXPECT_EQ(ini.ReadInteger("B", "k", 0), 2);
  EXPECT_EQ(ini.Lines().size(), 2u);
}

TEST(IniHelpers, CaseAndTrim) {
  EXPECT_EQ(IniTrim(std::string_view("\x01\x20 a b\x7F\x20\x1F", 9)), "a b\x7F");
  EXPECT_EQ(IniLower("AbZ\xC4\xE3[@"), "abz\xC4\xE3[@");
  EXPECT_EQ(IniUpper("aBz\xC4\xE3`{"), "ABZ\xC4\xE3`{");
  EXPECT_TRUE(IniSameText("Button.Radio", "BUTTON.radio"));
  EXPECT_FALSE(IniSameText("@", "`"));
  EXPECT_FALSE(IniSameText("ab", "abc"));
}

} // namespace
