#include "skin/controls/EditPainters.h"

#include "fw/Menus.h"

#include "skin/controls/ComboListScrollBar.h"
#include "skin/controls/RangePainters.h"
#include "skin/controls/ScrollPainters.h"
#include "skin/data/ElementDraw.h"
#include "skin/form/WinSkinForm.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>

FW_CLASS_IMPL(TSkinEdit, TSkinControl, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinComBox, TSkinControl, nullptr, NoSetup)
FW_CLASS_IMPL(TArrowButton, TCustomControl, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinDateTime, TSkinControl, nullptr, NoSetup)

namespace {

constexpr unsigned kHot = 1, kDown = 2;

RECT WindowRectAtOrigin(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  return r;
}

// A strip mirrored whole has its frames in the opposite order: the mirror
// of frame s is its frame (count + 1 - s).
int MirroredFrame(int frames, int s) {
  return frames + 1 - s;
}

void Ring(HDC dc, RECT r, int inset, TColor color) {
  InflateRect(&r, -inset, -inset);
  TGdiBrush brush(CreateSolidBrush(ColorToCOLORREF(color)));
  FrameRect(dc, &r, brush.Get());
}

} // namespace

bool HasBorder(HWND wnd) {
  RECT c;
  GetClientRect(wnd, &c);
  const RECT r = WindowRectAtOrigin(wnd);
  return c.right != r.right && c.bottom != r.bottom;
}

// --- Edits ---------------------------------------------------------------------------------

void TSkinEdit::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation == opRemove && component == UpDown) UpDown = nullptr;
}

// An edit without a menu of the program's own shows the standard edit
// commands in a skinned menu instead of the system's plain one.
bool TSkinEdit::BeforeMessage(TMessage& msg) {
  if (msg.Msg == WM_CONTEXTMENU && FormEngine && SkinData && SkinData->HasControl(xcPopupMenu) &&
      (!Control || !Control->PopupMenu()) && Handle) {
    POINT at{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
    if (msg.LParam == -1) {
      at = {0, 0};
      ClientToScreen(Handle, &at);
    }
    FormEngine->ShowEditMenu(Handle, at);
    msg.Result = 0;
    return false;
  }
  return TSkinControl::BeforeMessage(msg);
}

void TSkinEdit::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_PAINT: PaintWindow(reinterpret_cast<HDC>(msg.WParam)); break;
  case WM_PRINT: PrintFrame(reinterpret_cast<HDC>(msg.WParam)); break;
  case SKN_EXTPAINTCLIENT:
    if (msg.LParam == SKN_MAGIC) {
      if (msg.WParam) {
        TMessage paint{WM_PAINT, msg.WParam, 0, 0};
        CallDefault(paint);
      }
      msg.Result = SKN_MAGIC;
    }
    break;
  default: TSkinControl::AfterMessage(msg);
  }
}

void TSkinEdit::FindUpDown() {
  if (UpDown || !SkinData->HasControl(xcSpin)) return;
  for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t buf[101] = {};
    GetClassNameW(child, buf, 101);
    std::wstring cls = buf;
    for (auto& c : cls)
      c = static_cast<wchar_t>(std::towlower(c));
    if (cls != L"msctls_updown32" && cls.find(L"spin") == std::wstring::npos &&
        cls.find(L"updown") == std::wstring::npos)
      continue;
    UpDown = new TSkinUpDown(Control ? static_cast<TComponent*>(Control) : this);
    UpDown->FreeNotification(this);
    UpDown->AttachWindow(child, SkinData, FormEngine, Canvas);
    UpDown->Embedded = true;
    return;
  }
}

void TSkinEdit::Paint(HDC dc, const RECT& r) {
  FindUpDown();
  if (!HasBorder(Handle)) return;
  Ring(dc, r, 0, SkinData->Skin().Colors[scButtonShadow]);
  Ring(dc, r, 1, clWhite);
  Ring(dc, r, 2, clWhite);
}

