// Scroll bars, thumbs, header items, track bars and up-down arrows.
#include "skintool/DefaultSkinParts.h"

namespace {

constexpr TLook kButtonLooks[] = {lkNormal, lkPressed, lkDisabled, lkHot};

// Ridges across a horizontal bar's thumb: three pairs of a light and a
// shadow column.
Bitmap HorzGrip(TColor light, TColor dark) {
  Bitmap grip(kScrollSize, kScrollSize, clMagenta);
  for (const int x : {4, 7, 10}) {
    VLine(grip, x, 4, 12, light);
    VLine(grip, x + 1, 4, 12, dark);
  }
  return grip;
}

} // namespace

// 23 frames of 16 x 16: four arrows (normal, pressed, disabled, hot: left
// 1-4, right 5-8, up 9-12, down 13-16), the grip of a horizontal thumb
// (17-19: normal, pressed, hot), of a vertical one (20-22), and a plain
// face (23).
Bitmap ScrollBarStrip() {
  TStrip strip(kScrollSize, kScrollSize, 23);
  Bitmap& b = strip.Image();
  const TPattern arrows[] = {kArrowLeft, kArrowRight, kArrowUp, kArrowDown};
  for (int arrow = 0; arrow < 4; ++arrow)
    for (int k = 0; k < 4; ++k) {
      const TRect r = strip.Frame(arrow * 4 + k + 1);
      DrawSmallButton(b, r, kButtonLooks[k]);
      DrawCentredGlyph(b, r, arrows[arrow], kButtonLooks[k]);
    }
  const Bitmap grips[] = {HorzGrip(kHilite, kShadow), HorzGrip(kHilite, kShadow),
                          HorzGrip(kHilite, kSelect)};
  for (int k = 0; k < 3; ++k) {
    Blit(b, strip.Frame(17 + k).Left, 0, grips[k]);
    Blit(b, strip.Frame(20 + k).Left, 0, Transposed(grips[k]));
  }
  b.FillRect(strip.Frame(23), kFace);
  return strip.Take();
}

// The track, tiled: 1 enabled, 3 disabled (2 and 4 are never asked for).
// The same picture serves horizontal and vertical bars.
Bitmap ScrollTrack() {
  TStrip strip(kScrollSize, kScrollSize, 4, false, kTrack);
  strip.Image().FillRect(strip.Frame(3), MakeColor(236, 236, 236));
  return strip.Take();
}

// Raised bars of 11 x 21 shared by the scroll thumbs (1 normal, 2 pressed,
// 3 hot), the header items (1 normal, 2 hot) and the horizontal track-bar
// thumb (frame 2, stretched); 4 is a disabled look, 5 repeats 1.
Bitmap Bevels() {
  TStrip strip(11, 21, 5);
  const TColor insides[] = {kFace, MakeColor(224, 224, 224), MakeColor(232, 232, 232), kFace,
                            kFace};
  for (int f = 1; f <= 5; ++f)
    DrawRaisedFrame(strip.Image(), strip.Frame(f), insides[f - 1]);
  const TRect disabled = strip.Frame(4);
  Bevel(strip.Image(), disabled, kLight, kShadow);
  Bevel(strip.Image(), Inflate(disabled, -1), kFace, kFace);
  return strip.Take();
}

// The thumb of a vertical track bar: the frames of Bevels lying down.
Bitmap TrackThumbVert() {
  TStrip strip(21, 11, 5);
  const TColor insides[] = {kFace, MakeColor(224, 224, 224), MakeColor(232, 232, 232), kFace,
                            kFace};
  for (int f = 1; f <= 5; ++f)
    DrawRaisedFrame(strip.Image(), strip.Frame(f), insides[f - 1]);
  return strip.Take();
}

// The channel of track bars, 6 x 6 with 2-pixel caps, for both directions.
Bitmap TrackChannel() {
  Bitmap b(6, 6);
  DrawSunkenFrame(b, RectOf(0, 0, 6, 6), kField);
  return b;
}

// Eight frames of 16 x 11: the first button (up or left) normal, pressed,
// disabled, hot, then the second (down or right); the arrows come from the
// glyph strips.
Bitmap UpDownButtons() {
  TStrip strip(16, 11, 8);
  for (int f = 1; f <= 8; ++f)
    DrawSmallButton(strip.Image(), strip.Frame(f), kButtonLooks[(f - 1) % 4]);
  return strip.Take();
}

// Glyphs for the frames of UpDownButtons, 9 x 9 each, drawn centred.
Bitmap UpDownGlyphs(bool vertical) {
  TStrip strip(9, 9, 8);
  const TPattern first = vertical ? TPattern(kSmallUp) : TPattern(kSmallLeft);
  const TPattern second = vertical ? TPattern(kSmallDown) : TPattern(kSmallRight);
  for (int f = 1; f <= 8; ++f)
    DrawCentredGlyph(strip.Image(), strip.Frame(f), f <= 4 ? first : second,
                     kButtonLooks[(f - 1) % 4]);
  return strip.Take();
}
