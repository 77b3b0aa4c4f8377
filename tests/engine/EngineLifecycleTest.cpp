// The form engine's lifecycle: what skinning does to a window, in what
// order, and that unskinning gives everything back.
#include "EngineTestUtil.h"
#include "fw/OsVersion.h"
#include "support/MessageSequence.h"

#include <gtest/gtest.h>

namespace enginetest {
namespace {

TEST(EngineGeometry, ClientAreaKeepsItsSizeUnderTheSkinsBorders) {
  TSkinnedForm f(StandardSpec(), 631, 405);
  RECT before;
  GetClientRect(f.Wnd(), &before);
  ASSERT_EQ(before.right, 631);
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  EXPECT_EQ(e->BorderLeft, 4);
  EXPECT_EQ(e->BorderRight, 4);
  EXPECT_EQ(e->CaptionHeight, 25);
  EXPECT_EQ(e->BorderBottom, 4);
  RECT client, window;
  GetClientRect(f.Wnd(), &client);
  GetWindowRect(f.Wnd(), &window);
  EXPECT_EQ(client.right, 631);
  EXPECT_EQ(client.bottom, 405);
  EXPECT_EQ(window.right - window.left, 639);
  EXPECT_EQ(window.bottom - window.top, 434);
  // The client area sits under the top piece and the left border.
  POINT origin{0, 0};
  ClientToScreen(f.Wnd(), &origin);
  EXPECT_EQ(origin.x - window.left, 4);
  EXPECT_EQ(origin.y - window.top, 25);
  EXPECT_EQ(f.Form->ClientWidth(), 631);
  EXPECT_EQ(f.Form->ClientHeight(), 405);
}

TEST(EngineGeometry, HitTestOfCaptionBordersAndClient) {
  TSkinnedForm f;
  ASSERT_TRUE(f.Skin());
  RECT w;
  GetWindowRect(f.Wnd(), &w);
  auto hit = [&](int x, int y) {
    return SendMessageW(f.Wnd(), WM_NCHITTEST, 0, MAKELPARAM(w.left + x, w.top + y));
  };
  const int width = w.right - w.left, height = w.bottom - w.top;
  EXPECT_EQ(hit(width / 2, 12), HTCAPTION);
  EXPECT_EQ(hit(width / 2, 4), HTCAPTION);
  EXPECT_EQ(hit(width / 2, 40), HTCLIENT);
  EXPECT_EQ(hit(1, height / 2), HTLEFT); // sizing borders keep the system's answer
  EXPECT_EQ(hit(width - 2, height / 2), HTRIGHT);
  EXPECT_EQ(hit(width / 2, height - 1), HTBOTTOM);
  const LRESULT top = hit(width / 2, 1); // the top rows keep it too
  EXPECT_TRUE(top == HTTOP || top == HTCAPTION) << top;
  EXPECT_NE(hit(width / 2, 2), HTCLIENT);

  // With a menu band, below the caption is the menu.
  TWinSkinForm* e = f.Engine();
  e->MenuHeight = 20;
  SetWindowPos(f.Wnd(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  EXPECT_EQ(hit(width / 2, 30), HTMENU);
  EXPECT_EQ(hit(width / 2, 20), HTCAPTION);
  EXPECT_EQ(hit(width / 2, 50), HTCLIENT);
  e->MenuHeight = 0;
}

TEST(EngineLifecycle, StartUpOrderFromInitFormToSkinned) {
  TSkinnedForm f;
  msgseq::TRecorder rec;
  rec.Watch(f.Wnd()); // what the procedure before the engine sees
  struct TAfter : TObject {
    void After(TObject*, HWND, const std::wstring&) { Seen = Rec->Messages().size(); }
    msgseq::TRecorder* Rec = nullptr;
    std::size_t Seen = 0;
  } after;
  after.Rec = &rec;
  f.Data->OnAfterSkinForm = TOnSkinForm(&after, &TAfter::After);
  TSkinManage* m = SkinManagerObject();
  m->SetEnabled(true);
  ASSERT_TRUE(m->SkinWindow(f.Wnd()));
  TWinSkinForm* e = f.Engine();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->EngineState, 0);
  // Before activation the standard frame is never drawn.
  SendMessageW(f.Wnd(), WM_NCPAINT, 1, 0);
  SendMessageW(f.Wnd(), WM_NCACTIVATE, TRUE, 0);
  SendMessageW(f.Wnd(), 0x00AE, 0, 0);
  EXPECT_TRUE(msgseq::Matches(rec.Only(WM_NCPAINT, 0xAE), {}));
  rec.Clear();
  ASSERT_TRUE(PumpUntil([&] { return e->EngineState == 1; }));
  // Fitting re-enters with the frame change, then the skin announces itself;
  // OnAfterSkinForm follows the announcement.
  const unsigned maybe = msgseq::sent | msgseq::optional;
  EXPECT_TRUE(msgseq::Matches(rec.Only(WM_WINDOWPOSCHANGING, 0xBC4E),
                              {// fitting the window to the skin
                               {WM_WINDOWPOSCHANGING, msgseq::sent},
                               {WM_NCCALCSIZE, msgseq::sent | msgseq::wparam, TRUE},
                               {WM_STYLECHANGING, maybe},
                               {WM_STYLECHANGED, maybe},
                               {WM_WINDOWPOSCHANGED, msgseq::sent},
                               // the shaped region
                               {WM_WINDOWPOSCHANGING, msgseq::sent},
                               {WM_NCCALCSIZE, msgseq::sent},
                               {WM_WINDOWPOSCHANGED, msgseq::sent},
                               {SKN_SKINNED, msgseq::sent | msgseq::lparam, 0, SKN_MAGIC}}));
  std::size_t skinnedAt = 0;
  for (std::size_t i = 0; i < rec.Messages().size(); ++i)
    if (rec.Messages()[i].Message == SKN_SKINNED) skinnedAt = i + 1;
  EXPECT_GE(after.Seen, skinnedAt);
  f.Data->OnAfterSkinForm = nullptr;
}

TEST(EngineLifecycle, StagesAsTheOldProcedureSeesThem) {
  TSkinnedForm f;
  msgseq::TRecorder rec;
  rec.Watch(f.Wnd());
  auto script = [&] {
    rec.Clear();
    SendMessageW(f.Wnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    rec.Mark();
    SendMessageW(f.Wnd(), 0x00AE, 0, 0);
    rec.Mark();
    SendMessageW(f.Wnd(), WM_APP + 5, 0, 0);
    return rec.Only(WM_SIZE, WM_SIZE).size() + 0 * rec.Messages().size();
  };
  // Unskinned first, to learn what the platform does.
  script();
  EXPECT_TRUE(msgseq::Matches(rec.Messages(), {{WM_SIZE, msgseq::sent},
                                               {msgseq::kMarker},
                                               {0x00AE, msgseq::sent},
                                               {msgseq::kMarker},
                                               {WM_APP + 5, msgseq::sent}}));
  ASSERT_TRUE(f.Skin());
  script();
  // Stage 2 and stage 3 both track the size: the old procedure sees it twice.
  EXPECT_TRUE(msgseq::Matches(rec.Messages(), {{WM_SIZE, msgseq::sent},
                                               {WM_SIZE, msgseq::sent},
                                               {msgseq::kMarker},
                                               {msgseq::kMarker},
                                               {WM_APP + 5, msgseq::sent}}));
  // Every engine answers the query without passing it on, and announces itself.
  rec.Clear();
  EXPECT_EQ(SendMessageW(f.Wnd(), SKN_QUERY, 0, 0), 1);
  EXPECT_TRUE(msgseq::Matches(rec.Messages(), {}));
  Pump();
  EXPECT_TRUE(msgseq::Matches(rec.Messages(),
                              {{SKN_SKINNED, msgseq::posted | msgseq::lparam, 0, SKN_MAGIC}}));
  // Only framework forms answer the outside queries, through their handler.
  EXPECT_EQ(SendMessageW(f.Wnd(), SKN_EXTQUERY, 0, SKN_MAGIC), SKN_MAGIC);
  EXPECT_EQ(SendMessageW(f.Wnd(), SKN_EXTQUERY, 0, 7), 1);
}

TEST(EngineLifecycle, TearDownOnDestructionGivesTheProcedureBackFirst) {
  auto* f = new TSkinnedForm;
  ASSERT_TRUE(f->Skin());
  HWND wnd = f->Wnd();
  msgseq::TRecorder rec;
  rec.Watch(wnd); // a subclass after the engine: the engine stays a pass-through
  TSkinManage* m = SkinManagerObject();
  const std::size_t engines = m->FormEngines.size();
  DestroyWindow(wnd);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(m->FormEngines.size(), engines); // marked destroyed, freed at the next purge
  ASSERT_FALSE(rec.Messages().empty());
  EXPECT_EQ(rec.Messages().back().Message, static_cast<UINT>(WM_NCDESTROY));
  m->PurgeFormEngines();
  EXPECT_EQ(m->FormEngines.size(), engines - 1);
  delete f;
}

TEST(EngineRestore, UnskinGivesEverythingBack) {
  struct {
    const char* Name;
    bool Maximized;
  } cases[] = {{"normal", false}, {"maximized", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSkinnedForm f;
    if (c.Maximized) ShowWindow(f.Wnd(), SW_MAXIMIZE);
    Pump();
    const TColor color = f.Form->Color();
    const TWindowSnapshot before = Snapshot(f.Wnd());
    ASSERT_TRUE(f.Skin());
    const TWindowSnapshot skinned = Snapshot(f.Wnd());
    EXPECT_NE(skinned.Proc, before.Proc);
    EXPECT_EQ(f.Form->Color(), f.Engine()->FaceColor());
    f.Unskin();
    EXPECT_EQ(f.Engine(), nullptr);
    const TWindowSnapshot after = Snapshot(f.Wnd());
    EXPECT_TRUE(after == before) << "before " << Describe(before) << "\nafter  " << Describe(after);
    EXPECT_EQ(f.Form->Color(), color);
    // The window works as before: a message reaches the framework.
    EXPECT_EQ(SendMessageW(f.Wnd(), SKN_QUERY, 0, 0), 0);
  }
}

// Engines made for bare windows of each style, and what they read off them.
TEST(EngineInit, FrameKindButtonsAndStateByStyle) {
  struct {
    const char* Name;
    DWORD Style, ExStyle;
    int FrameKind, FrameButtons, WindowState;
  } cases[] = {
      {"overlapped", WS_OVERLAPPEDWINDOW, 0, 0, 1 | 2 | 8, 0},
      {"fixed caption", WS_CAPTION | WS_SYSMENU, 0, 1, 8, 0},
      {"no caption", WS_POPUP | WS_BORDER, 0, 2, 0, 0},
      {"modal frame", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 3, 0, 0},
      {"dialog ex style", WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, 3, 8, 0},
      {"help", WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP, 1, 8 | 4, 0},
      {"maximized", WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, 0, 0, 1 | 2 | 8, 1},
      {"minimized", WS_OVERLAPPEDWINDOW | WS_MINIMIZE, 0, 0, 1 | 2 | 8, 2},
  };
  TSkinnedForm anchor; // its skin data is the main one
  TSkinManage* m = SkinManagerObject();
  m->SetEnabled(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    m->SetEnabled(false); // not skinned by the activation that comes with showing
    HWND wnd = CreateWindowExW(c.ExStyle, PlainClass(), L"bare", c.Style | WS_VISIBLE, 50, 50, 300,
                               200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    m->SetEnabled(true);
    ASSERT_TRUE(m->SkinWindow(wnd));
    TWinSkinForm* e = m->FindFormEngine(wnd);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->FrameKind, c.FrameKind);
    EXPECT_EQ(e->FrameButtons & 15, c.FrameButtons);
    EXPECT_EQ(e->WindowState, c.WindowState);
    EXPECT_EQ(e->Form, nullptr);
    if (c.FrameKind == 2) {
      Pump();
      EXPECT_EQ(e->BorderLeft + e->CaptionHeight + e->BorderRight + e->BorderBottom, 0);
    }
    DestroyWindow(wnd);
    m->PurgeFormEngines();
  }
}

TEST(EngineInit, SystemMenuStyleKeptOnlyWhereTheSystemNeedsIt) {
  struct {
    const char* Name;
    TOsVersion Version;
    bool Owned;
    DWORD ExStyle;
    bool Keep;
  } cases[] = {
      {"7, unowned", {true, 6, 1}, false, 0, false},
      {"10, unowned", {true, 10, 0}, false, 0, true},
      {"10, owned", {true, 10, 0}, true, 0, false},
      {"2000, owned app window", {true, 5, 0}, true, WS_EX_APPWINDOW, true},
      {"Vista, unowned", {true, 6, 0}, false, 0, true},
  };
  TSkinnedForm anchor;
  TSkinManage* m = SkinManagerObject();
  m->SetEnabled(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TOsVersionOverride version(c.Version);
    m->SetEnabled(false);
    HWND wnd = CreateWindowExW(c.ExStyle, PlainClass(), L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               50, 50, 300, 200, c.Owned ? anchor.Wnd() : nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    m->SetEnabled(true);
    ASSERT_TRUE(m->SkinWindow(wnd));
    TWinSkinForm* e = m->FindFormEngine(wnd);
    EXPECT_EQ((e->FrameButtons & 16) != 0, c.Keep);
    ASSERT_TRUE(PumpUntil([&] { return e->EngineState == 1; }));
    RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ((GetWindowLongPtrW(wnd, GWL_STYLE) & WS_SYSMENU) != 0, c.Keep);
    DestroyWindow(wnd);
    m->PurgeFormEngines();
  }
}

} // namespace
} // namespace enginetest
