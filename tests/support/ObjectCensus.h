#pragma once
// A count of the process's live GDI objects (by kind), windows and menus,
// for soak tests: take one after a warm-up cycle and one after the soak;
// anything leaked makes them differ.
//
// Wine answers GetGuiResources with 0 whatever is alive, so under Wine the
// handle tables are scanned: every GDI object answers GetObjectType for
// the 16-bit index of its handle, every window and menu IsWindow / IsMenu
// for the 16-bit form of its handle. On Windows GetGuiResources is used.
// A thread's first window brings a helper window (the input method's) and
// its last one takes it away: keep a window alive across both counts.

#include <windows.h>

#include <map>
#include <string>

namespace testutil {

struct TObjectCensus {
  std::map<DWORD, int> Gdi; // by GetObjectType (OBJ_BRUSH ...); on Windows one total under 0
  int Windows = 0;          // windows of this process (on Windows: all user objects)
  int Menus = 0;

  static TObjectCensus Take();
  int GdiTotal() const;
  bool operator==(const TObjectCensus&) const = default;
  // "brush +3, window -1": what other has that this one lacks, or "same".
  std::string DifferenceTo(const TObjectCensus& other) const;
};

bool RunningOnWine();

} // namespace testutil
