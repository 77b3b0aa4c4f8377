// BMP files. Every size in a header is checked against the bytes that are
// really there before any pixel memory is asked for.

#include "core/Bmp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstddef>
#include <optional>

namespace {

enum TCompression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6,
};

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
// Run-length data can describe large empty areas in few bytes, but not
// unboundedly many pixels per byte of file.
constexpr std::uint64_t kRlePixelsPerByte = 256;
constexpr std::uint64_t kRleMinPixels = 1 << 16;

std::uint16_t U16(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}
std::uint32_t U32(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::uint32_t>(d[at]) | (static_cast<std::uint32_t>(d[at + 1]) << 8) |
         (static_cast<std::uint32_t>(d[at + 2]) << 16) |
         (static_cast<std::uint32_t>(d[at + 3]) << 24);
}
std::int32_t I32(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::int32_t>(U32(d, at));
}

// One colour channel described by a bit mask of a 16- or 32-bit pixel.
struct TChannel {
  std::uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;

  explicit TChannel(std::uint32_t mask) : Mask(mask) {
    if (mask == 0) return;
    Shift = std::countr_zero(mask);
    Bits = std::bit_width(mask >> Shift);
  }
  // The channel widened to 8 bits by repeating its bits, so that full scale
  // stays full scale (31 of 5 bits becomes 255).
  int Of(std::uint32_t pixel) const {
    if (Bits == 0) return 0;
    const std::uint32_t v = (pixel & Mask) >> Shift;
    if (Bits >= 8) return static_cast<int>(v >> (Bits - 8));
    std::uint32_t wide = 0;
    int filled = 0;
    while (filled < 8) {
      wide = (wide << Bits) | v;
      filled += Bits;
    }
    return static_cast<int>((wide >> (filled - 8)) & 0xFF);
  }
};

struct THeader {
  int Width = 0;
  int Height = 0; // rows, always positive
  bool TopDown = false;
  int Bits = 0;
  std::uint32_t Compression = kRgb;
  std::array<std::uint32_t, 3> Masks{}; // red, green, blue
  std::vector<std::uint32_t> Palette;   // stored pixels
  std::size_t PixelOffset = 0;
};

bool ValidBits(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A pixel offset that leaves less room than the table claims cuts the table
// short; the missing entries read as black.
bool ReadPalette(std::span<const std::uint8_t> d, std::size_t at, std::size_t count,
                 std::size_t entrySize, THeader& h) {
  const std::size_t offset = U32(d, 10);
  if (offset > at && offset <= d.size()) count = std::min(count, (offset - at) / entrySize);
  if (at > d.size() || count > (d.size() - at) / entrySize) return false;
  h.Palette.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t e = at + i * entrySize;
    h.Palette[i] = ColorToPixel(MakeColor(d[e + 2], d[e + 1], d[e]));
  }
  return true;
}

bool ReadCoreHeader(std::span<const std::uint8_t> d, THeader& h) {
  if (d.size() < kFileHeaderSize + kCoreHeaderSize) return false;
  h.Width = U16(d, 18);
  h.Height = U16(d, 20);
  h.Bits = U16(d, 24);
  if (!ValidBits(h.Bits) || h.Bits == 16 || h.Bits == 32) return false;
  const std::size_t paletteAt = kFileHeaderSize + kCoreHeaderSize;
  if (h.Bits <= 8 && !ReadPalette(d, paletteAt, std::size_t{1} << h.Bits, 3, h)) return false;
  h.PixelOffset = paletteAt + h.Palette.size() * 3;
  return true;
}

bool CompressionFits(const THeader& h) {
  switch (h.Compression) {
  case kRgb: return true;
  case kRle8: return h.Bits == 8 && !h.TopDown;
  case kRle4: return h.Bits == 4 && !h.TopDown;
  case kBitFields:
  case kAlphaBitFields: return h.Bits == 16 || h.Bits == 32;
  default: return false;
  }
}

