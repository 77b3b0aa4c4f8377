#include "fw/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

namespace {

thread_local TWinControl* tCreatingControl = nullptr;
TExceptionSink gExceptionSink = nullptr;

// The system procedure behind each window class the framework registered.
std::map<std::wstring, WNDPROC>& ClassProcs() {
  static std::map<std::wstring, WNDPROC> procs;
  return procs;
}

WNDPROC EnsureWindowClass(const TCreateParams& p) {
  auto& procs = ClassProcs();
  if (auto it = procs.find(p.WinClassName); it != procs.end()) return it->second;
  WNDCLASSW wc{};
  WNDPROC defProc = DefWindowProcW;
  if (!p.SysClassName.empty()) {
    if (!GetClassInfoW(nullptr, p.SysClassName.c_str(), &wc))
      throw EFrameworkError("Unknown system window class");
    defProc = wc.lpfnWndProc;
    wc.style &= ~CS_GLOBALCLASS;
  } else {
    wc.style = p.ClassStyle;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = p.Background;
  }
  wc.lpfnWndProc = FrameworkWndProc;
  wc.hInstance = FrameworkInstance();
  wc.lpszClassName = p.WinClassName.c_str();
  if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw EFrameworkError("Cannot register a window class");
  procs[p.WinClassName] = defProc;
  return defProc;
}

} // namespace

HINSTANCE FrameworkInstance() {
  return GetModuleHandleW(nullptr);
}

const wchar_t* ControlAtomName() {
  static const std::wstring name = [] {
    wchar_t buf[64];
    swprintf(buf, 64, L"ControlOfs%.8llX%.8lX",
             static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(FrameworkInstance())),
             static_cast<unsigned long>(GetCurrentThreadId()));
    return std::wstring(buf);
  }();
  return name.c_str();
}

namespace {
ATOM gControlAtom = 0;
}

ATOM ControlAtom() {
  if (!gControlAtom) gControlAtom = GlobalAddAtomW(ControlAtomName());
  return gControlAtom;
}

void ReleaseControlAtom() {
  if (gControlAtom) GlobalDeleteAtom(std::exchange(gControlAtom, ATOM(0)));
}

void SetExceptionSink(TExceptionSink sink) {
  gExceptionSink = sink;
}

void HandleWndProcException(const std::exception& e) {
  if (!gExceptionSink) return;
  try {
    gExceptionSink(e);
  } catch (...) {
    // An error while reporting an error has nowhere left to go; it must not
    // cross the window procedure.
  }
}

LRESULT CALLBACK FrameworkWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TWinControl*>(GetPropW(wnd, MAKEINTATOM(ControlAtom())));
  if (!control) {
    control = tCreatingControl;
    if (!control) return DefWindowProcW(wnd, msg, wParam, lParam);
    tCreatingControl = nullptr;
    control->AttachHandle(wnd);
  }
  TMessage m{msg, wParam, lParam, 0};
  try {
    control->WindowProc(m);
  } catch (const std::exception& e) {
    HandleWndProcException(e);
  } catch (...) {
    HandleWndProcException(EFrameworkError("Unknown error"));
  }
  return m.Result;
}

// ---------------------------------------------------------------------------

static void SetupWinControl(TClassInfo& c) {
  auto tabOrder = IntProp<TWinControl>(
      "TabOrder", [](TWinControl* o) { return o->TabOrder(); },
      [](TWinControl* o, std::int64_t v) { o->SetTabOrder(static_cast<int>(v)); });
  tabOrder.Stored = [](TObject* o) { return static_cast<TWinControl*>(o)->TabOrder() >= 0; };
  c.Props.push_back(tabOrder);
  c.Props.push_back(BoolProp<TWinControl>(
      "TabStop", [](TWinControl* o) { return o->TabStop(); },
      [](TWinControl* o, bool v) { o->SetTabStop(v); }, false));
}
FW_CLASS_IMPL(TWinControl, TControl, nullptr, SetupWinControl)

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children go first, while this control is still a whole window.
  while (!FControls.empty())
    delete FControls.back();
  DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  if (!wnd) return nullptr;
  return static_cast<TWinControl*>(GetPropW(wnd, MAKEINTATOM(ControlAtom())));
}

