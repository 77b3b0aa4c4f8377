#pragma once
// Colours and sizes of the default skin. The definition text
// (skins/default/skin.ini) states the same colours in its Colours section
// and the same sizes in its keys; the skin tests hold the two together.

#include "core/Color.h"

// The grey scheme.
inline constexpr TColor kFace = MakeColor(212, 212, 212);
inline constexpr TColor kLight = MakeColor(234, 234, 234);
inline constexpr TColor kHilite = MakeColor(255, 255, 255);
inline constexpr TColor kShadow = MakeColor(128, 128, 128);
inline constexpr TColor kDkShadow = MakeColor(64, 64, 64);
inline constexpr TColor kInk = MakeColor(0, 0, 0);
inline constexpr TColor kField = MakeColor(255, 255, 255); // inside edits and check boxes
inline constexpr TColor kTrack = MakeColor(228, 228, 228); // scroll-bar track
// The one accent: a slate blue for selections, focus and the active caption.
inline constexpr TColor kSelect = MakeColor(74, 96, 128);
inline constexpr TColor kSelectLight = MakeColor(143, 163, 192);
inline constexpr TColor kSelectDark = MakeColor(52, 68, 94);

// Caption bar, top to bottom, for the active and the inactive window.
inline constexpr TColor kCaptionTopLine[2] = {MakeColor(154, 169, 190), MakeColor(196, 196, 196)};
inline constexpr TColor kCaptionTop[2] = {MakeColor(122, 138, 161), MakeColor(170, 170, 170)};
inline constexpr TColor kCaptionBottom[2] = {MakeColor(76, 92, 117), MakeColor(142, 142, 142)};
inline constexpr TColor kCaptionBottomLine[2] = {MakeColor(58, 71, 92), MakeColor(124, 124, 124)};
inline constexpr TColor kCaptionText[2] = {MakeColor(255, 255, 255), MakeColor(236, 236, 236)};
// The line around the whole window.
inline constexpr TColor kFrameOutline[2] = {MakeColor(76, 76, 76), MakeColor(112, 112, 112)};

// Window frame: border widths, caption height and where the caption bar
// lies inside the top piece.
inline constexpr int kBorder = 4;
inline constexpr int kCaptionHeight = 25;
inline constexpr int kCaptionBarTop = 4;     // first row of the bar
inline constexpr int kCaptionBarBottom = 24; // first row below it
inline constexpr int kCornerRadius = 4;      // the rounded top corners
// Title-bar buttons.
inline constexpr int kCaptionButtonWidth = 16;
inline constexpr int kCaptionButtonHeight = 14;
inline constexpr int kCaptionButtonTop = 7;
// Thickness of the scroll bars (the classic arrow width).
inline constexpr int kScrollSize = 16;
