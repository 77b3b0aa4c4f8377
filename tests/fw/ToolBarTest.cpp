#include <gtest/gtest.h>

#include "FwTestClasses.h"
#include "FwTestUtil.h"

#include "fw/ExtCtrls.h"

#include <memory>
#include <utility>

namespace fwtest {
namespace {

constexpr TColor kBarColor = 0x00205080;
constexpr TColor kImageColor = 0x000000FF;
constexpr TColor kCaptionColor = 0x00FF0000;

// A shown form with a tool bar on it, and helpers that make buttons.
struct TBarFixture {
  std::unique_ptr<TForm> Form = MakeForm(60, 60, 400, 200, true);
  TToolBar* Bar = nullptr;
  TImageList* Images = nullptr;

  TBarFixture() {
    Bar = new TToolBar(Form.get());
    Bar->SetParent(Form.get());
    Bar->SetColor(kBarColor);
    Images = new TImageList(Form.get());
    Images->AddMasked(Bitmap(16, 16, kImageColor), clMagenta);
  }
  TToolButton* Add(TToolButtonStyle style = tbsButton, const wchar_t* caption = L"") {
    auto* b = new TToolButton(Form.get());
    b->SetStyle(style);
    b->SetCaption(caption);
    b->SetParent(Bar);
    return b;
  }
};

// What the bar showed, painted into a memory DC of its size.
class TPicture {
public:
  explicit TPicture(TWinControl* control)
      : FWidth(control->Width()), FHeight(control->Height()), FDC(nullptr) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), FWidth, -FHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    FBitmap.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    FBits = static_cast<const std::uint32_t*>(bits);
    TSelection selected(FDC.Get(), FBitmap.Get());
    RECT all{0, 0, FWidth, FHeight};
    FillRect(FDC.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SendMessageW(control->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(FDC.Get()), 0);
    GdiFlush();
  }
  TColor At(int x, int y) const { return PixelToColor(FBits[y * FWidth + x] & 0xFFFFFF); }
  TColor At(const TControl* c, int x, int y) const { return At(c->Left() + x, c->Top() + y); }
  // Whether a colour shows anywhere in a rectangle.
  bool Shows(const RECT& r, TColor color) const {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (At(x, y) == color) return true;
    return false;
  }

private:
  int FWidth, FHeight;
  TMemoryDC FDC;
  TGdiBitmap FBitmap;
  const std::uint32_t* FBits = nullptr;
};

// Notes each button's state as the bar asks for its face, and may take
// the face over.
class TDrawRecorder : public TObject {
public:
  bool DrawDefault = true;
  bool Background = true;
  TColor BackgroundFill = clDefault; // painted by the handler itself
  TColor CaptionColor = clDefault;
  std::vector<std::pair<TToolButton*, unsigned>> Seen;
  int Backgrounds = 0;
  RECT BackgroundRect{};

