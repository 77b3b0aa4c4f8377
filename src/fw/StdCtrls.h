#pragma once
// The standard controls: label, edit, push button, list box, combo box and
// group box.

#include "fw/Controls.h"
#include "fw/Strings.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const TEnumInfo AlignmentInfo;

// A windowless text. With AutoSize it takes the size of its text.
class TCustomLabel : public TGraphicControl {
  FW_DECLARE_CLASS(TCustomLabel)
public:
  explicit TCustomLabel(TComponent* owner);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  void Loaded() override;

protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  UINT TextFormat() const;
  void AdjustBounds();

private:
  bool FAutoSize = true;
  bool FTransparent = false;
  TAlignment FAlignment = taLeftJustify;
  bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
  FW_DECLARE_CLASS(TLabel)
public:
  using TCustomLabel::TCustomLabel;
};

class TCustomEdit : public TWinControl {
  FW_DECLARE_CLASS(TCustomEdit)
public:
  explicit TCustomEdit(TComponent* owner);
  TNotifyEvent OnChange;
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  virtual void Change();

private:
  int FMaxLength = 0;
  bool FReadOnly = false;
};

class TEdit : public TCustomEdit {
  FW_DECLARE_CLASS(TEdit)
public:
  using TCustomEdit::TCustomEdit;
};

class TButton : public TWinControl {
  FW_DECLARE_CLASS(TButton)
public:
  explicit TButton(TComponent* owner);
  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& p) override;

private:
  bool FDefault = false;
  bool FCancel = false;
};

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

class TCustomGroupBox : public TCustomControl {
  FW_DECLARE_CLASS(TCustomGroupBox)
public:
  explicit TCustomGroupBox(TComponent* owner);

protected:
  void CreateParams(TCreateParams& p) override;
  void AdjustClientRect(RECT& r) const override;
  void Paint() override;
  void TextChanged() override { Invalidate(); }
};

class TGroupBox : public TCustomGroupBox {
  FW_DECLARE_CLASS(TGroupBox)
public:
  using TCustomGroupBox::TCustomGroupBox;
};

void RegisterStdControls();
