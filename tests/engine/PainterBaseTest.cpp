// The painter base: what a painter lets through to the handler before it,
// switching it off and on, attaching twice, recolouring, the focus
// rectangle, giving the control and the window back, and errors that stay
// inside the painter.
#include "EngineTestUtil.h"
#include "fw/Button.h"
#include "fw/ExtCtrls.h"
#include "skin/controls/ButtonPainters.h"
#include "skin/controls/PanelPainters.h"
#include "support/FwMessageRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace enginetest {
namespace {

constexpr UINT kSwallowed = WM_APP + 1; // the probe handles it itself
constexpr UINT kThrows = WM_APP + 2;    // the probe fails on it
constexpr UINT kPlain = WM_APP + 3;     // nobody cares about it

// A painter that handles one message itself and fails on another.
class TProbePainter : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  bool ThrowInPaint = false;
  int Paints = 0;
  bool BeforeMessage(TMessage& msg) override {
    if (msg.Msg == kThrows) throw std::runtime_error("probe");
    if (msg.Msg == kSwallowed) {
      msg.Result = 77;
      return false;
    }
    return TSkinControl::BeforeMessage(msg);
  }
  void Paint(HDC, const RECT&) override {
    ++Paints;
    if (ThrowInPaint) throw std::runtime_error("paint");
  }
};

enum class THostKind { Framework, Bare };

const char* Name(THostKind k) {
  return k == THostKind::Framework ? "framework control" : "bare window";
}

// A control or a bare window on a skinned form, with a recorder between it
// and whatever painters come: the recorder sees what they pass on.
class THost {
public:
  THost(TSkinnedForm& form, THostKind kind) : FForm(form), Kind(kind) {
    if (kind == THostKind::Framework) {
      Button = new TButton(form.Form);
      Button->SetBounds(10, 10, 90, 30);
      Button->SetParent(form.Form);
      Wnd = Button->Handle();
      FHook = std::make_unique<msgseq::TControlRecorder>(Rec, Button);
    } else {
      Wnd = CreateWindowExW(0, PlainClass(), L"bare", WS_CHILD | WS_VISIBLE, 10, 50, 90, 30,
                            form.Wnd(), reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr),
                            nullptr);
      Rec.Watch(Wnd);
    }
  }
  ~THost() {
    FHook.reset();
    if (Button)
      delete Button;
    else
      DestroyWindow(Wnd);
  }
  THost(const THost&) = delete;
  THost& operator=(const THost&) = delete;

  // A painter attached the way painter selection attaches it.
  template <class T = TProbePainter> T* Attach(bool recolor = false) {
    TWinSkinForm* e = FForm.Engine();
    if (Kind == THostKind::Framework) {
      auto* p = new T(Button);
      p->Attach(e, FForm.Data, recolor, &e->ControlCanvas);
      return p;
    }
    auto* p = new T(nullptr);
    p->AttachWindow(Wnd, FForm.Data, e, &e->ControlCanvas);
    return p;
  }
  // The messages of interest the recorder saw, then forgets them.
  std::vector<UINT> Seen() {
    std::vector<UINT> out;
    for (const msgseq::TMsg& m : Rec.Messages())
      if (m.Message == kSwallowed || m.Message == kThrows || m.Message == kPlain ||
          m.Message == SKN_QUERY || m.Message == SKN_ENABLE)
        out.push_back(m.Message);
    Rec.Clear();
    return out;
  }
  LRESULT Send(UINT msg, WPARAM wParam = 0) { return SendMessageW(Wnd, msg, wParam, 0); }

  TSkinnedForm& FForm;
  THostKind Kind;
  TButton* Button = nullptr;
  HWND Wnd = nullptr;
  msgseq::TRecorder Rec;

private:
  std::unique_ptr<msgseq::TControlRecorder> FHook;
};

using TSeen = std::vector<UINT>;

