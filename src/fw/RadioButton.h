#pragma once
// The radio button over the system's BUTTON class: checking one unchecks
// the radio buttons beside it (the same parent).

#include "fw/CheckBox.h"

class TRadioButton : public TWinControl {
  FW_DECLARE_CLASS(TRadioButton)
public:
  explicit TRadioButton(TComponent* owner);
  bool Checked() const;
  void SetChecked(bool v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void DestroyWnd() override;

private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};
