#include "core/Lzh.h"

#include "core/LzhSymbols.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <memory>
#include <new>
#include <stdexcept>

const char* const SLzhNoMemory = "LZH : Cannot get memory for dictionary tables";
const char* const SLzhFreeMemory = "LZH : Error freeing memory for dictionary tables";

namespace {

constexpr int RingSize = 4096;
constexpr int RingMask = RingSize - 1;
constexpr int MaxMatch = 60;
constexpr int Threshold = 2; // matches of this length or less are sent as literals
constexpr int RingStart = RingSize - MaxMatch;
constexpr int SymbolCount = 256 - Threshold + MaxMatch; // 314
constexpr int NodeCount = SymbolCount * 2 - 1;          // 627
static_assert(SymbolCount == LzhSymbolCount);
constexpr int Root = NodeCount - 1;
constexpr unsigned MaxFreq = 0x8000;
constexpr std::size_t IoChunk = 64 * 1024;

// The classic position code: the upper 6 bits of a match position have a
// prefix code of 3 to 8 bits (1 code of 3 bits, 3 of 4, 8 of 5, 12 of 6,
// 24 of 7 and 16 of 8), the lower 6 bits follow as they are. The decoder
// looks the prefix up by the next 8 bits.
struct TPositionTables {
  std::array<std::uint8_t, 256> DecodeUpper{};
  std::array<std::uint8_t, 256> DecodeLen{};
  std::array<std::uint8_t, 64> EncodeCode{}; // left-aligned in 8 bits
  std::array<std::uint8_t, 64> EncodeLen{};
};

constexpr TPositionTables MakePositionTables() {
  TPositionTables t;
  constexpr int codesOfLength[6] = {1, 3, 8, 12, 24, 16};
  int upper = 0, next = 0;
  for (int len = 3; len <= 8; ++len) {
    for (int k = 0; k < codesOfLength[len - 3]; ++k, ++upper) {
      t.EncodeCode[upper] = static_cast<std::uint8_t>(next);
      t.EncodeLen[upper] = static_cast<std::uint8_t>(len);
      for (int j = 0; j < (1 << (8 - len)); ++j, ++next) {
        t.DecodeUpper[next] = static_cast<std::uint8_t>(upper);
        t.DecodeLen[next] = static_cast<std::uint8_t>(len);
      }
    }
  }
  return t;
}

constexpr TPositionTables Positions = MakePositionTables();
static_assert(Positions.EncodeCode[63] == 0xFF && Positions.DecodeUpper[0x20] == 1);

// The adaptive Huffman tree. Nodes are kept in order of their counts;
// Son holds, for an inner node, the first of its two children (the second
// is next to it) and, for a leaf, Leaf(symbol).
struct THuffTree {
  // Counts and parents by node; from NodeCount on, two entries per leaf, of
  // which the first holds the leaf's parent and the second takes the store
  // that setting both children's parent writes. Counts there are higher
  // than any node's, which stops the searches in LastBelow.
  static constexpr int Entries = NodeCount + 2 * SymbolCount;
  std::array<std::uint16_t, Entries> Freq;
  std::array<std::uint16_t, Entries> Parent;
  std::array<std::uint16_t, NodeCount> Son;

  // A decoder walks the first levels through a table whose entries are
  // filled when first used. The entries that went through a node form one
  // block of the table (the prefixes that lead to the node); a node whose
  // children an entry followed is marked, and moving a marked node makes
  // only its block stale.
  static constexpr int TableBits = 8;
  struct TEntry {
    std::uint16_t Node;
    std::uint8_t Used;
    std::uint8_t Valid;
  };
  std::array<TEntry, 1 << TableBits> Table;
  std::array<std::uint8_t, NodeCount> Marked;

  static constexpr unsigned Leaf(int symbol) { return NodeCount + 2 * symbol; }
  static constexpr int SymbolOf(unsigned leaf) { return static_cast<int>(leaf - NodeCount) >> 1; }

