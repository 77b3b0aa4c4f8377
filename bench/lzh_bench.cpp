// LZHUF decoding: our decoder against the classic one that takes the
// stream bit by bit through the tree, on the same bytes, in one process.
// Runs are interleaved (classic, ours, ours, classic, ...) so that a slow
// moment of the machine hits both; each input prints one line
//
//   ratio NAME MIN MEDIAN MAX
//
// with the classic decoder's time over ours, for the default skin's own
// stream and 1 MB each of mixed, random and highly repetitive data. No
// arguments are needed; "--rounds N" changes the number of paired runs.
#include "core/Bmp.h"
#include "core/Lzh.h"
#include "core/SkinArchive.h"
#include "skintool/DefaultSkin.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <time.h>

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

TBytes RandomInput() {
  std::mt19937 rng(7);
  TBytes out(1u << 20);
  for (auto& b : out)
    b = static_cast<std::uint8_t>(rng());
  return out;
}

// One definition line over and over, a counter changing every few
// kilobytes: nearly every symbol is a 60-byte match.
TBytes RepetitiveInput() {
  const std::string line = "[Button.Close]\r\nAction=0\r\nAlign=1\r\nXcoord=22\r\nYcoord=6\r\n";
  TBytes out;
  for (int n = 0; out.size() < (1u << 20); ++n) {
    out.insert(out.end(), line.begin(), line.end());
    if (n % 64 == 0) out.push_back(static_cast<std::uint8_t>('0' + n / 64 % 10));
  }
  out.resize(1u << 20);
  return out;
}

