#pragma once
// The form skin engine: one per skinned top-level window. It takes over the
// window's procedure, shrinks the client area by the skin's borders, paints
// the frame, caption and title buttons, answers hit tests, keeps a window
// region for shaped frames, owns the painters of the window's controls and
// gives everything back when it lets go.
//
// Its work is split by concern: the lifecycle here (WinSkinForm.cpp),
// message routing and geometry (SkinWndProc.cpp), the title bar and frame
// (TitleBar.cpp), painter selection (skin/controls).

#include "fw/ExtCtrls.h"
#include "fw/Forms.h"
#include "fw/WindowSubclass.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"

#include <memory>
#include <string>
#include <vector>

class TWinSkinForm;
class TWinSkinMenu; // the skinned menu bar
class TSkinControl; // the painter base
class TDataSkinSysButton;
class TMenuItem;
class TPopupMenu;
class TMenuBtn;
class TToolBar;
class TToolButton;

// One clickable object of the non-client area: a title button or a menu
// bar button. Bounds are window-relative.
class TNCObject : public TObject {
public:
  explicit TNCObject(TWinSkinForm* engine) : Engine(engine) {}
  ~TNCObject() override;
  TWinSkinForm* Engine;
  RECT Bounds{};
  bool Visible = false;
  int State = 0; // 0 not yet drawn, 1 normal, 2 pressed, 3 hot
  bool Enabled = true;

  virtual void Press();
  virtual void Release();
  virtual void Hover();
  virtual void Leave();
  virtual void Draw() {}
};

class TWinSysButton : public TNCObject {
public:
  TWinSysButton(TWinSkinForm* engine, TDataSkinSysButton* definition)
      : TNCObject(engine), Definition(definition) {}
  TDataSkinSysButton* Definition;
  void Draw() override;
};

class TWinSkinForm : public TComponent {
  FW_DECLARE_CLASS(TWinSkinForm)
public:
  explicit TWinSkinForm(TComponent* owner);
  ~TWinSkinForm() override;

  // --- Fields, in the order the engine keeps them
  TWndHook OldFormWindowProc;  // FormWindowProc in the form's hook chain
  TWindowSubclass WndSubclass; // SkinWndProc on the window (OldWndProc, ProcInstance)
  TWindowSubclass MdiSubclass; // MdiClientProc on the MDI client
  TFont CaptionFont;
  TTimer* HintTimer = nullptr; // owned
  std::wstring CaptionSuffix, CaptionPrefix;
  std::wstring WndClassName; // the window's class name, at most 100 characters
  bool SavedMenuUpdate = false;
  bool SkinFrame = false;
  RECT ClientRect{};
  DWORD LastSysMenuTick = 0;
  bool LastSysMenuFromButton = false; // the last system menu was opened by its button
  UINT DoubleClickTime = 0;
  int DialogCaptionWidth = 0;
  HWND OwnerWindow = nullptr;
  HICON IconHandle = nullptr;
  int IconSize = 0;
  RECT CaptionTextRect{};
  std::wstring DialogCaption;
  int BorderLeft = 0, CaptionHeight = 0, BorderRight = 0, BorderBottom = 0;
  RECT WindowRect{};
  RECT CaptionTextBox{};
  RECT StdFrameExtra{};
  int MenuHeight = 0;
  int ButtonCount = 0;
  bool MenuTracking = false;
  bool RightToLeft = false;
  bool Sizable = false;
  bool IsUnicode = false;
  bool IsDialogClass = false;
  bool IsChild = false;
  TPopupMenu* SysMenu = nullptr; // the skinned system menu, rebuilt at every opening (owned)
  HWND MdiClient = nullptr;
  HMENU InitialMenu = nullptr;
  HMENU SysMenuHandle = nullptr;
  HMENU TrackedPopup = nullptr;
  TColor SavedColor = clBtnFace;
  DWORD Style = 0;
  int RightButtonsExtent = 0;
  TNCObject* HotObject = nullptr;
  // The engine set the window's region. The system owns a region once it
  // is the window's, so Region is only noted, never deleted here.
  bool RegionOwned = false;
  HRGN Region = nullptr;
  TCustomForm* Form = nullptr;
  HWND Handle = nullptr;
  TCanvas MenuCanvas, ControlCanvas;
  TSkinData* SkinData = nullptr;
  TWinSkinMenu* MenuBar = nullptr; // the skinned menu bar (built by the menu bar)
  std::vector<std::unique_ptr<TWinSysButton>> SysButtons;
  Bitmap IconBitmap;     // the small icon on magenta
  TBitmap CaptionBuffer; // the caption is composed here, then blitted once
  std::vector<TSkinControl*> Painters;
  int FrameWidth = 0, FrameHeight = 0;
  int RegionWidth = 0, RegionHeight = 0;
  bool Active = true;
  int MdiRole = 0;      // 0 ordinary, 1 MDI main window, 2 MDI child
  int FrameKind = 0;    // 0 sizeable caption, 1 fixed caption, 2 no caption, 3 dialog frame
  int FrameButtons = 0; // 1 max box, 2 min box, 4 help, 8 system menu, 16 keep WS_SYSMENU
  int WindowState = 0;  // 0 normal, 1 maximized, 2 minimized
  int EngineState = 0;  // 0 initialised, 1 active, 3 re-skinning, 4 destroying, 5 fitting, 6 gone
  HINSTANCE GenerationId = nullptr;
  std::wstring CreationName;

