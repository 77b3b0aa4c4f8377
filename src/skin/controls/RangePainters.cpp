#include "skin/controls/RangePainters.h"

#include "skin/data/ElementDraw.h"
#include "skin/form/WinSkinForm.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

FW_CLASS_IMPL(TSkinTrackBar, TSkinControl, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinUpDown, TSkinControl, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinProgress, TSkinControl, nullptr, NoSetup)

namespace {

constexpr unsigned kHot = 1, kDown = 2;

// A channel picture cut in three along its length: the caps keep their
// size, the middle is stretched to fill.
Bitmap ThreeStretched(const Bitmap& image, int length, int capStart, int capEnd, bool vertical) {
  const int across = vertical ? image.Width() : image.Height();
  const int own = vertical ? image.Height() : image.Width();
  Bitmap out(vertical ? across : length, vertical ? length : across, clMagenta);
  if (image.Empty() || length <= 0) return out;
  capStart = std::clamp(capStart, 0, own);
  capEnd = std::clamp(capEnd, 0, own - capStart);
  auto part = [&](int from, int to, int dFrom, int dTo) {
    if (to <= from || dTo <= dFrom) return;
    const TRect src = vertical ? TRect{0, from, across, to} : TRect{from, 0, to, across};
    const TRect dst = vertical ? TRect{0, dFrom, across, dTo} : TRect{dFrom, 0, dTo, across};
    StretchCopy(out, dst, image, src);
  };
  part(0, capStart, 0, std::min(capStart, length));
  part(capStart, own - capEnd, capStart, length - capEnd);
  part(own - capEnd, own, std::max(length - capEnd, 0), length);
  return out;
}

} // namespace

// --- Track bars ---------------------------------------------------------------------------

bool TSkinTrackBar::BeforeMessage(TMessage& msg) {
  if (msg.Msg == WM_NOTIFY || msg.Msg == CN_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(msg.LParam);
    if (header && header->code == NM_CUSTOMDRAW) {
      msg.Result = CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(msg.LParam));
      return false;
    }
    return true;
  }
  return TSkinControl::BeforeMessage(msg);
}

