#pragma once
// The media player's button row: nine buttons (play, pause, stop, next,
// previous, step, back, record, eject), each visible, enabled and coloured
// by its own set. It has no media back end: a click only raises OnClick.

#include "fw/Controls.h"

enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
extern const TEnumInfo MPBtnTypeInfo;
using TButtonSet = unsigned; // bit n = TMPBtnType n
constexpr TButtonSet kAllMPButtons = 0x1FF;

using TMPBtnClickEvent = TEvent<TObject*, TMPBtnType, bool&>;

class TMediaPlayer : public TCustomControl {
  FW_DECLARE_CLASS(TMediaPlayer)
public:
  explicit TMediaPlayer(TComponent* owner);
  TButtonSet VisibleButtons() const { return FVisible; }
  void SetVisibleButtons(TButtonSet v);
  TButtonSet EnabledButtons() const { return FEnabled; }
  void SetEnabledButtons(TButtonSet v);
  TButtonSet ColoredButtons() const { return FColored; }
  void SetColoredButtons(TButtonSet v);
  TMPBtnClickEvent OnClick;
  // The button at a client point, or -1.
  int ButtonAt(int x, int y) const;
  RECT ButtonRect(TMPBtnType b) const;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  int VisibleCount() const;
  TButtonSet FVisible = kAllMPButtons;
  TButtonSet FEnabled = kAllMPButtons;
  TButtonSet FColored = kAllMPButtons;
  int FPressed = -1;
};
