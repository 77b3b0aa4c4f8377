// The skinned scroll bar against the system's, in the same run: the main
// window's file list (skinned, its bars drawn by overlays) and a list box
// of the same size and font in a form that is never skinned, each with
// 10,000 lines.
//   1. Scrolling line by line from the top to the bottom (WM_VSCROLL
//      SB_LINEDOWN), every step painted: time per step.
//   2. Dragging the thumb across the whole list in 200 mouse moves, every
//      move painted: time per move.
//   3. A soak of hover, scroll and drop-down cycles over the list, the
//      edits and the mode box: the census of GDI and USER objects after a
//      warm-up against the one after the cycles.
//   bench_scroll_win [lines] [soak cycles]
#include "SkinBench.h"
#include "app/Unit_main.h"
#include "skin/controls/EditPainters.h"
#include "skin/controls/ScrollPainters.h"
#include "skin/controls/SkinManager.h"
#include "skin/form/WinSkinForm.h"
#include "support/ObjectCensus.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using benchutil::Median;
using benchutil::Pump;
using benchutil::StartMainWindow;
using benchutil::WaitForEngine;

using Clock = std::chrono::steady_clock;

// Paints whatever waits in the form: the list and its overlays.
void PaintNow(HWND form) {
  RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

double LineScroll(HWND list, HWND form) {
  SendMessageW(list, LB_SETTOPINDEX, 0, 0);
  PaintNow(form);
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  int steps = 0;
  const auto start = Clock::now();
  for (int last = -1; steps < count; ++steps) {
    SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
    PaintNow(form);
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    if (top == last) break;
    last = top;
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return seconds / std::max(steps, 1);
}

// One move of the drag each time the helper window gets its message, so
// every move is painted before the next one comes.
struct TDrag {
  HWND List = nullptr, Form = nullptr;
  POINT From{};
  int Moves = 200, Length = 0, Done = 0;
};
TDrag* gDrag = nullptr;
constexpr UINT kStep = WM_APP + 7;

LRESULT CALLBACK DragProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kStep || !gDrag) return DefWindowProcW(wnd, msg, wParam, lParam);
  TDrag& d = *gDrag;
  PaintNow(d.Form);
  POINT p{d.From.x, d.From.y + MulDiv(d.Length, d.Done, d.Moves)};
  SetCursorPos(p.x, p.y);
  ScreenToClient(d.List, &p);
  if (d.Done < d.Moves) {
    PostMessageW(d.List, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    ++d.Done;
    PostMessageW(wnd, kStep, 0, 0);
  } else {
    PostMessageW(d.List, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  return 0;
}

double ThumbDrag(HWND list, HWND form, TWScrollbar* overlay, HWND helper) {
  SendMessageW(list, LB_SETTOPINDEX, 0, 0);
  PaintNow(form);
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(list, OBJID_VSCROLL, &sbi);
  TDrag d;
  d.List = list;
  d.Form = form;
  d.From = {sbi.rcScrollBar.left + 8,
            sbi.rcScrollBar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2};
  d.Length = (sbi.rcScrollBar.bottom - sbi.rcScrollBar.top) - sbi.xyThumbBottom;
  gDrag = &d;
  SetCursorPos(d.From.x, d.From.y);
  PostMessageW(helper, kStep, 0, 0);
  const auto start = Clock::now();
  if (overlay) {
    POINT o = d.From;
    ScreenToClient(overlay->Handle(), &o);
    SendMessageW(overlay->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(o.x, o.y));
  } else {
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(d.From.x, d.From.y));
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  gDrag = nullptr;
  Pump();
  if (d.Done != d.Moves) std::printf("  (the drag ended after %d moves)\n", d.Done);
  return seconds / d.Moves;
}

// Hover, scroll and drop-down over the main window's controls.
void SoakCycle(TForm_main* f, TWScrollbar* bar, HWND combo, int i) {
  const int length = bar->BarLength;
  SendMessageW(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(8, (i * 7) % std::max(length, 1)));
  SendMessageW(bar->Handle(), WM_MOUSELEAVE, 0, 0);
  HWND list = f->ListBox1->Handle();
  SendMessageW(list, WM_VSCROLL, (i / 50) % 2 ? SB_LINEUP : SB_LINEDOWN, 0);
  SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, i % 2 ? WHEEL_DELTA : -WHEEL_DELTA), 0);
  RECT c;
  GetClientRect(combo, &c);
  SendMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(c.right - 5, c.bottom / 2));
  SendMessageW(combo, CM_MOUSELEAVE, 0, 0);
  for (TEdit* e : {f->Edit1, f->Edit2}) {
    SendMessageW(e->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    InvalidateRect(e->Handle(), nullptr, TRUE);
  }
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  PaintNow(f->Handle());
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  PaintNow(f->Handle());
  Pump();
}

} // namespace