void TSkinEdit::PrintFrame(HDC given) {
  TWindowDC own;
  HDC dc = given;
  if (!dc) {
    own = TWindowDC::Whole(Handle);
    dc = own.Get();
  }
  if (!dc) return;
  RECT c;
  GetClientRect(Handle, &c);
  const RECT r = WindowRectAtOrigin(Handle);
  // The printed frame needs room for more than one ring.
  if (!(c.right + 2 < r.right && c.bottom + 2 < r.bottom)) return;
  RECT inner = r;
  InflateRect(&inner, -1, -1);
  FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  Ring(dc, r, 0, SkinData->Skin().Colors[scButtonShadow]);
}

// --- Combo boxes ---------------------------------------------------------------------------

TSkinComBox::~TSkinComBox() {
  EditProcThunk.Remove();
  delete ListScrollBars;
  ListScrollBars = nullptr;
}

// The list painters belong to the combo box control, which may free them
// first (it frees what it owns before itself), or to the engine's purge.
void TSkinComBox::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == ListScrollBar) ListScrollBar = nullptr;
  if (component == ListScrollBars) ListScrollBars = nullptr;
}

int TSkinComBox::FlatState(bool enabled, bool focused, bool pressed, bool hot) {
  int s = enabled ? 1 : 3;
  if (focused) s = 4;
  if (pressed)
    s = 2;
  else if (hot)
    s = 4;
  return s;
}

int TSkinComBox::LookState(bool enabled, bool focused, bool pressed, bool hot) {
  int s = 1;
  if (focused) s = 4;
  if (pressed)
    s = 2;
  else if (hot)
    s = 4;
  if (!enabled) s = 3;
  return s;
}

bool TSkinComBox::QueryInfo() {
  TGetComboBoxInfoFunc get = SkinGetComboBoxInfoFunc();
  if (!get) return false;
  ComboInfo = {};
  ComboInfo.cbSize = sizeof ComboInfo;
  return get(Handle, &ComboInfo) != FALSE;
}

void TSkinComBox::SetUpEditAndList(bool withListPainters) {
  ComboStyle = static_cast<DWORD>(GetStyle(Handle, GWL_STYLE));
  if ((ComboStyle & 3) != CBS_SIMPLE) {
    if (withListPainters && (ComboStyle & CBS_DROPDOWN) && QueryInfo() && ComboInfo.hwndList) {
      ListScrollBar = new TComboxScrollBar(Control ? static_cast<TComponent*>(Control) : this);
      ListScrollBar->AttachWindow(ComboInfo.hwndList, SkinData, FormEngine, nullptr);
    }
    // The edit of a drop-down combo box: clicks in it press the box. It is
    // subclassed with the calls that match the window, so a wide window
    // stays wide.
    if (HWND edit = GetTopWindow(Handle)) {
      EditWindow = edit;
      EditProcThunk.Install(edit, TWndMethod(this, &TSkinComBox::EditProc),
                            IsWindowUnicode(edit) != 0);
    }
    return;
  }
  if (!withListPainters || !QueryInfo()) return;
  ListWindow = ComboInfo.hwndList;
  const auto style = GetWindowLongPtrW(ListWindow, GWL_STYLE);
  if (ListWindow && !(style & WS_POPUP) && GetParent(ListWindow) != GetDesktopWindow() &&
      (style & WS_CHILD)) {
    ListScrollBars = new TSkinScrollbarH(Control ? static_cast<TComponent*>(Control) : this);
    ListScrollBars->AttachWindow(ListWindow, SkinData, FormEngine, Canvas);
  }
}

void TSkinComBox::Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) {
  if (Attached) return;
  TSkinControl::Attach(engine, skin, recolor, canvas);
  SetUpEditAndList(true);
}

void TSkinComBox::AttachWindow(HWND wnd, TSkinData* skin, TWinSkinForm* engine, TCanvas* canvas) {
  if (Attached) return;
  TSkinControl::AttachWindow(wnd, skin, engine, canvas);
  SetUpEditAndList(false);
}

void TSkinComBox::Detach() {
  TSkinControl::Detach();
  EditProcThunk.Remove();
  if (ListScrollBar) {
    ListScrollBar->Detach();
    delete ListScrollBar;
    ListScrollBar = nullptr;
  }
  if (ListScrollBars) {
    ListScrollBars->Detach();
    delete ListScrollBars;
    ListScrollBars = nullptr;
  }
}

