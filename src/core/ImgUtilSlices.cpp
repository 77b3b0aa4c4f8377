// Frame selection, copies between bitmaps, and the slice builders.

#include "core/ImgUtil.h"

#include <algorithm>
#include <cstdint>

namespace {

// Larger destinations are refused: no control is that big, and a broken
// size must not ask for gigabytes.
constexpr std::int64_t kMaxCanvasPixels = std::int64_t{1} << 27;

int ClampTo(std::int64_t v, int lo, int hi) {
  return static_cast<int>(std::clamp<std::int64_t>(v, lo, hi));
}

// A fresh bitmap of dest's size, white like any new framework bitmap.
Bitmap NewCanvas(const TRect& dest) {
  const std::int64_t w = std::int64_t{dest.Right} - dest.Left;
  const std::int64_t h = std::int64_t{dest.Bottom} - dest.Top;
  if (w <= 0 || h <= 0 || w * h > kMaxCanvasPixels) return {};
  return Bitmap(static_cast<int>(w), static_cast<int>(h), clWhite);
}

// Negative band widths from a skin mean no band. Widths beyond any canvas
// are cut to a size that still exceeds every canvas, so that adding them to
// coordinates cannot overflow.
int Band(int v) {
  return std::clamp(v, 0, 1 << 28);
}
TMargins NonNegative(const TMargins& m) {
  return {Band(m.Left), Band(m.Top), Band(m.Right), Band(m.Bottom)};
}

void CopyAtOwnSize(Bitmap& dst, int x, int y, const Bitmap& src, const TRect& srcRect) {
  StretchCopy(dst, RectOf(x, y, srcRect.Width(), srcRect.Height()), src, srcRect);
}

// Source column (or row) for each destination column inside [first, last).
std::vector<int> SampleMap(int first, int last, int dstStart, std::int64_t dstExtent, int srcStart,
                           std::int64_t srcExtent) {
  std::vector<int> map(last - first);
  for (int d = first; d < last; ++d) {
    const std::int64_t offset = std::int64_t{d} - dstStart;
    map[d - first] = static_cast<int>(srcStart + ((2 * offset + 1) * srcExtent) / (2 * dstExtent));
  }
  return map;
}

} // namespace

TRect FrameRect(const Bitmap& image, bool vertical, int frameCount, int frameIndex) {
  if (image.Empty()) return {};
  const int n = std::max(frameCount, 1);
  const int extent = vertical ? image.Height() : image.Width();
  const int size = extent / n;
  const std::int64_t start = (std::int64_t{frameIndex} - 1) * size;
  const int from = ClampTo(start, 0, extent), to = ClampTo(start + size, 0, extent);
  if (from >= to) return {};
  if (vertical) return {0, from, image.Width(), to};
  return {from, 0, to, image.Height()};
}

void StretchCopy(Bitmap& dst, const TRect& dstRect, const Bitmap& src, const TRect& srcRect) {
  const std::int64_t dstW = std::int64_t{dstRect.Right} - dstRect.Left;
  const std::int64_t dstH = std::int64_t{dstRect.Bottom} - dstRect.Top;
  const std::int64_t srcW = std::int64_t{srcRect.Right} - srcRect.Left;
  const std::int64_t srcH = std::int64_t{srcRect.Bottom} - srcRect.Top;
  if (dstW <= 0 || dstH <= 0 || srcW <= 0 || srcH <= 0) return;
  const int left = std::max(dstRect.Left, 0), right = std::min(dstRect.Right, dst.Width());
  const int top = std::max(dstRect.Top, 0), bottom = std::min(dstRect.Bottom, dst.Height());
  if (left >= right || top >= bottom) return;
  const std::vector<int> columns = SampleMap(left, right, dstRect.Left, dstW, srcRect.Left, srcW);
  const std::vector<int> rows = SampleMap(top, bottom, dstRect.Top, dstH, srcRect.Top, srcH);
  for (int y = top; y < bottom; ++y) {
    const int sy = rows[y - top];
    if (sy < 0 || sy >= src.Height()) continue;
    const std::uint32_t* in = src.Row(sy);
    std::uint32_t* out = dst.Row(y);
    for (int x = left; x < right; ++x) {
      const int sx = columns[x - left];
      if (sx >= 0 && sx < src.Width()) out[x] = in[sx];
    }
  }
}

