#pragma once
// The progress bar over the common control's msctls_progress32 class.

#include "fw/Controls.h"

enum TProgressBarOrientation { pbHorizontal, pbVertical };
extern const TEnumInfo ProgressBarOrientationInfo;

class TProgressBar : public TWinControl {
  FW_DECLARE_CLASS(TProgressBar)
public:
  explicit TProgressBar(TComponent* owner);
  int Min() const { return FMin; }
  void SetMin(int v);
  int Max() const { return FMax; }
  void SetMax(int v);
  int Position() const;
  void SetPosition(int v);
  int Step() const { return FStep; }
  void SetStep(int v);
  void StepIt();
  void StepBy(int delta);
  TProgressBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TProgressBarOrientation v);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool v);

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void DestroyWnd() override;

private:
  void UpdateWindow();
  int FMin = 0, FMax = 100, FPosition = 0, FStep = 10;
  TProgressBarOrientation FOrientation = pbHorizontal;
  bool FSmooth = false;
};
