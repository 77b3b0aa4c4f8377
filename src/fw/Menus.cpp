#include "fw/Menus.h"

#include "core/Convert.h"
#include "fw/Forms.h"

#include <algorithm>
#include <cwctype>

// --- Shortcuts -----------------------------------------------------------------------

namespace {

struct TKeyName {
  UINT Key;
  const wchar_t* Name;
};

// Keys whose name is not their character.
constexpr TKeyName kKeyNames[] = {
    {VK_BACK, L"BkSp"},      {VK_TAB, L"Tab"},        {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},
    {VK_SPACE, L"Space"},    {VK_PRIOR, L"PgUp"},     {VK_NEXT, L"PgDn"},    {VK_END, L"End"},
    {VK_HOME, L"Home"},      {VK_LEFT, L"Left"},      {VK_UP, L"Up"},        {VK_RIGHT, L"Right"},
    {VK_DOWN, L"Down"},      {VK_INSERT, L"Ins"},     {VK_DELETE, L"Del"},   {VK_ADD, L"Num +"},
    {VK_SUBTRACT, L"Num -"}, {VK_MULTIPLY, L"Num *"}, {VK_DIVIDE, L"Num /"},
};

std::wstring KeyText(UINT key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  for (const TKeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return {};
}

std::wstring LowerText(std::wstring s) {
  for (wchar_t& c : s)
    c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

} // namespace

std::wstring ShortCutToText(TShortCut shortcut) {
  const std::wstring key = KeyText(shortcut & 0xFF);
  if (key.empty()) return {};
  std::wstring out;
  if (shortcut & scShift) out += L"Shift+";
  if (shortcut & scCtrl) out += L"Ctrl+";
  if (shortcut & scAlt) out += L"Alt+";
  return out + key;
}

TShortCut TextToShortCut(const std::wstring& text) {
  TShortCut modifiers = 0;
  std::wstring rest = text;
  for (;;) {
    const std::wstring lower = LowerText(rest);
    if (lower.rfind(L"shift+", 0) == 0) {
      modifiers |= scShift;
      rest.erase(0, 6);
    } else if (lower.rfind(L"ctrl+", 0) == 0) {
      modifiers |= scCtrl;
      rest.erase(0, 5);
    } else if (lower.rfind(L"alt+", 0) == 0) {
      modifiers |= scAlt;
      rest.erase(0, 4);
    } else {
      break;
    }
  }
  if (rest.empty()) return 0;
  const std::wstring lower = LowerText(rest);
  for (UINT key = 1; key < 256; ++key) {
    const std::wstring name = KeyText(key);
    if (!name.empty() && LowerText(name) == lower) return modifiers | key;
  }
  return 0;
}

wchar_t GetHotkey(const std::wstring& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i; // "&&" is a plain ampersand
      continue;
    }
    return static_cast<wchar_t>(std::towupper(caption[i + 1]));
  }
  return 0;
}

// --- Commands ---------------------------------------------------------------------------

namespace {

// Items by command identifier; identifier i is slot i - 1. Identifiers stay
// below the system commands (0xF000) so a WM_COMMAND of an item is never
// taken for one.
std::vector<TMenuItem*>& CommandTable() {
  static std::vector<TMenuItem*> table;
  return table;
}
constexpr UINT kLastCommand = 0xEFFF;

UINT AllocateCommand(TMenuItem* item) {
  auto& table = CommandTable();
  for (std::size_t i = 0; i < table.size(); ++i)
    if (!table[i]) {
      table[i] = item;
      return static_cast<UINT>(i + 1);
    }
  if (table.size() >= kLastCommand) return 0; // no identifier left: the item sends none
  table.push_back(item);
  return static_cast<UINT>(table.size());
}

void ReleaseCommand(UINT command) {
  auto& table = CommandTable();
  if (command && command <= table.size()) table[command - 1] = nullptr;
  while (!table.empty() && !table.back())
    table.pop_back();
}

} // namespace

TMenuItem* FindMenuItemByCommand(UINT command) {
  auto& table = CommandTable();
  return command && command <= table.size() ? table[command - 1] : nullptr;
}

// --- Actions ---------------------------------------------------------------------------

