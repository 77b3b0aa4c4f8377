#pragma once
// Building skin archives byte by byte in tests.

#include "core/Lzh.h"

#include <cstdint>
#include <vector>

namespace archivetest {

using TBytes = std::vector<std::uint8_t>;

inline void PutLE32(TBytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The stored form of an unpacked layout: its size, then the LZHUF stream.
inline TBytes Pack(const TBytes& unpacked) {
  TBytes out;
  PutLE32(out, static_cast<std::uint32_t>(unpacked.size()));
  const TBytes bits = LzhEncode(unpacked);
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}

} // namespace archivetest
