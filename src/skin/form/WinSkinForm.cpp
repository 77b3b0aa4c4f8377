// The form engine's lifecycle: made by the skin manager, initialised for a
// framework form or a plain window, activated on SKN_INITFORM, re-skinned
// after a skin change, and detached (giving everything back) on removal or
// when the window goes.
#include "skin/form/WinSkinForm.h"

#include "fw/Menus.h"
#include "skin/form/MenuBar.h"

#include "fw/OsVersion.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinManager.h"

#include <algorithm>

FW_CLASS_IMPL(TWinSkinForm, TComponent, nullptr, NoSetup)

namespace {

std::wstring WindowClassOf(HWND wnd) {
  wchar_t buf[101] = {};
  GetClassNameW(wnd, buf, 101);
  return buf;
}

TSkinManage* Manager() {
  return SkinManagerObject();
}

} // namespace

bool WindowIsSkinned(HWND wnd) {
  return wnd && SendMessageW(wnd, SKN_QUERY, 0, 0) == 1;
}

TWinSkinForm::TWinSkinForm(TComponent* owner) : TComponent(owner) {
  CaptionSuffix = L"  ";
  CaptionPrefix = L" ";
  DoubleClickTime = GetDoubleClickTime();
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
    CaptionFont.SetFromLogFont(ncm.lfCaptionFont);
  Active = true;
  EngineState = 0;
}

TWinSkinForm::~TWinSkinForm() {
  // Whatever still runs through the engine is handed back first: an engine
  // freed while its window lives must leave a window that works.
  RestoreProcedures();
  ReleasePainters();
  FreeSysButtons();
  delete HintTimer;
  HintTimer = nullptr;
  if (TSkinManage* m = Manager()) m->DetachFormEngine(this);
}

void TWinSkinForm::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == MenuBar) MenuBar = nullptr;
  if (component == SysMenu) SysMenu = nullptr;
  if (component == EditMenu) EditMenu = nullptr;
}

// An engine freed while it still skins a live window gives the window its
// menu back before the bar that holds it goes.
void TWinSkinForm::BeforeDestruction() {
  if (MenuBar && Subclassed() && IsWindow(Handle) && MenuBar->MenuHandle &&
      IsMenu(MenuBar->MenuHandle) && !GetMenu(Handle))
    SetMenu(Handle, MenuBar->MenuHandle);
  if (MenuTracking) EndMenu();
  TComponent::BeforeDestruction();
}

TColor TWinSkinForm::FaceColor() const {
  return SkinData ? SkinData->Skin().Colors[scButtonFace] : ColorToRGB(clBtnFace);
}

void TWinSkinForm::FreeSysButtons() {
  HotObject = nullptr;
  SysButtons.clear();
}

void TWinSkinForm::RestoreProcedures() {
  OldFormWindowProc.Remove();
  WndSubclass.Remove();
  ReleaseMdiClient();
}

// The MDI client goes back to its own procedure, and the manager forgets
// it (and its main form) when it was this engine's.
void TWinSkinForm::ReleaseMdiClient() {
  MdiSubclass.Remove();
  TSkinManage* m = Manager();
  if (!m || MdiRole != 1 || !MdiClient || m->MdiClientWindow != MdiClient) return;
  m->MdiClientWindow = nullptr;
  m->MdiMainForm = nullptr;
}

void TWinSkinForm::ReadWindowState() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!GetWindowPlacement(Handle, &wp)) return;
  switch (wp.showCmd) {
  case SW_SHOWMINIMIZED:
  case SW_MINIMIZE:
  case SW_SHOWMINNOACTIVE: WindowState = 2; break;
  case SW_SHOWMAXIMIZED: WindowState = 1; break;
  default: WindowState = 0; break;
  }
}

POINT TWinSkinForm::ToWindowPoint(POINT screen) const {
  POINT p = screen;
  ScreenToClient(Handle, &p);
  if (!(IsMdiChild() && Minimized())) {
    p.x += BorderLeft;
    p.y += CaptionHeight + MenuHeight;
  }
  return p;
}

// --- Initialisation -------------------------------------------------------------

