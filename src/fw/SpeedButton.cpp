#include "fw/SpeedButton.h"

#include <algorithm>

static void SetupSpeedButton(TClassInfo& c) {
  using T = TSpeedButton;
  c.Props.push_back(BoolProp<T>(
      "Flat", [](T* o) { return o->Flat(); }, [](T* o, bool v) { o->SetFlat(v); }, false));
  c.Props.push_back(IntProp<T>(
      "GroupIndex", [](T* o) { return o->GroupIndex(); },
      [](T* o, std::int64_t v) { o->SetGroupIndex(static_cast<int>(v)); }, 0));
  c.Props.push_back(BoolProp<T>(
      "AllowAllUp", [](T* o) { return o->AllowAllUp(); }, [](T* o, bool v) { o->SetAllowAllUp(v); },
      false));
  // After its group: only grouped buttons stay down.
  c.Props.push_back(BoolProp<T>(
      "Down", [](T* o) { return o->Down(); }, [](T* o, bool v) { o->SetDown(v); }, false));
  c.Props.push_back(ObjectProp<T, TBitmap>(
      "Glyph", [](T* o) { return &o->Glyph(); },
      [](T* o, TBitmap* v) {
        if (v) o->SetGlyph(*v);
      }));
  c.Props.push_back(IntProp<T>(
      "NumGlyphs", [](T* o) { return o->NumGlyphs(); },
      [](T* o, std::int64_t v) { o->SetNumGlyphs(static_cast<int>(v)); }, 1));
  c.Props.push_back(EnumProp<T>(
      "Layout", ButtonLayoutInfo, [](T* o) { return static_cast<int>(o->Layout()); },
      [](T* o, int v) { o->SetLayout(static_cast<TButtonLayout>(v)); }, blGlyphLeft));
  c.Props.push_back(IntProp<T>(
      "Margin", [](T* o) { return o->Margin(); },
      [](T* o, std::int64_t v) { o->SetMargin(static_cast<int>(v)); }, -1));
  c.Props.push_back(IntProp<T>(
      "Spacing", [](T* o) { return o->Spacing(); },
      [](T* o, std::int64_t v) { o->SetSpacing(static_cast<int>(v)); }, 4));
  c.Props.push_back(BoolProp<T>(
      "Transparent", [](T* o) { return o->Transparent(); },
      [](T* o, bool v) { o->SetTransparent(v); }, true));
}
FW_CLASS_IMPL(TSpeedButton, TGraphicControl, CreateComponentOf<TSpeedButton>, SetupSpeedButton)

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 23, 22);
  FControlStyle = csCaptureMouse | csSetCaption; // clicks come from MouseUp
  SetParentColor(true);
  FGlyph.OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

void TSpeedButton::SetFlat(bool v) {
  if (v == FFlat) return;
  FFlat = v;
  Invalidate();
}

void TSpeedButton::SetDown(bool v) {
  if (HasState(csLoading)) {
    FDown = v; // the group may come later in the description
    return;
  }
  if (FGroupIndex == 0) v = false; // only grouped buttons stay down
  if (v == FDown) return;
  if (FDown && !FAllowAllUp && FGroupIndex != 0) {
    // The last one down in a group stays down unless all may be up.
    bool other = false;
    if (Parent())
      for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* b = As<TSpeedButton>(Parent()->Controls(i));
            b && b != this && b->FGroupIndex == FGroupIndex && b->FDown)
          other = true;
    if (!other) return;
  }
  FDown = v;
  Invalidate();
  if (v) UpdateExclusive();
}

void TSpeedButton::Loaded() {
  TGraphicControl::Loaded();
  if (FGroupIndex == 0) FDown = false;
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* b = As<TSpeedButton>(Parent()->Controls(i));
        b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) {
      b->FDown = false;
      b->Invalidate();
    }
}

void TSpeedButton::SetGroupIndex(int v) {
  if (v == FGroupIndex) return;
  FGroupIndex = v;
  if (FGroupIndex == 0 && FDown) {
    FDown = false;
    Invalidate();
  }
}

void TSpeedButton::SetNumGlyphs(int v) {
  v = std::clamp(v, 1, 4);
  if (v == FNumGlyphs) return;
  FNumGlyphs = v;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TSpeedButton::SetMargin(int v) {
  if (v == FMargin || v < -1) return;
  FMargin = v;
  Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
  if (v == FSpacing || v < -1) return;
  FSpacing = v;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TSpeedButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case CM_MOUSEENTER:
    if (!FHot && Enabled()) {
      FHot = true;
      if (FFlat) Invalidate();
    }
    break;
  case CM_MOUSELEAVE:
    if (FHot) {
      FHot = false;
      if (FFlat) Invalidate();
    }
    break;
  case CM_CANCELMODE:
    FDragging = false;
    if (FPressed) {
      FPressed = false;
      Invalidate();
    }
    break;
  case CM_ENABLEDCHANGED: FHot = false; break;
  }
  TGraphicControl::WndProc(msg);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  FDragging = true;
  FPressed = true;
  Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!FDragging) return;
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (inside != FPressed) {
    FPressed = inside;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !FDragging) return;
  FDragging = false;
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  FPressed = false;
  Invalidate();
  if (inside) Click();
}

void TSpeedButton::Click() {
  if (FGroupIndex != 0) SetDown(!FDown || !FAllowAllUp ? true : false);
  TGraphicControl::Click();
}

// Drawn into an off-screen picture of the button and copied once.
void TSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  const RECT r = ClientRect();
  if (r.right <= 0 || r.bottom <= 0) return;
  HDC target = canvas.Handle();
  TOffscreen buffer(target, r);
  HDC dc = buffer ? buffer.Get() : target;
  const bool down = FDown || FPressed;
  TGdiBrush face(CreateSolidBrush(ColorToCOLORREF(Color())));
  FillRect(dc, &r, face.Get());
  RECT edge = r;
  if (!FFlat)
    DrawFrameControl(dc, &edge, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  else if (down)
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  else if (FHot)
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);

  TSelection font(dc, Font().Handle());
  const std::wstring text = Caption();
  const SIZE glyph = GlyphSize(FGlyph, FNumGlyphs);
  SIZE textSize{0, 0};
  if (!text.empty()) {
    RECT m{0, 0, std::max<LONG>(r.right - 4 - glyph.cx, 0), r.bottom};
    DrawTextW(dc, text.c_str(), -1, &m, DT_CALCRECT | DT_WORDBREAK);
    textSize = {m.right, m.bottom};
  }
  const TGlyphPlacement place =
      PlaceGlyph({r.right, r.bottom}, glyph, textSize, FLayout, FMargin, FSpacing);
  const int shift = down ? 1 : 0;
  const int frame = !Enabled() ? 2 : FPressed ? 3 : FDown ? 4 : 1;
  DrawGlyph(dc, place.Glyph.x + shift, place.Glyph.y + shift, FGlyph, FNumGlyphs,
            frame <= FNumGlyphs ? frame : 1, !Enabled());
  if (!text.empty()) {
    RECT t = place.Text;
    OffsetRect(&t, shift, shift);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToCOLORREF(Enabled() ? Font().Color() : clGrayText));
    DrawTextW(dc, text.c_str(), -1, &t, place.TextFlags);
  }
  if (buffer) buffer.Blit();
}