int main(int argc, char** argv) {
  const int lines = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int cycles = argc > 2 ? std::atoi(argv[2]) : 10000;
  StartMainWindow();
  TWinSkinForm* engine = WaitForEngine(Form_main->Handle());
  TSkinScrollbar* painter = nullptr;
  if (engine)
    for (TSkinControl* p : engine->Painters)
      if (p->Control == Form_main->ListBox1) painter = As<TSkinScrollbar>(p);
  if (!painter) {
    std::printf("the main window was not skinned\n");
    return 1;
  }

  // The twin: the same list in a form that is never skinned.
  auto twinForm = std::make_unique<TForm>(nullptr);
  twinForm->SetTag(99);
  twinForm->SetBounds(40, 500, 700, 300);
  auto* twin = new TListBox(twinForm.get());
  twin->SetParent(twinForm.get());
  twin->SetBounds(8, 8, Form_main->ListBox1->Width(), Form_main->ListBox1->Height());
  twin->Font().Assign(Form_main->ListBox1->Font());
  twin->SetItemHeight(Form_main->ListBox1->ItemHeight());
  twinForm->Show();
  std::vector<std::wstring> items;
  for (int i = 0; i < lines; ++i)
    items.push_back(L"C:\\Users\\照片\\2026\\假期\\IMG_" + std::to_wstring(100000 + i) + L".JPG");
  for (TListBox* l : {static_cast<TListBox*>(Form_main->ListBox1), twin}) {
    l->Items().BeginUpdate();
    for (const auto& s : items)
      l->Items().Add(s);
    l->Items().EndUpdate();
  }
  Pump();
  HWND skinned = Form_main->ListBox1->Handle(), plain = twin->Handle();
  HWND skinnedForm = Form_main->Handle(), plainForm = twinForm->Handle();

  WNDCLASSW wc{};
  wc.lpfnWndProc = DragProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ScrollBenchDrag";
  RegisterClassW(&wc);
  HWND helper = CreateWindowW(L"ScrollBenchDrag", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);

  // One pass from top to bottom each (10,000 steps is sample enough), the
  // short drags three times, alternating.
  const double lp = LineScroll(plain, plainForm), ls = LineScroll(skinned, skinnedForm);
  std::vector<double> dragSkinned, dragPlain;
  for (int r = 0; r < 3; ++r) {
    dragPlain.push_back(ThumbDrag(plain, plainForm, nullptr, helper));
    dragSkinned.push_back(ThumbDrag(skinned, skinnedForm, painter->VertBar, helper));
  }
  const double ds = Median(dragSkinned), dp = Median(dragPlain);
  std::printf("lines: %d\n", lines);
  std::printf("line scroll, per step: skinned %.1f us, unskinned %.1f us, ratio %.2f (goal 1.5)\n",
              ls * 1e6, lp * 1e6, ls / lp);
  std::printf("thumb drag, per move:  skinned %.1f us, unskinned %.1f us, ratio %.2f (goal 1.5)\n",
              ds * 1e6, dp * 1e6, ds / dp);

  if (cycles > 0) {
    HWND combo = Form_main->ComboBox1->Handle();
    for (int i = 0; i < 100; ++i) // warm-up: caches, fonts, the list's first showing
      SoakCycle(Form_main, painter->VertBar, combo, i);
    const auto before = testutil::TObjectCensus::Take();
    const auto start = Clock::now();
    for (int i = 0; i < cycles; ++i)
      SoakCycle(Form_main, painter->VertBar, combo, i);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const auto after = testutil::TObjectCensus::Take();
    std::printf("soak: %d hover, scroll and drop-down cycles in %.1f s: objects %s "
                "(gdi %d, windows %d, menus %d before)\n",
                cycles, seconds, before.DifferenceTo(after).c_str(), before.GdiTotal(),
                before.Windows, before.Menus);
  }
  DestroyWindow(helper);
  twinForm.reset();
  DoneFramework();
  DoneSkinEngine();
  return 0;
}
