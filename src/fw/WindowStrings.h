#pragma once
// The lines of a list box or combo box.

#include "fw/Controls.h"
#include "fw/Strings.h"

// Items of a list box or combo box: kept in the window while it exists and
// in a plain list otherwise.
class TWindowStrings : public TStrings {
  FW_DECLARE_CLASS(TWindowStrings)
public:
  struct TMessages {
    UINT GetCount, GetTextLen, GetText, AddString, InsertString, DeleteString, ResetContent,
        InitStorage;
  };
  TWindowStrings(TWinControl* owner, const TMessages& messages);
  int Count() const override;
  std::wstring Get(int index) const override;
  void Insert(int index, const std::wstring& s) override;
  int Add(const std::wstring& s) override;
  void Delete(int index) override;
  void Clear() override;
  // The control keeps the lines in its window from now on, or takes them back.
  void WindowCreated();
  void WindowDestroying();

protected:
  void SetUpdateState(bool updating) override;

private:
  HWND Window() const;
  TWinControl* FOwner;
  TMessages FMsg;
  TStringList FSaved;
  bool FInWindow = false;
};
