// The window region of shaped frames: it follows the magenta pixels of the
// borders marked transparent, is the whole window without them, and is
// built again only when the window's size changes.
#include "FrameTestUtil.h"

#include <gtest/gtest.h>

namespace enginetest {
namespace {

// The side pieces keep their top and bottom 4 rows; the bottom piece its
// first and last 3 columns: the magenta pixels stay where they are drawn.
constexpr const char* kKeptBands = "LeftTopHeight=4\r\nLeftBotHeight=4\r\nRightTopHeight=4\r\n"
                                   "RightBotHeight=4\r\nBottomTopHeight=3\r\nBottomBotHeight=3\r\n";

struct TRegionPoint {
  int X, Y; // negative: from the right or bottom edge
  bool Inside;
};

void ExpectRegion(HWND wnd, const std::vector<TRegionPoint>& points) {
  const RECT box = WindowBox(wnd);
  for (const TRegionPoint& p : points) {
    const int x = p.X < 0 ? box.right + p.X : p.X, y = p.Y < 0 ? box.bottom + p.Y : p.Y;
    EXPECT_EQ(RegionHolds(wnd, x, y), p.Inside) << "at " << x << "," << y;
  }
}

RECT RegionBox(HWND wnd) {
  RECT box{};
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(wnd, rgn) != ERROR) GetRgnBox(rgn, &box);
  DeleteObject(rgn);
  return box;
}

int RegionKind(HWND wnd) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(wnd, rgn);
  DeleteObject(rgn);
  return kind;
}