void TWinSkinForm::InitForForm(TSkinData* skinData, TCustomForm* form) {
  Form = form;
  if (skinData->OnBeforeSkinForm) skinData->OnBeforeSkinForm(form, Handle, CreationName);
  if (skinData->HasControl(xcMenuItem)) SetEnumProp(form, "AutoScroll", "False");
  InitEngine(skinData);
  if (SkinFrame) OldFormWindowProc.Install(form, TWndMethod(this, &TWinSkinForm::FormWindowProc));
  SavedColor = form->Color();
  form->SetColor(FaceColor());
  if (skinData->HasControl(xcMenuItem)) SetMainMenusOwnerDraw(true);
}

void TWinSkinForm::InitEngine(TSkinData* skinData) {
  if (Subclassed()) return;
  TSkinManage* m = Manager();
  if (m) m->SetState(1);
  SkinData = skinData;
  HintTimer = new TTimer(nullptr);
  HintTimer->SetEnabled(false);
  HintTimer->SetInterval(250);
  HintTimer->OnTimer = TNotifyEvent(this, &TWinSkinForm::HintTick);
  SkinFrame = skinData->HasControl(xcMainMenu);

  Style = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
  const auto ex = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_EXSTYLE));
  RightToLeft = (ex & WS_EX_LEFTSCROLLBAR) != 0;
  IsChild = (Style & WS_CHILD) != 0;
  Sizable = (Style & WS_THICKFRAME) != 0;
  WndClassName = WindowClassOf(Handle);
  OwnerWindow = GetWindow(Handle, GW_OWNER);

  FrameButtons = 0;
  if ((Style & WS_SYSMENU) || SysMenuHandle) FrameButtons |= 8;
  if (Style & WS_MINIMIZEBOX) FrameButtons |= 2;
  if (Style & WS_MAXIMIZEBOX) FrameButtons |= 1;
  if (ex & WS_EX_CONTEXTHELP) FrameButtons |= 4;
  ReadWindowState();

  // An MDI main window: its client of class "MDIClient".
  for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT))
    if (WindowClassOf(child) == L"MDIClient") {
      MdiClient = child;
      MdiRole = 1;
      if (m) {
        m->MdiClientWindow = child;
        m->MdiMainForm = Form;
      }
      break;
    }
  if (ex & WS_EX_MDICHILD) {
    MdiRole = 2;
    if (skinData->HasOption(xoMDIChildBorder)) SkinFrame = false;
  }

  FrameKind = 1;
  if ((Style & WS_CAPTION) != WS_CAPTION)
    FrameKind = 2;
  else if (Style & WS_THICKFRAME)
    FrameKind = 0;
  else if (Style & DS_MODALFRAME)
    FrameKind = 3;
  if (ex & WS_EX_DLGMODALFRAME) FrameKind = 3;

  const TOsVersion& v = OsVersion();
  if (v.NTFamily && v.Major > 4 && v.Minor == 0 && (ex & WS_EX_APPWINDOW)) FrameButtons |= 16;
  if (v.Major > 4 && v.Minor == 0 && !OwnerWindow && !IsMdiChild()) FrameButtons |= 16;

  IsUnicode = IsWindowUnicode(Handle) != 0;
  if (WndClassName == L"#32770" || WndClassName == L"TMessageForm") {
    FrameKind = 3;
    IsDialogClass = true;
  }
  if (m && m->MdiLayoutPending && !IsChild && SkinFrame && FrameKind != 2) {
    Style &= ~WS_VISIBLE;
    SetWindowLongPtrW(Handle, GWL_STYLE, static_cast<LONG_PTR>(Style));
  }
  if (!v.NTFamily)
    skinData->SetSkinControls(skinData->SkinControls() & ~SkinControlBit(xcSystemMenu));
  if (MdiRole == 1) {
    SavedMenuUpdate = skinData->MenuUpdate();
    MdiSubclass.Install(MdiClient, TWndMethod(this, &TWinSkinForm::MdiClientProc), false);
  }

  WndSubclass.Install(Handle, TWndMethod(this, &TWinSkinForm::SkinWndProc), IsUnicode);

  if (SkinFrame) {
    InitialMenu = GetMenu(Handle);
    CreateMenuBar();
    LoadFrameMetrics();
  } else {
    EngineState = 1;
  }
  const int standardCaption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
  if (IsMdiChild() && CaptionHeight < standardCaption) MenuHeight = standardCaption - CaptionHeight;
  if (IsMdiChild() && Maximized() && m && !m->MdiMaximized) m->SetMdiMaximized(true);
}

