// The skinned non-client area: the four border pieces, the caption with
// its text, text plate, icon and title buttons, the hot-object states of
// those buttons, non-client mouse input, the buttons' actions and hints.
// All geometry is relative to the window's top-left corner.
#include "skin/form/WinSkinForm.h"

#include "fw/OsVersion.h"
#include "skin/controls/SkinManager.h"
#include "skin/form/MenuBar.h"
#include "skin/data/ImgUtilGdi.h"

#include <windowsx.h>

#include <algorithm>

namespace {

TSkinManage* Manager() {
  return SkinManagerObject();
}

void PostSysCommand(HWND wnd, WPARAM command) {
  PostMessageW(wnd, WM_SYSCOMMAND, command, 0);
}

int FramesOf(const TDataSkinObject& e) {
  return std::max(e.Frame, 1);
}

} // namespace

// --- Clickable objects -----------------------------------------------------------

TNCObject::~TNCObject() {
  if (Engine && Engine->HotObject == this) Engine->HotObject = nullptr;
}

void TNCObject::Press() {
  if (Engine->HotObject && Engine->HotObject != this) Engine->HotObject->Leave();
  if (!Visible) return;
  Engine->HotObject = this;
  State = 2;
  Draw();
}

void TNCObject::Release() {
  if (!Visible) return;
  State = 3;
  Draw();
}

void TNCObject::Hover() {
  if (Engine->HotObject == this) return;
  if (Engine->HotObject) Engine->HotObject->Leave();
  if (!Visible) return;
  Engine->HotObject = this;
  State = 3;
  Draw();
}

void TNCObject::Leave() {
  if (!Visible) return;
  Engine->HotObject = nullptr;
  State = 1;
  Draw();
  Engine->HideCaptionHint();
}

// One button repaints alone, straight onto the window.
void TWinSysButton::Draw() {
  const TDataSkinSysButton& d = *Definition;
  if (d.Image.Empty()) return;
  TWindowDC dc = TWindowDC::Whole(Engine->Handle);
  if (!dc) return;
  int state = State;
  if (!Enabled) state = FramesOf(d) > 3 ? 4 : 1;
  if (d.Visibility == 100 && state == 3) state = 4;
  if (d.Action == 3 || d.Action == 11)
    Engine->DrawCaptionIcon(dc.Get(), Bounds);
  else
    DrawFrameStretched(dc.Get(), Bounds, d.Image, d.Trans != 0, FramesOf(d), std::max(state, 1));
}

// --- Frame ------------------------------------------------------------------------

// Title buttons made for an earlier load of the skin are made again before
// anything reads them.
bool TWinSkinForm::ButtonsCurrent() {
  if (!SkinData || !SkinData->SkinLoaded()) return false;
  if (FButtonsGeneration != SkinData->Skin().Generation()) LoadFrameMetrics();
  return true;
}

// The piece built for this size and frame, rebuilt only when one of them
// (or the skin's element) changed.
TWinSkinForm::TPieceCache* TWinSkinForm::PieceEntry(int piece, int width, int height) {
  if (piece < 1 || piece > 4 || width <= 0 || height <= 0) return nullptr;
  const TDataSkinFormBorder& e = SkinData->Skin().Border(piece);
  if (e.Image.Empty()) return nullptr;
  const int frame = Active || FramesOf(e) == 1 ? 1 : 2;
  TPieceCache& c = FPieces[piece];
  const std::uint32_t generation = SkinData->Skin().Generation();
  if (c.Width != width || c.Height != height || c.Frame != frame || c.Generation != generation ||
      c.Picture.Empty()) {
    c.Picture.FromBitmap(BuildNineSlice(RectOf(0, 0, width, height), e.Image, e.Margins(),
                                        piece >= bpTop, e.Stretch != 1, FramesOf(e), frame));
    c.Width = width;
    c.Height = height;
    c.Frame = frame;
    c.Generation = generation;
    ++c.Version;
  }
  return &c;
}

