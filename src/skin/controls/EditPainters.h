#pragma once
// Edits, combo boxes and date-time pickers with the skin's frames: the
// edit's flat frame (and the skinned up-down inside it), the combo box's
// frame and drop-down button in its flat, composite, separate or extended
// look with its list's scroll bar, and the picker's frame with an arrow
// button of the skin over the picker's own.

#include "skin/controls/SkinControl.h"

class TSkinUpDown;
class TComboxScrollBar;
class TSkinScrollbarH;
class TSkinDateTime;

class TSkinEdit : public TSkinControl {
  FW_DECLARE_CLASS(TSkinEdit)
public:
  using TSkinControl::TSkinControl;
  TSkinUpDown* UpDown = nullptr;
  bool BeforeMessage(TMessage& msg) override;
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void FindUpDown();
  void PrintFrame(HDC dc);
};

class TSkinComBox : public TSkinControl {
  FW_DECLARE_CLASS(TSkinComBox)
public:
  using TSkinControl::TSkinControl;
  ~TSkinComBox() override;
  DWORD ComboStyle = 0, ComboExStyle = 0;
  HWND EditWindow = nullptr;
  TWindowSubclass EditProcThunk; // the edit child (EditOldProc inside)
  HWND ListWindow = nullptr;
  TSkinScrollbarH* ListScrollBars = nullptr;
  TComboxScrollBar* ListScrollBar = nullptr;
  COMBOBOXINFO ComboInfo{};
  RECT ButtonRect{};
  bool ExtendedCombo = false;

  void Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) override;
  void AttachWindow(HWND wnd, TSkinData* skin, TWinSkinForm* engine, TCanvas* canvas) override;
  void Detach() override;
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  void Notification(TComponent* component, TOperation operation) override;
  // The state index of the flat look and of the others: 1 normal, 2
  // pressed, 3 disabled, 4 hot or focused.
  static int FlatState(bool enabled, bool focused, bool pressed, bool hot);
  static int LookState(bool enabled, bool focused, bool pressed, bool hot);

private:
  void SetUpEditAndList(bool withListPainters);
  void EditProc(TMessage& msg);
  bool QueryInfo();
  void PaintFlat(HDC dc, const RECT& r, bool left);
  void PaintComposite(HDC dc, const RECT& r, bool left, int state);
  void PaintSeparate(HDC dc, const RECT& r, bool left, int state);
  void PaintExtended(HDC dc, const RECT& r, int state);
};

// The skin's arrow over a date-time picker's own drop-down button; a click
// on it is handed to the picker's button beneath.
class TArrowButton : public TCustomControl {
  FW_DECLARE_CLASS(TArrowButton)
public:
  explicit TArrowButton(TComponent* owner);
  TSkinDateTime* OwnerPainter = nullptr;
  TControl* Picker = nullptr;
  HWND PickerWindow = nullptr;
  int ButtonWidth = 0;
  bool Hot = false;
  void Place(int pickerWidth);
  void WndProc(TMessage& msg) override;

protected:
  void Paint() override;
};

class TSkinDateTime : public TSkinControl {
  FW_DECLARE_CLASS(TSkinDateTime)
public:
  using TSkinControl::TSkinControl;
  TArrowButton* ArrowButton = nullptr; // owned
  void Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) override;
  void Detach() override;
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  bool AddedClipChildren = false; // the picker's WS_CLIPCHILDREN is ours
};

// The frame test: a window without a non-client border gets no frame.
bool HasBorder(HWND wnd);