void TSkinComBox::EditProc(TMessage& msg) {
  EditProcThunk.CallOld(msg);
  switch (msg.Msg) {
  case WM_PAINT: PaintWindow(nullptr); break;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    MouseState |= kDown;
    Refresh();
    break;
  case WM_LBUTTONUP:
    MouseState &= ~kDown;
    Refresh();
    break;
  default: break;
  }
}

void TSkinComBox::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_SETFOCUS:
  case WM_KILLFOCUS: break;
  case WM_MOUSEMOVE: {
    const POINT p{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
    const bool inside = PtInRect(&ButtonRect, p) != FALSE;
    if ((MouseState & kHot) && !inside && Enabled) {
      MouseState &= ~kHot;
      Refresh();
    } else if (!(MouseState & kHot) && inside && Enabled) {
      MouseState |= kHot;
      Refresh();
    }
    break;
  }
  case WM_DRAWITEM:
  case WM_NCPAINT: Refresh(); break;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    MouseState |= kDown;
    Refresh();
    break;
  case WM_LBUTTONUP:
    MouseState &= ~kDown;
    Refresh();
    break;
  case CM_MOUSELEAVE:
    if (MouseState & kHot) {
      MouseState &= ~kHot;
      Refresh();
    }
    break;
  default: TSkinControl::AfterMessage(msg);
  }
}

void TSkinComBox::Paint(HDC dc, const RECT& r) {
  const TSkinDefinition& skin = SkinData->Skin();
  const TDataSkinObject* button = skin.Element(ssComboButton);
  if (!button || button->Image.Empty()) return;
  ComboStyle = static_cast<DWORD>(GetStyle(Handle, GWL_STYLE));
  ComboExStyle = static_cast<DWORD>(GetStyle(Handle, GWL_EXSTYLE));
  if (QueryInfo()) {
    ButtonRect = ComboInfo.rcButton;
    if (ComboInfo.stateButton & STATE_SYSTEM_INVISIBLE) return;
  }
  Focused = GetFocus() == Handle;
  Enabled = !(ComboStyle & WS_DISABLED);
  const bool left = ComboExStyle & WS_EX_LEFTSCROLLBAR;
  TSavedDC saved(dc);
  if (button->Style == 1) return PaintFlat(dc, r, left);
  const int s = LookState(Enabled, Focused, MouseState & kDown, MouseState & kHot);
  if (ExtendedCombo) return PaintExtended(dc, r, s);
  if (button->Style == 2) return PaintComposite(dc, r, left, s);
  PaintSeparate(dc, r, left, s);
}

void TSkinComBox::PaintFlat(HDC dc, const RECT& r, bool left) {
  const TSkinDefinition& skin = SkinData->Skin();
  const TDataSkinObject& button = *skin.Element(ssComboButton);
  const int s = FlatState(Enabled, Focused, MouseState & kDown, MouseState & kHot);
  auto brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  RECT ring = r;
  InflateRect(&ring, -1, -1);
  FrameRect(dc, &ring, brush);
  RECT q = r;
  InflateRect(&q, -2, -2);
  const int t = GetSystemMetrics(SM_CYVTHUMB);
  RECT column = q;
  if (left)
    column.right = q.left + t;
  else
    column.left = q.right - t;
  FillRect(dc, &column, brush);
  const int frames = std::max(button.Frame, 1);
  const int w = button.Image.Width() / frames, h = button.Image.Height();
  RECT k = q;
  if (left)
    k.right = q.left + w;
  else
    k.left = q.right - w;
  if (t > h) k.bottom = k.top + h;
  Ring(dc, r, 0, skin.Colors[scButtonShadow]);
  ButtonRect = k;
  const TDataSkinBorder* mirrored = skin.ElementWithSecondImage(ssComboButton);
  const bool fromMirror = left && mirrored && !mirrored->Image2.Empty();
  DrawStripFrame(dc, k, frames, fromMirror ? MirroredFrame(frames, s) : s,
                 fromMirror ? mirrored->Image2 : button.Image);
}

