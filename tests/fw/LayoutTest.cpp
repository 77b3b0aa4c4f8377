#include <gtest/gtest.h>

#include "FwTestUtil.h"

// Rectangles compared and printed by the assertions.
static bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != 0;
}

static std::ostream& operator<<(std::ostream& os, const RECT& r) {
  return os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace fwtest {
namespace {

RECT Bounds(const TControl* c) {
  return c->BoundsRect();
}

// The window's own idea of where it is, in its parent's client coordinates.
RECT WindowBounds(TWinControl* c) {
  RECT r;
  GetWindowRect(c->Handle(), &r);
  MapWindowPoints(nullptr, GetParent(c->Handle()), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Aligned controls on one side keep the order of their positions: top
// places a new one among the others.
template <class T> T* Child(TWinControl* parent, TAlign align, int width, int height, int top = 5) {
  auto* c = new T(parent->Owner() ? parent->Owner() : parent);
  c->SetBounds(5, top, width, height);
  c->SetAlign(align);
  c->SetParent(parent);
  return c;
}

// A panel without bevels, so its client area is its whole size.
TPanel* Host(TComponent* owner, TWinControl* parent, int width, int height) {
  auto* p = new TPanel(owner);
  p->SetBevelOuter(bvNone);
  p->SetBounds(0, 0, width, height);
  p->SetParent(parent);
  return p;
}

TEST(Align, SidesTakeTheirShareInOrder) {
  auto form = MakeForm(20, 20, 500, 400, false);
  TPanel* host = Host(form.get(), form.get(), 300, 200);
  auto* top1 = Child<TPanel>(host, alTop, 10, 30);
  auto* top2 = Child<TPanel>(host, alTop, 10, 40);
  auto* bottom = Child<TPanel>(host, alBottom, 10, 20);
  auto* left = Child<TPanel>(host, alLeft, 50, 10);
  auto* right = Child<TPanel>(host, alRight, 60, 10);
  auto* client = Child<TPanel>(host, alClient, 1, 1);
  auto* loose = Child<TPanel>(host, alNone, 33, 44);
  struct {
    TControl* Control;
    RECT Expected;
  } cases[] = {
      {top1, {0, 0, 300, 30}},  {top2, {0, 30, 300, 70}},     {bottom, {0, 180, 300, 200}},
      {left, {0, 70, 50, 180}}, {right, {240, 70, 300, 180}}, {client, {50, 70, 240, 180}},
      {loose, {5, 5, 38, 49}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Bounds(c.Control), c.Expected) << c.Control->ClassName();

  // The windows follow once they exist.
  host->HandleNeeded();
  for (const auto& c : cases)
    EXPECT_EQ(WindowBounds(static_cast<TWinControl*>(c.Control)), c.Expected);
}

TEST(Align, TopStackKeepsItsOrderAndClosesGaps) {
  auto form = MakeForm(20, 20, 500, 400, false);
  TPanel* host = Host(form.get(), form.get(), 200, 300);
  auto* a = Child<TPanel>(host, alTop, 10, 30, 0);
  auto* b = Child<TPanel>(host, alTop, 10, 40, 100);
  auto* c = Child<TPanel>(host, alTop, 10, 50, 200);
  EXPECT_EQ(c->Top(), 70);
  auto* between = Child<TPanel>(host, alTop, 10, 5, 29); // placed by its position
  EXPECT_EQ(between->Top(), 30);
  EXPECT_EQ(b->Top(), 35);
  EXPECT_EQ(c->Top(), 75);
  delete between;
  EXPECT_EQ(c->Top(), 70);
  b->SetVisible(false); // hidden ones take no room
  EXPECT_EQ(c->Top(), 30);
  b->SetVisible(true);
  EXPECT_EQ(b->Top(), 30);
  EXPECT_EQ(c->Top(), 70);
  a->SetHeight(10);
  EXPECT_EQ(b->Top(), 10);
  EXPECT_EQ(c->Top(), 50);
  delete b;
  EXPECT_EQ(c->Top(), 10);
  c->SetAlign(alNone); // stays where it is
  EXPECT_EQ(Bounds(c), (RECT{0, 10, 200, 60}));
}

TEST(Align, PanelBevelsInsetTheClientArea) {
  auto form = MakeForm(20, 20, 500, 400, false);
  struct {
    TBevelCut Outer, Inner;
    int BevelWidth, BorderWidth, Inset;
  } cases[] = {
      {bvNone, bvNone, 1, 0, 0},      {bvRaised, bvNone, 1, 0, 1},  {bvRaised, bvLowered, 1, 0, 2},
      {bvLowered, bvRaised, 2, 3, 7}, {bvNone, bvLowered, 4, 0, 4}, {bvSpace, bvNone, 1, 5, 6},
  };
  for (const auto& c : cases) {
    auto* panel = new TPanel(form.get());
    panel->SetBounds(0, 0, 100, 80);
    panel->SetParent(form.get());
    auto* inner = Child<TPanel>(panel, alClient, 1, 1);
    panel->SetBevelOuter(c.Outer);
    panel->SetBevelInner(c.Inner);
    panel->SetBevelWidth(c.BevelWidth);
    panel->SetBorderWidth(c.BorderWidth);
    EXPECT_EQ(Bounds(inner), (RECT{c.Inset, c.Inset, 100 - c.Inset, 80 - c.Inset})) << c.Inset;
    delete panel;
  }
}

TEST(Align, ParentResizedRealignsChildren) {
  auto form = MakeForm(20, 20, 400, 300, true);
  auto* top = Child<TPanel>(form.get(), alTop, 10, 50);
  auto* client = Child<TPanel>(form.get(), alClient, 10, 10);
  RECT r;
  GetClientRect(form->Handle(), &r);
  EXPECT_EQ(Bounds(client), (RECT{0, 50, r.right, r.bottom}));

  // Resized from outside, as the user drags the frame.
  MoveWindow(form->Handle(), 20, 20, 500, 380, TRUE);
  GetClientRect(form->Handle(), &r);
  EXPECT_EQ(Bounds(top), (RECT{0, 0, r.right, 50}));
  EXPECT_EQ(Bounds(client), (RECT{0, 50, r.right, r.bottom}));
  EXPECT_EQ(WindowBounds(client), Bounds(client));

  // Resized by the framework.
  form->SetBounds(20, 20, 300, 250);
  GetClientRect(form->Handle(), &r);
  EXPECT_EQ(Bounds(client), (RECT{0, 50, r.right, r.bottom}));

  // A nested container resized through its bounds realigns its own children.
  auto* inner = Child<TPanel>(client, alBottom, 10, 20);
  const int innerInset = 1; // the raised outer bevel
  client->SetAlign(alNone);
  client->SetBounds(0, 50, 200, 100);
  EXPECT_EQ(Bounds(inner),
            (RECT{innerInset, 100 - innerInset - 20, 200 - innerInset, 100 - innerInset}));
  EXPECT_EQ(WindowBounds(inner), Bounds(inner));
}

TEST(Align, DisableAlignDefersUntilTheLastEnable) {
  auto form = MakeForm(20, 20, 400, 300, false);
  TPanel* host = Host(form.get(), form.get(), 200, 100);
  host->DisableAlign();
  host->DisableAlign();
  auto* client = Child<TPanel>(host, alClient, 10, 10);
  EXPECT_EQ(Bounds(client), (RECT{5, 5, 15, 15}));
  host->EnableAlign();
  EXPECT_EQ(Bounds(client), (RECT{5, 5, 15, 15}));
  host->EnableAlign();
  EXPECT_EQ(Bounds(client), (RECT{0, 0, 200, 100}));
}

TEST(TabOrder, OrderFollowsInsertionAndCanBeChanged) {
  auto form = MakeForm(20, 20, 400, 300, false);
  auto* a = new TEdit(form.get());
  auto* b = new TEdit(form.get());
  auto* c = new TEdit(form.get());
  auto* label = new TLabel(form.get());
  for (TControl* x : std::initializer_list<TControl*>{a, b, c, label})
    x->SetParent(form.get());
  EXPECT_EQ(form->TabList(), (std::vector<TWinControl*>{a, b, c})); // windowless ones have none
  EXPECT_EQ(c->TabOrder(), 2);
  c->SetTabOrder(0);
  EXPECT_EQ(form->TabList(), (std::vector<TWinControl*>{c, a, b}));
  a->SetTabOrder(99); // clamped to the end
  EXPECT_EQ(form->TabList(), (std::vector<TWinControl*>{c, b, a}));
  b->SetTabOrder(-5);
  EXPECT_EQ(form->TabList(), (std::vector<TWinControl*>{b, c, a}));
  delete c;
  EXPECT_EQ(form->TabList(), (std::vector<TWinControl*>{b, a}));
  EXPECT_EQ(a->TabOrder(), 1);
  TEdit loose(nullptr);
  EXPECT_EQ(loose.TabOrder(), -1);
}

TEST(TabOrder, FindNextSkipsWhatCannotTakeTheFocus) {
  auto form = MakeForm(20, 20, 400, 300, true); // a hidden form has nothing to focus
  auto* e1 = new TEdit(form.get());
  e1->SetParent(form.get());
  auto* panel = new TPanel(form.get()); // no tab stop of its own
  panel->SetParent(form.get());
  auto* e2 = new TEdit(form.get());
  e2->SetParent(panel);
  auto* e3 = new TEdit(form.get());
  e3->SetParent(panel);
  auto* e4 = new TEdit(form.get());
  e4->SetParent(form.get());
  auto* button = new TButton(form.get());
  button->SetParent(form.get());

  e3->SetEnabled(false);
  button->SetTabStop(false);
  struct {
    TWinControl* From;
    bool Forward, CheckTabStop;
    TWinControl* Expected;
  } cases[] = {
      {e1, true, true, e2},      {e2, true, true, e4},  // e3 is disabled
      {e4, true, true, e1},                             // the button has no tab stop; wraps
      {e4, true, false, button}, {e1, false, true, e4}, // backwards wraps
      {e2, false, true, e1},     {nullptr, true, true, e1}, {nullptr, false, true, e4},
      {e1, true, false, panel}, // without tab stops the container counts too
  };
  for (const auto& c : cases)
    EXPECT_EQ(form->FindNextControl(c.From, c.Forward, c.CheckTabStop), c.Expected)
        << (c.From ? c.From->TabOrder() : -1) << (c.Forward ? " forward" : " back");

  panel->SetVisible(false); // hides both its edits
  EXPECT_EQ(form->FindNextControl(e1, true, true), e4);
}

TEST(TabOrder, SelectNextMovesTheFocus) {
  auto form = MakeForm(20, 20, 400, 300, true);
  auto* a = new TEdit(form.get());
  auto* b = new TEdit(form.get());
  a->SetParent(form.get());
  b->SetParent(form.get());
  a->SetFocus();
  ASSERT_TRUE(a->Focused());
  form->SelectNext(a, true, true);
  EXPECT_TRUE(b->Focused());
  form->SelectNext(b, true, true);
  EXPECT_TRUE(a->Focused());

  // Tab typed in an edit goes the same way, through the application's loop.
  PostMessageW(a->Handle(), WM_KEYDOWN, VK_TAB, 1);
  Pump();
  EXPECT_TRUE(b->Focused());
}

} // namespace
} // namespace fwtest
