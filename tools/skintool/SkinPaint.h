#pragma once
// Small pixel-drawing helpers for pictures made by code: lines, bevels,
// gradients, glyphs written as text patterns, frame strips.

#include "core/Bitmap.h"

#include <span>
#include <string_view>

// Frames side by side (or stacked), frame k counted from 1.
class TStrip {
public:
  TStrip(int frameWidth, int frameHeight, int frames, bool stacked = false,
         TColor fill = clMagenta);
  int FrameWidth() const { return FFrameWidth; }
  int FrameHeight() const { return FFrameHeight; }
  int Frames() const { return FFrames; }
  TRect Frame(int k) const;
  Bitmap& Image() { return FImage; }
  Bitmap Take() { return std::move(FImage); }

private:
  int FFrameWidth, FFrameHeight, FFrames;
  bool FStacked;
  Bitmap FImage;
};

void HLine(Bitmap& b, int x0, int x1, int y, TColor c); // x1 exclusive
void VLine(Bitmap& b, int x, int y0, int y1, TColor c); // y1 exclusive
void Outline(Bitmap& b, const TRect& r, TColor c);
// Top and left lines in tl, bottom and right lines in br; br owns the two
// corners where they meet, as the system's edge drawing does.
void Bevel(Bitmap& b, const TRect& r, TColor tl, TColor br);
TRect Inflate(const TRect& r, int d);
// Rows from top to bottom; the first row is top and the last is bottom
// exactly.
void VGradient(Bitmap& b, const TRect& r, TColor top, TColor bottom);
// A small picture written as text, one string per row of pixels: '#' is
// drawn in ink, 'o' in the second ink, anything else is left untouched.
using TPattern = std::span<const std::string_view>;
void Glyph(Bitmap& b, int x, int y, TPattern rows, TColor ink, TColor ink2 = clWhite);
// The same pattern drawn disabled: a white copy one pixel down and right,
// then the pattern in shadow on top.
void EmbossedGlyph(Bitmap& b, int x, int y, TPattern rows, TColor shadow, TColor light);
// Size of a pattern: the longest row and the number of rows.
int PatternWidth(TPattern rows);
inline int PatternHeight(TPattern rows) {
  return static_cast<int>(rows.size());
}
// Magenta in the corner pixels of r, cut along a quarter circle of the
// given radius (0 leaves the corners square).
void RoundCorners(Bitmap& b, const TRect& r, int radius, bool top = true, bool bottom = true);
// The picture turned a quarter so that rows become columns: the pixel at
// (x, y) moves to (y, x).
Bitmap Transposed(const Bitmap& b);
// Copies src into dst at (x, y), every pixel, clipped.
void Blit(Bitmap& dst, int x, int y, const Bitmap& src);
