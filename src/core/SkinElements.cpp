#include "core/SkinElements.h"

Bitmap BuildNineSlice(const TRect& dest, const TDataSkinObject& e, int frameIndex, bool vertical) {
  return BuildNineSlice(dest, e.Image, e.Margins(), vertical, e.TileCentre(), e.Frame, frameIndex);
}

Bitmap BuildThreeSliceH(const TRect& dest, const TDataSkinObject& e, int frameIndex,
                        bool vertical) {
  return BuildThreeSliceH(dest, e.Image, vertical, e.Frame, frameIndex, e.Margins());
}

Bitmap BuildThreeSliceStretch(const TRect& dest, const TDataSkinObject& e, int frameIndex,
                              bool vertical) {
  return BuildThreeSliceStretch(dest, e.Image, vertical, e.Frame, frameIndex, e.Margins());
}

Bitmap BuildFrameStretched(const TRect& dest, const TDataSkinObject& e, int frameIndex) {
  return BuildFrameStretched(dest, e.Image, e.Frame, frameIndex);
}
