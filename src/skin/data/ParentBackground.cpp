#include "skin/data/ParentBackground.h"

#include "fw/GdiHandles.h"

#include <algorithm>
#include <vector>

namespace {

// Controls whose parent is painting beneath them right now. A parent that
// paints through one of them again (a child that draws its own parent's
// background inside its parent's painting) stops there instead of
// recursing without end.
thread_local std::vector<const TControl*> tPainting;

class TPaintingGuard {
public:
  explicit TPaintingGuard(const TControl* c) : FControl(c) { tPainting.push_back(c); }
  ~TPaintingGuard() { tPainting.erase(std::find(tPainting.begin(), tPainting.end(), FControl)); }
  TPaintingGuard(const TPaintingGuard&) = delete;
  TPaintingGuard& operator=(const TPaintingGuard&) = delete;
  static bool Active(const TControl* c) {
    return std::find(tPainting.begin(), tPainting.end(), c) != tPainting.end();
  }

private:
  const TControl* FControl;
};

} // namespace

void PaintParentBackground(TControl* control, HDC dc) {
  TWinControl* parent = control ? control->Parent() : nullptr;
  if (!parent || !dc || TPaintingGuard::Active(control)) return;
  TPaintingGuard guard(control);
  TSavedDC saved(dc);
  OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
  IntersectClipRect(dc, control->Left(), control->Top(), control->Left() + control->Width(),
                    control->Top() + control->Height());
  const bool designing = control->HasState(csDesigning);
  try {
    parent->PaintBelow(dc, control);
  } catch (const std::exception&) {
    // In the designer a half-made parent may fail to paint; that is harmless.
    if (!designing) throw;
  }
}
