#pragma once
// A bitmap in memory: the pixels of skin images and of everything the skin
// engine composes before it goes to the screen.
//
// Pixels are stored top-down, 32 bits each, in the byte order of a 32-bit
// device-independent bitmap (blue, green, red, unused), so a row can be
// handed to the system as it is. Colours (TColor, red in the low byte) go
// in and out through At and Set. BitsPerPixel records the pixel format the
// bitmap notionally has (what it was read as, or converted to); the stored
// pixels do not depend on it.

#include "core/Color.h"

#include <cstdint>
#include <vector>

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0; // Right and Bottom are exclusive
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect&) const = default;
};

inline TRect RectOf(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// A pixel as stored (0x00RRGGBB) from a colour (0x00BBGGRR) and back.
constexpr std::uint32_t ColorToPixel(TColor c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr TColor PixelToColor(std::uint32_t p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

class Bitmap {
public:
  Bitmap() = default;
  Bitmap(int width, int height, TColor fill = clBlack);
  Bitmap(const Bitmap&) = default;
  Bitmap(Bitmap&& other) noexcept; // leaves other empty
  Bitmap& operator=(const Bitmap& other);
  Bitmap& operator=(Bitmap&& other) noexcept;

  // Grows whenever this bitmap's pixels or size may have changed: by every
  // assignment and every call that can write (Set, FillRect, Reset, and the
  // non-const Row and Pixels). Whoever keeps a copy made from the pixels
  // (a GDI form, say) compares it to tell that the copy is stale.
  std::uint64_t Revision() const { return FRevision; }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth <= 0 || FHeight <= 0; }
  int BitsPerPixel() const { return FBitsPerPixel; }
  void SetBitsPerPixel(int bits) { FBitsPerPixel = bits; }

  // Resizes to width x height filled with one colour (an empty bitmap when
  // either is 0 or less).
  void Reset(int width, int height, TColor fill = clBlack);
  void Clear() { Reset(0, 0); }

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }
  // The colour at (x, y); black outside the bitmap.
  TColor At(int x, int y) const;
  // Sets the colour at (x, y); nothing outside the bitmap.
  void Set(int x, int y, TColor c);

  std::uint32_t* Row(int y) {
    ++FRevision;
    return FPixels.data() + static_cast<std::size_t>(y) * FWidth;
  }
  const std::uint32_t* Row(int y) const {
    return FPixels.data() + static_cast<std::size_t>(y) * FWidth;
  }
  std::vector<std::uint32_t>& Pixels() {
    ++FRevision;
    return FPixels;
  }
  const std::vector<std::uint32_t>& Pixels() const { return FPixels; }

  // Fills a rectangle (clipped to the bitmap) with one colour.
  void FillRect(const TRect& r, TColor c);

  bool operator==(const Bitmap& other) const {
    return FWidth == other.FWidth && FHeight == other.FHeight && FPixels == other.FPixels;
  }

private:
  int FWidth = 0;
  int FHeight = 0;
  int FBitsPerPixel = 24;
  std::uint64_t FRevision = 0;
  std::vector<std::uint32_t> FPixels;
};