// The program's own skin, drawn and packed the way the build does it.
TBytes DefaultSkinUnpacked() {
  std::vector<TSkinArchiveMember> members;
  for (const TNamedBitmap& b : DefaultSkinBitmaps())
    members.push_back({b.Name, WriteBmp(b.Image)});
  std::ifstream in(BR_DEFAULT_SKIN_INI, std::ios::binary);
  TBytes ini((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (ini.empty()) {
    std::fprintf(stderr, "cannot read %s\n", BR_DEFAULT_SKIN_INI);
    std::exit(1);
  }
  members.push_back({"skin.ini", ini});
  return BuildUnpackedArchive(members);
}

// The classic decoder as first published: a 16-bit bit buffer refilled a
// byte at a time, one call per bit while walking down the tree, output
// written byte by byte into a buffer made for it beforehand.
class TClassicDecoder {
public:
  TClassicDecoder(const TBytes& in, std::uint8_t* out) : FIn(in), FOut(out) {
    static const int codesOfLength[6] = {1, 3, 8, 12, 24, 16};
    int upper = 0, next = 0;
    for (int len = 3; len <= 8; ++len)
      for (int k = 0; k < codesOfLength[len - 3]; ++k, ++upper)
        for (int j = 0; j < (1 << (8 - len)); ++j, ++next) {
          FDCode[next] = static_cast<std::uint8_t>(upper);
          FDLen[next] = static_cast<std::uint8_t>(len);
        }
  }

  // Returns the number of bytes written (a last match may add a few).
  std::uint32_t Decode(std::uint32_t textSize) {
    StartHuff();
    for (int i = 0; i < N - F; ++i)
      FText[i] = ' ';
    int r = N - F;
    std::uint32_t count = 0;
    while (count < textSize) {
      const int c = DecodeChar();
      if (c < 256) {
        FOut[count++] = static_cast<std::uint8_t>(c);
        FText[r++] = static_cast<std::uint8_t>(c);
        r &= N - 1;
      } else {
        const int i = (r - DecodePosition() - 1) & (N - 1);
        const int j = c - 255 + Threshold;
        for (int k = 0; k < j; ++k) {
          const std::uint8_t b = FText[(i + k) & (N - 1)];
          FOut[count++] = b;
          FText[r++] = b;
          r &= N - 1;
        }
      }
    }
    return count;
  }

private:
  static constexpr int N = 4096, F = 60, Threshold = 2;
  static constexpr int NChar = 256 - Threshold + F, T = NChar * 2 - 1, R = T - 1;
  static constexpr unsigned MaxFreq = 0x8000;

  int GetC() { return FPos < FIn.size() ? FIn[FPos++] : -1; }

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
  std::uint8_t* FOut;
  std::size_t FPos = 0;
  std::uint16_t FGetBuf = 0;
  int FGetLen = 0;
  std::array<std::uint8_t, N + F - 1> FText{};
  std::array<unsigned, T + 1> FFreq{};
  std::array<int, T + NChar> FPrnt{};
  std::array<int, T> FSon{};
  std::array<std::uint8_t, 256> FDCode{}, FDLen{};
};

// The time this thread ran, where the system can tell: the machine may be
// shared, and time spent waiting for the processor belongs to neither side.
double Now() {
#if defined(CLOCK_THREAD_CPUTIME_ID)
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#else
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#endif
}

struct TInput {
  const char* Name;
  TBytes Data;
  TBytes Packed;
  int Repeats; // decodes per timed run, so that a run lasts a few milliseconds
};

template <class F> double Seconds(F&& f, int repeats) {
  const double start = Now();
  for (int i = 0; i < repeats; ++i)
    f();
  return (Now() - start) / repeats;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Both decoders must give the input back before anything is timed.
bool Agree(const TInput& in, TBytes& classicOut) {
  const auto size = static_cast<std::uint32_t>(in.Data.size());
  const std::uint32_t n = TClassicDecoder(in.Packed, classicOut.data()).Decode(size);
  const TBytes ours = LzhDecode(in.Packed, size);
  return n >= size && std::equal(in.Data.begin(), in.Data.end(), classicOut.begin()) &&
         ours.size() == n && std::equal(ours.begin(), ours.end(), classicOut.begin());
}

bool Measure(const TInput& in, int rounds) {
  const auto size = static_cast<std::uint32_t>(in.Data.size());
  TBytes classicOut(size + 64); // made once, as the classic program's output file would be
  if (!Agree(in, classicOut)) {
    std::printf("%s: the decoders disagree\n", in.Name);
    return false;
  }
  auto classic = [&] { TClassicDecoder(in.Packed, classicOut.data()).Decode(size); };
  TBytes sink;
  auto ours = [&] { sink = LzhDecode(in.Packed, size); };
  std::vector<double> ratios, classicTimes, ourTimes;
  for (int round = 0; round < rounds; ++round) {
    double c, o;
    if (round % 2 == 0) {
      c = Seconds(classic, in.Repeats);
      o = Seconds(ours, in.Repeats);
    } else {
      o = Seconds(ours, in.Repeats);
      c = Seconds(classic, in.Repeats);
    }
    classicTimes.push_back(c);
    ourTimes.push_back(o);
    ratios.push_back(c / o);
  }
  const double mb = size / 1e6;
  std::printf("# %-10s %8zu -> %8u bytes   classic %7.1f MB/s   ours %7.1f MB/s\n", in.Name,
              in.Packed.size(), size, mb / Median(classicTimes), mb / Median(ourTimes));
  std::printf("ratio %s %.2f %.2f %.2f\n", in.Name, *std::min_element(ratios.begin(), ratios.end()),
              Median(ratios), *std::max_element(ratios.begin(), ratios.end()));
  std::fflush(stdout);
  return true;
}

} // namespace

int main(int argc, char** argv) {
  int rounds = 31;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else {
      std::fprintf(stderr, "usage: %s [--rounds N]\n", argv[0]);
      return 2;
    }
  }
  std::vector<TInput> inputs;
  inputs.push_back({"skin", DefaultSkinUnpacked(), {}, 16});
  inputs.push_back({"mixed", MixedInput(), {}, 1});
  inputs.push_back({"random", RandomInput(), {}, 1});
  inputs.push_back({"repetitive", RepetitiveInput(), {}, 16});
  std::printf("# classic time over ours, %d interleaved runs each: min, median, max\n", rounds);
  bool ok = true;
  for (TInput& in : inputs) {
    in.Packed = LzhEncode(in.Data);
    ok = Measure(in, rounds) && ok;
  }
  return ok ? 0 : 1;
}
