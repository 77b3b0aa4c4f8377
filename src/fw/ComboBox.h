#pragma once
// The combo box over the system's COMBOBOX class.

#include "fw/WindowStrings.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
extern const TEnumInfo ComboBoxStyleInfo;

class TCustomComboBox : public TWinControl {
  FW_DECLARE_CLASS(TCustomComboBox)
public:
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;
  TStrings& Items() { return FItems; }
  void SetItems(TStrings* v) { FItems.Assign(*v); }
  int ItemIndex() const;
  void SetItemIndex(int v);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int v);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle v);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int v) { FDropDownCount = v; }
  bool DroppedDown() const;
  // The edit window inside a drop-down combo box (null for a list style).
  HWND EditHandle() const;
  // The closed box keeps the height it is given, whatever its font.
  void SetBounds(int left, int top, int width, int height) override;
  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWindowHandle(const TCreateParams& p) override;
  void HandleCreated() override;
  void DestroyWnd() override;
  void FontChanged() override;
  virtual void Change();
  void FitHeight();
  void ApplyItemHeight();

private:
  TWindowStrings FItems;
  int FItemHeight = 16;
  int FSavedIndex = -1;
  int FDropDownCount = 8;
  int FWantedHeight = 24;
  TComboBoxStyle FStyle = csDropDown;
};

class TComboBox : public TCustomComboBox {
  FW_DECLARE_CLASS(TComboBox)
public:
  using TCustomComboBox::TCustomComboBox;
};
