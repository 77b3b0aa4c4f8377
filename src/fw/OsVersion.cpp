#include "fw/OsVersion.h"

#include <windows.h>

namespace {

const TOsVersion* gOverride = nullptr;

TOsVersion ReadSystemVersion() {
  // The high bit of GetVersion tells the 9x family; the low word holds the
  // major version in its low byte and the minor one in its high byte.
  const DWORD v = GetVersion();
  TOsVersion r;
  r.NTFamily = (v & 0x80000000u) == 0;
  r.Major = static_cast<int>(LOBYTE(LOWORD(v)));
  r.Minor = static_cast<int>(HIBYTE(LOWORD(v)));
  return r;
}

} // namespace

const TOsVersion& SystemOsVersion() {
  static const TOsVersion v = ReadSystemVersion();
  return v;
}

const TOsVersion& OsVersion() {
  return gOverride ? *gOverride : SystemOsVersion();
}

TOsVersionOverride::TOsVersionOverride(const TOsVersion& v) : FPrevious(gOverride), FVersion(v) {
  gOverride = &FVersion;
}

TOsVersionOverride::~TOsVersionOverride() {
  gOverride = FPrevious;
}
