#include <gtest/gtest.h>

#include "skintool/SkinToolForm.h"

#include "core/FormText.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes Counting(int n) {
  TBytes out(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  return out;
}

TEST(SkinToolForm, MarkerBecomesCountAndBytesInHex) {
  int replaced = 0;
  const std::string out = EmbedSkinStream(
      "object F: TF\n  object S: TSkinData\n    SkinStream = @DEFAULT_SKIN_STREAM@\n  end\nend\n",
      TBytes{0xAB, 0x01, 0xFF}, &replaced);
  EXPECT_EQ(replaced, 1);
  EXPECT_EQ(out, "object F: TF\n  object S: TSkinData\n    SkinStream = {\n      03000000AB01FF}\n"
                 "  end\nend\n");
}

TEST(SkinToolForm, ThirtyTwoBytesPerLine) {
  // 4 + 40 bytes: one full line and one of 12 bytes.
  const std::string out = EmbedSkinStream("X = @DEFAULT_SKIN_STREAM@\n", Counting(40));
  EXPECT_EQ(out, "X = {\n"
                 "  28000000000102030405060708090A0B0C0D0E0F101112131415161718191A1B\n"
                 "  1C1D1E1F2021222324252627}\n");
}

TEST(SkinToolForm, KeepsWindowsLineEnds) {
  const std::string out = EmbedSkinStream("a\r\n S = @DEFAULT_SKIN_STREAM@\r\nend\r\n", TBytes{7});
  EXPECT_EQ(out, "a\r\n S = {\r\n   0100000007}\r\nend\r\n");
}

struct TTemplateCase {
  const char* Text;
  int Replaced;
};

TEST(SkinToolForm, OnlyAWholeValueIsTheMarker) {
  const TTemplateCase cases[] = {
      {"object F: TF\nend\n", 0},
      {"Caption = 'see @DEFAULT_SKIN_STREAM@'\n", 0},
      {"@DEFAULT_SKIN_STREAM@\n", 0},
      {"= @DEFAULT_SKIN_STREAM@\n", 0},
      {"S = x @DEFAULT_SKIN_STREAM@\n", 0},
      {"SkinStream=@DEFAULT_SKIN_STREAM@", 1},
      {"\tS.Data =\t@DEFAULT_SKIN_STREAM@  \n", 1},
      {"A = @DEFAULT_SKIN_STREAM@\nB = @DEFAULT_SKIN_STREAM@\n", 2},
  };
  for (const auto& c : cases) {
    int replaced = -1;
    const std::string out = EmbedSkinStream(c.Text, TBytes{1}, &replaced);
    EXPECT_EQ(replaced, c.Replaced) << c.Text;
    if (c.Replaced == 0) {
      EXPECT_EQ(out, c.Text);
    }
  }
}

TEST(SkinToolForm, TheFormReaderGetsTheArchiveBack) {
  const TBytes archive = Counting(100);
  const std::string out =
      EmbedSkinStream("object Form_main: TForm_main\n  object SkinData1: TSkinData\n"
                      "    SkinStream = @DEFAULT_SKIN_STREAM@\n    MenuMerge = False\n  end\nend\n",
                      archive);
  const TFormObject form = ParseFormText(out);
  ASSERT_EQ(form.Children.size(), 1u);
  const auto& props = form.Children[0].Props;
  ASSERT_EQ(props.size(), 2u);
  EXPECT_EQ(props[0].Name, "SkinStream");
  ASSERT_EQ(props[0].Value.Kind, TFormValue::Binary);
  TBytes expected = {100, 0, 0, 0};
  expected.insert(expected.end(), archive.begin(), archive.end());
  EXPECT_EQ(props[0].Value.Bytes, expected);
  EXPECT_EQ(props[1].Name, "MenuMerge");
}

} // namespace
