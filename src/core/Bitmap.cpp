#include "core/Bitmap.h"

#include <algorithm>
#include <utility>

Bitmap::Bitmap(int width, int height, TColor fill) {
  Reset(width, height, fill);
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : FWidth(std::exchange(other.FWidth, 0)), FHeight(std::exchange(other.FHeight, 0)),
      FBitsPerPixel(other.FBitsPerPixel), FRevision(other.FRevision),
      FPixels(std::move(other.FPixels)) {
  other.FPixels.clear();
  ++other.FRevision;
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this != &other) {
    const std::uint64_t revision = std::max(FRevision, other.FRevision) + 1;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FBitsPerPixel = other.FBitsPerPixel;
    FPixels = other.FPixels;
    FRevision = revision;
  }
  return *this;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this != &other) {
    const std::uint64_t revision = std::max(FRevision, other.FRevision) + 1;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FBitsPerPixel = other.FBitsPerPixel;
    FPixels = std::move(other.FPixels);
    other.FWidth = other.FHeight = 0;
    other.FPixels.clear();
    FRevision = revision;
    ++other.FRevision;
  }
  return *this;
}

void Bitmap::Reset(int width, int height, TColor fill) {
  ++FRevision;
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
  ++FRevision;
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
