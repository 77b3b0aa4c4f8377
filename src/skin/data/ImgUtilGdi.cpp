// GDI side of the image utilities. The pictures are composed by the core
// builders and reach the DC in one blit, so what is on the screen is
// exactly what the core computed.

#include "skin/data/ImgUtilGdi.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Tiles bigger than this are not drawn: no skin image is that large.
constexpr std::int64_t kMaxTilePixels = std::int64_t{1} << 26;
constexpr std::size_t kRegionBatch = 2000;
constexpr std::size_t kRegionGrowth = 500;

bool Inverted(const RECT& r) {
  return r.right < r.left || r.bottom < r.top;
}
bool NoArea(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}
TRect ToTRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

TGdiBitmap CreateTopDownDib(int width, int height, std::uint32_t** bits) {
  const BITMAPINFO info = TopDownInfo(width, height);
  void* memory = nullptr;
  TGdiBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
  *bits = dib ? static_cast<std::uint32_t*>(memory) : nullptr;
  return dib;
}

// A DIB section selected into a memory DC, holding a bitmap's pixels or
// blank. Members unwind in reverse: selection, DC, then the bitmap.
class TDibSurface {
public:
  TDibSurface(int width, int height)
      : FBitmap(CreateTopDownDib(width, height, &FBits)), FSelection(FDC.Get(), FBitmap.Get()),
        FWidth(FBits ? width : 0), FHeight(FBits ? height : 0) {}
  explicit TDibSurface(const Bitmap& pixels) : TDibSurface(pixels.Width(), pixels.Height()) {
    if (FBits) std::memcpy(FBits, pixels.Pixels().data(), pixels.Pixels().size() * 4);
  }

  bool Valid() const { return FBits != nullptr; }
  HDC DC() const { return FDC.Get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  std::uint32_t* Row(int y) const { return FBits + static_cast<std::size_t>(y) * FWidth; }
  Bitmap Pixels() const {
    Bitmap out(FWidth, FHeight);
    GdiFlush();
    for (std::size_t i = 0; i < out.Pixels().size(); ++i)
      out.Pixels()[i] = FBits[i] & 0xFFFFFF;
    return out;
  }

private:
  std::uint32_t* FBits = nullptr;
  TGdiBitmap FBitmap;
  TMemoryDC FDC;
  TSelection FSelection;
  int FWidth, FHeight;
};

// Pixels of the key colour keep the destination: an AND with a mask that
// is white there and black elsewhere, then an OR with the pixels whose key
// was made black. Two plain blits, exact on any RGB surface.
constexpr std::uint32_t kKeepAll = 0xFFFFFFFF;

// Writes w x h pixels (rowOf(y) gives row y) at (0, 0) of the surfaces:
// as they are, or, keyed, black where the key is into colour and the AND
// mask into mask.
template <class TRows>
void LoadPlanes(TRows rowOf, int w, int h, const TDibSurface& colour, const TDibSurface* mask,
                TColor key) {
  GdiFlush(); // nothing may still be drawing from the surfaces
  const std::uint32_t keyPixel = ColorToPixel(ColorToRGB(key));
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* in = rowOf(y);
    std::uint32_t* out = colour.Row(y);
    if (!mask) {
      std::memcpy(out, in, static_cast<std::size_t>(w) * 4);
      continue;
    }
    std::uint32_t* and_ = mask->Row(y);
    for (int x = 0; x < w; ++x) {
      const bool keyed = in[x] == keyPixel;
      out[x] = keyed ? 0 : in[x];
      and_[x] = keyed ? kKeepAll : 0;
    }
  }
}

void BlitPlanes(HDC dc, int x, int y, int w, int h, const TDibSurface& colour,
                const TDibSurface* mask, int sx, int sy) {
  if (!mask) {
    BitBlt(dc, x, y, w, h, colour.DC(), sx, sy, SRCCOPY);
    return;
  }
  BitBlt(dc, x, y, w, h, mask->DC(), sx, sy, SRCAND);
  BitBlt(dc, x, y, w, h, colour.DC(), sx, sy, SRCPAINT);
}

