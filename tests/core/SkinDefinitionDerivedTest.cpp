#include "core/SkinDefinitionTestSkin.h"

#include "core/ImgUtil.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kFace = MakeColor(10, 20, 30);
const TColor kSunk[4] = {0x000101, 0x000202, 0x000303, 0x000404};
const TColor kButton[4] = {0x010001, 0x020002, 0x030003, 0x040004};
const TColor kMarker[4] = {0x110000, 0x220000, 0x330000, 0x440000};
const TColor kExtra[5] = {0x000011, 0x000022, 0x000033, 0x000044, 0x000055};

// Button frames of exactly the button's size (arrow width 17 + 2), so the
// nine-slice copies them pixel for pixel: magenta top-left corner, a marker
// at (5, 5).
Bitmap ButtonStrip() {
  Bitmap b = FrameStrip(19, 21, {kButton[0], kButton[1], kButton[2], kButton[3]});
  for (int k = 0; k < 4; ++k) {
    b.Set(k * 19, 0, clMagenta);
    b.Set(k * 19 + 5, 5, kMarker[k]);
  }
  return b;
}

// Glyphs of 5x3 with a magenta top-left pixel.
Bitmap ExtraStrip() {
  Bitmap b = FrameStrip(5, 3, {kExtra[0], kExtra[1], kExtra[2], kExtra[3], kExtra[4]});
  for (int k = 0; k < 5; ++k)
    b.Set(k * 5, 0, clMagenta);
  return b;
}

TTestSkin ComboSkin(bool withExtra) {
  TTestSkin skin;
  skin.Bmp("sunk.bmp", FrameStrip(8, 8, {kSunk[0], kSunk[1], kSunk[2], kSunk[3]}))
      .Bmp("button.bmp", ButtonStrip())
      .Bmp("extra.bmp", ExtraStrip())
      .Text("[Colours]\nButtonFace=10 20 30\n"
            "[SunkEdge]\nImage=sunk.bmp\nLeftWidth=2\nTopHeight=3\nRightWidth=2\nBottomHeight=4\n"
            "Trans=1\n"
            "[ComboButton]\nImage=button.bmp\nTrans=1\nStyle=1\nLeftWidth=1\n");
  if (withExtra) skin.Text("[ExtraImages]\nImage=extra.bmp\n");
  return skin;
}

// What cell k (from 0) of the composite strip must hold at (x, y).
TColor ExpectedCell(int k, int x, int y, bool withExtra) {
  if (x >= 2 && x < 32 && y >= 2 && y < 18) return kFace; // the text area
  if (withExtra && x >= 38 && x < 43 && y >= 9 && y < 12 && !(x == 38 && y == 9)) return kExtra[k];
  if (x >= 31) {
    if (x == 31 && y == 0) return kSunk[k]; // the button's magenta corner
    if (x == 36 && y == 5) return kMarker[k];
    return kButton[k];
  }
  return kSunk[k];
}

TEST(SkinDerived, CompositeComboStrip) {
  for (bool withExtra : {false, true}) {
    SCOPED_TRACE(withExtra);
    TSkinDefinition def;
    ComboSkin(withExtra).LoadInto(def, TFakeSkinEnvironment());
    const auto& button = dynamic_cast<const TDataSkinBorder&>(*def.Element(ssComboButton));
    const TDataSkinObject& sunk = *def.Element(ssSunkEdge);
    ASSERT_EQ(button.Image.Width(), 200);
    ASSERT_EQ(button.Image.Height(), 21);
    for (int k = 0; k < 4; ++k)
      for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 50; ++x) {
          const TColor expected = ExpectedCell(k, x, y, withExtra);
          ASSERT_EQ(button.Image.At(k * 50 + x, y), expected) << k << " " << x << "," << y;
          ASSERT_EQ(sunk.Image.At(199 - k * 50 - x, y), expected) << k << " " << x << "," << y;
        }
    EXPECT_EQ(button.Style, 2);
    EXPECT_EQ(button.Margins(), (TMargins{2, 3, 19, 4}));
    EXPECT_EQ(button.Frame, 4);
    EXPECT_EQ(sunk.Margins(), (TMargins{19, 3, 2, 4}));
    EXPECT_EQ(sunk.Frame, 4);
    // The second picture is the button strip as read, mirrored.
    Bitmap mirrored = ButtonStrip();
    MirrorBitmap(mirrored);
    EXPECT_TRUE(button.Image2 == mirrored);
    EXPECT_EQ(button.Image2.BitsPerPixel(), 24);
  }
}

TEST(SkinDerived, ComboxArrowFromTheCompositeStrip) {
  TSkinDefinition def;
  ComboSkin(true).LoadInto(def, TFakeSkinEnvironment());
  const TDataSkinObject& arrow = *def.Element(ssComboxArrow);
  EXPECT_EQ(arrow.Name, "ComboxArrow");
  EXPECT_EQ(arrow.Frame, 4);
  ASSERT_EQ(arrow.Image.Width(), 68);
  ASSERT_EQ(arrow.Image.Height(), 17);
  for (int k = 0; k < 4; ++k)
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 17; ++x)
        ASSERT_EQ(arrow.Image.At(k * 17 + x, y), ExpectedCell(k, 31 + x, 2 + y, true))
            << k << " " << x << "," << y;
}

