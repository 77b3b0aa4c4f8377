#include <gtest/gtest.h>

#include "FwTestClasses.h"
#include "FwTestUtil.h"

#include <memory>

namespace fwtest {
namespace {

using TNote = std::pair<TComponent*, TOperation>;

TRecordingComponent* Make(TComponent* owner, const std::string& name) {
  auto* c = new TRecordingComponent(owner);
  c->SetName(name);
  return c;
}

TEST(Component, OwnerDeletesOwnedLastFirst) {
  DestroyLog().clear();
  auto* owner = Make(nullptr, "Owner");
  Make(owner, "A");
  auto* b = Make(owner, "B");
  Make(owner, "C");
  Make(b, "B1"); // owned by B: goes when B goes
  EXPECT_EQ(owner->ComponentCount(), 3);
  delete owner;
  // The log notes where each destructor starts: what a component owns goes
  // before its own destructors run (while it is whole), the last made first.
  EXPECT_EQ(DestroyLog(), (std::vector<std::string>{"C", "B1", "B", "A", "Owner"}));
}

// What a component owned by a form can still see of it while it goes.
struct TOwnerSeen {
  std::string OwnerClass;
  bool OwnerWindowAlive = false;
  bool OwnerDestroying = false;
};
TOwnerSeen gSeen;

class TOwnerWitness : public TComponent {
public:
  using TComponent::TComponent;
  ~TOwnerWitness() override {
    auto* form = As<TCustomForm>(Owner());
    gSeen.OwnerClass = Owner() ? Owner()->ClassName() : "";
    gSeen.OwnerWindowAlive = form && form->HandleAllocated() && IsWindow(form->WindowHandle());
    gSeen.OwnerDestroying = Owner() && Owner()->HasState(csDestroying);
  }
};

TEST(Component, OwnedComponentsGoWhileTheirOwnerIsWhole) {
  gSeen = {};
  auto* form = new TTestForm(nullptr);
  new TOwnerWitness(form);
  form->HandleNeeded();
  delete form;
  EXPECT_EQ(gSeen.OwnerClass, "TTestForm");
  EXPECT_TRUE(gSeen.OwnerWindowAlive);
  EXPECT_TRUE(gSeen.OwnerDestroying);

  // The same through the application, which owns the forms it made.
  gSeen = {};
  auto app = std::make_unique<TApplication>(nullptr);
  auto* owned = new TTestForm(app.get());
  owned->HandleNeeded();
  new TOwnerWitness(owned);
  app.reset();
  EXPECT_EQ(gSeen.OwnerClass, "TTestForm");
  EXPECT_TRUE(gSeen.OwnerWindowAlive);
}

TEST(Component, OwnedDeletedEarlyLeavesTheList) {
  DestroyLog().clear();
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* a = Make(owner.get(), "A");
  Make(owner.get(), "B");
  delete a;
  ASSERT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->Components(0)->Name(), "B");
  owner.reset();
  EXPECT_EQ(DestroyLog(), (std::vector<std::string>{"A", "B"}));
}

TEST(Component, InsertAndRemoveMoveBetweenOwners) {
  auto first = std::make_unique<TComponent>(nullptr);
  auto second = std::make_unique<TComponent>(nullptr);
  auto* c = Make(first.get(), "C");
  second->InsertComponent(c);
  EXPECT_EQ(c->Owner(), second.get());
  EXPECT_EQ(first->ComponentCount(), 0);
  EXPECT_EQ(second->FindComponent("c"), c);
  second->RemoveComponent(c);
  EXPECT_EQ(c->Owner(), nullptr);
  EXPECT_EQ(second->ComponentCount(), 0);
  delete c;
}

TEST(Component, NotificationReachesSiblings) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* watcher = Make(owner.get(), "Watcher");
  auto* other = Make(owner.get(), "Other");
  watcher->Notifications.clear();
  other->Notifications.clear();

  auto* added = Make(owner.get(), "Added");
  EXPECT_EQ(watcher->Notifications, (std::vector<TNote>{{added, opInsert}}));
  EXPECT_EQ(other->Notifications, (std::vector<TNote>{{added, opInsert}}));
  EXPECT_TRUE(added->Notifications.empty()); // not told about itself

  watcher->Notifications.clear();
  delete added;
  EXPECT_EQ(watcher->Notifications, (std::vector<TNote>{{added, opRemove}}));
}

TEST(Component, FreeNotificationWorksBothWays) {
  struct {
    bool DeleteTarget; // else delete the watcher
  } cases[] = {{true}, {false}};
  for (const auto& c : cases) {
    auto* watcher = Make(nullptr, "Watcher");
    auto* target = Make(nullptr, "Target");
    watcher->SetPeer(target); // target->FreeNotification(watcher)
    watcher->Notifications.clear();
    target->Notifications.clear();
    if (c.DeleteTarget) {
      delete target;
      EXPECT_EQ(watcher->Notifications, (std::vector<TNote>{{target, opRemove}}));
      EXPECT_EQ(watcher->Peer(), nullptr);
      watcher->Notifications.clear();
      delete watcher; // must not reach the deleted target
    } else {
      delete watcher;
      EXPECT_EQ(target->Notifications, (std::vector<TNote>{{watcher, opRemove}}));
      delete target;
    }
  }
}