static void SetupBasicAction(TClassInfo& c) {
  using T = TBasicAction;
  c.Props.push_back(StringProp<T>(
      "Caption", [](T* o) { return o->Caption; },
      [](T* o, const std::wstring& v) { o->Caption = v; }));
  c.Props.push_back(BoolProp<T>(
      "Enabled", [](T* o) { return o->Enabled; }, [](T* o, bool v) { o->Enabled = v; }, true));
  c.Props.push_back(BoolProp<T>(
      "Checked", [](T* o) { return o->Checked; }, [](T* o, bool v) { o->Checked = v; }, false));
  c.Props.push_back(EventProp("OnExecute", &T::OnExecute));
  c.Props.push_back(EventProp("OnUpdate", &T::OnUpdate));
}
FW_CLASS_IMPL(TBasicAction, TComponent, CreateComponentOf<TBasicAction>, SetupBasicAction)

void TBasicAction::Update() {
  if (OnUpdate) OnUpdate(this);
}

bool TBasicAction::Execute() {
  Update();
  if (!Enabled || !OnExecute) return false;
  OnExecute(this);
  return true;
}

// --- Items -----------------------------------------------------------------------------

static void SetupMenuItem(TClassInfo& c) {
  using T = TMenuItem;
  c.Props.push_back(StringProp<T>(
      "Caption", [](T* o) { return o->Caption(); },
      [](T* o, const std::wstring& v) { o->SetCaption(v); }));
  c.Props.push_back(BoolProp<T>(
      "Checked", [](T* o) { return o->Checked(); }, [](T* o, bool v) { o->SetChecked(v); }, false));
  c.Props.push_back(BoolProp<T>(
      "Default", [](T* o) { return o->Default(); }, [](T* o, bool v) { o->SetDefault(v); }, false));
  c.Props.push_back(BoolProp<T>(
      "Enabled", [](T* o) { return o->Enabled(); }, [](T* o, bool v) { o->SetEnabled(v); }, true));
  c.Props.push_back(IntProp<T>(
      "ImageIndex", [](T* o) { return o->ImageIndex(); },
      [](T* o, std::int64_t v) { o->SetImageIndex(static_cast<int>(v)); }, -1));
  c.Props.push_back(IntProp<T>(
      "ShortCut", [](T* o) { return static_cast<std::int64_t>(o->ShortCut()); },
      [](T* o, std::int64_t v) { o->SetShortCut(static_cast<TShortCut>(v & 0xFFFF)); }, 0));
  c.Props.push_back(BoolProp<T>(
      "Visible", [](T* o) { return o->Visible(); }, [](T* o, bool v) { o->SetVisible(v); }, true));
  c.Props.push_back(ObjectProp<T, TBasicAction>(
      "Action", [](T* o) { return o->Action(); }, [](T* o, TBasicAction* v) { o->SetAction(v); }));
  c.Props.push_back(EventProp("OnClick", &T::OnClick));
  c.Props.push_back(EventProp("OnDrawItem", &T::OnDrawItem));
  c.Props.push_back(EventProp("OnMeasureItem", &T::OnMeasureItem));
}
FW_CLASS_IMPL(TMenuItem, TComponent, CreateComponentOf<TMenuItem>, SetupMenuItem)

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
  // Sub-items go with their parent, whoever owns them.
  while (!FItems.empty()) {
    TMenuItem* child = FItems.back();
    FItems.pop_back();
    child->FParent = nullptr;
    delete child;
  }
  if (FParent) FParent->Remove(this);
  if (FHandle) DestroyMenu(FHandle);
  ReleaseCommand(FCommand);
}

void TMenuItem::SetCaption(const std::wstring& v) {
  if (v == FCaption) return;
  FCaption = v;
  Changed();
}
void TMenuItem::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  Changed();
}
void TMenuItem::SetChecked(bool v) {
  if (v == FChecked) return;
  FChecked = v;
  Changed();
}
void TMenuItem::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  Changed();
}
void TMenuItem::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  Changed();
}
void TMenuItem::SetShortCut(TShortCut v) {
  if (v == FShortCut) return;
  FShortCut = v;
  Changed();
}
void TMenuItem::SetImageIndex(int v) {
  if (v == FImageIndex) return;
  FImageIndex = v;
  Changed();
}

void TMenuItem::SetAction(TBasicAction* v) {
  if (v == FAction) return;
  if (FAction) FAction->RemoveFreeNotification(this);
  FAction = v;
  if (FAction) {
    FAction->FreeNotification(this);
    InitiateAction();
  }
}

void TMenuItem::InitiateAction() {
  if (!FAction) return;
  FAction->Update();
  const std::wstring caption = FAction->Caption.empty() ? FCaption : FAction->Caption;
  if (caption == FCaption && FEnabled == FAction->Enabled && FChecked == FAction->Checked) return;
  FCaption = caption;
  FEnabled = FAction->Enabled;
  FChecked = FAction->Checked;
  Changed();
}

