// Openings and closings of the skinned menus leave no GDI or USER object
// behind: a drop-down of the menu bar, an edit's context menu and the
// system menu, each drawn with the skin's items. (The benchmark runs the
// same cycles by the thousand; here a few dozen keep the test short.)
#include "ManagerTestUtil.h"
#include "MenuTestUtil.h"
#include "fw/Edit.h"
#include "skin/form/MenuBar.h"
#include "support/ObjectCensus.h"

#include <gtest/gtest.h>

namespace enginetest {
namespace {

TEST(MenuSoak, DropDownContextAndSystemMenusLeaveNothingBehind) {
  TSkinnedForm f(MenusSpec());
  auto* menu = new TMainMenu(f.Form);
  auto* file = new TMenuItem(f.Form);
  file->SetCaption(L"&File");
  menu->Items().Add(file);
  for (int i = 0; i < 12; ++i) {
    auto* item = new TMenuItem(f.Form);
    item->SetCaption(i == 5 ? L"-" : L"Item " + std::to_wstring(i));
    item->SetChecked(i == 2);
    item->SetEnabled(i != 3);
    file->Add(item);
  }
  f.Form->SetMenu(menu);
  auto* edit = new TEdit(f.Form);
  edit->SetParent(f.Form);
  edit->SetBounds(10, 10, 150, 22);
  edit->SetText(L"some text");
  TPointerAside aside;
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  ASSERT_TRUE(e->MenuBar && !e->MenuBar->Buttons.empty());
  RECT w;
  GetWindowRect(f.Wnd(), &w);
  const RECT& b = e->MenuBar->Buttons[0]->Bounds;
  const POINT bar{w.left + (b.left + b.right) / 2, w.top + (b.top + b.bottom) / 2};
  const HWND editWnd = edit->Handle();

  int shown = 0;
  auto once = [&](const std::function<void()>& open) {
    shown += DriveMenus(open, [](int) { return true; }).Done;
  };
  auto cycle = [&] {
    once([&] { SendMessageW(f.Wnd(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(bar.x, bar.y)); });
    once([&] {
      SendMessageW(editWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editWnd),
                   MAKELPARAM(w.left + 30, w.top + 90));
    });
    once([&] {
      e->LastSysMenuTick = 0;
      SendMessageW(f.Wnd(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 120, w.top + 8));
    });
  };
  for (int i = 0; i < 3; ++i) // warm-up: glyphs, fonts, the first menu windows
    cycle();
  const testutil::TObjectCensus before = testutil::TObjectCensus::Take();
  constexpr int kCycles = 40;
  shown = 0;
  for (int i = 0; i < kCycles; ++i)
    cycle();
  const testutil::TObjectCensus after = testutil::TObjectCensus::Take();
  EXPECT_EQ(shown, 3 * kCycles);
  EXPECT_TRUE(before == after) << before.DifferenceTo(after);
  EXPECT_TRUE(Manager() == nullptr || Manager()->PopupMenus.empty());
}

} // namespace
} // namespace enginetest
