// The skinned menu bar: buttons built from the window's menu, the bar
// painted under the caption, the drop-downs opened from it by mouse and
// keyboard, and the message filter that moves between drop-downs while one
// is open.
#include "skin/form/MenuBar.h"

#include "fw/Menus.h"
#include "fw/OsVersion.h"
#include "skin/controls/SkinManager.h"
#include "skin/data/ElementDraw.h"
#include "skin/data/ImgUtilGdi.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>

namespace {

TSkinManage* Manager() {
  return SkinManagerObject();
}

constexpr int kMenuTextLength = 80; // menu texts are read into buffers of this size

// One drop-down is tracked at a time, whichever window it belongs to.
struct TTracking {
  TWinSkinForm* Engine = nullptr;
  int OpenIndex = -1;
  TMenuItem* CurrentItem = nullptr;
  bool Switching = false;
  HHOOK Hook = nullptr;
  POINT LastMousePos{};
  bool FirstKeyPosted = false;
  bool SwitchRequested = false;
  int PendingSwitch = -1; // the button to open once the current drop-down has closed
};
TTracking gTrack;

bool OlderNT() {
  const TOsVersion& v = OsVersion();
  return (v.NTFamily && v.Major < 5) || (v.Major == 4 && v.Minor == 0);
}

bool IsNT4() {
  const TOsVersion& v = OsVersion();
  return v.NTFamily && v.Major == 4;
}

// The drop-down shown last (the deepest one open): menu windows stack
// with the newest on top.
HMENU DeepestOpenMenu() {
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
    if (!IsWindowVisible(w) || GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId())
      continue;
    return reinterpret_cast<HMENU>(SendMessageW(w, 0x01E1 /* MN_GETHMENU */, 0, 0));
  }
  return nullptr;
}

// Whether the highlighted item of a menu opens a sub-menu of its own.
bool HighlightedHasSubMenu(HMENU menu) {
  if (!menu) return false;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
      return GetSubMenu(menu, i) != nullptr;
  return false;
}

// Every item of the drop-down, through its sub-menus, becomes owner-drawn;
// the item keeps its text.
void MakeOwnerDrawn(HMENU menu, int depth = 0) {
  if (!menu || depth > 16) return;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_OWNERDRAW)) {
      info.fMask = MIIM_FTYPE;
      info.fType |= MFT_OWNERDRAW;
      SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    }
    if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu, depth + 1);
  }
}

int CaptionWidth(const std::wstring& caption) {
  if (caption.empty()) return 0;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, MenuBarFont());
  RECT r{0, 0, 0, 0};
  DrawWideText(dc, caption, r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r.right - r.left;
}

} // namespace

HFONT MenuBarFont() {
  if (Screen) return Screen->MenuFont().Handle();
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// --- Buttons --------------------------------------------------------------------------

void TMenuBtn::Draw() {
  TWinSkinMenu* bar = Engine ? Engine->MenuBar : nullptr;
  if (!bar || !Visible || bar->Painting) return;
  const int w = Bounds.right - Bounds.left, h = Bounds.bottom - Bounds.top;
  if (w <= 0 || h <= 0 || bar->Background.Empty()) return;
  HDC dc = GetWindowDC(Engine->Handle);
  if (!dc) return;
  BitBlt(dc, Bounds.left, Bounds.top, w, h, bar->Background.Canvas().Handle(),
         Bounds.left - bar->BarRect.left, Bounds.top - bar->BarRect.top, SRCCOPY);
  if (State == 2 || State == 3) {
    HBRUSH frame = CreateSolidBrush(ColorToRGB(SkinData->Skin().Colors[scButtonHilight]));
    FrameRect(dc, &Bounds, frame);
    DeleteObject(frame);
  }
  bar->DrawButtonCaption(dc, *this, Bounds);
  ReleaseDC(Engine->Handle, dc);
}

// --- The bar --------------------------------------------------------------------------

FW_CLASS_IMPL(TWinSkinMenu, TComponent, nullptr, NoSetup)

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* engine)
    : TComponent(engine), SkinData(engine->SkinData), Engine(engine) {}

