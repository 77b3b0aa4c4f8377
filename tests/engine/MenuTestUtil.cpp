#include "MenuTestUtil.h"

#include <string>

namespace enginetest {

std::vector<HWND> OpenMenuWindows() {
  std::vector<HWND> found;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr))
    if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
      found.push_back(w);
  return found;
}

HMENU MenuOf(HWND menuWindow) {
  return reinterpret_cast<HMENU>(SendMessageW(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
}

std::vector<HMENU> OpenMenus() {
  std::vector<HMENU> menus;
  for (HWND w : OpenMenuWindows())
    menus.push_back(MenuOf(w));
  return menus;
}

int HighlightedItem(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
  return -1;
}

HWND WindowOfMenu(HMENU menu) {
  for (HWND w : OpenMenuWindows())
    if (MenuOf(w) == menu) return w;
  return nullptr;
}

void PostMenuKey(HWND menuWindow, UINT key) {
  PostMessageW(menuWindow, WM_KEYDOWN, key, 1);
}

namespace {

struct TDriveState {
  std::function<bool(int)> Step;
  TMenuDrive* Result = nullptr;
  int Idle = 0;
  bool Closing = false;
};
TDriveState* gDrive = nullptr;

void CALLBACK DriveTick(HWND, UINT, UINT_PTR, DWORD) {
  TDriveState* d = gDrive;
  if (!d || d->Closing) return;
  TMenuDrive& r = *d->Result;
  ++r.Ticks;
  const std::vector<HMENU> menus = OpenMenus();
  if (menus.empty()) {
    if (++d->Idle > 50) { // a second without a menu: nothing is coming
      r.TimedOut = true;
      d->Closing = true;
      EndMenu();
    }
    return;
  }
  d->Idle = 0;
  if (r.Opened.empty() || r.Opened.back() != menus.front()) r.Opened.push_back(menus.front());
  if (r.Ticks > 200) {
    r.TimedOut = true;
    d->Closing = true;
    EndMenu();
    return;
  }
  if (d->Step(r.Ticks)) {
    r.Done = true;
    d->Closing = true;
    EndMenu();
  }
}

} // namespace

TMenuDrive DriveMenus(const std::function<void()>& open, std::function<bool(int)> step) {
  TMenuDrive result;
  TDriveState state{std::move(step), &result};
  TDriveState* outer = gDrive;
  gDrive = &state;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, DriveTick);
  open();
  // What open left posted (a switch, a command) is handled while the
  // timer still watches.
  PumpUntil([&] { return OpenMenuWindows().empty(); });
  KillTimer(nullptr, timer);
  gDrive = outer;
  Pump();
  return result;
}

} // namespace enginetest
