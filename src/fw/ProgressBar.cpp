#include "fw/ProgressBar.h"

#include "fw/CommonControls.h"

#include <commctrl.h>

const TEnumInfo ProgressBarOrientationInfo{"TProgressBarOrientation",
                                           {"pbHorizontal", "pbVertical"}};

static void SetupProgressBar(TClassInfo& c) {
  using T = TProgressBar;
  auto integer = [&c](const char* name, int (T::*get)() const, void (T::*set)(int), int def) {
    c.Props.push_back(IntProp<T>(
        name, [get](T* o) { return (o->*get)(); },
        [set](T* o, std::int64_t v) { (o->*set)(static_cast<int>(v)); }, def));
  };
  integer("Min", &T::Min, &T::SetMin, 0);
  integer("Max", &T::Max, &T::SetMax, 100);
  integer("Position", &T::Position, &T::SetPosition, 0);
  integer("Step", &T::Step, &T::SetStep, 10);
  c.Props.push_back(EnumProp<T>(
      "Orientation", ProgressBarOrientationInfo,
      [](T* o) { return static_cast<int>(o->Orientation()); },
      [](T* o, int v) { o->SetOrientation(static_cast<TProgressBarOrientation>(v)); },
      pbHorizontal));
  c.Props.push_back(BoolProp<T>(
      "Smooth", [](T* o) { return o->Smooth(); }, [](T* o, bool v) { o->SetSmooth(v); }, false));
}
FW_CLASS_IMPL(TProgressBar, TWinControl, CreateComponentOf<TProgressBar>, SetupProgressBar)

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption;
  SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& p) {
  EnsureCommonControls();
  TWinControl::CreateParams(p);
  p.SysClassName = PROGRESS_CLASSW;
  if (FOrientation == pbVertical) p.Style |= PBS_VERTICAL;
  if (FSmooth) p.Style |= PBS_SMOOTH;
}

void TProgressBar::HandleCreated() {
  UpdateWindow();
}

void TProgressBar::DestroyWnd() {
  FPosition = Position();
  TWinControl::DestroyWnd();
}

void TProgressBar::UpdateWindow() {
  if (!HandleAllocated()) return;
  SendMessageW(WindowHandle(), PBM_SETRANGE32, FMin, FMax);
  SendMessageW(WindowHandle(), PBM_SETSTEP, FStep, 0);
  SendMessageW(WindowHandle(), PBM_SETPOS, FPosition, 0);
}

int TProgressBar::Position() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(WindowHandle(), PBM_GETPOS, 0, 0))
                           : FPosition;
}

void TProgressBar::SetPosition(int v) {
  FPosition = v < FMin ? FMin : v > FMax ? FMax : v;
  if (HandleAllocated()) SendMessageW(WindowHandle(), PBM_SETPOS, FPosition, 0);
}

void TProgressBar::SetMin(int v) {
  FMin = v;
  UpdateWindow();
}

void TProgressBar::SetMax(int v) {
  FMax = v;
  UpdateWindow();
}

void TProgressBar::SetStep(int v) {
  FStep = v;
  UpdateWindow();
}

void TProgressBar::StepIt() {
  StepBy(FStep);
}

void TProgressBar::StepBy(int delta) {
  SetPosition(Position() + delta);
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TProgressBar::SetSmooth(bool v) {
  if (v == FSmooth) return;
  FSmooth = v;
  RecreateWnd();
}
