#include <gtest/gtest.h>

#include "core/ColorText.h"

namespace {

TEST(ColorFromText, Table) {
  struct {
    const char* Text;
    TColor Expected;
  } cases[] = {
      {"", 0x000000},
      {"   ", 0x000000},
      {"189 77 70", MakeColor(189, 77, 70)},
      {"189,77,70", MakeColor(189, 77, 70)},
      {" \t189;77;70\r", MakeColor(189, 77, 70)},
      {"189 77 70 ", MakeColor(189, 77, 70)},
      {"189,77,70,", MakeColor(189, 77, 70)},
      {"1 2 3 4 5", MakeColor(1, 2, 3)}, // numbers beyond the third are ignored
      {"1,2,3,4", MakeColor(1, 2, 3)},
      {"255", 0x000000}, // a lone trailing number is not stored
      {"255,", MakeColor(255, 0, 0)},
      {"10 20", MakeColor(10, 0, 0)}, // one stored: trailing digits ignored
      {"10 20,", MakeColor(10, 20, 0)},
      {"1,2,", MakeColor(1, 2, 0)},        // two stored, nothing trailing
      {"256 257 258", MakeColor(0, 1, 2)}, // modulo 256
      {"-1 -2 -3", MakeColor(1, 2, 3)},    // signs are separators
      {"r=12 g=34 b=56", MakeColor(12, 34, 56)},
      {"007 008 009", MakeColor(7, 8, 9)},
      {"2147483647 1 2", MakeColor(255, 1, 2)},
      // 2147483648 does not convert: its digits run on into the next number,
      // which never converts either.
      {"2147483648 1 2", 0x000000},
      {"1 2147483648 2", MakeColor(1, 0, 0)},
      // Two stored, then a trailing run too large for blue.
      {"1 2 99999999999", MakeColor(1, 2, 0)},
      {"1 2 0000000000000000000003", MakeColor(1, 2, 3)},
      {"abc", 0x000000},
      {"\xC4\xE3"
       "12\xBA\xC3"
       "34\xA1\xA1"
       "56",
       MakeColor(12, 34, 56)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ColorFromText(c.Text), c.Expected) << c.Text;
}

TEST(ColorFromText, LongInputsStayLinear) {
  // Leading zeros keep a failed run long; the parse must not rescan it.
  std::string text(200000, '0');
  text += "99999999999";
  for (int i = 0; i < 100000; ++i)
    text += " 1";
  EXPECT_EQ(ColorFromText(text), 0x000000);
}

} // namespace