// Every composed picture reaches a DC through these surfaces, made once
// and grown as needed, so a draw makes no GDI object. Pictures larger than
// what is kept go through surfaces of their own.
class TComposeSurfaces {
public:
  void Put(HDC dc, int x, int y, int w, int h, const Bitmap& src, bool keyed, TColor key) {
    if (std::int64_t{w} * h > kKeptPixels) {
      const TDibSurface colour(w, h);
      const std::unique_ptr<TDibSurface> mask =
          keyed ? std::make_unique<TDibSurface>(w, h) : nullptr;
      if (!colour.Valid() || (mask && !mask->Valid())) return;
      LoadPlanes([&src](int row) { return src.Row(row); }, w, h, colour, mask.get(), key);
      BlitPlanes(dc, x, y, w, h, colour, mask.get(), 0, 0);
      return;
    }
    if (!Fit(FColour, w, h) || (keyed && !Fit(FMask, w, h))) return;
    LoadPlanes([&src](int row) { return src.Row(row); }, w, h, *FColour,
               keyed ? FMask.get() : nullptr, key);
    BlitPlanes(dc, x, y, w, h, *FColour, keyed ? FMask.get() : nullptr, 0, 0);
  }

private:
  static constexpr std::int64_t kKeptPixels = std::int64_t{1} << 20;

  static bool Fit(std::unique_ptr<TDibSurface>& s, int w, int h) {
    if (!s || s->Width() < w || s->Height() < h) {
      const int nw = std::max(w, s ? s->Width() : 0), nh = std::max(h, s ? s->Height() : 0);
      s.reset();
      s = std::make_unique<TDibSurface>(nw, nh);
    }
    return s->Valid();
  }

  std::unique_ptr<TDibSurface> FColour, FMask;
};

TComposeSurfaces& ComposeSurfaces() {
  static TComposeSurfaces surfaces;
  return surfaces;
}

// Bit 1 where the pixel has the key colour, rows padded to 16 bits as
// CreateBitmap wants them.
TGdiBitmap MakeMask(const Bitmap& bmp, TColor key) {
  const std::uint32_t keyPixel = ColorToPixel(ColorToRGB(key));
  const std::size_t stride = (static_cast<std::size_t>(bmp.Width()) + 15) / 16 * 2;
  std::vector<std::uint8_t> bits(stride * bmp.Height(), 0);
  for (int y = 0; y < bmp.Height(); ++y) {
    const std::uint32_t* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x)
      if (row[x] == keyPixel)
        bits[y * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  }
  return TGdiBitmap(CreateBitmap(bmp.Width(), bmp.Height(), 1, 1, bits.data()));
}

// The part of the bitmap that lands in rect: at most rect's size.
bool TransparentExtent(const RECT& rect, const Bitmap& bmp, int& w, int& h) {
  if (Inverted(rect) || bmp.Empty()) return false;
  w = static_cast<int>(std::min<std::int64_t>(std::int64_t{rect.right} - rect.left, bmp.Width()));
  h = static_cast<int>(std::min<std::int64_t>(std::int64_t{rect.bottom} - rect.top, bmp.Height()));
  return w > 0 && h > 0;
}

void Put(HDC dc, const RECT& rect, const Bitmap& built, bool transparent) {
  if (built.Empty()) return;
  ComposeSurfaces().Put(dc, rect.left, rect.top, built.Width(), built.Height(), built, transparent,
                        clMagenta);
}

Bitmap SubBitmap(const Bitmap& image, const TRect& r) {
  Bitmap out(r.Width(), r.Height(), clWhite);
  StretchCopy(out, {0, 0, out.Width(), out.Height()}, image, r);
  return out;
}

void AddRegionBatch(HRGN result, std::vector<RECT>& rects) {
  if (rects.empty()) return;
  RECT bound = rects.front();
  for (const RECT& r : rects) {
    bound.left = std::min(bound.left, r.left);
    bound.top = std::min(bound.top, r.top);
    bound.right = std::max(bound.right, r.right);
    bound.bottom = std::max(bound.bottom, r.bottom);
  }
  const std::size_t rectBytes = rects.size() * sizeof(RECT);
  std::vector<std::byte> data(sizeof(RGNDATAHEADER) + rectBytes);
  RGNDATAHEADER header{};
  header.dwSize = sizeof header;
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(rects.size());
  header.nRgnSize = static_cast<DWORD>(rectBytes);
  header.rcBound = bound;
  std::memcpy(data.data(), &header, sizeof header);
  std::memcpy(data.data() + sizeof header, rects.data(), rectBytes);
  const TGdiRegion part(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                        reinterpret_cast<const RGNDATA*>(data.data())));
  if (part) CombineRgn(result, result, part.Get(), RGN_OR);
  rects.clear();
}

} // namespace

