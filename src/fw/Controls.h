#pragma once
// Controls: the windowless TControl and TGraphicControl, and TWinControl,
// which owns a window. Every control's messages pass through its WindowProc
// chain, which ends in its own WndProc; the skin engine puts its hooks in
// front (TWndHook) and takes them out again when it lets go.

#include "fw/Classes.h"
#include "fw/Graphics.h"
#include "fw/Messages.h"
#include "fw/WndHook.h"

#include <windows.h>

class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
extern const TEnumInfo AlignInfo;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const TEnumInfo AlignmentInfo;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
extern const TEnumInfo BiDiModeInfo;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = unsigned;
TShiftState ShiftStateFromKeys(WPARAM keys); // MK_* flags of a mouse message

// Border styles of forms; controls use the first two.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHandPoint = -21;
const TIdentMap& CursorIdents();
// The screen's cursor table: the handle shown for a cursor id. An id without
// an entry (or whose entry was cleared) shows the default arrow.
HCURSOR ScreenCursorHandle(TCursor id);
void SetScreenCursorHandle(TCursor id, HCURSOR cursor);
// The handle stored for id, null when there is none.
HCURSOR ScreenCursorEntry(TCursor id);

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;

// Behaviour switches of a control class.
enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1,
  csCaptureMouse = 2,
  csClickEvents = 4,
  csOpaque = 8,
  csSetCaption = 16,
};

class TPopupMenu;

class TControl : public TComponent {
  FW_DECLARE_CLASS(TControl)
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  virtual RECT ClientRect() const { return {0, 0, FWidth, FHeight}; }
  int ClientWidth() const;
  int ClientHeight() const;
  virtual void SetClientSize(int width, int height);
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign v);
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  // Visible, and so are all parents up to a top-level window that shows.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool v);
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  std::wstring Text() const { return GetText(); }
  void SetText(const std::wstring& v);
  std::wstring Caption() const { return GetText(); }
  void SetCaption(const std::wstring& v) { SetText(v); }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v);
  const std::wstring& Hint() const { return FHint; }
  void SetHint(const std::wstring& v) { FHint = v; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode v) { FBiDiMode = v; }
  bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
  // The window's extended styles for its reading order: right-to-left
  // reading, and for bdRightToLeft also right alignment and the vertical
  // scroll bar at the left.
  DWORD BiDiExStyle() const;
  unsigned ControlStyle() const { return FControlStyle; }
  // The menu WM_CONTEXTMENU shows (a right click, Shift+F10, the menu key).
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* v);
  void Notification(TComponent* component, TOperation operation) override;

  // Every message of the control passes through this chain of hooks, which
  // ends in WndProc.
  TWndHookChain WindowProc{this};
  virtual void WndProc(TMessage& msg);
  virtual void DefaultHandler(TMessage& msg);
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  virtual void Click();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  void Loaded() override;

protected:
  virtual std::wstring GetText() const { return FText; }
  virtual void TextChanged() {}
  virtual void FontChanged();
  virtual void ColorChanged() { Invalidate(); }
  virtual void VisibleChanged();
  // Sets the bounds without telling the window (it told us).
  void UpdateBoundsFields(int left, int top, int width, int height);
  void RequestAlign();
  void InvalidateOnParent(const RECT& r);
  void FontChangedEvent(TObject* sender);
  void SetZOrder(bool topmost);
  bool LButtonIsDown() const { return FLButtonDown; }

  unsigned FControlStyle = csClickEvents | csSetCaption | csCaptureMouse;
  std::wstring FText;
  friend class TWinControl;

private:
  void HandleMouse(TMessage& msg);
  bool DoContextPopup(TMessage& msg);
  TWinControl* FParent = nullptr;
  TPopupMenu* FPopupMenu = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clWindow;
  bool FParentColor = false;
  TFont FFont;
  bool FParentFont = true;
  TCursor FCursor = crDefault;
  std::wstring FHint;
  bool FShowHint = false;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FLButtonDown = false;
};

// A windowless control painted by its parent window.
class TGraphicControl : public TControl {
  FW_DECLARE_CLASS(TGraphicControl)
public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas& Canvas() { return FCanvas; }
  void WndProc(TMessage& msg) override;

protected:
  virtual void Paint() {}

private:
  TCanvas FCanvas;
};

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // The window class the control registers under its own class name; when
  // SysClassName is set, the class is copied from that system class and the
  // system's procedure does the default handling.
  std::wstring WinClassName;
  std::wstring SysClassName;
  UINT ClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  HBRUSH Background = nullptr;
};

