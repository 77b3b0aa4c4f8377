#include "skin/controls/ButtonPainters.h"

#include "fw/BitBtn.h"
#include "fw/ButtonGlyph.h"
#include "skin/data/ElementDraw.h"
#include "skin/data/ParentBackground.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>
#include <cctype>

FW_CLASS_IMPL(TSkinButton, TSkinControl, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinBitButton, TSkinButton, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinMenuButton, TSkinButton, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinSpeedButton, TSkinBitButton, nullptr, NoSetup)

namespace {

constexpr unsigned kHot = 1, kDown = 2;
constexpr TColor kDisabledText = 0x80000010; // the system's button shadow

std::string LowerName(const TObject* o) {
  std::string s = o ? o->ClassName() : std::string();
  for (auto& c : s)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

} // namespace

std::wstring ButtonCaptionText(const std::wstring& text) {
  std::wstring s = text;
  if (auto at = s.find(L"||"); at != std::wstring::npos) s.replace(at, 2, L"\r\n");
  return s;
}

// --- Plain buttons -----------------------------------------------------------------------

TSkinButton::TSkinButton(TComponent* owner) : TSkinControl(owner) {}

const TDataSkinButton* TSkinButton::ButtonsElement() const {
  return SkinData ? &SkinData->Skin().Buttons() : nullptr;
}

void TSkinButton::Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) {
  TSkinControl::Attach(engine, skin, recolor, canvas);
  const std::string name = LowerName(Control);
  Mode = name.rfind("trz", 0) == 0 || name.rfind("tel", 0) == 0 ? 1 : 0;
  const TControl* c = Control ? Control : GraphicControl;
  Transparent = (c && c->Tag() == 5555) || (skin && skin->HasOption(xoTransparent));
}

bool TSkinButton::BeforeMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_PAINT: HandlePaint(msg); return false;
  case WM_ERASEBKGND: msg.Result = 1; return false;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    // The button's own handling never sees the press: the painter shows it
    // and clicks on release.
    if (GetFocus() != Handle) SetFocus(Handle);
    MouseState |= kDown;
    PaintWindow(nullptr);
    if (Mode == 0 && Control) ForwardMouseDown(msg);
    return false;
  default: return TSkinControl::BeforeMessage(msg);
  }
}

void TSkinButton::Clicked() {
  if (Control) {
    // The program's click handler: its errors are the program's to show.
    try {
      Control->Click();
    } catch (const std::exception& e) {
      HandleWndProcException(e);
    }
    return;
  }
  wchar_t cls[64] = {};
  GetClassNameW(Handle, cls, 64);
  const bool frameworkButton = _wcsicmp(cls, L"tbutton") == 0;
  const WPARAM id = frameworkButton ? 0 : static_cast<WPARAM>(GetDlgCtrlID(Handle));
  PostMessageW(GetParent(Handle), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(Handle));
}

void TSkinButton::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_SETTEXT: PaintWindow(nullptr); break;
  case WM_KEYDOWN:
    if (msg.WParam == VK_SPACE) {
      MouseState |= kDown;
      Refresh();
    }
    break;
  case WM_KEYUP:
    if (msg.WParam == VK_SPACE) {
      MouseState &= ~kDown;
      Refresh();
    }
    break;
  case WM_MOUSEMOVE:
    if (Enabled && !(MouseState & kHot)) {
      MouseState |= kHot;
      Refresh();
    }
    SkinTrackMouseLeave(Handle);
    break;
  case WM_LBUTTONUP:
    if (MouseState & kDown) {
      MouseState &= ~kDown;
      Refresh();
      Clicked();
    }
    break;
  case WM_MOUSELEAVE:
    MouseState &= ~(kHot | kDown);
    Refresh();
    break;
  case CM_DIALOGKEY:
  case CM_FOCUSCHANGED: Refresh(); break;
  default: TSkinControl::AfterMessage(msg);
  }
}

// Asking the window for its focus or its text is a round trip to the
// window server that costs several times the whole picture, so both are
// followed from the window's own messages and the text is read again only
// after it changed.
void TSkinButton::ReadState() {
  if (Handle) {
    Focused = HasFocus();
    Enabled = !(GetStyle(Handle, GWL_STYLE) & WS_DISABLED);
  } else if (GraphicControl) {
    Enabled = GraphicControl->Enabled();
  }
  IsDefault = BoolProperty("Default");
  if (GraphicControl) {
    Text = GraphicControl->Caption();
    return;
  }
  if (!CaptionKnown || CaptionChanges != TextChanges()) {
    CaptionChanges = TextChanges();
    if (Control)
      Caption = Control->Caption();
    else if (Handle)
      Caption = ReadWindowText(Handle);
    CaptionKnown = true;
  }
  Text = Caption;
}

