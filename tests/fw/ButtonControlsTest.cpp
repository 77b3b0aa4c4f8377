// The framework's button-like controls on their own: their published
// properties through a stored form and back, glyph placement, the check
// box's states, radio buttons and radio groups, grouped speed buttons and
// the media player's buttons.
#include <gtest/gtest.h>

#include "FwTestUtil.h"
#include "fw/BitBtn.h"
#include "fw/CheckBox.h"
#include "fw/MediaPlayer.h"
#include "fw/RadioGroup.h"
#include "fw/SpeedButton.h"

#include <memory>
#include <string>
#include <vector>

namespace fwtest {

// A form with the methods the stored description below binds.
class TButtonsForm : public TForm {
  FW_DECLARE_CLASS(TButtonsForm)
public:
  using TForm::TForm;
  void PlayerClick(TObject* sender, TMPBtnType button, bool& doDefault) {
    LastSender = sender;
    Pressed.push_back(button);
    doDefault = false;
  }
  void Clicked(TObject* sender) {
    LastSender = sender;
    ++Clicks;
  }
  TObject* LastSender = nullptr;
  std::vector<TMPBtnType> Pressed;
  int Clicks = 0;
};
static void SetupButtonsForm(TClassInfo& c) {
  RegisterMethod(c, "PlayerClick", &TButtonsForm::PlayerClick);
  RegisterMethod(c, "Clicked", &TButtonsForm::Clicked);
}
FW_CLASS_IMPL(TButtonsForm, TForm, CreateComponentOf<TButtonsForm>, SetupButtonsForm)

namespace {

// Every published property away from its default.
const char* const kButtonsForm = R"(object ButtonsForm1: TButtonsForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object BitBtn1: TBitBtn
    Left = 8
    Top = 8
    Width = 90
    Height = 30
    Caption = 'Bit'
    NumGlyphs = 2
    Layout = blGlyphBottom
    Margin = 3
    Spacing = -1
    Alignment = taLeftJustify
    ImageIndex = 4
    DisabledIndex = 5
  end
  object BitBtn2: TBitBtn
    Left = 8
    Top = 40
    Caption = 'Okay'
    Kind = bkOK
  end
  object SpeedButton1: TSpeedButton
    Left = 100
    Top = 8
    Flat = True
    GroupIndex = 2
    Down = True
    AllowAllUp = True
    NumGlyphs = 3
    Layout = blGlyphTop
    Margin = 1
    Spacing = 7
    Transparent = False
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 50
    AllowGrayed = True
    State = cbGrayed
    Alignment = taLeftJustify
  end
  object RadioButton1: TRadioButton
    Left = 8
    Top = 70
    Checked = True
    Alignment = taLeftJustify
  end
  object RadioGroup1: TRadioGroup
    Left = 8
    Top = 100
    Width = 200
    Height = 80
    Items.Strings = (
      'one'
      'two'
      'three')
    ItemIndex = 2
    Columns = 2
  end
  object MediaPlayer1: TMediaPlayer
    Left = 8
    Top = 200
    VisibleButtons = [btPlay, btStop, btEject]
    EnabledButtons = [btPlay, btEject]
    ColoredButtons = []
    OnClick = PlayerClick
  end
end
)";

TEST(ButtonControlsStore, EveryPublishedPropertyRoundTrips) {
  TButtonsForm first(nullptr);
  ReadComponentText(&first, kButtonsForm);
  auto* bit = first.Find<TBitBtn>("BitBtn1");
  auto* speed = first.Find<TSpeedButton>("SpeedButton1");
  auto* check = first.Find<TCheckBox>("CheckBox1");
  auto* radio = first.Find<TRadioButton>("RadioButton1");
  auto* group = first.Find<TRadioGroup>("RadioGroup1");
  auto* player = first.Find<TMediaPlayer>("MediaPlayer1");
  ASSERT_TRUE(bit && speed && check && radio && group && player);
  EXPECT_EQ(bit->NumGlyphs(), 2);
  EXPECT_EQ(bit->Layout(), blGlyphBottom);
  EXPECT_EQ(bit->Margin(), 3);
  EXPECT_EQ(bit->Spacing(), -1);
  EXPECT_EQ(bit->Alignment(), taLeftJustify);
  EXPECT_EQ(bit->ImageIndex(), 4);
  EXPECT_EQ(bit->DisabledIndex(), 5);
  auto* ok = first.Find<TBitBtn>("BitBtn2");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->Kind(), bkOK);
  EXPECT_EQ(ok->Caption(), L"Okay"); // a stored caption is the button's own
  EXPECT_TRUE(speed->Flat());
  EXPECT_EQ(speed->GroupIndex(), 2);
  EXPECT_TRUE(speed->Down()); // read after its group: it may be down
  EXPECT_TRUE(speed->AllowAllUp());
  EXPECT_EQ(speed->NumGlyphs(), 3);
  EXPECT_EQ(speed->Layout(), blGlyphTop);
  EXPECT_EQ(speed->Margin(), 1);
  EXPECT_EQ(speed->Spacing(), 7);
  EXPECT_FALSE(speed->Transparent());
  EXPECT_TRUE(check->AllowGrayed());
  EXPECT_EQ(check->State(), cbGrayed);
  EXPECT_EQ(check->Alignment(), taLeftJustify);
  EXPECT_TRUE(radio->Checked());
  EXPECT_EQ(radio->Alignment(), taLeftJustify);
  EXPECT_EQ(group->Items().ToVector(), (std::vector<std::wstring>{L"one", L"two", L"three"}));
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_EQ(group->Columns(), 2);
  EXPECT_EQ(player->VisibleButtons(), (1u << btPlay) | (1u << btStop) | (1u << btEject));
  EXPECT_EQ(player->EnabledButtons(), (1u << btPlay) | (1u << btEject));
  EXPECT_EQ(player->ColoredButtons(), 0u);
  ASSERT_TRUE(player->OnClick);
  bool doDefault = true;
  player->OnClick(player, btStop, doDefault);
  EXPECT_EQ(first.Pressed, (std::vector<TMPBtnType>{btStop}));
  EXPECT_FALSE(doDefault);

