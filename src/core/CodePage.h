#pragma once
// The few things the ANSI text routines need from the platform: which bytes
// start a double-byte character, how a buffer is upper-cased, and how the
// locale compares two equally long texts. The program was made for code
// page 936 (GBK); native tests use a portable model of it.

#include <cstddef>
#include <string>
#include <string_view>

class ICodePage {
public:
  virtual ~ICodePage() = default;
  // True when the byte starts a double-byte character.
  virtual bool IsLeadByte(unsigned char b) const = 0;
  // Upper-cases len bytes in place; never changes the byte length, so
  // positions in the copy are positions in the original.
  virtual void UpperBuff(char* buf, std::size_t len) const = 0;
  // The locale comparison of two texts of the same length, no flags.
  virtual bool LocaleEqual(const char* a, const char* b, std::size_t len) const = 0;
};

// Portable model of Windows code page 936 (GBK): lead bytes 0x81..0xFE, and
// the upper-casing that Windows applies to the letters GBK holds in both
// cases (ASCII, full-width Latin, Greek, Cyrillic, small Roman numerals).
class TCodePage936Model final : public ICodePage {
public:
  bool IsLeadByte(unsigned char b) const override;
  void UpperBuff(char* buf, std::size_t len) const override;
  bool LocaleEqual(const char* a, const char* b, std::size_t len) const override;
};

// The code page of the running system: the Win32 one on Windows, the model
// elsewhere.
const ICodePage& SystemCodePage();

// Length in bytes of the character that starts at byte i (1 or 2; 1 for a
// lead byte that is the last byte of the text).
std::size_t CharLenAt(const ICodePage& cp, std::string_view s, std::size_t i);

// True when byte i is the second byte of a double-byte character, judged by
// walking the text from its start.
bool IsTrailByteAt(const ICodePage& cp, std::string_view s, std::size_t i);

// Upper-cased copy of s, same length.
std::string UpperCopy(const ICodePage& cp, std::string_view s);
