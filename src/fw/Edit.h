#pragma once
// The one-line edit over the system's EDIT class.

#include "fw/Controls.h"

class TCustomEdit : public TWinControl {
  FW_DECLARE_CLASS(TCustomEdit)
public:
  explicit TCustomEdit(TComponent* owner);
  TNotifyEvent OnChange;
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  virtual void Change();

private:
  int FMaxLength = 0;
  bool FReadOnly = false;
};

class TEdit : public TCustomEdit {
  FW_DECLARE_CLASS(TEdit)
public:
  using TCustomEdit::TCustomEdit;
};
