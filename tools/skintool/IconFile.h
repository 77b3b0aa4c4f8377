#pragma once
// Windows icon files (.ico) with 32-bit images: straight alpha in the
// colour bitmap, and the AND mask set where a pixel is fully transparent.

#include <cstdint>
#include <vector>

struct TIconImage {
  int Size = 0;                    // square, 1 to 256 pixels
  std::vector<std::uint32_t> Argb; // Size * Size pixels, top row first, 0xAARRGGBB
};

// Throws std::invalid_argument for a size out of range or a pixel count
// that does not match it.
std::vector<std::uint8_t> WriteIconFile(const std::vector<TIconImage>& images);
