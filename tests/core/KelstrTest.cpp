#include <gtest/gtest.h>

#include "core/CodePageCases.h"
#include "core/kelstr.h"

namespace {

class ReplaceTest : public testing::TestWithParam<TNamedCodePage> {
protected:
  std::string Replace(std::string_view s, std::string_view o, std::string_view n) const {
    return ReplaceAllIgnoreCase(*GetParam().CodePage, s, o, n);
  }
};

struct TReplaceCase {
  const char* S;
  const char* Old;
  const char* New;
  const char* Result;
};

TEST_P(ReplaceTest, Table) {
  const TReplaceCase cases[] = {
      {"", "a", "b", ""},
      {"abc", "", "x", "abc"},
      {"abcabc", "b", "", "acac"},
      {"aAa", "a", "b", "bbb"},
      {"aaa", "aa", "x", "xa"},                 // no overlap, left to right
      {"a.TXT.txt", ".txt", ".doc", "a.doc.doc"},
      {"IMG_01_img.jpg", "img", "pic", "pic_01_pic.jpg"},
      {"a_copy.doc", "_copy", "", "a.doc"},
      {"aXbXc", "x", "xx", "axxbxxc"},          // the inserted text is not searched again
      {"MiXeD", "x", "-", "Mi-eD"},             // untouched text keeps its case
      {"abc", "abcd", "x", "abc"},
      {"notes.LOG", ".LOG", ".txt", "notes.txt"},
      {"a.log.LOG", ".LOG", ".txt", "a.txt.txt"},
      // GBK: characters match only themselves, whatever the Latin case.
      {"\xCE\xC4\xBC\xFE.txt", "\xCE\xC4", "A", "A\xBC\xFE.txt"},
      {"\xCE\xC4\xBC\xFE", "\xCE\xC5", "A", "\xCE\xC4\xBC\xFE"},
      // 0x905C 0x5C41: "\A" occurs byte-wise from the trail byte of the first
      // character, but a match never starts on a trail byte.
      {"\x90\x5C" "A", "\\a", "#", "\x90\x5C" "A"},
      {"\x90\x5C\\a", "\\a", "#", "\x90\x5C#"},
      // "\x5C\x90" matches only where 0x5C starts a character.
      {"\x90\x5C\x90x\\\x90x", "\\\x90x", "-", "\x90\x5C\x90x-"},
      // Full-width letters ignore case too (the code page upper-cases them).
      {"\xA3\xE1\xA3\xC1", "\xA3\xC1", "b", "bb"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Replace(c.S, c.Old, c.New), c.Result)
        << "S=" << c.S << " Old=" << c.Old << " New=" << c.New;
}

TEST_P(ReplaceTest, FindStartsOnlyOnCharacterBoundaries) {
  const ICodePage& cp = *GetParam().CodePage;
  EXPECT_EQ(FindCharAware(cp, "", "a"), std::string_view::npos);
  EXPECT_EQ(FindCharAware(cp, "a", ""), std::string_view::npos);
  EXPECT_EQ(FindCharAware(cp, "\x90\x5C\x5C", "\\"), 2u);
  EXPECT_EQ(FindCharAware(cp, "\x90\x5C\x90\x5C", "\x5C\x90"), std::string_view::npos);
  EXPECT_EQ(FindCharAware(cp, "ab", "abc"), std::string_view::npos);
}

INSTANTIATE_TEST_SUITE_P(All, ReplaceTest, testing::ValuesIn(CodePagesUnderTest()), CodePageName);

} // namespace
