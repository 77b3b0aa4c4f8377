// The title bar's decision tables: which buttons show and act, where they
// go, what a click does, the non-client mouse rules, where the caption text
// goes, and the caption-button hint.
#include "FrameTestUtil.h"
#include "fw/OsVersion.h"
#include "support/WinTestUtil.h"

#include <gtest/gtest.h>

#include <sstream>

namespace enginetest {
namespace {

TButtonSpec Button(const std::string& section, int action, int align, int x, int y,
                   int visibility = 0, int visibility1 = 0, int frames = 4) {
  return {section, action, align, x, y, visibility, visibility1, frames, 16, 14, ButtonColors(110)};
}

// --- Which buttons show --------------------------------------------------------------

// The engine's state for one column of the visibility tables.
struct TButtonState {
  const char* Name;
  bool Maximized, Active;
  int FrameButtons, FrameKind;
  bool DialogClass;
};
const TButtonState kStates[] = {
    {"A: normal, active, every box", false, true, 1 | 2 | 8, 0, false},
    {"B: maximized, inactive, system menu only", true, false, 8, 1, false},
    {"C: dialog frame, active, help only", false, true, 4, 3, false},
    {"D: dialog class, inactive, minimize and help", false, false, 2 | 4, 3, true},
};

void Apply(TWinSkinForm& e, const TButtonState& s) {
  e.WindowState = s.Maximized ? 1 : 0;
  e.Active = s.Active;
  e.FrameButtons = s.FrameButtons;
  e.FrameKind = s.FrameKind;
  e.IsDialogClass = s.DialogClass;
}

struct TVisibilityRow {
  int Visibility, Visibility1, Action;
  const char* Shown; // per state A B C D
  const char* Enabled = "1111";
};
const TVisibilityRow kVisibilityRows[] = {
    // Visibility, with Visibility1 0
    {0, 0, 50, "1111"},
    {1, 0, 50, "0100"},
    {2, 0, 50, "1011"},
    {3, 0, 50, "1010"},
    {4, 0, 50, "0101"},
    {5, 0, 50, "0000"},
    {6, 0, 50, "1000"},
    {7, 0, 50, "0111"},
    {8, 0, 50, "1000"},
    {9, 0, 50, "0110"},
    {10, 0, 50, "0010"},
    {100, 0, 50, "0000"}, // no menu bar here
    {200, 0, 50, "0010"},
    {201, 0, 50, "1111"},
    {555, 0, 50, "1111"},
    {999, 0, 50, "1111"},
    {-1, 0, 50, "0000"},
    {11, 0, 50, "0000"},
    {99, 0, 50, "0000"},
    {101, 0, 50, "0000"},
    {199, 0, 50, "0000"},
    {2001, 0, 50, "0000"},
    {-1000, 0, 50, "0000"},
    // Visibility1, with Visibility 0: the second condition of 6, 8 and 10
    // leaves out the system menu and the other boxes.
    {0, 1, 50, "0100"},
    {0, 5, 50, "0000"},
    {0, 6, 50, "1001"},
    {0, 8, 50, "1001"},
    {0, 10, 50, "0011"},
    {0, 200, 50, "0010"},
    {0, 1000, 50, "1111"},
    {0, 2000, 50, "1111"},
    {0, -1, 50, "0000"},
    {3, 100, 50, "1010"}, // 100 takes the first condition's result
    {1, 100, 50, "0100"},
    {3, 4, 50, "0000"},
    // The action's own rules.
    {0, 0, 0, "1100"},
    {0, 0, 1, "1111", "1000"},
    {0, 0, 2, "1111", "1000"},
    {0, 0, 3, "1100"},
    {0, 0, 11, "1100"},
    {0, 0, 12, "1100"},
    {0, 0, 4, "1111"},
    {0, 0, 22, "1111"},
    {1, 0, 0, "0100"},
};

TEST(TitleButtons, EvalButtonTable) {
  TSkinSpec spec;
  int n = 0;
  for (const TVisibilityRow& r : kVisibilityRows)
    spec.Buttons.push_back(
        Button("ButtonRow" + std::to_string(n++), r.Action, 0, 30, 4, r.Visibility, r.Visibility1));
  TSkinnedProbe p(spec);
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  for (int s = 0; s < 4; ++s) {
    Apply(e, kStates[s]);
    for (std::size_t i = 0; i < std::size(kVisibilityRows); ++i) {
      const TVisibilityRow& r = kVisibilityRows[i];
      SCOPED_TRACE(testing::Message()
                   << kStates[s].Name << "; Visibility " << r.Visibility << ", Visibility1 "
                   << r.Visibility1 << ", Action " << r.Action);
      const int index = ButtonIndex(e, "ButtonRow" + std::to_string(i));
      e.SysButtons[index]->Enabled = true;
      EXPECT_EQ(e.EvalButton(index), r.Shown[s] == '1');
      EXPECT_EQ(e.SysButtons[index]->Visible, r.Shown[s] == '1');
      EXPECT_EQ(e.SysButtons[index]->Enabled, r.Enabled[s] == '1');
    }
  }
  EXPECT_FALSE(e.EvalButton(-1));
  EXPECT_FALSE(e.EvalButton(static_cast<int>(e.SysButtons.size())));
}

// Programmable buttons ask the window each time: wParam the visibility,
// lParam the action; the answer counts when above 0.
TEST(TitleButtons, ProgrammableVisibilityAsksTheWindow) {
  TSkinSpec spec;
  spec.Buttons = {
      Button("ButtonAsk1000", 50, 1, 150, 4, 1000), Button("ButtonAsk1500", 51, 1, 130, 4, 1500),
      Button("ButtonAsk2000", 52, 1, 110, 4, 2000), Button("ButtonSecond", 53, 1, 90, 4, 0, 1500)};
  TSkinnedProbe p(spec);
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  LRESULT answer = 1;
  p.Probe->QueryButton = [&](WPARAM, LPARAM) { return answer; };
  const struct {
    LRESULT Answer;
    bool Shown;
  } answers[] = {{1, true}, {7, true}, {0, false}, {-1, false}};
  for (const auto& a : answers) {
    answer = a.Answer;
    for (const char* section : {"ButtonAsk1000", "ButtonAsk1500", "ButtonAsk2000"}) {
      SCOPED_TRACE(testing::Message() << section << " answered " << a.Answer);
      p.Probe->Seen.clear();
      const int i = ButtonIndex(e, section);
      EXPECT_EQ(e.EvalButton(i), a.Shown);
      const auto asked = p.Probe->Of(SKN_QUERYBUTTON);
      ASSERT_EQ(asked.size(), 1u);
      EXPECT_EQ(static_cast<int>(asked[0].WParam), e.SysButtons[i]->Definition->Visibility);
      EXPECT_EQ(asked[0].LParam, e.SysButtons[i]->Definition->Action);
    }
  }
  // As the second condition it is not asked and holds.
  p.Probe->Seen.clear();
  answer = 0;
  EXPECT_TRUE(e.EvalButton(ButtonIndex(e, "ButtonSecond")));
  EXPECT_TRUE(p.Probe->Of(SKN_QUERYBUTTON).empty());
  // Every frame paint asks again, and a new answer shows at once.
  answer = 1;
  for (int paint = 0; paint < 3; ++paint) {
    p.Probe->Seen.clear();
    RepaintFrame(p.Wnd());
    EXPECT_GE(p.Probe->Of(SKN_QUERYBUTTON).size(), 3u);
  }
  const int i = ButtonIndex(e, "ButtonAsk1000");
  const POINT c = Centre(e.SysButtons[i]->Bounds);
  EXPECT_TRUE(e.SysButtons[i]->Visible);
  EXPECT_EQ(WindowPixel(p.Wnd(), c.x, c.y), ButtonColors(110)[0]);
  answer = 0;
  RepaintFrame(p.Wnd());
  EXPECT_FALSE(e.SysButtons[i]->Visible);
  EXPECT_EQ(WindowPixel(p.Wnd(), c.x, c.y), spec.Top.Colors[0]);
}

// --- Where buttons go ------------------------------------------------------------------

TEST(TitleButtons, LayoutByAlignment) {
  TSkinSpec spec;
  Bitmap menuBar(12, 40, MakeColor(90, 90, 90));
  spec.ExtraFiles = {{"mb.bmp", menuBar}};
  spec.PersonalityIni = "menuBar=mb.bmp\r\nTileLeftMenu=6\r\n";
  spec.Buttons = {Button("ButtonA0", 50, 0, 7, 3),       Button("ButtonA1", 50, 1, 30, 4),
                  Button("ButtonA2", 50, 2, 5, 2),       Button("ButtonA8", 50, 8, 9, 6),
                  Button("ButtonA3", 50, 3, 5, 1),       Button("ButtonA9", 50, 9, 11, 0),
                  Button("ButtonA100", 50, 100, 40, 9),  Button("ButtonA5", 50, 5, 60, 7),
                  Button("ButtonAm1", 50, -1, 60, 7),    Button("ButtonHidden", 50, 0, 80, 2, 1),
                  Button("ButtonNoImage", 50, 0, 100, 2)};
  spec.Buttons.back().NoImage = true;
  spec.Buttons[2].Frames = 3; // 48 pixels wide: a frame of 16
  TSkinnedProbe p(spec);
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  const int hidden = ButtonIndex(e, "ButtonHidden");
  e.SysButtons[hidden]->Bounds = {1, 2, 3, 4}; // kept while it is not shown
  RepaintFrame(p.Wnd());
  const int W = WindowBox(p.Wnd()).right;
  const RECT text = e.CaptionTextBox;
  ASSERT_LT(text.left, text.right);
  const struct {
    const char* Section;
    POINT TopLeft;
  } rows[] = {
      {"ButtonA0", {7, 3}},
      {"ButtonA1", {W - 30, 4}},
      {"ButtonA2", {text.left - 16 - 5, 2}},
      {"ButtonA8", {text.left - 16 - 9, 6}},
      {"ButtonA3", {text.right + 5, 1}},
      {"ButtonA9", {text.right + 11, 0}},
      {"ButtonA100", {W - 40 - e.BorderRight - 6, e.CaptionHeight + (0 - 14) / 2}},
      {"ButtonA5", {0, 0}},
      {"ButtonAm1", {0, 0}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.Section);
    const RECT b = e.SysButtons[ButtonIndex(e, r.Section)]->Bounds;
    EXPECT_EQ(b.left, r.TopLeft.x);
    EXPECT_EQ(b.top, r.TopLeft.y);
    EXPECT_EQ(b.right - b.left, 16);
    EXPECT_EQ(b.bottom - b.top, 14);
  }
  const RECT kept = e.SysButtons[hidden]->Bounds, before{1, 2, 3, 4};
  EXPECT_TRUE(EqualRect(&kept, &before));
  const RECT none = e.SysButtons[ButtonIndex(e, "ButtonNoImage")]->Bounds;
  EXPECT_TRUE(IsRectEmpty(&none));
  // In a menu band the menu-bar buttons are centred in it.
  e.MenuHeight = 20;
  RepaintFrame(p.Wnd());
  EXPECT_EQ(e.SysButtons[ButtonIndex(e, "ButtonA100")]->Bounds.top, e.CaptionHeight + 3);
  e.MenuHeight = 0;
}

// --- What a click does -------------------------------------------------------------------

struct TClick {
  TSkinnedProbe& P;
  // Presses and releases the button made from the section; the engine's
  // answer to the release.
  void On(const std::string& section) {
    TWinSkinForm& e = *P.Engine;
    RepaintFrame(P.Wnd());
    const int i = ButtonIndex(e, section);
    ASSERT_GE(i, 0);
    ASSERT_TRUE(e.SysButtons[i]->Visible) << section;
    const POINT c = Centre(e.SysButtons[i]->Bounds);
    SendMessageW(P.Wnd(), WM_NCLBUTTONDOWN, HTCAPTION, ScreenLParam(P.Wnd(), c.x, c.y));
    SendMessageW(P.Wnd(), WM_NCLBUTTONUP, HTCAPTION, ScreenLParam(P.Wnd(), c.x, c.y));
  }
  // What was posted to the window since: "syscommand F060", "custom 50".
  std::string Posted() {
    std::string out;
    MSG m;
    auto add = [&out](const std::string& s) { out += (out.empty() ? "" : "; ") + s; };
    while (TakePosted(P.Wnd(), WM_SYSCOMMAND, m)) {
      std::ostringstream s;
      s << "syscommand " << std::hex << std::uppercase << m.wParam;
      add(s.str());
    }
    while (TakePosted(P.Wnd(), SKN_CUSTOMBUTTON, m))
      add("custom " + std::to_string(m.wParam));
    return out;
  }
};

TEST(TitleButtons, ButtonActionByAction) {
  TSkinSpec spec;
  const int actions[] = {0, 1, 22, 2, 23, 4, 50, 5, 6, 10, 13, 63, 99, 7, 8, 9, 60, 61, 62};
  int x = 10;
  for (int a : actions) {
    spec.Buttons.push_back(Button("ButtonAct" + std::to_string(a), a, 0, x, 4));
    x += 18;
  }
  TSkinnedProbe p(spec, WS_OVERLAPPEDWINDOW, 0, 500, 200);
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  TClick click{p};
  const struct {
    int Action, WindowState;
    const char* Posted;
    int StateAfter;
  } rows[] = {
      {0, 0, "syscommand F060", 0},
      {1, 0, "syscommand F030", 1},
      {22, 0, "syscommand F030", 1},
      {1, 1, "syscommand F120", 0}, // maximized: restores
      {2, 0, "syscommand F020", 2},
      {23, 0, "syscommand F020", 2},
      {2, 2, "syscommand F120", 0}, // minimized: restores
      {4, 0, "syscommand F180", 0},
      {50, 0, "custom 50", 0},
      {5, 0, "custom 5", 0},
      {6, 0, "custom 6", 0},
      {10, 0, "custom 10", 0},
      {13, 0, "custom 13", 0},
      {63, 0, "custom 63", 0},
      {99, 0, "custom 99", 0},
      // The MDI child commands reach nobody outside an MDI main window.
      {7, 0, "", 0},
      {8, 0, "", 0},
      {9, 0, "", 0},
      {60, 0, "", 0},
      {61, 0, "", 0},
      {62, 0, "", 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "action " << r.Action << " in state " << r.WindowState);
    e.WindowState = r.WindowState;
    click.On("ButtonAct" + std::to_string(r.Action));
    EXPECT_EQ(click.Posted(), r.Posted);
    EXPECT_EQ(e.WindowState, r.StateAfter);
    e.WindowState = 0;
  }
  EXPECT_TRUE(p.Probe->Of(WM_SYSCOMMAND).empty()) << "sent rather than posted";
}

TEST(TitleButtons, ButtonActionNeedsTheBoxesAndTheCloseItem) {
  TSkinSpec spec;
  spec.Buttons = {Button("ButtonClose", 0, 0, 10, 4), Button("ButtonMax", 1, 0, 30, 4),
                  Button("ButtonMin", 2, 0, 50, 4)};
  TSkinnedProbe p(spec, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
  ASSERT_TRUE(p.Skinned());
  TClick click{p};
  click.On("ButtonMax");
  EXPECT_EQ(click.Posted(), "") << "no maximize box";
  click.On("ButtonMin");
  EXPECT_EQ(click.Posted(), "") << "no minimize box";
  // Without a close item in the system menu the close button does nothing,
  // except where the item is always assumed (before Windows 2000).
  DeleteMenu(GetSystemMenu(p.Wnd(), FALSE), SC_CLOSE, MF_BYCOMMAND);
  click.On("ButtonClose");
  EXPECT_EQ(click.Posted(), "");
  {
    TOsVersionOverride nt4({true, 4, 0});
    click.On("ButtonClose");
    EXPECT_EQ(click.Posted(), "syscommand F060");
  }
  {
    TOsVersionOverride win98({false, 4, 10});
    click.On("ButtonClose");
    EXPECT_EQ(click.Posted(), "syscommand F060");
  }
}

// An MDI main window's child buttons command its active child.
LRESULT CALLBACK MdiChildProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SYSCOMMAND) {
    auto* seen = reinterpret_cast<std::vector<WPARAM>*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (seen) seen->push_back(wParam);
    return 0;
  }
  return DefMDIChildProcW(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK MdiFrameProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND client = FindWindowExW(wnd, nullptr, L"MDIClient", nullptr);
  if (msg == WM_SYSCOMMAND) return 0;
  return DefFrameProcW(wnd, client, msg, wParam, lParam);
}

TEST(TitleButtons, MdiChildCommandsGoToTheActiveChild) {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MdiFrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"EngineTestMdiFrame";
    RegisterClassW(&wc);
    wc.lpfnWndProc = MdiChildProc;
    wc.lpszClassName = L"EngineTestMdiChild";
    RegisterClassW(&wc);
    return true;
  }();
  (void)registered;
  TSkinSpec spec;
  const int actions[] = {7, 8, 9, 60, 61, 62};
  int x = 10;
  for (int a : actions) {
    spec.Buttons.push_back(Button("ButtonMdi" + std::to_string(a), a, 0, x, 4));
    x += 18;
  }
  TSkinnedForm anchor(spec);
  TSkinManage* m = SkinManagerObject();
  m->SetEnabled(false);
  HWND frame =
      CreateWindowExW(0, L"EngineTestMdiFrame", L"MDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                      500, 360, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  CLIENTCREATESTRUCT ccs{};
  HWND client = CreateWindowExW(0, L"MDIClient", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                0, 0, 400, 300, frame, nullptr, GetModuleHandleW(nullptr), &ccs);
  std::vector<WPARAM> seen[2];
  HWND children[2];
  for (int i = 0; i < 2; ++i) {
    MDICREATESTRUCTW mcs{};
    mcs.szClass = L"EngineTestMdiChild";
    mcs.szTitle = L"child";
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = mcs.y = 10 * i;
    mcs.cx = 200;
    mcs.cy = 150;
    children[i] = reinterpret_cast<HWND>(
        SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    SetWindowLongPtrW(children[i], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen[i]));
  }
  SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(children[0]), 0);
  Pump();
  m->SetEnabled(true);
  ASSERT_TRUE(m->SkinWindow(frame));
  TWinSkinForm* e = m->FindFormEngine(frame);
  ASSERT_TRUE(PumpUntil([&] { return e->EngineState == 1; }));
  EXPECT_EQ(e->MdiRole, 1);
  const WPARAM expected[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE, SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(actions[i]);
    RepaintFrame(frame);
    const int b = ButtonIndex(*e, "ButtonMdi" + std::to_string(actions[i]));
    const POINT c = Centre(e->SysButtons[b]->Bounds);
    SendMessageW(frame, WM_NCLBUTTONDOWN, HTCAPTION, ScreenLParam(frame, c.x, c.y));
    SendMessageW(frame, WM_NCLBUTTONUP, HTCAPTION, ScreenLParam(frame, c.x, c.y));
    ASSERT_EQ(seen[0].size(), static_cast<std::size_t>(i + 1));
    EXPECT_EQ(seen[0].back() & 0xFFF0, expected[i]);
  }
  EXPECT_TRUE(seen[1].empty()) << "an inactive child";
  DestroyWindow(frame);
  m->PurgeFormEngines();
  m->MdiClientWindow = nullptr; // the manager keeps the last one it saw
}

// --- The non-client mouse ---------------------------------------------------------------------

TSkinSpec MouseSpec() {
  TSkinSpec spec = StandardSpec(); // close, maximize, restore, minimize, system menu
  spec.Buttons.push_back(Button("ButtonCustom", 50, 1, 80, 5));
  spec.Buttons.push_back(Button("ButtonNoAction", -1, 1, 100, 5));
  return spec;
}

TEST(TitleBarMouse, MoveRules) {
  TSkinnedProbe p(MouseSpec());
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  RepaintFrame(p.Wnd());
  TWinSysButton& close = *e.SysButtons[ButtonIndex(e, "ButtonClose")];
  const POINT c = Centre(close.Bounds);
  auto move = [&](POINT at) {
    p.Probe->Seen.clear();
    return SendMessageW(p.Wnd(), WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(p.Wnd(), at.x, at.y));
  };
  // Inactive: nothing happens, nothing goes on.
  SendMessageW(p.Wnd(), WM_NCACTIVATE, FALSE, 0);
  move(c);
  EXPECT_EQ(e.HotObject, nullptr);
  EXPECT_TRUE(p.Probe->Of(WM_NCMOUSEMOVE).empty());
  SendMessageW(p.Wnd(), WM_NCACTIVATE, TRUE, 0);
  // Over a button: it is hot, the message stays here.
  EXPECT_EQ(move(c), 0);
  EXPECT_EQ(e.HotObject, &close);
  EXPECT_EQ(close.State, 3);
  EXPECT_TRUE(p.Probe->Of(WM_NCMOUSEMOVE).empty());
  // Over the caption: the button is left and the message goes on.
  move({150, 12});
  EXPECT_EQ(e.HotObject, nullptr);
  EXPECT_EQ(close.State, 1);
  EXPECT_EQ(p.Probe->Of(WM_NCMOUSEMOVE).size(), 1u);
  // A button with a negative action shows but is no target.
  TWinSysButton& none = *e.SysButtons[ButtonIndex(e, "ButtonNoAction")];
  ASSERT_TRUE(none.Visible);
  move(c);
  move(Centre(none.Bounds));
  EXPECT_EQ(e.HotObject, nullptr);
  EXPECT_EQ(p.Probe->Of(WM_NCMOUSEMOVE).size(), 1u);
}

TEST(TitleBarMouse, PressAndReleaseRules) {
  TSkinnedProbe p(MouseSpec());
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  RepaintFrame(p.Wnd());
  TClick click{p};
  TWinSysButton& custom = *e.SysButtons[ButtonIndex(e, "ButtonCustom")];
  TWinSysButton& close = *e.SysButtons[ButtonIndex(e, "ButtonClose")];
  const POINT u = Centre(custom.Bounds), c = Centre(close.Bounds);
  auto send = [&](UINT msg, POINT at) {
    p.Probe->Seen.clear();
    return SendMessageW(p.Wnd(), msg, HTCAPTION, ScreenLParam(p.Wnd(), at.x, at.y));
  };
  // Pressed on one button, released on another: the other does nothing.
  send(WM_NCLBUTTONDOWN, u);
  EXPECT_EQ(e.HotObject, &custom);
  EXPECT_EQ(custom.State, 2);
  EXPECT_TRUE(p.Probe->Seen.empty());
  send(WM_NCLBUTTONUP, c);
  EXPECT_EQ(click.Posted(), "");
  EXPECT_TRUE(p.Probe->Seen.empty());
  // Released on the caption: passed on.
  send(WM_NCLBUTTONUP, {150, 12});
  EXPECT_EQ(p.Probe->Of(WM_NCLBUTTONUP).size(), 1u);
  // Pressed on the caption: passed on as it came.
  send(WM_NCLBUTTONDOWN, {150, 12});
  ASSERT_EQ(p.Probe->Of(WM_NCLBUTTONDOWN).size(), 1u);
  EXPECT_EQ(p.Probe->Of(WM_NCLBUTTONDOWN)[0].WParam, static_cast<WPARAM>(HTCAPTION));
  // A maximized window cannot be dragged by its caption, while active.
  e.WindowState = 1;
  send(WM_NCLBUTTONDOWN, {150, 12});
  EXPECT_EQ(p.Probe->Of(WM_NCLBUTTONDOWN)[0].WParam, static_cast<WPARAM>(HTMENU));
  e.Active = false;
  send(WM_NCLBUTTONDOWN, {150, 12});
  EXPECT_EQ(p.Probe->Of(WM_NCLBUTTONDOWN)[0].WParam, static_cast<WPARAM>(HTCAPTION));
  e.Active = true;
  e.WindowState = 0;

  // A press on a button of an inactive window brings it to the front.
  TSkinManage* m = SkinManagerObject();
  m->SetEnabled(false);
  TProbeWindow other(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 200, 150);
  SetForegroundWindow(other.Wnd);
  Pump();
  m->SetEnabled(true);
  ASSERT_NE(GetForegroundWindow(), p.Wnd());
  send(WM_NCLBUTTONDOWN, u);
  EXPECT_EQ(GetForegroundWindow(), p.Wnd());
  EXPECT_EQ(e.HotObject, &custom);
  send(WM_NCLBUTTONUP, u);
  EXPECT_EQ(click.Posted(), "custom 50");
}

TEST(TitleBarMouse, DoubleClickRules) {
  TSkinnedProbe p(MouseSpec());
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  RepaintFrame(p.Wnd());
  TClick click{p};
  auto dblclk = [&](POINT at) {
    p.Probe->Seen.clear();
    SendMessageW(p.Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenLParam(p.Wnd(), at.x, at.y));
    return click.Posted();
  };
  const POINT caption{150, 12};
  const struct {
    const char* Where;
    int WindowState;
    const char* Posted;
    bool PassedOn;
  } rows[] = {
      {"ButtonSysMenu", 0, "syscommand F060", false},
      {"ButtonClose", 0, "", false},
      {"ButtonCustom", 0, "", false},
      {"caption", 0, "syscommand F030", false},
      {"caption", 1, "syscommand F120", false},
      {"caption", 2, "syscommand F120", false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.Where << " in state " << r.WindowState);
    e.WindowState = r.WindowState;
    const std::string where = r.Where;
    const POINT at =
        where == "caption" ? caption : Centre(e.SysButtons[ButtonIndex(e, where)]->Bounds);
    EXPECT_EQ(dblclk(at), r.Posted);
    EXPECT_EQ(p.Probe->Of(WM_NCLBUTTONDBLCLK).empty(), !r.PassedOn);
    e.WindowState = 0;
  }
  // Without a maximize box the caption's double click is the system's.
  e.FrameButtons &= ~1;
  EXPECT_EQ(dblclk(caption), "");
  EXPECT_EQ(p.Probe->Of(WM_NCLBUTTONDBLCLK).size(), 1u);
}

// The real thing on a framework form: the caption's double click maximizes
// and restores, the system-menu button's closes.
TEST(TitleBarMouse, DoubleClicksOnAFrameworkForm) {
  TSkinnedForm f;
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  RepaintFrame(f.Wnd());
  const LPARAM caption = ScreenLParam(f.Wnd(), 150, 12);
  SendMessageW(f.Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, caption);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(f.Wnd()) != 0; }));
  EXPECT_EQ(e->WindowState, 1);
  RepaintFrame(f.Wnd());
  SendMessageW(f.Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenLParam(f.Wnd(), 150, 12));
  ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(f.Wnd()); }));
  EXPECT_EQ(e->WindowState, 0);
  RepaintFrame(f.Wnd());
  const POINT icon = Centre(e->SysButtons[ButtonIndex(*e, "ButtonSysMenu")]->Bounds);
  SendMessageW(f.Wnd(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenLParam(f.Wnd(), icon.x, icon.y));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(f.Wnd()); }));
}

