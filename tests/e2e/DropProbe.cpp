// Looks at the running program's main window from another process, for the
// end-to-end drag test that is driven from the X11 side.
//   drop_probe list-rect SECONDS   waits for the main window and its file
//                                  list, prints "list L T R B" and
//                                  "window L T R B" in screen coordinates
//   drop_probe items COUNT SECONDS waits until the list holds COUNT items,
//                                  prints them (UTF-8), one per line
//   drop_probe close               asks the main window to close
//   drop_probe fill COUNT          adds COUNT made-up paths to the file list
//                                  (for screenshots)
//   drop_probe drop-down           opens the mode box's list
// Exit codes: 0 done, 2 bad usage, 3 the main window is gone, 4 time-out.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kMainCaption[] = L"文件批量更名";

void Print(const std::string& s) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), s.data(), static_cast<DWORD>(s.size()), &written,
            nullptr);
}

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

HWND MainWindow() {
  HWND wnd = FindWindowW(L"TForm_main", kMainCaption);
  return wnd && IsWindowVisible(wnd) ? wnd : nullptr;
}

BOOL CALLBACK FindListBox(HWND child, LPARAM out) {
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  if (lstrcmpW(cls, L"TListBox") != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = child;
  return FALSE;
}

HWND ListBoxOf(HWND main) {
  HWND list = nullptr;
  if (main) EnumChildWindows(main, FindListBox, reinterpret_cast<LPARAM>(&list));
  return list;
}

BOOL CALLBACK FindComboBox(HWND child, LPARAM out) {
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  if (lstrcmpW(cls, L"TComboBox") != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = child;
  return FALSE;
}

std::string RectLine(const char* what, HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return std::string(what) + " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
         std::to_string(r.right) + " " + std::to_string(r.bottom) + "\n";
}

std::vector<std::wstring> Items(HWND list) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    if (length < 0) break;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    items.push_back(text);
  }
  return items;
}

// Polls every 100 ms until ready() holds, the main window goes or time is up.
template <class F> int WaitFor(int seconds, F ready) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  bool seen = false;
  for (;;) {
    HWND main = MainWindow();
    if (main) seen = true;
    if (main && ready(main)) return 0;
    if (seen && !main) return 3;
    if (GetTickCount64() >= end) return seen ? 4 : 3;
    Sleep(100);
  }
}

int ListRect(int seconds) {
  return WaitFor(seconds, [](HWND main) {
    HWND list = ListBoxOf(main);
    if (!list) return false;
    Print(RectLine("list", list) + RectLine("window", main));
    return true;
  });
}

int WaitForItems(int count, int seconds) {
  std::vector<std::wstring> last;
  const int result = WaitFor(seconds, [&](HWND main) {
    HWND list = ListBoxOf(main);
    if (list) last = Items(list);
    return static_cast<int>(last.size()) >= count;
  });
  for (const auto& item : last)
    Print(Utf8(item) + "\n");
  return result;
}

int Fill(int count) {
  HWND list = ListBoxOf(MainWindow());
  if (!list) return 3;
  for (int i = 0; i < count; ++i) {
    const std::wstring path = L"D:\\照片\\2024 春节\\IMG_" + std::to_wstring(20240210 + i) + L".JPG";
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
  }
  return 0;
}

int DropDown() {
  HWND combo = nullptr;
  if (HWND main = MainWindow())
    EnumChildWindows(main, FindComboBox, reinterpret_cast<LPARAM>(&combo));
  if (!combo) return 3;
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  return 0;
}

int Close() {
  HWND main = MainWindow();
  if (!main) return 3;
  PostMessageW(main, WM_CLOSE, 0, 0);
  return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"list-rect" && argc == 3) return ListRect(_wtoi(argv[2]));
  if (command == L"items" && argc == 4) return WaitForItems(_wtoi(argv[2]), _wtoi(argv[3]));
  if (command == L"close" && argc == 2) return Close();
  if (command == L"fill" && argc == 3) return Fill(_wtoi(argv[2]));
  if (command == L"drop-down" && argc == 2) return DropDown();
  Print("usage: drop_probe list-rect SECONDS | items COUNT SECONDS | close | fill COUNT | "
        "drop-down\n");
  return 2;
}
