#include "core/SkinElementLoad.h"

#include "core/Bitmap.h"
#include "core/ColorText.h"
#include "core/SkinRead.h"
#include "core/WinSkinIni.h"

#include <algorithm>

namespace {

constexpr std::string_view kPersonality = "Personality";

// Fields shared by the image element kinds.
void ReadImageFields(const TSkinSource& src, std::string_view section, TDataSkinObject& e,
                     bool readFrame, TColor colour2Default) {
  const TQuickIni& ini = src.Ini;
  e.Style = ini.ReadInteger(section, "Style", 0);
  e.LeftWidth = ini.ReadInteger(section, "LeftWidth", 0);
  e.RightWidth = ini.ReadInteger(section, "RightWidth", 0);
  e.TopHeight = ini.ReadInteger(section, "TopHeight", 0);
  e.BottomHeight = ini.ReadInteger(section, "BottomHeight", 0);
  if (readFrame) e.Frame = ini.ReadInteger(section, "Frame", 0);
  e.Trans = ini.ReadInteger(section, "Trans", 0);
  e.Tile = ini.ReadInteger(section, "Tile", 0);
  if (e.Tile > 1) e.Tile = 0;
  e.NormalColour = static_cast<TColor>(ini.ReadInteger(section, "NormalColour", -1));
  e.MouseOverColour = static_cast<TColor>(ini.ReadInteger(section, "MouseOverColour", -1));
  e.PressedColour = static_cast<TColor>(ini.ReadInteger(section, "PressedColour", -1));
  e.NormalColour2 = ReadColorText(src, section, "NormalColour2", colour2Default);
  e.MouseOverColour2 = ReadColorText(src, section, "MouseOverColour2", colour2Default);
  e.PressedColour2 = ReadColorText(src, section, "PressedColour2", colour2Default);
}

template <class T>
std::unique_ptr<T> MakeImageElement(const TSkinSource& src, std::string_view section,
                                    bool readFrame, TColor colour2Default) {
  if (!HasValue(src, section, "Image")) return nullptr;
  auto e = std::make_unique<T>(section);
  e->Image = ReadSkinBitmap(src, section, "Image");
  ReadImageFields(src, section, *e, readFrame, colour2Default);
  return e;
}

} // namespace

Bitmap ReadSkinBitmap(const TSkinSource& src, std::string_view section, std::string_view key) {
  Bitmap b;
  const std::string reference = src.Ini.ReadString(section, key, "");
  if (!reference.empty()) src.Reader.ReadBitmapMember(reference, b);
  return b;
}

TColor ReadColorText(const TSkinSource& src, std::string_view section, std::string_view key,
                     TColor def) {
  const std::string text = src.Ini.ReadString(section, key, "");
  return text.empty() ? def : ColorFromText(text);
}

bool HasValue(const TSkinSource& src, std::string_view section, std::string_view key) {
  return !src.Ini.ReadString(section, key, "").empty();
}

std::unique_ptr<TDataSkinObject> LoadImageElement(const TSkinSource& src, std::string_view section,
                                                  TColor colour2Default) {
  return MakeImageElement<TDataSkinObject>(src, section, true, colour2Default);
}

std::unique_ptr<TDataSkinBorder> LoadImageElement2(const TSkinSource& src, std::string_view section,
                                                   std::string_view key2, TColor colour2Default) {
  auto e = MakeImageElement<TDataSkinBorder>(src, section, false, colour2Default);
  if (e) e->Image2 = ReadSkinBitmap(src, section, key2);
  return e;
}

std::unique_ptr<TDataSkinBorder> LoadBitmapElement(const TSkinSource& src,
                                                   std::string_view section) {
  if (!HasValue(src, section, "Bitmap")) return nullptr;
  const TQuickIni& ini = src.Ini;
  auto e = std::make_unique<TDataSkinBorder>(section);
  e->Image = ReadSkinBitmap(src, section, "Bitmap");
  e->Style = ini.ReadInteger(section, "Style", 0);
  e->LeftWidth = ini.ReadInteger(section, "LeftWidth", 0);
  e->RightWidth = ini.ReadInteger(section, "RightWidth", 0);
  e->TopHeight = ini.ReadInteger(section, "TopHeight", 0);
  e->BottomHeight = ini.ReadInteger(section, "BottomHeight", 0);
  e->Trans = ini.ReadInteger(section, "Trans", 0);
  e->Tile = ini.ReadInteger(section, "Tile", 0);
  if (e->Tile > 1) e->Tile = 1;
  return e;
}

std::unique_ptr<TDataSkinBoxLabel>
LoadBoxLabelElement(const TSkinSource& src, std::string_view section, TColor colour2Default) {
  auto e = MakeImageElement<TDataSkinBoxLabel>(src, section, true, colour2Default);
  if (!e) return nullptr;
  e->BackgroundAlignment = src.Ini.ReadInteger(section, "BackgroundAlignment", 0);
  e->BackgroundLeftShift = src.Ini.ReadInteger(section, "BackgroundLeftShift", 0);
  e->BackgroundRightShift = src.Ini.ReadInteger(section, "BackgroundRightShift", 0);
  return e;
}

std::unique_ptr<TDataSkinMenuBar> LoadMenuBarElement(const TSkinSource& src) {
  if (!HasValue(src, kPersonality, "menuBar")) return nullptr;
  const TQuickIni& ini = src.Ini;
  auto e = std::make_unique<TDataSkinMenuBar>(kPersonality);
  e->Image = ReadSkinBitmap(src, kPersonality, "menuBar");
  e->TileMenu = std::min(ini.ReadInteger(kPersonality, "TileMenu", 1), 1);
  // As a nine-slice the bar's centre is stretched.
  e->Tile = 0;
  e->LeftWidth = ini.ReadInteger(kPersonality, "TileLeftMenu", 1);
  e->TopHeight = 0;
  e->RightWidth = ini.ReadInteger(kPersonality, "TileRightMenu", 1);
  e->BottomHeight = 0;
  return e;
}

std::unique_ptr<TDataSkinObject> MakeResourceElement(std::string_view name, Bitmap image) {
  auto e = std::make_unique<TDataSkinObject>(name);
  e->Image = std::move(image);
  e->LeftWidth = e->TopHeight = e->RightWidth = e->BottomHeight = 3;
  e->Tile = 0;
  e->Frame = 1;
  return e;
}