const TBitmap* TWinSkinForm::BorderPicture(int piece, int width, int height) {
  const TPieceCache* c = PieceEntry(piece, width, height);
  return c ? &c->Picture : nullptr;
}

void TWinSkinForm::DropFrameCaches() {
  for (TPieceCache& c : FPieces) {
    c.Width = c.Height = c.Frame = -1;
    c.Generation = 0;
    c.Picture.SetSize(0, 0);
  }
  FCaptionKey = {};
  FMeasuredText.clear();
  FMeasured = {};
  FWindowTextRead = false;
  ++FSkinGeneration;
}

void TWinSkinForm::PaintBorder(int piece, const RECT& rect, HDC dc) {
  if (rect.right < 0 || rect.bottom < 0) return;
  const TBitmap* picture = BorderPicture(piece, rect.right - rect.left, rect.bottom - rect.top);
  if (!picture) return;
  BitBlt(dc, rect.left, rect.top, picture->Width(), picture->Height(),
         const_cast<TBitmap*>(picture)->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TWinSkinForm::PaintFrame(HDC given) {
  if (EngineState != 1 && EngineState != 3) return;
  if (FrameKind == 2 || (IsMdiChild() && Maximized()) || !ButtonsCurrent()) return;
  TWindowDC own;
  HDC dc = given;
  if (!dc) {
    own = TWindowDC::Whole(Handle);
    dc = own.Get();
  }
  if (!dc) return;
  try {
    GetWindowRect(Handle, &WindowRect);
    FrameWidth = WindowRect.right - WindowRect.left;
    FrameHeight = WindowRect.bottom - WindowRect.top;
    if (Minimized()) {
      PaintCaption(dc);
    } else {
      PaintBorder(1, {0, 0, BorderLeft, FrameHeight}, dc);
      PaintBorder(2, {FrameWidth - BorderRight, 0, FrameWidth, FrameHeight}, dc);
      PaintBorder(
          4, {BorderLeft, FrameHeight - BorderBottom, FrameWidth - BorderRight, FrameHeight}, dc);
      PaintCaption(dc);
      if (MenuHeight > 0) {
        const RECT band{BorderLeft, CaptionHeight, FrameWidth - BorderRight,
                        CaptionHeight + MenuHeight};
        if (MenuBar)
          MenuBar->PaintBar(dc, band);
        else
          FillRect(dc, &band, SkinData->BackgroundBrush());
      }
    }
  } catch (...) {
    // A frame that cannot be painted leaves the window usable.
  }
  HotObject = nullptr;
}

// The caption is composed off-screen and copied in one step, so it never
// flickers; while nothing it shows has changed, the composed caption is
// copied again as it is.
void TWinSkinForm::PaintCaption(HDC dc) {
  const int height = Minimized() ? FrameHeight : CaptionHeight;
  if (FrameWidth <= 0 || height <= 0) {
    CaptionBuffer.SetSize(0, 0);
    FCaptionKey = {};
    return;
  }
  const RECT captionRect = Minimized()
                               ? RECT{0, 0, FrameWidth, CaptionHeight}
                               : RECT{BorderLeft, 0, FrameWidth - BorderRight, CaptionHeight};
  const std::wstring text = CaptionText();
  PlaceCaptionText(captionRect, text);
  LayoutButtons();
  TCaptionKey key = CaptionKey(text);
  if (key.Numbers.empty() || !(key == FCaptionKey) || CaptionBuffer.Width() != FrameWidth ||
      CaptionBuffer.Height() != height) {
    FCaptionKey = {};
    if (!ComposeCaption(dc, captionRect, text)) return;
    FCaptionKey = std::move(key);
  }
  BitBlt(dc, 0, 0, CaptionBuffer.Width(), CaptionBuffer.Height(), CaptionBuffer.Canvas().Handle(),
         0, 0, SRCCOPY);
  SetBkMode(dc, OPAQUE);
}

// The caption with the top rows of the side pieces at its ends, the top
// piece, the text and the buttons, drawn into CaptionBuffer.
bool TWinSkinForm::ComposeCaption(HDC dc, const RECT& captionRect, const std::wstring& text) {
  const int height = Minimized() ? FrameHeight : CaptionHeight;
  CaptionBuffer.SetSize(FrameWidth, height);
  if (CaptionBuffer.Empty()) return false;
  HDC buffer = CaptionBuffer.Canvas().Handle();
  if (Minimized()) {
    const RECT all{0, 0, FrameWidth, FrameHeight};
    TGdiBrush face(CreateSolidBrush(ColorToCOLORREF(FaceColor())));
    FillRect(buffer, &all, face.Get());
  } else {
    // The corners are the side pieces' top rows; without a piece, whatever
    // the window shows there stays.
    const TBitmap* left = BorderPicture(1, BorderLeft, FrameHeight);
    const TBitmap* right = BorderPicture(2, BorderRight, FrameHeight);
    const TBitmap* top = BorderPicture(3, captionRect.right - captionRect.left,
                                       captionRect.bottom - captionRect.top);
    if ((BorderLeft > 0 && !left) || (BorderRight > 0 && !right) || !top)
      BitBlt(buffer, 0, 0, FrameWidth, CaptionHeight, dc, 0, 0, SRCCOPY);
    if (left)
      BitBlt(buffer, 0, 0, BorderLeft, CaptionHeight, const_cast<TBitmap*>(left)->Canvas().Handle(),
             0, 0, SRCCOPY);
    if (right)
      BitBlt(buffer, FrameWidth - BorderRight, 0, BorderRight, CaptionHeight,
             const_cast<TBitmap*>(right)->Canvas().Handle(), 0, 0, SRCCOPY);
  }
  PaintBorder(3, captionRect, buffer);
  DrawPlacedCaptionText(CaptionBuffer.Canvas(), captionRect, text);
  DrawButtons(CaptionBuffer.Canvas());
  return true;
}

// Everything the composed caption shows; no key (never the same) when a
// corner comes from whatever the window showed.
TWinSkinForm::TCaptionKey TWinSkinForm::CaptionKey(const std::wstring& text) {
  TCaptionKey key;
  auto& n = key.Numbers;
  auto add = [&n](const RECT& r) { n.insert(n.end(), {r.left, r.top, r.right, r.bottom}); };
  if (!Minimized())
    for (int piece : {1, 2}) {
      const int width = piece == 1 ? BorderLeft : BorderRight;
      if (width <= 0) continue;
      const TPieceCache* c = PieceEntry(piece, width, FrameHeight);
      if (!c) return {};
      n.insert(n.end(), {reinterpret_cast<long long>(c), c->Version});
    }
  const TPieceCache* top =
      PieceEntry(3, FrameWidth - (Minimized() ? 0 : BorderLeft + BorderRight), CaptionHeight);
  if (!top) return {};
  n.insert(n.end(), {reinterpret_cast<long long>(top), top->Version});
  HWND app = Application && Application->Handle() ? Application->Handle() : Handle;
  LRESULT icon = SendMessageW(app, WM_GETICON, ICON_SMALL, 0);
  if (!icon) icon = SendMessageW(app, WM_GETICON, ICON_BIG, 0);
  n.insert(n.end(),
           {FrameWidth, Minimized() ? FrameHeight : -1, CaptionHeight, BorderLeft, BorderRight,
            Active, RightToLeft, FSkinGeneration, SkinData->Skin().Generation(), FIconGeneration,
            static_cast<long long>(icon), IconSize,
            Minimized() ? static_cast<long long>(ColorToCOLORREF(FaceColor())) : -1});
  add(CaptionTextBox);
  add(CaptionTextRect);
  for (const auto& b : SysButtons) {
    n.insert(n.end(), {b->Visible, b->Enabled});
    add(b->Bounds);
  }
  key.Text = text;
  return key;
}

std::wstring TWinSkinForm::WindowText() const {
  if (IsUnicode) {
    const int n = GetWindowTextLengthW(Handle);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(GetWindowTextW(Handle, text.data(), n + 1), 0)));
    return text;
  }
  char buf[1000] = {};
  SendMessageA(Handle, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
  return AnsiToWideText(buf);
}

// Reading the text costs two messages through the whole chain of window
// procedures; it changes only through WM_SETTEXT.
std::wstring TWinSkinForm::CaptionText() {
  if (!FWindowTextRead) {
    FWindowText = WindowText();
    FWindowTextRead = true;
  }
  return CaptionPrefix + FWindowText + CaptionSuffix;
}

void TWinSkinForm::DrawCaptionText(TCanvas& canvas, const RECT& captionRect) {
  const std::wstring text = CaptionText();
  PlaceCaptionText(captionRect, text);
  DrawPlacedCaptionText(canvas, captionRect, text);
}

// Where the caption text goes: CaptionTextBox with its plate, CaptionTextRect
// without; and how far in the right-aligned buttons reach.
void TWinSkinForm::PlaceCaptionText(const RECT& captionRect, const std::wstring& text) {
  const TDataSkinTitle& title = SkinData->Skin().Title();
  const int textShift = title.TextShift, textShiftVert = title.TextShiftVert,
            textRightClip = title.TextRightClip;

  RightButtonsExtent = 0;
  for (int i = 0; i < static_cast<int>(SysButtons.size()); ++i) {
    const TDataSkinSysButton& d = *SysButtons[i]->Definition;
    if (d.Align == 1 && !d.Image.Empty() && EvalButton(i))
      RightButtonsExtent = std::max(RightButtonsExtent, d.Xcoord);
  }

  // Measuring text is slow, and a caption seldom changes.
  if (text != FMeasuredText || FMeasuredText.empty()) {
    HDC dc = CaptionBuffer.Canvas().Handle();
    TSelection font(dc, CaptionFont.Handle());
    RECT measured{0, 0, captionRect.right - captionRect.left, captionRect.bottom - captionRect.top};
    DrawWideText(dc, text, measured, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);
    FMeasured = {measured.right - measured.left, measured.bottom - measured.top};
    FMeasuredText = text;
  }
  RECT box{captionRect.left, captionRect.top, captionRect.left + FMeasured.cx,
           captionRect.top + FMeasured.cy};
  box.right += title.TXTBackleft() + title.TXTBackRight();
  const int w = captionRect.right - captionRect.left, bw = box.right - box.left;

  int x = 0;
  switch (title.TextAlignment) {
  case 0: x = RightToLeft ? w - RightButtonsExtent - bw : textShift; break;
  case 1: x = RightToLeft ? (w - bw - RightButtonsExtent) / 2 : (w - bw) / 2; break;
  case 2: x = RightToLeft ? textShift : w - textRightClip - bw; break;
  default: x = 0; break;
  }
  const int y =
      ((captionRect.bottom - captionRect.top) - (box.bottom - box.top)) / 2 + textShiftVert / 2;
  OffsetRect(&box, x, y);
  if (RightToLeft && x <= 0) box.left = textShift;

  if (Style & WS_POPUP) {
    if (RightToLeft)
      OffsetRect(&box, 10, 0);
    else if (captionRect.right - RightButtonsExtent - 5 < box.right && RightButtonsExtent > 5)
      box.right = captionRect.right - RightButtonsExtent - 5;
  } else if (RightToLeft) {
    OffsetRect(&box, 10, 0);
  } else {
    box.right = std::min<LONG>(box.right, captionRect.right - textRightClip);
  }
  if (FrameKind == 3 && title.TextAlignment == 0) box.left -= 16;
  CaptionTextBox = box;
  box.left += title.TXTBackleft();
  box.right -= title.TXTBackRight();
  CaptionTextRect = box;
}

void TWinSkinForm::DrawPlacedCaptionText(TCanvas& canvas, const RECT& captionRect,
                                         const std::wstring& text) {
  const TDataSkinTitle& title = SkinData->Skin().Title();
  HDC dc = canvas.Handle();
  TSelection font(dc, CaptionFont.Handle());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToCOLORREF(
                       SkinData->Skin().Colors[Active ? scTitleTextActive : scTitleTextNoActive]));
  if (!title.TextBack().Empty())
    DrawThreeSliceH(
        dc, {CaptionTextBox.left, captionRect.top, CaptionTextBox.right, captionRect.bottom},
        title.TextBack(), true, true, 2, Active ? 1 : 2,
        TMargins{title.TXTBackleft(), 0, title.TXTBackRight(), 0});
  RECT box = CaptionTextRect;
  const UINT flags = RightToLeft
                         ? DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_RIGHT | DT_RTLREADING
                         : DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  DrawWideText(dc, text, box, flags);
  SetBkMode(dc, oldMode);
}