TEST(PainterBase, QueryIsAnsweredAndNeverPassedOn) {
  TSkinnedForm f(ButtonsSpec());
  ASSERT_TRUE(f.Skin());
  for (THostKind kind : {THostKind::Framework, THostKind::Bare}) {
    SCOPED_TRACE(Name(kind));
    THost h(f, kind);
    // Unpainted, the query reaches the window's own handling, which does
    // not know it.
    EXPECT_EQ(h.Send(SKN_QUERY), 0);
    EXPECT_EQ(h.Seen(), (TSeen{SKN_QUERY}));
    TProbePainter* p = h.Attach();
    EXPECT_EQ(h.Send(SKN_QUERY), 1);
    EXPECT_EQ(h.Send(kPlain), 0);
    EXPECT_EQ(h.Seen(), (TSeen{kPlain}));
    if (h.Button) {
      EXPECT_EQ(h.Button->Perform(SKN_QUERY), 1); // what selection asks
    }
    if (kind == THostKind::Bare) delete p;
  }
}

TEST(PainterBase, SwitchedOffEverythingGoesStraightThroughUntilSwitchedOn) {
  TSkinnedForm f(ButtonsSpec());
  ASSERT_TRUE(f.Skin());
  for (THostKind kind : {THostKind::Framework, THostKind::Bare}) {
    SCOPED_TRACE(Name(kind));
    THost h(f, kind);
    TProbePainter* p = h.Attach();
    auto script = [&] {
      const LRESULT swallowed = h.Send(kSwallowed);
      const LRESULT query = h.Send(SKN_QUERY);
      return std::make_pair(swallowed, query);
    };
    EXPECT_EQ(script(), std::make_pair(LRESULT(77), LRESULT(1)));
    EXPECT_EQ(h.Seen(), TSeen{});
    EXPECT_EQ(h.Send(SKN_ENABLE, 0), 0);
    EXPECT_FALSE(p->Active);
    // Off: the painter is not there, as far as the window can tell.
    EXPECT_EQ(script(), std::make_pair(LRESULT(0), LRESULT(0)));
    EXPECT_EQ(h.Seen(), (TSeen{kSwallowed, SKN_QUERY}));
    h.Send(SKN_ENABLE, 0); // off twice is still off
    EXPECT_EQ(script(), std::make_pair(LRESULT(0), LRESULT(0)));
    EXPECT_EQ(h.Seen(), (TSeen{kSwallowed, SKN_QUERY}));
    h.Send(SKN_ENABLE, 1);
    EXPECT_TRUE(p->Active);
    EXPECT_EQ(script(), std::make_pair(LRESULT(77), LRESULT(1)));
    EXPECT_EQ(h.Seen(), TSeen{});
    if (kind == THostKind::Bare) delete p;
  }
}

// A real painter switched off: the button draws and takes its press itself.
TEST(PainterBase, SwitchedOffButtonLooksAndBehavesAsWithoutThePainter) {
  TSkinnedForm f(ButtonsSpec());
  auto* b = new TButton(f.Form);
  b->SetBounds(10, 10, 90, 30);
  b->SetParent(f.Form);
  ASSERT_TRUE(f.Skin());
  HWND wnd = b->Handle();
  auto centre = [&] {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return WindowPixel(wnd, 45, 15);
  };
  EXPECT_NE(ButtonFrameOf(centre()), 0);
  SendMessageW(wnd, SKN_ENABLE, 0, 0);
  EXPECT_EQ(ButtonFrameOf(centre()), 0);
  // The button's own press: the system button shows itself pushed.
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 15));
  EXPECT_TRUE(SendMessageW(wnd, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(45, 15));
  SendMessageW(wnd, SKN_ENABLE, 1, 0);
  EXPECT_NE(ButtonFrameOf(centre()), 0);
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 15));
  EXPECT_FALSE(SendMessageW(wnd, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(45, 15));
}

