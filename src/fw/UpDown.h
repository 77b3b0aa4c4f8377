#pragma once
// The up-down arrows over the common control's msctls_updown32 class,
// optionally bound to an associated control whose text shows the position.

#include "fw/Controls.h"

enum TUDOrientation { udHorizontal, udVertical };
extern const TEnumInfo UDOrientationInfo;
enum TUDAlignButton { udLeft, udRight };
extern const TEnumInfo UDAlignButtonInfo;
enum TUDBtnType { udNext, udPrev }; // the media player has its own btNext and btPrev
using TUDClickEvent = TEvent<TObject*, TUDBtnType>;

class TUpDown : public TWinControl {
  FW_DECLARE_CLASS(TUpDown)
public:
  explicit TUpDown(TComponent* owner);
  int Min() const { return FMin; }
  void SetMin(int v);
  int Max() const { return FMax; }
  void SetMax(int v);
  int Position() const;
  void SetPosition(int v);
  int Increment() const { return FIncrement; }
  void SetIncrement(int v);
  bool Wrap() const { return FWrap; }
  void SetWrap(bool v);
  TUDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation v);
  TUDAlignButton AlignButton() const { return FAlignButton; }
  void SetAlignButton(TUDAlignButton v);
  TWinControl* Associate() const { return FAssociate; }
  void SetAssociate(TWinControl* v);
  TUDClickEvent OnClick;
  void WndProc(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void DestroyWnd() override;

private:
  void UpdateWindow();
  int FMin = 0, FMax = 100, FPosition = 0, FIncrement = 1;
  bool FWrap = false;
  TUDOrientation FOrientation = udVertical;
  TUDAlignButton FAlignButton = udRight;
  TWinControl* FAssociate = nullptr;
};