void TSkinComBox::PaintComposite(HDC dc, const RECT& r, bool left, int s) {
  const TSkinDefinition& skin = SkinData->Skin();
  const TDataSkinObject* e = left ? skin.Element(ssSunkEdge) : skin.Element(ssComboButton);
  if (!e || e->Image.Empty()) return;
  // The composite picture's middle is plain face colour; stretched over
  // the box it would hide the text, so the text area stays the box's own.
  const int b = GetSystemMetrics(SM_CXHSCROLL);
  if (left)
    ExcludeClipRect(dc, r.left + b + 4, r.top + 2, r.right - 2, r.bottom - 2);
  else
    ExcludeClipRect(dc, r.left + 2, r.top + 2, r.right - b - 4, r.bottom - 2);
  // The left button's picture is the composite strip mirrored whole.
  const int frames = std::max(e->Frame, 1);
  ::DrawNineSlice(dc, r, e->Image, false, false, true, frames, left ? MirroredFrame(frames, s) : s,
                  e->Margins());
}

void TSkinComBox::PaintSeparate(HDC dc, const RECT& r, bool left, int s) {
  const TSkinDefinition& skin = SkinData->Skin();
  const TDataSkinObject& button = *skin.Element(ssComboButton);
  const int b = GetSystemMetrics(SM_CXHSCROLL);
  if (left)
    ExcludeClipRect(dc, r.left + b + 4, r.top + 2, r.right - 2, r.bottom - 2);
  else
    ExcludeClipRect(dc, r.left + 2, r.top + 2, r.right - b - 4, r.bottom - 2);
  const RECT k = left ? RECT{0, 0, b + 2, r.bottom} : RECT{r.right - b - 2, 0, r.right, r.bottom};
  const RECT g =
      left ? RECT{2, 0, b + 2, r.bottom} : RECT{r.right - b - 2, 0, r.right - 2, r.bottom};
  if (const TDataSkinObject* edge = skin.Element(ssSunkEdge); edge && !edge->Image.Empty())
    DrawElementState(dc, r, s, *edge);
  const TDataSkinBorder* mirrored = skin.ElementWithSecondImage(ssComboButton);
  const bool fromMirror = left && mirrored && !mirrored->Image2.Empty();
  const int frames = std::max(button.Frame, 1);
  DrawStripFrame(dc, k, frames, fromMirror ? MirroredFrame(frames, s) : s,
                 fromMirror ? mirrored->Image2 : button.Image);
  ButtonRect = k;
  if (const TDataSkinObject* extra = skin.Element(ssExtraImages); extra && !extra->Image.Empty()) {
    const int frames = std::max(extra->Frame, 1);
    const int gw = extra->Image.Width() / frames, gh = extra->Image.Height();
    const int x = g.left + ((g.right - g.left) - gw) / 2, y = g.top + ((g.bottom - g.top) - gh) / 2;
    DrawStripFrame(dc, {x, y, x + gw, y + gh}, frames, s, extra->Image);
  }
}

void TSkinComBox::PaintExtended(HDC dc, const RECT& r, int s) {
  if (!HasBorder(Handle)) return;
  const TSkinDefinition& skin = SkinData->Skin();
  Ring(dc, r, 0, skin.Colors[scButtonShadow]);
  Ring(dc, r, 1, clWhite);
  if (!EditWindow) return;
  RECT edit, combo;
  GetWindowRect(EditWindow, &edit);
  GetWindowRect(Handle, &combo);
  OffsetRect(&edit, -combo.left, -combo.top);
  FillFace(dc, edit);
  if (const TDataSkinObject* arrow = skin.Element(ssComboxArrow); arrow && !arrow->Image.Empty())
    DrawStripFrame(dc, edit, std::max(arrow->Frame, 1), s, arrow->Image);
}

// --- Date-time pickers -----------------------------------------------------------------------

TArrowButton::TArrowButton(TComponent* owner) : TCustomControl(owner) {
  ButtonWidth = GetSystemMetrics(SM_CXHSCROLL);
  SetTabStop(false);
  FControlStyle = csCaptureMouse | csClickEvents;
}

