// Colour arithmetic and gradients.

#include "core/ImgUtil.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

const char* const kUnit = "ImgUtil";
constexpr int kCheckLineCount = 304;
constexpr int kCheckLineBuild = 323;
constexpr int kGradientSlots = 16;
// Longer gradients are computed line by line instead of tabulated, so a
// huge rectangle never asks for gigabytes of colours.
constexpr int kMaxTabulated = kMaxGradientTable;

struct TGradientCache {
  std::array<std::vector<TColor>, kGradientSlots> Slots;
  int Next = 0;
};

TGradientCache& Cache() {
  static TGradientCache cache;
  return cache;
}

// Weights outside 0..scale would push a channel out of its byte; it is
// clamped there rather than wrapped.
int BlendChannel(int a, int b, std::int64_t w, std::int64_t scale) {
  const std::int64_t v = (a * w + b * (scale - w) + scale / 2) / scale;
  return static_cast<int>(std::clamp<std::int64_t>(v, 0, 255));
}

// c1 + (h + i*(c2 - c1)) / (n - 1), truncating toward zero.
int GradientChannel(std::int64_t i, std::int64_t n, int a, int b) {
  if (n == 1) return a + (b - a) / 2;
  const std::int64_t h = (n - 1) / 2;
  return a + static_cast<int>((h + i * (b - a)) / (n - 1));
}

TColor GradientEntryOf(std::int64_t i, std::int64_t n, TColor a, TColor b) {
  return MakeColor(GradientChannel(i, n, RedOf(a), RedOf(b)),
                   GradientChannel(i, n, GreenOf(a), GreenOf(b)),
                   GradientChannel(i, n, BlueOf(a), BlueOf(b)));
}

} // namespace

EAssertionFailed::EAssertionFailed(const std::string& unit, int line)
    : EAssertionFailed("Assertion failure", unit, line) {}

EAssertionFailed::EAssertionFailed(const std::string& message, const std::string& unit, int line)
    : std::logic_error(message + " (" + unit + ", line " + std::to_string(line) + ")"), FUnit(unit),
      FLine(line) {}

TColor BlendColor(TColor c1, TColor c2, int w) {
  const TColor a = ColorToRGB(c1), b = ColorToRGB(c2);
  const int scale = w < 100 ? 100 : 1000;
  return MakeColor(BlendChannel(RedOf(a), RedOf(b), w, scale),
                   BlendChannel(GreenOf(a), GreenOf(b), w, scale),
                   BlendChannel(BlueOf(a), BlueOf(b), w, scale));
}

int ColorSaturation(TColor c) {
  const TColor rgb = ColorToRGB(c);
  const int r = RedOf(rgb), g = GreenOf(rgb), b = BlueOf(rgb);
  const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
  if (hi <= 159) return 200;
  const int num = 255 * (hi - lo);
  int q = num / hi;
  const int twiceRest = 2 * (num % hi);
  if (twiceRest > hi || (twiceRest == hi && (q & 1))) ++q;
  return q;
}

TColor GradientEntry(int i, int n, TColor c1, TColor c2) {
  return GradientEntryOf(i, n, ColorToRGB(c1), ColorToRGB(c2));
}

int GradientTable(int n, TColor c1, TColor c2) {
  if (n <= 0) throw EAssertionFailed(kUnit, kCheckLineCount);
  const TColor a = ColorToRGB(c1), b = ColorToRGB(c2);
  TGradientCache& cache = Cache();
  for (int slot = kGradientSlots - 1; slot >= 0; --slot) {
    const std::vector<TColor>& s = cache.Slots[slot];
    if (static_cast<int>(s.size()) == n && s.front() == a && s.back() == b) return slot;
  }
  if (n > kMaxTabulated) throw EAssertionFailed(kUnit, kCheckLineBuild);
  const int slot = cache.Next;
  cache.Next = (cache.Next + 1) % kGradientSlots;
  std::vector<TColor>& s = cache.Slots[slot];
  s.resize(n);
  for (int i = 0; i < n; ++i)
    s[i] = GradientEntryOf(i, n, a, b);
  return slot;
}

const std::vector<TColor>& GradientColors(int slot) {
  if (slot < 0 || slot >= kGradientSlots) throw EAssertionFailed(kUnit, kCheckLineBuild);
  return Cache().Slots[slot];
}

void FillGradient(Bitmap& dst, const TRect& r, TColor c1, bool vertical, TColor c2) {
  if (r.IsEmpty()) return;
  const int start = vertical ? r.Top : r.Left, end = vertical ? r.Bottom : r.Right;
  const std::int64_t extent = std::int64_t{end} - start;
  const int limit = vertical ? dst.Height() : dst.Width();
  const int first = std::max(start, 0), last = std::min(end, limit);
  const int across = vertical ? dst.Width() : dst.Height();
  const int from = std::max(vertical ? r.Left : r.Top, 0);
  const int to = std::min(vertical ? r.Right : r.Bottom, across);
  if (first >= last || from >= to) return;
  const TColor a = ColorToRGB(c1), b = ColorToRGB(c2);
  const std::vector<TColor>* table =
      extent <= kMaxTabulated ? &GradientColors(GradientTable(static_cast<int>(extent), a, b))
                              : nullptr;
  for (int line = first; line < last; ++line) {
    const std::int64_t i = std::int64_t{line} - start;
    const TColor c = table ? (*table)[i] : GradientEntryOf(i, extent, a, b);
    if (vertical)
      dst.FillRect({from, line, to, line + 1}, c);
    else
      dst.FillRect({line, from, line + 1, to}, c);
  }
}
