// Scroll-bar overlays: where they lie and how they follow the bar they
// cover, what their hit test and thumb arithmetic answer, that a press on
// them scrolls exactly as a press on the bare bar does, and what they show
// for each part and state.
#include "ControlSkinUtil.h"
#include "fw/ListBox.h"
#include "fw/Memo.h"
#include "fw/ScrollBar.h"
#include "skin/controls/ScrollPainters.h"
#include "support/WinTestUtil.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace enginetest {
namespace {

constexpr int kArrow = 17; // SM_CXHSCROLL here, and the test skin's thickness

TEST(OverlayHitTest, PartsAlongTheBar) {
  TWScrollbar bar(nullptr);
  ASSERT_EQ(bar.ArrowSize, kArrow);
  bar.BarLength = 100;
  bar.ThumbStart = 30;
  bar.ThumbEnd = 50;
  const struct {
    int At, Part;
  } rows[] = {{0, kPartFirstArrow},  {16, kPartFirstArrow}, {17, kPartPageBefore},
              {29, kPartPageBefore}, {30, kPartThumb},      {49, kPartThumb},
              {50, kPartPageAfter},  {82, kPartPageAfter},  {83, kPartSecondArrow},
              {99, kPartSecondArrow}};
  for (int vertical = 0; vertical < 2; ++vertical) {
    bar.Vertical = vertical;
    for (const auto& r : rows) {
      SCOPED_TRACE(testing::Message() << (vertical ? "vertical " : "horizontal ") << r.At);
      // The other coordinate plays no part.
      const POINT p = vertical ? POINT{500, r.At} : POINT{r.At, 500};
      EXPECT_EQ(bar.HitTest(p), r.Part);
    }
  }
}

// The thumb of a scroll-bar control 100 pixels long with 17-pixel arrows.
TEST(OverlayControlThumb, MulDivArithmetic) {
  const struct {
    const char* Name;
    int Min, Max, Page, Pos;
    int Start, End;
  } rows[] = {
      {"page, at the start", 0, 99, 50, 0, 17, 50},
      {"page, halfway", 0, 99, 50, 25, 34, 67},
      {"page, at the end", 0, 99, 50, 50, 50, 83},
      {"page 1: the 8-pixel minimum", 0, 99, 1, 0, 17, 25},
      {"page 1 at the far end touches the arrow", 0, 99, 1, 99, 75, 83},
      {"page 9 still under 8", 0, 99, 9, 50, 46, 54},
      {"no page: as long as an arrow", 0, 99, 0, 0, 17, 34},
      {"no page, at the end", 0, 99, 0, 99, 66, 83},
      {"no page, shifted range", 100, 199, 0, 150, 42, 59},
      {"empty range, no page", 5, 5, 0, 5, 17, 34},
      {"empty range with a page: minimum thumb after the arrow", 5, 5, 10, 5, 17, 25},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.Name);
    SCROLLINFO si{sizeof si, SIF_ALL, r.Min, r.Max, static_cast<UINT>(r.Page), r.Pos, 0};
    int start = -1, end = -1;
    ControlThumb(100, kArrow, si, start, end);
    EXPECT_EQ(start, r.Start);
    EXPECT_EQ(end, r.End);
  }
}

// --- A skinned list box and its unskinned twin --------------------------------------------

RECT BarOf(HWND wnd, LONG id) {
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(wnd, id, &sbi);
  return sbi.rcScrollBar;
}

SCROLLBARINFO BarInfo(HWND wnd, LONG id) {
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(wnd, id, &sbi);
  return sbi;
}

RECT ScreenRect(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return r;
}

