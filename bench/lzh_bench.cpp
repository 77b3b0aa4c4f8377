// LZHUF decoding of 1 MB of mixed data: our decoder against the classic
// one that takes the stream bit by bit through the tree, measured side by
// side in the same run. Encoding is measured for information.
#include <benchmark/benchmark.h>

#include "core/Lzh.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;

// Text with repeats, stretches of noise and runs, like a skin archive's
// definition text and bitmaps.
TBytes MixedInput() {
  static const char* const words[] = {"[Buttons]\r\n", "Image=button.bmp\r\n", "Frame=4\r\n",
                                      "Left=3\r\n",    "Trans=1\r\n",          "0,0,0,0\r\n"};
  std::mt19937 rng(2026);
  TBytes out;
  while (out.size() < (1u << 20)) {
    switch (rng() % 3) {
    case 0:
      for (int i = 0; i < 40; ++i) {
        const std::string w = words[rng() % std::size(words)];
        out.insert(out.end(), w.begin(), w.end());
      }
      break;
    case 1:
      for (int i = 0; i < 600; ++i)
        out.push_back(static_cast<std::uint8_t>(rng()));
      break;
    default: out.insert(out.end(), 300 + rng() % 900, static_cast<std::uint8_t>(rng() % 4 * 60));
    }
  }
  out.resize(1u << 20);
  return out;
}

const TBytes& Input() {
  static const TBytes input = MixedInput();
  return input;
}

const TBytes& Packed() {
  static const TBytes packed = LzhEncode(Input());
  return packed;
}

// The classic decoder as first published: a 16-bit bit buffer refilled a
// byte at a time, one call per bit while walking down the tree, one output
// call per byte.
class TClassicDecoder {
public:
  TClassicDecoder(const TBytes& in, TBytes& out) : FIn(in), FOut(out) {
    static const int codesOfLength[6] = {1, 3, 8, 12, 24, 16};
    int upper = 0, next = 0;
    for (int len = 3; len <= 8; ++len)
      for (int k = 0; k < codesOfLength[len - 3]; ++k, ++upper)
        for (int j = 0; j < (1 << (8 - len)); ++j, ++next) {
          FDCode[next] = static_cast<std::uint8_t>(upper);
          FDLen[next] = static_cast<std::uint8_t>(len);
        }
  }

  void Decode(std::uint32_t textSize) {
    StartHuff();
    for (int i = 0; i < N - F; ++i)
      FText[i] = ' ';
    int r = N - F;
    for (std::uint32_t count = 0; count < textSize;) {
      const int c = DecodeChar();
      if (c < 256) {
        Put(static_cast<std::uint8_t>(c));
        FText[r++] = static_cast<std::uint8_t>(c);
        r &= N - 1;
        ++count;
      } else {
        const int i = (r - DecodePosition() - 1) & (N - 1);
        const int j = c - 255 + Threshold;
        for (int k = 0; k < j; ++k) {
          const std::uint8_t b = FText[(i + k) & (N - 1)];
          Put(b);
          FText[r++] = b;
          r &= N - 1;
          ++count;
        }
      }
    }
  }

private:
  static constexpr int N = 4096, F = 60, Threshold = 2;
  static constexpr int NChar = 256 - Threshold + F, T = NChar * 2 - 1, R = T - 1;
  static constexpr unsigned MaxFreq = 0x8000;

  int GetC() { return FPos < FIn.size() ? FIn[FPos++] : -1; }
  void Put(std::uint8_t b) { FOut.push_back(b); }

  void Fill() {
    while (FGetLen <= 8) {
      int i = GetC();
      if (i < 0) i = 0;
      FGetBuf = static_cast<std::uint16_t>(FGetBuf | i << (8 - FGetLen));
      FGetLen += 8;
    }
  }
  int GetBit() {
    Fill();
    const int bit = FGetBuf >> 15;
    FGetBuf = static_cast<std::uint16_t>(FGetBuf << 1);
    --FGetLen;
    return bit;
  }
  int GetByte() {
    Fill();
    const int byte = FGetBuf >> 8;
    FGetBuf = static_cast<std::uint16_t>(FGetBuf << 8);
    FGetLen -= 8;
    return byte;
  }

  void StartHuff() {
    for (int i = 0; i < NChar; ++i) {
      FFreq[i] = 1;
      FSon[i] = i + T;
      FPrnt[i + T] = i;
    }
    for (int i = 0, j = NChar; j <= R; i += 2, ++j) {
      FFreq[j] = FFreq[i] + FFreq[i + 1];
      FSon[j] = i;
      FPrnt[i] = FPrnt[i + 1] = j;
    }
    FFreq[T] = 0xFFFF;
    FPrnt[R] = 0;
  }

