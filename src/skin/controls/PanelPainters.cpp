#include "skin/controls/PanelPainters.h"

#include "skin/form/WinSkinForm.h"

FW_CLASS_IMPL(TSkinGroupBox, TSkinControl, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinBox, TSkinControl, nullptr, NoSetup)

// --- Group boxes -----------------------------------------------------------------------

void TSkinGroupBox::Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) {
  TSkinControl::Attach(engine, skin, recolor, canvas);
  if (Control) Mode = 1;
}

bool TSkinGroupBox::BeforeMessage(TMessage& msg) {
  const bool result = TSkinControl::BeforeMessage(msg);
  if (Mode != 0 && msg.Msg == WM_PAINT) {
    HandlePaint(msg);
    return false;
  }
  return result;
}

void TSkinGroupBox::Paint(HDC dc, const RECT& r) {
  Text = ReadWindowText(Handle);
  if (Text.empty() && Control) Text = Control->Caption();
  if (Control) FillFace(dc, r);
  TSavedDC saved(dc);
  TFont font;
  if (auto own = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0))) {
    LOGFONTW lf{};
    if (GetObjectW(own, sizeof lf, &lf)) font.SetFromLogFont(lf);
  } else if (Control) {
    font.Assign(Control->Font());
  }
  if (Control) font.SetColor(Control->Font().Color());
  SelectObject(dc, font.Handle());
  SetTextColor(dc, ColorToCOLORREF(font.Color()));
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const int y = zero.cy / 2 - 1;
  const TColor face = FaceColor(), shadow = SkinData->Skin().Colors[scButtonShadow];
  if (Mode == 0) {
    // Cover the system's own frame.
    TGdiBrush brush(CreateSolidBrush(ColorToCOLORREF(face)));
    RECT outer{0, y, r.right, r.bottom};
    FrameRect(dc, &outer, brush.Get());
    InflateRect(&outer, -1, -1);
    FrameRect(dc, &outer, brush.Get());
  }
  TGdiPen pen(CreatePen(PS_SOLID, 1, ColorToCOLORREF(shadow)));
  SelectObject(dc, pen.Get());
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, 1, y, r.right - 1, r.bottom - 1, 5, 5);
  // The caption sits on the face colour and so cuts the line.
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ColorToCOLORREF(face));
  if (!Text.empty()) {
    if (GetStyle(Handle, GWL_EXSTYLE) & WS_EX_RIGHT) {
      RECT t{r.left, r.top, r.right - 8, r.bottom};
      DrawWideText(dc, Text, t, TextFlags(DT_RIGHT | DT_EXPANDTABS));
    } else {
      RECT t{r.left + 8, r.top, r.right, r.bottom};
      DrawWideText(dc, Text, t, DT_EXPANDTABS);
    }
  }
  if (auto* w = As<TWinControl>(Control); w && Mode == 1) {
    saved.Reset();
    w->PaintControls(dc, nullptr);
  }
}

// --- Panels ----------------------------------------------------------------------------

void TSkinBox::Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) {
  if (Attached) return;
  Recolor = recolor;
  SkinData = skin;
  Canvas = canvas;
  Control = As<TControl>(Owner());
  if (auto* w = As<TWinControl>(Control)) Handle = w->Handle();
  FormEngine = engine;
  if (engine) engine->RegisterPainter(this);
  if (recolor && Control) {
    SavedColor = Control->Color();
    Control->SetColor(FaceColor());
  }
  Attached = true;
  Status = 1;
}

void TSkinBox::Detach() {
  if (Status != 4 && Status != 6 && Recolor && Control) Control->SetColor(SavedColor);
  Status = 2;
}
