#pragma once
// The framework's further components: panels, timers, check and radio
// buttons, radio groups, bit and speed buttons, the media player and tool
// bars, with the standard controls they build on.

#include "fw/BitBtn.h"
#include "fw/CheckBox.h"
#include "fw/DateTimePicker.h"
#include "fw/MediaPlayer.h"
#include "fw/Memo.h"
#include "fw/Panel.h"
#include "fw/ProgressBar.h"
#include "fw/RadioButton.h"
#include "fw/RadioGroup.h"
#include "fw/ScrollBar.h"
#include "fw/ScrollBox.h"
#include "fw/SpeedButton.h"
#include "fw/StdCtrls.h"
#include "fw/Timer.h"
#include "fw/ToolBar.h"
#include "fw/TrackBar.h"
#include "fw/UpDown.h"

void RegisterExtControls();