int TMenuItem::MenuIndex() const {
  if (!FParent) return -1;
  auto& siblings = FParent->FItems;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TMenuItem::Add(TMenuItem* item) {
  Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  for (TMenuItem* p = this; p; p = p->FParent)
    if (p == item) throw EFrameworkError("a menu item cannot hold itself");
  if (item->FParent) item->FParent->Remove(item);
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
  // The sub-menu must leave this menu before its owner may destroy it.
  if (FHandle && item->FHandle) {
    for (int i = GetMenuItemCount(FHandle) - 1; i >= 0; --i)
      if (GetSubMenu(FHandle, i) == item->FHandle) RemoveMenu(FHandle, i, MF_BYPOSITION);
  }
  Changed();
}

void TMenuItem::Clear() {
  while (!FItems.empty())
    delete FItems.back(); // removes itself
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent)
    item = item->FParent;
  return item->FMenu;
}

TCustomImageList* TMenuItem::GetImageList() const {
  TMenu* menu = GetParentMenu();
  return menu ? menu->Images() : nullptr;
}

// The top-level items of a main menu sit in the window's menu bar: they
// are owner-drawn only when they draw themselves.
bool TMenuItem::OwnerDrawn() const {
  if (OnDrawItem) return true;
  TMenu* menu = GetParentMenu();
  if (!menu || !menu->OwnerDraw()) return false;
  return menu->IsPopup() || (FParent && FParent->FParent);
}

HMENU TMenuItem::Handle() {
  if (!FHandle) {
    const bool bar = FMenu && !FMenu->IsPopup();
    if (!bar && !FMenu && FItems.empty()) return nullptr;
    FHandle = bar ? CreateMenu() : CreatePopupMenu();
    RebuildHandle();
  }
  return FHandle;
}

void TMenuItem::AppendTo(HMENU menu) {
  // An item without sub-items any more gives its old sub-menu up.
  if (FItems.empty() && FHandle) {
    DestroyMenu(FHandle);
    FHandle = nullptr;
  }
  HMENU sub = FItems.empty() ? nullptr : Handle();
  std::wstring text = FCaption;
  if (FShortCut && !IsLine()) text += L"\t" + ShortCutToText(FShortCut);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_DATA;
  info.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
  if (OwnerDrawn()) info.fType |= MFT_OWNERDRAW;
  if (TMenu* m = GetParentMenu(); m && m->IsRightToLeft()) info.fType |= MFT_RIGHTORDER;
  info.fState =
      (FEnabled ? 0u : MFS_GRAYED) | (FChecked ? MFS_CHECKED : 0u) | (FDefault ? MFS_DEFAULT : 0u);
  info.wID = FCommand;
  info.hSubMenu = sub;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
}

void TMenuItem::RebuildHandle() {
  if (!FHandle) return;
  // RemoveMenu keeps the sub-menus alive: each belongs to its item.
  for (int i = GetMenuItemCount(FHandle) - 1; i >= 0; --i)
    RemoveMenu(FHandle, i, MF_BYPOSITION);
  for (TMenuItem* item : FItems)
    if (item->FVisible) item->AppendTo(FHandle);
}

void TMenuItem::Changed() {
  if (HasState(csDestroying) || HasState(csLoading)) return;
  TMenu* menu = GetParentMenu();
  // A menu that goes, or whose owner goes, is not rebuilt item by item.
  if (menu && (menu->HasState(csDestroying) || menu->HasState(csLoading) ||
               (menu->Owner() && menu->Owner()->HasState(csDestroying))))
    return;
  if (FParent && FParent->FHandle) FParent->RebuildHandle();
  if (FHandle) RebuildHandle();
  if (menu) menu->MenuChanged();
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (OnClick)
    OnClick(this);
  else if (FAction)
    FAction->Execute();
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
  if (FCommand == command && FParent) return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->FindByCommand(command)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindByHandle(HMENU handle) {
  if (!handle) return nullptr;
  if (FHandle == handle) return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->FindByHandle(handle)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindByShortCut(TShortCut shortcut) {
  for (TMenuItem* item : FItems) {
    if (!item->FVisible) continue;
    if (item->FShortCut == shortcut && item->FItems.empty()) return item;
    if (TMenuItem* found = item->FindByShortCut(shortcut)) return found;
  }
  return nullptr;
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FAction) FAction = nullptr;
}

void TMenuItem::Loaded() {
  TComponent::Loaded();
  if (FAction) InitiateAction();
  Changed();
}

bool TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = As<TMenu>(parent)) {
    menu->Items().Add(this);
    return true;
  }
  if (auto* item = As<TMenuItem>(parent)) {
    item->Add(this);
    return true;
  }
  return false;
}

