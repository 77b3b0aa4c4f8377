#include "fw/StdCtrls.h"

#include <commctrl.h>

const TEnumInfo AlignmentInfo{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
const TEnumInfo ComboBoxStyleInfo{
    "TComboBoxStyle",
    {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};

namespace {

template <class T> TPropInfo ItemsProp() {
  auto p = ObjectProp<T, TStrings>(
      "Items", [](T* o) { return &o->Items(); },
      [](T* o, TStrings* v) {
        if (v) o->SetItems(v);
      });
  p.Stored = [](TObject* o) { return static_cast<T*>(o)->Items().Count() > 0; };
  return p;
}

template <class T> TPropInfo TextProp() {
  return StringProp<T>(
      "Text", [](T* o) { return o->Text(); }, [](T* o, const std::wstring& v) { o->SetText(v); });
}

} // namespace

// --- Label -------------------------------------------------------------------

static void SetupCustomLabel(TClassInfo& c) {
  c.Props.push_back(BoolProp<TCustomLabel>(
      "AutoSize", [](TCustomLabel* o) { return o->AutoSize(); },
      [](TCustomLabel* o, bool v) { o->SetAutoSize(v); }, true));
  c.Props.push_back(BoolProp<TCustomLabel>(
      "Transparent", [](TCustomLabel* o) { return o->Transparent(); },
      [](TCustomLabel* o, bool v) { o->SetTransparent(v); }, false));
  c.Props.push_back(EnumProp<TCustomLabel>(
      "Alignment", AlignmentInfo, [](TCustomLabel* o) { return static_cast<int>(o->Alignment()); },
      [](TCustomLabel* o, int v) { o->SetAlignment(static_cast<TAlignment>(v)); }, taLeftJustify));
  c.Props.push_back(BoolProp<TCustomLabel>(
      "WordWrap", [](TCustomLabel* o) { return o->WordWrap(); },
      [](TCustomLabel* o, bool v) { o->SetWordWrap(v); }, false));
}
FW_CLASS_IMPL(TCustomLabel, TGraphicControl, nullptr, SetupCustomLabel)
FW_CLASS_IMPL(TLabel, TCustomLabel, CreateComponentOf<TLabel>, NoSetup)

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TCustomLabel::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

UINT TCustomLabel::TextFormat() const {
  UINT f = DT_EXPANDTABS;
  f |= FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (FAlignment == taCenter) f |= DT_CENTER;
  if (FAlignment == taRightJustify) f |= DT_RIGHT;
  if (UseRightToLeftReading()) f |= DT_RTLREADING;
  return f;
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || HasState(csLoading) || HasState(csDestroying)) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font().Handle());
  std::wstring text = Caption();
  if (text.empty()) text = L" "; // an empty label keeps the height of a line
  RECT r{0, 0, FWordWrap ? Width() : 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFormat() | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int left = Left();
  if (FAlignment == taRightJustify) left += Width() - r.right;
  SetBounds(left, Top(), r.right, r.bottom);
}

void TCustomLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::Paint() {
  TCanvas& c = Canvas();
  RECT r = ClientRect();
  if (!FTransparent) c.FillRect(r);
  SetBkMode(c.Handle(), TRANSPARENT);
  const std::wstring text = Caption();
  if (Enabled()) {
    c.DrawTextRect(text, r, TextFormat());
    return;
  }
  // Disabled text: engraved, as the system draws it.
  RECT shifted = r;
  OffsetRect(&shifted, 1, 1);
  SetTextColor(c.Handle(), ColorToCOLORREF(clBtnHighlight));
  c.DrawTextRect(text, shifted, TextFormat());
  SetTextColor(c.Handle(), ColorToCOLORREF(clBtnShadow));
  c.DrawTextRect(text, r, TextFormat());
}

// --- Edit --------------------------------------------------------------------

static void SetupCustomEdit(TClassInfo& c) {
  c.Props.push_back(TextProp<TCustomEdit>());
  c.Props.push_back(IntProp<TCustomEdit>(
      "MaxLength", [](TCustomEdit* o) { return o->MaxLength(); },
      [](TCustomEdit* o, std::int64_t v) { o->SetMaxLength(static_cast<int>(v)); }, 0));
  c.Props.push_back(BoolProp<TCustomEdit>(
      "ReadOnly", [](TCustomEdit* o) { return o->ReadOnly(); },
      [](TCustomEdit* o, bool v) { o->SetReadOnly(v); }, false));
  c.Props.push_back(EventProp("OnChange", &TCustomEdit::OnChange));
}
FW_CLASS_IMPL(TCustomEdit, TWinControl, nullptr, SetupCustomEdit)
FW_CLASS_IMPL(TEdit, TCustomEdit, CreateComponentOf<TEdit>, NoSetup)

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csClickEvents | csSetCaption;
  SetBounds(0, 0, 121, 24);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"EDIT";
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (FReadOnly) p.Style |= ES_READONLY;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::HandleCreated() {
  if (FMaxLength > 0) SendMessageW(WindowHandle(), EM_LIMITTEXT, FMaxLength, 0);
}

void TCustomEdit::SetMaxLength(int v) {
  FMaxLength = v;
  if (HandleAllocated()) SendMessageW(WindowHandle(), EM_LIMITTEXT, v, 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  FReadOnly = v;
  if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETREADONLY, v, 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND && HIWORD(msg.WParam) == EN_CHANGE) {
    Change();
    return;
  }
  TWinControl::WndProc(msg);
}

// --- Button ------------------------------------------------------------------

static void SetupButton(TClassInfo& c) {
  c.Props.push_back(BoolProp<TButton>(
      "Default", [](TButton* o) { return o->Default(); },
      [](TButton* o, bool v) { o->SetDefault(v); }, false));
  c.Props.push_back(BoolProp<TButton>(
      "Cancel", [](TButton* o) { return o->Cancel(); }, [](TButton* o, bool v) { o->SetCancel(v); },
      false));
}
FW_CLASS_IMPL(TButton, TWinControl, CreateComponentOf<TButton>, SetupButton)

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption; // clicks come from the button's own notification
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"BUTTON";
  p.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case CN_COMMAND:
    if (HIWORD(msg.WParam) == BN_CLICKED) Click();
    return;
  case CM_DIALOGKEY: {
    // Return presses the focused button, or the default one when no button
    // has the focus; Escape presses the cancel button.
    if (!Showing() || !Enabled()) return;
    HWND focus = GetFocus();
    auto* focused = As<TButton>(TWinControl::FromHandle(focus));
    bool press = (msg.WParam == VK_RETURN && (focused == this || (FDefault && !focused))) ||
                 (msg.WParam == VK_ESCAPE && FCancel);
    if (press) {
      Click();
      msg.Result = 1;
    }
    return;
  }
  default: TWinControl::WndProc(msg);
  }
}

