#include <gtest/gtest.h>

#include "skin/data/ImgUtilGdi.h"

#include <string>
#include <vector>

namespace {

constexpr TColor kBack = 0x404040;

// A test image: every pixel its own colour, with magenta holes.
Bitmap Pattern(int w, int h, bool holes) {
  Bitmap bmp(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.Set(x, y, holes && (x + 2 * y) % 5 == 0 ? clMagenta : MakeColor(10 * x, 10 * y, 99));
  return bmp;
}

// Equal size and pixels, or the first difference.
testing::AssertionResult SamePixels(const Bitmap& actual, const Bitmap& expected) {
  if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
    return testing::AssertionFailure()
           << "size " << actual.Width() << "x" << actual.Height() << " instead of "
           << expected.Width() << "x" << expected.Height();
  for (int y = 0; y < actual.Height(); ++y)
    for (int x = 0; x < actual.Width(); ++x)
      if (actual.At(x, y) != expected.At(x, y))
        return testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << std::hex << actual.At(x, y)
               << " instead of " << expected.At(x, y);
  return testing::AssertionSuccess();
}

// A memory DC on a 32-bit DIB section, as the painters draw into.
class TSurface {
public:
  TSurface(int w, int h, TColor fill = kBack)
      : FBitmap(CreateDibFromBitmap(Bitmap(w, h, fill))), FSelection(FDC.Get(), FBitmap.Get()),
        FWidth(w), FHeight(h) {}
  HDC DC() const { return FDC.Get(); }
  Bitmap Pixels() const { return BitmapFromDC(FDC.Get(), {0, 0, FWidth, FHeight}); }
  Bitmap Blank() const { return Bitmap(FWidth, FHeight, kBack); }

private:
  TGdiBitmap FBitmap;
  TMemoryDC FDC;
  TSelection FSelection;
  int FWidth, FHeight;
};

// What a plain or transparent copy of `built` at (x, y) must leave.
Bitmap Expected(const TSurface& s, const Bitmap& built, int x, int y, bool transparent) {
  Bitmap out = s.Blank();
  if (transparent)
    CopyTransparent(out, x, y, built);
  else
    StretchCopy(out, RectOf(x, y, built.Width(), built.Height()), built,
                {0, 0, built.Width(), built.Height()});
  return out;
}

TEST(GdiBitmaps, RoundTripThroughHandlesAndDCs) {
  const Bitmap image = Pattern(7, 5, true);
  const TGdiBitmap dib = CreateDibFromBitmap(image);
  ASSERT_TRUE(dib);
  const Bitmap back = BitmapFromHandle(dib.Get());
  EXPECT_EQ(back, image);
  EXPECT_EQ(back.BitsPerPixel(), 32);
  EXPECT_TRUE(BitmapFromHandle(nullptr).Empty());
  EXPECT_FALSE(CreateDibFromBitmap(Bitmap()));

  TSurface s(10, 10);
  DrawBitmap(s.DC(), 2, 3, image);
  EXPECT_EQ(BitmapFromDC(s.DC(), {2, 3, 9, 8}), image);
  EXPECT_TRUE(SamePixels(s.Pixels(), Expected(s, image, 2, 3, false)));
  EXPECT_TRUE(BitmapFromDC(s.DC(), {5, 5, 5, 9}).Empty());
}

TEST(GdiFillGradient, MatchesTheCoreLineByLine) {
  for (bool vertical : {false, true}) {
    TSurface s(12, 9);
    const RECT r{1, 2, 11, 8};
    FillGradient(s.DC(), r, MakeColor(200, 0, 10), vertical, SysColor(COLORIDX_BTNFACE));
    Bitmap expected = s.Blank();
    FillGradient(expected, {1, 2, 11, 8}, MakeColor(200, 0, 10), vertical,
                 SysColor(COLORIDX_BTNFACE));
    EXPECT_TRUE(SamePixels(s.Pixels(), expected)) << vertical;
  }
}

// Worked out by hand: four columns, h = (4 - 1) / 2 = 1, entry i of each
// channel is (1 + i * difference) / 3: red 0, 30, 60, 90 (91 / 3, 181 / 3,
// 271 / 3), green 0, 10, 20, 30, blue 0, 85, 170, 255.
TEST(GdiFillGradient, ColumnsWorkedOutByHand) {
  TSurface s(6, 2);
  FillGradient(s.DC(), {1, 0, 5, 2}, MakeColor(0, 0, 0), false, MakeColor(90, 30, 255));
  const TColor expected[] = {kBack,
                             MakeColor(0, 0, 0),
                             MakeColor(30, 10, 85),
                             MakeColor(60, 20, 170),
                             MakeColor(90, 30, 255),
                             kBack};
  const Bitmap pixels = s.Pixels();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(pixels.At(x, y), expected[x]) << x << "," << y;
}

TEST(GdiFillGradient, OnlyInsideTheClipAndNeverWhenHidden) {
  TSurface s(10, 10);
  const TGdiRegion clip(CreateRectRgn(0, 4, 10, 6));
  SelectClipRgn(s.DC(), clip.Get());
  FillGradient(s.DC(), {0, 0, 10, 10}, clBlack, true, clWhite);
  Bitmap expected = s.Blank();
  FillGradient(expected, {0, 4, 10, 6}, GradientEntry(4, 10, clBlack, clWhite), true,
               GradientEntry(5, 10, clBlack, clWhite));
  EXPECT_TRUE(SamePixels(s.Pixels(), expected));

  SelectClipRgn(s.DC(), nullptr);
  const Bitmap before = s.Pixels();
  for (const RECT& r : {RECT{20, 0, 30, 5}, RECT{5, 5, 2, 8}, RECT{3, 3, 3, 9}, RECT{2, 8, 9, 1}})
    FillGradient(s.DC(), r, clBlack, false, clWhite);
  EXPECT_TRUE(SamePixels(s.Pixels(), before));
}

TEST(GdiFillGradient, FollowsTheViewportOrigin) {
  TSurface s(8, 8);
  SetViewportOrgEx(s.DC(), 3, 2, nullptr);
  FillGradient(s.DC(), {0, 0, 4, 3}, clBlack, false, clWhite);
  SetViewportOrgEx(s.DC(), 0, 0, nullptr);
  Bitmap expected = s.Blank();
  FillGradient(expected, {3, 2, 7, 5}, clBlack, false, clWhite);
  EXPECT_TRUE(SamePixels(s.Pixels(), expected));
}

TEST(GdiTransparent, MaskBltAndInversionAgreeWithTheCore) {
  const Bitmap image = Pattern(9, 6, true);
  for (auto draw : {DrawTransparent, DrawTransparentByInversion}) {
    TSurface s(14, 10);
    SetBkColor(s.DC(), RGB(1, 2, 3));
    SetTextColor(s.DC(), RGB(4, 5, 6));
    draw(s.DC(), {3, 2, 12, 8}, image, clMagenta);
    EXPECT_TRUE(SamePixels(s.Pixels(), Expected(s, image, 3, 2, true)));
    EXPECT_EQ(GetBkColor(s.DC()), RGB(1, 2, 3));
    EXPECT_EQ(GetTextColor(s.DC()), RGB(4, 5, 6));
  }
}

TEST(GdiTransparent, OtherKeysAndSizeLimits) {
  const Bitmap image = Pattern(6, 4, false);
  const TColor key = image.At(2, 1);
  Bitmap keyed = image; // the same picture with magenta as its key
  keyed.Set(2, 1, clMagenta);
  Bitmap corner(3, 2);
  StretchCopy(corner, {0, 0, 3, 2}, keyed, {0, 0, 3, 2});
  for (auto draw : {DrawTransparent, DrawTransparentByInversion}) {
    TSurface s(10, 10);
    draw(s.DC(), {1, 1, 4, 3}, image, key); // only rect's size of the bitmap
    EXPECT_TRUE(SamePixels(s.Pixels(), Expected(s, corner, 1, 1, true)));
    TSurface big(10, 10);
    draw(big.DC(), {0, 0, 50, 50}, image, key); // at most the bitmap's size
    EXPECT_TRUE(SamePixels(big.Pixels(), Expected(big, keyed, 0, 0, true)));
    TSurface none(5, 5);
    draw(none.DC(), {4, 4, 1, 1}, image, key);
    draw(none.DC(), {0, 0, 5, 5}, Bitmap(), key);
    EXPECT_TRUE(SamePixels(none.Pixels(), none.Blank()));
  }
}

TEST(GdiNineSlice, TransparentAndPlainMatchTheBuilder) {
  Bitmap image = Pattern(24, 6, true); // two frames of 12x6
  const TMargins margins{3, 2, 4, 1};
  for (bool tile : {false, true})
    for (bool transparent : {false, true}) {
      TSurface s(40, 30);
      const RECT r{5, 4, 36, 27};
      DrawNineSlice(s.DC(), r, image, false, tile, transparent, 2, 2, margins);
      const Bitmap built = BuildNineSlice({5, 4, 36, 27}, image, margins, false, tile, 2, 2);
      EXPECT_TRUE(SamePixels(s.Pixels(), Expected(s, built, 5, 4, transparent)))
          << tile << transparent;
    }
}

// A nine-slice worked out by hand. Frame 2 of an image of two 4 x 4 frames,
// bands of 1 on every side, drawn over 6 x 5: the corners and bands stay,
// the middle two columns spread over four and the middle two rows over
// three. Sampling the centre of each destination pixel, column 1 + i of
// the four takes source column 1 + (2i + 1) * 2 / 8 (1, 1, 2, 2) and row
// 1 + j of the three source row 1 + (2j + 1) * 2 / 6 (1, 2, 2). So column
// x shows source column {0, 1, 1, 2, 2, 3}[x] and row y source row
// {0, 1, 2, 2, 3}[y]. Keyed, the magenta top-left corner is left alone.
TEST(GdiNineSlice, WorkedOutByHand) {
  Bitmap image(8, 4);
  auto source = [](int x, int y) { return MakeColor(40 + 50 * x, 30 + 60 * y, 7); };
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      image.Set(x, y, clBlack); // frame 1, never drawn
      image.Set(4 + x, y, x == 0 && y == 0 ? clMagenta : source(x, y));
    }
  const int column[6] = {0, 1, 1, 2, 2, 3};
  const int row[5] = {0, 1, 2, 2, 3};
  for (bool transparent : {false, true}) {
    SCOPED_TRACE(transparent);
    TSurface s(9, 8);
    DrawNineSlice(s.DC(), {2, 1, 8, 6}, image, false, false, transparent, 2, 2, {1, 1, 1, 1});
    const Bitmap pixels = s.Pixels();
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 9; ++x) {
        const bool inside = x >= 2 && x < 8 && y >= 1 && y < 6;
        TColor want = kBack;
        if (inside) {
          const int sx = column[x - 2], sy = row[y - 1];
          if (sx > 0 || sy > 0)
            want = source(sx, sy);
          else if (!transparent)
            want = clMagenta;
        }
        ASSERT_EQ(pixels.At(x, y), want) << x << "," << y;
      }
  }
}