  void Start() {
    Freq.fill(0xFFFF);
    Parent.fill(0);
    for (int i = 0; i < SymbolCount; ++i) {
      Freq[i] = 1;
      Son[i] = static_cast<std::uint16_t>(Leaf(i));
      Parent[Leaf(i)] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0, j = SymbolCount; j <= Root; i += 2, ++j) {
      Freq[j] = static_cast<std::uint16_t>(Freq[i] + Freq[i + 1]);
      Son[j] = static_cast<std::uint16_t>(i);
      Parent[i] = Parent[i + 1] = static_cast<std::uint16_t>(j);
    }
    Parent[Root] = 0;
    ForgetTable();
  }

  void ForgetTable() {
    for (TEntry& e : Table)
      e.Valid = 0;
    Marked.fill(0);
  }

  // The entries through a marked node: its code from the root is found by
  // climbing, and a node as deep as the table reaches no entry.
  void Forget(unsigned node) {
    Marked[node] = 0;
    unsigned code = 0;
    int depth = 0;
    for (unsigned n = node; n != Root; n = Parent[n]) {
      if (++depth >= TableBits) return;
      code |= (n - Son[Parent[n]]) << (depth - 1);
    }
    const int low = TableBits - depth;
    TEntry* e = Table.data() + (code << low);
    for (int i = 0, count = 1 << low; i < count; ++i)
      e[i].Valid = 0;
  }

  const TEntry& Fill(unsigned prefix) {
    unsigned node = Root;
    int used = 0;
    for (unsigned c = Son[Root]; used < TableBits && c < NodeCount; ++used) {
      Marked[node] = 1;
      node = c + (prefix >> (TableBits - 1 - used) & 1);
      c = Son[node];
    }
    // Every prefix that shares the bits used reaches the same place.
    const TEntry e = {static_cast<std::uint16_t>(node), static_cast<std::uint8_t>(used), 1};
    const int low = TableBits - used;
    TEntry* block = Table.data() + (prefix >> low << low);
    for (int i = 0, n = 1 << low; i < n; ++i)
      block[i] = e;
    return Table[prefix];
  }

  // Counts the symbol once more, moving nodes up to keep the order: each
  // node from the leaf to the root is counted, and one that now counts
  // more than the next node trades places with the last node counting
  // less.
  void Update(int symbol) {
    if (Freq[Root] == MaxFreq) Rebuild();
    unsigned c = Parent[Leaf(symbol)];
    do {
      const unsigned k = ++Freq[c];
      if (k > Freq[c + 1]) c = MoveUp(c, k);
      c = Parent[c];
    } while (c != 0); // only the root has node 0 as parent: node 0 is always a leaf
  }

private:
  unsigned MoveUp(unsigned c, unsigned k) {
    const unsigned l = LastBelow(c, k);
    Swap(c, l, k);
    return l;
  }

  // The last node after c whose count is below k; the next one's is.
  // Counts from c + 1 on are in order, so the next 32 are compared at once,
  // which settles nearly every move without a branch, then the next 32.
  unsigned LastBelow(unsigned c, unsigned k) const {
#if defined(__SSE2__)
    const __m128i below = _mm_set1_epi16(static_cast<short>(k - 1));
    const __m128i zero = _mm_setzero_si128();
    // A count is below k when taking k - 1 from it saturates at zero.
    auto lows = [&](unsigned at) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&Freq[at]));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&Freq[at + 8]));
      const __m128i ra = _mm_cmpeq_epi16(_mm_subs_epu16(a, below), zero);
      const __m128i rb = _mm_cmpeq_epi16(_mm_subs_epu16(b, below), zero);
      return static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(ra, rb)));
    };
    unsigned l = c;
    for (;;) {
      const unsigned mask = lows(l + 1) | lows(l + 17) << 16;
      if (~mask != 0) return l + static_cast<unsigned>(__builtin_ctz(~mask));
      l += 32;
    }
#else
    unsigned l = c;
    while (Freq[l + 4] < k)
      l += 4;
    l += Freq[l + 2] < k ? 2 : 0;
    l += Freq[l + 1] < k ? 1 : 0;
    return l;
