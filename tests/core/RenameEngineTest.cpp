#include <gtest/gtest.h>

#include "core/CodePageCases.h"
#include "core/Convert.h"
#include "core/RenameEngine.h"

#include <utility>
#include <vector>

namespace {

class TVectorList : public IRenameList {
public:
  explicit TVectorList(std::vector<std::string> items) : Items(std::move(items)) {}
  int Count() const override {
    ++CountCalls;
    return static_cast<int>(Items.size());
  }
  std::string Item(int i) const override { return Items.at(i); }
  void Clear() override { Items.clear(); }
  std::vector<std::string> Items;
  mutable int CountCalls = 0;
};

using TRenames = std::vector<std::pair<std::string, std::string>>;

class RenameEngineTest : public testing::TestWithParam<TNamedCodePage> {
protected:
  const ICodePage& Cp() const { return *GetParam().CodePage; }
  // Every rename is noted as it happens, so a run that ends in an error
  // still shows what it did before.
  TRenames Run(int mode, const char* p1, const char* p2, TVectorList& list) {
    Renamed.clear();
    RunRename(Cp(), mode, p1, p2, list,
              [&](const std::string& o, const std::string& n) { Renamed.emplace_back(o, n); });
    return Renamed;
  }
  TRenames Renamed;
};

struct TExample {
  int Mode;
  const char* P1;
  const char* P2;
  std::vector<std::string> Old;
  std::vector<std::string> New;
};

TEST_P(RenameEngineTest, WorkedExamples) {
  const TExample examples[] = {
      {0, "new_", "", {"C:\\p\\a.jpg"}, {"C:\\p\\new_a.jpg"}},
      {1, "_bak", "", {"C:\\p\\a.jpg"}, {"C:\\p\\a_bak.jpg"}},
      {1, "_bak", "", {"C:\\p\\README"}, {"C:\\p\\README_bak"}},
      {1, "_bak", "", {"C:\\p\\x.txt.txt"}, {"C:\\p\\x.txt_bak.txt"}},
      {2,
       "img%.3d.jpg",
       "7",
       {"C:\\p\\z.png", "C:\\p\\y.gif"},
       {"C:\\p\\img007.jpg", "C:\\p\\img008.jpg"}},
      {2,
       "photo%d.jpg",
       "1",
       {"C:\\p\\b.jpg", "C:\\p\\a.jpg"},
       {"C:\\p\\photo1.jpg", "C:\\p\\photo2.jpg"}},
      {3, "img", "pic", {"C:\\p\\IMG_01_img.jpg"}, {"C:\\p\\pic_01_pic.jpg"}},
      {3, "_copy", "", {"C:\\p\\a_copy.doc"}, {"C:\\p\\a.doc"}},
      {4, ".txt", "", {"C:\\p\\notes.LOG"}, {"C:\\p\\notes.txt"}},
      {4, ".txt", "", {"C:\\p\\README"}, {"C:\\p\\README"}},
      // Further cases of each mode.
      {0, "sub\\", "", {"C:\\p\\a.jpg"}, {"C:\\p\\sub\\a.jpg"}},
      {3, "", "x", {"C:\\p\\a.jpg"}, {"C:\\p\\a.jpg"}},
      {3, "p", "q", {"C:\\p\\a.jpg"}, {"C:\\p\\a.jqg"}}, // the folder is not touched
      {4, ".txt", "", {"C:\\p\\a.log.LOG"}, {"C:\\p\\a.txt.txt"}},
      {4, "txt", "", {"C:\\p\\a.log"}, {"C:\\p\\atxt"}},
      {2, "same.txt", "0", {"C:\\a", "C:\\b"}, {"C:\\same.txt", "C:\\same.txt"}},
      {2, "n%d", "2147483647", {"a", "b"}, {"n2147483647", "n-2147483648"}},
      {0, "x", "", {"C:\\\x90\x5C\\\x90\x5C.txt"}, {"C:\\\x90\x5C\\x\x90\x5C.txt"}},
      {1, "_1", "", {"D:\\\xCE\xC4\\\xBC\xFE.doc"}, {"D:\\\xCE\xC4\\\xBC\xFE_1.doc"}},
  };
  for (const auto& e : examples) {
    SCOPED_TRACE(testing::Message() << "mode " << e.Mode << " p1 " << e.P1);
    TVectorList list(e.Old);
    TRenames done = Run(e.Mode, e.P1, e.P2, list);
    ASSERT_EQ(done.size(), e.Old.size());
    for (std::size_t i = 0; i < done.size(); ++i) {
      EXPECT_EQ(done[i].first, e.Old[i]);
      EXPECT_EQ(done[i].second, e.New[i]);
    }
    EXPECT_TRUE(list.Items.empty());
    EXPECT_EQ(list.CountCalls, 1);
  }
}

TEST_P(RenameEngineTest, NoModeRenamesNothingAndEmptiesTheList) {
  for (int mode : {-1, 5, 100}) {
    TVectorList list({"C:\\a", "C:\\b"});
    EXPECT_TRUE(Run(mode, "x", "y", list).empty());
    EXPECT_TRUE(list.Items.empty());
  }
}

TEST_P(RenameEngineTest, DuplicatesAreRenamedTwice) {
  TVectorList list({"C:\\a.txt", "C:\\a.txt"});
  TRenames done = Run(0, "n_", "", list);
  ASSERT_EQ(done.size(), 2u);
  EXPECT_EQ(done[1], done[0]);
}

TEST_P(RenameEngineTest, InvalidRunningNumberStopsBeforeTheList) {
  for (const char* p2 : {"", "abc", "1.5", "99999999999"}) {
    TVectorList list({"C:\\a", "C:\\b"});
    try {
      Run(2, "n%d", p2, list);
      ADD_FAILURE() << "no error for '" << p2 << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Template(), SInvalidInteger);
      EXPECT_EQ(e.Argument(), p2);
    }
    EXPECT_TRUE(Renamed.empty());
    EXPECT_EQ(list.Items.size(), 2u);
    EXPECT_EQ(list.CountCalls, 0);
  }
  // Also with an empty list.
  TVectorList empty({});
  EXPECT_THROW(Run(2, "n%d", "x", empty), EConvertError);
  // Other modes do not look at parameter 2.
  TVectorList list({"C:\\a"});
  EXPECT_EQ(Run(0, "n", "x", list).size(), 1u);
}

TEST_P(RenameEngineTest, BadPatternStopsBeforeTheFirstRename) {
  const std::pair<const char*, const char*> cases[] = {
      {"n%s.txt", SInvalidFormat}, {"n%d%d.txt", SArgumentMissing}, {"n%", SInvalidFormat}};
  for (const auto& [pattern, error] : cases) {
    TVectorList list({"C:\\a", "C:\\b"});
    try {
      Run(2, pattern, "1", list);
      ADD_FAILURE() << "no error for " << pattern;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Template(), error);
      EXPECT_EQ(e.Argument(), pattern);
    }
    EXPECT_TRUE(Renamed.empty());
    EXPECT_EQ(list.Items.size(), 2u);
  }
  // With an empty list the pattern is never used, so nothing is reported.
  TVectorList empty({});
  EXPECT_NO_THROW(Run(2, "%s", "1", empty));
}

INSTANTIATE_TEST_SUITE_P(All, RenameEngineTest, testing::ValuesIn(CodePagesUnderTest()),
                         CodePageName);

} // namespace
