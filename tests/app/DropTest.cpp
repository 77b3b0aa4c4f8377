// Files dropped from the shell arrive in the list.
#include "MainWindowFixture.h"

namespace {

using Paths = std::vector<std::wstring>;

TEST_F(MainWindowTest, DropsAppendInOrderWithDuplicatesAndFolders) {
  Drop({L"C:\\p\\b.txt", L"C:\\p\\a.txt", L"C:\\p\\folder"});
  EXPECT_EQ(ListItems(), (Paths{L"C:\\p\\b.txt", L"C:\\p\\a.txt", L"C:\\p\\folder"}));
  Drop({L"C:\\p\\a.txt", L"D:\\文件\\照片.jpg"});
  EXPECT_EQ(ListItems(), (Paths{L"C:\\p\\b.txt", L"C:\\p\\a.txt", L"C:\\p\\folder", L"C:\\p\\a.txt",
                                L"D:\\文件\\照片.jpg"}));
  EXPECT_EQ(Form->AIFileDropPan1->FileList().ToVector(),
            (Paths{L"C:\\p\\a.txt", L"D:\\文件\\照片.jpg"}));
}

TEST_F(MainWindowTest, EmptyDropStillReportsAnEmptyList) {
  Drop({L"C:\\x"});
  int calls = 0;
  struct TCounter : TObject {
    int* Calls;
    void Dropped(TComponent*, TStrings* list) {
      ++*Calls;
      EXPECT_EQ(list->Count(), 0);
    }
  } counter;
  counter.Calls = &calls;
  Form->AIFileDropPan1->OnDragFile = TDragFileEvent(&counter, &TCounter::Dropped);
  Drop({});
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(Form->AIFileDropPan1->FileList().Count(), 0);
  EXPECT_EQ(ListItems(), (Paths{L"C:\\x"}));
}

TEST_F(MainWindowTest, LongPathsArriveWhole) {
  std::wstring longPath = L"C:\\";
  while (longPath.size() < 300)
    longPath += L"very_long_folder_name\\";
  longPath += L"文件.txt";
  Drop({longPath});
  ASSERT_EQ(ListItems().size(), 1u);
  EXPECT_EQ(ListItems()[0], longPath);
  EXPECT_GT(WideToAnsi(longPath).size(), 260u);
}

// The shell hands a drop to the window under the mouse or, when that one
// does not take files, to its nearest parent that does.
HWND ShellDropTarget(POINT screen) {
  HWND wnd = WindowFromPoint(screen);
  while (wnd && !(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
    wnd = GetParent(wnd);
  return wnd;
}

TEST_F(MainWindowTest, DropOverTheListReachesThePanel) {
  TListBox* list = Form->ListBox1;
  const POINT overList = list->ClientToScreen({list->Width() / 2, list->Height() / 2});
  HWND target = ShellDropTarget(overList);
  ASSERT_EQ(target, Form->AIFileDropPan1->Handle());
  SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(testutil::MakeDrop({L"C:\\x.txt"})),
               0);
  EXPECT_EQ(ListItems(), (Paths{L"C:\\x.txt"}));
  // Over the rest of the window nothing takes files.
  const POINT overButton = Form->Button1->ClientToScreen({5, 5});
  EXPECT_EQ(ShellDropTarget(overButton), nullptr);
}

TEST_F(MainWindowTest, AcceptFileSwitchesTheShellRegistration) {
  HWND panel = Form->AIFileDropPan1->Handle();
  Form->AIFileDropPan1->SetAcceptFile(false);
  EXPECT_FALSE(GetWindowLongPtrW(panel, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  Form->AIFileDropPan1->SetAcceptFile(true);
  EXPECT_TRUE(GetWindowLongPtrW(panel, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  // Setting the value it has registers again; the style stays.
  Form->AIFileDropPan1->SetAcceptFile(true);
  EXPECT_TRUE(GetWindowLongPtrW(panel, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

} // namespace
