#pragma once
// Glyph and caption placement of buttons that show a picture beside their
// text (bit buttons, speed buttons), and the drawing of one glyph frame.

#include "fw/Graphics.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
extern const TEnumInfo ButtonLayoutInfo;

struct TGlyphPlacement {
  POINT Glyph{0, 0};
  RECT Text{0, 0, 0, 0};
  UINT TextFlags = 0;
};

// Places a glyph of size glyph and a text of size text in a client of size
// client. margin -1 centres the pair; spacing -1 spreads the free space
// evenly (with margin -1 too: equal thirds).
TGlyphPlacement PlaceGlyph(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                           int spacing);

// Draws frame (from 1) of a glyph strip of numGlyphs equal frames at (x, y);
// the glyph's bottom-left pixel is its transparent colour. A disabled
// one-frame glyph is drawn embossed instead.
void DrawGlyph(HDC dc, int x, int y, TBitmap& glyph, int numGlyphs, int frame, bool disabled);
SIZE GlyphSize(const TBitmap& glyph, int numGlyphs);