class TWinControl : public TControl {
  FW_DECLARE_CLASS(TWinControl)
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();                                // made on demand
  HWND WindowHandle() const { return FHandle; } // without making one
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();
  void RecreateWnd();
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND wnd) { FParentWindow = wnd; }
  WNDPROC DefWndProc() const { return FDefWndProc; }

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int i) const { return FControls.at(i); }
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  // Moves c to the end of the list (drawn last, found first) or the start.
  void MoveControlInZOrder(TControl* c, bool topmost);
  bool ContainsControl(const TControl* c) const;
  // The visible child control at a client point, windowless ones first (the
  // topmost), or null.
  TControl* ControlAtPos(POINT p, bool allowDisabled, bool allowWindowed = false) const;

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v);
  // Children that take part in tab order, in tab order.
  std::vector<TWinControl*> TabList() const;
  // The next control after current in tab order, through child containers.
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();

  void Realign();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  // Runs the alignment that reading held back.
  void Loaded() override;

  void SetBounds(int left, int top, int width, int height) override;
  bool Showing() const override;
  void SetEnabled(bool v) override;
  void Invalidate() override;
  void Update() override;
  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  // Draws the windowless children that intersect the clip box of dc, in
  // order, stopping before stopAt.
  void PaintControls(HDC dc, TControl* stopAt = nullptr);
  // Draws into dc (client coordinates) what lies beneath child: the
  // background, the control's own drawing and, for a windowless child, the
  // windowless children before it. Never child itself.
  void PaintBelow(HDC dc, TControl* child);
  // The window is of the framework's own class (not a system control):
  // the framework draws its background and contents.
  bool DrawsItself() const;
  // The brush of the control's colour (for WM_CTLCOLOR* answers).
  HBRUSH BrushHandle();

  // The control behind a window of this process, or null.
  static TWinControl* FromHandle(HWND wnd);
  // The control of wnd or of its nearest parent window that has one.
  static TWinControl* FindOwningControl(HWND wnd);

protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  // Called after the window is made and before its children are.
  virtual void HandleCreated() {}
  // The client area children are aligned in.
  virtual void AdjustClientRect(RECT& r) const { (void)r; }
  virtual void AlignControls(RECT& r);
  virtual void PaintWindow(HDC dc);
  void PaintHandler(TMessage& msg);
  void PaintTo(HDC dc);
  void PaintLayers(HDC dc, TControl* stopAt);
  void TextChanged() override;
  std::wstring GetText() const override;
  void FontChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;
  void UpdateShowing();
  friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);

private:
  void AttachHandle(HWND wnd);
  void CreateChildHandles();
  void ReflectNotification(TMessage& msg);
  bool HandleSetCursor(TMessage& msg);
  void WMWindowPosChanged(TMessage& msg);
  void WMNCDestroy(TMessage& msg);
  bool ForwardMouseToGraphic(TMessage& msg);
  // Forgets the windowless child that holds the mouse; the system capture
  // too when asked and it is still this window's.
  void ReleaseMouseCapture(bool releaseSystemCapture);
  void CancelMouseCapture(bool releaseSystemCapture);
  void HandleMouseMessage(TMessage& msg);
  HWND FHandle = nullptr;
  HWND FParentWindow = nullptr;
  WNDPROC FDefWndProc = nullptr;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  int FAlignLevel = 0;
  bool FAlignPending = false;
  TGdiBrush FBrush;
  TControl* FMouseCapture = nullptr;
};

// A windowed control that paints itself on its canvas.
class TCustomControl : public TWinControl {
  FW_DECLARE_CLASS(TCustomControl)
public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas& Canvas() { return FCanvas; }

protected:
  void PaintWindow(HDC dc) override;
  virtual void Paint() {}

private:
  TCanvas FCanvas;
};

// The window property under which every framework window keeps its control:
// "ControlOfs" + module handle + thread id in upper-case hex. This is the
// one place the name is made: the skin engine finds controls by it too.
const wchar_t* ControlAtomName();
// The global atom of that name, added on first use; ReleaseControlAtom
// (run when the framework shuts down) deletes it again.
ATOM ControlAtom();
void ReleaseControlAtom();
// The module the framework registers its window classes for.
HINSTANCE FrameworkInstance();

// Where an error raised inside a message handler goes (the application
// shows it); it never crosses a window procedure.
using TExceptionSink = void (*)(const std::exception& e);
void SetExceptionSink(TExceptionSink sink);
void HandleWndProcException(const std::exception& e);

LRESULT CALLBACK FrameworkWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// How many calls of a window's default (system) procedure are running on
// this thread right now; message traces mark what those calls send.
int DefaultProcDepth();
