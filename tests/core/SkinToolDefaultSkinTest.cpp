#include <gtest/gtest.h>

#include "SkinDefinitionTestSkin.h"

#include "skintool/DefaultSkin.h"
#include "skintool/DefaultSkinPalette.h"
#include "skintool/SkinToolArchive.h"

#include "core/WinSkinIni.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

std::string DefinitionText() {
  std::ifstream in(BR_DEFAULT_SKIN_INI, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The default skin packed as the build packs it and loaded as the program
// loads it, once for all tests.
struct TLoadedSkin {
  std::vector<TNamedBitmap> Pictures = DefaultSkinBitmaps();
  std::string Definition = DefinitionText();
  std::vector<std::uint8_t> Archive;
  TSkinDefinition Def;

  TLoadedSkin() {
    std::vector<TSkinArchiveMember> members;
    for (const auto& p : Pictures)
      members.push_back({p.Name, WriteBmp(p.Image)});
    members.push_back({"skin.ini", {Definition.begin(), Definition.end()}});
    Archive = WriteSkinArchive(members);
    TSkinReader reader;
    if (reader.Load(Archive) != TSkinLoadResult::Ok) return;
    TQuickIni ini;
    ini.LoadFromText(Definition);
    TFakeSkinEnvironment env;
    env.ArrowWidth = kScrollSize;
    Def.Load(ini, reader, env);
  }
  const Bitmap& Picture(const std::string& name) const {
    static const Bitmap none;
    for (const auto& p : Pictures)
      if (p.Name == name) return p.Image;
    ADD_FAILURE() << "no picture " << name;
    return none;
  }
};

const TLoadedSkin& Skin() {
  static const TLoadedSkin skin;
  return skin;
}

int CountColour(const Bitmap& b, const TRect& r, TColor c) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      n += b.At(x, y) == c;
  return n;
}

TRect Whole(const Bitmap& b) {
  return {0, 0, b.Width(), b.Height()};
}

TEST(DefaultSkin, ThirtyFourPicturesSortedByName) {
  const auto& pictures = Skin().Pictures;
  ASSERT_EQ(pictures.size(), 34u);
  for (std::size_t i = 1; i < pictures.size(); ++i)
    EXPECT_LT(pictures[i - 1].Name, pictures[i].Name);
  for (const auto& p : pictures) {
    EXPECT_FALSE(p.Image.Empty()) << p.Name;
    EXPECT_TRUE(p.Name.ends_with(".bmp")) << p.Name;
  }
}

TEST(DefaultSkin, PicturesSurviveTheBmpFile) {
  for (const auto& p : Skin().Pictures) {
    Bitmap back;
    ASSERT_TRUE(ReadBmp(WriteBmp(p.Image), back)) << p.Name;
    EXPECT_EQ(back, p.Image) << p.Name;
  }
}

TEST(DefaultSkin, DefinitionNamesEveryPictureAndNothingElse) {
  ASSERT_FALSE(Skin().Definition.empty()) << "cannot read " << BR_DEFAULT_SKIN_INI;
  std::set<std::string> named, drawn;
  for (const auto& ref : BitmapReferences(Skin().Definition))
    named.insert(ref);
  for (const auto& p : Skin().Pictures)
    drawn.insert(p.Name);
  EXPECT_EQ(named, drawn);
}

TEST(DefaultSkin, PacksAsKind20000WithTheDefinitionLast) {
  const TArchiveReport r = InspectSkinArchive(Skin().Archive);
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(r.Kind, 20000u);
  ASSERT_EQ(r.Members.size(), 35u);
  EXPECT_EQ(r.Members.back().Name, "skin.ini");
}

TEST(DefaultSkin, FrameSizesAreThoseOfThePalette) {
  const TSkinDefinition& d = Skin().Def;
  EXPECT_EQ(d.SkinName, "Default Grey");
  const auto& left = d.Border(bpLeft);
  const auto& right = d.Border(bpRight);
  const auto& top = d.Border(bpTop);
  const auto& bottom = d.Border(bpBottom);
  EXPECT_EQ(left.Image.Width() / left.Frame, kBorder);
  EXPECT_EQ(right.Image.Width() / right.Frame, kBorder);
  EXPECT_EQ(top.Image.Height() / top.Frame, kCaptionHeight);
  EXPECT_EQ(bottom.Image.Height() / bottom.Frame, kBorder);
  for (int piece = bpLeft; piece <= bpBottom; ++piece) {
    EXPECT_EQ(d.Border(piece).Frame, 2) << piece;
    EXPECT_EQ(d.Border(piece).Stretch, 1) << piece;
    EXPECT_FALSE(d.Border(piece).TileCentre()) << piece;
  }
  // The rounded corners lie inside the kept bands of the side pieces.
  EXPECT_GE(left.TopHeight, kCornerRadius);
  EXPECT_GE(right.TopHeight, kCornerRadius);
  EXPECT_EQ(left.Trans + right.Trans, 2);
  EXPECT_EQ(top.Trans + bottom.Trans, 0);
}

TEST(DefaultSkin, ColoursAgreeWithThePictures) {
  const TSkinDefinition& d = Skin().Def;
  for (int slot : {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 18})
    EXPECT_TRUE(d.ColorGiven[slot]) << slot;
  EXPECT_EQ(d.Colors[scButtonFace], kFace);
  EXPECT_EQ(d.Colors[scButtonHilight], kHilite);
  EXPECT_EQ(d.Colors[scButtonlight], kLight);
  EXPECT_EQ(d.Colors[scButtonShadow], kShadow);
  EXPECT_EQ(d.Colors[scButtonDkShadow], kDkShadow);
  EXPECT_EQ(d.Colors[scHilight], kSelect);
  EXPECT_EQ(d.Colors[scScrollbar], kTrack);
  EXPECT_EQ(d.Colors[scTitleTextActive], kCaptionText[0]);
  EXPECT_EQ(d.Colors[scTitleTextNoActive], kCaptionText[1]);
  EXPECT_EQ(d.Title().ActiveTextColour, kCaptionText[0]);
  EXPECT_EQ(d.Title().InactiveTextColour, kCaptionText[1]);
  // Plain backgrounds are filled with the face colour: panes and the menu
  // bar must meet them without a seam.
  EXPECT_EQ(Skin().Picture("pane.bmp").At(8, 8), kFace);
  const Bitmap& bar = Skin().Picture("menu-bar.bmp");
  EXPECT_EQ(bar.At(0, bar.Height() / 2 - 2), kFace);
  // The base colour is sampled from the caption bar.
  const Bitmap& topImage = d.Border(bpTop).Image;
  EXPECT_EQ(d.Colors[scBaseColor], topImage.At(topImage.Width() / 3, kCaptionHeight / 3));
  EXPECT_EQ(d.SchemeColors.size(), 5u);
  EXPECT_EQ(d.CustomColors[9], kSelectDark);
}

TEST(DefaultSkin, EverySlotHasAPictureWithWholeFrames) {
  const TSkinDefinition& d = Skin().Def;
  for (int slot = 0; slot < ssSlotCount; ++slot) {
    const TDataSkinObject* e = d.Element(static_cast<TSkinSlot>(slot));
    ASSERT_NE(e, nullptr) << slot;
    ASSERT_FALSE(e->Image.Empty()) << e->Name;
    const int frames = std::max(e->Frame, 1);
    const int length = slot == ssMenuBar ? e->Image.Height() : e->Image.Width();
    EXPECT_EQ(length % frames, 0) << e->Name << " " << length << "/" << frames;
  }
  EXPECT_EQ(d.Element(ssHorzScrollThumb)->Frame, 5);
  EXPECT_EQ(d.Element(ssHeaderbar)->Frame, 5);
  EXPECT_EQ(d.Element(ssScrollbar)->Image.Height(), kScrollSize);
  EXPECT_EQ(d.Element(ssProgress)->Frame, 2); // the two-frame bar
}

TEST(DefaultSkin, ComboPiecesMakeTheComposite) {
  const TSkinDefinition& d = Skin().Def;
  const TDataSkinObject* combo = d.Element(ssComboButton);
  EXPECT_EQ(combo->Style, 2);
  EXPECT_EQ(combo->Image.Width(), 50 * 4);
  EXPECT_EQ(combo->RightWidth, kScrollSize + 2);
  EXPECT_EQ(d.Element(ssComboxArrow)->Image.Width(), 17 * 4);
  // The arrow of frame 1 lies on the button, in black.
  EXPECT_GT(CountColour(combo->Image, {32, 2, 48, 19}, kInk), 10);
}

TEST(DefaultSkin, CheckAndRadioStrips) {
  const TDataSkinButton& b = Skin().Def.Buttons();
  EXPECT_EQ(b.CheckButtonFrame, 12);
  EXPECT_EQ(b.RadioButtonFrame, 8);
  EXPECT_EQ(b.CheckButton.Width(), 12 * 13);
  EXPECT_EQ(b.RadioButton.Width(), 8 * 12);
  // Frame 5 is the checked box, frame 9 the mixed one; frame 1 is empty.
  EXPECT_EQ(CountColour(b.CheckButton, RectOf(0, 0, 13, 13), kInk), 0);
  EXPECT_GT(CountColour(b.CheckButton, RectOf(4 * 13, 0, 13, 13), kInk), 10);
  EXPECT_EQ(CountColour(b.CheckButton, RectOf(8 * 13, 0, 13, 13), MakeColor(80, 80, 80)), 25);
  // Radio frames are round: the corners are left out, the middle is not.
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(b.RadioButton.At(k * 12, 0), clMagenta);
    EXPECT_EQ(b.RadioButton.At(k * 12 + 11, 11), clMagenta);
    EXPECT_NE(b.RadioButton.At(k * 12 + 6, 6), clMagenta);
  }
  EXPECT_EQ(b.RadioButton.At(4 * 12 + 5, 5), kInk); // the dot of the checked radio
}