void TMenuItem::GetChildren(std::vector<TComponent*>& out) const {
  out.insert(out.end(), FItems.begin(), FItems.end());
}

// The framework's own look: the highlight colour when selected, a glyph
// column for images and checks, the caption and the shortcut at the right.
void TMenuItem::DefaultDrawItem(TCanvas& canvas, RECT rect, bool selected) {
  HDC dc = canvas.Handle();
  const bool rtl = GetParentMenu() && GetParentMenu()->IsRightToLeft();
  canvas.Brush().SetColor(selected ? clHighlight : clMenu);
  canvas.FillRect(rect);
  if (IsLine()) {
    RECT line = rect;
    line.top += (rect.bottom - rect.top) / 2 - 1;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  TCustomImageList* images = GetImageList();
  const int glyph = images ? std::max(images->Width(), kMenuGlyphWidth) : kMenuGlyphWidth;
  RECT box{rect.left + 2, rect.top, rect.left + 2 + glyph, rect.bottom};
  if (rtl) box = {rect.right - 2 - glyph, rect.top, rect.right - 2, rect.bottom};
  if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
    if (FChecked) DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
    images->Draw(dc, box.left + (glyph - images->Width()) / 2,
                 box.top + (box.bottom - box.top - images->Height()) / 2, FImageIndex, FEnabled);
  } else if (FChecked) {
    RECT mark = box;
    const int size = std::min<int>(glyph, box.bottom - box.top);
    mark.top += (box.bottom - box.top - size) / 2;
    mark.bottom = mark.top + size;
    mark.left += (glyph - size) / 2;
    mark.right = mark.left + size;
    DrawFrameControl(dc, &mark, DFC_MENU, DFCS_MENUCHECK | (selected ? DFCS_PUSHED : 0));
  }
  const TColor text = !FEnabled ? clGrayText : selected ? clHighlightText : clMenuText;
  canvas.Font().SetColor(text);
  if (FDefault) canvas.Font().SetStyle(canvas.Font().Style() | (1u << fsBold));
  SetBkMode(dc, TRANSPARENT);
  RECT textRect{box.right + 4, rect.top, rect.right - 6, rect.bottom};
  if (rtl) textRect = {rect.left + 6, rect.top, box.left - 4, rect.bottom};
  std::wstring caption = FCaption, shortcut = FShortCut ? ShortCutToText(FShortCut) : L"";
  if (const auto tab = caption.find(L'\t'); tab != std::wstring::npos) {
    if (shortcut.empty()) shortcut = caption.substr(tab + 1);
    caption.erase(tab);
  }
  canvas.DrawTextRect(caption, textRect,
                      DT_SINGLELINE | DT_VCENTER | (rtl ? DT_RIGHT | DT_RTLREADING : DT_LEFT));
  if (!shortcut.empty()) {
    canvas.DrawTextRect(shortcut, textRect,
                        DT_SINGLELINE | DT_VCENTER | (rtl ? DT_LEFT : DT_RIGHT));
  }
}

void TMenuItem::DefaultMeasureItem(TCanvas& canvas, int& width, int& height) {
  if (IsLine()) {
    height = 8;
    width = 10;
    return;
  }
  TCustomImageList* images = GetImageList();
  const int glyph = images ? std::max(images->Width(), kMenuGlyphWidth) : kMenuGlyphWidth;
  // A caption may carry its shortcut after a tab, as window menus do.
  std::wstring caption = FCaption, shortcut = FShortCut ? ShortCutToText(FShortCut) : L"";
  if (const auto tab = caption.find(L'\t'); tab != std::wstring::npos) {
    if (shortcut.empty()) shortcut = caption.substr(tab + 1);
    caption.erase(tab);
  }
  const SIZE text = canvas.TextExtent(caption.empty() ? L" " : caption);
  width = 2 + glyph + 4 + text.cx + 6;
  if (!shortcut.empty()) width += canvas.TextWidth(shortcut) + 16;
  height = std::max<int>(text.cy + 4, (images ? images->Height() : glyph) + 4);
}

void TMenuItem::DrawItem(TCanvas& canvas, RECT rect, bool selected) {
  if (OnDrawItem)
    OnDrawItem(this, &canvas, rect, selected);
  else
    DefaultDrawItem(canvas, rect, selected);
}

