#include "fw/Forms.h"

#include "core/Convert.h"
#include "fw/FormStream.h"

#include <windowsx.h>

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

const TEnumInfo PositionInfo{"TPosition",
                             {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                              "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                              "poOwnerFormCenter"}};
const TEnumInfo FormBorderStyleInfo{
    "TFormBorderStyle",
    {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
const TEnumInfo WindowStateInfo{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}};
const TEnumInfo BorderIconInfo{"TBorderIcon",
                               {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
const TEnumInfo FormStyleInfo{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};

TCustomForm* GetParentForm(TControl* control) {
  while (control && control->Parent())
    control = control->Parent();
  return As<TCustomForm>(control);
}

// ---------------------------------------------------------------------------

static void SetupCustomForm(TClassInfo& c) {
  // Whether a form shows is up to the program, not its stored description.
  auto visible = BoolProp<TCustomForm>(
      "Visible", [](TCustomForm* o) { return o->Visible(); },
      [](TCustomForm* o, bool v) { o->SetVisible(v); });
  visible.Stored = [](TObject*) { return false; };
  c.Props.push_back(visible);
  c.Props.push_back(EnumProp<TCustomForm>(
      "Position", PositionInfo, [](TCustomForm* o) { return static_cast<int>(o->Position()); },
      [](TCustomForm* o, int v) { o->SetPosition(static_cast<TPosition>(v)); }, poDesigned));
  c.Props.push_back(EnumProp<TCustomForm>(
      "BorderStyle", FormBorderStyleInfo,
      [](TCustomForm* o) { return static_cast<int>(o->BorderStyle()); },
      [](TCustomForm* o, int v) { o->SetBorderStyle(static_cast<TFormBorderStyle>(v)); },
      bsSizeable));
  c.Props.push_back(SetPropOf<TCustomForm>(
      "BorderIcons", BorderIconInfo, [](TCustomForm* o) { return std::uint64_t(o->BorderIcons()); },
      [](TCustomForm* o, std::uint64_t v) { o->SetBorderIcons(static_cast<unsigned>(v)); }, 7));
  c.Props.push_back(EnumProp<TCustomForm>(
      "WindowState", WindowStateInfo,
      [](TCustomForm* o) { return static_cast<int>(o->WindowState()); },
      [](TCustomForm* o, int v) { o->SetWindowState(static_cast<TWindowState>(v)); }, wsNormal));
  c.Props.push_back(EnumProp<TCustomForm>(
      "FormStyle", FormStyleInfo, [](TCustomForm* o) { return static_cast<int>(o->FormStyle()); },
      [](TCustomForm* o, int v) { o->SetFormStyle(static_cast<TFormStyle>(v)); }, fsNormal));
  c.Props.push_back(BoolProp<TCustomForm>(
      "KeyPreview", [](TCustomForm* o) { return o->KeyPreview(); },
      [](TCustomForm* o, bool v) { o->SetKeyPreview(v); }, false));
  auto ppi = IntProp<TCustomForm>(
      "PixelsPerInch", [](TCustomForm* o) { return o->PixelsPerInch(); },
      [](TCustomForm* o, std::int64_t v) { o->SetPixelsPerInch(static_cast<int>(v)); });
  c.Props.push_back(ppi);
  c.Props.push_back(IntProp<TCustomForm>(
      "TextHeight", [](TCustomForm* o) { return o->DesignTextHeight(); },
      [](TCustomForm* o, std::int64_t v) { o->SetDesignTextHeight(static_cast<int>(v)); }));
  c.Props.push_back(ObjectProp<TCustomForm, TMainMenu>(
      "Menu", [](TCustomForm* o) { return o->Menu(); },
      [](TCustomForm* o, TMainMenu* v) { o->SetMenu(v); }));
  c.Props.push_back(EventProp("OnCreate", &TCustomForm::OnCreate));
  c.Props.push_back(EventProp("OnShow", &TCustomForm::OnShow));
  c.Props.push_back(EventProp("OnActivate", &TCustomForm::OnActivate));
  c.Props.push_back(EventProp("OnDeactivate", &TCustomForm::OnDeactivate));
  c.Props.push_back(EventProp("OnResize", &TCustomForm::OnResize));
}
FW_CLASS_IMPL(TCustomForm, TWinControl, nullptr, SetupCustomForm)
FW_CLASS_IMPL(TForm, TCustomForm, CreateComponentOf<TForm>, NoSetup)

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption;
  SetVisible(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (Screen) Screen->RemoveForm(this);
}

void TCustomForm::InitializeForm() {
  const std::wstring resource = UpperAscii(Widen(ClassName()));
  ReadComponentResource(this, resource.c_str());
  DoCreate();
}

void TCustomForm::DoCreate() {
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (const std::exception& e) {
    HandleWndProcException(e);
  }
}

DWORD TCustomForm::WindowStyle() const {
  DWORD style = WS_CLIPCHILDREN;
  switch (FBorderStyle) {
  case bsNone: style |= WS_POPUP; break;
  case bsSingle: style |= WS_OVERLAPPED | WS_CAPTION | WS_BORDER; break;
  case bsSizeable: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
  case bsDialog: style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME; break;
  case bsToolWindow: style |= WS_OVERLAPPED | WS_CAPTION; break;
  case bsSizeToolWin: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
  }
  if (FBorderStyle != bsNone) {
    if (FBorderIcons & (1u << biSystemMenu)) style |= WS_SYSMENU;
    if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
      if (FBorderIcons & (1u << biMinimize)) style |= WS_MINIMIZEBOX;
      if (FBorderIcons & (1u << biMaximize)) style |= WS_MAXIMIZEBOX;
    }
  }
  return style;
}

DWORD TCustomForm::WindowExStyle() const {
  DWORD ex = 0;
  if (FBorderStyle == bsDialog) ex |= WS_EX_DLGMODALFRAME;
  if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) ex |= WS_EX_TOOLWINDOW;
  if (FFormStyle == fsStayOnTop) ex |= WS_EX_TOPMOST;
  return ex;
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WindowStyle();
  if (!Enabled()) p.Style |= WS_DISABLED;
  p.ExStyle = WindowExStyle() | BiDiExStyle();
  p.WndParent = ParentWindow();
}

void TCustomForm::SetMenu(TMainMenu* v) {
  if (v == FMenu) return;
  if (FMenu) FMenu->RemoveFreeNotification(this);
  FMenu = v;
  if (FMenu) FMenu->FreeNotification(this);
  if (HandleAllocated()) SendMessageW(WindowHandle(), CM_MENUCHANGED, 0, 0);
}

// MDI children have their menu merged by the frame, never a bar of their own.
void TCustomForm::ShowMenu() {
  if (!HandleAllocated() || FFormStyle == fsMDIChild) return;
  HMENU wanted = FMenu ? FMenu->Handle() : nullptr;
  if (GetMenu(WindowHandle()) != wanted) ::SetMenu(WindowHandle(), wanted);
  DrawMenuBar(WindowHandle());
}

bool TCustomForm::IsShortCut(TShortCut shortcut) {
  return FMenu && FMenu->IsShortCut(shortcut);
}

// The system destroys the menu of a window that goes; the menu belongs to
// its component, so the window lets go of it first.
void TCustomForm::DestroyWnd() {
  if (HandleAllocated() && FMenu && GetMenu(WindowHandle()) == FMenu->HandleIfMade())
    ::SetMenu(WindowHandle(), nullptr);
  TWinControl::DestroyWnd();
}

namespace {
TCustomForm* gMenuForm = nullptr; // the form whose menu message is answered
TMenuItem* FormMenuItem(UINT command) {
  return gMenuForm && gMenuForm->Menu() ? gMenuForm->Menu()->FindItem(command) : nullptr;
}
} // namespace

// Commands, drop-downs and owner-drawn items of the main menu.
bool TCustomForm::HandleMenuMessage(TMessage& msg) {
  switch (msg.Msg) {
  case CM_MENUCHANGED: ShowMenu(); return true;
  case WM_COMMAND:
    if (msg.LParam != 0 || HIWORD(msg.WParam) > 1) return false;
    return FMenu && FMenu->DispatchCommand(LOWORD(msg.WParam));
  case WM_INITMENUPOPUP:
    if (FMenu) FMenu->DispatchPopup(reinterpret_cast<HMENU>(msg.WParam));
    return false;
  case WM_MEASUREITEM:
  case WM_DRAWITEM: {
    if (msg.WParam != 0 || !FMenu) return false;
    TCustomForm* saved = gMenuForm;
    gMenuForm = this;
    const bool done = HandleMenuItemMessage(msg.Msg, msg.LParam, FormMenuItem);
    gMenuForm = saved;
    if (done) msg.Result = TRUE;
    return done;
  }
  default: return false;
  }
}

// A form shows the program's icon (resource "MAINICON") when it has one.
void TCustomForm::HandleCreated() {
  ShowMenu();
  HINSTANCE module = FrameworkInstance();
  if (HICON big = LoadIconW(module, L"MAINICON")) {
    SendMessageW(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    auto small = static_cast<HICON>(LoadImageW(module, L"MAINICON", IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(WindowHandle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(small ? small : big));
  }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(unsigned v) {
  if (v == FBorderIcons) return;
  FBorderIcons = v;
  RecreateWnd();
}

TWindowState TCustomForm::WindowState() const {
  if (!HandleAllocated()) return FWindowState;
  if (IsIconic(WindowHandle())) return wsMinimized;
  if (IsZoomed(WindowHandle())) return wsMaximized;
  return wsNormal;
}

void TCustomForm::SetWindowState(TWindowState v) {
  FWindowState = v;
  if (HandleAllocated() && Showing())
    ShowWindow(WindowHandle(), v == wsMaximized   ? SW_MAXIMIZE
                               : v == wsMinimized ? SW_MINIMIZE
                                                  : SW_RESTORE);
}

RECT TCustomForm::ClientRect() const {
  RECT r{0, 0, 0, 0};
  if (HandleAllocated()) {
    GetClientRect(WindowHandle(), &r);
    return r;
  }
  AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle());
  return {0, 0, std::max<int>(Width() - (r.right - r.left), 0),
          std::max<int>(Height() - (r.bottom - r.top), 0)};
}

// Whatever draws the frame (the system, or a skin that answers
// WM_NCCALCSIZE and paints its own menu bar), the frame takes what the
// window has beyond its client area; only a form without a window (or a
// minimized one, whose client area is empty) falls back to the system's
// frame sizes.
void TCustomForm::SetClientSize(int width, int height) {
  RECT window, client;
  if (HandleAllocated() && !IsIconic(WindowHandle()) && GetWindowRect(WindowHandle(), &window) &&
      GetClientRect(WindowHandle(), &client)) {
    SetBounds(Left(), Top(), width + (window.right - window.left) - client.right,
              height + (window.bottom - window.top) - client.bottom);
    return;
  }
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle());
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

bool TCustomForm::Showing() const {
  return Visible() && HandleAllocated() && IsWindowVisible(WindowHandle());
}

void TCustomForm::SetActiveControl(TWinControl* c) {
  if (FActiveControl == c) return;
  if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
  FActiveControl = c;
  if (c) {
    c->FreeNotification(this);
    if (Showing() && GetActiveWindow() == WindowHandle() && c->CanFocus()) c->SetFocus();
  }
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == FActiveControl) FActiveControl = nullptr;
  if (operation == opRemove && component == FMenu) {
    FMenu = nullptr;
    if (HandleAllocated()) ::SetMenu(WindowHandle(), nullptr);
  }
}

void TCustomForm::PlaceOnFirstShow() {
  if (FPlaced) return;
  FPlaced = true;
  if (FPosition == poScreenCenter || FPosition == poDesktopCenter) {
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2,
              (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(), Height());
  }
}

void TCustomForm::VisibleChanged() {
  if (!Visible()) {
    if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
    return;
  }
  HWND wnd = Handle();
  PlaceOnFirstShow();
  ShowWindow(wnd, FWindowState == wsMaximized   ? SW_SHOWMAXIMIZED
                  : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                : SW_SHOWNORMAL);
  if (OnShow) OnShow(this);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) {
    BringWindowToTop(WindowHandle());
    SetForegroundWindow(WindowHandle());
  }
}

void TCustomForm::Hide() {
  SetVisible(false);
}

void TCustomForm::Close() {
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else
    Hide();
}

void TCustomForm::HandleActivate(TMessage& msg) {
  DefaultHandler(msg);
  if (LOWORD(msg.WParam) == WA_INACTIVE) {
    TWinControl* focused = TWinControl::FindOwningControl(GetFocus());
    if (focused && focused != this && GetParentForm(focused) == this) SetActiveControl(focused);
    if (OnDeactivate) OnDeactivate(this);
    return;
  }
  TWinControl* target = FActiveControl && FActiveControl->CanFocus()
                            ? FActiveControl
                            : FindNextControl(nullptr, true, true);
  if (target && !IsIconic(WindowHandle())) target->SetFocus();
  if (OnActivate) OnActivate(this);
}

namespace {

LRESULT BroadcastDialogKey(TWinControl* parent, const TMessage& msg) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (LRESULT r = c->Perform(msg.Msg, msg.WParam, msg.LParam)) return r;
    if (auto* w = As<TWinControl>(c))
      if (LRESULT r = BroadcastDialogKey(w, msg)) return r;
  }
  return 0;
}

} // namespace

void TCustomForm::HandleDialogKey(TMessage& msg) {
  if (msg.WParam == VK_TAB) {
    if (GetKeyState(VK_CONTROL) < 0) return;
    TWinControl* current = TWinControl::FindOwningControl(GetFocus());
    SelectNext(current, GetKeyState(VK_SHIFT) >= 0, true);
    msg.Result = 1;
    return;
  }
  msg.Result = BroadcastDialogKey(this, msg);
}

void TCustomForm::WndProc(TMessage& msg) {
  if (HandleMenuMessage(msg)) return;
  switch (msg.Msg) {
  case WM_CLOSE: Close(); return;
  case WM_ACTIVATE: HandleActivate(msg); return;
  case CM_DIALOGKEY: HandleDialogKey(msg); return;
  case WM_SIZE:
    TWinControl::WndProc(msg);
    if (OnResize) OnResize(this);
    return;
  default: TWinControl::WndProc(msg);
  }
}

// ---------------------------------------------------------------------------

FW_CLASS_IMPL(TScreen, TComponent, nullptr, NoSetup)

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
    FMenuFont.SetFromLogFont(ncm.lfMenuFont);
}

TCustomForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm* f : FForms)
    if (f->HandleAllocated() && f->WindowHandle() == active) return f;
  return nullptr;
}

