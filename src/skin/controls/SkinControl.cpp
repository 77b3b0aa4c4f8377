#include "skin/controls/SkinControl.h"

#include "fw/GdiHandles.h"
#include "skin/data/ElementDraw.h"
#include "skin/data/ParentBackground.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>

FW_CLASS_IMPL(TSkinControl, TComponent, nullptr, NoSetup)

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
  *FAlive = false;
  OldWindowProc.Remove();
  WndProcInstance.Remove();
  if (FormEngine) FormEngine->UnregisterPainter(this);
}

void TSkinControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == GraphicControl) GraphicControl = nullptr;
}

void TSkinControl::Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) {
  if (Attached) return;
  auto* control = As<TControl>(Owner());
  if (!control) return;
  Recolor = recolor;
  SkinData = skin;
  FormEngine = engine;
  Canvas = canvas;
  Control = control;
  if (auto* w = As<TWinControl>(control)) {
    Handle = w->Handle();
    IsUnicode = IsWindowUnicode(Handle) != 0;
    FHasFocus = Handle && GetFocus() == Handle;
  }
  OldWindowProc.Install(control, TWndMethod(this, &TSkinControl::WndProc));
  if (engine) engine->RegisterPainter(this);
  if (recolor) {
    SavedColor = control->Color();
    control->SetColor(FaceColor());
  }
  control->Invalidate();
  Attached = true;
  Status = 1;
}

void TSkinControl::AttachWindow(HWND wnd, TSkinData* skin, TWinSkinForm* engine, TCanvas* canvas) {
  if (Attached || !IsWindow(wnd)) return;
  SkinData = skin;
  Canvas = canvas;
  FormEngine = engine;
  Handle = wnd;
  Enabled = true;
  Mode = 0;
  if (engine) engine->RegisterPainter(this);
  IsUnicode = IsWindowUnicode(wnd) != 0;
  FHasFocus = GetFocus() == wnd;
  const int n = GetWindowTextLengthW(wnd);
  Text.assign(static_cast<std::size_t>(n) + 1, L'\0');
  Text.resize(static_cast<std::size_t>(GetWindowTextW(wnd, Text.data(), n + 1)));
  WndProcInstance.Install(wnd, TWndMethod(this, &TSkinControl::WndProc), IsUnicode);
  InvalidateRect(wnd, nullptr, TRUE);
  Attached = true;
  Status = 1;
}

void TSkinControl::Detach() {
  if (!Active) return;
  Active = false;
  if (Status != 6 && Recolor && Control) Control->SetColor(SavedColor);
}

void TSkinControl::SkinChanged() {
  if (Recolor && Control) Control->SetColor(FaceColor());
  Refresh();
}

void TSkinControl::Refresh() {
  if (GraphicControl) {
    GraphicControl->Invalidate();
  } else if (Handle) {
    InvalidateRect(Handle, nullptr, TRUE);
    UpdateWindow(Handle);
  }
}

// An error the control's own handling raises (a program's event handler
// among it) is the program's: it goes where it would go without a painter,
// to the application, which shows it. Only the painter's own errors are
// kept quiet.
void TSkinControl::CallDefault(TMessage& msg) {
  if (OldWindowProc.Installed() || Control) {
    try {
      OldWindowProc.CallPrevious(msg);
    } catch (const std::exception& e) {
      HandleWndProcException(e);
    }
  } else {
    WndProcInstance.CallOld(msg);
  }
}

// Every message of the painted window comes here first. Nothing a painter
// raises goes further: the control keeps working with what its own
// handling did.
void TSkinControl::WndProc(TMessage& msg) {
  const auto alive = FAlive;
  NoteMessage(msg.Msg, false);
  try {
    if (msg.Msg == SKN_ENABLE) {
      Active = msg.WParam > 0;
      if (Active) Refresh();
      return;
    }
    if (!Active) {
      CallDefault(msg);
    } else if (BeforeMessage(msg)) {
      CallDefault(msg);
      if (*alive) AfterMessage(msg);
    }
  } catch (...) {
  }
  if (*alive) NoteMessage(msg.Msg, true);
}

// The focus has moved before the window hears of it, both ways; a focus
// message handled in between may move it on, so only its arrival counts.
// A text or font change is counted on arrival and again once handled, so a
// paint in between cannot keep what the window had before it.
void TSkinControl::NoteMessage(UINT msg, bool handled) {
  switch (msg) {
  case WM_SETFOCUS:
    if (!handled) FHasFocus = true;
    break;
  case WM_KILLFOCUS:
    if (!handled) FHasFocus = false;
    break;
  case WM_SETTEXT: ++FTextChanges; break;
  case WM_SETFONT: ++FFontChanges; break;
  }
}

