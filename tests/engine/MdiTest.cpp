// MDI: a plain Win32 frame window with its MDI client and children made
// by WM_MDICREATE. The frame's engine takes over the client; children get
// engines when they are made; maximized children keep the system's
// non-client handling, and the manager switches the children's regions
// with the maximized presentation.
#include "ManagerTestUtil.h"
#include "support/MessageSequence.h"

#include <gtest/gtest.h>

namespace enginetest {
namespace {

constexpr UINT kClientId = 1;

LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    CLIENTCREATESTRUCT ccs{nullptr, 50000};
    HWND client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE,
                                  0, 0, 0, 0, wnd, reinterpret_cast<HMENU>(UINT_PTR(kClientId)),
                                  GetModuleHandleW(nullptr), &ccs);
    return client ? 0 : -1;
  }
  return DefFrameProcW(wnd, GetDlgItem(wnd, kClientId), msg, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefMDIChildProcW(wnd, msg, wParam, lParam);
}

const wchar_t* ChildClass() {
  return TestWindowClass(L"MdiTestChild", ChildProc);
}

int StandardCaption() {
  return GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
}

TSkinSpec CaptionSpec(int height) {
  TSkinSpec s = StandardSpec();
  s.Top.Size = height;
  return s;
}

RECT ClientRectOf(HWND wnd) {
  RECT r;
  GetClientRect(wnd, &r);
  return r;
}

RECT WindowRectOf(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return r;
}

bool SameRect(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != 0;
}

bool HasRegion(HWND wnd) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(wnd, rgn);
  DeleteObject(rgn);
  return kind != ERROR;
}

