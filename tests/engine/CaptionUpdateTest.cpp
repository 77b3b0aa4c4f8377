// The composed caption is kept between paints; each of these changes must
// still reach the screen. Every check repaints the frame as it stands, reads
// the caption back from the window DC and compares it with a caption
// composed from nothing (the engine's pieces forgotten first): a cached
// caption that missed the change shows what the window showed before.
#include "FrameTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace enginetest {
namespace {

// The top rows of the window as the window DC holds them.
Bitmap CaptionShot(HWND wnd, int rows) {
  const RECT box = WindowBox(wnd);
  TBitmap shot;
  shot.SetSize(box.right, std::min<int>(rows, box.bottom));
  HDC dc = GetWindowDC(wnd);
  BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  return shot.ToBitmap();
}

int Differences(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return a.Width() * a.Height() + 1;
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      n += a.At(x, y) != b.At(x, y);
  return n;
}

class TCaptionWatch {
public:
  TCaptionWatch(HWND wnd, TWinSkinForm* engine) : FWnd(wnd), FEngine(engine) {}
  // The caption after a repaint from whatever the engine kept.
  Bitmap Kept() {
    RepaintFrame(FWnd);
    return CaptionShot(FWnd, Rows());
  }
  // The caption composed again from nothing.
  Bitmap Fresh() {
    FEngine->DropFrameCaches();
    RepaintFrame(FWnd);
    return CaptionShot(FWnd, Rows());
  }
  // After a change: the kept caption is the fresh one, and (when the
  // change shows in the caption) differs from the one before.
  void ExpectShown(const Bitmap& before, bool visible = true) {
    const Bitmap kept = Kept(), fresh = Fresh();
    EXPECT_EQ(Differences(kept, fresh), 0) << "the repaint showed a stale caption";
    if (visible) {
      EXPECT_GT(Differences(before, fresh), 0) << "the change does not show";
    }
  }

private:
  int Rows() const {
    return FEngine->Minimized() ? WindowBox(FWnd).bottom : FEngine->CaptionHeight;
  }
  HWND FWnd;
  TWinSkinForm* FEngine;
};

TEST(CaptionUpdates, TextActivationAndSizeReachTheScreen) {
  TSkinnedForm f;
  f.Form->SetCaption(L"");
  ASSERT_TRUE(f.Skin());
  TCaptionWatch w(f.Wnd(), f.Engine());
  Bitmap before = w.Kept();
  EXPECT_EQ(Differences(before, w.Kept()), 0) << "two paints of the same caption differ";
  {
    SCOPED_TRACE("text set");
    f.Form->SetCaption(L"Renamer WWW");
    w.ExpectShown(before);
  }
  {
    SCOPED_TRACE("text of the same length");
    before = w.Kept();
    f.Form->SetCaption(L"Renamer MMM");
    w.ExpectShown(before);
  }
  {
    SCOPED_TRACE("deactivated");
    before = w.Kept();
    SendMessageW(f.Wnd(), WM_NCACTIVATE, FALSE, 0);
    w.ExpectShown(before);
  }
  {
    SCOPED_TRACE("activated");
    before = w.Kept();
    SendMessageW(f.Wnd(), WM_NCACTIVATE, TRUE, 0);
    w.ExpectShown(before);
  }
  {
    SCOPED_TRACE("wider");
    before = w.Kept();
    const RECT box = WindowBox(f.Wnd());
    SetWindowPos(f.Wnd(), nullptr, 0, 0, box.right + 37, box.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    w.ExpectShown(before);
  }
  {
    SCOPED_TRACE("only higher");
    before = w.Kept();
    const RECT box = WindowBox(f.Wnd());
    SetWindowPos(f.Wnd(), nullptr, 0, 0, box.right, box.bottom + 29,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    w.ExpectShown(before, false);
  }
}

// A window that is no framework form gets its text through its window
// procedure alone.
TEST(CaptionUpdates, TextOfAPlainWindowReachesTheScreen) {
  TSkinnedProbe p(StandardSpec());
  ASSERT_TRUE(p.Skinned());
  SetWindowTextW(p.Wnd(), L"");
  TCaptionWatch w(p.Wnd(), p.Engine);
  const Bitmap before = w.Kept();
  SetWindowTextW(p.Wnd(), L"Renamer WWW");
  w.ExpectShown(before);
  SetWindowTextA(p.Wnd(), "");
  w.ExpectShown(w.Kept(), false);
  EXPECT_EQ(Differences(before, w.Kept()), 0);
}

// A button's hover and press are drawn onto the window alone; the kept
// caption neither hides them nor brings them back after the mouse left.
TEST(CaptionUpdates, HoverAndPressShowOverTheKeptCaption) {
  TSkinnedForm f;
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  TCaptionWatch w(f.Wnd(), e);
  const Bitmap before = w.Kept();
  const POINT c = Centre(e->SysButtons[ButtonIndex(*e, "ButtonClose")]->Bounds);
  auto send = [&](UINT msg, POINT at) {
    SendMessageW(f.Wnd(), msg, HTCAPTION, ScreenLParam(f.Wnd(), at.x, at.y));
  };
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "first hover" : "hover after a kept repaint");
    send(WM_NCMOUSEMOVE, c);
    EXPECT_EQ(WindowPixel(f.Wnd(), c.x, c.y), ButtonColors(101)[2]);
    send(WM_NCMOUSEMOVE, {150, 12});
    EXPECT_EQ(WindowPixel(f.Wnd(), c.x, c.y), ButtonColors(101)[0]);
    EXPECT_EQ(Differences(before, w.Kept()), 0);
  }
  // Pressed, then the frame repainted while the button is down: the
  // repaint shows it normal, as a caption composed from nothing does.
  send(WM_NCLBUTTONDOWN, c);
  EXPECT_EQ(WindowPixel(f.Wnd(), c.x, c.y), ButtonColors(101)[1]);
  w.ExpectShown(before, false);
  EXPECT_EQ(Differences(before, w.Kept()), 0);
  ReleaseCapture();
}

HICON SolidIcon(TColor colour) {
  const int size = GetSystemMetrics(SM_CXSMICON);
  const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size * size),
                                          0xFF000000u | ColorToPixel(colour));
  const std::vector<std::uint8_t> opaque(static_cast<std::size_t>((size + 15) / 16 * 2 * size), 0);
  HBITMAP picture = CreateBitmap(size, size, 1, 32, pixels.data());
  HBITMAP mask = CreateBitmap(size, size, 1, 1, opaque.data());
  ICONINFO info{TRUE, 0, 0, mask, picture};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(picture);
  return icon;
}