// The event adjusts what the framework's own measurement proposes.
void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  DefaultMeasureItem(canvas, width, height);
  if (OnMeasureItem) OnMeasureItem(this, &canvas, width, height);
}

// --- Menus ------------------------------------------------------------------------------

static void SetupMenu(TClassInfo& c) {
  using T = TMenu;
  c.Props.push_back(ObjectProp<T, TCustomImageList>(
      "Images", [](T* o) { return o->Images(); },
      [](T* o, TCustomImageList* v) { o->SetImages(v); }));
  c.Props.push_back(BoolProp<T>(
      "OwnerDraw", [](T* o) { return o->OwnerDraw(); }, [](T* o, bool v) { o->SetOwnerDraw(v); },
      false));
  c.Props.push_back(EnumProp<T>(
      "BiDiMode", BiDiModeInfo, [](T* o) { return static_cast<int>(o->BiDiMode()); },
      [](T* o, int v) { o->SetBiDiMode(static_cast<TBiDiMode>(v)); }, bdLeftToRight));
}
FW_CLASS_IMPL(TMenu, TComponent, nullptr, SetupMenu)

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  delete FItems;
}

void TMenu::SetImages(TCustomImageList* v) {
  if (v == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = v;
  if (FImages) FImages->FreeNotification(this);
  FItems->Changed();
}

void TMenu::SetOwnerDraw(bool v) {
  if (v == FOwnerDraw) return;
  FOwnerDraw = v;
  RebuildAll(FItems);
  MenuChanged();
}

void TMenu::SetBiDiMode(TBiDiMode v) {
  if (v == FBiDiMode) return;
  FBiDiMode = v;
  RebuildAll(FItems);
  MenuChanged();
}

void TMenu::RebuildAll(TMenuItem* item) {
  item->RebuildHandle();
  for (TMenuItem* child : item->FItems)
    RebuildAll(child);
}

HMENU TMenu::Handle() {
  return FItems->Handle();
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = FItems->FindByCommand(command);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU handle) {
  TMenuItem* item = FItems->FindByHandle(handle);
  if (!item) return false;
  // Actions give their items their state before the drop-down shows.
  for (TMenuItem* child : item->FItems)
    child->InitiateAction();
  return true;
}

bool TMenu::IsShortCut(TShortCut shortcut) {
  TMenuItem* item = FItems->FindByShortCut(shortcut);
  if (!item) return false;
  item->InitiateAction();
  if (!item->Enabled()) return false;
  item->Click();
  return true;
}

void TMenu::MenuChanged() {}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FImages) FImages = nullptr;
}

void TMenu::GetChildren(std::vector<TComponent*>& out) const {
  FItems->GetChildren(out);
}

void TMenu::Loaded() {
  TComponent::Loaded();
  RebuildAll(FItems);
  MenuChanged();
}

FW_CLASS_IMPL(TMainMenu, TMenu, CreateComponentOf<TMainMenu>, NoSetup)

TWinControl* TMainMenu::WindowOwner() const {
  for (TComponent* o = Owner(); o; o = o->Owner())
    if (auto* form = As<TCustomForm>(o)) return form->Menu() == this ? form : nullptr;
  return nullptr;
}

void TMainMenu::MenuChanged() {
  if (HasState(csLoading) || HasState(csDestroying)) return;
  // The form's window takes the new menu through its own message, so
  // whoever watches the window sees the change.
  if (auto* form = As<TCustomForm>(WindowOwner()); form && form->HandleAllocated())
    SendMessageW(form->WindowHandle(), CM_MENUCHANGED, 0, 0);
}

// --- Popup menus -------------------------------------------------------------------------

const TEnumInfo PopupAlignmentInfo{"TPopupAlignment", {"paLeft", "paRight", "paCenter"}};

static void SetupPopupMenu(TClassInfo& c) {
  using T = TPopupMenu;
  c.Props.push_back(BoolProp<T>(
      "AutoPopup", [](T* o) { return o->AutoPopup; }, [](T* o, bool v) { o->AutoPopup = v; },
      true));
  c.Props.push_back(EnumProp<T>(
      "Alignment", PopupAlignmentInfo, [](T* o) { return static_cast<int>(o->Alignment); },
      [](T* o, int v) { o->Alignment = static_cast<TPopupAlignment>(v); }, paLeft));
  c.Props.push_back(EventProp("OnPopup", &T::OnPopup));
}
FW_CLASS_IMPL(TPopupMenu, TMenu, CreateComponentOf<TPopupMenu>, SetupPopupMenu)

