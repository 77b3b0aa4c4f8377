#include "support/DropFiles.h"

#include "support/WinTestUtil.h"

#include <shlobj.h>

#include <cstring>

namespace testutil {

HDROP MakeDropBytes(const std::string& bytes) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(mem), bytes.data(), bytes.size());
  GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

std::string DropHeader(DWORD filesOffset, BOOL wide) {
  DROPFILES header{};
  header.pFiles = filesOffset;
  header.fWide = wide;
  return std::string(reinterpret_cast<const char*>(&header), sizeof header);
}

std::string DropNames(const std::vector<std::wstring>& paths, bool wide) {
  std::string bytes;
  auto add = [&](const std::wstring& p) {
    if (wide)
      bytes.append(reinterpret_cast<const char*>(p.c_str()), (p.size() + 1) * sizeof(wchar_t));
    else
      bytes += Narrow(p, CP_ACP) + '\0';
  };
  for (const auto& p : paths)
    add(p);
  add(L"");
  return bytes;
}

HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  return MakeDropBytes(DropHeader(sizeof(DROPFILES), TRUE) + DropNames(paths, true));
}

HDROP MakeAnsiDrop(const std::vector<std::string>& paths) {
  std::string bytes = DropHeader(sizeof(DROPFILES), FALSE);
  for (const auto& p : paths)
    bytes += p + '\0';
  return MakeDropBytes(bytes + '\0');
}

} // namespace testutil
