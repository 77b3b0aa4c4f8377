#pragma once
// Track bars, up-down arrows and progress bars drawn from the skin. The
// track bar keeps the system's drawing and replaces only its channel and
// thumb through custom draw; the up-down and the progress bar are composed
// whole off-screen.

#include "skin/controls/SkinControl.h"

class TSkinTrackBar : public TSkinControl {
  FW_DECLARE_CLASS(TSkinTrackBar)
public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(TMessage& msg) override;
  void SkinChanged() override;
  // The answer to one custom-draw notification.
  LRESULT CustomDraw(NMCUSTOMDRAW& cd);

private:
  void DrawChannel(HDC dc);
  void DrawThumb(HDC dc);
};

class TSkinUpDown : public TSkinControl {
  FW_DECLARE_CLASS(TSkinUpDown)
public:
  using TSkinControl::TSkinControl;
  bool Embedded = false;   // inside an edit
  bool Horizontal = false; // left and right arrows whatever the style
  bool BeforeMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  // The frame (1 to 8) of the button element for one half of the control:
  // kind 0 up, 1 down, 2 left, 3 right; state 1 normal, 2 pressed, 3
  // disabled, 4 hot.
  static int FrameOf(int kind, int state);
};

class TSkinProgress : public TSkinControl {
  FW_DECLARE_CLASS(TSkinProgress)
public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
};
