#include "components/HyperLabel.h"

#include <shellapi.h>

const wchar_t* const DefaultHyperLabelURL = L"https://batchrename.example.org/";

namespace {

TShellExecuteFunc gShellExecute = ShellExecuteA;

} // namespace

void SetHyperLabelShellExecute(TShellExecuteFunc func) {
  gShellExecute = func ? func : ShellExecuteA;
}

static void SetupHyperLabel(TClassInfo& c) {
  c.Props.push_back(StringProp<THyperLabel>(
      "URL", [](THyperLabel* o) { return o->URL(); },
      [](THyperLabel* o, const std::wstring& v) { o->SetURL(v); }));
  auto font = ObjectProp<THyperLabel, TFont>(
      "HoverFont", [](THyperLabel* o) { return &o->HoverFont(); },
      [](THyperLabel* o, TFont* f) {
        if (f) o->SetHoverFont(*f);
      });
  c.Props.push_back(font);
  c.Props.push_back(IntProp<THyperLabel>(
      "HoverColor", [](THyperLabel* o) { return static_cast<std::int64_t>(o->HoverColor()); },
      [](THyperLabel* o, std::int64_t v) { o->SetHoverColor(static_cast<TColor>(v)); }, clBtnFace,
      &ColorIdents()));
  c.Props.push_back(IntProp<THyperLabel>(
      "HoverCursor", [](THyperLabel* o) { return o->HoverCursor(); },
      [](THyperLabel* o, std::int64_t v) { o->SetHoverCursor(static_cast<TCursor>(v)); },
      crHandPoint, &CursorIdents()));
  c.Props.push_back(EventProp("OnMouseEnter", &THyperLabel::OnMouseEnter));
  c.Props.push_back(EventProp("OnMouseLeave", &THyperLabel::OnMouseLeave));
}
FW_CLASS_IMPL(THyperLabel, TLabel, CreateComponentOf<THyperLabel>, SetupHyperLabel)

THyperLabel::THyperLabel(TComponent* owner) : TLabel(owner) {
  SetURL(DefaultHyperLabelURL);
  FHoverFont.Assign(Font());
  FHoverFont.SetColor(0xFF0000); // pure blue
  FHoverFont.SetStyle(FHoverFont.Style() | (1u << fsUnderline));
  FHoverColor = clBtnFace;
  FHoverCursor = crHandPoint;
}

void THyperLabel::SetURL(const std::wstring& v) {
  if (UpperAscii(v) != UpperAscii(FURL)) FURL = v;
}

void THyperLabel::Click() {
  TLabel::Click();
  if (FURL.empty()) return;
  HWND parent = Parent() ? Parent()->Handle() : nullptr;
  const std::string url = WideToAnsi(FURL);
  if (UpperAscii(FURL.substr(0, 5)) == L"HTTP:")
    gShellExecute(parent, "open", "iexplore.exe", url.c_str(), nullptr, SW_SHOW);
  else
    gShellExecute(parent, "open", url.c_str(), nullptr, nullptr, SW_SHOW);
}

void THyperLabel::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case CM_MOUSEENTER: MouseEntered(); break;
  case CM_MOUSELEAVE: MouseLeft(); break;
  }
  TLabel::WndProc(msg);
}

void THyperLabel::MouseEntered() {
  if (FHovered) return; // a second enter would save the hover look as the normal one
  FHovered = true;
  FSavedFont.Assign(Font());
  Font().Assign(FHoverFont);
  FSavedColor = Color();
  SetColor(FHoverColor);
  FSavedCursor = Cursor();
  FHandCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)); // IDC_HAND
  FSavedScreenCursor = ScreenCursorEntry(crHandPoint);
  SetScreenCursorHandle(crHandPoint, FHandCursor);
  SetCursor(crHandPoint);
  if (OnMouseEnter) OnMouseEnter(this);
}

void THyperLabel::MouseLeft() {
  if (!FHovered) return; // nothing was saved to restore
  FHovered = false;
  Font().Assign(FSavedFont);
  SetColor(FSavedColor);
  SetScreenCursorHandle(crHandPoint, FSavedScreenCursor);
  SetCursor(FSavedCursor);
  if (OnMouseLeave) OnMouseLeave(this);
}
