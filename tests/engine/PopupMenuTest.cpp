// Popup-menu windows: which ones get a painter, the manager's list of
// painters and its helpers, and what the painter does to a menu window:
// first on a stand-in window whose messages can be watched behind the
// painter, then on real menus opened with TrackPopupMenu and by an edit.
#include "ManagerTestUtil.h"
#include "fw/Edit.h"
#include "skin/form/PopupMenu.h"
#include "skin/data/ImgUtilGdi.h"
#include "support/MessageSequence.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace enginetest {
namespace {

LRESULT CALLBACK AnswersQueryProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SKN_QUERY) return 1;
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

const TColor kStandInBrush = MakeColor(1, 200, 3);

// A popup window standing in for a menu window: its class erases with a
// known colour.
const wchar_t* StandInClass() {
  static HBRUSH brush = CreateSolidBrush(ColorToRGB(kStandInBrush));
  return TestWindowClass(L"PopupStandIn", DefWindowProcW, brush);
}

struct TStandIn : TTestWindow {
  TStandIn() : TTestWindow(StandInClass(), WS_POPUP | WS_VISIBLE, 0, {500, 400, 620, 480}) {}
};

TWinSkinPopMenu* PainterOf(HWND wnd) {
  for (TWinSkinPopMenu* p : Manager()->PopupMenus)
    if (p->MenuWindow == wnd) return p;
  return nullptr;
}

void FillWindow(HWND wnd, TColor color) {
  HDC dc = GetWindowDC(wnd);
  RECT r;
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  ReleaseDC(wnd, dc);
}

// --- Which windows get a painter -------------------------------------------------------

TEST(PopupAttach, ByPopupKindAndSkinControls) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  TManagerEnabled on(true);
  const TSkinControlTypes saved = anchor.Data->SkinControls();
  const TSkinControlTypes menuKinds = SkinControlBit(xcPopupMenu) | SkinControlBit(xcMainMenu) |
                                      SkinControlBit(xcMenuItem) | SkinControlBit(xcSystemMenu);
  auto only = [&](std::initializer_list<TSkinControlType> kinds) {
    TSkinControlTypes set = saved & ~menuKinds;
    for (TSkinControlType k : kinds)
      set |= SkinControlBit(k);
    return set;
  };
  struct TRow {
    int PopupKind;
    TSkinControlTypes Controls;
    bool Skinned;
  };
  const TRow rows[] = {
      {0, only({xcPopupMenu}), true},
      {0, only({xcMainMenu, xcMenuItem, xcSystemMenu}), false},
      {1, only({xcMainMenu}), true},
      {1, only({xcMenuItem}), true},
      {1, only({xcPopupMenu, xcSystemMenu}), false},
      {2, only({xcSystemMenu}), true},
      {2, only({xcPopupMenu, xcMainMenu, xcMenuItem}), false},
      {7, only({}), true},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE("kind " + std::to_string(r.PopupKind) + " controls " + std::to_string(r.Controls));
    TStandIn w;
    const LONG_PTR proc = GetWindowLongPtrW(w.Wnd, GWLP_WNDPROC);
    anchor.Data->SetSkinControls(r.Controls);
    m->PopupKind = r.PopupKind;
    m->AttachPopupMenu(w.Wnd);
    EXPECT_EQ(m->IsPopupMenuSkinned(w.Wnd), r.Skinned);
    EXPECT_EQ(GetWindowLongPtrW(w.Wnd, GWLP_WNDPROC) != proc, r.Skinned);
    EXPECT_EQ(SendMessageW(w.Wnd, SKN_QUERY, 0, 0), r.Skinned ? 1 : 0);
    if (TWinSkinPopMenu* p = PainterOf(w.Wnd)) {
      EXPECT_EQ(p->SkinData, anchor.Data);
      EXPECT_EQ(p->MenuHandle, nullptr);
      EXPECT_EQ(p->FromMenuBar, 0);
    }
    m->ReleasePopupMenu(w.Wnd);
  }
  anchor.Data->SetSkinControls(saved);
  m->PopupKind = 0;
}

