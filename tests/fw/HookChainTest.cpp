#include <gtest/gtest.h>

#include "FwTestUtil.h"

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
