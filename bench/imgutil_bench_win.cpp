// The skin's drawing on a DC, under the real GDI: a 100 x 24 push button
// sliced from a five-frame strip, and a title-bar button drawn at its own
// size, each opaque and with magenta transparency. Three ways, in one run:
//   blit   - one BitBlt of the finished pixels, the least any draw needs;
//   before - what every draw used to do: compose, then a DIB section (and,
//            keyed, a mask bitmap and a MaskBlt) made and freed per draw;
//   now    - the element calls, which keep the element's picture in GDI
//            form and compose through surfaces made once.
// Each figure is the best of several rounds of many draws.
//   bench_imgutil_win [draws per round]
#include "skin/data/ElementDraw.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A push-button strip: five 24 x 24 frames with rounded (magenta) corners.
Bitmap ButtonStrip() {
  Bitmap b(5 * 24, 24);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const int fx = x % 24;
      const bool corner = (fx < 2 || fx > 21) && (y < 2 || y > 21);
      b.Set(x, y, corner ? clMagenta : MakeColor(120 + fx * 4, 130 + y * 3, 150 + x / 24 * 20));
    }
  return b;
}

// A caption button: four 18 x 18 frames, a magenta ring around a glyph.
Bitmap CaptionButtonStrip() {
  Bitmap b(4 * 18, 18, clMagenta);
  for (int k = 0; k < 4; ++k)
    b.FillRect(RectOf(k * 18 + 2, 2, 14, 14), MakeColor(40 * k, 90, 200));
  return b;
}

BITMAPINFO TopDown(int w, int h) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

// The way every draw used to put a composed picture on the DC.
void PutAsBefore(HDC dc, int x, int y, const Bitmap& built, bool transparent) {
  const BITMAPINFO info = TopDown(built.Width(), built.Height());
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) return;
  std::memcpy(bits, built.Pixels().data(), built.Pixels().size() * 4);
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, dib);
  if (!transparent) {
    BitBlt(dc, x, y, built.Width(), built.Height(), source, 0, 0, SRCCOPY);
  } else {
    const std::size_t stride = (static_cast<std::size_t>(built.Width()) + 15) / 16 * 2;
    std::vector<std::uint8_t> maskBits(stride * built.Height(), 0);
    const std::uint32_t key = ColorToPixel(clMagenta);
    for (int row = 0; row < built.Height(); ++row)
      for (int col = 0; col < built.Width(); ++col)
        if (built.Row(row)[col] == key)
          maskBits[row * stride + col / 8] |= static_cast<std::uint8_t>(0x80 >> (col % 8));
    HBITMAP mask = CreateBitmap(built.Width(), built.Height(), 1, 1, maskBits.data());
    MaskBlt(dc, x, y, built.Width(), built.Height(), source, 0, 0, mask, 0, 0,
            MAKEROP4(0x00AA0029, SRCCOPY));
    DeleteObject(mask);
  }
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(dib);
}

double MicrosecondsPerDraw(const std::function<void()>& draw, int draws) {
  for (int i = 0; i < draws / 10 + 1; ++i)
    draw();
  double best = 1e300;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    for (int i = 0; i < draws; ++i)
      draw();
    GdiFlush();
    best = std::min(best, std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  return best / draws;
}

// A surface to draw on, as painters compose their off-screen pictures.
struct TTarget {
  TTarget() {
    const BITMAPINFO info = TopDown(320, 120);
    void* bits = nullptr;
    Bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    DC = CreateCompatibleDC(nullptr);
    Old = SelectObject(DC, Bitmap);
  }
  ~TTarget() {
    SelectObject(DC, Old);
    DeleteDC(DC);
    DeleteObject(Bitmap);
  }
  HBITMAP Bitmap;
  HDC DC;
  HGDIOBJ Old;
};

void Report(const char* name, double blit, double before, double now) {
  std::printf("%-28s blit %6.2f us   before %7.2f us   now %6.2f us   before/now %6.1fx   "
              "now/blit %5.1fx\n",
              name, blit, before, now, before / now, now / blit);
}

} // namespace

int main(int argc, char** argv) {
  const int draws = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  TTarget target;
  HDC dc = target.DC;

  TDataSkinObject button("Buttons");
  button.Image = ButtonStrip();
  button.Frame = 5;
  button.LeftWidth = button.TopHeight = button.RightWidth = button.BottomHeight = 4;
  TDataSkinSysButton close("BUTTON.CLOSE");
  close.Image = CaptionButtonStrip();
  close.Frame = 4;

  const RECT buttonRect{10, 10, 110, 34};
  const TRect buttonArea = RectOf(0, 0, 100, 24);
  const RECT closeRect{150, 10, 168, 28};

  for (const bool keyed : {false, true}) {
    button.Trans = keyed;
    close.Trans = keyed;
    const Bitmap finishedButton = BuildNineSlice(buttonArea, button, 2);
    const TGdiImage finished(finishedButton);
    const double blit =
        MicrosecondsPerDraw([&] { finished.Draw(dc, 10, 10, buttonArea, false); }, draws);
    const double before = MicrosecondsPerDraw(
        [&] { PutAsBefore(dc, 10, 10, BuildNineSlice(buttonArea, button, 2), keyed); }, draws);
    const double now =
        MicrosecondsPerDraw([&] { DrawNineSlice(dc, buttonRect, button, 2); }, draws);
    Report(keyed ? "button 100x24, keyed" : "button 100x24, opaque", blit, before, now);

    const TRect frame = FrameRect(close.Image, false, 4, 3);
    const TGdiImage glyph(close.Image);
    const double glyphBlit =
        MicrosecondsPerDraw([&] { glyph.Draw(dc, 150, 10, frame, false); }, draws);
    const double glyphBefore = MicrosecondsPerDraw(
        [&] {
          PutAsBefore(dc, 150, 10, BuildFrameStretched(RectOf(0, 0, 18, 18), close, 3), keyed);
        },
        draws);
    const double glyphNow =
        MicrosecondsPerDraw([&] { DrawFrameStretched(dc, closeRect, close, 3); }, draws);
    Report(keyed ? "caption button 18x18, keyed" : "caption button 18x18, opaque", glyphBlit,
           glyphBefore, glyphNow);
  }
  return 0;
}
