#include "fw/BitBtn.h"

#include <algorithm>

const TEnumInfo BitBtnKindInfo{"TBitBtnKind",
                               {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};

namespace {

const wchar_t* KindCaption(TBitBtnKind kind) {
  static const wchar_t* const captions[] = {L"",       L"OK",      L"Cancel", L"&Help",
                                            L"&Yes",   L"&No",     L"&Close", L"Abort",
                                            L"&Retry", L"&Ignore", L"&All"};
  return captions[kind];
}

} // namespace

static void SetupBitBtn(TClassInfo& c) {
  c.Props.push_back(ObjectProp<TBitBtn, TBitmap>(
      "Glyph", [](TBitBtn* o) { return &o->Glyph(); },
      [](TBitBtn* o, TBitmap* v) {
        if (v) o->SetGlyph(*v);
      }));
  c.Props.push_back(IntProp<TBitBtn>(
      "NumGlyphs", [](TBitBtn* o) { return o->NumGlyphs(); },
      [](TBitBtn* o, std::int64_t v) { o->SetNumGlyphs(static_cast<int>(v)); }, 1));
  c.Props.push_back(EnumProp<TBitBtn>(
      "Layout", ButtonLayoutInfo, [](TBitBtn* o) { return static_cast<int>(o->Layout()); },
      [](TBitBtn* o, int v) { o->SetLayout(static_cast<TButtonLayout>(v)); }, blGlyphLeft));
  c.Props.push_back(IntProp<TBitBtn>(
      "Margin", [](TBitBtn* o) { return o->Margin(); },
      [](TBitBtn* o, std::int64_t v) { o->SetMargin(static_cast<int>(v)); }, -1));
  c.Props.push_back(IntProp<TBitBtn>(
      "Spacing", [](TBitBtn* o) { return o->Spacing(); },
      [](TBitBtn* o, std::int64_t v) { o->SetSpacing(static_cast<int>(v)); }, 4));
  c.Props.push_back(EnumProp<TBitBtn>(
      "Kind", BitBtnKindInfo, [](TBitBtn* o) { return static_cast<int>(o->Kind()); },
      [](TBitBtn* o, int v) { o->SetKind(static_cast<TBitBtnKind>(v)); }, bkCustom));
  c.Props.push_back(ObjectProp<TBitBtn, TCustomImageList>(
      "Images", [](TBitBtn* o) { return o->Images(); },
      [](TBitBtn* o, TCustomImageList* v) { o->SetImages(v); }));
  c.Props.push_back(IntProp<TBitBtn>(
      "ImageIndex", [](TBitBtn* o) { return o->ImageIndex(); },
      [](TBitBtn* o, std::int64_t v) { o->SetImageIndex(static_cast<int>(v)); }, -1));
  c.Props.push_back(IntProp<TBitBtn>(
      "DisabledIndex", [](TBitBtn* o) { return o->DisabledIndex(); },
      [](TBitBtn* o, std::int64_t v) { o->SetDisabledIndex(static_cast<int>(v)); }, -1));
  c.Props.push_back(EnumProp<TBitBtn>(
      "Alignment", AlignmentInfo, [](TBitBtn* o) { return static_cast<int>(o->Alignment()); },
      [](TBitBtn* o, int v) { o->SetAlignment(static_cast<TAlignment>(v)); }, taCenter));
}
FW_CLASS_IMPL(TBitBtn, TButton, CreateComponentOf<TBitBtn>, SetupBitBtn)

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
  FGlyph.OnChange = TNotifyEvent(this, &TBitBtn::GlyphChanged);
}

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  p.Style = (p.Style & ~(BS_DEFPUSHBUTTON | BS_PUSHBUTTON)) | BS_OWNERDRAW;
}

void TBitBtn::Changed() {
  Invalidate();
}

void TBitBtn::GlyphChanged(TObject*) {
  Changed();
}

void TBitBtn::SetGlyph(const TBitmap& v) {
  FGlyph.Assign(v);
}

void TBitBtn::SetNumGlyphs(int v) {
  v = std::clamp(v, 1, 4);
  if (v == FNumGlyphs) return;
  FNumGlyphs = v;
  Changed();
}