TEST(PopupAttach, WindowsThatGetNoPainter) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  TManagerEnabled on(true);
  {
    SCOPED_TRACE("the manager switched off");
    TStandIn w;
    m->SetEnabled(false);
    m->AttachPopupMenu(w.Wnd);
    m->SetEnabled(true);
    EXPECT_FALSE(m->IsPopupMenuSkinned(w.Wnd));
  }
  {
    SCOPED_TRACE("a window answering SKN_QUERY");
    TTestWindow w(TestWindowClass(L"PopupAnswersQuery", AnswersQueryProc), WS_POPUP);
    m->AttachPopupMenu(w.Wnd);
    EXPECT_FALSE(m->IsPopupMenuSkinned(w.Wnd));
  }
  {
    SCOPED_TRACE("a window with a painter already");
    TStandIn w;
    m->AttachPopupMenu(w.Wnd);
    m->AttachPopupMenu(w.Wnd);
    EXPECT_EQ(m->PopupMenus.size(), 1u);
    m->ReleasePopupMenu(w.Wnd);
  }
  {
    SCOPED_TRACE("its skin data has no skin loaded");
    TSkinDataListScope list;
    TSkinData unloaded(nullptr);
    m->SkinDatas.push_back(&unloaded);
    TStandIn w;
    m->AttachPopupMenu(w.Wnd);
    EXPECT_FALSE(m->IsPopupMenuSkinned(w.Wnd));
  }
  {
    SCOPED_TRACE("no skin data");
    TSkinDataListScope list;
    m->SkinDatas.clear();
    TStandIn w;
    m->AttachPopupMenu(w.Wnd);
    EXPECT_FALSE(m->IsPopupMenuSkinned(w.Wnd));
  }
  EXPECT_TRUE(m->PopupMenus.empty());
}

// --- The list and its helpers -------------------------------------------------------------

TEST(PopupList, TheLastPainterToGoResetsTheKindOfPopup) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  TManagerEnabled on(true);
  TStandIn a, b;
  const LONG_PTR procA = GetWindowLongPtrW(a.Wnd, GWLP_WNDPROC);
  m->PopupKind = 2;
  m->AttachPopupMenu(a.Wnd);
  m->MenuBarPopup = true;
  m->AttachPopupMenu(b.Wnd);
  ASSERT_EQ(m->PopupMenus.size(), 2u);
  EXPECT_EQ(PainterOf(a.Wnd)->FromMenuBar, 0);
  EXPECT_EQ(PainterOf(b.Wnd)->FromMenuBar, 1); // opened while the menu bar said so
  EXPECT_TRUE(m->ReleasePopupMenu(a.Wnd));
  EXPECT_EQ(GetWindowLongPtrW(a.Wnd, GWLP_WNDPROC), procA);
  EXPECT_EQ(SendMessageW(a.Wnd, SKN_QUERY, 0, 0), 0);
  EXPECT_FALSE(m->ReleasePopupMenu(a.Wnd));
  EXPECT_EQ(m->PopupKind, 2);
  EXPECT_TRUE(m->MenuBarPopup);
  EXPECT_TRUE(m->ReleasePopupMenu(b.Wnd));
  EXPECT_EQ(m->PopupKind, 0);
  EXPECT_FALSE(m->MenuBarPopup);
  // With no painter at all, a release of any window resets them too.
  m->PopupKind = 1;
  m->MenuBarPopup = true;
  EXPECT_FALSE(m->ReleasePopupMenu(a.Wnd));
  EXPECT_EQ(m->PopupKind, 0);
  EXPECT_FALSE(m->MenuBarPopup);
}