TEST(PainterBase, SecondAttachChangesNothing) {
  TSkinnedForm f(ButtonsSpec());
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  for (THostKind kind : {THostKind::Framework, THostKind::Bare}) {
    SCOPED_TRACE(Name(kind));
    THost h(f, kind);
    if (h.Button) h.Button->SetColor(clRed);
    TProbePainter* p = h.Attach(true);
    const std::size_t painters = e->Painters.size();
    const int hooks = h.Button ? h.Button->WindowProc.Count() : 0;
    const LONG_PTR proc = GetWindowLongPtrW(h.Wnd, GWLP_WNDPROC);
    const TColor face = f.Data->Skin().Colors[scButtonFace];
    if (h.Button) {
      EXPECT_EQ(h.Button->Color(), face);
    }
    TCanvas other;
    if (h.Button) {
      h.Button->SetColor(clBlue);
      p->Attach(nullptr, nullptr, false, &other);
      EXPECT_EQ(h.Button->Color(), clBlue); // not recoloured again
      EXPECT_EQ(h.Button->WindowProc.Count(), hooks);
    } else {
      p->AttachWindow(h.Wnd, nullptr, nullptr, &other);
    }
    EXPECT_EQ(p->SkinData, f.Data);
    EXPECT_EQ(p->FormEngine, e);
    EXPECT_EQ(p->Canvas, &e->ControlCanvas);
    EXPECT_EQ(e->Painters.size(), painters);
    EXPECT_EQ(GetWindowLongPtrW(h.Wnd, GWLP_WNDPROC), proc);
    // Still one painter in front: the message is handled once.
    EXPECT_EQ(h.Send(kSwallowed), 77);
    EXPECT_EQ(h.Seen(), TSeen{});
    if (kind == THostKind::Bare) delete p;
  }
}

// Recolouring painters on a panel: the plain base and the panel painter,
// which joins no message handling.
TEST(PainterBase, RecolourWhileSkinnedAndRestoreOnDetach) {
  const TColor face = ButtonsSpec().Face, other = MakeColor(9, 99, 199);
  struct {
    const char* Name;
    bool Box, Recolor, WindowGoesFirst;
    TColor Skinned, Restored;
  } cases[] = {
      {"base, recolour", false, true, false, face, clRed},
      {"base, no recolour", false, false, false, clRed, clRed},
      {"base, window gone first", false, true, true, face, face},
      {"box, recolour", true, true, false, face, clRed},
      {"box, no recolour", true, false, false, clRed, clRed},
  };
  TSkinnedForm f(ButtonsSpec());
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto* panel = new TPanel(f.Form);
    panel->SetParent(f.Form);
    panel->SetColor(clRed);
    panel->HandleNeeded();
    TSkinControl* p = c.Box ? static_cast<TSkinControl*>(new TSkinBox(panel))
                            : static_cast<TSkinControl*>(new TProbePainter(panel));
    p->Attach(e, f.Data, c.Recolor, &e->ControlCanvas);
    EXPECT_EQ(panel->Color(), c.Skinned);
    if (c.WindowGoesFirst) {
      panel->DestroyHandle();
      EXPECT_EQ(p->Status, 6);
    }
    if (!c.WindowGoesFirst && c.Recolor) {
      // A new skin's face colour follows.
      TSkinSpec spec = ButtonsSpec();
      spec.Face = other;
      f.Data->SetStoredArchive(BuildArchive(spec));
      f.Data->LoadSkin();
      p->SkinChanged();
      EXPECT_EQ(panel->Color(), other);
      f.Data->SetStoredArchive(BuildArchive(ButtonsSpec()));
      f.Data->LoadSkin();
    }
    p->Detach();
    EXPECT_EQ(panel->Color(), c.Restored);
    delete panel;
  }
}

