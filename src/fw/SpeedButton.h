#pragma once
// The speed button: a windowless tool button with a glyph and a caption.
// A flat one shows its face only while the mouse is over it or it is down;
// buttons of one GroupIndex above 0 stay down one at a time.

#include "fw/ButtonGlyph.h"
#include "fw/Controls.h"

class TSpeedButton : public TGraphicControl {
  FW_DECLARE_CLASS(TSpeedButton)
public:
  explicit TSpeedButton(TComponent* owner);
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  bool Down() const { return FDown; }
  void SetDown(bool v);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int v);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool v) { FAllowAllUp = v; }
  TBitmap& Glyph() { return FGlyph; }
  void SetGlyph(const TBitmap& v) { FGlyph.Assign(v); }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int v);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout v);
  int Margin() const { return FMargin; }
  void SetMargin(int v);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  // The mouse is over the button / the left button is held on it.
  bool Hot() const { return FHot; }
  bool Pressed() const { return FPressed; }

  void WndProc(TMessage& msg) override;
  void Click() override;
  void Loaded() override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

private:
  void GlyphChanged(TObject*) { Invalidate(); }
  void UpdateExclusive();
  bool FFlat = false;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  TBitmap FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FTransparent = true;
  bool FHot = false;
  bool FPressed = false;
  bool FDragging = false;
};
