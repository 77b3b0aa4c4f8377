#pragma once
// Fonts, brushes, pens, canvases and bitmaps: GDI objects made lazily from
// their settings, remade when a setting changes.

#include "core/Bitmap.h"
#include "core/Color.h"
#include "fw/Classes.h"
#include "fw/GdiHandles.h"
#include "fw/TypInfo.h"

#include <windows.h>

// Framework colour names (system colours carry 0x80000000 + index).
constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
constexpr TColor clWindow = SysColor(COLOR_WINDOW);
constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);
constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
constexpr TColor clMenu = SysColor(COLOR_MENU);
constexpr TColor clMenuText = SysColor(COLOR_MENUTEXT);
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clDefault = 0x20000000;

// Colour names of the stored description (clBtnFace, clBlue, ...).
const TIdentMap& ColorIdents();
const TIdentMap& CharsetIdents();

COLORREF ColorToCOLORREF(TColor c); // system colours resolved

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = unsigned; // bit n = TFontStyle n
extern const TEnumInfo FontStyleInfo;

// Pixels per inch of the screen the framework lays out for.
int ScreenPixelsPerInch();

class TGraphicsObject : public TPersistent {
  FW_DECLARE_CLASS(TGraphicsObject)
public:
  TNotifyEvent OnChange;

protected:
  void Changed();
};

class TFont : public TGraphicsObject {
  FW_DECLARE_CLASS(TFont)
public:
  TFont();
  void Assign(const TPersistent& source) override;

  const std::wstring& Name() const { return FName; }
  void SetName(const std::wstring& v);
  int Height() const { return FHeight; }
  void SetHeight(int v);
  int Size() const; // points
  void SetSize(int points);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles v);
  bool HasStyle(TFontStyle s) const { return (FStyle >> s) & 1; }
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  int Charset() const { return FCharset; }
  void SetCharset(int v);
  // The font, made on first use and remade after a change.
  HFONT Handle();
  // Takes the settings of a GDI font.
  void SetFromLogFont(const LOGFONTW& lf);
  bool SameAs(const TFont& other) const;

private:
  void Change();
  std::wstring FName = L"MS Sans Serif";
  int FHeight = -11;
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
  int FCharset = DEFAULT_CHARSET;
  TGdiFont FHandle;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
  FW_DECLARE_CLASS(TBrush)
public:
  void Assign(const TPersistent& source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle v);
  HBRUSH Handle(); // the hollow brush for bsClear

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TGdiBrush FHandle;
};

class TPen : public TGraphicsObject {
  FW_DECLARE_CLASS(TPen)
public:
  void Assign(const TPersistent& source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  int Width() const { return FWidth; }
  void SetWidth(int v);
  int Style() const { return FStyle; } // PS_SOLID, PS_NULL, ...
  void SetStyle(int v);
  HPEN Handle();

private:
  TColor FColor = clBlack;
  int FWidth = 1;
  int FStyle = PS_SOLID;
  TGdiPen FHandle;
};

// Drawing on a device context with the framework's font, brush and pen.
// The objects are selected when the canvas is given a DC and again after
// they change; everything selected is put back when the DC is taken away.
class TCanvas : public TPersistent {
  FW_DECLARE_CLASS(TCanvas)
public:
  TCanvas();
  ~TCanvas() override;
  HDC Handle() const { return FDC; }
  void SetHandle(HDC dc);
  TFont& Font() { return FFont; }
  TBrush& Brush() { return FBrush; }
  TPen& Pen() { return FPen; }

  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void Rectangle(const RECT& r);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void TextOutAt(int x, int y, const std::wstring& text);
  // DrawTextW with the canvas's font; returns the text height.
  int DrawTextRect(const std::wstring& text, RECT& r, UINT format);
  SIZE TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }

private:
  void SelectObjects();
  void DeselectObjects();
  void ObjectChanged(TObject* sender);
  HDC FDC = nullptr;
  TFont FFont;
  TBrush FBrush;
  TPen FPen;
  HGDIOBJ FOldFont = nullptr, FOldBrush = nullptr, FOldPen = nullptr;
};

// Gives a canvas a DC for one scope and takes it back when the scope ends,
// also when drawing throws, so the canvas never keeps a DC that is gone.
class TCanvasBinding {
public:
  TCanvasBinding(TCanvas& canvas, HDC dc) : FCanvas(canvas), FPrevious(canvas.Handle()) {
    canvas.SetHandle(dc);
  }
  ~TCanvasBinding() { FCanvas.SetHandle(FPrevious); }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

private:
  TCanvas& FCanvas;
  HDC FPrevious;
};

// A 32-bit device-independent bitmap with its own memory DC and canvas.
class TBitmap : public TGraphicsObject {
  FW_DECLARE_CLASS(TBitmap)
public:
  TBitmap();
  ~TBitmap() override;
  void Assign(const TPersistent& source) override;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth <= 0 || FHeight <= 0; }
  void SetSize(int width, int height);
  HBITMAP Handle() const { return FBitmap.Get(); }
  // A canvas on the bitmap (its own memory DC).
  TCanvas& Canvas();
  bool Transparent = false;
  TColor TransparentColor = clMagenta;

  void FromBitmap(const Bitmap& pixels);
  Bitmap ToBitmap() const;
  // A bitmap resource of the module (false when it is not there).
  bool LoadFromResourceName(HINSTANCE instance, const wchar_t* name);
  // The picture goes into stored descriptions as "Data", a BMP file.
  void DefineProperties(TFiler& filer) override;

private:
  void FreeCanvas();
  int FWidth = 0, FHeight = 0;
  std::uint32_t* FBits = nullptr;
  TGdiBitmap FBitmap;
  TMemoryDC FDC;
  HGDIOBJ FOldBitmap = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
};
