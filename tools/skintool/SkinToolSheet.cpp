#include "skintool/SkinToolSheet.h"

#include "skintool/PixelFont.h"

#include <algorithm>
#include <string>

namespace {

std::string Label(const TNamedBitmap& p) {
  return p.Name + " " + std::to_string(p.Image.Width()) + "x" + std::to_string(p.Image.Height());
}

int LabelHeight(const TSheetLayout& l) {
  return (kPixelGlyphHeight + 3) * l.LabelScale;
}

int CellWidth(const TNamedBitmap& p, const TSheetLayout& l) {
  return std::max(PixelTextWidth(Label(p), l.LabelScale), p.Image.Width() * l.Zoom);
}

int CellHeight(const TNamedBitmap& p, const TSheetLayout& l) {
  return LabelHeight(l) + p.Image.Height() * l.Zoom;
}

struct TCell {
  int X, Y;
};

// Cells flow left to right and wrap before the maximum width; the sheet's
// size comes out as the right and bottom edge reached.
std::vector<TCell> Flow(std::span<const TNamedBitmap> pictures, const TSheetLayout& l, int& width,
                        int& height) {
  std::vector<TCell> cells;
  int x = l.Gap, y = l.Gap, rowHeight = 0;
  width = 2 * l.Gap;
  for (const auto& p : pictures) {
    const int w = CellWidth(p, l);
    if (x > l.Gap && x + w + l.Gap > l.MaxWidth) {
      x = l.Gap;
      y += rowHeight + l.Gap;
      rowHeight = 0;
    }
    cells.push_back({x, y});
    x += w + l.Gap;
    width = std::max(width, x);
    rowHeight = std::max(rowHeight, CellHeight(p, l));
  }
  height = y + rowHeight + l.Gap;
  return cells;
}

} // namespace

std::vector<TSheetPlace> ContactSheetPositions(std::span<const TNamedBitmap> pictures,
                                               const TSheetLayout& layout) {
  int width = 0, height = 0;
  std::vector<TSheetPlace> places;
  for (const TCell& c : Flow(pictures, layout, width, height))
    places.push_back({c.X, c.Y + LabelHeight(layout)});
  return places;
}

Bitmap ContactSheet(std::span<const TNamedBitmap> pictures, const TSheetLayout& layout) {
  int width = 0, height = 0;
  const std::vector<TCell> cells = Flow(pictures, layout, width, height);
  Bitmap sheet(width, height, layout.Background);
  const int z = layout.Zoom;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const Bitmap& image = pictures[i].Image;
    DrawPixelText(sheet, cells[i].X, cells[i].Y, Label(pictures[i]), layout.LabelColour,
                  layout.LabelScale);
    const int top = cells[i].Y + LabelHeight(layout);
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        sheet.FillRect(RectOf(cells[i].X + x * z, top + y * z, z, z), image.At(x, y));
  }
  return sheet;
}
