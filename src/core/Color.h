#pragma once
// Colours as the skin and the framework use them: red + green*256 +
// blue*65536, or 0x80000000 plus a Win32 colour index for a system colour,
// which is converted to red, green and blue before any arithmetic.

#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor clSystemColor = 0x80000000u;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMagenta = 0xFF00FF; // the transparency key of every skin image
constexpr TColor clNone = 0x1FFFFFFF;  // "not given"

// Win32 colour indexes used by the skin.
enum TSysColorIndex : int {
  COLORIDX_SCROLLBAR = 0,
  COLORIDX_MENU = 4,
  COLORIDX_WINDOWTEXT = 8,
  COLORIDX_CAPTIONTEXT = 9,
  COLORIDX_HIGHLIGHT = 13,
  COLORIDX_HIGHLIGHTTEXT = 14,
  COLORIDX_BTNFACE = 15,
  COLORIDX_BTNSHADOW = 16,
  COLORIDX_BTNTEXT = 18,
  COLORIDX_INACTIVECAPTIONTEXT = 19,
  COLORIDX_BTNHIGHLIGHT = 20,
  COLORIDX_3DDKSHADOW = 21,
  COLORIDX_MENUTEXT = 7,
};

constexpr TColor SysColor(int index) { return clSystemColor | static_cast<TColor>(index); }
constexpr bool IsSysColor(TColor c) { return (c & clSystemColor) != 0; }

constexpr int RedOf(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr TColor MakeColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Where system colours come from: the running Windows system, or natively a
// fixed table of the classic Windows colours.
class ISysColors {
public:
  virtual ~ISysColors() = default;
  virtual TColor Get(int index) const = 0; // red + green*256 + blue*65536
};
const ISysColors& SystemColors();

// A system colour becomes its RGB value; any other colour keeps its low 24
// bits.
TColor ColorToRGB(TColor c);
