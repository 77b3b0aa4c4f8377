#include "core/Bitmap.h"

#include <algorithm>

Bitmap::Bitmap(int width, int height, TColor fill) {
  Reset(width, height, fill);
}

void Bitmap::Reset(int width, int height, TColor fill) {
  if (width <= 0 || height <= 0) width = height = 0;
  FWidth = width;
  FHeight = height;
  FPixels.assign(static_cast<std::size_t>(width) * height, ColorToPixel(ColorToRGB(fill)));
}

TColor Bitmap::At(int x, int y) const {
  if (!Contains(x, y)) return clBlack;
  return PixelToColor(FPixels[static_cast<std::size_t>(y) * FWidth + x]);
}

void Bitmap::Set(int x, int y, TColor c) {
  if (Contains(x, y))
    FPixels[static_cast<std::size_t>(y) * FWidth + x] = ColorToPixel(ColorToRGB(c));
}

void Bitmap::FillRect(const TRect& r, TColor c) {
  const int left = std::max(r.Left, 0), right = std::min(r.Right, FWidth);
  const int top = std::max(r.Top, 0), bottom = std::min(r.Bottom, FHeight);
  if (left >= right || top >= bottom) return; // wholly outside: std::fill needs first <= last
  const std::uint32_t p = ColorToPixel(ColorToRGB(c));
  for (int y = top; y < bottom; ++y)
    std::fill(Row(y) + left, Row(y) + right, p);
}
