#include "fw/ScrollBar.h"

#include <algorithm>

const TEnumInfo ScrollBarKindInfo{"TScrollBarKind", {"sbHorizontal", "sbVertical"}};

static void SetupScrollBar(TClassInfo& c) {
  using T = TScrollBar;
  c.Props.push_back(EnumProp<T>(
      "Kind", ScrollBarKindInfo, [](T* o) { return static_cast<int>(o->Kind()); },
      [](T* o, int v) { o->SetKind(static_cast<TScrollBarKind>(v)); }, sbHorizontal));
  auto integer = [&c](const char* name, int (T::*get)() const, void (T::*set)(int), int def) {
    c.Props.push_back(IntProp<T>(
        name, [get](T* o) { return (o->*get)(); },
        [set](T* o, std::int64_t v) { (o->*set)(static_cast<int>(v)); }, def));
  };
  integer("Min", &T::Min, &T::SetMin, 0);
  integer("Max", &T::Max, &T::SetMax, 100);
  integer("Position", &T::Position, &T::SetPosition, 0);
  integer("SmallChange", &T::SmallChange, &T::SetSmallChange, 1);
  integer("LargeChange", &T::LargeChange, &T::SetLargeChange, 1);
  integer("PageSize", &T::PageSize, &T::SetPageSize, 0);
  c.Props.push_back(EventProp("OnScroll", &T::OnScroll));
  c.Props.push_back(EventProp("OnChange", &T::OnChange));
}
FW_CLASS_IMPL(TScrollBar, TWinControl, CreateComponentOf<TScrollBar>, SetupScrollBar)

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption;
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"SCROLLBAR";
  p.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::HandleCreated() {
  UpdateWindow();
}

void TScrollBar::UpdateWindow() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{sizeof si, SIF_ALL, FMin, FMax, static_cast<UINT>(FPageSize), FPosition, 0};
  SetScrollInfo(WindowHandle(), SB_CTL, &si, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind v) {
  if (v == FKind) return;
  FKind = v;
  if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (max < min) max = min;
  const int top = FPageSize > 0 ? std::max(min, max - FPageSize + 1) : max;
  position = std::clamp(position, min, top);
  const bool moved = position != FPosition;
  FMin = min;
  FMax = max;
  FPosition = position;
  UpdateWindow();
  if (moved && !HasState(csLoading) && OnChange) OnChange(this);
}

void TScrollBar::SetPageSize(int v) {
  FPageSize = std::max(v, 0);
  SetParams(FPosition, FMin, FMax);
}

void TScrollBar::Scrolled(TScrollCode code, int trackPos) {
  int pos = FPosition;
  switch (code) {
  case scLineUp: pos -= FSmallChange; break;
  case scLineDown: pos += FSmallChange; break;
  case scPageUp: pos -= FLargeChange; break;
  case scPageDown: pos += FLargeChange; break;
  case scPosition:
  case scTrack: pos = trackPos; break;
  case scTop: pos = FMin; break;
  case scBottom: pos = FMax; break;
  case scEndScroll: break;
  }
  if (OnScroll) OnScroll(this, code, pos);
  SetPosition(pos);
}

void TScrollBar::WndProc(TMessage& msg) {
  if (msg.Msg == CN_HSCROLL || msg.Msg == CN_VSCROLL) {
    const int request = LOWORD(msg.WParam);
    int trackPos = HIWORD(msg.WParam);
    if (request == SB_THUMBTRACK || request == SB_THUMBPOSITION) {
      // The 32-bit position: the message carries only 16 bits.
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      if (GetScrollInfo(WindowHandle(), SB_CTL, &si)) trackPos = si.nTrackPos;
    }
    static const TScrollCode codes[] = {scLineUp, scLineDown, scPageUp, scPageDown, scPosition,
                                        scTrack,  scTop,      scBottom, scEndScroll};
    if (request >= 0 && request <= SB_ENDSCROLL) Scrolled(codes[request], trackPos);
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}
