#include "core/Lzh.h"

#include "core/LzhSymbols.h"

#include <algorithm>
#include <array>
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
// is next to it) and, for a leaf, the symbol plus NodeCount. Parent is
// indexed by node, and by symbol plus NodeCount for the leaves.
struct THuffTree {
  // Past the nodes, counts no node reaches: they stop the search in MoveUp.
  std::array<unsigned, NodeCount + 4> Freq;
  std::array<int, NodeCount + SymbolCount> Parent;
  std::array<int, NodeCount> Son;
  // Nodes whose children a decoder's lookup table has followed; moving one
  // of them makes the table stale.
  std::array<bool, NodeCount> InTable;
  bool TableStale = true;

  void Start() {
    for (int i = 0; i < SymbolCount; ++i) {
      Freq[i] = 1;
      Son[i] = i + NodeCount;
      Parent[i + NodeCount] = i;
    }
    for (int i = 0, j = SymbolCount; j <= Root; i += 2, ++j) {
      Freq[j] = Freq[i] + Freq[i + 1];
      Son[j] = i;
      Parent[i] = Parent[i + 1] = j;
    }
    std::fill(Freq.begin() + NodeCount, Freq.end(), 0xFFFF);
    Parent[Root] = 0;
    InTable.fill(false);
    TableStale = true;
  }

  // Counts the symbol once more, moving nodes up to keep the order.
  void Update(int symbol) {
    if (Freq[Root] == MaxFreq) Rebuild();
    // A leaf mostly has to move (many leaves share a count), so its step
    // is taken without asking; a move to its own place changes nothing.
    const int c = Parent[symbol + NodeCount];
    const unsigned k = ++Freq[c];
    const int l = LastBelow(c, k);
    Swap(c, l, k);
    Climb(Parent[l]);
  }

private:
  // Counts node c and its ancestors up to the root.
  void Climb(int c) {
    do {
      const unsigned k = ++Freq[c];
      if (k > Freq[c + 1]) c = MoveUp(c, k);
      c = Parent[c];
    } while (c != 0); // only the root has node 0 as parent: node 0 is always a leaf
  }

  // Node c has just been counted to k, more than the next node: it trades
  // places with the last node counting less than k. Returns that place.
  int MoveUp(int c, unsigned k) {
    const int l = LastBelow(c, k);
    Swap(c, l, k);
    return l;
  }

  // The last node from c on whose count is below k, or c itself. Counts
  // from c + 1 on are in order, so stride by four, then settle the last
  // few without branches.
  int LastBelow(int l, unsigned k) const {
    while (Freq[l + 4] < k)
      l += 4;
    l += Freq[l + 2] < k ? 2 : 0;
    l += Freq[l + 1] < k ? 1 : 0;
    return l;
  }

  // Node c, whose count has just become k, trades places with node l.
  void Swap(int c, int l, unsigned k) {
    if (InTable[c] || InTable[l]) TableStale = true;
    Freq[c] = Freq[l];
    Freq[l] = k;
    const int i = Son[c];
    Parent[i] = l;
    if (i < NodeCount) Parent[i + 1] = l;
    const int j = Son[l];
    Son[l] = i;
    Parent[j] = c;
    if (j < NodeCount) Parent[j + 1] = c;
    Son[c] = j;
  }

  // Halves every leaf count (rounding up) and builds the tree anew.
  void Rebuild() {
    TableStale = true;
    int j = 0;
    for (int i = 0; i < NodeCount; ++i) {
      if (Son[i] >= NodeCount) {
        Freq[j] = (Freq[i] + 1) / 2;
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
      std::copy_backward(Freq.begin() + k, Freq.begin() + n, Freq.begin() + n + 1);
      std::copy_backward(Son.begin() + k, Son.begin() + n, Son.begin() + n + 1);
      Freq[k] = f;
      Son[k] = i;
    }
    for (int i = 0; i < NodeCount; ++i) {
      const int k = Son[i];
      Parent[k] = i;
      if (k < NodeCount) Parent[k + 1] = i;
    }
  }
};

template <class TWork> std::unique_ptr<TWork> AllocateWork() {
  try {
    return std::make_unique<TWork>();
  } catch (const std::bad_alloc&) {
    throw ElzhException(SLzhNoMemory);
  }
}

// Input through the read callback in chunks; zero bits once it is exhausted.
// Bits wait left-aligned in Bits, Count of them; hot loops may take both
// into locals and hand them back before the next Refill.
class TBitSource {
public:
  explicit TBitSource(const TLzhReadFunc& read) : FRead(read), FBuffer(IoChunk) {}

