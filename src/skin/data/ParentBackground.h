#pragma once
// Lets a control's parent paint the control's background, for controls
// drawn transparently over their parent.

#include "fw/Controls.h"

// Asks the parent to paint, into dc, what lies beneath the control: its
// background, its own drawing and the windowless controls below this one
// (never the control itself). dc's origin is the control's top-left corner.
// Nothing when the control has no parent or no window to paint from.
void PaintParentBackground(TControl* control, HDC dc);
