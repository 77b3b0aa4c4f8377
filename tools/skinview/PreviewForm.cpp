#include "PreviewForm.h"

#include "fw/ExtCtrls.h"

#include <vector>

FW_CLASS_IMPL(TPreviewForm, TForm, nullptr, NoSetup)

namespace {

// A small glyph drawn in code: a check mark on an olive background, which
// is the glyph's transparent colour.
Bitmap CheckGlyph() {
  Bitmap b(16, 16, MakeColor(128, 128, 0));
  for (int i = 0; i < 5; ++i) {
    b.Set(3 + i, 7 + i, MakeColor(0, 128, 0));
    b.Set(3 + i, 8 + i, MakeColor(0, 128, 0));
  }
  for (int i = 0; i < 7; ++i) {
    b.Set(8 + i, 11 - i, MakeColor(0, 128, 0));
    b.Set(8 + i, 10 - i, MakeColor(0, 128, 0));
  }
  return b;
}

// Four tool bar glyphs side by side on a magenta key: a page, a folder, a
// disk and a bold letter's bar.
Bitmap ToolGlyphs() {
  Bitmap b(64, 16, clMagenta);
  b.FillRect(RectOf(3, 1, 10, 14), MakeColor(255, 255, 255));
  for (int y = 4; y < 13; y += 3)
    b.FillRect(RectOf(5, y, 6, 1), MakeColor(90, 90, 90));
  b.FillRect(RectOf(17, 4, 14, 10), MakeColor(220, 180, 60));
  b.FillRect(RectOf(17, 2, 6, 2), MakeColor(220, 180, 60));
  b.FillRect(RectOf(34, 2, 12, 12), MakeColor(40, 60, 160));
  b.FillRect(RectOf(37, 2, 6, 4), MakeColor(230, 230, 230));
  b.FillRect(RectOf(52, 2, 3, 12), MakeColor(20, 20, 20));
  b.FillRect(RectOf(52, 2, 8, 3), MakeColor(20, 20, 20));
  b.FillRect(RectOf(52, 7, 8, 2), MakeColor(20, 20, 20));
  b.FillRect(RectOf(52, 11, 8, 3), MakeColor(20, 20, 20));
  return b;
}

std::vector<std::uint8_t> ResourceBytes(const wchar_t* name) {
  HRSRC info = FindResourceW(nullptr, name, reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!info) return {};
  HGLOBAL data = LoadResource(nullptr, info);
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(data));
  return bytes ? std::vector<std::uint8_t>(bytes, bytes + SizeofResource(nullptr, info))
               : std::vector<std::uint8_t>{};
}

template <class T>
T* Place(TWinControl* parent, int left, int top, int width, int height,
         const wchar_t* caption = nullptr) {
  auto* c = new T(parent->Owner() ? parent->Owner() : parent);
  c->SetBounds(left, top, width, height);
  if (caption) c->SetCaption(caption);
  c->SetParent(parent);
  return c;
}

INT_PTR CALLBACK PreviewDialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(wnd, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

// A dialog template in memory: a system dialog with a text, a check box,
// an edit and two buttons.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> t;
  auto put = [&t](const void* p, std::size_t bytes) {
    const auto* w = static_cast<const WORD*>(p);
    t.insert(t.end(), w, w + bytes / 2);
  };
  auto text = [&t](const wchar_t* s) {
    for (; *s; ++s)
      t.push_back(static_cast<WORD>(*s));
    t.push_back(0);
  };
  auto align = [&t] {
    if (t.size() % 2) t.push_back(0);
  };
  DLGTEMPLATE dlg{};
  dlg.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  dlg.cdit = 5;
  dlg.cx = 200;
  dlg.cy = 90;
  put(&dlg, sizeof dlg);
  t.push_back(0); // no menu
  t.push_back(0); // the standard class
  text(L"A system dialog");
  t.push_back(9);
  text(L"MS Shell Dlg");
  struct TItem {
    DWORD Style;
    short X, Y, W, H;
    WORD Id, Class;
    const wchar_t* Text;
  } items[] = {
      {WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 180, 10, 100, 0x0082,
       L"The frame, buttons and background are the skin's."},
      {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 10, 26, 120, 12, 101, 0x0080,
       L"A check box"},
      {WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 10, 42, 180, 13, 102,
       0x0081, L"An edit"},
      {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 84, 66, 50, 14, IDOK, 0x0080, L"OK"},
      {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 140, 66, 50, 14, IDCANCEL, 0x0080,
       L"Cancel"},
  };
  for (const TItem& i : items) {
    align();
    DLGITEMTEMPLATE it{};
    it.style = i.Style;
    it.x = i.X;
    it.y = i.Y;
    it.cx = i.W;
    it.cy = i.H;
    it.id = i.Id;
    put(&it, sizeof it);
    t.push_back(0xFFFF);
    t.push_back(i.Class);
    text(i.Text);
    t.push_back(0); // no creation data
  }
  return t;
}

} // namespace

