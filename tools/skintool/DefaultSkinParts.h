#pragma once
// Looks and glyphs shared by the pictures of the default skin, and one
// function per picture.

#include "skintool/DefaultSkinPalette.h"
#include "skintool/SkinPaint.h"

#include <string_view>

enum TLook { lkNormal, lkPressed, lkHot, lkDisabled };

// The small classic button of title bars, scroll arrows, up-down arrows and
// the combo box: a two-pixel raised bevel around a face that lightens
// towards the top; pressed, it is flat inside a one-pixel shadow line.
void DrawSmallButton(Bitmap& b, const TRect& r, TLook look);
// Two-pixel frames: raised (panes, menus, thumbs) and sunken (fields).
void DrawRaisedFrame(Bitmap& b, const TRect& r, TColor inside);
void DrawSunkenFrame(Bitmap& b, const TRect& r, TColor inside);
// A glyph at (x, y) as the look shows it: pressed glyphs move one pixel
// down and right, disabled ones are embossed.
void DrawLookGlyph(Bitmap& b, int x, int y, TPattern glyph, TLook look, TColor ink = kInk);
// Draws the glyph centred in r, as DrawLookGlyph does.
void DrawCentredGlyph(Bitmap& b, const TRect& r, TPattern glyph, TLook look, TColor ink = kInk);

// Arrows of the scroll bars and the combo box (7 pixels across) and of the
// up-down control (5 across).
inline constexpr std::string_view kArrowUp[] = {"...#...", "..###..", ".#####.", "#######"};
inline constexpr std::string_view kArrowDown[] = {"#######", ".#####.", "..###..", "...#..."};
inline constexpr std::string_view kArrowLeft[] = {"...#", "..##", ".###", "####",
                                                  ".###", "..##", "...#"};
inline constexpr std::string_view kArrowRight[] = {"#...", "##..", "###.", "####",
                                                   "###.", "##..", "#..."};
inline constexpr std::string_view kSmallUp[] = {"..#..", ".###.", "#####"};
inline constexpr std::string_view kSmallDown[] = {"#####", ".###.", "..#.."};
inline constexpr std::string_view kSmallLeft[] = {"..#", ".##", "###", ".##", "..#"};
inline constexpr std::string_view kSmallRight[] = {"#..", "##.", "###", "##.", "#.."};
// Title-bar glyphs.
inline constexpr std::string_view kCloseGlyph[] = {"##....##", ".##..##.", "..####..", "...##...",
                                                   "..####..", ".##..##.", "##....##"};
inline constexpr std::string_view kMaximizeGlyph[] = {"#########", "#########", "#.......#",
                                                      "#.......#", "#.......#", "#.......#",
                                                      "#.......#", "#.......#", "#########"};
inline constexpr std::string_view kMinimizeGlyph[] = {
    "......", "......", "......", "......", "......", "......", "......", "######", "######"};
inline constexpr std::string_view kRestoreGlyph[] = {"..######", "..######", "..#....#",
                                                     "######.#", "######.#", "#....###",
                                                     "#....#..", "#....#..", "######.."};

// Window frame.
Bitmap FrameLeft();
Bitmap FrameRight();
Bitmap FrameTop();
Bitmap FrameBottom();
// The mask of a frame piece: black where it is drawn, white where it is
// magenta.
Bitmap MaskOf(const Bitmap& piece);
Bitmap CaptionTextBack();
Bitmap CaptionButton(TPattern glyph);
Bitmap MdiButtons();

// Menus and panes.
Bitmap MenuBar();
Bitmap MenuItem();
Bitmap RaisedPane();

// Controls.
Bitmap PushButton();
Bitmap CheckBoxes();
Bitmap RadioButtons();
Bitmap ProgressBar();
Bitmap Tabs();
Bitmap ComboButton();
Bitmap SunkenEdge();
Bitmap ExtraImages();
Bitmap StatusBarEdges();

// Scroll bars, track bars and up-down arrows.
Bitmap ScrollBarStrip();
Bitmap ScrollTrack();
Bitmap Bevels();
Bitmap TrackThumbVert();
Bitmap TrackChannel();
Bitmap UpDownButtons();
Bitmap UpDownGlyphs(bool vertical);
