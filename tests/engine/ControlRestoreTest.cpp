// Giving the controls back: after the painters of scroll bars, edits,
// combo boxes, track bars, up-downs, progress bars and date-time pickers
// let go, in whatever order, every window has its procedure, styles,
// children and colours of before; and controls that go while skinned (a
// combo box with its list open among them) take their painters quietly.
#include "ControlSkinUtil.h"
#include "fw/ComboBox.h"
#include "fw/DateTimePicker.h"
#include "fw/Edit.h"
#include "fw/ListBox.h"
#include "fw/Memo.h"
#include "fw/ProgressBar.h"
#include "fw/ScrollBar.h"
#include "fw/TrackBar.h"
#include "fw/UpDown.h"
#include "skin/controls/ScrollPainters.h"
#include "support/ObjectCensus.h"
#include "support/WinTestUtil.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace enginetest {

// A grid-like list with a fixed-cell colour, which the scroll-bar painter
// replaces by the skin's face while it is attached.
class TFixedColorList : public TListBox {
  FW_DECLARE_CLASS(TFixedColorList)
public:
  using TListBox::TListBox;
  TColor FixedColor = MakeColor(1, 99, 2);
};

static void SetupFixedColorList(TClassInfo& c) {
  using T = TFixedColorList;
  c.Props.push_back(IntProp<T>(
      "FixedColor", [](T* o) { return static_cast<std::int64_t>(o->FixedColor); },
      [](T* o, std::int64_t v) { o->FixedColor = static_cast<TColor>(v); }, 0));
}
FW_CLASS_IMPL(TFixedColorList, TListBox, CreateComponentOf<TFixedColorList>, SetupFixedColorList)

namespace {

// Everything of a window a painter may change.
struct TGiven {
  TWindowSnapshot Window;
  std::vector<HWND> Children;
  TColor Color = 0;
  int Hooks = 0;
  bool operator==(const TGiven& o) const {
    return Window == o.Window && Children == o.Children && Color == o.Color && Hooks == o.Hooks;
  }
};

std::vector<HWND> ChildrenOf(HWND wnd) {
  std::vector<HWND> out;
  for (HWND c = GetTopWindow(wnd); c; c = GetWindow(c, GW_HWNDNEXT))
    out.push_back(c);
  std::sort(out.begin(), out.end());
  return out;
}

class TAllControls {
public:
  TAllControls() : Form(ControlSpec()) {
    TForm* f = Form.Form;
    Form.Form->SetClientSize(620, 300);
    auto place = [f](TWinControl* c, int x, int y, int w, int h) {
      c->SetBounds(x, y, w, h);
      c->SetParent(f);
      return c;
    };
    List = new TFixedColorList(f);
    place(List, 5, 5, 120, 100);
    for (int i = 0; i < 60; ++i)
      List->Items().Add(L"line " + std::to_wstring(i));
    auto* memo = new TMemo(f);
    memo->SetScrollBars(ssBoth);
    place(memo, 130, 5, 120, 100);
    for (int i = 0; i < 20; ++i)
      memo->Lines().Add(L"a line long enough to scroll sideways " + std::to_wstring(i));
    auto* edit = new TEdit(f);
    place(edit, 255, 5, 120, 30);
    CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 100, 0, 16, 26, edit->Handle(),
                    nullptr, GetModuleHandleW(nullptr), nullptr);
    for (TComboBoxStyle style : {csDropDown, csDropDownList, csSimple}) {
      auto* combo = new TComboBox(f);
      place(combo, 380 + 80 * static_cast<int>(style), 5, 75, style == csSimple ? 90 : 24);
      for (int i = 0; i < 30; ++i)
        combo->Items().Add(L"item " + std::to_wstring(i));
      Combos.push_back(combo);
    }
    place(new TTrackBar(f), 5, 110, 150, 40);
    auto* progress = new TProgressBar(f);
    place(progress, 160, 110, 150, 20);
    progress->SetPosition(40);
    place(new TUpDown(f), 315, 110, 17, 30);
    auto* bar = new TScrollBar(f);
    place(bar, 340, 110, 150, 17);
    place(new TDateTimePicker(f), 5, 160, 150, 24);
    auto* upDownPicker = new TDateTimePicker(f);
    upDownPicker->SetDateMode(dmUpDown);
    place(upDownPicker, 160, 160, 150, 24);
    Pump();
  }
  // Every window of the form that a painter may touch: the controls, the
  // children of combo boxes and edits, and the lists of combo boxes.
  std::vector<HWND> Windows() const {
    std::vector<HWND> out{Form.Wnd()};
    for (int i = 0; i < Form.Form->ControlCount(); ++i)
      if (auto* w = As<TWinControl>(Form.Form->Controls(i)); w && w->HandleAllocated()) {
        out.push_back(w->WindowHandle());
        for (HWND c : ChildrenOf(w->WindowHandle()))
          out.push_back(c);
      }
    for (TComboBox* c : Combos) {
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      if (GetComboBoxInfo(c->Handle(), &info) && info.hwndList &&
          std::find(out.begin(), out.end(), info.hwndList) == out.end())
        out.push_back(info.hwndList);
    }
    return out;
  }
  std::map<HWND, TGiven> Take() const {
    std::map<HWND, TGiven> out;
    for (HWND w : Windows()) {
      TGiven g;
      g.Window = Snapshot(w);
      g.Children = ChildrenOf(w);
      if (TWinControl* c = TWinControl::FromHandle(w)) {
        g.Color = c->Color();
        g.Hooks = c->WindowProc.Count();
      }
      out[w] = g;
    }
    return out;
  }
  TSkinnedForm Form;
  TFixedColorList* List = nullptr;
  std::vector<TComboBox*> Combos;
};

