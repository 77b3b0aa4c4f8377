#pragma once
// Reading and writing of Windows BMP files, the format of every skin image.

#include "core/Bitmap.h"

#include <cstdint>
#include <span>
#include <vector>

// Reads a complete BMP file image: 1, 4, 8, 16 (5-5-5, or 5-6-5 and other
// masks with BI_BITFIELDS), 24 and 32 bits per pixel, bottom-up and
// top-down, the old 12-byte core header and the 40-byte header and its later
// extensions, and the run-length encoded 4- and 8-bit kinds. BitsPerPixel of
// the result is the file's. A broken or truncated file gives false and an
// empty bitmap; sizes are checked against the data before anything is
// allocated.
bool ReadBmp(std::span<const std::uint8_t> data, Bitmap& out);

// A bottom-up BMP file of the bitmap with 24 or 32 bits per pixel (any other
// value means 24). An empty bitmap gives an empty result.
std::vector<std::uint8_t> WriteBmp(const Bitmap& bmp, int bitsPerPixel = 24);