#endif
  }

  // Both children of an inner node; a leaf's second entry is unused.
  void SetParent(unsigned child, unsigned parent) {
    Parent[child] = static_cast<std::uint16_t>(parent);
    Parent[child + 1] = static_cast<std::uint16_t>(parent);
  }

  // Node c, whose count has just become k, trades places with node l.
  void Swap(unsigned c, unsigned l, unsigned k) {
    if (Marked[c]) Forget(c);
    if (Marked[l]) Forget(l);
    Freq[c] = Freq[l];
    Freq[l] = static_cast<std::uint16_t>(k);
    const unsigned i = Son[c];
    const unsigned j = Son[l];
    SetParent(i, l);
    SetParent(j, c);
    Son[l] = static_cast<std::uint16_t>(i);
    Son[c] = static_cast<std::uint16_t>(j);
  }

  // Halves every leaf count (rounding up) and builds the tree anew.
  void Rebuild() {
    ForgetTable();
    int j = 0;
    for (int i = 0; i < NodeCount; ++i) {
      if (Son[i] >= NodeCount) {
        Freq[j] = static_cast<std::uint16_t>((Freq[i] + 1) / 2);
        Son[j] = Son[i];
        ++j;
      }
    }
    for (int i = 0, n = SymbolCount; n < NodeCount; i += 2, ++n) {
      const unsigned f = Freq[i] + Freq[i + 1];
      int k = n - 1;
      while (f < Freq[k])
        --k;
      ++k;
      for (int m = n; m > k; --m) {
        Freq[m] = Freq[m - 1];
        Son[m] = Son[m - 1];
      }
      Freq[k] = static_cast<std::uint16_t>(f);
      Son[k] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0; i < NodeCount; ++i)
      SetParent(Son[i], i);
  }
};

template <class TWork> std::unique_ptr<TWork> AllocateWork() {
  try {
    return std::make_unique<TWork>();
  } catch (const std::bad_alloc&) {
    throw ElzhException(SLzhNoMemory);
  }
}

// Output gathered and handed to the write callback in chunks.
class TByteSink {
public:
  explicit TByteSink(const TLzhWriteFunc& write)
      : FWrite(write), FBuffer(std::make_unique<std::uint8_t[]>(IoChunk)) {}
  void Put(std::uint8_t b) { *Room(1) = b, Advance(1); }
  // Space for n bytes (n at most IoChunk), to be filled and then passed by
  // Advance.
  std::uint8_t* Room(std::size_t n) {
    if (IoChunk - FLength < n) Flush();
    return FBuffer.get() + FLength;
  }
  void Advance(std::size_t n) { FLength += n; }
  void Flush() {
    if (FLength > 0) FWrite(FBuffer.get(), FLength);
    FLength = 0;
  }

private:
  const TLzhWriteFunc& FWrite;
  std::unique_ptr<std::uint8_t[]> FBuffer;
  std::size_t FLength = 0;
};

// Bits written most significant first, whole bytes handed on as they fill.
class TBitSink {
public:
  explicit TBitSink(const TLzhWriteFunc& write) : FOut(write) {}
  // The low n bits of code, n at most 32.
  void Put(std::uint64_t code, int n) {
    FBits = FBits << n | (code & ((std::uint64_t{1} << n) - 1));
    FCount += n;
    while (FCount >= 8) {
      FCount -= 8;
      FOut.Put(static_cast<std::uint8_t>(FBits >> FCount));
    }
  }
  // The last partial byte, padded with zero bits.
  void Finish() {
    if (FCount > 0) Put(0, 8 - FCount);
    FOut.Flush();
  }

private:
  TByteSink FOut;
  std::uint64_t FBits = 0;
  int FCount = 0;
};

class TSymbolEncoder {
public:
  TSymbolEncoder(THuffTree& tree, const TLzhWriteFunc& write) : FTree(tree), FOut(write) {
    FTree.Start();
  }