std::string ClassOf(HWND w) {
  wchar_t buf[64] = {};
  GetClassNameW(w, buf, 64);
  return testutil::Narrow(buf);
}

testing::AssertionResult SameAs(const std::map<HWND, TGiven>& before,
                                const std::map<HWND, TGiven>& after) {
  testing::AssertionResult r = testing::AssertionSuccess();
  bool same = true;
  for (const auto& [w, g] : before) {
    auto it = after.find(w);
    if (it == after.end()) {
      same = false;
      r << "\n" << ClassOf(w) << " is gone";
      continue;
    }
    const TGiven& a = it->second;
    if (a == g) continue;
    same = false;
    r << "\n"
      << ClassOf(w) << ": before " << Describe(g.Window) << " children " << g.Children.size()
      << " colour " << g.Color << " hooks " << g.Hooks << "\n   after " << Describe(a.Window)
      << " children " << a.Children.size() << " colour " << a.Color << " hooks " << a.Hooks;
  }
  if (same) return testing::AssertionSuccess();
  return testing::AssertionFailure() << r.message();
}

TEST(ControlRestore, EveryWindowGetsEverythingBackInAnyOrder) {
  const struct {
    const char* Name;
    int Order; // 0 the remove command, 1 painters let go last first, 2 first first
  } orders[] = {{"remove command", 0}, {"last painter first", 1}, {"first painter first", 2}};
  for (const auto& o : orders) {
    SCOPED_TRACE(o.Name);
    TAllControls a;
    const auto before = a.Take();
    ASSERT_TRUE(a.Form.Skin());
    TWinSkinForm* e = a.Form.Engine();
    ASSERT_GE(e->Painters.size(), 14u);
    EXPECT_EQ(a.List->FixedColor, e->FaceColor());
    EXPECT_FALSE(SameAs(before, a.Take())) << "skinning changed nothing: the test shows nothing";
    if (o.Order != 0) {
      std::vector<TSkinControl*> painters = e->Painters;
      if (o.Order == 1) std::reverse(painters.begin(), painters.end());
      for (TSkinControl* p : painters)
        if (std::find(e->Painters.begin(), e->Painters.end(), p) != e->Painters.end()) p->Detach();
    }
    a.Form.Unskin();
    EXPECT_TRUE(SameAs(before, a.Take()));
    EXPECT_EQ(a.List->FixedColor, MakeColor(1, 99, 2));
    // The list still scrolls, through its own procedure.
    SendMessageW(a.List->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetScrollPos(a.List->Handle(), SB_VERT), 1);
  }
}

