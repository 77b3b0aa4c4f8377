#include "fw/HintWindow.h"

FW_CLASS_IMPL(THintWindow, TCustomControl, CreateComponentOf<THintWindow>, NoSetup)

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetParentFont(false);
  SetColor(clInfoBk);
  Font().SetColor(clInfoText);
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
    Font().SetFromLogFont(ncm.lfStatusFont);
}

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  p.WndParent = nullptr;
  p.ClassStyle |= CS_SAVEBITS;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::wstring& text) {
  RECT r{0, 0, maxWidth, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font().Handle());
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  r.right += 6; // room for the border and a margin
  r.bottom += 2;
  return r;
}

void THintWindow::ActivateHint(const RECT& rect, const std::wstring& text) {
  SetCaption(text);
  HWND wnd = Handle();
  SetWindowPos(wnd, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(wnd, nullptr, TRUE);
}

void THintWindow::ReleaseHint() {
  if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
}

bool THintWindow::Showing() const {
  return HandleAllocated() && IsWindowVisible(WindowHandle());
}

void THintWindow::Paint() {
  RECT r = ClientRect();
  Canvas().FillRect(r);
  InflateRect(&r, -2, 0);
  r.top += 1;
  SetBkMode(Canvas().Handle(), TRANSPARENT);
  Canvas().DrawTextRect(Caption(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}