TEST(SkinDerived, ComboxArrowWithoutSunkEdge) {
  TSkinDefinition def;
  TTestSkin()
      .Bmp("button.bmp", ButtonStrip())
      .Text("[Colours]\nButtonFace=10 20 30\n[ComboButton]\nImage=button.bmp\n")
      .LoadInto(def, TFakeSkinEnvironment());
  const TDataSkinObject& arrow = *def.Element(ssComboxArrow);
  Bitmap expected = ButtonStrip();
  for (int k = 0; k < 4; ++k)
    expected.Set(k * 19, 0, kFace);
  EXPECT_TRUE(arrow.Image == expected);
  EXPECT_EQ(arrow.Image.BitsPerPixel(), 24);
  EXPECT_EQ(arrow.Frame, 4);
  // The button keeps its own picture and look.
  const TDataSkinObject& button = *def.Element(ssComboButton);
  EXPECT_TRUE(button.Image == ButtonStrip());
  EXPECT_EQ(button.Style, 0);
}

TEST(SkinDerived, ComboxArrowAlwaysExists) {
  const char* texts[] = {"", "[SunkEdge]\nImage=a.bmp\n"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    TSkinDefinition def;
    TTestSkin().Bmp("a.bmp", Solid(8, 4, clWhite)).Text(text).LoadInto(def, TFakeSkinEnvironment());
    ASSERT_NE(def.Element(ssComboxArrow), nullptr);
    EXPECT_TRUE(def.Element(ssComboxArrow)->Image.Empty());
    EXPECT_EQ(def.ElementByName("comboxarrow"), def.Element(ssComboxArrow));
  }
}

TEST(SkinDerived, ComboStripFollowsTheArrowWidth) {
  struct {
    int Arrow;
    int ButtonLeft; // first column of the button part
  } cases[] = {{17, 31}, {21, 27}, {0, 48}, {-5, 48}, {1000, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Arrow);
    TFakeSkinEnvironment env;
    env.ArrowWidth = c.Arrow;
    TSkinDefinition def;
    TTestSkin()
        .Bmp("sunk.bmp", Solid(6, 6, kSunk[0]))
        .Bmp("button.bmp", Solid(8, 8, kButton[0]))
        .Text("[Colours]\nButtonFace=10 20 30\n[SunkEdge]\nImage=sunk.bmp\n"
              "[ComboButton]\nImage=button.bmp\n")
        .LoadInto(def, env);
    const TDataSkinObject& button = *def.Element(ssComboButton);
    ASSERT_EQ(button.Image.Width(), 200);
    EXPECT_EQ(button.RightWidth, 50 - c.ButtonLeft);
    EXPECT_EQ(def.Element(ssSunkEdge)->LeftWidth, 50 - c.ButtonLeft);
    EXPECT_EQ(button.Image.At(c.ButtonLeft, 19), kButton[0]);
    EXPECT_EQ(button.Image.At(c.ButtonLeft - 1, 19), kSunk[0]);
  }
}

TEST(SkinDerived, ToolbarGradient) {
  struct {
    const char* Text;
    TColor Top, LastRow; // the last row is one step short of the bottom colour
  } cases[] = {
      // Base colour (10, 20, 30): no channel above 159, saturation 200, so
      // BlendColor(base, white, 54) = (123, 128, 134) at the bottom.
      {"[Colours]\nButtonFace=10 20 30\n", MakeColor(218, 220, 221), MakeColor(124, 129, 135)},
      // Base colour from the top border (200, 170, 190): saturation 38, so
      // BlendColor(grey, base, 150) = (189, 164, 181).
      {"[Colours]\nButtonFace=10 20 30\n[Personality]\nTop=top.bmp\n", MakeColor(218, 220, 221),
       MakeColor(190, 165, 182)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    TSkinDefinition def;
    TTestSkin()
        .Bmp("top.bmp", Solid(9, 9, MakeColor(200, 170, 190)))
        .Text(c.Text)
        .LoadInto(def, TFakeSkinEnvironment());
    const TDataSkinObject& toolbar = *def.Element(ssToolbar);
    EXPECT_EQ(toolbar.Name, "Toolbar");
    EXPECT_EQ(toolbar.Frame, 1);
    ASSERT_EQ(toolbar.Image.Width(), 10);
    ASSERT_EQ(toolbar.Image.Height(), 40);
    for (int x = 0; x < 10; ++x) {
      EXPECT_EQ(toolbar.Image.At(x, 0), c.Top) << x;
      EXPECT_EQ(toolbar.Image.At(x, 39), c.LastRow) << x;
      for (int y = 1; y < 40; ++y)
        EXPECT_EQ(toolbar.Image.At(x, y), toolbar.Image.At(0, y));
    }
  }
}

TEST(SkinDerived, ToolbarFromSystemColours) {
  // The face colour is a system colour here; it must be converted before
  // blending: 15 % of each channel and 85 % white.
  TSkinDefinition def;
  TTestSkin().LoadInto(def, TFakeSkinEnvironment());
  const TColor face = ColorToRGB(SysColor(COLORIDX_BTNFACE));
  auto blend = [](int c) { return (c * 150 + 255 * 850 + 500) / 1000; };
  EXPECT_EQ(def.Element(ssToolbar)->Image.At(0, 0),
            MakeColor(blend(RedOf(face)), blend(GreenOf(face)), blend(BlueOf(face))));
#ifndef BR_WIN32_TESTS
  EXPECT_EQ(def.Element(ssToolbar)->Image.At(0, 0), MakeColor(246, 246, 246)); // from 0xC0C0C0
#endif
}

} // namespace
