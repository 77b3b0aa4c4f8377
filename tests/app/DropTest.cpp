// Files dropped from the shell arrive in the list.
#include "MainWindowFixture.h"

#include <commctrl.h>
#include <objbase.h>

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
  // Over the list, where users drop.
  POINT OverList() {
    TListBox* list = Form->ListBox1;
    return list->ClientToScreen({list->Width() / 2, list->Height() / 2});
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

TEST_F(DropEventTest, OleDropGivesWhatTheShellMessageGives) {
  Drop({L"C:\\before.txt"});
  const Paths paths{L"C:\\p\\a.txt", L"D:\\文件\\照片.jpg", LongPath()};
  const TOleDragResult r = OleDragAndDrop(OverList(), MakeDrop(paths));
  EXPECT_EQ(r.Result, DRAGDROP_S_DROP);
  EXPECT_EQ(r.Effect, static_cast<DWORD>(DROPEFFECT_COPY));
  ASSERT_FALSE(r.EffectsShown.empty());
  for (DWORD shown : r.EffectsShown)
    EXPECT_EQ(shown, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(Events, 2);
  EXPECT_EQ(Handed, paths);
  Paths all{L"C:\\before.txt"};
  all.insert(all.end(), paths.begin(), paths.end());
  EXPECT_EQ(ListItems(), all);
  // Malformed memory through OLE: no paths, no crash.
  OleDragAndDrop(OverList(),
                 MakeDropBytes(DropHeader(sizeof(DROPFILES), TRUE) + std::string("a\0b", 3)));
  EXPECT_EQ(Events, 3);
  EXPECT_TRUE(Handed.empty());
  // Data without files, or a source that allows only a move, is refused.
  for (const auto& [drop, allowed] : {std::pair{HDROP(nullptr), DWORD(DROPEFFECT_COPY)},
                                      std::pair{MakeDrop({L"C:\\m"}), DWORD(DROPEFFECT_MOVE)}}) {
    const TOleDragResult refused = OleDragAndDrop(OverList(), drop, allowed);
    EXPECT_EQ(refused.Effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(Events, 3);
  }
}

bool TakesShellDrops(HWND wnd) {
  return GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES;
}

// Whether a window has an OLE drop target, asked as the system answers it:
// registering a second one is refused.
bool HasOleTarget(HWND wnd) {
  struct TProbe : IDropTarget {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget) ? this : nullptr;
      return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override {
      return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) override {
      return E_NOTIMPL;
    }
  } probe;
  const HRESULT init = OleInitialize(nullptr);
  const HRESULT hr = RegisterDragDrop(wnd, &probe);
  if (SUCCEEDED(hr)) RevokeDragDrop(wnd);
  if (SUCCEEDED(init)) OleUninitialize();
  return hr == DRAGDROP_E_ALREADYREGISTERED;
}

// Notes whether the window still has its drop target at the last message it
// gets, after every part of the program has seen its destruction.
LRESULT CALLBACK NoteTargetAtEnd(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR note) {
  if (msg == WM_NCDESTROY) {
    *reinterpret_cast<int*>(note) = HasOleTarget(wnd);
    RemoveWindowSubclass(wnd, NoteTargetAtEnd, id);
  }
  return DefSubclassProc(wnd, msg, wParam, lParam);
}

TEST_F(DropEventTest, RemadeWindowTakesDropsAsTheOldOneDid) {
  auto dropsArrive = [&](const wchar_t* path) {
    const int events = Events;
    Deliver(MakeDrop({path}));
    const TOleDragResult r = OleDragAndDrop(OverList(), MakeDrop({path}));
    return Events == events + 2 && Handed == Paths{path} && r.Effect == DROPEFFECT_COPY;
  };
  HWND old = Panel()->Handle();
  ASSERT_TRUE(HasOleTarget(old));
  int targetAtEnd = -1;
  SetWindowSubclass(old, NoteTargetAtEnd, 1, reinterpret_cast<DWORD_PTR>(&targetAtEnd));
  Panel()->RecreateWnd(); // the recreate notification, 0xB033
  ASSERT_FALSE(IsWindow(old));
  EXPECT_EQ(targetAtEnd, 0); // revoked while the window still existed
  EXPECT_TRUE(TakesShellDrops(Panel()->Handle()));
  EXPECT_TRUE(dropsArrive(L"C:\\remade.txt"));
  Panel()->SetBorderStyle(bsSingle);
  EXPECT_TRUE(TakesShellDrops(Panel()->Handle()));
  EXPECT_TRUE(dropsArrive(L"C:\\bordered.txt"));
  // A panel that takes no files takes none after a remake either.
  Panel()->SetAcceptFile(false);
  Panel()->RecreateWnd();
  EXPECT_FALSE(TakesShellDrops(Panel()->Handle()));
  EXPECT_EQ(OleDragAndDrop(OverList(), MakeDrop({L"C:\\no"})).Effect,
            static_cast<DWORD>(DROPEFFECT_NONE));
  Panel()->SetAcceptFile(true);
  EXPECT_TRUE(dropsArrive(L"C:\\again.txt"));
  // Every registration gave back the OLE set-up it took: once the window is
  // gone, the thread can take another threading model.
  delete Form;
  Form = nullptr;
  const HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  EXPECT_EQ(init, S_OK);
  if (SUCCEEDED(init)) CoUninitialize();
}

} // namespace