TEST(DefaultSkin, TitleButtonsFitTheCaptionBar) {
  const TSkinDefinition& d = Skin().Def;
  std::vector<int> actions;
  for (const auto& b : d.SysButtons)
    actions.push_back(b->Action);
  EXPECT_EQ(actions, (std::vector<int>{0, 1, 1, 2, 3, 7, 8, 9}));
  int widest = 0;
  for (const auto& b : d.SysButtons) {
    if (b->Image.Empty()) continue;
    SCOPED_TRACE(b->Name);
    const int w = b->Image.Width() / b->Frame, h = b->Image.Height();
    EXPECT_EQ(w, kCaptionButtonWidth);
    EXPECT_EQ(h, kCaptionButtonHeight);
    if (b->Visibility == 100) continue; // MDI buttons sit in the menu bar
    EXPECT_EQ(b->Align, 1);
    EXPECT_GE(b->Ycoord, kCaptionBarTop);
    EXPECT_LE(b->Ycoord + h, kCaptionBarBottom);
    EXPECT_GE(b->Xcoord - w, kBorder); // clear of the right border
    widest = std::max(widest, b->Xcoord);
  }
  // Close, maximize (or restore) and minimize side by side without overlap.
  EXPECT_GE(d.SysButtons[1]->Xcoord - d.SysButtons[0]->Xcoord, kCaptionButtonWidth);
  EXPECT_GE(d.SysButtons[3]->Xcoord - d.SysButtons[1]->Xcoord, kCaptionButtonWidth);
  EXPECT_EQ(d.SysButtons[1]->Xcoord, d.SysButtons[2]->Xcoord);
  // The caption text is cut off before the buttons.
  EXPECT_GT(d.Title().TextRightClip, widest);
}