std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// The overlay lies exactly over the bar, just above the covered control in
// the z-order: only the control's other overlay may come between them.
testing::AssertionResult Covers(HWND overlay, HWND target, LONG id, HWND other = nullptr) {
  const RECT o = ScreenRect(overlay), b = BarOf(target, id);
  if (!IsWindowVisible(overlay)) return testing::AssertionFailure() << "the overlay is hidden";
  if (!EqualRect(&o, &b))
    return testing::AssertionFailure() << "overlay " << Text(o) << ", bar " << Text(b);
  HWND below = GetWindow(overlay, GW_HWNDNEXT);
  if (below && below == other) below = GetWindow(below, GW_HWNDNEXT);
  if (below != target)
    return testing::AssertionFailure() << "the overlay is not right above the control";
  return testing::AssertionSuccess();
}

int TopIndex(TListBox* list) {
  return static_cast<int>(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0));
}

TListBox* MakeList(TForm* form, int lines) {
  auto* list = new TListBox(form);
  list->SetBounds(10, 10, 150, 120);
  list->SetParent(form);
  for (int i = 0; i < lines; ++i)
    list->Items().Add(L"line " + std::to_wstring(i));
  return list;
}

class TListPair {
public:
  explicit TListPair(int lines, const TControlSkin& skin = {}) : Skinned(ControlSpec(skin)) {
    List = MakeList(Skinned.Form, lines);
    TwinForm = std::make_unique<TForm>(nullptr);
    TwinForm->SetTag(99); // never skinned
    TwinForm->SetBounds(560, 120, 400, 300);
    TwinForm->SetClientSize(300, 200);
    TwinForm->Show();
    Twin = MakeList(TwinForm.get(), lines);
    Pump();
    Ok = Skinned.Skin();
    Painter = PainterFor<TSkinScrollbar>(Skinned.Engine(), List);
    Ok = Ok && Painter && Painter->VertBar && Painter->HorzBar;
    Pump();
  }
  TSkinnedForm Skinned;
  std::unique_ptr<TForm> TwinForm;
  TListBox* List = nullptr;
  TListBox* Twin = nullptr;
  TSkinScrollbar* Painter = nullptr;
  bool Ok = false;
  TWScrollbar* Vert() const { return Painter->VertBar; }
  TWScrollbar* Horz() const { return Painter->HorzBar; }
  testing::AssertionResult VertCovers() const {
    return Covers(Vert()->Handle(), List->Handle(), OBJID_VSCROLL, Horz()->Handle());
  }
  testing::AssertionResult HorzCovers() const {
    return Covers(Horz()->Handle(), List->Handle(), OBJID_HSCROLL, Vert()->Handle());
  }
};

TEST(OverlayGeometry, CoversTheBarAndFollowsIt) {
  TListPair p(100);
  ASSERT_TRUE(p.Ok);
  HWND list = p.List->Handle();
  EXPECT_TRUE(p.VertCovers());
  EXPECT_FALSE(IsWindowVisible(p.Horz()->Handle())) << "no horizontal bar yet";

  p.List->SetBounds(30, 25, 150, 120);
  Pump();
  EXPECT_TRUE(p.VertCovers()) << "moved";
  p.List->SetBounds(30, 25, 200, 90);
  Pump();
  EXPECT_TRUE(p.VertCovers()) << "resized";

  // A horizontal bar comes: its overlay comes with it.
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 600, 0);
  Pump();
  EXPECT_TRUE(p.HorzCovers());
  EXPECT_TRUE(p.VertCovers()) << "shortened";

  p.List->SetVisible(false);
  Pump();
  EXPECT_FALSE(IsWindowVisible(p.Vert()->Handle()));
  EXPECT_FALSE(IsWindowVisible(p.Horz()->Handle()));
  p.List->SetVisible(true);
  Pump();
  EXPECT_TRUE(p.VertCovers()) << "shown again";
  EXPECT_TRUE(p.HorzCovers()) << "shown again";

  // The list loses its bars, then gets the vertical one back.
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 0, 0);
  p.List->Items().Clear();
  Pump();
  EXPECT_FALSE(IsWindowVisible(p.Vert()->Handle()));
  EXPECT_FALSE(IsWindowVisible(p.Horz()->Handle()));
  for (int i = 0; i < 40; ++i)
    p.List->Items().Add(L"again");
  Pump();
  EXPECT_TRUE(p.VertCovers()) << "bar back";
  EXPECT_FALSE(IsWindowVisible(p.Horz()->Handle()));
}

