#include "fw/Edit.h"
#include "fw/StdProps.h"

using namespace stdprops;

static void SetupCustomEdit(TClassInfo& c) {
  c.Props.push_back(TextProp<TCustomEdit>());
  c.Props.push_back(IntProp<TCustomEdit>(
      "MaxLength", [](TCustomEdit* o) { return o->MaxLength(); },
      [](TCustomEdit* o, std::int64_t v) { o->SetMaxLength(static_cast<int>(v)); }, 0));
  c.Props.push_back(BoolProp<TCustomEdit>(
      "ReadOnly", [](TCustomEdit* o) { return o->ReadOnly(); },
      [](TCustomEdit* o, bool v) { o->SetReadOnly(v); }, false));
  c.Props.push_back(EventProp("OnChange", &TCustomEdit::OnChange));
}
FW_CLASS_IMPL(TCustomEdit, TWinControl, nullptr, SetupCustomEdit)
FW_CLASS_IMPL(TEdit, TCustomEdit, CreateComponentOf<TEdit>, NoSetup)

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csClickEvents | csSetCaption;
  SetBounds(0, 0, 121, 24);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"EDIT";
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (FReadOnly) p.Style |= ES_READONLY;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::HandleCreated() {
  if (FMaxLength > 0) SendMessageW(WindowHandle(), EM_LIMITTEXT, FMaxLength, 0);
}

void TCustomEdit::SetMaxLength(int v) {
  FMaxLength = v;
  if (HandleAllocated()) SendMessageW(WindowHandle(), EM_LIMITTEXT, v, 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  FReadOnly = v;
  if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETREADONLY, v, 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND && HIWORD(msg.WParam) == EN_CHANGE) {
    Change();
    return;
  }
  TWinControl::WndProc(msg);
}