  // At least 57 bits are available afterwards.
  void Refill() {
    while (Count <= 56) {
      Bits |= static_cast<std::uint64_t>(NextByte()) << (56 - Count);
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
  std::uint8_t NextByte() {
    if (FPos == FEnd) {
      if (FExhausted) return 0;
      FPos = 0;
      FEnd = std::min(FRead(FBuffer.data(), FBuffer.size()), FBuffer.size());
      if (FEnd == 0) {
        FExhausted = true;
        return 0;
      }
    }
    return FBuffer[FPos++];
  }

  const TLzhReadFunc& FRead;
  std::vector<std::uint8_t> FBuffer;
  std::size_t FPos = 0, FEnd = 0;
  bool FExhausted = false;
};

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

// Symbols and positions read from the bit stream, the tree updated as
// each symbol is taken.
class TSymbolDecoder {
public:
  TSymbolDecoder(THuffTree& tree, const TLzhReadFunc& read) : FTree(tree), FIn(read) {
    FTree.Start();
  }

  // From the root down, 0 taking the first child and 1 the second. The
  // first levels change seldom (their counts are large), so a table
  // walks them for the next few bits at once.
  int DecodeSymbol() {
    if (FTree.TableStale) BuildTable();
    if (FIn.Count < 32) FIn.Refill();
    std::uint64_t bits = FIn.Bits;
    int count = FIn.Count;
    const TTableEntry e = FTable[bits >> (64 - TableBits)];
    bits <<= e.Used;
    count -= e.Used;
    int c = FTree.Son[e.Node];
    while (c < NodeCount) {
      if (count == 0) {
        FIn.Bits = bits;
        FIn.Count = count;
        FIn.Refill();
        bits = FIn.Bits;
        count = FIn.Count;
      }
      const int node = c + static_cast<int>(bits >> 63);
      bits <<= 1;
      --count;
      c = FTree.Son[node];
    }
    FIn.Bits = bits;
    FIn.Count = count;
    c -= NodeCount;
    FTree.Update(c);
    return c;
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
  static constexpr int TableBits = 7;
  // Where the walk stands after the entry's bits: at Node, Used bits on
  // (fewer when a leaf came first). Node's own children are read afresh.
  struct TTableEntry {
    std::uint16_t Node;
    std::uint8_t Used;
  };

  void BuildTable() {
    FTree.InTable.fill(false);
    for (unsigned prefix = 0; prefix < FTable.size(); ++prefix) {
      int node = Root, used = 0;
      for (int c = FTree.Son[Root]; used < TableBits && c < NodeCount; ++used) {
        if (used > 0) FTree.InTable[node] = true;
        node = c + static_cast<int>(prefix >> (TableBits - 1 - used) & 1);
        c = FTree.Son[node];
      }
      FTable[prefix] = {static_cast<std::uint16_t>(node), static_cast<std::uint8_t>(used)};
    }
    FTree.TableStale = false;
  }

  THuffTree& FTree;
  TBitSource FIn;
  std::array<TTableEntry, 1 << TableBits> FTable;
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
    for (int k = FTree.Parent[symbol + NodeCount]; k != Root; k = FTree.Parent[k], ++len)
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

struct TDecodeWork {
  THuffTree Tree;
  std::array<std::uint8_t, RingSize> Ring;
};

class TDecoder {
public:
  TDecoder(TDecodeWork& work, const TLzhReadFunc& read, const TLzhWriteFunc& write)
      : FIn(work.Tree, read), FRing(work.Ring), FOut(write) {}

  void Run(std::uint32_t unpackedSize) {
    FRing.fill(' ');
    int r = RingStart;
    std::uint64_t produced = 0;
    while (produced < unpackedSize) {
      const int c = FIn.DecodeSymbol();
      if (c < 256) {
        FRing[r] = static_cast<std::uint8_t>(c);
        r = (r + 1) & RingMask;
        FOut.Put(static_cast<std::uint8_t>(c));
        ++produced;
      } else {
        const int from = (r - FIn.DecodePosition() - 1) & RingMask;
        const int len = c - 255 + Threshold;
        r = CopyMatch(from, r, len, FOut.Room(len));
        FOut.Advance(len);
        produced += len;
      }
    }
    FOut.Flush();
  }

private:
  // Byte by byte: source and destination may overlap in the ring.
  int CopyMatch(int from, int r, int len, std::uint8_t* out) {
    std::uint8_t* ring = FRing.data();
    for (int k = 0; k < len; ++k) {
      const std::uint8_t b = ring[(from + k) & RingMask];
      ring[r] = b;
      r = (r + 1) & RingMask;
      out[k] = b;
    }
    return r;
  }

  TSymbolDecoder FIn;
  std::array<std::uint8_t, RingSize>& FRing;
  TByteSink FOut;
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
  auto work = AllocateWork<TDecodeWork>();
  TDecoder(*work, read, write).Run(unpackedSize);
}

void TLZH::Encode(const TLzhReadFunc& read, const TLzhWriteFunc& write) {
  auto work = AllocateWork<TEncodeWork>();
  TEncoder(*work, read, write).Run();
}

std::vector<std::uint8_t> LzhDecode(std::span<const std::uint8_t> bits,
                                    std::uint32_t unpackedSize) {
  std::vector<std::uint8_t> out;
  // Trust the declared size only as far as the input could honestly give.
  out.reserve(std::min<std::uint64_t>(unpackedSize, LzhUnpackedLimit(bits.size())) + MaxMatch);
  std::size_t pos = 0;
  TLZH().Decode(unpackedSize, MemoryReader(bits, pos), VectorWriter(out));
  return out;
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
  std::size_t pos = 0;
  const TLzhReadFunc read = MemoryReader(bits, pos);
  TSymbolDecoder decoder(*tree, read);
  for (std::size_t i = 0; i < count; ++i)
    out.push_back(decoder.DecodeSymbol());
  return out;
}
