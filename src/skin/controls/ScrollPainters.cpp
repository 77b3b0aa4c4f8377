#include "skin/controls/ScrollPainters.h"

#include "fw/ScrollBar.h"
#include "skin/data/ElementDraw.h"
#include "skin/form/WinSkinForm.h"

#include <windowsx.h>

#include <algorithm>

FW_CLASS_IMPL(TWScrollbar, TCustomPanel, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinScrollbar, TSkinControl, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinScrollbarH, TSkinControl, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinScControl, TSkinControl, nullptr, NoSetup)

namespace {

int Extent(const RECT& r, bool vertical) {
  return vertical ? r.bottom - r.top : r.right - r.left;
}

std::string LowerText(std::string s) {
  for (auto& c : s)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Messages that come often and never change a bar: no need to look at the
// bars after them.
bool LeavesBarsAlone(UINT msg) {
  switch (msg) {
  case WM_NCHITTEST:
  case WM_SETCURSOR:
  case WM_MOUSEMOVE:
  case WM_NCMOUSEMOVE:
  case WM_PAINT:
  case WM_ERASEBKGND:
  case WM_NCPAINT:
  case WM_GETTEXT:
  case WM_GETTEXTLENGTH:
  case WM_GETDLGCODE: return true;
  default: return false;
  }
}

// The point packed in a message, moved by an offset as 16-bit halves.
LPARAM MovedPoint(LPARAM point, POINT by) {
  const WORD x = static_cast<WORD>(LOWORD(point) + by.x);
  const WORD y = static_cast<WORD>(HIWORD(point) + by.y);
  return MAKELPARAM(x, y);
}

} // namespace

void ControlThumb(int length, int arrow, const SCROLLINFO& si, int& start, int& end) {
  const int range = si.nMax == si.nMin ? 9999999 : si.nMax - si.nMin;
  int t;
  if (si.nPage != 0) {
    t = MulDiv(length - 2 * arrow, static_cast<int>(si.nPage) - 1, range);
    if (t > 7) {
      start =
          si.nPos == si.nMin ? arrow : MulDiv(length - 2 * arrow, si.nPos - si.nMin, range) + arrow;
    } else {
      t = 8;
      start = si.nPos == si.nMin ? arrow
                                 : MulDiv(length - 2 * arrow - 8, si.nPos - si.nMin, range) + arrow;
    }
  } else {
    t = arrow;
    start =
        si.nPos == si.nMin ? arrow : MulDiv(length - 3 * arrow, si.nPos - si.nMin, range) + arrow;
  }
  end = start + t;
}

// --- The overlay -------------------------------------------------------------------------

TWScrollbar::TWScrollbar(TComponent* owner) : TCustomPanel(owner) {
  SetBevelOuter(bvNone);
  SetCaption(L"");
  SetTabStop(false);
  ArrowSize = GetSystemMetrics(SM_CXHSCROLL);
}

void TWScrollbar::CreateParams(TCreateParams& p) {
  TCustomPanel::CreateParams(p);
  p.ExStyle = WS_EX_TOOLWINDOW;
}

void TWScrollbar::AttachToControl(TSkinControl* painter, TWinControl* control, int kind) {
  Painter = painter;
  BarKind = kind;
  TargetControl = control;
  Vertical = kind == 2 ? LowerText(GetEnumProp(control, "Kind")) != "sbhorizontal" : kind;
  if (control->Parent()) {
    SetColor(painter->ParentColor(painter->FaceColor()));
    SetParent(control->Parent());
  }
  Reposition(control->Handle());
}

void TWScrollbar::AttachToWindow(TSkinControl* painter, HWND window, int kind) {
  Painter = painter;
  BarKind = kind;
  Vertical = kind;
  SetColor(painter->FaceColor());
  SetParentWindow(GetParent(window));
  HandleNeeded();
  Reposition(window);
}

bool TWScrollbar::QueryBar(TBarInfo& info) {
  if (!TargetWindow || !IsWindow(TargetWindow)) return false;
  if (BarKind == 2) {
    if (!TargetControl) return false;
    info.Bar = TargetControl->BoundsRect();
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(TargetWindow, SB_CTL, &si)) return false;
    BarLength = Extent(info.Bar, Vertical);
    ControlThumb(BarLength, ArrowSize, si, info.ThumbTop, info.ThumbBottom);
    info.State = 0;
    return true;
  }
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  if (!SkinGetScrollBarInfo(TargetWindow, BarKind == 1 ? OBJID_VSCROLL : OBJID_HSCROLL, &sbi))
    return false;
  info.Bar = sbi.rcScrollBar;
  info.ThumbTop = sbi.xyThumbTop;
  info.ThumbBottom = sbi.xyThumbBottom;
  info.State = sbi.rgstate[0];
  return true;
}