// The system menu opens modally; a timer closes it again.
TEST(TitleBarMouse, RightClickOnTheCaptionOpensTheSystemMenu) {
  TSkinnedProbe p(MouseSpec());
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  RepaintFrame(p.Wnd());
  {
    TMenuCloser watch;
    const DWORD before = GetTickCount();
    SendMessageW(p.Wnd(), WM_NCRBUTTONDOWN, HTCAPTION, ScreenLParam(p.Wnd(), 150, 12));
    EXPECT_TRUE(watch.Seen());
    EXPECT_GE(e.LastSysMenuTick, before);
    EXPECT_TRUE(p.Probe->Of(WM_NCRBUTTONDOWN).empty());
  }
  {
    TMenuCloser watch;
    SendMessageW(p.Wnd(), WM_NCRBUTTONDOWN, HTBOTTOM, ScreenLParam(p.Wnd(), 150, 12));
    EXPECT_FALSE(watch.Seen());
    EXPECT_EQ(p.Probe->Of(WM_NCRBUTTONDOWN).size(), 1u);
  }
  // The system-menu button opens it too, right after a caption's opening:
  // only two presses on the button close the window.
  {
    TMenuCloser watch;
    TClick{p}.On("ButtonSysMenu");
    EXPECT_TRUE(watch.Seen());
  }
}

