#include <gtest/gtest.h>

#include "FwTestUtil.h"
#include "fw/WindowSubclass.h"

namespace fwtest {
namespace {

// A hook that notes the application messages it sees and passes them on.
class TNamedHook : public TObject {
public:
  explicit TNamedHook(char name) : Name(name) {}
  void Install(TControl* c) { Hook.Install(c, TWndMethod(this, &TNamedHook::Handle)); }
  char Name;
  std::string* Trail = nullptr;
  TWndHook Hook;
  bool RemoveSelfOnNext = false;

private:
  void Handle(TMessage& msg) {
    if (msg.Msg >= WM_APP && Trail) *Trail += Name;
    if (RemoveSelfOnNext && msg.Msg >= WM_APP) Hook.Remove();
    Hook.CallPrevious(msg);
  }
};

// The control's own handling, last in every chain.
class TEndEdit : public TEdit {
public:
  using TEdit::TEdit;
  std::string* Trail = nullptr;
  void WndProc(TMessage& msg) override {
    if (msg.Msg >= WM_APP && Trail) *Trail += '.';
    TEdit::WndProc(msg);
  }
};

TEST(HookChain, HooksLeaveInAnyOrderAndTheRestStillSeeEverything) {
  struct {
    const char* Order;    // removal order
    const char* After[3]; // trail of one message after each removal
  } cases[] = {
      {"BAC", {"CA.", "C.", "."}},
      {"CAB", {"BA.", "B.", "."}},
      {"ABC", {"CB.", "C.", "."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Order);
    auto form = MakeForm(50, 50, 200, 100, false);
    auto* edit = new TEndEdit(form.get());
    edit->SetParent(form.get());
    std::string trail;
    edit->Trail = &trail;
    TNamedHook a('A'), b('B'), cc('C');
    TNamedHook* byName[] = {&a, &b, &cc};
    for (TNamedHook* h : byName) {
      h->Trail = &trail;
      h->Install(edit);
    }
    SendMessageW(edit->Handle(), WM_APP, 0, 0);
    EXPECT_EQ(trail, "CBA.");
    edit->Perform(WM_APP + 1); // Perform goes through the same chain
    EXPECT_EQ(trail, "CBA.CBA.");
    for (int i = 0; i < 3; ++i) {
      byName[c.Order[i] - 'A']->Hook.Remove();
      trail.clear();
      SendMessageW(edit->Handle(), WM_APP, 0, 0);
      EXPECT_EQ(trail, c.After[i]) << "after removing " << c.Order[i];
    }
    EXPECT_TRUE(edit->WindowProc.Empty());
    EXPECT_TRUE(edit->WindowProc.Front() ==
                TWndMethod(static_cast<TControl*>(edit), &TControl::WndProc));
  }
}

TEST(HookChain, AHookMayLeaveWhileItRunsAndOutliveItsControl) {
  auto form = MakeForm(50, 50, 200, 100, false);
  auto* edit = new TEndEdit(form.get());
  edit->SetParent(form.get());
  std::string trail;
  edit->Trail = &trail;
  TNamedHook a('A'), b('B');
  a.Trail = b.Trail = &trail;
  a.Install(edit);
  b.Install(edit);
  b.RemoveSelfOnNext = true;
  SendMessageW(edit->Handle(), WM_APP, 0, 0);
  EXPECT_EQ(trail, "BA."); // still passed on after leaving
  trail.clear();
  SendMessageW(edit->Handle(), WM_APP, 0, 0);
  EXPECT_EQ(trail, "A.");
  EXPECT_FALSE(b.Hook.Installed());

  // The control goes first: the hook is detached, and its removal (and a
  // late call through it) touches nothing.
  delete edit;
  EXPECT_FALSE(a.Hook.Installed());
  EXPECT_EQ(a.Hook.Control(), nullptr);
  TMessage m{WM_APP, 0, 0, 7};
  a.Hook.CallPrevious(m);
  a.Hook.Remove();
  EXPECT_EQ(m.Result, 7);
}

TEST(HookChain, MovedHookStaysInPlace) {
  auto form = MakeForm(50, 50, 200, 100, false);
  std::string trail;
  TNamedHook a('A');
  a.Trail = &trail;
  a.Install(form.get());
  TWndHook moved = std::move(a.Hook);
  EXPECT_TRUE(moved.Installed());
  EXPECT_FALSE(a.Hook.Installed());
  EXPECT_EQ(form->WindowProc.Count(), 1);
  moved = TWndHook(); // assigning over an installed hook removes it
  EXPECT_TRUE(form->WindowProc.Empty());
}

} // namespace
} // namespace fwtest

namespace fwtest {
namespace {

// A subclass that notes the application messages it sees.
class TNamedSubclass : public TObject {
public:
  TNamedSubclass(char name, std::string& trail) : Name(name), Trail(trail) {}
  bool Install(HWND wnd) {
    return Sub.Install(wnd, TWndMethod(this, &TNamedSubclass::Handle), true);
  }
  char Name;
  std::string& Trail;
  TWindowSubclass Sub;
  bool RemoveSelfOnNext = false;

private:
  void Handle(TMessage& msg) {
    if (msg.Msg >= WM_APP) Trail += Name;
    if (RemoveSelfOnNext && msg.Msg >= WM_APP) Sub.Remove();
    Sub.CallOld(msg);
  }
};

std::string* gPlainTrail = nullptr;
LRESULT CALLBACK PlainProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= WM_APP && gPlainTrail) *gPlainTrail += '.';
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

HWND MakePlainWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SubclassTestPlain";
  RegisterClassW(&wc);
  return CreateWindowExW(0, L"SubclassTestPlain", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

TEST(WindowSubclass, OutOfOrderRemovalKeepsTheChainWhole) {
  for (const char* order : {"AB", "BA"}) {
    SCOPED_TRACE(order);
    std::string trail;
    gPlainTrail = &trail;
    HWND wnd = MakePlainWindow();
    const LONG_PTR original = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
    TNamedSubclass a('A', trail), b('B', trail);
    ASSERT_TRUE(a.Install(wnd));
    ASSERT_TRUE(b.Install(wnd));
    EXPECT_FALSE(a.Install(wnd)); // once is enough
    SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_EQ(trail, "BA.");
    (order[0] == 'A' ? a : b).Sub.Remove();
    trail.clear();
    SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_EQ(trail, order[0] == 'A' ? "B." : "A.");
    (order[0] == 'A' ? b : a).Sub.Remove();
    trail.clear();
    SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_EQ(trail, ".");
    // In either order the window has its own procedure back: out of order,
    // the first one stays a pass-through only until the second one leaves.
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), original);
    DestroyWindow(wnd);
  }
  gPlainTrail = nullptr;
}

TEST(WindowSubclass, RemovedInItsOwnHandlerAndOutlivedByItsWindow) {
  std::string trail;
  gPlainTrail = &trail;
  HWND wnd = MakePlainWindow();
  {
    TNamedSubclass a('A', trail);
    a.Install(wnd);
    a.RemoveSelfOnNext = true;
    SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_EQ(trail, "A."); // passed on after leaving
    trail.clear();
    SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_EQ(trail, ".");
  }
  TNamedSubclass b('B', trail);
  b.Install(wnd);
  DestroyWindow(wnd); // the subclass outlives the window
  EXPECT_TRUE(b.Sub.Installed());
  b.Sub.Remove(); // touches no window
  EXPECT_FALSE(b.Sub.Installed());
  gPlainTrail = nullptr;
}

} // namespace
} // namespace fwtest
