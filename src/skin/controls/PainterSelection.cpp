// The form engine's painters: the list it keeps, and the walks over a
// window's controls that attach one painter to each control the skin
// covers.
#include "skin/controls/ButtonPainters.h"
#include "skin/controls/EditPainters.h"
#include "skin/controls/MediaPlayerPainter.h"
#include "skin/controls/PagePainters.h"
#include "skin/controls/PanelPainters.h"
#include "skin/controls/RangePainters.h"
#include "skin/controls/ScrollPainters.h"
#include "skin/controls/SkinControl.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>
#include <cctype>
#include <cwctype>

bool TWinSkinForm::RegisterPainter(TSkinControl* p) {
  if (std::find(Painters.begin(), Painters.end(), p) != Painters.end()) return true;
  Painters.push_back(p);
  return false;
}

void TWinSkinForm::UnregisterPainter(TSkinControl* p) {
  auto it = std::find(Painters.rbegin(), Painters.rend(), p);
  if (it != Painters.rend()) Painters.erase(std::next(it).base());
}

void TWinSkinForm::PurgeDestroyedPainters() {
  for (std::size_t i = Painters.size(); i-- > 0;)
    if (i < Painters.size() && Painters[i]->Status == 6) {
      TSkinControl* p = Painters[i];
      Painters.erase(Painters.begin() + static_cast<std::ptrdiff_t>(i));
      p->FormEngine = nullptr; // already out of the list
      delete p;
    }
}

namespace {

// Any item from item down has an event of the engine's.
bool BoundTo(const TWinSkinForm* engine, TMenuItem* item) {
  if (item->OnDrawItem.Data() == engine || item->OnMeasureItem.Data() == engine) return true;
  for (int i = 0; i < item->Count(); ++i)
    if (BoundTo(engine, item->Items(i))) return true;
  return false;
}

// A measuring event that still named the engine would be called after the
// engine is gone: it goes with the drawing one.
void ForgetMeasuring(const TWinSkinForm* engine, TMenuItem* item) {
  if (item->OnMeasureItem.Data() == engine) item->OnMeasureItem = nullptr;
  for (int i = 0; i < item->Count(); ++i)
    ForgetMeasuring(engine, item->Items(i));
}

// Gives a menu of a tool bar or tool button its own drawing back where
// this engine took it over; menus the engine never touched keep theirs.
void ReleaseMenuItems(TWinSkinForm* engine, TMenuItem* item) {
  if (!item || !BoundTo(engine, item)) return;
  engine->OwnerDrawItems(item, false);
  ForgetMeasuring(engine, item);
}

void ReleaseToolButtonMenus(TWinSkinForm* engine, TToolButton* button) {
  if (TPopupMenu* menu = button->DropdownMenu()) ReleaseMenuItems(engine, &menu->Items());
  ReleaseMenuItems(engine, button->MenuItem());
}

// The tool bar's drawing events and its menus, where they are the engine's.
void ReleaseToolBar(TWinSkinForm* engine, TToolBar* bar) {
  if (bar->OnCustomDrawButton.Data() == engine) bar->OnCustomDrawButton = nullptr;
  if (bar->OnCustomDraw.Data() == engine) bar->OnCustomDraw = nullptr;
  if (TMainMenu* menu = bar->Menu()) ReleaseMenuItems(engine, &menu->Items());
  for (TToolButton* button : bar->Buttons())
    ReleaseToolButtonMenus(engine, button);
  bar->Invalidate();
}

// Tool buttons have no painter: their menus are found through the form.
void ReleaseToolMenusBelow(TWinSkinForm* engine, TWinControl* container) {
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* c = container->Controls(i);
    if (auto* button = As<TToolButton>(c)) ReleaseToolButtonMenus(engine, button);
    if (auto* w = As<TWinControl>(c)) ReleaseToolMenusBelow(engine, w);
  }
}

} // namespace