  // Written and read again, the same text comes out.
  const std::string text = WriteComponentText(&first);
  TButtonsForm second(nullptr);
  ReadComponentText(&second, text);
  EXPECT_EQ(WriteComponentText(&second), text);
  EXPECT_EQ(second.Find<TCheckBox>("CheckBox1")->State(), cbGrayed);
  EXPECT_EQ(second.Find<TRadioGroup>("RadioGroup1")->ItemIndex(), 2);
  EXPECT_TRUE(second.Find<TSpeedButton>("SpeedButton1")->Down());
  EXPECT_EQ(second.Find<TBitBtn>("BitBtn2")->Caption(), L"Okay");
}

TEST(ButtonControlsStore, DefaultsAreNotWritten) {
  TButtonsForm form(nullptr);
  auto* bit = new TBitBtn(&form);
  bit->SetName("B");
  bit->SetParent(&form);
  auto* speed = new TSpeedButton(&form);
  speed->SetName("S");
  speed->SetParent(&form);
  auto* player = new TMediaPlayer(&form);
  player->SetName("P");
  player->SetParent(&form);
  const std::string text = WriteComponentText(&form);
  for (const char* name :
       {"NumGlyphs", "Layout", "Margin", "Spacing", "Kind", "ImageIndex", "DisabledIndex",
        "Alignment", "Flat", "Down", "GroupIndex", "AllowAllUp", "Transparent", "VisibleButtons",
        "EnabledButtons", "ColoredButtons", "Glyph"})
    EXPECT_EQ(text.find(std::string(name) + " ="), std::string::npos) << name << "\n" << text;
}