TEST(PopupList, MenuHandlesGoToTheNewestUnclaimedPainter) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  TManagerEnabled on(true);
  TStandIn a, b, c;
  for (HWND w : {a.Wnd, b.Wnd, c.Wnd})
    m->AttachPopupMenu(w);
  TWinSkinPopMenu *pa = PainterOf(a.Wnd), *pb = PainterOf(b.Wnd), *pc = PainterOf(c.Wnd);
  ASSERT_TRUE(pa && pb && pc);
  const HMENU m1 = CreatePopupMenu(), m2 = CreatePopupMenu(), m3 = CreatePopupMenu(),
              m4 = CreatePopupMenu();
  pc->MenuHandle = m1;
  m->SetPopupMenuHandle(m2);
  EXPECT_EQ(pb->MenuHandle, m2);
  EXPECT_EQ(pa->MenuHandle, nullptr);
  m->SetPopupMenuHandle(m3);
  EXPECT_EQ(pa->MenuHandle, m3);
  m->SetPopupMenuHandle(m4); // every painter has its menu
  EXPECT_EQ(pa->MenuHandle, m3);
  EXPECT_EQ(pb->MenuHandle, m2);
  EXPECT_EQ(pc->MenuHandle, m1);
  EXPECT_EQ(m->FindPopupBitmap(m2), &pb->Background);
  EXPECT_EQ(m->FindPopupBitmap(m1), &pc->Background);
  EXPECT_EQ(m->FindPopupBitmap(m4), nullptr);

  m->MarkPopupsFromMenuBar();
  for (TWinSkinPopMenu* p : {pa, pb, pc})
    EXPECT_EQ(p->FromMenuBar, 1);
  for (HWND w : {a.Wnd, b.Wnd, c.Wnd})
    m->ReleasePopupMenu(w);
  for (HMENU h : {m1, m2, m3, m4})
    DestroyMenu(h);
}

// --- The painter, watched from behind ----------------------------------------------------------

