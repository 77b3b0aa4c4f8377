#pragma once
// The date-time picker over the common control's SysDateTimePick32 class:
// a date with a drop-down calendar, or with up-down arrows, or a time.

#include "fw/Controls.h"

enum TDateTimeKind { dtkDate, dtkTime };
extern const TEnumInfo DateTimeKindInfo;
enum TDTDateMode { dmComboBox, dmUpDown };
extern const TEnumInfo DTDateModeInfo;

class TDateTimePicker : public TWinControl {
  FW_DECLARE_CLASS(TDateTimePicker)
public:
  explicit TDateTimePicker(TComponent* owner);
  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind v);
  TDTDateMode DateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode v);
  SYSTEMTIME DateTime() const;
  void SetDateTime(const SYSTEMTIME& v);
  TNotifyEvent OnChange;
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void DestroyWnd() override;

private:
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  SYSTEMTIME FDateTime{};
};
