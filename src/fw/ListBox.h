#pragma once
// The list box over the system's LISTBOX class.

#include "fw/WindowStrings.h"

class TCustomListBox : public TWinControl {
  FW_DECLARE_CLASS(TCustomListBox)
public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;
  TStrings& Items() { return FItems; }
  void SetItems(TStrings* v) { FItems.Assign(*v); }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int v);
  int ItemIndex() const;
  void SetItemIndex(int v);

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void DestroyWnd() override;
  void FontChanged() override;

private:
  TWindowStrings FItems;
  int FItemHeight = 16;
  int FSavedIndex = -1;
};

class TListBox : public TCustomListBox {
  FW_DECLARE_CLASS(TListBox)
public:
  using TCustomListBox::TCustomListBox;
};
