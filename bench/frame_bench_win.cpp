// The skinned frame under the default skin, in one run:
//  - painting the frame of an 800 x 600 window against blitting its
//    finished pieces (both sides, bottom, caption) to the same window DC;
//  - a live resize, 200 size steps from 640 x 480 to 1600 x 1000, skinned
//    against the same window unskinned, and how often the region is built;
//  - a soak of hovering and leaving every title button, deactivating,
//    activating and resizing, with the census of live GDI objects, windows
//    and menus after the first cycle and after the last.
//   bench_frame_win [skin archive, "" for the default skin] [soak cycles]
#include "SkinBench.h"
#include "skin/controls/SkinManager.h"
#include "skin/form/WinSkinForm.h"
#include "support/ObjectCensus.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using benchutil::Median;
using benchutil::Pump;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

std::wstring DefaultArchive() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L"\\/") + 1) + L"..\\src\\app\\default-skin.skn";
}

std::vector<std::uint8_t> ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Resize(HWND wnd, int width, int height) {
  SetWindowPos(wnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(wnd);
}

// A form with the skin, skinned or not.
struct TBenchForm {
  TForm* Form = nullptr;
  TSkinData* Data = nullptr;

  explicit TBenchForm(std::vector<std::uint8_t> archive) {
    Form = new TForm(nullptr);
    Form->SetBounds(20, 20, 800, 600);
    Form->SetCaption(L"Frame benchmark");
    Data = new TSkinData(Form);
    Data->BeginLoading();
    Data->SetStoredArchive(std::move(archive));
    Data->LoadSkin();
    Data->Loaded();
    SkinManagerObject()->SetEnabled(false);
    Form->Show();
    Pump();
  }
  ~TBenchForm() {
    delete Form;
    Pump();
  }
  HWND Wnd() const { return Form->Handle(); }
  TWinSkinForm* Engine() const { return SkinManagerObject()->FindFormEngine(Wnd()); }
  bool Skin() {
    TSkinManage* m = SkinManagerObject();
    m->SetEnabled(true);
    if (!m->SkinWindow(Wnd())) return false;
    for (int i = 0; i < 200 && !(Engine() && Engine()->EngineState == 1); ++i) {
      Pump();
      Sleep(5);
    }
    return Engine() && Engine()->EngineState == 1;
  }
  void Unskin() {
    TSkinManage* m = SkinManagerObject();
    m->SetCommandSkinData(Data);
    m->Command = 2;
    m->ExecuteCommand(nullptr);
    Pump();
  }
};

// A finished piece of the frame: a copy of what the window DC shows there.
struct TPiece {
  RECT At;
  TBitmap Picture;
  TPiece(HDC window, const RECT& at) : At(at) {
    Picture.SetSize(at.right - at.left, at.bottom - at.top);
    BitBlt(Picture.Canvas().Handle(), 0, 0, Picture.Width(), Picture.Height(), window, at.left,
           at.top, SRCCOPY);
  }
};

void PaintFrameBench(TBenchForm& f) {
  HWND wnd = f.Wnd();
  SetWindowPos(wnd, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  TWinSkinForm* e = f.Engine();
  e->PaintFrame(nullptr);
  RECT box;
  GetWindowRect(wnd, &box);
  const int w = box.right - box.left, h = box.bottom - box.top;
  std::vector<std::unique_ptr<TPiece>> pieces;
  {
    TWindowDC dc = TWindowDC::Whole(wnd);
    const RECT at[] = {{0, 0, e->BorderLeft, h},
                       {w - e->BorderRight, 0, w, h},
                       {e->BorderLeft, h - e->BorderBottom, w - e->BorderRight, h},
                       {0, 0, w, e->CaptionHeight + e->MenuHeight}};
    for (const RECT& r : at)
      pieces.push_back(std::make_unique<TPiece>(dc.Get(), r));
  }
  const int n = 300, rounds = 7;
  std::vector<double> painted, blitted, composed;
  for (int round = 0; round < rounds; ++round) {
    auto start = Clock::now();
    for (int i = 0; i < n; ++i)
      e->PaintFrame(nullptr);
    GdiFlush();
    painted.push_back(Seconds(start) / n);
    start = Clock::now();
    for (int i = 0; i < n; ++i) {
      TWindowDC dc = TWindowDC::Whole(wnd);
      for (auto& p : pieces)
        BitBlt(dc.Get(), p->At.left, p->At.top, p->Picture.Width(), p->Picture.Height(),
               p->Picture.Canvas().Handle(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    blitted.push_back(Seconds(start) / n);
    // The same paint with every piece and the caption built anew, as after
    // a change of skin.
    start = Clock::now();
    for (int i = 0; i < n / 10; ++i) {
      e->DropFrameCaches();
      e->PaintFrame(nullptr);
    }
    GdiFlush();
    composed.push_back(Seconds(start) / (n / 10));
  }
  const double paint = Median(painted), blit = Median(blitted), build = Median(composed);
  std::printf("PaintFrame of a %d x %d skinned window (median of %d interleaved rounds of %d):\n",
              w, h, rounds, n);
  std::printf("  PaintFrame:                         %8.1f us\n", paint * 1e6);
  std::printf("  blit of the finished pieces:        %8.1f us\n", blit * 1e6);
  std::printf("  PaintFrame, every piece built anew: %8.1f us\n", build * 1e6);
  std::printf("  ratio PaintFrame/blit: %.2f (goal at most 2)\n", paint / blit);
  std::printf("  ratio built anew/blit: %.2f\n\n", build / blit);
}

// Seconds per step of 200 steps from 640 x 480 to 1600 x 1000 and back;
// regionsBuilt counts the steps after which the engine held a new region.
double ResizeSteps(HWND wnd, TWinSkinForm* e, int& regionsBuilt) {
  const int steps = 200;
  regionsBuilt = 0;
  Resize(wnd, 640, 480);
  Pump();
  auto start = Clock::now();
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 1; i <= steps; ++i) {
      const int k = pass == 0 ? i : steps - i;
      const HRGN before = e ? e->Region : nullptr;
      Resize(wnd, 640 + (1600 - 640) * k / steps, 480 + (1000 - 480) * k / steps);
      if (e && e->Region != before) ++regionsBuilt;
    }
  return Seconds(start) / (2 * steps);
}

bool ResizeBench(TBenchForm& f) {
  HWND wnd = f.Wnd();
  std::vector<double> skinned, plain;
  int built = 0, sameSize = 0;
  for (int round = 0; round < 3; ++round) {
    f.Unskin();
    int unused = 0;
    plain.push_back(ResizeSteps(wnd, nullptr, unused));
    if (!f.Skin()) {
      std::printf("the form could not be skinned\n");
      return false;
    }
    skinned.push_back(ResizeSteps(wnd, f.Engine(), built));
  }
  // The same size again, 200 times: no region is built.
  TWinSkinForm* e = f.Engine();
  RECT r;
  GetWindowRect(wnd, &r);
  for (int i = 0; i < 200; ++i) {
    const HRGN before = e->Region;
    Resize(wnd, r.right - r.left, r.bottom - r.top);
    if (e->Region != before) ++sameSize;
  }
  const double s = Median(skinned), p = Median(plain);
  std::printf("live resize, 640 x 480 to 1600 x 1000 and back, 400 steps:\n");
  std::printf("  skinned:   %8.1f us per step (median of %zu)\n", s * 1e6, skinned.size());
  std::printf("  unskinned: %8.1f us per step\n", p * 1e6);
  std::printf("  ratio skinned/unskinned: %.2f (goal at most 2)\n", s / p);
  std::printf("  regions built: %d in 400 size steps, %d in 200 steps of the same size\n\n", built,
              sameSize);
  return true;
}

void SoakCycle(HWND wnd, TWinSkinForm* e, int cycle) {
  RECT w;
  GetWindowRect(wnd, &w);
  const LPARAM caption = MAKELPARAM(w.left + (w.right - w.left) / 2, w.top + 3);
  for (auto& b : e->SysButtons) {
    if (!b->Visible) continue;
    const LPARAM at = MAKELPARAM(w.left + (b->Bounds.left + b->Bounds.right) / 2,
                                 w.top + (b->Bounds.top + b->Bounds.bottom) / 2);
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, at);
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, caption);
  }
  SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
  SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
  const int grow = cycle % 2 ? -1 : 1;
  SetWindowPos(wnd, nullptr, 0, 0, w.right - w.left + grow, w.bottom - w.top + grow,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
}

bool SoakBench(TBenchForm& f, int cycles) {
  HWND wnd = f.Wnd();
  // Out of the way, so that the real pointer takes no part.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  SetWindowPos(wnd, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  TWinSkinForm* e = f.Engine();
  SoakCycle(wnd, e, 0);
  const testutil::TObjectCensus first = testutil::TObjectCensus::Take();
  auto start = Clock::now();
  for (int i = 1; i <= cycles; ++i)
    SoakCycle(wnd, e, i);
  const double seconds = Seconds(start);
  const testutil::TObjectCensus last = testutil::TObjectCensus::Take();
  int buttons = 0;
  for (auto& b : e->SysButtons)
    buttons += b->Visible;
  std::printf("soak: %d cycles (hover and leave each of %d title buttons, deactivate, activate, "
              "resize) in %.1f s\n",
              cycles, buttons, seconds);
  std::printf("  census after the first cycle: %d GDI objects, %d windows, %d menus\n",
              first.GdiTotal(), first.Windows, first.Menus);
  std::printf("  census after the last: %s\n",
              first == last ? "unchanged" : ("changed: " + first.DifferenceTo(last)).c_str());
  return first == last;
}

} // namespace

int main(int argc, char** argv) {
  const std::wstring archivePath = argc > 1 && argv[1][0]
                                       ? std::wstring(argv[1], argv[1] + std::strlen(argv[1]))
                                       : DefaultArchive();
  const int cycles = argc > 2 ? std::max(std::atoi(argv[2]), 1) : 10000;
  std::vector<std::uint8_t> archive = ReadAll(archivePath);
  if (archive.empty()) {
    std::printf("no skin archive at %ls\n", archivePath.c_str());
    return 1;
  }
  InitFramework();
  InitSkinEngine();
  Application->Initialize();
  int status = 0;
  {
    TBenchForm f(archive);
    if (!f.Skin()) {
      std::printf("the form could not be skinned\n");
      status = 1;
    } else {
      PaintFrameBench(f);
      if (!ResizeBench(f))
        status = 1;
      else if (!SoakBench(f, cycles))
        status = 1;
    }
  }
  DoneFramework();
  DoneSkinEngine();
  return status;
}
