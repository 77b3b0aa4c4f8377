#include "ManagerTestUtil.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace enginetest {

TSkinManage* Manager() {
  TSkinManage* m = SkinManagerObject();
  EXPECT_NE(m, nullptr) << "no skin manager: make a TSkinnedForm first";
  return m;
}

TManagerEnabled::TManagerEnabled(bool on) : FOld(Manager()->Enabled()) {
  Manager()->SetEnabled(on);
}

TManagerEnabled::~TManagerEnabled() {
  Manager()->SetEnabled(FOld);
}

TSkinDataListScope::TSkinDataListScope()
    : FList(Manager()->SkinDatas), FMain(Manager()->MainSkinData) {}

TSkinDataListScope::~TSkinDataListScope() {
  Manager()->SkinDatas = FList;
  Manager()->MainSkinData = FMain;
}

const wchar_t* TestWindowClass(const wchar_t* name, WNDPROC proc, HBRUSH background) {
  static std::map<std::wstring, std::wstring> registered;
  auto it = registered.find(name);
  if (it != registered.end()) return it->second.c_str();
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  if (!RegisterClassW(&wc)) ADD_FAILURE() << "cannot register a test window class";
  return registered.emplace(name, name).first->second.c_str();
}

TTestWindow::TTestWindow(const wchar_t* className, DWORD style, DWORD exStyle, RECT bounds,
                         HWND parent, HINSTANCE instance, void* createParam) {
  TManagerEnabled off(false);
  Wnd = CreateWindowExW(exStyle, className, L"Test window", style, bounds.left, bounds.top,
                        bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                        instance ? instance : GetModuleHandleW(nullptr), createParam);
  EXPECT_NE(Wnd, nullptr);
  Pump();
}

TTestWindow::~TTestWindow() {
  DestroyQuietly(Wnd);
}

void DestroyQuietly(HWND wnd) {
  TManagerEnabled off(false);
  if (wnd && IsWindow(wnd)) DestroyWindow(wnd);
  Pump();
  Manager()->PurgeFormEngines();
}

bool InitFormWaiting(HWND wnd) {
  MSG m;
  return PeekMessageW(&m, wnd, SKN_INITFORM, SKN_INITFORM, PM_NOREMOVE) && m.wParam == 0 &&
         m.lParam == SKN_INITFORM_LPARAM;
}

} // namespace enginetest
