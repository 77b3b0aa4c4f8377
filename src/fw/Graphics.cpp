#include "fw/Graphics.h"

#include "core/Bmp.h"
#include "fw/FormStream.h"

#include <cstring>

const TEnumInfo FontStyleInfo{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};

const TIdentMap& ColorIdents() {
  static const TIdentMap map = {
      {"clBlack", 0x000000},
      {"clMaroon", 0x000080},
      {"clGreen", 0x008000},
      {"clOlive", 0x008080},
      {"clNavy", 0x800000},
      {"clPurple", 0x800080},
      {"clTeal", 0x808000},
      {"clGray", 0x808080},
      {"clSilver", 0xC0C0C0},
      {"clRed", 0x0000FF},
      {"clLime", 0x00FF00},
      {"clYellow", 0x00FFFF},
      {"clBlue", 0xFF0000},
      {"clFuchsia", 0xFF00FF},
      {"clAqua", 0xFFFF00},
      {"clWhite", 0xFFFFFF},
      {"clNone", 0x1FFFFFFF},
      {"clDefault", 0x20000000},
      {"clScrollBar", clScrollBar},
      {"clBackground", SysColor(COLOR_BACKGROUND)},
      {"clActiveCaption", SysColor(COLOR_ACTIVECAPTION)},
      {"clInactiveCaption", SysColor(COLOR_INACTIVECAPTION)},
      {"clMenu", clMenu},
      {"clWindow", clWindow},
      {"clWindowFrame", SysColor(COLOR_WINDOWFRAME)},
      {"clMenuText", clMenuText},
      {"clWindowText", clWindowText},
      {"clCaptionText", SysColor(COLOR_CAPTIONTEXT)},
      {"clActiveBorder", SysColor(COLOR_ACTIVEBORDER)},
      {"clInactiveBorder", SysColor(COLOR_INACTIVEBORDER)},
      {"clAppWorkSpace", SysColor(COLOR_APPWORKSPACE)},
      {"clHighlight", clHighlight},
      {"clHighlightText", clHighlightText},
      {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow},
      {"clGrayText", clGrayText},
      {"clBtnText", clBtnText},
      {"clInactiveCaptionText", SysColor(COLOR_INACTIVECAPTIONTEXT)},
      {"clBtnHighlight", clBtnHighlight},
      {"cl3DDkShadow", SysColor(COLOR_3DDKSHADOW)},
      {"cl3DLight", SysColor(COLOR_3DLIGHT)},
      {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk},
  };
  return map;
}

