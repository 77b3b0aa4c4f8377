#include "core/ColorText.h"

#include "core/WinSkinIni.h"

#include <cstdint>

namespace {

// The digits collected since the last stored number. Digits are only ever
// appended, so the value is kept as it grows instead of converting the text
// again at every separator (a failed number keeps growing).
class TDigitRun {
public:
  void Add(char digit) {
    FAny = true;
    if (FValue <= kMax) FValue = FValue * 10 + static_cast<std::uint64_t>(digit - '0');
  }
  bool Empty() const { return !FAny; }
  // The framework's conversion accepts nothing above the largest 32-bit value.
  bool Fits() const { return FAny && FValue <= kMax; }
  int Value() const { return static_cast<int>(FValue); }
  void Reset() { *this = TDigitRun(); }

private:
  static constexpr std::uint64_t kMax = 0x7FFFFFFF;
  std::uint64_t FValue = 0;
  bool FAny = false;
};

} // namespace

TColor ColorFromText(std::string_view text) {
  text = IniTrim(text);
  int parts[3] = {0, 0, 0};
  int stored = 0;
  TDigitRun digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      digits.Add(c);
      continue;
    }
    // A number that does not convert is not stored, and its digits run on
    // into the next number.
    if (digits.Empty() || !digits.Fits()) continue;
    if (stored < 3) parts[stored++] = digits.Value();
    digits.Reset();
  }
  if (stored == 2 && digits.Fits()) parts[2] = digits.Value();
  return MakeColor(parts[0] % 256, parts[1] % 256, parts[2] % 256);
}
