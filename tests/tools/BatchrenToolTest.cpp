// The batchren tool against real files in a temporary folder.
#include <gtest/gtest.h>

#include "support/WinTestUtil.h"

using namespace testutil;

namespace {

std::wstring ToolPath() {
  std::wstring p = Widen(BATCHREN_EXE);
  if (!p.empty() && p[0] == L'/') p = L"Z:" + p; // a build path seen through Wine's Z: drive
  for (auto& c : p)
    if (c == L'/') c = L'\\';
  return p;
}

// Quotes one argument so the program's argument parser gives it back as it
// is: backslashes before a quote (also the closing one) are doubled.
std::wstring Quote(const std::wstring& s) {
  std::wstring q = L"\"";
  std::size_t slashes = 0;
  for (wchar_t c : s) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    q.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
    slashes = 0;
    q += c;
  }
  q.append(2 * slashes, L'\\');
  return q + L"\"";
}

class BatchrenTool : public testing::Test {
protected:
  TProcessResult Run(const std::vector<std::wstring>& args) {
    std::wstring cmd = Quote(ToolPath());
    for (const auto& a : args) cmd += L" " + Quote(a);
    return RunProcess(cmd);
  }
  // Runs mode, p1, p2 over names in the temporary folder.
  TProcessResult RunOn(const wchar_t* mode, const std::wstring& p1, const std::wstring& p2,
                       const std::vector<std::wstring>& names) {
    std::vector<std::wstring> args{mode, p1, p2};
    for (const auto& n : names) args.push_back(Dir / n);
    return Run(args);
  }
  std::vector<std::wstring> Files() const { return ListFolder(Dir.Path()); }
  void Make(std::initializer_list<const wchar_t*> names) {
    for (auto n : names) ASSERT_TRUE(MakeFile(Dir / n, Narrow(n))) << Narrow(n);
  }
  TTempDir Dir;
};

using Names = std::vector<std::wstring>;

TEST_F(BatchrenTool, HelpExplainsTheModes) {
  TProcessResult r = Run({L"--help"});
  EXPECT_EQ(r.ExitCode, 0u);
  EXPECT_NE(r.Out.find("usage: batchren"), std::string::npos);
  EXPECT_NE(r.Out.find("--dry-run"), std::string::npos);
}

TEST_F(BatchrenTool, BadUsageExitsWithTwo) {
  EXPECT_EQ(Run({}).ExitCode, 2u);
  EXPECT_EQ(Run({L"0", L"x"}).ExitCode, 2u);
  EXPECT_EQ(Run({L"zero", L"x", L"y"}).ExitCode, 2u);
  EXPECT_EQ(Run({L"--list", Dir / L"missing.lst", L"0", L"x", L"y"}).ExitCode, 2u);
}

TEST_F(BatchrenTool, EveryModeRenamesRealFiles) {
  struct {
    const wchar_t* Mode;
    const wchar_t* P1;
    const wchar_t* P2;
    Names Before;
    Names After;
  } cases[] = {
      {L"0", L"new_", L"", {L"a.jpg", L"b.txt"}, {L"new_a.jpg", L"new_b.txt"}},
      {L"1", L"_bak", L"", {L"a.jpg", L"README", L"x.txt.txt"},
       {L"README_bak", L"a_bak.jpg", L"x.txt_bak.txt"}},
      {L"2", L"img%.3d.jpg", L"7", {L"z.png", L"y.gif"}, {L"img007.jpg", L"img008.jpg"}},
      {L"3", L"img", L"pic", {L"IMG_01_img.jpg"}, {L"pic_01_pic.jpg"}},
      {L"3", L"_copy", L"", {L"a_copy.doc"}, {L"a.doc"}},
      {L"4", L".txt", L"", {L"notes.LOG", L"README"}, {L"README", L"notes.txt"}},
      {L"0", L"前缀", L"", {L"文件.txt"}, {L"前缀文件.txt"}},
      {L"9", L"x", L"", {L"keep.txt"}, {L"keep.txt"}},
  };
  for (const auto& c : cases) {
    TTempDir dir;
    for (const auto& n : c.Before) ASSERT_TRUE(MakeFile(dir / n, Narrow(n)));
    std::vector<std::wstring> args{c.Mode, c.P1, c.P2};
    for (const auto& n : c.Before) args.push_back(dir / n);
    TProcessResult r = Run(args);
    EXPECT_EQ(r.ExitCode, 0u) << r.Err;
    EXPECT_EQ(ListFolder(dir.Path()), c.After) << "mode " << Narrow(c.Mode) << " " << r.Out;
  }
}

TEST_F(BatchrenTool, RenamedFilesKeepTheirContent) {
  Make({L"a.txt"});
  RunOn(L"0", L"x_", L"", {L"a.txt"});
  EXPECT_EQ(ReadFileBytes(Dir / L"x_a.txt"), "a.txt");
}

