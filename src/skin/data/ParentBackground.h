#pragma once
// Lets a control's parent paint the control's background, for controls
// drawn transparently over their parent.

#include "fw/Controls.h"

// Asks the parent to erase and paint, into dc, the part of itself that the
// control covers; dc's origin is the control's top-left corner. Nothing
// when the control has no parent.
void PaintParentBackground(TControl* control, HDC dc);
