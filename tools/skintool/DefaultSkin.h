#pragma once
// The program's default skin, drawn by code: the pictures that go into the
// skin archive next to skins/default/skin.ini, and the program's own
// resources that the skin engine loads by name.

#include "core/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

struct TNamedBitmap {
  std::string Name;
  Bitmap Image;
};

// Every picture of the default skin, sorted by name as the archive holds
// them. Magenta marks what is not drawn.
std::vector<TNamedBitmap> DefaultSkinBitmaps();

// Resource "SKINMENU": the 16 x 16 system-menu glyphs restore, maximize,
// minimize and close side by side on white, which is their mask colour.
Bitmap SkinMenuGlyphs();
// Resources "TRACK" and "TRACKVERT": the track-bar channels used when a
// skin has none.
Bitmap TrackChannelResource(bool vertical);
// Resource "MAINICON": the program icon as an .ico file (16, 32 and 48
// pixels, 32 bits with alpha).
std::vector<std::uint8_t> ProgramIcon();
