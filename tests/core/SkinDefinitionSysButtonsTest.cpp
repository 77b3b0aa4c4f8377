#include "core/SkinDefinitionTestSkin.h"

#include <gtest/gtest.h>

namespace {

struct TButtonExpect {
  const char* Name;
  int Action, Align, Xcoord, Ycoord, CombineOp, Visibility, Visibility1, Frame, ImageWidth;
};

void ExpectButton(const TDataSkinSysButton& b, const TButtonExpect& e) {
  SCOPED_TRACE(e.Name);
  EXPECT_EQ(b.Name, e.Name);
  EXPECT_EQ(b.Action, e.Action);
  EXPECT_EQ(b.Align, e.Align);
  EXPECT_EQ(b.Xcoord, e.Xcoord);
  EXPECT_EQ(b.Ycoord, e.Ycoord);
  EXPECT_EQ(b.CombineOp, e.CombineOp);
  EXPECT_EQ(b.Visibility, e.Visibility);
  EXPECT_EQ(b.Visibility1, e.Visibility1);
  EXPECT_EQ(b.Frame, e.Frame);
  EXPECT_EQ(b.Image.Width(), e.ImageWidth);
}

TEST(SkinSysButtons, FilterOrderAndFields) {
  TTestSkin skin;
  skin.Bmp("wide.bmp", Solid(102, 17, 0x0000AA))  // ratio 6: six frames
      .Bmp("narrow.bmp", Solid(51, 17, 0x0000BB)) // ratio 3: three frames
      .Bmp("edge.bmp", Solid(19, 5, 0x0000CC))    // ratio 3.8: still three
      .Bmp("over.bmp", Solid(20, 5, 0x0000DD))    // ratio 4
      .Text("[Button]\nAction=0\n"
            "[Buttons]\n"
            "[Button.Radio]\n[BUTTON.CHECKBOX]\n"
            "[button.close]\nAction=0\nAlign=1\nXcoord=20\nYcoord=0x5\nButtonImage=wide.bmp\n"
            "CombineOp=2\n"
            "[Button.Max]\nAction=1\nVisibility=2\nXcoord=40\nYcoord=6\nButtonImage=narrow.bmp\n"
            "[Button.Hidden]\nAction=-1\n"              // dropped
            "[Button.Shown]\nAction=-1\nVisibility=0\n" // kept
            "[Button.Other]\nAction=-1\nVisibility=1\n" // dropped
            "[Button.Restore]\nAction=4\nXcoord=1\nYcoord=2\nButtonImage=narrow.bmp\nframe=2\n"
            "[Button.Edge]\nAction=5\nButtonImage=edge.bmp\n"
            "[Button.Over]\nAction=6\nButtonImage=over.bmp\n"
            "[Button.Neg]\nAction=-2\nButtonImage=narrow.bmp\nVisibility1=3\n"
            "[Buttonless]\nAction=x\n"
            "[XButton]\nAction=0\n");
  TSkinDefinition def;
  skin.LoadInto(def, TFakeSkinEnvironment());
  const TButtonExpect expected[] = {
      {"BUTTON.CLOSE", 0, 1, 20, 5, 2, 0, 0, 6, 102},
      {"BUTTON.MAX", 1, 0, 40, 6, -1, 2, 0, 3, 51},
      {"BUTTON.SHOWN", -1, 0, 0, 0, -1, 0, -1, 6, 0},
      {"BUTTON.RESTORE", 4, 0, 40, 6, -1, 0, 0, 2, 51}, // takes the maximize button's place
      {"BUTTON.EDGE", 5, 0, 0, 0, -1, 0, 0, 3, 19},
      {"BUTTON.OVER", 6, 0, 0, 0, -1, 0, 0, 6, 20},
      {"BUTTON.NEG", -2, 0, 0, 0, -1, 0, 3, 6, 51}, // negative action: six frames
      {"BUTTONLESS", 0, 0, 0, 0, -1, 0, 0, 6, 0},
  };
  ASSERT_EQ(def.SysButtons.size(), std::size(expected) + 3);
  for (std::size_t i = 0; i < std::size(expected); ++i)
    ExpectButton(*def.SysButtons[i], expected[i]);
}

TEST(SkinSysButtons, RestoreKeepsItsPlaceWithoutARememberedOne) {
  TTestSkin skin;
  skin.Text("[Button.Restore]\nAction=4\nXcoord=7\nYcoord=8\n"
            "[Button.Max]\nAction=1\nVisibility=2\nXcoord=40\nYcoord=6\n"
            "[Button.Max2]\nAction=1\nVisibility=1\nXcoord=50\nYcoord=9\n"
            "[Button.Restore2]\nAction=4\nXcoord=1\nYcoord=1\n");
  TSkinDefinition def;
  skin.LoadInto(def, TFakeSkinEnvironment());
  ASSERT_EQ(def.SysButtons.size(), 7u);
  EXPECT_EQ(def.SysButtons[0]->Xcoord, 7);
  EXPECT_EQ(def.SysButtons[0]->Ycoord, 8);
  EXPECT_EQ(def.SysButtons[3]->Xcoord, 40); // only a visibility-2 maximize button is remembered
  EXPECT_EQ(def.SysButtons[3]->Ycoord, 6);
}

TEST(SkinSysButtons, HelpAndIconButtonsLoseTheirPictureWithoutFrames) {
  struct {
    int Action;
    const char* Frame;
    int ExpectedFrame, ExpectedWidth;
  } cases[] = {
      {3, "", 3, 0}, {11, "0", 3, 0}, {3, "3", 3, 51}, {11, "6", 6, 51}, {2, "", 3, 51},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "action " << c.Action << " frame '" << c.Frame << "'");
    TSkinDefinition def;
    TTestSkin()
        .Bmp("b.bmp", Solid(51, 17, clWhite))
        .Text("[Button.X]\nButtonImage=b.bmp\nAction=" + std::to_string(c.Action) +
              "\nframe=" + c.Frame + "\n")
        .LoadInto(def, TFakeSkinEnvironment());
    ASSERT_EQ(def.SysButtons.size(), 4u);
    EXPECT_EQ(def.SysButtons[0]->Frame, c.ExpectedFrame);
    EXPECT_EQ(def.SysButtons[0]->Image.Width(), c.ExpectedWidth);
  }
}