TEST(DefaultSkin, MagentaOnlyInTheRoundedCorners) {
  const Bitmap& left = Skin().Picture("f-left.bmp");
  const Bitmap& right = Skin().Picture("f-right.bmp");
  for (int f = 0; f < 2; ++f) {
    const int x = f * kBorder;
    EXPECT_EQ(CountColour(left, RectOf(x, 0, kBorder, left.Height()), clMagenta), 3);
    EXPECT_EQ(left.At(x, 0), clMagenta);
    EXPECT_EQ(left.At(x + 1, 0), clMagenta);
    EXPECT_EQ(left.At(x, 1), clMagenta);
    EXPECT_EQ(CountColour(right, RectOf(x, 0, kBorder, right.Height()), clMagenta), 3);
    EXPECT_EQ(right.At(x + 3, 0), clMagenta);
    EXPECT_EQ(right.At(x + 2, 0), clMagenta);
    EXPECT_EQ(right.At(x + 3, 1), clMagenta);
  }
  for (const char* name : {"f-top.bmp", "f-bottom.bmp"})
    EXPECT_EQ(CountColour(Skin().Picture(name), Whole(Skin().Picture(name)), clMagenta), 0);
}

TEST(DefaultSkin, MasksAreWhiteExactlyWhereTheirPiecesAreMagenta) {
  for (const char* piece : {"f-left", "f-right", "f-top", "f-bottom"}) {
    const Bitmap& image = Skin().Picture(std::string(piece) + ".bmp");
    const Bitmap& mask = Skin().Picture(std::string(piece) + "-mask.bmp");
    ASSERT_EQ(mask.Width(), image.Width());
    ASSERT_EQ(mask.Height(), image.Height());
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        ASSERT_EQ(mask.At(x, y), image.At(x, y) == clMagenta ? clWhite : clBlack) << piece;
  }
}

