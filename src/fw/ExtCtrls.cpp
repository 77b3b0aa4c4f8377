#include "fw/ExtCtrls.h"

void RegisterExtControls() {
  TPanel::StaticClass();
  TTimer::StaticClass();
  TCheckBox::StaticClass();
  TRadioButton::StaticClass();
  TRadioGroup::StaticClass();
  TBitBtn::StaticClass();
  TSpeedButton::StaticClass();
  TMediaPlayer::StaticClass();
  TImageList::StaticClass();
  TMemo::StaticClass();
  TScrollBar::StaticClass();
  TScrollBox::StaticClass();
  TTrackBar::StaticClass();
  TUpDown::StaticClass();
  TProgressBar::StaticClass();
  TDateTimePicker::StaticClass();
  TToolBar::StaticClass();
  TToolButton::StaticClass();
}
