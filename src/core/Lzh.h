#pragma once
// LZHUF: an LZSS sliding dictionary whose literals, match lengths and match
// positions are coded with an adaptively updated Huffman tree (Okumura and
// Yoshizaki). Skin archives are packed with it, using the classic
// parameters: a 4096-byte ring that starts as spaces, matches of 3 to 60
// bytes, and the tree rebuilt when its root count reaches 0x8000.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <vector>

class ElzhException : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

extern const char* const SLzhNoMemory;   // "LZH : Cannot get memory for dictionary tables"
extern const char* const SLzhFreeMemory; // "LZH : Error freeing memory for dictionary tables"

// Reads up to count bytes into buffer and returns how many it read; 0 means
// the input is exhausted.
using TLzhReadFunc = std::function<std::size_t(std::uint8_t* buffer, std::size_t count)>;
using TLzhWriteFunc = std::function<void(const std::uint8_t* data, std::size_t count)>;

class TLZH {
public:
  // Decodes until at least unpackedSize bytes were produced (a final match
  // may give a few more, which are written too). Once the input is
  // exhausted, zero bytes are supplied, so a truncated stream still ends.
  // Throws ElzhException when its work tables cannot be allocated.
  void Decode(std::uint32_t unpackedSize, const TLzhReadFunc& read, const TLzhWriteFunc& write);
  // The matching encoder: codes everything read until the input is
  // exhausted. The byte count is not part of the stream; callers keep it.
  void Encode(const TLzhReadFunc& read, const TLzhWriteFunc& write);
};

// Every match costs at least 10 bits (one for the shortest Huffman code,
// nine for the position) and yields at most 60 bytes, so a stream of n
// bytes cannot honestly stand for more than 48 * n bytes.
constexpr std::uint64_t LzhMaxExpansion = 48;
constexpr std::uint64_t LzhUnpackedLimit(std::size_t packedBytes) {
  return LzhMaxExpansion * static_cast<std::uint64_t>(packedBytes);
}

// Convenience forms on memory. LzhDecode returns everything the decoder
// produced, so possibly a few bytes more than unpackedSize.
std::vector<std::uint8_t> LzhDecode(std::span<const std::uint8_t> bits, std::uint32_t unpackedSize);
std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data);