void TWScrollbar::HideBar() {
  if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
  Shown = false;
  SetVisible(false);
}

void TWScrollbar::Reposition(HWND window) {
  TargetWindow = window;
  TBarInfo info;
  Shown = QueryBar(info);
  if (!Shown) {
    HideBar();
    return;
  }
  if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) ||
      (info.State & STATE_SYSTEM_INVISIBLE)) {
    HideBar();
    return;
  }
  POINT topLeft{info.Bar.left, info.Bar.top}, bottomRight{info.Bar.right, info.Bar.bottom};
  const int width = info.Bar.right - info.Bar.left, height = info.Bar.bottom - info.Bar.top;
  POINT position = topLeft;
  if (BarKind != 2) {
    ::ScreenToClient(window, &topLeft);
    ::ScreenToClient(window, &bottomRight);
    BarRect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    if (HWND parent = GetParent(window)) ::ScreenToClient(parent, &position);
  } else {
    BarRect = {0, 0, width, height};
  }
  BarLength = Vertical ? height : width;
  BarOrigin = {info.Bar.left, info.Bar.top};
  HWND anchor = GetWindow(window, GW_HWNDPREV);
  HWND self = Handle();
  if (anchor == self) anchor = GetWindow(self, GW_HWNDPREV);
  SetVisible(true);
  ShowWindow(self, SW_SHOWNA);
  Shown = true;
  SetWindowPos(self, anchor ? anchor : HWND_TOP, position.x, position.y, width, height,
               SWP_NOACTIVATE);
  MoveWindow(self, position.x, position.y, width, height, TRUE);
}

int TWScrollbar::HitTest(POINT p) const {
  const int a = Vertical ? p.y : p.x;
  if (a < ArrowSize) return kPartFirstArrow;
  if (a < ThumbStart) return kPartPageBefore;
  if (a < ThumbEnd) return kPartThumb;
  if (a < BarLength - ArrowSize) return kPartPageAfter;
  return kPartSecondArrow;
}

void TWScrollbar::TrackThumb() {
  POINT c;
  GetCursorPos(&c);
  const int n = ThumbEnd - ThumbStart;
  ThumbStart = PressThumbStart + (Vertical ? c.y - PressCursor.y : c.x - PressCursor.x);
  ThumbStart = std::max(ThumbStart, ArrowSize);
  ThumbStart = std::min(ThumbStart, BarLength - ArrowSize - n);
  ThumbEnd = ThumbStart + n;
}