TEST(GdiSlices, ThreeSliceAndFramesMatchTheBuilders) {
  const Bitmap image = Pattern(30, 8, true); // three frames of 10x8
  const TMargins margins{2, 0, 3, 0};
  const RECT r{2, 1, 27, 12};
  const TRect tr{2, 1, 27, 12};
  for (bool transparent : {false, true}) {
    TSurface a(30, 15), b(30, 15), c(30, 15);
    DrawThreeSliceH(a.DC(), r, image, false, transparent, 3, 2, margins);
    EXPECT_TRUE(
        SamePixels(a.Pixels(), Expected(a, BuildThreeSliceH(tr, image, false, 3, 2, margins), 2, 1,
                                        transparent)));
    DrawFrameStretched(b.DC(), r, image, transparent, 3, 3);
    EXPECT_TRUE(SamePixels(b.Pixels(),
                           Expected(b, BuildFrameStretched(tr, image, 3, 3), 2, 1, transparent)));
    DrawThreeSliceStretch(c.DC(), r, image, false, 3, 1, margins);
    EXPECT_TRUE(
        SamePixels(c.Pixels(), Expected(c, BuildThreeSliceStretch(tr, image, false, 3, 1, margins),
                                        2, 1, false)));
  }
}

TEST(GdiSlices, FrameCentredAtItsOwnSize) {
  const Bitmap image = Pattern(12, 5, true); // two frames of 6x5
  Bitmap frame(6, 5);
  StretchCopy(frame, {0, 0, 6, 5}, image, {6, 0, 12, 5});
  struct {
    RECT R;
    int X, Y;
  } cases[] = {
      {{0, 0, 10, 10}, 2, 2}, // (10 - 6) / 2, (10 - 5) / 2
      {{3, 1, 8, 4}, 3, 0},   // smaller than the frame: 3 + (-1) / 2 = 3, 1 + (-2) / 2 = 0
      {{4, 4, 4, 4}, 1, 2},   // empty: 4 + (-6) / 2, 4 + (-5) / 2 truncated
  };
  for (const auto& c : cases)
    for (bool transparent : {false, true}) {
      TSurface s(14, 12);
      DrawFrameCentered(s.DC(), c.R, image, transparent, 2, 2);
      EXPECT_TRUE(SamePixels(s.Pixels(), Expected(s, frame, c.X, c.Y, transparent))) << c.R.left;
    }
}

