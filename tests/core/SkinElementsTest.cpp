#include "core/SkinDefinitionTestSkin.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace {

enum class TType { Object, Border, BoxLabel };

struct TSlotCase {
  TSkinSlot Slot;
  const char* Section;
  const char* ImageKey;
  TType Type;
  int Frames; // after loading with Frame=7 written in every section
};

const TSlotCase kSlotCases[] = {
    {ssProgress, "Progress", "Bitmap", TType::Border, 2},
    {ssProgressChunk, "Progress.Chunk", "Image", TType::Object, 7},
    {ssGroupBoxEdge, "GroupBoxEdge", "Image", TType::Object, 2},
    {ssGroupBox, "GroupBox", "Image", TType::BoxLabel, 1},
    {ssTabs, "Tabs", "Image", TType::Border, 5},
    {ssStatusBarEdges, "StatusBarEdges", "Image", TType::Object, 3},
    {ssTabPane, "Tab.Pane", "Image", TType::Object, 1},
    {ssToolBars, "ToolBars", "Image", TType::Object, 5},
    {ssComboButton, "ComboButton", "Image", TType::Border, 4},
    {ssSunkEdge, "SunkEdge", "Image", TType::Object, 4},
    {ssExtraImages, "ExtraImages", "Image", TType::Object, 5},
    {ssHeaderbar, "Headerbar", "Image", TType::Object, 7},
    {ssMenuItem, "MenuItem", "Image", TType::Object, 5},
    {ssMenuBackground, "MenuBackground", "Image", TType::Object, 1},
    {ssScrollbar, "Scrollbar", "Image", TType::Object, 23},
    {ssHorzScroll, "HorzScroll", "Image", TType::Object, 4},
    {ssVertScroll, "VertScroll", "Image", TType::Object, 4},
    {ssHorzScrollThumb, "HorzScrollThumb", "Image", TType::Object, 3},
    {ssVertScrollThumb, "VertScrollThumb", "Image", TType::Object, 3},
    {ssTrackbarThumbHorz, "Trackbar.ThumbHorz", "Image", TType::Object, 5},
    {ssTrackbarThumbVert, "Trackbar.ThumbVert", "Image", TType::Object, 5},
    {ssTrackbarThumbLeft, "Trackbar.ThumbLeft", "Image", TType::Object, 5},
    {ssTrackbarThumbRight, "Trackbar.ThumbRight", "Image", TType::Object, 5},
    {ssTrackbarThumbUp, "Trackbar.ThumbUp", "Image", TType::Object, 5},
    {ssTrackbarThumbDown, "Trackbar.ThumbDown", "Image", TType::Object, 5},
    {ssUpDownHorz, "UpDown.Horz", "Image", TType::Border, 8},
    {ssUpDownVert, "UpDown.Vert", "Image", TType::Border, 8},
    {ssTrack, "Track", "Image", TType::Object, 7},
    {ssTrackVert, "TRACKVERT", "Image", TType::Object, 7},
};

TColor SlotColour(int slot) {
  return MakeColor(slot + 1, 0x40, 0x80);
}

bool HasType(const TDataSkinObject& e, TType t) {
  switch (t) {
  case TType::Object: return typeid(e) == typeid(TDataSkinObject);
  case TType::Border: return typeid(e) == typeid(TDataSkinBorder);
  case TType::BoxLabel: return typeid(e) == typeid(TDataSkinBoxLabel);
  }
  return false;
}

