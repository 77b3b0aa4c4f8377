#pragma once
// The small popup window that shows a hint next to the mouse.

#include "fw/Controls.h"

class THintWindow : public TCustomControl {
  FW_DECLARE_CLASS(THintWindow)
public:
  explicit THintWindow(TComponent* owner);
  // The rectangle, at (0, 0), that holds text wrapped at maxWidth.
  RECT CalcHintRect(int maxWidth, const std::wstring& text);
  // Shows text in rect (screen coordinates) above all windows, without
  // taking the focus.
  void ActivateHint(const RECT& rect, const std::wstring& text);
  void ReleaseHint();
  bool Showing() const override;

protected:
  void CreateParams(TCreateParams& p) override;
  void Paint() override;
};
