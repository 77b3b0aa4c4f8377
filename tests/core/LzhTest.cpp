#include <gtest/gtest.h>

#include "core/Lzh.h"
#include "core/LzhSymbols.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes BytesOf(const std::string& s) {
  return TBytes(s.begin(), s.end());
}
std::string TextOf(const TBytes& b) {
  return std::string(b.begin(), b.end());
}

// "0110 1..." to bytes, most significant bit first, zero-padded; blanks are
// only for reading.
TBytes FromBits(std::string_view bits) {
  TBytes out;
  int n = 0;
  for (const char c : bits) {
    if (c == ' ') continue;
    if (n % 8 == 0) out.push_back(0);
    if (c == '1') out.back() |= static_cast<std::uint8_t>(0x80 >> (n % 8));
    ++n;
  }
  return out;
}

// Codes worked out from the starting tree: leaf s sits at node s, the inner
// node 314 + m has the children 2m and 2m + 1, and the root 626 has 624 and
// 625. So "A" (65) climbs 65, 346, 487, 557, 592, 610, 619, 623, 625: the
// odd nodes give 1 bits, read from the root down 111001101. "t" (116) is
// the all-zero path of 8 bits. Counting a symbol once swaps its leaf with
// the last leaf still counting 1 (node 313 for the first symbol, then 312);
// no inner node moves for the first few symbols.
TEST(Lzh, HandWorkedStreams) {
  const struct {
    std::string Text;
    const char* Bits;
  } cases[] = {
      {"", ""},
      {"A", "111001101"},
      {"t", "00000000"},
      {" ", "110101100"},
      {"AB", "111001101 111001110"},
      // A, then length 3 (symbol 256, code 10001100) at position 0 (000 000000).
      {"AAAA", "111001101 10001100 000 000000"},
      // A, B, then length 3 at position 1: distance 2.
      {"ABABA", "111001101 111001110 10001100 000 000001"},
      // After "t", length 60 (symbol 313) has taken its node and code.
      {std::string(61, 't'), "00000000 00000000 000 000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    const TBytes stream = FromBits(c.Bits);
    EXPECT_EQ(LzhEncode(BytesOf(c.Text)), stream);
    EXPECT_EQ(TextOf(LzhDecode(stream, static_cast<std::uint32_t>(c.Text.size()))), c.Text);
  }
}

// An exhausted input reads as zero bits: "t", then length 60 at position 0.
// The last match is written whole even past the wanted size.
TEST(Lzh, ZerosAfterTheInput) {
  const struct {
    std::uint32_t Wanted;
    std::size_t Produced;
  } cases[] = {{0, 0}, {1, 1}, {2, 61}, {61, 61}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Wanted);
    EXPECT_EQ(TextOf(LzhDecode({}, c.Wanted)), std::string(c.Produced, 't'));
    EXPECT_EQ(TextOf(LzhDecode(TBytes(3, 0), c.Wanted)), std::string(c.Produced, 't'));
  }
}

// "A", a match of 3 at a position, then "A" again (code 11000101 by then).
// The position prefixes have 3 to 8 bits; a wrong length would spoil the
// last symbol. Positions 0 to 2 reach back to the "A" and the bytes just
// copied; the rest find the starting spaces.
TEST(Lzh, PositionCodes) {
  const struct {
    const char* PositionBits;
    const char* Copied;
  } cases[] = {
      {"000 000000", "AAA"},      // 0
      {"000 000001", " A "},      // 1
      {"000 000010", "  A"},      // 2
      {"000 111111", "   "},      // 63
      {"0010 000000", "   "},     // 64
      {"0100 111111", "   "},     // 255
      {"01010 000000", "   "},    // 256
      {"10001 111111", "   "},    // 767
      {"100100 000000", "   "},   // 768
      {"101111 111111", "   "},   // 1535
      {"1100000 000000", "   "},  // 1536
      {"1110111 111111", "   "},  // 3071
      {"11110000 000000", "   "}, // 3072
      {"11111111 111111", "   "}, // 4095: the oldest byte, about to be replaced
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.PositionBits);
    const TBytes stream =
        FromBits(std::string("111001101 10001100 ") + c.PositionBits + " 11000101");
    EXPECT_EQ(TextOf(LzhDecode(stream, 5)), "A" + std::string(c.Copied) + "A");
  }
}

TBytes RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  TBytes out(n);
  for (auto& b : out)
    b = static_cast<std::uint8_t>(rng());
  return out;
}

// Words from a small vocabulary: many matches of many lengths and distances.
TBytes WordText(std::size_t n, unsigned seed) {
  static const char* const words[] = {
      "skin", "bitmap", "[Form]", "\r\n", "Button=", "0,0,0,0", "tile", " ", "menu", "0xFF00FF"};
  std::mt19937 rng(seed);
  std::string s;
  while (s.size() < n)
    s += words[rng() % std::size(words)];
  s.resize(n);
  return BytesOf(s);
}

