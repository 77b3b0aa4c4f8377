#include "core/SkinDefinitionTestSkin.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinDefinition, FixedElementsExistBeforeAnyLoad) {
  TSkinDefinition def;
  // Pieces are numbered as the frame painter numbers them.
  const struct {
    int Piece;
    const char* Name;
  } borders[] = {{bpLeft, "Left"}, {bpRight, "Right"}, {bpTop, "Top"}, {bpBottom, "Bottom"}};
  for (const auto& b : borders) {
    EXPECT_EQ(def.Border(b.Piece).Name, b.Name);
    EXPECT_EQ(def.ElementByName(b.Name), &def.Border(b.Piece));
  }
  EXPECT_EQ(bpLeft, 1);
  EXPECT_EQ(bpBottom, 4);
  EXPECT_THROW(def.Border(0), std::out_of_range);
  EXPECT_THROW(def.Border(5), std::out_of_range);
  EXPECT_EQ(def.Buttons().Name, "Buttons");
  EXPECT_EQ(def.Title().Name, "Title");
  EXPECT_EQ(def.ElementByName("BUTTONS"), &def.Buttons());
  EXPECT_EQ(def.ElementByName("title"), &def.Title());
  for (int slot = 0; slot < ssSlotCount; ++slot)
    EXPECT_EQ(def.Element(static_cast<TSkinSlot>(slot)), nullptr) << slot;
  EXPECT_EQ(def.Element(ssSlotCount), nullptr);
  EXPECT_TRUE(def.SysButtons.empty());
}

TEST(SkinDefinition, Borders) {
  TTestSkin skin;
  skin.Bmp("f-left.bmp", Solid(4, 30, 0x000011))
      .Bmp("f-top.bmp", Solid(60, 24, 0x000022))
      .Text("[TitlebarSkin]\nSkinName = Grey 3D \n"
            "  [personality]  \n"
            "Left=skin\\f-left.bmp\n"
            "LeftTopHeight = 0x10\n"
            "lefttopheight=99\n" // a later duplicate is never read
            "LeftBotHeight=7\n"
            "LEFTFRAME=2\n"
            "LeftStretch=0\n"
            "LeftTrans=0\n"
            "RightTopHeight=abc\n" // letters: default
            "RightBotHeight=\n"    // empty: default,
            "RightBotHeight=12\n"  // even with a later value
            "RightStretch=-3\n"
            "Top=F-top.bmp\n"
            "TopTopHeight=5\n"
            "TopBotHeight=$0A\n"
            "TopFrame=2\n"
            "TopStretch=7\n" // above 1 becomes 1
            "TopTrans=3\n"
            "Bottom=missing.bmp\n"
            "BottomTopHeight= 4 \n"
            "BottomBotHeight=1.5\n");
  TSkinDefinition def;
  TFakeSkinEnvironment env;
  skin.LoadInto(def, env);
  EXPECT_EQ(def.SkinName, "Grey 3D");

  // A border's "Stretch" of 1 stretches its centre; its Tile says the same
  // in the words of every other element, where 1 tiles.
  struct {
    int Left, Top, Right, Bottom, Frame, Stretch, Tile, Trans, Width;
  } expected[] = {
      {0, 16, 0, 7, 2, 0, 1, 0, 4},  // Left
      {0, 0, 0, 0, 1, -3, 1, 1, 0},  // Right
      {5, 0, 10, 0, 2, 1, 0, 3, 60}, // Top: bands across the width
      {4, 0, 0, 0, 1, 1, 0, 1, 0},   // Bottom: missing bitmap
  };
  for (int piece = bpLeft; piece <= bpBottom; ++piece) {
    SCOPED_TRACE(piece);
    const TDataSkinFormBorder& b = def.Border(piece);
    const auto& e = expected[piece - 1];
    EXPECT_EQ(b.Margins(), (TMargins{e.Left, e.Top, e.Right, e.Bottom}));
    EXPECT_EQ(b.Frame, e.Frame);
    EXPECT_EQ(b.Stretch, e.Stretch);
    EXPECT_EQ(b.Tile, e.Tile);
    EXPECT_EQ(b.TileCentre(), e.Stretch != 1);
    EXPECT_EQ(b.Trans, e.Trans);
    EXPECT_EQ(b.Image.Width(), e.Width);
    EXPECT_TRUE(b.Image2.Empty());
  }
  EXPECT_EQ(def.Border(bpLeft).Image.At(0, 0), 0x000011u);
}

