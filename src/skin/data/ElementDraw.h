#pragma once
// Drawing a skin element in one call: its picture, frame count, margins,
// tile flag and transparency all come from the element; frameIndex counts
// from 1. The element's picture is turned into its GDI form on the first
// draw and kept with the element (made again only when the picture has
// changed), so drawing it at its own size copies straight from there and
// drawing it sliced composes once and blits; neither makes a GDI object.
//
// Elements belong to the skin that is loaded now: after a skin change
// painters read them from the skin data again (see core/SkinDefinition.h).

#include "core/SkinElements.h"
#include "skin/data/ImgUtilGdi.h"

#include <windows.h>

// The GDI form of the element's picture; null when it has none.
const TGdiImage* ElementGdiImage(const TDataSkinObject& e);

// A nine-slice of the frame over rect (frames stacked when vertical).
void DrawNineSlice(HDC dc, const RECT& rect, const TDataSkinObject& e, int frameIndex,
                   bool vertical = false);
// Left band, middle repeated at its own width, right band.
void DrawThreeSliceH(HDC dc, const RECT& rect, const TDataSkinObject& e, int frameIndex,
                     bool vertical = false);
// Three stretched bands; always opaque, as its primitive.
void DrawThreeSliceStretch(HDC dc, const RECT& rect, const TDataSkinObject& e, int frameIndex,
                           bool vertical = false);
// The frame (side by side) stretched over rect.
void DrawFrameStretched(HDC dc, const RECT& rect, const TDataSkinObject& e, int frameIndex);
// The frame at its own size, centred in rect.
void DrawFrameCentered(HDC dc, const RECT& rect, const TDataSkinObject& e, int frameIndex);