void TWScrollbar::PressBar(TMessage& msg) {
  const POINT p{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
  GetCursorPos(&PressCursor);
  TBarInfo info;
  LPARAM point = msg.LParam;
  if (BarKind == 2) {
    if (TargetControl) {
      const RECT client = TargetControl->ClientRect();
      BarLength = Vertical ? client.bottom : client.right;
    }
  } else if (QueryBar(info)) {
    PressThumbStart = info.ThumbTop;
    BarOrigin = {info.Bar.left, info.Bar.top};
  }
  HotPart = HitTest(p);
  if (BarKind != 2) point = MovedPoint(point, BarOrigin);
  Pressed = true;
  Invalidate();
  HotPart = HitTest(p);
  ReleaseCapture();
  // The system tracks the press inside this call, until the button is up;
  // its scroll messages reach the painter and repaint this overlay.
  if (BarKind == 2)
    SendMessageW(TargetWindow, WM_LBUTTONDOWN, MK_LBUTTON, point);
  else
    SendMessageW(TargetWindow, WM_NCLBUTTONDOWN, BarKind == 1 ? HTVSCROLL : HTHSCROLL, point);
  Pressed = false;
  ReleaseCapture();
  if (BarKind == 2) Invalidate();
}

void TWScrollbar::ReleaseBar(TMessage& msg) {
  LPARAM point = msg.LParam;
  if (BarKind != 2) point = MovedPoint(point, BarOrigin);
  Pressed = false;
  ReleaseCapture();
  if (BarKind == 2)
    PostMessageW(TargetWindow, WM_LBUTTONUP, MK_LBUTTON, point);
  else
    PostMessageW(TargetWindow, WM_NCLBUTTONUP, BarKind == 1 ? HTVSCROLL : HTHSCROLL, point);
  if (BarKind == 2) Invalidate();
}

void TWScrollbar::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case WM_ERASEBKGND: msg.Result = 1; return;
  case WM_MOUSEMOVE: {
    TCustomPanel::WndProc(msg);
    const int part = HitTest({GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)});
    if (part != HotPart) {
      HotPart = part;
      Invalidate();
    }
    SkinTrackMouseLeave(WindowHandle());
    return;
  }
  case WM_MOUSELEAVE:
    if (!Pressed) {
      HotPart = kPartNone;
      Invalidate();
    }
    return;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    TCustomPanel::WndProc(msg);
    PressBar(msg);
    return;
  case WM_LBUTTONUP:
    TCustomPanel::WndProc(msg);
    ReleaseBar(msg);
    return;
  default: TCustomPanel::WndProc(msg);
  }
}

void TWScrollbar::Paint() {
  if (!Painter || !Painter->SkinData) return;
  TBarInfo info;
  if (!QueryBar(info) || (info.State & STATE_SYSTEM_INVISIBLE)) return;
  FPainted = info;
  FHasPainted = true;
  DrawBar(Canvas().Handle(), info);
}

void TWScrollbar::RefreshIfChanged() {
  if (!Shown || !FHasPainted || !HandleAllocated()) return;
  TBarInfo now;
  if (!QueryBar(now)) return;
  const auto size = [](const RECT& r) { return SIZE{r.right - r.left, r.bottom - r.top}; };
  const SIZE a = size(now.Bar), b = size(FPainted.Bar);
  if (now.ThumbTop != FPainted.ThumbTop || now.ThumbBottom != FPainted.ThumbBottom ||
      now.State != FPainted.State || a.cx != b.cx || a.cy != b.cy)
    Invalidate();
}

void TWScrollbar::DrawBar(HDC dc, const TBarInfo& info) {
  const TSkinData& skin = *Painter->SkinData;
  const TDataSkinObject* strip = skin.Skin().Element(ssScrollbar);
  if (!strip || strip->Image.Empty()) return;
  RECT r{0, 0, info.Bar.right - info.Bar.left, info.Bar.bottom - info.Bar.top};
  const RECT client = ClientRect();
  if (r.bottom < 0 || r.right < 0 || client.bottom < r.bottom || client.right < r.right) return;
  BarLength = Extent(r, Vertical);
  TBarPaint bar;
  bar.Vertical = Vertical;
  bar.Enabled = !(info.State & STATE_SYSTEM_UNAVAILABLE);
  bar.HotPart = HotPart;
  bar.Pressed = Pressed;
  if (Pressed && HotPart == kPartThumb && BarKind != 2) {
    TrackThumb();
  } else {
    ThumbStart = info.ThumbTop;
    ThumbEnd = info.ThumbBottom;
  }
  bar.ThumbStart = ThumbStart;
  bar.ThumbEnd = ThumbEnd;
  if (BarKind == 2) {
    // The control's picture is drawn at the skin's thickness and stretched
    // over the control.
    int k = strip->Image.Height();
    if (std::abs(k - ArrowSize) > 2) k = ArrowSize;
    RECT small = r;
    (Vertical ? small.right : small.bottom) = k;
    TBitmap buffer;
    buffer.SetSize(small.right, small.bottom);
    if (buffer.Empty()) return;
    PaintSkinBar(buffer.Canvas().Handle(), small, skin, ArrowSize, bar,
                 {small.right, small.bottom});
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.right, client.bottom, buffer.Canvas().Handle(), 0, 0, small.right,
               small.bottom, SRCCOPY);
    return;
  }
  PaintSkinBar(dc, r, skin, ArrowSize, bar, {client.right, client.bottom});
}