// --- Where the caption text goes -------------------------------------------------------------

struct TTextCase {
  const char* Name;
  int Alignment;
  DWORD Style, ExStyle;
  bool Long;
  int ShiftVert = 0;
};

// The test skin: TextShift 30, TextRightClip 70, borders of 4; the
// right-aligned buttons reach 58 pixels in from the right edge.
TEST(CaptionText, PlacementByAlignmentAndDirection) {
  const DWORD normal = WS_OVERLAPPEDWINDOW,
              popup = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  const TTextCase cases[] = {
      {"left", 0, normal, 0, false},
      {"centred", 1, normal, 0, false},
      {"right", 2, normal, 0, false},
      {"other alignment", 7, normal, 0, false},
      {"right to left, left", 0, normal, WS_EX_LEFTSCROLLBAR, false},
      {"right to left, centred", 1, normal, WS_EX_LEFTSCROLLBAR, false},
      {"right to left, right", 2, normal, WS_EX_LEFTSCROLLBAR, false},
      {"dialog frame, left", 0, normal & ~WS_THICKFRAME, WS_EX_DLGMODALFRAME, false},
      {"dialog frame, centred", 1, normal & ~WS_THICKFRAME, WS_EX_DLGMODALFRAME, false},
      {"long", 0, normal, 0, true},
      {"long popup", 0, popup, 0, true},
      {"long right to left", 0, normal, WS_EX_LEFTSCROLLBAR, true},
      {"shifted down", 0, normal, 0, false, 5},
  };
  int plainTop = -1000;
  for (const TTextCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSkinSpec spec = StandardSpec();
    spec.PersonalityIni = "TextAlignment=" + std::to_string(c.Alignment) +
                          "\r\nTextShiftVert=" + std::to_string(c.ShiftVert) + "\r\n";
    TSkinnedProbe p(spec, c.Style, c.ExStyle, 400, 200);
    ASSERT_TRUE(p.Skinned());
    if (c.Long)
      SetWindowTextW(p.Wnd(), L"A caption far too long to fit in the caption bar of this window, "
                              L"so it has to end early");
    TWinSkinForm& e = *p.Engine;
    RepaintFrame(p.Wnd());
    const int W = WindowBox(p.Wnd()).right;
    const RECT caption{4, 0, W - 4, 25};
    const RECT box = e.CaptionTextBox;
    const bool rtl = c.ExStyle & WS_EX_LEFTSCROLLBAR;
    const int buttons = e.RightButtonsExtent;
    EXPECT_EQ(buttons, 58) << "the minimize button is the leftmost right-aligned one";
    const int leftGap = box.left - caption.left, rightGap = caption.right - box.right;
    const std::string name = c.Name;
    if (c.Long && !rtl && !(c.Style & WS_POPUP)) {
      EXPECT_EQ(box.right, caption.right - 70) << "clipped at TextRightClip";
      EXPECT_EQ(box.left, caption.left + 30);
    } else if (c.Long && !rtl) {
      EXPECT_EQ(box.right, caption.right - buttons - 5) << "clipped before the buttons";
    } else if (c.Long) {
      EXPECT_EQ(box.left, 30 + 10);
    } else if (name == "left" || name == "shifted down") {
      EXPECT_EQ(leftGap, 30);
    } else if (name == "centred" || name == "dialog frame, centred") {
      EXPECT_LE(std::abs(leftGap - rightGap), 1);
    } else if (name == "right") {
      EXPECT_EQ(rightGap, 70);
    } else if (name == "other alignment") {
      EXPECT_EQ(leftGap, 0);
    } else if (name == "right to left, left") {
      EXPECT_EQ(box.right, caption.right - buttons + 10);
    } else if (name == "right to left, centred") {
      EXPECT_LE(std::abs((leftGap - 10) - (rightGap + 10 - buttons)), 1);
    } else if (name == "right to left, right") {
      EXPECT_EQ(leftGap, 30 + 10);
    } else if (name == "dialog frame, left") {
      EXPECT_EQ(leftGap, 30 - 16);
    }
    // Vertically centred; the skin's shift counts half.
    const int middle = (box.top + box.bottom) - 25;
    if (c.ShiftVert == 0) {
      EXPECT_LE(std::abs(middle), 1);
      plainTop = box.top;
    } else {
      EXPECT_EQ(box.top, plainTop + c.ShiftVert / 2);
    }
    if (c.Long && !rtl && !(c.Style & WS_POPUP)) {
      // Nothing of the text is drawn past the clip.
      for (int x = caption.right - 70; x < W - buttons; ++x)
        for (int y = 0; y < 25; ++y)
          ASSERT_EQ(WindowPixel(p.Wnd(), x, y), spec.Top.Colors[0]) << "at " << x << "," << y;
    }
  }
}

