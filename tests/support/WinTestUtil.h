#pragma once
// Helpers for tests that run on Windows (under Wine): a temporary folder that
// removes itself, files on disk, and running a program with its output.

#include <windows.h>

#include <string>
#include <vector>

namespace testutil {

std::wstring Widen(const std::string& s, UINT cp = CP_UTF8);
std::string Narrow(const std::wstring& w, UINT cp = CP_UTF8);

// A fresh folder under the system's temporary folder, removed with all its
// contents when the object goes.
class TTempDir {
public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  // The folder with a trailing backslash.
  const std::wstring& Path() const { return FPath; }
  std::wstring operator/(const std::wstring& name) const { return FPath + name; }

private:
  std::wstring FPath;
};

void RemoveTree(const std::wstring& path);
bool MakeFile(const std::wstring& path, const std::string& content = "x");
std::string ReadFileBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
bool IsFolder(const std::wstring& path);
// The names in a folder, sorted.
std::vector<std::wstring> ListFolder(const std::wstring& folder);

struct TProcessResult {
  DWORD ExitCode = 0;
  std::string Out; // standard output, bytes as written
  std::string Err;
};
// Runs a command line and waits; fails the test when it cannot start.
TProcessResult RunProcess(const std::wstring& commandLine);

// The folder of the running test program, with a trailing backslash.
std::wstring ExeFolder();

// Moves the mouse pointer and waits until the system reports it there,
// dropping the mouse messages the move itself caused (under Wine they may
// arrive late, still carrying the old position).
void PlacePointer(POINT screen);

} // namespace testutil