// --- Items in a window -------------------------------------------------------

FW_CLASS_IMPL(TWindowStrings, TStrings, nullptr, NoSetup)

TWindowStrings::TWindowStrings(TWinControl* owner, const TMessages& messages)
    : FOwner(owner), FMsg(messages) {}

HWND TWindowStrings::Window() const {
  return FInWindow ? FOwner->WindowHandle() : nullptr;
}

int TWindowStrings::Count() const {
  if (HWND w = Window()) return static_cast<int>(SendMessageW(w, FMsg.GetCount, 0, 0));
  return FSaved.Count();
}

std::wstring TWindowStrings::Get(int index) const {
  HWND w = Window();
  if (!w) return FSaved.Get(index);
  LRESULT len = SendMessageW(w, FMsg.GetTextLen, index, 0);
  if (len < 0) throw EStringListError("List index out of bounds");
  std::wstring s(static_cast<std::size_t>(len) + 1, L'\0');
  len = SendMessageW(w, FMsg.GetText, index, reinterpret_cast<LPARAM>(s.data()));
  s.resize(len < 0 ? 0 : static_cast<std::size_t>(len));
  return s;
}

void TWindowStrings::Insert(int index, const std::wstring& s) {
  HWND w = Window();
  if (!w) return FSaved.Insert(index, s);
  const int count = Count();
  if (index < 0 || index > count) throw EStringListError("List index out of bounds");
  LRESULT r = index == count
                  ? SendMessageW(w, FMsg.AddString, 0, reinterpret_cast<LPARAM>(s.c_str()))
                  : SendMessageW(w, FMsg.InsertString, index, reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EStringListError("Cannot add a line to the list");
  Changed();
}

// One message per line: adding thousands of dropped paths stays quick.
int TWindowStrings::Add(const std::wstring& s) {
  HWND w = Window();
  if (!w) return FSaved.Add(s);
  LRESULT r = SendMessageW(w, FMsg.AddString, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EStringListError("Cannot add a line to the list");
  Changed();
  return static_cast<int>(r);
}

void TWindowStrings::Delete(int index) {
  HWND w = Window();
  if (!w) return FSaved.Delete(index);
  if (SendMessageW(w, FMsg.DeleteString, index, 0) < 0)
    throw EStringListError("List index out of bounds");
  Changed();
}

void TWindowStrings::Clear() {
  if (HWND w = Window()) {
    SendMessageW(w, FMsg.ResetContent, 0, 0);
    Changed();
  } else {
    FSaved.Clear();
  }
}

void TWindowStrings::SetUpdateState(bool updating) {
  if (HWND w = Window()) {
    SendMessageW(w, WM_SETREDRAW, updating ? FALSE : TRUE, 0);
    if (!updating) InvalidateRect(w, nullptr, TRUE);
  }
}

void TWindowStrings::WindowCreated() {
  FInWindow = true;
  HWND w = Window();
  const int n = FSaved.Count();
  if (n == 0) return;
  std::size_t bytes = 0;
  for (int i = 0; i < n; ++i)
    bytes += (FSaved.Get(i).size() + 1) * sizeof(wchar_t);
  SendMessageW(w, FMsg.InitStorage, n, static_cast<LPARAM>(bytes));
  for (int i = 0; i < n; ++i)
    SendMessageW(w, FMsg.AddString, 0, reinterpret_cast<LPARAM>(FSaved.Get(i).c_str()));
  FSaved.Clear();
}

void TWindowStrings::WindowDestroying() {
  if (!FInWindow) return;
  std::vector<std::wstring> lines = ToVector();
  FInWindow = false;
  FSaved.SetLines(lines);
}

// --- List box ----------------------------------------------------------------

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
  DestroyingStarts();
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

// --- Combo box ---------------------------------------------------------------

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
  DestroyingStarts();
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

// --- Group box ---------------------------------------------------------------

FW_CLASS_IMPL(TCustomGroupBox, TCustomControl, nullptr, NoSetup)
FW_CLASS_IMPL(TGroupBox, TCustomGroupBox, CreateComponentOf<TGroupBox>, NoSetup)

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption;
  SetBounds(0, 0, 185, 105);
  SetColor(clBtnFace);
}

void TCustomGroupBox::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;
}

namespace {

int TextHeightOf(TFont& font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

} // namespace

void TCustomGroupBox::AdjustClientRect(RECT& r) const {
  r.top += TextHeightOf(const_cast<TCustomGroupBox*>(this)->Font());
  InflateRect(&r, -2, -2);
}

void TCustomGroupBox::Paint() {
  TCanvas& c = Canvas();
  HDC dc = c.Handle();
  const int h = TextHeightOf(Font());
  RECT frame{0, h / 2 - 1, Width(), Height()};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::wstring text = Caption();
  if (text.empty()) return;
  RECT t{8, 0, 8, h};
  c.DrawTextRect(text, t, DT_SINGLELINE | DT_CALCRECT);
  c.FillRect(t);
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) SetTextColor(dc, ColorToCOLORREF(clGrayText));
  c.DrawTextRect(text, t, DT_SINGLELINE | DT_LEFT);
}

void RegisterStdControls() {
  TLabel::StaticClass();
  TEdit::StaticClass();
  TButton::StaticClass();
  TListBox::StaticClass();
  TComboBox::StaticClass();
  TGroupBox::StaticClass();
  TStringList::StaticClass();
}
