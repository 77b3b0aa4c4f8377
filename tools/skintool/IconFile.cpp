#include "skintool/IconFile.h"

#include <stdexcept>

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Bytes of one image: the bitmap header (height doubled, as icons count the
// mask), the colour rows bottom-up, then the mask rows padded to 32 bits.
std::vector<std::uint8_t> ImageBytes(const TIconImage& image) {
  const int n = image.Size;
  const int maskStride = (n + 31) / 32 * 4;
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(n));
  Put32(out, static_cast<std::uint32_t>(2 * n));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0); // BI_RGB
  Put32(out, static_cast<std::uint32_t>(n * n * 4 + maskStride * n));
  for (int i = 0; i < 4; ++i)
    Put32(out, 0);
  for (int y = n - 1; y >= 0; --y)
    for (int x = 0; x < n; ++x)
      Put32(out, image.Argb[static_cast<std::size_t>(y) * n + x]);
  for (int y = n - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
    for (int x = 0; x < n; ++x)
      if ((image.Argb[static_cast<std::size_t>(y) * n + x] >> 24) == 0)
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

} // namespace

std::vector<std::uint8_t> WriteIconFile(const std::vector<TIconImage>& images) {
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const auto& image : images) {
    if (image.Size < 1 || image.Size > 256 ||
        image.Argb.size() != static_cast<std::size_t>(image.Size) * image.Size)
      throw std::invalid_argument("icon image: size and pixels do not match");
    bodies.push_back(ImageBytes(image));
  }
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1); // icon
  Put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const auto side = static_cast<std::uint8_t>(images[i].Size == 256 ? 0 : images[i].Size);
    out.push_back(side);
    out.push_back(side);
    out.push_back(0); // no palette
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const auto& body : bodies)
    out.insert(out.end(), body.begin(), body.end());
  return out;
}