TEST(GdiSlices, InvertedRectsAndMissingFramesDrawNothing) {
  const Bitmap image = Pattern(8, 8, false);
  TSurface s(12, 12);
  const RECT inverted[] = {{8, 0, 2, 5}, {0, 8, 5, 2}};
  for (const RECT& r : inverted) {
    DrawNineSlice(s.DC(), r, image, false, false, false, 1, 1, {1, 1, 1, 1});
    DrawThreeSliceH(s.DC(), r, image, false, false, 1, 1, {});
    DrawThreeSliceStretch(s.DC(), r, image, false, 1, 1, {});
    DrawFrameStretched(s.DC(), r, image, false, 1, 1);
    DrawFrameCentered(s.DC(), r, image, false, 1, 1);
    TileBitmap(s.DC(), r, image, {0, 0, 2, 2});
  }
  const RECT r{0, 0, 10, 10};
  DrawNineSlice(s.DC(), r, image, false, false, false, 2, 3, {});
  DrawNineSlice(s.DC(), r, Bitmap(), false, false, false, 1, 1, {});
  DrawFrameStretched(s.DC(), r, image, false, 4, 0);
  DrawFrameCentered(s.DC(), r, Bitmap(), false, 1, 1);
  EXPECT_TRUE(SamePixels(s.Pixels(), s.Blank()));
}