// What the overlay shows at a distance along its bar (in the middle across).
TColor At(TWScrollbar* bar, int along) {
  return bar->Vertical ? ClientPixel(bar->Handle(), kArrow / 2, along)
                       : ClientPixel(bar->Handle(), along, kArrow / 2);
}

TEST(OverlayGeometry, FollowsTheListWhenItScrolls) {
  TListPair p(100);
  ASSERT_TRUE(p.Ok);
  HWND list = p.List->Handle();
  const SCROLLBARINFO before = BarInfo(list, OBJID_VSCROLL);
  EXPECT_EQ(FrameIn(TPiece::VertThumb, At(p.Vert(), before.xyThumbTop + 2)), 1);
  SendMessageW(list, LB_SETTOPINDEX, 60, 0);
  Pump();
  const SCROLLBARINFO after = BarInfo(list, OBJID_VSCROLL);
  ASSERT_GT(after.xyThumbTop, before.xyThumbBottom + 4);
  EXPECT_EQ(FrameIn(TPiece::VertThumb, At(p.Vert(), after.xyThumbTop + 2)), 1)
      << Name(At(p.Vert(), after.xyThumbTop + 2));
  EXPECT_EQ(FrameIn(TPiece::VertScroll, At(p.Vert(), before.xyThumbTop + 2)), 1)
      << Name(At(p.Vert(), before.xyThumbTop + 2));
}

// Lines added below the visible ones change the thumb and nothing the
// list paints.
TEST(OverlayGeometry, FollowsTheThumbWhenLinesComeBelow) {
  TListPair p(12);
  ASSERT_TRUE(p.Ok);
  HWND list = p.List->Handle();
  const SCROLLBARINFO before = BarInfo(list, OBJID_VSCROLL);
  ASSERT_EQ(FrameIn(TPiece::VertThumb, At(p.Vert(), before.xyThumbBottom - 2)), 1);
  for (int i = 0; i < 200; ++i)
    p.List->Items().Add(L"more");
  const SCROLLBARINFO after = BarInfo(list, OBJID_VSCROLL);
  ASSERT_LT(after.xyThumbBottom, before.xyThumbBottom - 4);
  EXPECT_EQ(FrameIn(TPiece::VertScroll, At(p.Vert(), before.xyThumbBottom - 2)), 1)
      << Name(At(p.Vert(), before.xyThumbBottom - 2));
  EXPECT_EQ(FrameIn(TPiece::VertThumb, At(p.Vert(), after.xyThumbTop + 1)), 1);
}

// --- Presses: the overlay against the bare bar ----------------------------------------------

// Presses a bar at a distance along it, then moves to each of dragTo (also
// along the bar) and lets go there. The moves and the release wait in the
// queue: the system's tracking, which the press starts, takes them.
void PressAlong(HWND target, LONG id, TWScrollbar* overlay, int along,
                const std::vector<int>& dragTo = {}) {
  const bool vertical = id == OBJID_VSCROLL;
  const RECT bar = BarOf(target, id);
  auto screenAt = [&](int a) {
    return vertical ? POINT{bar.left + kArrow / 2, bar.top + a}
                    : POINT{bar.left + a, bar.top + kArrow / 2};
  };
  auto clientAt = [&](int a) {
    POINT c = screenAt(a);
    ScreenToClient(target, &c);
    return MAKELPARAM(c.x, c.y);
  };
  int last = along;
  for (int a : dragTo) {
    PostMessageW(target, WM_MOUSEMOVE, MK_LBUTTON, clientAt(a));
    last = a;
  }
  PostMessageW(target, WM_LBUTTONUP, 0, clientAt(last));
  const POINT s = screenAt(along);
  if (overlay) {
    POINT o = s;
    ScreenToClient(overlay->Handle(), &o);
    SendMessageW(overlay->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(o.x, o.y));
  } else {
    SendMessageW(target, WM_NCLBUTTONDOWN, vertical ? HTVSCROLL : HTHSCROLL, MAKELPARAM(s.x, s.y));
  }
  Pump();
}

