// Colour texts of skin definitions: any bytes give some colour, within 24 bits.
#include "core/ColorText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TColor c = ColorFromText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (c > 0xFFFFFF) std::abort();
  return 0;
}