  // The code is found from the leaf up. Codes may grow past 16 bits, but
  // a tree whose leaves count at least 1 and whose root stays at or below
  // 0x8000 is no deeper than about 22, so 32 bits hold every code.
  void EncodeSymbol(int symbol) {
    std::uint64_t code = 0;
    int len = 0;
    for (int k = FTree.Parent[THuffTree::Leaf(symbol)]; k != Root; k = FTree.Parent[k], ++len)
      code |= static_cast<std::uint64_t>(k & 1) << len;
    FOut.Put(code, len);
    FLongestCode = std::max(FLongestCode, len);
    FTree.Update(symbol);
  }

  void EncodePosition(int position) {
    const int upper = position >> 6;
    const int len = Positions.EncodeLen[upper];
    FOut.Put(Positions.EncodeCode[upper] >> (8 - len), len);
    FOut.Put(position & 0x3F, 6);
  }

  void Finish() { FOut.Finish(); }
  int LongestCode() const { return FLongestCode; }

private:
  THuffTree& FTree;
  TBitSink FOut;
  int FLongestCode = 0;
};

// The dictionary is a binary search tree per first byte over the strings
// that start at each ring position; looking a string up also finds the
// longest (and then nearest) earlier match.
struct TEncodeWork {
  THuffTree Tree;
  std::array<std::uint8_t, RingSize + MaxMatch - 1> Text; // the ring and a copy of its start
  std::array<int, RingSize + 1> Left;
  std::array<int, RingSize + 257> Right; // RingSize + 1 + b: the tree of first byte b
  std::array<int, RingSize + 1> Dad;
};

constexpr int Nil = RingSize;

class TEncoder {
public:
  TEncoder(TEncodeWork& work, const TLzhReadFunc& read, const TLzhWriteFunc& write)
      : W(work), FRead(read), FIn(IoChunk), FOut(work.Tree, write) {}

  void Run();

private:
  int NextByte();
  void InsertNode(int r);
  void DeleteNode(int p);
  void Relink(int p, int q);

  TEncodeWork& W;
  const TLzhReadFunc& FRead;
  std::vector<std::uint8_t> FIn;
  std::size_t FInPos = 0, FInEnd = 0;
  bool FExhausted = false;
  TSymbolEncoder FOut;
  int FMatchPosition = 0, FMatchLength = 0;
};

int TEncoder::NextByte() {
  if (FInPos == FInEnd) {
    if (FExhausted) return -1;
    FInPos = 0;
    FInEnd = std::min(FRead(FIn.data(), FIn.size()), FIn.size());
    if (FInEnd == 0) {
      FExhausted = true;
      return -1;
    }
  }
  return FIn[FInPos++];
}

void TEncoder::InsertNode(int r) {
  const std::uint8_t* key = &W.Text[r];
  int p = RingSize + 1 + key[0];
  int cmp = 1;
  W.Right[r] = W.Left[r] = Nil;
  FMatchLength = 0;
  for (;;) {
    int& next = cmp >= 0 ? W.Right[p] : W.Left[p];
    if (next == Nil) {
      next = r;
      W.Dad[r] = p;
      return;
    }
    p = next;
    int i = 1;
    for (; i < MaxMatch; ++i) {
      cmp = key[i] - W.Text[p + i];
      if (cmp != 0) break;
    }
    if (i > Threshold) {
      const int position = ((r - p) & RingMask) - 1;
      if (i > FMatchLength) {
        FMatchPosition = position;
        FMatchLength = i;
        if (i >= MaxMatch) break;
      } else if (i == FMatchLength && position < FMatchPosition) {
        FMatchPosition = position;
      }
    }
  }
  // A full-length match: the new string takes the old one's place.
  W.Dad[r] = W.Dad[p];
  W.Left[r] = W.Left[p];
  W.Right[r] = W.Right[p];
  W.Dad[W.Left[p]] = r;
  W.Dad[W.Right[p]] = r;
  Relink(p, r);
}

// Points p's parent at q instead and takes p out of the tree.
void TEncoder::Relink(int p, int q) {
  if (W.Right[W.Dad[p]] == p)
    W.Right[W.Dad[p]] = q;
  else
    W.Left[W.Dad[p]] = q;
  W.Dad[p] = Nil;
}

