#include "fw/ScrollBox.h"

#include <algorithm>

static void SetupScrollBox(TClassInfo& c) {
  using T = TScrollBox;
  c.Props.push_back(BoolProp<T>(
      "AutoScroll", [](T* o) { return o->AutoScroll(); }, [](T* o, bool v) { o->SetAutoScroll(v); },
      true));
  c.Props.push_back(EnumProp<T>(
      "BorderStyle", BorderStyleInfo, [](T* o) { return static_cast<int>(o->BorderStyle()); },
      [](T* o, int v) { o->SetBorderStyle(static_cast<TBorderStyle>(v)); }, bsSingle));
}
FW_CLASS_IMPL(TScrollBox, TWinControl, CreateComponentOf<TScrollBox>, SetupScrollBox)

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption;
  SetBounds(0, 0, 185, 41);
  SetTabStop(true);
  SetParentColor(true);
}

void TScrollBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::HandleCreated() {
  UpdateScrollBars();
}

void TScrollBox::SetAutoScroll(bool v) {
  if (v == FAutoScroll) return;
  FAutoScroll = v;
  UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  RecreateWnd();
}

SIZE TScrollBox::ContentSize() const {
  SIZE s{0, 0};
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (!c->Visible()) continue;
    s.cx = std::max<LONG>(s.cx, c->Left() + c->Width() + FScroll.x);
    s.cy = std::max<LONG>(s.cy, c->Top() + c->Height() + FScroll.y);
  }
  return s;
}

void TScrollBox::UpdateScrollBars() {
  if (!HandleAllocated() || FUpdating) return;
  FUpdating = true;
  const SIZE content = FAutoScroll ? ContentSize() : SIZE{0, 0};
  RECT client;
  GetClientRect(WindowHandle(), &client);
  auto set = [this](int bar, int range, int page, int pos) {
    SCROLLINFO si{sizeof si, SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    if (range > page) {
      si.fMask = SIF_ALL;
      si.nMax = range - 1;
      si.nPage = static_cast<UINT>(page);
      si.nPos = pos;
    }
    SetScrollInfo(WindowHandle(), bar, &si, TRUE);
    ShowScrollBar(WindowHandle(), bar, range > page);
  };
  set(SB_HORZ, content.cx, client.right, FScroll.x);
  set(SB_VERT, content.cy, client.bottom, FScroll.y);
  FUpdating = false;
}

void TScrollBox::ScrollTo(int x, int y) {
  if (!HandleAllocated()) return;
  RECT client;
  GetClientRect(WindowHandle(), &client);
  const SIZE content = ContentSize();
  x = std::clamp(x, 0, std::max<int>(content.cx - client.right, 0));
  y = std::clamp(y, 0, std::max<int>(content.cy - client.bottom, 0));
  const int dx = FScroll.x - x, dy = FScroll.y - y;
  if (!dx && !dy) return;
  FScroll = {x, y};
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  Invalidate();
  UpdateScrollBars();
}

void TScrollBox::Scroll(int bar, WPARAM request) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(WindowHandle(), bar, &si)) return;
  int pos = bar == SB_HORZ ? FScroll.x : FScroll.y;
  const int line = 8, page = std::max<int>(static_cast<int>(si.nPage), 1);
  switch (LOWORD(request)) {
  case SB_LINEUP: pos -= line; break;
  case SB_LINEDOWN: pos += line; break;
  case SB_PAGEUP: pos -= page; break;
  case SB_PAGEDOWN: pos += page; break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION: pos = si.nTrackPos; break;
  case SB_TOP: pos = 0; break;
  case SB_BOTTOM: pos = si.nMax; break;
  default: return;
  }
  if (bar == SB_HORZ)
    ScrollTo(pos, FScroll.y);
  else
    ScrollTo(FScroll.x, pos);
}

void TScrollBox::AlignControls(RECT& r) {
  TWinControl::AlignControls(r);
  UpdateScrollBars();
}

void TScrollBox::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case WM_HSCROLL:
    if (!msg.LParam) return Scroll(SB_HORZ, msg.WParam);
    break;
  case WM_VSCROLL:
    if (!msg.LParam) return Scroll(SB_VERT, msg.WParam);
    break;
  case WM_MOUSEWHEEL:
    ScrollTo(FScroll.x, FScroll.y - GET_WHEEL_DELTA_WPARAM(msg.WParam) / WHEEL_DELTA * 24);
    msg.Result = 0;
    return;
  case WM_SIZE:
    TWinControl::WndProc(msg);
    UpdateScrollBars();
    return;
  default: break;
  }
  TWinControl::WndProc(msg);
}