TEST(PopupPainter, WhatReachesTheMenuWindowsOwnProcedure) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  TManagerEnabled on(true);
  TStandIn w;
  msgseq::TRecorder rec;
  rec.Watch(w.Wnd); // behind the painter: what the menu's own procedure gets
  m->AttachPopupMenu(w.Wnd);
  ASSERT_TRUE(m->IsPopupMenuSkinned(w.Wnd));
  const TColor background = StandardSpec().MenuBackground;
  RECT r;
  GetWindowRect(w.Wnd, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HRGN rgn = CreateRectRgn(0, 0, 10, 10);

  rec.Clear();
  EXPECT_EQ(SendMessageW(w.Wnd, SKN_QUERY, 0, 0), 1);
  rec.Mark();
  // The whole window is the menu's: drawn from the skin, never by the system.
  FillWindow(w.Wnd, MakeColor(9, 9, 9));
  SendMessageW(w.Wnd, WM_NCPAINT, 1, 0);
  for (POINT p :
       {POINT{0, 0}, POINT{2, 2}, POINT{width / 2, height / 2}, POINT{width - 1, height - 1}})
    EXPECT_EQ(WindowPixel(w.Wnd, p.x, p.y), background) << p.x << "," << p.y;
  rec.Mark();
  // A region is the system's business: passed on as it came.
  SendMessageW(w.Wnd, WM_NCPAINT, reinterpret_cast<WPARAM>(rgn), 0);
  EXPECT_TRUE(msgseq::Matches(rec.Messages(), {{msgseq::kMarker},
                                               {msgseq::kMarker},
                                               {WM_NCPAINT, msgseq::sent | msgseq::wparam,
                                                reinterpret_cast<WPARAM>(rgn)}}));

  // Erasing: passed on unless the skin's background is to show alone; the
  // answer is 1 either way.
  const TSkinOptions options = anchor.Data->Options();
  for (bool menuBG : {false, true}) {
    SCOPED_TRACE(menuBG ? "xoMenuBG" : "no xoMenuBG");
    anchor.Data->SetOptions(menuBG ? options | SkinOptionBit(xoMenuBG)
                                   : options & ~SkinOptionBit(xoMenuBG));
    FillWindow(w.Wnd, MakeColor(9, 9, 9));
    rec.Clear();
    HDC dc = GetDC(w.Wnd);
    EXPECT_EQ(SendMessageW(w.Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(w.Wnd, dc);
    EXPECT_EQ(rec.Only(WM_ERASEBKGND, WM_ERASEBKGND).size(), menuBG ? 0u : 1u);
    EXPECT_EQ(WindowPixel(w.Wnd, width / 2, height / 2),
              menuBG ? MakeColor(9, 9, 9) : kStandInBrush);
  }
  anchor.Data->SetOptions(options);

  // Switched off, the painter only passes everything on (except the query).
  m->SetEnabled(false);
  rec.Clear();
  FillWindow(w.Wnd, MakeColor(9, 9, 9));
  SendMessageW(w.Wnd, WM_NCPAINT, 1, 0);
  EXPECT_EQ(SendMessageW(w.Wnd, SKN_QUERY, 0, 0), 1);
  EXPECT_TRUE(msgseq::Matches(rec.Messages(), {{WM_NCPAINT, msgseq::sent}}));
  EXPECT_EQ(WindowPixel(w.Wnd, width / 2, height / 2), MakeColor(9, 9, 9));
  m->SetEnabled(true);

  // A WM_DESTROY that still reaches the painter lets go of the window first.
  rec.Clear();
  SendMessageW(w.Wnd, WM_DESTROY, 0, 0);
  EXPECT_TRUE(msgseq::Matches(rec.Messages(), {{WM_DESTROY, msgseq::sent}}));
  EXPECT_EQ(SendMessageW(w.Wnd, SKN_QUERY, 0, 0), 0);
  EXPECT_TRUE(m->ReleasePopupMenu(w.Wnd)); // the list still had it; nothing is undone twice
  DeleteObject(rgn);
}

TEST(PopupPainter, WithoutABackgroundPictureTheSystemPaints) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  TManagerEnabled on(true);
  TStandIn w;
  msgseq::TRecorder rec;
  rec.Watch(w.Wnd);
  m->AttachPopupMenu(w.Wnd);
  TDataSkinObject* e = anchor.Data->Skin().Element(ssMenuBackground);
  ASSERT_NE(e, nullptr);
  Bitmap picture;
  std::swap(picture, e->Image);
  rec.Clear();
  SendMessageW(w.Wnd, WM_NCPAINT, 1, 0);
  TMemoryDC dc;
  SendMessageW(w.Wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc.Get()), PRF_NONCLIENT);
  EXPECT_TRUE(msgseq::Matches(rec.Only(WM_NCPAINT, WM_NCPAINT),
                              {{WM_NCPAINT, msgseq::sent | msgseq::wparam, 1}}));
  EXPECT_TRUE(msgseq::Matches(rec.Only(WM_PRINT, WM_PRINT), {{WM_PRINT, msgseq::sent}}));
  std::swap(picture, e->Image);
  m->ReleasePopupMenu(w.Wnd);
}

// --- Real menus ---------------------------------------------------------------------------

// The visible menu windows of this thread.
std::vector<HWND> MenuWindows() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM list) {
        wchar_t cls[16] = {};
        GetClassNameW(wnd, cls, 16);
        if (std::wstring(cls) == L"#32768" && IsWindowVisible(wnd))
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Opens a menu (open runs the menu's own loop) and calls step from a timer
// inside that loop until it says it is done; then the menu is closed.
class TMenuSession {
public:
  static bool Run(const std::function<void()>& open, std::function<bool()> step) {
    FStep = std::move(step);
    FDone = false;
    FTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, Tick);
    open();
    KillTimer(nullptr, timer);
    Pump();
    return FDone;
  }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (FDone) return;
    if (++FTicks > 100) {
      EndMenu();
      return;
    }
    if (MenuWindows().empty()) return;
    for (HWND menu : MenuWindows())
      UpdateWindow(menu);
    if (!FStep()) return;
    FDone = true;
    EndMenu();
  }
  static inline std::function<bool()> FStep;
  static inline bool FDone = false;
  static inline int FTicks = 0;
};