int TSkinButton::FrameIndex() {
  if (!Enabled) return 3;
  if (MouseState & kDown) return 2;
  if (MouseState & kHot) return 4;
  if (Focused || IsDefault) return 5;
  return 1;
}

bool TSkinButton::PrepareBuffer(const RECT& rect, int frame) {
  const TDataSkinButton* e = ButtonsElement();
  if (!e || e->BitmapStrip().Empty()) return false;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return false;
  Buffer.SetSize(w, h);
  if (Buffer.Empty()) return false;
  TCanvas& c = Buffer.Canvas();
  const RECT r{0, 0, w, h};
  TControl* self = Control ? Control : GraphicControl;
  if (Transparent && self)
    PaintParentBackground(self, c.Handle());
  else
    FillFace(c.Handle(), r);
  DrawElementState(c.Handle(), r, frame, *e);
  // Making a GDI font costs more than the whole picture: the buffer's font
  // is set again only when it differs from the control's (a resized buffer
  // starts with a fresh canvas, so it is compared, not remembered).
  if (self) {
    if (!c.Font().SameAs(self->Font())) c.Font().Assign(self->Font());
  } else if (Handle) {
    if (!WindowFontKnown || WindowFontChanges != FontChanges()) {
      WindowFontChanges = FontChanges();
      WindowFontKnown = true;
      auto font = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0));
      LOGFONTW lf{};
      if (font && GetObjectW(font, sizeof lf, &lf)) WindowFont.SetFromLogFont(lf);
    }
    WindowFont.SetColor(SkinData->Skin().Colors[scButtonText]);
    if (!c.Font().SameAs(WindowFont)) c.Font().Assign(WindowFont);
  }
  return true;
}

void TSkinButton::ApplyCaptionColor(HDC dc, int frame, bool normalAlways) {
  const TDataSkinButton& e = *ButtonsElement();
  TColor color = static_cast<TColor>(-1);
  if (e.NormalColour2Given && (normalAlways || frame == 1)) color = e.NormalColour2;
  if (frame == 4 && e.MouseOverColour2Given) color = e.MouseOverColour2;
  if (frame == 2 && e.PressedColour2Given) color = e.PressedColour2;
  if (!Enabled) color = kDisabledText;
  if (color != static_cast<TColor>(-1)) SetTextColor(dc, ColorToCOLORREF(color));
}

void TSkinButton::DrawButtonCaption(TCanvas& canvas, const RECT& rect, UINT align) {
  HDC dc = canvas.Handle();
  Text = ButtonCaptionText(Text);
  RECT t = rect;
  InflateRect(&t, -2, -2);
  DrawWideText(dc, Text, t, align | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
  OffsetRect(&t, -t.left, -t.top);
  const int dy = ((rect.bottom - rect.top) - (t.bottom - t.top)) / 2 - 1;
  if (align == DT_CENTER) {
    OffsetRect(&t, rect.left + ((rect.right - rect.left) - (t.right - t.left)) / 2, rect.top + dy);
  } else {
    OffsetRect(&t, 0, rect.top + dy);
    t.left = rect.left;
    t.right = rect.right;
  }
  SetBkMode(dc, TRANSPARENT);
  DrawWideText(dc, Text, t, TextFlags(align | DT_EXPANDTABS | DT_WORDBREAK));
  if (Focused && !SkinData->HasOption(xoNoFocusRect)) {
    InflateRect(&t, 2, 2);
    DrawFocusRect(dc, &t);
  }
}

void TSkinButton::CopyBuffer(HDC dc, const RECT& rect) {
  BitBlt(dc, rect.left, rect.top, Buffer.Width(), Buffer.Height(), Buffer.Canvas().Handle(), 0, 0,
         SRCCOPY);
}

void TSkinButton::Paint(HDC dc, const RECT& rect) {
  ReadState();
  const int frame = FrameIndex();
  if (!PrepareBuffer(rect, frame)) return;
  TCanvas& c = Buffer.Canvas();
  SetTextColor(c.Handle(), ColorToCOLORREF(c.Font().Color()));
  ApplyCaptionColor(c.Handle(), frame);
  DrawButtonCaption(c, {0, 0, Buffer.Width(), Buffer.Height()}, DT_CENTER);
  CopyBuffer(dc, rect);
}

// --- Bit buttons -------------------------------------------------------------------------

namespace {

TButtonLayout LayoutOf(const std::string& name) {
  std::string lower = name;
  for (auto& c : lower)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "blglyphright") return blGlyphRight;
  if (lower == "blglyphtop") return blGlyphTop;
  if (lower == "blglyphbottom") return blGlyphBottom;
  return blGlyphLeft;
}

} // namespace

