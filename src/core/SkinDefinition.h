#pragma once
// A loaded skin: the elements read from the definition text of a skin
// archive, the form borders, the caption and its buttons, and the colour
// table. Loading never fails: missing sections, keys and bitmaps give
// defaults and empty slots, and painters fall back to the plain look for
// an empty slot.
//
// Every load makes the slot elements and the title-bar buttons anew and
// frees those of the load before; the borders, "Buttons", "Title",
// "ComboxArrow" and "Toolbar" stay the same objects with new contents. So
// painters keep no element pointer, and nothing taken from an element,
// across a skin change: they read the elements again when Generation()
// differs from the one they drew with (a skin change also reaches them as
// SkinChanged).

#include "core/Bitmap.h"
#include "core/Color.h"
#include "core/SkinElements.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TQuickIni;
class TSkinReader;

// What the loader needs from the platform.
class ISkinEnvironment {
public:
  virtual ~ISkinEnvironment() = default;
  virtual Bitmap ResourceBitmap(std::string_view name) const = 0; // "TRACK", "TRACKVERT"
  virtual int ScrollArrowWidth() const = 0;                       // SM_CXVSCROLL
};

// Element slots in loading order; the last two are built from the others.
enum TSkinSlot : int {
  ssProgress,
  ssProgressChunk,
  ssMenuBar, // section "Personality", key "menuBar"
  ssGroupBoxEdge,
  ssGroupBox,
  ssTabs,
  ssStatusBarEdges,
  ssTabPane,
  ssToolBars,
  ssComboButton,
  ssSunkEdge,
  ssExtraImages,
  ssHeaderbar,
  ssMenuItem,
  ssMenuBackground,
  ssScrollbar,
  ssHorzScroll,
  ssVertScroll,
  ssHorzScrollThumb,
  ssVertScrollThumb,
  ssTrackbarThumbHorz,
  ssTrackbarThumbVert,
  ssTrackbarThumbLeft,
  ssTrackbarThumbRight,
  ssTrackbarThumbUp,
  ssTrackbarThumbDown,
  ssUpDownHorz,
  ssUpDownVert,
  ssTrack,
  ssTrackVert,
  ssComboxArrow,
  ssToolbar,
  ssSlotCount
};

// Colour slots; 9 and 10 are never read from a skin.
enum TSkinColor : int {
  scWindowText = 0,
  scTitleTextActive = 1,
  scTitleTextNoActive = 2,
  scButtonFace = 3,
  scButtonText = 4,
  scButtonHilight = 5,
  scButtonlight = 6,
  scButtonShadow = 7,
  scButtonDkShadow = 8,
  scHilightText = 11,
  scHilight = 12,
  scMenubar = 13,
  scMenuBarText = 14,
  scMenuText = 15,
  scMenu = 16,
  scBaseColor = 17,
  scScrollbar = 18,
  scColorCount = 19
};

class TSkinDefinition {
public:
  // The form borders, "Buttons" and "Title" exist from here on; every other
  // element is made by Load.
  TSkinDefinition();
  ~TSkinDefinition();
  TSkinDefinition(const TSkinDefinition&) = delete;
  TSkinDefinition& operator=(const TSkinDefinition&) = delete;

  // Reads the definition text (already in ini) with the bitmaps of reader.
  // A second load replaces what the first made.
  void Load(const TQuickIni& ini, const TSkinReader& reader, const ISkinEnvironment& env);
  // Counts the loads: 0 before the first, then one more for each.
  std::uint32_t Generation() const { return FGeneration; }

  std::string SkinName;

  TDataSkinObject* Element(TSkinSlot slot) const; // nullptr: the slot is empty
  // The slots whose elements are of their own kind; nullptr when empty.
  TDataSkinMenuBar* MenuBar() const;   // ssMenuBar
  TDataSkinBoxLabel* GroupBox() const; // ssGroupBox
  // Tabs, ComboButton, UpDown.Horz, UpDown.Vert and Progress, which have a
  // second picture; nullptr for other slots and empty ones.
  TDataSkinBorder* ElementWithSecondImage(TSkinSlot slot) const;
  // By section name, case ignored; also finds the borders, "Buttons" and
  // "Title".
  TDataSkinObject* ElementByName(std::string_view sectionName) const;
  // The form borders by piece number: 1 (bpLeft) to 4 (bpBottom). Throws
  // std::out_of_range for another number.
  TDataSkinFormBorder& Border(int piece);
  const TDataSkinFormBorder& Border(int piece) const;
  TDataSkinButton& Buttons() { return *FButtons; }
  const TDataSkinButton& Buttons() const { return *FButtons; }
  TDataSkinTitle& Title() { return *FTitle; }
  const TDataSkinTitle& Title() const { return *FTitle; }

  // Title-bar buttons in the skin's order, then the three MDI child buttons.
  std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
  std::array<TColor, scColorCount> Colors{};
  std::array<bool, scColorCount> ColorGiven{};
  std::vector<TColor> SchemeColors;
  std::array<TColor, 10> CustomColors{};

  // The face colour, or, when the top border has a picture, the colour of
  // that picture a third into its first frame. Also stored in Colors[17].
  TColor BaseColor() const;

private:
  void LoadBorders(const TQuickIni& ini, const TSkinReader& reader);
  void LoadColors(const TQuickIni& ini, const std::vector<std::string>& sections);
  void LoadSysButtons(const TQuickIni& ini, const TSkinReader& reader,
                      const std::vector<std::string>& sections);
  void LoadMdiButtons(const TQuickIni& ini, const TSkinReader& reader);
  void LoadButtons(const TQuickIni& ini, const TSkinReader& reader);
  void LoadTitle(const TQuickIni& ini, const TSkinReader& reader);
  void LoadSlots(const TQuickIni& ini, const TSkinReader& reader, const ISkinEnvironment& env);
  void MirrorComboButton();
  void FixFrameCounts(const TQuickIni& ini);
  void BuildComboFrames(int arrowWidth);
  void BuildComboxArrow();
  void BuildToolbar();

  std::array<std::unique_ptr<TDataSkinObject>, ssSlotCount> FSlots;
  std::array<std::unique_ptr<TDataSkinFormBorder>, 4> FBorders; // piece - 1
  std::uint32_t FGeneration = 0;
  std::unique_ptr<TDataSkinButton> FButtons;
  std::unique_ptr<TDataSkinTitle> FTitle;
};