// --- Title buttons -----------------------------------------------------------------

bool TWinSkinForm::ButtonShown(int index, int value, bool first) {
  const bool max = FrameButtons & 1, min = FrameButtons & 2, help = FrameButtons & 4,
             sysMenu = FrameButtons & 8;
  switch (value) {
  case 0: return true;
  case 1: return Maximized();
  case 2: return !Maximized();
  case 3: return Active;
  case 4: return !Active;
  case 5: return false;
  case 6:
  case 8: return first ? (min || max) && sysMenu : min || max;
  case 7: return !max;
  case 9: return !min;
  case 10: return first ? help && !min && !max : help;
  case 100: return MdiChildMaximized() && MenuBar;
  case 200: return FrameKind == 3 && !IsDialogClass;
  default: break;
  }
  if (value >= 201 && value <= 999) return true;
  if (value >= 1000 && value <= 2000)
    return !first || SendMessageW(Handle, SKN_QUERYBUTTON, static_cast<WPARAM>(value),
                                  static_cast<LPARAM>(SysButtons[index]->Definition->Action)) > 0;
  return false;
}

bool TWinSkinForm::EvalButton(int index) {
  if (index < 0 || index >= static_cast<int>(SysButtons.size())) return false;
  TWinSysButton& b = *SysButtons[index];
  const TDataSkinSysButton& d = *b.Definition;
  const bool v = ButtonShown(index, d.Visibility, true);
  // Visibility1 100 takes the first condition's result rather than asking again.
  const bool w = d.Visibility1 == 100 ? v : ButtonShown(index, d.Visibility1, false);
  b.Visible = v && w;
  const bool max = FrameButtons & 1, min = FrameButtons & 2, sysMenu = FrameButtons & 8;
  switch (d.Action) {
  case 0:
    if (!sysMenu) b.Visible = false;
    break;
  case 1: b.Enabled = max && sysMenu; break;
  case 2: b.Enabled = min && sysMenu; break;
  case 3:
  case 11:
  case 12:
    if (FrameKind == 3) b.Visible = false;
    break;
  default: break;
  }
  return b.Visible;
}