TEST(SkinDefinition, ColourSlots) {
  TTestSkin skin;
  skin.Text("[colours]\n"
            "WindowText=1 2 3\n"
            "ButtonFace = 10,20,30\n"
            "buttonface=99 99 99\n"
            "Scrollbar=\n"
            "HilightText=300 0 0\n"
            "MenuText=4 5 6\n"
            "ButtonShadow=7 8 9\n"
            "TitleTextNoActive=255 255\n" // one stored number: the trailing one is dropped
            "Hilight=0 0 255,\n");
  TSkinDefinition def;
  def.Colors[9] = 0x123456;
  def.Colors[10] = 0x654321;
  skin.LoadInto(def, TFakeSkinEnvironment());
  struct {
    int Slot;
    TColor Colour;
    bool Given;
  } cases[] = {
      {0, MakeColor(1, 2, 3), true},
      {1, SysColor(COLORIDX_CAPTIONTEXT), false},
      {2, MakeColor(255, 0, 0), true},
      {3, MakeColor(10, 20, 30), true},
      {4, SysColor(COLORIDX_BTNTEXT), false},
      {5, SysColor(COLORIDX_BTNHIGHLIGHT), false},
      {6, SysColor(COLORIDX_BTNHIGHLIGHT), false},
      {7, MakeColor(7, 8, 9), true},
      {8, SysColor(COLORIDX_3DDKSHADOW), false},
      {9, 0x123456, false}, // never read
      {10, 0x654321, false},
      {11, MakeColor(44, 0, 0), true},
      {12, MakeColor(0, 0, 255), true},
      {13, MakeColor(10, 20, 30), false}, // the face colour
      {14, SysColor(COLORIDX_MENUTEXT), false},
      {15, MakeColor(4, 5, 6), true},
      {16, SysColor(COLORIDX_MENU), false},
      {17, MakeColor(10, 20, 30), false}, // base colour: no top border picture
      {18, SysColor(COLORIDX_SCROLLBAR), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(def.Colors[c.Slot], c.Colour) << c.Slot;
    EXPECT_EQ(def.ColorGiven[c.Slot], c.Given) << c.Slot;
  }
}

TEST(SkinDefinition, MenubarDefaultsToTheSystemFaceColour) {
  TSkinDefinition def;
  TTestSkin().Text("[Colours]\nMenu=1 1 1\n").LoadInto(def, TFakeSkinEnvironment());
  EXPECT_EQ(def.Colors[scMenubar], SysColor(COLORIDX_BTNFACE));
  EXPECT_EQ(def.Colors[scBaseColor], SysColor(COLORIDX_BTNFACE));
}

TEST(SkinDefinition, SchemeAndCustomColours) {
  TTestSkin skin;
  skin.Text("[Colour0]\ncolor=1 2 3\n"
            "[COLOURS]\ncolor=9 9 9\n"
            "[colour1]\n"
            "[Colourful]\nColor=4,5,6,\n"
            "[Colours]\n"
            "[Kolour]\ncolor=7 7 7\n"
            "[CustomColors]\nColor0=10 11 12\ncolor9=200 201 202\nColor5=\nColor10=1 1 1\n");
  TSkinDefinition def;
  skin.LoadInto(def, TFakeSkinEnvironment());
  EXPECT_EQ(
      def.SchemeColors,
      (std::vector<TColor>{MakeColor(1, 2, 3), SysColor(COLORIDX_WINDOWTEXT), MakeColor(4, 5, 6)}));
  std::array<TColor, 10> custom;
  custom.fill(clWhite);
  custom[0] = MakeColor(10, 11, 12);
  custom[9] = MakeColor(200, 201, 202);
  EXPECT_EQ(def.CustomColors, custom);
}

TEST(SkinDefinition, ButtonsElement) {
  TTestSkin skin;
  skin.Bmp("button.bmp", Solid(50, 20, 0x0000AA))
      .Bmp("check.bmp", Solid(130, 13, 0x0000BB)) // lower than 16: frames of 13
      .Bmp("radio.bmp", Solid(32, 16, 0x0000CC))  // 2 frames of 16, raised to 4
      .Text("[Buttons]\n"
            "Bitmap=button.bmp\nCheckButton=check.bmp\nRadioButton=radio.bmp\n"
            "LeftWidth=3\nTopHeight=4\nRightWidth=5\nBottomHeight=6\n"
            "Trans=1\nTile=2\nFrame=9\nStyle=3\n"
            "NormalColour=0x00FF00\nMouseOverColour=255\n"
            "NormalColour2=1 2 3\nPressedColour2=\n"
            "[Colours]\nButtonText=9 8 7\n");
  TSkinDefinition def;
  skin.LoadInto(def, TFakeSkinEnvironment());
  const TDataSkinButton& b = def.Buttons();
  EXPECT_EQ(b.Margins(), (TMargins{3, 4, 5, 6}));
  EXPECT_EQ(b.Trans, 1);
  EXPECT_EQ(b.Tile, 0); // above 1 becomes 0
  EXPECT_EQ(b.Frame, 5);
  EXPECT_EQ(b.Style, 0); // not read
  EXPECT_EQ(b.Image.At(0, 0), 0x0000AAu);
  EXPECT_EQ(b.CheckButton.Width(), 130);
  EXPECT_EQ(b.RadioButton.Width(), 32);
  EXPECT_EQ(b.NormalColour, 0x00FF00u);
  EXPECT_EQ(b.MouseOverColour, 255u);
  EXPECT_EQ(b.PressedColour, 0xFFFFFFFFu);
  EXPECT_TRUE(b.NormalColour2Given);
  EXPECT_FALSE(b.MouseOverColour2Given);
  EXPECT_FALSE(b.PressedColour2Given);
  EXPECT_EQ(b.NormalColour2, MakeColor(1, 2, 3));
  EXPECT_EQ(b.MouseOverColour2, MakeColor(9, 8, 7));
  EXPECT_EQ(b.PressedColour2, MakeColor(9, 8, 7));
  EXPECT_EQ(b.CheckButtonFrame, 10);
  EXPECT_EQ(b.RadioButtonFrame, 4);
}

TEST(SkinDefinition, RadioAndCheckFrameCounts) {
  struct {
    int Width, Height, Given, Expected;
  } cases[] = {
      {65, 13, 0, 5}, {65, 15, 0, 5}, {96, 16, 0, 6}, {96, 40, 0, 6},
      {40, 13, 0, 4}, {0, 0, 0, 4},   {65, 13, 2, 2}, {65, 13, -1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << " given " << c.Given);
    TTestSkin skin;
    if (c.Width > 0) skin.Bmp("r.bmp", Solid(c.Width, c.Height, clWhite));
    skin.Text("[Buttons]\nRadioButton=r.bmp\nCheckButton=r.bmp\nRadioButtonFrame=" +
              std::to_string(c.Given) + "\nCheckButtonFrame=" + std::to_string(c.Given) + "\n");
    TSkinDefinition def;
    skin.LoadInto(def, TFakeSkinEnvironment());
    EXPECT_EQ(def.Buttons().RadioButtonFrame, c.Expected);
    EXPECT_EQ(def.Buttons().CheckButtonFrame, c.Expected);
  }
}

TEST(SkinDefinition, TitleElement) {
  TTestSkin skin;
  skin.Bmp("textback.bmp", Solid(8, 8, 0x0000DD))
      .Text("[Personality]\nTextBack=textback.bmp\nTextShift=11\nTextShiftVert=12\n"
            "TextRightClip=13\nTextAlignment=2\nTextBackground=1\nTXTBACKLEFT=14\n"
            "TxtBackRight=15\nActiveTextR=300\nActiveTextG=0\nActiveTextB=0x10\n"
            "InActiveTextR=1\nInActiveTextG=-2\nInActiveTextB=3\n"
            "[Fonts]\nFontHeight=18\n");
  TSkinDefinition def;
  skin.LoadInto(def, TFakeSkinEnvironment());
  const TDataSkinTitle& t = def.Title();
  EXPECT_EQ(t.TextBack().At(0, 0), 0x0000DDu);
  EXPECT_EQ(t.TextShift, 11);
  EXPECT_EQ(t.TextShiftVert, 12);
  EXPECT_EQ(t.TextRightClip, 13);
  EXPECT_EQ(t.TextAlignment, 2);
  EXPECT_EQ(t.TextBackground, 1);
  EXPECT_EQ(t.FontHeight, 18);
  // The text background is sliced with its own margins, not the shifts.
  EXPECT_EQ(t.TXTBackleft(), 14);
  EXPECT_EQ(t.TXTBackRight(), 15);
  EXPECT_EQ(t.Margins(), (TMargins{14, 0, 15, 0}));
  EXPECT_EQ(t.ActiveTextColour, MakeColor(44, 0, 16));
  EXPECT_EQ(t.InactiveTextColour, clNone); // a negative component: not given
  EXPECT_EQ(t.Frame, 2);
}

TEST(SkinDefinition, TitleDefaults) {
  TSkinDefinition def;
  TTestSkin()
      .Text("[Personality]\nActiveTextR=1\nActiveTextG=2\n")
      .LoadInto(def, TFakeSkinEnvironment());
  const TDataSkinTitle& t = def.Title();
  EXPECT_TRUE(t.Image.Empty());
  EXPECT_EQ(t.Margins(), TMargins{});
  EXPECT_EQ(t.TextShift + t.TextShiftVert + t.TextRightClip, 0);
  EXPECT_EQ(t.FontHeight, 14);
  EXPECT_EQ(t.ActiveTextColour, clNone);
  EXPECT_EQ(t.InactiveTextColour, clNone);
}

TEST(SkinDefinition, BaseColourFromTheTopBorder) {
  struct {
    int Width, Height;
    const char* Frame;
    int X, Y;
  } cases[] = {
      {30, 12, "2", 10, 2}, // (width / 3, height / frames / 3)
      {31, 13, "1", 10, 4},  {9, 9, "3", 3, 1}, {30, 12, "0", 10, 4}, // no frames counts as one
      {30, 12, "-2", 10, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << " frames " << c.Frame);
    Bitmap top(c.Width, c.Height, 0x111111);
    top.Set(c.X, c.Y, 0x2468AC);
    TSkinDefinition def;
    TTestSkin()
        .Bmp("top.bmp", top)
        .Text(std::string("[Personality]\nTop=top.bmp\nTopFrame=") + c.Frame +
              "\n[Colours]\nButtonFace=1 1 1\n")
        .LoadInto(def, TFakeSkinEnvironment());
    EXPECT_EQ(def.BaseColor(), 0x2468ACu);
    EXPECT_EQ(def.Colors[scBaseColor], 0x2468ACu);
  }
}

TEST(SkinDefinition, EmptyDefinitionGivesDefaultsAndNoCrash) {
  using namespace std::string_literals;
  for (const std::string& text : {""s, "\0[Personality]\nTopFrame=0"s, "garbage\n[\n]\n=\n[[]]\n"s,
                                  "[Button]\n[Buttons]\n[ButtonX]\nAction=zz\n"s}) {
    SCOPED_TRACE(text);
    TSkinDefinition def;
    TTestSkin().Text(text).LoadInto(def, TFakeSkinEnvironment());
    EXPECT_EQ(def.SkinName, "");
    EXPECT_EQ(def.Colors[scButtonFace], SysColor(COLORIDX_BTNFACE));
    EXPECT_EQ(def.Border(bpTop).Frame, 1);
    EXPECT_NE(def.Element(ssComboxArrow), nullptr);
    EXPECT_NE(def.Element(ssToolbar), nullptr);
    EXPECT_EQ(def.Element(ssProgress), nullptr);
  }
}

TEST(SkinDefinition, SecondLoadReplacesTheFirst) {
  TSkinDefinition def;
  TFakeSkinEnvironment env;
  EXPECT_EQ(def.Generation(), 0u);
  TTestSkin()
      .Bmp("a.bmp", Solid(4, 4, 0x0000AA))
      .Text("[Button.Close]\nAction=0\n[Colour0]\ncolor=1 1 1\n"
            "[Tabs]\nImage=a.bmp\n[SunkEdge]\nImage=a.bmp\n[ComboButton]\nImage=a.bmp\n")
      .LoadInto(def, env);
  ASSERT_NE(def.Element(ssTabs), nullptr);
  const TDataSkinObject* arrow = def.Element(ssComboxArrow);
  const TDataSkinObject* toolbar = def.Element(ssToolbar);
  EXPECT_EQ(def.SysButtons.size(), 4u);
  EXPECT_FALSE(arrow->Image.Empty());
  EXPECT_EQ(def.Generation(), 1u);
  const std::uint64_t arrowRevision = arrow->Image.Revision();

  TTestSkin().Text("[Button.Min]\nAction=2\n[Button.Max]\nAction=1\n").LoadInto(def, env);
  EXPECT_EQ(def.Generation(), 2u);
  EXPECT_EQ(def.Element(ssTabs), nullptr);
  EXPECT_EQ(def.Element(ssSunkEdge), nullptr);
  EXPECT_EQ(def.SysButtons.size(), 5u);
  EXPECT_EQ(def.SysButtons[0]->Name, "BUTTON.MIN");
  EXPECT_TRUE(def.SchemeColors.empty());
  // Made once and kept: painters may hold them.
  EXPECT_EQ(def.Element(ssComboxArrow), arrow);
  EXPECT_EQ(def.Element(ssToolbar), toolbar);
  EXPECT_TRUE(arrow->Image.Empty());
  // What was made from the old picture can tell it is stale.
  EXPECT_GT(arrow->Image.Revision(), arrowRevision);
}

// Every change to a bitmap moves its revision on; reading does not.
TEST(BitmapRevision, GrowsWithEveryChange) {
  Bitmap b(3, 2, clWhite);
  const Bitmap& view = b;
  auto changes = [&b](auto change) {
    const std::uint64_t before = b.Revision();
    change();
    return b.Revision() > before;
  };
  EXPECT_FALSE(changes([&] { (void)view.At(1, 1), (void)view.Row(0), (void)view.Pixels(); }));
  EXPECT_FALSE(changes([&] { Bitmap copy = b; }));
  EXPECT_TRUE(changes([&] { b.Set(0, 0, clBlack); }));
  EXPECT_TRUE(changes([&] { b.FillRect({0, 0, 1, 1}, 0x0000FF); }));
  EXPECT_TRUE(changes([&] { b.Row(1)[0] = 5; }));
  EXPECT_TRUE(changes([&] { b.Pixels()[0] = 5; }));
  EXPECT_TRUE(changes([&] { b.Reset(2, 2); }));
  EXPECT_TRUE(changes([&] { MirrorBitmap(b); }));
  // An assignment, even of a bitmap that has changed less often.
  EXPECT_TRUE(changes([&] { b = Bitmap(4, 4); }));
  const Bitmap other(1, 1);
  EXPECT_TRUE(changes([&] { b = other; }));
  Bitmap moved = std::move(b);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(moved.Width(), 1);
}

} // namespace