TEST(DefaultSkin, OpaquePicturesHaveNoMagenta) {
  for (const char* name :
       {"caption-close.bmp", "caption-max.bmp", "caption-min.bmp", "caption-restore.bmp",
        "mdi-buttons.bmp", "menu-bar.bmp", "pane.bmp", "scroll-track.bmp", "bevel.bmp",
        "track-thumb-vert.bmp", "track-channel.bmp", "updown.bmp", "sunken-edge.bmp"}) {
    const Bitmap& b = Skin().Picture(name);
    EXPECT_EQ(CountColour(b, Whole(b), clMagenta), 0) << name;
  }
  // The arrow frames of the scroll bar too; only the grips have a clear
  // background.
  const Bitmap& strip = Skin().Picture("scroll-arrows.bmp");
  EXPECT_EQ(CountColour(strip, {0, 0, 16 * kScrollSize, kScrollSize}, clMagenta), 0);
  EXPECT_GT(CountColour(strip, {16 * kScrollSize, 0, 22 * kScrollSize, kScrollSize}, clMagenta), 0);
}

TEST(DefaultSkin, MenuItemFrames) {
  const Bitmap& item = Skin().Picture("menu-item.bmp");
  const int w = item.Width() / 5, h = item.Height();
  for (int f : {0, 2, 4})
    EXPECT_EQ(CountColour(item, RectOf(f * w, 0, w, h), clMagenta), w * h) << f + 1;
  // The separator's etched line lies in its lower half, used for short items.
  EXPECT_EQ(CountColour(item, RectOf(w, 0, w, h / 2), clMagenta), w * h / 2);
  EXPECT_GT(CountColour(item, RectOf(w, h / 2, w, h / 2), kShadow), 10);
  EXPECT_EQ(CountColour(item, RectOf(3 * w + 1, 1, w - 2, h - 2), clMagenta), 0);
}

TEST(DefaultSkin, CaptionPlateStaysInsideTheBar) {
  const Bitmap& plate = Skin().Def.Title().Image;
  ASSERT_EQ(plate.Height(), 2 * kCaptionHeight);
  for (int f = 0; f < 2; ++f) {
    const int top = f * kCaptionHeight;
    EXPECT_EQ(CountColour(plate, {0, top, plate.Width(), top + kCaptionBarTop}, clMagenta),
              plate.Width() * kCaptionBarTop);
    EXPECT_EQ(CountColour(plate, {0, top + kCaptionBarBottom, plate.Width(), top + kCaptionHeight},
                          clMagenta),
              plate.Width() * (kCaptionHeight - kCaptionBarBottom));
    EXPECT_NE(plate.At(plate.Width() / 2, top + kCaptionHeight / 2), clMagenta);
  }
}

