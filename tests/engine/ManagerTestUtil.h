#pragma once
// Bare windows and switches for the tests of the skin manager, the popup
// painter and MDI: windows of our own classes made while the manager looks
// away (showing activates, and an activated window is skinned when the
// manager is on), the manager switched for a scope, its skin data list
// kept and given back.

#include "EngineTestUtil.h"

#include <windows.h>

#include <vector>

namespace enginetest {

TSkinManage* Manager();

// Sets the manager's Enabled for a scope; the old value comes back.
class TManagerEnabled {
public:
  explicit TManagerEnabled(bool on);
  ~TManagerEnabled();
  TManagerEnabled(const TManagerEnabled&) = delete;
  TManagerEnabled& operator=(const TManagerEnabled&) = delete;

private:
  bool FOld;
};

// Keeps the manager's skin data list and main component for a scope, so a
// test may put its own components in.
class TSkinDataListScope {
public:
  TSkinDataListScope();
  ~TSkinDataListScope();
  TSkinDataListScope(const TSkinDataListScope&) = delete;
  TSkinDataListScope& operator=(const TSkinDataListScope&) = delete;

private:
  std::vector<TSkinData*> FList;
  TSkinData* FMain;
};

// A window class of this module, registered once under this name.
const wchar_t* TestWindowClass(const wchar_t* name, WNDPROC proc = DefWindowProcW,
                               HBRUSH background = nullptr);

// A window made (and shown when its style says so) with the manager off;
// destroyed the same way, and its engine purged, when the object goes.
class TTestWindow {
public:
  TTestWindow(const wchar_t* className, DWORD style, DWORD exStyle = 0,
              RECT bounds = {80, 80, 380, 280}, HWND parent = nullptr, HINSTANCE instance = nullptr,
              void* createParam = nullptr);
  ~TTestWindow();
  TTestWindow(const TTestWindow&) = delete;
  TTestWindow& operator=(const TTestWindow&) = delete;
  HWND Wnd = nullptr;
};

// Destroys a window with the manager off, so the window activated next is
// not skinned on the way, and frees the engines of windows that went.
void DestroyQuietly(HWND wnd);

// SKN_INITFORM (wParam 0, lParam 1000) waits in the window's queue.
bool InitFormWaiting(HWND wnd);

// Notes when a component is freed.
class TFreeWatch : public TComponent {
public:
  explicit TFreeWatch(TComponent* watched) : TComponent(nullptr) {
    watched->FreeNotification(this);
  }
  bool Freed = false;
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove) Freed = true;
  }
};

} // namespace enginetest