  void Button(TToolBar* bar, TToolButton* button, unsigned state, bool& defaultDraw) {
    Seen.emplace_back(button, state);
    defaultDraw = DrawDefault;
    if (CaptionColor != clDefault) bar->Canvas().Font().SetColor(CaptionColor);
  }
  void Bar(TToolBar* bar, const RECT& rect, bool& defaultDraw) {
    ++Backgrounds;
    BackgroundRect = rect;
    defaultDraw = Background;
    if (BackgroundFill == clDefault) return;
    bar->Canvas().Brush().SetColor(BackgroundFill);
    bar->Canvas().FillRect(rect);
  }
  void Watch(TToolBar* bar) {
    bar->OnCustomDrawButton = TTBCustomDrawBtnEvent(this, &TDrawRecorder::Button);
    bar->OnCustomDraw = TTBCustomDrawEvent(this, &TDrawRecorder::Bar);
  }
  unsigned StateOf(TToolButton* b) const {
    for (auto it = Seen.rbegin(); it != Seen.rend(); ++it)
      if (it->first == b) return it->second;
    return 0;
  }
};

void Mouse(TWinControl* target, UINT msg, int x, int y) {
  SendMessageW(target->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

TEST(ToolBar, LaysItsButtonsOutLeftToRightInOrder) {
  TBarFixture f;
  EXPECT_EQ(f.Bar->Align(), alTop);
  EXPECT_EQ(f.Bar->Height(), 29);
  EXPECT_EQ(f.Bar->Width(), f.Form->ClientWidth());
  TToolButton* a = f.Add();
  TToolButton* sep = f.Add(tbsSeparator);
  TToolButton* drop = f.Add(tbsDropDown);
  TToolButton* b = f.Add(tbsCheck);
  auto bounds = [](TControl* c) {
    RECT r = c->BoundsRect();
    return std::vector<LONG>{r.left, r.top, r.right, r.bottom};
  };
  using V = std::vector<LONG>;
  EXPECT_EQ(bounds(a), (V{0, 2, 23, 24}));
  EXPECT_EQ(bounds(sep), (V{23, 2, 31, 24})); // a separator keeps its own width
  EXPECT_EQ(bounds(drop), (V{31, 2, 31 + 23 + TToolBar::kArrowWidth, 24}));
  EXPECT_EQ(bounds(b), (V{66, 2, 89, 24}));
  EXPECT_EQ(f.Bar->Buttons(), (std::vector<TToolButton*>{a, sep, drop, b}));

  // Hidden and removed buttons leave no gap; a new size moves everyone.
  drop->SetVisible(false);
  EXPECT_EQ(b->Left(), 31);
  delete sep;
  EXPECT_EQ(b->Left(), 23);
  f.Bar->SetButtonWidth(30);
  f.Bar->SetButtonHeight(26);
  EXPECT_EQ(bounds(b), (V{30, 2, 60, 28}));
  drop->SetVisible(true);
  EXPECT_EQ(bounds(drop), (V{30, 2, 60 + TToolBar::kArrowWidth, 28}));
  EXPECT_EQ(b->Left(), 60 + TToolBar::kArrowWidth);

  // Shown captions widen every button to the widest one.
  a->SetCaption(L"A rather long caption");
  EXPECT_EQ(a->Width(), 30);
  f.Bar->SetShowCaptions(true);
  EXPECT_GT(a->Width(), 60);
  EXPECT_EQ(b->Width(), a->Width());
}

TEST(ToolBar, CustomDrawSeesEachButtonsState) {
  TBarFixture f;
  TDrawRecorder rec;
  rec.Watch(f.Bar);
  TToolButton* plain = f.Add();
  TToolButton* check = f.Add(tbsCheck);
  TToolButton* sep = f.Add(tbsSeparator);
  TToolButton* off = f.Add();
  off->SetEnabled(false);
  auto stateOf = [&](TToolButton* b) {
    rec.Seen.clear();
    rec.Backgrounds = 0;
    TPicture picture(f.Bar);
    return rec.StateOf(b);
  };
  EXPECT_EQ(stateOf(plain), cdsDefault);
  EXPECT_EQ(stateOf(off), cdsDisabled | cdsGrayed);
  for (const auto& [button, state] : rec.Seen)
    EXPECT_NE(button, sep) << "a separator has no face to draw";
  EXPECT_EQ(rec.Seen.size(), 3u);
  EXPECT_EQ(rec.Backgrounds, 1);
  const RECT client = f.Bar->ClientRect();
  EXPECT_TRUE(EqualRect(&rec.BackgroundRect, &client)); // the whole bar, whatever is repainted

  plain->Perform(CM_MOUSEENTER);
  EXPECT_EQ(stateOf(plain), cdsHot);
  Mouse(f.Bar, WM_LBUTTONDOWN, plain->Left() + 5, 10);
  EXPECT_EQ(stateOf(plain), cdsSelected | cdsHot);
  Mouse(f.Bar, WM_MOUSEMOVE, 300, 10); // dragged off: no longer pressed
  EXPECT_EQ(stateOf(plain), cdsHot);
  Mouse(f.Bar, WM_LBUTTONUP, 300, 10);
  plain->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(stateOf(plain), cdsDefault);

  check->SetDown(true);
  EXPECT_EQ(stateOf(check), cdsChecked);
  off->SetDown(true);
  EXPECT_EQ(stateOf(off), cdsChecked | cdsDisabled | cdsGrayed);
  off->Perform(CM_MOUSEENTER); // a disabled button does not track the mouse
  EXPECT_EQ(stateOf(off), cdsChecked | cdsDisabled | cdsGrayed);
}

TEST(ToolBar, ClicksOnlyWhenReleasedOverTheButton) {
  TBarFixture f;
  TToolButton* plain = f.Add();
  TToolButton* check = f.Add(tbsCheck);
  int clicks = 0;
  struct TCounter : TObject {
    int* Count;
    void Clicked(TObject*) { ++*Count; }
  } counter;
  counter.Count = &clicks;
  plain->OnClick = TNotifyEvent(&counter, &TCounter::Clicked);
  Mouse(f.Bar, WM_LBUTTONDOWN, 5, 10);
  EXPECT_EQ(GetCapture(), f.Bar->Handle()); // the press holds the mouse
  Mouse(f.Bar, WM_LBUTTONUP, 5, 10);
  EXPECT_EQ(clicks, 1);
  Mouse(f.Bar, WM_LBUTTONDOWN, 5, 10);
  Mouse(f.Bar, WM_LBUTTONUP, check->Left() + 5, 10); // released over another button
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(check->Down());
  EXPECT_NE(GetCapture(), f.Bar->Handle());

  // A check button toggles; grouped neighbours are down one at a time.
  check->Click();
  EXPECT_TRUE(check->Down());
  check->Click();
  EXPECT_FALSE(check->Down());
  TToolButton* g1 = f.Add(tbsCheck);
  TToolButton* g2 = f.Add(tbsCheck);
  f.Add(tbsSeparator);
  TToolButton* g3 = f.Add(tbsCheck);
  for (TToolButton* g : {g1, g2, g3})
    g->SetGrouped(true);
  g1->Click();
  g3->Click(); // beyond the separator: a group of its own
  g2->Click();
  EXPECT_FALSE(g1->Down());
  EXPECT_TRUE(g2->Down());
  EXPECT_TRUE(g3->Down());
  g2->Click(); // the one down in a group stays down
  EXPECT_TRUE(g2->Down());
  EXPECT_FALSE(check->Down()); // not grouped: not in their group
}

TEST(ToolBar, DefaultDrawingOffLeavesTheFaceOutButNotTheContents) {
  TBarFixture f;
  f.Bar->SetImages(f.Images);
  f.Bar->SetButtonWidth(60);
  f.Bar->SetButtonHeight(40);
  f.Bar->SetHeight(46);
  f.Bar->SetShowCaptions(true);
  TToolButton* b = f.Add(tbsButton, L"WWW");
  b->SetImageIndex(0);
  TDrawRecorder rec;
  rec.Watch(f.Bar);
  rec.CaptionColor = kCaptionColor;
  const RECT caption{b->Left() + 4, b->Top() + 22, b->Left() + b->Width() - 4,
                     b->Top() + b->Height() - 2};
  {
    TPicture withFace(f.Bar);
    EXPECT_NE(withFace.At(b, 0, 0), kBarColor); // the raised edge of a bar that is not flat
    EXPECT_EQ(withFace.At(b, b->Width() / 2, 10), kImageColor);
    EXPECT_TRUE(withFace.Shows(caption, kCaptionColor)); // the colour the handler gave
    EXPECT_EQ(withFace.At(100, 20), kBarColor);
  }
  // The handler's own background stays when it says so; the face is left out.
  constexpr TColor kOwnBackground = 0x00307050;
  rec.BackgroundFill = kOwnBackground;
  EXPECT_EQ(TPicture(f.Bar).At(100, 20), kBarColor);
  rec.DrawDefault = false;
  rec.Background = false;
  TPicture without(f.Bar);
  EXPECT_EQ(without.At(100, 20), kOwnBackground);
  EXPECT_EQ(without.At(b, 0, 0), kOwnBackground) << "no edge";
  EXPECT_EQ(without.At(b, b->Width() / 2, 10), kImageColor);
  EXPECT_TRUE(without.Shows(caption, kCaptionColor));

  // A disabled button's caption is grey whatever the handler said.
  rec.DrawDefault = true;
  b->SetEnabled(false);
  TPicture disabled(f.Bar);
  EXPECT_FALSE(disabled.Shows(caption, kCaptionColor));
  EXPECT_TRUE(disabled.Shows(caption, ColorToRGB(clGrayText)));
}

TEST(ToolBar, FlatFacesShowOnlyWhenHotOrDown) {
  TBarFixture f;
  f.Bar->SetFlat(true);
  TToolButton* b = f.Add();
  EXPECT_EQ(TPicture(f.Bar).At(b, 0, 0), kBarColor);
  b->Perform(CM_MOUSEENTER);
  EXPECT_EQ(TPicture(f.Bar).At(b, 0, 0), ColorToRGB(clBtnHighlight));
  b->Perform(CM_MOUSELEAVE);
  b->SetDown(true);
  EXPECT_EQ(TPicture(f.Bar).At(b, 0, 0), ColorToRGB(clBtnShadow));
  f.Bar->SetFlat(false);
  b->SetDown(false);
  EXPECT_NE(TPicture(f.Bar).At(b, 0, 0), kBarColor);
}

const char* const kStoredBar = R"(object TestForm1: TTestForm
  Left = 10
  Top = 10
  Width = 300
  Height = 200
  object ToolBar1: TToolBar
    Left = 0
    Top = 0
    Width = 292
    Height = 29
    Align = alTop
    ButtonWidth = 25
    Flat = True
    Images = ImageList1
    ShowCaptions = True
    TabOrder = 0
    object Open1: TToolButton
      Left = 0
      Top = 2
      Width = 25
      Height = 22
      Caption = 'Open'
      ImageIndex = 0
      OnClick = FormPing
    end
    object Sep1: TToolButton
      Left = 25
      Top = 2
      Width = 6
      Height = 22
      Style = tbsSeparator
    end
    object Bold1: TToolButton
      Left = 31
      Top = 2
      Width = 25
      Height = 22
      Style = tbsCheck
      Down = True
      Grouped = True
    end
    object More1: TToolButton
      Left = 56
      Top = 2
      Width = 37
      Height = 22
      Style = tbsDropDown
      DropdownMenu = PopupMenu1
    end
  end
  object ImageList1: TImageList
  end
  object PopupMenu1: TPopupMenu
    object Item1: TMenuItem
      Caption = 'One'
    end
  end
end
)";

TEST(ToolBar, StoredFormRoundTrip) {
  TTestForm form(nullptr);
  ReadComponentText(&form, kStoredBar);
  auto* bar = form.Find<TToolBar>("ToolBar1");
  ASSERT_TRUE(bar);
  EXPECT_TRUE(bar->Flat());
  EXPECT_TRUE(bar->ShowCaptions());
  EXPECT_EQ(bar->ButtonWidth(), 25);
  EXPECT_EQ(bar->Images(), form.Find<TImageList>("ImageList1"));
  const std::vector<TToolButton*> buttons = bar->Buttons();
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_EQ(buttons[0]->Name(), "Open1");
  EXPECT_EQ(buttons[1]->Style(), tbsSeparator);
  EXPECT_EQ(buttons[1]->Width(), 6); // stored, not the default gap
  EXPECT_TRUE(buttons[2]->Down());
  EXPECT_TRUE(buttons[2]->Grouped());
  EXPECT_EQ(buttons[3]->DropdownMenu(), form.Find<TPopupMenu>("PopupMenu1"));
  buttons[0]->Click();
  EXPECT_EQ(form.PingCount, 1);

  const std::string written = WriteComponentText(&form);
  TTestForm again(nullptr);
  ReadComponentText(&again, written);
  EXPECT_EQ(WriteComponentText(&again), written);
  auto* bar2 = again.Find<TToolBar>("ToolBar1");
  ASSERT_TRUE(bar2);
  ASSERT_EQ(bar2->ButtonCount(), 4);
  EXPECT_EQ(bar2->Buttons()[3]->Style(), tbsDropDown);
  EXPECT_EQ(bar2->Buttons()[0]->Caption(), L"Open");
  EXPECT_EQ(bar2->Buttons()[0]->ImageIndex(), 0);
  EXPECT_EQ(written.find("Style = tbsButton"), std::string::npos); // defaults are not stored
}

// --- Drop-downs ---------------------------------------------------------------------

// Runs inside the menu loop: notes where the menu window is and then
// chooses its first item (or closes it).
struct TMenuDriver {
  static inline RECT MenuRect{};
  static inline bool Choose = false;
  static inline int Opened = 0;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, id);
    ++Opened;
    GetWindowRect(menu, &MenuRect);
    if (Choose) {
      PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      EndMenu();
    }
  }
  explicit TMenuDriver(bool choose) {
    Choose = choose;
    Opened = 0;
    MenuRect = {};
    SetTimer(nullptr, 0, 30, Tick);
  }
};

