// Whole-bitmap transforms and the run scan behind window regions.

#include "core/ImgUtil.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int Saturate(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

// Rotation by a mapping from a source pixel to its place in the turned
// bitmap, which is height x width.
template <class F> void Rotate(Bitmap& bmp, F place) {
  if (bmp.Empty()) return;
  const int w = bmp.Width(), h = bmp.Height();
  Bitmap turned(h, w);
  turned.SetBitsPerPixel(bmp.BitsPerPixel());
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* row = bmp.Row(y);
    for (int x = 0; x < w; ++x) {
      const auto [tx, ty] = place(x, y, w, h);
      turned.Row(ty)[tx] = row[x];
    }
  }
  bmp = std::move(turned);
}

struct TChannelRange {
  int Low, High;
  bool Holds(int v) const { return v >= Low && v <= High; }
};

TChannelRange RangeOf(int keyChannel, int tolerance) {
  return {keyChannel, std::min(255, keyChannel + std::clamp(tolerance, -256, 255))};
}

} // namespace

void ReplaceMagenta(Bitmap& bmp, TColor colour) {
  bmp.SetBitsPerPixel(24);
  const std::uint32_t from = ColorToPixel(clMagenta), to = ColorToPixel(ColorToRGB(colour));
  std::replace(bmp.Pixels().begin(), bmp.Pixels().end(), from, to);
}

void MirrorBitmap(Bitmap& bmp) {
  for (int y = 0; y < bmp.Height(); ++y)
    std::reverse(bmp.Row(y), bmp.Row(y) + bmp.Width());
}

void FlipBitmap(Bitmap& bmp) {
  for (int top = 0, bottom = bmp.Height() - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(bmp.Row(top), bmp.Row(top) + bmp.Width(), bmp.Row(bottom));
}

void RotateLeft(Bitmap& bmp) {
  Rotate(bmp, [](int x, int y, int w, int) { return std::pair{y, w - 1 - x}; });
}

void RotateRight(Bitmap& bmp) {
  Rotate(bmp, [](int x, int y, int, int h) { return std::pair{h - 1 - y, x}; });
}

std::vector<TRect> RegionRuns(Bitmap& image, int offsetX, int offsetY, int tolB, int tolG, int tolR,
                              TColor key) {
  image.SetBitsPerPixel(32);
  const TColor k = ColorToRGB(key);
  const TChannelRange red = RangeOf(RedOf(k), tolR), green = RangeOf(GreenOf(k), tolG),
                      blue = RangeOf(BlueOf(k), tolB);
  auto opaque = [&](std::uint32_t pixel) {
    const TColor c = PixelToColor(pixel);
    return !(red.Holds(RedOf(c)) && green.Holds(GreenOf(c)) && blue.Holds(BlueOf(c)));
  };
  std::vector<TRect> runs;
  for (int y = 0; y < image.Height(); ++y) {
    const std::uint32_t* row = image.Row(y);
    const int top = Saturate(std::int64_t{y} + offsetY), bottom = Saturate(std::int64_t{top} + 1);
    for (int x = 0; x < image.Width();) {
      if (!opaque(row[x])) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < image.Width() && opaque(row[x]))
        ++x;
      runs.push_back({Saturate(std::int64_t{start} + offsetX), top,
                      Saturate(std::int64_t{x} + offsetX), bottom});
    }
  }
  return runs;
}
