// Drawing skin elements in one call: what lands on the DC, the GDI form
// kept with the element, and that drawing leaves no GDI object behind.
#include <gtest/gtest.h>

#include "skin/data/ElementDraw.h"

namespace {

constexpr TColor kBack = 0x404040;

// A DIB-section surface like those painters compose on.
class TSurface {
public:
  TSurface(int w, int h)
      : FBitmap(CreateDibFromBitmap(Bitmap(w, h, kBack))), FSelection(FDC.Get(), FBitmap.Get()),
        FWidth(w), FHeight(h) {}
  HDC DC() const { return FDC.Get(); }
  Bitmap Pixels() const { return BitmapFromDC(FDC.Get(), {0, 0, FWidth, FHeight}); }
  // The surface as it must be after `built` was put at (x, y).
  Bitmap With(const Bitmap& built, int x, int y, bool transparent) const {
    Bitmap out(FWidth, FHeight, kBack);
    if (transparent)
      CopyTransparent(out, x, y, built);
    else
      StretchCopy(out, RectOf(x, y, built.Width(), built.Height()), built,
                  {0, 0, built.Width(), built.Height()});
    return out;
  }

private:
  TGdiBitmap FBitmap;
  TMemoryDC FDC;
  TSelection FSelection;
  int FWidth, FHeight;
};

// Every pixel its own colour, some magenta.
Bitmap Pattern(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.Set(x, y, (x * 3 + y) % 7 == 0 ? clMagenta : MakeColor(9 * x, 11 * y, 150));
  return b;
}

Bitmap Frame(const Bitmap& image, const TRect& f) {
  Bitmap out(f.Width(), f.Height());
  StretchCopy(out, {0, 0, f.Width(), f.Height()}, image, f);
  return out;
}

// Live GDI objects of the process, counted by handle index (Wine answers
// GetObjectType for an index without the handle's generation).
int LiveGdiObjects() {
  int n = 0;
  for (ULONG_PTR i = 0x20; i < 0x10000; ++i)
    n += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return n;
}

TEST(ElementDraw, SlicesTakeEverythingFromTheElement) {
  TDataSkinObject e("Buttons");
  e.Image = Pattern(36, 9); // three frames of 12 x 9
  e.Frame = 3;
  e.LeftWidth = 3, e.TopHeight = 2, e.RightWidth = 4, e.BottomHeight = 1;
  const RECT r{4, 3, 31, 20};
  const TRect tr{0, 0, 27, 17};
  for (int tile : {0, 1})
    for (int trans : {0, 1}) {
      SCOPED_TRACE(testing::Message() << "tile " << tile << " trans " << trans);
      e.Tile = tile;
      e.Trans = trans;
      TSurface nine(36, 24), three(36, 24), stretch(36, 24), frame(36, 24);
      DrawNineSlice(nine.DC(), r, e, 2);
      EXPECT_EQ(nine.Pixels(), nine.With(BuildNineSlice(tr, e, 2), 4, 3, trans));
      DrawThreeSliceH(three.DC(), r, e, 3);
      EXPECT_EQ(three.Pixels(), three.With(BuildThreeSliceH(tr, e, 3), 4, 3, trans));
      DrawThreeSliceStretch(stretch.DC(), r, e, 1);
      EXPECT_EQ(stretch.Pixels(), stretch.With(BuildThreeSliceStretch(tr, e, 1), 4, 3, false));
      DrawFrameStretched(frame.DC(), r, e, 2);
      EXPECT_EQ(frame.Pixels(), frame.With(BuildFrameStretched(tr, e, 2), 4, 3, trans));
    }
}

// At the frame's own size the picture comes straight from the GDI form
// kept with the element; it must be the frame exactly, keyed or not, and
// wherever it is asked to go.
TEST(ElementDraw, OwnSizeComesFromTheKeptForm) {
  TDataSkinSysButton b("BUTTON.CLOSE");
  b.Image = Pattern(40, 9); // four frames of 10 x 9
  b.Frame = 4;
  const Bitmap third = Frame(b.Image, {20, 0, 30, 9});
  for (int trans : {0, 1}) {
    SCOPED_TRACE(trans);
    b.Trans = trans;
    TSurface stretched(30, 20), sliced(30, 20), centred(30, 20);
    DrawFrameStretched(stretched.DC(), {5, 6, 15, 15}, b, 3);
    EXPECT_EQ(stretched.Pixels(), stretched.With(third, 5, 6, trans));
    DrawNineSlice(sliced.DC(), {-3, 2, 7, 11}, b, 3);
    EXPECT_EQ(sliced.Pixels(), sliced.With(third, -3, 2, trans));
    // Centred in 20 x 14 from (2, 1): (20 - 10) / 2 = 5, (14 - 9) / 2 = 2.
    DrawFrameCentered(centred.DC(), {2, 1, 22, 15}, b, 3);
    EXPECT_EQ(centred.Pixels(), centred.With(third, 7, 3, trans));
  }
  // Made once and kept.
  const TGdiImage* form = ElementGdiImage(b);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(ElementGdiImage(b), form);
  EXPECT_EQ(form->Width(), 40);
  TDataSkinObject empty("none");
  EXPECT_EQ(ElementGdiImage(empty), nullptr);
}

// A picture that changes after it was drawn (a reloaded skin gives the
// borders, "Buttons" and "Title" new pictures in the same objects) is
// drawn as it is now, never from the old form.
TEST(ElementDraw, AChangedPictureIsDrawnAsItIsNow) {
  TDataSkinObject e("Top");
  e.Image = Bitmap(6, 4, 0x0000AA);
  e.Frame = 1;
  TSurface s(6, 4);
  DrawFrameStretched(s.DC(), {0, 0, 6, 4}, e, 1);
  EXPECT_EQ(s.Pixels().At(2, 2), 0x0000AAu);
  e.Image.Set(2, 2, 0x00BB00);
  DrawFrameStretched(s.DC(), {0, 0, 6, 4}, e, 1);
  EXPECT_EQ(s.Pixels().At(2, 2), 0x00BB00u);
  e.Image = Bitmap(6, 4, 0xCC0000);
  DrawFrameStretched(s.DC(), {0, 0, 6, 4}, e, 1);
  EXPECT_EQ(s.Pixels(), Bitmap(6, 4, 0xCC0000));
  // The keyed form follows too.
  e.Trans = 1;
  e.Image.FillRect({0, 0, 3, 4}, clMagenta);
  TSurface keyed(6, 4);
  DrawFrameStretched(keyed.DC(), {0, 0, 6, 4}, e, 1);
  EXPECT_EQ(keyed.Pixels().At(1, 1), kBack);
  EXPECT_EQ(keyed.Pixels().At(4, 1), 0xCC0000u);
}

TEST(ElementDraw, NothingForInvertedRectsOrMissingFrames) {
  TDataSkinObject e("Tabs");
  e.Image = Pattern(20, 5);
  e.Frame = 2;
  e.Trans = 1;
  TSurface s(24, 10);
  const Bitmap before = s.Pixels();
  for (const RECT& r : {RECT{10, 0, 2, 5}, RECT{0, 8, 5, 2}}) {
    DrawNineSlice(s.DC(), r, e, 1);
    DrawFrameStretched(s.DC(), r, e, 1);
    DrawFrameCentered(s.DC(), r, e, 1);
  }
  DrawNineSlice(s.DC(), {0, 0, 10, 5}, e, 3);
  DrawFrameCentered(s.DC(), {0, 0, 10, 5}, e, 0);
  EXPECT_EQ(s.Pixels(), before);
}

// Draws of every kind and size, the composing surfaces growing on the
// way, and pictures too large for them: afterwards the process holds the
// same number of GDI objects as after the first round.
TEST(ElementDraw, DrawingLeavesNoGdiObjectBehind) {
  TDataSkinObject e("Buttons");
  e.Image = Pattern(60, 12);
  e.Frame = 5;
  e.LeftWidth = e.TopHeight = e.RightWidth = e.BottomHeight = 3;
  TSurface s(200, 100);
  const Bitmap large(1100, 1000, 0x123456); // beyond what the surfaces keep
  auto round = [&] {
    for (int trans : {0, 1}) {
      e.Trans = trans;
      for (int w = 4; w <= 196; w += 24) {
        DrawNineSlice(s.DC(), {2, 2, 2 + w, 2 + w / 2}, e, 1 + w % 5);
        DrawFrameStretched(s.DC(), {0, 0, 12, 12}, e, 2);
        DrawFrameCentered(s.DC(), {0, 0, w, w}, e, 3);
        DrawTransparent(s.DC(), {0, 0, w, w}, e.Image);
      }
    }
    DrawBitmap(s.DC(), -500, -500, large);
    DrawTransparent(s.DC(), {-500, -500, 600, 500}, large);
  };
  round();
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 5; ++i)
    round();
  EXPECT_EQ(LiveGdiObjects(), before);
  // The large picture did arrive.
  EXPECT_EQ(s.Pixels().At(50, 50), 0x123456u);
}

} // namespace