TWinSkinMenu::~TWinSkinMenu() {
  FreeButtons();
}

void TWinSkinMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove || component != MenuComponent) return;
  MenuComponent = nullptr;
  for (auto& b : Buttons)
    b->MenuItem = nullptr;
}

void TWinSkinMenu::FreeButtons() {
  if (gTrack.Engine == Engine) gTrack.CurrentItem = nullptr;
  Buttons.clear(); // a button that goes stops being the engine's hot object
  ButtonCount = 0;
}

TMenuBtn* TWinSkinMenu::AddButton(int index) {
  auto button = std::make_unique<TMenuBtn>(Engine);
  button->SkinData = SkinData;
  button->Index = index;
  button->Visible = true;
  Buttons.push_back(std::move(button));
  return Buttons.back().get();
}

void TWinSkinMenu::TakeFromItem(TMenuBtn& button, TMenuItem& item) {
  item.InitiateAction();
  button.Caption = item.Caption();
  button.ItemEnabled = item.Enabled();
  button.MenuItem = &item;
  button.SubMenu = item.Count() > 0 ? item.Handle() : nullptr;
}

bool TWinSkinMenu::RightToLeft() const {
  return MenuComponent && MenuComponent->IsRightToLeft();
}

// A button for the menu's item at index, with its drop-down, state and
// command; text gets the item's caption (empty for owner-drawn, picture and
// separator items).
TMenuBtn* TWinSkinMenu::AddButtonFromMenu(int index, std::wstring& text) {
  wchar_t buffer[kMenuTextLength] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
  info.dwTypeData = buffer;
  info.cch = kMenuTextLength - 1;
  GetMenuItemInfoW(MenuHandle, static_cast<UINT>(index), TRUE, &info);
  TMenuBtn* b = AddButton(index);
  b->SubMenu = info.hSubMenu;
  b->ItemEnabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
  b->Command = info.wID;
  text = info.fType & (MFT_OWNERDRAW | MFT_BITMAP | MFT_SEPARATOR) ? L"" : buffer;
  return b;
}

void TWinSkinMenu::BuildButtons() {
  if (OlderNT()) return BuildButtonsFromItems();
  HWND wnd = Engine->Handle;
  HMENU menu = GetMenu(wnd);
  if (!menu) return;
  MenuHandle = menu;
  if (Engine->Form && !MenuComponent) return;
  FreeButtons();
  const int count = GetMenuItemCount(MenuHandle);
  if (count <= 0) return;
  ButtonCount = count;
  for (int i = 0; i < count; ++i) {
    std::wstring text;
    TMenuBtn* b = AddButtonFromMenu(i, text);
    b->Caption = text;
    if (MenuComponent)
      if (TMenuItem* item = MenuComponent->FindItem(b->Command)) TakeFromItem(*b, *item);
  }
  SetMenu(wnd, nullptr);
}

void TWinSkinMenu::BuildButtonsFromItems() {
  if (HMENU menu = GetMenu(Engine->Handle)) MenuHandle = menu;
  FreeButtons();
  if (!MenuComponent) return;
  TMenuItem& top = MenuComponent->Items();
  ButtonCount = top.Count();
  for (int i = 0; i < top.Count(); ++i) {
    TMenuItem& item = *top.Items(i);
    TMenuBtn* b = AddButton(i);
    TakeFromItem(*b, item);
    b->Visible = item.Visible();
    b->Command = item.Command();
  }
  SetMenu(Engine->Handle, nullptr);
}

void TWinSkinMenu::RebuildFromMenu() {
  HWND wnd = Engine->Handle;
  HMENU menu = GetMenu(wnd);
  if (!menu) return;
  MenuHandle = menu;
  FreeButtons();
  const int count = GetMenuItemCount(MenuHandle);
  ButtonCount = std::max(count, 0);
  for (int i = 0; i < count; ++i) {
    std::wstring text;
    TMenuBtn* b = AddButtonFromMenu(i, text);
    if (!text.empty()) {
      b->Caption = text;
    } else if (MenuComponent) {
      // Owner-drawn items (a merged child's menu) come from the framework.
      if (TMenuItem* item = MenuComponent->FindItem(b->Command)) {
        TakeFromItem(*b, *item);
        b->Command = item->Command();
      }
    }
  }
  SetMenu(wnd, nullptr);
  LayoutBar();
}

