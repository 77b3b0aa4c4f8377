// Files dropped from the shell arrive in the list.
#include "MainWindowFixture.h"

#include <cstring>

using namespace testutil;

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
  SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\x.txt"})), 0);
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

// Counts the drop events and keeps the list each one was handed, then lets
// the main window handle them as it does.
class DropEventTest : public MainWindowTest {
protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    FRecorder.Owner = this;
    Panel()->OnDragFile = TDragFileEvent(&FRecorder, &TRecorder::Dropped);
  }
  TAIFileDropPan* Panel() { return Form->AIFileDropPan1; }
  void Deliver(HDROP drop) {
    SendMessageW(Panel()->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  }
  int Events = 0;
  Paths Handed;

private:
  struct TRecorder : TObject {
    DropEventTest* Owner = nullptr;
    void Dropped(TComponent* sender, TStrings* list) {
      EXPECT_EQ(sender, Owner->Panel());
      ++Owner->Events;
      Owner->Handed = list->ToVector();
      Owner->Form->AIFileDropPan1DragFile(sender, list); // the main window's own handling
    }
  } FRecorder;
};

std::wstring LongPath() {
  std::wstring path = L"C:\\";
  while (path.size() < 300)
    path += L"very_long_folder_name\\";
  return path + L"文件.txt";
}

TEST_F(DropEventTest, AnsiDropsAndOtherHeadersGiveTheSamePathsOnceEach) {
  const Paths paths{L"C:\\p\\a.txt", L"D:\\文件\\照片.jpg", LongPath()};
  std::vector<std::string> ansi;
  for (const auto& p : paths)
    ansi.push_back(Narrow(p, CP_ACP));
  Deliver(MakeAnsiDrop(ansi));
  EXPECT_EQ(Events, 1);
  EXPECT_EQ(Handed, paths);
  // A header the one-pass read leaves to the shell's reading: a wide flag
  // other than 1.
  Deliver(
      MakeDropBytes(DropHeader(sizeof(DROPFILES), static_cast<BOOL>(-1)) + DropNames(paths, true)));
  EXPECT_EQ(Events, 2);
  EXPECT_EQ(Handed, paths);
}

// The handle of a drop made in another process: an address that is no
// memory block here, over readable bytes whose list lies far away.
class TForeignDrop {
public:
  TForeignDrop() {
    FPage = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const std::string header = DropHeader(0x7FFFFFF0, FALSE);
    std::memcpy(static_cast<char*>(FPage) + 64, header.data(), header.size());
  }
  ~TForeignDrop() { VirtualFree(FPage, 0, MEM_RELEASE); }
  HDROP Handle() const { return reinterpret_cast<HDROP>(static_cast<char*>(FPage) + 64); }

private:
  void* FPage;
};

TEST_F(DropEventTest, MalformedDropsGiveNoPathsAndNoCrash) {
  Drop({L"C:\\kept.txt"});
  const std::string names = DropNames({L"C:\\a.txt"}, false);
  const std::string unended = std::string("C:\\a.txt", 8) + '\0' + std::string(40, 'x');
  const BOOL odd = 2; // a header shape the shell's reading takes
  const std::pair<const char*, std::string> cases[] = {
      {"shorter than its header", std::string(8, '\0')},
      {"list beyond the memory", DropHeader(4000, FALSE) + names},
      {"list without its end", DropHeader(sizeof(DROPFILES), FALSE) + unended},
      {"wide list cut in a character",
       DropHeader(sizeof(DROPFILES), TRUE) + std::string("a\0b\0\0", 5)},
      {"odd header, list beyond the memory", DropHeader(4000, odd) + names},
      {"odd header, list without its end", DropHeader(sizeof(DROPFILES), odd) + unended},
  };
  int events = Events;
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    Deliver(MakeDropBytes(bytes));
    EXPECT_EQ(Events, ++events);
    EXPECT_TRUE(Handed.empty());
  }
  TForeignDrop foreign;
  Deliver(foreign.Handle());
  EXPECT_EQ(Events, ++events);
  EXPECT_TRUE(Handed.empty());
  EXPECT_EQ(ListItems(), (Paths{L"C:\\kept.txt"}));
}

} // namespace