TWinControl* TWinControl::FindOwningControl(HWND wnd) {
  for (; wnd; wnd = GetParent(wnd))
    if (TWinControl* c = FromHandle(wnd)) return c;
  return nullptr;
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    if (Parent()) Parent()->HandleNeeded(); // makes this one too
    if (!FHandle) CreateWnd();
  }
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = FText;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle & csAcceptsControls) p.Style |= WS_CLIPCHILDREN;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (FTabStop) p.Style |= WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = Parent() ? Parent()->Handle() : FParentWindow;
  p.WinClassName = Widen(ClassName());
  p.ExStyle |= BiDiExStyle();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if (!p.WndParent && (p.Style & WS_CHILD))
    throw EFrameworkError("Control " + Name() + " has no parent window");
  FDefWndProc = EnsureWindowClass(p);
  TWinControl* previous = tCreatingControl;
  tCreatingControl = this;
  try {
    CreateWindowHandle(p);
  } catch (...) {
    tCreatingControl = previous;
    throw;
  }
  tCreatingControl = previous;
  if (!FHandle) throw EFrameworkError("Error creating window " + Name());
  SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
  HandleCreated();
  CreateChildHandles();
  if (!HasState(csLoading)) Realign();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  HWND wnd =
      CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y,
                      p.Width, p.Height, p.WndParent, nullptr, FrameworkInstance(), nullptr);
  if (wnd && !FHandle) AttachHandle(wnd); // a class that sent no message while being made
}

void TWinControl::AttachHandle(HWND wnd) {
  FHandle = wnd;
  SetPropW(wnd, MAKEINTATOM(ControlAtom()), this);
}

void TWinControl::CreateChildHandles() {
  for (TControl* c : std::vector<TControl*>(FControls))
    if (auto* w = As<TWinControl>(c); w && !w->FHandle) w->CreateWnd();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  // Children first: only their own DestroyWnd keeps their texts and list
  // lines; the system would destroy their windows along with this one.
  for (TControl* c : std::vector<TControl*>(FControls))
    if (auto* w = As<TWinControl>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  FText = GetText(); // the text outlives the window
  DestroyWindow(FHandle);
  FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
  if (FHandle) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::WMNCDestroy(TMessage& msg) {
  DefaultHandler(msg);
  RemovePropW(FHandle, MAKEINTATOM(ControlAtom()));
  FHandle = nullptr;
}

std::wstring TWinControl::GetText() const {
  if (!FHandle) return FText;
  int n = GetWindowTextLengthW(FHandle);
  std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
  n = GetWindowTextW(FHandle, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(std::max(n, 0)));
  return s;
}

void TWinControl::TextChanged() {}

void TWinControl::FontChanged() {
  if (FHandle) {
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  for (TControl* c : FControls)
    if (c->ParentFont()) {
      c->Font().Assign(Font());
      c->FParentFont = true;
    }
}

void TWinControl::ColorChanged() {
  FBrush.Reset();
  Invalidate();
  for (TControl* c : FControls)
    if (c->ParentColor()) {
      c->SetColor(Color());
      c->FParentColor = true;
    }
}

HBRUSH TWinControl::BrushHandle() {
  if (!FBrush) FBrush.Reset(CreateSolidBrush(ColorToCOLORREF(Color())));
  return FBrush.Get();
}

void TWinControl::InsertControl(TControl* c) {
  FControls.push_back(c);
  c->FParent = this;
  if (auto* w = As<TWinControl>(c)) FTabList.push_back(w);
  if (c->ParentFont()) {
    c->Font().Assign(Font());
    c->FParentFont = true;
  }
  if (c->ParentColor()) {
    c->FColor = Color();
  }
  if (auto* w = As<TWinControl>(c); w && FHandle && !w->FHandle) w->CreateWnd();
  if (auto* w = As<TWinControl>(c); w && FHandle && w->FHandle && GetParent(w->FHandle) != FHandle)
    ::SetParent(w->FHandle, FHandle);
  c->Invalidate();
  if (c->Align() != alNone) Realign();
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(c), 1);
}

void TWinControl::RemoveControl(TControl* c) {
  auto it = std::find(FControls.begin(), FControls.end(), c);
  if (it == FControls.end()) return;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(c), 0);
  c->Invalidate();
  FControls.erase(std::find(FControls.begin(), FControls.end(), c));
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), c), FTabList.end());
  if (FMouseCapture == c) ReleaseMouseCapture(true);
  if (auto* w = As<TWinControl>(c); w && w->FHandle) w->DestroyHandle();
  c->FParent = nullptr;
  if (c->Align() != alNone) Realign();
}

void TWinControl::MoveControlInZOrder(TControl* c, bool topmost) {
  auto it = std::find(FControls.begin(), FControls.end(), c);
  if (it == FControls.end()) return;
  FControls.erase(it);
  FControls.insert(topmost ? FControls.end() : FControls.begin(), c);
}

