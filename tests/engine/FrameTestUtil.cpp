#include "FrameTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace enginetest {

namespace {

const wchar_t* ProbeClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"EngineTestProbe";
    RegisterClassW(&wc);
    return L"EngineTestProbe";
  }();
  return name;
}

bool Noted(UINT msg) {
  switch (msg) {
  case WM_NCMOUSEMOVE:
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONUP:
  case WM_NCLBUTTONDBLCLK:
  case WM_NCRBUTTONDOWN:
  case WM_SYSCOMMAND:
  case SKN_CUSTOMBUTTON:
  case SKN_QUERYBUTTON:
  case SKN_SKINNED:
  case WM_WINDOWPOSCHANGING: return true;
  default: return false;
  }
}

bool Swallowed(UINT msg) {
  switch (msg) {
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONUP:
  case WM_NCLBUTTONDBLCLK:
  case WM_NCRBUTTONDOWN:
  case WM_SYSCOMMAND: return true;
  default: return false;
  }
}

} // namespace

TProbeWindow::TProbeWindow(DWORD style, DWORD exStyle, int width, int height, HWND parent) {
  Wnd = CreateWindowExW(exStyle, ProbeClass(), L"Probe", style, 60, 60, width, height, parent,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(Wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TProbeWindow::Proc));
}

TProbeWindow::~TProbeWindow() {
  if (IsWindow(Wnd)) {
    SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0);
    DestroyWindow(Wnd);
  }
}

std::vector<TProbeMsg> TProbeWindow::Of(UINT message) const {
  std::vector<TProbeMsg> out;
  std::copy_if(Seen.begin(), Seen.end(), std::back_inserter(out),
               [message](const TProbeMsg& m) { return m.Message == message; });
  return out;
}

LRESULT CALLBACK TProbeWindow::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TProbeWindow*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (self && Noted(msg)) self->Seen.push_back({msg, wParam, lParam});
  if (msg == SKN_QUERYBUTTON)
    return self && self->QueryButton ? self->QueryButton(wParam, lParam) : 0;
  if (Swallowed(msg)) return 0;
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

TSkinnedProbe::TSkinnedProbe(const TSkinSpec& spec, DWORD style, DWORD exStyle, int width,
                             int height)
    : Anchor(spec) {
  TSkinManage* m = SkinManagerObject();
  m->SetEnabled(false); // skinned below, not by the activation that showing brings
  Probe = std::make_unique<TProbeWindow>(style | WS_VISIBLE, exStyle, width, height);
  Pump();
  m->SetEnabled(true);
  if (!m->SkinWindow(Probe->Wnd)) return;
  Engine = m->FindFormEngine(Probe->Wnd);
  PumpUntil([this] { return Skinned(); });
  Probe->Seen.clear();
}

TSkinnedProbe::~TSkinnedProbe() {
  Probe.reset();
  if (TSkinManage* m = SkinManagerObject()) m->PurgeFormEngines();
}

POINT ScreenPoint(HWND wnd, int x, int y) {
  RECT w;
  GetWindowRect(wnd, &w);
  return {w.left + x, w.top + y};
}

LPARAM ScreenLParam(HWND wnd, int x, int y) {
  const POINT p = ScreenPoint(wnd, x, y);
  return MAKELPARAM(p.x, p.y);
}

POINT Centre(const RECT& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void RepaintFrame(HWND wnd) {
  SendMessageW(wnd, SKN_REPAINTFRAME, 0, 0);
}

RECT WindowBox(HWND wnd) {
  RECT w;
  GetWindowRect(wnd, &w);
  return {0, 0, w.right - w.left, w.bottom - w.top};
}

bool RegionHolds(HWND wnd, int x, int y) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(wnd, rgn);
  const bool holds = kind == ERROR || PtInRegion(rgn, x, y);
  DeleteObject(rgn);
  return holds;
}

int ButtonIndex(const TWinSkinForm& e, const std::string& section) {
  std::string upper = section;
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (std::size_t i = 0; i < e.SysButtons.size(); ++i)
    if (e.SysButtons[i]->Definition->Name == upper) return static_cast<int>(i);
  return -1;
}

bool TakePosted(HWND wnd, UINT message, MSG& out) {
  return PeekMessageW(&out, wnd, message, message, PM_REMOVE) != 0;
}

void DropPosted(HWND wnd, UINT message) {
  MSG m;
  while (PeekMessageW(&m, wnd, message, message, PM_REMOVE)) {
  }
}

TMenuCloser::TMenuCloser() : FTimer(SetTimer(nullptr, 0, 50, Tick)) {
  FSeen = false;
}

TMenuCloser::~TMenuCloser() {
  KillTimer(nullptr, FTimer);
}

void CALLBACK TMenuCloser::Tick(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM) {
        wchar_t cls[16] = {};
        GetClassNameW(wnd, cls, 16);
        if (std::wstring(cls) == L"#32768" && IsWindowVisible(wnd)) FSeen = true;
        return TRUE;
      },
      0);
  EndMenu();
}

} // namespace enginetest
