#include "fw/DateTimePicker.h"

#include "fw/CommonControls.h"

#include <commctrl.h>

const TEnumInfo DateTimeKindInfo{"TDateTimeKind", {"dtkDate", "dtkTime"}};
const TEnumInfo DTDateModeInfo{"TDTDateMode", {"dmComboBox", "dmUpDown"}};

static void SetupDateTimePicker(TClassInfo& c) {
  using T = TDateTimePicker;
  c.Props.push_back(EnumProp<T>(
      "Kind", DateTimeKindInfo, [](T* o) { return static_cast<int>(o->Kind()); },
      [](T* o, int v) { o->SetKind(static_cast<TDateTimeKind>(v)); }, dtkDate));
  c.Props.push_back(EnumProp<T>(
      "DateMode", DTDateModeInfo, [](T* o) { return static_cast<int>(o->DateMode()); },
      [](T* o, int v) { o->SetDateMode(static_cast<TDTDateMode>(v)); }, dmComboBox));
  c.Props.push_back(EventProp("OnChange", &T::OnChange));
}
FW_CLASS_IMPL(TDateTimePicker, TWinControl, CreateComponentOf<TDateTimePicker>, SetupDateTimePicker)

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption;
  SetBounds(0, 0, 186, 24);
  SetTabStop(true);
  SetColor(clWindow);
  GetLocalTime(&FDateTime);
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
  EnsureCommonControls();
  TWinControl::CreateParams(p);
  p.SysClassName = DATETIMEPICK_CLASSW;
  if (FKind == dtkTime)
    p.Style |= DTS_TIMEFORMAT;
  else
    p.Style |= DTS_SHORTDATEFORMAT;
  if (FDateMode == dmUpDown || FKind == dtkTime) p.Style |= DTS_UPDOWN;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDateTimePicker::HandleCreated() {
  SendMessageW(WindowHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FDateTime));
}

void TDateTimePicker::DestroyWnd() {
  FDateTime = DateTime();
  TWinControl::DestroyWnd();
}

SYSTEMTIME TDateTimePicker::DateTime() const {
  if (!HandleAllocated()) return FDateTime;
  SYSTEMTIME st = FDateTime;
  SendMessageW(WindowHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  return st;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& v) {
  FDateTime = v;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), DTM_SETSYSTEMTIME, GDT_VALID,
                 reinterpret_cast<LPARAM>(&FDateTime));
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
  if (v == FKind) return;
  FKind = v;
  RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode v) {
  if (v == FDateMode) return;
  FDateMode = v;
  RecreateWnd();
}

void TDateTimePicker::WndProc(TMessage& msg) {
  if (msg.Msg == CN_NOTIFY) {
    const auto* h = reinterpret_cast<const NMHDR*>(msg.LParam);
    if (h->code == DTN_DATETIMECHANGE && OnChange) OnChange(this);
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}