void TScreen::AddForm(TCustomForm* f) {
  FForms.push_back(f);
}

void TScreen::RemoveForm(TCustomForm* f) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), f), FForms.end());
}

// ---------------------------------------------------------------------------

FW_CLASS_IMPL(TApplication, TComponent, nullptr, NoSetup)

namespace {

std::wstring ExeTitle() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  std::size_t slash = p.find_last_of(L"\\/");
  if (slash != std::wstring::npos) p.erase(0, slash + 1);
  std::size_t dot = p.find_last_of(L'.');
  if (dot != std::wstring::npos) p.erase(dot);
  return p;
}

void ApplicationExceptionSink(const std::exception& e) {
  if (Application) Application->HandleException(e);
}

} // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner), FTitle(ExeTitle()) {}

TApplication::~TApplication() {
  if (FHandle) DestroyWindow(FHandle);
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
  CreateHandle();
}

void TApplication::CreateHandle() {
  if (FHandle) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = FrameworkInstance();
  wc.lpszClassName = L"TApplication";
  wc.hIcon = LoadIconW(FrameworkInstance(), L"MAINICON");
  RegisterClassW(&wc);
  FHandle = CreateWindowExW(0, L"TApplication", FTitle.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            0, 0, 0, 0, nullptr, nullptr, FrameworkInstance(), nullptr);
  if (HICON icon = LoadIconW(FrameworkInstance(), L"MAINICON")) {
    SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    HICON small = static_cast<HICON>(LoadImageW(FrameworkInstance(), L"MAINICON", IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : icon));
  }
}

