// What the skinned frame puts on the screen, read back from the window DC:
// every piece of the test skin is a solid colour per frame, so each choice
// of frame shows in one pixel.
#include "FrameTestUtil.h"
#include "support/MessageSequence.h"

#include <gtest/gtest.h>

#include <sstream>

namespace enginetest {
namespace {

std::string Hex(TColor c) {
  std::ostringstream s;
  s << std::hex << "0x" << c;
  return s.str();
}

#define EXPECT_PIXEL(wnd, x, y, colour)                                                            \
  EXPECT_EQ(Hex(WindowPixel(wnd, x, y)), Hex(colour)) << "at " << (x) << "," << (y)

// Points of every border piece, window-relative; negative counts from the
// far edge.
struct TPiecePoint {
  const char* Piece;
  int X, Y;
  const TPieceSpec TSkinSpec::*Spec;
};
const TPiecePoint kPiecePoints[] = {
    {"left, middle", 1, 100, &TSkinSpec::Left},
    {"left, top corner", 0, 0, &TSkinSpec::Left},
    {"left, bottom corner", 3, -1, &TSkinSpec::Left},
    {"right, middle", -1, 100, &TSkinSpec::Right},
    {"right, top corner", -4, 0, &TSkinSpec::Right},
    {"right, bottom corner", -2, -1, &TSkinSpec::Right},
    {"bottom, first column", 4, -1, &TSkinSpec::Bottom},
    {"bottom, middle", 150, -4, &TSkinSpec::Bottom},
    {"bottom, last column", -5, -2, &TSkinSpec::Bottom},
    {"top, first column", 4, 0, &TSkinSpec::Top},
    {"top, middle", 150, 1, &TSkinSpec::Top},
    {"top, last row", 150, 24, &TSkinSpec::Top},
    {"top, last column", -5, 24, &TSkinSpec::Top},
};

void ExpectFrame(HWND wnd, const TSkinSpec& spec, int frame) {
  const RECT box = WindowBox(wnd);
  for (const TPiecePoint& p : kPiecePoints) {
    const int x = p.X < 0 ? box.right + p.X : p.X, y = p.Y < 0 ? box.bottom + p.Y : p.Y;
    SCOPED_TRACE(p.Piece);
    EXPECT_PIXEL(wnd, x, y, (spec.*p.Spec).Colors[frame - 1]);
  }
}

TEST(TitleBarPixels, EveryBorderPieceShowsFrameOneActiveAndFrameTwoInactive) {
  const TSkinSpec spec = StandardSpec();
  TSkinnedForm f(spec);
  ASSERT_TRUE(f.Skin());
  RedrawWindow(f.Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  {
    SCOPED_TRACE("active");
    ExpectFrame(f.Wnd(), spec, 1);
  }
  SendMessageW(f.Wnd(), WM_NCACTIVATE, FALSE, 0);
  {
    SCOPED_TRACE("told it is inactive");
    ExpectFrame(f.Wnd(), spec, 2);
  }
  SendMessageW(f.Wnd(), WM_NCACTIVATE, TRUE, 0);
  {
    SCOPED_TRACE("told it is active again");
    ExpectFrame(f.Wnd(), spec, 1);
  }

  // Another window taking the activation, and giving it back.
  TSkinManage* m = SkinManagerObject();
  m->SetEnabled(false); // the other window stays plain
  TProbeWindow other(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 200, 150);
  SetForegroundWindow(other.Wnd);
  Pump();
  ASSERT_EQ(GetActiveWindow(), other.Wnd);
  {
    SCOPED_TRACE("another window active");
    EXPECT_FALSE(f.Engine()->Active);
    ExpectFrame(f.Wnd(), spec, 2);
  }
  SetForegroundWindow(f.Wnd());
  Pump();
  m->SetEnabled(true);
  {
    SCOPED_TRACE("active again");
    ExpectFrame(f.Wnd(), spec, 1);
  }
}

// The caption's text plate follows the activation as the pieces do; the
// top piece shows around it.
TEST(TitleBarPixels, CaptionPlateAndTopPieceFollowActivation) {
  TSkinSpec spec = StandardSpec();
  const TColor plate[2] = {MakeColor(9, 90, 190), MakeColor(9, 90, 90)};
  Bitmap picture(10, 2 * 25);
  picture.FillRect(RectOf(0, 0, 10, 25), plate[0]);
  picture.FillRect(RectOf(0, 25, 10, 25), plate[1]);
  spec.ExtraFiles = {{"plate.bmp", picture}};
  spec.PersonalityIni = "TextBack=plate.bmp\r\nTXTBackleft=3\r\nTXTBackRight=3\r\n";
  TSkinnedForm f(spec);
  ASSERT_TRUE(f.Skin());
  RepaintFrame(f.Wnd());
  const RECT box = f.Engine()->CaptionTextBox;
  ASSERT_GT(box.right - box.left, 10);
  for (int frame : {1, 2}) {
    SCOPED_TRACE(frame == 1 ? "active" : "inactive");
    SendMessageW(f.Wnd(), WM_NCACTIVATE, frame == 1, 0);
    EXPECT_PIXEL(f.Wnd(), box.left + 1, 1, plate[frame - 1]);
    EXPECT_PIXEL(f.Wnd(), box.right - 1, 23, plate[frame - 1]);
    EXPECT_PIXEL(f.Wnd(), box.left - 1, 1, spec.Top.Colors[frame - 1]);
    EXPECT_PIXEL(f.Wnd(), box.right, 23, spec.Top.Colors[frame - 1]);
  }
}

TSkinSpec SpecWithCustomButton() {
  TSkinSpec spec = StandardSpec();
  // Three frames only: no inactive look of its own.
  spec.Buttons.push_back({"ButtonCustom", 50, 1, 80, 5, 0, 0, 3, 16, 14, ButtonColors(105)});
  return spec;
}

TEST(TitleBarPixels, HoveredPressedAndReleasedButtonsShowTheirFrames) {
  const TSkinSpec spec = SpecWithCustomButton();
  TSkinnedForm f(spec);
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  RepaintFrame(f.Wnd());
  const int close = ButtonIndex(*e, "ButtonClose"), custom = ButtonIndex(*e, "ButtonCustom");
  ASSERT_GE(close, 0);
  ASSERT_GE(custom, 0);
  const POINT c = Centre(e->SysButtons[close]->Bounds), u = Centre(e->SysButtons[custom]->Bounds);
  const POINT caption{150, 12};
  auto send = [&](UINT msg, POINT at) {
    return SendMessageW(f.Wnd(), msg, HTCAPTION, ScreenLParam(f.Wnd(), at.x, at.y));
  };

  EXPECT_PIXEL(f.Wnd(), c.x, c.y, ButtonColors(101)[0]);
  send(WM_NCMOUSEMOVE, c);
  EXPECT_PIXEL(f.Wnd(), c.x, c.y, ButtonColors(101)[2]) << "hot";
  EXPECT_EQ(e->HotObject, e->SysButtons[close].get());
  send(WM_NCMOUSEMOVE, u);
  EXPECT_PIXEL(f.Wnd(), c.x, c.y, ButtonColors(101)[0]) << "left for another button";
  EXPECT_PIXEL(f.Wnd(), u.x, u.y, ButtonColors(105)[2]);
  send(WM_NCMOUSEMOVE, caption);
  EXPECT_PIXEL(f.Wnd(), u.x, u.y, ButtonColors(105)[0]) << "left for the caption";
  EXPECT_EQ(e->HotObject, nullptr);

  send(WM_NCLBUTTONDOWN, u);
  EXPECT_PIXEL(f.Wnd(), u.x, u.y, ButtonColors(105)[1]) << "pressed";
  send(WM_NCLBUTTONUP, u);
  EXPECT_PIXEL(f.Wnd(), u.x, u.y, ButtonColors(105)[2]) << "released: hot";
  MSG posted;
  ASSERT_TRUE(TakePosted(f.Wnd(), SKN_CUSTOMBUTTON, posted));
  EXPECT_EQ(posted.wParam, 50u);
}

// A window without a maximize box shows its maximize button disabled
// (frame 4), whatever the mouse does, and the button does nothing.
TEST(TitleBarPixels, DisabledButtonShowsFrameFourAndDoesNothing) {
  TSkinnedProbe p(StandardSpec(), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME);
  ASSERT_TRUE(p.Skinned());
  TWinSkinForm* e = p.Engine;
  RepaintFrame(p.Wnd());
  const int max = ButtonIndex(*e, "ButtonMaximize");
  ASSERT_TRUE(e->SysButtons[max]->Visible);
  const POINT m = Centre(e->SysButtons[max]->Bounds);
  EXPECT_PIXEL(p.Wnd(), m.x, m.y, ButtonColors(102)[3]);
  for (UINT msg : {WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP}) {
    SendMessageW(p.Wnd(), msg, HTCAPTION, ScreenLParam(p.Wnd(), m.x, m.y));
    EXPECT_PIXEL(p.Wnd(), m.x, m.y, ButtonColors(102)[3]) << msgseq::MessageName(msg);
  }
  Pump();
  EXPECT_TRUE(p.Probe->Of(WM_SYSCOMMAND).empty());
  EXPECT_FALSE(IsZoomed(p.Wnd()));
  // The minimize button of the same window is enabled.
  const int min = ButtonIndex(*e, "ButtonMinimize");
  const POINT n = Centre(e->SysButtons[min]->Bounds);
  EXPECT_PIXEL(p.Wnd(), n.x, n.y, ButtonColors(104)[0]);
}

TEST(TitleBarPixels, InactiveWindowShowsFrameFourOfFourFrameButtonsOnly) {
  const TSkinSpec spec = SpecWithCustomButton();
  TSkinnedForm f(spec);
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  SendMessageW(f.Wnd(), WM_NCACTIVATE, FALSE, 0);
  const struct {
    const char* Section;
    TColor Colour;
  } expected[] = {{"ButtonClose", ButtonColors(101)[3]},
                  {"ButtonMaximize", ButtonColors(102)[3]},
                  {"ButtonMinimize", ButtonColors(104)[3]},
                  {"ButtonCustom", ButtonColors(105)[0]}};
  for (const auto& x : expected) {
    SCOPED_TRACE(x.Section);
    const POINT c = Centre(e->SysButtons[ButtonIndex(*e, x.Section)]->Bounds);
    EXPECT_PIXEL(f.Wnd(), c.x, c.y, x.Colour);
  }
  // Hovering an inactive window changes nothing.
  const POINT c = Centre(e->SysButtons[ButtonIndex(*e, "ButtonClose")]->Bounds);
  SendMessageW(f.Wnd(), WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(f.Wnd(), c.x, c.y));
  EXPECT_EQ(e->HotObject, nullptr);
  EXPECT_PIXEL(f.Wnd(), c.x, c.y, ButtonColors(101)[3]);
}

TEST(TitleBarPixels, MaximizedWindowShowsTheRestoreButtonWhereMaximizeWas) {
  TSkinnedForm f;
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  const int max = ButtonIndex(*e, "ButtonMaximize"), restore = ButtonIndex(*e, "ButtonRestore");
  RepaintFrame(f.Wnd());
  EXPECT_TRUE(e->SysButtons[max]->Visible);
  EXPECT_FALSE(e->SysButtons[restore]->Visible);
  ShowWindow(f.Wnd(), SW_MAXIMIZE);
  Pump();
  ASSERT_EQ(e->WindowState, 1);
  RepaintFrame(f.Wnd());
  EXPECT_FALSE(e->SysButtons[max]->Visible);
  ASSERT_TRUE(e->SysButtons[restore]->Visible);
  const POINT r = Centre(e->SysButtons[restore]->Bounds);
  EXPECT_PIXEL(f.Wnd(), r.x, r.y, ButtonColors(103)[0]);
  ShowWindow(f.Wnd(), SW_RESTORE);
  Pump();
}

// A minimized window paints its caption only, over the face colour; given a
// DC through SKN_EXTPAINT the painter leaves everything past the window's
// size alone.
TEST(TitleBarPixels, MinimizedWindowPaintsOnlyItsCaptionOverTheFaceColour) {
  TSkinSpec spec = StandardSpec();
  spec.Top.Size = 10;
  spec.Buttons.clear();
  TSkinnedForm f(spec);
  f.Form->SetCaption(L"");
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  const TColor sentinel = MakeColor(7, 7, 7);
  auto paint = [&](int width, int height) {
    TBitmap target;
    target.SetSize(width, height);
    const RECT all{0, 0, width, height};
    TGdiBrush brush(CreateSolidBrush(sentinel));
    FillRect(target.Canvas().Handle(), &all, brush.Get());
    EXPECT_EQ(SendMessageW(f.Wnd(), SKN_EXTPAINT,
                           reinterpret_cast<WPARAM>(target.Canvas().Handle()), SKN_MAGIC),
              SKN_MAGIC);
    return target.ToBitmap();
  };

  ShowWindow(f.Wnd(), SW_MINIMIZE);
  Pump();
  ASSERT_EQ(e->WindowState, 2);
  const RECT box = WindowBox(f.Wnd());
  ASSERT_GT(box.bottom, 10) << "the minimized window is lower than its caption";
  const Bitmap shot = paint(box.right + 20, box.bottom + 20);
  const TColor top = spec.Top.Colors[e->Active ? 0 : 1];
  int wrong = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const TColor want = x >= box.right || y >= box.bottom ? sentinel : y < 10 ? top : spec.Face;
      if (shot.At(x, y) != want && ++wrong < 5)
        ADD_FAILURE() << "at " << x << "," << y << ": " << Hex(shot.At(x, y)) << " instead of "
                      << Hex(want);
    }
  EXPECT_EQ(wrong, 0);
  // On the screen too.
  RepaintFrame(f.Wnd());
  EXPECT_PIXEL(f.Wnd(), box.right / 2, box.bottom - 1, spec.Face);
  EXPECT_PIXEL(f.Wnd(), 0, box.bottom - 1, spec.Face);

  // Restored, the same call paints the borders again.
  ShowWindow(f.Wnd(), SW_RESTORE);
  Pump();
  const RECT normal = WindowBox(f.Wnd());
  const Bitmap again = paint(normal.right, normal.bottom);
  EXPECT_EQ(Hex(again.At(1, normal.bottom / 2)), Hex(spec.Left.Colors[e->Active ? 0 : 1]));
  EXPECT_EQ(Hex(again.At(normal.right / 2, normal.bottom - 1)),
            Hex(spec.Bottom.Colors[e->Active ? 0 : 1]));
}

} // namespace
} // namespace enginetest
