// The main window carries its skin in its stored description and loads it
// while the description is read.
#include "MainWindowFixture.h"

#include "core/SkinRead.h"
#include "skin/data/WinSkinData.h"

namespace {

TEST_F(MainWindowTest, StoredSkinIsLoadedWhileTheFormIsRead) {
  auto* sd = Form->Find<TSkinData>("SkinData1");
  ASSERT_NE(sd, nullptr);
  EXPECT_TRUE(sd->SkinLoaded());
  EXPECT_TRUE(sd->Active());
  EXPECT_FALSE(sd->SkinName().empty());
  EXPECT_EQ(sd->DisableTag(), 99);
  EXPECT_EQ(sd->SkinFormtype(), sfMainform);
  EXPECT_TRUE(sd->MenuUpdate());
  EXPECT_FALSE(sd->MenuMerge());
  EXPECT_EQ(sd->Options(), SkinOptionBit(xoPreview) | SkinOptionBit(xoToolbarBK));
  // The stored switches, after loading turned off the menu items (the main
  // menu is skinned).
  TSkinControlTypes expected = 0;
  for (auto t : {xcMainMenu, xcPopupMenu,   xcToolbar,     xcControlbar, xcCombo,
                 xcCheckBox, xcRadioButton, xcProgress,    xcScrollbar,  xcEdit,
                 xcButton,   xcBitBtn,      xcSpeedButton, xcSpin,       xcPanel,
                 xcGroupBox, xcStatusBar,   xcTab,         xcTrackBar,   xcSystemMenu})
    expected |= SkinControlBit(t);
  EXPECT_EQ(sd->SkinControls(), expected);
  // The stored list: the default without its second line.
  ASSERT_EQ(sd->Skin3rd().Count(), 117);
  EXPECT_EQ(sd->Skin3rd().Get(0), L"TCategoryButtons=scrollbar");
  EXPECT_EQ(sd->Skin3rd().Get(1), L"TPngBitBtn=pngbitbtn");
  std::vector<std::wstring> expectedList = DefaultSkin3rd();
  expectedList.erase(expectedList.begin() + 1);
  EXPECT_EQ(sd->Skin3rd().ToVector(), expectedList);
}

TEST_F(MainWindowTest, StoredSkinHasTheLayoutOfTheProgramsSkin) {
  auto* sd = Form->Find<TSkinData>("SkinData1");
  ASSERT_NE(sd, nullptr);
  TSkinReader reader;
  ASSERT_EQ(reader.Load(sd->StoredArchive()), TSkinLoadResult::Ok);
  EXPECT_EQ(reader.Kind(), 20000u);
  ASSERT_EQ(reader.Count(), 35);
  int bitmaps = 0;
  for (int i = 0; i < 34; ++i)
    bitmaps += reader.Names()[i].ends_with(".bmp") ? 1 : 0;
  EXPECT_EQ(bitmaps, 34);
  EXPECT_TRUE(reader.Names()[34].ends_with(".ini"));
  // The elements the painters draw from are there.
  const TSkinDefinition& skin = sd->Skin();
  for (TSkinSlot slot : {ssProgress,
                         ssProgressChunk,
                         ssMenuBar,
                         ssGroupBoxEdge,
                         ssGroupBox,
                         ssTabs,
                         ssStatusBarEdges,
                         ssTabPane,
                         ssToolBars,
                         ssComboButton,
                         ssSunkEdge,
                         ssExtraImages,
                         ssHeaderbar,
                         ssMenuItem,
                         ssMenuBackground,
                         ssScrollbar,
                         ssHorzScroll,
                         ssVertScroll,
                         ssHorzScrollThumb,
                         ssVertScrollThumb,
                         ssTrackbarThumbHorz,
                         ssTrackbarThumbVert,
                         ssUpDownHorz,
                         ssUpDownVert,
                         ssTrack,
                         ssTrackVert,
                         ssComboxArrow,
                         ssToolbar}) {
    TDataSkinObject* e = skin.Element(slot);
    ASSERT_NE(e, nullptr) << slot;
    EXPECT_FALSE(e->Image.Empty()) << e->Name;
  }
  for (int piece = bpLeft; piece <= bpBottom; ++piece)
    EXPECT_FALSE(skin.Border(piece).Image.Empty()) << piece;
  EXPECT_FALSE(skin.Buttons().Image.Empty());
  EXPECT_FALSE(skin.Title().Image.Empty());
  EXPECT_GE(skin.SysButtons.size(), 3u + 4u); // close, maximize, minimize, restore + MDI
  // The program's own pictures are resources of the program.
  EXPECT_EQ(sd->MenuGlyphs().Count(), 4);
  EXPECT_EQ(sd->MenuGlyphs().Width(), 16);
}

} // namespace