// The skin, an MDI frame window (not skinned yet) and its client.
class MdiTest : public ::testing::Test {
protected:
  explicit MdiTest(const TSkinSpec& spec = StandardSpec()) : Anchor(spec) {}
  void SetUp() override {
    M = Manager();
    FrameWindow = std::make_unique<TTestWindow>(TestWindowClass(L"MdiTestFrame", FrameProc),
                                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                                                0, RECT{40, 40, 640, 500});
    Frame = FrameWindow->Wnd;
    Client = GetDlgItem(Frame, kClientId);
    ASSERT_NE(Client, nullptr);
  }
  void TearDown() override {
    M->SetEnabled(false);
    FrameWindow.reset();
    M->MdiMaximized = false;
    Anchor.Data->SetMenuUpdate(true);
  }
  TWinSkinForm* Engine(HWND wnd) const { return M->FindFormEngine(wnd); }
  bool SkinFrame() {
    TManagerEnabled on(true);
    if (!M->SkinWindow(Frame)) return false;
    return PumpUntil([this] { return Engine(Frame)->EngineState == 1; });
  }
  // A child made by the client, with the manager on or off meanwhile.
  HWND NewChild(bool managerOn = true, DWORD style = 0, RECT r = {10, 10, 250, 190}) {
    TManagerEnabled on(managerOn);
    MDICREATESTRUCTW mcs{ChildClass(),     L"Child", GetModuleHandleW(nullptr),
                         r.left,           r.top,    r.right - r.left,
                         r.bottom - r.top, style,    0};
    auto child = reinterpret_cast<HWND>(
        SendMessageW(Client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    Pump();
    return child;
  }
  bool Settled(HWND child) {
    return PumpUntil([&] { return Engine(child) && Engine(child)->EngineState == 1; });
  }
  void RemoveSkin() {
    M->SetCommandSkinData(Anchor.Data);
    M->Command = 2;
    M->ExecuteCommand(nullptr);
    Pump();
  }

  TSkinnedForm Anchor;
  TSkinManage* M = nullptr;
  std::unique_ptr<TTestWindow> FrameWindow;
  HWND Frame = nullptr, Client = nullptr;
};

TEST_F(MdiTest, TheFramesEngineTakesOverItsClientAndGivesItBack) {
  const LONG_PTR clientProc = GetWindowLongPtrW(Client, GWLP_WNDPROC);
  const LONG_PTR frameProc = GetWindowLongPtrW(Frame, GWLP_WNDPROC);
  ASSERT_TRUE(SkinFrame());
  TWinSkinForm* e = Engine(Frame);
  EXPECT_EQ(e->MdiRole, 1);
  EXPECT_EQ(e->MdiClient, Client);
  EXPECT_EQ(M->MdiClientWindow, Client);
  EXPECT_EQ(M->MdiMainForm, nullptr); // a plain window, no framework form
  EXPECT_NE(GetWindowLongPtrW(Client, GWLP_WNDPROC), clientProc);
  RemoveSkin();
  EXPECT_EQ(Engine(Frame), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(Client, GWLP_WNDPROC), clientProc);
  EXPECT_EQ(GetWindowLongPtrW(Frame, GWLP_WNDPROC), frameProc);
  // Nothing keeps pointing at a client no engine serves any more.
  EXPECT_EQ(M->MdiClientWindow, nullptr);
}

TEST_F(MdiTest, AClientThatGoesGivesItsProcedureBackAndIsForgotten) {
  msgseq::TRecorder behind;
  behind.Watch(Client);
  ASSERT_TRUE(SkinFrame());
  TWinSkinForm* e = Engine(Frame);
  ASSERT_TRUE(e->MdiSubclass.Installed());
  DestroyWindow(Client);
  EXPECT_FALSE(e->MdiSubclass.Installed());
  ASSERT_FALSE(behind.Messages().empty());
  EXPECT_EQ(behind.Messages().back().Message, static_cast<UINT>(WM_NCDESTROY));
  EXPECT_EQ(M->MdiClientWindow, nullptr);
  RemoveSkin();
  EXPECT_EQ(Engine(Frame), nullptr);
}

TEST_F(MdiTest, AFrameThatGoesLeavesNoClientBehind) {
  ASSERT_TRUE(SkinFrame());
  NewChild();
  DestroyQuietly(Frame);
  EXPECT_EQ(M->MdiClientWindow, nullptr);
  EXPECT_TRUE(M->FormEngines.empty());
}

TEST_F(MdiTest, ChildrenGetEnginesWhenTheyAreMade) {
  ASSERT_TRUE(SkinFrame());
  const HWND child = NewChild();
  TWinSkinForm* e = Engine(child);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->MdiRole, 2);
  EXPECT_EQ(e->Form, nullptr);
  EXPECT_TRUE(Settled(child));
  EXPECT_TRUE(HasRegion(child));
  // Made with the manager off: a child is not skinned later by activation.
  const HWND plain = NewChild(false);
  SendMessageW(Client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(plain), 0);
  Pump();
  EXPECT_EQ(Engine(plain), nullptr);
}

TEST_F(MdiTest, ChildrenOfAFrameWithoutASkinGetEnginesToo) {
  const HWND child = NewChild();
  ASSERT_NE(Engine(child), nullptr);
  EXPECT_TRUE(Settled(child));
}

TEST_F(MdiTest, TheClientNotesChildrenBeingMade) {
  ASSERT_TRUE(SkinFrame());
  ASSERT_TRUE(Anchor.Data->MenuUpdate());
  NewChild();
  EXPECT_FALSE(Anchor.Data->MenuUpdate());
}

// The frame keeps the system's frame here, so the child's place on the
// screen stays put when the skin goes.
TEST_F(MdiTest, SkinnedChildrenKeepTheirClientAreaAndGiveEverythingBack) {
  const HWND child = NewChild(false);
  const TWindowSnapshot before = Snapshot(child);
  {
    TManagerEnabled on(true);
    ASSERT_TRUE(M->SkinWindow(child));
  }
  ASSERT_TRUE(Settled(child));
  const RECT client = ClientRectOf(child);
  EXPECT_EQ(client.right, before.Client.right);
  EXPECT_EQ(client.bottom, before.Client.bottom);
  RemoveSkin();
  const TWindowSnapshot after = Snapshot(child);
  EXPECT_TRUE(after == before) << "before " << Describe(before) << "\nafter  " << Describe(after);
}

TEST_F(MdiTest, AMaximizedChildKeepsTheSystemsNonClientHandling) {
  ASSERT_TRUE(SkinFrame());
  // The system's answers first, on a child without a skin.
  const HWND plain = NewChild(false);
  SendMessageW(Client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(plain), 0);
  Pump();
  const RECT plainWindow = WindowRectOf(plain), plainClient = ClientRectOf(plain);
  SendMessageW(Client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(plain), 0);
  Pump();

  const HWND child = NewChild();
  ASSERT_TRUE(Settled(child));
  TWinSkinForm* e = Engine(child);
  SendMessageW(Client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  Pump();
  ASSERT_TRUE(IsZoomed(child));
  EXPECT_EQ(e->WindowState, 1);
  EXPECT_TRUE(SameRect(plainWindow, WindowRectOf(child)));
  EXPECT_TRUE(SameRect(plainClient, ClientRectOf(child)));
  EXPECT_FALSE(HasRegion(child));

  // What the engine would change reaches the child's procedure untouched.
  const RECT w = WindowRectOf(child);
  for (int y : {2, 10, 20, 40}) {
    const LPARAM at = MAKELPARAM(w.left + 30, w.top + y);
    EXPECT_EQ(SendMessageW(child, WM_NCHITTEST, 0, at),
              DefMDIChildProcW(child, WM_NCHITTEST, 0, at))
        << y;
  }
  WINDOWPOS pos{child, nullptr, w.left, w.top, w.right - w.left, w.bottom - w.top, 0};
  NCCALCSIZE_PARAMS skinned{{w, w, w}, &pos}, system = skinned;
  SendMessageW(child, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&skinned));
  DefMDIChildProcW(child, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&system));
  EXPECT_TRUE(EqualRect(&skinned.rgrc[0], &system.rgrc[0]));

