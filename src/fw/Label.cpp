#include "fw/Label.h"

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