RECT TWinSkinMenu::BarBounds() const {
  RECT window{};
  GetWindowRect(Engine->Handle, &window);
  const int frameWidth = window.right - window.left;
  return {Engine->BorderLeft, Engine->CaptionHeight, frameWidth - Engine->BorderRight,
          Engine->CaptionHeight + Engine->MenuHeight};
}

void TWinSkinMenu::LayoutBar() {
  const RECT bar = BarBounds();
  const TDataSkinMenuBar* element = SkinData->Skin().MenuBar();
  const bool rtl = RightToLeft();
  int start = element ? (rtl ? element->TileRightMenu() + 8 : element->TileLeftMenu() + 4) : 6;
  if (bar.right - bar.left < start) start = 12;
  int x = rtl ? bar.right - start : bar.left + start;
  for (auto& b : Buttons) {
    if (!b->Visible) {
      b->Bounds = {0, 0, 0, 0};
      continue;
    }
    const int width = b->Caption.empty() ? 0 : CaptionWidth(b->Caption) + 10;
    if (rtl) {
      b->Bounds = {x - width, bar.top, x, bar.bottom - 1};
      x -= width;
    } else {
      b->Bounds = {x, bar.top, x + width, bar.bottom - 1};
      x += width;
    }
  }
  // A right-to-left bar of an MDI frame whose child is maximized keeps its
  // first button clear of the child's buttons in the bar.
  if (rtl && !Buttons.empty() && Engine->MdiChildMaximized()) {
    int leftmost = INT_MAX;
    for (auto& s : Engine->SysButtons)
      if (s->Definition->Visibility == 100 && s->Visible && !s->Definition->Image.Empty())
        leftmost = std::min<int>(leftmost, s->Bounds.left);
    TMenuBtn& first = *Buttons.front();
    if (leftmost != INT_MAX && first.Bounds.right > leftmost - 5) {
      const int width = first.Bounds.right - first.Bounds.left;
      first.Bounds.right = leftmost - 5;
      first.Bounds.left = first.Bounds.right - width;
    }
  }
}

