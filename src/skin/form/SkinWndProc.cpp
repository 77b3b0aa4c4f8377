// The form engine's message side: every message of a skinned window passes
// SkinWndProc first, in three stages; the framework form's own handler is
// preceded by FormWindowProc, an MDI main window's client by MdiClientProc.
// Here too the geometry the skin imposes: the client area under the skin's
// borders, the hit test, fitting the window and its shaped region.
#include "skin/form/WinSkinForm.h"

#include "skin/form/MenuBar.h"

#include "skin/controls/ScrollPainters.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinManager.h"
#include "fw/OsVersion.h"
#include "skin/data/ImgUtilGdi.h"

#include <windowsx.h>

#include <algorithm>

namespace {

TSkinManage* Manager() {
  return SkinManagerObject();
}

bool IsSystemCommand(WPARAM id) {
  switch (LOWORD(id)) {
  case SC_SIZE:
  case SC_MOVE:
  case SC_MINIMIZE:
  case SC_MAXIMIZE:
  case SC_NEXTWINDOW:
  case SC_PREVWINDOW:
  case SC_CLOSE:
  case SC_RESTORE: return true;
  default: return false;
  }
}

} // namespace

void TWinSkinForm::CallOldProc(TMessage& msg) {
  WndSubclass.CallOld(msg);
}

void TWinSkinForm::SkinWndProc(TMessage& msg) {
  if (msg.Msg == WM_SETTEXT) {
    // Whatever paints while the text is being set reads it anew, and so
    // does the first paint after.
    FWindowTextRead = false;
    SkinMessage(msg);
    FWindowTextRead = false;
    return;
  }
  SkinMessage(msg);
}

void TWinSkinForm::SkinMessage(TMessage& msg) {
  // Until activation the standard frame is never drawn.
  if (EngineState == 0 && msg.Msg == WM_NCPAINT) {
    msg.Result = 0;
    return;
  }
  if (Stage1(msg)) return;
  if (!IsMdiChild() && (Style & WS_CHILD)) return CallOldProc(msg);
  const bool handled = Stage2(msg);
  if (EngineState != 0 && !(IsMdiChild() && Maximized()) && Stage3(msg)) return;
  if (!handled) CallOldProc(msg);
}

// True when the message is done with; false to continue with the later
// stages (only when the frame is taken over).
bool TWinSkinForm::Stage1(TMessage& msg) {
  const bool plain = Form == nullptr;
  switch (msg.Msg) {
  case WM_ERASEBKGND:
    CallOldProc(msg);
    if (plain && SkinData && msg.WParam) {
      RECT r;
      GetClientRect(Handle, &r);
      FillRect(reinterpret_cast<HDC>(msg.WParam), &r, SkinData->BackgroundBrush());
      msg.Result = 1;
    }
    return true;
  case WM_NCDESTROY:
    EngineState = 4;
    DetachOnDestroy();
    CallOldProc(msg);
    EngineState = 6;
    return true;
  case WM_NCACTIVATE:
    if (EngineState == 0 && !IsMdiChild()) {
      msg.Result = 0;
      return true;
    }
    if (SkinFrame) return false;
    CallOldProc(msg);
    return true;
  case 0x00AE: // the system's own caption drawing
    msg.Result = 0;
    return true;
  case WM_INITMENUPOPUP:
    if (TSkinManage* m = Manager())
      m->PopupKind = reinterpret_cast<HMENU>(msg.WParam) == SysMenuHandle ? 2 : 1;
    CallOldProc(msg);
    return true;
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
    CallOldProc(msg);
    if (plain && msg.WParam) {
      SetBkMode(reinterpret_cast<HDC>(msg.WParam), TRANSPARENT);
      if (msg.Msg == WM_CTLCOLORSTATIC && SkinData)
        msg.Result = reinterpret_cast<LRESULT>(SkinData->BackgroundBrush());
    }
    return true;
  case SKN_INITFORM: ActivateSkin(); return true;
  case SKN_RESKINSCROLL: HandleReskinScroll(msg); return true;
  case SKN_QUERY:
    msg.Result = 1;
    PostMessageW(Handle, SKN_SKINNED, 0, SKN_MAGIC);
    return true;
  default:
    if (SkinFrame) return false;
    CallOldProc(msg);
    return true;
  }
}

