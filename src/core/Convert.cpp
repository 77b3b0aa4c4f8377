#include "core/Convert.h"

#include <algorithm>
#include <vector>

const char* const SInvalidInteger = "'%s' 不是一个有效的整形值";
const char* const SInvalidFormat = "格式 '%s' 无效或参数矛盾";
const char* const SArgumentMissing = "格式 '%s' 没有参数";

namespace {

std::string Substitute(const char* templ, const std::string& arg) {
  std::string t(templ);
  std::size_t p = t.find("%s");
  if (p != std::string::npos) t.replace(p, 2, arg);
  return t;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

} // namespace

EConvertError::EConvertError(const char* templateUtf8, std::string argumentAnsi)
    : std::runtime_error(Substitute(templateUtf8, argumentAnsi)), FTemplate(templateUtf8),
      FArgument(std::move(argumentAnsi)) {}

bool TryStrToInt(std::string_view s, std::int32_t& value) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return false;
  // Accumulate the magnitude with room for -2^31.
  const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
  std::uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    int d = HexDigit(s[i]);
    if (d < 0 || d >= base) return false;
    magnitude = magnitude * base + static_cast<unsigned>(d);
    if (magnitude > limit) return false;
  }
  value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                   : static_cast<std::int32_t>(magnitude);
  return true;
}

std::int32_t StrToInt(std::string_view s) {
  std::int32_t v = 0;
  if (!TryStrToInt(s, v)) throw EConvertError(SInvalidInteger, std::string(s));
  return v;
}

namespace {

// Widths and precisions above this cannot give a usable file name; they are
// refused like a malformed placeholder instead of building huge texts.
constexpr int kMaxFieldSize = 32767;

class TIntegerFormatter {
public:
  TIntegerFormatter(const ICodePage& cp, std::string_view pattern, std::int32_t arg)
      : FCodePage(cp), FPattern(pattern), FArg(arg) {}

  std::string Run() {
    while (FPos < FPattern.size()) {
      char c = FPattern[FPos++];
      if (c != '%') {
        FOut += c;
        continue;
      }
      if (FPos < FPattern.size() && FPattern[FPos] == '%') {
        FOut += '%';
        ++FPos;
        continue;
      }
      Placeholder();
    }
    return FOut;
  }

private:
  [[noreturn]] void Fail(const char* templ) const {
    std::size_t n = std::min<std::size_t>(FPattern.size(), 31);
    if (n == 31 && CharLenAt(FCodePage, FPattern, 30) == 2 && !IsTrailByteAt(FCodePage, FPattern, 30))
      n = 30;
    throw EConvertError(templ, std::string(FPattern.substr(0, n)));
  }

  bool AtEnd() const { return FPos >= FPattern.size(); }
  char Peek() const { return FPattern[FPos]; }

  // Digits, or "*" which takes the next argument; -1 when neither is there.
  int Number() {
    if (AtEnd()) return -1;
    if (Peek() == '*') {
      ++FPos;
      return ArgumentAsNumber();
    }
    if (Peek() < '0' || Peek() > '9') return -1;
    long long n = 0;
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') {
      n = n * 10 + (Peek() - '0');
      if (n > kMaxFieldSize) Fail(SInvalidFormat);
      ++FPos;
    }
    return static_cast<int>(n);
  }

  int ArgumentAsNumber() {
    if (FArgIndex != 0) Fail(SArgumentMissing);
    ++FArgIndex;
    if (FArg > kMaxFieldSize) Fail(SInvalidFormat);
    return FArg;
  }

  void Placeholder() {
    int n = Number();
    if (!AtEnd() && Peek() == ':') {
      FArgIndex = n < 0 ? 0 : n;
      ++FPos;
      n = Number();
    }
    bool leftAlign = false;
    if (n < 0 && !AtEnd() && Peek() == '-') {
      leftAlign = true;
      ++FPos;
      n = Number();
    }
    int width = n;
    int precision = -1;
    if (!AtEnd() && Peek() == '.') {
      ++FPos;
      precision = std::max(Number(), 0);
    }
    if (AtEnd()) Fail(SInvalidFormat);
    char type = static_cast<char>(Peek() & ~0x20); // letters compare upper-cased
    ++FPos;
    if (std::string_view("DUXEFGNMPS").find(type) == std::string_view::npos) Fail(SInvalidFormat);
    // A missing argument is reported before a type that does not suit it.
    TakeArgument();
    std::string text;
    switch (type) {
    case 'D':
      text = Digits(FArg < 0 ? 0u - static_cast<std::uint32_t>(FArg) : FArg, 10, precision);
      if (FArg < 0) text.insert(text.begin(), '-');
      break;
    case 'U': text = Digits(static_cast<std::uint32_t>(FArg), 10, precision); break;
    case 'X': text = Digits(static_cast<std::uint32_t>(FArg), 16, precision); break;
    default: Fail(SInvalidFormat); // floating point, currency, pointer or string
    }
    Pad(text, width, leftAlign);
  }

  // The placeholder needs an argument of its own; there is only one.
  void TakeArgument() {
    if (FArgIndex != 0) Fail(SArgumentMissing);
    ++FArgIndex;
  }

  static std::string Digits(std::uint32_t v, unsigned base, int precision) {
    std::string s;
    do {
      unsigned d = v % base;
      s.insert(s.begin(), static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10));
      v /= base;
    } while (v != 0);
    if (precision > static_cast<int>(s.size())) s.insert(0, precision - s.size(), '0');
    return s;
  }

  void Pad(const std::string& text, int width, bool leftAlign) {
    std::size_t fill = width > static_cast<int>(text.size()) ? width - text.size() : 0;
    if (!leftAlign) FOut.append(fill, ' ');
    FOut += text;
    if (leftAlign) FOut.append(fill, ' ');
  }

  const ICodePage& FCodePage;
  std::string_view FPattern;
  std::int32_t FArg;
  std::size_t FPos = 0;
  int FArgIndex = 0;
  std::string FOut;
};

} // namespace

std::string FormatInteger(const ICodePage& cp, std::string_view pattern, std::int32_t arg) {
  return TIntegerFormatter(cp, pattern, arg).Run();
}
