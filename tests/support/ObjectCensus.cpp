#include "support/ObjectCensus.h"

namespace testutil {

namespace {

const char* GdiKindName(DWORD kind) {
  switch (kind) {
  case 0: return "gdi";
  case OBJ_PEN: return "pen";
  case OBJ_BRUSH: return "brush";
  case OBJ_DC: return "dc";
  case OBJ_METADC: return "metadc";
  case OBJ_PAL: return "palette";
  case OBJ_FONT: return "font";
  case OBJ_BITMAP: return "bitmap";
  case OBJ_REGION: return "region";
  case OBJ_METAFILE: return "metafile";
  case OBJ_MEMDC: return "memdc";
  case OBJ_EXTPEN: return "extpen";
  case OBJ_ENHMETADC: return "enhmetadc";
  case OBJ_ENHMETAFILE: return "enhmetafile";
  case OBJ_COLORSPACE: return "colorspace";
  default: return "gdi?";
  }
}

void Note(std::string& out, const char* what, int delta) {
  if (delta == 0) return;
  if (!out.empty()) out += ", ";
  out += what;
  out += delta > 0 ? " +" : " ";
  out += std::to_string(delta);
}

} // namespace

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

TObjectCensus TObjectCensus::Take() {
  TObjectCensus c;
  if (!RunningOnWine()) {
    c.Gdi[0] = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    c.Windows = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    return c;
  }
  for (UINT_PTR i = 1; i <= 0xFFFF; ++i)
    if (DWORD kind = GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++c.Gdi[kind];
  const DWORD self = GetCurrentProcessId();
  for (UINT_PTR i = 0x20; i <= 0xFFFE; i += 2) {
    if (HWND wnd = reinterpret_cast<HWND>(i); IsWindow(wnd)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(wnd, &pid);
      if (pid == self) ++c.Windows;
    }
    if (IsMenu(reinterpret_cast<HMENU>(i))) ++c.Menus;
  }
  return c;
}

int TObjectCensus::GdiTotal() const {
  int n = 0;
  for (const auto& [kind, count] : Gdi)
    n += count;
  return n;
}

std::string TObjectCensus::DifferenceTo(const TObjectCensus& other) const {
  std::string out;
  std::map<DWORD, int> kinds = Gdi;
  for (const auto& [kind, count] : other.Gdi)
    kinds[kind];
  for (const auto& [kind, count] : kinds) {
    auto mine = Gdi.find(kind), theirs = other.Gdi.find(kind);
    Note(out, GdiKindName(kind),
         (theirs == other.Gdi.end() ? 0 : theirs->second) - (mine == Gdi.end() ? 0 : mine->second));
  }
  Note(out, "window", other.Windows - Windows);
  Note(out, "menu", other.Menus - Menus);
  return out.empty() ? "same" : out;
}

} // namespace testutil
