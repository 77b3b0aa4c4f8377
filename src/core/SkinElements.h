#pragma once
// The element objects of a loaded skin. An element is one picture cut into
// equal frames side by side (counted from 1), with the widths of the fixed
// nine-slice bands, transparency and tile flags, a style number for the
// painters and colours for its states. Fields keep the order and names of
// the keys they are read from.

#include "core/Bitmap.h"
#include "core/Color.h"
#include "core/ImgUtil.h"

#include <string>
#include <string_view>

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
  int Tile = 0;  // 1 tiles the centre, 0 stretches it
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
};

// Also the form borders, whose second image is a mask or glyph picture.
class TDataSkinBorder : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  Bitmap Image2;
};

class TDataSkinButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  Bitmap CheckImage;
  Bitmap RadioImage;
  int RadioFrame = 0;
  int CheckFrame = 0;
  bool NormalColour2Given = false;
  bool MouseOverColour2Given = false;
  bool PressedColour2Given = false;
};

// The caption: its bands hold the text shifts (left: "TextShift", top:
// "TextShiftVert", right: "TextRightClip", bottom: 0).
class TDataSkinTitle : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int TextAlignment = 0;
  int TextBackground = 0;
  int FontHeight = 0;
  int TextBackLeft = 0;
  int TextBackRight = 0;
  TColor ActiveTextColour = 0;
  TColor InactiveTextColour = 0;
};

// A title-bar button; the values are interpreted by the frame painter.
class TDataSkinSysButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int Action = 0;
  int Align = 0;
  int X = 0;
  int Y = 0;
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