TEST(SkinSysButtons, MdiButtonsWithoutPicture) {
  TSkinDefinition def;
  TTestSkin().Text("[MDICONTROLS]\nImage=missing.bmp\n").LoadInto(def, TFakeSkinEnvironment());
  ASSERT_EQ(def.SysButtons.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& b = *def.SysButtons[i];
    EXPECT_EQ(b.Action, 7 + i);
    EXPECT_EQ(b.Align, 100);
    EXPECT_EQ(b.Visibility, 100);
    EXPECT_EQ(b.Visibility1, 100);
    EXPECT_EQ(b.Frame, 4);
    EXPECT_EQ(b.Xcoord, 0);
    EXPECT_TRUE(b.Image.Empty());
  }
}

TEST(SkinSysButtons, MdiButtonsCutFromTheControlsPicture) {
  // 12 frames of 5x4 plus 3 spare columns; every frame has its own colour.
  Bitmap controls(63, 4, clMagenta);
  for (int f = 0; f < 12; ++f)
    controls.FillRect(RectOf(f * 5, 0, 5, 4), MakeColor(f * 10, 0, 1));
  controls.Set(20, 3, 0x00FF00); // first pixel of the second button, bottom row
  TSkinDefinition def;
  TTestSkin()
      .Bmp("mdi.bmp", controls)
      .Text("[Button.Close]\n[mdicontrols]\nImage=sub\\mdi.bmp\n")
      .LoadInto(def, TFakeSkinEnvironment());
  ASSERT_EQ(def.SysButtons.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const TDataSkinSysButton& b = *def.SysButtons[1 + i];
    EXPECT_EQ(b.Action, 7 + i);
    EXPECT_EQ(b.Xcoord, 9 * (3 - i));
    EXPECT_EQ(b.Ycoord, 0);
    ASSERT_EQ(b.Image.Width(), 20);
    ASSERT_EQ(b.Image.Height(), 4);
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(b.Image.At(x, 0), MakeColor((4 * i + x / 5) * 10, 0, 1)) << x;
  }
  EXPECT_EQ(def.SysButtons[2]->Image.At(0, 3), 0x00FF00u);
}

TEST(SkinSysButtons, NarrowControlsPictureGivesEmptyButtons) {
  TSkinDefinition def;
  TTestSkin()
      .Bmp("mdi.bmp", Solid(11, 4, clWhite))
      .Text("[MDICONTROLS]\nImage=mdi.bmp\n")
      .LoadInto(def, TFakeSkinEnvironment());
  ASSERT_EQ(def.SysButtons.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(def.SysButtons[i]->Image.Empty());
    EXPECT_EQ(def.SysButtons[i]->Xcoord, 4 * (3 - i));
  }
}

} // namespace