LRESULT TSkinTrackBar::CustomDraw(NMCUSTOMDRAW& cd) {
  if (cd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (cd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  switch (cd.dwItemSpec) {
  case TBCD_THUMB: DrawThumb(cd.hdc); return CDRF_SKIPDEFAULT;
  case TBCD_CHANNEL: DrawChannel(cd.hdc); return CDRF_SKIPDEFAULT;
  default: return CDRF_DODEFAULT; // the tick marks stay the system's
  }
}

void TSkinTrackBar::DrawChannel(HDC dc) {
  RECT c{};
  SendMessageW(Handle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
  const TSkinDefinition& skin = SkinData->Skin();
  const bool vertical = GetStyle(Handle, GWL_STYLE) & TBS_VERT;
  if (vertical) {
    // Some systems report the channel of a vertical bar lying down, others
    // upright; it is always taller than wide.
    if (c.right - c.left > c.bottom - c.top) c = {c.top, c.left, c.bottom, c.right};
    const TDataSkinObject* e = skin.Element(ssTrackVert);
    if (!e || e->Image.Empty()) return;
    const int w = e->Image.Width();
    const int x = w < c.right - c.left ? c.left + ((c.right - c.left) - w) / 2 : c.left;
    DrawBitmap(dc, x, c.top,
               ThreeStretched(e->Image, c.bottom - c.top, e->TopHeight, e->BottomHeight, true));
    return;
  }
  const TDataSkinObject* e = skin.Element(ssTrack);
  if (!e || e->Image.Empty()) return;
  const int h = e->Image.Height();
  const int y = h < c.bottom - c.top ? c.top + ((c.bottom - c.top) - h) / 2 : c.top;
  DrawBitmap(dc, c.left, y,
             ThreeStretched(e->Image, c.right - c.left, e->LeftWidth, e->RightWidth, false));
}

void TSkinTrackBar::DrawThumb(HDC dc) {
  if (!IsWindow(Handle)) return;
  RECT t{};
  SendMessageW(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
  const TSkinDefinition& skin = SkinData->Skin();
  const bool vertical = GetStyle(Handle, GWL_STYLE) & TBS_VERT;
  const TDataSkinObject* e = vertical ? skin.Element(ssTrackbarThumbVert) : nullptr;
  if (!e || e->Image.Empty()) e = skin.Element(ssTrackbarThumbHorz);
  if (e && !e->Image.Empty()) {
    DrawStripFrame(dc, t, 5, 2, e->Image);
    return;
  }
  TGdiPen pen(CreatePen(PS_SOLID, 1, ColorToCOLORREF(skin.Colors[scButtonShadow])));
  TSelection p(dc, pen.Get());
  TSelection b(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, t.left, t.top, t.right, t.bottom);
}

// A focus change makes the control draw itself again.
void TSkinTrackBar::SkinChanged() {
  HWND before = GetFocus();
  SetFocus(Handle);
  if (before && before != Handle) SetFocus(before);
}

// --- Up-down arrows ---------------------------------------------------------------------------

int TSkinUpDown::FrameOf(int kind, int state) {
  return kind < 2 ? state + 4 * kind : state + 4 * (kind - 2);
}

bool TSkinUpDown::BeforeMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_PAINT: HandlePaint(msg); return false;
  case WM_ERASEBKGND:
    if (!Control && msg.WParam) {
      RECT r;
      GetClientRect(Handle, &r);
      FillColor(reinterpret_cast<HDC>(msg.WParam), r, clWhite);
    }
    msg.Result = 1;
    return false;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    CallDefault(msg);
    MouseState |= kDown;
    PaintWindow(nullptr);
    return false;
  case WM_LBUTTONUP:
    MouseState &= ~kDown;
    CallDefault(msg);
    PaintWindow(nullptr);
    return false;
  case WM_MOUSEMOVE:
    // The half under the mouse shows hot; it goes when the mouse leaves.
    CallDefault(msg);
    MouseState |= kHot;
    SkinTrackMouseLeave(Handle);
    PaintWindow(nullptr);
    return false;
  case WM_MOUSELEAVE:
    CallDefault(msg);
    MouseState &= ~(kHot | kDown);
    PaintWindow(nullptr);
    return false;
  default: return TSkinControl::BeforeMessage(msg);
  }
}

void TSkinUpDown::Paint(HDC dc, const RECT& rect) {
  RECT r = rect;
  if (Embedded) {
    RECT client;
    GetClientRect(Handle, &client);
    FillColor(dc, client, clWhite);
    // Keep clear of the edit's frame.
    RECT own, parent;
    GetWindowRect(Handle, &own);
    GetWindowRect(GetParent(Handle), &parent);
    if (own.top - parent.top < 3) r.top += 3 - (own.top - parent.top);
    if (parent.bottom - own.bottom < 3) r.bottom -= 3 - (parent.bottom - own.bottom);
    if (parent.right - own.right < 3) r.right -= 3 - (parent.right - own.right);
  }
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  TBitmap buffer;
  buffer.SetSize(w, h);
  if (buffer.Empty()) return;
  HDC b = buffer.Canvas().Handle();
  const TSkinDefinition& skin = SkinData->Skin();
  FillColor(b, {0, 0, w, h}, FaceColor());
  POINT cursor;
  GetCursorPos(&cursor);
  ::ScreenToClient(Handle, &cursor);
  cursor.x -= r.left;
  cursor.y -= r.top;
  Enabled = !(GetStyle(Handle, GWL_STYLE) & WS_DISABLED);
  const bool horizontal = Horizontal || (GetStyle(Handle, GWL_STYLE) & UDS_HORZ);
  const TDataSkinObject* e = skin.Element(horizontal ? ssUpDownHorz : ssUpDownVert);
  const TDataSkinBorder* glyphs =
      skin.ElementWithSecondImage(horizontal ? ssUpDownHorz : ssUpDownVert);
  for (int half = 0; half < 2; ++half) {
    const int kind = (horizontal ? 2 : 0) + half;
    const RECT part = horizontal ? RECT{half ? w / 2 : 0, 0, half ? w : w / 2, h}
                                 : RECT{0, half ? h / 2 : 0, w, half ? h : h / 2};
    int state = 1;
    if (!Enabled)
      state = 3;
    else if (PtInRect(&part, cursor))
      state = (MouseState & kDown) ? 2 : (MouseState & kHot) ? 4 : 1;
    if (e && !e->Image.Empty()) {
      const int frame = FrameOf(kind, state);
      DrawNineSlice(b, part, *e, frame);
      if (glyphs && !glyphs->Image2.Empty())
        ::DrawFrameCentered(b, part, glyphs->Image2, true, std::max(e->Frame, 1), frame);
      continue;
    }
    // Without the element: a plain button with a small arrow.
    FillColor(b, part, state == 2 || state == 4 ? skin.Colors[scButtonShadow] : FaceColor());
    const COLORREF line = ColorToCOLORREF(skin.Colors[scButtonDkShadow]);
    TGdiBrush outline(CreateSolidBrush(line));
    FrameRect(b, &part, outline.Get());
    TGdiPen pen(CreatePen(PS_SOLID, 1, line));
    TSelection sp(b, pen.Get());
    const int cx = (part.left + part.right) / 2, cy = (part.top + part.bottom) / 2;
    for (int row = 0; row < 5; ++row) {
      if (kind < 2) {
        // Nine pixels across at the base, tip up or down, two rows high of centre.
        const int span = kind == 0 ? row : 4 - row;
        const int y = cy - 4 + row;
        MoveToEx(b, cx - span, y, nullptr);
        LineTo(b, cx + span + 1, y);
      } else {
        // Three pixels across, five rows, tip left or right.
        const int reach = 2 - std::abs(row - 2);
        const int y = cy - 2 + row;
        if (kind == 2) {
          MoveToEx(b, cx + 1 - reach, y, nullptr);
          LineTo(b, cx + 2, y);
        } else {
          MoveToEx(b, cx - 1, y, nullptr);
          LineTo(b, cx + reach, y);
        }
      }
    }
  }
  BitBlt(dc, r.left, r.top, w, h, b, 0, 0, SRCCOPY);
}

// --- Progress bars ------------------------------------------------------------------------

bool TSkinProgress::BeforeMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_PAINT: {
    const TDataSkinObject* e = SkinData ? SkinData->Skin().Element(ssProgress) : nullptr;
    if (!e || e->Image.Empty()) return true;
    HandlePaint(msg);
    msg.Result = 0;
    return false;
  }
  case WM_ERASEBKGND: msg.Result = 1; return false;
  default: return TSkinControl::BeforeMessage(msg);
  }
}

