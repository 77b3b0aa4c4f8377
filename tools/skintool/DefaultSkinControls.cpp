// Push buttons, check boxes, radio buttons, progress bar, tabs, the combo
// box pieces and the status-bar edges.
#include "skintool/DefaultSkinParts.h"

namespace {

struct TButtonStyle {
  TColor Line, InnerTopLeft, InnerBottomRight, Top, Bottom;
};

void DrawPushFrame(Bitmap& b, const TRect& r, const TButtonStyle& s) {
  VGradient(b, Inflate(r, -2), s.Top, s.Bottom);
  Bevel(b, Inflate(r, -1), s.InnerTopLeft, s.InnerBottomRight);
  Outline(b, r, s.Line);
  RoundCorners(b, r, 2);
}

constexpr std::string_view kCheckMark[] = {"......#", ".....##", "#...###", "##.###.",
                                           "#####..", ".###...", "..#...."};
constexpr std::string_view kMixedMark[] = {"#####", "#####", "#####", "#####", "#####"};
constexpr std::string_view kRadioDot[] = {".##.", "####", "####", ".##."};

// Inside colours of fields by look: hot is tinted, pressed and disabled
// show the face.
TColor FieldInside(TLook look) {
  switch (look) {
  case lkHot: return MakeColor(230, 236, 245);
  case lkPressed:
  case lkDisabled: return kFace;
  default: return kField;
  }
}

constexpr TLook kFieldLooks[] = {lkNormal, lkHot, lkPressed, lkDisabled};

// The radio circle, 12 x 12: an outer ring 'O' and an inner ring 'I',
// shadowed above the anti-diagonal and lit below it, around the inside.
constexpr std::string_view kRadioRings[] = {
    "    OOOO    ", "  OOIIIIOO  ", " OII....IIO ", " OI......IO ", "OI........IO", "OI........IO",
    "OI........IO", "OI........IO", " OI......IO ", " OII....IIO ", "  OOIIIIOO  ", "    OOOO    "};

void DrawRadio(Bitmap& b, const TRect& r, TColor inside) {
  for (int y = 0; y < PatternHeight(kRadioRings); ++y)
    for (int x = 0; x < PatternWidth(kRadioRings); ++x) {
      const bool upperLeft = x + y < 11;
      TColor c = clMagenta;
      switch (kRadioRings[y][x]) {
      case 'O': c = upperLeft ? kShadow : kHilite; break;
      case 'I': c = upperLeft ? kDkShadow : kLight; break;
      case '.': c = inside; break;
      }
      b.Set(r.Left + x, r.Top + y, c);
    }
}

} // namespace

// Frames: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 default or focused.
Bitmap PushButton() {
  TStrip strip(16, 21, 5);
  const TButtonStyle styles[] = {
      {MakeColor(112, 112, 112), kHilite, MakeColor(184, 184, 184), MakeColor(246, 246, 246),
       MakeColor(214, 214, 214)},
      {MakeColor(92, 92, 92), MakeColor(164, 164, 164), MakeColor(208, 208, 208),
       MakeColor(200, 200, 200), MakeColor(218, 218, 218)},
      {MakeColor(166, 166, 166), MakeColor(232, 232, 232), MakeColor(208, 208, 208),
       MakeColor(220, 220, 220), MakeColor(220, 220, 220)},
      {kSelect, kHilite, MakeColor(192, 200, 212), MakeColor(251, 251, 251),
       MakeColor(224, 224, 224)},
      {kSelectDark, kSelectLight, kSelectLight, MakeColor(246, 246, 246), MakeColor(214, 214, 214)},
  };
  for (int f = 1; f <= 5; ++f)
    DrawPushFrame(strip.Image(), strip.Frame(f), styles[f - 1]);
  return strip.Take();
}

// Twelve frames of 13 x 13: unchecked, checked and mixed, each normal, hot,
// pressed and disabled.
Bitmap CheckBoxes() {
  TStrip strip(13, 13, 12);
  for (int mark = 0; mark < 3; ++mark)
    for (int k = 0; k < 4; ++k) {
      const TRect r = strip.Frame(mark * 4 + k + 1);
      const TLook look = kFieldLooks[k];
      DrawSunkenFrame(strip.Image(), r, FieldInside(look));
      const TColor ink = look == lkDisabled ? kShadow : kInk;
      if (mark == 1) Glyph(strip.Image(), r.Left + 3, r.Top + 3, kCheckMark, ink);
      if (mark == 2)
        Glyph(strip.Image(), r.Left + 4, r.Top + 4, kMixedMark,
              look == lkDisabled ? kShadow : MakeColor(80, 80, 80));
    }
  return strip.Take();
}

// Eight frames of 12 x 12: unchecked, then checked, each normal, hot,
// pressed and disabled.
Bitmap RadioButtons() {
  TStrip strip(12, 12, 8);
  for (int mark = 0; mark < 2; ++mark)
    for (int k = 0; k < 4; ++k) {
      const TRect r = strip.Frame(mark * 4 + k + 1);
      const TLook look = kFieldLooks[k];
      DrawRadio(strip.Image(), r, FieldInside(look));
      if (mark == 1)
        Glyph(strip.Image(), r.Left + 4, r.Top + 4, kRadioDot, look == lkDisabled ? kShadow : kInk);
    }
  return strip.Take();
}

