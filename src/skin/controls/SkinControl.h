#pragma once
// The painter base: a painter takes over one control's messages, lets the
// control's own handling do its work and draws from the skin instead. On a
// framework control it joins the control's hook chain; on a bare window it
// subclasses the window. Detaching gives back everything it changed.

#include "fw/ExtCtrls.h"
#include "fw/WindowSubclass.h"
#include "skin/data/WinSkinData.h"

class TWinSkinForm;

class TSkinControl : public TComponent {
  FW_DECLARE_CLASS(TSkinControl)
public:
  explicit TSkinControl(TComponent* owner);
  ~TSkinControl() override;

  // --- Fields, in the order painters keep them
  unsigned MouseState = 0; // 1 hot, 2 down
  TCanvas* Canvas = nullptr;
  bool Enabled = false;
  bool Focused = false;
  std::wstring Text;
  TWindowSubclass WndProcInstance; // on a bare window (OldWndProc inside)
  bool Active = true;
  bool IsUnicode = false;
  TSkinData* SkinData = nullptr;
  HWND Handle = nullptr;
  TWndHook OldWindowProc; // on a framework control
  TControl* Control = nullptr;
  RECT WindowRect{};
  TControl* GraphicControl = nullptr;
  bool Recolor = false;
  TColor SavedColor = clBtnFace;
  bool Attached = false;
  int Status = 0; // 0 made, 1 attached, 6 the window got WM_NCDESTROY
  TWinSkinForm* FormEngine = nullptr;
  int Mode = 0;

  // --- Operations, in slot order
  virtual void Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas);
  virtual void AttachWindow(HWND wnd, TSkinData* skin, TWinSkinForm* engine, TCanvas* canvas);
  virtual void Detach();
  // True lets the previous handler run (and AfterMessage after it).
  virtual bool BeforeMessage(TMessage& msg);
  virtual void AfterMessage(TMessage& msg);
  virtual void PaintWindow(HDC dc);
  virtual void Paint(HDC dc, const RECT& rect);
  virtual void SkinChanged();
  virtual bool CanSkin() { return true; }

  void Refresh();
  void CallDefault(TMessage& msg);
  void HandlePaint(TMessage& msg);
  void HandleEraseBackground(TMessage& msg);
  TColor FaceColor() const;

  void Notification(TComponent* component, TOperation operation) override;

protected:
  void WndProc(TMessage& msg);
};