TEST(FrameRegion, FollowsTheMagentaCornersOfTransparentSidePieces) {
  TSkinSpec spec = StandardSpec();
  spec.PersonalityIni = kKeptBands;
  spec.Left.Trans = spec.Right.Trans = true;
  spec.Left.MagentaCorner = 3;  // (0,0) (1,0) (2,0)
  spec.Right.MagentaCorner = 5; // its whole first row and (0,1)
  TSkinnedForm f(spec);
  ASSERT_TRUE(f.Skin());
  ASSERT_EQ(RegionKind(f.Wnd()), COMPLEXREGION);
  const std::vector<TRegionPoint> points = {
      {0, 0, false},  {1, 0, false},   {2, 0, false},  {3, 0, true},   {0, 1, true},
      {-4, 0, false}, {-1, 0, false},  {-4, 1, false}, {-3, 1, true},  {-1, 1, true},
      {4, 0, true},   {-5, 0, true},   {0, -1, true},  {-1, -1, true}, {150, 100, true},
      {2, 100, true}, {-1, 100, true},
  };
  {
    SCOPED_TRACE("as skinned");
    ExpectRegion(f.Wnd(), points);
    const RECT box = RegionBox(f.Wnd()), window = WindowBox(f.Wnd());
    EXPECT_TRUE(EqualRect(&box, &window));
  }
  // A larger window: the corners go with the edges.
  SetWindowPos(f.Wnd(), nullptr, 0, 0, 450, 330, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  {
    SCOPED_TRACE("resized");
    ExpectRegion(f.Wnd(), points);
    EXPECT_FALSE(RegionHolds(f.Wnd(), 450, 100));
    EXPECT_FALSE(RegionHolds(f.Wnd(), 100, 330));
  }
  // Inactive, the same shape (the test pieces' frames agree).
  SendMessageW(f.Wnd(), WM_NCACTIVATE, FALSE, 0);
  ExpectRegion(f.Wnd(), points);
}

TEST(FrameRegion, OnlyTheBottomTransparentStillShapesTheWindow) {
  TSkinSpec spec = StandardSpec();
  spec.PersonalityIni = kKeptBands;
  spec.Bottom.Trans = true;
  spec.Bottom.MagentaBottomLeft = 2;
  TSkinnedForm f(spec);
  ASSERT_TRUE(f.Skin());
  ASSERT_EQ(RegionKind(f.Wnd()), COMPLEXREGION);
  ExpectRegion(f.Wnd(), {{4, -1, false},
                         {5, -1, false},
                         {6, -1, true},
                         {3, -1, true}, // the left piece is a plain rectangle
                         {4, -2, true},
                         {-5, -1, true},
                         {0, 0, true},
                         {-1, 0, true}});
}

TEST(FrameRegion, BottomPieceBelowTwoPixelsIsARectangle) {
  TSkinSpec spec = StandardSpec();
  spec.PersonalityIni = kKeptBands;
  spec.Bottom.Size = 1;
  spec.Bottom.Trans = true;
  spec.Bottom.MagentaBottomLeft = 2;
  TSkinnedForm f(spec);
  ASSERT_TRUE(f.Skin());
  EXPECT_EQ(f.Engine()->BorderBottom, 1);
  ExpectRegion(f.Wnd(), {{4, -1, true}, {5, -1, true}});
}

TEST(FrameRegion, NoTransparentBorderGivesTheWholeWindow) {
  TSkinSpec spec = StandardSpec();
  spec.Left.MagentaCorner = 3; // magenta, but not marked transparent
  TSkinnedForm f(spec);
  ASSERT_TRUE(f.Skin());
  EXPECT_EQ(RegionKind(f.Wnd()), SIMPLEREGION);
  const RECT box = RegionBox(f.Wnd()), window = WindowBox(f.Wnd());
  EXPECT_TRUE(EqualRect(&box, &window));
  EXPECT_TRUE(RegionHolds(f.Wnd(), 0, 0));
}

// A window without a caption gets no pieces: its region is the window.
TEST(FrameRegion, WindowWithoutCaptionHasNoPieces) {
  TSkinSpec spec = StandardSpec();
  spec.PersonalityIni = kKeptBands;
  spec.Left.Trans = true;
  spec.Left.MagentaCorner = 3;
  TSkinnedProbe p(spec, WS_POPUP | WS_BORDER);
  ASSERT_TRUE(p.Skinned());
  EXPECT_EQ(p.Engine->FrameKind, 2);
  SetWindowPos(p.Wnd(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(RegionHolds(p.Wnd(), 0, 0));
  const RECT box = RegionBox(p.Wnd());
  EXPECT_EQ(box.right, 300);
  EXPECT_EQ(box.bottom, 200);
}

// Building a region is the costliest step of a resize: it is done again
// only when the size changed.
TEST(FrameRegion, RebuiltOnlyWhenTheSizeChanges) {
  TSkinSpec spec = StandardSpec();
  spec.PersonalityIni = kKeptBands;
  spec.Left.Trans = spec.Right.Trans = true;
  spec.Left.MagentaCorner = spec.Right.MagentaCorner = 3;
  TSkinnedProbe p(spec, WS_OVERLAPPEDWINDOW);
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  const HRGN first = e.Region;
  ASSERT_NE(first, nullptr);
  const RECT w = WindowBox(p.Wnd());
  const struct {
    const char* Name;
    std::function<void()> Do;
  } same[] = {
      {"WM_SIZE of the same size",
       [&] { SendMessageW(p.Wnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200)); }},
      {"moved",
       [&] {
         SetWindowPos(p.Wnd(), nullptr, 90, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
       }},
      {"frame changed",
       [&] {
         SetWindowPos(p.Wnd(), nullptr, 0, 0, 0, 0,
                      SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
       }},
      {"the same size set again",
       [&] {
         SetWindowPos(p.Wnd(), nullptr, 0, 0, w.right, w.bottom,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
       }},
      {"deactivated and activated",
       [&] {
         SendMessageW(p.Wnd(), WM_NCACTIVATE, FALSE, 0);
         SendMessageW(p.Wnd(), WM_NCACTIVATE, TRUE, 0);
       }},
      {"repainted", [&] { RepaintFrame(p.Wnd()); }},
  };
  for (const auto& s : same) {
    SCOPED_TRACE(s.Name);
    s.Do();
    Pump();
    EXPECT_EQ(e.Region, first);
  }
  // A new size: one new region, set once although both size-tracking
  // passes see the change.
  p.Probe->Seen.clear();
  SetWindowPos(p.Wnd(), nullptr, 0, 0, w.right + 40, w.bottom + 30,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_NE(e.Region, first);
  EXPECT_EQ(RegionBox(p.Wnd()).right, w.right + 40);
  EXPECT_EQ(p.Probe->Of(WM_WINDOWPOSCHANGING).size(), 2u) << "the resize and one region";
  EXPECT_FALSE(RegionHolds(p.Wnd(), w.right + 40 - 4, 0));
}

// A window of no area keeps what it has: no region is built for it.
TEST(FrameRegion, ZeroAreaBuildsNoRegion) {
  TSkinSpec spec = StandardSpec();
  spec.Left.Trans = true;
  TSkinnedProbe p(spec, WS_POPUP | WS_CAPTION | WS_SYSMENU);
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm& e = *p.Engine;
  const HRGN before = e.Region;
  p.Probe->Seen.clear();
  SetWindowPos(p.Wnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT empty = WindowBox(p.Wnd());
  ASSERT_TRUE(IsRectEmpty(&empty));
  EXPECT_EQ(e.Region, before);
  EXPECT_EQ(p.Probe->Of(WM_WINDOWPOSCHANGING).size(), 1u) << "only the resize";
  SetWindowPos(p.Wnd(), nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_NE(e.Region, before);
  EXPECT_EQ(RegionBox(p.Wnd()).right, 200);
}

TEST(FrameRegion, DropRegionLeavesTheWindowWithoutOne) {
  TSkinSpec spec = StandardSpec();
  spec.Left.Trans = true;
  spec.Left.MagentaCorner = 2;
  TSkinnedProbe p(spec);
  ASSERT_TRUE(p.Skinned());
  ASSERT_NE(RegionKind(p.Wnd()), ERROR);
  p.Engine->DropRegion();
  EXPECT_EQ(RegionKind(p.Wnd()), ERROR);
  EXPECT_FALSE(p.Engine->RegionOwned);
  p.Engine->DropRegion(); // twice is harmless
  // The next size change shapes it again.
  SetWindowPos(p.Wnd(), nullptr, 0, 0, 280, 190, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(RegionHolds(p.Wnd(), 0, 0));
}

} // namespace
} // namespace enginetest