void TWinSkinForm::ReleasePainters() {
  // While the window goes, the form may be half gone: only controls that
  // still have painters are visited then.
  if (Form && EngineState != 4 && EngineState != 6) ReleaseToolMenusBelow(this, Form);
  while (!Painters.empty()) {
    TSkinControl* p = Painters.front();
    Painters.erase(Painters.begin());
    if (auto* bar = As<TToolBar>(p->Control)) ReleaseToolBar(this, bar);
    if (EngineState != 4 && p->Status != 6) p->Detach();
    p->FormEngine = nullptr;
    delete p;
  }
}

TSkinControl* TWinSkinForm::FindRawPainter(HWND wnd) const {
  for (TSkinControl* p : Painters)
    if (p->Handle == wnd && !p->Control) return p;
  return nullptr;
}

bool TWinSkinForm::IsControlSkinned(TControl* c) {
  if (c->Perform(SKN_QUERY) == 1) return true;
  return std::any_of(Painters.begin(), Painters.end(),
                     [c](const TSkinControl* p) { return p->Control == c; });
}

bool TWinSkinForm::IsControlHandled(TWinControl* c) {
  return !c->HandleAllocated() || (SkinData && c->Tag() == SkinData->DisableTag()) ||
         c->Perform(SKN_QUERY) == 1;
}

namespace {

void TabOrderControls(TWinControl* parent, std::vector<TWinControl*>& out) {
  for (TWinControl* c : parent->TabList()) {
    out.push_back(c);
    TabOrderControls(c, out);
  }
}

} // namespace

void TWinSkinForm::SkinAllControls(TCustomForm* form) {
  PurgeDestroyedPainters();
  SkinComponents(form);
  std::vector<TWinControl*> controls;
  TabOrderControls(form, controls);
  for (TWinControl* c : controls)
    if (!IsControlHandled(c)) SkinControl(c, form);
}

void TWinSkinForm::SkinComponents(TComponent* owner) {
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (auto* c = As<TControl>(owner->Components(i))) SkinControl(c, As<TWinControl>(owner));
  if (SkinData && SkinData->HasControl(xcPopupMenu)) OwnerDrawPopupMenus(owner, true);
}

void TWinSkinForm::SkinChildren(TWinControl* container) {
  for (int i = 0; i < container->ControlCount(); ++i)
    SkinControl(container->Controls(i), container);
}

void TWinSkinForm::SkinRawChildren(HWND wnd) {
  for (HWND child = GetTopWindow(wnd); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) SkinRawWindow(child);
}

