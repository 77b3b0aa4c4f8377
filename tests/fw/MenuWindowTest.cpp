// Menus on windows: a form's main menu and what its window does with it
// (commands, drop-downs, owner-drawn items, shortcuts), context menus of
// controls, and menus in stored forms.

#include <gtest/gtest.h>

#include "FwTestClasses.h"
#include "FwTestUtil.h"
#include "support/ObjectCensus.h"

#include <memory>

namespace fwtest {
namespace {

// What the items and actions of a test did.
class TEvents : public TObject {
public:
  std::vector<TObject*> Clicks;
  void Click(TObject* sender) { Clicks.push_back(sender); }
  int Updates = 0;
  bool DisableOnUpdate = false;
  void Update(TObject* sender) {
    ++Updates;
    auto* action = static_cast<TBasicAction*>(sender);
    if (DisableOnUpdate) {
      action->Enabled = false;
      action->Checked = true;
      action->Caption = L"Updated";
    }
  }
  std::vector<TObject*> Measured;
  void Measure(TObject* sender, TCanvas*, int& width, int& height) {
    Measured.push_back(sender);
    width = 77;
    height = 33;
  }
  struct TDrawn {
    TObject* Sender;
    HDC Dc;
    RECT Rect;
    bool Selected;
  };
  std::vector<TDrawn> Drawn;
  void Draw(TObject* sender, TCanvas* canvas, RECT rect, bool selected) {
    Drawn.push_back({sender, canvas->Handle(), rect, selected});
  }
  int Popups = 0;
  void Popup(TObject*) { ++Popups; }
  int ResizesWhileDestroying = 0;
  void Resize(TObject* sender) {
    if (static_cast<TComponent*>(sender)->HasState(csDestroying)) ++ResizesWhileDestroying;
  }
};

// --- A form's main menu --------------------------------------------------------------

class FormMenu : public ::testing::Test {
protected:
  void SetUp() override {
    Form = MakeForm(100, 100, 320, 240, false);
    Menu = new TMainMenu(Form.get());
    File = AddItem(*Menu, L"&File");
    Open = AddItem(*File, L"&Open");
    AddItem(*Menu, L"&Edit");
  }
  std::unique_ptr<TForm> Form;
  TMainMenu* Menu = nullptr;
  TMenuItem* File = nullptr;
  TMenuItem* Open = nullptr;
  TEvents Events;
};

TEST_F(FormMenu, TheWindowShowsTheMenuAndHearsOfEveryChange) {
  Form->SetMenu(Menu);
  const HWND wnd = Form->Handle();
  ASSERT_NE(GetMenu(wnd), nullptr);
  EXPECT_EQ(GetMenu(wnd), Menu->Handle());
  EXPECT_EQ(MenuText(GetMenu(wnd), 0), L"&File");

  TMessageLog log;
  log.Attach(Form.get());
  File->SetCaption(L"&Document");
  EXPECT_EQ(log.Count(CM_MENUCHANGED), 1);
  EXPECT_TRUE(log.Saw(WM_NCCALCSIZE)); // the bar was laid out and drawn again
  EXPECT_EQ(MenuText(GetMenu(wnd), 0), L"&Document");
  Open->SetEnabled(false);
  EXPECT_EQ(log.Count(CM_MENUCHANGED), 2);

  // A menu that belongs to someone else works the same.
  auto other = std::make_unique<TMainMenu>(nullptr);
  TMenuItem* view = AddItem(*other, L"&View");
  Form->SetMenu(other.get());
  EXPECT_EQ(log.Count(CM_MENUCHANGED), 3);
  EXPECT_EQ(GetMenu(wnd), other->Handle());
  EXPECT_TRUE(IsMenu(Menu->HandleIfMade())); // the first one is only put aside
  view->SetCaption(L"&Look");
  EXPECT_EQ(log.Count(CM_MENUCHANGED), 4);
  EXPECT_EQ(MenuText(GetMenu(wnd), 0), L"&Look");
  File->SetCaption(L"&File"); // not shown: not a change of this window
  EXPECT_EQ(log.Count(CM_MENUCHANGED), 4);

  Form->SetMenu(nullptr);
  EXPECT_EQ(log.Count(CM_MENUCHANGED), 5);
  EXPECT_EQ(GetMenu(wnd), nullptr);

  // A menu that goes while the window shows it is taken off first.
  Form->SetMenu(other.get());
  EXPECT_EQ(log.Count(CM_MENUCHANGED), 6);
  other.reset();
  EXPECT_EQ(Form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(wnd), nullptr);
  EXPECT_EQ(log.Count(CM_MENUCHANGED), 7);
  Form->SetMenu(Menu);
  EXPECT_EQ(GetMenu(wnd), Menu->Handle());
}

TEST_F(FormMenu, TheMenuBarTakesItsHeightFromTheClientArea) {
  Form->Show();
  Pump();
  RECT window0, client0, window1, client1;
  GetWindowRect(Form->Handle(), &window0);
  GetClientRect(Form->Handle(), &client0);
  Form->SetMenu(Menu);
  Pump();
  GetWindowRect(Form->Handle(), &window1);
  GetClientRect(Form->Handle(), &client1);
  EXPECT_TRUE(EqualRect(&window0, &window1));
  EXPECT_EQ(client0.bottom - client1.bottom, GetSystemMetrics(SM_CYMENU)); // one line of items
  EXPECT_EQ(client1.right, client0.right);
  EXPECT_EQ(Form->ClientRect().bottom, client1.bottom);
  Form->SetMenu(nullptr);
  GetClientRect(Form->Handle(), &client1);
  EXPECT_EQ(client1.bottom, client0.bottom);
}

TEST_F(FormMenu, ARemadeWindowGetsItsMenuBack) {
  Form->SetMenu(Menu);
  const HWND first = Form->Handle();
  const HMENU bar = Menu->Handle();
  Form->SetBorderStyle(bsSingle); // remakes the window
  ASSERT_NE(Form->Handle(), first);
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_EQ(GetMenu(Form->Handle()), bar);
}

// The system destroys the menu of a window that goes, with every
// drop-down in it; the items own them, so every way a window can go leaves
// them alone.
TEST_F(FormMenu, AWindowThatGoesLeavesTheMenuAlone) {
  HWND anchor = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  { // warm-up: what the first window with a menu makes
    auto warm = MakeForm(10, 10, 200, 150, true);
    auto* own = new TMainMenu(warm.get());
    AddItem(*AddItem(*own, L"&Own"), L"&Sub");
    warm->SetMenu(own);
    Pump();
  }
  Pump();
  auto menu = std::make_unique<TMainMenu>(nullptr);
  TMenuItem* tools = AddItem(*menu, L"&Tools");
  AddItem(*tools, L"&Options");
  const auto before = testutil::TObjectCensus::Take();
  const HMENU bar = menu->Handle(), drop = tools->Handle();

  auto shown = MakeForm(10, 10, 200, 150, true);
  shown->SetMenu(menu.get());
  ASSERT_EQ(GetMenu(shown->Handle()), bar);
  shown.reset(); // a form freed while it shows the menu
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_TRUE(IsMenu(drop));

  auto second = MakeForm(10, 10, 200, 150, true);
  second->SetMenu(menu.get());
  ASSERT_EQ(GetMenu(second->Handle()), bar);
  DestroyWindow(second->Handle()); // the window alone goes
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_TRUE(IsMenu(drop));
  EXPECT_EQ(GetMenuItemCount(bar), 1);
  second->HandleNeeded(); // a new window shows the same menu again
  EXPECT_EQ(GetMenu(second->Handle()), bar);
  second.reset();

  // A menu that goes while a live window shows it.
  auto live = MakeForm(10, 10, 200, 150, true);
  auto* gone = new TMainMenu(nullptr);
  AddItem(*AddItem(*gone, L"&Gone"), L"&Sub");
  live->SetMenu(gone);
  Pump();
  delete gone;
  EXPECT_EQ(GetMenu(live->Handle()), nullptr);
  Pump();
  live.reset();

  // A form that owns its menu takes it along.
  auto owner = MakeForm(10, 10, 200, 150, true);
  auto* own = new TMainMenu(owner.get());
  AddItem(*AddItem(*own, L"&Own"), L"&Sub");
  owner->SetMenu(own);
  Pump();
  owner.reset();
  menu.reset();
  Pump();
  const auto after = testutil::TObjectCensus::Take();
  EXPECT_EQ(before, after) << before.DifferenceTo(after);
  DestroyWindow(anchor);
}

// Taking the menu off a window that goes changes its client area; the
// form's events are not run for that while it is being destroyed.
TEST_F(FormMenu, NoResizeEventWhileTheFormGoes) {
  auto foreign = std::make_unique<TMainMenu>(nullptr);
  AddItem(*foreign, L"&Foreign");
  for (bool owned : {true, false}) {
    auto form = MakeForm(10, 10, 200, 150, true);
    TMainMenu* menu = owned ? new TMainMenu(form.get()) : foreign.get();
    if (owned) AddItem(*menu, L"&Own");
    form->OnResize = TNotifyEvent(&Events, &TEvents::Resize);
    form->SetMenu(menu);
    Pump();
    form.reset();
    EXPECT_EQ(Events.ResizesWhileDestroying, 0) << (owned ? "owned" : "foreign");
  }
}

// --- Commands and drop-downs ----------------------------------------------------------

TEST_F(FormMenu, CommandsClickTheirItem) {
  Form->SetMenu(Menu);
  const HWND wnd = Form->Handle();
  Open->OnClick = TNotifyEvent(&Events, &TEvents::Click);
  auto* action = new TBasicAction(Form.get());
  action->OnExecute = TNotifyEvent(&Events, &TEvents::Click);
  TMenuItem* run = AddItem(*File, L"&Run");
  run->SetAction(action);
  TMenuItem* off = AddItem(*File, L"Off");
  off->OnClick = TNotifyEvent(&Events, &TEvents::Click);
  off->SetEnabled(false);
  TMenuItem* both = AddItem(*File, L"Both");
  both->OnClick = TNotifyEvent(&Events, &TEvents::Click);
  both->SetAction(action);
  auto command = [&](TMenuItem* item, WORD code = 0, LPARAM lParam = 0) {
    Events.Clicks.clear();
    SendMessageW(wnd, WM_COMMAND, MAKEWPARAM(item->Command(), code), lParam);
    return Events.Clicks;
  };
  using TClicks = std::vector<TObject*>;
  EXPECT_EQ(command(Open), TClicks{Open});
  EXPECT_EQ(command(Open, 1), TClicks{Open}); // from an accelerator
  EXPECT_EQ(command(run), TClicks{action});   // the action runs for an item without OnClick
  EXPECT_EQ(command(both), TClicks{both});
  EXPECT_EQ(command(off), TClicks{});
  action->Enabled = false;
  EXPECT_EQ(command(run), TClicks{});
  // A control's notification with the same number is not a menu command.
  auto* edit = new TEdit(Form.get());
  edit->SetParent(Form.get());
  EXPECT_EQ(command(Open, BN_CLICKED, reinterpret_cast<LPARAM>(edit->Handle())), TClicks{});
  EXPECT_EQ(command(Open, EN_CHANGE), TClicks{});

  // An item of a popup menu is clicked by the popup's window, not the form.
  auto* popup = new TPopupMenu(Form.get());
  TMenuItem* item = AddItem(*popup, L"Popup item");
  item->OnClick = TNotifyEvent(&Events, &TEvents::Click);
  EXPECT_EQ(command(item), TClicks{});
  Events.Clicks.clear();
  SendMessageW(PopupListWindow(), WM_COMMAND, item->Command(), 0);
  EXPECT_EQ(Events.Clicks, TClicks{item});
}

TEST_F(FormMenu, ADropDownUpdatesItsActionsFirst) {
  Form->SetMenu(Menu);
  auto* action = new TBasicAction(Form.get());
  action->OnUpdate = TNotifyEvent(&Events, &TEvents::Update);
  Open->SetAction(action);
  TMenuItem* edit = Menu->Items().Items(1);
  auto* other = new TBasicAction(Form.get());
  other->OnUpdate = TNotifyEvent(&Events, &TEvents::Update);
  AddItem(*edit, L"Copy")->SetAction(other);
  Menu->Handle();
  const HMENU drop = File->Handle();
  Events.Updates = 0;
  Events.DisableOnUpdate = true;
  SendMessageW(Form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(Events.Updates, 1); // only the drop-down that opens
  EXPECT_FALSE(Open->Enabled());
  EXPECT_TRUE(Open->Checked());
  EXPECT_EQ(Open->Caption(), L"Updated");
  EXPECT_EQ(GetMenuState(drop, 0, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED),
            UINT(MF_GRAYED | MF_CHECKED));
  EXPECT_EQ(MenuText(drop, 0), L"Updated");
}

TEST_F(FormMenu, OwnerDrawnItemsReachTheirEvents) {
  Menu->SetOwnerDraw(true);
  Form->SetMenu(Menu);
  const HWND wnd = Form->Handle();
  Open->OnMeasureItem = TMenuMeasureItemEvent(&Events, &TEvents::Measure);
  Open->OnDrawItem = TMenuDrawItemEvent(&Events, &TEvents::Draw);

  MEASUREITEMSTRUCT mi{ODT_MENU, 0, Open->Command(), 10, 10, 0};
  EXPECT_EQ(SendMessageW(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi)), TRUE);
  EXPECT_EQ(Events.Measured, std::vector<TObject*>{Open});
  EXPECT_EQ(mi.itemWidth, 77u);
  EXPECT_EQ(mi.itemHeight, 33u);

  TBitmap target;
  target.SetSize(100, 30);
  HDC dc = target.Canvas().Handle();
  DRAWITEMSTRUCT di{ODT_MENU,
                    0,
                    Open->Command(),
                    ODA_DRAWENTIRE,
                    ODS_SELECTED,
                    reinterpret_cast<HWND>(File->Handle()),
                    dc,
                    {5, 6, 90, 26},
                    0};
  EXPECT_EQ(SendMessageW(wnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di)), TRUE);
  ASSERT_EQ(Events.Drawn.size(), 1u);
  EXPECT_EQ(Events.Drawn[0].Sender, Open);
  EXPECT_EQ(Events.Drawn[0].Dc, dc);
  EXPECT_TRUE(EqualRect(&Events.Drawn[0].Rect, &di.rcItem));
  EXPECT_TRUE(Events.Drawn[0].Selected);
  di.itemState = 0;
  SendMessageW(wnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
  ASSERT_EQ(Events.Drawn.size(), 2u);
  EXPECT_FALSE(Events.Drawn[1].Selected);

  // Without events an item is measured the framework's way: a separator
  // is a thin line, a text item as high as its text at least.
  TMenuItem* line = AddItem(*File, L"-");
  mi = {ODT_MENU, 0, line->Command(), 0, 0, 0};
  SendMessageW(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
  EXPECT_GT(mi.itemHeight, 0u);
  EXPECT_LT(mi.itemHeight, 12u);
  TMenuItem* text = AddItem(*File, L"A longer caption");
  mi = {ODT_MENU, 0, text->Command(), 0, 0, 0};
  SendMessageW(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
  TCanvas probe;
  HDC screen = GetDC(nullptr);
  {
    TCanvasBinding binding(probe, screen);
    probe.Font().Assign(Screen->MenuFont());
    const SIZE extent = probe.TextExtent(L"A longer caption");
    EXPECT_GT(static_cast<int>(mi.itemWidth), extent.cx + kMenuGlyphWidth);
    EXPECT_GE(static_cast<int>(mi.itemHeight), extent.cy);
  }
  ReleaseDC(nullptr, screen);

  // Requests that are not for an item of this menu are left alone.
  mi = {ODT_MENU, 0, 0xE000, 5, 5, 0};
  EXPECT_EQ(SendMessageW(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi)), FALSE);
  EXPECT_EQ(mi.itemWidth, 5u);
  mi = {ODT_BUTTON, 7, Open->Command(), 5, 5, 0};
  SendMessageW(wnd, WM_MEASUREITEM, 7, reinterpret_cast<LPARAM>(&mi));
  EXPECT_EQ(mi.itemWidth, 5u);
  EXPECT_EQ(Events.Measured.size(), 1u);
}

// --- The framework's own look of an owner-drawn item ----------------------------------------

class ItemLook : public FormMenu {
protected:
  static constexpr int kWidth = 160;
  void SetUp() override {
    FormMenu::SetUp();
    Menu->SetOwnerDraw(true);
    Form->SetMenu(Menu);
    Target.SetSize(kWidth, 40);
  }
  // Draws the item into the top of the target, over magenta.
  void Draw(TMenuItem* item, bool selected, int height) {
    HDC dc = Target.Canvas().Handle();
    RECT all{0, 0, kWidth, 40};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &all, magenta);
    DeleteObject(magenta);
    DRAWITEMSTRUCT di{ODT_MENU,
                      0,
                      item->Command(),
                      ODA_DRAWENTIRE,
                      selected ? UINT(ODS_SELECTED) : 0u,
                      reinterpret_cast<HWND>(File->Handle()),
                      dc,
                      {0, 0, kWidth, height},
                      0};
    SendMessageW(Form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
  }
  COLORREF Pixel(int x, int y) { return GetPixel(Target.Canvas().Handle(), x, y); }
  TBitmap Target;
};

TEST_F(ItemLook, BackgroundFollowsTheSelection) {
  TMenuItem* item = AddItem(*File, L"Item");
  Draw(item, false, 20);
  EXPECT_EQ(Pixel(kWidth - 2, 1), GetSysColor(COLOR_MENU));
  EXPECT_EQ(Pixel(1, 18), GetSysColor(COLOR_MENU));
  EXPECT_EQ(Pixel(1, 20), RGB(255, 0, 255)); // nothing beyond the item
  Draw(item, true, 20);
  EXPECT_EQ(Pixel(kWidth - 2, 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(Pixel(1, 18), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(ItemLook, ASeparatorIsAnEtchedLineAcrossTheMiddle) {
  TMenuItem* line = AddItem(*File, L"-");
  Draw(line, false, 9);
  // The dark line with the light one under it (which may be the menu's
  // colour too), the menu's colour elsewhere.
  int dark = -1;
  for (int y = 0; y < 9; ++y) {
    if (Pixel(kWidth / 2, y) != GetSysColor(COLOR_BTNSHADOW)) continue;
    EXPECT_EQ(dark, -1) << "a second dark row at " << y;
    dark = y;
  }
  ASSERT_GE(dark, 2);
  ASSERT_LE(dark, 5);
  for (int x : {0, kWidth / 3, kWidth - 1}) {
    EXPECT_EQ(Pixel(x, dark), GetSysColor(COLOR_BTNSHADOW)) << x;
    EXPECT_EQ(Pixel(x, dark + 1), GetSysColor(COLOR_BTNHIGHLIGHT)) << x;
  }
  for (int y = 0; y < 9; ++y) {
    if (y == dark || y == dark + 1) continue;
    EXPECT_EQ(Pixel(kWidth / 2, y), GetSysColor(COLOR_MENU)) << y;
  }
}

// The check mark stands in the glyph column in the item's text colour; the
// rest of the column keeps the item's background.
TEST_F(ItemLook, ACheckMarkInTheGlyphColumn) {
  TMenuItem* item = AddItem(*File, L"");
  item->SetChecked(true);
  for (bool selected : {false, true}) {
    Draw(item, selected, 20);
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    const COLORREF ink = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    int inked = 0, other = 0;
    std::string picture;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < kMenuGlyphWidth + 4; ++x) {
        const COLORREF c = Pixel(x, y);
        inked += c == ink;
        other += c != ink && c != back;
        picture += c == ink ? '#' : c == back ? '.' : '?';
      }
      picture += '\n';
    }
    EXPECT_GT(inked, 6) << picture;
    EXPECT_EQ(other, 0) << picture;
    EXPECT_EQ(Pixel(kWidth / 2, 10), back); // no text, nothing else drawn
    item->SetChecked(false);
    Draw(item, selected, 20);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < kMenuGlyphWidth + 4; ++x)
        ASSERT_EQ(Pixel(x, y), back) << x << "," << y;
    item->SetChecked(true);
  }
}

// --- Shortcuts -------------------------------------------------------------------------

class MenuShortcuts : public FormMenu {
protected:
  void SetUp() override {
    FormMenu::SetUp();
    Edit = new TEdit(Form.get());
    Edit->SetBounds(10, 10, 120, 24);
    Edit->SetParent(Form.get());
    Form->SetMenu(Menu);
    Form->Show();
    Pump();
    Log.Attach(Edit);
  }
  void TearDown() override {
    BYTE keys[256] = {};
    SetKeyboardState(keys);
  }
  // A key pressed in the edit with the given modifiers held.
  void Press(UINT key, bool ctrl, bool alt = false) {
    BYTE keys[256] = {};
    if (ctrl) keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    if (alt) keys[VK_MENU] = keys[VK_LMENU] = 0x80;
    ASSERT_TRUE(SetKeyboardState(keys));
    Log.Messages.clear();
    Events.Clicks.clear();
    PostMessageW(Edit->Handle(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? 1 << 29 : 1);
    Pump();
    BYTE none[256] = {};
    SetKeyboardState(none);
  }
  TMenuItem* WithShortCut(TMenuItem& parent, const wchar_t* caption, TShortCut shortcut) {
    TMenuItem* item = AddItem(parent, caption);
    item->SetShortCut(shortcut);
    item->OnClick = TNotifyEvent(&Events, &TEvents::Click);
    return item;
  }
  TEdit* Edit = nullptr;
  TMessageLog Log;
};

TEST_F(MenuShortcuts, TheItemWithTheKeyIsClickedBeforeTheControlSeesIt) {
  TMenuItem* save = WithShortCut(*File, L"&Save", scCtrl | 'S');
  TMenuItem* deep = WithShortCut(*AddItem(*File, L"More"), L"Deep", VK_F5);
  TMenuItem* quit = WithShortCut(*File, L"Quit", scAlt | 'X');
  using TClicks = std::vector<TObject*>;
  Press('S', true);
  EXPECT_EQ(Events.Clicks, TClicks{save});
  EXPECT_FALSE(Log.Saw(WM_KEYDOWN));
  Press(VK_F5, false);
  EXPECT_EQ(Events.Clicks, TClicks{deep});
  Press('X', false, true);
  EXPECT_EQ(Events.Clicks, TClicks{quit});
  EXPECT_FALSE(Log.Saw(WM_SYSKEYDOWN));
}

TEST_F(MenuShortcuts, KeysNoUsableItemHasGoToTheControl) {
  WithShortCut(*File, L"&Save", scCtrl | 'S');
  WithShortCut(*File, L"Hidden", scCtrl | 'H')->SetVisible(false);
  WithShortCut(*File, L"Off", scCtrl | 'D')->SetEnabled(false);
  TMenuItem* group = WithShortCut(*File, L"Group", scCtrl | 'G');
  AddItem(*group, L"Member"); // an item with sub-items opens, it is not clicked
  TMenuItem* locked = AddItem(*File, L"Locked");
  WithShortCut(*locked, L"Inside", scCtrl | 'L');
  locked->SetEnabled(false); // its items are out of reach
  const struct {
    UINT Key;
    bool Ctrl;
  } keys[] = {{'Q', true}, {'S', false}, {'H', true},   {'D', true},
              {'G', true}, {'L', true},  {VK_F5, false}};
  for (const auto& k : keys) {
    Press(k.Key, k.Ctrl);
    EXPECT_TRUE(Events.Clicks.empty()) << k.Key;
    EXPECT_TRUE(Log.Saw(WM_KEYDOWN)) << k.Key;
  }
  Form->SetMenu(nullptr);
  Press('S', true);
  EXPECT_TRUE(Events.Clicks.empty());
  EXPECT_TRUE(Log.Saw(WM_KEYDOWN));
}

// --- Context menus -----------------------------------------------------------------------

// Ends the menu that opens next, under Wine's menu loop as under Windows: a
// thread timer (the loop dispatches it) waits for the popup window, notes
// where it is, and posts the keys that choose an item (downs, then Return)
// or Escape. A menu that never shows is given up after a while.
class TMenuDriver {
public:
  explicit TMenuDriver(int downs) : FDowns(downs) {
    sCurrent = this;
    FTimer = SetTimer(nullptr, 0, 20, Tick);
  }
  ~TMenuDriver() {
    KillTimer(nullptr, FTimer);
    sCurrent = nullptr;
  }
  int Shown = 0;
  RECT Where{};

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (sCurrent) sCurrent->Step();
  }
  void Step() {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) {
      if (++FWaits > 200) EndMenu();
      return;
    }
    if (FSent) return;
    FSent = true;
    ++Shown;
    GetWindowRect(popup, &Where);
    if (FDowns < 0) {
      PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
      return;
    }
    for (int i = 0; i < FDowns; ++i)
      PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_CHAR, L'\r', 0);
  }
  static inline TMenuDriver* sCurrent = nullptr;
  int FDowns;
  int FWaits = 0;
  bool FSent = false;
  UINT_PTR FTimer = 0;
};

class ContextMenu : public ::testing::Test {
protected:
  void SetUp() override {
    Form = MakeForm(100, 100, 320, 240, true);
    Edit = new TEdit(Form.get());
    Edit->SetBounds(20, 30, 120, 24);
    Edit->SetParent(Form.get());
    Menu = new TPopupMenu(Form.get());
    AddItem(*Menu, L"One")->OnClick = TNotifyEvent(&Events, &TEvents::Click);
    Two = AddItem(*Menu, L"Two");
    Two->OnClick = TNotifyEvent(&Events, &TEvents::Click);
    Menu->OnPopup = TNotifyEvent(&Events, &TEvents::Popup);
    Edit->SetPopupMenu(Menu);
    Pump();
  }
  // WM_CONTEXTMENU as the system sends it, with a driver ending the menu;
  // what the driver saw goes to seen.
  void ContextAt(TWinControl* control, LPARAM where, int downs, RECT* seen = nullptr,
                 int* shown = nullptr) {
    TMenuDriver driver(downs);
    SendMessageW(control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control->Handle()),
                 where);
    Pump(); // the chosen item's command
    if (seen) *seen = driver.Where;
    if (shown) *shown = driver.Shown;
  }
  std::unique_ptr<TForm> Form;
  TEdit* Edit = nullptr;
  TPopupMenu* Menu = nullptr;
  TMenuItem* Two = nullptr;
  TEvents Events;
};

TEST_F(ContextMenu, FromTheMouseAtThePoint) {
  RECT where{};
  int shown = 0;
  ContextAt(Edit, MAKELPARAM(300, 250), 2, &where, &shown);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(where.left, 300);
  EXPECT_EQ(where.top, 250);
  EXPECT_EQ(Events.Popups, 1);
  EXPECT_EQ(Menu->PopupComponent(), Edit);
  EXPECT_EQ(Events.Clicks, std::vector<TObject*>{Two});
  delete Edit; // the menu forgets the control it was shown for
  EXPECT_EQ(Menu->PopupComponent(), nullptr);
}

TEST_F(ContextMenu, FromTheKeyboardAtTheControl) {
  const POINT corner = Edit->ClientToScreen({0, 0});
  // The system sends -1 in both halves; on 64-bit Windows the upper half
  // of the parameter is empty.
  for (LPARAM where : {MAKELPARAM(-1, -1), static_cast<LPARAM>(-1)}) {
    RECT seen{};
    int shown = 0;
    ContextAt(Edit, where, -1, &seen, &shown);
    EXPECT_EQ(shown, 1) << std::hex << where;
    EXPECT_EQ(seen.left, corner.x) << std::hex << where;
    EXPECT_EQ(seen.top, corner.y) << std::hex << where;
  }
  EXPECT_EQ(Events.Popups, 2);
  EXPECT_TRUE(Events.Clicks.empty()); // Escape chooses nothing
}

TEST_F(ContextMenu, AWindowlessChildShowsItsOwnMenu) {
  auto* panel = new TPanel(Form.get());
  panel->SetBounds(150, 20, 150, 150);
  panel->SetParent(Form.get());
  auto* label = new TLabel(Form.get());
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 60, 20);
  label->SetParent(panel);
  auto* plain = new TLabel(Form.get()); // without a menu of its own
  plain->SetAutoSize(false);
  plain->SetBounds(10, 50, 60, 20);
  plain->SetParent(panel);
  label->SetPopupMenu(Menu);
  auto* panelMenu = new TPopupMenu(Form.get());
  AddItem(*panelMenu, L"Panel")->OnClick = TNotifyEvent(&Events, &TEvents::Click);
  panel->SetPopupMenu(panelMenu);
  Pump();