void TArrowButton::Place(int pickerWidth) {
  if (!PickerWindow) return;
  RECT r;
  GetWindowRect(PickerWindow, &r);
  const int height = (r.bottom - r.top) - 4;
  const bool left = GetWindowLongPtrW(PickerWindow, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
  SetBounds(left ? 2 : pickerWidth - ButtonWidth - 4, 0, ButtonWidth, std::max(height, 0));
}

void TArrowButton::Paint() {
  if (!OwnerPainter || !OwnerPainter->SkinData || !PickerWindow) return;
  const TSkinDefinition& skin = OwnerPainter->SkinData->Skin();
  RECT p;
  GetWindowRect(PickerWindow, &p);
  const RECT d{0, 0, Width(), (p.bottom - p.top) - 4};
  HDC dc = Canvas().Handle();
  TSkinControl::FillColor(dc, d, skin.Colors[scButtonFace]);
  const TDataSkinObject* arrow = skin.Element(ssComboxArrow);
  if (!arrow || arrow->Image.Empty()) return;
  const int frames = std::max(arrow->Frame, 1);
  ::DrawFrameStretched(dc, d, arrow->Image, false, frames, Hot ? 4 : 1);
}

void TArrowButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case CM_MOUSEENTER:
  case CM_MOUSELEAVE:
    if (PickerWindow && IsWindowEnabled(PickerWindow)) {
      Hot = msg.Msg == CM_MOUSEENTER;
      Invalidate();
    }
    break;
  case WM_LBUTTONDOWN: {
    TCustomControl::WndProc(msg);
    // The picker's own button beneath gets the click and opens its calendar.
    const LPARAM point =
        MAKELPARAM(GET_X_LPARAM(msg.LParam) + Left(), GET_Y_LPARAM(msg.LParam) + Top());
    PostMessageW(PickerWindow, WM_LBUTTONDOWN, msg.WParam, point);
    PostMessageW(PickerWindow, WM_LBUTTONUP, msg.WParam, point);
    Invalidate();
    return;
  }
  case WM_LBUTTONUP:
    TCustomControl::WndProc(msg);
    // The calendar the press opened has the focus and closes when it loses
    // it: the picker takes the focus only when no calendar is showing.
    // (Some systems keep the calendar window while it is hidden.)
    if (auto calendar = reinterpret_cast<HWND>(SendMessageW(PickerWindow, DTM_GETMONTHCAL, 0, 0));
        !calendar || !IsWindowVisible(calendar))
      ::SetFocus(PickerWindow);
    return;
  default: break;
  }
  TCustomControl::WndProc(msg);
}

void TSkinDateTime::Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) {
  if (Attached) return;
  TSkinControl::Attach(engine, skin, recolor, canvas);
  if (!Handle) return;
  ArrowButton = new TArrowButton(this);
  ArrowButton->OwnerPainter = this;
  ArrowButton->Picker = Control;
  ArrowButton->PickerWindow = Handle;
  ArrowButton->SetParentWindow(Handle);
  const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
  AddedClipChildren = !(style & WS_CLIPCHILDREN);
  SetWindowLongPtrW(Handle, GWL_STYLE, style | WS_CLIPCHILDREN);
  RECT r;
  GetWindowRect(Handle, &r);
  ArrowButton->Place(r.right - r.left);
  ArrowButton->HandleNeeded();
  ShowWindow(ArrowButton->WindowHandle(), SW_SHOWNA);
}

// The picker gets its own button and style back.
void TSkinDateTime::Detach() {
  TSkinControl::Detach();
  if (Status == 6) return;
  delete ArrowButton;
  ArrowButton = nullptr;
  if (AddedClipChildren && IsWindow(Handle))
    SetWindowLongPtrW(Handle, GWL_STYLE, GetWindowLongPtrW(Handle, GWL_STYLE) & ~WS_CLIPCHILDREN);
  AddedClipChildren = false;
}

void TSkinDateTime::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation == opRemove && component == ArrowButton) ArrowButton = nullptr;
}

void TSkinDateTime::AfterMessage(TMessage& msg) {
  if (msg.Msg == WM_SIZE && ArrowButton) {
    ArrowButton->Invalidate();
    return;
  }
  TSkinControl::AfterMessage(msg);
}

void TSkinDateTime::Paint(HDC dc, const RECT& r) {
  if (ArrowButton) ArrowButton->Place(r.right - r.left);
  if (!HasBorder(Handle)) return;
  Ring(dc, r, 0, SkinData->Skin().Colors[scButtonShadow]);
  Ring(dc, r, 1, clWhite);
}