// Frame 1 the trough, frame 2 the bar that covers it up to the position,
// drawn inside the trough's edge.
Bitmap ProgressBar() {
  TStrip strip(16, 16, 2);
  const TRect trough = strip.Frame(1);
  strip.Image().FillRect(trough, MakeColor(240, 240, 240));
  Bevel(strip.Image(), trough, kShadow, kHilite);
  const TRect bar = Inflate(strip.Frame(2), -2);
  VGradient(strip.Image(), Inflate(bar, -1), MakeColor(128, 150, 182), kSelect);
  HLine(strip.Image(), bar.Left + 1, bar.Right - 1, bar.Top + 1, MakeColor(156, 174, 200));
  Outline(strip.Image(), bar, kSelectDark);
  return strip.Take();
}

// Frames: 1 normal tab, 2 selected, 3 disabled, 4 hot, 5 selected again.
// Rounded top corners; the bottom is open towards the page.
Bitmap Tabs() {
  TStrip strip(20, 20, 5);
  struct TTabStyle {
    TColor Top, Bottom, Light;
  };
  const TTabStyle styles[] = {
      {MakeColor(226, 226, 226), MakeColor(204, 204, 204), kHilite},
      {MakeColor(248, 248, 248), kFace, kHilite},
      {MakeColor(216, 216, 216), MakeColor(216, 216, 216), kLight},
      {MakeColor(238, 238, 238), MakeColor(214, 214, 214), kHilite},
      {MakeColor(248, 248, 248), kFace, kHilite},
  };
  for (int f = 1; f <= 5; ++f) {
    Bitmap& b = strip.Image();
    const TRect r = strip.Frame(f);
    const TTabStyle& s = styles[f - 1];
    VGradient(b, {r.Left + 1, r.Top + 1, r.Right - 2, r.Bottom}, s.Top, s.Bottom);
    HLine(b, r.Left + 2, r.Right - 2, r.Top, s.Light);
    b.Set(r.Left + 1, r.Top + 1, s.Light);
    VLine(b, r.Left, r.Top + 2, r.Bottom, s.Light);
    b.Set(r.Right - 2, r.Top + 1, kDkShadow);
    VLine(b, r.Right - 2, r.Top + 2, r.Bottom, kShadow);
    VLine(b, r.Right - 1, r.Top + 2, r.Bottom, kDkShadow);
    if (f == 2 || f == 5) HLine(b, r.Left + 2, r.Right - 2, r.Top + 1, kSelectLight);
    RoundCorners(b, r, 2, true, false);
    b.Set(r.Left + 1, r.Top, clMagenta);
    b.Set(r.Left, r.Top + 1, clMagenta);
    b.Set(r.Right - 2, r.Top, clMagenta);
    b.Set(r.Right - 1, r.Top + 1, clMagenta);
  }
  return strip.Take();
}

// The drop-down button inside the combo box's sunken edge: 18 x 21 frames
// (normal, pressed, disabled, hot) of which the right two columns and the
// top and bottom two rows are left to the edge; the first column is the
// face, since the combo's text area is filled up to it.
Bitmap ComboButton() {
  TStrip strip(18, 21, 4);
  const TLook looks[] = {lkNormal, lkPressed, lkDisabled, lkHot};
  for (int f = 1; f <= 4; ++f) {
    const TRect r = strip.Frame(f);
    strip.Image().FillRect({r.Left, r.Top + 2, r.Left + 1, r.Bottom - 2}, kFace);
    DrawSmallButton(strip.Image(), {r.Left + 1, r.Top + 2, r.Right - 2, r.Bottom - 2},
                    looks[f - 1]);
  }
  return strip.Take();
}

// Frames: normal, pressed, disabled, hot or focused (the slate ring).
Bitmap SunkenEdge() {
  TStrip strip(8, 8, 4);
  Bitmap& b = strip.Image();
  DrawSunkenFrame(b, strip.Frame(1), kField);
  const TRect disabled = strip.Frame(3);
  b.FillRect(disabled, kFace);
  Bevel(b, disabled, kShadow, kHilite);
  for (const int f : {2, 4}) {
    const TRect r = strip.Frame(f);
    b.FillRect(r, kField);
    Outline(b, r, kSelect);
  }
  return strip.Take();
}

// Frames 1 to 4: the combo arrow for normal, pressed, disabled and hot;
// frame 5: the size grip of status bars.
Bitmap ExtraImages() {
  TStrip strip(12, 12, 5);
  const TLook looks[] = {lkNormal, lkPressed, lkDisabled, lkHot};
  for (int f = 1; f <= 4; ++f)
    DrawCentredGlyph(strip.Image(), strip.Frame(f), kArrowDown, looks[f - 1]);
  // Diagonal ridges towards the corner: light, shadow, shadow, gap.
  const TRect grip = strip.Frame(5);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const int t = x + y - 11;
      if (t < 1) continue;
      const int phase = (t - 1) % 4;
      if (phase < 3) strip.Image().Set(grip.Left + x, y, phase == 0 ? kHilite : kShadow);
    }
  return strip.Take();
}

// Frames: lowered, raised, no edge; the inside is left clear.
Bitmap StatusBarEdges() {
  TStrip strip(8, 8, 3);
  Bevel(strip.Image(), strip.Frame(1), kShadow, kHilite);
  Bevel(strip.Image(), strip.Frame(2), kHilite, kShadow);
  return strip.Take();
}
