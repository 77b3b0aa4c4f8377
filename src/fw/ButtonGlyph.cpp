#include "fw/ButtonGlyph.h"

#include <algorithm>

const TEnumInfo ButtonLayoutInfo{"TButtonLayout",
                                 {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};

SIZE GlyphSize(const TBitmap& glyph, int numGlyphs) {
  if (glyph.Empty()) return {0, 0};
  return {glyph.Width() / std::max(numGlyphs, 1), glyph.Height()};
}

TGlyphPlacement PlaceGlyph(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                           int spacing) {
  TGlyphPlacement p;
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  // Across the layout axis both are centred.
  if (horizontal) {
    p.Glyph.y = (client.cy - glyph.cy + 1) / 2;
    p.Text.top = (client.cy - text.cy + 1) / 2;
  } else {
    p.Glyph.x = (client.cx - glyph.cx + 1) / 2;
    p.Text.left = (client.cx - text.cx + 1) / 2;
  }
  const int c = horizontal ? client.cx : client.cy;
  const int g = horizontal ? glyph.cx : glyph.cy;
  const int s = horizontal ? text.cx : text.cy;
  if (s == 0 || g == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (c - g - s) / 3;
      spacing = margin;
    } else {
      margin = (c - g - spacing - s) / 2;
    }
  } else if (spacing == -1) {
    spacing = (c - margin - g - s) / 2;
  }
  switch (layout) {
  case blGlyphLeft:
    p.Glyph.x = margin;
    p.Text.left = p.Glyph.x + glyph.cx + spacing;
    break;
  case blGlyphRight:
    p.Glyph.x = client.cx - margin - glyph.cx;
    p.Text.left = p.Glyph.x - spacing - text.cx;
    p.TextFlags = DT_RIGHT;
    break;
  case blGlyphTop:
    p.Glyph.y = margin;
    p.Text.top = p.Glyph.y + glyph.cy + spacing;
    p.TextFlags = DT_CENTER;
    break;
  case blGlyphBottom:
    p.Glyph.y = client.cy - margin - glyph.cy;
    p.Text.top = p.Glyph.y - spacing - text.cy;
    p.TextFlags = DT_CENTER;
    break;
  }
  p.Text.right = p.Text.left + text.cx;
  p.Text.bottom = p.Text.top + text.cy;
  p.TextFlags |= DT_WORDBREAK;
  return p;
}

void DrawGlyph(HDC dc, int x, int y, TBitmap& glyph, int numGlyphs, int frame, bool disabled) {
  if (glyph.Empty()) return;
  numGlyphs = std::max(numGlyphs, 1);
  if (frame < 1 || frame > numGlyphs) frame = 1;
  const SIZE size = GlyphSize(glyph, numGlyphs);
  const Bitmap pixels = glyph.ToBitmap();
  const TColor key = pixels.At(0, pixels.Height() - 1);
  const int left = (frame - 1) * size.cx;
  if (disabled && numGlyphs == 1) {
    // The glyph's shape, embossed: highlight one pixel down-right, shadow on top.
    const TColor light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
    for (int pass = 0; pass < 2; ++pass)
      for (int gy = 0; gy < size.cy; ++gy)
        for (int gx = 0; gx < size.cx; ++gx)
          if (pixels.At(left + gx, gy) != key)
            SetPixelV(dc, x + gx + (pass == 0), y + gy + (pass == 0),
                      ColorToCOLORREF(pass == 0 ? light : dark));
    return;
  }
  TransparentBlt(dc, x, y, size.cx, size.cy, glyph.Canvas().Handle(), left, 0, size.cx, size.cy,
                 ColorToCOLORREF(key));
}
