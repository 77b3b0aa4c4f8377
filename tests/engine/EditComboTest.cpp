// Edits and combo boxes: the frame only where there is a border, the state
// index of each combo look and which frame shows, buttons on the left,
// the simple combo box's list, hot tracking, and the edit inside a combo.
#include "ControlSkinUtil.h"
#include "fw/ComboBox.h"
#include "fw/Edit.h"
#include "fw/GdiHandles.h"
#include "skin/controls/EditPainters.h"
#include "skin/controls/ScrollPainters.h"

#include <gtest/gtest.h>

#include <memory>

namespace enginetest {
namespace {

constexpr int kArrow = 17;
const TColor kFace = StandardSpec().Face;

// --- Edit frames ------------------------------------------------------------------------------

// An edit painter on a window of its own. An edit draws a thin border
// inside its client area, so a window with a thin frame is a plain one.
struct TBareEdit {
  TBareEdit(TSkinnedForm& f, DWORD style, DWORD exStyle) {
    const wchar_t* cls = style & WS_BORDER ? PlainClass() : L"EDIT";
    Wnd = CreateWindowExW(exStyle, cls, L"text", WS_CHILD | WS_VISIBLE | style, 20, 20, 120, 26,
                          f.Wnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    Painter = new TSkinEdit(f.Engine());
    Painter->AttachWindow(Wnd, f.Data, f.Engine(), &f.Engine()->ControlCanvas);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  }
  ~TBareEdit() { DestroyWindow(Wnd); }
  HWND Wnd = nullptr;
  TSkinEdit* Painter = nullptr;
};

TEST(EditFrame, OnlyBorderedEditsGetTheFrame) {
  TSkinnedForm f(ControlSpec());
  ASSERT_TRUE(f.Skin());
  const struct {
    const char* Name;
    DWORD Style, ExStyle;
    bool Frame;
  } rows[] = {{"no border", 0, 0, false},
              {"thin border", WS_BORDER, 0, true},
              {"client edge", 0, WS_EX_CLIENTEDGE, true}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.Name);
    TBareEdit e(f, r.Style, r.ExStyle);
    EXPECT_EQ(HasBorder(e.Wnd), r.Frame);
    if (r.Frame) {
      EXPECT_EQ(WindowPixel(e.Wnd, 0, 13), kShadow);
      EXPECT_EQ(WindowPixel(e.Wnd, 1, 13), clWhite);
      EXPECT_EQ(WindowPixel(e.Wnd, 2, 13), clWhite);
      EXPECT_EQ(WindowPixel(e.Wnd, 119, 0), kShadow);
    } else {
      EXPECT_NE(WindowPixel(e.Wnd, 0, 13), kShadow);
      EXPECT_NE(WindowPixel(e.Wnd, 119, 0), kShadow);
    }
  }
}

// WM_PRINT draws the frame only when the border leaves room for two rings.
TEST(EditFrame, PrintedFrameNeedsMoreThanAThinBorder) {
  TSkinnedForm f(ControlSpec());
  ASSERT_TRUE(f.Skin());
  const TColor paper = MakeColor(7, 8, 9), brushColor = MakeColor(90, 91, 92);
  for (bool thick : {false, true}) {
    SCOPED_TRACE(thick ? "client edge" : "thin border");
    TBareEdit e(f, thick ? 0 : WS_BORDER, thick ? WS_EX_CLIENTEDGE : 0);
    TBitmap target;
    target.SetSize(120, 26);
    HDC dc = target.Canvas().Handle();
    TSkinControl::FillColor(dc, {0, 0, 120, 26}, paper);
    TGdiBrush brush(CreateSolidBrush(ColorToCOLORREF(brushColor)));
    TSelection selected(dc, brush.Get());
    SendMessageW(e.Wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), 0); // nothing of the edit's own
    const Bitmap b = target.ToBitmap();
    EXPECT_EQ(b.At(0, 13), thick ? kShadow : paper);
    EXPECT_EQ(b.At(1, 13), thick ? brushColor : paper);
    EXPECT_EQ(b.At(2, 13), paper);
  }
}

// --- Combo box state ----------------------------------------------------------------------------

TEST(ComboState, FlatAndOtherLooksPickTheirFrame) {
  // enabled, focused, pressed, hot -> flat look, the other looks
  const struct {
    bool Enabled, Focused, Pressed, Hot;
    int Flat, Look;
  } rows[] = {
      {true, false, false, false, 1, 1},  {true, true, false, false, 4, 4},
      {true, false, true, false, 2, 2},   {true, false, false, true, 4, 4},
      {true, true, true, true, 2, 2},     {true, true, false, true, 4, 4},
      {false, false, false, false, 3, 3}, {false, true, false, false, 4, 3},
      {false, false, true, false, 2, 3},  {false, false, false, true, 4, 3},
      {false, true, true, true, 2, 3},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "enabled " << r.Enabled << " focused " << r.Focused
                                    << " pressed " << r.Pressed << " hot " << r.Hot);
    EXPECT_EQ(TSkinComBox::FlatState(r.Enabled, r.Focused, r.Pressed, r.Hot), r.Flat);
    EXPECT_EQ(TSkinComBox::LookState(r.Enabled, r.Focused, r.Pressed, r.Hot), r.Look);
  }
}