bool TWinControl::ContainsControl(const TControl* c) const {
  for (; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWindowed) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!allowWindowed && c->Is<TWinControl>()) continue;
    if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool v) {
  if (v == FTabStop) return;
  FTabStop = v;
  if (FHandle) {
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, v ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

std::vector<TWinControl*> TWinControl::TabList() const {
  return FTabList;
}

namespace {

void FlattenTabOrder(const TWinControl* parent, std::vector<TWinControl*>& out) {
  for (TWinControl* c : parent->TabList()) {
    out.push_back(c);
    FlattenTabOrder(c, out);
  }
}

} // namespace

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward,
                                          bool checkTabStop) const {
  std::vector<TWinControl*> list;
  FlattenTabOrder(this, list);
  if (list.empty()) return nullptr;
  const int n = static_cast<int>(list.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (list[i] == current) start = i;
  if (start < 0) start = forward ? n - 1 : 0;
  for (int step = 1; step <= n; ++step) {
    int i = ((start + (forward ? step : -step)) % n + n) % n;
    TWinControl* c = list[i];
    if ((!checkTabStop || c->TabStop()) && c->CanFocus()) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
  ::SetFocus(Handle());
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (FAlignPending) Realign();
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || HasState(csLoading) || HasState(csDestroying)) {
    FAlignPending = true;
    return;
  }
  FAlignPending = false;
  RECT r = ClientRect();
  AdjustClientRect(r);
  DisableAlign();
  AlignControls(r);
  FAlignPending = false;
  --FAlignLevel;
}

void TWinControl::AlignControls(RECT& r) {
  // Each side takes its controls in their order on that side.
  auto take = [&](TAlign align) {
    std::vector<TControl*> list;
    for (TControl* c : FControls)
      if (c->Align() == align && c->Visible()) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
      switch (align) {
      case alTop: return a->Top() < b->Top();
      case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
      case alLeft: return a->Left() < b->Left();
      case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
      default: return false;
      }
    });
    for (TControl* c : list) {
      const int w = std::max<int>(r.right - r.left, 0), h = std::max<int>(r.bottom - r.top, 0);
      switch (align) {
      case alTop:
        c->SetBounds(r.left, r.top, w, c->Height());
        r.top += c->Height();
        break;
      case alBottom:
        c->SetBounds(r.left, r.bottom - c->Height(), w, c->Height());
        r.bottom -= c->Height();
        break;
      case alLeft:
        c->SetBounds(r.left, r.top, c->Width(), h);
        r.left += c->Width();
        break;
      case alRight:
        c->SetBounds(r.right - c->Width(), r.top, c->Width(), h);
        r.right -= c->Width();
        break;
      case alClient: c->SetBounds(r.left, r.top, w, h); break;
      default: break;
      }
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient})
    take(a);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  const bool resized = width != Width() || height != Height();
  UpdateBoundsFields(left, top, width, height);
  // The window's own move notice finds the new size already stored and
  // cannot tell it changed, so the children are aligned here.
  if (FHandle)
    SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (resized) Realign();
  RequestAlign();
}