void TWinSkinForm::LayoutButtons() {
  const TDataSkinMenuBar* menuBar = SkinData->Skin().MenuBar();
  for (int i = 0; i < static_cast<int>(SysButtons.size()); ++i) {
    TWinSysButton& b = *SysButtons[i];
    const TDataSkinSysButton& d = *b.Definition;
    if (!EvalButton(i) || d.Image.Empty()) continue;
    const int w = d.Image.Width() / FramesOf(d), h = d.Image.Height();
    POINT at{0, 0};
    switch (d.Align) {
    case 0: at = {d.Xcoord, d.Ycoord}; break;
    case 1: at = {FrameWidth - d.Xcoord, d.Ycoord}; break;
    case 2:
    case 8: at = {CaptionTextBox.left - w - d.Xcoord, d.Ycoord}; break;
    case 3:
    case 9: at = {CaptionTextBox.right + d.Xcoord, d.Ycoord}; break;
    case 100:
      at = {FrameWidth - d.Xcoord - BorderRight - (menuBar ? menuBar->TileLeftMenu() : 0),
            CaptionHeight + (MenuHeight - h) / 2};
      break;
    default: break;
    }
    b.Bounds = {at.x, at.y, at.x + w, at.y + h};
  }
}

void TWinSkinForm::DrawButtons(TCanvas& canvas) {
  for (int i = 0; i < static_cast<int>(SysButtons.size()); ++i) {
    TWinSysButton& b = *SysButtons[i];
    const TDataSkinSysButton& d = *b.Definition;
    if (!EvalButton(i) || d.Image.Empty() || d.Visibility == 100) continue;
    if (d.Action == 3 || d.Action == 11) {
      DrawCaptionIcon(canvas.Handle(), b.Bounds);
      continue;
    }
    const int frames = FramesOf(d);
    DrawFrameStretched(canvas.Handle(), b.Bounds, d.Image, d.Trans != 0, frames,
                       frames < 4 || (Active && b.Enabled) ? 1 : 4);
  }
}

