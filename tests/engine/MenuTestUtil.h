#pragma once
// Driving open menus from inside their own loop. A menu blocks whoever
// opens it until it closes, so a thread timer (which the menu loop
// dispatches) looks at the menu windows (class "#32768") and posts keys or
// mouse messages to them; no sleeps, the loop's own messages carry it.

#include "EngineTestUtil.h"

#include <functional>
#include <vector>

namespace enginetest {

// The visible menu windows of this thread, the newest first.
std::vector<HWND> OpenMenuWindows();
// The menu a menu window shows (MN_GETHMENU).
HMENU MenuOf(HWND menuWindow);
// The menus shown now, in the order of OpenMenuWindows.
std::vector<HMENU> OpenMenus();
// The position of the highlighted item of a menu, or -1.
int HighlightedItem(HMENU menu);

struct TMenuDrive {
  bool Done = false;         // step said it was done
  bool TimedOut = false;     // nothing said so within about four seconds
  std::vector<HMENU> Opened; // the newest menu shown, each time it changed
  int Ticks = 0;
};

// Calls open (which returns once every menu it opened has closed) while a
// timer inside the menu loop calls step about every 20 ms with at least one
// menu shown; once step answers true every menu is closed with EndMenu.
// Without a menu shown for a whole second, or after about four seconds in
// all, the drive gives up (and closes what is open).
TMenuDrive DriveMenus(const std::function<void()>& open, std::function<bool(int tick)> step);

// Moves the pointer out of the way (to the screen's top-left corner) and
// puts it back where it was when it goes, so later tests find it as
// before.
class TPointerAside {
public:
  TPointerAside() {
    GetCursorPos(&FSaved);
    SetCursorPos(2, 2);
  }
  ~TPointerAside() { SetCursorPos(FSaved.x, FSaved.y); }
  TPointerAside(const TPointerAside&) = delete;
  TPointerAside& operator=(const TPointerAside&) = delete;

private:
  POINT FSaved{};
};

// The menu window showing menu, or null.
HWND WindowOfMenu(HMENU menu);
// Posts a key press to a menu window (down only, as the menu loop needs).
void PostMenuKey(HWND menuWindow, UINT key);

} // namespace enginetest