class TComboForm {
public:
  TComboForm(const TControlSkin& skin, TComboBoxStyle style, bool leftButton = false)
      : Form(ControlSpec(skin)) {
    Combo = new TComboBox(Form.Form);
    Combo->SetStyle(style);
    Combo->SetBounds(20, 20, 160, style == csSimple ? 120 : 24);
    Combo->SetParent(Form.Form);
    for (int i = 0; i < 40; ++i)
      Combo->Items().Add(L"item " + std::to_wstring(i));
    if (leftButton)
      SetWindowLongPtrW(Combo->Handle(), GWL_EXSTYLE,
                        GetWindowLongPtrW(Combo->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    Ok = Form.Skin();
    Painter = PainterFor<TSkinComBox>(Form.Engine(), Combo);
    Ok = Ok && Painter;
    SetFocus(Form.Wnd()); // not the box: focus shows as hot
    Redraw();
  }
  void Redraw() const {
    RedrawWindow(Combo->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  int Width() const { return Combo->Width(); }
  int Height() const { return Combo->Height(); }
  TColor Pixel(int x, int y) const {
    Redraw();
    return WindowPixel(Combo->Handle(), x, y);
  }
  TSkinnedForm Form;
  TComboBox* Combo = nullptr;
  TSkinComBox* Painter = nullptr;
  bool Ok = false;
};

struct TLookCase {
  const char* Name;
  TControlSkin Skin;
  bool Left;
  // Where the button shows, from the left or (negative) from the right.
  int ButtonX;
  TPiece Piece; // what the button is drawn from
  bool DisabledWins;
  // The composite look tracks the system's button, which this system
  // keeps on the right whatever the style.
  bool OwnButtonRect = true;
};

std::vector<TLookCase> LookCases() {
  TControlSkin separate, flat, composite, extra;
  flat.ComboStyle = 1;
  composite.SunkEdge = true;
  extra.ExtraImages = true;
  return {
      {"separate, right", separate, false, -9, TPiece::ComboButton, true},
      {"separate, left", separate, true, 9, TPiece::ComboButton, true},
      {"flat, right", flat, false, -8, TPiece::ComboButton, false},
      {"flat, left", flat, true, 8, TPiece::ComboButton, false},
      {"composite, right", composite, false, -9, TPiece::ComboButton, true, false},
      {"composite, left", composite, true, 9, TPiece::ComboButton, true, false},
      {"separate with a glyph, right", extra, false, -10, TPiece::ExtraImages, true},
      {"separate with a glyph, left", extra, true, 10, TPiece::ExtraImages, true},
  };
}

TEST(ComboLooks, EachStateShowsItsFrameOnEitherSide) {
  for (const TLookCase& c : LookCases()) {
    SCOPED_TRACE(c.Name);
    TComboForm f(c.Skin, csDropDownList, c.Left);
    ASSERT_TRUE(f.Ok);
    const int x = c.ButtonX < 0 ? f.Width() + c.ButtonX : c.ButtonX, y = f.Height() / 2;
    auto frame = [&] { return FrameIn(c.Piece, f.Pixel(x, y)); };
    EXPECT_EQ(frame(), 1) << "at rest: " << Name(f.Pixel(x, y));
    // The mouse over the button.
    const RECT b = f.Painter->ButtonRect;
    ASSERT_LT(b.left, b.right);
    if (c.OwnButtonRect) {
      EXPECT_EQ(b.left < f.Width() / 2, c.Left) << "the button is on its side";
    }
    SendMessageW(f.Combo->Handle(), WM_MOUSEMOVE, 0,
                 MAKELPARAM((b.left + b.right) / 2, (b.top + b.bottom) / 2));
    EXPECT_EQ(frame(), 4) << "hot: " << Name(f.Pixel(x, y));
    SendMessageW(f.Combo->Handle(), WM_MOUSEMOVE, 0,
                 MAKELPARAM(f.Width() / 2 + (c.Left ? 30 : -30), y));
    EXPECT_EQ(frame(), 1) << "the mouse moved off the button";
    f.Painter->MouseState |= 2; // held down
    EXPECT_EQ(frame(), 2) << "pressed: " << Name(f.Pixel(x, y));
    f.Combo->SetEnabled(false);
    EXPECT_EQ(frame(), c.DisabledWins ? 3 : 2) << "pressed and disabled: " << Name(f.Pixel(x, y));
    f.Painter->MouseState = 0;
    EXPECT_EQ(frame(), 3) << "disabled: " << Name(f.Pixel(x, y));
  }
}

TEST(ComboLooks, HotTrackingNeverOnADisabledCombo) {
  TComboForm f({}, csDropDownList);
  ASSERT_TRUE(f.Ok);
  const RECT b = f.Painter->ButtonRect;
  const LPARAM inside = MAKELPARAM((b.left + b.right) / 2, (b.top + b.bottom) / 2);
  f.Combo->SetEnabled(false);
  f.Redraw(); // the paint notes that the box is disabled
  SendMessageW(f.Combo->Handle(), WM_MOUSEMOVE, 0, inside);
  EXPECT_EQ(f.Painter->MouseState & 1, 0u);
  f.Combo->SetEnabled(true);
  f.Redraw();
  SendMessageW(f.Combo->Handle(), WM_MOUSEMOVE, 0, inside);
  EXPECT_EQ(f.Painter->MouseState & 1, 1u);
  SendMessageW(f.Combo->Handle(), CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(f.Painter->MouseState & 1, 0u);
}

// The composite picture's middle is face colour; the text area stays the
// box's own.
TEST(ComboLooks, CompositeLookLeavesTheTextAlone) {
  TControlSkin composite;
  composite.SunkEdge = true;
  TComboForm f(composite, csDropDownList);
  ASSERT_TRUE(f.Ok);
  SendMessageW(f.Combo->Handle(), CB_SETCURSEL, 0, 0);
  const TColor inside = f.Pixel(40, f.Height() / 2);
  EXPECT_EQ(FrameIn(TPiece::SunkEdge, f.Pixel(0, f.Height() / 2)), 1);
  EXPECT_NE(inside, kFace);
  EXPECT_EQ(FrameIn(TPiece::SunkEdge, inside), 0);
}

// The extended look: two rings, and over the edit's place the arrow strip
// (here the combo button's own picture) in the state's frame; the separate
// look's button is not drawn.
TEST(ComboLooks, ExtendedLookDrawsRingsAndTheArrowWhereTheEditIs) {
  TComboForm f({}, csDropDown);
  ASSERT_TRUE(f.Ok);
  f.Painter->ExtendedCombo = true;
  // Only a box with a frame of its own gets the rings.
  HWND box = f.Combo->Handle();
  EXPECT_EQ(f.Pixel(0, f.Height() / 2) == kShadow, false) << "no frame, no rings";
  SetWindowLongPtrW(box, GWL_STYLE, GetWindowLongPtrW(box, GWL_STYLE) | WS_BORDER);
  SetWindowPos(box, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  HWND edit = f.Combo->EditHandle();
  ASSERT_NE(edit, nullptr);
  // The edit hidden, so what the painter put in its place shows.
  ShowWindow(edit, SW_HIDE);
  RECT e, c;
  GetWindowRect(edit, &e);
  GetWindowRect(f.Combo->Handle(), &c);
  const int ex = (e.left + e.right) / 2 - c.left, ey = (e.top + e.bottom) / 2 - c.top;
  const int y = f.Height() / 2;
  EXPECT_EQ(f.Pixel(0, y), kShadow) << Name(f.Pixel(0, y));
  EXPECT_EQ(f.Pixel(1, y), clWhite) << Name(f.Pixel(1, y));
  EXPECT_EQ(FrameIn(TPiece::ComboButton, f.Pixel(ex, ey)), 1) << Name(f.Pixel(ex, ey));
  EXPECT_EQ(FrameIn(TPiece::ComboButton, f.Pixel(f.Width() - 9, y)), 0)
      << "no separate button: " << Name(f.Pixel(f.Width() - 9, y));
  f.Combo->SetEnabled(false);
  EXPECT_EQ(FrameIn(TPiece::ComboButton, f.Pixel(ex, ey)), 3) << Name(f.Pixel(ex, ey));
}

TEST(ComboSimple, GetsAScrollBarPainterOnItsListAndNoButton) {
  TComboForm f({}, csSimple);
  ASSERT_TRUE(f.Ok);
  ASSERT_NE(f.Painter->ListScrollBars, nullptr);
  EXPECT_EQ(f.Painter->ListScrollBar, nullptr);
  EXPECT_EQ(f.Painter->ListScrollBars->Handle, f.Painter->ListWindow);
  TWScrollbar* bar = f.Painter->ListScrollBars->VertBar;
  ASSERT_NE(bar, nullptr);
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(f.Painter->ListWindow, OBJID_VSCROLL, &sbi);
  RECT o;
  GetWindowRect(bar->Handle(), &o);
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
  EXPECT_TRUE(EqualRect(&o, &sbi.rcScrollBar));
  EXPECT_EQ(FrameIn(TPiece::Scrollbar, ClientPixel(bar->Handle(), 8, 3)), 9);
  // Nowhere on the box a button.
  f.Redraw();
  for (int y = 0; y < f.Height(); y += 3)
    for (int x = 0; x < f.Width(); x += 3)
      ASSERT_EQ(FrameIn(TPiece::ComboButton, WindowPixel(f.Combo->Handle(), x, y)), 0)
          << x << "," << y;
}

// The edit of a drop-down combo box: subclassed with the calls of its own
// kind, and a press in it presses the box.
TEST(ComboEdit, TheEditChildStaysWideAndPressesTheBox) {
  TComboForm f({}, csDropDown);
  ASSERT_TRUE(f.Ok);
  HWND edit = f.Combo->EditHandle();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(f.Painter->EditWindow, edit);
  EXPECT_TRUE(IsWindowUnicode(edit));
  SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(f.Painter->MouseState & 2, 2u);
  EXPECT_EQ(FrameIn(TPiece::ComboButton, f.Pixel(f.Width() - 9, f.Height() / 2)), 2);
  SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(f.Painter->MouseState & 2, 0u);
}

} // namespace
} // namespace enginetest