TEST(GdiTile, TilesSpillPastTheRectUpToTheCanvas) {
  const Bitmap image = Pattern(10, 10, true);
  TSurface s(20, 16);
  TileBitmap(s.DC(), {2, 3, 15, 9}, image, {1, 2, 5, 5});
  Bitmap expected = s.Blank();
  TileCopy(expected, {2, 3, 15, 9}, image, {1, 2, 5, 5});
  EXPECT_TRUE(SamePixels(s.Pixels(), expected));

  TSurface clipped(20, 16);
  const TGdiRegion clip(CreateRectRgn(4, 0, 9, 16));
  SelectClipRgn(clipped.DC(), clip.Get());
  TileBitmap(clipped.DC(), {2, 3, 15, 9}, image, {1, 2, 5, 5});
  Bitmap expectedClip = clipped.Blank();
  Bitmap tiled = expectedClip;
  TileCopy(tiled, {2, 3, 15, 9}, image, {1, 2, 5, 5});
  StretchCopy(expectedClip, {4, 0, 9, 16}, tiled, {4, 0, 9, 16});
  EXPECT_TRUE(SamePixels(clipped.Pixels(), expectedClip));

  TSurface none(8, 8);
  TileBitmap(none.DC(), {0, 0, 8, 8}, image, {3, 3, 3, 6});
  TileBitmap(none.DC(), {0, 0, 8, 8}, image, {3, 6, 5, 3});
  TileBitmap(none.DC(), {2, 2, 2, 8}, image, {0, 0, 2, 2});
  EXPECT_TRUE(SamePixels(none.Pixels(), none.Blank()));
}