  const POINT onLabel = panel->ClientToScreen({20, 15});
  ContextAt(panel, MAKELPARAM(onLabel.x, onLabel.y), 2);
  EXPECT_EQ(Menu->PopupComponent(), label);
  EXPECT_EQ(Events.Clicks, std::vector<TObject*>{Two});
  Events.Clicks.clear();
  const POINT onPlain = panel->ClientToScreen({20, 55});
  ContextAt(panel, MAKELPARAM(onPlain.x, onPlain.y), 1);
  EXPECT_EQ(panelMenu->PopupComponent(), panel);
  EXPECT_EQ(Events.Clicks, std::vector<TObject*>{panelMenu->Items().Items(0)});
}

TEST_F(ContextMenu, WithoutAutoPopupNothingOpensOfOurs) {
  Menu->AutoPopup = false;
  ContextAt(Edit, MAKELPARAM(300, 250), -1); // the edit's own menu, if any, is closed
  EXPECT_EQ(Events.Popups, 0);
  EXPECT_EQ(Menu->PopupComponent(), nullptr);
}

TEST_F(ContextMenu, AMenuThatGoesIsForgotten) {
  auto* label = new TLabel(Form.get());
  label->SetPopupMenu(Menu);
  delete Menu;
  EXPECT_EQ(Edit->PopupMenu(), nullptr);
  EXPECT_EQ(label->PopupMenu(), nullptr);
  ContextAt(Edit, MAKELPARAM(300, 250), -1);
  EXPECT_EQ(Events.Popups, 0);
}

