// Dropping 10,000 paths on the main window: the time from the drop message
// to the last item shown, under the real window. A list box filled by
// LB_ADDSTRING with drawing held back is measured in the same run as the
// floor this cannot beat.
//   bench_drop_win [count]
#include "BenchUtil.h"
#include "app/Unit_main.h"

#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

using benchutil::Median;

using Clock = std::chrono::steady_clock;

HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  std::size_t chars = 1;
  for (const auto& p : paths)
    chars += p.size() + 1;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * 2);
  auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(df + 1);
  for (const auto& p : paths) {
    std::memcpy(out, p.c_str(), (p.size() + 1) * 2);
    out += p.size() + 1;
  }
  GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

} // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  InitFramework();
  RegisterMainFormClasses();
  Application->Initialize();
  Application->CreateForm(Form_main);
  Form_main->Show();
  Application->ProcessMessages();

  std::vector<std::wstring> paths;
  for (int i = 0; i < count; ++i)
    paths.push_back(L"C:\\Users\\照片\\2026\\假期\\IMG_" + std::to_wstring(100000 + i) + L".JPG");

  std::vector<double> drops, floors;
  for (int round = 0; round < 5; ++round) {
    Form_main->ListBox1->Items().Clear();
    HWND list = Form_main->ListBox1->Handle();
    HDROP drop = MakeDrop(paths);
    auto start = Clock::now();
    SendMessageW(Form_main->AIFileDropPan1->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop),
                 0);
    SendMessageW(list, LB_SETTOPINDEX, count - 1, 0); // the last item in view
    UpdateWindow(list);
    drops.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    if (Form_main->ListBox1->Items().Count() != count) {
      std::printf("the list holds %d items, not %d\n", Form_main->ListBox1->Items().Count(), count);
      return 1;
    }

    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    start = Clock::now();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (const auto& p : paths)
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p.c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    SendMessageW(list, LB_SETTOPINDEX, count - 1, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    floors.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  const double drop = Median(drops), floor = Median(floors);
  std::printf("paths dropped: %d\n", count);
  std::printf("drop to last item shown: %.3f s (median of %zu)\n", drop, drops.size());
  std::printf("bare list box fill:      %.3f s (median of %zu)\n", floor, floors.size());
  std::printf("ratio drop/bare: %.2f\n", drop / floor);
  DoneFramework();
  return 0;
}