namespace {

std::vector<TPopupMenu*>& PopupList() {
  static std::vector<TPopupMenu*> list;
  return list;
}

TMenuItem* PopupItemByCommand(UINT command) {
  for (TPopupMenu* menu : PopupList())
    if (TMenuItem* item = menu->FindItem(command)) return item;
  return nullptr;
}

// The owner of every popup menu while it shows: it hands the commands and
// drawing requests of the items to them.
LRESULT CALLBACK PopupListProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
    case WM_COMMAND:
      if (lParam == 0 && HIWORD(wParam) == 0)
        if (TMenuItem* item = PopupItemByCommand(LOWORD(wParam))) {
          item->Click();
          return 0;
        }
      break;
    case WM_INITMENUPOPUP:
      for (TPopupMenu* menu : PopupList())
        if (menu->DispatchPopup(reinterpret_cast<HMENU>(wParam))) return 0;
      break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (wParam == 0 && HandleMenuItemMessage(message, lParam, PopupItemByCommand)) return TRUE;
      break;
    default: break;
    }
  } catch (const std::exception& e) {
    HandleWndProcException(e);
    return 0;
  }
  return DefWindowProcW(wnd, message, wParam, lParam);
}

} // namespace

const std::vector<TPopupMenu*>& PopupMenuList() {
  return PopupList();
}

namespace {
HWND gPopupListWindow = nullptr;
}

HWND PopupListWindow() {
  HWND& window = gPopupListWindow;
  if (window && IsWindow(window)) return window;
  WNDCLASSW wc{};
  wc.lpfnWndProc = PopupListProc;
  wc.hInstance = FrameworkInstance();
  wc.lpszClassName = L"TPopupListWindow";
  RegisterClassW(&wc); // fails harmlessly when the class exists
  // A hidden top-level window: a menu needs an owner that can be activated.
  window = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, wc.hInstance, nullptr);
  return window;
}

void DestroyPopupListWindow() {
  if (gPopupListWindow && IsWindow(gPopupListWindow)) DestroyWindow(gPopupListWindow);
  gPopupListWindow = nullptr;
}

bool HandleMenuItemMessage(UINT message, LPARAM lParam, TMenuItem* (*find)(UINT command)) {
  if (message == WM_MEASUREITEM) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!mi || mi->CtlType != ODT_MENU) return false;
    TMenuItem* item = find(mi->itemID);
    if (!item) return false;
    HDC dc = GetDC(nullptr);
    {
      TCanvas canvas;
      TCanvasBinding binding(canvas, dc);
      if (Screen) canvas.Font().Assign(Screen->MenuFont());
      int width = static_cast<int>(mi->itemWidth), height = static_cast<int>(mi->itemHeight);
      item->MeasureItem(canvas, width, height);
      mi->itemWidth = static_cast<UINT>(std::max(width, 0));
      mi->itemHeight = static_cast<UINT>(std::max(height, 0));
    }
    ReleaseDC(nullptr, dc);
    return true;
  }
  auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  if (!di || di->CtlType != ODT_MENU) return false;
  TMenuItem* item = find(di->itemID);
  if (!item) return false;
  const int saved = SaveDC(di->hDC);
  {
    TCanvas canvas;
    TCanvasBinding binding(canvas, di->hDC);
    if (Screen) canvas.Font().Assign(Screen->MenuFont());
    item->DrawItem(canvas, di->rcItem, (di->itemState & ODS_SELECTED) != 0);
  }
  RestoreDC(di->hDC, saved);
  return true;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {
  PopupList().push_back(this);
}

TPopupMenu::~TPopupMenu() {
  auto& list = PopupList();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  for (TMenuItem* item : FItems->FItems)
    item->InitiateAction();
  HMENU menu = Handle();
  if (!menu) return;
  UINT align = Alignment == paRight    ? TPM_RIGHTALIGN
               : Alignment == paCenter ? TPM_CENTERALIGN
                                       : TPM_LEFTALIGN;
  if (IsRightToLeft() && Alignment != paCenter)
    align = align == TPM_LEFTALIGN ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  TrackPopupMenu(menu, align | TPM_RIGHTBUTTON, x, y, 0, PopupListWindow(), nullptr);
}

void RegisterMenuClasses() {
  TMainMenu::StaticClass();
  TPopupMenu::StaticClass();
  TMenuItem::StaticClass();
  TBasicAction::StaticClass();
}
