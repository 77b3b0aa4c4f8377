#pragma once
// Push buttons drawn from the skin's "Buttons" element: plain buttons (also
// the bare buttons of system dialogs), bit buttons with a glyph or an
// image-list image, menu buttons with a drop-down arrow, and windowless
// speed buttons. Each composes in an off-screen bitmap of the button's size
// and copies it in one step.

#include "skin/controls/SkinControl.h"

class TSkinButton : public TSkinControl {
  FW_DECLARE_CLASS(TSkinButton)
public:
  explicit TSkinButton(TComponent* owner);
  TBitmap Buffer;
  bool Transparent = false;

  void Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) override;
  bool BeforeMessage(TMessage& msg) override;
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;

  // The "Buttons" frame for the current state: 3 disabled, 2 down, 4 hot,
  // 5 focused or default, else 1.
  virtual int FrameIndex();
  const TDataSkinButton* ButtonsElement() const;

protected:
  // State read off the window and the control before a paint.
  void ReadState();
  // Frame, background, element frame and font in Buffer; false when the
  // skin has no button picture.
  bool PrepareBuffer(const RECT& rect, int frame);
  void ApplyCaptionColor(HDC dc, int frame, bool normalAlways = true);
  void DrawButtonCaption(TCanvas& canvas, const RECT& rect, UINT align);
  void CopyBuffer(HDC dc, const RECT& rect);
  void Clicked();
  bool IsDefault = false;

private:
  // The window's caption and a bare window's font as last read, and the
  // change counts they were read at.
  std::wstring Caption;
  unsigned CaptionChanges = 0;
  bool CaptionKnown = false;
  TFont WindowFont;
  unsigned WindowFontChanges = 0;
  bool WindowFontKnown = false;
};

class TSkinBitButton : public TSkinButton {
  FW_DECLARE_CLASS(TSkinBitButton)
public:
  using TSkinButton::TSkinButton;
  // A published graphic property to draw as the glyph ("PngImage"); empty:
  // the Glyph or the image list.
  std::string GlyphProperty;
  void Paint(HDC dc, const RECT& rect) override;

protected:
  // Glyph and caption laid out and drawn into the buffer of size c.
  void DrawGlyphAndCaption(TCanvas& canvas, SIZE c, int frame, bool defaultsAlignment);
};

class TSkinMenuButton : public TSkinButton {
  FW_DECLARE_CLASS(TSkinMenuButton)
public:
  using TSkinButton::TSkinButton;
  int FrameIndex() override;
  void Paint(HDC dc, const RECT& rect) override;
};

class TSkinSpeedButton : public TSkinBitButton {
  FW_DECLARE_CLASS(TSkinSpeedButton)
public:
  using TSkinBitButton::TSkinBitButton;
  bool Painting = false;
  // Attaches to the windowless speed button that owns this painter.
  void AttachGraphic(TWinSkinForm* engine, TSkinData* skin, TCanvas* canvas);
  bool BeforeMessage(TMessage& msg) override;
  void AfterMessage(TMessage& msg) override;
  void PaintWindow(HDC dc) override;
  void DrawSpeedButton(HDC dc, const RECT& rect);
};

// The caption with its first "||" made a line break.
std::wstring ButtonCaptionText(const std::wstring& text);