// A glyph picture goes into the description with its button and comes back
// pixel for pixel.
TEST(ButtonControlsStore, GlyphsAreStoredWithTheirButtons) {
  Bitmap strip(32, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x)
      strip.Set(x, y, MakeColor(x * 7, y * 15, x < 16 ? 40 : 200));
  TButtonsForm first(nullptr);
  auto* bit = new TBitBtn(&first);
  bit->SetName("B");
  bit->SetParent(&first);
  bit->Glyph().FromBitmap(strip);
  auto* speed = new TSpeedButton(&first);
  speed->SetName("S");
  speed->SetParent(&first);
  speed->Glyph().FromBitmap(strip);
  const std::string text = WriteComponentText(&first);
  TButtonsForm second(nullptr);
  ReadComponentText(&second, text);
  for (const char* name : {"B", "S"}) {
    SCOPED_TRACE(name);
    TComponent* c = second.FindComponent(name);
    ASSERT_NE(c, nullptr);
    TBitmap& glyph = As<TBitBtn>(c) ? As<TBitBtn>(c)->Glyph() : As<TSpeedButton>(c)->Glyph();
    const Bitmap back = glyph.ToBitmap();
    ASSERT_EQ(back.Width(), 32);
    ASSERT_EQ(back.Height(), 16);
    EXPECT_EQ(back.Pixels(), strip.Pixels());
  }
  // An empty glyph stays out of the text.
  bit->Glyph().SetSize(0, 0);
  speed->Glyph().SetSize(0, 0);
  EXPECT_EQ(WriteComponentText(&first).find("Glyph"), std::string::npos);
}

TEST(ButtonControlsStore, KindGivesCaptionAndRole) {
  struct {
    TBitBtnKind Kind;
    const wchar_t* Caption;
    bool Default, Cancel;
  } cases[] = {{bkOK, L"OK", true, false},
               {bkCancel, L"Cancel", false, true},
               {bkYes, L"&Yes", true, false},
               {bkNo, L"&No", false, true},
               {bkClose, L"&Close", false, false}};
  for (const auto& c : cases) {
    TBitBtn b(nullptr);
    b.SetCaption(L"mine");
    b.SetKind(c.Kind);
    EXPECT_EQ(b.Caption(), c.Caption);
    EXPECT_EQ(b.Default(), c.Default);
    EXPECT_EQ(b.Cancel(), c.Cancel);
  }
  TBitBtn custom(nullptr);
  custom.SetCaption(L"mine");
  custom.SetKind(bkCustom);
  EXPECT_EQ(custom.Caption(), L"mine");
}

