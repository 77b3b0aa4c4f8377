#include "fw/ComboBox.h"
#include "fw/StdProps.h"
#include <commctrl.h>

const TEnumInfo ComboBoxStyleInfo{
    "TComboBoxStyle",
    {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};

using namespace stdprops;

static void SetupCustomComboBox(TClassInfo& c) {
  c.Props.push_back(EnumProp<TCustomComboBox>(
      "Style", ComboBoxStyleInfo, [](TCustomComboBox* o) { return static_cast<int>(o->Style()); },
      [](TCustomComboBox* o, int v) { o->SetStyle(static_cast<TComboBoxStyle>(v)); }, csDropDown));
  c.Props.push_back(TextProp<TCustomComboBox>());
  c.Props.push_back(ItemsProp<TCustomComboBox>());
  c.Props.push_back(IntProp<TCustomComboBox>(
      "ItemHeight", [](TCustomComboBox* o) { return o->ItemHeight(); },
      [](TCustomComboBox* o, std::int64_t v) { o->SetItemHeight(static_cast<int>(v)); }));
  c.Props.push_back(IntProp<TCustomComboBox>(
      "DropDownCount", [](TCustomComboBox* o) { return o->DropDownCount(); },
      [](TCustomComboBox* o, std::int64_t v) { o->SetDropDownCount(static_cast<int>(v)); }, 8));
  auto index = IntProp<TCustomComboBox>(
      "ItemIndex", [](TCustomComboBox* o) { return o->ItemIndex(); },
      [](TCustomComboBox* o, std::int64_t v) { o->SetItemIndex(static_cast<int>(v)); }, -1);
  c.Props.push_back(index);
  c.Props.push_back(EventProp("OnChange", &TCustomComboBox::OnChange));
  c.Props.push_back(EventProp("OnDropDown", &TCustomComboBox::OnDropDown));
}
FW_CLASS_IMPL(TCustomComboBox, TWinControl, nullptr, SetupCustomComboBox)
FW_CLASS_IMPL(TComboBox, TCustomComboBox, CreateComponentOf<TComboBox>, NoSetup)

static const TWindowStrings::TMessages kComboBoxMessages{
    CB_GETCOUNT,     CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_ADDSTRING,
    CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_INITSTORAGE};

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), FItems(this, kComboBoxMessages) {
  FControlStyle = csSetCaption | csCaptureMouse;
  SetBounds(0, 0, 145, 24);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() {
  FItems.WindowDestroying();
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"COMBOBOX";
  static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS | styles[FStyle];
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
  FWantedHeight = height;
  TWinControl::SetBounds(left, top, width, height);
  if (HandleAllocated()) FitHeight();
}

void TCustomComboBox::CreateWindowHandle(const TCreateParams& p) {
  // The height given to the window is that of the open list; the closed box
  // takes the height of its text field.
  TCreateParams q = p;
  if (FStyle != csSimple) q.Height = p.Height + FDropDownCount * FItemHeight + 2;
  TWinControl::CreateWindowHandle(q);
}

void TCustomComboBox::HandleCreated() {
  ApplyItemHeight();
  FItems.WindowCreated();
  if (FSavedIndex >= 0) SendMessageW(WindowHandle(), CB_SETCURSEL, FSavedIndex, 0);
  FitHeight();
}

// Makes the closed box as high as the stored height says. Systems count the
// text field's height differently, so the field is corrected by what the
// window then measures, a few times at most.
void TCustomComboBox::FitHeight() {
  if (FStyle == csSimple || FWantedHeight <= 0) return;
  int field =
      static_cast<int>(SendMessageW(WindowHandle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT r;
    GetWindowRect(WindowHandle(), &r);
    const int actual = r.bottom - r.top;
    if (actual == FWantedHeight) return;
    field += FWantedHeight - actual;
    if (field <= 0) return;
    SendMessageW(WindowHandle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

// The rows of the open list. Some systems apply the combo box's own message
// only to owner-drawn lists, so the list is told directly.
void TCustomComboBox::ApplyItemHeight() {
  if (!HandleAllocated()) return;
  SendMessageW(WindowHandle(), CB_SETITEMHEIGHT, 0, FItemHeight);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(WindowHandle(), &info) && info.hwndList)
    SendMessageW(info.hwndList, LB_SETITEMHEIGHT, 0, FItemHeight);
}

void TCustomComboBox::FontChanged() {
  TWinControl::FontChanged();
  if (!HandleAllocated()) return;
  ApplyItemHeight();
  FitHeight();
}

void TCustomComboBox::DestroyWnd() {
  FSavedIndex = ItemIndex();
  FItems.WindowDestroying();
  TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex() const {
  if (!HandleAllocated()) return FSavedIndex;
  return static_cast<int>(SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int v) {
  if (!HandleAllocated()) {
    FSavedIndex = v;
    if (v >= 0 && v < FItems.Count()) FText = FItems.Get(v);
    return;
  }
  SendMessageW(WindowHandle(), CB_SETCURSEL, v, 0);
}

void TCustomComboBox::SetItemHeight(int v) {
  if (v <= 0) return;
  FItemHeight = v;
  ApplyItemHeight();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  RecreateWnd();
}

bool TCustomComboBox::DroppedDown() const {
  return HandleAllocated() && SendMessageW(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

HWND TCustomComboBox::EditHandle() const {
  if (!HandleAllocated() || FStyle != csDropDown) return nullptr;
  return FindWindowExW(WindowHandle(), nullptr, L"Edit", nullptr);
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case CN_COMMAND:
    switch (HIWORD(msg.WParam)) {
    case CBN_SELCHANGE: {
      // The text field shows the chosen item only after this notification;
      // handlers read it now.
      int i = ItemIndex();
      if (i >= 0) SetWindowTextW(WindowHandle(), FItems.Get(i).c_str());
      Click();
      Change();
      break;
    }
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN:
      if (OnDropDown) OnDropDown(this);
      break;
    }
    return;
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX: {
    HDC dc = reinterpret_cast<HDC>(msg.WParam);
    SetTextColor(dc, ColorToCOLORREF(Font().Color()));
    SetBkColor(dc, ColorToCOLORREF(Color()));
    msg.Result = reinterpret_cast<LRESULT>(BrushHandle());
    return;
  }
  default: TWinControl::WndProc(msg);
  }
}
