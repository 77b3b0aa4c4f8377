#pragma once
// The scroll bar of a combo box's drop-down list. The list is a pop-up
// window that cannot carry an overlay, so its vertical bar is painted
// straight into its non-client area; its thumb is dragged by a loop of the
// painter's own.

#include "skin/controls/SkinControl.h"

class TComboxScrollBar : public TSkinControl {
  FW_DECLARE_CLASS(TComboxScrollBar)
public:
  explicit TComboxScrollBar(TComponent* owner);
  int ArrowSize = 0;
  int ThumbStart = 0, ThumbEnd = 0;
  bool BeforeMessage(TMessage& msg) override;
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;

  // Where a thumb moved by offset (from the track start) puts the list:
  // the position arithmetic of the drag.
  static int DragPosition(int offset, int trackLength, int thumbLength, const SCROLLINFO& si);

private:
  // True when the press was on the thumb and the drag ran.
  bool DragThumb(const TMessage& msg);
};