TEST(OverlayPress, EachPartScrollsAsTheBareBarDoes) {
  TListPair p(100);
  ASSERT_TRUE(p.Ok);
  SendMessageW(p.List->Handle(), LB_SETHORIZONTALEXTENT, 900, 0);
  SendMessageW(p.Twin->Handle(), LB_SETHORIZONTALEXTENT, 900, 0);
  Pump();
  ASSERT_TRUE(p.HorzCovers());
  const SCROLLBARINFO bar = BarInfo(p.Twin->Handle(), OBJID_VSCROLL);
  const int length = bar.rcScrollBar.bottom - bar.rcScrollBar.top;
  auto thumbMiddle = [](HWND w, LONG id) {
    const SCROLLBARINFO i = BarInfo(w, id);
    return (i.xyThumbTop + i.xyThumbBottom) / 2;
  };
  struct TStep {
    const char* Name;
    LONG Id;
    std::function<int(HWND)> Along; // where to press, from the bar
    std::vector<int> Drag;          // relative to the press
  };
  const TStep steps[] = {
      {"second arrow", OBJID_VSCROLL, [&](HWND) { return length - 3; }, {}},
      {"page after the thumb", OBJID_VSCROLL, [&](HWND) { return length - kArrow - 3; }, {}},
      {"thumb dragged down",
       OBJID_VSCROLL,
       [&](HWND w) { return thumbMiddle(w, OBJID_VSCROLL); },
       {10, 25, 40}},
      {"first arrow", OBJID_VSCROLL, [&](HWND) { return 3; }, {}},
      {"page before the thumb", OBJID_VSCROLL, [&](HWND) { return kArrow + 2; }, {}},
      {"thumb dragged up past the start",
       OBJID_VSCROLL,
       [&](HWND w) { return thumbMiddle(w, OBJID_VSCROLL); },
       {-20, -200}},
      {"horizontal second arrow", OBJID_HSCROLL, [&](HWND) { return 125; }, {}},
      {"horizontal thumb dragged right",
       OBJID_HSCROLL,
       [&](HWND w) { return thumbMiddle(w, OBJID_HSCROLL); },
       {30}},
      {"horizontal page before", OBJID_HSCROLL, [&](HWND) { return kArrow + 1; }, {}},
  };
  for (const TStep& s : steps) {
    SCOPED_TRACE(s.Name);
    const int bar = s.Id == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
    const int before = GetScrollPos(p.Twin->Handle(), bar);
    ASSERT_EQ(GetScrollPos(p.List->Handle(), bar), before);
    for (TListBox* list : {p.Twin, p.List}) {
      const int at = s.Along(list->Handle());
      std::vector<int> drag;
      for (int d : s.Drag)
        drag.push_back(at + d);
      PressAlong(list->Handle(), s.Id,
                 list == p.List ? (bar == SB_VERT ? p.Vert() : p.Horz()) : nullptr, at, drag);
    }
    const int twin = GetScrollPos(p.Twin->Handle(), bar);
    EXPECT_NE(twin, before) << "the bare bar did not scroll: the step tests nothing";
    EXPECT_EQ(GetScrollPos(p.List->Handle(), bar), twin);
    EXPECT_EQ(TopIndex(p.List), TopIndex(p.Twin));
    EXPECT_FALSE(p.Vert()->Pressed);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

// The same with the real mouse: the button goes down over the thumb, and
// a timer moves it and lets go while the system tracks.
struct TMouseScript {
  HWND Tracker = nullptr; // the window whose tracking takes the moves
  std::vector<POINT> Moves;
  std::size_t Next = 0;
  static TMouseScript* Current;
  static void CALLBACK Step(HWND, UINT, UINT_PTR id, DWORD) {
    TMouseScript& s = *Current;
    if (GetCapture() != s.Tracker) return; // the press has not got there yet
    if (s.Next < s.Moves.size()) {
      SetCursorPos(s.Moves[s.Next].x, s.Moves[s.Next].y);
      mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
      ++s.Next;
      return;
    }
    KillTimer(nullptr, id);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  }
};
TMouseScript* TMouseScript::Current = nullptr;

void RealDrag(HWND tracker, POINT from, int dy) {
  testutil::PlacePointer(from);
  TMouseScript script;
  script.Tracker = tracker;
  for (int d = 8; d <= dy; d += 8)
    script.Moves.push_back({from.x, from.y + d});
  TMouseScript::Current = &script;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &TMouseScript::Step);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  PumpUntil([&] { return script.Next == script.Moves.size() && GetCapture() == nullptr; });
  KillTimer(nullptr, timer);
  Pump();
}

TEST(OverlayPress, RealMouseDragOfTheThumb) {
  TListPair p(100);
  ASSERT_TRUE(p.Ok);
  for (TListBox* list : {p.Twin, p.List}) {
    const SCROLLBARINFO i = BarInfo(list->Handle(), OBJID_VSCROLL);
    RealDrag(list->Handle(),
             {i.rcScrollBar.left + 8, i.rcScrollBar.top + (i.xyThumbTop + i.xyThumbBottom) / 2},
             48);
  }
  EXPECT_GT(TopIndex(p.Twin), 0);
  EXPECT_EQ(TopIndex(p.List), TopIndex(p.Twin));
}

// --- What the overlay shows -------------------------------------------------------------------

// Runs probe while the system tracks a press on the overlay, then lets go.
void WhilePressed(HWND target, TWScrollbar* overlay, int along,
                  const std::function<void()>& probe) {
  static const std::function<void()>* current = nullptr;
  static HWND release = nullptr;
  current = &probe;
  release = target;
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    (*current)();
    PostMessageW(release, WM_LBUTTONUP, 0, 0);
  });
  const POINT o = overlay->Vertical ? POINT{kArrow / 2, along} : POINT{along, kArrow / 2};
  SendMessageW(overlay->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(o.x, o.y));
  Pump();
}