// Every pixel of the image's area (and a border) is in the region exactly
// when it is opaque.
void ExpectRegionMatches(HRGN region, const Bitmap& image, int dx, int dy) {
  for (int y = -1; y <= image.Height(); ++y)
    for (int x = -1; x <= image.Width(); ++x) {
      const bool opaque = image.Contains(x, y) && image.At(x, y) != clMagenta;
      ASSERT_EQ(PtInRegion(region, x + dx, y + dy) != 0, opaque) << x << "," << y;
    }
}

TEST(GdiRegion, MatchesTheRuns) {
  Bitmap image = Pattern(23, 17, true);
  const TGdiRegion region = RegionFromBitmap(image, 5, -3, 1, 1, 1, clMagenta);
  ASSERT_TRUE(region);
  ExpectRegionMatches(region.Get(), image, 5, -3);
  EXPECT_EQ(image.BitsPerPixel(), 32);
}

TEST(GdiRegion, ManyBatchesCombine) {
  // A checkerboard of 120x100 has 6000 runs: three full batches.
  Bitmap image(120, 100, clMagenta);
  for (int y = 0; y < 100; ++y)
    for (int x = (y & 1); x < 120; x += 2)
      image.Set(x, y, clBlack);
  Bitmap copy = image;
  EXPECT_EQ(RegionRuns(copy, 0, 0, 1, 1, 1, clMagenta).size(), 6000u);
  const TGdiRegion region = RegionFromBitmap(image, 0, 0, 1, 1, 1, clMagenta);
  ExpectRegionMatches(region.Get(), image, 0, 0);
  const DWORD size = GetRegionData(region.Get(), 0, nullptr);
  std::vector<char> data(size);
  ASSERT_EQ(GetRegionData(region.Get(), size, reinterpret_cast<RGNDATA*>(data.data())), size);
  EXPECT_EQ(reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount, 6000u);
}

TEST(GdiRegion, FullyTransparentGivesAnEmptyRegion) {
  Bitmap image(4, 4, clMagenta);
  const TGdiRegion region = RegionFromBitmap(image, 0, 0, 1, 1, 1, clMagenta);
  ASSERT_TRUE(region);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.Get(), &box), NULLREGION);
}

TEST(GdiScratch, SharedSurfaceWithColorOnColor) {
  TScratchBitmap& scratch = ScratchBitmap();
  EXPECT_EQ(&scratch, &ScratchBitmap());
  scratch.SetSize(30, 20);
  EXPECT_EQ(GetStretchBltMode(scratch.DC()), COLORONCOLOR);
  ASSERT_TRUE(scratch.Handle());
  EXPECT_EQ(GetCurrentObject(scratch.DC(), OBJ_BITMAP), scratch.Handle());
  BITMAP info{};
  GetObjectW(scratch.Handle(), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 30);
  EXPECT_EQ(std::abs(info.bmHeight), 20);
  DrawBitmap(scratch.DC(), 0, 0, Pattern(30, 20, false));
  EXPECT_EQ(BitmapFromDC(scratch.DC(), {0, 0, 30, 20}), Pattern(30, 20, false));

  const HBITMAP old = scratch.Handle();
  scratch.SetSize(5, 5);
  EXPECT_EQ(GetObjectType(old), 0u); // the previous surface is freed
  EXPECT_EQ(scratch.Width(), 5);
  scratch.SetSize(0, 3);
  EXPECT_EQ(scratch.Width(), 0);
  EXPECT_FALSE(scratch.Handle());
}

} // namespace