TGdiBitmap CreateDibFromBitmap(const Bitmap& bmp) {
  if (bmp.Empty()) return {};
  std::uint32_t* bits = nullptr;
  TGdiBitmap dib = CreateTopDownDib(bmp.Width(), bmp.Height(), &bits);
  if (bits) std::memcpy(bits, bmp.Pixels().data(), bmp.Pixels().size() * 4);
  return dib;
}

Bitmap BitmapFromHandle(HBITMAP handle) {
  BITMAP info{};
  if (!handle || GetObjectW(handle, sizeof info, &info) != sizeof info) return {};
  const int w = info.bmWidth, h = std::abs(info.bmHeight);
  Bitmap out(w, h);
  if (out.Empty()) return out;
  BITMAPINFO want = TopDownInfo(w, h);
  const TWindowDC screen = TWindowDC::Client(nullptr);
  if (GetDIBits(screen.Get(), handle, 0, h, out.Pixels().data(), &want, DIB_RGB_COLORS) != h)
    return {};
  for (std::uint32_t& p : out.Pixels())
    p &= 0xFFFFFF;
  out.SetBitsPerPixel(info.bmBitsPixel);
  return out;
}

Bitmap BitmapFromDC(HDC dc, const RECT& area) {
  if (NoArea(area)) return {};
  TDibSurface surface(area.right - area.left, area.bottom - area.top);
  if (!surface.Valid()) return {};
  BitBlt(surface.DC(), 0, 0, area.right - area.left, area.bottom - area.top, dc, area.left,
         area.top, SRCCOPY);
  return surface.Pixels();
}

void DrawBitmap(HDC dc, int x, int y, const Bitmap& bmp) {
  if (bmp.Empty()) return;
  ComposeSurfaces().Put(dc, x, y, bmp.Width(), bmp.Height(), bmp, false, clMagenta);
}

void FillGradient(HDC dc, const RECT& rect, TColor c1, bool vertical, TColor c2) {
  RECT clip{};
  if (NoArea(rect) || !RectVisible(dc, &rect)) return;
  if (GetClipBox(dc, &clip) == ERROR) return;
  const TColor a = ColorToRGB(c1), b = ColorToRGB(c2);
  const int start = vertical ? rect.top : rect.left, end = vertical ? rect.bottom : rect.right;
  const std::int64_t extent = std::int64_t{end} - start;
  const int first = std::max(start, static_cast<int>(vertical ? clip.top : clip.left));
  const int last = std::min(end, static_cast<int>(vertical ? clip.bottom : clip.right));
  const std::vector<TColor>* table =
      extent <= kMaxGradientTable ? &GradientColors(GradientTable(static_cast<int>(extent), a, b))
                                  : nullptr;
  for (int line = first; line < last; ++line) {
    const std::int64_t i = std::int64_t{line} - start;
    const TColor c =
        table ? (*table)[i] : GradientEntry(static_cast<int>(i), static_cast<int>(extent), a, b);
    const TGdiBrush brush(CreateSolidBrush(c));
    const RECT r = vertical ? RECT{rect.left, line, rect.right, line + 1}
                            : RECT{line, rect.top, line + 1, rect.bottom};
    FillRect(dc, &r, brush.Get());
  }
}

void DrawNineSlice(HDC dc, const RECT& rect, const Bitmap& image, bool vertical, bool tileCentre,
                   bool transparent, int frameCount, int frameIndex, const TMargins& margins) {
  if (Inverted(rect) || FrameRect(image, vertical, frameCount, frameIndex).IsEmpty()) return;
  Put(dc, rect,
      BuildNineSlice(ToTRect(rect), image, margins, vertical, tileCentre, frameCount, frameIndex),
      transparent);
}

void DrawThreeSliceH(HDC canvas, const RECT& rect, const Bitmap& image, bool vertical,
                     bool transparent, int frameCount, int frameIndex, const TMargins& margins) {
  if (Inverted(rect) || FrameRect(image, vertical, frameCount, frameIndex).IsEmpty()) return;
  Put(canvas, rect,
      BuildThreeSliceH(ToTRect(rect), image, vertical, frameCount, frameIndex, margins),
      transparent);
}