// The three outer rows and columns of a menu window (sampled) show the colour.
bool FrameShows(const Bitmap& pixels, TColor color) {
  bool all = true;
  const int w = pixels.Width(), h = pixels.Height();
  for (int i = 0; i < TWinSkinPopMenu::kFrame; ++i)
    for (POINT p : {POINT{i, i}, POINT{w / 2, i}, POINT{i, h / 2}, POINT{w - 1 - i, h - 1 - i},
                    POINT{w / 2, h - 1 - i}, POINT{w - 1 - i, h / 2}})
      all = all && pixels.At(p.x, p.y) == color;
  return all;
}

// Pixels inside the frame where two pictures of a menu differ; -1 when
// their sizes differ.
int DifferentInside(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  const int f = TWinSkinPopMenu::kFrame;
  int n = 0;
  for (int y = f; y < a.Height() - f; ++y)
    for (int x = f; x < a.Width() - f; ++x)
      n += a.At(x, y) != b.At(x, y);
  return n;
}

// Pixels inside the frame unlike the one in the middle of the bottom margin:
// the items' text.
int InkInside(const Bitmap& a) {
  const TColor face = a.At(a.Width() / 2, a.Height() - TWinSkinPopMenu::kFrame - 1);
  const int f = TWinSkinPopMenu::kFrame;
  int n = 0;
  for (int y = f; y < a.Height() - f; ++y)
    for (int x = f; x < a.Width() - f; ++x)
      n += a.At(x, y) != face;
  return n;
}

Bitmap ScreenPixels(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  HDC dc = GetWindowDC(wnd);
  Bitmap b = BitmapFromDC(dc, {0, 0, r.right - r.left, r.bottom - r.top});
  ReleaseDC(wnd, dc);
  return b;
}

HMENU SmallMenu(HMENU sub = nullptr) {
  HMENU menu = CreatePopupMenu();
  if (sub) AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"More");
  AppendMenuW(menu, MF_STRING, 1, L"Open");
  AppendMenuW(menu, MF_STRING, 2, L"Close");
  return menu;
}

void Track(HMENU menu, HWND owner) {
  TrackPopupMenu(menu, TPM_RETURNCMD, 300, 250, 0, owner, nullptr);
}

class PopupRealMenu : public ::testing::Test {
protected:
  void SetUp() override {
    SetCursorPos(2, 2); // no item under the pointer
    ASSERT_TRUE(Form.Skin());
  }
  TSkinnedForm Form;
  const TColor Background = StandardSpec().MenuBackground;
};

// The frame is the skin's; inside it the items are the system's until the
// menu items are drawn by the skin.
TEST_F(PopupRealMenu, TheFrameShowsTheSkinsBackgroundAroundTheItems) {
  TSkinManage* m = Manager();
  HMENU menu = SmallMenu();
  auto look = [&](bool skinned) {
    TManagerEnabled on(skinned);
    Bitmap pixels;
    EXPECT_TRUE(TMenuSession::Run([&] { Track(menu, Form.Wnd()); },
                                  [&] {
                                    HWND shown = MenuWindows().front();
                                    EXPECT_EQ(m->IsPopupMenuSkinned(shown), skinned);
                                    EXPECT_EQ(SendMessageW(shown, SKN_QUERY, 0, 0),
                                              skinned ? 1 : 0);
                                    pixels = ScreenPixels(shown);
                                    return true;
                                  }));
    return pixels;
  };
  const Bitmap plain = look(false);
  const Bitmap skinned = look(true);
  EXPECT_FALSE(FrameShows(plain, Background));
  EXPECT_TRUE(FrameShows(skinned, Background));
  EXPECT_GT(InkInside(plain), 20);
  EXPECT_EQ(DifferentInside(plain, skinned), 0);
  EXPECT_TRUE(m->PopupMenus.empty());
  EXPECT_EQ(m->PopupKind, 0);
  // The menu is as it was: shown without a skin, it has the system's look.
  EXPECT_EQ(DifferentInside(plain, look(false)), 0);
  EXPECT_FALSE(FrameShows(look(false), Background));
  DestroyMenu(menu);
}