// --- Icon ---------------------------------------------------------------------------

void TWinSkinForm::BuildIconBitmap() {
  IconSize = GetSystemMetrics(SM_CXSMICON);
  const int height = GetSystemMetrics(SM_CYSMICON);
  IconHandle = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
  if (!IconHandle)
    IconHandle = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
  TBitmap picture;
  picture.SetSize(IconSize, height);
  const RECT all{0, 0, IconSize, height};
  TGdiBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
  FillRect(picture.Canvas().Handle(), &all, magenta.Get());
  if (IconHandle)
    if (auto copy = static_cast<HICON>(CopyImage(IconHandle, IMAGE_ICON, IconSize, height, 0))) {
      DrawIconEx(picture.Canvas().Handle(), 0, 0, copy, IconSize, height, 0, nullptr, DI_NORMAL);
      DestroyIcon(copy);
    }
  IconBitmap = picture.ToBitmap();
  ++FIconGeneration;
}

void TWinSkinForm::DrawCaptionIcon(HDC dc, const RECT& rect) {
  HWND app = Application && Application->Handle() ? Application->Handle() : Handle;
  IconHandle = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
  if (!IconHandle) IconHandle = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
  if (!IconHandle) {
    DrawTransparent(dc, rect, IconBitmap, clMagenta);
    return;
  }
  // The scaled copy is kept while the icon stays the same.
  if (IconHandle != FScaledFrom || !FScaledIcon.Get()) {
    FScaledIcon.Reset(static_cast<HICON>(
        CopyImage(IconHandle, IMAGE_ICON, IconSize, IconSize, LR_COPYFROMRESOURCE)));
    FScaledFrom = IconHandle;
  }
  if (!FScaledIcon.Get()) return;
  const int y =
      CaptionTextRect.top + (CaptionTextRect.bottom - CaptionTextRect.top) / 2 - IconSize / 2;
  DrawIconEx(dc, 8, y, FScaledIcon.Get(), IconSize, IconSize, 0, nullptr, DI_NORMAL);
}