  // Restored, it is skinned again.
  SendMessageW(Client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
  Pump();
  EXPECT_EQ(e->WindowState, 0);
  EXPECT_TRUE(HasRegion(child));
}

TEST_F(MdiTest, ARedrawOfTheFrameIsTheClientProceduresOwn) {
  msgseq::TRecorder behind;
  behind.Watch(Client);
  ASSERT_TRUE(SkinFrame());
  msgseq::TRecorder frame;
  frame.Watch(Frame);
  behind.Clear();
  SendMessageW(Client, SKN_MDIREDRAW, 0, 0);
  EXPECT_TRUE(behind.Only(SKN_MDIREDRAW, SKN_MDIREDRAW).empty());
  // The whole frame and what is in it, at once.
  EXPECT_FALSE(frame.Only(WM_NCPAINT, WM_NCPAINT).empty());
  EXPECT_FALSE(behind.Only(WM_ERASEBKGND, WM_ERASEBKGND).empty());
}

TEST_F(MdiTest, AChildMaximizedAtItsStartAsksForARedrawOfTheFrame) {
  ASSERT_TRUE(SkinFrame());
  msgseq::TRecorder front;
  front.Watch(Client); // in front of the engine: sees what is posted to the client
  const HWND child = NewChild(true, WS_MAXIMIZE);
  ASSERT_TRUE(Settled(child));
  EXPECT_TRUE(IsZoomed(child));
  EXPECT_TRUE(msgseq::Matches(
      front.Only(SKN_MDIREDRAW, SKN_MDIREDRAW),
      {{SKN_MDIREDRAW, msgseq::posted | msgseq::wparam, reinterpret_cast<WPARAM>(child)}}));
  EXPECT_TRUE(M->MdiMaximized);
  EXPECT_FALSE(HasRegion(child));
}

TEST_F(MdiTest, TheMaximizedPresentationDropsAndRestoresTheChildrensRegions) {
  ASSERT_TRUE(SkinFrame());
  const HWND a = NewChild(true, 0, {10, 10, 250, 190});
  const HWND b = NewChild(true, 0, {60, 60, 300, 240});
  ASSERT_TRUE(Settled(a) && Settled(b));
  TWinSkinForm *ea = Engine(a), *eb = Engine(b);
  ASSERT_TRUE(HasRegion(a) && HasRegion(b));
  ASSERT_TRUE(ea->RegionOwned);

  M->SetMdiMaximized(true);
  EXPECT_TRUE(M->MdiMaximized);
  EXPECT_FALSE(HasRegion(a));
  EXPECT_FALSE(HasRegion(b));
  EXPECT_FALSE(ea->RegionOwned);
  // The same state again changes nothing.
  ea->UpdateRegion();
  ASSERT_TRUE(HasRegion(a));
  M->SetMdiMaximized(true);
  EXPECT_TRUE(HasRegion(a));
  M->SetMdiMaximized(false);
  ea->DropRegion();

  // Back from the maximized presentation: every child that is not
  // minimized gets its region again.
  M->SetMdiMaximized(true);
  ShowWindow(b, SW_MINIMIZE);
  Pump();
  ASSERT_EQ(eb->WindowState, 2);
  M->SetMdiMaximized(false);
  EXPECT_FALSE(M->MdiMaximized);
  EXPECT_TRUE(HasRegion(a));
  EXPECT_EQ(ea->WindowState, 0);
  EXPECT_FALSE(HasRegion(b));
  EXPECT_EQ(eb->WindowState, 2);
}

TEST_F(MdiTest, TileAndCascadeEndTheMaximizedPresentation) {
  msgseq::TRecorder behind;
  behind.Watch(Client);
  ASSERT_TRUE(SkinFrame());
  const HWND child = NewChild();
  ASSERT_TRUE(Settled(child));
  for (UINT arrange : {WM_MDICASCADE, WM_MDITILE}) {
    SCOPED_TRACE(msgseq::MessageName(arrange));
    M->SetMdiMaximized(true);
    ASSERT_FALSE(HasRegion(child));
    behind.Clear();
    SendMessageW(Client, arrange, 0, 0);
    EXPECT_FALSE(M->MdiMaximized);
    EXPECT_TRUE(HasRegion(child));
    EXPECT_EQ(behind.Only(arrange, arrange).size(), 1u);
  }
}

TEST_F(MdiTest, ClosingTheLastMaximizedChildEndsTheMaximizedPresentation) {
  ASSERT_TRUE(SkinFrame());
  const HWND child = NewChild();
  ASSERT_TRUE(Settled(child));
  M->SetMdiMaximized(true);
  SendMessageW(Client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  Pump();
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(M->MdiMaximized);
}

// --- Skins whose caption is lower than the system's ---------------------------------------

class MdiLowCaptionTest : public MdiTest {
protected:
  MdiLowCaptionTest() : MdiTest(CaptionSpec(12)) {}
};

TEST_F(MdiLowCaptionTest, AChildsCaptionIsPaddedToTheSystemsHeight) {
  ASSERT_TRUE(SkinFrame());
  EXPECT_EQ(Engine(Frame)->MenuHeight, 0); // only children are padded
  const HWND child = NewChild();
  ASSERT_TRUE(Settled(child));
  TWinSkinForm* e = Engine(child);
  EXPECT_EQ(e->CaptionHeight, 12);
  EXPECT_EQ(e->MenuHeight, StandardCaption() - 12);
  POINT origin{0, 0};
  ClientToScreen(child, &origin);
  const RECT w = WindowRectOf(child);
  EXPECT_EQ(origin.y - w.top, StandardCaption());
  EXPECT_EQ(origin.x - w.left, 4);
}

TEST_F(MdiLowCaptionTest, SkinnedChildrenGiveTheirClientAreaBack) {
  const HWND child = NewChild(false);
  const TWindowSnapshot before = Snapshot(child);
  {
    TManagerEnabled on(true);
    ASSERT_TRUE(M->SkinWindow(child));
  }
  ASSERT_TRUE(Settled(child));
  EXPECT_EQ(ClientRectOf(child).bottom, before.Client.bottom);
  RemoveSkin();
  const TWindowSnapshot after = Snapshot(child);
  EXPECT_TRUE(after == before) << "before " << Describe(before) << "\nafter  " << Describe(after);
}

TEST_F(MdiLowCaptionTest, AMaximizedChildKeepsTheSystemsHitTest) {
  ASSERT_TRUE(SkinFrame());
  const HWND child = NewChild();
  ASSERT_TRUE(Settled(child));
  const RECT w = WindowRectOf(child);
  // In the padded band a normal child answers as its menu band.
  const LPARAM band = MAKELPARAM(w.left + 60, w.top + 16);
  EXPECT_EQ(SendMessageW(child, WM_NCHITTEST, 0, band), HTMENU);
  SendMessageW(Client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  Pump();
  const RECT m = WindowRectOf(child);
  const LPARAM caption = MAKELPARAM(m.left + 60, m.top + 16);
  EXPECT_EQ(SendMessageW(child, WM_NCHITTEST, 0, caption),
            DefMDIChildProcW(child, WM_NCHITTEST, 0, caption));
}

// --- The child border option ------------------------------------------------------------------

TEST_F(MdiTest, WithTheChildBorderOptionChildrenKeepTheStandardFrame) {
  const TSkinOptions options = Anchor.Data->Options();
  Anchor.Data->SetOptions(options | SkinOptionBit(xoMDIChildBorder));
  ASSERT_TRUE(SkinFrame());
  const HWND plain = NewChild(false, 0, {10, 10, 250, 190});
  const HWND child = NewChild(true, 0, {10, 10, 250, 190});
  TWinSkinForm* e = Engine(child);
  ASSERT_NE(e, nullptr);
  EXPECT_FALSE(e->SkinFrame);
  EXPECT_EQ(e->EngineState, 1);
  Pump();
  EXPECT_TRUE(SameRect(ClientRectOf(plain), ClientRectOf(child)));
  EXPECT_FALSE(HasRegion(child));
  // Nor does the maximized presentation touch them: not even their frame
  // is recalculated.
  msgseq::TRecorder rec;
  rec.Watch(child);
  M->SetMdiMaximized(true);
  M->SetMdiMaximized(false);
  EXPECT_FALSE(HasRegion(child));
  EXPECT_TRUE(rec.Only(WM_WINDOWPOSCHANGING, WM_NCCALCSIZE).empty());
  EXPECT_EQ(SendMessageW(child, SKN_QUERY, 0, 0), 1); // its controls are still skinned
  Anchor.Data->SetOptions(options);
}

} // namespace
} // namespace enginetest
