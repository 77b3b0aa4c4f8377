#pragma once
// The group box: an etched frame with its caption, drawn by the framework.

#include "fw/Controls.h"

class TCustomGroupBox : public TCustomControl {
  FW_DECLARE_CLASS(TCustomGroupBox)
public:
  explicit TCustomGroupBox(TComponent* owner);

protected:
  void CreateParams(TCreateParams& p) override;
  void AdjustClientRect(RECT& r) const override;
  void Paint() override;
  void TextChanged() override { Invalidate(); }
};

class TGroupBox : public TCustomGroupBox {
  FW_DECLARE_CLASS(TGroupBox)
public:
  using TCustomGroupBox::TCustomGroupBox;
};
