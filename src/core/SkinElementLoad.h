#pragma once
// Reading one element from its section of a skin definition: the loader
// kinds shared by the element slots, and the small readers they are built
// from.

#include "core/Color.h"
#include "core/SkinElements.h"

#include <memory>
#include <string_view>

class TQuickIni;
class TSkinReader;

// Where elements come from: the definition text and the archive's bitmaps.
struct TSkinSource {
  const TQuickIni& Ini;
  const TSkinReader& Reader;
};

// The bitmap named by the key; empty when the key, the member or the bitmap
// is missing or broken.
Bitmap ReadSkinBitmap(const TSkinSource& src, std::string_view section, std::string_view key);
// A colour text, or the default when the key is missing or empty.
TColor ReadColorText(const TSkinSource& src, std::string_view section, std::string_view key,
                     TColor def);
bool HasValue(const TSkinSource& src, std::string_view section, std::string_view key);

// Each gives nullptr when the section names no picture ("Image", "Bitmap"
// or "menuBar"). colour2Default is the default of the colour texts.
std::unique_ptr<TDataSkinObject> LoadImageElement(const TSkinSource& src, std::string_view section,
                                                  TColor colour2Default);
// As LoadImageElement, without "Frame", plus a second picture from key2.
std::unique_ptr<TDataSkinBorder> LoadImageElement2(const TSkinSource& src, std::string_view section,
                                                   std::string_view key2, TColor colour2Default);
std::unique_ptr<TDataSkinBorder> LoadBitmapElement(const TSkinSource& src,
                                                   std::string_view section);
std::unique_ptr<TDataSkinBoxLabel>
LoadBoxLabelElement(const TSkinSource& src, std::string_view section, TColor colour2Default);
// From key "menuBar" of section "Personality".
std::unique_ptr<TDataSkinMenuBar> LoadMenuBarElement(const TSkinSource& src);
// The program's own bitmap, with bands of 3.
std::unique_ptr<TDataSkinObject> MakeResourceElement(std::string_view name, Bitmap image);
