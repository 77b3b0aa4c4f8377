#include "fw/Button.h"

static void SetupButton(TClassInfo& c) {
  c.Props.push_back(BoolProp<TButton>(
      "Default", [](TButton* o) { return o->Default(); },
      [](TButton* o, bool v) { o->SetDefault(v); }, false));
  c.Props.push_back(BoolProp<TButton>(
      "Cancel", [](TButton* o) { return o->Cancel(); }, [](TButton* o, bool v) { o->SetCancel(v); },
      false));
}
FW_CLASS_IMPL(TButton, TWinControl, CreateComponentOf<TButton>, SetupButton)

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption; // clicks come from the button's own notification
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"BUTTON";
  p.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  if (!HandleAllocated()) return;
  // An owner-drawn button shows the default frame itself.
  if ((GetWindowLongPtrW(WindowHandle(), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW)
    InvalidateRect(WindowHandle(), nullptr, FALSE);
  else
    SendMessageW(WindowHandle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case CN_COMMAND:
    if (HIWORD(msg.WParam) == BN_CLICKED) Click();
    return;
  case CM_DIALOGKEY: {
    // Return presses the focused button, or the default one when no button
    // has the focus; Escape presses the cancel button.
    if (!Showing() || !Enabled()) return;
    HWND focus = GetFocus();
    auto* focused = As<TButton>(TWinControl::FromHandle(focus));
    bool press = (msg.WParam == VK_RETURN && (focused == this || (FDefault && !focused))) ||
                 (msg.WParam == VK_ESCAPE && FCancel);
    if (press) {
      Click();
      msg.Result = 1;
    }
    return;
  }
  default: TWinControl::WndProc(msg);
  }
}
