// Menus of a skinned form against the system's, in the same run.
//   1. A drop-down of 30 items opened from the menu bar by a click, to the
//      moment its last item is drawn: a form skinned with the program's
//      skin against the same menu in a form that is never skinned.
//   2. A soak: openings and closings of the drop-down, an edit's context
//      menu and the system menu of the skinned form; the census of GDI and
//      USER objects after a warm-up against the one after the soak.
//   bench_menu_win [rounds] [soak cycles]
#include "SkinBench.h"
#include "app/Unit_main.h"
#include "fw/Edit.h"
#include "skin/controls/SkinManager.h"
#include "skin/form/MenuBar.h"
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
constexpr int kItems = 30;

// A form with a main menu: "&File" drops down kItems items, "&Edit" three.
struct TMenuForm {
  std::unique_ptr<TForm> Form;
  TMainMenu* Menu = nullptr;
  TEdit* Edit = nullptr;
  UINT LastCommand = 0;

  TMenuForm(int tag, int top) {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetTag(tag);
    Form->SetBounds(40, top, 420, 300);
    Form->SetCaption(tag ? L"Plain" : L"Skinned");
    Menu = new TMainMenu(Form.get());
    auto add = [this](TMenuItem& parent, const std::wstring& caption) {
      auto* item = new TMenuItem(Form.get());
      item->SetCaption(caption);
      parent.Add(item);
      return item;
    };
    TMenuItem* file = add(Menu->Items(), L"&File");
    for (int i = 0; i < kItems; ++i)
      LastCommand = add(*file, L"Item number " + std::to_wstring(i + 1))->Command();
    TMenuItem* edit = add(Menu->Items(), L"&Edit");
    for (const wchar_t* c : {L"Cu&t", L"&Copy", L"&Paste"})
      add(*edit, c);
    Form->SetMenu(Menu);
    Edit = new TEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 200, 22);
    Edit->SetText(L"some text to select");
    Form->Show();
    Pump();
  }
};

// The open menu is timed from inside its own loop: the first message the
// loop filters (or its first idle moment) has every menu window paint now,
// and the clock stops.
struct TOpening {
  Clock::time_point Start, Shown;
  bool Seen = false;
  bool LastDrawn = false; // the drop-down's last owner-drawn item was drawn
  UINT LastCommand = 0;
  HHOOK Filter = nullptr, Calls = nullptr;
};
TOpening gOpen;

void PaintMenuWindows() {
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr))
    if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
      UpdateWindow(w);
}

bool MenuShown() {
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr))
    if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
      return true;
  return false;
}

void StopOnceShown() {
  if (gOpen.Seen || !MenuShown()) return;
  PaintMenuWindows();
  gOpen.Shown = Clock::now();
  gOpen.Seen = true;
  EndMenu();
}

LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_MENU) StopOnceShown();
  return CallNextHookEx(gOpen.Filter, code, wParam, lParam);
}

LRESULT CALLBACK CallProc(int code, WPARAM wParam, LPARAM lParam) {
  const auto* c = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && c->message == WM_DRAWITEM) {
    const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(c->lParam);
    if (di->CtlType == ODT_MENU && di->itemID == gOpen.LastCommand) gOpen.LastDrawn = true;
  }
  // A loop with nothing to do says so: a menu that no message follows is
  // seen there.
  if (code == HC_ACTION && c->message == WM_ENTERIDLE && c->wParam == MSGF_MENU) StopOnceShown();
  return CallNextHookEx(gOpen.Calls, code, wParam, lParam);
}

// Opens a menu with open (which returns once it has closed); the time to
// its first painted showing, or a negative number when it never showed.
template <class F> double TimeOpening(F open, UINT lastCommand = 0) {
  gOpen = {};
  gOpen.LastCommand = lastCommand;
  gOpen.Filter = SetWindowsHookExW(WH_MSGFILTER, FilterProc, nullptr, GetCurrentThreadId());
  gOpen.Calls = SetWindowsHookExW(WH_CALLWNDPROC, CallProc, nullptr, GetCurrentThreadId());
  gOpen.Start = Clock::now();
  open();
  UnhookWindowsHookEx(gOpen.Filter);
  UnhookWindowsHookEx(gOpen.Calls);
  Pump();
  if (!gOpen.Seen) return -1;
  return std::chrono::duration<double>(gOpen.Shown - gOpen.Start).count();
}