TEST(SkinSlots, EverySlotItsKindAndFrameCount) {
  TTestSkin skin;
  for (const TSlotCase& c : kSlotCases) {
    const std::string file = "slot" + std::to_string(c.Slot) + ".bmp";
    skin.Bmp(file, Solid(28, 8, SlotColour(c.Slot)));
    // Written in lower case and with odd spacing: sections and keys ignore case.
    skin.Text("  [" + IniLower(c.Section) + "]\n " + c.ImageKey + " =  " + file +
              "\nframe = 7\nStyle=0\n");
  }
  skin.Bmp("menubar.bmp", Solid(6, 6, 0x00ABCD)).Text("[Personality]\nMENUBAR=menubar.bmp\n");
  TSkinDefinition def;
  TFakeSkinEnvironment env;
  skin.LoadInto(def, env);
  EXPECT_TRUE(env.Requested.empty());

  for (const TSlotCase& c : kSlotCases) {
    SCOPED_TRACE(c.Section);
    const TDataSkinObject* e = def.Element(c.Slot);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Name, c.Section);
    EXPECT_EQ(def.ElementByName(IniUpper(c.Section)), e);
    EXPECT_TRUE(HasType(*e, c.Type)) << typeid(*e).name();
    EXPECT_EQ(e->Frame, c.Frames);
    // The combo pieces are rebuilt from each other after loading.
    if (c.Slot != ssComboButton && c.Slot != ssSunkEdge) {
      EXPECT_EQ(e->Image.At(0, 0), SlotColour(c.Slot));
    }
  }
  const TDataSkinObject* menuBar = def.Element(ssMenuBar);
  ASSERT_NE(menuBar, nullptr);
  EXPECT_EQ(menuBar->Name, "Personality");
  EXPECT_EQ(menuBar->Frame, 2);
  EXPECT_EQ(menuBar->Image.At(0, 0), 0x00ABCDu);
  // The typed views of the slots whose elements are of their own kind.
  EXPECT_EQ(def.MenuBar(), menuBar);
  EXPECT_EQ(def.GroupBox(), def.Element(ssGroupBox));
  for (const TSlotCase& c : kSlotCases)
    EXPECT_EQ(def.ElementWithSecondImage(c.Slot) != nullptr, c.Type == TType::Border) << c.Section;
}

// Drawing from an element takes its frame count, margins and tile flag, so
// a border's "Stretch" must come out right without the painter knowing
// that borders say it the other way round. A centre of B C over four
// pixels stretches to B B C C and tiles to B C B C.
TEST(SkinElementDrawing, BordersStretchWhereTheSkinSaysStretch) {
  constexpr TColor A = 0x0000AA, B = 0x0000BB, C = 0x0000CC, D = 0x0000DD;
  Bitmap strip(4, 1);
  strip.Set(0, 0, A), strip.Set(1, 0, B), strip.Set(2, 0, C), strip.Set(3, 0, D);
  TSkinDefinition def;
  TTestSkin()
      .Bmp("t.bmp", strip)
      .Text("[Personality]\nTop=t.bmp\nTopTopHeight=1\nTopBotHeight=1\nTopStretch=0\n"
            "Bottom=t.bmp\nBottomTopHeight=1\nBottomBotHeight=1\n")
      .LoadInto(def, TFakeSkinEnvironment());
  auto row = [](const Bitmap& b) {
    std::vector<TColor> out;
    for (int x = 0; x < b.Width(); ++x)
      out.push_back(b.At(x, 0));
    return out;
  };
  const TRect dest = RectOf(0, 0, 6, 1);
  EXPECT_EQ(row(BuildNineSlice(dest, def.Border(bpTop), 1)),
            (std::vector<TColor>{A, B, C, B, C, D}));
  EXPECT_EQ(row(BuildNineSlice(dest, def.Border(bpBottom), 1)),
            (std::vector<TColor>{A, B, B, C, C, D}));
  EXPECT_EQ(row(BuildThreeSliceStretch(dest, def.Border(bpBottom), 1)),
            (std::vector<TColor>{A, B, B, C, C, D}));
  // The middle of a three-slice repeats at its own width.
  EXPECT_EQ(row(BuildThreeSliceH(dest, def.Border(bpBottom), 1)),
            (std::vector<TColor>{A, B, C, B, C, D}));
}

