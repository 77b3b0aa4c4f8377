#include "fw/MediaPlayer.h"

#include <algorithm>

const TEnumInfo MPBtnTypeInfo{
    "TMPBtnType",
    {"btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"}};

static void SetupMediaPlayer(TClassInfo& c) {
  using T = TMediaPlayer;
  c.Props.push_back(SetPropOf<T>(
      "VisibleButtons", MPBtnTypeInfo, [](T* o) { return std::uint64_t(o->VisibleButtons()); },
      [](T* o, std::uint64_t v) { o->SetVisibleButtons(static_cast<TButtonSet>(v)); },
      kAllMPButtons));
  c.Props.push_back(SetPropOf<T>(
      "EnabledButtons", MPBtnTypeInfo, [](T* o) { return std::uint64_t(o->EnabledButtons()); },
      [](T* o, std::uint64_t v) { o->SetEnabledButtons(static_cast<TButtonSet>(v)); },
      kAllMPButtons));
  c.Props.push_back(SetPropOf<T>(
      "ColoredButtons", MPBtnTypeInfo, [](T* o) { return std::uint64_t(o->ColoredButtons()); },
      [](T* o, std::uint64_t v) { o->SetColoredButtons(static_cast<TButtonSet>(v)); },
      kAllMPButtons));
  c.Props.push_back(EventProp("OnClick", &T::OnClick));
}
FW_CLASS_IMPL(TMediaPlayer, TCustomControl, CreateComponentOf<TMediaPlayer>, SetupMediaPlayer)

TMediaPlayer::TMediaPlayer(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = csCaptureMouse | csSetCaption;
  SetBounds(0, 0, 253, 30);
  SetColor(clBtnFace);
}

void TMediaPlayer::SetVisibleButtons(TButtonSet v) {
  FVisible = v & kAllMPButtons;
  Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet v) {
  FEnabled = v & kAllMPButtons;
  Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet v) {
  FColored = v & kAllMPButtons;
  Invalidate();
}

int TMediaPlayer::VisibleCount() const {
  int n = 0;
  for (int b = btPlay; b <= btEject; ++b)
    n += (FVisible >> b) & 1;
  return n;
}

RECT TMediaPlayer::ButtonRect(TMPBtnType which) const {
  const int n = VisibleCount();
  if (n == 0 || !((FVisible >> which) & 1)) return {0, 0, 0, 0};
  const int w = Width() / n;
  int cell = 0;
  for (int b = btPlay; b < which; ++b)
    cell += (FVisible >> b) & 1;
  return {cell * w, 0, (cell + 1) * w, Height()};
}

int TMediaPlayer::ButtonAt(int x, int y) const {
  for (int b = btPlay; b <= btEject; ++b) {
    const RECT r = ButtonRect(static_cast<TMPBtnType>(b));
    const POINT p{x, y};
    if (PtInRect(&r, p)) return b;
  }
  return -1;
}

namespace {

// A small picture of each button's meaning, drawn with lines and fills.
void DrawMark(HDC dc, const RECT& r, int button, COLORREF colour) {
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  TGdiBrush brush(CreateSolidBrush(colour));
  TGdiPen pen(CreatePen(PS_SOLID, 1, colour));
  TSelection b(dc, brush.Get()), p(dc, pen.Get());
  auto triangle = [&](int x, int dir) {
    const POINT pts[] = {{x, cy - 4}, {x, cy + 4}, {x + 4 * dir, cy}};
    Polygon(dc, pts, 3);
  };
  auto bar = [&](int x) { Rectangle(dc, x, cy - 4, x + 2, cy + 5); };
  switch (button) {
  case btPlay: triangle(cx - 2, 1); break;
  case btPause:
    bar(cx - 3);
    bar(cx + 1);
    break;
  case btStop: Rectangle(dc, cx - 4, cy - 4, cx + 4, cy + 4); break;
  case btNext:
    triangle(cx - 3, 1);
    bar(cx + 2);
    break;
  case btPrev:
    bar(cx - 4);
    triangle(cx + 3, -1);
    break;
  case btStep:
    triangle(cx - 5, 1);
    triangle(cx, 1);
    break;
  case btBack:
    triangle(cx + 5, -1);
    triangle(cx, -1);
    break;
  case btRecord: Ellipse(dc, cx - 4, cy - 4, cx + 4, cy + 4); break;
  case btEject: {
    const POINT pts[] = {{cx - 4, cy + 1}, {cx + 4, cy + 1}, {cx, cy - 4}};
    Polygon(dc, pts, 3);
    Rectangle(dc, cx - 4, cy + 3, cx + 5, cy + 5);
    break;
  }
  }
}

} // namespace

// The row is drawn off-screen (by the framework) and copied once.
void TMediaPlayer::Paint() {
  HDC dc = Canvas().Handle();
  for (int b = btPlay; b <= btEject; ++b) {
    RECT r = ButtonRect(static_cast<TMPBtnType>(b));
    if (IsRectEmpty(&r)) continue;
    const bool pressed = b == FPressed;
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const bool enabled = Enabled() && ((FEnabled >> b) & 1);
    const COLORREF colour = !enabled                ? ColorToCOLORREF(clGrayText)
                            : ((FColored >> b) & 1) ? RGB(0, 96, 0)
                                                    : ColorToCOLORREF(clBtnText);
    if (pressed) OffsetRect(&r, 1, 1);
    DrawMark(dc, r, b, colour);
  }
}

void TMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  const int b = ButtonAt(x, y);
  if (b < 0 || !((FEnabled >> b) & 1)) return;
  FPressed = b;
  Invalidate();
}

void TMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || FPressed < 0) return;
  const int pressed = FPressed;
  FPressed = -1;
  Invalidate();
  if (ButtonAt(x, y) != pressed) return;
  bool doDefault = true;
  if (OnClick) OnClick(this, static_cast<TMPBtnType>(pressed), doDefault);
}