// The system menu style bit is off while the skin paints the frame, so the
// system draws and answers no caption buttons of its own.
void TWinSkinForm::SetSysMenuStyle(bool remove) {
  if (FrameButtons & 16) return;
  const auto current = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
  DWORD wanted = current;
  if (remove)
    wanted &= ~WS_SYSMENU;
  else if (SysMenuHandle)
    wanted |= WS_SYSMENU;
  Style = wanted;
  if (wanted != current) SetWindowLongPtrW(Handle, GWL_STYLE, static_cast<LONG_PTR>(wanted));
}

// --- Non-client messages ----------------------------------------------------------------

void TWinSkinForm::HandleNcPaint(TMessage& msg) {
  SetSysMenuStyle(true);
  msg.Result = 0;
  if (!SkinData->FramePainting) return;
  if ((IsMdiChild() && Maximized()) || FrameKind == 2) return CallOldProc(msg);
  PaintFrame(nullptr);
}

void TWinSkinForm::HandleNcActivate(TMessage& msg) {
  Active = msg.WParam != 0;
  if (HintTimer) HintTimer->SetEnabled(Active);
  if (MdiRole == 1 && MdiClient) SendMessageW(MdiClient, WM_NCACTIVATE, msg.WParam, 0);
  if (IsMdiChild()) CallOldProc(msg);
  if (!(IsMdiChild() && Maximized())) PaintFrame(nullptr);
  msg.Result = 1;
}