void TWinControl::WMWindowPosChanged(TMessage& msg) {
  DefaultHandler(msg);
  const auto* wp = reinterpret_cast<const WINDOWPOS*>(msg.LParam);
  if (!wp || (wp->flags & SWP_NOSIZE && wp->flags & SWP_NOMOVE)) return;
  RECT r;
  GetWindowRect(FHandle, &r);
  HWND parent = GetParent(FHandle);
  if (parent && (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  const bool resized = r.right - r.left != Width() || r.bottom - r.top != Height();
  UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (resized) Realign();
}

bool TWinControl::Showing() const {
  if (!Visible()) return false;
  if (Parent()) return Parent()->Showing();
  return FHandle && IsWindowVisible(FHandle);
}

void TWinControl::VisibleChanged() {
  if (FHandle) ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::UpdateShowing() {
  if (FHandle) ShowWindow(FHandle, Visible() ? SW_SHOW : SW_HIDE);
}

void TWinControl::SetEnabled(bool v) {
  if (v == Enabled()) return;
  TControl::SetEnabled(v);
  if (FHandle) EnableWindow(FHandle, v);
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, !(FControlStyle & csOpaque));
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::PaintWindow(HDC dc) {
  // A system control paints itself into the DC; a window of the framework's
  // own has nothing to paint beyond its background and children.
  if (DrawsItself()) return;
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* stopAt) {
  RECT clip;
  if (GetClipBox(dc, &clip) == ERROR) return;
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  for (TControl* c : std::vector<TControl*>(FControls)) {
    if (c == stopAt) break;
    if (c->Is<TWinControl>() || !c->Visible()) continue;
    RECT r = c->BoundsRect(), common;
    if (!IntersectRect(&common, &r, &clip)) continue;
    TSavedDC saved(dc);
    SetViewportOrgEx(dc, origin.x + r.left, origin.y + r.top, nullptr);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

bool TWinControl::DrawsItself() const {
  return FDefWndProc == DefWindowProcW;
}

void TWinControl::PaintLayers(HDC dc, TControl* stopAt) {
  if (DrawsItself()) {
    RECT r;
    GetClientRect(FHandle, &r);
    ::FillRect(dc, &r, BrushHandle());
  }
  {
    TSavedDC saved(dc);
    PaintWindow(dc);
  }
  PaintControls(dc, stopAt);
}

void TWinControl::PaintBelow(HDC dc, TControl* child) {
  if (!FHandle || !dc) return;
  TSavedDC saved(dc);
  PaintLayers(dc, child && child->Is<TWinControl>() ? nullptr : child);
}

// The background, the control's own drawing and its windowless children
// are composed off-screen and copied in one step, so nothing flickers;
// WM_PAINT, WM_PRINTCLIENT and a DC handed over all come here.
void TWinControl::PaintTo(HDC dc) {
  RECT client, clip, area;
  GetClientRect(FHandle, &client);
  if (GetClipBox(dc, &clip) == ERROR || !IntersectRect(&area, &client, &clip)) return;
  TOffscreen buffer(dc, area);
  if (!buffer) return PaintLayers(dc, nullptr);
  PaintLayers(buffer.Get(), nullptr);
  buffer.Blit();
}

void TWinControl::PaintHandler(TMessage& msg) {
  if (HDC given = reinterpret_cast<HDC>(msg.WParam)) {
    DrawsItself() ? PaintTo(given) : PaintLayers(given, nullptr);
    return;
  }
  TPaintDC dc(FHandle);
  if (!dc) return;
  DrawsItself() ? PaintTo(dc.Get()) : PaintLayers(dc.Get(), nullptr);
}

void TWinControl::ReflectNotification(TMessage& msg) {
  HWND child = nullptr;
  switch (msg.Msg) {
  case WM_NOTIFY: child = reinterpret_cast<const NMHDR*>(msg.LParam)->hwndFrom; break;
  case WM_DRAWITEM: {
    const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam);
    if (d->CtlType != ODT_MENU) child = d->hwndItem;
    break;
  }
  case WM_MEASUREITEM: {
    const auto* m = reinterpret_cast<const MEASUREITEMSTRUCT*>(msg.LParam);
    if (m->CtlType != ODT_MENU && m->CtlID != 0) child = GetDlgItem(FHandle, m->CtlID);
    break;
  }
  case WM_DELETEITEM:
    child = reinterpret_cast<const DELETEITEMSTRUCT*>(msg.LParam)->hwndItem;
    break;
  case WM_COMPAREITEM:
    child = reinterpret_cast<const COMPAREITEMSTRUCT*>(msg.LParam)->hwndItem;
    break;
  default: child = reinterpret_cast<HWND>(msg.LParam); break;
  }
  TWinControl* c = child && child != FHandle ? FromHandle(child) : nullptr;
  if (c) {
    msg.Result = c->Perform(CN_BASE + msg.Msg, msg.WParam, msg.LParam);
    return;
  }
  TControl::WndProc(msg);
}

bool TWinControl::HandleSetCursor(TMessage& msg) {
  if (LOWORD(msg.LParam) != HTCLIENT || reinterpret_cast<HWND>(msg.WParam) != FHandle) return false;
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(FHandle, &p);
  TControl* c = ControlAtPos(p, false);
  TCursor cursor = c ? c->Cursor() : crDefault;
  if (cursor == crDefault) cursor = Cursor();
  if (cursor == crDefault) return false;
  ::SetCursor(ScreenCursorHandle(cursor));
  msg.Result = 1;
  return true;
}

bool TWinControl::ForwardMouseToGraphic(TMessage& msg) {
  POINT p{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
  TControl* target = FMouseCapture;
  if (!target) target = ControlAtPos(p, false);
  if (!target) return false;
  LPARAM local = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
  if (msg.Msg == WM_LBUTTONDOWN && (target->ControlStyle() & csCaptureMouse)) {
    FMouseCapture = target;
    SetCapture(FHandle);
  }
  msg.Result = target->Perform(msg.Msg, msg.WParam, local);
  if (msg.Msg == WM_LBUTTONUP && FMouseCapture) ReleaseMouseCapture(true);
  return true;
}

// The press ends without a release: the child must not take a later
// release over it for the end of this press (and click).
void TWinControl::CancelMouseCapture(bool releaseSystemCapture) {
  TControl* held = FMouseCapture;
  ReleaseMouseCapture(releaseSystemCapture);
  if (held) held->Perform(CM_CANCELMODE);
}

void TWinControl::ReleaseMouseCapture(bool releaseSystemCapture) {
  if (!FMouseCapture) return;
  FMouseCapture = nullptr;
  if (releaseSystemCapture && FHandle && GetCapture() == FHandle) ReleaseCapture();
}

void TWinControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case WM_PAINT:
    if (DrawsItself() || !FControls.empty())
      PaintHandler(msg);
    else
      DefaultHandler(msg);
    return;
  case WM_PRINTCLIENT:
    // Printing the client area draws what painting draws, windowless
    // children included.
    if (DrawsItself()) {
      PaintHandler(msg);
    } else {
      DefaultHandler(msg);
      PaintControls(reinterpret_cast<HDC>(msg.WParam), nullptr);
    }
    return;
  case WM_ERASEBKGND:
    // A window the framework draws paints its background with the rest.
    if (!DrawsItself()) return DefaultHandler(msg);
    msg.Result = 1;
    return;
  case CN_CTLCOLORBTN:
  case CN_CTLCOLOREDIT:
  case CN_CTLCOLORLISTBOX:
  case CN_CTLCOLORSTATIC: {
    HDC dc = reinterpret_cast<HDC>(msg.WParam);
    SetTextColor(dc, ColorToCOLORREF(Font().Color()));
    SetBkColor(dc, ColorToCOLORREF(Color()));
    msg.Result = reinterpret_cast<LRESULT>(BrushHandle());
    return;
  }
  case WM_SETCURSOR:
    if (!HandleSetCursor(msg)) DefaultHandler(msg);
    return;
  case WM_CAPTURECHANGED:
    // Whoever takes the mouse away ends the press a windowless child held.
    if (reinterpret_cast<HWND>(msg.LParam) != FHandle) CancelMouseCapture(false);
    DefaultHandler(msg);
    return;
  case WM_CANCELMODE:
    CancelMouseCapture(true);
    DefaultHandler(msg);
    return;
  case WM_WINDOWPOSCHANGED: WMWindowPosChanged(msg); return;
  case WM_NCDESTROY: WMNCDestroy(msg); return;
  case WM_SETTEXT:
    if (!FHandle) {
      FText = msg.LParam ? reinterpret_cast<const wchar_t*>(msg.LParam) : L"";
      msg.Result = 1;
    } else {
      DefaultHandler(msg);
    }
    TextChanged();
    return;
  case WM_GETTEXTLENGTH:
    if (!FHandle)
      msg.Result = static_cast<LRESULT>(FText.size());
    else
      DefaultHandler(msg);
    return;
  case CM_RECREATEWND:
    DestroyHandle();
    HandleNeeded();
    return;
  default:
    if (IsControlMouseMessage(msg.Msg)) return HandleMouseMessage(msg);
    if (IsReflectedMessage(msg.Msg)) return ReflectNotification(msg);
    TControl::WndProc(msg);
  }
}

// Mouse messages go to the windowless child under the mouse (or the one
// that holds it), else to this control; own windows hold the mouse while
// the left button is down.
void TWinControl::HandleMouseMessage(TMessage& msg) {
  if (ForwardMouseToGraphic(msg)) return;
  if (msg.Msg == WM_LBUTTONDOWN && (FControlStyle & csCaptureMouse) && DrawsItself())
    SetCapture(FHandle);
  TControl::WndProc(msg);
  if (msg.Msg == WM_LBUTTONUP && DrawsItself() && GetCapture() == FHandle) ReleaseCapture();
}

namespace {
thread_local int tDefaultProcDepth = 0;
}

int DefaultProcDepth() {
  return tDefaultProcDepth;
}

void TWinControl::DefaultHandler(TMessage& msg) {
  if (!FHandle || !FDefWndProc) {
    msg.Result = 0;
    return;
  }
  ++tDefaultProcDepth;
  struct TLeave {
    ~TLeave() { --tDefaultProcDepth; }
  } leave;
  msg.Result = CallWindowProcW(FDefWndProc, FHandle, msg.Msg, msg.WParam, msg.LParam);
}

// ---------------------------------------------------------------------------

FW_CLASS_IMPL(TCustomControl, TWinControl, nullptr, NoSetup)

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
  TCanvasBinding binding(FCanvas, dc);
  FCanvas.Font().Assign(Font());
  FCanvas.Brush().SetColor(Color());
  Paint();
}
