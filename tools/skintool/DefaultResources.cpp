// The program's own pictures that the skin engine loads by name: the
// system-menu glyphs, the fallback track-bar channels and the icon.
#include "skintool/DefaultSkin.h"

#include "skintool/DefaultSkinParts.h"
#include "skintool/IconFile.h"

#include <algorithm>
#include <cmath>
#include <vector>

Bitmap SkinMenuGlyphs() {
  Bitmap b(64, 16, clWhite);
  const TPattern glyphs[] = {kRestoreGlyph, kMaximizeGlyph, kMinimizeGlyph, kCloseGlyph};
  for (int i = 0; i < 4; ++i)
    DrawCentredGlyph(b, RectOf(i * 16, 0, 16, 16), glyphs[i], lkNormal);
  return b;
}

// The skin engine cuts these with fixed 3-pixel caps and keeps their
// thickness.
Bitmap TrackChannelResource(bool vertical) {
  const int w = vertical ? 6 : 12, h = vertical ? 12 : 6;
  Bitmap b(w, h);
  DrawSunkenFrame(b, RectOf(0, 0, w, h), kField);
  return b;
}

namespace {

struct TPoint2 {
  double X, Y;
};

// A filled polygon with an outline of a fixed width in pixels, in the
// 48-unit square of the icon.
struct TShape {
  std::vector<TPoint2> Points;
  TColor Fill, Line;
};

bool Inside(const std::vector<TPoint2>& poly, double x, double y) {
  bool in = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const TPoint2 a = poly[i], b = poly[j];
    if ((a.Y > y) != (b.Y > y) && x < (b.X - a.X) * (y - a.Y) / (b.Y - a.Y) + a.X) in = !in;
  }
  return in;
}

double EdgeDistance(const std::vector<TPoint2>& poly, double x, double y) {
  double best = 1e9;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const TPoint2 a = poly[j], b = poly[i];
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((x - a.X) * dx + (y - a.Y) * dy) / len2, 0.0, 1.0) : 0;
    best = std::min(best, std::hypot(x - (a.X + t * dx), y - (a.Y + t * dy)));
  }
  return best;
}

TShape Rect48(double l, double t, double r, double b, TColor c) {
  return {{{l, t}, {r, t}, {r, b}, {l, b}}, c, c};
}

// Two pages, the front one with a folded corner and lines of text, and an
// arrow that carries a name onto it.
std::vector<TShape> IconShapes() {
  const TColor text = MakeColor(150, 162, 178);
  // Coordinates are multiples of 3, so that edges fall between pixels at
  // 16 pixels as well as at 32 and 48.
  return {
      {{{6, 3}, {27, 3}, {33, 9}, {33, 36}, {6, 36}},
       MakeColor(226, 226, 226),
       MakeColor(120, 120, 120)},
      {{{12, 9}, {33, 9}, {42, 18}, {42, 45}, {12, 45}}, clWhite, MakeColor(80, 80, 80)},
      {{{33, 9}, {33, 18}, {42, 18}}, MakeColor(208, 208, 208), MakeColor(80, 80, 80)},
      Rect48(18, 24, 33, 27, text),
      Rect48(18, 30, 36, 33, text),
      Rect48(18, 36, 30, 39, text),
      {{{3, 30}, {18, 30}, {18, 24}, {30, 34.5}, {18, 45}, {18, 39}, {3, 39}},
       MakeColor(72, 112, 168),
       MakeColor(36, 58, 92)},
  };
}

// Each pixel averages 4 x 4 samples; a sample takes the colour of the
// topmost shape that holds it.
std::vector<std::uint32_t> RenderIcon(int size, const std::vector<TShape>& shapes) {
  constexpr int kSamples = 4;
  const double unit = 48.0 / size;
  std::vector<std::uint32_t> argb(static_cast<std::size_t>(size) * size);
  for (int py = 0; py < size; ++py)
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const double x = (px + (sx + 0.5) / kSamples) * unit;
          const double y = (py + (sy + 0.5) / kSamples) * unit;
          for (auto it = shapes.rbegin(); it != shapes.rend(); ++it) {
            if (!Inside(it->Points, x, y)) continue;
            const TColor c = EdgeDistance(it->Points, x, y) < unit ? it->Line : it->Fill;
            r += RedOf(c), g += GreenOf(c), b += BlueOf(c), a += 1;
            break;
          }
        }
      if (a == 0) continue;
      auto channel = [a](double v) { return static_cast<std::uint32_t>(std::lround(v / a)); };
      const auto alpha = static_cast<std::uint32_t>(std::lround(a * 255 / (kSamples * kSamples)));
      argb[static_cast<std::size_t>(py) * size + px] =
          alpha << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
    }
  return argb;
}

} // namespace

std::vector<std::uint8_t> ProgramIcon() {
  const std::vector<TShape> shapes = IconShapes();
  std::vector<TIconImage> images;
  for (const int size : {16, 32, 48})
    images.push_back({size, RenderIcon(size, shapes)});
  return WriteIconFile(images);
}
