#include "skin/controls/SkinControl.h"

#include "fw/GdiHandles.h"
#include "skin/data/ParentBackground.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

FW_CLASS_IMPL(TSkinControl, TComponent, nullptr, NoSetup)

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
  OldWindowProc.Remove();
  WndProcInstance.Remove();
  if (FormEngine) FormEngine->UnregisterPainter(this);
}

void TSkinControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == GraphicControl) GraphicControl = nullptr;
}

TColor TSkinControl::FaceColor() const {
  return SkinData ? SkinData->Skin().Colors[scButtonFace] : ColorToRGB(clBtnFace);
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

void TSkinControl::CallDefault(TMessage& msg) {
  if (OldWindowProc.Installed() || Control)
    OldWindowProc.CallPrevious(msg);
  else
    WndProcInstance.CallOld(msg);
}

// Every message of the painted window comes here first. Nothing a painter
// raises goes further: the control keeps working with what its own
// handling did.
void TSkinControl::WndProc(TMessage& msg) {
  try {
    if (msg.Msg == SKN_ENABLE) {
      Active = msg.WParam > 0;
      if (Active) Refresh();
      return;
    }
    if (!Active) return CallDefault(msg);
    if (BeforeMessage(msg)) {
      CallDefault(msg);
      AfterMessage(msg);
    }
  } catch (...) {
  }
}

bool TSkinControl::BeforeMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_NCDESTROY:
    Status = 6;
    CallDefault(msg);
    if (Active) Detach();
    return false;
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