void TBitBtn::SetLayout(TButtonLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Changed();
}

void TBitBtn::SetMargin(int v) {
  if (v == FMargin || v < -1) return;
  FMargin = v;
  Changed();
}

void TBitBtn::SetSpacing(int v) {
  if (v == FSpacing || v < -1) return;
  FSpacing = v;
  Changed();
}

void TBitBtn::SetKind(TBitBtnKind v) {
  if (v == FKind) return;
  FKind = v;
  // Read from a stored description, caption and roles come as stored.
  if (v == bkCustom || HasState(csLoading)) return;
  SetCaption(KindCaption(v));
  SetDefault(v == bkOK || v == bkYes);
  SetCancel(v == bkCancel || v == bkNo);
}

void TBitBtn::SetImages(TCustomImageList* v) {
  if (v == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = v;
  if (v) v->FreeNotification(this);
  Changed();
}

void TBitBtn::SetImageIndex(int v) {
  if (v == FImageIndex) return;
  FImageIndex = v;
  Changed();
}

void TBitBtn::SetDisabledIndex(int v) {
  if (v == FDisabledIndex) return;
  FDisabledIndex = v;
  Changed();
}

void TBitBtn::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Changed();
}

void TBitBtn::Notification(TComponent* component, TOperation operation) {
  TButton::Notification(component, operation);
  if (operation == opRemove && component == FImages) FImages = nullptr;
}

void TBitBtn::WndProc(TMessage& msg) {
  if (msg.Msg == CN_DRAWITEM && msg.LParam) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam));
    msg.Result = 1;
    return;
  }
  // The owner-drawn button shows focus and the default frame itself.
  if (msg.Msg == WM_LBUTTONDBLCLK) msg.Msg = WM_LBUTTONDOWN;
  TButton::WndProc(msg);
}

// The face, glyph and caption are composed off-screen and copied once.
void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  const RECT r = item.rcItem;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  TOffscreen buffer(item.hDC, r);
  HDC dc = buffer ? buffer.Get() : item.hDC;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  const bool focused = item.itemState & ODS_FOCUS;
  RECT face = r;
  if (Default() || focused) {
    FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&face, -1, -1);
  }
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

  TSelection font(dc, Font().Handle());
  std::wstring text = Caption();
  SIZE glyph = GlyphSize(FGlyph, FNumGlyphs);
  const bool useImages = FGlyph.Empty() && FImages && FImageIndex >= 0;
  if (useImages) glyph = {FImages->Width(), FImages->Height()};
  RECT measure{0, 0, std::max<LONG>(w - 4 - glyph.cx, 0), h};
  SIZE textSize{0, 0};
  if (!text.empty()) {
    DrawTextW(dc, text.c_str(), -1, &measure, DT_CALCRECT | DT_WORDBREAK);
    textSize = {measure.right, measure.bottom};
  }
  const int margin = FAlignment == taCenter ? -1 : FMargin;
  TGlyphPlacement place = PlaceGlyph({w, h}, glyph, textSize, FLayout, margin, FSpacing);
  const int shift = pressed ? 1 : 0;
  const int x = r.left + place.Glyph.x + shift, y = r.top + place.Glyph.y + shift;
  if (useImages) {
    const int index = disabled && FDisabledIndex >= 0 ? FDisabledIndex : FImageIndex;
    FImages->Draw(dc, x, y, index, !disabled);
  } else {
    const int frame = disabled ? 2 : pressed ? 3 : 1;
    DrawGlyph(dc, x, y, FGlyph, FNumGlyphs, frame <= FNumGlyphs ? frame : 1, disabled);
  }
  RECT t = place.Text;
  OffsetRect(&t, r.left + shift, r.top + shift);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToCOLORREF(disabled ? clGrayText : Font().Color()));
  if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &t, place.TextFlags);
  if (focused) {
    RECT f = face;
    InflateRect(&f, -3, -3);
    DrawFocusRect(dc, &f);
  }
  if (buffer) buffer.Blit();
}
