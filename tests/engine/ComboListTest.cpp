// The scroll bar of a combo box's drop-down list: the drag's position
// arithmetic, the drag loop on a real open list, what is left to the
// system, and a bar that never turns hot.
#include "ControlSkinUtil.h"
#include "fw/ComboBox.h"
#include "skin/controls/ComboListScrollBar.h"
#include "skin/controls/EditPainters.h"
#include "support/MessageSequence.h"
#include "support/WinTestUtil.h"

#include <gtest/gtest.h>

#include <functional>

namespace enginetest {
namespace {

constexpr int kArrow = 17;

TEST(ComboListDrag, PositionArithmetic) {
  // A track of 100 pixels with a thumb of 20 (or 17 without a page).
  const struct {
    const char* Name;
    int Min, Max;
    unsigned Page;
    int Offset, Thumb;
    int Pos;
  } rows[] = {
      {"page: at the start", 0, 99, 10, 0, 20, 0},
      {"page: halfway", 0, 99, 10, 40, 20, 45},
      {"page: thumb at the end of the track", 0, 99, 10, 80, 20, 90},
      {"page: far below ends at max - page + 1", 0, 99, 10, 5000, 20, 90},
      {"page: far above stays at min", 0, 99, 10, -5000, 20, 0},
      {"page, shifted range: far below", 10, 109, 10, 5000, 20, 100},
      {"page, shifted range: far above", 10, 109, 10, -40, 20, 10},
      {"no page: halfway", 0, 99, 0, 41, 17, 49},
      {"no page: far below ends at max", 0, 99, 0, 5000, 17, 99},
      {"no page: far above stays at min", 5, 99, 0, -5000, 17, 5},
      {"a page larger than the range never goes below min", 0, 5, 10, 50, 20, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.Name);
    SCROLLINFO si{sizeof si, SIF_ALL, r.Min, r.Max, r.Page, r.Min, 0};
    EXPECT_EQ(TComboxScrollBar::DragPosition(r.Offset, 100, r.Thumb, si), r.Pos);
  }
}

// A skinned form with a drop-down combo box of many items, its list open.
class TOpenList {
public:
  explicit TOpenList(int items = 50) : Form(ControlSpec()) {
    Combo = new TComboBox(Form.Form);
    Combo->SetStyle(csDropDownList);
    Combo->SetBounds(20, 20, 160, 24);
    Combo->SetParent(Form.Form);
    for (int i = 0; i < items; ++i)
      Combo->Items().Add(L"item " + std::to_wstring(i));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Combo->Handle(), &info);
    List = info.hwndList;
    // A recorder beneath the painters: it sees what they pass on, the
    // scroll messages of the drag loop among them.
    Beneath.Watch(List);
    Ok = List && Form.Skin();
    Painter = PainterFor<TSkinComBox>(Form.Engine(), Combo);
    Ok = Ok && Painter && Painter->ListScrollBar && Painter->ListScrollBar->Handle == List;
    SendMessageW(Combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    Ok = Ok && IsWindowVisible(List);
  }
  ~TOpenList() {
    if (Combo && IsWindow(List)) SendMessageW(Combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  }
  TSkinnedForm Form;
  TComboBox* Combo = nullptr;
  HWND List = nullptr;
  TSkinComBox* Painter = nullptr;
  msgseq::TRecorder Beneath;
  bool Ok = false;

  SCROLLBARINFO Bar() const {
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    GetScrollBarInfo(List, OBJID_VSCROLL, &sbi);
    return sbi;
  }
  int Top() const { return static_cast<int>(SendMessageW(List, LB_GETTOPINDEX, 0, 0)); }
  POINT ScreenAt(int along) const {
    const RECT r = Bar().rcScrollBar;
    return {r.left + kArrow / 2, r.top + along};
  }
  // The scroll messages the list was sent, by request code.
  std::vector<std::pair<int, int>> Scrolls() const {
    std::vector<std::pair<int, int>> out;
    for (const msgseq::TMsg& m : Beneath.Messages())
      if (m.Message == WM_VSCROLL) out.push_back({LOWORD(m.WParam), HIWORD(m.WParam)});
    return out;
  }
};

// Moves the real mouse one step each time the timer fires while the list
// holds the mouse (the drag loop runs), then lets go.
struct TDragScript {
  HWND Tracker = nullptr;
  std::vector<POINT> Moves;
  std::size_t Next = 0;
  bool Released = false;
  std::function<void()> AtEnd; // instead of letting go
  static TDragScript* Current;
  static void CALLBACK Step(HWND, UINT, UINT_PTR id, DWORD) {
    TDragScript& s = *Current;
    if (s.Released || GetCapture() != s.Tracker) return;
    if (s.Next < s.Moves.size()) {
      SetCursorPos(s.Moves[s.Next].x, s.Moves[s.Next].y);
      mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
      ++s.Next;
      return;
    }
    KillTimer(nullptr, id);
    s.Released = true;
    if (s.AtEnd)
      s.AtEnd();
    else
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  }
};
TDragScript* TDragScript::Current = nullptr;

void RealDrag(HWND list, POINT from, const std::vector<POINT>& to,
              std::function<void()> atEnd = nullptr) {
  testutil::PlacePointer(from);
  TDragScript script;
  script.Tracker = list;
  script.Moves = to;
  script.AtEnd = std::move(atEnd);
  TDragScript::Current = &script;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &TDragScript::Step);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  PumpUntil([&] { return script.Released && GetCapture() == nullptr; });
  KillTimer(nullptr, timer);
  if (!script.Released) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Pump();
}

std::vector<POINT> Path(POINT from, int dy, int steps) {
  std::vector<POINT> out;
  for (int i = 1; i <= steps; ++i)
    out.push_back({from.x, from.y + dy * i / steps});
  return out;
}

TEST(ComboListDrag, ReleaseWithoutMovingKeepsThePosition) {
  TOpenList l;
  ASSERT_TRUE(l.Ok);
  SendMessageW(l.List, LB_SETTOPINDEX, 10, 0);
  Pump();
  const SCROLLBARINFO bar = l.Bar();
  l.Beneath.Clear();
  RealDrag(l.List, l.ScreenAt((bar.xyThumbTop + bar.xyThumbBottom) / 2), {});
  EXPECT_EQ(l.Top(), 10);
  const std::vector<std::pair<int, int>> want = {{SB_THUMBPOSITION, 10}, {SB_ENDSCROLL, 0}};
  EXPECT_EQ(l.Scrolls(), want);
}

TEST(ComboListDrag, FarBelowEndsAtTheLastPageAndAboveAtTheFirstItem) {
  TOpenList l;
  ASSERT_TRUE(l.Ok);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(l.List, SB_VERT, &si);
  ASSERT_GT(si.nPage, 0u);
  const int last = si.nMax - static_cast<int>(si.nPage) + 1;
  SCROLLBARINFO bar = l.Bar();
  POINT thumb = l.ScreenAt((bar.xyThumbTop + bar.xyThumbBottom) / 2);
  l.Beneath.Clear();
  RealDrag(l.List, thumb, Path(thumb, 400, 6));
  EXPECT_EQ(l.Top(), last);
  ASSERT_FALSE(l.Scrolls().empty());
  // On the way the thumb is tracked, never past the last page.
  for (const auto& [code, pos] : l.Scrolls()) {
    EXPECT_TRUE(code == SB_THUMBTRACK || code == SB_THUMBPOSITION || code == SB_ENDSCROLL) << code;
    EXPECT_LE(pos, last);
  }
  EXPECT_EQ(l.Scrolls().back(), std::make_pair(int(SB_ENDSCROLL), 0));

  bar = l.Bar();
  thumb = l.ScreenAt((bar.xyThumbTop + bar.xyThumbBottom) / 2);
  l.Beneath.Clear();
  RealDrag(l.List, thumb, Path(thumb, -400, 6));
  EXPECT_EQ(l.Top(), 0);
  for (const auto& [code, pos] : l.Scrolls())
    EXPECT_GE(pos, 0) << code;
  EXPECT_TRUE(IsWindowVisible(l.List)) << "the list stays open through the drag";
}

TEST(ComboListDrag, ArrowsAndPageAreasAreTheSystems) {
  TOpenList l;
  ASSERT_TRUE(l.Ok);
  const SCROLLBARINFO bar = l.Bar();
  const int length = bar.rcScrollBar.bottom - bar.rcScrollBar.top;
  const struct {
    const char* Name;
    int Along;
    int Code;
  } parts[] = {{"second arrow", length - 3, SB_LINEDOWN},
               {"page after the thumb", length - kArrow - 3, SB_PAGEDOWN},
               {"first arrow", 3, SB_LINEUP}};
  for (const auto& p : parts) {
    SCOPED_TRACE(p.Name);
    const int before = l.Top();
    l.Beneath.Clear();
    const POINT s = l.ScreenAt(p.Along);
    POINT c = s;
    ScreenToClient(l.List, &c);
    PostMessageW(l.List, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
    SendMessageW(l.List, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(s.x, s.y));
    Pump();
    // The press went on to the list's own handling, which scrolled.
    bool passed = false, scrolled = false;
    for (const msgseq::TMsg& m : l.Beneath.Messages()) {
      passed |= m.Message == WM_NCLBUTTONDOWN;
      scrolled |= m.Message == WM_VSCROLL && LOWORD(m.WParam) == p.Code;
    }
    EXPECT_TRUE(passed);
    EXPECT_TRUE(scrolled);
    EXPECT_NE(l.Top(), before);
  }
}

TEST(ComboListBar, PaintedFromTheSkinAndNeverHot) {
  TOpenList l(12);
  ASSERT_TRUE(l.Ok);
  RECT w;
  GetWindowRect(l.List, &w);
  const SCROLLBARINFO bar = l.Bar();
  const int x = bar.rcScrollBar.left - w.left + kArrow / 2, y0 = bar.rcScrollBar.top - w.top;
  const int length = bar.rcScrollBar.bottom - bar.rcScrollBar.top;
  auto look = [&] {
    RedrawWindow(l.List, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    return std::vector<int>{
        FrameIn(TPiece::Scrollbar, WindowPixel(l.List, x, y0 + 3)),
        FrameIn(TPiece::Scrollbar, WindowPixel(l.List, x, y0 + length - 3)),
        FrameIn(TPiece::VertThumb, WindowPixel(l.List, x, y0 + bar.xyThumbTop + 1)),
        FrameIn(TPiece::Scrollbar,
                WindowPixel(l.List, x, y0 + (bar.xyThumbTop + bar.xyThumbBottom) / 2))};
  };
  ASSERT_GT(bar.xyThumbBottom - bar.xyThumbTop, kArrow + 4) << "the grip needs a long thumb";
  const std::vector<int> rest = {9, 13, 1, 20};
  EXPECT_EQ(look(), rest);
  for (int along : {3, length - 3, (bar.xyThumbTop + bar.xyThumbBottom) / 2}) {
    const POINT s = l.ScreenAt(along);
    l.Beneath.Clear();
    SendMessageW(l.List, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(s.x, s.y));
    for (const msgseq::TMsg& m : l.Beneath.Messages())
      EXPECT_NE(m.Message, static_cast<UINT>(WM_NCMOUSEMOVE)) << "the system saw the move";
    EXPECT_EQ(look(), rest) << along;
  }
  // Moves over other parts of the frame still reach the list.
  l.Beneath.Clear();
  SendMessageW(l.List, WM_NCMOUSEMOVE, HTBORDER, MAKELPARAM(w.left, w.top));
  ASSERT_FALSE(l.Beneath.Messages().empty());
  EXPECT_EQ(l.Beneath.Messages().front().Message, static_cast<UINT>(WM_NCMOUSEMOVE));
}

TEST(ComboListDrag, TheComboBoxGoingDuringTheDragEndsItQuietly) {
  TOpenList l;
  ASSERT_TRUE(l.Ok);
  const SCROLLBARINFO bar = l.Bar();
  const POINT thumb = l.ScreenAt((bar.xyThumbTop + bar.xyThumbBottom) / 2);
  TComboBox* combo = l.Combo;
  RealDrag(l.List, thumb, Path(thumb, 30, 2), [&] {
    delete combo;
    l.Combo = nullptr;
  });
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Pump();
  EXPECT_FALSE(IsWindow(l.List));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(PainterFor<TSkinComBox>(l.Form.Engine(), combo), nullptr);
}

} // namespace
} // namespace enginetest