void DrawThreeSliceStretch(HDC dc, const RECT& rect, const Bitmap& image, bool vertical,
                           int frameCount, int frameIndex, const TMargins& margins) {
  if (Inverted(rect) || FrameRect(image, vertical, frameCount, frameIndex).IsEmpty()) return;
  Put(dc, rect,
      BuildThreeSliceStretch(ToTRect(rect), image, vertical, frameCount, frameIndex, margins),
      false);
}

void DrawFrameStretched(HDC dc, const RECT& rect, const Bitmap& image, bool transparent,
                        int frameCount, int frameIndex) {
  if (Inverted(rect) || FrameRect(image, false, frameCount, frameIndex).IsEmpty()) return;
  Put(dc, rect, BuildFrameStretched(ToTRect(rect), image, frameCount, frameIndex), transparent);
}

void DrawFrameCentered(HDC dc, const RECT& rect, const Bitmap& image, bool transparent,
                       int frameCount, int frameIndex) {
  const TRect f = FrameRect(image, false, frameCount, frameIndex);
  if (Inverted(rect) || f.IsEmpty()) return;
  const int x =
      static_cast<int>(rect.left + (std::int64_t{rect.right} - rect.left - f.Width()) / 2);
  const int y =
      static_cast<int>(rect.top + (std::int64_t{rect.bottom} - rect.top - f.Height()) / 2);
  Put(dc, {x, y, x + f.Width(), y + f.Height()}, SubBitmap(image, f), transparent);
}

void DrawTransparent(HDC dc, const RECT& rect, const Bitmap& bitmap, TColor key) {
  int w = 0, h = 0;
  if (!TransparentExtent(rect, bitmap, w, h)) return;
  ComposeSurfaces().Put(dc, rect.left, rect.top, w, h, bitmap, true, key);
}

void DrawTransparentByInversion(HDC dc, const RECT& rect, const Bitmap& bitmap, TColor key) {
  int w = 0, h = 0;
  if (!TransparentExtent(rect, bitmap, w, h)) return;
  const TDibSurface source(bitmap);
  const TGdiBitmap mask = MakeMask(bitmap, key);
  if (!source.Valid() || !mask) return;
  const TMemoryDC maskDC(dc);
  const TSelection maskSelection(maskDC.Get(), mask.Get());
  // A monochrome source takes the destination's colours: key pixels
  // (bit 1) become white and keep the destination through the AND.
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, rect.left, rect.top, w, h, source.DC(), 0, 0, SRCINVERT);
  BitBlt(dc, rect.left, rect.top, w, h, maskDC.Get(), 0, 0, SRCAND);
  BitBlt(dc, rect.left, rect.top, w, h, source.DC(), 0, 0, SRCINVERT);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
}

void TileBitmap(HDC canvas, const RECT& rect, const Bitmap& image, const RECT& sourceRect) {
  const std::int64_t tileW = std::int64_t{sourceRect.right} - sourceRect.left;
  const std::int64_t tileH = std::int64_t{sourceRect.bottom} - sourceRect.top;
  if (Inverted(rect) || NoArea(rect) || tileW <= 0 || tileH <= 0) return;
  if (tileW * tileH > kMaxTilePixels) return;
  RECT clip{};
  if (GetClipBox(canvas, &clip) == ERROR || NoArea(clip)) return;
  // Whole tiles cover rect; only what the DC can show is composed.
  const std::int64_t spanW = (std::int64_t{rect.right} - rect.left + tileW - 1) / tileW * tileW;
  const std::int64_t spanH = (std::int64_t{rect.bottom} - rect.top + tileH - 1) / tileH * tileH;
  const RECT area = {std::max(rect.left, clip.left), std::max(rect.top, clip.top),
                     static_cast<LONG>(std::min<std::int64_t>(rect.left + spanW, clip.right)),
                     static_cast<LONG>(std::min<std::int64_t>(rect.top + spanH, clip.bottom))};
  if (NoArea(area)) return;
  const Bitmap tile = SubBitmap(image, ToTRect(sourceRect));
  Bitmap out(area.right - area.left, area.bottom - area.top);
  TileCopy(
      out,
      {rect.left - area.left, rect.top - area.top, rect.right - area.left, rect.bottom - area.top},
      tile, {0, 0, tile.Width(), tile.Height()});
  DrawBitmap(canvas, area.left, area.top, out);
}

