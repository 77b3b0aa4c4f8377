// Which painter a control or a bare window gets, as decision tables: the
// excluding tag, the program's own choice, the class-to-kind list, the
// built-in chain and bare windows by class and style.
#include "EngineTestUtil.h"
#include "fw/BitBtn.h"
#include "fw/Button.h"
#include "fw/CheckBox.h"
#include "fw/ExtCtrls.h"
#include "fw/GroupBox.h"
#include "fw/MediaPlayer.h"
#include "fw/RadioGroup.h"
#include "fw/SpeedButton.h"
#include "skin/controls/ButtonPainters.h"
#include "skin/controls/PanelPainters.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

namespace enginetest {

// Classes of other component sets, known to selection by name only.
class TTestMapped : public TButton {
  FW_DECLARE_CLASS(TTestMapped)
public:
  using TButton::TButton;
};
FW_CLASS_IMPL(TTestMapped, TButton, nullptr, NoSetup)

// A control with a published Transparent switch, as some sets have.
class TTestTrack : public TCustomControl {
  FW_DECLARE_CLASS(TTestTrack)
public:
  using TCustomControl::TCustomControl;
  bool Transparent = false;
};
static void SetupTestTrack(TClassInfo& c) {
  c.Props.push_back(BoolProp<TTestTrack>(
      "Transparent", [](TTestTrack* o) { return o->Transparent; },
      [](TTestTrack* o, bool v) { o->Transparent = v; }, false));
}
FW_CLASS_IMPL(TTestTrack, TCustomControl, nullptr, SetupTestTrack)

class TTestSpeed : public TSpeedButton {
  FW_DECLARE_CLASS(TTestSpeed)
public:
  using TSpeedButton::TSpeedButton;
};
FW_CLASS_IMPL(TTestSpeed, TSpeedButton, nullptr, NoSetup)

// A group of check boxes: its name makes it one.
class TTestCheckGroup : public TCustomPanel {
  FW_DECLARE_CLASS(TTestCheckGroup)
public:
  using TCustomPanel::TCustomPanel;
};
FW_CLASS_IMPL(TTestCheckGroup, TCustomPanel, nullptr, NoSetup)

namespace {

constexpr int kDisableTag = 99;

std::string Upper(std::string s) {
  for (auto& ch : s)
    ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}

TSkinControlTypes Kinds(std::initializer_list<TSkinControlType> kinds) {
  TSkinControlTypes bits = SkinControlBit(xcMainMenu);
  for (auto k : kinds)
    bits |= SkinControlBit(k);
  return bits;
}
const TSkinControlTypes kAll = ~0u;
TSkinControlTypes AllBut(TSkinControlType k) {
  return kAll & ~SkinControlBit(k);
}

using TMake = std::function<TControl*(TWinControl* parent)>;

template <class T> TMake Make(std::function<void(T*)> setup = nullptr) {
  return [setup](TWinControl* parent) -> TControl* {
    auto* c = new T(parent->Owner() ? parent->Owner() : parent);
    c->SetBounds(10, 10, 120, 60);
    c->SetParent(parent);
    if (setup) setup(c);
    return c;
  };
}

TMake RadioGroup(int tag = 0) {
  return Make<TRadioGroup>([tag](TRadioGroup* g) {
    g->SetTag(tag);
    for (const wchar_t* item : {L"one", L"two", L"three"})
      g->Items().Add(item);
  });
}

// A form whose controls are made, then skinned with the given kinds.
struct TSelection {
  explicit TSelection(TSkinControlTypes kinds, const std::vector<std::wstring>& mapping = {})
      : Form(ButtonsSpec()) {
    Form.Data->SetSkinControls(kinds);
    for (std::size_t i = 0; i < mapping.size(); ++i)
      Form.Data->Skin3rd().Insert(static_cast<int>(i), mapping[i]);
  }
  TControl* Add(const TMake& make) { return make(Form.Form); }
  bool Skin() { return Form.Skin(); }
  std::string Painter(const TControl* c) const { return PainterClassOf(Form.Engine(), c); }
  bool Recolored(const TControl* c) const {
    const TSkinControl* p = PainterOf(Form.Engine(), c);
    return p && p->Recolor;
  }
  TSkinnedForm Form;
};

struct TCase {
  const char* Name;
  TMake Control;
  TSkinControlTypes Kinds;
  const char* Painter;
  bool Recolor = false;
  std::vector<std::wstring> Mapping = {};
};

void RunCases(const std::vector<TCase>& cases) {
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSelection s(c.Kinds, c.Mapping);
    TControl* control = s.Add(c.Control);
    ASSERT_TRUE(s.Skin());
    EXPECT_EQ(s.Painter(control), c.Painter);
    EXPECT_EQ(s.Recolored(control), c.Recolor);
    // A skinned control says so; an unskinned one knows nothing of it.
    // (The panel painter joins no message handling.)
    const std::string painter = c.Painter;
    if (painter != "TSkinBox") {
      EXPECT_EQ(control->Perform(SKN_QUERY), painter == "none" ? 0 : 1);
    }
  }
}

// A class that matches several rows takes the first one, and a row that
// matches stops the chain even when its kind is off.
TEST(PainterSelection, BuiltInChainInItsOrder) {
  RunCases({
      {"button", Make<TButton>(), Kinds({xcButton}), "TSkinButton"},
      {"button without its kind", Make<TButton>(), AllBut(xcButton), "none"},
      {"bit button", Make<TBitBtn>(), Kinds({xcBitBtn}), "TSkinBitButton"},
      {"bit button, both kinds", Make<TBitBtn>(), Kinds({xcBitBtn, xcButton}), "TSkinBitButton"},
      // A bit button is a button, but its own row comes first and stops.
      {"bit button without xcBitBtn", Make<TBitBtn>(), AllBut(xcBitBtn), "none"},
      {"speed button", Make<TSpeedButton>(), Kinds({xcSpeedButton}), "TSkinSpeedButton"},
      {"speed button under xcButton only", Make<TSpeedButton>(), AllBut(xcSpeedButton), "none"},
      {"media player", Make<TMediaPlayer>(), Kinds({xcButton}), "TSkinMP"},
      {"media player without xcButton", Make<TMediaPlayer>(), AllBut(xcButton), "none"},
      {"group box under xcPanel", Make<TGroupBox>(), Kinds({xcPanel}), "TSkinGroupBox"},
      {"group box under xcGroupBox only", Make<TGroupBox>(), AllBut(xcPanel), "none"},
      {"radio group", RadioGroup(), Kinds({xcRadioButton}), "TSkinGroupBox", true},
      {"radio group, both kinds", RadioGroup(), Kinds({xcRadioButton, xcPanel}), "TSkinGroupBox",
       true},
      // Without its own kind a radio group is still a group box.
      {"radio group as a group box", RadioGroup(), Kinds({xcPanel}), "TSkinGroupBox"},
      {"radio group, neither kind", RadioGroup(), AllBut(xcPanel) & ~SkinControlBit(xcRadioButton),
       "none"},
      {"panel", Make<TPanel>(), Kinds({xcPanel}), "TSkinBox", true},
      {"panel without xcPanel", Make<TPanel>(), AllBut(xcPanel), "none"},
      // Rows whose painters come later still stop the chain.
      {"check box", Make<TCheckBox>(), kAll, "none"},
      {"radio button", Make<TRadioButton>(), kAll, "none"},
  });
}

TEST(PainterSelection, RadioGroupButtonsAreNotPushButtons) {
  for (TSkinControlTypes kinds : {kAll, Kinds({xcPanel, xcButton})}) {
    TSelection s(kinds);
    auto* g = static_cast<TRadioGroup*>(s.Add(RadioGroup()));
    ASSERT_TRUE(s.Skin());
    ASSERT_EQ(g->ButtonCount(), 3);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(s.Painter(g->Buttons(i)), "none");
  }
}

TEST(PainterSelection, DisableTagAndItsWayIntoRadioAndCheckGroups) {
  struct {
    const char* Name;
    TMake Container;
    int Tag;
    const char* ContainerPainter;
    int ChildTag; // the tag of each of its children afterwards
  } cases[] = {
      {"radio group", RadioGroup(kDisableTag), kDisableTag, "none", kDisableTag},
      {"radio group, other tag", RadioGroup(5), 5, "TSkinGroupBox", 0},
      {"check group", Make<TTestCheckGroup>(), kDisableTag, "none", kDisableTag},
      {"check group, other tag", Make<TTestCheckGroup>(), 0, "TSkinBox", 0},
      // Other containers keep their children's tags, and their children
      // are skinned.
      {"panel", Make<TPanel>(), kDisableTag, "none", 0},
      {"group box", Make<TGroupBox>(), kDisableTag, "none", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSelection s(kAll);
    auto* container = static_cast<TWinControl*>(s.Add(c.Container));
    container->SetTag(c.Tag);
    if (!container->Is<TCustomRadioGroup>())
      for (int i = 0; i < 2; ++i) {
        auto* child = container->Is<TTestCheckGroup>()
                          ? static_cast<TControl*>(new TCheckBox(container))
                          : static_cast<TControl*>(new TButton(container));
        child->SetBounds(5, 5 + 20 * i, 60, 18);
        child->SetParent(container);
      }
    ASSERT_TRUE(s.Skin());
    EXPECT_EQ(s.Painter(container), c.ContainerPainter);
    ASSERT_EQ(container->ControlCount(), container->Is<TCustomRadioGroup>() ? 3 : 2);
    for (int i = 0; i < container->ControlCount(); ++i) {
      TControl* child = container->Controls(i);
      EXPECT_EQ(child->Tag(), c.ChildTag) << i;
      if (child->Is<TButton>()) {
        EXPECT_EQ(s.Painter(child), "TSkinButton") << i;
      }
    }
  }
  // The tag that excludes is the skin's, not a constant.
  TSelection s(kAll);
  s.Form.Data->SetDisableTag(42);
  TControl* excluded = s.Add(Make<TButton>([](TButton* b) { b->SetTag(42); }));
  TControl* kept = s.Add(Make<TButton>([](TButton* b) { b->SetTag(kDisableTag); }));
  ASSERT_TRUE(s.Skin());
  EXPECT_EQ(s.Painter(excluded), "none");
  EXPECT_EQ(s.Painter(kept), "TSkinButton");
}

// What the program's handler is told and what its answer does.
class TChooser : public TObject {
public:
  struct TCall {
    TComponent* Sender;
    TSkinData* Data;
    TControl* Parent;
    TControl* Control;
    std::wstring Class;
  };
  std::vector<TCall> Calls;
  std::function<TComponent*(TControl*)> Choose;
  void Handle(TComponent* sender, TSkinData* data, TControl* parent, TControl* c,
              const std::wstring& cls, TComponent*& chosen) {
    Calls.push_back({sender, data, parent, c, cls});
    chosen = Choose ? Choose(c) : nullptr;
  }
  const TCall* CallFor(const TControl* c) const {
    for (const TCall& call : Calls)
      if (call.Control == c) return &call;
    return nullptr;
  }
};

TEST(PainterSelection, OnSkinControlAnswers) {
  TComponent anything(nullptr);
  struct {
    const char* Name;
    TMake Control;
    std::function<TComponent*(TControl*)> Choose;
    const char* Painter;
  } cases[] = {
      {"nothing: the usual choice", Make<TButton>(), nullptr, "TSkinButton"},
      {"any object stops selection", Make<TButton>(), [&](TControl*) { return &anything; }, "none"},
      {"a painter of its own is attached", Make<TBitBtn>(),
       [](TControl* c) { return new TSkinButton(c); }, "TSkinButton"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSelection s(kAll);
    TChooser chooser;
    chooser.Choose = [&](TControl* control) -> TComponent* {
      return control->Is<TButton>() ? (c.Choose ? c.Choose(control) : nullptr) : nullptr;
    };
    s.Form.Data->OnSkinControl = TOnSkinControl(&chooser, &TChooser::Handle);
    TControl* control = s.Add(c.Control);
    ASSERT_TRUE(s.Skin());
    const TChooser::TCall* call = chooser.CallFor(control);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->Sender, s.Form.Engine());
    EXPECT_EQ(call->Data, s.Form.Data);
    EXPECT_EQ(call->Parent, s.Form.Form);
    EXPECT_EQ(call->Class, Widen(Upper(control->ClassName())));
    EXPECT_EQ(s.Painter(control), c.Painter);
    s.Form.Data->OnSkinControl = nullptr;
  }
}

TEST(PainterSelection, OnSkinControlPainterForAPanelSkinsItsChildrenFirst) {
  TSelection s(kAll);
  TChooser chooser;
  chooser.Choose = [](TControl* c) -> TComponent* {
    if (!c->Is<TPanel>()) return nullptr;
    auto* p = new TSkinBox(c);
    p->Recolor = true; // attached with its own setting
    return p;
  };
  s.Form.Data->OnSkinControl = TOnSkinControl(&chooser, &TChooser::Handle);
  auto* panel = static_cast<TPanel*>(s.Add(Make<TPanel>()));
  panel->SetColor(clRed);
  // The button belongs to the panel, so only the walk into the panel's
  // children reaches it with the panel as its parent.
  auto* inner = new TButton(panel);
  inner->SetParent(panel);
  ASSERT_TRUE(s.Skin());
  EXPECT_EQ(s.Painter(panel), "TSkinBox");
  EXPECT_EQ(panel->Color(), s.Form.Data->Skin().Colors[scButtonFace]);
  const TChooser::TCall* call = chooser.CallFor(inner);
  ASSERT_NE(call, nullptr);
  EXPECT_EQ(call->Parent, panel);
  EXPECT_EQ(s.Painter(inner), "TSkinButton");
  s.Form.Data->OnSkinControl = nullptr;
}

// The class-to-kind list, ahead of the chain. A test class that is a
// button gets TSkinButton from the chain when no line names it.
TEST(PainterSelection, Skin3rdLines) {
  RunCases({
      {"no line: the chain", Make<TTestMapped>(), Kinds({xcButton}), "TSkinButton"},
      {"nil keeps a button unskinned",
       Make<TTestMapped>(),
       kAll,
       "none",
       false,
       {L"TTestMapped=nil"}},
      {"first line wins (nil)",
       Make<TTestMapped>(),
       kAll,
       "none",
       false,
       {L"TTestMapped=nil", L"TTestMapped=bitbtn"}},
      {"first line wins (bitbtn)",
       Make<TTestMapped>(),
       kAll,
       "TSkinBitButton",
       false,
       {L"TTestMapped=bitbtn", L"TTestMapped=nil"}},
      {"key and kind in any case",
       Make<TTestTrack>(),
       kAll,
       "TSkinMenuButton",
       false,
       {L"tTESTtrack=MenuBtn"}},
      {"nil in any case", Make<TTestMapped>(), kAll, "none", false, {L"TTESTMAPPED=NIL"}},
      {"a longer class name is another class",
       Make<TTestMapped>(),
       kAll,
       "TSkinButton",
       false,
       {L"TTestMappedX=nil"}},
      {"a shorter one too", Make<TTestMapped>(), kAll, "TSkinButton", false, {L"TTestMappe=nil"}},
      {"an unknown kind still decides",
       Make<TTestMapped>(),
       kAll,
       "none",
       false,
       {L"TTestMapped=whatever"}},
      {"the required kind missing",
       Make<TTestMapped>(),
       AllBut(xcGroupBox),
       "none",
       false,
       {L"TTestMapped=groupbox"}},
      {"bitbtn under xcButton",
       Make<TTestMapped>(),
       Kinds({xcButton}),
       "TSkinBitButton",
       false,
       {L"TTestMapped=bitbtn"}},
      {"bitbtn without xcButton",
       Make<TTestMapped>(),
       AllBut(xcButton),
       "none",
       false,
       {L"TTestMapped=bitbtn"}},
      {"menubtn",
       Make<TTestMapped>(),
       Kinds({xcButton}),
       "TSkinMenuButton",
       false,
       {L"TTestMapped=menubtn"}},
      {"mediaplayer",
       Make<TTestTrack>(),
       Kinds({xcButton}),
       "TSkinMP",
       false,
       {L"TTestTrack=mediaplayer"}},
      {"speedbutton",
       Make<TTestSpeed>(),
       Kinds({xcSpeedButton}),
       "TSkinSpeedButton",
       false,
       {L"TTestSpeed=speedbutton"}},
      {"speedbutton under xcButton only",
       Make<TTestSpeed>(),
       AllBut(xcSpeedButton),
       "none",
       false,
       {L"TTestSpeed=speedbutton"}},
      {"pngspeedbutton under xcButton",
       Make<TTestSpeed>(),
       Kinds({xcButton}),
       "TSkinSpeedButton",
       false,
       {L"TTestSpeed=pngspeedbutton"}},
      // A group box: the chain wants xcPanel, the list xcGroupBox.
      {"group box by the list",
       Make<TGroupBox>(),
       Kinds({xcGroupBox}),
       "TSkinGroupBox",
       true,
       {L"TGroupBox=groupbox"}},
      {"group box by the list, xcPanel only",
       Make<TGroupBox>(),
       Kinds({xcPanel}),
       "none",
       false,
       {L"TGroupBox=groupbox"}},
      {"check group",
       Make<TTestCheckGroup>(),
       Kinds({xcPanel, xcGroupBox}),
       "TSkinGroupBox",
       true,
       {L"TTestCheckGroup=checkgroup"}},
      {"check group without xcGroupBox",
       Make<TTestCheckGroup>(),
       Kinds({xcPanel}),
       "none",
       false,
       {L"TTestCheckGroup=checkgroup"}},
      {"check group without xcPanel",
       Make<TTestCheckGroup>(),
       Kinds({xcGroupBox}),
       "none",
       false,
       {L"TTestCheckGroup=checkgroup"}},
      {"radio group kind",
       Make<TTestCheckGroup>(),
       Kinds({xcGroupBox}),
       "TSkinGroupBox",
       true,
       {L"TTestCheckGroup=radiogroup"}},
      {"panel", Make<TTestTrack>(), Kinds({xcPanel}), "TSkinBox", true, {L"TTestTrack=panel"}},
      {"panel without xcPanel",
       Make<TTestTrack>(),
       AllBut(xcPanel),
       "none",
       false,
       {L"TTestTrack=panel"}},
  });
}

// A track-bar line takes its kind from xcButton, not from xcTrackBar: with
// the button switch on, a mapped control gets the track-bar painter and is
// made transparent; with only the track-bar switch it keeps its own look and
// the chain stays away.
TEST(PainterSelection, TrackBarLineIsGatedByTheButtonSwitch) {
  struct {
    TSkinControlTypes Kinds;
    const char* Painter;
  } cases[] = {{Kinds({xcButton, xcTrackBar}), "TSkinTrackBar"},
               {Kinds({xcButton}), "TSkinTrackBar"},
               {kAll, "TSkinTrackBar"},
               {Kinds({xcTrackBar}), "none"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Painter);
    TSelection s(c.Kinds, {L"TTestMapped=trackbar", L"TTestTrack=trackbar"});
    TControl* button = s.Add(Make<TTestMapped>());
    auto* track = static_cast<TTestTrack*>(s.Add(Make<TTestTrack>()));
    ASSERT_TRUE(s.Skin());
    EXPECT_EQ(s.Painter(button), c.Painter);
    EXPECT_EQ(s.Painter(track), c.Painter);
    EXPECT_EQ(track->Transparent, std::string(c.Painter) != "none");
  }
// The panel kind does write the switch.
  TSelection s(kAll, {L"TTestTrack=panel"});
  auto* track = static_cast<TTestTrack*>(s.Add(Make<TTestTrack>()));
  ASSERT_TRUE(s.Skin());
  EXPECT_TRUE(track->Transparent);
}

// Bare windows of a skinned form, matched by class and style.
TEST(PainterSelection, BareWindowsByClassAndStyle) {
  struct {
    const char* Name;
    const wchar_t* Class;
    DWORD Style;
    TSkinControlTypes Kinds;
    const char* Painter;
  } cases[] = {
      {"push button", L"BUTTON", BS_PUSHBUTTON, Kinds({xcButton}), "TSkinButton"},
      {"default push button", L"button", BS_DEFPUSHBUTTON, Kinds({xcButton}), "TSkinButton"},
      {"push button without xcButton", L"BUTTON", BS_PUSHBUTTON, AllBut(xcButton), "none"},
      {"owner-drawn", L"BUTTON", BS_OWNERDRAW, kAll, "none"},
      {"group box", L"BUTTON", BS_GROUPBOX, kAll, "none"},
      {"picture button", L"BUTTON", BS_PUSHBUTTON | BS_BITMAP, kAll, "none"},
      {"check box, later", L"BUTTON", BS_AUTOCHECKBOX, kAll, "none"},
      {"three-state, later", L"BUTTON", BS_AUTO3STATE, kAll, "none"},
      {"radio button, later", L"BUTTON", BS_AUTORADIOBUTTON, kAll, "none"},
      {"user button", L"BUTTON", BS_USERBUTTON, Kinds({xcButton}), "TSkinButton"},
      {"inner dialog", L"#32770", 0, 0, "TSkinBoxH"},
      {"inner dialog in the tab order", L"#32770", WS_TABSTOP, kAll, "none"},
      {"static", L"STATIC", SS_LEFT, kAll, "none"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSelection s(c.Kinds);
    ASSERT_TRUE(s.Skin());
    HWND wnd = CreateWindowExW(0, c.Class, L"bare", WS_CHILD | WS_VISIBLE | c.Style, 10, 10, 80, 25,
                               s.Form.Wnd(), reinterpret_cast<HMENU>(12), GetModuleHandleW(nullptr),
                               nullptr);
    ASSERT_NE(wnd, nullptr);
    TWinSkinForm* e = s.Form.Engine();
    e->SkinRawWindow(wnd);
    const TSkinControl* p = e->FindRawPainter(wnd);
    EXPECT_EQ(p ? p->ClassName() : std::string("none"), c.Painter);
    EXPECT_EQ(SendMessageW(wnd, SKN_QUERY, 0, 0), p ? 1 : 0);
    // Once is enough.
    const std::size_t painters = e->Painters.size();
    e->SkinRawWindow(wnd);
    EXPECT_EQ(e->Painters.size(), painters);
    DestroyWindow(wnd);
  }
}

// Framework windows reached as bare windows (inside a bare container, say).
TEST(PainterSelection, FrameworkWindowsReachedBare) {
  TSelection s(kAll);
  auto* button = new TButton(s.Form.Form);
  auto* panel = new TPanel(s.Form.Form);
  ASSERT_TRUE(s.Skin());
  // Made after skinning: only the bare walk sees them.
  button->SetParent(s.Form.Form);
  panel->SetParent(s.Form.Form);
  panel->SetColor(clRed);
  HWND inner = CreateWindowExW(0, L"BUTTON", L"in", WS_CHILD | WS_VISIBLE, 2, 2, 40, 20,
                               panel->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  TWinSkinForm* e = s.Form.Engine();
  e->SkinRawWindow(button->Handle());
  e->SkinRawWindow(panel->Handle());
  const TSkinControl* p = e->FindRawPainter(button->Handle());
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->ClassName(), "TSkinButton");
  EXPECT_EQ(p->Control, nullptr); // painted as a bare window
  EXPECT_EQ(e->FindRawPainter(panel->Handle()), nullptr);
  EXPECT_EQ(panel->Color(), s.Form.Data->Skin().Colors[scButtonFace]);
  ASSERT_NE(e->FindRawPainter(inner), nullptr);
  EXPECT_EQ(e->FindRawPainter(inner)->ClassName(), "TSkinButton");
}

// A system dialog: every child is matched by the engine's walk.
TEST(PainterSelection, DialogChildrenAtInitialisation) {
  TSkinnedForm anchor(ButtonsSpec());
  HWND dialog = MakeDialog({{L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 101, L"Push"},
                            {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 102, L"Default", 60},
                            {L"BUTTON", BS_OWNERDRAW, 103, L"Drawn", 4, 24},
                            {L"BUTTON", BS_GROUPBOX, 104, L"Group", 60, 24},
                            {L"BUTTON", BS_AUTOCHECKBOX, 105, L"Check", 4, 44},
                            {L"STATIC", SS_LEFT, 106, L"Text", 60, 44}});
  ASSERT_NE(dialog, nullptr);
  TWinSkinForm* e = SkinDialog(dialog);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Form, nullptr);
  const struct {
    WORD Id;
    const char* Painter;
  } expected[] = {{101, "TSkinButton"}, {102, "TSkinButton"}, {103, "none"},
                  {104, "none"},        {105, "none"},        {106, "none"}};
  for (const auto& x : expected) {
    const TSkinControl* p = e->FindRawPainter(GetDlgItem(dialog, x.Id));
    EXPECT_EQ(p ? p->ClassName() : std::string("none"), x.Painter) << x.Id;
  }
  DestroyWindow(dialog);
  SkinManagerObject()->PurgeFormEngines();
}

} // namespace
} // namespace enginetest
