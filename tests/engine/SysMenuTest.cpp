// The skinned system menu: its entries and their states by the window's
// state and frame, what each entry does, how it opens (the button, a right
// click on the caption, Alt+Space), the second press on the button that
// closes the window, and the fixed menu of older systems.
#include "ManagerTestUtil.h"
#include "MenuTestUtil.h"
#include "fw/OsVersion.h"
#include "support/MessageSequence.h"

#include <gtest/gtest.h>

#include <map>

namespace enginetest {
namespace {

constexpr UINT kWineAbout = 0xF141;

// Entry (by command) -> enabled; entries missing are left out.
std::map<UINT, bool> Entries(const TWinSkinForm& e) {
  std::map<UINT, bool> out;
  if (!e.SysMenu) return out;
  TMenuItem& items = e.SysMenu->Items();
  for (int i = 0; i < items.Count(); ++i) {
    const auto command = static_cast<UINT>(items.Items(i)->Tag());
    // Wine adds an entry of its own to every system menu.
    if (!items.Items(i)->IsLine() && command != kWineAbout)
      out[command] = items.Items(i)->Enabled();
  }
  return out;
}

// The WM_SYSCOMMANDs (or, with close, WM_CLOSE) waiting for the window,
// taken out of its queue so none is carried out.
std::vector<WPARAM> Take(HWND wnd, UINT message) {
  std::vector<WPARAM> out;
  MSG m;
  while (PeekMessageW(&m, wnd, message, message, PM_REMOVE))
    out.push_back(m.wParam);
  return out;
}

TEST(SysMenuEntries, StatesFollowTheWindowsStateAndFrame) {
  struct TRow {
    const char* Name;
    TFormBorderStyle Border;
    bool Boxes;
    int Show;
    std::map<UINT, bool> Expected;
  };
  const TRow rows[] = {
      {"normal",
       bsSizeable,
       true,
       SW_RESTORE,
       {{SC_RESTORE, false},
        {SC_MOVE, true},
        {SC_SIZE, true},
        {SC_MINIMIZE, true},
        {SC_MAXIMIZE, true},
        {SC_CLOSE, true}}},
      {"maximized",
       bsSizeable,
       true,
       SW_MAXIMIZE,
       {{SC_RESTORE, true},
        {SC_MOVE, false},
        {SC_SIZE, false},
        {SC_MINIMIZE, true},
        {SC_MAXIMIZE, false},
        {SC_CLOSE, true}}},
      {"minimized",
       bsSizeable,
       true,
       SW_MINIMIZE,
       {{SC_RESTORE, true},
        {SC_MOVE, true},
        {SC_SIZE, false},
        {SC_MINIMIZE, false},
        {SC_MAXIMIZE, true},
        {SC_CLOSE, true}}},
      {"fixed frame without minimize and maximize boxes",
       bsSingle,
       false,
       SW_RESTORE,
       {{SC_RESTORE, false},
        {SC_MOVE, true},
        {SC_SIZE, false},
        {SC_MINIMIZE, false},
        {SC_MAXIMIZE, false},
        {SC_CLOSE, true}}},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Name);
    TSkinnedForm f(StandardSpec(), 300, 200, r.Border);
    if (!r.Boxes) f.Form->SetBorderIcons(1u << biSystemMenu);
    Pump();
    ASSERT_TRUE(f.Skin());
    ShowWindow(f.Wnd(), r.Show);
    Pump();
    TWinSkinForm* e = f.Engine();
    e->BuildSysMenu();
    ASSERT_NE(e->SysMenu, nullptr);
    EXPECT_EQ(Entries(*e), r.Expected);
    ShowWindow(f.Wnd(), SW_RESTORE);
    Pump();
  }
}

TEST(SysMenuEntries, EachEntryPostsItsCommand) {
  TSkinnedForm f;
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  e->BuildSysMenu();
  ASSERT_NE(e->SysMenu, nullptr);
  TMenuItem& items = e->SysMenu->Items();
  std::vector<WPARAM> expected, seen;
  for (int i = 0; i < items.Count(); ++i) {
    TMenuItem* item = items.Items(i);
    if (item->IsLine()) continue;
    item->SetEnabled(true);
    item->Click();
    expected.push_back(static_cast<WPARAM>(item->Tag()));
    for (WPARAM w : Take(f.Wnd(), WM_SYSCOMMAND))
      seen.push_back(w);
  }
  EXPECT_GE(expected.size(), 6u);
  EXPECT_EQ(seen, expected);
}

class SysMenuOpening : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(F.Skin());
    E = F.Engine();
    SetForegroundWindow(F.Wnd());
    Pump();
  }
  // The skinned system menu is the one shown.
  bool ShowingSysMenu() const {
    const std::vector<HMENU> open = OpenMenus();
    return E->SysMenu && open.size() == 1 && open.front() == E->SysMenu->HandleIfMade();
  }
  TPointerAside Aside;
  TSkinnedForm F;
  TWinSkinForm* E = nullptr;
};