TPreviewForm::TPreviewForm(TComponent* owner) : TForm(owner) {
  SetCaption(L"Skin preview");
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 640, 560);
  Font().SetName(L"宋体");
  Font().SetHeight(-12);
  SkinData = new TSkinData(this);
  SkinData->SetName("SkinData1");
  BuildControls();
  BuildMenus();
}

bool TPreviewForm::LoadSkin(const std::wstring& path) {
  SkinData->BeginLoading();
  if (path.empty()) {
    SkinData->SetStoredArchive(ResourceBytes(L"DEFAULTSKIN"));
    SkinData->LoadSkin();
  } else {
    SkinData->SetSkinFile(path);
  }
  SkinData->SetActive(true);
  SkinData->Loaded();
  return SkinData->SkinLoaded();
}

void TPreviewForm::BuildControls() {
  auto* buttons = Place<TGroupBox>(this, 8, 8, 300, 150, L"Buttons");
  Place<TButton>(buttons, 12, 24, 80, 26, L"Button");
  auto* def = Place<TButton>(buttons, 100, 24, 80, 26, L"Default");
  def->SetDefault(true);
  auto* disabled = Place<TButton>(buttons, 188, 24, 96, 26, L"Disabled");
  disabled->SetEnabled(false);
  auto* bit = Place<TBitBtn>(buttons, 12, 58, 110, 30, L"Bit button");
  TBitmap glyph;
  glyph.FromBitmap(CheckGlyph());
  bit->SetGlyph(glyph);
  auto* two = Place<TButton>(buttons, 130, 58, 154, 30, L"Two||lines");
  (void)two;
  for (int i = 0; i < 3; ++i) {
    auto* speed = Place<TSpeedButton>(buttons, 12 + i * 30, 98, 26, 26);
    speed->SetGlyph(glyph);
    speed->SetGroupIndex(1);
    speed->SetFlat(i == 2);
    if (i == 0) speed->SetDown(true);
  }
  Place<TSpeedButton>(buttons, 104, 98, 80, 26, L"Speed");

  auto* choices = Place<TGroupBox>(this, 316, 8, 308, 150, L"Choices");
  auto* check = Place<TCheckBox>(choices, 12, 22, 120, 20, L"Check box");
  check->SetChecked(true);
  Place<TRadioButton>(choices, 12, 46, 120, 20, L"Radio button");
  auto* group = Place<TRadioGroup>(choices, 150, 18, 146, 120, L"Radio group");
  for (const wchar_t* item : {L"First", L"Second", L"Third"})
    group->Items().Add(item);
  group->SetItemIndex(1);

  auto* texts = Place<TPanel>(this, 8, 166, 616, 150);
  texts->SetCaption(L"");
  Place<TLabel>(texts, 12, 12, 60, 20, L"Edit:");
  FEdit = Place<TEdit>(texts, 70, 10, 160, 24);
  FEdit->SetText(L"Some text");
  Place<TLabel>(texts, 12, 44, 60, 20, L"Combo:");
  auto* combo = Place<TComboBox>(texts, 70, 42, 160, 24);
  for (const wchar_t* item : {L"One", L"Two", L"Three"})
    combo->Items().Add(item);
  combo->SetItemIndex(0);
  auto* list = Place<TListBox>(texts, 250, 10, 180, 128);
  for (int i = 1; i <= 30; ++i)
    list->Items().Add(L"List line " + std::to_wstring(i));
  Place<TMediaPlayer>(texts, 12, 100, 225, 30);

  auto* memo = FMemo = Place<TMemo>(texts, 440, 10, 164, 60);
  memo->SetScrollBars(ssVertical);
  memo->Lines().SetText(
      L"A memo\r\nwith lines\r\nand a scroll bar\r\nthat shows\r\nwhen there\r\nare many.");
  auto* spinEdit = Place<TEdit>(texts, 440, 80, 60, 24);
  auto* spin = Place<TUpDown>(texts, 500, 80, 17, 24);
  spin->SetAssociate(spinEdit);
  spin->SetPosition(5);
  Place<TDateTimePicker>(texts, 440, 112, 164, 24);

  auto* ranges = Place<TGroupBox>(this, 8, 322, 616, 100, L"Ranges");
  auto* hscroll = Place<TScrollBar>(ranges, 12, 22, 200, 17);
  hscroll->SetPageSize(20);
  auto* vscroll = Place<TScrollBar>(ranges, 220, 18, 17, 74);
  vscroll->SetKind(sbVertical);
  vscroll->SetBounds(220, 18, 17, 74);
  auto* track = Place<TTrackBar>(ranges, 12, 44, 200, 40);
  track->SetPosition(3);
  auto* progress = Place<TProgressBar>(ranges, 250, 22, 200, 18);
  progress->SetPosition(60);
  auto* scrollBox = Place<TScrollBox>(ranges, 460, 18, 144, 74);
  Place<TButton>(scrollBox, 8, 8, 100, 24, L"Inside");
  Place<TButton>(scrollBox, 8, 120, 100, 24, L"Further down");

  auto* box = Place<TButton>(this, 8, 430, 140, 28, L"Message box...");
  box->OnClick = TNotifyEvent(this, &TPreviewForm::ShowMessageBox);
  auto* dialog = Place<TButton>(this, 156, 430, 140, 28, L"System dialog...");
  dialog->OnClick = TNotifyEvent(this, &TPreviewForm::ShowDialog);
  BuildToolBar();
}