  // --- Lifecycle
  void InitForForm(TSkinData* skinData, TCustomForm* form);
  void InitForWindow(TSkinData* skinData) { InitEngine(skinData); }
  void InitEngine(TSkinData* skinData);
  void ActivateSkin();
  void LoadFrameMetrics();
  void ReskinForm();
  void UnskinForm();
  void DetachOnDestroy();
  POINT ToWindowPoint(POINT screen) const;
  bool Subclassed() const { return WndSubclass.Installed(); }
  void FreeSysButtons();

  // --- Message routing and geometry
  void SkinWndProc(TMessage& msg);
  void FormWindowProc(TMessage& msg);
  void MdiClientProc(TMessage& msg);
  void CallOldProc(TMessage& msg);
  void FitWindowToSkin(bool refresh);
  void UpdateRegion();
  void DropRegion();

  // --- Title bar and frame
  void PaintFrame(HDC dc = nullptr);
  void PaintCaption(HDC dc);
  void PaintBorder(int piece, const RECT& rect, HDC dc);
  void DrawCaptionText(TCanvas& canvas, const RECT& captionRect);
  void LayoutButtons();
  void DrawButtons(TCanvas& canvas);
  bool EvalButton(int index);
  void ButtonAction(POINT point);
  void RestoreWindow();
  void MaximizeWindow();
  void MinimizeWindow();
  static std::wstring ButtonHint(int action);
  void HintTick(TObject* sender);
  void BuildIconBitmap();
  void DrawCaptionIcon(HDC dc, const RECT& rect);
  void SetSysMenuStyle(bool remove);
  // The skinned system menu at a screen point; a second opening within
  // the double-click time closes the window.
  void OpenSysMenu(POINT screen);
  void HideCaptionHint();
  // Forgets every piece, text and caption the frame keeps between paints
  // (the skin changed); the next paint builds them anew.
  void DropFrameCaches();