void TEncoder::DeleteNode(int p) {
  if (W.Dad[p] == Nil) return;
  int q;
  if (W.Right[p] == Nil) {
    q = W.Left[p];
  } else if (W.Left[p] == Nil) {
    q = W.Right[p];
  } else {
    q = W.Left[p];
    if (W.Right[q] != Nil) {
      while (W.Right[q] != Nil)
        q = W.Right[q];
      W.Right[W.Dad[q]] = W.Left[q];
      W.Dad[W.Left[q]] = W.Dad[q];
      W.Left[q] = W.Left[p];
      W.Dad[W.Left[p]] = q;
    }
    W.Right[q] = W.Right[p];
    W.Dad[W.Right[p]] = q;
  }
  W.Dad[q] = W.Dad[p];
  Relink(p, q);
}

void TEncoder::Run() {
  // The ring starts as spaces like the decoder's; the look-ahead area and
  // the copy of the ring's start hold zeros until data arrives.
  W.Text.fill(0);
  std::fill(W.Text.begin(), W.Text.begin() + RingStart, ' ');
  W.Right.fill(Nil);
  W.Dad.fill(Nil);
  int s = 0, r = RingStart, len = 0;
  for (int c; len < MaxMatch && (c = NextByte()) >= 0; ++len)
    W.Text[r + len] = static_cast<std::uint8_t>(c);
  if (len == 0) {
    FOut.Finish();
    return;
  }
  for (int i = 1; i <= MaxMatch; ++i)
    InsertNode(r - i);
  InsertNode(r);
  do {
    FMatchLength = std::min(FMatchLength, len);
    if (FMatchLength <= Threshold) {
      FMatchLength = 1;
      FOut.EncodeSymbol(W.Text[r]);
    } else {
      FOut.EncodeSymbol(255 - Threshold + FMatchLength);
      FOut.EncodePosition(FMatchPosition);
    }
    const int lastMatchLength = FMatchLength;
    int i = 0;
    for (int c; i < lastMatchLength && (c = NextByte()) >= 0; ++i) {
      DeleteNode(s);
      W.Text[s] = static_cast<std::uint8_t>(c);
      if (s < MaxMatch - 1) W.Text[s + RingSize] = static_cast<std::uint8_t>(c);
      s = (s + 1) & RingMask;
      r = (r + 1) & RingMask;
      InsertNode(r);
    }
    for (; i < lastMatchLength; ++i) {
      DeleteNode(s);
      s = (s + 1) & RingMask;
      r = (r + 1) & RingMask;
      if (--len > 0) InsertNode(r);
    }
  } while (len > 0);
  FOut.Finish();
}

// Bits straight from the input, most significant first, refilled eight
// bytes at a time; zero bits once the input is exhausted. Bits wait
// left-aligned in Bits, Count of them valid; the bits below may already
// hold the next input, which a refill writes again unchanged.
class TBitReader {
public:
  explicit TBitReader(std::span<const std::uint8_t> input)
      : FPos(input.data()), FEnd(input.data() + input.size()) {}

  // At least 56 bits are valid afterwards.
  void Refill() {
    if (FEnd - FPos >= 8) {
      Bits |= LoadBigEndian(FPos) >> Count;
      const int bytes = (63 - Count) >> 3;
      FPos += bytes;
      Count += bytes * 8;
      return;
    }
    while (Count <= 56) {
      const std::uint64_t b = FPos < FEnd ? *FPos++ : 0;
      Bits |= b << (56 - Count);
      Count += 8;
    }
  }
  unsigned Peek(int n) const { return static_cast<unsigned>(Bits >> (64 - n)); }
  void Skip(int n) {
    Bits <<= n;
    Count -= n;
  }

  std::uint64_t Bits = 0;
  int Count = 0;

private:
  static std::uint64_t LoadBigEndian(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
  }

  const std::uint8_t* FPos;
  const std::uint8_t* FEnd;
};

// Symbols and positions read from the bit stream, the tree updated as
// each symbol is taken.
class TSymbolDecoder {
public:
  TSymbolDecoder(THuffTree& tree, std::span<const std::uint8_t> input) : FTree(tree), FIn(input) {
    FTree.Start();
  }

