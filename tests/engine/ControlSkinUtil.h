#pragma once
// A test skin for the control painters: every frame of the scroll-bar,
// combo, up-down, progress and track-bar elements is one solid colour of
// its own, so each choice of element and frame shows in one pixel; and
// the small helpers the control tests share.

#include "EngineTestUtil.h"
#include "skin/controls/SkinControl.h"

#include <string>

namespace enginetest {

enum class TPiece : int {
  Scrollbar, // 23 frames, 17 x 17 each: the bar is 17 pixels thick
  HorzScroll,
  VertScroll, // 4 frames
  HorzThumb,
  VertThumb, // 3 frames
  ComboButton,
  SunkEdge,
  ExtraImages, // 4, 4, 5 frames
  UpDownVert,
  UpDownHorz, // 8 frames
  Progress,   // 2 frames (1 in chunk mode)
  Chunk,
  Track,     // "Track": left cap 1, middle 2, right cap 3
  TrackVert, // "TRACKVERT": top cap 1, middle 2, bottom cap 3
  ThumbHorz,
  ThumbVert, // 5 frames
};

// The colour of frame (from 1) of a piece.
TColor PieceColor(TPiece piece, int frame);
// The frame of piece whose colour c is, or 0.
int FrameIn(TPiece piece, TColor c);
// "VertScroll 3", "ButtonFace", "(12,34,56)": what a colour stands for,
// for failure messages.
std::string Name(TColor c);

struct TControlSkin {
  bool Scrollbars = true;
  int ComboStyle = 0;       // "ComboButton" Style: 1 flat, other separate
  bool SunkEdge = false;    // with it the combo look is the composite one
  bool ExtraImages = false; // the separate look's glyph
  bool UpDown = true;
  bool Progress = true;
  bool ProgressChunk = false; // "Progress" Style 1 and a chunk element
  bool ChunkTile = false;
  bool Track = true;
};

// StandardSpec with the control elements that skin asks for.
TSkinSpec ControlSpec(const TControlSkin& skin = {});

constexpr TColor kShadow = 0x00332211; // "ButtonShadow" of ControlSpec
constexpr TColor kDkShadow = 0x00443322;

// The painter attached to a control, of the given class; null when the
// control has none or one of another class.
template <class T> T* PainterFor(const TWinSkinForm* engine, const TControl* c) {
  if (!engine) return nullptr;
  for (TSkinControl* p : engine->Painters)
    if (p->Control == c) return As<T>(p);
  return nullptr;
}

// A pixel of a window in its client coordinates, painted first.
TColor ClientPixel(HWND wnd, int x, int y);

} // namespace enginetest
