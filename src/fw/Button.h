#pragma once
// The push button over the system's BUTTON class.

#include "fw/Controls.h"

class TButton : public TWinControl {
  FW_DECLARE_CLASS(TButton)
public:
  explicit TButton(TComponent* owner);
  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;

private:
  bool FDefault = false;
  bool FCancel = false;
};
