// Elements the skin does not hold but the painters need: the composite
// combo-box strips, the combo arrow and the tool-bar background.
#include "core/SkinDefinition.h"

#include "core/ImgUtil.h"

#include <algorithm>

namespace {

constexpr int kComboCellWidth = 50;
constexpr int kComboCellHeight = 21;
constexpr int kArrowSize = 17;

void Put(Bitmap& dst, int x, int y, const Bitmap& piece, bool transparent) {
  if (transparent) {
    CopyTransparent(dst, x, y, piece);
    return;
  }
  StretchCopy(dst, RectOf(x, y, piece.Width(), piece.Height()), piece,
              RectOf(0, 0, piece.Width(), piece.Height()));
}

// Frame k of the element nine-sliced over the rectangle of dst.
void DrawElement(Bitmap& dst, const TRect& r, const TDataSkinObject& e, int k) {
  if (e.Image.Empty()) return;
  const Bitmap piece = BuildNineSlice(RectOf(0, 0, r.Width(), r.Height()), e.Image, e.Margins(),
                                      false, e.Tile == 1, e.Frame, k);
  Put(dst, r.Left, r.Top, piece, e.Trans != 0);
}

// Frame k of the element at its own size, centred in the rectangle, magenta
// left out.
void DrawCentred(Bitmap& dst, const TRect& r, const TDataSkinObject& e, int k) {
  const TRect frame = FrameRect(e.Image, false, e.Frame, k);
  if (frame.IsEmpty()) return;
  Bitmap glyph(frame.Width(), frame.Height());
  StretchCopy(glyph, RectOf(0, 0, frame.Width(), frame.Height()), e.Image, frame);
  CopyTransparent(dst, r.Left + (r.Width() - frame.Width()) / 2,
                  r.Top + (r.Height() - frame.Height()) / 2, glyph);
}

} // namespace

void TSkinDefinition::BuildComboFrames(int arrowWidth) {
  auto* sunk = FSlots[ssSunkEdge].get();
  auto* button = FSlots[ssComboButton].get();
  if (!sunk || !button) return;
  // The button must fit in a cell whatever the system reports.
  const int bw = std::clamp(arrowWidth, 0, kComboCellWidth - 4);
  const int frames = std::max(sunk->Frame, 1);
  const TDataSkinObject* extra = FSlots[ssExtraImages].get();
  const TColor face = ColorToRGB(Colors[scButtonFace]);
  Bitmap strip(kComboCellWidth * frames, kComboCellHeight, clMagenta);
  for (int k = 1; k <= frames; ++k) {
    const int x = (k - 1) * kComboCellWidth;
    const TRect part = {x + kComboCellWidth - bw - 2, 0, x + kComboCellWidth, kComboCellHeight};
    DrawElement(strip, RectOf(x, 0, kComboCellWidth, kComboCellHeight), *sunk, k);
    DrawElement(strip, part, *button, k);
    if (extra) DrawCentred(strip, part, *extra, k);
    strip.FillRect({x + 2, 2, x + kComboCellWidth - 1 - bw, 18}, face);
  }
  button->Image = strip;
  button->Style = 2;
  button->LeftWidth = 2;
  button->TopHeight = sunk->TopHeight;
  button->RightWidth = bw + 2;
  button->BottomHeight = sunk->BottomHeight;
  MirrorBitmap(strip);
  sunk->Image = std::move(strip);
  sunk->LeftWidth = bw + 2;
  sunk->RightWidth = 2;
}

void TSkinDefinition::BuildComboxArrow() {
  auto& slot = FSlots[ssComboxArrow];
  if (!slot) slot = std::make_unique<TDataSkinObject>("ComboxArrow");
  TDataSkinObject& arrow = *slot;
  const TDataSkinObject* sunk = FSlots[ssSunkEdge].get();
  const TDataSkinObject* button = FSlots[ssComboButton].get();
  arrow.Image.Clear();
  arrow.Frame = 1;
  if (!sunk && button) {
    arrow.Image = button->Image;
    ReplaceMagenta(arrow.Image, Colors[scButtonFace]);
    arrow.Frame = button->Frame;
  } else if (sunk && button && button->Style == 2) {
    // The arrow square of each composite cell, inside its 2-pixel border.
    const int frames = std::max(sunk->Frame, 1);
    const int w = button->Image.Width() / frames;
    arrow.Image.Reset(kArrowSize * frames, kArrowSize);
    for (int k = 1; k <= frames; ++k)
      StretchCopy(arrow.Image, RectOf((k - 1) * kArrowSize, 0, kArrowSize, kArrowSize),
                  button->Image, RectOf(k * w - kArrowSize - 2, 2, kArrowSize, kArrowSize));
    arrow.Frame = frames;
  }
}

void TSkinDefinition::BuildToolbar() {
  auto& slot = FSlots[ssToolbar];
  if (!slot) slot = std::make_unique<TDataSkinObject>("Toolbar");
  const TColor base = ColorToRGB(BaseColor());
  const int saturation = ColorSaturation(base);
  const TColor bottom = saturation > 110
                            ? BlendColor(base, clWhite, (5625 - saturation * 25) / 140 + 50)
                            : BlendColor(0x808080, base, 150);
  slot->Image.Reset(10, 40);
  FillGradient(slot->Image, RectOf(0, 0, 10, 40), BlendColor(Colors[scButtonFace], clWhite, 150),
               true, bottom);
  slot->Frame = 1;
}
