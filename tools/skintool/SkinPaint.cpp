#include "skintool/SkinPaint.h"

#include <algorithm>
#include <cmath>

TStrip::TStrip(int frameWidth, int frameHeight, int frames, bool stacked, TColor fill)
    : FFrameWidth(frameWidth), FFrameHeight(frameHeight), FFrames(frames), FStacked(stacked),
      FImage(stacked ? frameWidth : frameWidth * frames,
             stacked ? frameHeight * frames : frameHeight, fill) {}

TRect TStrip::Frame(int k) const {
  return FStacked ? RectOf(0, (k - 1) * FFrameHeight, FFrameWidth, FFrameHeight)
                  : RectOf((k - 1) * FFrameWidth, 0, FFrameWidth, FFrameHeight);
}

void HLine(Bitmap& b, int x0, int x1, int y, TColor c) {
  b.FillRect({x0, y, x1, y + 1}, c);
}

void VLine(Bitmap& b, int x, int y0, int y1, TColor c) {
  b.FillRect({x, y0, x + 1, y1}, c);
}

void Outline(Bitmap& b, const TRect& r, TColor c) {
  Bevel(b, r, c, c);
}

void Bevel(Bitmap& b, const TRect& r, TColor tl, TColor br) {
  if (r.IsEmpty()) return;
  HLine(b, r.Left, r.Right - 1, r.Top, tl);
  VLine(b, r.Left, r.Top, r.Bottom - 1, tl);
  HLine(b, r.Left, r.Right, r.Bottom - 1, br);
  VLine(b, r.Right - 1, r.Top, r.Bottom, br);
}

TRect Inflate(const TRect& r, int d) {
  return {r.Left - d, r.Top - d, r.Right + d, r.Bottom + d};
}

void VGradient(Bitmap& b, const TRect& r, TColor top, TColor bottom) {
  const int n = r.Height();
  auto mix = [n](int from, int to, int i) {
    return n < 2 ? from : from + static_cast<int>(std::lround((to - from) * i / double(n - 1)));
  };
  for (int i = 0; i < n; ++i)
    HLine(b, r.Left, r.Right, r.Top + i,
          MakeColor(mix(RedOf(top), RedOf(bottom), i), mix(GreenOf(top), GreenOf(bottom), i),
                    mix(BlueOf(top), BlueOf(bottom), i)));
}

void Glyph(Bitmap& b, int x, int y, TPattern rows, TColor ink, TColor ink2) {
  int row = 0;
  for (const std::string_view line : rows) {
    for (int col = 0; col < static_cast<int>(line.size()); ++col) {
      if (line[col] == '#') b.Set(x + col, y + row, ink);
      if (line[col] == 'o') b.Set(x + col, y + row, ink2);
    }
    ++row;
  }
}

void EmbossedGlyph(Bitmap& b, int x, int y, TPattern rows, TColor shadow, TColor light) {
  Glyph(b, x + 1, y + 1, rows, light, light);
  Glyph(b, x, y, rows, shadow, shadow);
}

void RoundCorners(Bitmap& b, const TRect& r, int radius, bool top, bool bottom) {
  // A pixel is cut when its centre lies outside the circle of the corner.
  const double rr = radius;
  for (int dy = 0; dy < radius; ++dy)
    for (int dx = 0; dx < radius; ++dx) {
      const double fx = rr - (dx + 0.5), fy = rr - (dy + 0.5);
      if (std::sqrt(fx * fx + fy * fy) <= rr) continue;
      if (top) {
        b.Set(r.Left + dx, r.Top + dy, clMagenta);
        b.Set(r.Right - 1 - dx, r.Top + dy, clMagenta);
      }
      if (bottom) {
        b.Set(r.Left + dx, r.Bottom - 1 - dy, clMagenta);
        b.Set(r.Right - 1 - dx, r.Bottom - 1 - dy, clMagenta);
      }
    }
}

Bitmap Transposed(const Bitmap& b) {
  Bitmap out(b.Height(), b.Width());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      out.Set(y, x, b.At(x, y));
  return out;
}

void Blit(Bitmap& dst, int x, int y, const Bitmap& src) {
  for (int sy = 0; sy < src.Height(); ++sy)
    for (int sx = 0; sx < src.Width(); ++sx)
      dst.Set(x + sx, y + sy, src.At(sx, sy));
}

int PatternWidth(TPattern rows) {
  std::size_t w = 0;
  for (const std::string_view row : rows)
    w = std::max(w, row.size());
  return static_cast<int>(w);
}
