#pragma once
// Container-like controls: group boxes (also radio and check groups and the
// bare group boxes of system dialogs) drawn from the skin's colours, and
// panels, tool bars and embedded forms, which only take the skin's face
// colour.

#include "skin/controls/SkinControl.h"

class TSkinGroupBox : public TSkinControl {
  FW_DECLARE_CLASS(TSkinGroupBox)
public:
  using TSkinControl::TSkinControl;
  void Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) override;
  bool BeforeMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
};

// Recolours its control while skinned and draws nothing itself: it joins
// no message handling.
class TSkinBox : public TSkinControl {
  FW_DECLARE_CLASS(TSkinBox)
public:
  using TSkinControl::TSkinControl;
  void Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) override;
  void Detach() override;
  void AfterMessage(TMessage&) override {}
};
