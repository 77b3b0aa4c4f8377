#include "fw/UpDown.h"

#include "fw/CommonControls.h"

#include <commctrl.h>

const TEnumInfo UDOrientationInfo{"TUDOrientation", {"udHorizontal", "udVertical"}};
const TEnumInfo UDAlignButtonInfo{"TUDAlignButton", {"udLeft", "udRight"}};

static void SetupUpDown(TClassInfo& c) {
  using T = TUpDown;
  auto integer = [&c](const char* name, int (T::*get)() const, void (T::*set)(int), int def) {
    c.Props.push_back(IntProp<T>(
        name, [get](T* o) { return (o->*get)(); },
        [set](T* o, std::int64_t v) { (o->*set)(static_cast<int>(v)); }, def));
  };
  integer("Min", &T::Min, &T::SetMin, 0);
  integer("Max", &T::Max, &T::SetMax, 100);
  integer("Position", &T::Position, &T::SetPosition, 0);
  integer("Increment", &T::Increment, &T::SetIncrement, 1);
  c.Props.push_back(BoolProp<T>(
      "Wrap", [](T* o) { return o->Wrap(); }, [](T* o, bool v) { o->SetWrap(v); }, false));
  c.Props.push_back(EnumProp<T>(
      "Orientation", UDOrientationInfo, [](T* o) { return static_cast<int>(o->Orientation()); },
      [](T* o, int v) { o->SetOrientation(static_cast<TUDOrientation>(v)); }, udVertical));
  c.Props.push_back(EnumProp<T>(
      "AlignButton", UDAlignButtonInfo, [](T* o) { return static_cast<int>(o->AlignButton()); },
      [](T* o, int v) { o->SetAlignButton(static_cast<TUDAlignButton>(v)); }, udRight));
  c.Props.push_back(ObjectProp<T, TWinControl>(
      "Associate", [](T* o) { return o->Associate(); },
      [](T* o, TWinControl* v) { o->SetAssociate(v); }));
  c.Props.push_back(EventProp("OnClick", &T::OnClick));
}
FW_CLASS_IMPL(TUpDown, TWinControl, CreateComponentOf<TUpDown>, SetupUpDown)

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption;
  SetBounds(0, 0, 17, 25);
}

void TUpDown::CreateParams(TCreateParams& p) {
  EnsureCommonControls();
  TWinControl::CreateParams(p);
  p.SysClassName = UPDOWN_CLASSW;
  p.Style |= UDS_SETBUDDYINT | UDS_ARROWKEYS;
  if (FOrientation == udHorizontal) p.Style |= UDS_HORZ;
  if (FWrap) p.Style |= UDS_WRAP;
  if (FAssociate) p.Style |= FAlignButton == udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
}

void TUpDown::HandleCreated() {
  UpdateWindow();
}

void TUpDown::DestroyWnd() {
  FPosition = Position();
  TWinControl::DestroyWnd();
}

void TUpDown::UpdateWindow() {
  if (!HandleAllocated()) return;
  HWND w = WindowHandle();
  SendMessageW(w, UDM_SETRANGE32, FMin, FMax);
  UDACCEL accel{0, static_cast<UINT>(FIncrement)};
  SendMessageW(w, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  // The buddy may come later in its parent than the up-down: its window is
  // made now rather than left without the up-down.
  if (FAssociate && FAssociate->Parent())
    SendMessageW(w, UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->Handle()), 0);
  SendMessageW(w, UDM_SETPOS32, 0, FPosition);
}

int TUpDown::Position() const {
  if (!HandleAllocated()) return FPosition;
  BOOL error = FALSE;
  const int p = static_cast<int>(
      SendMessageW(WindowHandle(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)));
  return error ? FPosition : p;
}

void TUpDown::SetPosition(int v) {
  FPosition = v;
  if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETPOS32, 0, v);
}

void TUpDown::SetMin(int v) {
  FMin = v;
  UpdateWindow();
}

void TUpDown::SetMax(int v) {
  FMax = v;
  UpdateWindow();
}

void TUpDown::SetIncrement(int v) {
  FIncrement = v;
  UpdateWindow();
}

void TUpDown::SetWrap(bool v) {
  if (v == FWrap) return;
  FWrap = v;
  RecreateWnd();
}

void TUpDown::SetOrientation(TUDOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  RecreateWnd();
}

void TUpDown::SetAlignButton(TUDAlignButton v) {
  if (v == FAlignButton) return;
  FAlignButton = v;
  RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* v) {
  if (v == FAssociate) return;
  if (FAssociate) FAssociate->RemoveFreeNotification(this);
  FAssociate = v;
  if (v) v->FreeNotification(this);
  RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == FAssociate) FAssociate = nullptr;
}

void TUpDown::WndProc(TMessage& msg) {
  if (msg.Msg == CN_NOTIFY) {
    const auto* n = reinterpret_cast<const NMUPDOWN*>(msg.LParam);
    if (n->hdr.code == UDN_DELTAPOS && OnClick) OnClick(this, n->iDelta > 0 ? udNext : udPrev);
    msg.Result = 0;
    return;
  }
  if (msg.Msg == CN_VSCROLL || msg.Msg == CN_HSCROLL) {
    FPosition = Position();
    return;
  }
  TWinControl::WndProc(msg);
}