void TSkinBitButton::DrawGlyphAndCaption(TCanvas& canvas, SIZE c, int frame,
                                         bool defaultsAlignment) {
  HDC dc = canvas.Handle();
  const int glyphFrame = frame == 2 ? 3 : frame == 3 ? 2 : 1;
  auto* glyph = As<TBitmap>(ObjectProperty("Glyph"));
  auto* images = As<TCustomImageList>(ObjectProperty("Images"));
  int numGlyphs = std::max(IntProperty("NumGlyphs"), 1);
  const int imageIndex = IntProperty("ImageIndex");
  const int disabledIndex = IntProperty("DisabledIndex");
  int margin = IntProperty("Margin"), spacing = IntProperty("Spacing");
  const TButtonLayout layout = LayoutOf(EnumProperty("Layout"));
  if (defaultsAlignment && EnumProperty("Alignment") == "taCenter") margin = -1;

  SIZE g{0, 0};
  const bool hasGlyph = glyph && !glyph->Empty();
  if (hasGlyph)
    g = GlyphSize(*glyph, numGlyphs);
  else if (images && imageIndex != -1)
    g = {images->Width(), images->Height()};

  Text = ButtonCaptionText(Text);
  SIZE s{0, 0};
  if (!Text.empty()) {
    RECT m{2, 2, c.cx - 2, c.cy - 2};
    if (layout == blGlyphLeft || layout == blGlyphRight)
      m.right -= g.cx + 2;
    else
      m.bottom -= g.cy + 2;
    DrawWideText(dc, Text, m, DT_CALCRECT | DT_WORDBREAK);
    s = {m.right - m.left, m.bottom - m.top};
  }
  const TGlyphPlacement place = PlaceGlyph(c, g, s, layout, margin, spacing);
  if (hasGlyph) {
    DrawGlyph(dc, place.Glyph.x, place.Glyph.y, *glyph, numGlyphs,
              glyphFrame <= numGlyphs ? glyphFrame : 1, !Enabled);
  } else if (images && imageIndex != -1) {
    const int index = Enabled || disabledIndex == -1 ? imageIndex : disabledIndex;
    images->Draw(dc, place.Glyph.x, place.Glyph.y, index, Enabled);
  }
  ApplyCaptionColor(dc, frame);
  if (!Text.empty()) {
    RECT t = place.Text;
    SetBkMode(dc, TRANSPARENT);
    DrawWideText(dc, Text, t, TextFlags(place.TextFlags));
    if (Focused && !SkinData->HasOption(xoNoFocusRect)) {
      InflateRect(&t, 2, 2);
      DrawFocusRect(dc, &t);
    }
  }
}

void TSkinBitButton::Paint(HDC dc, const RECT& rect) {
  if (GraphicControl && !GraphicControl->Visible()) return;
  ReadState();
  if (!GlyphProperty.empty()) IsDefault = false; // the image-property variant ignores Default
  const int frame = FrameIndex();
  if (!PrepareBuffer(rect, frame)) return;
  TCanvas& c = Buffer.Canvas();
  SetTextColor(c.Handle(), ColorToCOLORREF(c.Font().Color()));
  DrawGlyphAndCaption(c, {Buffer.Width(), Buffer.Height()}, frame, true);
  CopyBuffer(dc, rect);
}

// --- Menu buttons ------------------------------------------------------------------------

int TSkinMenuButton::FrameIndex() {
  if (!Enabled) return 3;
  if (MouseState & kDown) return 2;
  if (MouseState & kHot) return 4;
  if (Focused) return 4;
  return 1;
}