void TileCopy(Bitmap& dst, const TRect& dstRect, const Bitmap& src, const TRect& srcRect) {
  const std::int64_t tileW = std::int64_t{srcRect.Right} - srcRect.Left;
  const std::int64_t tileH = std::int64_t{srcRect.Bottom} - srcRect.Top;
  const std::int64_t dstW = std::int64_t{dstRect.Right} - dstRect.Left;
  const std::int64_t dstH = std::int64_t{dstRect.Bottom} - dstRect.Top;
  if (tileW <= 0 || tileH <= 0 || dstW <= 0 || dstH <= 0) return;
  // Whole tiles cover the rect and spill past it.
  const std::int64_t spanW = (dstW + tileW - 1) / tileW * tileW;
  const std::int64_t spanH = (dstH + tileH - 1) / tileH * tileH;
  const int left = std::max(dstRect.Left, 0);
  const int right =
      ClampTo(std::min<std::int64_t>(dstRect.Left + spanW, dst.Width()), 0, INT32_MAX);
  const int top = std::max(dstRect.Top, 0);
  const int bottom =
      ClampTo(std::min<std::int64_t>(dstRect.Top + spanH, dst.Height()), 0, INT32_MAX);
  for (int y = top; y < bottom; ++y) {
    const std::int64_t sy = srcRect.Top + (std::int64_t{y} - dstRect.Top) % tileH;
    if (sy < 0 || sy >= src.Height()) continue;
    const std::uint32_t* in = src.Row(static_cast<int>(sy));
    std::uint32_t* out = dst.Row(y);
    // Whole stretches of one tile row at a time.
    for (int x = left; x < right;) {
      const std::int64_t phase = (std::int64_t{x} - dstRect.Left) % tileW;
      const int run = static_cast<int>(std::min<std::int64_t>(tileW - phase, right - x));
      const std::int64_t sx = srcRect.Left + phase;
      const int from = static_cast<int>(std::clamp<std::int64_t>(sx, 0, src.Width()));
      const int to = static_cast<int>(std::clamp<std::int64_t>(sx + run, 0, src.Width()));
      if (from < to) std::copy(in + from, in + to, out + x + (from - sx));
      x += run;
    }
  }
}

void CopyTransparent(Bitmap& dst, int x, int y, const Bitmap& src, TColor key) {
  const std::uint32_t keyPixel = ColorToPixel(ColorToRGB(key));
  const int left = ClampTo(std::max<std::int64_t>(x, 0), 0, dst.Width());
  const int right = ClampTo(std::int64_t{x} + src.Width(), 0, dst.Width());
  const int top = ClampTo(std::max<std::int64_t>(y, 0), 0, dst.Height());
  const int bottom = ClampTo(std::int64_t{y} + src.Height(), 0, dst.Height());
  for (int dy = top; dy < bottom; ++dy) {
    const std::uint32_t* in = src.Row(dy - y);
    std::uint32_t* out = dst.Row(dy);
    for (int dx = left; dx < right; ++dx)
      if (in[dx - x] != keyPixel) out[dx] = in[dx - x];
  }
}