// Pixels of a white picture that a draw changed, as their bounding box.
RECT ChangedBox(const Bitmap& b) {
  RECT box{b.Width(), b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.At(x, y) != clWhite) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

TEST(PainterBase, CaptionFocusNeverOutsideItsRectangle) {
  const RECT rect{20, 10, 80, 34};
  const wchar_t* const wide = L"A caption far wider than the rectangle it is drawn in";
  struct {
    const char* Name;
    UINT Flags;
    const wchar_t* Text;
    bool TouchesLeft, TouchesRight;
  } cases[] = {
      {"left, short", DT_LEFT, L"Ok", true, false},
      {"centre, short", DT_CENTER, L"Ok", false, false},
      {"right, short", DT_RIGHT, L"Ok", false, true},
      {"left, wide", DT_LEFT, wide, true, true},
      {"centre, wide", DT_CENTER, wide, true, true},
      {"right, wide", DT_RIGHT, wide, true, true},
      {"centre, two lines", DT_CENTER, L"Ok\r\nOk", false, false},
  };
  TProbePainter p(nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TBitmap picture;
    picture.SetSize(100, 44);
    HDC dc = picture.Canvas().Handle();
    TSkinControl::FillColor(dc, {0, 0, 100, 44}, clWhite);
    p.Text = c.Text;
    p.DrawCaptionFocus(dc, c.Flags, rect);
    const RECT box = ChangedBox(picture.ToBitmap());
    ASSERT_LT(box.left, box.right) << "nothing drawn";
    EXPECT_GE(box.left, rect.left);
    EXPECT_GE(box.top, rect.top);
    EXPECT_LE(box.right, rect.right);
    EXPECT_LE(box.bottom, rect.bottom);
    EXPECT_EQ(box.left == rect.left, c.TouchesLeft);
    EXPECT_EQ(box.right == rect.right, c.TouchesRight);
    if (c.Flags == DT_CENTER && !c.TouchesLeft) { // centred on the rectangle
      EXPECT_LE(std::abs((box.left - rect.left) - (rect.right - box.right)), 1);
    }
  }
}

// Painters released front-first and back-first (the engine takes them in
// its own order), over a later hook that stays: every control and window
// ends as it was.
TEST(PainterBase, FreeingPaintersRestoresHookChainAndProcedureInAnyOrder) {
  TSkinnedForm f(ButtonsSpec());
  ASSERT_TRUE(f.Skin());
  for (THostKind kind : {THostKind::Framework, THostKind::Bare}) {
    for (bool firstFirst : {true, false}) {
      SCOPED_TRACE(std::string(Name(kind)) + (firstFirst ? ", first freed first" : ", last first"));
      THost h(f, kind);
      const LONG_PTR proc = GetWindowLongPtrW(h.Wnd, GWLP_WNDPROC);
      const int hooks = h.Button ? h.Button->WindowProc.Count() : 0;
      TProbePainter* first = h.Attach();
      // A second painter in front of the first, as an OnSkinControl
      // handler may attach one.
      TProbePainter* second = h.Attach();
      EXPECT_EQ(h.Send(kSwallowed), 77);
      EXPECT_EQ(h.Seen(), TSeen{});
      delete (firstFirst ? first : second);
      // The one left still works and passes everything else on once.
      EXPECT_EQ(h.Send(kSwallowed), 77);
      EXPECT_EQ(h.Send(kPlain), 0);
      EXPECT_EQ(h.Seen(), (TSeen{kPlain}));
      delete (firstFirst ? second : first);
      EXPECT_EQ(h.Send(kSwallowed), 0);
      EXPECT_EQ(h.Send(SKN_QUERY), 0);
      EXPECT_EQ(h.Seen(), (TSeen{kSwallowed, SKN_QUERY}));
      if (h.Button) {
        EXPECT_EQ(h.Button->WindowProc.Count(), hooks);
      }
      EXPECT_EQ(GetWindowLongPtrW(h.Wnd, GWLP_WNDPROC), proc);
      EXPECT_EQ(f.Engine()->FindRawPainter(h.Wnd), nullptr);
    }
  }
}

// The engine frees the painters of its controls and bare windows when it
// lets go: each one gives its control or window back.
TEST(PainterBase, UnskinningGivesEveryControlAndWindowBack) {
  TSkinnedForm f(ButtonsSpec());
  auto* b = new TButton(f.Form);
  b->SetParent(f.Form);
  auto* panel = new TPanel(f.Form);
  panel->SetParent(f.Form);
  panel->SetColor(clRed);
  HWND bare =
      CreateWindowExW(0, L"BUTTON", L"bare", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 80, 80, 25,
                      f.Wnd(), reinterpret_cast<HMENU>(9), GetModuleHandleW(nullptr), nullptr);
  const int hooks = b->WindowProc.Count(), panelHooks = panel->WindowProc.Count();
  const TWindowSnapshot bareBefore = Snapshot(bare), buttonBefore = Snapshot(b->Handle());
  ASSERT_TRUE(f.Skin());
  f.Engine()->SkinRawWindow(bare);
  EXPECT_EQ(PainterClassOf(f.Engine(), b), "TSkinButton");
  EXPECT_EQ(PainterClassOf(f.Engine(), panel), "TSkinBox");
  ASSERT_NE(f.Engine()->FindRawPainter(bare), nullptr);
  EXPECT_NE(Snapshot(bare).Proc, bareBefore.Proc);
  EXPECT_NE(panel->Color(), clRed);
  f.Unskin();
  EXPECT_EQ(b->WindowProc.Count(), hooks);
  EXPECT_EQ(panel->WindowProc.Count(), panelHooks);
  EXPECT_EQ(panel->Color(), clRed);
  EXPECT_TRUE(Snapshot(bare) == bareBefore) << Describe(Snapshot(bare));
  EXPECT_TRUE(Snapshot(b->Handle()) == buttonBefore) << Describe(Snapshot(b->Handle()));
  EXPECT_EQ(SendMessageW(bare, SKN_QUERY, 0, 0), 0);
  EXPECT_EQ(b->Perform(SKN_QUERY), 0);
  DestroyWindow(bare);
}

TEST(PainterBase, ErrorsStayInsideThePainterAndTheControlKeepsWorking) {
  TSkinnedForm f(ButtonsSpec());
  ASSERT_TRUE(f.Skin());
  for (THostKind kind : {THostKind::Framework, THostKind::Bare}) {
    SCOPED_TRACE(Name(kind));
    THost h(f, kind);
    int clicks = 0;
    struct TClicks : TObject {
      int* Count;
      void Click(TObject*) { ++*Count; }
    } counter;
    counter.Count = &clicks;
    if (h.Button) h.Button->OnClick = TNotifyEvent(&counter, &TClicks::Click);
    TProbePainter* p = h.Attach();
    // The failing message ends where the painter failed; no error reaches
    // the application (the test run's error handler would fail the test).
    EXPECT_EQ(h.Send(kThrows), 0);
    EXPECT_EQ(h.Seen(), TSeen{});
    // A paint that fails leaves no pending paint behind and nothing broken.
    p->ThrowInPaint = true;
    RedrawWindow(h.Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(p->Paints, 1);
    EXPECT_FALSE(GetUpdateRect(h.Wnd, nullptr, FALSE));
    p->PaintWindow(nullptr);
    EXPECT_EQ(h.Send(SKN_QUERY), 1);
    EXPECT_EQ(h.Send(kPlain), 0);
    EXPECT_EQ(h.Seen(), (TSeen{kPlain}));
    if (h.Button) {
      h.Button->Click();
      EXPECT_EQ(clicks, 1);
    }
    if (kind == THostKind::Bare) delete p;
  }
  // A push-button painter failing halfway through its own paint.
  struct TFailingButton : TSkinButton {
    using TSkinButton::TSkinButton;
    void Paint(HDC, const RECT&) override { throw std::runtime_error("button"); }
  };
  THost h(f, THostKind::Framework);
  h.Attach<TFailingButton>();
  RedrawWindow(h.Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_FALSE(GetUpdateRect(h.Wnd, nullptr, FALSE));
  SendMessageW(h.Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(h.Wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(h.Send(SKN_QUERY), 1);
}

} // namespace
} // namespace enginetest
