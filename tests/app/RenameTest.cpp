// The whole renaming use through the real windows, against real files.
#include "MainWindowFixture.h"

using namespace testutil;

namespace {

using Names = std::vector<std::wstring>;

class RenameThroughWindowTest : public MainWindowTest {
protected:
  void MakeFiles(const Names& names) {
    for (const auto& n : names)
      ASSERT_TRUE(MakeFile(Dir / n, testutil::Narrow(n)));
  }
  void DropNames(const Names& names) {
    std::vector<std::wstring> paths;
    for (const auto& n : names)
      paths.push_back(Dir / n);
    Drop(paths);
  }
  Names Files() const { return ListFolder(Dir.Path()); }
  TTempDir Dir;
};

struct TExample {
  int Mode;
  const wchar_t* P1;
  const wchar_t* P2;
  Names Before;
  Names After;
};

TEST_F(RenameThroughWindowTest, WorkedExamples) {
  const TExample examples[] = {
      {0, L"new_", L"", {L"a.jpg"}, {L"new_a.jpg"}},
      {1, L"_bak", L"", {L"a.jpg"}, {L"a_bak.jpg"}},
      {1, L"_bak", L"", {L"README"}, {L"README_bak"}},
      {1, L"_bak", L"", {L"x.txt.txt"}, {L"x.txt_bak.txt"}},
      {2, L"img%.3d.jpg", L"7", {L"z.png", L"y.gif"}, {L"img007.jpg", L"img008.jpg"}},
      {2, L"photo%d.jpg", L"1", {L"b.jpg", L"a.jpg"}, {L"photo1.jpg", L"photo2.jpg"}},
      {3, L"img", L"pic", {L"IMG_01_img.jpg"}, {L"pic_01_pic.jpg"}},
      {3, L"_copy", L"", {L"a_copy.doc"}, {L"a.doc"}},
      {4, L".txt", L"", {L"notes.LOG"}, {L"notes.txt"}},
      {4, L".txt", L"", {L"README"}, {L"README"}},
      {0, L"新_", L"", {L"照片.jpg"}, {L"新_照片.jpg"}},
  };
  for (const auto& e : examples) {
    SCOPED_TRACE(testing::Message() << "mode " << e.Mode << " " << testutil::Narrow(e.P1));
    TTempDir dir;
    for (const auto& n : e.Before)
      ASSERT_TRUE(MakeFile(dir / n));
    std::vector<std::wstring> paths;
    for (const auto& n : e.Before)
      paths.push_back(dir / n);
    Drop(paths);
    ChooseMode(e.Mode);
    SetParams(e.P1, e.P2);
    PressButton();
    Names after = e.After;
    std::sort(after.begin(), after.end());
    EXPECT_EQ(ListFolder(dir.Path()), after);
    EXPECT_TRUE(ListItems().empty());
    EXPECT_TRUE(Errors.empty());
  }
  // A photo renamed keeps its bytes.
  MakeFiles({L"keep.bin"});
  DropNames({L"keep.bin"});
  ChooseMode(0);
  SetParams(L"x", L"");
  PressButton();
  EXPECT_EQ(ReadFileBytes(Dir / L"xkeep.bin"), "keep.bin");
}

TEST_F(RenameThroughWindowTest, FoldersDuplicatesAndFailuresAreSilent) {
  MakeFiles({L"a.txt", L"b.txt", L"pre_b.txt"});
  ASSERT_TRUE(CreateDirectoryW((Dir / L"album").c_str(), nullptr));
  DropNames({L"a.txt", L"a.txt", L"b.txt", L"album", L"missing.txt"});
  ChooseMode(0);
  SetParams(L"pre_", L"");
  PressButton();
  EXPECT_EQ(Files(), (Names{L"b.txt", L"pre_a.txt", L"pre_album", L"pre_b.txt"}));
  EXPECT_TRUE(IsFolder(Dir / L"pre_album"));
  EXPECT_TRUE(ListItems().empty());
  EXPECT_TRUE(Errors.empty());
}

TEST_F(RenameThroughWindowTest, NoModeOnlyEmptiesTheList) {
  MakeFiles({L"a.txt"});
  DropNames({L"a.txt"});
  SetParams(L"x", L"1");
  PressButton();
  EXPECT_EQ(Files(), (Names{L"a.txt"}));
  EXPECT_TRUE(ListItems().empty());
  // Typed text instead of a chosen item: no mode either.
  DropNames({L"a.txt"});
  ChooseMode(0);
  TypeModeText(L"随便");
  EXPECT_EQ(Form->ComboBox1->ItemIndex(), -1);
  PressButton();
  EXPECT_EQ(Files(), (Names{L"a.txt"}));
  EXPECT_TRUE(ListItems().empty());
}

TEST_F(RenameThroughWindowTest, BadRunningNumberShowsTheErrorAndKeepsTheList) {
  MakeFiles({L"a.txt", L"b.txt"});
  DropNames({L"a.txt", L"b.txt"});
  ChooseMode(2);
  SetParams(L"n%d.txt", L"abc");
  PressButton();
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0], L"'abc' 不是一个有效的整形值");
  EXPECT_EQ(Files(), (Names{L"a.txt", L"b.txt"}));
  EXPECT_EQ(ListItems().size(), 2u);
  // An empty parameter 2 is no number either, also with an empty list.
  Form->ListBox1->Items().Clear();
  SetParams(L"n%d.txt", L"");
  PressButton();
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_EQ(Errors[1], L"'' 不是一个有效的整形值");
}