TEST(SkinSlots, NoPictureKeyLeavesTheSlotEmpty) {
  TTestSkin skin;
  for (const TSlotCase& c : kSlotCases) {
    if (c.Slot == ssTrack || c.Slot == ssTrackVert) continue;
    // The other kind's key, and an empty picture key, make nothing.
    skin.Text(std::string("[") + c.Section + "]\nFrame=2\nImage=\n" +
              (std::string(c.ImageKey) == "Image" ? "Bitmap" : "Image") + "=a.bmp\n");
  }
  skin.Text("[Personality]\nImage=a.bmp\nmenuBar= \n");
  skin.Bmp("a.bmp", Solid(2, 2, clWhite));
  TSkinDefinition def;
  skin.LoadInto(def, TFakeSkinEnvironment());
  for (int slot = 0; slot < ssTrack; ++slot)
    EXPECT_EQ(def.Element(static_cast<TSkinSlot>(slot)), nullptr) << slot;
}

TEST(SkinSlots, MissingBitmapStillMakesTheElement) {
  TSkinDefinition def;
  TTestSkin()
      .Bmp("a.bmp", Solid(2, 2, clWhite))
      .Text("[Tabs]\nImage=gone.bmp\n[MenuItem]\nImage=A.BMP\n[ToolBars]\nImage=a.bmp\n")
      .LoadInto(def, TFakeSkinEnvironment());
  ASSERT_NE(def.Element(ssTabs), nullptr);
  EXPECT_TRUE(def.Element(ssTabs)->Image.Empty());
  ASSERT_NE(def.Element(ssMenuItem), nullptr);
  EXPECT_TRUE(def.Element(ssMenuItem)->Image.Empty()); // capital extension refused
  EXPECT_FALSE(def.Element(ssToolBars)->Image.Empty());
}

TEST(SkinSlots, ImageElementFields) {
  TSkinDefinition def;
  TTestSkin()
      .Bmp("a.bmp", Solid(2, 2, clWhite))
      .Text("[Colours]\nButtonText=1 2 3\n"
            "[MenuItem]\nImage=a.bmp\nStyle=4\nLeftWidth=1\nTopHeight=2\nRightWidth=3\n"
            "BottomHeight=4\nTrans=1\nTile=1\nNormalColour=0x0000FF\nMouseOverColour=-5\n"
            "NormalColour2=9 8 7\nMouseOverColour2=junk\n"
            "[StatusBarEdges]\nImage=a.bmp\nTile=2\nLeftWidth=x\n")
      .LoadInto(def, TFakeSkinEnvironment());
  const TDataSkinObject& e = *def.Element(ssMenuItem);
  EXPECT_EQ(e.Style, 4);
  EXPECT_EQ(e.Margins(), (TMargins{1, 2, 3, 4}));
  EXPECT_EQ(e.Trans, 1);
  EXPECT_EQ(e.Tile, 1);
  EXPECT_EQ(e.NormalColour, 0x0000FFu);
  EXPECT_EQ(e.MouseOverColour, static_cast<TColor>(-5));
  EXPECT_EQ(e.PressedColour, 0xFFFFFFFFu);
  EXPECT_EQ(e.NormalColour2, MakeColor(9, 8, 7));
  EXPECT_EQ(e.MouseOverColour2, clBlack); // a text without digits
  EXPECT_EQ(e.PressedColour2, MakeColor(1, 2, 3));
  const TDataSkinObject& s = *def.Element(ssStatusBarEdges);
  EXPECT_EQ(s.Tile, 0); // above 1 becomes 0
  EXPECT_EQ(s.Margins(), TMargins{});
  EXPECT_EQ(s.Style, 0);
}

