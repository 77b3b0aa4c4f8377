#include "fw/Controls.h"

#include "fw/Menus.h"

#include <windowsx.h>

#include <map>

const TEnumInfo AlignInfo{
    "TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}};
const TEnumInfo AlignmentInfo{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
const TEnumInfo BiDiModeInfo{
    "TBiDiMode",
    {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};

const TIdentMap& CursorIdents() {
  static const TIdentMap map = {
      {"crDefault", 0},    {"crNone", -1},     {"crArrow", -2},      {"crCross", -3},
      {"crIBeam", -4},     {"crSizeNESW", -6}, {"crSizeNS", -7},     {"crSizeNWSE", -8},
      {"crSizeWE", -9},    {"crUpArrow", -10}, {"crHourGlass", -11}, {"crNo", -18},
      {"crAppStart", -19}, {"crHelp", -20},    {"crHandPoint", -21}, {"crSizeAll", -22},
  };
  return map;
}

namespace {

std::map<TCursor, HCURSOR>& CursorTable() {
  static std::map<TCursor, HCURSOR> table = [] {
    auto sys = [](LPCWSTR id) { return LoadCursorW(nullptr, id); };
    return std::map<TCursor, HCURSOR>{
        {crDefault, sys(IDC_ARROW)}, {crArrow, sys(IDC_ARROW)},    {-3, sys(IDC_CROSS)},
        {crIBeam, sys(IDC_IBEAM)},   {-6, sys(IDC_SIZENESW)},      {-7, sys(IDC_SIZENS)},
        {-8, sys(IDC_SIZENWSE)},     {-9, sys(IDC_SIZEWE)},        {-10, sys(IDC_UPARROW)},
        {-11, sys(IDC_WAIT)},        {-18, sys(IDC_NO)},           {-19, sys(IDC_APPSTARTING)},
        {-20, sys(IDC_HELP)},        {crHandPoint, sys(IDC_HAND)}, {-22, sys(IDC_SIZEALL)},
    };
  }();
  return table;
}

} // namespace

HCURSOR ScreenCursorEntry(TCursor id) {
  auto it = CursorTable().find(id);
  return it == CursorTable().end() ? nullptr : it->second;
}

HCURSOR ScreenCursorHandle(TCursor id) {
  if (id == -1) return nullptr; // crNone: no cursor at all
  HCURSOR c = ScreenCursorEntry(id);
  return c ? c : LoadCursorW(nullptr, IDC_ARROW);
}

void SetScreenCursorHandle(TCursor id, HCURSOR cursor) {
  if (cursor)
    CursorTable()[id] = cursor;
  else
    CursorTable().erase(id);
}

bool IsReflectedMessage(UINT msg) {
  switch (msg) {
  case WM_COMMAND:
  case WM_NOTIFY:
  case WM_DRAWITEM:
  case WM_MEASUREITEM:
  case WM_DELETEITEM:
  case WM_COMPAREITEM:
  case WM_HSCROLL:
  case WM_VSCROLL:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORSCROLLBAR:
  case WM_CHARTOITEM:
  case WM_VKEYTOITEM: return true;
  default: return false;
  }
}

bool IsControlMouseMessage(UINT msg) {
  switch (msg) {
  case WM_MOUSEMOVE:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_LBUTTONUP:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP: return true;
  default: return false;
  }
}

TShiftState ShiftStateFromKeys(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

// ---------------------------------------------------------------------------

static void SetupControl(TClassInfo& c) {
  auto bound = [&](const char* name, int (TControl::*get)() const, void (TControl::*set)(int)) {
    c.Props.push_back(IntProp<TControl>(
        name, [get](TControl* o) { return (o->*get)(); },
        [set](TControl* o, std::int64_t v) { (o->*set)(static_cast<int>(v)); }));
  };
  bound("Left", &TControl::Left, &TControl::SetLeft);
  bound("Top", &TControl::Top, &TControl::SetTop);
  bound("Width", &TControl::Width, &TControl::SetWidth);
  bound("Height", &TControl::Height, &TControl::SetHeight);
  c.Props.push_back(EnumProp<TControl>(
      "Align", AlignInfo, [](TControl* o) { return static_cast<int>(o->Align()); },
      [](TControl* o, int v) { o->SetAlign(static_cast<TAlign>(v)); }, alNone));
  c.Props.push_back(BoolProp<TControl>(
      "Visible", [](TControl* o) { return o->Visible(); },
      [](TControl* o, bool v) { o->SetVisible(v); }, true));
  c.Props.push_back(BoolProp<TControl>(
      "Enabled", [](TControl* o) { return o->Enabled(); },
      [](TControl* o, bool v) { o->SetEnabled(v); }, true));
  auto color = IntProp<TControl>(
      "Color", [](TControl* o) { return static_cast<std::int64_t>(o->Color()); },
      [](TControl* o, std::int64_t v) { o->SetColor(static_cast<TColor>(v)); }, std::nullopt,
      &ColorIdents());
  color.Stored = [](TObject* o) { return !static_cast<TControl*>(o)->ParentColor(); };
  c.Props.push_back(color);
  c.Props.push_back(BoolProp<TControl>(
      "ParentColor", [](TControl* o) { return o->ParentColor(); },
      [](TControl* o, bool v) { o->SetParentColor(v); }, false));
  auto font = ObjectProp<TControl, TFont>("Font", [](TControl* o) { return &o->Font(); });
  font.Stored = [](TObject* o) { return !static_cast<TControl*>(o)->ParentFont(); };
  c.Props.push_back(font);
  c.Props.push_back(BoolProp<TControl>(
      "ParentFont", [](TControl* o) { return o->ParentFont(); },
      [](TControl* o, bool v) { o->SetParentFont(v); }, true));
  c.Props.push_back(StringProp<TControl>(
      "Caption", [](TControl* o) { return o->Caption(); },
      [](TControl* o, const std::wstring& v) { o->SetCaption(v); }));
  c.Props.push_back(IntProp<TControl>(
      "Cursor", [](TControl* o) { return o->Cursor(); },
      [](TControl* o, std::int64_t v) { o->SetCursor(static_cast<TCursor>(v)); }, 0,
      &CursorIdents()));
  c.Props.push_back(StringProp<TControl>(
      "Hint", [](TControl* o) { return o->Hint(); },
      [](TControl* o, const std::wstring& v) { o->SetHint(v); }));
  c.Props.push_back(BoolProp<TControl>(
      "ShowHint", [](TControl* o) { return o->ShowHint(); },
      [](TControl* o, bool v) { o->SetShowHint(v); }, false));
  c.Props.push_back(EnumProp<TControl>(
      "BiDiMode", BiDiModeInfo, [](TControl* o) { return static_cast<int>(o->BiDiMode()); },
      [](TControl* o, int v) { o->SetBiDiMode(static_cast<TBiDiMode>(v)); }, bdLeftToRight));
  c.Props.push_back(EventProp("OnClick", &TControl::OnClick));
  c.Props.push_back(EventProp("OnMouseDown", &TControl::OnMouseDown));
  c.Props.push_back(EventProp("OnMouseUp", &TControl::OnMouseUp));
  c.Props.push_back(ObjectProp<TControl, TPopupMenu>(
      "PopupMenu", [](TControl* o) { return o->PopupMenu(); },
      [](TControl* o, TPopupMenu* v) { o->SetPopupMenu(v); }));
}
FW_CLASS_IMPL(TControl, TComponent, nullptr, SetupControl)

TControl::TControl(TComponent* owner) : TComponent(owner) {
  FFont.OnChange = TNotifyEvent(this, &TControl::FontChangedEvent);
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
}

DWORD TControl::BiDiExStyle() const {
  DWORD ex = 0;
  if (FBiDiMode != bdLeftToRight) ex |= WS_EX_RTLREADING;
  if (FBiDiMode == bdRightToLeft) ex |= WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
  return ex;
}

void TControl::SetPopupMenu(TPopupMenu* v) {
  if (v == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = v;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

// The control's menu at the message's point; from the keyboard (no point)
// at the control's top-left corner. A windowless child under the point
// with a menu of its own shows that one.
bool TControl::DoContextPopup(TMessage& msg) {
  const bool keyboard = msg.LParam == -1;
  POINT screen{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
  if (auto* w = As<TWinControl>(this); w && !keyboard && w->HandleAllocated()) {
    TControl* child = w->ControlAtPos(ScreenToClient(screen), false);
    if (child && !child->Is<TWinControl>() && child->FPopupMenu) return child->DoContextPopup(msg);
  }
  if (!FPopupMenu || !FPopupMenu->AutoPopup) return false;
  if (keyboard) screen = ClientToScreen({0, 0});
  FPopupMenu->PopupComponent = this;
  FPopupMenu->Popup(screen.x, screen.y);
  msg.Result = 1;
  return true;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent == this) throw EFrameworkError("A control cannot be its own parent");
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

int TControl::ClientWidth() const {
  RECT r = ClientRect();
  return r.right - r.left;
}

int TControl::ClientHeight() const {
  RECT r = ClientRect();
  return r.bottom - r.top;
}

void TControl::SetClientSize(int width, int height) {
  RECT r = ClientRect();
  SetBounds(FLeft, FTop, FWidth + width - (r.right - r.left),
            FHeight + height - (r.bottom - r.top));
}

POINT TControl::ClientToScreen(POINT p) const {
  if (auto* w = As<TWinControl>(const_cast<TControl*>(this)); w && w->HandleAllocated()) {
    ::ClientToScreen(w->WindowHandle(), &p);
    return p;
  }
  if (FParent) return FParent->ClientToScreen({p.x + FLeft, p.y + FTop});
  return p;
}

POINT TControl::ScreenToClient(POINT p) const {
  if (auto* w = As<TWinControl>(const_cast<TControl*>(this)); w && w->HandleAllocated()) {
    ::ScreenToClient(w->WindowHandle(), &p);
    return p;
  }
  if (FParent) {
    POINT q = FParent->ScreenToClient(p);
    return {q.x - FLeft, q.y - FTop};
  }
  return p;
}

void TControl::UpdateBoundsFields(int left, int top, int width, int height) {
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  RECT old = BoundsRect();
  UpdateBoundsFields(left, top, width, height);
  if (FParent && FVisible) {
    InvalidateOnParent(old);
    InvalidateOnParent(BoundsRect());
  }
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent && FAlign != alNone) FParent->Realign();
}

void TControl::InvalidateOnParent(const RECT& r) {
  if (FParent && FParent->HandleAllocated()) InvalidateRect(FParent->WindowHandle(), &r, TRUE);
}

void TControl::SetAlign(TAlign v) {
  if (v == FAlign) return;
  FAlign = v;
  if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, v ? 1 : 0, 0);
  if (FParent) FParent->Realign();
}

void TControl::VisibleChanged() {
  InvalidateOnParent(BoundsRect());
}

bool TControl::Showing() const {
  return FVisible && FParent && FParent->Showing();
}

void TControl::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  Perform(CM_ENABLEDCHANGED, 0, 0);
  Invalidate();
}

void TControl::SetColor(TColor v) {
  FParentColor = false;
  if (v == FColor) return;
  FColor = v;
  ColorChanged();
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool v) {
  if (v == FParentColor) return;
  FParentColor = v;
  if (v && FParent) {
    FColor = FParent->Color();
    ColorChanged();
  }
}

void TControl::SetParentFont(bool v) {
  if (v == FParentFont) return;
  if (v && FParent) FFont.Assign(FParent->Font()); // clears the flag through FontChangedEvent
  FParentFont = v;
}

void TControl::FontChangedEvent(TObject*) {
  FParentFont = false;
  FontChanged();
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::FontChanged() {
  Invalidate();
}

void TControl::SetText(const std::wstring& v) {
  if (GetText() == v) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(v.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor v) {
  if (v == FCursor) return;
  FCursor = v;
  Perform(CM_CURSORCHANGED, 0, 0);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case WM_SETTEXT:
    FText = msg.LParam ? reinterpret_cast<const wchar_t*>(msg.LParam) : L"";
    msg.Result = 1;
    TextChanged();
    return;
  case WM_GETTEXTLENGTH: msg.Result = static_cast<LRESULT>(FText.size()); return;
  case CM_CANCELMODE: FLButtonDown = false; return;
  case WM_CONTEXTMENU:
    if (DoContextPopup(msg)) return;
    DefaultHandler(msg);
    return;
  default:
    DefaultHandler(msg);
    if (IsControlMouseMessage(msg.Msg)) HandleMouse(msg);
  }
}

void TControl::HandleMouse(TMessage& msg) {
  const int x = GET_X_LPARAM(msg.LParam), y = GET_Y_LPARAM(msg.LParam);
  const TShiftState shift = ShiftStateFromKeys(msg.WParam);
  switch (msg.Msg) {
  case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    FLButtonDown = (FControlStyle & csClickEvents) != 0;
    MouseDown(mbLeft, shift | (msg.Msg == WM_LBUTTONDBLCLK ? unsigned(ssDouble) : 0u), x, y);
    break;
  case WM_LBUTTONUP: {
    bool clicked = FLButtonDown && x >= 0 && y >= 0 && x < FWidth && y < FHeight;
    FLButtonDown = false;
    if (clicked) Click();
    MouseUp(mbLeft, shift, x, y);
    break;
  }
  case WM_RBUTTONDOWN: MouseDown(mbRight, shift, x, y); break;
  case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
  case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, x, y); break;
  case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
  }
}

void TControl::DefaultHandler(TMessage& msg) {
  msg.Result = 0;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState, int, int) {}

void TControl::Invalidate() {
  if (FVisible) InvalidateOnParent(BoundsRect());
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  SetZOrder(true);
}

void TControl::SendToBack() {
  SetZOrder(false);
}

// Only the stacking changes: the window, its tab order and whatever others
// put on it (subclasses, regions, properties) stay.
void TControl::SetZOrder(bool topmost) {
  if (FParent) FParent->MoveControlInZOrder(this, topmost);
  if (auto* w = As<TWinControl>(this); w && w->HandleAllocated())
    SetWindowPos(w->WindowHandle(), topmost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent && FParentColor) FColor = FParent->Color();
  if (FParent && FParentFont) {
    FFont.Assign(FParent->Font());
    FParentFont = true;
  }
}

// ---------------------------------------------------------------------------

FW_CLASS_IMPL(TGraphicControl, TControl, nullptr, NoSetup)

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& msg) {
  if (msg.Msg == WM_PAINT && msg.WParam) {
    TCanvasBinding binding(FCanvas, reinterpret_cast<HDC>(msg.WParam));
    FCanvas.Font().Assign(Font());
    FCanvas.Brush().SetColor(Color());
    Paint();
    return;
  }
  TControl::WndProc(msg);
}
