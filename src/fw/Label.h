#pragma once
// The label: a windowless text. With AutoSize it takes the size of its text.

#include "fw/Controls.h"

class TCustomLabel : public TGraphicControl {
  FW_DECLARE_CLASS(TCustomLabel)
public:
  explicit TCustomLabel(TComponent* owner);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  void Loaded() override;

protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  UINT TextFormat() const;
  void AdjustBounds();

private:
  bool FAutoSize = true;
  bool FTransparent = false;
  TAlignment FAlignment = taLeftJustify;
  bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
  FW_DECLARE_CLASS(TLabel)
public:
  using TCustomLabel::TCustomLabel;
};
