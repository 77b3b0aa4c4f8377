#pragma once
// The radio group: a group box that shows one radio button per line of its
// Items, in Columns, and tells which one is checked through ItemIndex.

#include "fw/GroupBox.h"
#include "fw/RadioButton.h"
#include "fw/Strings.h"

#include <functional>

// The group's lines; every change rebuilds the buttons.
class TRadioGroupItems : public TStringList {
  FW_DECLARE_CLASS(TRadioGroupItems)
public:
  std::function<void()> OnChanged;
  void Put(int index, const std::wstring& s) override;
  void Insert(int index, const std::wstring& s) override;
  void Delete(int index) override;
  void Clear() override;

private:
  void Changed() {
    if (OnChanged) OnChanged();
  }
};

class TCustomRadioGroup : public TCustomGroupBox {
  FW_DECLARE_CLASS(TCustomRadioGroup)
public:
  explicit TCustomRadioGroup(TComponent* owner);
  ~TCustomRadioGroup() override;
  TStrings& Items() { return FItems; }
  void SetItems(TStrings* v) { FItems.Assign(*v); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int v);
  int Columns() const { return FColumns; }
  void SetColumns(int v);
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TRadioButton* Buttons(int i) const { return FButtons.at(i); }
  void Loaded() override;

protected:
  void AlignControls(RECT& r) override;

private:
  void UpdateButtons();
  void ArrangeButtons();
  void ButtonClicked(TObject* sender);
  TRadioGroupItems FItems;
  std::vector<TRadioButton*> FButtons; // children, owned by this group
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  FW_DECLARE_CLASS(TRadioGroup)
public:
  using TCustomRadioGroup::TCustomRadioGroup;
};
