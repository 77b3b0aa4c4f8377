// Renaming 10,000 files with the batchren tool against a plain MoveFileA
// loop over the same files, in the same run, under the same system.
//   bench_rename_win [path\to\batchren.exe] [file count]
#include "BenchUtil.h"
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using benchutil::Median;

using Clock = std::chrono::steady_clock;

std::string TempFolder() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string dir = std::string(base) + "brbench" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + "\\";
}

double RunTool(const std::string& tool, const std::string& listFile, const char* prefix) {
  std::string cmd = "\"" + tool + "\" --list \"" + listFile + "\" 0 " + prefix + " -";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
  si.hStdOutput = si.hStdError = nul;
  PROCESS_INFORMATION pi{};
  auto start = Clock::now();
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("cannot start %s\n", tool.c_str());
    std::exit(1);
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  CloseHandle(nul);
  return seconds;
}

void WriteList(const std::string& file, const std::vector<std::string>& paths) {
  FILE* f = std::fopen(file.c_str(), "wb");
  for (const auto& p : paths)
    std::fprintf(f, "%s\n", p.c_str());
  std::fclose(f);
}

} // namespace

int main(int argc, char** argv) {
  std::string tool = argc > 1 ? argv[1] : "tools\\batchren.exe";
  int count = argc > 2 ? std::atoi(argv[2]) : 10000;
  std::string dir = TempFolder();
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "f%05d.txt", i);
    names.push_back(name);
    HANDLE h = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    CloseHandle(h);
  }
  std::string current; // prefix the files carry now
  std::vector<double> loopTimes, toolTimes;
  const int rounds = 3;
  for (int r = 0; r < rounds; ++r) {
    // Plain loop: add the prefix "a".
    auto start = Clock::now();
    for (const auto& n : names)
      MoveFileA((dir + current + n).c_str(), (dir + "a" + current + n).c_str());
    loopTimes.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    current = "a" + current;
    // The tool: add the prefix "b" to the same files.
    std::vector<std::string> paths;
    for (const auto& n : names)
      paths.push_back(dir + current + n);
    std::string listFile = dir + "..\\brbench.lst";
    WriteList(listFile, paths);
    toolTimes.push_back(RunTool(tool, listFile, "b"));
    current = "b" + current;
    DeleteFileA(listFile.c_str());
  }
  int left = 0;
  for (const auto& n : names)
    left += DeleteFileA((dir + current + n).c_str()) ? 1 : 0;
  RemoveDirectoryA(dir.c_str());
  double loop = Median(loopTimes), viaTool = Median(toolTimes);
  std::printf("files: %d (all renamed by both: %s)\n", count, left == count ? "yes" : "no");
  std::printf("MoveFileA loop: %.3f s (median of %d)\n", loop, rounds);
  std::printf("batchren tool:  %.3f s (median of %d, process start included)\n", viaTool, rounds);
  std::printf("ratio tool/loop: %.3f\n", viaTool / loop);
  return left == count ? 0 : 1;
}