void TWinSkinForm::LoadFrameMetrics() {
  if (!SkinData || !SkinData->SkinLoaded()) return;
  DropFrameCaches();
  if (FrameKind == 2) {
    BorderLeft = CaptionHeight = BorderRight = BorderBottom = MenuHeight = 0;
  } else {
    const TSkinDefinition& skin = SkinData->Skin();
    auto frames = [](const TDataSkinBorder& b) { return std::max(b.Frame, 1); };
    CaptionHeight = skin.Border(bpTop).Image.Height() / frames(skin.Border(bpTop));
    BorderLeft = skin.Border(bpLeft).Image.Width() / frames(skin.Border(bpLeft));
    BorderRight = skin.Border(bpRight).Image.Width() / frames(skin.Border(bpRight));
    BorderBottom = skin.Border(bpBottom).Image.Height() / frames(skin.Border(bpBottom));
  }
  FreeSysButtons();
  FButtonsGeneration = SkinData->Skin().Generation();
  auto& definitions = SkinData->Skin().SysButtons;
  ButtonCount = static_cast<int>(definitions.size());
  for (auto& d : definitions) {
    auto button = std::make_unique<TWinSysButton>(this, d.get());
    button->Enabled = true;
    if (d->Action == 3 || d->Action == 11) {
      BuildIconBitmap();
      if (d->Image.Empty()) d->Image = IconBitmap;
      if (SkinData->SmallIcon().Empty()) SkinData->SmallIcon().FromBitmap(IconBitmap);
      d->Frame = 1;
    }
    SysButtons.push_back(std::move(button));
  }
}

// --- Activation ---------------------------------------------------------------------

void TWinSkinForm::ActivateSkin() {
  SysMenuHandle = GetSystemMenu(Handle, FALSE);
  BuildIconBitmap();
  GetClientRect(Handle, &ClientRect);
  RECT w;
  GetWindowRect(Handle, &w);
  StdFrameExtra = {0, 0, (w.right - w.left) - ClientRect.right,
                   (w.bottom - w.top) - ClientRect.bottom};
  TSkinManage* m = Manager();
  if (m && m->MdiLayoutPending) {
    m->MdiLayoutPending = false;
    if (!(GetWindowLongPtrW(Handle, GWL_STYLE) & WS_VISIBLE)) {
      Style |= WS_VISIBLE;
      SetWindowLongPtrW(Handle, GWL_STYLE, GetWindowLongPtrW(Handle, GWL_STYLE) | WS_VISIBLE);
    }
  }
  if (Form)
    SkinAllControls(Form);
  else
    SkinRawChildren(Handle);

  if (EngineState == 0) {
    if (IsMdiChild()) {
      if (Maximized()) {
        if (m && m->MdiClientWindow)
          PostMessageW(m->MdiClientWindow, SKN_MDIREDRAW, reinterpret_cast<WPARAM>(Handle), 0);
      } else if (!Minimized()) {
        EngineState = 5;
        FitWindowToSkin(false);
        EngineState = 1;
        UpdateRegion();
      }
    } else if (!IsChild && FrameKind != 2 && !Minimized()) {
      EngineState = 5;
      FitWindowToSkin(false);
      EngineState = 1;
      if (Maximized())
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      else
        UpdateRegion();
    }
  }
  // The client moved within the window: what the screen showed there
  // belonged to the old frame, so the whole window is drawn afresh.
  RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE);
  SendMessageW(Handle, SKN_SKINNED, 0, SKN_MAGIC);
  if (SkinData->OnAfterSkinForm) SkinData->OnAfterSkinForm(Form, Handle, CreationName);
  EngineState = 1;
  if (HintTimer) HintTimer->SetEnabled(true);
}