bool TSkinControl::BeforeMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_NCDESTROY: {
    Status = 6;
    const auto alive = FAlive;
    CallDefault(msg);
    if (*alive && Active) Detach();
    return false;
  }
  case SKN_QUERY: msg.Result = 1; return false;
  default: return true;
  }
}

void TSkinControl::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ENABLE:
  case WM_SETTEXT:
  case CM_ENABLEDCHANGED: Refresh(); break;
  case WM_PAINT: PaintWindow(reinterpret_cast<HDC>(msg.WParam)); break;
  }
}

void TSkinControl::PaintWindow(HDC dc) {
  RECT r;
  if (!Handle || !GetWindowRect(Handle, &r)) return;
  WindowRect = r;
  OffsetRect(&r, -r.left, -r.top);
  try {
    if (dc) return Paint(dc, r);
    TWindowDC windowDC = TWindowDC::Whole(Handle);
    if (windowDC) Paint(windowDC.Get(), r);
  } catch (...) {
  }
}

void TSkinControl::Paint(HDC, const RECT&) {}

void TSkinControl::HandlePaint(TMessage& msg) {
  RECT r;
  GetWindowRect(Handle, &r);
  WindowRect = r;
  OffsetRect(&r, -r.left, -r.top);
  if (HDC given = reinterpret_cast<HDC>(msg.WParam)) return Paint(given, r);
  TPaintDC dc(Handle);
  if (dc) Paint(dc.Get(), r);
}

void TSkinControl::HandleEraseBackground(TMessage& msg) {
  HDC dc = reinterpret_cast<HDC>(msg.WParam);
  if (Control) {
    PaintParentBackground(Control, dc);
  } else if (dc) {
    RECT r;
    GetClientRect(Handle, &r);
    TGdiBrush brush(CreateSolidBrush(ColorToCOLORREF(FaceColor())));
    FillRect(dc, &r, brush.Get());
  }
  msg.Result = 1;
}

void TSkinControl::DrawCaptionFocus(HDC dc, UINT flags, const RECT& rect) {
  RECT t = rect;
  DrawWideText(dc, Text, t, flags | DT_CALCRECT | DT_NOCLIP);
  const int bw = rect.right - rect.left, bh = rect.bottom - rect.top;
  const int tw = t.right - t.left, th = t.bottom - t.top;
  if (flags & DT_CENTER)
    OffsetRect(&t, (bw - tw) / 2, (bh - th) / 2 - 1);
  else if (flags & DT_RIGHT)
    OffsetRect(&t, bw - tw, 0);
  InflateRect(&t, 2, 1);
  t.left = std::max(t.left, rect.left);
  t.top = std::max(t.top, rect.top);
  t.right = std::min(t.right, rect.right);
  t.bottom = std::min(t.bottom, rect.bottom);
  if (t.right > t.left && t.bottom > t.top) DrawFocusRect(dc, &t);
}

// --- Shared helpers -------------------------------------------------------------------

TColor TSkinControl::FaceColor() const {
  return SkinData ? SkinData->Skin().Colors[scButtonFace] : ColorToRGB(clBtnFace);
}

void TSkinControl::FillColor(HDC dc, const RECT& r, TColor color) {
  TGdiBrush brush(CreateSolidBrush(ColorToCOLORREF(color)));
  FillRect(dc, &r, brush.Get());
}

TColor TSkinControl::ParentColor(TColor def) const {
  TControl* c = Control ? Control : GraphicControl;
  TWinControl* parent = c ? c->Parent() : nullptr;
  if (!parent) return def;
  const TPropInfo* p = GetPropInfo(parent, "Color");
  if (!p || p->Kind != TPropKind::Integer) return def;
  return static_cast<TColor>(GetIntProp(parent, "Color", static_cast<std::int64_t>(def)));
}

LONG_PTR TSkinControl::GetStyle(HWND wnd, int index) const {
  return IsUnicode ? GetWindowLongPtrW(wnd, index) : GetWindowLongPtrA(wnd, index);
}