  // --- Menu items, the system menu and tool bars (MenuItems.cpp)
  void OwnerDrawPopupMenus(TComponent* owner, bool on);
  void OwnerDrawMainMenus(TComponent* owner, bool on);
  void OwnerDrawItems(TMenuItem* item, bool on);
  void MeasureMainItem(TObject* sender, TCanvas* canvas, int& width, int& height);
  void MeasurePopupItem(TObject* sender, TCanvas* canvas, int& width, int& height);
  void DrawMenuItem(TObject* sender, TCanvas* canvas, RECT rect, bool selected);
  void DrawRawMenuItem(HMENU menu, TMenuItem* item, bool selected, RECT rect, TCanvas& canvas);
  void DrawPlainMenuItem(TMenuItem* item, TCanvas& canvas, bool selected, RECT rect);
  void DrawItemContent(TMenuItem* item, TCanvas& canvas, bool selected, RECT rect);
  // Draws, or with DT_CALCRECT measures into rect, one text of an item.
  void DrawItemText(TMenuItem* item, TCanvas& canvas, UINT flags, bool selected, RECT& rect,
                    std::wstring text);
  void DrawSeparator(TCanvas& canvas, RECT rect);
  // A temporary item standing for an item of a plain window menu.
  std::unique_ptr<TMenuItem> RawMenuItem(HMENU menu, UINT id);
  void BuildSysMenu();
  void BuildFixedSysMenu();
  void SysMenuClick(TObject* sender);
  void SysCommandClick(TObject* sender);
  // The standard commands of an edit (undo, cut, copy, paste, delete,
  // select all) in a skinned context menu at a screen point.
  void ShowEditMenu(HWND edit, POINT screen);
  void EditMenuClick(TObject* sender);
  TPopupMenu* EditMenu = nullptr; // rebuilt at every opening (owned)
  HWND EditMenuTarget = nullptr;
  // Tool bar drawing (ToolBarDrawing.cpp): the tool bar's custom drawing
  // events, bound by the painter selection.
  void DrawToolButton(TToolBar* sender, TToolButton* button, unsigned state, bool& defaultDraw);
  void DrawToolBarBackground(TToolBar* sender, const RECT& rect, bool& defaultDraw);

  // --- The skinned menu bar (MenuBar.cpp)
  void PressMenuButton(TMenuBtn* button);
  bool OpenMenuButton(TMenuBtn* button);
  TMenuBtn* FindAccelButton(wchar_t c);
  void DialogKey(TMessage& msg);
  void MenuClick(TMessage& msg);
  TMenuBtn* NeighbourButton(bool next);
  void InstallMenuHook();
  void RemoveMenuHook();
  // The menu a framework form's bar was built from; null for a plain window.
  TMenu* MenuComponent() const;

  // --- Painters of the window's controls
  bool RegisterPainter(TSkinControl* p);
  void UnregisterPainter(TSkinControl* p);
  void PurgeDestroyedPainters();
  void ReleasePainters();
  TSkinControl* FindRawPainter(HWND wnd) const;
  void SkinAllControls(TCustomForm* form);
  void SkinComponents(TComponent* owner);
  void SkinChildren(TWinControl* container);
  void SkinRawChildren(HWND wnd);
  void SkinRawWindow(HWND wnd);
  void SkinControl(TControl* c, TWinControl* parent);
  bool SkinByMapping(const std::string& className, TControl* c);
  void SkinByChain(TControl* c, const std::string& upperClassName);
  bool IsControlHandled(TWinControl* c);
  bool IsControlSkinned(TControl* c);

  // --- Helpers the parts share
  // The skin's face colour ("ButtonFace").
  TColor FaceColor() const;
  bool IsMdiChild() const { return MdiRole == 2; }
  bool Maximized() const { return WindowState == 1; }
  bool Minimized() const { return WindowState == 2; }
  void ReadWindowState();
  // The MDI main window's active child is maximized.
  bool MdiChildMaximized() const;
  std::wstring WindowText() const;

