#include <gtest/gtest.h>

#include "SkinDefinitionTestSkin.h"

#include "skintool/SkinToolArchive.h"
#include "skintool/SkinToolDump.h"

#include <string>

namespace {

// Brackets outside strings balance and every string ends; enough to catch
// a writer that loses a comma's partner or an escape.
bool Balanced(const std::string& json) {
  std::string stack;
  bool inString = false;
  for (std::size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (inString) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        inString = false;
      else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x80)
        return false;
      continue;
    }
    if (c == '"')
      inString = true;
    else if (c == '{' || c == '[')
      stack += c;
    else if (c == '}' || c == ']') {
      if (stack.empty() || stack.back() != (c == '}' ? '{' : '[')) return false;
      stack.pop_back();
    }
  }
  return stack.empty() && !inString;
}

std::string Dump(const TTestSkin& skin) {
  auto members = skin.Members;
  members.push_back(
      {"skin.ini", std::vector<std::uint8_t>(skin.Definition.begin(), skin.Definition.end())});
  return SkinDefinitionJson(WriteSkinArchive(members));
}

TTestSkin SmallSkin() {
  TTestSkin skin;
  skin.Bmp("tabs.bmp", FrameStrip(4, 3, {clWhite, clBlack}))
      .Bmp("top.bmp", Solid(6, 10, clBlack))
      .Text("[TitlebarSkin]\nSkinName=Small \"one\"\n"
            "[Personality]\nTop=top.bmp\nTopFrame=2\n"
            "[Tabs]\nImage=tabs.bmp\nLeftWidth=1\nTopHeight=2\nRightWidth=3\nTrans=1\n"
            "NormalColour=255\n"
            "[Colours]\nButtonFace=16 32 48\n"
            "[ButtonX]\nAction=5\nAlign=1\nXcoord=30\nButtonImage=top.bmp\nframe=2\n");
  return skin;
}

TEST(SkinToolDump, SaysWhichEnvironmentItAssumed) {
  const std::string json = Dump(SmallSkin());
  EXPECT_TRUE(Balanced(json)) << json;
  EXPECT_NE(json.find("\"scrollArrowWidth\": 16"), std::string::npos);
  EXPECT_NE(json.find("TRACK and TRACKVERT load as empty pictures"), std::string::npos);
}

TEST(SkinToolDump, DescribesElementsAsLoaded) {
  const std::string json = Dump(SmallSkin());
  EXPECT_NE(json.find("\"skinName\": \"Small \\\"one\\\"\""), std::string::npos);
  const std::size_t tabs = json.find("\"Tabs\": {");
  ASSERT_NE(tabs, std::string::npos);
  const std::string element = json.substr(tabs, json.find('}', json.find("image2", tabs)) - tabs);
  EXPECT_NE(element.find("\"bands\": [1, 2, 3, 0]"), std::string::npos) << element;
  EXPECT_NE(element.find("\"frames\": 5"), std::string::npos) << element;
  EXPECT_NE(element.find("\"trans\": 1"), std::string::npos);
  EXPECT_NE(element.find("\"image\": {\"width\": 8, \"height\": 3}"), std::string::npos);
  EXPECT_NE(element.find("\"normalColour\": 255"), std::string::npos);
  EXPECT_NE(element.find("\"mouseOverColour\": -1"), std::string::npos);
  EXPECT_NE(element.find("\"image2\": null"), std::string::npos);
}

TEST(SkinToolDump, EmptySlotsAreNull) {
  const std::string json = Dump(SmallSkin());
  EXPECT_NE(json.find("\"Scrollbar\": null"), std::string::npos);
  // Without a section, the channel is the program's resource, which the
  // dump's environment leaves empty.
  const std::size_t track = json.find("\"Track\": {");
  ASSERT_NE(track, std::string::npos);
  EXPECT_EQ(json.find("\"image\": ", track), json.find("\"image\": null", track));
}

TEST(SkinToolDump, ColoursCarryTheirGivenFlag) {
  const std::string json = Dump(SmallSkin());
  EXPECT_NE(json.find("\"key\": \"ButtonFace\",\n      \"value\": \"#102030\",\n      \"given\": "
                      "true"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"key\": \"Menu\",\n      \"value\": \"system:4\",\n      \"given\": false"),
            std::string::npos);
}

TEST(SkinToolDump, TitleButtonsWithTheirActions) {
  const std::string json = Dump(SmallSkin());
  const std::size_t button = json.find("\"name\": \"BUTTONX\"");
  ASSERT_NE(button, std::string::npos);
  EXPECT_NE(json.find("\"action\": 5", button), std::string::npos);
  EXPECT_NE(json.find("\"xcoord\": 30", button), std::string::npos);
  // The three MDI buttons follow the skin's own.
  EXPECT_NE(json.find("\"action\": 9", button), std::string::npos);
}

TEST(SkinToolDump, RefusesABrokenArchive) {
  EXPECT_THROW(SkinDefinitionJson(std::vector<std::uint8_t>{1, 2, 3}), ESkinTool);
  EXPECT_THROW(SkinDefinitionJson(WriteSkinArchive({{"a.bmp", {1}}})), ESkinTool);
}

struct TJsonCase {
  const char* Text;
  const char* Json;
};

TEST(SkinToolDump, JsonStringsEscapeWhatJsonCannotHold) {
  const TJsonCase cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"tab\there", "\"tab\\u0009here\""},
      {"\xB0\xE6", "\"\\u00B0\\u00E6\""},
      {"", "\"\""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(JsonString(c.Text), c.Json);
}

} // namespace