TEST_F(SysMenuOpening, ByAltSpaceARightClickOnTheCaptionAndTheButton) {
  RECT w;
  GetWindowRect(F.Wnd(), &w);
  const HWND wnd = F.Wnd();
  struct TRow {
    const char* Name;
    std::function<void()> Open;
  };
  const TRow rows[] = {
      {"Alt+Space", [&] { SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, L' '); }},
      {"right click on the caption",
       [&] {
         SendMessageW(wnd, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 120, w.top + 8));
       }},
      {"the system-menu button",
       [&] {
         E->OpenSysMenu({w.left + 8, w.top + 20});
       }},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Name);
    E->LastSysMenuTick = 0; // a first opening, whenever the last one was
    bool shown = false;
    std::vector<WPARAM> closes;
    const TMenuDrive d = DriveMenus(
        [&] {
          r.Open();
          closes = Take(wnd, WM_CLOSE);
        },
        [&](int) { return shown = ShowingSysMenu(); });
    EXPECT_TRUE(d.Done);
    EXPECT_TRUE(shown);
    // Only the skinned menu: the window's own one did not follow it.
    EXPECT_EQ(d.Opened.size(), 1u);
    EXPECT_TRUE(OpenMenuWindows().empty());
    EXPECT_TRUE(closes.empty());
  }
}

TEST_F(SysMenuOpening, ASecondPressOnTheButtonSoonAfterClosesTheWindow) {
  TWinSysButton* button = nullptr;
  for (auto& b : E->SysButtons)
    if (b->Definition->Action == 3) button = b.get();
  ASSERT_NE(button, nullptr);
  RECT w;
  GetWindowRect(F.Wnd(), &w);
  std::vector<WPARAM> closes;
  // Opened from the caption, then by the button (the button hot): no
  // double click, so the menu opens again.
  auto open = [&](bool onButton) {
    E->HotObject = onButton ? button : nullptr;
    const TMenuDrive d = DriveMenus(
        [&] {
          E->OpenSysMenu({w.left + 8, w.top + 20});
          closes = Take(F.Wnd(), WM_CLOSE);
        },
        [&](int) { return ShowingSysMenu(); });
    E->HotObject = nullptr;
    return d;
  };
  E->LastSysMenuTick = 0;
  EXPECT_TRUE(open(false).Done);
  EXPECT_TRUE(open(true).Done);
  EXPECT_TRUE(closes.empty());
  // Twice by the button within the double-click time: the window closes,
  // no menu opens.
  E->LastSysMenuTick = 0;
  EXPECT_TRUE(open(true).Done);
  const TMenuDrive second = open(true);
  EXPECT_TRUE(second.Opened.empty());
  EXPECT_EQ(closes.size(), 1u);
  // Once the double-click time has passed it opens again.
  EXPECT_TRUE(open(true).Done);
  E->LastSysMenuTick = GetTickCount() - E->DoubleClickTime - 1;
  EXPECT_TRUE(open(true).Done);
  EXPECT_TRUE(closes.empty());
}

// Systems before NT 5 get a menu of fixed entries that act themselves.
TEST(SysMenuFixed, EntriesAndActionsOnOlderSystems) {
  TOsVersionOverride old({true, 4, 0});
  struct TRow {
    const char* Name;
    TFormBorderStyle Border;
    bool Boxes, Maximized;
    std::vector<std::pair<std::intptr_t, bool>> Entries; // tag, enabled
  };
  const TRow rows[] = {
      {"normal",
       bsSizeable,
       true,
       false,
       {{0, false}, {1, true}, {2, true}, {100, true}, {3, true}}},
      {"maximized",
       bsSizeable,
       true,
       true,
       {{0, true}, {1, false}, {2, true}, {100, true}, {3, true}}},
      {"without boxes", bsSingle, false, false, {{0, false}, {100, true}, {3, true}}},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Name);
    TSkinnedForm f(StandardSpec(), 300, 200, r.Border);
    if (!r.Boxes) f.Form->SetBorderIcons(1u << biSystemMenu);
    ASSERT_TRUE(f.Skin());
    TWinSkinForm* e = f.Engine();
    if (r.Maximized) e->MaximizeWindow();
    Pump();
    e->BuildSysMenu();
    ASSERT_NE(e->SysMenu, nullptr);
    std::vector<std::pair<std::intptr_t, bool>> seen;
    TMenuItem& items = e->SysMenu->Items();
    for (int i = 0; i < items.Count(); ++i)
      seen.push_back({items.Items(i)->Tag(), items.Items(i)->Enabled()});
    EXPECT_EQ(seen, r.Entries);
    TMenuItem* close = items.Items(items.Count() - 1);
    EXPECT_EQ(close->ShortCut(), TextToShortCut(L"ALT+F4"));
    if (!r.Boxes || r.Maximized) continue;
    // Each entry does what it says.
    auto entry = [&](std::intptr_t tag) {
      for (int i = 0; i < items.Count(); ++i)
        if (items.Items(i)->Tag() == tag) return items.Items(i);
      return static_cast<TMenuItem*>(nullptr);
    };
    entry(1)->SetEnabled(true);
    entry(1)->Click();
    PumpUntil([&] { return IsZoomed(f.Wnd()) != 0; });
    EXPECT_TRUE(IsZoomed(f.Wnd()));
    entry(0)->SetEnabled(true);
    entry(0)->Click();
    PumpUntil([&] { return !IsZoomed(f.Wnd()); });
    EXPECT_FALSE(IsZoomed(f.Wnd()));
    entry(2)->Click();
    PumpUntil([&] { return IsIconic(f.Wnd()) != 0; });
    EXPECT_TRUE(IsIconic(f.Wnd()));
    ShowWindow(f.Wnd(), SW_RESTORE);
    Pump();
    close->Click();
    EXPECT_EQ(Take(f.Wnd(), WM_CLOSE).size(), 1u);
  }
}

} // namespace
} // namespace enginetest
