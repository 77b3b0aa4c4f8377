#include "core/Color.h"

namespace {

// The classic Windows colour scheme, by colour index.
class TClassicSysColors final : public ISysColors {
public:
  TColor Get(int index) const override {
    static const TColor table[] = {
        0xC8C8C8, 0x000000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0,
        0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000,
        0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x800000, 0xC0C0C0};
    if (index < 0 || index >= static_cast<int>(sizeof table / sizeof table[0])) return 0;
    return table[index];
  }
};

} // namespace

#ifndef _WIN32
const ISysColors& SystemColors() {
  static const TClassicSysColors colors;
  return colors;
}
#endif

TColor ColorToRGB(TColor c) {
  if (IsSysColor(c)) return SystemColors().Get(static_cast<int>(c & 0xFF)) & 0xFFFFFF;
  return c & 0xFFFFFF;
}
