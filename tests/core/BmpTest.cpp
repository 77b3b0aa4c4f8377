#include <gtest/gtest.h>

#include "core/Bmp.h"

#include <climits>
#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Rows = std::vector<std::vector<TColor>>;

void Put(Bytes& b, std::uint32_t v, int size) {
  for (int i = 0; i < size; ++i)
    b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A BMP file put together field by field, so broken ones can be made too.
struct TBmpFile {
  std::uint32_t HeaderSize = 40;
  std::int32_t Width = 1;
  std::int32_t Height = 1;
  std::uint16_t Bits = 24;
  std::uint32_t Compression = 0;
  std::uint32_t ColorsUsed = 0;
  Bytes HeaderTail; // bytes after the first 40 of a longer header
  Bytes Table;      // masks and palette after the header
  Bytes Pixels;
  std::int64_t Offset = -1; // -1: right after the table

  Bytes Build() const {
    Bytes b = {'B', 'M'};
    const std::uint32_t offset = 14 + HeaderSize + static_cast<std::uint32_t>(Table.size());
    Put(b, 0, 4); // file size: readers ignore it
    Put(b, 0, 4);
    Put(b, Offset < 0 ? offset : static_cast<std::uint32_t>(Offset), 4);
    Put(b, HeaderSize, 4);
    if (HeaderSize == 12) {
      Put(b, Width, 2);
      Put(b, Height, 2);
      Put(b, 1, 2);
      Put(b, Bits, 2);
    } else {
      Put(b, Width, 4);
      Put(b, Height, 4);
      Put(b, 1, 2);
      Put(b, Bits, 2);
      Put(b, Compression, 4);
      Put(b, static_cast<std::uint32_t>(Pixels.size()), 4);
      Put(b, 2835, 4);
      Put(b, 2835, 4);
      Put(b, ColorsUsed, 4);
      Put(b, 0, 4);
      b.insert(b.end(), HeaderTail.begin(), HeaderTail.end());
      while (b.size() < 14 + HeaderSize)
        b.push_back(0);
    }
    b.insert(b.end(), Table.begin(), Table.end());
    b.insert(b.end(), Pixels.begin(), Pixels.end());
    return b;
  }
};

Bytes Palette(std::initializer_list<TColor> colours, int entrySize = 4) {
  Bytes b;
  for (TColor c : colours) {
    b.insert(b.end(), {static_cast<std::uint8_t>(BlueOf(c)), static_cast<std::uint8_t>(GreenOf(c)),
                       static_cast<std::uint8_t>(RedOf(c))});
    if (entrySize == 4) b.push_back(0);
  }
  return b;
}

Bytes Masks(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  Bytes out;
  Put(out, r, 4);
  Put(out, g, 4);
  Put(out, b, 4);
  return out;
}

Rows RowsOf(const Bitmap& bmp) {
  Rows rows(bmp.Height());
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      rows[y].push_back(bmp.At(x, y));
  return rows;
}

constexpr TColor kA = 0x0A141E, kB = 0x28323C, kC = 0x46505A;

TBmpFile Indexed(int bits, int w, int h, Bytes palette, Bytes pixels, std::uint32_t used = 0) {
  TBmpFile f;
  f.Bits = static_cast<std::uint16_t>(bits);
  f.Width = w;
  f.Height = h;
  f.Table = std::move(palette);
  f.Pixels = std::move(pixels);
  f.ColorsUsed = used;
  return f;
}

TBmpFile Direct(int bits, int w, int h, Bytes pixels, std::uint32_t compression = 0,
                Bytes table = {}) {
  TBmpFile f;
  f.Bits = static_cast<std::uint16_t>(bits);
  f.Width = w;
  f.Height = h;
  f.Pixels = std::move(pixels);
  f.Compression = compression;
  f.Table = std::move(table);
  return f;
}

struct TDecodeCase {
  const char* Name;
  TBmpFile File;
  Rows Expected; // top row first
};

std::vector<TDecodeCase> DecodeCases() {
  std::vector<TDecodeCase> cases;
  cases.push_back({"1 bit, bits from the high end",
                   Indexed(1, 10, 1, Palette({kA, kB}), {0xA0, 0x40, 0, 0}, 2),
                   {{kB, kA, kB, kA, kA, kA, kA, kA, kA, kB}}});
  cases.push_back({"4 bit, index past a short palette is black",
                   Indexed(4, 3, 1, Palette({kA, kB, kC}), {0x12, 0x30, 0, 0}, 3),
                   {{kB, kC, 0x000000}}});
  cases.push_back({"8 bit bottom-up",
                   Indexed(8, 2, 2, Palette({kA, kB, kC}), {2, 0, 0, 0, 1, 2, 0, 0}),
                   {{kB, kC}, {kC, kA}}});
  cases.push_back({"16 bit 5-5-5",
                   Direct(16, 3, 1, {0x00, 0x7C, 0xE0, 0x03, 0x01, 0x00, 0, 0}),
                   {{0x0000FF, 0x00FF00, 0x080000}}});
  cases.push_back({"16 bit 5-6-5 masks after the header",
                   Direct(16, 2, 1, {0x00, 0xF8, 0x20, 0x00}, 3, Masks(0xF800, 0x07E0, 0x001F)),
                   {{0x0000FF, 0x000400}}});
  TBmpFile v4 = Direct(16, 1, 1, {0x1F, 0x00, 0, 0}, 3);
  v4.HeaderSize = 108;
  v4.HeaderTail = Masks(0x001F, 0x07E0, 0xF800); // red in the low bits
  cases.push_back({"16 bit masks inside a version 4 header", v4, {{0x0000FF}}});
  cases.push_back({"24 bit top-down, padded rows",
                   Direct(24, 1, -2, {1, 2, 3, 0, 4, 5, 6, 0}),
                   {{MakeColor(3, 2, 1)}, {MakeColor(6, 5, 4)}}});
  cases.push_back({"32 bit, the fourth byte ignored",
                   Direct(32, 1, 1, {1, 2, 3, 0xFF}),
                   {{MakeColor(3, 2, 1)}}});
  cases.push_back({"32 bit masks with red low",
                   Direct(32, 1, 1, {1, 2, 3, 4}, 3, Masks(0xFF, 0xFF00, 0xFF0000)),
                   {{MakeColor(1, 2, 3)}}});
  TBmpFile core = Indexed(8, 2, 1, Palette({kA, kB}, 3), {1, 0, 0, 0});
  core.HeaderSize = 12;
  cases.push_back({"core header with 3-byte palette", core, {{kB, kA}}});
  TBmpFile core24 = Direct(24, 1, 1, {9, 8, 7, 0});
  core24.HeaderSize = 12;
  cases.push_back({"core header 24 bit", core24, {{MakeColor(7, 8, 9)}}});
  TBmpFile zeroOffset = Direct(24, 1, 1, {9, 8, 7, 0});
  zeroOffset.Offset = 0;
  cases.push_back({"zero pixel offset", zeroOffset, {{MakeColor(7, 8, 9)}}});
  TBmpFile gap = Direct(24, 1, 1, {0xEE, 0xEE, 9, 8, 7, 0});
  gap.Offset = 14 + 40 + 2;
  cases.push_back({"pixels after a gap", gap, {{MakeColor(7, 8, 9)}}});
  // Run-length: row 0 (bottom) = run of 3 x index 1, end of line; row 1 =
  // absolute 0,2,1 (padded), delta right 1 and up 1; row 2 = x 4 gets
  // index 2, then end of bitmap.
  TBmpFile rle8 = Indexed(8, 5, 3, Palette({kA, kB, kC}),
                          {3, 1, 0, 0, 0, 3, 0, 2, 1, 0, 0, 2, 1, 1, 1, 2, 0, 1});
  rle8.Compression = 1;
  cases.push_back(
      {"run-length 8 bit", rle8, {{0, 0, 0, 0, kC}, {kA, kC, kB, 0, 0}, {kB, kB, kB, 0, 0}}});
  TBmpFile rle4 = Indexed(4, 6, 1, Palette({kA, kB, kC}), {3, 0x12, 0, 3, 0x20, 0x10, 0, 1});
  rle4.Compression = 2;
  cases.push_back({"run-length 4 bit", rle4, {{kB, kC, kB, kC, kA, kB}}});
  TBmpFile clipped = Indexed(8, 2, 1, Palette({kA, kB}), {5, 1, 0, 2, 9, 9, 3, 0, 0, 0, 0});
  clipped.Compression = 1;
  cases.push_back({"run-length past the edges is dropped", clipped, {{kB, kB}}});
  return cases;
}

TEST(ReadBmp, DecodesEveryKind) {
  for (const TDecodeCase& c : DecodeCases()) {
    const Bytes data = c.File.Build();
    Bitmap bmp;
    ASSERT_TRUE(ReadBmp(data, bmp)) << c.Name;
    EXPECT_EQ(RowsOf(bmp), c.Expected) << c.Name;
    EXPECT_EQ(bmp.BitsPerPixel(), c.File.Bits) << c.Name;
  }
}

TEST(ReadBmp, EveryChannelWidthReachesFullScale) {
  // 5 bits: 31 -> 255, 16 -> 132, 1 -> 8; 6 bits: 63 -> 255, 32 -> 130.
  const Bytes pixels = {0xFF, 0x7F, 0x10, 0x42, 0x21, 0x00, 0, 0};
  const Bytes data = Direct(16, 3, 1, pixels, 3, Masks(0x7C00, 0x03E0, 0x001F)).Build();
  Bitmap bmp;
  ASSERT_TRUE(ReadBmp(data, bmp));
  EXPECT_EQ(bmp.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(bmp.At(1, 0), MakeColor(132, 132, 132));
  EXPECT_EQ(bmp.At(2, 0), MakeColor(0, 8, 8));
  const Bytes six = Direct(16, 1, 1, {0x00, 0x04, 0, 0}, 3, Masks(0, 0x07E0, 0)).Build();
  ASSERT_TRUE(ReadBmp(six, bmp));
  EXPECT_EQ(bmp.At(0, 0), MakeColor(0, 130, 0));
}

TEST(ReadBmp, RefusesBrokenFiles) {
  const TBmpFile good = Direct(24, 2, 2, Bytes(16, 7));
  std::vector<std::pair<const char*, Bytes>> cases;
  auto add = [&](const char* name, auto change) {
    TBmpFile f = good;
    change(f);
    cases.push_back({name, f.Build()});
  };
  cases.push_back({"empty", {}});
  cases.push_back({"magic only", {'B', 'M'}});
  Bytes wrongMagic = good.Build();
  wrongMagic[0] = 'M';
  cases.push_back({"wrong magic", wrongMagic});
  Bytes cut = good.Build();
  cut.resize(30);
  cases.push_back({"header cut short", cut});
  TBmpFile longHeader = good;
  longHeader.HeaderSize = 4000;
  Bytes longCut = longHeader.Build();
  longCut.resize(200);
  cases.push_back({"header size past the end", longCut});
  add("zero width", [](TBmpFile& f) { f.Width = 0; });
  add("negative width", [](TBmpFile& f) { f.Width = -2; });
  add("zero height", [](TBmpFile& f) { f.Height = 0; });
  add("most negative height", [](TBmpFile& f) { f.Height = INT_MIN; });
  add("2 bits", [](TBmpFile& f) { f.Bits = 2; });
  add("0 bits", [](TBmpFile& f) { f.Bits = 0; });
  add("jpeg inside", [](TBmpFile& f) { f.Compression = 4; });
  add("masks on 24 bit", [](TBmpFile& f) { f.Compression = 3; });
  add("run-length on 24 bit", [](TBmpFile& f) { f.Compression = 1; });
  add("header size 39", [](TBmpFile& f) { f.HeaderSize = 39; });
  add("pixels cut short", [](TBmpFile& f) { f.Pixels.resize(15); });
  add("offset past the end", [](TBmpFile& f) { f.Offset = 1000; });
  add("offset into the header", [](TBmpFile& f) { f.Offset = 20; });
  add("huge size, little data", [](TBmpFile& f) {
    f.Width = INT_MAX;
    f.Height = INT_MAX;
  });
  add("huge top-down", [](TBmpFile& f) { f.Height = -INT_MAX; });
  add("huge 1 bit", [](TBmpFile& f) {
    f.Bits = 1;
    f.Width = 1 << 30;
    f.Table = Palette({kA, kB});
  });
  add("palette past the end", [](TBmpFile& f) {
    f.Bits = 8;
    f.Pixels.clear();
  });
  add("bitfield masks missing", [](TBmpFile& f) {
    f.Bits = 32;
    f.Compression = 3;
    f.Pixels.clear();
  });
  add("huge colour count", [](TBmpFile& f) {
    f.Bits = 8;
    f.Offset = 0;
    f.ColorsUsed = 0xFFFFFFFF;
    f.Table = Bytes(1024, 0);
  });
  add("run-length top-down", [](TBmpFile& f) {
    f.Bits = 8;
    f.Height = -2;
    f.Compression = 1;
    f.Table = Palette({kA});
    f.Pixels = {0, 1};
  });
  add("run-length absolute cut short", [](TBmpFile& f) {
    f.Bits = 8;
    f.Compression = 1;
    f.Table = Palette({kA});
    f.Pixels = {0, 9, 1, 1};
  });
  add("run-length delta cut short", [](TBmpFile& f) {
    f.Bits = 8;
    f.Compression = 1;
    f.Table = Palette({kA});
    f.Pixels = {0, 2, 1};
  });
  add("run-length huge claim", [](TBmpFile& f) {
    f.Bits = 8;
    f.Compression = 1;
    f.Width = 60000;
    f.Height = 60000;
    f.Table = Palette({kA});
    f.Pixels = {0, 1};
  });
  for (const auto& [name, data] : cases) {
    Bitmap bmp(3, 3);
    EXPECT_FALSE(ReadBmp(data, bmp)) << name;
    EXPECT_TRUE(bmp.Empty()) << name;
  }
}

TEST(ReadBmp, RunLengthWithoutEndMarkKeepsWhatWasDecoded) {
  TBmpFile f = Indexed(8, 2, 2, Palette({kA, kB}), {2, 1});
  f.Compression = 1;
  Bitmap bmp;
  ASSERT_TRUE(ReadBmp(f.Build(), bmp));
  EXPECT_EQ(RowsOf(bmp), (Rows{{0, 0}, {kB, kB}}));
}

TEST(WriteBmp, ExactBytes) {
  Bitmap bmp(2, 1);
  bmp.Set(0, 0, MakeColor(1, 2, 3));
  bmp.Set(1, 0, MakeColor(4, 5, 6));
  const Bytes data = WriteBmp(bmp);
  const Bytes expected = {
      'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                    // file header
      40,  0,   0,  0, 2, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0, // size .. compression
      8,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, // image size .. important
      3,   2,   1,  6, 5, 4, 0, 0};                                      // one padded row
  EXPECT_EQ(data, expected);
  const Bytes wide = WriteBmp(bmp, 32);
  ASSERT_EQ(wide.size(), 54u + 8u);
  EXPECT_EQ(wide[28], 32);
  EXPECT_EQ(Bytes(wide.begin() + 54, wide.end()), (Bytes{3, 2, 1, 0, 6, 5, 4, 0}));
  EXPECT_TRUE(WriteBmp(Bitmap()).empty());
  EXPECT_EQ(WriteBmp(bmp, 8), data); // anything else is 24 bit
}

TEST(WriteBmp, RoundTrips) {
  for (int bits : {24, 32})
    for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {5, 3}, {4, 7}}) {
      Bitmap bmp(w, h);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          bmp.Set(x, y, MakeColor(x * 40, y * 30, x * y + 1));
      Bitmap back;
      ASSERT_TRUE(ReadBmp(WriteBmp(bmp, bits), back)) << bits << " " << w << "x" << h;
      EXPECT_EQ(back, bmp) << bits << " " << w << "x" << h;
      EXPECT_EQ(back.BitsPerPixel(), bits);
    }
}

} // namespace
