// Tool bars drawn from the skin: the "Buttons" strip behind each button and
// the "Toolbar" picture behind the whole bar. The bar itself draws the
// buttons' images and captions on top.
#include "skin/data/ElementDraw.h"
#include "skin/form/WinSkinForm.h"

namespace {

constexpr TColor kColourNotGiven = static_cast<TColor>(-1);
constexpr int kButtonFrames = 5;

// The frame of the "Buttons" strip for a button state and the caption
// colour the skin gives that frame; frame 0 when the skin has none for it.
struct TButtonFrame {
  int Frame = 0;
  TColor Colour = kColourNotGiven;
};

TButtonFrame FrameForState(TCustomDrawState state, const TDataSkinObject& e) {
  if (state & cdsSelected) return {2, e.PressedColour};
  if (state & (cdsFocused | cdsHot)) return {4, e.MouseOverColour};
  if (state & (cdsGrayed | cdsDisabled)) return {};
  if (state & cdsDefault) return {1, e.NormalColour};
  return {};
}

} // namespace

// The skin draws a button face only for the states it has a frame for, and
// then switches the bar's own face off, which would otherwise be drawn over
// the skin's. For every other state (a checked or a disabled button) the
// bar draws its face alone, so such buttons still look checked.
void TWinSkinForm::DrawToolButton(TToolBar* sender, TToolButton* button, unsigned state,
                                  bool& defaultDraw) {
  if (!sender || !button || !SkinData || EngineState != 1) return;
  if (SkinData->HasOption(xoToolbarButton)) return;
  const TDataSkinButton& element = SkinData->Skin().Buttons();
  if (element.Image.Empty()) return;
  const TButtonFrame chosen = FrameForState(state, element);
  HDC dc = sender->Canvas().Handle();
  if (chosen.Frame == 0 || !dc) return;
  if (chosen.Colour != kColourNotGiven) sender->Canvas().Font().SetColor(chosen.Colour);
  RECT r = button->BoundsRect();
  InflateRect(&r, -1, -1);
  // The centre is always stretched here, whatever the element's tile flag.
  DrawNineSlice(dc, r, element.Image, false, false, element.Transparent(), kButtonFrames,
                chosen.Frame, element.Margins());
  defaultDraw = false;
}

// The "Toolbar" picture covers the whole bar, so the bar's own face fill
// is switched off when it was drawn.
void TWinSkinForm::DrawToolBarBackground(TToolBar* sender, const RECT& rect, bool& defaultDraw) {
  if (!sender || !SkinData || SkinData->HasOption(xoToolbarBK)) return;
  const TDataSkinObject* element = SkinData->Skin().Element(ssToolbar);
  const TGdiImage* image = element ? ElementGdiImage(*element) : nullptr;
  HDC dc = sender->Canvas().Handle();
  if (!image || !image->DC() || !dc) return;
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, image->DC(),
             0, 0, image->Width(), image->Height(), SRCCOPY);
  if (oldMode) SetStretchBltMode(dc, oldMode);
  defaultDraw = false;
}