namespace {

std::string Upper(std::string s) {
  for (auto& c : s)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string Lower(std::string s) {
  for (auto& c : s)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::wstring LowerW(std::wstring s) {
  for (auto& c : s)
    c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

bool Contains(const std::string& s, const char* part) {
  return s.find(part) != std::string::npos;
}

// A windowed control that scrolls: its window bars get skinned overlays.
bool IsScrollCandidate(TControl* c) {
  auto* w = As<TWinControl>(c);
  if (!w) return false;
  if (w->HandleAllocated() &&
      (GetWindowLongPtrW(w->WindowHandle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)))
    return true;
  return c->Is<TCustomListBox>() || c->Is<TCustomMemo>() || c->Is<TScrollBox>();
}

} // namespace

namespace {

// A skinned tool bar is flat (the skin's frames are its buttons' only
// face), draws through the engine unless the program draws it itself, and
// its menu's items are drawn from the skin.
void SkinToolBar(TWinSkinForm* engine, TToolBar* bar) {
  SetPropFromText(bar, "Flat", L"True");
  if (!bar->OnCustomDrawButton)
    bar->OnCustomDrawButton = TTBCustomDrawBtnEvent(engine, &TWinSkinForm::DrawToolButton);
  if (!bar->OnCustomDraw)
    bar->OnCustomDraw = TTBCustomDrawEvent(engine, &TWinSkinForm::DrawToolBarBackground);
  auto* painter = new TSkinBox(bar);
  painter->Attach(engine, engine->SkinData, false, &engine->ControlCanvas);
  if (TMainMenu* menu = bar->Menu()) engine->OwnerDrawItems(&menu->Items(), true);
  bar->Invalidate();
}

} // namespace

template <class T> T* TWinSkinForm_Attach(TWinSkinForm* engine, TControl* c, bool recolor) {
  auto* p = new T(c);
  p->Attach(engine, engine->SkinData, recolor, &engine->ControlCanvas);
  return p;
}

// Which painter a control gets: the exclusion rules, the program's own
// choice, the class-to-kind list, then the built-in chain.
void TWinSkinForm::SkinControl(TControl* c, TWinControl* parent) {
  if (!c || !SkinData) return;
  if (c->Tag() == SkinData->DisableTag()) {
    // A disabled radio or check group keeps its buttons unskinned too.
    auto* w = As<TWinControl>(c);
    const std::string lower = Lower(c->ClassName());
    if (w && w->ControlCount() > 0 &&
        (Contains(lower, "radiogroup") || Contains(lower, "checkgroup")))
      for (int i = 0; i < w->ControlCount(); ++i)
        w->Controls(i)->SetTag(SkinData->DisableTag());
    return;
  }
  if (!c->Parent() || IsControlSkinned(c)) return;
  const std::string cn = Upper(c->ClassName());
  if (auto* w = As<TWinControl>(c); w && !w->HandleAllocated()) {
    try {
      w->HandleNeeded();
    } catch (const std::exception&) {
      return;
    }
  }
  if (SkinData->OnSkinControl) {
    TComponent* chosen = nullptr;
    SkinData->OnSkinControl(this, SkinData, parent, c, Widen(cn), chosen);
    if (chosen) {
      auto* painter = As<TSkinControl>(chosen);
      if (painter && std::find(Painters.begin(), Painters.end(), painter) == Painters.end()) {
        painter->Attach(this, SkinData, painter->Recolor, &ControlCanvas);
        if (auto* panel = As<TCustomPanel>(c)) SkinChildren(panel);
      }
      return;
    }
  }
  if (SkinByMapping(cn, c)) return;
  if (cn == "TDBCOMBOBOXEH" || cn == "TFRDESIGNERPAGE" || cn == "TFRPBOX") return;
  SkinByChain(c, cn);
}

// The built-in chain, first matching row. Rows whose painters come with
// later painter families keep their controls' own look until then: tab
// controls, tab sets and sheets, headers, check boxes and radio buttons,
// the image objects of other component sets, status bars and list views.
void TWinSkinForm::SkinByChain(TControl* c, const std::string& cn) {
  TSkinData& sd = *SkinData;
  auto has = [&sd](TSkinControlType t) { return sd.HasControl(t); };
  auto scrolled = [this](TControl* control, int mode) {
    auto* p = new TSkinScrollbar(control);
    p->Mode = mode;
    p->AttachScrolled(static_cast<TWinControl*>(control), SkinData, this, &ControlCanvas);
  };
  if (auto* button = As<TToolButton>(c)) {
    // The drop-downs open in popup menu windows, which the skin covers
    // under the popup menu switch: their items then match them.
    if (has(xcPopupMenu)) {
      if (TPopupMenu* menu = button->DropdownMenu()) OwnerDrawItems(&menu->Items(), true);
      if (TMenuItem* item = button->MenuItem()) OwnerDrawItems(item, true);
    }
    return;
  }
  if (cn == "TMVCPANEL") {
    if (auto* w = As<TWinControl>(c)) SkinChildren(w);
    return;
  }
  if (c->Is<TTrackBar>() && has(xcTrackBar)) {
    TWinSkinForm_Attach<TSkinTrackBar>(this, c, false);
    return;
  }
  if ((cn == "TUPDOWN" || cn == "TSPINBUTTON") && has(xcSpin)) {
    TWinSkinForm_Attach<TSkinUpDown>(this, c, false);
    return;
  }
  if (cn == "TMEDIAPLAYER" && has(xcButton)) {
    TWinSkinForm_Attach<TSkinMP>(this, c, false);
    return;
  }
  if (c->Is<TCustomRadioGroup>() && has(xcRadioButton)) {
    TWinSkinForm_Attach<TSkinGroupBox>(this, c, true);
    return;
  }
  if (cn == "TDBNAVIGATOR" && has(xcPanel)) {
    TWinSkinForm_Attach<TSkinBox>(this, c, true);
    if (auto* w = As<TWinControl>(c))
      for (int i = 0; i < w->ControlCount(); ++i)
        SkinControl(w->Controls(i), w);
    return;
  }
  if (c->Is<TCustomGroupBox>() && has(xcPanel)) {
    SkinChildren(static_cast<TWinControl*>(c));
    TWinSkinForm_Attach<TSkinGroupBox>(this, c, false);
    return;
  }
  if (auto* bar = As<TToolBar>(c); bar && has(xcToolbar)) {
    SkinToolBar(this, bar);
    return;
  }
  if (c->Is<TProgressBar>() && has(xcProgress)) {
    TWinSkinForm_Attach<TSkinProgress>(this, c, false);
    return;
  }
  if (c->Is<TScrollBar>() && has(xcScrollbar)) {
    auto* p = new TSkinScControl(c);
    p->AttachScrollBar(static_cast<TWinControl*>(c), SkinData, this, &ControlCanvas);
    return;
  }
  if ((cn == "TTNTCOMBOBOX" || c->Is<TCustomComboBox>()) && has(xcCombo)) {
    TWinSkinForm_Attach<TSkinComBox>(this, c, false);
    return;
  }
  if (auto* picker = As<TDateTimePicker>(c); picker && has(xcEdit)) {
    if (picker->DateMode() == dmUpDown || picker->Kind() == dtkTime)
      TWinSkinForm_Attach<TSkinEdit>(this, c, false);
    else
      TWinSkinForm_Attach<TSkinDateTime>(this, c, false);
    return;
  }
  if (has(xcScrollbar) && (cn == "TRICHEDIT" || cn == "TWWDBRICHEDIT" || cn == "TDXDBMEMO")) {
    scrolled(c, 0);
    return;
  }
  if (c->Is<TBitBtn>()) {
    if (has(xcBitBtn)) TWinSkinForm_Attach<TSkinBitButton>(this, c, false);
    return;
  }
  if (c->Is<TSpeedButton>() && has(xcSpeedButton)) {
    auto* p = new TSkinSpeedButton(c);
    p->AttachGraphic(this, SkinData, &ControlCanvas);
    return;
  }
  if (c->Is<TCustomPanel>() && has(xcPanel)) {
    SkinChildren(static_cast<TWinControl*>(c));
    TWinSkinForm_Attach<TSkinBox>(this, c, true);
    return;
  }
  if (has(xcScrollbar) && (cn == "TDXTREELIST" || cn == "TDXDBTREELIST" || cn == "TDXDBGRID" ||
                           c->Is<TCustomMemo>() || IsScrollCandidate(c))) {
    scrolled(c, 0);
    return;
  }
  if (c->Is<TButton>() && has(xcButton)) {
    TWinSkinForm_Attach<TSkinButton>(this, c, false);
    return;
  }
  if (c->Is<TCustomEdit>() && has(xcEdit)) {
    TWinSkinForm_Attach<TSkinEdit>(this, c, false);
    return;
  }
  if (cn != "TDCEDIT" && cn != "TDCDBEDIT") {
    if (auto* form = As<TCustomForm>(c)) {
      TWinSkinForm_Attach<TSkinBox>(this, c, true);
      SkinComponents(form);
    }
    return;
  }
  // Other component sets' edits with buttons, by their button count.
  const int buttons = static_cast<int>(GetIntProp(c, "NumButtons", -1));
  if (buttons == 1 && has(xcCombo)) {
    TWinSkinForm_Attach<TSkinComBox>(this, c, false);
  } else if (buttons == 0 && has(xcEdit)) {
    if (auto* w = As<TWinControl>(c)) {
      auto* p = new TSkinEdit(c);
      p->AttachWindow(w->Handle(), SkinData, this, &ControlCanvas);
    }
  }
}

// The class-to-kind list of the skin data: the first line for the class
// decides, whatever its kind (also "nil", which attaches nothing).
bool TWinSkinForm::SkinByMapping(const std::string& className, TControl* c) {
  const std::wstring key = LowerW(Widen(className)) + L"=";
  std::wstring kind;
  bool found = false;
  TStrings& lines = SkinData->Skin3rd();
  for (int i = 0; i < lines.Count() && !found; ++i) {
    const std::wstring line = LowerW(lines.Get(i));
    if (line.rfind(key, 0) != 0) continue;
    kind = line.substr(line.find(L'=') + 1, 50);
    found = true;
  }
  if (!found) return false;
  TSkinData& sd = *SkinData;
  auto has = [&sd](TSkinControlType t) { return sd.HasControl(t); };
  auto* w = As<TWinControl>(c);
  if (kind == L"panel") {
    if (!has(xcPanel)) return true;
    SetPropFromText(c, "Transparent", L"True");
    TWinSkinForm_Attach<TSkinBox>(this, c, true);
  } else if (kind == L"button") {
    if (has(xcButton)) TWinSkinForm_Attach<TSkinButton>(this, c, false);
  } else if (kind == L"bitbtn") {
    if (!has(xcButton)) return true;
    if (key == L"tcxbutton=" && GetEnumProp(c, "Kind") == "cxbkDropDownButton")
      TWinSkinForm_Attach<TSkinMenuButton>(this, c, false);
    else
      TWinSkinForm_Attach<TSkinBitButton>(this, c, false);
  } else if (kind == L"pngbitbtn") {
    if (!has(xcButton)) return true;
    auto* p = new TSkinBitButton(c);
    p->GlyphProperty = "PngImage";
    p->Attach(this, SkinData, false, &ControlCanvas);
  } else if (kind == L"pngspeedbutton" || kind == L"speedbutton") {
    if (!has(kind == L"speedbutton" ? xcSpeedButton : xcButton)) return true;
    auto* p = new TSkinSpeedButton(c);
    if (kind == L"pngspeedbutton") p->GlyphProperty = "PngImage";
    p->AttachGraphic(this, SkinData, &ControlCanvas);
  } else if (kind == L"combobox" || kind == L"comboboxex") {
    if (!has(xcCombo)) return true;
    auto* p = new TSkinComBox(c);
    p->ExtendedCombo = kind == L"comboboxex";
    p->Attach(this, SkinData, false, &ControlCanvas);
  } else if (kind == L"edit") {
    if (!has(xcEdit) || !w) return true;
    if (HasBorder(w->Handle())) TWinSkinForm_Attach<TSkinEdit>(this, c, false);
  } else if (kind == L"datetimepicker") {
    if (has(xcCombo)) TWinSkinForm_Attach<TSkinDateTime>(this, c, false);
  } else if (kind == L"trackbar") {
    // Gated by the button switch, not the track-bar one.
    if (!has(xcButton)) return true;
    SetPropFromText(c, "Transparent", L"True");
    TWinSkinForm_Attach<TSkinTrackBar>(this, c, false);
  } else if (kind == L"progress") {
    if (has(xcProgress)) TWinSkinForm_Attach<TSkinProgress>(this, c, false);
  } else if (kind == L"mediaplayer") {
    if (has(xcButton)) TWinSkinForm_Attach<TSkinMP>(this, c, false);
  } else if (kind == L"menubtn") {
    if (has(xcButton)) TWinSkinForm_Attach<TSkinMenuButton>(this, c, false);
  } else if (kind == L"scrollbar" || kind == L"singlescrollbar") {
    if (!has(xcScrollbar) || !w) return true;
    auto* p = new TSkinScrollbar(c);
    p->Mode = kind == L"singlescrollbar" ? 1 : 0;
    p->AttachScrolled(w, SkinData, this, &ControlCanvas);
    if (kind == L"scrollbar") SkinChildren(w);
  } else if (kind == L"embedscrollbar") {
    if (!has(xcScrollbar) || !w) return true;
    for (int i = 0; i < w->ControlCount(); ++i) {
      TControl* child = w->Controls(i);
      if (child->Is<TScrollBar>()) {
        auto* p = new TSkinScControl(child);
        p->AttachScrollBar(static_cast<TWinControl*>(child), SkinData, this, &ControlCanvas);
      } else if (IsScrollCandidate(child)) {
        auto* p = new TSkinScrollbar(child);
        p->AttachScrolled(static_cast<TWinControl*>(child), SkinData, this, &ControlCanvas);
      }
    }
  } else if (kind == L"container") {
    if (w) SkinChildren(w);
  } else if (kind == L"groupbox") {
    if (has(xcGroupBox)) TWinSkinForm_Attach<TSkinGroupBox>(this, c, true);
  } else if (kind == L"radiogroup") {
    if (has(xcGroupBox)) TWinSkinForm_Attach<TSkinGroupBox>(this, c, true);
  } else if (kind == L"checkgroup") {
    if (has(xcPanel) && has(xcGroupBox)) TWinSkinForm_Attach<TSkinGroupBox>(this, c, true);
  }
  // The other kinds (check boxes and radio buttons, tabs, advanced pages)
  // attach their painters from the later painter families on; the line
  // still decides that nothing else does.
  return true;
}

// Bare windows, matched by class and style.
void TWinSkinForm::SkinRawWindow(HWND wnd) {
  if (!wnd || FindRawPainter(wnd) || !SkinData) return;
  wchar_t buf[101] = {};
  GetClassNameW(wnd, buf, 101);
  const std::wstring cls = LowerW(buf);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE));
  TSkinData& sd = *SkinData;
  TSkinControl* painter = nullptr;
  if (cls == L"button") {
    if ((style & 0xB) == 0xB) return;               // owner-drawn
    if ((style & 7) == 7 || (style & 0x80)) return; // group box, or a picture
    const bool check = (style & 3) == 3 || (style & 2) || (style & 5) == 5;
    const bool radio = (style & 9) == 9 || (style & 4);
    if (check || radio) return; // check and radio painters come with their family
    if (sd.HasControl(xcButton)) painter = new TSkinButton(this);
  } else if (cls == L"combobox") {
    if (sd.HasControl(xcCombo) && (style & 3) != CBS_SIMPLE) painter = new TSkinComBox(this);
  } else if (cls == L"comboboxex32") {
    if (sd.HasControl(xcCombo))
      if (HWND child = GetWindow(wnd, GW_CHILD)) {
        auto* p = new TSkinComBox(this);
        p->AttachWindow(child, SkinData, this, &ControlCanvas);
      }
  } else if (cls == L"#32770" && !(style & WS_TABSTOP)) {
    SkinRawChildren(wnd);
    painter = new TSkinBoxH(this);
  } else if (cls == L"tpanel" || cls == L"ttntpanel.unicodeclass" ||
             cls == L"ttntsilentpaintpanel.unicodeclass") {
    SkinRawChildren(wnd);
    if (TWinControl* c = TWinControl::FromHandle(wnd)) c->SetColor(FaceColor());
  } else if (cls == L"tcombobox") {
    if (sd.HasControl(xcCombo)) painter = new TSkinComBox(this);
  } else if (cls == L"tbutton") {
    if (sd.HasControl(xcButton)) painter = new TSkinButton(this);
  } else if (cls == L"tprogressbar") {
    painter = new TSkinProgress(this);
  } else if (cls == L"tsilentpaintpanel") {
    if (TWinControl* c = TWinControl::FromHandle(wnd)) c->SetColor(FaceColor());
  } else if (cls == L"toolbarwindow32") {
    painter = new TSkinBoxH(this);
  } else if (cls == L"edit") {
    if (sd.HasControl(xcEdit)) painter = new TSkinEdit(this);
  }
  if (painter) painter->AttachWindow(wnd, SkinData, this, &ControlCanvas);
}