TNCObject* TWinSkinForm::TargetAt(POINT p) {
  if (!ButtonsCurrent()) return nullptr;
  for (auto& b : SysButtons)
    if (b->Visible && b->Definition->Action >= 0 && PtInRect(&b->Bounds, p)) return b.get();
  if (MenuBar) return MenuBar->ButtonAt(p);
  return nullptr;
}

void TWinSkinForm::HideCaptionHint() {
  if (!SkinData) return;
  SkinData->HideCaptionButtonHint();
  SkinData->HintHoverTime = 0;
}

void TWinSkinForm::HandleNcMouseMove(TMessage& msg) {
  msg.Result = 0;
  if (!Active) return;
  if (TNCObject* target =
          TargetAt(ToWindowPoint({GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)}))) {
    target->Hover();
    return;
  }
  if (HotObject) HotObject->Leave();
  HotObject = nullptr;
  CallOldProc(msg);
}

void TWinSkinForm::HandleNcLButtonDown(TMessage& msg) {
  HideCaptionHint();
  if (TNCObject* target =
          TargetAt(ToWindowPoint({GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)}))) {
    if (!Active) SetForegroundWindow(Handle);
    target->Press();
    msg.Result = 0;
    // A menu bar button opens its drop-down and stays hot meanwhile.
    if (auto* menuButton = dynamic_cast<TMenuBtn*>(target)) OpenMenuButton(menuButton);
    return;
  }
  // A maximized window cannot be dragged by its caption.
  if (Maximized() && msg.WParam == HTCAPTION && Active) msg.WParam = HTMENU;
  CallOldProc(msg);
}

void TWinSkinForm::HandleNcLButtonUp(TMessage& msg) {
  HideCaptionHint();
  const POINT screen{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
  if (TNCObject* target = TargetAt(ToWindowPoint(screen))) {
    if (dynamic_cast<TWinSysButton*>(target) && target == HotObject) {
      target->Release();
      ButtonAction(screen);
    }
    msg.Result = 0;
    return;
  }
  CallOldProc(msg);
}

void TWinSkinForm::HandleNcLButtonDblClk(TMessage& msg) {
  msg.Result = 0;
  if (TNCObject* target =
          TargetAt(ToWindowPoint({GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)}))) {
    if (auto* b = dynamic_cast<TWinSysButton*>(target);
        b && (b->Definition->Action == 3 || b->Definition->Action == 11)) {
      if (HintTimer) HintTimer->SetEnabled(false);
      PostSysCommand(Handle, SC_CLOSE);
    }
    return;
  }
  if (WindowState != 0)
    RestoreWindow();
  else if (FrameButtons & 1)
    MaximizeWindow();
  else
    CallOldProc(msg);
}

void TWinSkinForm::HandleNcRButtonDown(TMessage& msg) {
  HideCaptionHint();
  if (msg.WParam == HTCAPTION && !IsMdiChild()) {
    OpenSysMenu({GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)});
    msg.Result = 0;
    return;
  }
  CallOldProc(msg);
}

// --- What the buttons do -------------------------------------------------------------------

