#pragma once
// The check box over the system's BUTTON class, with an unchecked, a
// checked and (when AllowGrayed) a grayed state; a click steps through them.

#include "fw/Controls.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
extern const TEnumInfo CheckBoxStateInfo;
extern const TEnumInfo LeftRightInfo; // taLeftJustify, taRightJustify

class TCustomCheckBox : public TWinControl {
  FW_DECLARE_CLASS(TCustomCheckBox)
public:
  explicit TCustomCheckBox(TComponent* owner);
  TCheckBoxState State() const;
  void SetState(TCheckBoxState v);
  bool Checked() const { return State() == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool v) { FAllowGrayed = v; }
  // taRightJustify (the default) puts the caption right of the box.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void DestroyWnd() override;
  virtual void Toggle();

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  FW_DECLARE_CLASS(TCheckBox)
public:
  using TCustomCheckBox::TCustomCheckBox;
};
