#pragma once
// The element objects of a loaded skin. An element is one picture cut into
// equal frames side by side (counted from 1), with the widths of the fixed
// nine-slice bands, transparency and tile flags, a style number for the
// painters and colours for its states. Fields are named after the keys
// they are read from, which are also the words the painters use.
//
// Two rules hold for every element, whatever its section calls them:
// - the four bands are the margins its picture is sliced with (for the
//   "Title" element those of the text background, for the menu bar
//   "TileLeftMenu" and "TileRightMenu");
// - Tile is 1 when the centre is tiled, else it is stretched. The form
//   borders say it the other way round in the skin ("Stretch", kept as
//   such); their Tile follows from it.

#include "core/Bitmap.h"
#include "core/Color.h"
#include "core/ImgUtil.h"

#include <memory>
#include <string>
#include <string_view>

// What a drawing layer keeps with an element: its picture in the form the
// screen takes, made on first draw (see skin/data/ElementDraw.h).
class TElementImageCache {
public:
  virtual ~TElementImageCache() = default;
};

class TDataSkinObject {
public:
  explicit TDataSkinObject(std::string_view name) : Name(name) {}
  virtual ~TDataSkinObject() = default;
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  int LeftWidth = 0;
  int TopHeight = 0;
  int RightWidth = 0;
  int BottomHeight = 0;
  Bitmap Image;
  int Trans = 0; // non-zero: magenta pixels are not drawn
  int Tile = 0;  // 1 tiles the centre, anything else stretches it
  std::string Name;
  int Frame = 0; // number of frames in Image
  int Style = 0;
  // Plain integers from the skin; -1 means not given.
  TColor NormalColour = 0;
  TColor MouseOverColour = 0;
  TColor PressedColour = 0;
  // Colour texts.
  TColor NormalColour2 = 0;
  TColor MouseOverColour2 = 0;
  TColor PressedColour2 = 0;

  TMargins Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
  bool TileCentre() const { return Tile == 1; }
  bool Transparent() const { return Trans != 0; }

  // The drawing layer's form of Image. It is made again when Image has
  // changed since (its revision tells), so it never shows stale pixels.
  TElementImageCache* ImageCache() const { return FImageCache.get(); }
  void SetImageCache(std::unique_ptr<TElementImageCache> cache) const {
    FImageCache = std::move(cache);
  }

private:
  mutable std::unique_ptr<TElementImageCache> FImageCache;
};

// An element with a second picture: the "Border" of "Tabs", the
// "GlyphImage" of the up-down buttons, the mirrored "ComboButton" strip.
class TDataSkinBorder : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  Bitmap Image2;
};

// Border pieces as the frame painter numbers them.
enum TBorderPiece : int { bpLeft = 1, bpRight = 2, bpTop = 3, bpBottom = 4 };

// A form border ("Left", "Right", "Top", "Bottom" of "Personality"); its
// second picture is a mask. Left and right borders have their fixed bands
// at the top and bottom, top and bottom borders at the left and right.
class TDataSkinFormBorder : public TDataSkinBorder {
public:
  using TDataSkinBorder::TDataSkinBorder;
  // The skin's own flag: 1 (the default) stretches the centre, anything
  // else tiles it. Tile says the same in the words of every element.
  int Stretch = 1;
};

class TDataSkinButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  const Bitmap& BitmapStrip() const { return Image; } // key "Bitmap", 5 frames
  Bitmap CheckButton;
  Bitmap RadioButton;
  int RadioButtonFrame = 0;
  int CheckButtonFrame = 0;
  bool NormalColour2Given = false;
  bool MouseOverColour2Given = false;
  bool PressedColour2Given = false;
};

// The caption ("Title"): its picture is the text background "TextBack",
// two frames stacked (active, inactive), sliced with the margins
// "TXTBackleft" and "TXTBackRight".
class TDataSkinTitle : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  const Bitmap& TextBack() const { return Image; }
  int TXTBackleft() const { return LeftWidth; }
  int TXTBackRight() const { return RightWidth; }
  int TextShift = 0;
  int TextShiftVert = 0;
  int TextRightClip = 0;
  int TextAlignment = 0;
  int TextBackground = 0; // key "Textbackground"
  int FontHeight = 0;
  TColor ActiveTextColour = 0;   // clNone when the skin gives none
  TColor InactiveTextColour = 0; // clNone when the skin gives none
};

// A title-bar button; the values are interpreted by the frame painter.
class TDataSkinSysButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  const Bitmap& ButtonImage() const { return Image; } // frames side by side, "frame" of them
  int Action = 0;
  int Align = 0;
  int Xcoord = 0;
  int Ycoord = 0;
  int CombineOp = 0;
  int Visibility = 0;
  int Visibility1 = 0;
};

// The group-box label.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int BackgroundLeftShift = 0;
  int BackgroundRightShift = 0;
  int BackgroundAlignment = 0;
};

// The menu bar ("menuBar" of "Personality"): two frames stacked (active,
// inactive), sliced with the margins "TileLeftMenu" and "TileRightMenu".
class TDataSkinMenuBar : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int TileLeftMenu() const { return LeftWidth; }
  int TileRightMenu() const { return RightWidth; }
  // 1 (the default): drawn as a nine-slice with its centre stretched;
  // anything else: as a three-slice whose middle repeats.
  int TileMenu = 1;
};

// The builders of ImgUtil for an element: its picture, frame count,
// margins and tile flag; frameIndex counts from 1.
Bitmap BuildNineSlice(const TRect& dest, const TDataSkinObject& e, int frameIndex,
                      bool vertical = false);
Bitmap BuildThreeSliceH(const TRect& dest, const TDataSkinObject& e, int frameIndex,
                        bool vertical = false);
Bitmap BuildThreeSliceStretch(const TRect& dest, const TDataSkinObject& e, int frameIndex,
                              bool vertical = false);
Bitmap BuildFrameStretched(const TRect& dest, const TDataSkinObject& e, int frameIndex);