// Controls that go while skinned take their painters, overlays and list
// painters with them, open lists included; nothing is left behind.
TEST(ControlRestore, ControlsGoingWhileSkinnedLeaveNothing) {
  TSkinnedForm keeper(ControlSpec()); // keeps the thread's helper windows alive
  auto cycle = [] {
    TAllControls a;
    if (!a.Form.Skin()) return false;
    // The drop-down box goes with its list open.
    SendMessageW(a.Combos[0]->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    delete a.Combos[0];
    a.Combos.erase(a.Combos.begin());
    Pump();
    // The others go one by one, then the form with what is left.
    delete a.Combos[0];
    delete a.List;
    a.Combos.erase(a.Combos.begin());
    a.Form.Engine()->PurgeDestroyedPainters();
    Pump();
    return true;
  };
  ASSERT_TRUE(cycle()); // warm-up: caches, classes, fonts
  const auto before = testutil::TObjectCensus::Take();
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(cycle());
  const auto after = testutil::TObjectCensus::Take();
  EXPECT_EQ(before, after) << before.DifferenceTo(after);
}

// A short soak of what users do most over a skinned form: hovering the
// list's bar, scrolling it, hovering the edit and the combo box, opening
// and closing the combo box's list. (The long soak, 10,000 cycles over the
// main window, is part of bench_scroll_win.)
TEST(ControlSoak, HoverScrollAndDropDownLeaveNothing) {
  TSkinnedForm f(ControlSpec());
  auto* list = new TListBox(f.Form);
  list->SetBounds(5, 5, 150, 120);
  list->SetParent(f.Form);
  for (int i = 0; i < 100; ++i)
    list->Items().Add(L"line " + std::to_wstring(i));
  auto* edit = new TEdit(f.Form);
  edit->SetBounds(160, 5, 100, 24);
  edit->SetParent(f.Form);
  auto* combo = new TComboBox(f.Form);
  combo->SetBounds(160, 40, 120, 24);
  combo->SetParent(f.Form);
  for (int i = 0; i < 30; ++i)
    combo->Items().Add(L"item " + std::to_wstring(i));
  ASSERT_TRUE(f.Skin());
  auto* p = PainterFor<TSkinScrollbar>(f.Engine(), list);
  ASSERT_NE(p, nullptr);
  HWND bar = p->VertBar->Handle(), lb = list->Handle(), cb = combo->Handle();
  auto cycle = [&](int i) {
    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(8, (i * 7) % 110));
    SendMessageW(bar, WM_MOUSELEAVE, 0, 0);
    SendMessageW(lb, WM_VSCROLL, (i / 40) % 2 ? SB_LINEUP : SB_LINEDOWN, 0);
    SendMessageW(lb, WM_MOUSEWHEEL, MAKEWPARAM(0, i % 2 ? WHEEL_DELTA : -WHEEL_DELTA), 0);
    SendMessageW(edit->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(cb, WM_MOUSEMOVE, 0, MAKELPARAM(combo->Width() - 5, 10));
    SendMessageW(cb, CM_MOUSELEAVE, 0, 0);
    SendMessageW(cb, CB_SHOWDROPDOWN, TRUE, 0);
    RedrawWindow(f.Wnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageW(cb, CB_SHOWDROPDOWN, FALSE, 0);
    RedrawWindow(f.Wnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
  };
  for (int i = 0; i < 10; ++i)
    cycle(i);
  const auto before = testutil::TObjectCensus::Take();
  for (int i = 0; i < 100; ++i)
    cycle(i);
  const auto after = testutil::TObjectCensus::Take();
  EXPECT_EQ(before, after) << before.DifferenceTo(after);
}

} // namespace
} // namespace enginetest
