#pragma once
// The scroll box: a container whose window scroll bars appear when its
// child controls reach beyond the client area, and scroll them.

#include "fw/Panel.h"

class TScrollBox : public TWinControl {
  FW_DECLARE_CLASS(TScrollBox)
public:
  explicit TScrollBox(TComponent* owner);
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool v);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);
  // How far the children reach, in unscrolled client coordinates.
  SIZE ContentSize() const;
  POINT ScrollPosition() const { return FScroll; }
  // Fits the scroll bars to the content and the client area.
  void UpdateScrollBars();
  void ScrollTo(int x, int y);
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void AlignControls(RECT& r) override;

private:
  void Scroll(int bar, WPARAM request);
  bool FAutoScroll = true;
  TBorderStyle FBorderStyle = bsSingle;
  POINT FScroll{0, 0};
  bool FUpdating = false;
};
