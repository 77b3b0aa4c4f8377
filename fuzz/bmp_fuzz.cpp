// Skin images come from archives that anybody can write: any bytes must
// give a bitmap or a refusal, never a crash or a runaway allocation. What
// is read must survive a write and a second read unchanged.
#include "core/Bmp.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bitmap bmp;
  if (!ReadBmp(std::span<const std::uint8_t>(data, size), bmp)) {
    if (!bmp.Empty()) std::abort();
    return 0;
  }
  if (bmp.Empty()) std::abort();
  const std::vector<std::uint8_t> written = WriteBmp(bmp, 24);
  Bitmap again;
  if (!ReadBmp(written, again) || !(again == bmp)) std::abort();
  return 0;
}