class TItemClicks : public TObject {
public:
  std::vector<TObject*> Clicked;
  TObject* PopupComponentSeen = nullptr;
  void Click(TObject* sender) { Clicked.push_back(sender); }
  void Popup(TObject* sender) {
    PopupComponentSeen = static_cast<TPopupMenu*>(sender)->PopupComponent();
  }
};

TEST(ToolBar, DropDownArrowOpensTheMenuUnderTheButton) {
  TBarFixture f;
  TToolButton* drop = f.Add(tbsDropDown);
  auto* menu = new TPopupMenu(f.Form.get());
  auto* item = new TMenuItem(f.Form.get());
  item->SetCaption(L"First");
  menu->Items().Add(item);
  drop->SetDropdownMenu(menu);
  TItemClicks clicks;
  item->OnClick = TNotifyEvent(&clicks, &TItemClicks::Click);
  menu->OnPopup = TNotifyEvent(&clicks, &TItemClicks::Popup);
  drop->OnClick = TNotifyEvent(&clicks, &TItemClicks::Click);

  // The main part is a plain button.
  Mouse(f.Bar, WM_LBUTTONDOWN, drop->Left() + 3, 10);
  Mouse(f.Bar, WM_LBUTTONUP, drop->Left() + 3, 10);
  EXPECT_EQ(clicks.Clicked, std::vector<TObject*>{drop});
  EXPECT_EQ(clicks.PopupComponentSeen, nullptr);

  TMenuDriver driver(true);
  const RECT arrow = drop->ArrowRect();
  Mouse(f.Bar, WM_LBUTTONDOWN, drop->Left() + arrow.left + 3, 10);
  Pump(); // the chosen item's command arrives as a message
  EXPECT_EQ(TMenuDriver::Opened, 1);
  const POINT corner = drop->ClientToScreen({0, drop->Height()});
  EXPECT_EQ(TMenuDriver::MenuRect.left, corner.x);
  EXPECT_EQ(TMenuDriver::MenuRect.top, corner.y);
  EXPECT_EQ(clicks.PopupComponentSeen, drop);
  EXPECT_EQ(clicks.Clicked, (std::vector<TObject*>{drop, item}));
  EXPECT_FALSE(drop->Pressed());
  EXPECT_EQ(drop->DrawState(), cdsDefault);
}

