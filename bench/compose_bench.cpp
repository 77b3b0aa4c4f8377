// Composing new paths for 100,000 paths in each mode, natively. The
// baseline is copying the same paths, measured in the same run.
#include <benchmark/benchmark.h>

#include "core/RenameEngine.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> MakePaths(int n) {
  std::vector<std::string> paths;
  paths.reserve(n);
  for (int i = 0; i < n; ++i)
    paths.push_back("C:\\Users\\\xCE\xC4\xBC\xFE\\photos\\2026\\IMG_" + std::to_string(i) +
                    "_holiday.JPG");
  return paths;
}

const std::vector<std::string>& Paths() {
  static const std::vector<std::string> paths = MakePaths(100000);
  return paths;
}

void BM_CopyBaseline(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t total = 0;
    for (const auto& p : Paths()) {
      std::string copy = p;
      total += copy.size();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * Paths().size());
}
BENCHMARK(BM_CopyBaseline)->Unit(benchmark::kMillisecond);

void BM_Compose(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  const char* param1[] = {"new_", "_bak", "img%.5d.jpg", "img", ".png"};
  const ICodePage& cp = SystemCodePage();
  for (auto _ : state) {
    std::size_t total = 0;
    std::int32_t number = 1;
    for (const auto& p : Paths()) total += ComposeNewPath(cp, mode, p, param1[mode], "pic", number++).size();
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * Paths().size());
}
BENCHMARK(BM_Compose)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
