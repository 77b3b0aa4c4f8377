#include "skin/form/PopupMenu.h"

#include "fw/OsVersion.h"
#include "skin/controls/SkinManager.h"
#include "skin/data/ImgUtilGdi.h"
#include "skin/form/SkinMessages.h"

namespace {
constexpr DWORD kDcxUseStyle = 0x00010000; // not in every header set
}

void TWinSkinPopMenu::HookWindow(HWND wnd, TSkinData* skinData, HMENU menu) {
  MenuWindow = wnd;
  SkinData = skinData;
  MenuHandle = menu;
  FromMenuBar = 0;
  // Menu windows are the system's ANSI-or-wide class; the ANSI pair keeps
  // the window as it is.
  ProcThunk.Install(wnd, TWndMethod(this, &TWinSkinPopMenu::WindowProc), false);
}

void TWinSkinPopMenu::UnhookWindow() {
  if (!ProcThunk.Installed()) return;
  ProcThunk.Remove();
  Background.Clear();
}

void TWinSkinPopMenu::CallOldProc(TMessage& msg) {
  ProcThunk.CallOld(msg);
}

void TWinSkinPopMenu::WindowProc(TMessage& msg) {
  if (msg.Msg == SKN_QUERY) {
    msg.Result = 1;
    return;
  }
  TSkinManage* m = SkinManagerObject();
  if (!m || !m->Enabled()) return CallOldProc(msg);
  switch (msg.Msg) {
  case WM_DESTROY:
    UnhookWindow();
    CallOldProc(msg);
    return;
  case WM_ERASEBKGND:
    if (OsVersion().NTFamily) {
      // With the skin's background behind the items, erasing would only flicker.
      if (!SkinData->HasOption(xoMenuBG)) CallOldProc(msg);
      msg.Result = 1;
    } else {
      msg.Result = 0;
    }
    return;
  case WM_NCPAINT: NcPaint(msg); return;
  case WM_PRINT: PrintPaint(msg); return;
  case WM_PAINT: Paint(msg); return;
  default: CallOldProc(msg);
  }
}

bool TWinSkinPopMenu::CanPaint() const {
  if (!SkinData || !SkinData->SkinLoaded()) return false;
  const TDataSkinObject* e = SkinData->Skin().Element(ssMenuBackground);
  return e && !e->Image.Empty();
}

void TWinSkinPopMenu::BuildBackground() {
  RECT r;
  GetWindowRect(MenuWindow, &r);
  const TDataSkinObject& e = *SkinData->Skin().Element(ssMenuBackground);
  Background = BuildNineSlice(RectOf(0, 0, r.right - r.left, r.bottom - r.top), e.Image,
                              e.Margins(), false, e.Tile != 0, 1, 1);
}

// The whole window, frame included, is the skin's background; the
// system's menu frame is never drawn.
void TWinSkinPopMenu::NcPaint(TMessage& msg) {
  if (!CanPaint() || msg.WParam != 1) return CallOldProc(msg);
  const TOsVersion& v = OsVersion();
  HDC dc = v.NTFamily && v.Major > 4 && v.Minor > 1
               ? GetWindowDC(MenuWindow)
               : GetDCEx(MenuWindow, reinterpret_cast<HRGN>(1),
                         DCX_WINDOW | DCX_INTERSECTRGN | kDcxUseStyle);
  TWindowDC windowDC(MenuWindow, dc);
  if (!windowDC) return;
  BuildBackground();
  DrawBitmap(windowDC.Get(), 0, 0, Background);
}

// Printing: the background first, then the menu prints its items inside
// the frame.
void TWinSkinPopMenu::PrintPaint(TMessage& msg) {
  HDC dc = reinterpret_cast<HDC>(msg.WParam);
  if (!CanPaint() || !dc) return CallOldProc(msg);
  RECT r;
  GetWindowRect(MenuWindow, &r);
  OffsetRect(&r, -r.left, -r.top);
  TGdiRegion inner(CreateRectRgn(kFrame, kFrame, r.right - kFrame, r.bottom - kFrame));
  BuildBackground();
  DrawBitmap(dc, 0, 0, Background);
  // The caller's DC comes back as it was, its own clip region included;
  // the items are clipped to the inside of the frame within that region.
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  ExtSelectClipRgn(dc, inner.Get(), RGN_AND);
  CallOldProc(msg);
  RestoreDC(dc, saved);
}

void TWinSkinPopMenu::Paint(TMessage& msg) {
  CallOldProc(msg);
  if (!CanPaint()) return;
  RECT r;
  GetWindowRect(MenuWindow, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (Background.Width() != width || Background.Height() != height) BuildBackground();
  TWindowDC dc = TWindowDC::Whole(MenuWindow);
  if (!dc) return;
  ExcludeClipRect(dc.Get(), kFrame, kFrame, width - kFrame, height - kFrame);
  DrawBitmap(dc.Get(), 0, 0, Background);
}
