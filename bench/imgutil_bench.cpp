// The skin's pixel work at window sizes, natively: a 640x480 nine-slice
// (stretched and tiled centre), a three-slice strip, and the runs of a
// window region. The baseline is filling the same 640x480 bitmap, measured
// in the same run, so the ratios show what slicing costs over touching
// every pixel once.
#include <benchmark/benchmark.h>

#include "core/ImgUtil.h"

namespace {

// A four-frame element strip of 4 x 60 x 40 with magenta holes.
const Bitmap& Element() {
  static const Bitmap image = [] {
    Bitmap bmp(240, 40);
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x)
        bmp.Set(x, y, (x * 7 + y * 3) % 11 == 0 ? clMagenta : MakeColor(x, y, x ^ y));
    return bmp;
  }();
  return image;
}

// A window-shaped mask: rounded corners and a ragged edge, 640x480.
Bitmap Shape() {
  Bitmap bmp(640, 480, clBlack);
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) {
      const int cx = x < 12 ? 12 - x : (x >= 628 ? x - 627 : 0);
      const int cy = y < 12 ? 12 - y : (y >= 468 ? y - 467 : 0);
      if (cx * cx + cy * cy > 144 || (y % 37 == 0 && x % 53 < 3)) bmp.Set(x, y, clMagenta);
    }
  return bmp;
}

const TRect kWindow = RectOf(0, 0, 640, 480);
const TMargins kBands{8, 24, 8, 8};

void BM_FillBaseline(benchmark::State& state) {
  Bitmap bmp(640, 480);
  for (auto _ : state) {
    bmp.FillRect(kWindow, 0x123456);
    benchmark::DoNotOptimize(bmp.Pixels().data());
  }
}
BENCHMARK(BM_FillBaseline)->Unit(benchmark::kMicrosecond);

void BM_NineSlice(benchmark::State& state) {
  const bool tile = state.range(0) != 0;
  for (auto _ : state) {
    Bitmap out = BuildNineSlice(kWindow, Element(), kBands, false, tile, 4, 2);
    benchmark::DoNotOptimize(out.Pixels().data());
  }
}
BENCHMARK(BM_NineSlice)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ThreeSliceH(benchmark::State& state) {
  for (auto _ : state) {
    Bitmap out = BuildThreeSliceH(RectOf(0, 0, 640, 24), Element(), false, 4, 1, kBands);
    benchmark::DoNotOptimize(out.Pixels().data());
  }
}
BENCHMARK(BM_ThreeSliceH)->Unit(benchmark::kMicrosecond);

void BM_RegionRuns(benchmark::State& state) {
  Bitmap shape = Shape();
  for (auto _ : state) {
    auto runs = RegionRuns(shape, 0, 0, 1, 1, 1, clMagenta);
    benchmark::DoNotOptimize(runs.data());
  }
}
BENCHMARK(BM_RegionRuns)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