bool ReadInfoHeader(std::span<const std::uint8_t> d, std::size_t headerSize, THeader& h) {
  if (headerSize < kInfoHeaderSize || headerSize > d.size() - kFileHeaderSize) return false;
  const std::int32_t height = I32(d, 22);
  if (I32(d, 18) <= 0 || height == 0 || height == INT_MIN) return false;
  h.Width = I32(d, 18);
  h.Height = height < 0 ? -height : height;
  h.TopDown = height < 0;
  h.Bits = U16(d, 28);
  h.Compression = U32(d, 30);
  if (!ValidBits(h.Bits) || !CompressionFits(h)) return false;
  std::size_t after = kFileHeaderSize + headerSize;
  if (h.Compression == kBitFields || h.Compression == kAlphaBitFields) {
    // Masks live inside the longer headers, or right after the short one.
    const std::size_t masksAt = headerSize >= 52 ? kFileHeaderSize + kInfoHeaderSize : after;
    if (masksAt + 12 > d.size()) return false;
    h.Masks = {U32(d, masksAt), U32(d, masksAt + 4), U32(d, masksAt + 8)};
    if (headerSize < 52) after += h.Compression == kAlphaBitFields ? 16 : 12;
  } else if (h.Bits == 16) {
    h.Masks = {0x7C00, 0x03E0, 0x001F};
  } else if (h.Bits == 32) {
    h.Masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }
  if (h.Bits <= 8) {
    const std::size_t full = std::size_t{1} << h.Bits;
    const std::uint32_t used = U32(d, 46);
    const std::size_t count = used == 0 ? full : std::min<std::size_t>(used, full);
    if (!ReadPalette(d, after, count, 4, h)) return false;
    // The table may claim more entries than the pixels can use; they are
    // skipped, and a claim beyond the file leaves no room for pixels.
    const std::uint64_t tableBytes = std::uint64_t{used == 0 ? full : used} * 4;
    after = static_cast<std::size_t>(std::min<std::uint64_t>(after + tableBytes, d.size() + 1));
  }
  h.PixelOffset = after;
  return true;
}

bool ReadHeader(std::span<const std::uint8_t> d, THeader& h) {
  if (d.size() < kFileHeaderSize + 4 || d[0] != 'B' || d[1] != 'M') return false;
  const std::uint32_t headerSize = U32(d, kFileHeaderSize);
  const bool ok =
      headerSize == kCoreHeaderSize ? ReadCoreHeader(d, h) : ReadInfoHeader(d, headerSize, h);
  if (!ok || h.Width <= 0 || h.Height <= 0) return false;
  // A zero offset is common in hand-made files: the pixels then follow the
  // palette. An offset into the header is broken.
  const std::uint32_t offset = U32(d, 10);
  if (offset != 0) {
    if (offset < kFileHeaderSize + headerSize) return false;
    h.PixelOffset = offset;
  }
  return h.PixelOffset <= d.size();
}

std::uint32_t PaletteAt(const THeader& h, unsigned index) {
  return index < h.Palette.size() ? h.Palette[index] : 0;
}