TEST(ToolBar, AMenuGivesOneButtonPerItemThatDropsItsItemsDown) {
  TBarFixture f;
  auto* menu = new TMainMenu(f.Form.get());
  auto add = [&](TMenuItem& parent, const wchar_t* caption) {
    auto* item = new TMenuItem(f.Form.get());
    item->SetCaption(caption);
    parent.Add(item);
    return item;
  };
  TMenuItem* file = add(menu->Items(), L"&File");
  TMenuItem* open = add(*file, L"&Open");
  add(*file, L"&Save");
  TMenuItem* help = add(menu->Items(), L"&Help"); // no sub-items: clicked itself
  TMenuItem* hidden = add(menu->Items(), L"Hidden");
  hidden->SetVisible(false);
  TItemClicks clicks;
  open->OnClick = TNotifyEvent(&clicks, &TItemClicks::Click);
  help->OnClick = TNotifyEvent(&clicks, &TItemClicks::Click);

  f.Bar->SetMenu(menu);
  EXPECT_TRUE(f.Bar->ShowCaptions());
  const std::vector<TToolButton*> buttons = f.Bar->Buttons();
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0]->MenuItem(), file);
  EXPECT_EQ(buttons[0]->Caption(), L"&File");
  EXPECT_EQ(buttons[1]->MenuItem(), help);
  EXPECT_EQ(buttons[0]->Owner(), f.Bar); // made by the bar, not stored with the form
  EXPECT_EQ(WriteComponentText(f.Form.get()).find("TToolButton"), std::string::npos);

  TMenuDriver driver(true);
  Mouse(f.Bar, WM_LBUTTONDOWN, buttons[0]->Left() + 3, 10);
  EXPECT_EQ(TMenuDriver::Opened, 1);
  const POINT corner = buttons[0]->ClientToScreen({0, buttons[0]->Height()});
  EXPECT_EQ(TMenuDriver::MenuRect.left, corner.x);
  EXPECT_EQ(TMenuDriver::MenuRect.top, corner.y);
  EXPECT_EQ(clicks.Clicked, std::vector<TObject*>{open});

  buttons[1]->Click();
  EXPECT_EQ(clicks.Clicked, (std::vector<TObject*>{open, help}));

  // Another menu, or none, replaces the buttons.
  f.Bar->SetMenu(nullptr);
  EXPECT_EQ(f.Bar->ButtonCount(), 0);
}

} // namespace
} // namespace fwtest