Bitmap BuildNineSlice(const TRect& dest, const Bitmap& image, const TMargins& margins,
                      bool vertical, bool tileCentre, int frameCount, int frameIndex) {
  Bitmap out = NewCanvas(dest);
  const TRect f = FrameRect(image, vertical, frameCount, frameIndex);
  if (out.Empty() || f.IsEmpty()) return out;
  const int w = out.Width(), h = out.Height();
  TMargins m = NonNegative(margins);
  if (w < std::int64_t{m.Left} + m.Right) m.Left = m.Right = 0;
  if (h < std::int64_t{m.Top} + m.Bottom) m.Top = m.Bottom = 0;
  const int l = m.Left, t = m.Top, r = m.Right, b = m.Bottom;
  // Source bands of the frame; the later copies overwrite what the earlier
  // ones spilled (a tiled centre runs past its rect).
  const int sl = f.Left + l, st = f.Top + t, sr = f.Right - r, sb = f.Bottom - b;
  if (l > 0 && t > 0) CopyAtOwnSize(out, 0, 0, image, {f.Left, f.Top, sl, st});
  if (l > 0 && b > 0) CopyAtOwnSize(out, 0, h - b, image, {f.Left, sb, sl, f.Bottom});
  if (r > 0 && t > 0) CopyAtOwnSize(out, w - r, 0, image, {sr, f.Top, f.Right, st});
  if (l > 0) StretchCopy(out, {0, t, l, h - b}, image, {f.Left, st, sl, sb});
  if (t > 0) StretchCopy(out, {l, 0, w - r, t}, image, {sl, f.Top, sr, st});
  const TRect centre{l, t, w - r, h - b};
  if (tileCentre)
    TileCopy(out, centre, image, {sl, st, sr, sb});
  else
    StretchCopy(out, centre, image, {sl, st, sr, sb});
  if (r > 0 && b > 0) CopyAtOwnSize(out, w - r, h - b, image, {sr, sb, f.Right, f.Bottom});
  if (r > 0) StretchCopy(out, {w - r, t, w, h - b}, image, {sr, st, f.Right, sb});
  if (b > 0) StretchCopy(out, {l, h - b, w - r, h}, image, {sl, sb, sr, f.Bottom});
  return out;
}

Bitmap BuildThreeSliceH(const TRect& dest, const Bitmap& image, bool vertical, int frameCount,
                        int frameIndex, const TMargins& margins) {
  Bitmap out = NewCanvas(dest);
  const TRect f = FrameRect(image, vertical, frameCount, frameIndex);
  if (out.Empty() || f.IsEmpty()) return out;
  const int w = out.Width(), h = out.Height();
  const TMargins m = NonNegative(margins);
  const int l = m.Left, r = m.Right;
  StretchCopy(out, {0, 0, l, h}, image, {f.Left, f.Top, f.Left + l, f.Bottom});
  const std::int64_t middle = std::int64_t{f.Width()} - l - r;
  if (middle > 0) {
    const int step = static_cast<int>(middle);
    const TRect slice{f.Left + l, f.Top, f.Right - r, f.Bottom};
    for (int x = l; x < w - r; x += step)
      StretchCopy(out, {x, 0, x + step, h}, image, slice);
  }
  StretchCopy(out, {w - r, 0, w, h}, image, {f.Right - r, f.Top, f.Right, f.Bottom});
  return out;
}

Bitmap BuildThreeSliceStretch(const TRect& dest, const Bitmap& image, bool vertical, int frameCount,
                              int frameIndex, const TMargins& margins) {
  Bitmap out = NewCanvas(dest);
  const TRect f = FrameRect(image, vertical, frameCount, frameIndex);
  if (out.Empty() || f.IsEmpty()) return out;
  const int w = out.Width(), h = out.Height();
  if (f.Width() > w) {
    StretchCopy(out, {0, 0, w, h}, image, f);
    return out;
  }
  const TMargins m = NonNegative(margins);
  const int l = m.Left, r = m.Right;
  StretchCopy(out, {0, 0, l, h}, image, {f.Left, f.Top, f.Left + l, f.Bottom});
  StretchCopy(out, {l, 0, w - r, h}, image, {f.Left + l, f.Top, f.Right - r, f.Bottom});
  StretchCopy(out, {w - r, 0, w, h}, image, {f.Right - r, f.Top, f.Right, f.Bottom});
  return out;
}

Bitmap BuildFrameStretched(const TRect& dest, const Bitmap& image, int frameCount, int frameIndex) {
  Bitmap out = NewCanvas(dest);
  const TRect f = FrameRect(image, false, frameCount, frameIndex);
  if (!out.Empty() && !f.IsEmpty()) StretchCopy(out, {0, 0, out.Width(), out.Height()}, image, f);
  return out;
}
