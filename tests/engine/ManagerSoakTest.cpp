// Many windows skinned, activated and destroyed, and popup menus opened
// and closed over them: nothing the manager, the engines or the popup
// painters make may stay behind.
#include "ManagerTestUtil.h"
#include "support/ObjectCensus.h"

#include <gtest/gtest.h>

namespace enginetest {
namespace {

// Menu windows that still had their painter when they went. This hook is
// installed after the manager's, so it sees each window first.
int gPaintedMenus = 0;

LRESULT CALLBACK CountPaintedMenus(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND) {
    const auto wnd = reinterpret_cast<HWND>(wParam);
    wchar_t cls[16] = {};
    GetClassNameW(wnd, cls, 16);
    if (std::wstring(cls) == L"#32768" && SendMessageW(wnd, SKN_QUERY, 0, 0) == 1) ++gPaintedMenus;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// One small window's life: made and skinned (every fourth one shown and
// activated, so the hook skins it; the others skinned hidden, which is
// cheaper), its skin started, a context menu opened and closed over it,
// activated and deactivated, then destroyed. True when it was skinned.
bool Cycle(HWND other, int i) {
  TSkinManage* m = Manager();
  m->SetEnabled(true);
  const bool shown = i % 4 == 0;
  HWND wnd =
      CreateWindowExW(0, PlainClass(), L"soak", WS_OVERLAPPEDWINDOW | (shown ? WS_VISIBLE : 0),
                      100 + i % 50, 100 + i % 40, 160 + i % 30, 120 + i % 20, nullptr, nullptr,
                      GetModuleHandleW(nullptr), nullptr);
  if (!shown) m->SkinWindow(wnd);
  TWinSkinForm* e = m->FindFormEngine(wnd);
  Pump(); // SKN_INITFORM
  const bool skinned = e && e->EngineState == 1;
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"One");
  AppendMenuW(menu, MF_STRING, 2, L"Two");
  // The menu closes as soon as its loop takes the message.
  PostMessageW(wnd, WM_CANCELMODE, 0, 0);
  TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, wnd, nullptr);
  DestroyMenu(menu);
  if (shown) {
    SetActiveWindow(other);
    SetActiveWindow(wnd);
  } else {
    SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
    SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
  }
  m->SetEnabled(false);
  DestroyWindow(wnd);
  Pump();
  m->PurgeFormEngines();
  return skinned;
}

// A cycle takes about 20 ms under Wine (a menu window alone some 7 ms), so
// a few hundred of them keep the test within seconds.
TEST(ManagerSoak, WindowsAndPopupMenusLeaveNothingBehind) {
  TSkinnedForm anchor; // alive across both counts
  TSkinManage* m = Manager();
  HHOOK hook = SetWindowsHookExW(WH_CBT, CountPaintedMenus, nullptr, GetCurrentThreadId());
  // Warm-up: whatever is made once and kept, both ways of skinning.
  ASSERT_TRUE(Cycle(anchor.Wnd(), 0));
  ASSERT_TRUE(Cycle(anchor.Wnd(), 1));
  const testutil::TObjectCensus before = testutil::TObjectCensus::Take();
  constexpr int kCycles = 240;
  gPaintedMenus = 0;
  int skinned = 0;
  for (int i = 2; i < kCycles + 2; ++i)
    skinned += Cycle(anchor.Wnd(), i);
  const testutil::TObjectCensus after = testutil::TObjectCensus::Take();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(skinned, kCycles);
  EXPECT_EQ(gPaintedMenus, kCycles);
  EXPECT_TRUE(before == after) << before.DifferenceTo(after);
  for (TWinSkinForm* e : m->FormEngines) // the other window may have been skinned when activated
    EXPECT_EQ(e->Handle, anchor.Wnd());
  EXPECT_TRUE(m->PopupMenus.empty());
  EXPECT_EQ(m->PopupKind, 0);
}

} // namespace
} // namespace enginetest