// Under Wine's menu loop as under Windows, the popup's window hands the
// measuring and drawing of owner-drawn items to them.
TEST_F(ContextMenu, AShownOwnerDrawnMenuDrawsThroughItsItems) {
  Menu->SetOwnerDraw(true);
  Two->OnMeasureItem = TMenuMeasureItemEvent(&Events, &TEvents::Measure);
  Two->OnDrawItem = TMenuDrawItemEvent(&Events, &TEvents::Draw);
  RECT where{};
  ContextAt(Edit, MAKELPARAM(300, 250), 2, &where);
  EXPECT_EQ(Events.Clicks, std::vector<TObject*>{Two});
  ASSERT_FALSE(Events.Measured.empty());
  EXPECT_EQ(Events.Measured[0], Two);
  ASSERT_FALSE(Events.Drawn.empty());
  EXPECT_EQ(Events.Drawn[0].Sender, Two);
  EXPECT_EQ(Events.Drawn[0].Rect.bottom - Events.Drawn[0].Rect.top, 33); // as measured
  EXPECT_GE(where.right - where.left, 77);
  EXPECT_TRUE(Events.Drawn.back().Selected); // Two was selected before it was chosen
}

TEST_F(ContextMenu, PopupAtAPointClicksTheChosenItem) {
  Menu->Alignment = paLeft;
  {
    TMenuDriver driver(1);
    Menu->Popup(200, 180);
    Pump();
    EXPECT_EQ(driver.Where.left, 200);
    EXPECT_EQ(driver.Where.top, 180);
  }
  EXPECT_EQ(Events.Clicks, std::vector<TObject*>{Menu->Items().Items(0)});
  EXPECT_EQ(Events.Popups, 1);
  Menu->Alignment = paRight;
  {
    TMenuDriver driver(-1);
    Menu->Popup(400, 180);
    EXPECT_EQ(driver.Where.right, 400);
  }
}