TGdiRegion RegionFromBitmap(Bitmap& image, int offsetX, int offsetY, int tolB, int tolG, int tolR,
                            TColor key) {
  TGdiRegion result(CreateRectRgn(0, 0, 0, 0));
  if (!result) return result;
  std::vector<RECT> batch;
  batch.reserve(kRegionGrowth);
  for (const TRect& run : RegionRuns(image, offsetX, offsetY, tolB, tolG, tolR, key)) {
    if (batch.size() == batch.capacity()) batch.reserve(batch.capacity() + kRegionGrowth);
    batch.push_back({run.Left, run.Top, run.Right, run.Bottom});
    if (batch.size() == kRegionBatch) AddRegionBatch(result.Get(), batch);
  }
  AddRegionBatch(result.Get(), batch);
  return result;
}

struct TGdiImage::TPlanes {
  explicit TPlanes(const Bitmap& pixels) : Colour(pixels) {}
  TDibSurface Colour;
  // For keyed draws, made on the first: the AND mask and the pixels with
  // the key made black.
  std::unique_ptr<TDibSurface> KeyMask, KeyColour;
  TColor Key = clMagenta;
};

TGdiImage::TGdiImage(const Bitmap& pixels)
    : FWidth(pixels.Width()), FHeight(pixels.Height()), FPlanes(std::make_unique<TPlanes>(pixels)) {
}

TGdiImage::~TGdiImage() = default;

bool TGdiImage::Valid() const {
  return FPlanes->Colour.Valid();
}

HDC TGdiImage::DC() const {
  return Valid() ? FPlanes->Colour.DC() : nullptr;
}

void TGdiImage::Draw(HDC dc, int x, int y, const TRect& source, bool transparent,
                     TColor key) const {
  // Only what the image holds is copied, at the place it would have.
  const int left = std::max(source.Left, 0), top = std::max(source.Top, 0);
  const int right = std::min(source.Right, Width()), bottom = std::min(source.Bottom, Height());
  if (!Valid() || left >= right || top >= bottom) return;
  x += left - source.Left;
  y += top - source.Top;
  TPlanes& p = *FPlanes;
  if (!transparent) {
    BlitPlanes(dc, x, y, right - left, bottom - top, p.Colour, nullptr, left, top);
    return;
  }
  if (!p.KeyMask || p.Key != key) {
    p.KeyMask = std::make_unique<TDibSurface>(Width(), Height());
    p.KeyColour = std::make_unique<TDibSurface>(Width(), Height());
    p.Key = key;
    if (!p.KeyMask->Valid() || !p.KeyColour->Valid()) {
      p.KeyMask.reset();
      return;
    }
    const TDibSurface& colour = p.Colour;
    LoadPlanes([&colour](int row) { return colour.Row(row); }, Width(), Height(), *p.KeyColour,
               p.KeyMask.get(), key);
  }
  BlitPlanes(dc, x, y, right - left, bottom - top, *p.KeyColour, p.KeyMask.get(), left, top);
}

TScratchBitmap::TScratchBitmap() {
  SetStretchBltMode(FDC.Get(), COLORONCOLOR);
}

TScratchBitmap::~TScratchBitmap() {
  Unselect();
}

void TScratchBitmap::Unselect() {
  if (FOriginal) SelectObject(FDC.Get(), FOriginal);
  FOriginal = nullptr;
}

void TScratchBitmap::SetSize(int width, int height) {
  if (width == FWidth && height == FHeight && (FBitmap || width <= 0 || height <= 0)) return;
  Unselect();
  FBitmap.Reset();
  FWidth = FHeight = 0;
  if (width <= 0 || height <= 0) return;
  std::uint32_t* bits = nullptr;
  FBitmap = CreateTopDownDib(width, height, &bits);
  if (!FBitmap) return;
  FOriginal = SelectObject(FDC.Get(), FBitmap.Get());
  FWidth = width;
  FHeight = height;
}

TScratchBitmap& ScratchBitmap() {
  static TScratchBitmap scratch;
  return scratch;
}