TEST(SkinSlots, SecondPictureKinds) {
  TSkinDefinition def;
  TTestSkin()
      .Bmp("a.bmp", Solid(2, 2, 0x000001))
      .Bmp("b.bmp", Solid(3, 3, 0x000002))
      .Text("[Tabs]\nImage=a.bmp\nBorder=b.bmp\nFrame=9\nGlyphImage=a.bmp\n"
            "[UpDown.Horz]\nImage=a.bmp\nGlyphImage=b.bmp\nBorder=a.bmp\n"
            "[UpDown.Vert]\nImage=a.bmp\n")
      .LoadInto(def, TFakeSkinEnvironment());
  auto second = [&](TSkinSlot s) { return dynamic_cast<TDataSkinBorder&>(*def.Element(s)).Image2; };
  EXPECT_EQ(second(ssTabs).At(0, 0), 0x000002u);
  EXPECT_EQ(second(ssUpDownHorz).At(0, 0), 0x000002u);
  EXPECT_TRUE(second(ssUpDownVert).Empty());
  EXPECT_EQ(def.Element(ssTabs)->Frame, 5);
}

TEST(SkinSlots, BitmapElement) {
  TSkinDefinition def;
  TTestSkin()
      .Bmp("p.bmp", Solid(2, 2, clWhite))
      .Text("[Progress]\nBitmap=p.bmp\nStyle=1\nLeftWidth=1\nTopHeight=2\nRightWidth=3\n"
            "BottomHeight=4\nTrans=1\nTile=5\nFrame=9\nNormalColour=5\nNormalColour2=1 1 1\n")
      .LoadInto(def, TFakeSkinEnvironment());
  const TDataSkinObject& e = *def.Element(ssProgress);
  EXPECT_EQ(e.Style, 1);
  EXPECT_EQ(e.Frame, 1); // a style: one frame
  EXPECT_EQ(e.Margins(), (TMargins{1, 2, 3, 4}));
  EXPECT_EQ(e.Trans, 1);
  EXPECT_EQ(e.Tile, 1); // above 1 becomes 1 here
  EXPECT_EQ(e.NormalColour, 0u);
  EXPECT_EQ(e.NormalColour2, 0u);
}

TEST(SkinSlots, BoxLabelElement) {
  TSkinDefinition def;
  TTestSkin()
      .Bmp("g.bmp", Solid(2, 2, clWhite))
      .Text("[GroupBox]\nImage=g.bmp\nBackgroundAlignment=2\nBackgroundLeftShift=-3\n"
            "BackgroundRightShift=0x0C\nLeftWidth=6\n")
      .LoadInto(def, TFakeSkinEnvironment());
  const auto& e = dynamic_cast<const TDataSkinBoxLabel&>(*def.Element(ssGroupBox));
  EXPECT_EQ(e.BackgroundAlignment, 2);
  EXPECT_EQ(e.BackgroundLeftShift, -3);
  EXPECT_EQ(e.BackgroundRightShift, 12);
  EXPECT_EQ(e.LeftWidth, 6);
}

TEST(SkinSlots, MenuBarElement) {
  struct {
    const char* Keys;
    int TileMenu, Left, Right;
  } cases[] = {
      {"", 1, 1, 1},
      {"TileMenu=0\nTileLeftMenu=5\nTileRightMenu=6\n", 0, 5, 6},
      {"TileMenu=3\nTileLeftMenu=q\n", 1, 1, 1},
      {"TileMenu=-1\n", -1, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Keys);
    TSkinDefinition def;
    TTestSkin()
        .Bmp("m.bmp", Solid(2, 2, clWhite))
        .Text(std::string("[Personality]\nmenuBar=m.bmp\nTopHeight=5\nTrans=1\nFrame=9\n") + c.Keys)
        .LoadInto(def, TFakeSkinEnvironment());
    ASSERT_NE(def.MenuBar(), nullptr);
    const TDataSkinMenuBar& e = *def.MenuBar();
    EXPECT_EQ(def.Element(ssMenuBar), &e);
    EXPECT_EQ(e.TileMenu, c.TileMenu);
    EXPECT_EQ(e.TileLeftMenu(), c.Left);
    EXPECT_EQ(e.TileRightMenu(), c.Right);
    // Its margins are the two, and as a nine-slice its centre stretches.
    EXPECT_EQ(e.Margins(), (TMargins{c.Left, 0, c.Right, 0}));
    EXPECT_FALSE(e.TileCentre());
    EXPECT_EQ(e.Trans, 0);
    EXPECT_EQ(e.Frame, 2);
  }
}

