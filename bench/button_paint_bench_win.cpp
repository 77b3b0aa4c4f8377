// Painting the main window's rename button (the default skin, its own
// font and caption) through its painter, against the least the same
// picture needs: its "Buttons" frame alone, one nine-slice draw of the same
// size. Both draw into the same off-screen surface, in interleaved rounds
// so that a busy machine slows both alike; the ratio is taken per round.
// A breakdown of the parts of a paint beyond the frame follows.
//
// With --soak, hover, press and release cycles over that button (each
// message repaints it at once), and the live-object census before and after
// them: the program fails when anything was left over.
//   bench_button_paint_win [paints per round] [--rounds n] [--soak cycles]
#include "SkinBench.h"
#include "app/Unit_main.h"
#include "skin/controls/ButtonPainters.h"
#include "skin/controls/SkinManager.h"
#include "skin/data/ElementDraw.h"
#include "skin/form/WinSkinForm.h"

#include "support/ObjectCensus.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MicrosecondsPerCall(const std::function<void()>& call, int calls) {
  const auto start = Clock::now();
  for (int i = 0; i < calls; ++i)
    call();
  GdiFlush();
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls;
}

struct TSpread {
  double Min, Median, Max;
};

TSpread SpreadOf(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v.front(), v[v.size() / 2], v.back()};
}

void PrintSpread(const char* what, const TSpread& s, const char* unit) {
  std::printf("%-34s min %7.2f  median %7.2f  max %7.2f %s\n", what, s.Min, s.Median, s.Max, unit);
}

TSkinButton* RenameButtonPainter() {
  TSkinManage* m = SkinManagerObject();
  TWinSkinForm* e = m ? m->FindFormEngine(Form_main->Handle()) : nullptr;
  if (!e) return nullptr;
  for (TSkinControl* p : e->Painters)
    if (p->Control == Form_main->Button1) return As<TSkinButton>(p);
  return nullptr;
}