TEST(CaptionUpdates, NewIconReachesTheScreen) {
  TSkinSpec spec = StandardSpec();
  for (TButtonSpec& b : spec.Buttons)
    if (b.Section == "ButtonSysMenu") {
      b.NoImage = false;
      b.Frames = 1;
      b.Colors = {MakeColor(1, 99, 1)};
    }
  TSkinnedForm f(spec);
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  HWND app = Application && Application->Handle() ? Application->Handle() : f.Wnd();
  const auto old =
      static_cast<HICON>(reinterpret_cast<void*>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0)));
  const TColor colours[2] = {MakeColor(250, 10, 130), MakeColor(10, 250, 130)};
  HICON icons[2] = {SolidIcon(colours[0]), SolidIcon(colours[1])};
  ASSERT_TRUE(icons[0] && icons[1]);
  TCaptionWatch w(f.Wnd(), e);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const Bitmap before = w.Kept();
    SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons[i]));
    w.ExpectShown(before);
    const int y = e->CaptionTextRect.top + (e->CaptionTextRect.bottom - e->CaptionTextRect.top) / 2;
    EXPECT_EQ(WindowPixel(f.Wnd(), 8 + e->IconSize / 2, y), colours[i]);
  }
  SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(old));
  RepaintFrame(f.Wnd());
  for (HICON icon : icons)
    DestroyIcon(icon);
}

// Another skin of the very same sizes: nothing but the pictures tells the
// two apart.
TEST(CaptionUpdates, SkinOfTheSameSizesReachesTheScreen) {
  TSkinnedForm f;
  ASSERT_TRUE(f.Skin());
  TCaptionWatch w(f.Wnd(), f.Engine());
  const Bitmap before = w.Kept();
  TSkinSpec other = StandardSpec();
  other.Top.Colors[0] = MakeColor(0, 120, 220);
  other.Top.Colors[1] = MakeColor(0, 60, 110);
  other.Left.Colors[0] = MakeColor(220, 20, 0);
  other.Left.Colors[1] = MakeColor(110, 10, 0);
  other.Buttons[0].Colors = ButtonColors(111);
  f.Data->SetStoredArchive(BuildArchive(other));
  ASSERT_TRUE(f.Data->LoadSkin());
  Pump();
  w.ExpectShown(before);
  EXPECT_EQ(WindowPixel(f.Wnd(), 150, 1), other.Top.Colors[0]);
  EXPECT_EQ(WindowPixel(f.Wnd(), 0, 1), other.Left.Colors[0]);
}

TEST(CaptionUpdates, MinimizedAndRestoredCaptionsReachTheScreen) {
  TSkinnedForm f;
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  TCaptionWatch w(f.Wnd(), e);
  const Bitmap normal = w.Kept();
  ShowWindow(f.Wnd(), SW_MINIMIZE);
  Pump();
  ASSERT_EQ(e->WindowState, 2);
  {
    SCOPED_TRACE("minimized");
    w.ExpectShown(normal);
  }
  const Bitmap minimized = w.Kept();
  ShowWindow(f.Wnd(), SW_RESTORE);
  Pump();
  ASSERT_EQ(e->WindowState, 0);
  {
    SCOPED_TRACE("restored");
    w.ExpectShown(minimized);
    EXPECT_EQ(Differences(normal, w.Kept()), 0);
  }
}

} // namespace
} // namespace enginetest
