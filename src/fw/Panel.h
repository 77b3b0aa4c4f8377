#pragma once
// Panels: a container with raised or lowered bevels and a centred caption.

#include "fw/Controls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
extern const TEnumInfo BevelCutInfo;
extern const TEnumInfo BorderStyleInfo; // bsNone, bsSingle

class TCustomPanel : public TCustomControl {
  FW_DECLARE_CLASS(TCustomPanel)
public:
  explicit TCustomPanel(TComponent* owner);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int v);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);

protected:
  void CreateParams(TCreateParams& p) override;
  void AdjustClientRect(RECT& r) const override;
  void Paint() override;
  void TextChanged() override { Invalidate(); }

private:
  void BordersChanged();
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
  FW_DECLARE_CLASS(TPanel)
public:
  using TCustomPanel::TCustomPanel;
};
