#pragma once
// A 5 x 7 pixel font for the labels of the contact sheet: capital letters
// (small letters are drawn as capitals), digits and a few signs; anything
// else is drawn as "?".

#include "core/Bitmap.h"

#include <array>
#include <string_view>

inline constexpr int kPixelGlyphWidth = 5;
inline constexpr int kPixelGlyphHeight = 7;
inline constexpr int kPixelAdvance = 6; // glyph and one column of space

// The seven rows of a character, '#' for a set pixel.
const std::array<std::string_view, kPixelGlyphHeight>& PixelGlyph(char c);
int PixelTextWidth(std::string_view text, int scale);
// Each font pixel becomes a scale x scale square.
void DrawPixelText(Bitmap& b, int x, int y, std::string_view text, TColor colour, int scale);