// The frame and the whole paint, round after round.
void PaintRatio(TSkinButton& painter, HDC dc, const RECT& all, int paints, int rounds) {
  const TDataSkinButton& frame = painter.SkinData->Skin().Buttons();
  auto nine = [&] { DrawNineSlice(dc, all, frame, 1); };
  auto paint = [&] { painter.PaintWindow(dc); };
  MicrosecondsPerCall(nine, paints / 10 + 1); // warm caches and the buffer
  MicrosecondsPerCall(paint, paints / 10 + 1);
  std::vector<double> nines, buttons, ratios;
  for (int round = 0; round < rounds; ++round) {
    const double n = MicrosecondsPerCall(nine, paints);
    const double b = MicrosecondsPerCall(paint, paints);
    nines.push_back(n);
    buttons.push_back(b);
    ratios.push_back(b / n);
  }
  const std::wstring caption = Form_main->Button1->Caption();
  char utf8[256] = {};
  WideCharToMultiByte(CP_UTF8, 0, caption.c_str(), -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
  std::printf("button %ldx%ld, caption \"%s\", %d rounds of %d paints each:\n", all.right,
              all.bottom, utf8, rounds, paints);
  PrintSpread("nine-slice frame alone", SpreadOf(nines), "us");
  PrintSpread("whole button paint", SpreadOf(buttons), "us");
  const TSpread r = SpreadOf(ratios);
  PrintSpread("ratio paint / frame", r, "");
  std::printf("ratio goal at most 1.5: %s (median %.2f)\n", r.Median <= 1.5 ? "met" : "NOT met",
              r.Median);
}

// What a paint does besides the frame, each part alone on the same
// surface, to show where the rest of the time goes.
void PaintParts(TSkinButton& painter, HDC dc, const RECT& all, int paints) {
  const std::wstring caption = ButtonCaptionText(Form_main->Button1->Caption());
  const TColor face = painter.FaceColor();
  TFont font;
  font.Assign(Form_main->Button1->Font());
  HGDIOBJ old = SelectObject(dc, font.Handle());
  std::vector<double> fill, text, copy, state;
  TBitmap source;
  source.SetSize(all.right, all.bottom);
  HDC src = source.Canvas().Handle();
  for (int round = 0; round < 5; ++round) {
    fill.push_back(MicrosecondsPerCall([&] { TSkinControl::FillColor(dc, all, face); }, paints));
    text.push_back(MicrosecondsPerCall(
        [&] {
          RECT t = all;
          DrawTextW(dc, caption.c_str(), -1, &t, DT_CENTER | DT_CALCRECT | DT_WORDBREAK);
          t = all;
          DrawTextW(dc, caption.c_str(), -1, &t, DT_CENTER | DT_WORDBREAK);
        },
        paints));
    copy.push_back(MicrosecondsPerCall(
        [&] { BitBlt(dc, 0, 0, all.right, all.bottom, src, 0, 0, SRCCOPY); }, paints));
    state.push_back(MicrosecondsPerCall(
        [&] {
          RECT r;
          GetWindowRect(painter.Handle, &r);
          volatile auto style = GetWindowLongPtrW(painter.Handle, GWL_STYLE);
          (void)style;
          volatile bool def = painter.BoolProperty("Default");
          (void)def;
        },
        paints));
  }
  SelectObject(dc, old);
  std::printf("parts of a paint beyond the frame (median of 5 rounds):\n");
  std::printf("  face fill %.2f us, caption measured and drawn %.2f us, copy out %.2f us,\n"
              "  window rectangle, style and Default property %.2f us\n",
              SpreadOf(fill).Median, SpreadOf(text).Median, SpreadOf(copy).Median,
              SpreadOf(state).Median);
  std::printf("  for comparison, asking the system: GetFocus %.2f us, the caption %.2f us\n",
              MicrosecondsPerCall(
                  [] {
                    volatile HWND f = GetFocus();
                    (void)f;
                  },
                  paints / 4 + 1),
              MicrosecondsPerCall(
                  [] {
                    volatile auto n = Form_main->Button1->Caption().size();
                    (void)n;
                  },
                  paints / 4 + 1));
}

bool Soak(TSkinButton& painter, int cycles) {
  HWND wnd = painter.Handle;
  const LPARAM at = MAKELPARAM(50, 16);
  // Each click renames the list, which is empty: nothing on disk changes.
  auto run = [&](int n) {
    for (int i = 0; i < n; ++i) {
      SendMessageW(wnd, WM_MOUSEMOVE, 0, at);
      SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
      SendMessageW(wnd, WM_LBUTTONUP, 0, at);
      SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
      if (i % 64 == 0) Application->ProcessMessages();
    }
    Application->ProcessMessages();
  };
  run(50);
  const testutil::TObjectCensus before = testutil::TObjectCensus::Take();
  run(cycles);
  const testutil::TObjectCensus after = testutil::TObjectCensus::Take();
  const bool same = before == after;
  std::printf("soak: %d hover, press and release cycles over the rename button\n", cycles);
  std::printf("soak: GDI objects %d -> %d, windows %d -> %d, menus %d -> %d: %s\n",
              before.GdiTotal(), after.GdiTotal(), before.Windows, after.Windows, before.Menus,
              after.Menus, same ? "nothing left over" : before.DifferenceTo(after).c_str());
  return same;
}

} // namespace

int main(int argc, char** argv) {
  int paints = 2000, rounds = 15, soak = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--soak") == 0 && i + 1 < argc)
      soak = std::max(1, std::atoi(argv[++i]));
    else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
      rounds = std::max(1, std::atoi(argv[++i]));
    else
      paints = std::max(1, std::atoi(argv[i]));
  }
  benchutil::StartMainWindow();
  // The manager skins the window on its first activation, then the
  // engine starts from a message.
  TSkinButton* painter = nullptr;
  for (int i = 0; i < 300 && !painter; ++i) {
    Application->ProcessMessages();
    painter = RenameButtonPainter();
    if (!painter) Sleep(10);
  }
  if (!painter) {
    std::printf("the rename button got no painter\n");
    return 1;
  }
  RECT r;
  GetWindowRect(painter->Handle, &r);
  const RECT all{0, 0, r.right - r.left, r.bottom - r.top};
  bool ok = true;
  {
    TBitmap target;
    target.SetSize(all.right, all.bottom);
    HDC dc = target.Canvas().Handle();
    PaintRatio(*painter, dc, all, paints, rounds);
    PaintParts(*painter, dc, all, paints);
  }
  if (soak) ok = Soak(*painter, soak);
  DoneFramework();
  DoneSkinEngine();
  return ok ? 0 : 1;
}