void TSkinProgress::Paint(HDC dc, const RECT& rect) {
  const TSkinDefinition& skin = SkinData->Skin();
  const TDataSkinObject* e = skin.Element(ssProgress);
  if (!e || e->Image.Empty()) return;
  const bool vertical = GetStyle(Handle, GWL_STYLE) & PBS_VERTICAL;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  // A vertical bar is drawn lying down and turned at the end.
  const int bw = vertical ? h : w, bh = vertical ? w : h;
  TBitmap buffer;
  buffer.SetSize(bw, bh);
  if (buffer.Empty()) return;
  HDC b = buffer.Canvas().Handle();
  FillColor(b, {0, 0, bw, bh}, FaceColor());
  const int pos = static_cast<int>(SendMessageW(Handle, PBM_GETPOS, 0, 0));
  const int hi = static_cast<int>(SendMessageW(Handle, PBM_GETRANGE, FALSE, 0));
  const int lo = static_cast<int>(SendMessageW(Handle, PBM_GETRANGE, TRUE, 0));
  const TDataSkinObject* chunk = skin.Element(ssProgressChunk);
  const bool chunkMode = e->Frame == 1 && chunk && !chunk->Image.Empty();
  if (!chunkMode) {
    DrawNineSlice(b, {0, 0, bw, bh}, *e, 1);
    if (hi > 0 && pos > 0 && hi != lo) {
      const int filled = MulDiv(bw, pos - lo, hi - lo);
      if (filled > 0) DrawNineSlice(b, {0, 0, std::min(filled, bw), bh}, *e, 2);
    }
  } else {
    DrawNineSlice(b, {0, 0, bw, bh}, *e, 1);
    // Measured from the low limit as in the two-frame mode: a bar from 10
    // to 20 at 15 is half full, not three quarters.
    if (hi > 0 && pos > 0 && hi != lo) {
      const int filled = std::min(MulDiv(bw, pos - lo, hi - lo), bw);
      const int cw = chunk->Image.Width(), ch = chunk->Image.Height();
      if (filled > 0 && cw > 0) {
        if (chunk->TileCentre()) {
          Bitmap strip(filled, ch);
          for (int i = 0; i <= filled / cw; ++i)
            StretchCopy(strip, RectOf(i * cw, 0, cw, ch), chunk->Image, RectOf(0, 0, cw, ch));
          DrawBitmap(b, chunk->LeftWidth + 2, (bh - ch) / 2, strip);
        } else if (bh > 4) {
          TBitmap piece;
          piece.SetSize(filled, bh - 4);
          if (!piece.Empty()) {
            FillColor(piece.Canvas().Handle(), {0, 0, filled, bh - 4}, FaceColor());
            DrawNineSlice(piece.Canvas().Handle(), {0, 0, filled, bh - 4}, *chunk, 1);
            BitBlt(b, 2, 2, filled, bh - 4, piece.Canvas().Handle(), 0, 0, SRCCOPY);
          }
        }
      }
    }
  }
  if (!vertical) {
    BitBlt(dc, rect.left, rect.top, w, h, b, 0, 0, SRCCOPY);
    return;
  }
  Bitmap turned = buffer.ToBitmap();
  RotateLeft(turned);
  DrawBitmap(dc, rect.left, rect.top, turned);
}
