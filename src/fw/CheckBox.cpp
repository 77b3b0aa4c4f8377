#include "fw/CheckBox.h"

const TEnumInfo CheckBoxStateInfo{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};
const TEnumInfo LeftRightInfo{"TLeftRight", {"taLeftJustify", "taRightJustify"}};

static void SetupCustomCheckBox(TClassInfo& c) {
  using T = TCustomCheckBox;
  c.Props.push_back(EnumProp<T>(
      "State", CheckBoxStateInfo, [](T* o) { return static_cast<int>(o->State()); },
      [](T* o, int v) { o->SetState(static_cast<TCheckBoxState>(v)); }, cbUnchecked));
  auto checked = BoolProp<T>(
      "Checked", [](T* o) { return o->Checked(); }, [](T* o, bool v) { o->SetChecked(v); }, false);
  checked.Stored = [](TObject*) { return false; }; // State carries it
  c.Props.push_back(checked);
  c.Props.push_back(BoolProp<T>(
      "AllowGrayed", [](T* o) { return o->AllowGrayed(); },
      [](T* o, bool v) { o->SetAllowGrayed(v); }, false));
  c.Props.push_back(EnumProp<T>(
      "Alignment", LeftRightInfo, [](T* o) { return static_cast<int>(o->Alignment()); },
      [](T* o, int v) { o->SetAlignment(static_cast<TAlignment>(v)); }, taRightJustify));
}
FW_CLASS_IMPL(TCustomCheckBox, TWinControl, nullptr, SetupCustomCheckBox)
FW_CLASS_IMPL(TCheckBox, TCustomCheckBox, CreateComponentOf<TCheckBox>, NoSetup)

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption; // clicks come from the button's notification
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
  SetParentColor(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"BUTTON";
  p.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::HandleCreated() {
  SendMessageW(WindowHandle(), BM_SETCHECK, FState, 0);
}

void TCustomCheckBox::DestroyWnd() {
  FState = State();
  TWinControl::DestroyWnd();
}

TCheckBoxState TCustomCheckBox::State() const {
  if (!HandleAllocated()) return FState;
  return static_cast<TCheckBoxState>(SendMessageW(WindowHandle(), BM_GETCHECK, 0, 0));
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (v == State()) return;
  FState = v;
  if (HandleAllocated()) SendMessageW(WindowHandle(), BM_SETCHECK, v, 0);
  if (!HasState(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (State()) {
  case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
  case cbChecked: SetState(cbUnchecked); break;
  case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    if (HIWORD(msg.WParam) == BN_CLICKED) Toggle();
    return;
  }
  TWinControl::WndProc(msg);
}