TEST(DefaultSkin, MenuGlyphsOnWhite) {
  const Bitmap b = SkinMenuGlyphs();
  ASSERT_EQ(b.Width(), 64);
  ASSERT_EQ(b.Height(), 16);
  for (int i = 0; i < 4; ++i) {
    const TRect cell = RectOf(i * 16, 0, 16, 16);
    EXPECT_EQ(b.At(cell.Left, 0), clWhite);
    EXPECT_EQ(b.At(cell.Right - 1, 15), clWhite);
    const int ink = CountColour(b, cell, clBlack);
    EXPECT_GT(ink, 10) << i;
    EXPECT_EQ(ink + CountColour(b, cell, clWhite), 256) << i;
  }
}

TEST(DefaultSkin, FallbackChannelsKeepTheirCaps) {
  const Bitmap h = TrackChannelResource(false), v = TrackChannelResource(true);
  EXPECT_EQ(h.Width(), 12);
  EXPECT_EQ(h.Height(), 6);
  EXPECT_EQ(v.Width(), 6);
  EXPECT_EQ(v.Height(), 12);
  // The loader cuts 3-pixel caps: the middle columns must be plain.
  for (int x = 3; x < 9; ++x)
    EXPECT_EQ(h.At(x, 3), kField);
  EXPECT_EQ(h.At(0, 0), kShadow);
  EXPECT_EQ(v.At(5, 11), kHilite);
}

std::uint32_t LE(const std::vector<std::uint8_t>& d, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = v << 8 | d.at(at + static_cast<std::size_t>(i));
  return v;
}

TEST(DefaultSkin, IconHoldsThreeSizesWithMasks) {
  const std::vector<std::uint8_t> ico = ProgramIcon();
  ASSERT_EQ(LE(ico, 2, 2), 1u); // an icon
  ASSERT_EQ(LE(ico, 4, 2), 3u);
  const int sizes[] = {16, 32, 48};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(sizes[i]);
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    const auto n = static_cast<std::uint32_t>(sizes[i]);
    EXPECT_EQ(ico[entry], n);
    EXPECT_EQ(LE(ico, entry + 6, 2), 32u);
    const std::uint32_t bytes = LE(ico, entry + 8, 4), offset = LE(ico, entry + 12, 4);
    const std::uint32_t maskStride = (n + 31) / 32 * 4;
    ASSERT_EQ(bytes, 40 + n * n * 4 + maskStride * n);
    ASSERT_LE(offset + bytes, ico.size());
    EXPECT_EQ(LE(ico, offset + 8, 4), 2 * n); // colour and mask
    // Rows are bottom-up; the mask bit is set exactly where alpha is 0.
    for (std::uint32_t y = 0; y < n; ++y)
      for (std::uint32_t x = 0; x < n; ++x) {
        const std::uint32_t argb = LE(ico, offset + 40 + (y * n + x) * 4, 4);
        const std::uint8_t maskByte = ico[offset + 40 + n * n * 4 + y * maskStride + x / 8];
        ASSERT_EQ((maskByte >> (7 - x % 8)) & 1, (argb >> 24) == 0 ? 1 : 0) << x << "," << y;
      }
    const std::uint32_t corner = LE(ico, offset + 40 + ((n - 1) * n + n - 1) * 4, 4);
    EXPECT_EQ(corner >> 24, 0u); // top right: outside the pages
    const std::uint32_t middle = LE(ico, offset + 40 + (n / 2 * n + n / 2) * 4, 4);
    EXPECT_EQ(middle >> 24, 255u);
  }
}

} // namespace
