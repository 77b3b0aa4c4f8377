#include <gtest/gtest.h>

#include "core/CodePageCases.h"
#include "core/Convert.h"

#include <climits>

namespace {

TEST(StrToInt, AcceptedTexts) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"0", 0},          {"7", 7},           {"007", 7},         {"  42", 42},
      {"+5", 5},         {"-5", -5},         {"$1A", 26},        {"x1a", 26},
      {"X1A", 26},       {"0x10", 16},       {"0X10", 16},       {"-$10", -16},
      {" -0x1F", -31},   {"2147483647", INT_MAX},                {"-2147483648", INT_MIN},
      {"$7FFFFFFF", INT_MAX},                {"-$80000000", INT_MIN},
  };
  for (const auto& [text, value] : cases) {
    std::int32_t v = 12345;
    EXPECT_TRUE(TryStrToInt(text, v)) << text;
    EXPECT_EQ(v, value) << text;
    EXPECT_EQ(StrToInt(text), value) << text;
  }
}

TEST(StrToInt, RefusedTexts) {
  const char* cases[] = {"",     " ",      "-",   "+",      "abc",        "12a",
                         "1 ",   "1.5",    "- 5", "\t5",    "$",          "0x",
                         "x",    "$G",     "0xG", "--5",    "2147483648", "-2147483649",
                         "$80000000",      "0x100000000",  "99999999999999999999", "1,000"};
  for (const char* text : cases) {
    std::int32_t v = 12345;
    EXPECT_FALSE(TryStrToInt(text, v)) << "'" << text << "'";
    EXPECT_EQ(v, 12345) << text;
  }
}

TEST(StrToInt, ErrorCarriesTheFrameworkTextAndTheInput) {
  try {
    StrToInt("abc");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.Template().c_str(), "'%s' 不是一个有效的整形值");
    EXPECT_EQ(e.Argument(), "abc");
    EXPECT_STREQ(e.what(), "'abc' 不是一个有效的整形值");
  }
}

class FormatTest : public testing::TestWithParam<TNamedCodePage> {
protected:
  std::string Fmt(std::string_view p, std::int32_t v) const {
    return FormatInteger(*GetParam().CodePage, p, v);
  }
  // The error's template, or "" when the pattern formats.
  std::string ErrorOf(std::string_view p, std::int32_t v, std::string* arg = nullptr) const {
    try {
      Fmt(p, v);
    } catch (const EConvertError& e) {
      if (arg) *arg = e.Argument();
      return e.Template();
    }
    return "";
  }
};

TEST_P(FormatTest, IntegerPlaceholders) {
  struct {
    const char* Pattern;
    std::int32_t Arg;
    const char* Out;
  } cases[] = {
      {"img%.3d.jpg", 7, "img007.jpg"},
      {"photo%d.jpg", 1, "photo1.jpg"},
      {"same.txt", 5, "same.txt"},
      {"", 5, ""},
      {"%d", -7, "-7"},
      {"%.3d", -7, "-007"},
      {"%5d|", 42, "   42|"},
      {"%-5d|", 42, "42   |"},
      {"%5.3d", 7, "  007"},
      {"%.0d", 0, "0"},
      {"%.d", 3, "3"},
      {"%D", 3, "3"},
      {"%u", -1, "4294967295"},
      {"%x", 255, "FF"},
      {"%X", -1, "FFFFFFFF"},
      {"%.4x", 10, "000A"},
      {"%d", INT_MIN, "-2147483648"},
      {"100%%_%d", 3, "100%_3"},
      {"%%", 3, "%"},
      {"%0:d", 9, "9"},
      {"%0:-4d|", 9, "9   |"},
      {"%:d", 9, "9"},
      {"\xCE\xC4%d\xBC\xFE", 2, "\xCE\xC4" "2\xBC\xFE"},
  };
  for (const auto& c : cases) EXPECT_EQ(Fmt(c.Pattern, c.Arg), c.Out) << c.Pattern;
}

// What the framework's formatter does with the rest of its pattern language
// when given one integer.
TEST_P(FormatTest, PlaceholdersThatDoNotSuitOneInteger) {
  const std::string invalid = SInvalidFormat, missing = SArgumentMissing;
  // Types for floating point, currency, pointers and strings refuse an integer.
  for (const char* p : {"%e", "%f", "%g", "%n", "%m", "%p", "%s", "%S", "%.2f"})
    EXPECT_EQ(ErrorOf(p, 1), invalid) << p;
  // Malformed placeholders.
  for (const char* p : {"%", "abc%", "%q", "%5", "%-", "%.", "%5-d", "% d", "%1.2.3d"})
    EXPECT_EQ(ErrorOf(p, 1), invalid) << p;
  // Only argument 0 exists: another index, a second placeholder and a "*"
  // (which takes the number as width or precision) leave a placeholder
  // without its argument.
  for (const char* p : {"%1:d", "%d%d", "a%db%dc", "%*d", "%.*d", "%1:s", "%d%s"})
    EXPECT_EQ(ErrorOf(p, 1), missing) << p;
  // A missing argument is found before a type that would not suit it; an
  // unknown type letter is malformed whatever the arguments.
  EXPECT_EQ(ErrorOf("%d%q", 1), invalid);
  // Huge widths cannot make a usable name; they are refused, not built.
  EXPECT_EQ(ErrorOf("%99999999d", 1), invalid);
  EXPECT_EQ(ErrorOf("%.40000d", 1), invalid);
  EXPECT_EQ(Fmt("%30d", 1).size(), 30u);
}

TEST_P(FormatTest, ErrorTextCutsThePatternAt31Bytes) {
  std::string arg;
  ErrorOf("abcdefghijklmnopqrstuvwxyz01234567%s", 1, &arg);
  EXPECT_EQ(arg, "abcdefghijklmnopqrstuvwxyz01234");
  // The 31st byte starts a double-byte character: the cut keeps 30 bytes.
  ErrorOf("abcdefghijklmnopqrstuvwxyz0123\xCE\xC4%s", 1, &arg);
  EXPECT_EQ(arg, "abcdefghijklmnopqrstuvwxyz0123");
  // The 31st byte ends a double-byte character: 31 bytes are kept.
  ErrorOf("abcdefghijklmnopqrstuvwxyz012\xCE\xC4%s", 1, &arg);
  EXPECT_EQ(arg, "abcdefghijklmnopqrstuvwxyz012\xCE\xC4");
  ErrorOf("%s", 1, &arg);
  EXPECT_EQ(arg, "%s");
}

INSTANTIATE_TEST_SUITE_P(All, FormatTest, testing::ValuesIn(CodePagesUnderTest()), CodePageName);

} // namespace
