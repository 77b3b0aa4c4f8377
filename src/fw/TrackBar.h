#pragma once
// The track bar over the common control's msctls_trackbar32 class.

#include "fw/Controls.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
extern const TEnumInfo TrackBarOrientationInfo;
enum TTickStyle { tsNone, tsAuto, tsManual };
extern const TEnumInfo TickStyleInfo;
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
extern const TEnumInfo TickMarkInfo;

class TTrackBar : public TWinControl {
  FW_DECLARE_CLASS(TTrackBar)
public:
  explicit TTrackBar(TComponent* owner);
  int Min() const { return FMin; }
  void SetMin(int v);
  int Max() const { return FMax; }
  void SetMax(int v);
  int Position() const;
  void SetPosition(int v);
  int Frequency() const { return FFrequency; }
  void SetFrequency(int v);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int v);
  int LineSize() const { return FLineSize; }
  void SetLineSize(int v);
  TTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation v);
  TTickStyle TickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle v);
  TTickMark TickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark v);
  TNotifyEvent OnChange;
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void DestroyWnd() override;

private:
  void UpdateWindow();
  int FMin = 0, FMax = 10, FPosition = 0, FFrequency = 1, FPageSize = 2, FLineSize = 1;
  TTrackBarOrientation FOrientation = trHorizontal;
  TTickStyle FTickStyle = tsAuto;
  TTickMark FTickMarks = tmBottomRight;
};