const TIdentMap& CharsetIdents() {
  static const TIdentMap map = {
      {"ANSI_CHARSET", ANSI_CHARSET},
      {"DEFAULT_CHARSET", DEFAULT_CHARSET},
      {"SYMBOL_CHARSET", SYMBOL_CHARSET},
      {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
      {"HANGEUL_CHARSET", HANGEUL_CHARSET},
      {"GB2312_CHARSET", GB2312_CHARSET},
      {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
      {"OEM_CHARSET", OEM_CHARSET},
      {"MAC_CHARSET", MAC_CHARSET},
      {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
  };
  return map;
}

COLORREF ColorToCOLORREF(TColor c) {
  return ColorToRGB(c);
}

int ScreenPixelsPerInch() {
  static int ppi = [] {
    HDC dc = GetDC(nullptr);
    int v = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return v > 0 ? v : 96;
  }();
  return ppi;
}

// ---------------------------------------------------------------------------

FW_CLASS_IMPL(TGraphicsObject, TPersistent, nullptr, NoSetup)

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

static void SetupFont(TClassInfo& c) {
  c.Props.push_back(IntProp<TFont>(
      "Charset", [](TFont* f) { return f->Charset(); },
      [](TFont* f, std::int64_t v) { f->SetCharset(static_cast<int>(v)); }, std::nullopt,
      &CharsetIdents()));
  c.Props.push_back(IntProp<TFont>(
      "Color", [](TFont* f) { return f->Color(); },
      [](TFont* f, std::int64_t v) { f->SetColor(static_cast<TColor>(v)); }, std::nullopt,
      &ColorIdents()));
  c.Props.push_back(IntProp<TFont>(
      "Height", [](TFont* f) { return f->Height(); },
      [](TFont* f, std::int64_t v) { f->SetHeight(static_cast<int>(v)); }));
  c.Props.push_back(StringProp<TFont>(
      "Name", [](TFont* f) { return f->Name(); },
      [](TFont* f, const std::wstring& v) { f->SetName(v); }));
  auto size = IntProp<TFont>(
      "Size", [](TFont* f) { return f->Size(); },
      [](TFont* f, std::int64_t v) { f->SetSize(static_cast<int>(v)); });
  size.Stored = [](TObject*) { return false; }; // the height is stored instead
  c.Props.push_back(size);
  auto style = SetPropOf<TFont>(
      "Style", FontStyleInfo, [](TFont* f) { return static_cast<std::uint64_t>(f->Style()); },
      [](TFont* f, std::uint64_t v) { f->SetStyle(static_cast<TFontStyles>(v)); });
  style.Stored = [](TObject*) { return true; };
  c.Props.push_back(style);
}
FW_CLASS_IMPL(TFont, TGraphicsObject, nullptr, SetupFont)

TFont::TFont() = default;

void TFont::Assign(const TPersistent& source) {
  const auto* f = As<TFont>(&source);
  if (!f) return TPersistent::Assign(source);
  FName = f->FName;
  FHeight = f->FHeight;
  FStyle = f->FStyle;
  FColor = f->FColor;
  FCharset = f->FCharset;
  Change();
}

bool TFont::SameAs(const TFont& o) const {
  return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
         FCharset == o.FCharset;
}

void TFont::Change() {
  FHandle.Reset();
  Changed();
}

void TFont::SetName(const std::wstring& v) {
  if (v.empty() || v == FName) return;
  FName = v;
  Change();
}

void TFont::SetHeight(int v) {
  if (v == FHeight) return;
  FHeight = v;
  Change();
}

int TFont::Size() const {
  return -MulDiv(FHeight, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetStyle(TFontStyles v) {
  if (v == FStyle) return;
  FStyle = v;
  Change();
}

void TFont::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Changed(); // the GDI font does not depend on the colour
}

void TFont::SetCharset(int v) {
  if (v == FCharset) return;
  FCharset = v;
  Change();
}

HFONT TFont::Handle() {
  if (!FHandle) {
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = HasStyle(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = HasStyle(fsItalic);
    lf.lfUnderline = HasStyle(fsUnderline);
    lf.lfStrikeOut = HasStyle(fsStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(FCharset);
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
    FHandle.Reset(CreateFontIndirectW(&lf));
  }
  return FHandle.Get();
}

void TFont::SetFromLogFont(const LOGFONTW& lf) {
  FName = lf.lfFaceName;
  FHeight = lf.lfHeight;
  FStyle = (lf.lfWeight >= FW_BOLD ? 1u << fsBold : 0) | (lf.lfItalic ? 1u << fsItalic : 0) |
           (lf.lfUnderline ? 1u << fsUnderline : 0) | (lf.lfStrikeOut ? 1u << fsStrikeOut : 0);
  FCharset = lf.lfCharSet;
  Change();
}

// ---------------------------------------------------------------------------

FW_CLASS_IMPL(TBrush, TGraphicsObject, nullptr, NoSetup)

void TBrush::Assign(const TPersistent& source) {
  const auto* b = As<TBrush>(&source);
  if (!b) return TPersistent::Assign(source);
  FColor = b->FColor;
  FStyle = b->FStyle;
  FHandle.Reset();
  Changed();
}

void TBrush::SetColor(TColor v) {
  if (v == FColor && FStyle == bsSolid) return;
  FColor = v;
  FStyle = bsSolid;
  FHandle.Reset();
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  FHandle.Reset();
  Changed();
}

HBRUSH TBrush::Handle() {
  if (FStyle == bsClear) return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
  if (!FHandle) FHandle.Reset(CreateSolidBrush(ColorToCOLORREF(FColor)));
  return FHandle.Get();
}

FW_CLASS_IMPL(TPen, TGraphicsObject, nullptr, NoSetup)

void TPen::Assign(const TPersistent& source) {
  const auto* p = As<TPen>(&source);
  if (!p) return TPersistent::Assign(source);
  FColor = p->FColor;
  FWidth = p->FWidth;
  FStyle = p->FStyle;
  FHandle.Reset();
  Changed();
}

void TPen::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  FHandle.Reset();
  Changed();
}

void TPen::SetWidth(int v) {
  if (v == FWidth) return;
  FWidth = v;
  FHandle.Reset();
  Changed();
}

void TPen::SetStyle(int v) {
  if (v == FStyle) return;
  FStyle = v;
  FHandle.Reset();
  Changed();
}

HPEN TPen::Handle() {
  if (!FHandle) FHandle.Reset(CreatePen(FStyle, FWidth, ColorToCOLORREF(FColor)));
  return FHandle.Get();
}

// ---------------------------------------------------------------------------

FW_CLASS_IMPL(TCanvas, TPersistent, nullptr, NoSetup)

TCanvas::TCanvas() {
  FFont.OnChange = TNotifyEvent(this, &TCanvas::ObjectChanged);
  FBrush.OnChange = TNotifyEvent(this, &TCanvas::ObjectChanged);
  FPen.OnChange = TNotifyEvent(this, &TCanvas::ObjectChanged);
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == FDC) return;
  DeselectObjects();
  FDC = dc;
  SelectObjects();
}

void TCanvas::SelectObjects() {
  if (!FDC) return;
  HGDIOBJ f = SelectObject(FDC, FFont.Handle());
  HGDIOBJ b = SelectObject(FDC, FBrush.Handle());
  HGDIOBJ p = SelectObject(FDC, FPen.Handle());
  // Only the first selection since the DC was given is the one to restore.
  if (!FOldFont) FOldFont = f;
  if (!FOldBrush) FOldBrush = b;
  if (!FOldPen) FOldPen = p;
  SetTextColor(FDC, ColorToCOLORREF(FFont.Color()));
  SetBkColor(FDC, ColorToCOLORREF(FBrush.Color()));
  SetBkMode(FDC, FBrush.Style() == bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::DeselectObjects() {
  if (!FDC) return;
  if (FOldFont) SelectObject(FDC, FOldFont);
  if (FOldBrush) SelectObject(FDC, FOldBrush);
  if (FOldPen) SelectObject(FDC, FOldPen);
  FOldFont = FOldBrush = FOldPen = nullptr;
}

void TCanvas::ObjectChanged(TObject*) {
  // The old GDI object is deleted by its owner after this returns, so the
  // new one is selected first.
  SelectObjects();
}

void TCanvas::FillRect(const RECT& r) {
  if (FDC && FBrush.Style() != bsClear) ::FillRect(FDC, &r, FBrush.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
  if (FDC) ::FrameRect(FDC, &r, FBrush.Handle());
}

void TCanvas::Rectangle(const RECT& r) {
  if (FDC) ::Rectangle(FDC, r.left, r.top, r.right, r.bottom);
}

void TCanvas::MoveTo(int x, int y) {
  if (FDC) MoveToEx(FDC, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  if (FDC) ::LineTo(FDC, x, y);
}

void TCanvas::TextOutAt(int x, int y, const std::wstring& text) {
  if (FDC) TextOutW(FDC, x, y, text.c_str(), static_cast<int>(text.size()));
}

int TCanvas::DrawTextRect(const std::wstring& text, RECT& r, UINT format) {
  if (!FDC) return 0;
  return DrawTextW(FDC, text.c_str(), static_cast<int>(text.size()), &r, format);
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
  SIZE s{0, 0};
  if (FDC) GetTextExtentPoint32W(FDC, text.c_str(), static_cast<int>(text.size()), &s);
  return s;
}

// ---------------------------------------------------------------------------

FW_CLASS_IMPL(TBitmap, TGraphicsObject, nullptr, NoSetup)

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FreeCanvas();
}

void TBitmap::FreeCanvas() {
  if (FCanvas) FCanvas->SetHandle(nullptr);
  if (FDC && FOldBitmap) SelectObject(FDC.Get(), FOldBitmap);
  FOldBitmap = nullptr;
  FCanvas.reset();
  FDC.Reset();
}

void TBitmap::SetSize(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width == FWidth && height == FHeight && (FBitmap || width * height == 0)) return;
  FreeCanvas();
  FBitmap.Reset();
  FBits = nullptr;
  FWidth = width;
  FHeight = height;
  if (width > 0 && height > 0) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down, like the core bitmap
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FBitmap.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    FBits = static_cast<std::uint32_t*>(bits);
    if (FBits) std::memset(FBits, 0, static_cast<std::size_t>(width) * height * 4);
  }
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TCanvas>();
    FDC = TMemoryDC(nullptr);
    if (FBitmap) FOldBitmap = SelectObject(FDC.Get(), FBitmap.Get());
    FCanvas->SetHandle(FDC.Get());
  }
  return *FCanvas;
}

void TBitmap::Assign(const TPersistent& source) {
  const auto* b = As<TBitmap>(&source);
  if (!b) return TPersistent::Assign(source);
  FromBitmap(b->ToBitmap());
  Transparent = b->Transparent;
  TransparentColor = b->TransparentColor;
}

void TBitmap::FromBitmap(const Bitmap& pixels) {
  SetSize(pixels.Width(), pixels.Height());
  if (FCanvas) GdiFlush();
  if (FBits && !pixels.Empty())
    std::memcpy(FBits, pixels.Pixels().data(), pixels.Pixels().size() * 4);
  Changed();
}

void TBitmap::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "Data",
      [this](const std::vector<std::uint8_t>& data) {
        // A picture that cannot be read leaves the bitmap empty.
        Bitmap pixels;
        if (!ReadBmp(data, pixels)) pixels.Clear();
        FromBitmap(pixels);
      },
      [this] { return WriteBmp(ToBitmap()); }, !Empty());
}

Bitmap TBitmap::ToBitmap() const {
  Bitmap out(FWidth, FHeight);
  if (FBits && !out.Empty()) {
    GdiFlush();
    for (std::size_t i = 0; i < out.Pixels().size(); ++i)
      out.Pixels()[i] = FBits[i] & 0xFFFFFF;
  }
  return out;
}

bool TBitmap::LoadFromResourceName(HINSTANCE instance, const wchar_t* name) {
  HBITMAP loaded =
      static_cast<HBITMAP>(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!loaded) return false;
  TGdiBitmap owner(loaded);
  BITMAP info{};
  GetObjectW(loaded, sizeof info, &info);
  SetSize(info.bmWidth, std::abs(info.bmHeight));
  TMemoryDC src(nullptr);
  TSelection sel(src.Get(), loaded);
  TCanvas& c = Canvas();
  BitBlt(c.Handle(), 0, 0, FWidth, FHeight, src.Get(), 0, 0, SRCCOPY);
  GdiFlush();
  return true;
}
