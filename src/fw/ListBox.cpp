#include "fw/ListBox.h"
#include "fw/StdProps.h"

using namespace stdprops;

static void SetupCustomListBox(TClassInfo& c) {
  c.Props.push_back(ItemsProp<TCustomListBox>());
  c.Props.push_back(IntProp<TCustomListBox>(
      "ItemHeight", [](TCustomListBox* o) { return o->ItemHeight(); },
      [](TCustomListBox* o, std::int64_t v) { o->SetItemHeight(static_cast<int>(v)); }));
}
FW_CLASS_IMPL(TCustomListBox, TWinControl, nullptr, SetupCustomListBox)
FW_CLASS_IMPL(TListBox, TCustomListBox, CreateComponentOf<TListBox>, NoSetup)

static const TWindowStrings::TMessages kListBoxMessages{
    LB_GETCOUNT,     LB_GETTEXTLEN,   LB_GETTEXT,      LB_ADDSTRING,
    LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_INITSTORAGE};

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), FItems(this, kListBoxMessages) {
  FControlStyle = csSetCaption | csOpaque;
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
  FItems.WindowDestroying();
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"LISTBOX";
  p.Style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::HandleCreated() {
  SendMessageW(WindowHandle(), LB_SETITEMHEIGHT, 0, FItemHeight);
  FItems.WindowCreated();
  if (FSavedIndex >= 0) SendMessageW(WindowHandle(), LB_SETCURSEL, FSavedIndex, 0);
}

// A new font makes the list measure its rows again; the stored height wins.
void TCustomListBox::FontChanged() {
  TWinControl::FontChanged();
  if (HandleAllocated()) SendMessageW(WindowHandle(), LB_SETITEMHEIGHT, 0, FItemHeight);
}

void TCustomListBox::DestroyWnd() {
  FSavedIndex = ItemIndex();
  FItems.WindowDestroying();
  TWinControl::DestroyWnd();
}

void TCustomListBox::SetItemHeight(int v) {
  if (v <= 0) return;
  FItemHeight = v;
  if (HandleAllocated()) {
    SendMessageW(WindowHandle(), LB_SETITEMHEIGHT, 0, v);
    Invalidate();
  }
}

int TCustomListBox::ItemIndex() const {
  if (!HandleAllocated()) return FSavedIndex;
  return static_cast<int>(SendMessageW(WindowHandle(), LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int v) {
  if (!HandleAllocated()) {
    FSavedIndex = v;
    return;
  }
  SendMessageW(WindowHandle(), LB_SETCURSEL, v, 0);
}
