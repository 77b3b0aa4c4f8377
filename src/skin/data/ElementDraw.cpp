#include "skin/data/ElementDraw.h"

#include <cstdint>
#include <memory>

namespace {

class TElementGdiImage final : public TElementImageCache {
public:
  explicit TElementGdiImage(const Bitmap& image) : Image(image), Revision(image.Revision()) {}
  const TGdiImage Image;
  const std::uint64_t Revision;
};

bool Inverted(const RECT& r) {
  return r.right < r.left || r.bottom < r.top;
}

bool SameSize(const RECT& r, const TRect& f) {
  return std::int64_t{r.right} - r.left == f.Width() &&
         std::int64_t{r.bottom} - r.top == f.Height();
}

// A picture drawn at its own size comes straight from its GDI form. True
// when it was drawn that way.
bool DrawAtOwnSize(HDC dc, int x, int y, const TDataSkinObject& e, const TRect& frame) {
  const TGdiImage* image = ElementGdiImage(e);
  if (!image) return false;
  image->Draw(dc, x, y, frame, e.Transparent());
  return true;
}

} // namespace

const TGdiImage* ElementGdiImage(const TDataSkinObject& e) {
  if (e.Image.Empty()) return nullptr;
  auto* cached = dynamic_cast<const TElementGdiImage*>(e.ImageCache());
  if (!cached || cached->Revision != e.Image.Revision()) {
    auto made = std::make_unique<TElementGdiImage>(e.Image);
    cached = made.get();
    e.SetImageCache(std::move(made));
  }
  return cached->Image.Valid() ? &cached->Image : nullptr;
}

void DrawNineSlice(HDC dc, const RECT& rect, const TDataSkinObject& e, int frameIndex,
                   bool vertical) {
  const TRect f = FrameRect(e.Image, vertical, e.Frame, frameIndex);
  if (Inverted(rect) || f.IsEmpty()) return;
  // At the frame's own size every band lands where it lies in the frame.
  if (SameSize(rect, f) && DrawAtOwnSize(dc, rect.left, rect.top, e, f)) return;
  DrawNineSlice(dc, rect, e.Image, vertical, e.TileCentre(), e.Transparent(), e.Frame, frameIndex,
                e.Margins());
}

void DrawThreeSliceH(HDC dc, const RECT& rect, const TDataSkinObject& e, int frameIndex,
                     bool vertical) {
  DrawThreeSliceH(dc, rect, e.Image, vertical, e.Transparent(), e.Frame, frameIndex, e.Margins());
}

void DrawThreeSliceStretch(HDC dc, const RECT& rect, const TDataSkinObject& e, int frameIndex,
                           bool vertical) {
  DrawThreeSliceStretch(dc, rect, e.Image, vertical, e.Frame, frameIndex, e.Margins());
}

void DrawFrameStretched(HDC dc, const RECT& rect, const TDataSkinObject& e, int frameIndex) {
  const TRect f = FrameRect(e.Image, false, e.Frame, frameIndex);
  if (Inverted(rect) || f.IsEmpty()) return;
  if (SameSize(rect, f) && DrawAtOwnSize(dc, rect.left, rect.top, e, f)) return;
  DrawFrameStretched(dc, rect, e.Image, e.Transparent(), e.Frame, frameIndex);
}

void DrawFrameCentered(HDC dc, const RECT& rect, const TDataSkinObject& e, int frameIndex) {
  const TRect f = FrameRect(e.Image, false, e.Frame, frameIndex);
  if (Inverted(rect) || f.IsEmpty()) return;
  const int x =
      static_cast<int>(rect.left + (std::int64_t{rect.right} - rect.left - f.Width()) / 2);
  const int y =
      static_cast<int>(rect.top + (std::int64_t{rect.bottom} - rect.top - f.Height()) / 2);
  if (!DrawAtOwnSize(dc, x, y, e, f))
    DrawFrameCentered(dc, rect, e.Image, e.Transparent(), e.Frame, frameIndex);
}