void Hover(TWScrollbar* overlay, int along) {
  const POINT o = overlay->Vertical ? POINT{kArrow / 2, along} : POINT{along, kArrow / 2};
  SendMessageW(overlay->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(o.x, o.y));
}

struct TLook {
  int First, Second; // "Scrollbar" frames of the arrows
  int Thumb, Grip;   // thumb body frame, "Scrollbar" frame of the grip
};

testing::AssertionResult Shows(TWScrollbar* bar, const TLook& want) {
  TBarInfo info;
  if (!bar->QueryBar(info)) return testing::AssertionFailure() << "no bar";
  const int length =
      bar->Vertical ? info.Bar.bottom - info.Bar.top : info.Bar.right - info.Bar.left;
  const TPiece thumb = bar->Vertical ? TPiece::VertThumb : TPiece::HorzThumb;
  const struct {
    const char* Where;
    int Along;
    TPiece Piece;
    int Frame;
  } checks[] = {
      {"first arrow", 3, TPiece::Scrollbar, want.First},
      {"second arrow", length - 3, TPiece::Scrollbar, want.Second},
      {"thumb body", info.ThumbTop + 2, thumb, want.Thumb},
      {"grip", (info.ThumbTop + info.ThumbBottom) / 2, TPiece::Scrollbar, want.Grip},
  };
  for (const auto& c : checks) {
    const TColor got = At(bar, c.Along);
    if (FrameIn(c.Piece, got) != c.Frame)
      return testing::AssertionFailure()
             << c.Where << " shows " << Name(got) << ", not frame " << c.Frame;
  }
  return testing::AssertionSuccess();
}