// Placement along the layout axis: margin, glyph, spacing, text, the rest.
TEST(GlyphPlacement, Table) {
  struct {
    const char* Name;
    SIZE Client, Glyph, Text;
    TButtonLayout Layout;
    int Margin, Spacing;
    POINT GlyphAt;
    RECT TextAt;
    UINT Flags;
  } cases[] = {
      // Free space 100 - 16 - 30 = 54: thirds of 18.
      {"left, thirds",
       {100, 30},
       {16, 16},
       {30, 13},
       blGlyphLeft,
       -1,
       -1,
       {18, 7},
       {52, 9, 82, 22},
       DT_WORDBREAK},
      {"right, thirds",
       {100, 30},
       {16, 16},
       {30, 13},
       blGlyphRight,
       -1,
       -1,
       {66, 7},
       {18, 9, 48, 22},
       DT_RIGHT | DT_WORDBREAK},
      // Free space 80 - 16 - 13 = 51: thirds of 17.
      {"top, thirds",
       {60, 80},
       {16, 16},
       {30, 13},
       blGlyphTop,
       -1,
       -1,
       {22, 17},
       {15, 50, 45, 63},
       DT_CENTER | DT_WORDBREAK},
      {"bottom, thirds",
       {60, 80},
       {16, 16},
       {30, 13},
       blGlyphBottom,
       -1,
       -1,
       {22, 47},
       {15, 17, 45, 30},
       DT_CENTER | DT_WORDBREAK},
      // 55 does not divide by three: the rest takes the remainder.
      {"left, thirds of 55",
       {101, 30},
       {16, 16},
       {30, 13},
       blGlyphLeft,
       -1,
       -1,
       {18, 7},
       {52, 9, 82, 22},
       DT_WORDBREAK},
      {"margin given, spacing spread",
       {100, 30},
       {16, 16},
       {30, 13},
       blGlyphLeft,
       4,
       -1,
       {4, 7},
       {45, 9, 75, 22},
       DT_WORDBREAK},
      {"spacing given, pair centred",
       {100, 30},
       {16, 16},
       {30, 13},
       blGlyphLeft,
       -1,
       4,
       {25, 7},
       {45, 9, 75, 22},
       DT_WORDBREAK},
      {"both given",
       {100, 30},
       {16, 16},
       {30, 13},
       blGlyphLeft,
       5,
       3,
       {5, 7},
       {24, 9, 54, 22},
       DT_WORDBREAK},
      {"right, both given",
       {100, 30},
       {16, 16},
       {30, 13},
       blGlyphRight,
       5,
       3,
       {79, 7},
       {46, 9, 76, 22},
       DT_RIGHT | DT_WORDBREAK},
      // Without text or glyph there is no spacing: the one left is centred.
      {"no text",
       {100, 30},
       {16, 16},
       {0, 0},
       blGlyphLeft,
       -1,
       -1,
       {42, 7},
       {58, 15, 58, 15},
       DT_WORDBREAK},
      {"no text, spacing given",
       {100, 30},
       {16, 16},
       {0, 0},
       blGlyphLeft,
       -1,
       10,
       {42, 7},
       {58, 15, 58, 15},
       DT_WORDBREAK},
      {"no glyph",
       {100, 30},
       {0, 0},
       {30, 13},
       blGlyphLeft,
       -1,
       4,
       {35, 15},
       {35, 9, 65, 22},
       DT_WORDBREAK},
      // Too narrow: the free space is negative and divides toward zero.
      {"too narrow",
       {30, 20},
       {16, 16},
       {30, 13},
       blGlyphLeft,
       -1,
       -1,
       {-5, 2},
       {6, 4, 36, 17},
       DT_WORDBREAK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TGlyphPlacement p = PlaceGlyph(c.Client, c.Glyph, c.Text, c.Layout, c.Margin, c.Spacing);
    EXPECT_EQ(p.Glyph.x, c.GlyphAt.x);
    EXPECT_EQ(p.Glyph.y, c.GlyphAt.y);
    EXPECT_TRUE(EqualRect(&p.Text, &c.TextAt))
        << p.Text.left << "," << p.Text.top << "," << p.Text.right << "," << p.Text.bottom;
    EXPECT_EQ(p.TextFlags, c.Flags);
  }
}

// Forms shown for the controls that need windows and clicks.
class ButtonControls : public testing::Test {
protected:
  void SetUp() override { Form = MakeForm(100, 100, 400, 300, true); }
  template <class T>
  T* Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
    auto* c = new T(Form.get());
    c->SetBounds(left, top, width, height);
    c->SetParent(parent ? parent : Form.get());
    return c;
  }
  // A click as the user makes it, on a windowed control.
  static void ClickOn(TWinControl* c) { SendMessageW(c->Handle(), BM_CLICK, 0, 0); }
  std::unique_ptr<TForm> Form;
};

struct TClickCounter : TObject {
  int Count = 0;
  TObject* Sender = nullptr;
  void Click(TObject* s) {
    ++Count;
    Sender = s;
  }
  TNotifyEvent Event() { return TNotifyEvent(this, &TClickCounter::Click); }
};

