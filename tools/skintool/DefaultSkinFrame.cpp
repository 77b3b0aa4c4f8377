// The window frame: four border pieces (active and inactive frames), their
// masks, the plate behind the caption text and the title-bar buttons.
#include "skintool/DefaultSkinParts.h"

#include "core/ImgUtil.h"

#include <string_view>

namespace {

constexpr int kSideHeight = 12; // corner band, a stretched middle, bottom band
constexpr int kPieceLength = 8; // length of the top and bottom pieces
constexpr int kBottomCornerRows = 2;

// Colours of the letters in the corner patterns below.
TColor PatternColour(char ch, bool active) {
  switch (ch) {
  case 'O': return kFrameOutline[active ? 0 : 1];
  case 'W': return kHilite;
  case 'S': return kShadow;
  case 'F': return kFace;
  default: return clMagenta;
  }
}

void Paint(Bitmap& b, int x, int y, TPattern rows, bool active) {
  for (int row = 0; row < PatternHeight(rows); ++row)
    for (int col = 0; col < static_cast<int>(rows[row].size()); ++col)
      b.Set(x + col, y + row, PatternColour(rows[row][col], active));
}

// A side piece: the corner rows, the plain rows repeated, the bottom rows.
Bitmap Side(TPattern corner, std::string_view plain, TPattern bottom) {
  TStrip strip(kBorder, kSideHeight, 2);
  for (int f = 1; f <= 2; ++f) {
    const TRect r = strip.Frame(f);
    const bool active = f == 1;
    for (int y = 0; y < kSideHeight; ++y) {
      const std::string_view row[] = {plain};
      Paint(strip.Image(), r.Left, y, row, active);
    }
    Paint(strip.Image(), r.Left, 0, corner, active);
    Paint(strip.Image(), r.Left, kSideHeight - kBottomCornerRows, bottom, active);
  }
  return strip.Take();
}

// One column of the top piece: border rows, then the caption bar.
void CaptionColumn(Bitmap& b, const TRect& r, bool active) {
  const int i = active ? 0 : 1;
  const std::string_view border[] = {"O", "W", "F", "F"};
  for (int x = r.Left; x < r.Right; ++x)
    Paint(b, x, r.Top, border, active);
  const int top = r.Top + kCaptionBarTop, bottom = r.Top + kCaptionBarBottom;
  HLine(b, r.Left, r.Right, top, kCaptionTopLine[i]);
  VGradient(b, {r.Left, top + 1, r.Right, bottom - 1}, kCaptionTop[i], kCaptionBottom[i]);
  HLine(b, r.Left, r.Right, bottom - 1, kCaptionBottomLine[i]);
  b.FillRect({r.Left, bottom, r.Right, r.Top + kCaptionHeight}, kFace);
}

} // namespace

Bitmap FrameLeft() {
  const std::string_view corner[] = {"MMOO", "MOWW", "OWFF", "OWFF"};
  const std::string_view bottom[] = {"OSSS", "OOOO"};
  return Side(corner, "OWFF", bottom);
}

Bitmap FrameRight() {
  const std::string_view corner[] = {"OOMM", "WWOM", "FFSO", "FFSO"};
  const std::string_view bottom[] = {"SSSO", "OOOO"};
  return Side(corner, "FFSO", bottom);
}

Bitmap FrameTop() {
  TStrip strip(kPieceLength, kCaptionHeight, 2, true);
  for (int f = 1; f <= 2; ++f)
    CaptionColumn(strip.Image(), strip.Frame(f), f == 1);
  return strip.Take();
}

Bitmap FrameBottom() {
  TStrip strip(kPieceLength, kBorder, 2, true);
  const std::string_view rows[] = {"FFFFFFFF", "FFFFFFFF", "SSSSSSSS", "OOOOOOOO"};
  for (int f = 1; f <= 2; ++f)
    Paint(strip.Image(), 0, strip.Frame(f).Top, rows, f == 1);
  return strip.Take();
}

Bitmap MaskOf(const Bitmap& piece) {
  Bitmap mask(piece.Width(), piece.Height(), clBlack);
  for (int y = 0; y < piece.Height(); ++y)
    for (int x = 0; x < piece.Width(); ++x)
      if (piece.At(x, y) == clMagenta) mask.Set(x, y, clWhite);
  return mask;
}

// A plate sunk into the caption bar behind the text: a darker shade of the
// bar with a dark top and left edge, a light bottom and right edge and
// rounded ends. Its middle columns repeat along the text.
Bitmap CaptionTextBack() {
  constexpr int kWidth = 12, kPlateTop = 6, kPlateBottom = 22, kEndRadius = 4;
  TStrip strip(kWidth, kCaptionHeight, 2, true);
  Bitmap bar(1, kCaptionHeight * 2);
  CaptionColumn(bar, RectOf(0, 0, 1, kCaptionHeight), true);
  CaptionColumn(bar, RectOf(0, kCaptionHeight, 1, kCaptionHeight), false);
  for (int f = 1; f <= 2; ++f) {
    const TRect frame = strip.Frame(f);
    const TRect plate = {0, frame.Top + kPlateTop, kWidth, frame.Top + kPlateBottom};
    for (int y = plate.Top; y < plate.Bottom; ++y)
      HLine(strip.Image(), 0, kWidth, y, BlendColor(bar.At(0, y), clBlack, 88));
    const TColor dark = BlendColor(bar.At(0, plate.Top), clBlack, 70);
    const TColor light = BlendColor(bar.At(0, plate.Bottom - 1), clWhite, 75);
    Bevel(strip.Image(), plate, dark, light);
    RoundCorners(strip.Image(), plate, kEndRadius);
  }
  return strip.Take();
}

// Frames: normal, pressed, hot, and the inactive window (or a button that
// does not act), whose glyph is greyed.
Bitmap CaptionButton(TPattern glyph) {
  TStrip strip(kCaptionButtonWidth, kCaptionButtonHeight, 4);
  const TLook looks[] = {lkNormal, lkPressed, lkHot, lkNormal};
  for (int f = 1; f <= 4; ++f) {
    const TRect r = strip.Frame(f);
    DrawSmallButton(strip.Image(), r, looks[f - 1]);
    DrawCentredGlyph(strip.Image(), r, glyph, looks[f - 1], f == 4 ? kShadow : kInk);
  }
  return strip.Take();
}

// The buttons of a maximized MDI child in the menu bar: minimize, restore
// and close, four frames each; the menu bar shows the fourth when hot.
Bitmap MdiButtons() {
  TStrip strip(kCaptionButtonWidth, kCaptionButtonHeight, 12);
  const TPattern glyphs[] = {kMinimizeGlyph, kRestoreGlyph, kCloseGlyph};
  const TLook looks[] = {lkNormal, lkPressed, lkHot, lkHot};
  for (int button = 0; button < 3; ++button)
    for (int k = 0; k < 4; ++k) {
      const TRect r = strip.Frame(button * 4 + k + 1);
      DrawSmallButton(strip.Image(), r, looks[k]);
      DrawCentredGlyph(strip.Image(), r, glyphs[button], looks[k]);
    }
  return strip.Take();
}