TEST(OverlayPixels, HotAndPressedFramesOfEachPart) {
  TListPair p(12); // a thumb long enough for its grip
  ASSERT_TRUE(p.Ok);
  TWScrollbar* v = p.Vert();
  TBarInfo info;
  ASSERT_TRUE(v->QueryBar(info));
  ASSERT_GT(info.ThumbBottom - info.ThumbTop, kArrow + 8);
  const int length = info.Bar.bottom - info.Bar.top;
  const int thumb = (info.ThumbTop + info.ThumbBottom) / 2;
  EXPECT_TRUE(Shows(v, {9, 13, 1, 20})) << "at rest";
  Hover(v, 4);
  EXPECT_TRUE(Shows(v, {12, 13, 1, 20})) << "hot first arrow";
  Hover(v, length - 4);
  EXPECT_TRUE(Shows(v, {9, 16, 1, 20})) << "hot second arrow";
  Hover(v, thumb);
  EXPECT_TRUE(Shows(v, {9, 13, 3, 22})) << "hot thumb";
  Hover(v, length - kArrow - 2);
  EXPECT_TRUE(Shows(v, {9, 13, 1, 20})) << "hot page area";
  Hover(v, thumb);
  SendMessageW(v->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(Shows(v, {9, 13, 1, 20})) << "left";

  testing::AssertionResult pressed = testing::AssertionFailure() << "probe never ran";
  WhilePressed(p.List->Handle(), v, thumb, [&] {
    // The leave notification during the press keeps the pressed look.
    SendMessageW(v->Handle(), WM_MOUSELEAVE, 0, 0);
    pressed = Shows(v, {9, 13, 2, 21});
  });
  EXPECT_TRUE(pressed) << "pressed thumb";
  pressed = testing::AssertionFailure() << "probe never ran";
  WhilePressed(p.List->Handle(), v, 4, [&] { pressed = Shows(v, {10, 13, 1, 20}); });
  EXPECT_TRUE(pressed) << "pressed first arrow (the list is at its top: nothing moves)";
  SendMessageW(p.List->Handle(), LB_SETTOPINDEX, 2, 0);
  pressed = testing::AssertionFailure() << "probe never ran";
  WhilePressed(p.List->Handle(), v, length - 4, [&] { pressed = Shows(v, {9, 14, 1, 20}); });
  EXPECT_TRUE(pressed) << "pressed second arrow";
  EXPECT_TRUE(Shows(v, {9, 13, 1, 20})) << "released";
}

TEST(OverlayPixels, HorizontalFramesAndTheCornerBox) {
  TListPair p(12);
  ASSERT_TRUE(p.Ok);
  SendMessageW(p.List->Handle(), LB_SETHORIZONTALEXTENT, 300, 0);
  Pump();
  TWScrollbar* h = p.Horz();
  ASSERT_TRUE(IsWindowVisible(h->Handle()));
  TBarInfo info;
  ASSERT_TRUE(h->QueryBar(info));
  ASSERT_GT(info.ThumbBottom - info.ThumbTop, kArrow + 8);
  const int length = info.Bar.right - info.Bar.left;
  EXPECT_TRUE(Shows(h, {1, 5, 1, 17}));
  Hover(h, 4);
  EXPECT_TRUE(Shows(h, {4, 5, 1, 17}));
  Hover(h, length - 4);
  EXPECT_TRUE(Shows(h, {1, 8, 1, 17}));
  Hover(h, (info.ThumbTop + info.ThumbBottom) / 2);
  EXPECT_TRUE(Shows(h, {1, 5, 3, 19}));
  testing::AssertionResult pressed = testing::AssertionFailure() << "probe never ran";
  WhilePressed(p.List->Handle(), h, (info.ThumbTop + info.ThumbBottom) / 2, [&] {
    pressed = Shows(h, {1, 5, 2, 18});
  });
  EXPECT_TRUE(pressed);
  // Between the two bars the box is the skin's face, not the system's.
  const RECT vb = BarOf(p.List->Handle(), OBJID_VSCROLL);
  const RECT hb = BarOf(p.List->Handle(), OBJID_HSCROLL);
  RECT w;
  GetWindowRect(p.List->Handle(), &w);
  EXPECT_EQ(WindowPixel(p.List->Handle(), vb.left - w.left + 8, hb.top - w.top + 8),
            StandardSpec().Face);
}

TEST(OverlayPixels, DisabledBarShowsTheDisabledTrackAndNoThumb) {
  // A memo keeps its bar on screen with nothing to scroll: the bar is
  // unavailable.
  TSkinnedForm f(ControlSpec());
  auto* memo = new TMemo(f.Form);
  memo->SetBounds(10, 10, 160, 100);
  memo->SetScrollBars(ssVertical);
  memo->SetParent(f.Form);
  memo->Lines().Add(L"one line");
  ASSERT_TRUE(f.Skin());
  auto* p = PainterFor<TSkinScrollbar>(f.Engine(), memo);
  ASSERT_NE(p, nullptr);
  ASSERT_TRUE(BarInfo(memo->Handle(), OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  ASSERT_TRUE(Covers(p->VertBar->Handle(), memo->Handle(), OBJID_VSCROLL, p->HorzBar->Handle()));
  TBarInfo info;
  ASSERT_TRUE(p->VertBar->QueryBar(info));
  const int length = info.Bar.bottom - info.Bar.top;
  EXPECT_EQ(FrameIn(TPiece::Scrollbar, At(p->VertBar, 3)), 9);
  EXPECT_EQ(FrameIn(TPiece::Scrollbar, At(p->VertBar, length - 3)), 13);
  for (int a = kArrow + 1; a < length - kArrow; a += 9)
    EXPECT_EQ(FrameIn(TPiece::VertScroll, At(p->VertBar, a)), 3)
        << a << ": " << Name(At(p->VertBar, a));
}

// A list box whose bar is shorter than two arrows shows half an arrow each.
TEST(OverlayPixels, ShortBarHalvesItsArrows) {
  TListPair p(100);
  ASSERT_TRUE(p.Ok);
  p.List->SetBounds(10, 10, 150, 24);
  Pump();
  TBarInfo info;
  ASSERT_TRUE(p.Vert()->QueryBar(info));
  const int length = info.Bar.bottom - info.Bar.top;
  ASSERT_LT(length, 2 * kArrow);
  ASSERT_TRUE(p.VertCovers());
  EXPECT_EQ(FrameIn(TPiece::Scrollbar, At(p.Vert(), length / 2 - 1)), 9);
  EXPECT_EQ(FrameIn(TPiece::Scrollbar, At(p.Vert(), length / 2 + 1)), 13);
}

// --- Scroll-bar controls -----------------------------------------------------------------------

TEST(OverlayControl, CoversTheControlAndPressesReachIt) {
  TSkinnedForm f(ControlSpec());
  auto make = [](TForm* form) {
    auto* bar = new TScrollBar(form);
    bar->SetKind(sbVertical);
    bar->SetBounds(20, 10, kArrow, 150);
    bar->SetParent(form);
    bar->SetPageSize(10);
    bar->SetParams(0, 0, 99);
    bar->SetLargeChange(10);
    return bar;
  };
  TScrollBar* bar = make(f.Form);
  auto twinForm = std::make_unique<TForm>(nullptr);
  twinForm->SetTag(99);
  twinForm->SetBounds(560, 120, 400, 300);
  twinForm->Show();
  TScrollBar* twin = make(twinForm.get());
  ASSERT_TRUE(f.Skin());
  auto* painter = PainterFor<TSkinScControl>(f.Engine(), bar);
  ASSERT_NE(painter, nullptr);
  HWND overlay = painter->Overlay->Handle();
  RECT o = ScreenRect(overlay), c = ScreenRect(bar->Handle());
  EXPECT_TRUE(EqualRect(&o, &c)) << Text(o) << " " << Text(c);
  EXPECT_EQ(GetWindow(overlay, GW_HWNDNEXT), bar->Handle());
  // The control's picture: arrows at both ends, the thumb after the first.
  EXPECT_EQ(FrameIn(TPiece::Scrollbar, ClientPixel(overlay, 8, 3)), 9);
  EXPECT_EQ(FrameIn(TPiece::Scrollbar, ClientPixel(overlay, 8, 146)), 13);
  EXPECT_EQ(FrameIn(TPiece::VertThumb, ClientPixel(overlay, 8, kArrow + 2)), 1);
  EXPECT_EQ(FrameIn(TPiece::VertScroll, ClientPixel(overlay, 8, 100)), 1);

  // A click on the second arrow, then on the page after the thumb.
  for (int y : {146, 120}) {
    SCOPED_TRACE(y);
    PostMessageW(twin->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, y));
    SendMessageW(twin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, y));
    PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, y));
    SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, y));
    Pump();
    EXPECT_GT(twin->Position(), 0);
    EXPECT_EQ(bar->Position(), twin->Position());
  }
  // The picture follows the new position.
  int start = 0, end = 0;
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(bar->Handle(), SB_CTL, &si);
  ControlThumb(150, kArrow, si, start, end);
  EXPECT_EQ(FrameIn(TPiece::VertThumb, ClientPixel(overlay, 8, start + 1)), 1);
  EXPECT_EQ(FrameIn(TPiece::VertScroll, ClientPixel(overlay, 8, kArrow + 2)), 1);
}

