#include <gtest/gtest.h>

#include "core/CodePageCases.h"
#include "core/PathSplit.h"

namespace {

class PathSplitTest : public testing::TestWithParam<TNamedCodePage> {};

struct TPathCase {
  const char* Path;
  const char* Dir;
  const char* Name;
  const char* Ext;
  const char* Stem;
};

TEST_P(PathSplitTest, Table) {
  const ICodePage& cp = *GetParam().CodePage;
  const TPathCase cases[] = {
      {"C:\\p\\a.jpg", "C:\\p\\", "a.jpg", ".jpg", "a"},
      {"C:\\p\\a.tar.gz", "C:\\p\\", "a.tar.gz", ".gz", "a.tar"},
      {"C:\\p\\README", "C:\\p\\", "README", "", "README"},
      {"C:\\p\\dir.x\\README", "C:\\p\\dir.x\\", "README", "", "README"},
      {"C:\\p\\.profile", "C:\\p\\", ".profile", ".profile", ""},
      {"C:a.b", "C:", "a.b", ".b", "a"},
      {"name", "", "name", "", "name"},
      {"", "", "", "", ""},
      {"C:\\p\\", "C:\\p\\", "", "", ""},
      {"C:\\p\\x.", "C:\\p\\", "x.", ".", "x"},
      // 0x905C: the trail byte has the value of "\" and must not split.
      {"C:\\\x90\x5C\\\x90\x5C.txt", "C:\\\x90\x5C\\", "\x90\x5C.txt", ".txt", "\x90\x5C"},
      {"C:\\d\x90\x5Cx", "C:\\", "d\x90\x5Cx", "", "d\x90\x5Cx"},
      // A trailing lead byte is a byte of its own; "." before it still counts.
      {"a.b\x90", "", "a.b\x90", ".b\x90", "a"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(DirectoryPart(cp, c.Path), c.Dir);
    EXPECT_EQ(FileNamePart(cp, c.Path), c.Name);
    EXPECT_EQ(ExtensionPart(cp, c.Path), c.Ext);
    EXPECT_EQ(StemPart(cp, c.Path), c.Stem);
    const TPathPieces pieces = SplitPath(cp, c.Path);
    EXPECT_EQ(pieces.Directory, c.Dir);
    EXPECT_EQ(pieces.FileName, c.Name);
    EXPECT_EQ(pieces.Extension, c.Ext);
    EXPECT_EQ(pieces.Stem, c.Stem);
  }
}

INSTANTIATE_TEST_SUITE_P(All, PathSplitTest, testing::ValuesIn(CodePagesUnderTest()), CodePageName);

} // namespace