void DecodeRow(const THeader& h, const std::uint8_t* in, std::uint32_t* out) {
  switch (h.Bits) {
  case 1:
    for (int x = 0; x < h.Width; ++x)
      out[x] = PaletteAt(h, (in[x >> 3] >> (7 - (x & 7))) & 1);
    break;
  case 4:
    for (int x = 0; x < h.Width; ++x)
      out[x] = PaletteAt(h, (x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4);
    break;
  case 8:
    for (int x = 0; x < h.Width; ++x)
      out[x] = PaletteAt(h, in[x]);
    break;
  case 24:
    for (int x = 0; x < h.Width; ++x, in += 3)
      out[x] = ColorToPixel(MakeColor(in[2], in[1], in[0]));
    break;
  default: {
    const TChannel r(h.Masks[0]), g(h.Masks[1]), b(h.Masks[2]);
    const int step = h.Bits / 8;
    for (int x = 0; x < h.Width; ++x, in += step) {
      const std::uint32_t p = step == 2 ? static_cast<std::uint32_t>(in[0] | (in[1] << 8))
                                        : static_cast<std::uint32_t>(in[0]) | (in[1] << 8) |
                                              (in[2] << 16) | (std::uint32_t{in[3]} << 24);
      out[x] = ColorToPixel(MakeColor(r.Of(p), g.Of(p), b.Of(p)));
    }
  }
  }
}

bool DecodePlain(std::span<const std::uint8_t> d, const THeader& h, Bitmap& out) {
  const std::uint64_t stride =
      (std::uint64_t{static_cast<unsigned>(h.Width)} * h.Bits + 31) / 32 * 4;
  const std::uint64_t available = d.size() - h.PixelOffset;
  if (stride == 0 || static_cast<std::uint64_t>(h.Height) > available / stride) return false;
  out.Reset(h.Width, h.Height);
  for (int row = 0; row < h.Height; ++row) {
    const std::uint8_t* in = d.data() + h.PixelOffset + row * stride;
    DecodeRow(h, in, out.Row(h.TopDown ? row : h.Height - 1 - row));
  }
  return true;
}

// The run-length decoder: rows counted from the bottom; pixels that fall
// outside the bitmap are dropped; skipped pixels stay black.
class TRleDecoder {
public:
  TRleDecoder(std::span<const std::uint8_t> d, const THeader& h, Bitmap& out)
      : FData(d), FPos(h.PixelOffset), FHeader(h), FOut(out) {}

  bool Run() {
    while (FRow < FHeader.Height && FPos + 2 <= FData.size()) {
      const int count = FData[FPos], value = FData[FPos + 1];
      FPos += 2;
      if (count > 0) {
        Repeat(count, value);
      } else if (value == 0) {
        FX = 0;
        ++FRow;
      } else if (value == 1) {
        return true;
      } else if (value == 2) {
        if (FPos + 2 > FData.size()) return false;
        FX += FData[FPos];
        FRow += FData[FPos + 1];
        FPos += 2;
      } else if (!Absolute(value)) {
        return false;
      }
    }
    return true; // a missing end mark is tolerated
  }

private:
  void Put(unsigned index) {
    if (FX < FHeader.Width && FRow < FHeader.Height)
      FOut.Row(FHeader.Height - 1 - FRow)[FX] = PaletteAt(FHeader, index);
    ++FX;
  }
  bool Four() const { return FHeader.Bits == 4; }
  void Repeat(int count, int value) {
    for (int i = 0; i < count; ++i)
      Put(Four() ? ((i & 1) ? value & 0x0F : value >> 4) : value);
  }
  bool Absolute(int count) {
    const std::size_t bytes = Four() ? (count + 1) / 2 : count;
    const std::size_t padded = (bytes + 1) & ~std::size_t{1};
    if (FPos + bytes > FData.size()) return false;
    for (int i = 0; i < count; ++i) {
      const int b = FData[FPos + (Four() ? i / 2 : i)];
      Put(Four() ? ((i & 1) ? b & 0x0F : b >> 4) : b);
    }
    FPos = std::min(FPos + padded, FData.size());
    return true;
  }

  std::span<const std::uint8_t> FData;
  std::size_t FPos;
  const THeader& FHeader;
  Bitmap& FOut;
  std::int64_t FX = 0; // wide: deltas and long runs may pass far beyond the bitmap
  std::int64_t FRow = 0;
};

bool DecodeRle(std::span<const std::uint8_t> d, const THeader& h, Bitmap& out) {
  const std::uint64_t pixels = std::uint64_t{static_cast<unsigned>(h.Width)} * h.Height;
  const std::uint64_t limit =
      std::max(kRleMinPixels, (d.size() - h.PixelOffset) * kRlePixelsPerByte);
  if (pixels > limit) return false;
  out.Reset(h.Width, h.Height);
  return TRleDecoder(d, h, out).Run();
}

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  v[at] = x & 0xFF;
  v[at + 1] = (x >> 8) & 0xFF;
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  Put16(v, at, x & 0xFFFF);
  Put16(v, at + 2, x >> 16);
}

} // namespace

bool ReadBmp(std::span<const std::uint8_t> data, Bitmap& out) {
  out = Bitmap();
  THeader h;
  if (!ReadHeader(data, h)) return false;
  const bool rle = h.Compression == kRle8 || h.Compression == kRle4;
  if (!(rle ? DecodeRle(data, h, out) : DecodePlain(data, h, out))) {
    out = Bitmap();
    return false;
  }
  out.SetBitsPerPixel(h.Bits);
  return true;
}

std::vector<std::uint8_t> WriteBmp(const Bitmap& bmp, int bitsPerPixel) {
  if (bmp.Empty()) return {};
  const int bits = bitsPerPixel == 32 ? 32 : 24;
  const std::size_t stride = (static_cast<std::size_t>(bmp.Width()) * bits + 31) / 32 * 4;
  const std::size_t imageSize = stride * bmp.Height();
  const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::vector<std::uint8_t> v(offset + imageSize, 0);
  v[0] = 'B';
  v[1] = 'M';
  Put32(v, 2, static_cast<std::uint32_t>(v.size()));
  Put32(v, 10, offset);
  Put32(v, 14, kInfoHeaderSize);
  Put32(v, 18, bmp.Width());
  Put32(v, 22, bmp.Height());
  Put16(v, 26, 1);
  Put16(v, 28, bits);
  Put32(v, 34, static_cast<std::uint32_t>(imageSize));
  for (int y = 0; y < bmp.Height(); ++y) {
    const std::uint32_t* row = bmp.Row(bmp.Height() - 1 - y);
    std::uint8_t* p = v.data() + offset + y * stride;
    for (int x = 0; x < bmp.Width(); ++x) {
      const std::uint32_t px = row[x];
      *p++ = px & 0xFF;
      *p++ = (px >> 8) & 0xFF;
      *p++ = (px >> 16) & 0xFF;
      if (bits == 32) *p++ = 0;
    }
  }
  return v;
}