// --- The caption-button hint -----------------------------------------------------------------

// The caption-button hint on the screen, null when none shows.
HWND HintWindow() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM out) {
        wchar_t cls[32] = {};
        GetClassNameW(wnd, cls, 32);
        if (std::wstring(cls) != L"THintWindow" || !IsWindowVisible(wnd)) return TRUE;
        *reinterpret_cast<HWND*>(out) = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring TextOf(HWND wnd) {
  wchar_t buf[64] = {};
  GetWindowTextW(wnd, buf, 64);
  return buf;
}

struct THintPauses {
  int Pause = Application->HintPause, HidePause = Application->HintHidePause;
  THintPauses(int pause, int hidePause) {
    Application->HintPause = pause;
    Application->HintHidePause = hidePause;
  }
  ~THintPauses() {
    Application->HintPause = Pause;
    Application->HintHidePause = HidePause;
  }
};

TEST(CaptionHint, ButtonHintTable) {
  const struct {
    int Action;
    const wchar_t* Text;
  } rows[] = {{0, L"Close"},     {9, L"Close"},    {62, L"Close"},   {1, L"Maximize"},
              {22, L"Maximize"}, {2, L"Minimize"}, {7, L"Minimize"}, {23, L"Minimize"},
              {60, L"Minimize"}, {8, L"Restore"},  {61, L"Restore"}, {3, L""},
              {4, L""},          {11, L""},        {-1, L""},        {100, L""}};
  for (const auto& r : rows)
    EXPECT_EQ(TWinSkinForm::ButtonHint(r.Action), r.Text) << r.Action;
}

TEST(CaptionHint, ShownAfterTheHoverTimeAndHiddenOnLeaving) {
  THintPauses pauses(100, 250);
  TSkinnedForm f;
  f.Data->SetOptions(f.Data->Options() | SkinOptionBit(xoCaptionButtonHint));
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  RepaintFrame(f.Wnd());
  const RECT bounds = e->SysButtons[ButtonIndex(*e, "ButtonClose")]->Bounds;
  const POINT c = Centre(bounds), screen = ScreenPoint(f.Wnd(), c.x, c.y);
  testutil::PlacePointer(screen);
  e->HintTimer->SetEnabled(false); // ticks by hand
  SendMessageW(f.Wnd(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(screen.x, screen.y));
  ASSERT_NE(e->HotObject, nullptr);
  EXPECT_EQ(HintWindow(), nullptr);
  e->HintTick(nullptr); // 250 ms: past twice the pause
  HWND hint = HintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(TextOf(hint), L"Close");
  RECT r, w;
  GetWindowRect(hint, &r);
  GetWindowRect(f.Wnd(), &w);
  EXPECT_EQ(r.left, w.left + bounds.left);
  EXPECT_EQ(r.top, screen.y + 24);
  e->HintTick(nullptr); // 500 ms: past the hide pause too
  EXPECT_EQ(HintWindow(), nullptr);
  EXPECT_EQ(e->HotObject, e->SysButtons[ButtonIndex(*e, "ButtonClose")].get());

  // Leaving resets the hover time: the next button starts afresh.
  testutil::PlacePointer(ScreenPoint(f.Wnd(), 150, 12));
  e->HintTick(nullptr);
  EXPECT_EQ(e->HotObject, nullptr);
  EXPECT_EQ(f.Data->HintHoverTime, 0);

  // With the timer running, over the minimize button.
  const POINT m = Centre(e->SysButtons[ButtonIndex(*e, "ButtonMinimize")]->Bounds);
  const POINT ms = ScreenPoint(f.Wnd(), m.x, m.y);
  testutil::PlacePointer(ms);
  SendMessageW(f.Wnd(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(ms.x, ms.y));
  e->HintTimer->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([] { return HintWindow() != nullptr; }));
  EXPECT_EQ(TextOf(HintWindow()), L"Minimize");
  testutil::PlacePointer(ScreenPoint(f.Wnd(), 150, 12));
  EXPECT_TRUE(PumpUntil([&] { return HintWindow() == nullptr && e->HotObject == nullptr; }));
}

TEST(CaptionHint, NoHintWithoutTheOptionOrForButtonsWithoutText) {
  THintPauses pauses(100, 2500);
  TSkinSpec spec = StandardSpec();
  spec.Buttons.push_back(Button("ButtonCustom", 50, 1, 80, 5));
  TSkinnedForm f(spec);
  f.Data->SetOptions(f.Data->Options() | SkinOptionBit(xoCaptionButtonHint));
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  e->HintTimer->SetEnabled(false);
  RepaintFrame(f.Wnd());
  auto hover = [&](const char* section) {
    const POINT c = Centre(e->SysButtons[ButtonIndex(*e, section)]->Bounds);
    const POINT s = ScreenPoint(f.Wnd(), c.x, c.y);
    testutil::PlacePointer(s);
    SendMessageW(f.Wnd(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(s.x, s.y));
    for (int i = 0; i < 4; ++i)
      e->HintTick(nullptr);
  };
  hover("ButtonCustom");
  EXPECT_EQ(HintWindow(), nullptr) << "a custom action has no hint";
  f.Data->SetOptions(f.Data->Options() & ~SkinOptionBit(xoCaptionButtonHint));
  hover("ButtonClose");
  EXPECT_EQ(HintWindow(), nullptr) << "the option is off";
}

} // namespace
} // namespace enginetest