  void Notification(TComponent* component, TOperation operation) override;

protected:
  void BeforeDestruction() override;

private:
  // Border pieces as last built, so an unchanged frame is only blitted.
  struct TPieceCache {
    int Width = -1, Height = -1, Frame = -1;
    std::uint32_t Generation = 0; // of the skin the piece was built from
    unsigned Version = 0;         // counts the builds
    TBitmap Picture;
  };
  // The skin's generation when the title buttons were made: buttons point
  // into the skin's definitions, which a reload replaces.
  std::uint32_t FButtonsGeneration = 0;
  bool ButtonsCurrent();
  // What the composed caption depends on: the same key, the same pixels.
  struct TCaptionKey {
    std::vector<long long> Numbers;
    std::wstring Text;
    bool operator==(const TCaptionKey&) const = default;
  };
  // An icon the engine made itself, destroyed with it.
  class TOwnedIcon {
  public:
    TOwnedIcon() = default;
    ~TOwnedIcon() { Reset(); }
    TOwnedIcon(const TOwnedIcon&) = delete;
    TOwnedIcon& operator=(const TOwnedIcon&) = delete;
    HICON Get() const { return FIcon; }
    void Reset(HICON icon = nullptr) {
      if (FIcon) DestroyIcon(FIcon);
      FIcon = icon;
    }

  private:
    HICON FIcon = nullptr;
  };
  TPieceCache FPieces[5];  // by piece number 1..4
  TCaptionKey FCaptionKey; // of what CaptionBuffer holds; empty when it holds nothing
  unsigned FSkinGeneration = 0, FIconGeneration = 0;
  // The window's text as last read; every WM_SETTEXT makes it read again.
  std::wstring FWindowText;
  bool FWindowTextRead = false;
  std::wstring FMeasuredText; // the caption text as last measured, and its size
  SIZE FMeasured{};
  TOwnedIcon FScaledIcon; // the caption icon at IconSize, made from FScaledFrom
  HICON FScaledFrom = nullptr;
  const TBitmap* BorderPicture(int piece, int width, int height);
  TPieceCache* PieceEntry(int piece, int width, int height);
  std::wstring CaptionText();
  void PlaceCaptionText(const RECT& captionRect, const std::wstring& text);
  void DrawPlacedCaptionText(TCanvas& canvas, const RECT& captionRect, const std::wstring& text);
  TCaptionKey CaptionKey(const std::wstring& text);
  bool ComposeCaption(HDC dc, const RECT& captionRect, const std::wstring& text);
  void SetPopupMenusOwnerDraw(bool on);
  void SetMainMenusOwnerDraw(bool on);
  void HandleMeasureItem(TMessage& msg);
  void HandleDrawItem(TMessage& msg);
  bool HandleKeyMenu(TMessage& msg);
  TMenuBtn* NeighbourButtonFrom(int index);
  void CreateMenuBar();
  void FreeMenuBar();
  void PlainDetach();
  void RestoreProcedures();
  void ReleaseMdiClient();
  void SkinMessage(TMessage& msg);
  void HandleSize(TMessage& msg);
  void HandleGetMinMaxInfo(TMessage& msg);
  void HandleNcCalcSize(TMessage& msg);
  void HandleNcHitTest(TMessage& msg);
  void HandleMenuChanged(TMessage& msg);
  void HandleSysCommand(TMessage& msg);
  void HandleNcPaint(TMessage& msg);
  void HandleNcActivate(TMessage& msg);
  void HandleNcMouseMove(TMessage& msg);
  void HandleNcLButtonDown(TMessage& msg);
  void HandleNcLButtonUp(TMessage& msg);
  void HandleNcLButtonDblClk(TMessage& msg);
  void HandleNcRButtonDown(TMessage& msg);
  void HandleReskinScroll(TMessage& msg);
  bool Stage1(TMessage& msg);
  bool Stage2(TMessage& msg);
  bool Stage3(TMessage& msg);

public:
  TNCObject* TargetAt(POINT p);

private:
  bool ButtonShown(int index, int value, bool first);
  bool PaintBorderRegion(int piece, int width, int height, int dx, int dy, HRGN& out);
};

// Whether the window is the one the engine was made for and still
// answers: a form engine or painter answers SKN_QUERY with 1.
bool WindowIsSkinned(HWND wnd);
