#include <gtest/gtest.h>

#include "skintool/PixelFont.h"
#include "skintool/SkinToolSheet.h"

#include <string>
#include <vector>

namespace {

TEST(PixelFont, SmallLettersAreCapitals) {
  EXPECT_EQ(PixelGlyph('q'), PixelGlyph('Q'));
  EXPECT_NE(PixelGlyph('Q'), PixelGlyph('O'));
}

TEST(PixelFont, UnknownCharactersShowAsQuestionMarks) {
  EXPECT_EQ(PixelGlyph('#'), PixelGlyph('?'));
  EXPECT_EQ(PixelGlyph('\xB0'), PixelGlyph('?'));
}

TEST(PixelFont, WidthCountsTheGapsBetweenCharacters) {
  EXPECT_EQ(PixelTextWidth("", 3), 0);
  EXPECT_EQ(PixelTextWidth("A", 1), 5);
  EXPECT_EQ(PixelTextWidth("AB", 2), 22);
}

TEST(PixelFont, DrawsEachFontPixelAsAScaledSquare) {
  Bitmap b(12, 16, clWhite);
  DrawPixelText(b, 1, 1, "1", clBlack, 2);
  const auto& rows = PixelGlyph('1');
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 12; ++x) {
      const int fx = (x - 1) / 2, fy = (y - 1) / 2;
      const bool set = x >= 1 && y >= 1 && fx < 5 && fy < 7 && rows[fy][fx] == '#';
      EXPECT_EQ(b.At(x, y), set ? clBlack : clWhite) << x << "," << y;
    }
}

std::vector<TNamedBitmap> TwoPictures() {
  Bitmap a(2, 1, clMagenta);
  a.Set(1, 0, clBlack);
  return {{"a.bmp", a}, {"b.bmp", Bitmap(3, 2, MakeColor(10, 20, 30))}};
}

TEST(SkinToolSheet, PicturesAreEnlargedPixelByPixel) {
  const auto pictures = TwoPictures();
  TSheetLayout layout;
  layout.Zoom = 3;
  const Bitmap sheet = ContactSheet(pictures, layout);
  const auto places = ContactSheetPositions(pictures, layout);
  ASSERT_EQ(places.size(), 2u);
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const Bitmap& p = pictures[i].Image;
    for (int y = 0; y < p.Height() * 3; ++y)
      for (int x = 0; x < p.Width() * 3; ++x)
        ASSERT_EQ(sheet.At(places[i].X + x, places[i].Y + y), p.At(x / 3, y / 3));
    // Just right of and below the picture: the background.
    EXPECT_EQ(sheet.At(places[i].X + p.Width() * 3, places[i].Y), layout.Background);
    EXPECT_EQ(sheet.At(places[i].X, places[i].Y + p.Height() * 3), layout.Background);
  }
}

TEST(SkinToolSheet, EachPictureHasItsLabelAbove) {
  const auto pictures = TwoPictures();
  TSheetLayout layout;
  const Bitmap sheet = ContactSheet(pictures, layout);
  const auto places = ContactSheetPositions(pictures, layout);
  for (const auto& place : places) {
    int ink = 0;
    for (int y = place.Y - (kPixelGlyphHeight + 3) * layout.LabelScale; y < place.Y; ++y)
      for (int x = place.X; x < place.X + 40; ++x)
        ink += sheet.At(x, y) == layout.LabelColour;
    EXPECT_GT(ink, 20);
  }
}

TEST(SkinToolSheet, WrapsBeforeTheMaximumWidth) {
  const auto pictures = TwoPictures();
  TSheetLayout wide, narrow;
  narrow.MaxWidth = 150;
  const auto side = ContactSheetPositions(pictures, wide);
  const auto stacked = ContactSheetPositions(pictures, narrow);
  EXPECT_EQ(side[0].Y, side[1].Y);
  EXPECT_GT(side[1].X, side[0].X);
  EXPECT_EQ(stacked[1].X, stacked[0].X);
  EXPECT_GT(stacked[1].Y, stacked[0].Y);
  EXPECT_LE(ContactSheet(pictures, narrow).Width(), 150);
}

TEST(SkinToolSheet, NoPicturesGiveAnEmptyFrame) {
  const Bitmap sheet = ContactSheet({}, {});
  EXPECT_FALSE(sheet.Empty());
  EXPECT_EQ(sheet.At(0, 0), TSheetLayout().Background);
}

} // namespace
