#include "fw/TrackBar.h"

#include "fw/CommonControls.h"

#include <commctrl.h>

const TEnumInfo TrackBarOrientationInfo{"TTrackBarOrientation", {"trHorizontal", "trVertical"}};
const TEnumInfo TickStyleInfo{"TTickStyle", {"tsNone", "tsAuto", "tsManual"}};
const TEnumInfo TickMarkInfo{"TTickMark", {"tmBottomRight", "tmTopLeft", "tmBoth"}};

static void SetupTrackBar(TClassInfo& c) {
  using T = TTrackBar;
  auto integer = [&c](const char* name, int (T::*get)() const, void (T::*set)(int), int def) {
    c.Props.push_back(IntProp<T>(
        name, [get](T* o) { return (o->*get)(); },
        [set](T* o, std::int64_t v) { (o->*set)(static_cast<int>(v)); }, def));
  };
  integer("Min", &T::Min, &T::SetMin, 0);
  integer("Max", &T::Max, &T::SetMax, 10);
  integer("Position", &T::Position, &T::SetPosition, 0);
  integer("Frequency", &T::Frequency, &T::SetFrequency, 1);
  integer("PageSize", &T::PageSize, &T::SetPageSize, 2);
  integer("LineSize", &T::LineSize, &T::SetLineSize, 1);
  c.Props.push_back(EnumProp<T>(
      "Orientation", TrackBarOrientationInfo,
      [](T* o) { return static_cast<int>(o->Orientation()); },
      [](T* o, int v) { o->SetOrientation(static_cast<TTrackBarOrientation>(v)); }, trHorizontal));
  c.Props.push_back(EnumProp<T>(
      "TickStyle", TickStyleInfo, [](T* o) { return static_cast<int>(o->TickStyle()); },
      [](T* o, int v) { o->SetTickStyle(static_cast<TTickStyle>(v)); }, tsAuto));
  c.Props.push_back(EnumProp<T>(
      "TickMarks", TickMarkInfo, [](T* o) { return static_cast<int>(o->TickMarks()); },
      [](T* o, int v) { o->SetTickMarks(static_cast<TTickMark>(v)); }, tmBottomRight));
  c.Props.push_back(EventProp("OnChange", &T::OnChange));
}
FW_CLASS_IMPL(TTrackBar, TWinControl, CreateComponentOf<TTrackBar>, SetupTrackBar)

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption;
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
  SetParentColor(true);
}

void TTrackBar::CreateParams(TCreateParams& p) {
  EnsureCommonControls();
  TWinControl::CreateParams(p);
  p.SysClassName = TRACKBAR_CLASSW;
  p.Style |= FOrientation == trVertical ? TBS_VERT : TBS_HORZ;
  if (FTickStyle == tsNone) p.Style |= TBS_NOTICKS;
  if (FTickStyle == tsAuto) p.Style |= TBS_AUTOTICKS;
  if (FTickMarks == tmBoth) p.Style |= TBS_BOTH;
  if (FTickMarks == tmTopLeft) p.Style |= TBS_TOP;
}

void TTrackBar::HandleCreated() {
  UpdateWindow();
}

void TTrackBar::DestroyWnd() {
  FPosition = Position();
  TWinControl::DestroyWnd();
}

void TTrackBar::UpdateWindow() {
  if (!HandleAllocated()) return;
  HWND w = WindowHandle();
  SendMessageW(w, TBM_SETRANGEMIN, FALSE, FMin);
  SendMessageW(w, TBM_SETRANGEMAX, FALSE, FMax);
  SendMessageW(w, TBM_SETTICFREQ, FFrequency, 0);
  SendMessageW(w, TBM_SETPAGESIZE, 0, FPageSize);
  SendMessageW(w, TBM_SETLINESIZE, 0, FLineSize);
  SendMessageW(w, TBM_SETPOS, TRUE, FPosition);
}

int TTrackBar::Position() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(WindowHandle(), TBM_GETPOS, 0, 0))
                           : FPosition;
}

void TTrackBar::SetPosition(int v) {
  v = v < FMin ? FMin : v > FMax ? FMax : v;
  FPosition = v;
  if (HandleAllocated()) SendMessageW(WindowHandle(), TBM_SETPOS, TRUE, v);
}

void TTrackBar::SetMin(int v) {
  FMin = v;
  if (FMax < v) FMax = v;
  UpdateWindow();
}

void TTrackBar::SetMax(int v) {
  FMax = v;
  if (FMin > v) FMin = v;
  UpdateWindow();
}

void TTrackBar::SetFrequency(int v) {
  FFrequency = v;
  UpdateWindow();
}

void TTrackBar::SetPageSize(int v) {
  FPageSize = v;
  UpdateWindow();
}

void TTrackBar::SetLineSize(int v) {
  FLineSize = v;
  UpdateWindow();
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle v) {
  if (v == FTickStyle) return;
  FTickStyle = v;
  RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark v) {
  if (v == FTickMarks) return;
  FTickMarks = v;
  RecreateWnd();
}

void TTrackBar::WndProc(TMessage& msg) {
  if (msg.Msg == CN_HSCROLL || msg.Msg == CN_VSCROLL) {
    FPosition = Position();
    if (OnChange) OnChange(this);
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}
