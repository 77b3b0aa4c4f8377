#include "core/CodePage.h"

#include <cstring>

namespace {

struct DoubleByteCaseRange {
  unsigned short FirstLower, LastLower;
  int Delta; // added to the lower-case code to get the upper-case one
};

// Double-byte letters of GBK whose upper-case partner is in GBK too.
constexpr DoubleByteCaseRange kCaseRanges[] = {
    {0xA2A1, 0xA2AA, 0x50},  // small Roman numerals i..x -> I..X
    {0xA3E1, 0xA3FA, -0x20}, // full-width a..z -> A..Z
    {0xA6C1, 0xA6D8, -0x20}, // Greek alpha..omega
    {0xA7D1, 0xA7F1, -0x30}, // Cyrillic a..ya (with yo)
};

} // namespace

bool TCodePage936Model::IsLeadByte(unsigned char b) const { return b >= 0x81 && b <= 0xFE; }

void TCodePage936Model::UpperBuff(char* buf, std::size_t len) const {
  std::size_t i = 0;
  while (i < len) {
    auto b = static_cast<unsigned char>(buf[i]);
    if (IsLeadByte(b) && i + 1 < len) {
      unsigned code = (b << 8) | static_cast<unsigned char>(buf[i + 1]);
      for (const auto& r : kCaseRanges) {
        if (code >= r.FirstLower && code <= r.LastLower) {
          code = static_cast<unsigned>(static_cast<int>(code) + r.Delta);
          buf[i] = static_cast<char>(code >> 8);
          buf[i + 1] = static_cast<char>(code & 0xFF);
          break;
        }
      }
      i += 2;
      continue;
    }
    if (b >= 'a' && b <= 'z') buf[i] = static_cast<char>(b - 32);
    ++i;
  }
}

bool TCodePage936Model::LocaleEqual(const char* a, const char* b, std::size_t len) const {
  return std::memcmp(a, b, len) == 0;
}

#ifndef _WIN32
const ICodePage& SystemCodePage() {
  static const TCodePage936Model model;
  return model;
}
#endif

std::size_t CharLenAt(const ICodePage& cp, std::string_view s, std::size_t i) {
  if (i + 1 < s.size() && cp.IsLeadByte(static_cast<unsigned char>(s[i]))) return 2;
  return 1;
}

bool IsTrailByteAt(const ICodePage& cp, std::string_view s, std::size_t i) {
  std::size_t p = 0;
  while (p < i) p += CharLenAt(cp, s, p);
  return p > i;
}

std::string UpperCopy(const ICodePage& cp, std::string_view s) {
  std::string u(s);
  if (!u.empty()) cp.UpperBuff(u.data(), u.size());
  return u;
}
