#pragma once
// The bit button: a push button with a glyph (a strip of up to four frames:
// up, disabled, pressed, down) or an image-list image beside its caption.
// The framework draws it (owner-drawn), off-screen and in one blit.

#include "fw/Button.h"
#include "fw/ButtonGlyph.h"
#include "fw/ImgList.h"

enum TBitBtnKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};
extern const TEnumInfo BitBtnKindInfo;

class TBitBtn : public TButton {
  FW_DECLARE_CLASS(TBitBtn)
public:
  explicit TBitBtn(TComponent* owner);
  TBitmap& Glyph() { return FGlyph; }
  void SetGlyph(const TBitmap& v);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int v);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout v);
  int Margin() const { return FMargin; }
  void SetMargin(int v);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int v);
  TBitBtnKind Kind() const { return FKind; }
  // A kind other than bkCustom gives the button its caption and its
  // default or cancel role.
  void SetKind(TBitBtnKind v);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* v);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  int DisabledIndex() const { return FDisabledIndex; }
  void SetDisabledIndex(int v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);

  void WndProc(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  void CreateParams(TCreateParams& p) override;

private:
  void GlyphChanged(TObject*);
  void DrawItem(const DRAWITEMSTRUCT& item);
  void Changed();
  TBitmap FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  TBitBtnKind FKind = bkCustom;
  TCustomImageList* FImages = nullptr;
  int FImageIndex = -1;
  int FDisabledIndex = -1;
  TAlignment FAlignment = taCenter;
};