void TSkinControl::ForwardMouseDown(const TMessage& msg) {
  if (!Control) return;
  POINT p{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
  // Coordinates of huge controls do not fit the message's 16 bits.
  if (Control->Width() > 0x8000 || Control->Height() > 0x8000) {
    GetCursorPos(&p);
    p = Control->ScreenToClient(p);
  }
  Control->MouseDown(mbLeft, ShiftStateFromKeys(msg.WParam), p.x, p.y);
}

UINT TSkinControl::TextFlags(UINT flags) const {
  const TControl* c = Control ? Control : GraphicControl;
  if (c && c->UseRightToLeftReading()) flags |= DT_RTLREADING;
  return flags;
}

void TSkinControl::DrawTextLine(TCanvas& canvas, const RECT& rect, UINT align, bool enabled,
                                const std::wstring& text) {
  HDC dc = canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetStyle(0);
  RECT t = rect;
  DrawWideText(dc, text, t, align | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
  const int dy = ((rect.bottom - rect.top) - (t.bottom - t.top)) / 2 - 1;
  if (align == DT_CENTER) {
    OffsetRect(&t, ((rect.right - rect.left) - (t.right - t.left)) / 2 + (rect.left - t.left),
               dy + (rect.top - t.top));
  } else {
    OffsetRect(&t, 0, dy + (rect.top - t.top));
    t.left = rect.left;
    t.right = rect.right;
  }
  if (!enabled) SetTextColor(dc, ColorToCOLORREF(clBtnShadow));
  DrawWideText(dc, text, t, TextFlags(align | DT_EXPANDTABS));
}

void TSkinControl::DrawImageCaption(TCanvas& canvas, const RECT& rect, int align,
                                    const std::wstring& text, int imageIndex,
                                    TCustomImageList* images) {
  HDC dc = canvas.Handle();
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const bool useImage = images && imageIndex != -1 && images->Width() < width;
  const int imageWidth = useImage ? images->Width() : 0;
  RECT t{0, 0, std::max(width - imageWidth, 0), height};
  DrawWideText(dc, text, t,
               DT_END_ELLIPSIS | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
  const int content = imageWidth + (t.right - t.left);
  const int free = width - content;
  int x = align == 0 ? 3 : align == 1 ? free / 2 : free - 2;
  x = std::max(x, 1);
  if (useImage) {
    images->Draw(dc, rect.left + x, rect.top + (height - images->Height()) / 2, imageIndex, true);
    x += imageWidth;
  }
  RECT r{rect.left + x, rect.top + (height - (t.bottom - t.top)) / 2,
         rect.left + x + (t.right - t.left), 0};
  r.bottom = r.top + (t.bottom - t.top);
  r.left = std::max(r.left, rect.left);
  r.right = std::min(r.right, rect.right);
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled) SetTextColor(dc, ColorToCOLORREF(clBtnShadow));
  DrawWideText(dc, text, r, TextFlags(DT_END_ELLIPSIS | DT_NOCLIP | DT_WORDBREAK));
}

void TSkinControl::DrawElementState(HDC dc, const RECT& rect, int frameIndex,
                                    const TDataSkinObject& e) {
  DrawNineSlice(dc, rect, e, frameIndex);
}

void TSkinControl::DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frameIndex,
                                  const Bitmap& strip) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  ::DrawFrameStretched(dc, rect, strip, true, frameCount, frameIndex);
}

std::wstring TSkinControl::ReadWindowText(HWND wnd) {
  if (IsWinNT()) {
    const int n = GetWindowTextLengthW(wnd);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(GetWindowTextW(wnd, text.data(), n + 1), 0)));
    return text;
  }
  char buf[1000] = {};
  SendMessageA(wnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
  return AnsiToWideText(buf);
}

int TSkinControl::IntProperty(const char* name) const {
  TObject* o = Control ? static_cast<TObject*>(Control) : GraphicControl;
  return o ? static_cast<int>(GetIntProp(o, name, -1)) : -1;
}

std::string TSkinControl::EnumProperty(const char* name) const {
  TObject* o = Control ? static_cast<TObject*>(Control) : GraphicControl;
  return o ? GetEnumProp(o, name) : std::string();
}

TObject* TSkinControl::ObjectProperty(const char* name, const TClassInfo* cls) const {
  TObject* o = Control ? static_cast<TObject*>(Control) : GraphicControl;
  return o ? GetObjectProp(o, name, cls) : nullptr;
}

void TSkinControl::SetProperty(const char* name, const std::wstring& text) {
  TObject* o = Control ? static_cast<TObject*>(Control) : GraphicControl;
  if (o) SetPropFromText(o, name, text);
}
