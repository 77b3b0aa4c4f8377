#pragma once
// The skin engine's drawing onto device contexts: core bitmaps in and out
// of GDI, gradients, the slice painters, magenta transparency, tiling,
// window regions from bitmaps, and the shared scratch bitmap. Rectangles
// are in the DC's logical coordinates; a destination whose right is left
// of its left, or whose bottom is above its top, draws nothing.

#include "core/ImgUtil.h"
#include "fw/GdiHandles.h"

#include <windows.h>

#include <memory>

// A 32-bit top-down DIB section holding the bitmap's pixels.
TGdiBitmap CreateDibFromBitmap(const Bitmap& bmp);
// The pixels of any bitmap handle (empty when it is not a bitmap).
Bitmap BitmapFromHandle(HBITMAP handle);
// The pixels of an area of a DC, in its logical coordinates.
Bitmap BitmapFromDC(HDC dc, const RECT& area);
// Copies the bitmap to (x, y) of the DC.
void DrawBitmap(HDC dc, int x, int y, const Bitmap& bmp);

// One-pixel lines (rows when vertical, else columns), one solid brush each,
// from c1 towards c2; lines outside the clip box are skipped.
void FillGradient(HDC dc, const RECT& rect, TColor c1, bool vertical, TColor c2);

void DrawNineSlice(HDC dc, const RECT& rect, const Bitmap& image, bool vertical, bool tileCentre,
                   bool transparent, int frameCount, int frameIndex, const TMargins& margins);
void DrawThreeSliceH(HDC canvas, const RECT& rect, const Bitmap& image, bool vertical,
                     bool transparent, int frameCount, int frameIndex, const TMargins& margins);
void DrawThreeSliceStretch(HDC dc, const RECT& rect, const Bitmap& image, bool vertical,
                           int frameCount, int frameIndex, const TMargins& margins);
void DrawFrameStretched(HDC dc, const RECT& rect, const Bitmap& image, bool transparent,
                        int frameCount, int frameIndex);
// The frame at its own size, centred in rect (it may stick out).
void DrawFrameCentered(HDC dc, const RECT& rect, const Bitmap& image, bool transparent,
                       int frameCount, int frameIndex);

// Copies the bitmap from its origin to rect's top-left, at most rect's size,
// leaving the destination where the bitmap has the key colour.
void DrawTransparent(HDC dc, const RECT& rect, const Bitmap& bitmap, TColor key = clMagenta);
// The same result through three BitBlts (source XOR, mask AND, source
// XOR), for systems without MaskBlt. The DC's colours are put back.
void DrawTransparentByInversion(HDC dc, const RECT& rect, const Bitmap& bitmap,
                                TColor key = clMagenta);

// Repeats the image's sourceRect from rect's top-left in steps of its size
// while inside rect; the last tiles run past rect and are clipped only by
// the DC.
void TileBitmap(HDC canvas, const RECT& rect, const Bitmap& image, const RECT& sourceRect);

// The region of the image's non-transparent pixels (see RegionRuns), moved
// by the offsets; empty when every pixel is transparent. The image is
// switched to 32 bits per pixel.
TGdiRegion RegionFromBitmap(Bitmap& image, int offsetX, int offsetY, int tolB, int tolG, int tolR,
                            TColor key);

// A picture in the form GDI draws from, for pictures drawn again and again
// (those of skin elements): its pixels in a DIB section on a memory DC,
// and, from the first keyed draw on, what a keyed copy needs. Drawing from
// it makes no GDI object.
class TGdiImage {
public:
  explicit TGdiImage(const Bitmap& pixels);
  ~TGdiImage();
  TGdiImage(const TGdiImage&) = delete;
  TGdiImage& operator=(const TGdiImage&) = delete;

  bool Valid() const; // false when the system gave no bitmap
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // The source rectangle at its own size with its top-left at (x, y); the
  // part outside the picture is not drawn. Transparent: pixels of the key
  // colour leave the destination as it was.
  void Draw(HDC dc, int x, int y, const TRect& source, bool transparent,
            TColor key = clMagenta) const;
  // The memory DC that holds the pixels, for copies the calls above do not
  // make (stretched ones); null when the system gave no bitmap.
  HDC DC() const;

private:
  struct TPlanes;
  int FWidth, FHeight;
  std::unique_ptr<TPlanes> FPlanes;
};

// The shared scratch surface of the frame and menu-bar painters: a memory
// DC holding a 32-bit DIB section, stretch mode COLORONCOLOR. Its contents
// are undefined after SetSize.
class TScratchBitmap {
public:
  TScratchBitmap();
  ~TScratchBitmap();
  TScratchBitmap(const TScratchBitmap&) = delete;
  TScratchBitmap& operator=(const TScratchBitmap&) = delete;

  void SetSize(int width, int height);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  HDC DC() const { return FDC.Get(); }
  HBITMAP Handle() const { return FBitmap.Get(); }

private:
  void Unselect();
  TMemoryDC FDC;
  TGdiBitmap FBitmap;
  HGDIOBJ FOriginal = nullptr;
  int FWidth = 0, FHeight = 0;
};

// The process's scratch bitmap, made on first use and freed at exit.
TScratchBitmap& ScratchBitmap();