TEST_F(RenameThroughWindowTest, BadPatternShowsTheErrorAndRenamesNothing) {
  MakeFiles({L"a.txt", L"b.txt"});
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"n%s.txt", L"格式 'n%s.txt' 无效或参数矛盾"},
      {L"n%d_%d.txt", L"格式 'n%d_%d.txt' 没有参数"},
      {L"文件名很长很长很长很长很长很长很长%s",
       L"格式 '文件名很长很长很长很长很长很长' 无效或参数矛盾"},
  };
  for (const auto& [pattern, message] : cases) {
    Errors.clear();
    Form->ListBox1->Items().Clear();
    DropNames({L"a.txt", L"b.txt"});
    ChooseMode(2);
    SetParams(pattern, L"1");
    PressButton();
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Errors[0], message);
    EXPECT_EQ(Files(), (Names{L"a.txt", L"b.txt"}));
    EXPECT_EQ(ListItems().size(), 2u);
  }
}

TEST_F(RenameThroughWindowTest, PatternWithoutPlaceholderNamesTheFirstOnly) {
  MakeFiles({L"1.txt", L"2.txt"});
  DropNames({L"1.txt", L"2.txt"});
  ChooseMode(2);
  SetParams(L"same.txt", L"5");
  PressButton();
  EXPECT_EQ(Files(), (Names{L"2.txt", L"same.txt"}));
  EXPECT_TRUE(ListItems().empty());
  EXPECT_TRUE(Errors.empty());
}

TEST_F(RenameThroughWindowTest, FailedNumberedRenameStillUsesUpItsNumber) {
  MakeFiles({L"a.txt", L"b.txt", L"c.txt"});
  ASSERT_TRUE(MakeFile(Dir / L"n2.txt", "there before"));
  DropNames({L"a.txt", L"b.txt", L"c.txt"});
  ChooseMode(2);
  SetParams(L"n%d.txt", L"1");
  PressButton();
  // b.txt cannot become n2.txt, which exists; c.txt still gets number 3.
  EXPECT_EQ(Files(), (Names{L"b.txt", L"n1.txt", L"n2.txt", L"n3.txt"}));
  EXPECT_EQ(ReadFileBytes(Dir / L"n2.txt"), "there before");
  EXPECT_EQ(ReadFileBytes(Dir / L"n3.txt"), "c.txt");
  EXPECT_TRUE(ListItems().empty());
  EXPECT_TRUE(Errors.empty());
}

std::wstring gBoxText;

// The text is the box's static control that has text (the icon has none).
BOOL CALLBACK ReadBoxText(HWND child, LPARAM) {
  wchar_t cls[32] = {}, text[256] = {};
  GetClassNameW(child, cls, 32);
  GetWindowTextW(child, text, 256);
  if (lstrcmpiW(cls, L"Static") == 0 && text[0]) gBoxText = text;
  return TRUE;
}

// Reads the application's message box once it is up, then presses OK.
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(L"#32770", Application->Title().c_str());
  if (!box) return;
  EnumChildWindows(box, ReadBoxText, 0);
  KillTimer(nullptr, id);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Without a handler of its own the application shows the error in its
// standard message box, titled with the program's name.
TEST_F(RenameThroughWindowTest, StandardBoxShowsTheExactText) {
  Application->OnException = nullptr;
  gBoxText.clear();
  UINT_PTR timer = SetTimer(nullptr, 0, 200, AnswerBox);
  ChooseMode(2);
  SetParams(L"n%d", L"1x");
  PressButton();
  KillTimer(nullptr, timer);
  EXPECT_EQ(gBoxText, L"'1x' 不是一个有效的整形值");
}

} // namespace