// The bar composed off-screen and copied in one step.
void PaintSkinBar(HDC target, const RECT& area, const TSkinData& skin, int arrow,
                  const TBarPaint& bar, SIZE limit) {
  const TSkinDefinition& s = skin.Skin();
  const TDataSkinObject* strip = s.Element(ssScrollbar);
  if (!strip || strip->Image.Empty()) return;
  RECT r{0, 0, area.right - area.left, area.bottom - area.top};
  if (r.right <= 0 || r.bottom <= 0) return;
  TBitmap buffer;
  buffer.SetSize(r.right, r.bottom);
  if (buffer.Empty()) return;
  HDC dc = buffer.Canvas().Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  TSkinControl::FillColor(dc, r, s.Colors[scButtonFace]);
  int k = strip->Image.Height();
  if (std::abs(k - arrow) > 2) k = arrow;
  const bool v = bar.Vertical;
  const int length = Extent(r, v);
  (v ? r.right : r.bottom) = k;

  // The track between the arrows.
  if (const TDataSkinObject* track = s.Element(v ? ssVertScroll : ssHorzScroll);
      track && !track->Image.Empty()) {
    const RECT t = v ? RECT{0, arrow, k, length - arrow} : RECT{arrow, 0, length - arrow, k};
    if (t.right > t.left && t.bottom > t.top) DrawNineSlice(dc, t, *track, bar.Enabled ? 1 : 3);
  }
  // The arrows: half the length each on a bar shorter than two.
  const int a = length < 2 * arrow ? length / 2 : arrow;
  int first = v ? 9 : 1, second = v ? 13 : 5;
  if (bar.HotPart == kPartFirstArrow) first += bar.Pressed ? 1 : 3;
  if (bar.HotPart == kPartSecondArrow) second += bar.Pressed ? 1 : 3;
  const RECT a1 = v ? RECT{0, 0, k, a} : RECT{0, 0, a, k};
  const RECT a2 = v ? RECT{0, length - a, k, length} : RECT{length - a, 0, length, k};
  TSkinControl::DrawStripFrame(dc, a1, 23, first, strip->Image);
  TSkinControl::DrawStripFrame(dc, a2, 23, second, strip->Image);

  if (bar.Enabled) {
    const bool hot = bar.HotPart == kPartThumb;
    const int g = hot ? (bar.Pressed ? 2 : 3) : 1;
    const int ts = bar.ThumbStart, te = bar.ThumbEnd;
    const int extent = v ? limit.cy : limit.cx;
    if (const TDataSkinObject* thumb = s.Element(v ? ssVertScrollThumb : ssHorzScrollThumb);
        thumb && !thumb->Image.Empty() && ts < extent && te < extent && te > ts) {
      const RECT t = v ? RECT{0, ts, k, te} : RECT{ts, 0, te, k};
      DrawNineSlice(dc, t, *thumb, g);
    }
    // The grip, centred on the thumb when the thumb has room for it.
    const int h = strip->Image.Height(), n = te - ts;
    if (h < n + 2) {
      const int o = (n - h) / 2;
      const int grip = (v ? 20 : 17) + (hot ? (bar.Pressed ? 1 : 2) : 0);
      const RECT gr = v ? RECT{0, ts + o, k, ts + o + h} : RECT{ts + o, 0, ts + o + h, k};
      if (ts + o < extent && ts + o + h < extent)
        TSkinControl::DrawStripFrame(dc, gr, 23, grip, strip->Image);
    }
  }
  BitBlt(target, area.left, area.top, buffer.Width(), buffer.Height(), dc, 0, 0, SRCCOPY);
}

