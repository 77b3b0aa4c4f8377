// The geometry the skin imposes on a window: the client rectangle it
// answers, the window state it tracks from sizes, and how the window is
// fitted to the skin when it is taken over.
#include "FrameTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

namespace enginetest {
namespace {

TEST(FrameGeometry, NcCalcSizeGivesTheClientUnderTheSkinsBorders) {
  TSkinnedProbe p(StandardSpec());
  ASSERT_TRUE(p.Skinned());
  HWND wnd = p.Wnd();
  // The real question: the new client rectangle for a new window rectangle.
  WINDOWPOS pos{wnd, nullptr, 10, 20, 300, 200, 0};
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = {10, 20, 310, 220};
  params.rgrc[1] = {0, 0, 1, 1};
  params.rgrc[2] = {0, 0, 1, 1};
  params.lppos = &pos;
  EXPECT_EQ(SendMessageW(wnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params)),
            WVR_VALIDRECTS);
  const RECT want{10 + 4, 20 + 25, 310 - 4, 220 - 4};
  EXPECT_TRUE(EqualRect(&params.rgrc[0], &want));
  EXPECT_TRUE(EqualRect(&params.rgrc[1], &want));
  // The other form of the message keeps the system's answer.
  RECT asked{10, 20, 310, 220}, system = asked;
  EXPECT_EQ(SendMessageW(wnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&asked)), 0);
  DefWindowProcW(wnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&system));
  EXPECT_TRUE(EqualRect(&asked, &system));
}

TEST(FrameGeometry, WindowWithoutCaptionKeepsTheSystemsClient) {
  TSkinnedProbe p(StandardSpec(), WS_POPUP | WS_BORDER);
  ASSERT_TRUE(p.Skinned());
  HWND wnd = p.Wnd();
  WINDOWPOS pos{wnd, nullptr, 10, 20, 300, 200, 0};
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = {10, 20, 310, 220};
  params.lppos = &pos;
  EXPECT_EQ(SendMessageW(wnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params)),
            WVR_VALIDRECTS);
  const RECT bordered{11, 21, 309, 219}; // inside WS_BORDER's line
  EXPECT_TRUE(EqualRect(&params.rgrc[0], &bordered));
  EXPECT_TRUE(EqualRect(&params.rgrc[1], &bordered));
}

TEST(FrameGeometry, SizeMessagesTrackTheWindowState) {
  TSkinnedProbe p(StandardSpec());
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  const struct {
    WPARAM Kind;
    int Before, After;
  } rows[] = {{SIZE_RESTORED, 1, 0}, {SIZE_MINIMIZED, 0, 2}, {SIZE_MAXIMIZED, 0, 1},
              {SIZE_MAXSHOW, 1, 1},  {SIZE_MAXHIDE, 2, 2},   {7, 1, 1}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.Kind);
    e.WindowState = r.Before;
    SendMessageW(p.Wnd(), WM_SIZE, r.Kind, MAKELPARAM(100, 100));
    EXPECT_EQ(e.WindowState, r.After);
  }
  e.WindowState = 0;
}

// Maximized when taken over: the window keeps its place and size, only its
// client moves in under the skin's borders.
TEST(FrameGeometry, MaximizedWindowIsNotResizedAtActivation) {
  TSkinSpec spec = StandardSpec();
  TSkinnedForm anchor(spec);
  TSkinManage* m = SkinManagerObject();
  m->SetEnabled(false);
  TProbeWindow probe(WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MAXIMIZE);
  ShowWindow(probe.Wnd, SW_MAXIMIZE);
  Pump();
  RECT before;
  GetWindowRect(probe.Wnd, &before);
  m->SetEnabled(true);
  ASSERT_TRUE(m->SkinWindow(probe.Wnd));
  TWinSkinForm* e = m->FindFormEngine(probe.Wnd);
  ASSERT_TRUE(PumpUntil([&] { return e->EngineState == 1; }));
  RECT after, client;
  GetWindowRect(probe.Wnd, &after);
  GetClientRect(probe.Wnd, &client);
  EXPECT_TRUE(EqualRect(&before, &after))
      << before.left << "," << before.top << "," << before.right << "," << before.bottom << " / "
      << after.left << "," << after.top << "," << after.right << "," << after.bottom;
  EXPECT_EQ(client.right, (after.right - after.left) - 8);
  EXPECT_EQ(client.bottom, (after.bottom - after.top) - 25 - 4);
  DestroyWindow(probe.Wnd);
  m->PurgeFormEngines();
}