void TApplication::SetTitle(const std::wstring& v) {
  FTitle = v;
  if (FHandle) SetWindowTextW(FHandle, v.c_str());
}

void TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  while (!FTerminated)
    HandleMessage();
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) WaitMessage();
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (!IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  switch (msg.message) {
  case WM_MOUSEMOVE: {
    // Where the mouse was when it moved, not where it is by now.
    POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ClientToScreen(msg.hwnd, &p);
    UpdateMouseControl(p);
    break;
  }
  case WM_NCMOUSEMOVE:
    UpdateMouseControl({GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
    break;
  case WM_MOUSELEAVE: {
    if (msg.hwnd == FTrackedWindow) FTrackedWindow = nullptr;
    POINT p;
    GetCursorPos(&p);
    UpdateMouseControl(p);
    break;
  }
  }
  return true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR)
    return false;
  TWinControl* control = TWinControl::FindOwningControl(msg.hwnd);
  TCustomForm* form = control ? GetParentForm(control) : nullptr;
  if (!form) return false;
  if (msg.message != WM_SYSCHAR) {
    // Menu shortcuts come before the control sees the key.
    TShortCut shortcut = static_cast<TShortCut>(msg.wParam & 0xFF);
    if (GetKeyState(VK_SHIFT) < 0) shortcut |= scShift;
    if (GetKeyState(VK_CONTROL) < 0) shortcut |= scCtrl;
    if (GetKeyState(VK_MENU) < 0) shortcut |= scAlt;
    if (form->IsShortCut(shortcut)) return true;
    if (msg.message == WM_SYSKEYDOWN) return false;
  }
  if (msg.message == WM_SYSCHAR) return form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
  if (msg.wParam != VK_TAB && msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) return false;
  LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  if (msg.wParam == VK_TAB && (code & DLGC_WANTTAB)) return false;
  return form->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0;
}

void TApplication::UpdateMouseControl(POINT p) {
  HWND wnd = WindowFromPoint(p);
  TControl* target = nullptr;
  if (wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
    if (TWinControl* w = TWinControl::FindOwningControl(wnd)) {
      target = w;
      if (w->HandleAllocated()) {
        POINT c = p;
        ScreenToClient(w->WindowHandle(), &c);
        if (TControl* g = w->ControlAtPos(c, true)) target = g;
      }
    }
    if (wnd != FTrackedWindow) {
      TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, wnd, 0};
      if (TrackMouseEvent(&t)) FTrackedWindow = wnd;
    }
  }
  if (target == FMouseControl) return;
  TControl* old = FMouseControl;
  if (old) old->RemoveFreeNotification(this);
  FMouseControl = target;
  if (target) target->FreeNotification(this);
  if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
  if (target && target == FMouseControl) target->Perform(CM_MOUSEENTER, 0, 0);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FMouseControl) FMouseControl = nullptr;
  if (component == FMainForm) FMainForm = nullptr;
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException)
    OnException(this, e);
  else
    ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
  HWND owner = GetActiveWindow();
  if (!owner && FMainForm && FMainForm->HandleAllocated()) owner = FMainForm->WindowHandle();
  MessageBoxW(owner, ExceptionMessage(e).c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

std::wstring ExceptionMessage(const std::exception& e) {
  if (const auto* c = dynamic_cast<const EConvertError*>(&e)) return ConvertErrorMessage(*c);
  return Widen(e.what());
}

void InitFramework() {
  RegisterStdControls();
  RegisterExtControls();
  RegisterMenuClasses();
  TForm::StaticClass();
  if (!Screen) Screen = new TScreen(nullptr);
  if (!Application) Application = new TApplication(nullptr);
  SetExceptionSink(ApplicationExceptionSink);
}

void DoneFramework() {
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
  DestroyPopupListWindow();
  ReleaseControlAtom();
}