// --- Framework controls with window scroll bars ----------------------------------------------

TSkinScrollbar::~TSkinScrollbar() {
  FreeBars();
}

void TSkinScrollbar::FreeBars() {
  delete HorzBar;
  delete VertBar;
  HorzBar = VertBar = nullptr;
}

// The overlays are owned by the painter: deleting the painter frees them
// before its destructor runs, so it must not free them again.
void TSkinScrollbar::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == HorzBar) HorzBar = nullptr;
  if (component == VertBar) VertBar = nullptr;
}

void TSkinScrollbar::ReplaceFixedColor() {
  const TPropInfo* p = Control ? GetPropInfo(Control, "FixedColor") : nullptr;
  if (!p || p->Kind != TPropKind::Integer) return;
  SavedFixedColor = static_cast<TColor>(GetIntProp(Control, "FixedColor"));
  Recolor = true;
  SetPropFromText(Control, "FixedColor", std::to_wstring(FaceColor()));
}

void TSkinScrollbar::AttachScrolled(TWinControl* control, TSkinData* skin, TWinSkinForm* engine,
                                    TCanvas* canvas) {
  if (Attached || !control) return;
  SkinData = skin;
  FormEngine = engine;
  Canvas = canvas;
  Control = control;
  Handle = control->Handle();
  IsUnicode = IsWindowUnicode(Handle) != 0;
  if (engine) engine->RegisterPainter(this);
  const TPropInfo* border = GetPropInfo(control, "BorderStyle");
  DrawBorder = !border || LowerText(GetEnumProp(control, "BorderStyle")) != "bsnone";
  if (control->ClassName() == "TImageScrollBox" || Mode == 1) DrawBorder = false;
  ReplaceFixedColor();
  HorzBar = new TWScrollbar(this);
  HorzBar->AttachToControl(this, control, 0);
  VertBar = new TWScrollbar(this);
  VertBar->AttachToControl(this, control, 1);
  HorzBar->SetEnabled(control->Enabled());
  VertBar->SetEnabled(control->Enabled());
  if (!control->Visible()) {
    HorzBar->HideBar();
    VertBar->HideBar();
  }
  OldWindowProc.Install(control,
                        TWndMethod(static_cast<TSkinControl*>(this), &TSkinControl::WndProc));
  Attached = true;
  Status = 1;
}

bool TSkinScrollbar::BeforeMessage(TMessage& msg) {
  if (msg.Msg == WM_NCPAINT) {
    if (!DrawBorder) return true;
    CallDefault(msg);
    TWindowDC dc = TWindowDC::Whole(Handle);
    if (dc) PaintBorder(dc.Get());
    return false;
  }
  return TSkinControl::BeforeMessage(msg);
}

void TSkinScrollbar::PaintBorder(HDC dc) {
  RECT r;
  GetWindowRect(Handle, &r);
  OffsetRect(&r, -r.left, -r.top);
  TGdiBrush shadow(CreateSolidBrush(ColorToCOLORREF(SkinData->Skin().Colors[scButtonShadow])));
  TGdiBrush face(CreateSolidBrush(ColorToCOLORREF(FaceColor())));
  FrameRect(dc, &r, shadow.Get());
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, face.Get());
}

