#pragma once
// Pages and plain containers: the bare container windows of system dialogs
// and tool-bar windows, painted in the skin's face colour.

#include "skin/controls/SkinControl.h"

class TSkinBoxH : public TSkinControl {
  FW_DECLARE_CLASS(TSkinBoxH)
public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(TMessage& msg) override;
};
