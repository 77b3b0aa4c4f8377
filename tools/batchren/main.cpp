// batchren: the batch rename from the command line, with exactly the
// semantics of the main window's button. Paths are taken as wide text and
// converted to the ANSI code page, as the shell delivers them to the window.
#include "core/Convert.h"
#include "core/RenameEngine.h"
#include "fw/TextConv.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

const wchar_t kUsage[] =
    L"batchren - rename many files at once, in place\n"
    L"\n"
    L"usage: batchren [--dry-run] [--list FILE] MODE PARAM1 PARAM2 [PATH...]\n"
    L"\n"
    L"MODE  0  put PARAM1 in front of the file name\n"
    L"      1  put PARAM1 after the file name, before the extension\n"
    L"      2  name every file PARAM1 formatted with a running number that\n"
    L"         starts at PARAM2 (\"img%.3d.jpg\" with 7 gives img007.jpg, ...)\n"
    L"      3  replace every PARAM1 in the file name by PARAM2, ignoring case\n"
    L"      4  replace the extension (with its dot) by PARAM1, ignoring case\n"
    L"      any other number renames nothing\n"
    L"\n"
    L"The paths are renamed in the order given (after those of --list FILE, a\n"
    L"UTF-8 text with one path per line). A rename that fails is skipped.\n"
    L"Each path prints one line: old path, new path and ok, failed or\n"
    L"planned (with --dry-run, which touches nothing), separated by tabs.\n"
    L"Mode 2 checks PARAM2 and PARAM1 before renaming anything; a bad value\n"
    L"prints the error and exits with 1. Bad usage exits with 2.\n";

// Writes wide text to a console as it is, and to a pipe or file as UTF-8.
class TOutput {
public:
  explicit TOutput(DWORD which) : FHandle(GetStdHandle(which)) {
    DWORD mode = 0;
    FConsole = GetConsoleMode(FHandle, &mode) != 0;
  }
  void Write(const std::wstring& text) {
    DWORD written = 0;
    if (FConsole) {
      WriteConsoleW(FHandle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      return;
    }
    FBuffer += Narrow(text);
    if (FBuffer.size() > 1 << 16) Flush();
  }
  void Flush() {
    DWORD written = 0;
    if (!FBuffer.empty())
      WriteFile(FHandle, FBuffer.data(), static_cast<DWORD>(FBuffer.size()), &written, nullptr);
    FBuffer.clear();
  }
  ~TOutput() { Flush(); }

private:
  HANDLE FHandle;
  bool FConsole = false;
  std::string FBuffer;
};

class TPathList : public IRenameList {
public:
  int Count() const override { return static_cast<int>(Paths.size()); }
  std::string Item(int i) const override { return Paths[i]; }
  void Clear() override { Paths.clear(); }
  std::vector<std::string> Paths;
};

bool ReadList(const std::wstring& file, std::vector<std::string>& paths) {
  std::ifstream in(file.c_str(), std::ios::binary);
  if (!in) return false;
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    first = false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) paths.push_back(WideToAnsi(Widen(line)));
  }
  return true;
}

int Usage(TOutput& err, const wchar_t* problem) {
  err.Write(std::wstring(L"batchren: ") + problem + L"\n\n" + kUsage);
  return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  TOutput out(STD_OUTPUT_HANDLE), err(STD_ERROR_HANDLE);
  bool dryRun = false;
  TPathList list;
  std::vector<std::wstring> positional;
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    if (a == L"--help" || a == L"-h" || a == L"/?") {
      out.Write(kUsage);
      return 0;
    } else if (a == L"--dry-run" || a == L"-n") {
      dryRun = true;
    } else if (a == L"--list") {
      if (++i >= argc) return Usage(err, L"--list needs a file");
      if (!ReadList(argv[i], list.Paths))
        return Usage(err, (L"cannot read the list " + std::wstring(argv[i])).c_str());
    } else if (a == L"--") {
      for (++i; i < argc; ++i)
        positional.push_back(argv[i]);
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() < 3) return Usage(err, L"MODE, PARAM1 and PARAM2 are needed");
  int mode = 0;
  if (!TryStrToInt(WideToAnsi(positional[0]), mode)) return Usage(err, L"MODE must be a number");
  for (std::size_t i = 3; i < positional.size(); ++i)
    list.Paths.push_back(WideToAnsi(positional[i]));

  auto rename = [&](const std::string& oldPath, const std::string& newPath) {
    const wchar_t* outcome = L"planned";
    if (!dryRun) outcome = MoveFileA(oldPath.c_str(), newPath.c_str()) ? L"ok" : L"failed";
    out.Write(AnsiToWide(oldPath) + L"\t" + AnsiToWide(newPath) + L"\t" + outcome + L"\n");
  };
  try {
    RunRename(SystemCodePage(), mode, WideToAnsi(positional[1]), WideToAnsi(positional[2]), list,
              rename);
  } catch (const EConvertError& e) {
    err.Write(L"batchren: " + ConvertErrorMessage(e) + L"\n");
    return 1;
  }
  return 0;
}