TEST_F(ButtonControls, CheckBoxStepsThroughItsStates) {
  struct {
    bool AllowGrayed;
    std::vector<TCheckBoxState> Cycle;
  } cases[] = {{false, {cbChecked, cbUnchecked, cbChecked}},
               {true, {cbGrayed, cbChecked, cbUnchecked, cbGrayed}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.AllowGrayed ? "grayed allowed" : "two states");
    auto* box = Add<TCheckBox>(8, 8, 120, 20);
    box->SetAllowGrayed(c.AllowGrayed);
    TClickCounter clicks;
    box->OnClick = clicks.Event();
    for (std::size_t i = 0; i < c.Cycle.size(); ++i) {
      ClickOn(box);
      EXPECT_EQ(box->State(), c.Cycle[i]) << i;
      EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), c.Cycle[i]) << i;
      EXPECT_EQ(box->Checked(), c.Cycle[i] == cbChecked) << i;
    }
    EXPECT_EQ(clicks.Count, static_cast<int>(c.Cycle.size()));
    // Setting the state clicks too, unless it stays as it is.
    box->SetState(cbUnchecked);
    box->SetState(cbUnchecked);
    EXPECT_EQ(clicks.Count, static_cast<int>(c.Cycle.size()) + 1);
    delete box;
  }
}