void TSkinMenuButton::Paint(HDC dc, const RECT& rect) {
  ReadState();
  const int frame = FrameIndex();
  if (!PrepareBuffer(rect, frame)) return;
  TCanvas& canvas = Buffer.Canvas();
  HDC b = canvas.Handle();
  const SIZE c{Buffer.Width(), Buffer.Height()};
  auto* glyph = As<TBitmap>(ObjectProperty("Glyph"));
  const SIZE g = glyph && !glyph->Empty() ? SIZE{glyph->Width(), glyph->Height()} : SIZE{0, 0};
  const SIZE a{8, 3};
  Text = ButtonCaptionText(Text);
  SIZE s{0, 0};
  if (!Text.empty()) {
    RECT m{2, 2, c.cx - g.cx - a.cx - 2, c.cy - 2};
    DrawWideText(b, Text, m, DT_CALCRECT | DT_WORDBREAK);
    s = {m.right - m.left, m.bottom - m.top};
  }
  int margin = IntProperty("Margin"), spacing = IntProperty("Spacing");
  if (margin == -1 && spacing == -1) {
    margin = (c.cx - g.cx - s.cx - a.cx) / 4;
    spacing = margin;
  } else if (margin == -1) {
    margin = (c.cx - g.cx - s.cx - 2 * spacing - a.cx) / 2;
  } else if (spacing == -1) {
    spacing = ((c.cx + a.cx - 2 * margin - g.cx) - s.cx) / 2;
  }
  if (glyph && !glyph->Empty()) DrawGlyph(b, margin, (c.cy - g.cy) / 2, *glyph, 1, 1, !Enabled);
  const int tx = margin + g.cx + spacing, ty = (c.cy - s.cy + 1) / 2;
  SetTextColor(b, ColorToCOLORREF(canvas.Font().Color()));
  ApplyCaptionColor(b, frame, false);
  if (!Text.empty()) {
    RECT t{tx, ty, tx + s.cx, ty + s.cy};
    SetBkMode(b, TRANSPARENT);
    DrawWideText(b, Text, t, TextFlags(DT_WORDBREAK));
    if (Focused && !SkinData->HasOption(xoNoFocusRect)) {
      InflateRect(&t, 2, 2);
      DrawFocusRect(b, &t);
    }
  }
  // The drop-down arrow after the caption.
  const int ax = tx + 2 * spacing + s.cx, ay = (c.cy - 3) / 2;
  const COLORREF arrow = ColorToCOLORREF(Enabled ? TColor(0x80000008) : kDisabledText);
  TGdiBrush brush(CreateSolidBrush(arrow));
  TGdiPen pen(CreatePen(PS_SOLID, 1, arrow));
  TSelection sb(b, brush.Get()), sp(b, pen.Get());
  const POINT pts[] = {{ax, ay + 2}, {ax - 3, ay - 1}, {ax + 3, ay - 1}};
  Polygon(b, pts, 3);
  CopyBuffer(dc, rect);
}

// --- Speed buttons ---------------------------------------------------------------------

void TSkinSpeedButton::AttachGraphic(TWinSkinForm* engine, TSkinData* skin, TCanvas* canvas) {
  if (Attached) return;
  auto* button = As<TControl>(Owner());
  if (!button) return;
  SkinData = skin;
  Canvas = canvas;
  FormEngine = engine;
  GraphicControl = button;
  button->FreeNotification(this);
  OldWindowProc.Install(button,
                        TWndMethod(static_cast<TSkinControl*>(this), &TSkinControl::WndProc));
  if (engine) engine->RegisterPainter(this);
  Attached = true;
  Status = 1;
  Transparent = button->Tag() == 5555 || (skin && skin->HasOption(xoTransparent));
  button->Invalidate();
}

bool TSkinSpeedButton::BeforeMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_PAINT:
    if (msg.WParam && GraphicControl) {
      DrawSpeedButton(reinterpret_cast<HDC>(msg.WParam), GraphicControl->ClientRect());
      msg.Result = 1;
      return false;
    }
    return true;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    CallDefault(msg);
    MouseState |= kDown;
    PaintWindow(nullptr);
    return false;
  case WM_LBUTTONUP: return true;
  default: return TSkinButton::BeforeMessage(msg);
  }
}

void TSkinSpeedButton::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_ENABLE:
  case CM_FOCUSCHANGED:
  case CM_ENABLEDCHANGED: break;
  case WM_NCDESTROY:
  case CM_RELEASE: OldWindowProc.Remove(); break;
  case WM_KEYDOWN:
    if (msg.WParam == VK_SPACE) {
      MouseState |= kDown;
      PaintWindow(nullptr);
    }
    break;
  case WM_KEYUP:
    if (msg.WParam != VK_SPACE) break;
    [[fallthrough]];
  case WM_LBUTTONUP:
    MouseState &= ~kDown;
    PaintWindow(nullptr);
    break;
  case CM_MOUSEENTER:
    MouseState |= kHot;
    PaintWindow(nullptr);
    break;
  case CM_MOUSELEAVE:
    MouseState &= ~(kHot | kDown);
    if (GraphicControl && GraphicControl->Visible()) PaintWindow(nullptr);
    break;
  default: TSkinButton::AfterMessage(msg);
  }
}

