#pragma once
// The contact sheet: every picture of a skin, enlarged, under its name and
// size, on one bitmap.

#include "skintool/DefaultSkin.h"

#include <span>
#include <vector>

struct TSheetLayout {
  int Zoom = 3;        // each picture pixel becomes Zoom x Zoom
  int LabelScale = 2;  // each pixel of the label font becomes a square this big
  int MaxWidth = 1100; // the sheet wraps to a new row beyond this width
  int Gap = 16;        // between pictures and around the sheet
  TColor Background = MakeColor(246, 246, 246);
  TColor LabelColour = MakeColor(48, 48, 48);
};

// Pictures in the given order, left to right in rows; magenta shows as
// magenta so the transparent parts can be seen. A picture wider than the
// sheet gets a row of its own.
Bitmap ContactSheet(std::span<const TNamedBitmap> pictures, const TSheetLayout& layout = {});

struct TSheetPlace {
  int X = 0, Y = 0;
};
// Where ContactSheet puts each picture's top-left corner.
std::vector<TSheetPlace> ContactSheetPositions(std::span<const TNamedBitmap> pictures,
                                               const TSheetLayout& layout = {});
