#include "fw/Panel.h"

const TEnumInfo BevelCutInfo{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};
const TEnumInfo BorderStyleInfo{"TBorderStyle", {"bsNone", "bsSingle"}};

static void SetupCustomPanel(TClassInfo& c) {
  auto bevel = [&](const char* name, TBevelCut (TCustomPanel::*get)() const,
                   void (TCustomPanel::*set)(TBevelCut), TBevelCut def) {
    c.Props.push_back(EnumProp<TCustomPanel>(
        name, BevelCutInfo, [get](TCustomPanel* o) { return static_cast<int>((o->*get)()); },
        [set](TCustomPanel* o, int v) { (o->*set)(static_cast<TBevelCut>(v)); }, def));
  };
  bevel("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, bvNone);
  bevel("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, bvRaised);
  c.Props.push_back(IntProp<TCustomPanel>(
      "BevelWidth", [](TCustomPanel* o) { return o->BevelWidth(); },
      [](TCustomPanel* o, std::int64_t v) { o->SetBevelWidth(static_cast<int>(v)); }, 1));
  c.Props.push_back(IntProp<TCustomPanel>(
      "BorderWidth", [](TCustomPanel* o) { return o->BorderWidth(); },
      [](TCustomPanel* o, std::int64_t v) { o->SetBorderWidth(static_cast<int>(v)); }, 0));
  c.Props.push_back(EnumProp<TCustomPanel>(
      "BorderStyle", BorderStyleInfo,
      [](TCustomPanel* o) { return static_cast<int>(o->BorderStyle()); },
      [](TCustomPanel* o, int v) { o->SetBorderStyle(static_cast<TBorderStyle>(v)); }, bsNone));
  c.Props.push_back(EnumProp<TCustomPanel>(
      "Alignment", AlignmentInfo, [](TCustomPanel* o) { return static_cast<int>(o->Alignment()); },
      [](TCustomPanel* o, int v) { o->SetAlignment(static_cast<TAlignment>(v)); }, taCenter));
}
FW_CLASS_IMPL(TCustomPanel, TCustomControl, nullptr, SetupCustomPanel)
FW_CLASS_IMPL(TPanel, TCustomPanel, CreateComponentOf<TPanel>, NoSetup)

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque;
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;
  if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomPanel::BordersChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  if (v == FBevelInner) return;
  FBevelInner = v;
  BordersChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  if (v == FBevelOuter) return;
  FBevelOuter = v;
  BordersChanged();
}

void TCustomPanel::SetBevelWidth(int v) {
  if (v == FBevelWidth || v < 1) return;
  FBevelWidth = v;
  BordersChanged();
}

void TCustomPanel::SetBorderWidth(int v) {
  if (v == FBorderWidth || v < 0) return;
  FBorderWidth = v;
  BordersChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(RECT& r) const {
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  InflateRect(&r, -inset, -inset);
}

namespace {

void Bevel(HDC dc, RECT& r, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  TColor topLeft = cut == bvLowered ? clBtnShadow : clBtnHighlight;
  TColor bottomRight = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  if (cut == bvSpace) topLeft = bottomRight = clBtnFace;
  for (int i = 0; i < width; ++i) {
    TGdiBrush tl(CreateSolidBrush(ColorToCOLORREF(topLeft)));
    TGdiBrush br(CreateSolidBrush(ColorToCOLORREF(bottomRight)));
    RECT top{r.left, r.top, r.right - 1, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom - 1};
    RECT bottom{r.left, r.bottom - 1, r.right, r.bottom},
        right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, tl.Get());
    FillRect(dc, &left, tl.Get());
    FillRect(dc, &bottom, br.Get());
    FillRect(dc, &right, br.Get());
    InflateRect(&r, -1, -1);
  }
}

} // namespace

void TCustomPanel::Paint() {
  TCanvas& c = Canvas();
  RECT r = ClientRect();
  Bevel(c.Handle(), r, FBevelOuter, FBevelWidth);
  InflateRect(&r, -FBorderWidth, -FBorderWidth);
  Bevel(c.Handle(), r, FBevelInner, FBevelWidth);
  c.FillRect(r);
  const std::wstring text = Caption();
  if (text.empty()) return;
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  format |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
  SetBkMode(c.Handle(), TRANSPARENT);
  c.DrawTextRect(text, r, format);
}
