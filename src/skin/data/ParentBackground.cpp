#include "skin/data/ParentBackground.h"

#include "fw/GdiHandles.h"

void PaintParentBackground(TControl* control, HDC dc) {
  TWinControl* parent = control ? control->Parent() : nullptr;
  if (!parent || !dc) return;
  TSavedDC saved(dc);
  OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
  IntersectClipRect(dc, control->Left(), control->Top(), control->Left() + control->Width(),
                    control->Top() + control->Height());
  const bool designing = control->HasState(csDesigning);
  try {
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  } catch (const std::exception&) {
    // In the designer a half-made parent may fail to paint; that is harmless.
    if (!designing) throw;
  }
}