TEST_F(PopupRealMenu, SwitchedOffThePainterIsTransparent) {
  TSkinManage* m = Manager();
  HMENU menu = SmallMenu();
  ASSERT_TRUE(TMenuSession::Run([&] { Track(menu, Form.Wnd()); },
                                [&] {
                                  HWND shown = MenuWindows().front();
                                  EXPECT_TRUE(m->IsPopupMenuSkinned(shown));
                                  EXPECT_TRUE(FrameShows(ScreenPixels(shown), Background));
                                  m->SetEnabled(false);
                                  RedrawWindow(shown, nullptr, nullptr,
                                               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME |
                                                   RDW_UPDATENOW);
                                  EXPECT_FALSE(FrameShows(ScreenPixels(shown), Background));
                                  m->SetEnabled(true);
                                  return true;
                                }));
  EXPECT_TRUE(m->PopupMenus.empty());
  DestroyMenu(menu);
}

TEST_F(PopupRealMenu, AContextMenuNeedsPopupMenusInTheSkinControls) {
  TSkinManage* m = Manager();
  const TSkinControlTypes controls = Form.Data->SkinControls();
  Form.Data->SetSkinControls(controls & ~SkinControlBit(xcPopupMenu));
  HMENU menu = SmallMenu();
  ASSERT_TRUE(TMenuSession::Run([&] { Track(menu, Form.Wnd()); },
                                [&] {
                                  EXPECT_FALSE(m->IsPopupMenuSkinned(MenuWindows().front()));
                                  EXPECT_FALSE(
                                      FrameShows(ScreenPixels(MenuWindows().front()), Background));
                                  return true;
                                }));
  Form.Data->SetSkinControls(controls);
  DestroyMenu(menu);
}

// Printed into a DC that may have a clip region of its own (the left
// part of the window): what the DC shows, and its state afterwards.
struct TPrinted {
  Bitmap Pixels;
  int BkMode = 0;
  int ClipKind = -1; // GetClipRgn: 0 none, 1 a region
  RECT ClipBox{};
};

