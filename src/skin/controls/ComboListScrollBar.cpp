#include "skin/controls/ComboListScrollBar.h"

#include "skin/controls/ScrollPainters.h"

#include <windowsx.h>

#include <algorithm>

FW_CLASS_IMPL(TComboxScrollBar, TSkinControl, nullptr, NoSetup)

TComboxScrollBar::TComboxScrollBar(TComponent* owner) : TSkinControl(owner) {
  ArrowSize = GetSystemMetrics(SM_CXHSCROLL);
}

bool TComboxScrollBar::BeforeMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_NCPAINT: return true; // the list paints its frame; the bar follows after
  case WM_NCMOUSEMOVE:
    // The system's own hot bar is never drawn.
    if (msg.WParam == HTHSCROLL || msg.WParam == HTVSCROLL) {
      msg.Result = 0;
      return false;
    }
    return true;
  case WM_NCLBUTTONDOWN:
    if (DragThumb(msg)) {
      msg.Result = 0;
      return false;
    }
    return true;
  default: return TSkinControl::BeforeMessage(msg);
  }
}

void TComboxScrollBar::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_NCPAINT:
  case WM_HSCROLL:
  case WM_VSCROLL:
  case 0x01AE: // the list's own repaint after a selection
    PaintWindow(nullptr);
    break;
  default: TSkinControl::AfterMessage(msg);
  }
}

void TComboxScrollBar::Paint(HDC dc, const RECT&) {
  const TDataSkinObject* strip = SkinData ? SkinData->Skin().Element(ssScrollbar) : nullptr;
  if (!strip || strip->Image.Empty()) return;
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  if (!SkinGetScrollBarInfo(Handle, OBJID_VSCROLL, &sbi)) return;
  if (sbi.rgstate[0] & STATE_SYSTEM_INVISIBLE) return;
  RECT window;
  GetWindowRect(Handle, &window);
  const int width = window.right - window.left, height = window.bottom - window.top;
  const int barWidth = sbi.rcScrollBar.right - sbi.rcScrollBar.left;
  const int barHeight = sbi.rcScrollBar.bottom - sbi.rcScrollBar.top;
  if (barWidth <= 0 || barHeight <= 0 || barWidth > width || barHeight > height) return;
  int k = strip->Image.Height();
  if (std::abs(k - ArrowSize) > 2) k = ArrowSize;
  ThumbStart = sbi.xyThumbTop;
  ThumbEnd = sbi.xyThumbBottom;
  TBarPaint bar;
  bar.Vertical = true;
  bar.Enabled = !(sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  bar.ThumbStart = ThumbStart;
  bar.ThumbEnd = ThumbEnd;
  const int x = sbi.rcScrollBar.left - window.left, y = sbi.rcScrollBar.top - window.top;
  PaintSkinBar(dc, {x, y, x + k, y + barHeight}, *SkinData, ArrowSize, bar, {width, height});
}

int TComboxScrollBar::DragPosition(int offset, int trackLength, int thumbLength,
                                   const SCROLLINFO& si) {
  int o = std::max(offset, 0);
  int pos;
  if (si.nPage == 0) {
    // Scaled over the track the thumb can move along, so that the thumb at
    // its end is the last position (over the whole track the last
    // positions could never be reached).
    const int free = trackLength - thumbLength;
    o = std::min(o, free);
    pos = free > 0 ? std::min(MulDiv(o, si.nMax - si.nMin, free) + si.nMin, si.nMax) : si.nMin;
  } else {
    if (o > trackLength - thumbLength) o = trackLength - thumbLength + 1;
    pos = MulDiv(o, si.nMax - si.nMin - static_cast<int>(si.nPage), trackLength - thumbLength) +
          si.nMin;
    // In 64 bits: the page is unsigned and may exceed the range.
    const long long top = static_cast<long long>(si.nMax) - static_cast<long long>(si.nPage);
    if (static_cast<long long>(pos) >= top) pos = static_cast<int>(top + 1);
  }
  return std::max(pos, si.nMin);
}

// The system's thumb tracking replaced by a loop that moves the list as the
// mouse moves and ends with the button. What it dispatches may free the
// list and this painter with it (the combo box going), so after each
// message it reads nothing of the painter again once it is gone.
bool TComboxScrollBar::DragThumb(const TMessage& msg) {
  if (msg.WParam != HTVSCROLL) return false;
  HWND list = Handle;
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  if (!SkinGetScrollBarInfo(list, OBJID_VSCROLL, &sbi)) return false;
  const int y = GET_Y_LPARAM(msg.LParam) - sbi.rcScrollBar.top;
  if (y < sbi.xyThumbTop || y > sbi.xyThumbBottom) return false; // arrows and pages: the system's
  const auto alive = Alive();
  SetCapture(list);
  POINT c0;
  GetCursorPos(&c0);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
  GetScrollInfo(list, SB_VERT, &si);
  const int track = (sbi.rcScrollBar.bottom - sbi.rcScrollBar.top) - 2 * ArrowSize;
  const int thumb = sbi.xyThumbBottom - sbi.xyThumbTop;
  const int offset0 = sbi.xyThumbTop - ArrowSize;
  int last = si.nPos;
  auto finish = [&] {
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
    PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
  };
  for (bool done = false; !done;) {
    MSG m;
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      // Nothing waiting: sleep until something comes rather than spin.
      WaitMessage();
      continue;
    }
    switch (m.message) {
    case WM_NCMOUSEMOVE:
    case WM_MOUSEMOVE: {
      TranslateMessage(&m);
      DispatchMessageW(&m);
      POINT c;
      GetCursorPos(&c);
      const int pos = DragPosition(offset0 + c.y - c0.y, track, thumb, si);
      if (pos != last && IsWindow(list))
        SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
      last = pos;
      break;
    }
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
      finish();
      done = true;
      break;
    case WM_QUIT:
      PostQuitMessage(static_cast<int>(m.wParam)); // for the loop outside
      done = true;
      break;
    default: TranslateMessage(&m); DispatchMessageW(&m);
    }
    if (done) break;
    if (!IsWindow(list) || !*alive) break; // the list or its painter went
    // Somebody took the mouse away: the drag ends where it is.
    if (GetCapture() != list) {
      finish();
      done = true;
    }
  }
  if (GetCapture() == list) ReleaseCapture();
  return true;
}
