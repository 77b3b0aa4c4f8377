#pragma once
// A skin made in the test: a definition text and generated bitmaps, packed
// into a real archive and read back the way the program reads it.

#include "core/Bitmap.h"
#include "core/Bmp.h"
#include "core/SkinArchive.h"
#include "core/SkinDefinition.h"
#include "core/SkinRead.h"
#include "core/WinSkinIni.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

class TFakeSkinEnvironment final : public ISkinEnvironment {
public:
  Bitmap ResourceBitmap(std::string_view name) const override {
    Requested.emplace_back(name);
    auto it = Resources.find(std::string(name));
    return it == Resources.end() ? Bitmap() : it->second;
  }
  int ScrollArrowWidth() const override { return ArrowWidth; }

  int ArrowWidth = 17;
  std::map<std::string, Bitmap> Resources;
  mutable std::vector<std::string> Requested;
};

class TTestSkin {
public:
  TTestSkin& Bmp(const std::string& name, const Bitmap& b) {
    Members.push_back({name, WriteBmp(b)});
    return *this;
  }
  TTestSkin& Text(const std::string& definition) {
    Definition += definition;
    return *this;
  }
  // Packs, unpacks and loads into def, as the skin data component does.
  void LoadInto(TSkinDefinition& def, const ISkinEnvironment& env) const {
    std::vector<TSkinArchiveMember> members = Members;
    members.push_back(
        {"skin.ini", std::vector<std::uint8_t>(Definition.begin(), Definition.end())});
    TSkinReader reader;
    ASSERT_EQ(reader.Load(WriteSkinArchive(members)), TSkinLoadResult::Ok);
    std::vector<std::uint8_t> text;
    std::string name;
    ASSERT_TRUE(reader.FindContaining(".ini", text, name));
    TQuickIni ini;
    ini.LoadFromStream(&text);
    def.Load(ini, reader, env);
  }

  std::vector<TSkinArchiveMember> Members;
  std::string Definition;
};

// Frames side by side, each filled with its own colour.
inline Bitmap FrameStrip(int frameWidth, int height, const std::vector<TColor>& colours) {
  Bitmap b(frameWidth * static_cast<int>(colours.size()), height);
  for (std::size_t k = 0; k < colours.size(); ++k)
    b.FillRect(RectOf(static_cast<int>(k) * frameWidth, 0, frameWidth, height), colours[k]);
  return b;
}

inline Bitmap Solid(int w, int h, TColor c) {
  return Bitmap(w, h, c);
}
