// Menu bar, menu items and the raised pane that frames popup menus and tab
// pages.
#include "skintool/DefaultSkinParts.h"

namespace {

constexpr int kMenuBarHeight = 20;
constexpr int kItemWidth = 24, kItemHeight = 20;
constexpr int kSeparatorRow = 15; // counted from the top of a 20-row frame

} // namespace

// Two frames stacked, active above inactive: a face that is a shade lighter
// at the top and a soft line where the bar meets the window's client area.
Bitmap MenuBar() {
  TStrip strip(8, kMenuBarHeight, 2, true);
  for (int f = 1; f <= 2; ++f) {
    const TRect r = strip.Frame(f);
    const TColor top = f == 1 ? MakeColor(226, 226, 226) : MakeColor(220, 220, 220);
    VGradient(strip.Image(), {r.Left, r.Top, r.Right, r.Bottom - 1}, top, kFace);
    HLine(strip.Image(), r.Left, r.Right, r.Bottom - 1, MakeColor(190, 190, 190));
  }
  return strip.Take();
}

// Five frames: 1 normal (nothing drawn, the menu background shows), 2 the
// separator (its lower rows are used, so the etched line sits in the
// middle of the short separator item), 4 the selected item; 3 and 5 are
// not used and stay clear.
Bitmap MenuItem() {
  TStrip strip(kItemWidth, kItemHeight, 5);
  Bitmap& b = strip.Image();
  const TRect sep = strip.Frame(2);
  HLine(b, sep.Left + 3, sep.Right - 3, kSeparatorRow, kShadow);
  HLine(b, sep.Left + 3, sep.Right - 3, kSeparatorRow + 1, kHilite);
  const TRect sel = strip.Frame(4);
  VGradient(b, Inflate(sel, -1), MakeColor(108, 130, 162), kSelect);
  HLine(b, sel.Left + 1, sel.Right - 1, sel.Top + 1, MakeColor(132, 152, 182));
  Outline(b, sel, kSelectDark);
  RoundCorners(b, sel, 2);
  return strip.Take();
}

// One frame: the classic raised edge around a face-coloured inside.
Bitmap RaisedPane() {
  Bitmap b(16, 16);
  DrawRaisedFrame(b, RectOf(0, 0, 16, 16), kFace);
  return b;
}
