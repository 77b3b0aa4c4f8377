#include "support/WinTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace testutil {

std::wstring Widen(const std::string& s, UINT cp) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& w, UINT cp) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

TTempDir::TTempDir() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    FPath = std::wstring(base) + L"brtest" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++counter);
    if (CreateDirectoryW(FPath.c_str(), nullptr)) break;
  }
  FPath += L"\\";
}

TTempDir::~TTempDir() {
  RemoveTree(FPath.substr(0, FPath.size() - 1));
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = path + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(full);
      else
        DeleteFileW(full.c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(path.c_str());
}

bool MakeFile(const std::wstring& path, const std::string& content) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(h);
  return written == content.size();
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE h =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string data;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
    data.append(buf, got);
  CloseHandle(h);
  return data;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> ListFolder(const std::wstring& folder) {
  std::vector<std::wstring> names;
  std::wstring f = folder;
  if (!f.empty() && f.back() == L'\\') f.pop_back();
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((f + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = fd.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

namespace {

// Reads a pipe to its end on a thread of its own, so a full pipe never
// blocks the child.
class TPipeReader {
public:
  TPipeReader() {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    CreatePipe(&FRead, &FWrite, &sa, 0);
    SetHandleInformation(FRead, HANDLE_FLAG_INHERIT, 0);
  }
  HANDLE WriteEnd() const { return FWrite; }
  void Start() {
    CloseHandle(FWrite);
    FWrite = nullptr;
    FThread = std::thread([this] {
      char buf[4096];
      DWORD got = 0;
      while (ReadFile(FRead, buf, sizeof buf, &got, nullptr) && got > 0)
        FData.append(buf, got);
    });
  }
  std::string Finish() {
    if (FThread.joinable()) FThread.join();
    return FData;
  }
  ~TPipeReader() {
    if (FThread.joinable()) FThread.join();
    if (FWrite) CloseHandle(FWrite);
    CloseHandle(FRead);
  }

private:
  HANDLE FRead = nullptr, FWrite = nullptr;
  std::thread FThread;
  std::string FData;
};

} // namespace

TProcessResult RunProcess(const std::wstring& commandLine) {
  TProcessResult result;
  TPipeReader out, err;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = out.WriteEnd();
  si.hStdError = err.WriteEnd();
  PROCESS_INFORMATION pi{};
  std::wstring cmd = commandLine;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "cannot start " << Narrow(commandLine);
    return result;
  }
  out.Start();
  err.Start();
  WaitForSingleObject(pi.hProcess, INFINITE);
  GetExitCodeProcess(pi.hProcess, &result.ExitCode);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  result.Out = out.Finish();
  result.Err = err.Finish();
  return result;
}

void PlacePointer(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  for (int quiet = 0, round = 0; quiet < 3 && round < 200; ++round) {
    MSG m;
    bool dropped = false;
    for (UINT first : {UINT(WM_MOUSEFIRST), UINT(WM_NCMOUSEMOVE), UINT(WM_MOUSELEAVE)}) {
      const UINT last = first == WM_MOUSEFIRST ? WM_MOUSELAST : first;
      while (PeekMessageW(&m, nullptr, first, last, PM_REMOVE))
        dropped = true;
    }
    POINT now;
    GetCursorPos(&now);
    quiet = !dropped && now.x == screen.x && now.y == screen.y ? quiet + 1 : 0;
    Sleep(5);
  }
}

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L"\\/") + 1);
}

} // namespace testutil
