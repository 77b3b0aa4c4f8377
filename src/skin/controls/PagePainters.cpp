#include "skin/controls/PagePainters.h"

FW_CLASS_IMPL(TSkinBoxH, TSkinControl, nullptr, NoSetup)

bool TSkinBoxH::BeforeMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_ERASEBKGND: {
    RECT r;
    GetWindowRect(Handle, &r);
    OffsetRect(&r, -r.left, -r.top);
    if (msg.WParam) FillFace(reinterpret_cast<HDC>(msg.WParam), r);
    msg.Result = 0;
    return false;
  }
  case WM_CTLCOLORSTATIC:
    CallDefault(msg);
    msg.Result = reinterpret_cast<LRESULT>(SkinData->BackgroundBrush());
    return false;
  default: return TSkinControl::BeforeMessage(msg);
  }
}
