#include "fw/RadioButton.h"

static void SetupRadioButton(TClassInfo& c) {
  using T = TRadioButton;
  c.Props.push_back(BoolProp<T>(
      "Checked", [](T* o) { return o->Checked(); }, [](T* o, bool v) { o->SetChecked(v); }, false));
  c.Props.push_back(EnumProp<T>(
      "Alignment", LeftRightInfo, [](T* o) { return static_cast<int>(o->Alignment()); },
      [](T* o, int v) { o->SetAlignment(static_cast<TAlignment>(v)); }, taRightJustify));
}
FW_CLASS_IMPL(TRadioButton, TWinControl, CreateComponentOf<TRadioButton>, SetupRadioButton)

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption;
  SetBounds(0, 0, 113, 17);
  SetParentColor(true);
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"BUTTON";
  p.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TRadioButton::HandleCreated() {
  SendMessageW(WindowHandle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::DestroyWnd() {
  FChecked = Checked();
  TWinControl::DestroyWnd();
}

bool TRadioButton::Checked() const {
  if (!HandleAllocated()) return FChecked;
  return SendMessageW(WindowHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool v) {
  if (v == Checked()) return;
  FChecked = v;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!v) return;
  if (Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* other = As<TRadioButton>(Parent()->Controls(i)); other && other != this)
        other->SetChecked(false);
  if (!HasState(csLoading)) Click();
}

void TRadioButton::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  RecreateWnd();
}

void TRadioButton::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    if (HIWORD(msg.WParam) == BN_CLICKED) SetChecked(true);
    return;
  }
  TWinControl::WndProc(msg);
}
