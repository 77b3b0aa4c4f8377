// The form engine's painters: the list it keeps, and the walks over a
// window's controls that attach one painter to each control the skin
// covers.
#include "skin/controls/ButtonPainters.h"
#include "skin/controls/MediaPlayerPainter.h"
#include "skin/controls/PagePainters.h"
#include "skin/controls/PanelPainters.h"
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

void TWinSkinForm::ReleasePainters() {
  while (!Painters.empty()) {
    TSkinControl* p = Painters.front();
    Painters.erase(Painters.begin());
    // Tool bar drawing events are unbound here from the menus issue on.
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
  if (SkinData && SkinData->HasControl(xcPopupMenu)) SetPopupMenusOwnerDraw(true);
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
// track bars, up-downs, the image objects of other
// component sets, status bars, progress bars, scroll bars and scrolling
// controls, combo boxes, date-time pickers, list views and edits.
void TWinSkinForm::SkinByChain(TControl* c, const std::string& cn) {
  TSkinData& sd = *SkinData;
  auto has = [&sd](TSkinControlType t) { return sd.HasControl(t); };
  if (cn == "TMVCPANEL") {
    if (auto* w = As<TWinControl>(c)) SkinChildren(w);
    return;
  }
  if (cn == "TMEDIAPLAYER") {
    if (has(xcButton)) TWinSkinForm_Attach<TSkinMP>(this, c, false);
    return;
  }
  // Without its own kind a radio group goes on down the chain: it is a
  // group box too. Its buttons get their painters with the check and
  // radio family.
  if (c->Is<TCustomRadioGroup>() && has(xcRadioButton)) {
    TWinSkinForm_Attach<TSkinGroupBox>(this, c, true);
    return;
  }
  if (cn == "TDBNAVIGATOR") {
    if (!has(xcPanel)) return;
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
  if (c->Is<TBitBtn>()) {
    if (has(xcBitBtn)) TWinSkinForm_Attach<TSkinBitButton>(this, c, false);
    return;
  }
  if (c->Is<TSpeedButton>()) {
    if (!has(xcSpeedButton)) return;
    auto* p = new TSkinSpeedButton(c);
    p->AttachGraphic(this, SkinData, &ControlCanvas);
    return;
  }
  if (c->Is<TCustomPanel>() && has(xcPanel)) {
    SkinChildren(static_cast<TWinControl*>(c));
    TWinSkinForm_Attach<TSkinBox>(this, c, true);
    return;
  }
  if (c->Is<TButton>() && has(xcButton)) {
    TWinSkinForm_Attach<TSkinButton>(this, c, false);
    return;
  }
  if (cn != "TDCEDIT" && cn != "TDCDBEDIT") {
    if (auto* form = As<TCustomForm>(c)) {
      TWinSkinForm_Attach<TSkinBox>(this, c, true);
      SkinComponents(form);
    }
    return;
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
  } else if (kind == L"mediaplayer") {
    if (has(xcButton)) TWinSkinForm_Attach<TSkinMP>(this, c, false);
  } else if (kind == L"menubtn") {
    if (has(xcButton)) TWinSkinForm_Attach<TSkinMenuButton>(this, c, false);
  } else if (kind == L"container") {
    if (w) SkinChildren(w);
  } else if (kind == L"groupbox") {
    if (has(xcGroupBox)) TWinSkinForm_Attach<TSkinGroupBox>(this, c, true);
  } else if (kind == L"radiogroup") {
    if (has(xcGroupBox)) TWinSkinForm_Attach<TSkinGroupBox>(this, c, true);
  } else if (kind == L"checkgroup") {
    if (has(xcPanel) && has(xcGroupBox)) TWinSkinForm_Attach<TSkinGroupBox>(this, c, true);
  }
  // The other kinds (edits, combo boxes, check boxes and radio buttons,
  // track bars, tabs, progress bars, scroll bars, date-time pickers,
  // advanced pages) attach their painters from the later
  // painter families on; the line still decides that nothing else does.
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
  } else if (cls == L"#32770" && !(style & WS_TABSTOP)) {
    SkinRawChildren(wnd);
    painter = new TSkinBoxH(this);
  } else if (cls == L"tpanel" || cls == L"ttntpanel.unicodeclass" ||
             cls == L"ttntsilentpaintpanel.unicodeclass") {
    SkinRawChildren(wnd);
    if (TWinControl* c = TWinControl::FromHandle(wnd)) c->SetColor(FaceColor());
  } else if (cls == L"tbutton") {
    if (sd.HasControl(xcButton)) painter = new TSkinButton(this);
  } else if (cls == L"tsilentpaintpanel") {
    if (TWinControl* c = TWinControl::FromHandle(wnd)) c->SetColor(FaceColor());
  } else if (cls == L"toolbarwindow32") {
    painter = new TSkinBoxH(this);
  }
  if (painter) painter->AttachWindow(wnd, SkinData, this, &ControlCanvas);
}