  // From the root down, 0 taking the first child and 1 the second; the
  // table walks the first levels for the next few bits at once. Bits are
  // refilled for every symbol: refilling costs less than a branch on the
  // count, which the processor would guess wrong about every other symbol.
  int DecodeSymbol() {
    FIn.Refill();
    std::uint64_t bits = FIn.Bits;
    int count = FIn.Count;
    const unsigned prefix = static_cast<unsigned>(bits >> (64 - THuffTree::TableBits));
    const auto& e = FTree.Table[prefix].Valid ? FTree.Table[prefix] : FTree.Fill(prefix);
    bits <<= e.Used;
    count -= e.Used;
    unsigned c = FTree.Son[e.Node];
    while (c < NodeCount) {
      if (count == 0) {
        FIn.Bits = bits;
        FIn.Count = count;
        FIn.Refill();
        bits = FIn.Bits;
        count = FIn.Count;
      }
      c = FTree.Son[c + static_cast<unsigned>(bits >> 63)];
      bits <<= 1;
      --count;
    }
    FIn.Bits = bits;
    FIn.Count = count;
    const int symbol = THuffTree::SymbolOf(c);
    FTree.Update(symbol);
    return symbol;
  }

  int DecodePosition() {
    if (FIn.Count < 14) FIn.Refill();
    const unsigned lead = FIn.Peek(8);
    const int bits = Positions.DecodeLen[lead] + 6;
    const unsigned low = FIn.Peek(bits) & 0x3F;
    FIn.Skip(bits);
    return static_cast<int>(Positions.DecodeUpper[lead] << 6 | low);
  }

private:
  THuffTree& FTree;
  TBitReader FIn;
};

// Room after the last byte produced: a match copies a fixed amount, at
// least its longest length, whatever its own length; the bytes past it are
// overwritten by what follows.
constexpr std::size_t OutputSlack = 128;

// The output is its own history window: a match copies from earlier in
// the output, and reaches the ring's starting spaces when it points before
// the first byte.
void CopyMatch(std::uint8_t* out, std::size_t at, std::size_t distance, int len) {
  std::uint8_t* dst = out + at;
  if (distance > at) {
    const int spaces = static_cast<int>(std::min<std::size_t>(distance - at, len));
    std::memset(dst, ' ', spaces);
    for (int k = spaces; k < len; ++k)
      dst[k] = out[at + k - distance];
    return;
  }
  const std::uint8_t* src = dst - distance;
  // Blocks in order, each reading only bytes written before it.
  if (distance >= 16) {
    for (int k = 0; k < 64; k += 16)
      std::memcpy(dst + k, src + k, 16);
  } else if (distance >= 8) {
    for (int k = 0; k < 64; k += 8)
      std::memcpy(dst + k, src + k, 8);
  } else {
    // The last few bytes repeat: their pattern is spread over eight bytes
    // and stored whole, a multiple of the distance further each time,
    // rather than copied byte by byte from bytes just written.
    if constexpr (std::endian::native == std::endian::little) {
      std::uint64_t pattern;
      std::memcpy(&pattern, src, 8);
      const unsigned bits = static_cast<unsigned>(distance) * 8;
      pattern &= (std::uint64_t{1} << bits) - 1;
      for (unsigned have = bits; have < 64; have *= 2)
        pattern |= pattern << have;
      const int step = 8 - 8 % static_cast<int>(distance);
      for (int k = 0; k < 12 * step; k += step)
        std::memcpy(dst + k, &pattern, 8);
    } else {
      for (int k = 0; k < len; ++k)
        dst[k] = src[k];
    }
  }
}

struct TDecodeWork {
  THuffTree Tree;
};