TEST_F(BatchrenTool, FoldersAreRenamedLikeFiles) {
  ASSERT_TRUE(CreateDirectoryW((Dir / L"photos").c_str(), nullptr));
  ASSERT_TRUE(MakeFile(Dir / L"photos\\in.jpg"));
  TProcessResult r = RunOn(L"1", L"_2026", L"", {L"photos"});
  EXPECT_TRUE(IsFolder(Dir / L"photos_2026"));
  EXPECT_TRUE(Exists(Dir / L"photos_2026\\in.jpg"));
  EXPECT_NE(r.Out.find("\tok"), std::string::npos);
}

TEST_F(BatchrenTool, FailuresAreSkippedAndReported) {
  Make({L"a.txt", L"b.txt", L"x_b.txt"});
  // The same path twice (the second is gone by then), a target that exists,
  // and a missing file: each fails alone, the others go on.
  TProcessResult r = RunOn(L"0", L"x_", L"", {L"a.txt", L"a.txt", L"b.txt", L"gone.txt"});
  EXPECT_EQ(r.ExitCode, 0u);
  EXPECT_EQ(Files(), (Names{L"b.txt", L"x_a.txt", L"x_b.txt"}));
  EXPECT_EQ(ReadFileBytes(Dir / L"x_b.txt"), "x_b.txt"); // the existing target is untouched
  std::string expected = Narrow(Dir / L"a.txt") + "\t" + Narrow(Dir / L"x_a.txt") + "\tok\n" +
                         Narrow(Dir / L"a.txt") + "\t" + Narrow(Dir / L"x_a.txt") + "\tfailed\n" +
                         Narrow(Dir / L"b.txt") + "\t" + Narrow(Dir / L"x_b.txt") + "\tfailed\n" +
                         Narrow(Dir / L"gone.txt") + "\t" + Narrow(Dir / L"x_gone.txt") +
                         "\tfailed\n";
  EXPECT_EQ(r.Out, expected);
}

TEST_F(BatchrenTool, BackslashInParameterMovesIntoExistingSubfolderOnly) {
  Make({L"a.txt", L"b.txt"});
  ASSERT_TRUE(CreateDirectoryW((Dir / L"sub").c_str(), nullptr));
  RunOn(L"0", L"sub\\", L"", {L"a.txt"});
  RunOn(L"1", L"\\missing\\", L"", {L"b.txt"});
  EXPECT_TRUE(Exists(Dir / L"sub\\a.txt"));
  EXPECT_TRUE(Exists(Dir / L"b.txt"));
  EXPECT_EQ(Files(), (Names{L"b.txt", L"sub"}));
}

TEST_F(BatchrenTool, PatternWithoutPlaceholderNamesOnlyTheFirst) {
  Make({L"1.txt", L"2.txt", L"3.txt"});
  TProcessResult r = RunOn(L"2", L"same.txt", L"1", {L"1.txt", L"2.txt", L"3.txt"});
  EXPECT_EQ(r.ExitCode, 0u);
  EXPECT_EQ(Files(), (Names{L"2.txt", L"3.txt", L"same.txt"}));
}

TEST_F(BatchrenTool, ConversionErrorsRenameNothing) {
  Make({L"a.txt", L"b.txt"});
  const Names before = Files();
  struct {
    const wchar_t* P1;
    const wchar_t* P2;
    const char* Message;
  } cases[] = {
      {L"n%d", L"abc", "'abc' 不是一个有效的整形值"},
      {L"n%d", L"", "'' 不是一个有效的整形值"},
      {L"n%s.txt", L"1", "格式 'n%s.txt' 无效或参数矛盾"},
      {L"n%d_%d.txt", L"1", "格式 'n%d_%d.txt' 没有参数"},
  };
  for (const auto& c : cases) {
    TProcessResult r = RunOn(L"2", c.P1, c.P2, {L"a.txt", L"b.txt"});
    EXPECT_EQ(r.ExitCode, 1u);
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    EXPECT_TRUE(r.Out.empty());
    EXPECT_EQ(Files(), before);
  }
}

TEST_F(BatchrenTool, DryRunTouchesNothing) {
  Make({L"a.txt"});
  TProcessResult r = Run({L"--dry-run", L"2", L"n%d.txt", L"5", Dir / L"a.txt"});
  EXPECT_EQ(r.Out, Narrow(Dir / L"a.txt") + "\t" + Narrow(Dir / L"n5.txt") + "\tplanned\n");
  EXPECT_EQ(Files(), (Names{L"a.txt"}));
}

TEST_F(BatchrenTool, ListFileComesBeforeTheArguments) {
  Make({L"一.txt", L"b.txt", L"c.txt"});
  std::string list = "\xEF\xBB\xBF" + Narrow(Dir / L"一.txt") + "\r\n" + Narrow(Dir / L"b.txt") + "\n";
  ASSERT_TRUE(MakeFile(Dir / L"paths.lst", list));
  TProcessResult r =
      Run({L"--list", Dir / L"paths.lst", L"2", L"%d.txt", L"1", Dir / L"c.txt"});
  EXPECT_EQ(Files(), (Names{L"1.txt", L"2.txt", L"3.txt", L"paths.lst"}));
  EXPECT_EQ(ReadFileBytes(Dir / L"1.txt"), Narrow(L"一.txt"));
  EXPECT_EQ(ReadFileBytes(Dir / L"3.txt"), "c.txt");
}

} // namespace
