#pragma once
// The adaptive Huffman layer of LZHUF on its own: symbols 0 to 313 (the
// bytes, then the match lengths 3 to 60) without match positions. Lets
// tests drive the tree into shapes that ordinary data reaches only rarely.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

constexpr int LzhSymbolCount = 314;

// Throws std::out_of_range for a symbol outside 0..313. longestCode, when
// given, receives the length in bits of the longest code written.
std::vector<std::uint8_t> LzhEncodeSymbols(std::span<const int> symbols,
                                           int* longestCode = nullptr);
std::vector<int> LzhDecodeSymbols(std::span<const std::uint8_t> bits, std::size_t count);