// Memory to memory: the whole stream in, everything produced out.
std::vector<std::uint8_t> DecodeMemory(std::span<const std::uint8_t> bits,
                                       std::uint32_t unpackedSize) {
  auto work = AllocateWork<TDecodeWork>();
  TSymbolDecoder in(work->Tree, bits);
  std::vector<std::uint8_t> out;
  // Trust the declared size only as far as the input could honestly give;
  // beyond that (zeros after a cut stream) the output grows as it comes.
  std::size_t room = static_cast<std::size_t>(
      std::min<std::uint64_t>(unpackedSize, LzhUnpackedLimit(bits.size())));
  out.resize(room + OutputSlack);
  std::uint8_t* base = out.data();
  std::size_t produced = 0;
  while (produced < unpackedSize) {
    if (produced >= room) {
      room = std::min<std::size_t>(unpackedSize, std::max<std::size_t>(2 * room, 4096));
      out.resize(room + OutputSlack);
      base = out.data();
    }
    const int c = in.DecodeSymbol();
    if (c < 256) {
      base[produced++] = static_cast<std::uint8_t>(c);
    } else {
      const int len = c - 255 + Threshold;
      CopyMatch(base, produced, static_cast<std::size_t>(in.DecodePosition()) + 1, len);
      produced += static_cast<std::size_t>(len);
    }
  }
  out.resize(produced);
  return out;
}

TLzhReadFunc MemoryReader(std::span<const std::uint8_t> data, std::size_t& pos) {
  return [data, &pos](std::uint8_t* buffer, std::size_t count) {
    const std::size_t n = std::min(count, data.size() - pos);
    std::copy_n(data.begin() + pos, n, buffer);
    pos += n;
    return n;
  };
}

TLzhWriteFunc VectorWriter(std::vector<std::uint8_t>& out) {
  return [&out](const std::uint8_t* data, std::size_t count) {
    out.insert(out.end(), data, data + count);
  };
}

} // namespace

void TLZH::Decode(std::uint32_t unpackedSize, const TLzhReadFunc& read,
                  const TLzhWriteFunc& write) {
  // A symbol with its position takes well under 64 bits and gives at
  // least a byte, so this much input decodes the wanted size; more is
  // never read.
  const std::uint64_t enough = std::uint64_t{unpackedSize} * 8 + 16;
  std::vector<std::uint8_t> input;
  std::vector<std::uint8_t> chunk(IoChunk);
  while (input.size() < enough) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(IoChunk, enough - input.size()));
    const std::size_t n = std::min(read(chunk.data(), want), want);
    if (n == 0) break;
    input.insert(input.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
  }
  const std::vector<std::uint8_t> out = DecodeMemory(input, unpackedSize);
  if (!out.empty()) write(out.data(), out.size());
}

void TLZH::Encode(const TLzhReadFunc& read, const TLzhWriteFunc& write) {
  auto work = AllocateWork<TEncodeWork>();
  TEncoder(*work, read, write).Run();
}

std::vector<std::uint8_t> LzhDecode(std::span<const std::uint8_t> bits,
                                    std::uint32_t unpackedSize) {
  return DecodeMemory(bits, unpackedSize);
}

std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> out;
  out.reserve(data.size() / 2 + 16);
  std::size_t pos = 0;
  TLZH().Encode(MemoryReader(data, pos), VectorWriter(out));
  return out;
}

std::vector<std::uint8_t> LzhEncodeSymbols(std::span<const int> symbols, int* longestCode) {
  for (const int s : symbols)
    if (s < 0 || s >= SymbolCount) throw std::out_of_range("LZH symbol out of range");
  std::vector<std::uint8_t> out;
  auto tree = AllocateWork<THuffTree>();
  const TLzhWriteFunc write = VectorWriter(out);
  TSymbolEncoder encoder(*tree, write);
  for (const int s : symbols)
    encoder.EncodeSymbol(s);
  encoder.Finish();
  if (longestCode) *longestCode = encoder.LongestCode();
  return out;
}

std::vector<int> LzhDecodeSymbols(std::span<const std::uint8_t> bits, std::size_t count) {
  std::vector<int> out;
  auto tree = AllocateWork<THuffTree>();
  TSymbolDecoder decoder(*tree, bits);
  for (std::size_t i = 0; i < count; ++i)
    out.push_back(decoder.DecodeSymbol());
  return out;
}
