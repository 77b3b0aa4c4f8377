#pragma once
// A label that behaves like a web link: while the mouse is over it, it shows
// a hover font, a hover background and the hand cursor; a click opens its
// address through the shell.

#include "fw/StdCtrls.h"

// The shell call a click makes; tests replace it.
using TShellExecuteFunc = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
void SetHyperLabelShellExecute(TShellExecuteFunc func); // null restores ShellExecuteA

extern const wchar_t* const DefaultHyperLabelURL;

class THyperLabel : public TLabel {
  FW_DECLARE_CLASS(THyperLabel)
public:
  explicit THyperLabel(TComponent* owner);

  const std::wstring& URL() const { return FURL; }
  // A change of letter case alone is ignored.
  void SetURL(const std::wstring& v);
  TFont& HoverFont() { return FHoverFont; }
  void SetHoverFont(const TFont& f) { FHoverFont.Assign(f); }
  TColor HoverColor() const { return FHoverColor; }
  void SetHoverColor(TColor v) { FHoverColor = v; }
  TCursor HoverCursor() const { return FHoverCursor; }
  void SetHoverCursor(TCursor v) { FHoverCursor = v; }
  bool Hovered() const { return FHovered; }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void Click() override;
  void WndProc(TMessage& msg) override;

private:
  void MouseEntered();
  void MouseLeft();
  TFont FHoverFont;
  TColor FHoverColor = clBtnFace;
  TCursor FHoverCursor = crHandPoint;
  TCursor FSavedCursor = crDefault;
  TFont FSavedFont;
  TColor FSavedColor = clBtnFace;
  HCURSOR FSavedScreenCursor = nullptr;
  std::wstring FURL;
  HCURSOR FHandCursor = nullptr;
  bool FHovered = false;
};