TEST_F(ButtonControls, CheckBoxKeepsItsStateThroughANewWindow) {
  auto* box = Add<TCheckBox>(8, 8, 120, 20);
  box->SetAllowGrayed(true);
  box->SetState(cbGrayed);
  HWND old = box->Handle();
  box->SetAlignment(taLeftJustify); // makes the window again
  EXPECT_NE(box->Handle(), old);
  EXPECT_TRUE(GetWindowLongPtrW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_EQ(box->State(), cbGrayed);
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
}

TEST_F(ButtonControls, RadioButtonUnchecksItsSiblingsOnly) {
  auto* left = Add<TPanel>(0, 0, 150, 120);
  auto* right = Add<TPanel>(200, 0, 150, 120);
  std::vector<TRadioButton*> a, b;
  for (int i = 0; i < 3; ++i)
    a.push_back(Add<TRadioButton>(4, 4 + 25 * i, 120, 20, left));
  for (int i = 0; i < 2; ++i)
    b.push_back(Add<TRadioButton>(4, 4 + 25 * i, 120, 20, right));
  TClickCounter clicks;
  for (TRadioButton* r : a)
    r->OnClick = clicks.Event();
  b[1]->SetChecked(true);
  auto checked = [](const std::vector<TRadioButton*>& list) {
    std::string s;
    for (TRadioButton* r : list)
      s += r->Checked() ? 'x' : '.';
    return s;
  };
  ClickOn(a[0]);
  EXPECT_EQ(checked(a), "x..");
  ClickOn(a[2]);
  EXPECT_EQ(checked(a), "..x");
  EXPECT_EQ(clicks.Count, 2);
  EXPECT_EQ(clicks.Sender, a[2]);
  a[1]->SetChecked(true);
  EXPECT_EQ(checked(a), ".x.");
  EXPECT_EQ(checked(b), ".x"); // the other panel's buttons are not its siblings
  // Clicking the checked one again changes nothing.
  const int before = clicks.Count;
  ClickOn(a[1]);
  EXPECT_EQ(checked(a), ".x.");
  EXPECT_EQ(clicks.Count, before);
}

TEST_F(ButtonControls, RadioGroupButtonsFollowItemsIndexAndColumns) {
  auto* group = Add<TRadioGroup>(8, 8, 300, 120);
  TClickCounter clicks;
  group->OnClick = clicks.Event();
  for (const wchar_t* s : {L"a", L"b", L"c", L"d", L"e"})
    group->Items().Add(s);
  ASSERT_EQ(group->ButtonCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(group->Buttons(i)->Caption(), group->Items().Get(i));
    EXPECT_EQ(group->Buttons(i)->Parent(), group);
    EXPECT_FALSE(group->Buttons(i)->Checked());
  }
  group->SetItemIndex(3);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(group->Buttons(i)->Checked(), i == 3) << i;
  // The index keeps to the lines.
  group->SetItemIndex(9);
  EXPECT_EQ(group->ItemIndex(), 4);
  group->SetItemIndex(-5);
  EXPECT_EQ(group->ItemIndex(), -1);
  for (int i = 0; i < 5; ++i)
    EXPECT_FALSE(group->Buttons(i)->Checked()) << i;
  // A click on a button picks its line and clicks the group.
  SendMessageW(group->Buttons(1)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(clicks.Sender, group);
  EXPECT_GE(clicks.Count, 1);
  // Columns: top to bottom, then left to right, in equal cells.
  group->SetColumns(2);
  const int perColumn = 3;
  for (int i = 0; i < 5; ++i) {
    TRadioButton* r = group->Buttons(i);
    TRadioButton* first = group->Buttons(i / perColumn * perColumn);
    EXPECT_EQ(r->Left(), first->Left()) << i;
    EXPECT_EQ(r->Top(), group->Buttons(i % perColumn)->Top()) << i;
  }
  EXPECT_GT(group->Buttons(3)->Left(), group->Buttons(0)->Left() + group->Buttons(0)->Width() - 1);
  EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
  EXPECT_EQ(group->Buttons(2)->Top() - group->Buttons(1)->Top(),
            group->Buttons(1)->Top() - group->Buttons(0)->Top());
  // Fewer lines, fewer buttons; the checked one stays checked.
  group->Items().Delete(4);
  group->Items().Delete(3);
  EXPECT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->Buttons(1)->Checked());
  group->Items().Put(0, L"first");
  EXPECT_EQ(group->Buttons(0)->Caption(), L"first");
  group->Items().Clear();
  EXPECT_EQ(group->ButtonCount(), 0);
  EXPECT_EQ(group->ControlCount(), 0);
}

// Speed buttons are windowless: clicks come through their parent's window.
class SpeedButtons : public ButtonControls {
protected:
  void ClickSpeed(TSpeedButton* b) {
    HWND parent = b->Parent()->Handle();
    const LPARAM at = MAKELPARAM(b->Left() + 3, b->Top() + 3);
    SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(parent, WM_LBUTTONUP, 0, at);
  }
  std::string Downs(const std::vector<TSpeedButton*>& list) {
    std::string s;
    for (TSpeedButton* b : list)
      s += b->Down() ? 'D' : '.';
    return s;
  }
};

TEST_F(SpeedButtons, GroupsKeepOneDown) {
  std::vector<TSpeedButton*> g;
  for (int i = 0; i < 3; ++i) {
    g.push_back(Add<TSpeedButton>(10 + 30 * i, 10, 25, 25));
    g.back()->SetGroupIndex(1);
  }
  auto* other = Add<TSpeedButton>(150, 10, 25, 25);
  other->SetGroupIndex(2);
  auto* plain = Add<TSpeedButton>(200, 10, 25, 25);
  TClickCounter clicks;
  g[0]->OnClick = clicks.Event();
  ClickSpeed(g[0]);
  EXPECT_EQ(Downs(g), "D..");
  EXPECT_EQ(clicks.Count, 1);
  ClickSpeed(g[1]);
  EXPECT_EQ(Downs(g), ".D.");
  ClickSpeed(g[1]); // the last one down stays down
  EXPECT_EQ(Downs(g), ".D.");
  g[1]->SetDown(false);
  EXPECT_EQ(Downs(g), ".D.");
  g[2]->SetDown(true);
  EXPECT_EQ(Downs(g), "..D");
  ClickSpeed(other); // another group
  EXPECT_TRUE(other->Down());
  EXPECT_EQ(Downs(g), "..D");
  // Ungrouped buttons never stay down.
  ClickSpeed(plain);
  EXPECT_FALSE(plain->Down());
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  // Leaving the group lets go.
  g[2]->SetGroupIndex(0);
  EXPECT_FALSE(g[2]->Down());
}

TEST_F(SpeedButtons, AllowAllUpLetsTheLastOneUp) {
  std::vector<TSpeedButton*> g;
  for (int i = 0; i < 2; ++i) {
    g.push_back(Add<TSpeedButton>(10 + 30 * i, 10, 25, 25));
    g.back()->SetGroupIndex(4);
    g.back()->SetAllowAllUp(true);
  }
  ClickSpeed(g[0]);
  EXPECT_EQ(Downs(g), "D.");
  ClickSpeed(g[0]);
  EXPECT_EQ(Downs(g), "..");
  ClickSpeed(g[1]);
  EXPECT_EQ(Downs(g), ".D");
  g[1]->SetDown(false);
  EXPECT_EQ(Downs(g), "..");
}

TEST_F(SpeedButtons, ReleasedOutsideIsNoClick) {
  auto* b = Add<TSpeedButton>(10, 10, 25, 25);
  b->SetGroupIndex(1);
  TClickCounter clicks;
  b->OnClick = clicks.Event();
  HWND parent = Form->Handle();
  SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
  EXPECT_TRUE(b->Pressed());
  SendMessageW(parent, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 100));
  EXPECT_FALSE(b->Pressed());
  SendMessageW(parent, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  EXPECT_EQ(clicks.Count, 0);
  EXPECT_FALSE(b->Down());
}

TEST_F(ButtonControls, MediaPlayerCellsAndClicks) {
  auto* player = Add<TMediaPlayer>(10, 10, 270, 30);
  TButtonsForm sink(nullptr);
  player->OnClick = TMPBtnClickEvent(&sink, &TButtonsForm::PlayerClick);
  struct {
    const char* Name;
    TButtonSet Visible;
    std::vector<TMPBtnType> Cells; // left to right
  } layouts[] = {
      {"all nine",
       kAllMPButtons,
       {btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject}},
      {"three", (1u << btStop) | (1u << btPlay) | (1u << btEject), {btPlay, btStop, btEject}},
  };
  for (const auto& l : layouts) {
    SCOPED_TRACE(l.Name);
    player->SetVisibleButtons(l.Visible);
    const int width = 270 / static_cast<int>(l.Cells.size());
    for (std::size_t i = 0; i < l.Cells.size(); ++i) {
      const RECT r = player->ButtonRect(l.Cells[i]);
      const RECT expected{static_cast<LONG>(i) * width, 0, static_cast<LONG>(i + 1) * width, 30};
      EXPECT_TRUE(EqualRect(&r, &expected)) << i;
      EXPECT_EQ(player->ButtonAt(r.left, 5), l.Cells[i]);
      EXPECT_EQ(player->ButtonAt(r.right - 1, 29), l.Cells[i]);
    }
    for (int b = btPlay; b <= btEject; ++b)
      if (!((l.Visible >> b) & 1)) {
        const RECT r = player->ButtonRect(static_cast<TMPBtnType>(b));
        EXPECT_TRUE(IsRectEmpty(&r)) << b;
      }
    EXPECT_EQ(player->ButtonAt(width * static_cast<int>(l.Cells.size()) + 1, 5), -1);
  }
  // Clicks: pressed and released in one cell of an enabled button.
  player->SetEnabledButtons(kAllMPButtons & ~(1u << btEject));
  HWND wnd = player->Handle();
  auto press = [&](int downX, int upX) {
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(downX, 10));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(upX, 10));
  };
  press(100, 110); // stop: cell 90..179
  press(10, 100);  // play pressed, released over stop
  press(200, 200); // eject is disabled
  press(20, 25);   // play
  EXPECT_EQ(sink.Pressed, (std::vector<TMPBtnType>{btStop, btPlay}));
  EXPECT_EQ(sink.LastSender, player);
}

} // namespace
} // namespace fwtest
