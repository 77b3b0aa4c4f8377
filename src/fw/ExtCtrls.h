#pragma once
// The framework's further components: panels, timers, check and radio
// buttons, radio groups, bit and speed buttons and the media player, with
// the standard controls they build on.

#include "fw/BitBtn.h"
#include "fw/CheckBox.h"
#include "fw/MediaPlayer.h"
#include "fw/Panel.h"
#include "fw/RadioButton.h"
#include "fw/RadioGroup.h"
#include "fw/SpeedButton.h"
#include "fw/StdCtrls.h"
#include "fw/Timer.h"

void RegisterExtControls();