// True when handled; an unhandled message goes to stage 3 or is passed on.
bool TWinSkinForm::Stage2(TMessage& msg) {
  switch (msg.Msg) {
  case WM_SIZE: HandleSize(msg); return true;
  case WM_ACTIVATE: Active = LOBYTE(LOWORD(msg.WParam)) != 0; return false;
  case WM_GETMINMAXINFO: HandleGetMinMaxInfo(msg); return true;
  case WM_WINDOWPOSCHANGED:
    ReadWindowState();
    CallOldProc(msg);
    return true;
  case WM_SETICON:
    CallOldProc(msg);
    BuildIconBitmap();
    return true;
  case WM_NCACTIVATE: Active = LOBYTE(LOWORD(msg.WParam)) != 0; return false;
  case WM_COMMAND:
    if (IsSystemCommand(msg.WParam))
      PostMessageW(Handle, WM_SYSCOMMAND, LOWORD(msg.WParam), 0);
    else
      CallOldProc(msg);
    return true;
  case WM_SYSCOMMAND: HandleSysCommand(msg); return true;
  case SKN_MENUCLICK: MenuClick(msg); return true;
  case CM_MENUCHANGED: HandleMenuChanged(msg); return true;
  default: return false;
  }
}

bool TWinSkinForm::Stage3(TMessage& msg) {
  switch (msg.Msg) {
  case WM_SIZE: HandleSize(msg); return true;
  case WM_WINDOWPOSCHANGING: CallOldProc(msg); return true;
  case WM_NCCALCSIZE: HandleNcCalcSize(msg); return true;
  case WM_NCHITTEST: HandleNcHitTest(msg); return true;
  case WM_NCPAINT: HandleNcPaint(msg); return true;
  case WM_NCACTIVATE: HandleNcActivate(msg); return true;
  case WM_NCMOUSEMOVE: HandleNcMouseMove(msg); return true;
  case WM_NCLBUTTONDOWN: HandleNcLButtonDown(msg); return true;
  case WM_NCLBUTTONUP: HandleNcLButtonUp(msg); return true;
  case WM_NCLBUTTONDBLCLK: HandleNcLButtonDblClk(msg); return true;
  case WM_NCRBUTTONDOWN: HandleNcRButtonDown(msg); return true;
  case SKN_REPAINTFRAME: PaintFrame(nullptr); return true;
  case WM_MEASUREITEM: {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam);
    if (!mi || mi->CtlType != ODT_MENU || !InitialMenu) return false;
    HandleMeasureItem(msg);
    return true;
  }
  case WM_DRAWITEM: {
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
    if (!di || di->CtlType != ODT_MENU || !InitialMenu) return false;
    const TOsVersion& v = OsVersion();
    if (MdiRole == 1 && v.NTFamily && v.Major == 4) return false;
    HandleDrawItem(msg);
    return true;
  }
  default: return false;
  }
}

void TWinSkinForm::HandleSysCommand(TMessage& msg) {
  if ((msg.WParam & 0xFFF0) == SC_KEYMENU && HandleKeyMenu(msg)) return;
  switch (msg.WParam & 0xFFF0) {
  case SC_MINIMIZE: WindowState = 2; break;
  case SC_MAXIMIZE: WindowState = 1; break;
  case SC_RESTORE:
    WindowState = 0;
    if (IsMdiChild())
      if (TSkinManage* m = Manager(); m && m->MdiMaximized) m->SetMdiMaximized(false);
    break;
  }
  CallOldProc(msg);
}

// A menu change would make the system draw a menu bar: the frame is not
// painted meanwhile, and the menu is taken off the window again.
void TWinSkinForm::HandleMenuChanged(TMessage& msg) {
  const bool painting = SkinData->FramePainting;
  SkinData->FramePainting = false;
  CallOldProc(msg);
  SkinData->FramePainting = painting;
  if (!GetMenu(Handle) || !MenuBar) return;
  if (SkinData->MenuUpdate()) {
    MenuBar->MenuHandle = GetMenu(Handle);
    MenuBar->BuildButtons();
  }
  SetMenu(Handle, nullptr);
  PaintFrame(nullptr);
}

