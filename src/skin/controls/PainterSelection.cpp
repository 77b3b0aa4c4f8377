// The form engine's painters: the list it keeps, and the walks over a
// window's controls that attach one painter to each control the skin
// covers.
#include "skin/controls/SkinControl.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>
#include <cctype>

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

// Bare windows are matched to painters by class and style from the
// control painters on; until then they keep the system's look.
void TWinSkinForm::SkinRawWindow(HWND wnd) {
  if (!wnd || FindRawPainter(wnd)) return;
}

// Which painter a control gets: the exclusion rules and the program's own
// choice first; the painters of each kind join from the control painters on.
void TWinSkinForm::SkinControl(TControl* c, TWinControl* parent) {
  if (!c || !SkinData) return;
  if (c->Tag() == SkinData->DisableTag()) {
    // A disabled radio or check group keeps its buttons unskinned too.
    auto* w = As<TWinControl>(c);
    std::string lower = c->ClassName();
    for (auto& ch : lower)
      ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (w && w->ControlCount() > 0 &&
        (lower.find("radiogroup") != std::string::npos ||
         lower.find("checkgroup") != std::string::npos))
      for (int i = 0; i < w->ControlCount(); ++i)
        w->Controls(i)->SetTag(SkinData->DisableTag());
    return;
  }
  if (!c->Parent() || IsControlSkinned(c)) return;
  std::string upper = c->ClassName();
  for (auto& ch : upper)
    ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (auto* w = As<TWinControl>(c); w && !w->HandleAllocated()) {
    try {
      w->HandleNeeded();
    } catch (const std::exception&) {
      return;
    }
  }
  if (SkinData->OnSkinControl) {
    TComponent* chosen = nullptr;
    SkinData->OnSkinControl(this, SkinData, parent, c, Widen(upper), chosen);
    if (chosen) {
      auto* painter = As<TSkinControl>(chosen);
      if (painter && std::find(Painters.begin(), Painters.end(), painter) == Painters.end()) {
        painter->Attach(this, SkinData, painter->Recolor, &ControlCanvas);
        if (auto* panel = As<TCustomPanel>(c)) SkinChildren(panel);
      }
      return;
    }
  }
}