TEST(Component, RemoveFreeNotificationStopsBothDirections) {
  auto* a = Make(nullptr, "A");
  auto* b = Make(nullptr, "B");
  a->FreeNotification(b);
  a->FreeNotification(b); // asked twice, told once
  a->FreeNotification(nullptr);
  a->RemoveFreeNotification(nullptr);
  a->RemoveFreeNotification(b);
  b->Notifications.clear();
  a->Notifications.clear();
  delete a;
  EXPECT_TRUE(b->Notifications.empty());

  auto* c = Make(nullptr, "C");
  c->FreeNotification(b);
  c->FreeNotification(b);
  delete c;
  EXPECT_EQ(b->Notifications, (std::vector<TNote>{{c, opRemove}}));
  delete b;
}

TEST(Component, ManyWatchersAllForget) {
  auto* target = Make(nullptr, "Target");
  std::vector<TRecordingComponent*> watchers;
  for (int i = 0; i < 5; ++i) {
    watchers.push_back(Make(nullptr, "W" + std::to_string(i)));
    watchers.back()->SetPeer(target);
  }
  watchers[2]->SetPeer(nullptr); // stops watching
  delete target;
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(watchers[i]->Peer(), nullptr) << i;
    const bool told = !watchers[i]->Notifications.empty() &&
                      watchers[i]->Notifications.back() == TNote{target, opRemove};
    EXPECT_EQ(told, i != 2) << i;
  }
  for (auto* w : watchers)
    delete w;
}

TEST(Component, FindComponentIgnoresCase) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* button = Make(owner.get(), "Button1");
  Make(owner.get(), "Edit1");
  struct {
    const char* Name;
    TComponent* Expected;
  } cases[] = {
      {"Button1", button}, {"BUTTON1", button}, {"button1", button},
      {"Button", nullptr}, {"", nullptr},       {"Button1 ", nullptr},
  };
  for (const auto& c : cases)
    EXPECT_EQ(owner->FindComponent(c.Name), c.Expected) << c.Name;
  EXPECT_EQ(owner->Find<TRecordingComponent>("edit1")->Name(), "Edit1");
  EXPECT_EQ(owner->Find<TForm>("edit1"), nullptr); // of another class
}

TEST(Component, DuplicateNameRefused) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* first = Make(owner.get(), "Button1");
  auto* second = Make(owner.get(), "Button2");
  EXPECT_THROW(second->SetName("button1"), EFrameworkError);
  EXPECT_EQ(second->Name(), "Button2");
  EXPECT_NO_THROW(first->SetName("BUTTON1")); // its own name in another case
  EXPECT_EQ(first->Name(), "BUTTON1");
  EXPECT_NO_THROW(second->SetName(""));
  EXPECT_NO_THROW(Make(owner.get(), "")); // any number of unnamed ones

  // Components without an owner share no name space.
  auto loose1 = std::unique_ptr<TRecordingComponent>(Make(nullptr, "Same"));
  auto loose2 = std::unique_ptr<TRecordingComponent>(Make(nullptr, "Same"));
  EXPECT_EQ(loose2->Name(), "Same");
}

TEST(Component, ClassInfoAndCasts) {
  auto form = std::make_unique<TTestForm>(nullptr);
  EXPECT_EQ(form->ClassName(), "TTestForm");
  EXPECT_TRUE(form->Is<TForm>());
  EXPECT_TRUE(form->Is<TWinControl>());
  EXPECT_FALSE(form->Is<TGraphicControl>());
  EXPECT_EQ(As<TButton>(form.get()), nullptr);
  EXPECT_EQ(As<TComponent>(form.get()), form.get());
  EXPECT_EQ(FindComponentClass("ttestform"), &TTestForm::StaticClass());
  EXPECT_EQ(FindComponentClass("TNoSuchClass"), nullptr);
  EXPECT_NE(form->ClassInfo().FindMethod("formping"), nullptr);
  EXPECT_EQ(TForm::StaticClass().FindMethod("FormPing"), nullptr); // only the derived class has it
}

TEST(Component, EventsCompareByObjectAndMethod) {
  TTestForm a(nullptr), b(nullptr);
  TNotifyEvent pingA(&a, &TTestForm::FormPing);
  EXPECT_TRUE(pingA == TNotifyEvent(&a, &TTestForm::FormPing));
  EXPECT_FALSE(pingA == TNotifyEvent(&b, &TTestForm::FormPing));
  EXPECT_FALSE(pingA == TNotifyEvent());
  pingA(&b);
  EXPECT_EQ(a.PingCount, 1);
  EXPECT_EQ(a.LastSender, &b);
  TNotifyEvent()(nullptr); // an empty event does nothing

  TCountEvent count;
  EXPECT_FALSE(count.FromMethod(pingA.ToMethod())); // another signature
  EXPECT_FALSE(count);
  EXPECT_TRUE(count.FromMethod(TCountEvent(&a, &TTestForm::FormCount).ToMethod()));
  count(nullptr, 7);
  EXPECT_EQ(a.LastCount, 7);
}

} // namespace
} // namespace fwtest