void TSkinScrollbar::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_SIZE:
  case WM_WINDOWPOSCHANGED:
    if (HorzBar) HorzBar->Reposition(Handle);
    if (VertBar) VertBar->Reposition(Handle);
    break;
  case WM_HSCROLL:
    if (HorzBar) {
      HorzBar->HotPart = LOWORD(msg.WParam);
      HorzBar->Invalidate();
    }
    break;
  case WM_VSCROLL:
    if (VertBar) {
      VertBar->HotPart = LOWORD(msg.WParam);
      VertBar->Invalidate();
    }
    break;
  case WM_MOUSEWHEEL:
    for (TWScrollbar* b : {HorzBar, VertBar})
      if (b && b->Shown) b->Invalidate();
    break;
  case CM_VISIBLECHANGED:
    for (TWScrollbar* b : {HorzBar, VertBar}) {
      if (!b) continue;
      if (msg.WParam)
        b->Reposition(Handle);
      else
        b->HideBar();
    }
    break;
  case CM_ENABLEDCHANGED:
    for (TWScrollbar* b : {HorzBar, VertBar})
      if (b && Control) b->SetEnabled(Control->Enabled());
    break;
  case CM_RECREATEWND:
    if (Control && FormEngine)
      PostMessageW(FormEngine->Handle, SKN_RESKINSCROLL, reinterpret_cast<WPARAM>(Handle), 0);
    break;
  case SKN_EXTPAINT:
    if (msg.LParam == SKN_MAGIC) {
      if (msg.WParam) PaintBorder(reinterpret_cast<HDC>(msg.WParam));
      msg.Result = SKN_MAGIC;
    }
    break;
  default:
    TSkinControl::AfterMessage(msg);
    if (!LeavesBarsAlone(msg.Msg))
      for (TWScrollbar* b : {HorzBar, VertBar})
        if (b) b->RefreshIfChanged();
  }
}

void TSkinScrollbar::Paint(HDC dc, const RECT&) {
  const auto style = GetWindowLongPtrW(Handle, GWL_STYLE);
  if (VertBar) {
    if (VertBar->Shown)
      VertBar->Invalidate();
    else if (style & WS_VSCROLL)
      VertBar->Reposition(Handle);
  }
  if (HorzBar) {
    if (HorzBar->Shown)
      HorzBar->Invalidate();
    else if (style & WS_HSCROLL)
      HorzBar->Reposition(Handle);
  }
  if (VertBar && HorzBar && VertBar->Shown && HorzBar->Shown)
    FillFace(dc, {VertBar->BarRect.left + 2, HorzBar->BarRect.top + 2, VertBar->BarRect.right + 2,
                  HorzBar->BarRect.bottom + 2});
}

void TSkinScrollbar::SkinChanged() {
  ReplaceFixedColor();
  TSkinControl::SkinChanged();
}

void TSkinScrollbar::Detach() {
  if (Recolor && Control) {
    SetPropFromText(Control, "FixedColor", std::to_wstring(SavedFixedColor));
    Recolor = false;
  }
  TSkinControl::Detach();
  if (Status != 6) FreeBars();
}

// --- Bare windows ---------------------------------------------------------------------------

TSkinScrollbarH::~TSkinScrollbarH() {
  delete HorzBar;
  delete VertBar;
}

void TSkinScrollbarH::AttachWindow(HWND wnd, TSkinData* skin, TWinSkinForm* engine,
                                   TCanvas* canvas) {
  if (Attached || !IsWindow(wnd)) return;
  SkinData = skin;
  FormEngine = engine;
  Canvas = canvas;
  Handle = wnd;
  Enabled = true;
  if (engine) engine->RegisterPainter(this);
  HorzBar = new TWScrollbar(this);
  HorzBar->AttachToWindow(this, wnd, 0);
  VertBar = new TWScrollbar(this);
  VertBar->AttachToWindow(this, wnd, 1);
  IsUnicode = false;
  WndProcInstance.Install(wnd, TWndMethod(static_cast<TSkinControl*>(this), &TSkinControl::WndProc),
                          false);
  Attached = true;
  Status = 1;
}