void TPreviewForm::BuildToolBar() {
  auto* images = new TImageList(this);
  images->AddMasked(ToolGlyphs(), clMagenta);
  auto* bar = new TToolBar(this);
  bar->SetAlign(alBottom);
  bar->SetImages(images);
  bar->SetParent(this);
  auto button = [&](TToolButtonStyle style, int image) {
    auto* b = new TToolButton(this);
    b->SetStyle(style);
    b->SetImageIndex(image);
    b->SetParent(bar);
    return b;
  };
  button(tbsButton, 0)->SetHint(L"New");
  button(tbsButton, 1)->SetHint(L"Open");
  button(tbsButton, 2)->SetEnabled(false);
  button(tbsSeparator, -1);
  button(tbsCheck, 3)->SetDown(true);
  button(tbsDivider, -1);
  auto* menu = new TPopupMenu(this);
  for (const wchar_t* caption : {L"First choice", L"Second choice", L"-", L"Last choice"}) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    menu->Items().Add(item);
  }
  button(tbsDropDown, 1)->SetDropdownMenu(menu);
}

namespace {

// Glyphs for the menus, drawn in code on magenta (their transparent colour).
Bitmap MenuGlyphStrip() {
  Bitmap strip(48, 16, clMagenta);
  for (int y = 2; y < 14; ++y) // a page
    for (int x = 3; x < 12; ++x)
      strip.Set(x, y, (x == 3 || x == 11 || y == 2 || y == 13) ? MakeColor(0, 0, 128) : clWhite);
  for (int i = 0; i < 10; ++i) { // a folder
    strip.Set(16 + 2 + i, 5, MakeColor(128, 96, 0));
    for (int y = 6; y < 13; ++y)
      strip.Set(16 + 2 + i, y, MakeColor(230, 190, 60));
  }
  for (int i = 0; i < 12; ++i) { // a cross
    strip.Set(32 + 2 + i, 2 + i, MakeColor(192, 0, 0));
    strip.Set(32 + 13 - i, 2 + i, MakeColor(192, 0, 0));
  }
  return strip;
}

TMenuItem* AddItem(TComponent* owner, TMenuItem& parent, const wchar_t* caption,
                   TShortCut shortcut = 0, int image = -1) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  item->SetShortCut(shortcut);
  item->SetImageIndex(image);
  parent.Add(item);
  return item;
}

} // namespace