void TWinSkinMenu::DrawButtonCaption(HDC dc, const TMenuBtn& button, const RECT& rect) const {
  if (button.Caption.empty()) return;
  const auto& colors = SkinData->Skin().Colors;
  HGDIOBJ oldFont = SelectObject(dc, MenuBarFont());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(
      dc, ColorToRGB(button.ItemEnabled ? colors[scMenuBarText] : colors[scButtonShadow]));
  RECT r = rect;
  DrawWideText(dc, button.Caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void TWinSkinMenu::PaintBar(HDC dc, const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  TScratchBitmap& scratch = ScratchBitmap();
  scratch.SetSize(width, height);
  HDC sdc = scratch.DC();
  const RECT local{0, 0, width, height};
  const TDataSkinMenuBar* element = SkinData->Skin().MenuBar();
  if (element && !element->Image.Empty()) {
    const int frame = Engine->Active ? 1 : 2;
    if (element->TileMenu == 1)
      DrawNineSlice(sdc, local, *element, frame, true);
    else
      DrawThreeSliceH(sdc, local, *element, frame, true);
  } else {
    HBRUSH fill = CreateSolidBrush(ColorToRGB(SkinData->Skin().Colors[scMenubar]));
    FillRect(sdc, &local, fill);
    DeleteObject(fill);
  }
  BarRect = rect;
  if (Background.Width() != width || Background.Height() != height)
    Background.SetSize(width, height);
  BitBlt(Background.Canvas().Handle(), 0, 0, width, height, sdc, 0, 0, SRCCOPY);

  Painting = true;
  LayoutBar();
  for (auto& b : Buttons) {
    if (!b->Visible) continue;
    RECT r = b->Bounds;
    OffsetRect(&r, -rect.left, -rect.top);
    DrawButtonCaption(sdc, *b, r);
  }
  Painting = false;

  if (Engine->MdiChildMaximized()) {
    for (auto& s : Engine->SysButtons) {
      const TDataSkinSysButton& d = *s->Definition;
      if (d.Visibility != 100 || d.Image.Empty()) continue;
      RECT r = s->Bounds;
      OffsetRect(&r, -rect.left, -rect.top);
      DrawFrameStretched(sdc, r, d.Image, true, std::max(d.Frame, 1), 1);
    }
    if (TSkinManage* m = Manager(); m && !m->MdiMaximized) m->SetMdiMaximized(true);
  }
  BitBlt(dc, rect.left, rect.top, width, height, sdc, 0, 0, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::ButtonAt(POINT p) const {
  for (auto& b : Buttons)
    if (!b->Caption.empty() && PtInRect(&b->Bounds, p)) return b.get();
  return nullptr;
}

// --- The engine's side ----------------------------------------------------------------

TMenu* TWinSkinForm::MenuComponent() const {
  return MenuBar ? MenuBar->MenuComponent : nullptr;
}

void TWinSkinForm::CreateMenuBar() {
  if (MenuBar || !InitialMenu || IsMdiChild()) return;
  MenuBar = new TWinSkinMenu(this);
  MenuHeight = GetSystemMetrics(SM_CYMENU);
  if (Form && Form->Menu()) {
    MenuBar->MenuComponent = Form->Menu();
    Form->Menu()->FreeNotification(MenuBar);
  }
  MenuBar->BuildButtons();
}

void TWinSkinForm::FreeMenuBar() {
  if (gTrack.Engine == this) gTrack.CurrentItem = nullptr;
  delete MenuBar;
  MenuBar = nullptr;
}

void TWinSkinForm::PressMenuButton(TMenuBtn* button) {
  if (!button) return;
  GetWindowRect(Handle, &WindowRect);
  const LPARAM at = MAKELPARAM(WindowRect.left + button->Bounds.left + 1,
                               WindowRect.top + button->Bounds.top + 1);
  PostMessageW(Handle, WM_NCLBUTTONDOWN, HTMENU, at);
}

bool TWinSkinForm::OpenMenuButton(TMenuBtn* button) {
  gTrack.SwitchRequested = false;
  gTrack.PendingSwitch = -1;
  bool opened = false;
  while (button && MenuBar) {
    // The top-level item's own click; a plain window's item with a
    // drop-down has no command of its own.
    if (!button->SubMenu || button->MenuItem) PostMessageW(Handle, WM_COMMAND, button->Command, 0);
    if (!button->SubMenu) return opened;
    if (HotObject != button || button->State != 2) button->Press();
    gTrack.OpenIndex = button->Index;
    gTrack.Engine = this;
    GetWindowRect(Handle, &WindowRect);
    HMENU sub = button->SubMenu;
    if (!IsNT4()) MakeOwnerDrawn(sub);
    // The drop-down opens without notifications: the actions of its items
    // give them their state here.
    if (button->MenuItem)
      for (int i = 0; i < button->MenuItem->Count(); ++i)
        button->MenuItem->Items(i)->InitiateAction();
    MenuTracking = true;
    const bool rtl = MenuBar->RightToLeft();
    const int x = WindowRect.left + (rtl ? button->Bounds.right : button->Bounds.left);
    const int y = WindowRect.top + button->Bounds.bottom;
    if (TSkinManage* m = Manager()) {
      m->PopupKind = 1;
      m->MenuBarPopup = true;
    }
    TrackedPopup = sub;
    const bool enabled = button->ItemEnabled;
    InstallMenuHook();
    if (enabled) TrackPopupMenu(sub, rtl ? 0x8A : 0x82, x, y, 0, Handle, nullptr);
    const int next = gTrack.PendingSwitch;
    RemoveMenuHook();
    MenuTracking = false;
    opened = true;
    // The bar may have been rebuilt meanwhile: buttons are found again.
    if (auto* hot = dynamic_cast<TMenuBtn*>(HotObject)) {
      hot->State = 1;
      hot->Draw();
      HotObject = nullptr;
    }
    button = MenuBar && next >= 0 && next < static_cast<int>(MenuBar->Buttons.size())
                 ? MenuBar->Buttons[next].get()
                 : nullptr;
  }
  return opened;
}

TMenuBtn* TWinSkinForm::NeighbourButton(bool next) {
  if (!MenuBar || MenuBar->Buttons.empty()) return nullptr;
  const int count = static_cast<int>(MenuBar->Buttons.size());
  int i = std::clamp(gTrack.OpenIndex, 0, count - 1);
  // Buttons nobody can see or click are passed over, and so are disabled
  // ones: they open nothing, so stopping on one would end the menu.
  for (int step = 0; step < count; ++step) {
    i = next ? (i + 1) % count : (i + count - 1) % count;
    TMenuBtn* b = MenuBar->Buttons[i].get();
    if (b->Visible && b->ItemEnabled && !b->Caption.empty()) return b;
  }
  return nullptr;
}

TMenuBtn* TWinSkinForm::FindAccelButton(wchar_t c) {
  if (!MenuBar || !c) return nullptr;
  const wchar_t key = static_cast<wchar_t>(std::towupper(c));
  for (auto& b : MenuBar->Buttons)
    if (b->ItemEnabled && b->Visible && GetHotkey(b->Caption) == key) return b.get();
  return nullptr;
}

namespace {

LRESULT CALLBACK MenuHookProc(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  TWinSkinForm* engine = gTrack.Engine;
  TMenu* menu = engine ? engine->MenuComponent() : nullptr;
  if (msg && menu && menu->IsRightToLeft() && msg->message == WM_KEYDOWN) {
    if (msg->wParam == VK_LEFT)
      msg->wParam = VK_RIGHT;
    else if (msg->wParam == VK_RIGHT)
      msg->wParam = VK_LEFT;
  }
  const LRESULT result = CallNextHookEx(gTrack.Hook, code, wParam, lParam);
  if (result != 0 || code != MSGF_MENU || !msg || !engine) return result;
  if (!gTrack.FirstKeyPosted) {
    // The drop-down opens with its first item selected.
    gTrack.FirstKeyPosted = true;
    PostMessageW(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  TMenuBtn* target = nullptr;
  switch (msg->message) {
  case WM_KEYDOWN:
    if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) {
      gTrack.Switching = false;
    } else if (msg->wParam == VK_LEFT) {
      // In a nested sub-menu Left goes back to its parent; only the top of
      // the drop-down moves to the neighbouring button.
      const HMENU deepest = DeepestOpenMenu();
      if (!deepest || deepest == engine->TrackedPopup) target = engine->NeighbourButton(false);
    } else if (msg->wParam == VK_RIGHT) {
      // Right opens a highlighted item's sub-menu; anywhere else it moves on.
      if (!HighlightedHasSubMenu(DeepestOpenMenu())) target = engine->NeighbourButton(true);
    }
    break;
  case WM_SYSKEYDOWN:
    if (msg->wParam == VK_MENU) {
      engine->MenuTracking = false;
      return result;
    }
    break;
  case WM_MENUSELECT:
    if (HIWORD(msg->wParam) == 0xFFFF && msg->lParam == 0) {
      if (!gTrack.Switching) engine->MenuTracking = false;
      return result;
    }
    gTrack.Switching = false;
    if (menu) {
      if (HIWORD(msg->wParam) & MF_POPUP)
        gTrack.CurrentItem = menu->FindItemByHandle(
            GetSubMenu(reinterpret_cast<HMENU>(msg->lParam), LOWORD(msg->wParam)));
      else
        gTrack.CurrentItem = menu->FindItem(LOWORD(msg->wParam));
    }
    break;
  case WM_MOUSEMOVE:
    if (msg->pt.x != gTrack.LastMousePos.x || msg->pt.y != gTrack.LastMousePos.y) {
      if (engine->MenuBar) target = engine->MenuBar->ButtonAt(engine->ToWindowPoint(msg->pt));
      gTrack.LastMousePos = msg->pt;
    }
    break;
  default: break;
  }
  if (target && target->Index != gTrack.OpenIndex && gTrack.PendingSwitch < 0) {
    // The open drop-down closes, and the loop that opened it opens the
    // target's next, so the two never overlap.
    gTrack.Switching = true;
    gTrack.PendingSwitch = target->Index;
    gTrack.SwitchRequested = true;
    EndMenu();
  }
  return result;
}

} // namespace

void TWinSkinForm::InstallMenuHook() {
  gTrack.Switching = false;
  gTrack.FirstKeyPosted = false;
  gTrack.PendingSwitch = -1;
  GetCursorPos(&gTrack.LastMousePos);
  if (!gTrack.Hook)
    gTrack.Hook = SetWindowsHookExW(WH_MSGFILTER, MenuHookProc, nullptr, GetCurrentThreadId());
}

void TWinSkinForm::RemoveMenuHook() {
  if (gTrack.Hook) UnhookWindowsHookEx(gTrack.Hook);
  gTrack.Hook = nullptr;
  gTrack.CurrentItem = nullptr;
  gTrack.OpenIndex = -1;
  gTrack.FirstKeyPosted = false;
  gTrack.PendingSwitch = -1;
  if (gTrack.Engine == this) gTrack.Engine = nullptr;
}

// Alt+letter on a framework form: the form's own handling first, then the
// bar's accelerators, then the frame or main form.
void TWinSkinForm::DialogKey(TMessage& msg) {
  OldFormWindowProc.CallPrevious(msg);
  if (msg.Result) return;
  const bool onlyAlt =
      GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
  if (onlyAlt)
    if (TMenuBtn* b = FindAccelButton(static_cast<wchar_t>(msg.WParam))) {
      PressMenuButton(b);
      msg.Result = 1;
      return;
    }
  TSkinManage* m = Manager();
  TCustomForm* target = nullptr;
  if (IsMdiChild())
    target = m ? As<TCustomForm>(m->MdiMainForm) : nullptr;
  else if (Application && Application->MainForm() != Form)
    target = Application->MainForm();
  if (target && target != Form) msg.Result = target->Perform(msg.Msg, msg.WParam, msg.LParam);
}

void TWinSkinForm::MenuClick(TMessage& msg) {
  msg.Result = 0;
  const POINT p = ToWindowPoint({GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)});
  if (auto* b = dynamic_cast<TMenuBtn*>(TargetAt(p))) OpenMenuButton(b);
}

// SC_KEYMENU: Alt alone or F10 opens the first drop-down, Alt+letter the
// button with that accelerator, Alt+Space the skinned system menu.
bool TWinSkinForm::HandleKeyMenu(TMessage& msg) {
  if (MenuTracking) return false;
  const auto c = static_cast<wchar_t>(msg.LParam);
  if (c == L' ') {
    POINT origin{0, 0};
    ClientToScreen(Handle, &origin);
    OpenSysMenu(origin);
    // The window's own system menu must not follow the skinned one.
    msg.Result = 0;
    return true;
  }
  if (c == L'-' || GetCapture()) return false;
  TMenuBtn* button = nullptr;
  if (c)
    button = FindAccelButton(c);
  else if (MenuBar)
    button = NeighbourButtonFrom(-1);
  if (c && !button) return false;
  OpenMenuButton(button);
  msg.Result = 1;
  return true;
}

TMenuBtn* TWinSkinForm::NeighbourButtonFrom(int index) {
  if (!MenuBar) return nullptr;
  const int count = static_cast<int>(MenuBar->Buttons.size());
  for (int i = index + 1; i < count; ++i)
    if (MenuBar->Buttons[i]->Visible && !MenuBar->Buttons[i]->Caption.empty())
      return MenuBar->Buttons[i].get();
  return nullptr;
}
