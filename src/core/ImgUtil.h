#pragma once
// Pixel work of the skin engine: colour arithmetic, the gradient cache,
// whole-bitmap transforms, frame selection, and the nine- and three-slice
// builders whose results the painters put on the screen. System colours are
// converted to RGB before any arithmetic.

#include "core/Bitmap.h"

#include <stdexcept>
#include <string>
#include <vector>

// A broken internal check. The text names the unit and line the check
// belongs to, "Assertion failure (ImgUtil, line 304)", so that messages stay
// recognisable to whoever knows the program.
class EAssertionFailed : public std::logic_error {
public:
  EAssertionFailed(const std::string& unit, int line);
  EAssertionFailed(const std::string& message, const std::string& unit, int line);
  const std::string& Unit() const { return FUnit; }
  int Line() const { return FLine; }

private:
  std::string FUnit;
  int FLine;
};

// Mixes two colours channel by channel: w is a percentage of c1 below 100
// and a per-mille value from 100 on; halves round up.
TColor BlendColor(TColor c1, TColor c2, int w);
// 255 * (max - min) / max over the channels (halves to even) when a channel
// exceeds 159, else 200.
int ColorSaturation(TColor c);

// Slot (0..15) of the process-wide gradient cache holding n colours from c1
// towards c2; an existing slot is reused. n <= 0 throws EAssertionFailed.
int GradientTable(int n, TColor c1, TColor c2);
// The colours of a slot returned by GradientTable. Valid until the slot is
// reused by a later GradientTable call.
const std::vector<TColor>& GradientColors(int slot);
// Gradients longer than this are not tabulated (GradientTable refuses them
// with line 323); draw them with GradientEntry line by line.
constexpr int kMaxGradientTable = 1 << 22;
// Entry i of an n-colour gradient, as GradientTable computes it, without
// touching the cache (for extents too long to tabulate).
TColor GradientEntry(int i, int n, TColor c1, TColor c2);

// Magenta pixels become the colour; the bitmap becomes 24 bits per pixel.
void ReplaceMagenta(Bitmap& bmp, TColor colour);
void MirrorBitmap(Bitmap& bmp); // left to right
void FlipBitmap(Bitmap& bmp);   // top to bottom
void RotateLeft(Bitmap& bmp);   // 90 degrees counter-clockwise: the right edge goes up
void RotateRight(Bitmap& bmp);  // 90 degrees clockwise: the left edge goes up

struct TMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TMargins&) const = default;
};

// Frame k (from 1) of an image of frameCount equal frames side by side
// (stacked when vertical); an empty rect for an empty image; frameCount < 1
// counts as 1. The result is clipped to the image, so a frame index out of
// range gives an empty or partial rect and never reads outside.
TRect FrameRect(const Bitmap& image, bool vertical, int frameCount, int frameIndex);

// Nearest-pixel stretch of src's srcRect into dst's dstRect, clipped to dst;
// source pixels outside src are not copied. Centre sampling:
// sx = src.Left + ((2*dx+1)*srcW) / (2*dstW). Nothing for empty extents.
void StretchCopy(Bitmap& dst, const TRect& dstRect, const Bitmap& src, const TRect& srcRect);
// Tiles srcRect from dstRect's top-left in steps of its size while inside
// dstRect; the last tiles are clipped only by dst (they may run past
// dstRect's right/bottom).
void TileCopy(Bitmap& dst, const TRect& dstRect, const Bitmap& src, const TRect& srcRect);
// Copies src to dst at (x, y), skipping pixels of the key colour; clipped.
void CopyTransparent(Bitmap& dst, int x, int y, const Bitmap& src, TColor key = clMagenta);

// The builders return a bitmap of dest's size (empty when dest is inverted
// or has no area), white where no piece of the image lands.
Bitmap BuildNineSlice(const TRect& dest, const Bitmap& image, const TMargins& margins,
                      bool vertical, bool tileCentre, int frameCount, int frameIndex);
// Left band stretched to the height, middle repeated at its own width, right
// band last.
Bitmap BuildThreeSliceH(const TRect& dest, const Bitmap& image, bool vertical, int frameCount,
                        int frameIndex, const TMargins& margins);
// Three stretched bands, or the whole frame stretched when it is wider than
// dest.
Bitmap BuildThreeSliceStretch(const TRect& dest, const Bitmap& image, bool vertical, int frameCount,
                              int frameIndex, const TMargins& margins);
// The frame (side by side) stretched over the whole of dest.
Bitmap BuildFrameStretched(const TRect& dest, const Bitmap& image, int frameCount, int frameIndex);

// One-pixel lines (rows when vertical, else columns) from c1 towards c2,
// clipped to dst.
void FillGradient(Bitmap& dst, const TRect& r, TColor c1, bool vertical, TColor c2);

// One-pixel-high rectangles of the non-transparent runs, row by row, left to
// right, moved by the offsets. A pixel is transparent when each channel lies
// between the key's channel and that channel plus its tolerance (at most
// 255). The image is switched to 32 bits per pixel.
std::vector<TRect> RegionRuns(Bitmap& image, int offsetX, int offsetY, int tolB, int tolG, int tolR,
                              TColor key);