void TSkinScrollbarH::AfterMessage(TMessage& msg) {
  if (VertBar && !IsWindowVisible(Handle)) VertBar->HideBar();
  switch (msg.Msg) {
  case WM_SIZE:
  case WM_NCPAINT:
    if (HorzBar) HorzBar->Reposition(Handle);
    if (VertBar) VertBar->Reposition(Handle);
    Refresh();
    break;
  case WM_HSCROLL:
  case WM_VSCROLL:
    if (TWScrollbar* b = msg.Msg == WM_HSCROLL ? HorzBar : VertBar) {
      b->HotPart = LOWORD(msg.WParam);
      b->Invalidate();
    }
    break;
  default:
    TSkinControl::AfterMessage(msg);
    if (!LeavesBarsAlone(msg.Msg))
      for (TWScrollbar* b : {HorzBar, VertBar})
        if (b) b->RefreshIfChanged();
  }
}

void TSkinScrollbarH::Paint(HDC dc, const RECT&) {
  for (TWScrollbar* b : {HorzBar, VertBar})
    if (b && b->Shown) b->Invalidate();
  if (VertBar && HorzBar && VertBar->Shown && HorzBar->Shown)
    FillFace(dc, {VertBar->BarRect.left, HorzBar->BarRect.top, VertBar->BarRect.right + 2,
                  HorzBar->BarRect.bottom + 2});
}

void TSkinScrollbarH::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == HorzBar) HorzBar = nullptr;
  if (component == VertBar) VertBar = nullptr;
}

void TSkinScrollbarH::Detach() {
  TSkinControl::Detach();
  if (Status != 6) {
    delete HorzBar;
    delete VertBar;
    HorzBar = VertBar = nullptr;
  }
}

// --- Scroll-bar controls ------------------------------------------------------------------

TSkinScControl::~TSkinScControl() {
  delete Overlay;
}

void TSkinScControl::AttachScrollBar(TWinControl* control, TSkinData* skin, TWinSkinForm* engine,
                                     TCanvas* canvas) {
  if (Attached || !control) return;
  SkinData = skin;
  FormEngine = engine;
  Canvas = canvas;
  Control = control;
  Handle = control->Handle();
  IsUnicode = IsWindowUnicode(Handle) != 0;
  if (engine) engine->RegisterPainter(this);
  Overlay = new TWScrollbar(this);
  Overlay->SetShowHint(control->ShowHint());
  Overlay->SetHint(control->Hint());
  Overlay->AttachToControl(this, control, 2);
  if (!control->Visible()) Overlay->HideBar();
  OldWindowProc.Install(control,
                        TWndMethod(static_cast<TSkinControl*>(this), &TSkinControl::WndProc));
  Attached = true;
  Status = 1;
}

void TSkinScControl::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_WINDOWPOSCHANGED:
    if (Overlay) Overlay->Reposition(Handle);
    break;
  case WM_NCPAINT:
    if (auto* w = As<TWinControl>(Control)) Handle = w->WindowHandle();
    if (Overlay) Overlay->Reposition(Handle);
    break;
  case SBM_SETSCROLLINFO:
  case CN_VSCROLL:
    if (Overlay) Overlay->Invalidate();
    break;
  case CM_VISIBLECHANGED:
    if (!Overlay) break;
    if (msg.WParam)
      Overlay->Reposition(Handle);
    else
      Overlay->HideBar();
    break;
  default: TSkinControl::AfterMessage(msg);
  }
}

void TSkinScControl::Paint(HDC, const RECT&) {
  if (Overlay) Overlay->Invalidate();
}

void TSkinScControl::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation == opRemove && component == Overlay) Overlay = nullptr;
}

void TSkinScControl::Detach() {
  TSkinControl::Detach();
  if (Status != 6) {
    delete Overlay;
    Overlay = nullptr;
  }
}
