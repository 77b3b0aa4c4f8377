#include <gtest/gtest.h>

#include "core/ImgUtil.h"
#include "core/ImgUtilTestPictures.h"

namespace {

using pictures::FromText;
using pictures::ToText;
using Rows = std::vector<std::string>;

TEST(ReplaceMagenta, OnlyExactMagentaChanges) {
  Bitmap bmp(4, 1);
  bmp.Set(0, 0, clMagenta);
  bmp.Set(1, 0, 0xFE00FF);
  bmp.Set(2, 0, 0xFF01FF);
  bmp.Set(3, 0, clMagenta);
  bmp.SetBitsPerPixel(8);
  ReplaceMagenta(bmp, 0x123456);
  EXPECT_EQ(bmp.BitsPerPixel(), 24);
  EXPECT_EQ(bmp.At(0, 0), 0x123456u);
  EXPECT_EQ(bmp.At(1, 0), 0xFE00FFu);
  EXPECT_EQ(bmp.At(2, 0), 0xFF01FFu);
  EXPECT_EQ(bmp.At(3, 0), 0x123456u);
}

TEST(ReplaceMagenta, SystemColourIsConverted) {
  Bitmap bmp(1, 1, clMagenta);
  ReplaceMagenta(bmp, SysColor(COLORIDX_BTNFACE));
  EXPECT_EQ(bmp.At(0, 0), ColorToRGB(SysColor(COLORIDX_BTNFACE)));
}

TEST(Transforms, ExactPixels) {
  const Rows image = {"abc", "def"};
  struct {
    void (*Op)(Bitmap&);
    Rows Expected;
  } cases[] = {
      {MirrorBitmap, {"cba", "fed"}},
      {FlipBitmap, {"def", "abc"}},
      {RotateLeft, {"cf", "be", "ad"}},
      {RotateRight, {"da", "eb", "fc"}},
  };
  for (const auto& c : cases) {
    Bitmap bmp = FromText(image);
    bmp.SetBitsPerPixel(16);
    c.Op(bmp);
    EXPECT_EQ(ToText(bmp), c.Expected);
    EXPECT_EQ(bmp.BitsPerPixel(), 16);
  }
}

TEST(Transforms, RotateTwoByOne) {
  Bitmap left = FromText({"AB"});
  RotateLeft(left);
  EXPECT_EQ(ToText(left), (Rows{"B", "A"}));
  Bitmap right = FromText({"AB"});
  RotateRight(right);
  EXPECT_EQ(ToText(right), (Rows{"A", "B"}));
}

TEST(Transforms, RoundTrips) {
  const Bitmap original = FromText({"abcd", "efgh", "ijkl"});
  Bitmap bmp = original;
  for (int i = 0; i < 4; ++i)
    RotateLeft(bmp);
  EXPECT_EQ(bmp, original);
  RotateLeft(bmp);
  RotateRight(bmp);
  EXPECT_EQ(bmp, original);
  MirrorBitmap(bmp);
  MirrorBitmap(bmp);
  FlipBitmap(bmp);
  FlipBitmap(bmp);
  EXPECT_EQ(bmp, original);
  // Odd sizes keep their middle row and column.
  Bitmap one = FromText({"abc", "def", "ghi"});
  FlipBitmap(one);
  MirrorBitmap(one);
  EXPECT_EQ(ToText(one), (Rows{"ihg", "fed", "cba"}));
}

TEST(Transforms, EmptyBitmapsStayEmpty) {
  for (auto op : {MirrorBitmap, FlipBitmap, RotateLeft, RotateRight}) {
    Bitmap bmp;
    op(bmp);
    EXPECT_TRUE(bmp.Empty());
  }
}

TEST(RegionRuns, RunsRowByRow) {
  Bitmap bmp = FromText({"#ab#c", "#####", "abcde", "a#b##"});
  bmp.SetBitsPerPixel(24);
  const std::vector<TRect> runs = RegionRuns(bmp, 10, 20, 1, 1, 1, clMagenta);
  EXPECT_EQ(bmp.BitsPerPixel(), 32);
  const std::vector<TRect> expected = {
      {11, 20, 13, 21}, {14, 20, 15, 21}, {10, 22, 15, 23}, {10, 23, 11, 24}, {12, 23, 13, 24}};
  EXPECT_EQ(runs, expected);
}

TEST(RegionRuns, ToleranceRule) {
  // Transparent when each channel lies in [key, key + tolerance], capped at 255.
  struct {
    TColor Pixel;
    int TolB, TolG, TolR;
    TColor Key;
    bool Transparent;
  } cases[] = {
      {0xFF00FF, 1, 1, 1, clMagenta, true},
      {0xFE00FF, 1, 1, 1, clMagenta, false}, // blue below the key
      {0xFF01FF, 1, 1, 1, clMagenta, true},  // green within one
      {0xFF02FF, 1, 1, 1, clMagenta, false},
      {0xFF02FF, 1, 2, 1, clMagenta, true},
      {0x102030, 0, 0, 0, 0x102030, true},
      {0x102031, 0, 0, 0, 0x102030, false},
      {0x102031, 0, 0, 1, 0x102030, true},  // red tolerance
      {0x112030, 0, 0, 1, 0x102030, false}, // blue has none
      {0x112030, 1, 0, 0, 0x102030, true},
      {0x102030, 0, 0, -1, 0x102030, false}, // an empty range holds nothing
      {0xFFFFFF, 300, 300, 300, 0xF0F0F0, true},
  };
  for (const auto& c : cases) {
    Bitmap bmp(1, 1, c.Pixel);
    const bool transparent = RegionRuns(bmp, 0, 0, c.TolB, c.TolG, c.TolR, c.Key).empty();
    EXPECT_EQ(transparent, c.Transparent) << std::hex << c.Pixel << " key " << c.Key;
  }
}

TEST(RegionRuns, OffsetsNeverOverflow) {
  Bitmap bmp(2, 1, clBlack);
  const std::vector<TRect> runs = RegionRuns(bmp, INT_MAX, INT_MAX, 1, 1, 1, clMagenta);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], (TRect{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
  Bitmap none;
  EXPECT_TRUE(RegionRuns(none, 0, 0, 1, 1, 1, clMagenta).empty());
}

} // namespace