void TWinSkinForm::ButtonAction(POINT point) {
  auto* button = dynamic_cast<TWinSysButton*>(HotObject);
  if (!button) return;
  const int action = button->Definition->Action;
  auto toActiveChild = [this](WPARAM command) {
    if (MdiRole != 1 || !MdiClient) return;
    if (HWND child = reinterpret_cast<HWND>(SendMessageW(MdiClient, WM_MDIGETACTIVE, 0, 0)))
      SendMessageW(child, WM_SYSCOMMAND, command, 0);
  };
  switch (action) {
  case 0: {
    const TOsVersion& v = OsVersion();
    const bool assumed = !v.NTFamily || v.Major < 5;
    if (assumed || GetMenuState(GetSystemMenu(Handle, FALSE), SC_CLOSE, MF_BYCOMMAND) !=
                       static_cast<UINT>(-1)) {
      if (HintTimer) HintTimer->SetEnabled(false);
      PostSysCommand(Handle, SC_CLOSE);
    }
    break;
  }
  case 1:
  case 22:
    if (button->Enabled) MaximizeWindow();
    break;
  case 2:
  case 23:
    if (button->Enabled) MinimizeWindow();
    break;
  case 3:
  case 11:
  case 12: OpenSysMenu({point.x + 1, point.y + 1}); break;
  case 4: PostSysCommand(Handle, SC_CONTEXTHELP); break;
  case 7:
  case 60: toActiveChild(SC_MINIMIZE); break;
  case 8:
  case 61: toActiveChild(SC_RESTORE); break;
  case 9:
  case 62: toActiveChild(SC_CLOSE); break;
  default: PostMessageW(Handle, SKN_CUSTOMBUTTON, static_cast<WPARAM>(action), 0); break;
  }
}

void TWinSkinForm::MaximizeWindow() {
  if (Maximized()) return RestoreWindow();
  if (IsMdiChild())
    if (TSkinManage* m = Manager()) m->SetMdiMaximized(true);
  WindowState = 1;
  PostSysCommand(Handle, SC_MAXIMIZE);
  HotObject = nullptr;
}

void TWinSkinForm::MinimizeWindow() {
  if (Minimized()) return RestoreWindow();
  WindowState = 2;
  SetSysMenuStyle(false);
  PostSysCommand(Handle, SC_MINIMIZE);
}

void TWinSkinForm::RestoreWindow() {
  WindowState = 0;
  PostSysCommand(Handle, SC_RESTORE);
}

// --- Hints ---------------------------------------------------------------------------------

std::wstring TWinSkinForm::ButtonHint(int action) {
  switch (action) {
  case 0:
  case 9:
  case 62: return L"Close";
  case 1:
  case 22: return L"Maximize";
  case 2:
  case 7:
  case 23:
  case 60: return L"Minimize";
  case 8:
  case 61: return L"Restore";
  default: return L"";
  }
}

void TWinSkinForm::HintTick(TObject*) {
  if (MenuTracking || !HotObject || !ButtonsCurrent() || !HotObject) return;
  POINT cursor;
  GetCursorPos(&cursor);
  const POINT p = ToWindowPoint(cursor);
  if (!PtInRect(&HotObject->Bounds, p)) {
    HotObject->Leave();
    HotObject = nullptr;
    HideCaptionHint();
    return;
  }
  auto* button = dynamic_cast<TWinSysButton*>(HotObject);
  if (!button) return;
  SkinData->HintHoverTime += static_cast<int>(HintTimer ? HintTimer->Interval() : 250);
  const int pause = Application ? Application->HintPause : 500;
  const int hidePause = Application ? Application->HintHidePause : 2500;
  if (SkinData->HintHoverTime < 2 * pause) return;
  if (SkinData->HintHoverTime < 2 * pause + hidePause) {
    GetWindowRect(Handle, &WindowRect);
    const std::wstring text = ButtonHint(button->Definition->Action);
    if (!text.empty()) {
      const LONG x = HotObject->Bounds.left + WindowRect.left, y = cursor.y + 24;
      SkinData->ShowCaptionButtonHint({x, y, x, y}, text);
    }
  } else {
    SkinData->HideCaptionButtonHint();
  }
}