TEST(SkinSlots, FrameCountRules) {
  struct {
    const char* Text;
    TSkinSlot Slot;
    int Frames;
  } cases[] = {
      {"[Progress]\nBitmap=a.bmp\nStyle=0\n", ssProgress, 2},
      {"[Progress]\nBitmap=a.bmp\nStyle=-1\n", ssProgress, 1},
      {"[Headerbar]\nImage=a.bmp\n", ssHeaderbar, 5},
      {"[Headerbar]\nImage=a.bmp\nFrame=0\n", ssHeaderbar, 5},
      {"[Headerbar]\nImage=a.bmp\nFrame=3\n", ssHeaderbar, 3},
      {"[HorzScrollThumb]\nImage=a.bmp\nFrame=9\nFrameCount=6\n", ssHorzScrollThumb, 6},
      {"[VertScrollThumb]\nImage=a.bmp\nFrameCount=x\n", ssVertScrollThumb, 3},
      {"[Progress.Chunk]\nImage=a.bmp\n", ssProgressChunk, 0},
      {"[Scrollbar]\nImage=a.bmp\nFrame=2\n", ssScrollbar, 23},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    TSkinDefinition def;
    TTestSkin()
        .Bmp("a.bmp", Solid(2, 2, clWhite))
        .Text(c.Text)
        .LoadInto(def, TFakeSkinEnvironment());
    ASSERT_NE(def.Element(c.Slot), nullptr);
    EXPECT_EQ(def.Element(c.Slot)->Frame, c.Frames);
  }
}

TEST(SkinSlots, TabPaneBandsAreAtMostFour) {
  TSkinDefinition def;
  TTestSkin()
      .Bmp("a.bmp", Solid(2, 2, clWhite))
      .Text("[Tab.Pane]\nImage=a.bmp\nLeftWidth=9\nTopHeight=4\nRightWidth=3\nBottomHeight=-7\n"
            "[Tabs]\nImage=a.bmp\nLeftWidth=9\n")
      .LoadInto(def, TFakeSkinEnvironment());
  EXPECT_EQ(def.Element(ssTabPane)->Margins(), (TMargins{4, 4, 3, -7}));
  EXPECT_EQ(def.Element(ssTabs)->LeftWidth, 9);
}

TEST(SkinSlots, TrackFallsBackToTheProgramsOwnBitmaps) {
  TFakeSkinEnvironment env;
  env.Resources["TRACK"] = Solid(7, 5, 0x010203);
  env.Resources["TRACKVERT"] = Solid(5, 7, 0x040506);
  TSkinDefinition def;
  TTestSkin()
      .Bmp("t.bmp", Solid(2, 2, 0x070809))
      .Text("[Track]\nImage=\n[TrackVert]\nImage=t.bmp\nFrame=3\n")
      .LoadInto(def, env);
  const TDataSkinObject& track = *def.Element(ssTrack);
  EXPECT_EQ(track.Image.At(0, 0), 0x010203u);
  EXPECT_EQ(track.Margins(), (TMargins{3, 3, 3, 3}));
  EXPECT_EQ(track.Tile, 0);
  EXPECT_EQ(track.Frame, 1);
  const TDataSkinObject& vert = *def.Element(ssTrackVert);
  EXPECT_EQ(vert.Image.At(0, 0), 0x070809u);
  EXPECT_EQ(vert.Frame, 3);
  EXPECT_EQ(env.Requested, std::vector<std::string>{"TRACK"});

  TFakeSkinEnvironment bare;
  TSkinDefinition def2;
  TTestSkin().LoadInto(def2, bare);
  EXPECT_EQ(bare.Requested, (std::vector<std::string>{"TRACK", "TRACKVERT"}));
  ASSERT_NE(def2.Element(ssTrackVert), nullptr);
  EXPECT_TRUE(def2.Element(ssTrackVert)->Image.Empty());
}

} // namespace