TPrinted Print(HWND wnd, bool clipped) {
  RECT r;
  GetWindowRect(wnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  TMemoryDC dc;
  TGdiBitmap target(CreateDibFromBitmap(Bitmap(w, h, clWhite)));
  HGDIOBJ old = SelectObject(dc.Get(), target.Get());
  if (clipped) {
    TGdiRegion left(CreateRectRgn(0, 0, w / 2, h));
    SelectClipRgn(dc.Get(), left.Get());
  }
  SendMessageW(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc.Get()),
               PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  TPrinted p;
  p.BkMode = GetBkMode(dc.Get());
  TGdiRegion clip(CreateRectRgn(0, 0, 0, 0));
  p.ClipKind = GetClipRgn(dc.Get(), clip.Get());
  if (p.ClipKind == 1) GetRgnBox(clip.Get(), &p.ClipBox);
  SelectObject(dc.Get(), old);
  p.Pixels = BitmapFromHandle(target.Get());
  return p;
}

TEST_F(PopupRealMenu, PrintingGivesTheBackgroundWithTheItemsInsideTheFrame) {
  HMENU menu = SmallMenu();
  auto printed = [&](bool skinned, bool clipped) {
    TManagerEnabled on(skinned);
    TPrinted p;
    EXPECT_TRUE(TMenuSession::Run([&] { Track(menu, Form.Wnd()); },
                                  [&] {
                                    p = Print(MenuWindows().front(), clipped);
                                    return true;
                                  }));
    return p;
  };
  const TPrinted plain = printed(false, false), skinned = printed(true, false);
  EXPECT_TRUE(FrameShows(skinned.Pixels, Background));
  EXPECT_FALSE(FrameShows(plain.Pixels, Background));
  // The items are printed inside the frame as the system prints them.
  EXPECT_GT(InkInside(skinned.Pixels), 20);
  EXPECT_EQ(DifferentInside(plain.Pixels, skinned.Pixels), 0);
  // The DC is given back as it came.
  EXPECT_EQ(skinned.BkMode, OPAQUE);
  EXPECT_EQ(skinned.ClipKind, 0);

  // A DC clipped by its caller keeps its clip region, and nothing is drawn
  // outside it.
  const TPrinted clipped = printed(true, true);
  const int w = clipped.Pixels.Width(), h = clipped.Pixels.Height();
  EXPECT_EQ(clipped.ClipKind, 1);
  const RECT left{0, 0, w / 2, h};
  EXPECT_TRUE(EqualRect(&clipped.ClipBox, &left));
  EXPECT_EQ(clipped.BkMode, OPAQUE);
  int outside = 0, frame = 0;
  for (int y = 0; y < h; ++y)
    for (int x = w / 2; x < w; ++x)
      outside += clipped.Pixels.At(x, y) != clWhite;
  for (int y = 0; y < h; ++y)
    frame += clipped.Pixels.At(1, y) == Background;
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(frame, h);
  DestroyMenu(menu);
}

TEST_F(PopupRealMenu, ASubMenuGetsAPainterOfItsOwn) {
  TSkinManage* m = Manager();
  HMENU sub = SmallMenu();
  AppendMenuW(sub, MF_STRING, 3, L"A much longer item than the others");
  HMENU menu = SmallMenu(sub);
  int stage = 0;
  ASSERT_TRUE(TMenuSession::Run(
      [&] { Track(menu, Form.Wnd()); },
      [&] {
        if (stage++ == 0) {
          HWND shown = MenuWindows().front();
          PostMessageW(shown, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageW(shown, WM_KEYDOWN, VK_RIGHT, 0);
          return false;
        }
        if (MenuWindows().size() < 2) return stage > 20;
        EXPECT_EQ(m->PopupMenus.size(), 2u);
        for (TWinSkinPopMenu* p : m->PopupMenus) {
          RECT r;
          GetWindowRect(p->MenuWindow, &r);
          EXPECT_EQ(p->Background.Width(), r.right - r.left);
          EXPECT_EQ(p->Background.Height(), r.bottom - r.top);
          EXPECT_TRUE(FrameShows(ScreenPixels(p->MenuWindow), Background));
        }
        if (m->PopupMenus.size() == 2) {
          EXPECT_NE(m->PopupMenus[0]->Background.Width(), m->PopupMenus[1]->Background.Width());
        }
        return true;
      }));
  EXPECT_GE(stage, 2);
  EXPECT_TRUE(m->PopupMenus.empty());
  DestroyMenu(menu);
}

TEST_F(PopupRealMenu, AnEditsContextMenuShowsTheSkinsBackgroundInItsFrame) {
  TSkinManage* m = Manager();
  auto* edit = new TEdit(Form.Form);
  edit->SetParent(Form.Form);
  edit->SetBounds(10, 10, 150, 22);
  const HWND wnd = edit->Handle();
  bool seen = false;
  ASSERT_TRUE(TMenuSession::Run(
      [&] {
        SendMessageW(wnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(300, 250));
      },
      [&] {
        HWND shown = MenuWindows().front();
        seen = m->IsPopupMenuSkinned(shown);
        EXPECT_TRUE(FrameShows(ScreenPixels(shown), Background));
        return true;
      }));
  EXPECT_TRUE(seen);
  EXPECT_TRUE(m->PopupMenus.empty());
}

} // namespace
} // namespace enginetest