TEST(Lzh, RoundTrips) {
  const std::size_t sizes[] = {0, 1, 2, 3, 59, 60, 61, 4095, 4096, 4097, 70000, 1 << 20};
  for (const std::size_t n : sizes) {
    const TBytes inputs[] = {RandomBytes(n, static_cast<unsigned>(n)), WordText(n, 5),
                             TBytes(n, 'x'), TBytes(n, ' ')};
    for (const TBytes& input : inputs) {
      SCOPED_TRACE(testing::Message() << n << " bytes starting " << (n ? int(input[0]) : -1));
      const TBytes packed = LzhEncode(input);
      const TBytes back = LzhDecode(packed, static_cast<std::uint32_t>(n));
      ASSERT_EQ(back, input);
      // The reader refuses sizes beyond this bound, so honest streams must
      // stay within it.
      EXPECT_LE(n, LzhUnpackedLimit(packed.size()));
    }
  }
}

TEST(Lzh, RepeatsCompress) {
  const struct {
    TBytes Input;
    std::size_t MaxPacked;
  } cases[] = {
      {TBytes(1 << 20, 0), (1 << 20) / 40},
      {WordText(1 << 20, 9), (1 << 20) / 3},
  };
  for (const auto& c : cases)
    EXPECT_LE(LzhEncode(c.Input).size(), c.MaxPacked);
}

// The decoder and encoder read and write through callbacks in any portion.
TEST(Lzh, CallbacksInSmallPortions) {
  const TBytes input = WordText(50000, 3);
  const TBytes packed = LzhEncode(input);

  std::size_t pos = 0;
  int writes = 0;
  TBytes out;
  TLZH().Decode(
      static_cast<std::uint32_t>(input.size()),
      [&](std::uint8_t* buffer, std::size_t count) {
        if (pos == packed.size() || count == 0) return std::size_t{0};
        *buffer = packed[pos++];
        return std::size_t{1};
      },
      [&](const std::uint8_t* data, std::size_t count) {
        ++writes;
        out.insert(out.end(), data, data + count);
      });
  EXPECT_EQ(out, input);
  EXPECT_GE(writes, 1);

  pos = 0;
  TBytes packedAgain;
  TLZH().Encode(
      [&](std::uint8_t* buffer, std::size_t count) {
        const std::size_t n = std::min<std::size_t>({count, 7, input.size() - pos});
        std::copy_n(input.begin() + pos, n, buffer);
        pos += n;
        return n;
      },
      [&](const std::uint8_t* data, std::size_t count) {
        packedAgain.insert(packedAgain.end(), data, data + count);
      });
  EXPECT_EQ(packedAgain, packed);
}

// A cut stream goes on as zero bits: what came before the cut is intact
// and the wanted size is still reached.
TEST(Lzh, TruncatedStream) {
  const TBytes input = WordText(20000, 11);
  const TBytes packed = LzhEncode(input);
  for (const std::size_t keep :
       {std::size_t{0}, std::size_t{1}, packed.size() / 2, packed.size() - 1}) {
    SCOPED_TRACE(keep);
    const TBytes cut(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(keep));
    const TBytes out = LzhDecode(cut, static_cast<std::uint32_t>(input.size()));
    ASSERT_GE(out.size(), input.size());
    // A symbol with its position takes at most 36 bits and gives a byte or
    // more, so the kept bits hold at least this much of the output whole.
    const std::size_t safe = keep * 8 / 36;
    EXPECT_TRUE(
        std::equal(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(safe), out.begin()));
  }
}

// Counts that grow like the Fibonacci numbers make the tree as deep as it
// gets: the 305 unused symbols hang 8 or 9 levels below a chain of 9
// levels. Such codes are longer than 16 bits and must still be written
// whole.
TEST(Lzh, CodesLongerThan16Bits) {
  const int used = 9;
  std::vector<long> weight, total{LzhSymbolCount - used};
  for (int j = 0; j < used; ++j) {
    weight.push_back(j < 2 ? total[0] + 1 + j : total[j - 1] + 1);
    total.push_back(total[j] + weight[j]);
  }
  std::vector<int> symbols;
  for (int j = 0; j < used; ++j)
    for (long i = 1; i < weight[j]; ++i)
      symbols.push_back(256 + j);
  std::shuffle(symbols.begin(), symbols.end(), std::mt19937(1));
  // Now the rarely seen symbols, each once, from deep in the tree.
  for (const int rare : {0, 100, 255, 300, 313})
    symbols.push_back(rare);
  ASSERT_LT(total.back(), 0x8000); // no rebuild yet

  int longest = 0;
  const TBytes bits = LzhEncodeSymbols(symbols, &longest);
  EXPECT_GT(longest, 16);
  EXPECT_EQ(LzhDecodeSymbols(bits, symbols.size()), symbols);
}

// Past the rebuild at a root count of 0x8000, with a skewed mix.
TEST(Lzh, SymbolsAcrossRebuilds) {
  std::mt19937 rng(4);
  std::geometric_distribution<int> skew(0.05);
  std::vector<int> symbols(200000);
  for (int& s : symbols)
    s = std::min(skew(rng), LzhSymbolCount - 1);
  EXPECT_EQ(LzhDecodeSymbols(LzhEncodeSymbols(symbols), symbols.size()), symbols);
}

TEST(Lzh, SymbolRangeIsChecked) {
  for (const int bad : {-1, LzhSymbolCount}) {
    const int symbols[] = {1, bad};
    EXPECT_THROW(LzhEncodeSymbols(symbols), std::out_of_range);
  }
}

} // namespace
