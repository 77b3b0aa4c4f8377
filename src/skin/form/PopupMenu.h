#pragma once
// The painter of a popup-menu window (class "#32768"): the whole window,
// frame and client area, shows the skin's menu background; the items are
// drawn over it by the owner-drawn menu items, which copy their background
// from the picture kept here.

#include "core/Bitmap.h"
#include "fw/WindowSubclass.h"

class TSkinData;

class TWinSkinPopMenu : public TObject {
public:
  TWinSkinPopMenu() = default;
  ~TWinSkinPopMenu() override { UnhookWindow(); }

  // --- Fields, in the order the painter keeps them
  TWindowSubclass ProcThunk; // OldProc inside; installed while attached
  HWND MenuWindow = nullptr;
  TSkinData* SkinData = nullptr;
  Bitmap Background; // the last menu background, the size of the whole window
  HMENU MenuHandle = nullptr;
  int FromMenuBar = 0;

  void HookWindow(HWND wnd, TSkinData* skinData, HMENU menu);
  void UnhookWindow();
  void CallOldProc(TMessage& msg);

  // The frame of a menu window, in pixels on every side.
  static constexpr int kFrame = 3;

private:
  void WindowProc(TMessage& msg);
  void NcPaint(TMessage& msg);
  void PrintPaint(TMessage& msg);
  // Where the system paints the whole menu window on WM_PAINT (menus have
  // no non-client frame under Wine), the frame would not keep the picture
  // painted on WM_NCPAINT: it is painted again after the system's paint.
  void Paint(TMessage& msg);
  bool CanPaint() const;
  void BuildBackground();
};