// --- Stored forms -------------------------------------------------------------------------

const char* const kMenuForm = R"(object TestForm1: TTestForm
  Left = 0
  Top = 0
  Width = 320
  Height = 240
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  ParentFont = False
  PixelsPerInch = 96
  TextHeight = 13
  Menu = MainMenu1
  object Edit1: TEdit
    Left = 8
    Top = 8
    Width = 121
    Height = 24
    Color = clWindow
    PopupMenu = PopupMenu1
    TabOrder = 0
    TabStop = True
  end
  object ImageList1: TImageList
  end
  object MainMenu1: TMainMenu
    Images = ImageList1
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open'
        ShortCut = 16463
        OnClick = FormPing
      end
      object Line1: TMenuItem
        Caption = '-'
      end
      object Recent1: TMenuItem
        Caption = 'Recent'
        object First1: TMenuItem
          Caption = 'first.txt'
          Checked = True
          ImageIndex = 2
        end
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
      Enabled = False
    end
  end
  object PopupMenu1: TPopupMenu
    OwnerDraw = True
    AutoPopup = False
    object Copy1: TMenuItem
      Caption = 'Copy'
      Default = True
    end
  end
end
)";

TEST(MenuStream, ReadsAndWritesTheWholeTree) {
  TTestForm form(nullptr);
  ReadComponentText(&form, kMenuForm);
  auto* menu = form.Find<TMainMenu>("MainMenu1");
  auto* popup = form.Find<TPopupMenu>("PopupMenu1");
  auto* edit = form.Find<TEdit>("Edit1");
  ASSERT_TRUE(menu && popup && edit);
  EXPECT_EQ(form.Menu(), menu);
  EXPECT_EQ(edit->PopupMenu(), popup);
  EXPECT_EQ(menu->Images(), form.Find<TImageList>("ImageList1"));
  ASSERT_EQ(menu->Items().Count(), 2);
  TMenuItem* file = menu->Items().Items(0);
  EXPECT_EQ(file, form.Find<TMenuItem>("File1"));
  EXPECT_EQ(file->Owner(), &form);
  ASSERT_EQ(file->Count(), 3);
  EXPECT_EQ(file->Items(0)->ShortCut(), scCtrl | 'O');
  EXPECT_TRUE(file->Items(1)->IsLine());
  TMenuItem* recent = file->Items(2);
  ASSERT_EQ(recent->Count(), 1);
  TMenuItem* first = recent->Items(0);
  EXPECT_EQ(first->Caption(), L"first.txt");
  EXPECT_TRUE(first->Checked());
  EXPECT_EQ(first->ImageIndex(), 2);
  EXPECT_EQ(first->GetParentMenu(), menu);
  EXPECT_EQ(first->GetImageList(), menu->Images());
  EXPECT_FALSE(menu->Items().Items(1)->Enabled());
  EXPECT_TRUE(popup->OwnerDraw());
  EXPECT_FALSE(popup->AutoPopup);
  ASSERT_EQ(popup->Items().Count(), 1);
  EXPECT_TRUE(popup->Items().Items(0)->Default());

  // The item's event is bound to the form's method.
  file->Items(0)->Click();
  EXPECT_EQ(form.PingCount, 1);
  // The window shows the tree as it was read.
  form.HandleNeeded();
  const HMENU bar = GetMenu(form.Handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(MenuText(bar, 0), L"&File");
  const HMENU drop = GetSubMenu(bar, 0);
  EXPECT_EQ(MenuText(drop, 0), L"&Open\tCtrl+O");
  EXPECT_EQ(MenuText(GetSubMenu(drop, 2), 0), L"first.txt");

  EXPECT_EQ(WriteComponentText(&form), kMenuForm);
}

} // namespace
} // namespace fwtest