// A windowless button draws on its parent's window, at its own place.
void TSkinSpeedButton::PaintWindow(HDC) {
  TControl* b = GraphicControl;
  if (!b || !b->Parent() || !b->Parent()->HandleAllocated() || !b->Visible()) return;
  HWND parent = b->Parent()->WindowHandle();
  TWindowDC dc = TWindowDC::Client(parent);
  if (!dc) return;
  TSavedDC saved(dc.Get());
  SetViewportOrgEx(dc.Get(), b->Left(), b->Top(), nullptr);
  IntersectClipRect(dc.Get(), 0, 0, b->Width(), b->Height());
  DrawSpeedButton(dc.Get(), b->ClientRect());
}

void TSkinSpeedButton::DrawSpeedButton(HDC dc, const RECT& rect) {
  TControl* b = GraphicControl;
  const TDataSkinButton* e = ButtonsElement();
  if (!b || !e || e->BitmapStrip().Empty() || !b->Visible() || Painting) return;
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  Painting = true;
  struct TGuard {
    bool& Flag;
    ~TGuard() { Flag = false; }
  } guard{Painting};
  const int f = (MouseState & kDown) ? 2 : (MouseState & kHot) ? 4 : 1;
  const bool down = BoolProperty("Down");
  Enabled = b->Enabled();
  const int state = down ? 2 : Enabled ? f : 3;
  Text = b->Caption();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  Buffer.SetSize(w, h);
  if (Buffer.Empty()) return;
  TCanvas& canvas = Buffer.Canvas();
  HDC buf = canvas.Handle();
  const RECT r{0, 0, w, h};
  if (!canvas.Font().SameAs(b->Font())) canvas.Font().Assign(b->Font());
  if (Transparent)
    PaintParentBackground(b, buf);
  else
    FillFace(buf, r);
  if (state == 2 || state == 4 || !BoolProperty("Flat")) DrawElementState(buf, r, state, *e);
  SetTextColor(buf, ColorToCOLORREF(canvas.Font().Color()));
  auto* glyph = As<TBitmap>(ObjectProperty("Glyph"));
  if (glyph && glyph->Width() > 0 && glyph->Height() > 0) {
    Focused = false; // speed buttons show no focus
    const int glyphFrame = down ? 4 : state == 2 ? 3 : state == 3 ? 2 : 1;
    const int numGlyphs = std::max(IntProperty("NumGlyphs"), 1);
    int margin = IntProperty("Margin"), spacing = IntProperty("Spacing");
    const TButtonLayout layout = LayoutOf(EnumProperty("Layout"));
    const SIZE g = GlyphSize(*glyph, numGlyphs);
    Text = ButtonCaptionText(Text);
    SIZE s{0, 0};
    if (!Text.empty()) {
      RECT m{2, 2, w - 2, h - 2};
      if (layout == blGlyphLeft || layout == blGlyphRight)
        m.right -= g.cx + 2;
      else
        m.bottom -= g.cy + 2;
      DrawWideText(buf, Text, m, DT_CALCRECT | DT_WORDBREAK);
      s = {m.right - m.left, m.bottom - m.top};
    }
    TGlyphPlacement place;
    if (margin == -1 && spacing != -1) {
      const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
      const int axis = horizontal ? w - g.cx - spacing - s.cx : h - g.cy - spacing - s.cy;
      place = PlaceGlyph({w, h}, g, s, layout, axis / 2 + 1, spacing);
    } else {
      place = PlaceGlyph({w, h}, g, s, layout, margin, spacing);
    }
    DrawGlyph(buf, place.Glyph.x, place.Glyph.y, *glyph, numGlyphs,
              glyphFrame <= numGlyphs ? glyphFrame : 1, !Enabled);
    ApplyCaptionColor(buf, state, false);
    if (!Text.empty()) {
      RECT t = place.Text;
      SetBkMode(buf, TRANSPARENT);
      DrawWideText(buf, Text, t, TextFlags(place.TextFlags));
    }
  } else {
    ApplyCaptionColor(buf, state);
    Focused = false;
    DrawButtonCaption(canvas, r, DT_CENTER);
  }
  BitBlt(dc, rect.left, rect.top, w, h, buf, 0, 0, SRCCOPY);
}
