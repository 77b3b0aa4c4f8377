#include "support/DropFiles.h"

#include <shlobj.h>

#include <cstring>

namespace testutil {

HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  std::size_t chars = 1; // the final empty string
  for (const auto& p : paths)
    chars += p.size() + 1;
  const std::size_t bytes = sizeof(DROPFILES) + chars * sizeof(wchar_t);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(df) + sizeof(DROPFILES));
  for (const auto& p : paths) {
    std::memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
    out += p.size() + 1;
  }
  *out = L'\0';
  GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

} // namespace testutil