// A dialog box of one button, its caption in the template.
std::vector<DWORD> DialogTemplate(const std::wstring& caption, short width) {
  std::vector<WORD> t;
  auto dword = [&](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  auto text = [&](const std::wstring& s) {
    t.insert(t.end(), s.begin(), s.end());
    t.push_back(0);
  };
  dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE);
  dword(0);
  t.push_back(1); // one control
  t.push_back(20);
  t.push_back(20);
  t.push_back(static_cast<WORD>(width));
  t.push_back(60);
  t.push_back(0); // no menu
  t.push_back(0); // the dialog class
  text(caption);
  if (t.size() % 2) t.push_back(0);
  dword(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
  dword(0);
  t.push_back(5);
  t.push_back(5);
  t.push_back(30);
  t.push_back(14);
  t.push_back(100); // id
  t.push_back(0xFFFF);
  t.push_back(0x0080); // button
  text(L"OK");
  t.push_back(0);
  std::vector<DWORD> out((t.size() + 1) / 2);
  std::memcpy(out.data(), t.data(), t.size() * 2);
  return out;
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

// A dialog box whose caption does not fit grows to hold it, and its
// controls move right by half the growth.
TEST(FrameGeometry, DialogGrowsToItsCaption) {
  TSkinnedForm anchor;
  TSkinManage* m = SkinManagerObject();
  const struct {
    const wchar_t* Caption;
    bool Grows;
  } cases[] = {{L"A dialog box whose caption is much too long for it", true}, {L"Hi", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "grows " << c.Grows);
    m->SetEnabled(false);
    const std::vector<DWORD> tpl = DialogTemplate(c.Caption, 60);
    HWND dlg = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                          reinterpret_cast<LPCDLGTEMPLATEW>(tpl.data()), nullptr,
                                          QuietDialog, 0);
    ASSERT_NE(dlg, nullptr);
    Pump();
    HWND button = GetDlgItem(dlg, 100);
    RECT client, b0;
    GetClientRect(dlg, &client);
    GetWindowRect(button, &b0);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&b0), 2);
    m->SetEnabled(true);
    ASSERT_TRUE(m->SkinWindow(dlg));
    TWinSkinForm* e = m->FindFormEngine(dlg);
    ASSERT_TRUE(PumpUntil([&] { return e->EngineState == 1; }));
    EXPECT_TRUE(e->IsDialogClass);
    EXPECT_EQ(e->DialogCaption, c.Caption);
    const int fitted = client.right + 8, needed = 30 + e->DialogCaptionWidth + 70;
    ASSERT_EQ(needed > fitted, c.Grows) << "the caption is " << e->DialogCaptionWidth << " wide";
    RECT w, b1;
    GetWindowRect(dlg, &w);
    GetWindowRect(button, &b1);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&b1), 2);
    EXPECT_EQ(w.right - w.left, c.Grows ? needed : fitted);
    EXPECT_EQ(b1.left - b0.left, c.Grows ? (needed - fitted) / 2 : 0);
    EXPECT_EQ(b1.right - b1.left, b0.right - b0.left);
    EXPECT_EQ(b1.top, b0.top);
    DestroyWindow(dlg);
    m->PurgeFormEngines();
  }
}

// Minimized, the window is lower than the skin's frame: its client is empty
// rather than inside out, and the caption's buttons still answer the mouse.
TEST(FrameGeometry, MinimizedWindowHasAnEmptyClient) {
  TSkinSpec spec = StandardSpec();
  spec.Top.Size = 40; // taller than a minimized window
  TSkinnedForm f(spec);
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  ShowWindow(f.Wnd(), SW_MINIMIZE);
  Pump();
  RECT client;
  GetClientRect(f.Wnd(), &client);
  EXPECT_GE(client.right, 0);
  EXPECT_EQ(client.bottom, 0);
  EXPECT_EQ(f.Form->ClientHeight(), 0);
  RepaintFrame(f.Wnd());
  const RECT close = e->SysButtons[ButtonIndex(*e, "ButtonClose")]->Bounds;
  ASSERT_LT(close.right, WindowBox(f.Wnd()).right);
  const POINT c = Centre(close);
  SendMessageW(f.Wnd(), WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(f.Wnd(), c.x, c.y));
  EXPECT_EQ(e->HotObject, e->SysButtons[ButtonIndex(*e, "ButtonClose")].get());
  ShowWindow(f.Wnd(), SW_RESTORE);
  Pump();
  GetClientRect(f.Wnd(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
}

// The system's smallest window is measured with its own frame; under a
// thinner skin the same smallest client must still fit, and come back.
TEST(FrameGeometry, SmallWindowKeepsItsClientUnderAThinSkin) {
  TSkinSpec spec = StandardSpec();
  spec.Left.Size = spec.Right.Size = spec.Bottom.Size = 1;
  spec.Top.Size = 12;
  spec.Buttons.clear();
  TSkinnedForm f(spec, 60, 5);
  RECT client;
  GetClientRect(f.Wnd(), &client);
  const TWindowSnapshot before = Snapshot(f.Wnd());
  ASSERT_TRUE(f.Skin());
  RECT skinned;
  GetClientRect(f.Wnd(), &skinned);
  EXPECT_EQ(skinned.right, client.right);
  EXPECT_EQ(skinned.bottom, client.bottom);
  // Resized by the program, it goes as small as that client again.
  const RECT box = WindowBox(f.Wnd());
  SetWindowPos(f.Wnd(), nullptr, 0, 0, box.right + 30, box.bottom + 30,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(f.Wnd(), nullptr, 0, 0, box.right, box.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT again = WindowBox(f.Wnd());
  EXPECT_TRUE(EqualRect(&again, &box));
  f.Unskin();
  const TWindowSnapshot after = Snapshot(f.Wnd());
  EXPECT_TRUE(after == before) << "before " << Describe(before) << "\nafter  " << Describe(after);
}

} // namespace
} // namespace enginetest
