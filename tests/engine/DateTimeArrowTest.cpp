// The date-time picker's arrow button: where it sits on the picker, the
// skin's arrow at rest and under the mouse, and a press that reaches the
// picker's own button beneath so its calendar opens and stays open.
#include "ControlSkinUtil.h"
#include "fw/DateTimePicker.h"
#include "skin/controls/EditPainters.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace enginetest {
namespace {

struct TPickerForm {
  explicit TPickerForm(DWORD exStyle = 0) : Form(ControlSpec()) {
    Picker = new TDateTimePicker(Form.Form);
    Picker->SetBounds(20, 20, 160, 26);
    Picker->SetParent(Form.Form);
    if (exStyle)
      SetWindowLongPtrW(Picker->Handle(), GWL_EXSTYLE,
                        GetWindowLongPtrW(Picker->Handle(), GWL_EXSTYLE) | exStyle);
    Ok = Form.Skin();
    SetForegroundWindow(Form.Wnd());
    Pump();
    Painter = PainterFor<TSkinDateTime>(Form.Engine(), Picker);
    Arrow = Painter ? Painter->ArrowButton : nullptr;
    RedrawWindow(Picker->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  ~TPickerForm() { CloseCalendar(); }
  // The calendar while it shows; some systems keep its window hidden.
  HWND Calendar() const {
    auto c = reinterpret_cast<HWND>(SendMessageW(Picker->Handle(), DTM_GETMONTHCAL, 0, 0));
    return c && IsWindowVisible(c) ? c : nullptr;
  }
  void CloseCalendar() {
    if (Calendar()) SendMessageW(Picker->Handle(), DTM_CLOSEMONTHCAL, 0, 0);
    Pump();
  }
  TColor ArrowPixel() { return ClientPixel(Arrow->Handle(), Arrow->Width() / 2, 4); }

  TSkinnedForm Form;
  TDateTimePicker* Picker = nullptr;
  TSkinDateTime* Painter = nullptr;
  TArrowButton* Arrow = nullptr;
  bool Ok = false;
};

TEST(DateTimeArrow, SitsOverThePickersButtonOnEitherSide) {
  for (bool left : {false, true}) {
    SCOPED_TRACE(left ? "left scroll bar" : "right");
    TPickerForm f(left ? WS_EX_LEFTSCROLLBAR : 0);
    ASSERT_TRUE(f.Ok);
    ASSERT_NE(f.Arrow, nullptr);
    EXPECT_EQ(GetParent(f.Arrow->Handle()), f.Picker->Handle());
    EXPECT_FALSE(f.Arrow->TabStop());
    EXPECT_TRUE(GetWindowLongPtrW(f.Picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
    const int width = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_EQ(f.Arrow->Width(), width);
    EXPECT_EQ(f.Arrow->Height(), 26 - 4);
    EXPECT_EQ(f.Arrow->Top(), 0);
    EXPECT_EQ(f.Arrow->Left(), left ? 2 : 160 - width - 4);
  }
}

// Without "SunkEdge" the arrow strip is the combo button's picture, so its
// frames show in the combo button's colours: 1 at rest, 4 under the mouse.
TEST(DateTimeArrow, ShowsTheArrowFrameByHover) {
  TPickerForm f;
  ASSERT_TRUE(f.Ok && f.Arrow);
  EXPECT_EQ(FrameIn(TPiece::ComboButton, f.ArrowPixel()), 1) << Name(f.ArrowPixel());
  SendMessageW(f.Arrow->Handle(), CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(FrameIn(TPiece::ComboButton, f.ArrowPixel()), 4) << Name(f.ArrowPixel());
  SendMessageW(f.Arrow->Handle(), CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(FrameIn(TPiece::ComboButton, f.ArrowPixel()), 1);
  // A disabled picker shows no hover.
  f.Picker->SetEnabled(false);
  SendMessageW(f.Arrow->Handle(), CM_MOUSEENTER, 0, 0);
  EXPECT_FALSE(f.Arrow->Hot);
}

TEST(DateTimeArrow, APressOpensThePickersCalendarAndTheReleaseKeepsItOpen) {
  TPickerForm f;
  ASSERT_TRUE(f.Ok && f.Arrow);
  ASSERT_EQ(f.Calendar(), nullptr);
  const LPARAM at = MAKELPARAM(f.Arrow->Width() / 2, f.Arrow->Height() / 2);
  SendMessageW(f.Arrow->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ASSERT_TRUE(PumpUntil([&] { return f.Calendar() != nullptr; }))
      << "the press did not reach the picker's button";
  SendMessageW(f.Arrow->Handle(), WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_NE(f.Calendar(), nullptr) << "the release closed the calendar";
}

// With no calendar showing, a release on the arrow gives the picker the
// focus.
TEST(DateTimeArrow, AReleaseWithoutACalendarFocusesThePicker) {
  TPickerForm f;
  ASSERT_TRUE(f.Ok && f.Arrow);
  ASSERT_EQ(f.Calendar(), nullptr);
  SetFocus(f.Form.Wnd());
  SendMessageW(f.Arrow->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(GetFocus(), f.Picker->Handle());
}

} // namespace
} // namespace enginetest