void TWinSkinForm::ReskinForm() {
  DropFrameCaches();
  if (Form) {
    const TColor face = FaceColor();
    Form->SetColor(face);
    for (int i = 0; i < Form->ComponentCount(); ++i)
      if (auto* owned = As<TCustomForm>(Form->Components(i))) owned->SetColor(face);
  }
  for (TSkinControl* p : std::vector<TSkinControl*>(Painters))
    p->SkinChanged();
  EngineState = 3;
  if (SkinFrame && Form) {
    SetPopupMenusOwnerDraw(true);
    FitWindowToSkin(true);
    Form->SetHeight(Form->Height() + 1);
    Form->SetHeight(Form->Height() - 1);
  }
  SendMessageW(Handle, SKN_SKINNED, 0, SKN_MAGIC);
  if (SkinData->OnAfterSkinForm) SkinData->OnAfterSkinForm(Form, Handle, CreationName);
  EngineState = 1;
}

// --- Detaching ----------------------------------------------------------------------

void TWinSkinForm::UnskinForm() {
  if (!SkinFrame) return PlainDetach();
  delete SysMenu;
  SysMenu = nullptr;
  if (HintTimer) HintTimer->SetEnabled(false);
  HideCaptionHint();
  if (!Subclassed()) return;
  OldFormWindowProc.Remove();
  WndSubclass.Remove();
  ReleasePainters();
  SetPopupMenusOwnerDraw(false);
  if (SkinData->HasControl(xcMenuItem)) SetMainMenusOwnerDraw(false);
  if (Form && EngineState != 4) Form->SetColor(SavedColor);
  SetSysMenuStyle(false);
  // The window shows its own menu bar again, in the band the skinned one
  // had, so the client area keeps its size.
  if (MenuBar) {
    if (MenuBar->MenuHandle && IsMenu(MenuBar->MenuHandle)) SetMenu(Handle, MenuBar->MenuHandle);
    FreeMenuBar();
    MenuHeight = 0;
  }
  ReleaseMdiClient();
  if (EngineState != 4 && (IsZoomed(Handle) || IsIconic(Handle))) {
    // A maximized or minimized window takes its size from the system: only
    // the frame is recalculated.
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  } else if (EngineState != 4 &&
             (IsMdiChild() || !(GetWindowLongPtrW(Handle, GWL_STYLE) & WS_CHILD))) {
    // Back to the standard frame with the same client area.
    RECT r;
    GetWindowRect(Handle, &r);
    POINT topLeft{r.left, r.top};
    if (IsMdiChild()) ScreenToClient(GetParent(Handle), &topLeft);
    const int width = (r.right - r.left) + StdFrameExtra.right - BorderLeft - BorderRight;
    // A child's padded caption band is no menu that comes back with the
    // standard frame.
    const int band = IsMdiChild() ? MenuHeight : 0;
    const int height =
        (r.bottom - r.top) + StdFrameExtra.bottom - CaptionHeight - BorderBottom - band;
    SetWindowPos(Handle, nullptr, topLeft.x, topLeft.y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  SetWindowRgn(Handle, nullptr, TRUE); // the system frees the region it held
  Region = nullptr;
  RegionOwned = false;
}

void TWinSkinForm::DetachOnDestroy() {
  if (!SkinFrame) return PlainDetach();
  delete SysMenu;
  SysMenu = nullptr;
  if (HintTimer) HintTimer->SetEnabled(false);
  HideCaptionHint();
  if (!Subclassed()) return;
  OldFormWindowProc.Remove();
  WndSubclass.Remove();
  ReleaseMdiClient();
  ReleasePainters();
  FreeMenuBar();
}

void TWinSkinForm::PlainDetach() {
  if (HintTimer) HintTimer->SetEnabled(false);
  ReleasePainters();
  SetPopupMenusOwnerDraw(false);
  if (SkinData && SkinData->HasControl(xcMenuItem)) SetMainMenusOwnerDraw(false);
  const bool destroying = EngineState == 4;
  if (Form && !destroying) Form->SetColor(SavedColor);
  WndSubclass.Remove();
  ReleaseMdiClient();
  if (Form && !destroying)
    for (int i = 0; i < Form->ComponentCount(); ++i)
      if (auto* c = As<TControl>(Form->Components(i))) c->Invalidate();
}
