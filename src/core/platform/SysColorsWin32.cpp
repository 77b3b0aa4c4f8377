// System colours of the running Windows system.
#include "core/Color.h"

#include <windows.h>

namespace {

class TWin32SysColors final : public ISysColors {
public:
  TColor Get(int index) const override { return GetSysColor(index) & 0xFFFFFF; }
};

} // namespace

const ISysColors& SystemColors() {
  static const TWin32SysColors colors;
  return colors;
}