void ClickSkinnedBar(TWinSkinForm* engine) {
  const RECT b = engine->MenuBar->Buttons[0]->Bounds;
  RECT w;
  GetWindowRect(engine->Handle, &w);
  const POINT at{w.left + (b.left + b.right) / 2, w.top + (b.top + b.bottom) / 2};
  SendMessageW(engine->Handle, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
}

void ClickPlainBar(HWND wnd) {
  RECT r{};
  GetMenuItemRect(wnd, GetMenu(wnd), 0, &r);
  const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  SetCursorPos(at.x, at.y);
  SendMessageW(wnd, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
}

void OpenContextMenu(HWND edit) {
  RECT r;
  GetWindowRect(edit, &r);
  SendMessageW(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit),
               MAKELPARAM(r.left + 20, r.bottom + 5));
}

void OpenSystemMenu(TWinSkinForm* engine) {
  RECT w;
  GetWindowRect(engine->Handle, &w);
  engine->LastSysMenuTick = 0; // each opening is a first one, never a double click
  SendMessageW(engine->Handle, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 60, w.top + 10));
}

} // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 21;
  const int cycles = argc > 2 ? std::atoi(argv[2]) : 2000;
  StartMainWindow();
  if (!WaitForEngine(Form_main->Handle())) {
    std::printf("the main window was not skinned\n");
    return 1;
  }
  SetCursorPos(5, 1000); // nothing of either form under the pointer

  TMenuForm skinned(0, 60), plain(99, 420);
  TWinSkinForm* engine = WaitForEngine(skinned.Form->Handle());
  if (!engine || !engine->MenuBar || engine->MenuBar->Buttons.empty()) {
    std::printf("the menu form was not skinned with a menu bar\n");
    return 1;
  }
  HWND plainWnd = plain.Form->Handle();

  std::vector<double> timesSkinned, timesPlain;
  int missed = 0, undrawn = 0;
  for (int r = 0; r < rounds; ++r) {
    const double p = TimeOpening([&] { ClickPlainBar(plainWnd); });
    SetCursorPos(5, 1000);
    const double s = TimeOpening([&] { ClickSkinnedBar(engine); }, skinned.LastCommand);
    if (!gOpen.LastDrawn) ++undrawn;
    if (p < 0 || s < 0) {
      ++missed;
      continue;
    }
    if (r == 0) continue; // the first openings fill caches
    timesPlain.push_back(p);
    timesSkinned.push_back(s);
  }
  if (timesSkinned.empty()) {
    std::printf("no drop-down showed (%d missed)\n", missed);
    return 1;
  }
  const double s = Median(timesSkinned), p = Median(timesPlain);
  std::printf("drop-down of %d items, click to last item drawn (median of %zu):\n", kItems,
              timesSkinned.size());
  std::printf("  skinned %.2f ms, unskinned %.2f ms, ratio %.2f (goal 2)\n", s * 1e3, p * 1e3,
              s / p);
  if (missed || undrawn)
    std::printf("  (%d openings did not show, %d skinned ones did not draw their last item)\n",
                missed, undrawn);

  if (cycles > 0) {
    HWND edit = skinned.Edit->Handle();
    int shown = 0;
    double spent[3] = {0, 0, 0}; // whole openings and closings, by kind
    auto once = [&](int kind, auto open) {
      const auto t = Clock::now();
      shown += TimeOpening(open) >= 0;
      spent[kind] += std::chrono::duration<double>(Clock::now() - t).count();
    };
    auto cycle = [&] {
      once(0, [&] { ClickSkinnedBar(engine); });
      once(1, [&] { OpenContextMenu(edit); });
      once(2, [&] { OpenSystemMenu(engine); });
    };
    for (int i = 0; i < 20; ++i) // warm-up: fonts, glyphs, the menus' first showing
      cycle();
    shown = 0;
    std::fill(std::begin(spent), std::end(spent), 0.0);
    const auto before = testutil::TObjectCensus::Take();
    const auto start = Clock::now();
    for (int i = 0; i < cycles; ++i)
      cycle();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const auto after = testutil::TObjectCensus::Take();
    std::printf("soak: %d cycles of drop-down, context menu and system menu (%d of %d shown) in "
                "%.1f s: objects %s (gdi %d, windows %d, menus %d before)\n",
                cycles, shown, 3 * cycles, seconds, before.DifferenceTo(after).c_str(),
                before.GdiTotal(), before.Windows, before.Menus);
    std::printf("  per opening and closing: drop-down %.1f ms, context menu %.1f ms, system menu "
                "%.1f ms\n",
                spent[0] * 1e3 / cycles, spent[1] * 1e3 / cycles, spent[2] * 1e3 / cycles);
  }
  plain.Form.reset();
  skinned.Form.reset();
  DoneFramework();
  DoneSkinEngine();
  return 0;
}
