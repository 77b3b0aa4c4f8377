#include <gtest/gtest.h>

#include "core/ImgUtil.h"
#include "core/ImgUtilTestPictures.h"

namespace {

using pictures::FromText;
using pictures::ToText;
using Rows = std::vector<std::string>;

const Rows kSquare = {"abcd", "efgh", "ijkl", "mnop"};

TEST(FrameRect, Table) {
  const Bitmap image(10, 6); // 3 frames of 3 columns, one spare column
  struct {
    bool Vertical;
    int Count, Index;
    TRect Expected;
  } cases[] = {
      {false, 3, 1, {0, 0, 3, 6}},
      {false, 3, 3, {6, 0, 9, 6}},
      {false, 3, 4, {9, 0, 10, 6}}, // past the last frame: only the spare column
      {false, 3, 5, {}},
      {false, 3, 0, {}},
      {false, 3, -7, {}},
      {false, 0, 1, {0, 0, 10, 6}},
      {false, -2, 1, {0, 0, 10, 6}},
      {false, 20, 1, {}}, // frames narrower than a pixel
      {true, 2, 2, {0, 3, 10, 6}},
      {true, 4, 3, {0, 2, 10, 3}},
      {false, 3, INT_MAX, {}},
      {false, 3, INT_MIN, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FrameRect(image, c.Vertical, c.Count, c.Index), c.Expected)
        << c.Vertical << " " << c.Count << " " << c.Index;
  EXPECT_EQ(FrameRect(Bitmap(), false, 1, 1), TRect{});
}

TEST(StretchCopy, CentreSampling) {
  const Bitmap src = FromText({"abcd"});
  struct {
    TRect Dst;
    Rows Expected;
  } cases[] = {
      {{0, 0, 2, 1}, {"bd......"}},                                // (2dx+1)*4 / 4: columns 1 and 3
      {{0, 0, 8, 1}, {"aabbccdd"}},  {{0, 0, 3, 1}, {"acd....."}}, // 4/6, 12/6, 20/6
      {{-2, 0, 6, 1}, {"bbccdd.."}},                               // clipped on the left
      {{6, 0, 10, 1}, {"......ab"}},                               // and on the right
      {{0, 0, 0, 1}, {"........"}},  {{3, 0, 1, 1}, {"........"}},
  };
  for (const auto& c : cases) {
    Bitmap dst(8, 1, clWhite);
    StretchCopy(dst, c.Dst, src, {0, 0, 4, 1});
    EXPECT_EQ(ToText(dst), c.Expected) << c.Dst.Left << ".." << c.Dst.Right;
  }
}

TEST(StretchCopy, SourceOutsideTheBitmapIsNotCopied) {
  const Bitmap src = FromText({"ab", "cd"});
  Bitmap dst(4, 2, clWhite);
  StretchCopy(dst, {0, 0, 4, 2}, src, {-1, 0, 3, 2});
  EXPECT_EQ(ToText(dst), (Rows{".ab.", ".cd."}));
  Bitmap empty(2, 2, clWhite);
  StretchCopy(empty, {0, 0, 2, 2}, src, {1, 1, 1, 2});
  EXPECT_EQ(ToText(empty), (Rows{"..", ".."}));
}

TEST(StretchCopy, HugeExtentsDoNotOverflow) {
  const Bitmap src = FromText({"ab"});
  Bitmap dst(2, 1, clWhite);
  StretchCopy(dst, {INT_MIN, 0, INT_MAX, 1}, src, {0, 0, 2, 1});
  EXPECT_EQ(ToText(dst), (Rows{"bb"}));
}

TEST(TileCopy, TilesSpillPastTheRectButNotTheBitmap) {
  const Bitmap src = FromText({"abc", "def"});
  Bitmap dst(7, 5, clWhite);
  TileCopy(dst, {1, 1, 5, 4}, src, {1, 0, 3, 2});
  EXPECT_EQ(ToText(dst), (Rows{".......", ".bcbc..", ".efef..", ".bcbc..", ".efef.."}));
}

TEST(TileCopy, NegativeStartKeepsThePhase) {
  const Bitmap src = FromText({"abc"});
  Bitmap dst(5, 1, clWhite);
  TileCopy(dst, {-4, 0, 3, 1}, src, {0, 0, 3, 1});
  EXPECT_EQ(ToText(dst), (Rows{"bcabc"}));
}

TEST(TileCopy, SourceOutsideTheBitmapIsSkipped) {
  const Bitmap src = FromText({"abc"});
  Bitmap dst(7, 1, clWhite);
  TileCopy(dst, {0, 0, 7, 1}, src, {-1, 0, 2, 1});
  EXPECT_EQ(ToText(dst), (Rows{".ab.ab."}));
  Bitmap right(5, 1, clWhite);
  TileCopy(right, {0, 0, 5, 1}, src, {2, 0, 5, 1});
  EXPECT_EQ(ToText(right), (Rows{"c..c."}));
}

TEST(TileCopy, NothingForEmptySourceOrDest) {
  const Bitmap src = FromText({"abc"});
  for (const auto& [dstRect, srcRect] : {std::pair<TRect, TRect>{{0, 0, 3, 1}, {1, 0, 1, 1}},
                                         {{0, 0, 3, 1}, {0, 1, 3, 1}},
                                         {{2, 0, 1, 1}, {0, 0, 3, 1}}}) {
    Bitmap dst(3, 1, clWhite);
    TileCopy(dst, dstRect, src, srcRect);
    EXPECT_EQ(ToText(dst), (Rows{"..."}));
  }
}

TEST(CopyTransparent, SkipsTheKeyAndClips) {
  const Bitmap src = FromText({"a#b", "#c#"});
  Bitmap dst(3, 2, clWhite);
  CopyTransparent(dst, 1, 0, src);
  EXPECT_EQ(ToText(dst), (Rows{".a.", "..c"}));
  Bitmap other(2, 2, clWhite);
  CopyTransparent(other, -1, 1, src, pictures::ColorOfChar('b'));
  EXPECT_EQ(ToText(other), (Rows{"..", "#."}));
  CopyTransparent(other, INT_MAX, INT_MIN, src);
  EXPECT_EQ(ToText(other), (Rows{"..", "#."}));
}

TEST(BuildNineSlice, StretchedBands) {
  const Bitmap out =
      BuildNineSlice(RectOf(20, 30, 6, 5), FromText(kSquare), {1, 1, 1, 1}, false, false, 1, 1);
  EXPECT_EQ(ToText(out), (Rows{"abbccd", "effggh", "ijjkkl", "ijjkkl", "mnnoop"}));
}

TEST(BuildNineSlice, TiledCentreIsOverwrittenByTheLaterBands) {
  const Bitmap out =
      BuildNineSlice(RectOf(0, 0, 7, 5), FromText(kSquare), {1, 1, 1, 1}, false, true, 1, 1);
  EXPECT_EQ(ToText(out), (Rows{"abbcccd", "efgfgfh", "ijkjkjl", "ifgfgfl", "mnnooop"}));
}

TEST(BuildNineSlice, UnevenBands) {
  // Left 2, top 1, right 0, bottom 1 on a 4x4 frame.
  const Bitmap out =
      BuildNineSlice(RectOf(0, 0, 5, 4), FromText(kSquare), {2, 1, 0, 1}, false, false, 1, 1);
  EXPECT_EQ(ToText(out), (Rows{"abcdd", "efghh", "ijkll", "mnopp"}));
}

TEST(BuildNineSlice, NarrowDestinationDropsTheSideBands) {
  const Bitmap out =
      BuildNineSlice(RectOf(0, 0, 1, 5), FromText(kSquare), {1, 1, 1, 1}, false, false, 1, 1);
  EXPECT_EQ(ToText(out), (Rows{"c", "g", "k", "k", "o"}));
  const Bitmap low =
      BuildNineSlice(RectOf(0, 0, 4, 1), FromText(kSquare), {1, 1, 1, 1}, false, false, 1, 1);
  EXPECT_EQ(ToText(low), (Rows{"ijkl"})); // every band squeezed to its middle row
}

TEST(BuildNineSlice, SelectsTheFrame) {
  const Bitmap strip = FromText({"abAB", "cdCD"});
  EXPECT_EQ(ToText(BuildNineSlice(RectOf(0, 0, 2, 2), strip, {}, false, false, 2, 2)),
            (Rows{"AB", "CD"}));
  const Bitmap stack = FromText({"ab", "cd", "AB", "CD"});
  EXPECT_EQ(ToText(BuildNineSlice(RectOf(0, 0, 2, 2), stack, {}, true, false, 2, 2)),
            (Rows{"AB", "CD"}));
}

TEST(BuildNineSlice, EmptyAndInvertedInputs) {
  const Bitmap image = FromText(kSquare);
  EXPECT_TRUE(BuildNineSlice({5, 0, 2, 4}, image, {}, false, false, 1, 1).Empty());
  EXPECT_TRUE(BuildNineSlice({0, 5, 4, 2}, image, {}, false, false, 1, 1).Empty());
  EXPECT_TRUE(BuildNineSlice({0, 0, 0, 4}, image, {}, false, false, 1, 1).Empty());
  EXPECT_TRUE(BuildNineSlice({0, 0, 1 << 20, 1 << 20}, image, {}, false, false, 1, 1).Empty());
  // Nothing of an empty image or a missing frame lands.
  EXPECT_EQ(ToText(BuildNineSlice(RectOf(0, 0, 2, 1), Bitmap(), {}, false, false, 1, 1)),
            (Rows{".."}));
  EXPECT_EQ(ToText(BuildNineSlice(RectOf(0, 0, 2, 1), image, {}, false, false, 1, 9)),
            (Rows{".."}));
  // Negative and huge bands.
  EXPECT_EQ(ToText(BuildNineSlice(RectOf(0, 0, 2, 2), image, {-5, -5, -5, -5}, false, false, 1, 1)),
            (Rows{"fh", "np"}));
  EXPECT_EQ(ToText(BuildNineSlice(RectOf(0, 0, 2, 2), image, {INT_MAX, 0, INT_MAX, 0}, false, false,
                                  1, 1)),
            (Rows{"fh", "np"}));
}

TEST(BuildThreeSliceH, MiddleRepeatsUnderTheRightCap) {
  const Bitmap image = FromText({"abcde", "fghij"});
  const Bitmap out = BuildThreeSliceH(RectOf(0, 0, 9, 4), image, false, 1, 1, {1, 0, 1, 0});
  EXPECT_EQ(ToText(out), (Rows{"abcdbcdbe", "abcdbcdbe", "fghighigj", "fghighigj"}));
}

TEST(BuildThreeSliceH, NoMiddleIsNotRepeated) {
  const Bitmap image = FromText({"ab"});
  EXPECT_EQ(ToText(BuildThreeSliceH(RectOf(0, 0, 5, 1), image, false, 1, 1, {1, 0, 1, 0})),
            (Rows{"a...b"}));
  EXPECT_EQ(ToText(BuildThreeSliceH(RectOf(0, 0, 5, 1), image, false, 1, 1, {2, 0, 2, 0})),
            (Rows{"ab.ab"}));
}

TEST(BuildThreeSliceH, FramesAndVerticalStrips) {
  const Bitmap strip = FromText({"abcABC"});
  EXPECT_EQ(ToText(BuildThreeSliceH(RectOf(0, 0, 4, 1), strip, false, 2, 2, {1, 0, 1, 0})),
            (Rows{"ABBC"}));
  const Bitmap stack = FromText({"abc", "ABC"});
  EXPECT_EQ(ToText(BuildThreeSliceH(RectOf(0, 0, 4, 1), stack, true, 2, 2, {1, 0, 1, 0})),
            (Rows{"ABBC"}));
}

TEST(BuildThreeSliceStretch, Table) {
  const Bitmap image = FromText({"abcde"});
  struct {
    int Width;
    TMargins Margins;
    std::string Expected;
  } cases[] = {
      {3, {1, 0, 1, 0}, "ace"}, // frame wider than the destination: all stretched
      {7, {1, 0, 1, 0}, "abbcdde"},  {5, {1, 0, 1, 0}, "abcde"},
      {8, {2, 0, 1, 0}, "abccddde"}, {6, {0, 0, 0, 0}, "abccde"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(
        ToText(BuildThreeSliceStretch(RectOf(0, 0, c.Width, 1), image, false, 1, 1, c.Margins)),
        (Rows{c.Expected}))
        << c.Width;
  EXPECT_EQ(ToText(BuildThreeSliceStretch(RectOf(0, 0, 2, 3), FromText({"ab", "cd"}), false, 1, 1,
                                          {1, 0, 1, 0})),
            (Rows{"ab", "cd", "cd"}));
}

TEST(BuildFrameStretched, SelectedFrameOverTheWholeRect) {
  const Bitmap strip = FromText({"abAB", "cdCD"});
  EXPECT_EQ(ToText(BuildFrameStretched(RectOf(3, 3, 4, 2), strip, 2, 2)), (Rows{"AABB", "CCDD"}));
  EXPECT_EQ(ToText(BuildFrameStretched(RectOf(0, 0, 1, 1), strip, 2, 1)), (Rows{"d"}));
  EXPECT_TRUE(BuildFrameStretched({4, 0, 0, 2}, strip, 2, 1).Empty());
}

} // namespace
