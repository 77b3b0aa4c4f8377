#pragma once
// Forms, the screen and the application object with its message loop.

#include "fw/ExtCtrls.h"
#include "fw/Menus.h"

class TCustomForm;

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
extern const TEnumInfo PositionInfo;
extern const TEnumInfo FormBorderStyleInfo;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
extern const TEnumInfo WindowStateInfo;
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
extern const TEnumInfo BorderIconInfo;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
extern const TEnumInfo FormStyleInfo;

class TCustomForm : public TWinControl {
  FW_DECLARE_CLASS(TCustomForm)
public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Reads the stored description named after the class (upper case) from the
  // program's resources, when there is one; then runs OnCreate.
  void InitializeForm();

  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition v) { FPosition = v; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);
  unsigned BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(unsigned v);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState v);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle v) { FFormStyle = v; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int v) { FPixelsPerInch = v; }
  int DesignTextHeight() const { return FTextHeight; }
  void SetDesignTextHeight(int v) { FTextHeight = v; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* c);
  TCanvas& Canvas() { return FCanvas; }
  // The main menu the window shows in its menu bar.
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* v);
  // Clicks the main menu's item with this shortcut; false when none has it.
  bool IsShortCut(TShortCut shortcut);

  RECT ClientRect() const override;
  void SetClientSize(int width, int height) override;
  bool Showing() const override;

  void Show();
  void Hide();
  void Close();

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnResize;

  void WndProc(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void VisibleChanged() override;
  virtual void DoCreate();

private:
  void ShowMenu();
  void ReleaseMenuHandle();
  bool HandleMenuMessage(TMessage& msg);
  TMainMenu* FMenu = nullptr;
  DWORD WindowStyle() const;
  DWORD WindowExStyle() const;
  void PlaceOnFirstShow();
  void HandleActivate(TMessage& msg);
  void HandleDialogKey(TMessage& msg);
  TPosition FPosition = poDesigned;
  TFormBorderStyle FBorderStyle = bsSizeable;
  unsigned FBorderIcons = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
  TWindowState FWindowState = wsNormal;
  TFormStyle FFormStyle = fsNormal;
  bool FKeyPreview = false;
  int FPixelsPerInch = 96;
  int FTextHeight = 13;
  TWinControl* FActiveControl = nullptr;
  bool FPlaced = false;
  TCanvas FCanvas;
};

class TForm : public TCustomForm {
  FW_DECLARE_CLASS(TForm)
public:
  using TCustomForm::TCustomForm;
};

// The form a control sits on, or null.
TCustomForm* GetParentForm(TControl* control);

class TScreen : public TComponent {
  FW_DECLARE_CLASS(TScreen)
public:
  explicit TScreen(TComponent* owner);
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int i) const { return FForms.at(i); }
  TCustomForm* ActiveForm() const;
  // The cursor table: by cursor id, the handle shown.
  HCURSOR Cursors(TCursor id) const { return ScreenCursorHandle(id); }
  void SetCursors(TCursor id, HCURSOR cursor) { SetScreenCursorHandle(id, cursor); }
  TFont& MenuFont() { return FMenuFont; }
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  int PixelsPerInch() const { return ScreenPixelsPerInch(); }
  void AddForm(TCustomForm* f);
  void RemoveForm(TCustomForm* f);

private:
  std::vector<TCustomForm*> FForms;
  TFont FMenuFont;
};

using TExceptionEvent = TEvent<TObject*, const std::exception&>;

class TApplication : public TComponent {
  FW_DECLARE_CLASS(TApplication)
public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  void Initialize();
  // Makes a form owned by the application, reads its stored description and
  // runs its OnCreate; the first form made is the main form.
  template <class T> T* CreateForm(T*& reference) {
    reference = new T(this);
    reference->InitializeForm();
    if (!FMainForm) FMainForm = reference;
    return reference;
  }
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles the messages waiting now, then returns.
  void ProcessMessages();
  // Handles one message, waiting for one when none is there.
  void HandleMessage();

  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* f) { FMainForm = f; }
  HWND Handle() const { return FHandle; }
  const std::wstring& Title() const { return FTitle; }
  void SetTitle(const std::wstring& v);
  // The control under the mouse, as the last mouse message saw it.
  TControl* MouseControl() const { return FMouseControl; }

  // Errors raised in event handlers arrive here. With OnException assigned
  // it gets them; otherwise the error text is shown in a message box.
  TExceptionEvent OnException;
  void HandleException(const std::exception& e);
  void ShowException(const std::exception& e);
  int HintPause = 500;
  int HintHidePause = 2500;

  void Notification(TComponent* component, TOperation operation) override;

private:
  bool ProcessMessage(MSG& msg);
  bool IsKeyMsg(MSG& msg);
  // Finds the control under a screen point and tells the old and the new
  // one that the mouse left or entered.
  void UpdateMouseControl(POINT screen);
  void CreateHandle();
  HWND FHandle = nullptr;
  TCustomForm* FMainForm = nullptr;
  std::wstring FTitle;
  bool FTerminated = false;
  TControl* FMouseControl = nullptr;
  HWND FTrackedWindow = nullptr;
};

// The text an error shows: the framework's conversion errors with their
// argument in the ANSI code page, anything else as its message.
std::wstring ExceptionMessage(const std::exception& e);

extern TApplication* Application;
extern TScreen* Screen;

// Makes the global Application and Screen (once) and registers the
// framework's classes with the form reader.
void InitFramework();
void DoneFramework();
