#include "fw/GroupBox.h"

FW_CLASS_IMPL(TCustomGroupBox, TCustomControl, nullptr, NoSetup)
FW_CLASS_IMPL(TGroupBox, TCustomGroupBox, CreateComponentOf<TGroupBox>, NoSetup)

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption;
  SetBounds(0, 0, 185, 105);
  SetParentColor(true); // a group box takes its parent's colour, as labels do
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