  void Reconst() {
    int j = 0;
    for (int i = 0; i < T; ++i)
      if (FSon[i] >= T) {
        FFreq[j] = (FFreq[i] + 1) / 2;
        FSon[j] = FSon[i];
        ++j;
      }
    for (int i = 0, n = NChar; n < T; i += 2, ++n) {
      const unsigned f = FFreq[n] = FFreq[i] + FFreq[i + 1];
      int k = n - 1;
      while (f < FFreq[k])
        --k;
      ++k;
      for (int m = n; m > k; --m) {
        FFreq[m] = FFreq[m - 1];
        FSon[m] = FSon[m - 1];
      }
      FFreq[k] = f;
      FSon[k] = i;
    }
    for (int i = 0; i < T; ++i) {
      const int k = FSon[i];
      if (k >= T)
        FPrnt[k] = i;
      else
        FPrnt[k] = FPrnt[k + 1] = i;
    }
  }

  void Update(int c) {
    if (FFreq[R] == MaxFreq) Reconst();
    c = FPrnt[c + T];
    do {
      const unsigned k = ++FFreq[c];
      int l = c + 1;
      if (k > FFreq[l]) {
        while (k > FFreq[++l]) {
        }
        --l;
        FFreq[c] = FFreq[l];
        FFreq[l] = k;
        const int i = FSon[c];
        FPrnt[i] = l;
        if (i < T) FPrnt[i + 1] = l;
        const int j = FSon[l];
        FSon[l] = i;
        FPrnt[j] = c;
        if (j < T) FPrnt[j + 1] = c;
        FSon[c] = j;
        c = l;
      }
    } while ((c = FPrnt[c]) != 0);
  }

  int DecodeChar() {
    int c = FSon[R];
    while (c < T)
      c = FSon[c + GetBit()];
    c -= T;
    Update(c);
    return c;
  }

  int DecodePosition() {
    int i = GetByte();
    const int c = FDCode[i] << 6;
    int j = FDLen[i] - 2;
    while (j--)
      i = (i << 1) + GetBit();
    return c | (i & 0x3F);
  }

  const TBytes& FIn;
  TBytes& FOut;
  std::size_t FPos = 0;
  std::uint16_t FGetBuf = 0;
  int FGetLen = 0;
  std::array<std::uint8_t, N + F - 1> FText{};
  std::array<unsigned, T + 1> FFreq{};
  std::array<int, T + NChar> FPrnt{};
  std::array<int, T> FSon{};
  std::array<std::uint8_t, 256> FDCode{}, FDLen{};
};

void BM_DecodeClassic(benchmark::State& state) {
  TBytes out;
  for (auto _ : state) {
    out.clear();
    out.reserve(Input().size() + 64);
    TClassicDecoder(Packed(), out).Decode(static_cast<std::uint32_t>(Input().size()));
    benchmark::DoNotOptimize(out.data());
  }
  if (out != Input()) state.SkipWithError("classic decoder disagrees");
  state.SetBytesProcessed(state.iterations() * Input().size());
}
BENCHMARK(BM_DecodeClassic)->Unit(benchmark::kMillisecond);

void BM_Decode(benchmark::State& state) {
  TBytes out;
  for (auto _ : state) {
    out = LzhDecode(Packed(), static_cast<std::uint32_t>(Input().size()));
    benchmark::DoNotOptimize(out.data());
  }
  if (out != Input()) state.SkipWithError("decoder disagrees");
  state.SetBytesProcessed(state.iterations() * Input().size());
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond);

void BM_Encode(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(LzhEncode(Input()).data());
  state.SetBytesProcessed(state.iterations() * Input().size());
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMillisecond);

// Console output as usual, plus the speeds kept for the ratio at the end.
class TRateReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // With repetitions, the median speaks for the lot.
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const auto it = run.counters.find("bytes_per_second");
      if (!run.error_occurred && it != run.counters.end())
        Rates[run.run_name.function_name] = it->second.value / 1e6;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Rates;
};

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto& rates = reporter.Rates;
  std::printf("\n1 MB mixed input, %zu bytes packed\n", Packed().size());
  for (const auto& [name, rate] : rates)
    std::printf("  %-18s %8.1f MB/s\n", name.c_str(), rate);
  const auto ours = rates.find("BM_Decode"), classic = rates.find("BM_DecodeClassic");
  if (ours != rates.end() && classic != rates.end() && classic->second > 0)
    std::printf("  decoder against the classic one: %.2fx\n", ours->second / classic->second);
  benchmark::Shutdown();
  return 0;
}