// --- Remade controls and single-bar mode -----------------------------------------------------

TEST(OverlayRemade, AMemoWithNewBarsGetsOverlaysOnItsNewWindow) {
  TSkinnedForm f(ControlSpec());
  auto* memo = new TMemo(f.Form);
  memo->SetBounds(10, 10, 160, 100);
  memo->SetParent(f.Form);
  for (int i = 0; i < 30; ++i)
    memo->Lines().Add(L"a fairly long line of text that goes on " + std::to_wstring(i));
  ASSERT_TRUE(f.Skin());
  ASSERT_NE(PainterFor<TSkinScrollbar>(f.Engine(), memo), nullptr);
  memo->SetScrollBars(ssBoth); // remakes the window
  ASSERT_TRUE(PumpUntil([&] {
    auto* p = PainterFor<TSkinScrollbar>(f.Engine(), memo);
    return p && p->Handle == memo->Handle() && p->VertBar && p->VertBar->Shown;
  }));
  auto* p = PainterFor<TSkinScrollbar>(f.Engine(), memo);
  EXPECT_TRUE(Covers(p->VertBar->Handle(), memo->Handle(), OBJID_VSCROLL, p->HorzBar->Handle()));
  EXPECT_TRUE(Covers(p->HorzBar->Handle(), memo->Handle(), OBJID_HSCROLL, p->VertBar->Handle()));
  int painters = 0;
  for (TSkinControl* q : f.Engine()->Painters)
    painters += q->Control == memo;
  EXPECT_EQ(painters, 1);
}

TEST(OverlayBorder, BorderRingsUnlessSingleBarMode) {
  for (bool single : {false, true}) {
    SCOPED_TRACE(single ? "single-bar mode" : "bordered");
    TSkinnedForm f(ControlSpec());
    if (single) f.Data->Skin3rd().Add(L"TListBox=singlescrollbar");
    TListBox* list = MakeList(f.Form, 100);
    const TColor own = WindowPixel(list->Handle(), 0, 0);
    ASSERT_TRUE(f.Skin());
    auto* p = PainterFor<TSkinScrollbar>(f.Engine(), list);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->DrawBorder, !single);
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    if (single) {
      EXPECT_EQ(WindowPixel(list->Handle(), 0, 0), own);
    } else {
      EXPECT_EQ(WindowPixel(list->Handle(), 0, 0), kShadow);
      EXPECT_EQ(WindowPixel(list->Handle(), 1, 1), StandardSpec().Face);
    }
    EXPECT_TRUE(p->VertBar->Shown) << "the bars are skinned either way";
  }
}

} // namespace
} // namespace enginetest
