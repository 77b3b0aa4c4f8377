#include <gtest/gtest.h>

#include "core/ImgUtil.h"

#include <set>

namespace {

TEST(BlendColor, Table) {
  struct {
    TColor C1, C2;
    int W;
    TColor Expected;
  } cases[] = {
      {0x000000, 0xFFFFFF, 50, 0x808080},   // (255*50 + 50) / 100 = 128
      {0x0000FF, 0xFFFFFF, 150, 0xD9D9FF},  // 15 % red, 85 % white: 217
      {0x000000, 0xFFFFFF, 99, 0x030303},   // percent: 255*1 + 50 = 305 / 100
      {0x000000, 0xFFFFFF, 100, 0xE6E6E6},  // per mille: (255*900 + 500) / 1000 = 230
      {0x123456, 0xABCDEF, 0, 0xABCDEF},    // all of c2
      {0x123456, 0xABCDEF, 1000, 0x123456}, // all of c1
      {0xFFFFFF, 0x000000, 1, 0x030303},    // 2.55 + 0.5 rounds down to 3
      {0x010101, 0x000000, 50, 0x010101},   // 0.5 + 0.5 rounds up
      {0x000000, 0x010101, 50, 0x010101},   {0x102030, 0x102030, 37, 0x102030},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BlendColor(c.C1, c.C2, c.W), c.Expected)
        << std::hex << c.C1 << " " << c.C2 << " " << std::dec << c.W;
}

TEST(BlendColor, SystemColoursAreConvertedFirst) {
  const TColor face = ColorToRGB(SysColor(COLORIDX_BTNFACE));
  EXPECT_EQ(BlendColor(SysColor(COLORIDX_BTNFACE), clWhite, 1000), face);
  EXPECT_EQ(BlendColor(clBlack, SysColor(COLORIDX_BTNFACE), 0), face);
}

TEST(BlendColor, WeightsOutOfRangeStayInsideTheChannel) {
  EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 5000), 0xFFFFFFu);
  EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, 5000), 0x000000u);
  EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, -50), 0x000000u);
  EXPECT_EQ(BlendColor(0x000000, 0x808080, INT_MAX), 0x000000u);
}

TEST(ColorSaturation, Table) {
  struct {
    TColor C;
    int Expected;
  } cases[] = {
      {0x0000FF, 255},               // pure red
      {0x808080, 200},               // no channel above 159
      {0x9F9F9F, 200},               // 159 is not above
      {0xA0A0A0, 0},                 // grey with a channel of 160
      {MakeColor(170, 169, 170), 2}, // 1.5 to the even 2
      {MakeColor(170, 167, 170), 4}, // 4.5 to the even 4
      {MakeColor(170, 165, 170), 8}, // 7.5 to the even 8
      {MakeColor(200, 100, 0), 255}, // min 0
      {MakeColor(255, 128, 192), 127},
      {MakeColor(0, 0, 160), 255},
      {SysColor(COLORIDX_BTNHIGHLIGHT), 0}, // white
  };
  for (const auto& c : cases)
    EXPECT_EQ(ColorSaturation(c.C), c.Expected) << std::hex << c.C;
}

TEST(GradientTable, ThreeStepsFromBlackToWhite) {
  const int slot = GradientTable(3, clBlack, clWhite);
  ASSERT_GE(slot, 0);
  ASSERT_LT(slot, 16);
  EXPECT_EQ(GradientColors(slot), (std::vector<TColor>{0x000000, 0x808080, 0xFFFFFF}));
  EXPECT_EQ(GradientTable(3, clBlack, clWhite), slot);
}

TEST(GradientTable, EntriesTruncateTowardZero) {
  // Falling channels round toward the start colour, so the last entry
  // stops one short of white-to-black's end.
  EXPECT_EQ(GradientColors(GradientTable(3, clWhite, clBlack)),
            (std::vector<TColor>{0xFFFFFF, 0x808080, 0x010101}));
  // h = (4 - 1) / 2 = 1: entries 0 + (1 + 100i) / 3.
  EXPECT_EQ(GradientColors(GradientTable(4, MakeColor(0, 0, 0), MakeColor(100, 0, 0))),
            (std::vector<TColor>{MakeColor(0, 0, 0), MakeColor(33, 0, 0), MakeColor(67, 0, 0),
                                 MakeColor(100, 0, 0)}));
  EXPECT_EQ(GradientColors(GradientTable(2, MakeColor(10, 20, 30), MakeColor(0, 40, 30))),
            (std::vector<TColor>{MakeColor(10, 20, 30), MakeColor(0, 40, 30)}));
}

