#pragma once
// The painter base: a painter takes over one control's messages, lets the
// control's own handling do its work and draws from the skin instead. On a
// framework control it joins the control's hook chain; on a bare window it
// subclasses the window. Detaching gives back everything it changed.

#include "fw/ExtCtrls.h"
#include "fw/WindowSubclass.h"
#include "skin/data/WinSkinData.h"

#include <memory>

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
  // The focus rectangle around the caption Text laid out in rect with
  // flags; never outside rect.
  void DrawCaptionFocus(HDC dc, UINT flags, const RECT& rect);

  // --- Helpers every painter shares
  TColor FaceColor() const; // the skin's "ButtonFace"
  static void FillColor(HDC dc, const RECT& r, TColor color);
  void FillFace(HDC dc, const RECT& r) const { FillColor(dc, r, FaceColor()); }
  // The parent's published Color, or def when it has none.
  TColor ParentColor(TColor def) const;
  void FillParentColor(HDC dc, const RECT& r) const { FillColor(dc, r, ParentColor(FaceColor())); }
  LONG_PTR GetStyle(HWND wnd, int index) const;
  // The framework control's own left-button press, with the point of msg.
  void ForwardMouseDown(const TMessage& msg);
  // Adds right-to-left reading for right-to-left controls.
  UINT TextFlags(UINT flags) const;
  void DrawTextLine(TCanvas& canvas, const RECT& rect, UINT align, bool enabled,
                    const std::wstring& text);
  void DrawImageCaption(TCanvas& canvas, const RECT& rect, int align, const std::wstring& text,
                        int imageIndex, TCustomImageList* images);
  static void DrawElementState(HDC dc, const RECT& rect, int frameIndex, const TDataSkinObject& e);
  // Frame frameIndex (from 1) of a strip of frameCount frames, stretched
  // into rect, magenta transparent; nothing for an inverted rect.
  static void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frameIndex,
                             const Bitmap& strip);
  static std::wstring ReadWindowText(HWND wnd);
  // The control's published integer property; -1 when it has none.
  int IntProperty(const char* name) const;
  std::string EnumProperty(const char* name) const;
  bool BoolProperty(const char* name) const { return EnumProperty(name) == "True"; }
  TObject* ObjectProperty(const char* name, const TClassInfo* cls = nullptr) const;
  void SetProperty(const char* name, const std::wstring& text);

  void Notification(TComponent* component, TOperation operation) override;
  // The handler put in front of the control (or window): every message of
  // the painted window comes here first.
  void WndProc(TMessage& msg);

protected:
  // Whether the window has the keyboard focus, followed from its own focus
  // messages (seen while the painter is on or off): asking the system on
  // every paint costs a round trip to the window server.
  bool HasFocus() const { return FHasFocus; }
  // Grow with every text or font change the window is sent, on or off: a
  // painter keeps what it read until they move.
  unsigned TextChanges() const { return FTextChanges; }
  unsigned FontChanges() const { return FFontChanges; }

  // False once the painter is gone: a handler that passed a message on (a
  // click that frees the form, a modal loop) tells by it whether the
  // painter still exists when the call comes back.
  std::shared_ptr<const bool> Alive() const { return FAlive; }

private:
  void NoteMessage(UINT msg, bool handled);
  bool FHasFocus = false;
  unsigned FTextChanges = 0, FFontChanges = 0;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