// A main menu with sub-menus, checked, disabled, default and image items,
// shortcuts and separators, and a context menu on the memo and the form.
void TPreviewForm::BuildMenus() {
  auto* images = new TImageList(this);
  images->AddMasked(MenuGlyphStrip(), clMagenta);
  auto* menu = new TMainMenu(this);
  menu->SetImages(images);
  TNotifyEvent click(this, &TPreviewForm::MenuItemClick);

  TMenuItem* file = AddItem(this, menu->Items(), L"&File");
  AddItem(this, *file, L"&New", scCtrl | 'N', 0)->OnClick = click;
  AddItem(this, *file, L"&Open...", scCtrl | 'O', 1)->OnClick = click;
  TMenuItem* recent = AddItem(this, *file, L"&Recent");
  for (const wchar_t* name : {L"1 holiday.jpg", L"2 notes.txt", L"3 report.doc"})
    AddItem(this, *recent, name)->OnClick = click;
  AddItem(this, *file, L"-");
  TMenuItem* exit = AddItem(this, *file, L"E&xit", scAlt | VK_F4, 2);
  exit->OnClick = TNotifyEvent(this, &TPreviewForm::MenuItemClick);

  TMenuItem* edit = AddItem(this, menu->Items(), L"&Edit");
  AddItem(this, *edit, L"&Undo", scCtrl | 'Z')->SetEnabled(false);
  AddItem(this, *edit, L"-");
  AddItem(this, *edit, L"Cu&t", scCtrl | 'X')->OnClick = click;
  AddItem(this, *edit, L"&Copy", scCtrl | 'C')->OnClick = click;
  AddItem(this, *edit, L"&Paste", scCtrl | 'V')->OnClick = click;
  AddItem(this, *edit, L"-");
  TMenuItem* all = AddItem(this, *edit, L"Select &all", scCtrl | 'A');
  all->SetDefault(true);
  all->OnClick = click;

  TMenuItem* view = AddItem(this, menu->Items(), L"&View");
  TMenuItem* bar = AddItem(this, *view, L"&Tool bar");
  bar->SetChecked(true);
  bar->OnClick = TNotifyEvent(this, &TPreviewForm::ToggleCheck);
  TMenuItem* status = AddItem(this, *view, L"&Status bar");
  status->OnClick = TNotifyEvent(this, &TPreviewForm::ToggleCheck);
  AddItem(this, *view, L"-");
  AddItem(this, *view, L"&Right-to-left form...")->OnClick =
      TNotifyEvent(this, &TPreviewForm::ShowRightToLeftForm);

  TMenuItem* disabledTop = AddItem(this, menu->Items(), L"&Disabled");
  AddItem(this, *disabledTop, L"Never shown");
  disabledTop->SetEnabled(false);
  TMenuItem* help = AddItem(this, menu->Items(), L"&Help");
  AddItem(this, *help, L"&About skinview...", VK_F1)->OnClick =
      TNotifyEvent(this, &TPreviewForm::ShowMessageBox);
  SetMenu(menu);

  auto* context = new TPopupMenu(this);
  context->SetImages(images);
  AddItem(this, context->Items(), L"Cu&t", scCtrl | 'X')->OnClick = click;
  AddItem(this, context->Items(), L"&Copy", scCtrl | 'C', 0)->OnClick = click;
  AddItem(this, context->Items(), L"&Paste", scCtrl | 'V')->SetEnabled(false);
  AddItem(this, context->Items(), L"-");
  TMenuItem* more = AddItem(this, context->Items(), L"&More");
  AddItem(this, *more, L"&First")->OnClick = click;
  AddItem(this, *more, L"&Second")->OnClick = click;
  // The form and the memo show it; the edit keeps the system's own menu,
  // which the skin draws too.
  SetPopupMenu(context);
  FMemo->SetPopupMenu(context);
}

void TPreviewForm::MenuItemClick(TObject* sender) {
  auto* item = As<TMenuItem>(sender);
  if (!item) return;
  if (item->ShortCut() == (scAlt | VK_F4)) return Close();
  SetCaption(L"Skin preview - " + item->Caption());
}

void TPreviewForm::ToggleCheck(TObject* sender) {
  if (auto* item = As<TMenuItem>(sender)) item->SetChecked(!item->Checked());
}

// A form that reads from right to left, with a menu that does too.
void TPreviewForm::ShowRightToLeftForm(TObject*) {
  if (!FRightToLeft) {
    FRightToLeft = new TForm(this);
    FRightToLeft->SetCaption(L"Right to left");
    FRightToLeft->SetBiDiMode(bdRightToLeft);
    FRightToLeft->SetBounds(Left() + 60, Top() + 60, 360, 220);
    auto* menu = new TMainMenu(FRightToLeft);
    menu->SetBiDiMode(bdRightToLeft);
    TNotifyEvent click(this, &TPreviewForm::MenuItemClick);
    TMenuItem* first = AddItem(FRightToLeft, menu->Items(), L"&First");
    AddItem(FRightToLeft, *first, L"&One", scCtrl | '1')->OnClick = click;
    AddItem(FRightToLeft, *first, L"&Two")->OnClick = click;
    TMenuItem* second = AddItem(FRightToLeft, menu->Items(), L"&Second");
    AddItem(FRightToLeft, *second, L"&Three")->OnClick = click;
    FRightToLeft->SetMenu(menu);
    Place<TEdit>(FRightToLeft, 20, 20, 200, 24)->SetText(L"Text");
    Place<TButton>(FRightToLeft, 20, 60, 100, 28, L"Button");
  }
  FRightToLeft->Show();
}

void TPreviewForm::ShowMessageBox(TObject*) {
  MessageBoxW(Handle(), L"A message box: frame, background and buttons from the skin.",
              L"Skin preview", MB_OK | MB_ICONINFORMATION);
}

void TPreviewForm::ShowDialog(TObject*) {
  const std::vector<WORD> t = DialogTemplate();
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.data()),
                          Handle(), PreviewDialogProc, 0);
}

void RegisterPreviewClasses() {
  TPreviewForm::StaticClass();
  RegisterSkinDataClasses();
}
