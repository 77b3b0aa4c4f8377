#pragma once
// Menus: items in a tree, the main menu a form shows in its menu bar and
// popup menus shown at a point. Each item with sub-items has a system menu
// of its own; items are found by command identifier and by menu handle, so
// the window that gets WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM hands
// them to the item.

#include "fw/Controls.h"
#include "fw/ImgList.h"

#include <vector>

// A shortcut: a virtual key with scShift, scCtrl and scAlt.
using TShortCut = unsigned;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
std::wstring ShortCutToText(TShortCut shortcut);
TShortCut TextToShortCut(const std::wstring& text);
// The accelerator of a caption: the character after a single "&", or 0.
wchar_t GetHotkey(const std::wstring& caption);

class TMenu;
class TMenuItem;
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas*, RECT, bool>;
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas*, int&, int&>;

// An action: a caption and an enabled state that items follow, a handler
// that runs when they are clicked, and an update before they show.
class TBasicAction : public TComponent {
  FW_DECLARE_CLASS(TBasicAction)
public:
  using TComponent::TComponent;
  std::wstring Caption;
  bool Enabled = true;
  bool Checked = false;
  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;
  void Update();
  bool Execute();
};

class TMenuItem : public TComponent {
  FW_DECLARE_CLASS(TMenuItem)
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::wstring& Caption() const { return FCaption; }
  void SetCaption(const std::wstring& v);
  bool IsLine() const { return FCaption == L"-"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  bool Checked() const { return FChecked; }
  void SetChecked(bool v);
  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut v);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* v);
  // The shortcut as the item shows it ("Ctrl+S").
  // The caption and state the action gives, before the item is shown.
  void InitiateAction();

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int i) const { return FItems.at(i); }
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Clear(); // frees the sub-items

  // The command the window reports for this item; unique in the process.
  UINT Command() const { return FCommand; }
  // The system menu of the sub-items (made on first use); null without any.
  HMENU Handle();
  HMENU HandleIfMade() const { return FHandle; }
  // The menu this item belongs to, through its parents.
  TMenu* GetParentMenu() const;
  TCustomImageList* GetImageList() const;

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;
  virtual void Click();
  // What the window asks for an owner-drawn item: the event, else the
  // framework's own look.
  void DrawItem(TCanvas& canvas, RECT rect, bool selected);
  void MeasureItem(TCanvas& canvas, int& width, int& height);
  // The framework's own look, without the events.
  void DefaultDrawItem(TCanvas& canvas, RECT rect, bool selected);
  void DefaultMeasureItem(TCanvas& canvas, int& width, int& height);

  TMenuItem* FindByCommand(UINT command);
  TMenuItem* FindByHandle(HMENU handle);
  // The first visible item without sub-items that has this shortcut.
  TMenuItem* FindByShortCut(TShortCut shortcut);
  // The menu of this item was changed: rebuild what the window shows.
  void Changed();
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;
  // Fills the system menu of the sub-items from scratch.
  void RebuildHandle();
  bool OwnerDrawn() const;
  // Stored forms nest items under their menu or parent item.
  bool SetParentComponent(TComponent* parent) override;
  void GetChildren(std::vector<TComponent*>& out) const override;
  bool HasParent() const override { return FParent != nullptr; }

private:
  void AppendTo(HMENU menu);
  std::wstring FCaption;
  bool FEnabled = true, FChecked = false, FDefault = false, FVisible = true;
  TShortCut FShortCut = 0;
  int FImageIndex = -1;
  TBasicAction* FAction = nullptr;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr; // set on the root item of a menu
  UINT FCommand = 0;
  HMENU FHandle = nullptr;
  friend class TMenu;
  friend class TPopupMenu;
};

class TMenu : public TComponent {
  FW_DECLARE_CLASS(TMenu)
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  TMenuItem& Items() { return *FItems; }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* v);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool v);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode v);
  bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
  virtual HMENU Handle();
  HMENU HandleIfMade() const { return FItems->HandleIfMade(); }
  TMenuItem* FindItem(UINT command) { return FItems->FindByCommand(command); }
  TMenuItem* FindItemByHandle(HMENU handle) { return FItems->FindByHandle(handle); }
  // Handles a WM_COMMAND of one of its items; false when it is none of them.
  bool DispatchCommand(UINT command);
  // WM_INITMENUPOPUP of one of its drop-downs: the items' actions update.
  bool DispatchPopup(HMENU handle);
  // Clicks the enabled item with this shortcut; false when there is none.
  bool IsShortCut(TShortCut shortcut);
  // Something the window shows changed.
  virtual void MenuChanged();
  void Notification(TComponent* component, TOperation operation) override;
  void GetChildren(std::vector<TComponent*>& out) const override;
  void Loaded() override;
  virtual bool IsPopup() const = 0;

protected:
  static void RebuildAll(TMenuItem* item);
  TMenuItem* FItems;
  TCustomImageList* FImages = nullptr;
  bool FOwnerDraw = false;
  TBiDiMode FBiDiMode = bdLeftToRight;
  friend class TMenuItem;
};

class TMainMenu : public TMenu {
  FW_DECLARE_CLASS(TMainMenu)
public:
  using TMenu::TMenu;
  void MenuChanged() override;
  // The form whose window shows this menu.
  TWinControl* WindowOwner() const;
  bool IsPopup() const override { return false; }
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
  FW_DECLARE_CLASS(TPopupMenu)
public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;
  bool AutoPopup = true;
  TPopupAlignment Alignment = paLeft;
  TComponent* PopupComponent = nullptr;
  TNotifyEvent OnPopup;
  // Shows the menu at a screen point until it closes; a chosen item is
  // clicked.
  virtual void Popup(int x, int y);
  bool IsPopup() const override { return true; }
};

// The hidden window that owns every popup menu while it shows: it gets
// the items' commands and their drawing requests.
HWND PopupListWindow();
// Every popup menu of the process (they find their items from there).
const std::vector<TPopupMenu*>& PopupMenuList();
// The item behind a command identifier in any menu of the process.
TMenuItem* FindMenuItemByCommand(UINT command);
// Answers WM_MEASUREITEM or WM_DRAWITEM of an owner-drawn menu item with
// the item find gives for its command: true when it was one.
bool HandleMenuItemMessage(UINT message, LPARAM lParam, TMenuItem* (*find)(UINT command));
void DestroyPopupListWindow();
extern const TEnumInfo PopupAlignmentInfo;

// The menu glyph width the framework leaves for checks and images.
constexpr int kMenuGlyphWidth = 16;

void RegisterMenuClasses();
