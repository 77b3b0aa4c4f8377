#include <gtest/gtest.h>

#include "core/CodePageCases.h"

namespace {

class CodePageTest : public testing::TestWithParam<TNamedCodePage> {
protected:
  const ICodePage& Cp() const { return *GetParam().CodePage; }
};

TEST_P(CodePageTest, LeadBytesOfGbk) {
  EXPECT_FALSE(Cp().IsLeadByte(0x00));
  EXPECT_FALSE(Cp().IsLeadByte('\\'));
  EXPECT_FALSE(Cp().IsLeadByte(0x7F));
  EXPECT_FALSE(Cp().IsLeadByte(0x80));
  EXPECT_TRUE(Cp().IsLeadByte(0x81));
  EXPECT_TRUE(Cp().IsLeadByte(0x90));
  EXPECT_TRUE(Cp().IsLeadByte(0xFE));
  EXPECT_FALSE(Cp().IsLeadByte(0xFF));
}

struct TUpperCase {
  const char* In;
  const char* Out;
};

TEST_P(CodePageTest, UpperCasingKeepsLengthAndDoubleByteCharacters) {
  const TUpperCase cases[] = {
      {"", ""},
      {"abc.Txt", "ABC.TXT"},
      {"a_z{}`~@[", "A_Z{}`~@["},
      // 0x905C ends in the byte of "\"; a following "a" is still a letter.
      {"\x90\x5C" "a", "\x90\x5C" "A"},
      // A lead byte whose trail byte is the code of "a" is not touched.
      {"\x81\x61z", "\x81\x61Z"},
      // Full-width latin, Greek and Cyrillic letters of GBK have upper cases.
      {"\xA3\xE1\xA3\xFA", "\xA3\xC1\xA3\xDA"},
      {"\xA6\xC1\xA6\xD8", "\xA6\xA1\xA6\xB8"},
      {"\xA7\xD1\xA7\xD7\xA7\xF1", "\xA7\xA1\xA7\xA7\xA7\xC1"},
      // Chinese characters are themselves; a pinyin vowel whose capital GBK
      // lacks stays as it is instead of shifting the bytes behind it.
      {"\xCE\xC4\xBC\xFE", "\xCE\xC4\xBC\xFE"},
      {"\xA8\xA1x", "\xA8\xA1X"},
      // A lead byte at the very end is a byte of its own.
      {"ab\xB0", "AB\xB0"},
  };
  for (const auto& c : cases) {
    std::string s = UpperCopy(Cp(), c.In);
    EXPECT_EQ(s, c.Out) << "input " << testing::PrintToString(std::string(c.In));
  }
}

TEST_P(CodePageTest, LocaleComparesEqualTextsEqual) {
  EXPECT_TRUE(Cp().LocaleEqual("ABC", "ABC", 3));
  EXPECT_FALSE(Cp().LocaleEqual("ABC", "ABD", 3));
  EXPECT_TRUE(Cp().LocaleEqual("\xCE\xC4", "\xCE\xC4", 2));
  EXPECT_FALSE(Cp().LocaleEqual("\xCE\xC4", "\xCE\xC5", 2));
}

TEST_P(CodePageTest, TrailBytesAreFoundFromTheStart) {
  const std::string s = "a\x90\x5C\x90\x5C" "b";
  EXPECT_FALSE(IsTrailByteAt(Cp(), s, 0));
  EXPECT_FALSE(IsTrailByteAt(Cp(), s, 1));
  EXPECT_TRUE(IsTrailByteAt(Cp(), s, 2));
  EXPECT_FALSE(IsTrailByteAt(Cp(), s, 3));
  EXPECT_TRUE(IsTrailByteAt(Cp(), s, 4));
  EXPECT_FALSE(IsTrailByteAt(Cp(), s, 5));
  EXPECT_EQ(CharLenAt(Cp(), s, 1), 2u);
  EXPECT_EQ(CharLenAt(Cp(), "x\x90", 1), 1u);
}

INSTANTIATE_TEST_SUITE_P(All, CodePageTest, testing::ValuesIn(CodePagesUnderTest()), CodePageName);

#ifdef BR_WIN32_TESTS
// The model must agree with the system on every byte and every double-byte
// character of the code page, not only on the cases above.
TEST(CodePageModelAgainstSystem, EveryCharacterUpperCasesTheSame) {
  const TCodePage936Model model;
  const ICodePage& sys = SystemCodePage();
  for (int b = 0; b < 256; ++b)
    ASSERT_EQ(model.IsLeadByte(b), sys.IsLeadByte(b)) << "byte " << b;
  int differences = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      char m[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      char s[2] = {m[0], m[1]};
      model.UpperBuff(m, 2);
      sys.UpperBuff(s, 2);
      if ((m[0] != s[0] || m[1] != s[1]) && ++differences < 10)
        ADD_FAILURE() << std::hex << "character " << lead << trail;
    }
  }
  for (int b = 1; b < 256; ++b) {
    if (model.IsLeadByte(b)) continue;
    char m = static_cast<char>(b), s = m;
    model.UpperBuff(&m, 1);
    sys.UpperBuff(&s, 1);
    EXPECT_EQ(m, s) << "byte " << b;
  }
  EXPECT_EQ(differences, 0);
}
#endif

} // namespace