TEST(GradientTable, SingleEntryIsTheMidpoint) {
  EXPECT_EQ(GradientColors(GradientTable(1, MakeColor(0, 255, 10), MakeColor(255, 0, 13))),
            (std::vector<TColor>{MakeColor(127, 128, 11)}));
}

TEST(GradientTable, SystemColoursAreConverted) {
  const int slot = GradientTable(2, SysColor(COLORIDX_BTNFACE), clBlack);
  EXPECT_EQ(GradientColors(slot).front(), ColorToRGB(SysColor(COLORIDX_BTNFACE)));
}

TEST(GradientTable, SixteenSlotsRoundRobin) {
  std::vector<int> slots;
  for (int i = 0; i < 16; ++i)
    slots.push_back(GradientTable(7, MakeColor(i, 1, 2), clWhite));
  EXPECT_EQ(std::set<int>(slots.begin(), slots.end()).size(), 16u);
  for (int i = 1; i < 16; ++i)
    EXPECT_EQ(slots[i], (slots[i - 1] + 1) % 16);
  // All sixteen are cached; the seventeenth overwrites the oldest.
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(GradientTable(7, MakeColor(i, 1, 2), clWhite), slots[i]);
  EXPECT_EQ(GradientTable(7, MakeColor(99, 1, 2), clWhite), slots[0]);
  EXPECT_EQ(GradientTable(7, MakeColor(0, 1, 2), clWhite), slots[1]);
}

TEST(GradientTable, NonPositiveCountIsAnAssertion) {
  for (int n : {0, -1, INT_MIN}) {
    try {
      GradientTable(n, clBlack, clWhite);
      FAIL() << n;
    } catch (const EAssertionFailed& e) {
      EXPECT_STREQ(e.what(), "Assertion failure (ImgUtil, line 304)");
      EXPECT_EQ(e.Line(), 304);
      EXPECT_EQ(e.Unit(), "ImgUtil");
    }
  }
}

TEST(GradientTable, RefusesToTabulateAbsurdLengths) {
  try {
    GradientTable(INT_MAX, clBlack, clWhite);
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Line(), 323);
  }
}

TEST(FillGradient, ColumnsFromFirstToSecondColour) {
  Bitmap bmp(5, 2, clMagenta);
  FillGradient(bmp, {1, 0, 4, 2}, clBlack, false, clWhite);
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(bmp.At(0, y), clMagenta);
    EXPECT_EQ(bmp.At(1, y), 0x000000u);
    EXPECT_EQ(bmp.At(2, y), 0x808080u);
    EXPECT_EQ(bmp.At(3, y), 0xFFFFFFu);
    EXPECT_EQ(bmp.At(4, y), clMagenta);
  }
}

TEST(FillGradient, RowsAndClipping) {
  Bitmap bmp(2, 3, clMagenta);
  // Rows -2..2 of a 5-row gradient; only rows 0..2 exist and show entries
  // 2 to 4. By hand, h = (5 - 1) / 2 = 2 and blue is (2 + 201 i) / 4:
  // 404 / 4 = 101, 605 / 4 = 151, 806 / 4 = 201.
  FillGradient(bmp, {0, -2, 2, 3}, MakeColor(0, 0, 0), true, MakeColor(0, 0, 201));
  const TColor expected[] = {MakeColor(0, 0, 101), MakeColor(0, 0, 151), MakeColor(0, 0, 201)};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x)
      EXPECT_EQ(bmp.At(x, y), expected[y]) << x << "," << y;
}

TEST(FillGradient, NothingForEmptyOrInvisibleRects) {
  const Bitmap before(4, 4, clMagenta);
  const TRect rects[] = {{1, 1, 1, 3}, {3, 1, 1, 3}, {1, 3, 3, 1}, {5, 0, 9, 4}, {-9, 0, -1, 4}};
  for (bool vertical : {false, true})
    for (const TRect& r : rects) {
      Bitmap bmp = before;
      FillGradient(bmp, r, clBlack, vertical, clWhite);
      EXPECT_EQ(bmp, before);
    }
}

TEST(FillGradient, HugeExtentsAreComputedLineByLine) {
  Bitmap bmp(1, 3);
  const int n = INT_MAX;
  FillGradient(bmp, {0, 0, 1, n}, clBlack, true, clWhite);
  for (int y = 0; y < 3; ++y)
    EXPECT_EQ(bmp.At(0, y), GradientEntry(y, n, clBlack, clWhite));
  EXPECT_EQ(GradientEntry(n - 1, n, clBlack, clWhite), clWhite);
}

} // namespace
