// Any bytes are a stream to decode and data to encode. Decoding a bounded
// size must end with that size or at most one match more; encoding must
// come back unchanged and within the expansion bound the reader relies on.
#include "core/Lzh.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  if (size >= 2) {
    // Up to 8 KB: past a full turn of the ring, yet quick.
    const std::uint32_t wanted = data[0] | (data[1] & 0x1F) << 8;
    const auto out = LzhDecode(input.subspan(2), wanted);
    if (out.size() < wanted || out.size() > wanted + 59u) std::abort();
  }
  const auto packed = LzhEncode(input);
  if (size > LzhUnpackedLimit(packed.size())) std::abort();
  const auto back = LzhDecode(packed, static_cast<std::uint32_t>(size));
  if (back.size() != size || !std::equal(back.begin(), back.end(), input.begin())) std::abort();
  return 0;
}
