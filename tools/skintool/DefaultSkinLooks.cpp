#include "skintool/DefaultSkinParts.h"

namespace {

TColor FaceTop(TLook look) {
  return look == lkHot ? MakeColor(246, 246, 246) : MakeColor(232, 232, 232);
}

TColor FaceBottom(TLook look) {
  return look == lkHot ? MakeColor(222, 222, 222) : kFace;
}

} // namespace

void DrawSmallButton(Bitmap& b, const TRect& r, TLook look) {
  if (look == lkPressed) {
    b.FillRect(r, kFace);
    Outline(b, r, kShadow);
    return;
  }
  VGradient(b, Inflate(r, -2), FaceTop(look), FaceBottom(look));
  Bevel(b, r, kLight, kDkShadow);
  Bevel(b, Inflate(r, -1), kHilite, kShadow);
}

void DrawRaisedFrame(Bitmap& b, const TRect& r, TColor inside) {
  b.FillRect(r, inside);
  Bevel(b, r, kLight, kDkShadow);
  Bevel(b, Inflate(r, -1), kHilite, kShadow);
}

void DrawSunkenFrame(Bitmap& b, const TRect& r, TColor inside) {
  b.FillRect(r, inside);
  Bevel(b, r, kShadow, kHilite);
  Bevel(b, Inflate(r, -1), kDkShadow, kLight);
}

void DrawLookGlyph(Bitmap& b, int x, int y, TPattern glyph, TLook look, TColor ink) {
  switch (look) {
  case lkPressed: Glyph(b, x + 1, y + 1, glyph, ink); break;
  case lkDisabled: EmbossedGlyph(b, x, y, glyph, kShadow, kHilite); break;
  default: Glyph(b, x, y, glyph, ink); break;
  }
}

void DrawCentredGlyph(Bitmap& b, const TRect& r, TPattern glyph, TLook look, TColor ink) {
  const int x = r.Left + (r.Width() - PatternWidth(glyph)) / 2;
  const int y = r.Top + (r.Height() - PatternHeight(glyph)) / 2;
  DrawLookGlyph(b, x, y, glyph, look, ink);
}
