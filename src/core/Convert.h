#pragma once
// The framework's conversions of text to numbers and numbers to text, with
// its error texts.

#include "core/CodePage.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// A failed conversion. The message is the framework's text (UTF-8, with one
// "%s") and the argument that goes into it (bytes of the ANSI code page), so
// the user interface can show both correctly.
class EConvertError : public std::runtime_error {
public:
  EConvertError(const char* templateUtf8, std::string argumentAnsi);
  const std::string& Template() const { return FTemplate; }
  const std::string& Argument() const { return FArgument; }

private:
  std::string FTemplate;
  std::string FArgument;
};

extern const char* const SInvalidInteger;  // "'%s' 不是一个有效的整形值"
extern const char* const SInvalidFormat;   // "格式 '%s' 无效或参数矛盾"
extern const char* const SArgumentMissing; // "格式 '%s' 没有参数"

// The standard string-to-integer conversion: leading blanks, an optional
// sign, then decimal digits or a hexadecimal number after "$", "x", "X",
// "0x" or "0X"; nothing may follow and the value must fit in 32 bits signed.
bool TryStrToInt(std::string_view s, std::int32_t& value);
// As above; throws EConvertError with SInvalidInteger on failure.
std::int32_t StrToInt(std::string_view s);

// The framework's formatter with one integer argument:
//   "%" [index ":"] ["-"] [width] ["." precision] type
// with the types d, u and x (upper-case digits) and "%%" for one "%".
// Throws EConvertError with SInvalidFormat or SArgumentMissing, the pattern
// cut to 31 bytes (30 when the 31st byte starts a double-byte character).
std::string FormatInteger(const ICodePage& cp, std::string_view pattern, std::int32_t arg);
