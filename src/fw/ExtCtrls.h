#pragma once
// The framework's further components: panels and timers, with the standard
// controls they build on.

#include "fw/Panel.h"
#include "fw/StdCtrls.h"
#include "fw/Timer.h"

void RegisterExtControls();
