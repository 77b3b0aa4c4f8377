#pragma once
// Tool bars: a windowed bar that lays its tool buttons out left to right
// and paints them itself, off-screen, with custom-draw events for the
// background and for each button's face. A bar with a main menu shows one
// button per top-level item, like a menu bar.

#include "fw/Controls.h"
#include "fw/ImgList.h"
#include "fw/Menus.h"

#include <memory>
#include <vector>

class TToolBar;
class TToolButton;

// The states a button is drawn in (a set of these bits).
using TCustomDrawState = unsigned;
constexpr TCustomDrawState cdsSelected = 1;
constexpr TCustomDrawState cdsGrayed = 2;
constexpr TCustomDrawState cdsDisabled = 4;
constexpr TCustomDrawState cdsChecked = 8;
constexpr TCustomDrawState cdsFocused = 16;
constexpr TCustomDrawState cdsDefault = 32;
constexpr TCustomDrawState cdsHot = 64;
constexpr TCustomDrawState cdsMarked = 128;
constexpr TCustomDrawState cdsIndeterminate = 256;

// Sender, the rectangle being painted, var default drawing.
using TTBCustomDrawEvent = TEvent<TToolBar*, const RECT&, bool&>;
// Sender, the button, its state set, var default drawing.
using TTBCustomDrawBtnEvent = TEvent<TToolBar*, TToolButton*, unsigned, bool&>;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
extern const TEnumInfo ToolButtonStyleInfo;

class TToolButton : public TGraphicControl {
  FW_DECLARE_CLASS(TToolButton)
public:
  explicit TToolButton(TComponent* owner);
  ~TToolButton() override;

  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle v);
  bool Down() const { return FDown; }
  void SetDown(bool v);
  // Neighbouring grouped check buttons are down one at a time.
  bool Grouped() const { return FGrouped; }
  void SetGrouped(bool v);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* v);
  // The menu item the button stands for: a click drops its sub-items down.
  TMenuItem* MenuItem() const { return FMenuItem; }
  void SetMenuItem(TMenuItem* v);

  TToolBar* ToolBar() const;
  bool IsSeparator() const { return FStyle == tbsSeparator || FStyle == tbsDivider; }
  // The mouse is over the button / the left button is held on it.
  bool Hot() const { return FHot; }
  bool Pressed() const { return FPressed; }
  // The state set the button is drawn in now.
  TCustomDrawState DrawState() const;
  // The part of a drop-down button that holds its arrow (client
  // coordinates); empty for other styles.
  RECT ArrowRect() const;
  // Drops down the button's menu under it; false when it has none.
  bool CheckMenuDropdown();

  void WndProc(TMessage& msg) override;
  void Click() override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void TextChanged() override;
  void VisibleChanged() override;

private:
  void LayoutChanged();
  void SetHot(bool v);
  void SetPressed(bool v);
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
  // Neighbours of a grouped check button that form its group with it.
  std::vector<TToolButton*> GroupMembers();
  TToolButtonStyle FStyle = tbsButton;
  bool FDown = false;
  bool FGrouped = false;
  int FImageIndex = -1;
  TPopupMenu* FDropdownMenu = nullptr;
  TMenuItem* FMenuItem = nullptr;
  bool FHot = false;
  bool FPressed = false;
  bool FDragging = false;
  bool FDroppingDown = false;
  friend class TToolBar;
};

class TToolBar : public TCustomControl {
  FW_DECLARE_CLASS(TToolBar)
public:
  explicit TToolBar(TComponent* owner);
  ~TToolBar() override;

  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int v);
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int v);
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* v);
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool v);
  // With a menu the bar shows one button per top-level item (made and
  // owned by the bar) and drops each item's sub-items down from it.
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* v);

  // The tool buttons on the bar, in their order.
  std::vector<TToolButton*> Buttons() const;
  int ButtonCount() const { return static_cast<int>(Buttons().size()); }
  // The button size the bar gives its buttons now (captions may widen it).
  SIZE ButtonSize() const;
  // Lays the buttons out again.
  void RearrangeButtons();
  // Rebuilds the buttons of the menu after the menu changed.
  void RebuildMenuButtons();
  // Where a button's drop-down opens: its bottom-left corner on the screen.
  POINT DropdownPoint(const TToolButton* button) const;
  // Shows the sub-items of a menu item under a button until the menu
  // closes; the chosen item is clicked. False when it has none.
  bool TrackMenu(TToolButton* button, TMenuItem* item);

  TTBCustomDrawEvent OnCustomDraw;
  TTBCustomDrawBtnEvent OnCustomDrawButton;

  void WndProc(TMessage& msg) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  static constexpr int kTopMargin = 2;
  static constexpr int kArrowWidth = 12;

protected:
  void CreateParams(TCreateParams& p) override;
  void AlignControls(RECT& r) override;
  void Paint() override;
  void FontChanged() override;

private:
  void PaintBackground(const RECT& rect);
  void PaintButton(TToolButton* button);
  void DrawButtonFace(HDC dc, const TToolButton* button, TCustomDrawState state);
  void DrawButtonImage(HDC dc, const TToolButton* button, const RECT& face);
  void DrawButtonCaption(const TToolButton* button, const RECT& face);
  void DrawDropArrow(HDC dc, const TToolButton* button);
  void DrawSeparator(HDC dc, const TToolButton* button);
  void ClearMenuButtons();
  int FButtonWidth = 23;
  int FButtonHeight = 22;
  bool FFlat = false;
  TCustomImageList* FImages = nullptr;
  bool FShowCaptions = false;
  TMainMenu* FMenu = nullptr;
  std::vector<TToolButton*> FMenuButtons; // made for the menu's items, owned
  TControl* FLeaving = nullptr;           // a control leaving the bar right now
};
