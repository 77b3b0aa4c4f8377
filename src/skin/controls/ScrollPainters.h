#pragma once
// Scroll bars drawn from the skin. A standard scroll bar is not painted in
// place: a small overlay window lies exactly over it, shows the skin's bar
// and hands every press back to the covered bar, so the system's own
// scrolling keeps working unchanged.

#include "skin/controls/SkinControl.h"

// The part codes are the system's scroll requests, so the code of a
// scroll message can stand for the part directly.
constexpr int kPartFirstArrow = 0, kPartSecondArrow = 1, kPartPageBefore = 2, kPartPageAfter = 3,
              kPartThumb = 5, kPartNone = -1;

// What a bar query reports: the bar in screen coordinates (kind 2: in the
// control's parent), the thumb along the bar, and the state word.
struct TBarInfo {
  RECT Bar{};
  int ThumbTop = 0, ThumbBottom = 0;
  DWORD State = 0; // 0x8000 invisible, 0x0001 unavailable
};

// The thumb of a scroll-bar control, worked out from its scroll info as
// the system would (MulDiv arithmetic).
void ControlThumb(int barLength, int arrowSize, const SCROLLINFO& si, int& start, int& end);

class TWScrollbar : public TCustomPanel {
  FW_DECLARE_CLASS(TWScrollbar)
public:
  explicit TWScrollbar(TComponent* owner);
  TSkinControl* Painter = nullptr;
  int BarKind = 0; // 0 horizontal window bar, 1 vertical window bar, 2 scroll-bar control
  int Vertical = 0;
  HWND TargetWindow = nullptr;
  TWinControl* TargetControl = nullptr;
  int ArrowSize = 0;
  int BarLength = 0;
  int ThumbStart = 0, ThumbEnd = 0;
  POINT BarOrigin{};
  POINT PressCursor{};
  int PressThumbStart = 0;
  bool Pressed = false;
  int HotPart = kPartNone;
  RECT BarRect{};
  bool Shown = false;

  void AttachToControl(TSkinControl* painter, TWinControl* control, int kind);
  void AttachToWindow(TSkinControl* painter, HWND window, int kind);
  void Reposition(HWND window);
  int HitTest(POINT p) const;
  void TrackThumb();
  void HideBar();
  // The covered bar as the system reports it; false when it cannot be read.
  bool QueryBar(TBarInfo& info);
  // Paints the overlay again when the covered bar changed since its last
  // paint without a paint or a scroll message reaching the painter (lines
  // added below the visible ones move the thumb, nothing else).
  void RefreshIfChanged();
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void Paint() override;

private:
  TBarInfo FPainted{}; // what the last paint showed
  bool FHasPainted = false;
  void PressBar(TMessage& msg);
  void ReleaseBar(TMessage& msg);
  void DrawBar(HDC dc, const TBarInfo& info);
};

class TSkinScrollbar : public TSkinControl {
  FW_DECLARE_CLASS(TSkinScrollbar)
public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbar() override;
  TWScrollbar* HorzBar = nullptr;
  TWScrollbar* VertBar = nullptr;
  bool DrawBorder = false;
  TColor SavedFixedColor = 0;

  virtual void AttachScrolled(TWinControl* control, TSkinData* skin, TWinSkinForm* engine,
                              TCanvas* canvas);
  bool BeforeMessage(TMessage& msg) override;
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  void SkinChanged() override;
  void Detach() override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  void PaintBorder(HDC dc);
  void ReplaceFixedColor();
  void FreeBars();
};

class TSkinScrollbarH : public TSkinControl {
  FW_DECLARE_CLASS(TSkinScrollbarH)
public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbarH() override;
  TWScrollbar* HorzBar = nullptr;
  TWScrollbar* VertBar = nullptr;
  void AttachWindow(HWND wnd, TSkinData* skin, TWinSkinForm* engine, TCanvas* canvas) override;
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  void Detach() override;
  void Notification(TComponent* component, TOperation operation) override;
};

class TSkinScControl : public TSkinControl {
  FW_DECLARE_CLASS(TSkinScControl)
public:
  using TSkinControl::TSkinControl;
  ~TSkinScControl() override;
  TWScrollbar* Overlay = nullptr;
  void AttachScrollBar(TWinControl* control, TSkinData* skin, TWinSkinForm* engine,
                       TCanvas* canvas);
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  void Detach() override;
  void Notification(TComponent* component, TOperation operation) override;
};

// The skin's bar drawn into dc over r (the bar at (0, 0)), as the overlay
// and the drop-down list's painter both need it.
struct TBarPaint {
  bool Vertical = false;
  bool Enabled = true;
  int HotPart = kPartNone;
  bool Pressed = false;
  int ThumbStart = 0, ThumbEnd = 0;
  int Thickness = 0;
};
void PaintSkinBar(HDC dc, const RECT& r, const TSkinData& skin, int arrowSize, const TBarPaint& bar,
                  SIZE limit);
