// The code page of the running Windows system.
#include "core/CodePage.h"

#include <windows.h>

namespace {

class TCodePageWin32 final : public ICodePage {
public:
  bool IsLeadByte(unsigned char b) const override { return IsDBCSLeadByteEx(CP_ACP, b) != 0; }

  // Upper-cases by characters: runs of 7-bit bytes at once, every other
  // character on its own. A character whose upper-case form has another
  // byte length in the code page (a pinyin vowel of GBK, say) is kept as it
  // is, so the copy stays aligned with the original byte by byte.
  void UpperBuff(char* buf, std::size_t len) const override {
    std::size_t i = 0;
    while (i < len) {
      std::size_t run = i;
      while (run < len && static_cast<unsigned char>(buf[run]) < 0x80) ++run;
      if (run > i) {
        CharUpperBuffA(buf + i, static_cast<DWORD>(run - i));
        i = run;
        continue;
      }
      bool lead = IsLeadByte(static_cast<unsigned char>(buf[i]));
      if (lead && i + 1 == len) break; // half a character has no case
      std::size_t n = lead ? 2 : 1;
      char one[2] = {buf[i], n == 2 ? buf[i + 1] : '\0'};
      if (CharUpperBuffA(one, static_cast<DWORD>(n)) == n && SameLength(one, n)) {
        buf[i] = one[0];
        if (n == 2) buf[i + 1] = one[1];
      }
      i += n;
    }
  }

  bool LocaleEqual(const char* a, const char* b, std::size_t len) const override {
    return CompareStringA(LOCALE_USER_DEFAULT, 0, a, static_cast<int>(len), b,
                          static_cast<int>(len)) == CSTR_EQUAL;
  }

private:
  // The converted character must still be one character of n bytes.
  bool SameLength(const char* c, std::size_t n) const {
    bool lead = IsLeadByte(static_cast<unsigned char>(c[0]));
    return n == 2 ? lead : !lead;
  }
};

} // namespace

const ICodePage& SystemCodePage() {
  static const TCodePageWin32 system;
  return system;
}