// A control that made its window again gets a new scroll-bar painter: the
// old one's overlays belong to the window that went.
void TWinSkinForm::HandleReskinScroll(TMessage& msg) {
  HWND wnd = reinterpret_cast<HWND>(msg.WParam);
  for (auto it = Painters.rbegin(); it != Painters.rend(); ++it) {
    auto* old = dynamic_cast<TSkinScrollbar*>(*it);
    if (!old || old->Handle != wnd) continue;
    auto* control = As<TWinControl>(old->Control);
    Painters.erase(std::next(it).base());
    old->FormEngine = nullptr;
    delete old;
    if (!control) return;
    // List views keep their own scroll-bar painter from the list-view
    // painters on.
    auto* fresh = new TSkinScrollbar(control);
    fresh->AttachScrolled(control, SkinData, this, &ControlCanvas);
    return;
  }
}

// --- The framework form's handler -------------------------------------------------

void TWinSkinForm::FormWindowProc(TMessage& msg) {
  switch (msg.Msg) {
  case WM_SETTEXT: {
    // The framework sets its text through here, not always through the
    // window procedure.
    FWindowTextRead = false;
    OldFormWindowProc.CallPrevious(msg);
    FWindowTextRead = false;
    if (!IsWindowVisible(Handle)) return;
    if (Maximized()) {
      if (TSkinManage* m = Manager(); m && m->MdiClientWindow)
        PostMessageW(m->MdiClientWindow, SKN_MDIREDRAW, reinterpret_cast<WPARAM>(Handle), 0);
    } else if (Minimized()) {
      PaintFrame(nullptr);
    } else {
      SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    return;
  }
  case SKN_SKINCHANGED: ReskinForm(); return;
  case SKN_EXTPAINT:
    if (msg.LParam != SKN_MAGIC) break;
    if (msg.WParam) PaintFrame(reinterpret_cast<HDC>(msg.WParam));
    msg.Result = SKN_MAGIC;
    return;
  case SKN_EXTQUERY: msg.Result = msg.LParam == SKN_MAGIC ? SKN_MAGIC : 1; return;
  case CM_DIALOGCHAR: DialogKey(msg); return;
  default: break;
  }
  OldFormWindowProc.CallPrevious(msg);
}

// --- The MDI client ------------------------------------------------------------------

bool TWinSkinForm::MdiChildMaximized() const {
  if (MdiRole != 1 || !MdiClient) return false;
  BOOL maximized = FALSE;
  HWND active = reinterpret_cast<HWND>(
      SendMessageW(MdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  return active && maximized;
}

void TWinSkinForm::MdiClientProc(TMessage& msg) {
  TSkinManage* m = Manager();
  switch (msg.Msg) {
  case WM_NCDESTROY:
    MdiSubclass.CallOld(msg);
    ReleaseMdiClient();
    return;
  case WM_NCCALCSIZE:
    if (SkinFrame && !SkinData->HasOption(xoMDIScrollbar)) {
      const LONG_PTR style = GetWindowLongPtrW(MdiClient, GWL_STYLE);
      if (style & (WS_HSCROLL | WS_VSCROLL))
        SetWindowLongPtrW(MdiClient, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
    }
    break;
  case WM_MDICREATE: SkinData->SetMenuUpdate(false); break;
  case WM_MDIDESTROY:
    MdiSubclass.CallOld(msg);
    if (SkinFrame && m) m->SetMdiMaximized(MdiChildMaximized());
    if (!SendMessageW(MdiClient, WM_MDIGETACTIVE, 0, 0) && MenuBar) {
      // The last child went: the frame's own menu is back.
      SkinData->SetMenuUpdate(SavedMenuUpdate);
      if (GetMenu(Handle)) MenuBar->BuildButtons();
      SetMenu(Handle, nullptr);
      PaintFrame(nullptr);
    }
    return;
  case WM_MDITILE:
  case WM_MDICASCADE:
    if (SkinFrame && m && m->MdiMaximized) m->SetMdiMaximized(false);
    break;
  case WM_MDISETMENU:
    MdiSubclass.CallOld(msg);
    if (SkinFrame && MenuBar && GetMenu(Handle)) {
      MenuBar->RebuildFromMenu();
      PaintFrame(nullptr);
    }
    return;
  case SKN_MDIREDRAW:
    RedrawWindow(Handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    return;
  default: break;
  }
  MdiSubclass.CallOld(msg);
}

// --- Geometry --------------------------------------------------------------------------

// Keeps the client area's size while the frame changes.
void TWinSkinForm::FitWindowToSkin(bool refresh) {
  if (Maximized()) {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return;
  }
  GetWindowRect(Handle, &WindowRect);
  if (IsDialogClass || EngineState == 3) GetClientRect(Handle, &ClientRect);
  int width = ClientRect.right + BorderLeft + BorderRight;
  if (refresh) {
    GetClientRect(Handle, &ClientRect);
  } else if (Form) {
    width = Form->ClientWidth() + BorderLeft + BorderRight;
    ClientRect.bottom = IsMdiChild() ? Form->ClientHeight() : Form->ClientHeight() - MenuHeight;
  }
  const int height = ClientRect.bottom + CaptionHeight + BorderBottom + MenuHeight;
  if (IsDialogClass && !refresh) {
    DialogCaption = WindowText();
    TWindowDC dc = TWindowDC::Whole(Handle);
    if (dc) {
      TSelection font(dc.Get(), CaptionFont.Handle());
      SIZE size{};
      GetTextExtentPoint32W(dc.Get(), DialogCaption.c_str(), static_cast<int>(DialogCaption.size()),
                            &size);
      DialogCaptionWidth = size.cx;
    }
    const TDataSkinTitle& title = SkinData->Skin().Title();
    const int needed = title.TextShift + DialogCaptionWidth + title.TextRightClip;
    if (width < needed) {
      const int shift = (needed - width) / 2;
      for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING |
                         SWP_NOOWNERZORDER);
      }
      width = needed;
    }
  }
  SetWindowPos(Handle, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::HandleNcCalcSize(TMessage& msg) {
  CallOldProc(msg);
  if (!msg.WParam) {
    msg.Result = 0;
    return;
  }
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.LParam);
  if (!params || !params->lppos) return;
  if ((IsMdiChild() && WindowState != 0) || FrameKind == 2) {
    params->rgrc[1] = params->rgrc[0];
  } else {
    const WINDOWPOS& p = *params->lppos;
    RECT client{p.x + BorderLeft, p.y + CaptionHeight + MenuHeight, p.x + p.cx - BorderRight,
                p.y + p.cy - BorderBottom};
    // A window smaller than the skin's frame (a minimized one, above all)
    // gets an empty client, never one turned inside out; its origin stays
    // where the window-relative points expect it.
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    params->rgrc[0] = client;
    params->rgrc[1] = client;
  }
  msg.Result = WVR_VALIDRECTS;
}

// Sizing borders and the client area keep the system's answer; the caption
// below its top three rows is the caption, and the band under it the menu.
void TWinSkinForm::HandleNcHitTest(TMessage& msg) {
  CallOldProc(msg);
  if (msg.Result != HTNOWHERE && msg.Result != HTCAPTION) return;
  const POINT p = ToWindowPoint({GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)});
  if (p.y > 3) msg.Result = HTCAPTION;
  if (p.y > CaptionHeight && MenuHeight > 0) msg.Result = HTMENU;
}

void TWinSkinForm::HandleSize(TMessage& msg) {
  CallOldProc(msg);
  switch (msg.WParam) {
  case SIZE_RESTORED: WindowState = 0; break;
  case SIZE_MINIMIZED: WindowState = 2; break;
  case SIZE_MAXIMIZED: WindowState = 1; break;
  default: break;
  }
  if (Minimized()) return;
  if (IsMdiChild()) {
    // However it was maximized, a maximized child has the system's frame
    // and no region of its normal size.
    if (Maximized()) DropRegion();
    TSkinManage* m = Manager();
    if ((m && m->MdiMaximized) || WindowState != 0) return;
  }
  if (EngineState == 1 || EngineState == 3) UpdateRegion();
}

// The system measures the smallest window with its own frame; the same
// smallest client is kept under the skin's, so that fitting the window to
// the skin never makes its client larger, nor unskinning it smaller.
void TWinSkinForm::HandleGetMinMaxInfo(TMessage& msg) {
  CallOldProc(msg);
  ReadWindowState();
  auto* info = reinterpret_cast<MINMAXINFO*>(msg.LParam);
  if (!info || EngineState == 0 || FrameKind == 2 || IsMdiChild()) return;
  POINT& least = info->ptMinTrackSize;
  least.x = std::max<LONG>(least.x + BorderLeft + BorderRight - StdFrameExtra.right, 0);
  least.y =
      std::max<LONG>(least.y + CaptionHeight + MenuHeight + BorderBottom - StdFrameExtra.bottom, 0);
}

// The region of one border piece from its picture's transparent pixels, in
// window coordinates; false when the piece draws as a plain rectangle.
bool TWinSkinForm::PaintBorderRegion(int piece, int width, int height, int dx, int dy, HRGN& out) {
  const TDataSkinFormBorder& border = SkinData->Skin().Border(piece);
  if (!border.Trans || width <= 0 || height <= 0) return false;
  Bitmap picture =
      BuildNineSlice(RectOf(0, 0, width, height), border.Image, border.Margins(), piece >= bpTop,
                     border.Stretch != 1, border.Frame, Active || border.Frame <= 1 ? 1 : 2);
  TGdiRegion region = RegionFromBitmap(picture, dx, dy, 1, 1, 1, clMagenta);
  out = region.Release();
  return out != nullptr;
}

void TWinSkinForm::UpdateRegion() {
  if (EngineState == 6 || !SkinFrame || !SkinData) return;
  RECT r;
  GetWindowRect(Handle, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  if (IsMdiChild() && WindowState != 0) return;
  if (width == RegionWidth && height == RegionHeight && !IsMdiChild() && EngineState != 3) return;
  const TSkinDefinition& skin = SkinData->Skin();
  bool anyTransparent = false;
  for (int piece = bpLeft; piece <= bpBottom; ++piece)
    anyTransparent = anyTransparent || skin.Border(piece).Trans == 1;
  // The size is noted for plain rectangles too: the two size-tracking
  // passes of one WM_SIZE then build the region once.
  RegionWidth = width;
  RegionHeight = height;
  TGdiRegion region;
  if (!anyTransparent) {
    region.Reset(CreateRectRgn(0, 0, width, height));
  } else {
    region.Reset(
        CreateRectRgn(BorderLeft, CaptionHeight, width - BorderRight, height - BorderBottom));
    if (FrameKind != 2) {
      auto piece = [&](int number, const RECT& rect, bool usePicture) {
        HRGN made = nullptr;
        if (!usePicture || !PaintBorderRegion(number, rect.right - rect.left,
                                              rect.bottom - rect.top, rect.left, rect.top, made))
          made = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
        TGdiRegion owned(made);
        CombineRgn(region.Get(), region.Get(), owned.Get(), RGN_OR);
      };
      piece(bpLeft, {0, 0, BorderLeft, height}, skin.Border(bpLeft).Trans == 1 && height > 1);
      piece(bpRight, {width - BorderRight, 0, width, height},
            skin.Border(bpRight).Trans == 1 && height > 1);
      piece(bpBottom, {BorderLeft, height - BorderBottom, width - BorderRight, height},
            skin.Border(bpBottom).Trans == 1 && BorderBottom >= 2);
      piece(bpTop, {BorderLeft, 0, width - BorderRight, CaptionHeight},
            skin.Border(bpTop).Trans == 1 && CaptionHeight > 1 &&
                width - BorderLeft - BorderRight > 0);
    }
  }
  // The system owns the region from here on and frees the one it replaces.
  Region = region.Get();
  if (SetWindowRgn(Handle, region.Get(), TRUE)) region.Release();
  RegionOwned = true;
}

void TWinSkinForm::DropRegion() {
  if (!RegionOwned) return;
  SetWindowRgn(Handle, nullptr, IsMdiChild());
  Region = nullptr;
  RegionOwned = false;
  RegionWidth = RegionHeight = 0;
}
