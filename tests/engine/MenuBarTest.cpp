// The skinned menu bar: where its buttons lie, which key finds which
// button, opening drop-downs by mouse and keyboard and moving between them
// while one is open, the bar following changes of the menu, and the window
// getting its menu back.
#include "ManagerTestUtil.h"
#include "MenuTestUtil.h"
#include "skin/form/MenuBar.h"
#include "support/MessageSequence.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace enginetest {
namespace {

class TClicks : public TObject {
public:
  std::vector<TMenuItem*> Items;
  void Click(TObject* sender) { Items.push_back(As<TMenuItem>(sender)); }
};

// A skinned form with a main menu: File (Open, Save, -, Exit), Edit (Cut,
// Copy), a disabled Tools (Options), Help (About).
struct TMenuForm {
  explicit TMenuForm(const TSkinSpec& spec = MenusSpec(), bool rightToLeft = false) : F(spec) {
    Menu = new TMainMenu(F.Form);
    if (rightToLeft) Menu->SetBiDiMode(bdRightToLeft);
    File = Add(Menu->Items(), L"&File");
    for (const wchar_t* c : {L"&Open", L"&Save", L"-", L"E&xit"})
      Add(*File, c);
    Edit = Add(Menu->Items(), L"&Edit");
    Add(*Edit, L"Cu&t");
    Add(*Edit, L"&Copy");
    Tools = Add(Menu->Items(), L"&Tools");
    Add(*Tools, L"&Options");
    Tools->SetEnabled(false);
    Help = Add(Menu->Items(), L"&Help");
    Add(*Help, L"&About");
    F.Form->SetMenu(Menu);
    Pump();
  }
  TMenuItem* Add(TMenuItem& parent, const wchar_t* caption) {
    auto* item = new TMenuItem(F.Form);
    item->SetCaption(caption);
    item->OnClick = TNotifyEvent(&Clicks, &TClicks::Click);
    parent.Add(item);
    return item;
  }
  bool Skin() {
    if (!F.Skin()) return false;
    Engine = F.Engine();
    return Engine && Engine->MenuBar;
  }
  TMenuBtn* Button(int i) const { return Engine->MenuBar->Buttons.at(i).get(); }
  HWND Wnd() const { return F.Wnd(); }
  // A screen point in the middle of a button.
  POINT At(int i) const {
    RECT w;
    GetWindowRect(Wnd(), &w);
    const RECT& b = Button(i)->Bounds;
    return {w.left + (b.left + b.right) / 2, w.top + (b.top + b.bottom) / 2};
  }
  void Click(int i) const {
    const POINT p = At(i);
    SendMessageW(Wnd(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(p.x, p.y));
  }

  TClicks Clicks;
  TSkinnedForm F;
  TMainMenu* Menu = nullptr;
  TMenuItem *File = nullptr, *Edit = nullptr, *Tools = nullptr, *Help = nullptr;
  TWinSkinForm* Engine = nullptr;
};

int TextWidth(const std::wstring& caption) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, MenuBarFont());
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, caption.c_str(), -1, &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r.right - r.left;
}

// --- Geometry and accelerators -------------------------------------------------------------

TEST(MenuBarGeometry, ButtonsFollowEachOtherFromTheSkinsMargin) {
  struct TRow {
    const char* Name;
    bool Element, RightToLeft;
    int Start; // from the bar's leading edge to the first button
  };
  const TRow rows[] = {
      {"left to right, bar picture", true, false, kMenuBarLeft + 4},
      {"right to left, bar picture", true, true, kMenuBarRight + 8},
      {"left to right, no picture", false, false, 6},
      {"right to left, no picture", false, true, 6},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Name);
    TMenuForm f(MenusSpec(r.Element), r.RightToLeft);
    ASSERT_TRUE(f.Skin());
    TWinSkinMenu& bar = *f.Engine->MenuBar;
    ASSERT_EQ(bar.Buttons.size(), 4u);
    const RECT area = bar.BarBounds();
    EXPECT_EQ(area.top, f.Engine->CaptionHeight);
    EXPECT_EQ(area.bottom - area.top, f.Engine->MenuHeight);
    EXPECT_GT(f.Engine->MenuHeight, 0);
    int edge = r.RightToLeft ? area.right - r.Start : area.left + r.Start;
    for (auto& b : bar.Buttons) {
      SCOPED_TRACE(std::string(b->Caption.begin(), b->Caption.end()));
      const int width = TextWidth(b->Caption) + 10;
      EXPECT_EQ(b->Bounds.top, area.top);
      EXPECT_EQ(b->Bounds.bottom, area.bottom - 1);
      if (r.RightToLeft) {
        EXPECT_EQ(b->Bounds.right, edge);
        EXPECT_EQ(b->Bounds.left, edge - width);
        edge -= width;
      } else {
        EXPECT_EQ(b->Bounds.left, edge);
        EXPECT_EQ(b->Bounds.right, edge + width);
        edge += width;
      }
    }
    // Each button is found at its middle, and only there.
    for (int i = 0; i < 4; ++i) {
      RECT w;
      GetWindowRect(f.Wnd(), &w);
      const POINT p{f.At(i).x - w.left, f.At(i).y - w.top};
      EXPECT_EQ(bar.ButtonAt(p), f.Button(i));
    }
    // Beyond the last button the bar is empty.
    const int beyond = r.RightToLeft ? edge - 2 : edge + 2;
    EXPECT_EQ(bar.ButtonAt({beyond, area.top + 2}), nullptr);
  }
}

TEST(MenuBarGeometry, NarrowBarsEmptyCaptionsAndHiddenButtons) {
  TMenuForm f;
  ASSERT_TRUE(f.Skin());
  TWinSkinMenu& bar = *f.Engine->MenuBar;
  const RECT area = bar.BarBounds();
  // A bar narrower than its margin starts its buttons 12 pixels in.
  const int savedRight = f.Engine->BorderRight;
  f.Engine->BorderRight = (area.right + savedRight) - area.left - 4;
  ASSERT_LT(bar.BarBounds().right - bar.BarBounds().left, kMenuBarLeft + 4);
  bar.LayoutBar();
  EXPECT_EQ(f.Button(0)->Bounds.left, area.left + 12);
  f.Engine->BorderRight = savedRight;

  // A button without a caption takes no room and is never hit; a hidden
  // one has empty bounds and its neighbours close up.
  f.Button(1)->Caption.clear();
  f.Button(2)->Visible = false;
  bar.LayoutBar();
  const RECT& first = f.Button(0)->Bounds;
  EXPECT_EQ(f.Button(1)->Bounds.left, first.right);
  EXPECT_EQ(f.Button(1)->Bounds.right, first.right);
  EXPECT_TRUE(IsRectEmpty(&f.Button(2)->Bounds));
  EXPECT_EQ(f.Button(2)->Bounds.left, 0);
  EXPECT_EQ(f.Button(3)->Bounds.left, first.right);
  for (int x = area.left; x < area.right; ++x) {
    TMenuBtn* hit = bar.ButtonAt({x, area.top + 3});
    EXPECT_TRUE(hit != f.Button(1) && hit != f.Button(2)) << x;
  }
  EXPECT_EQ(bar.ButtonAt({0, 0}), nullptr);
}

TEST(MenuBarKeys, AcceleratorsAndNeighbours) {
  TMenuForm f;
  ASSERT_TRUE(f.Skin());
  TWinSkinForm& e = *f.Engine;
  struct TRow {
    wchar_t Key;
    int Button; // -1: none
  };
  const TRow rows[] = {
      {L'f', 0},  {L'F', 0}, {L'e', 1}, {L'h', 3}, {L't', -1}, // Tools is disabled
      {L'o', -1}, // an item of a drop-down is no button's
      {L'x', -1}, {0, -1},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(std::string(1, static_cast<char>(r.Key ? r.Key : '0')));
    EXPECT_EQ(e.FindAccelButton(r.Key), r.Button < 0 ? nullptr : f.Button(r.Button));
  }
  // A caption's "&&" is an ampersand, no accelerator; a hidden button has none.
  f.Button(1)->Caption = L"R&&D";
  EXPECT_EQ(e.FindAccelButton(L'd'), nullptr);
  f.Button(3)->Visible = false;
  EXPECT_EQ(e.FindAccelButton(L'h'), nullptr);
  f.Button(3)->Visible = true;

  // With no drop-down open the neighbours are counted from the first
  // button: round the ends, over buttons nobody can see or click and over
  // disabled ones, which would open nothing and end the menu.
  e.RemoveMenuHook();
  EXPECT_EQ(e.NeighbourButton(true), f.Button(1));
  EXPECT_EQ(e.NeighbourButton(false), f.Button(3));
  f.Button(3)->Visible = false;
  EXPECT_EQ(e.NeighbourButton(false), f.Button(1)) << "past the hidden Help and disabled Tools";
  f.Button(1)->Caption.clear();
  EXPECT_EQ(e.NeighbourButton(true), f.Button(0)) << "round to the only stop left";
  EXPECT_EQ(e.NeighbourButton(false), f.Button(0));
}

// --- Opening and moving between drop-downs ---------------------------------------------------

class MenuBarOpening : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(F.Skin());
    SetForegroundWindow(F.Wnd());
    Pump();
  }
  HMENU Sub(int i) const { return F.Button(i)->SubMenu; }
  // The menu shown now is the drop-down of button i with its first item
  // highlighted (the loop highlights it a moment after showing).
  bool Showing(int i) {
    const std::vector<HMENU> open = OpenMenus();
    Seen = std::to_string(open.size()) + " menus open";
    for (int b = 0; b < 4 && !open.empty(); ++b)
      if (open.front() == Sub(b))
        Seen += ", the newest button " + std::to_string(b) + "'s, item " +
                std::to_string(HighlightedItem(Sub(b))) + " highlighted";
    return !open.empty() && open.front() == Sub(i) && HighlightedItem(Sub(i)) == 0;
  }
  std::string Seen;    // what Showing saw last
  TPointerAside Aside; // nothing of the form under the pointer
  TMenuForm F;
};

// Alt alone and F10 come as the system's keyboard-menu command without a
// character, Alt+letter with the letter; the window's default handling
// turns the keys into it.
TEST_F(MenuBarOpening, ByClickAltLetterAltAloneAndF10WithTheFirstItemSelected) {
  const HWND wnd = F.Wnd();
  const LPARAM alt = 1 << 29, up = (1 << 29) | (3u << 30);
  struct TRow {
    const char* Name;
    std::function<void()> Open;
    int Button;
  };
  const TRow rows[] = {
      {"click", [&] { F.Click(1); }, 1},
      {"Alt+H", [&] { SendMessageW(wnd, WM_SYSCHAR, L'h', alt); }, 3},
      {"keyboard menu E", [&] { SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, L'e'); }, 1},
      {"Alt alone",
       [&] {
         SendMessageW(wnd, WM_SYSKEYDOWN, VK_MENU, alt);
         SendMessageW(wnd, WM_SYSKEYUP, VK_MENU, up);
       },
       0},
      {"F10",
       [&] {
         SendMessageW(wnd, WM_SYSKEYDOWN, VK_F10, 0);
         SendMessageW(wnd, WM_SYSKEYUP, VK_F10, 3u << 30);
       },
       0},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Name);
    bool shown = false;
    const TMenuDrive d = DriveMenus(r.Open, [&](int) { return shown = Showing(r.Button); });
    EXPECT_TRUE(d.Done) << Seen;
    EXPECT_TRUE(shown);
    EXPECT_EQ(d.Opened, std::vector<HMENU>{Sub(r.Button)});
    // Closed again: the bar tracks nothing, no button stays pressed.
    EXPECT_FALSE(F.Engine->MenuTracking);
    EXPECT_EQ(F.Engine->HotObject, nullptr);
    for (auto& b : F.Engine->MenuBar->Buttons)
      EXPECT_NE(b->State, 2);
  }
  // An Alt+letter that no button has opens nothing.
  const TMenuDrive none = DriveMenus([&] { SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, L'q'); },
                                     [](int) { return true; });
  EXPECT_TRUE(none.Opened.empty());
}

TEST_F(MenuBarOpening, ArrowKeysAndTheMouseMoveBetweenDropDowns) {
  int stage = 0;
  const TMenuDrive d = DriveMenus([&] { F.Click(0); },
                                  [&](int) {
                                    // Each stage waits for its drop-down, then asks for the next
                                    // one.
                                    const int wanted[] = {0, 3, 0, 1, 0, 3};
                                    if (stage >= 6 || !Showing(wanted[stage])) return false;
                                    HWND w = OpenMenuWindows().front();
                                    switch (stage++) {
                                    case 0:
                                      PostMenuKey(w, VK_LEFT);
                                      break; // round the start to Help
                                    case 1:
                                      PostMenuKey(w, VK_RIGHT);
                                      break; // round the end to File
                                    case 2: PostMenuKey(w, VK_RIGHT); break; // Edit
                                    case 3: PostMenuKey(w, VK_LEFT); break;  // File
                                    case 4: { // the pointer over Help
                                      const POINT p = F.At(3);
                                      SetCursorPos(p.x, p.y);
                                      POINT c = p;
                                      ScreenToClient(w, &c);
                                      PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
                                      break;
                                    }
                                    case 5: return true;
                                    }
                                    return false;
                                  });
  SetCursorPos(2, 2);
  EXPECT_TRUE(d.Done) << "stage " << stage << ": " << Seen;
  EXPECT_EQ(d.Opened, (std::vector<HMENU>{Sub(0), Sub(3), Sub(0), Sub(1), Sub(0), Sub(3)}));
  EXPECT_FALSE(F.Engine->MenuTracking);
}

TEST_F(MenuBarOpening, EscapeAndAClickOutsideCloseIt) {
  struct TRow {
    const char* Name;
    std::function<void(HWND)> Close;
  };
  const TRow rows[] = {
      {"Escape", [](HWND w) { PostMenuKey(w, VK_ESCAPE); }},
      {"a click outside",
       [&](HWND w) {
         RECT client;
         GetWindowRect(F.Wnd(), &client);
         POINT p{client.right - 20, client.bottom - 20}; // the form's client area
         ScreenToClient(w, &p);
         PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
         PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
       }},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Name);
    F.Clicks.Items.clear();
    bool asked = false;
    const TMenuDrive d = DriveMenus([&] { F.Click(0); },
                                    [&](int) {
                                      if (!asked && Showing(0)) {
                                        r.Close(OpenMenuWindows().front());
                                        asked = true;
                                      }
                                      return false; // the menu is to close by itself
                                    });
    EXPECT_TRUE(asked) << Seen;
    EXPECT_FALSE(d.TimedOut);
    EXPECT_EQ(d.Opened, std::vector<HMENU>{Sub(0)});
    EXPECT_TRUE(OpenMenuWindows().empty());
    EXPECT_FALSE(F.Engine->MenuTracking);
    // Only the top-level item's own click: nothing in the drop-down ran.
    EXPECT_EQ(F.Clicks.Items, std::vector<TMenuItem*>{F.File});
  }
}

TEST_F(MenuBarOpening, AnItemChosenByKeysRunsAndADisabledTopItemOpensNothing) {
  msgseq::TRecorder rec;
  rec.Watch(F.Wnd());
  // Edit: down from Cut to Copy, Enter.
  int stage = 0;
  const TMenuDrive chosen = DriveMenus([&] { F.Click(1); },
                                       [&](int) {
                                         if (stage == 0 && Showing(1)) {
                                           HWND w = OpenMenuWindows().front();
                                           PostMenuKey(w, VK_DOWN);
                                           PostMenuKey(w, VK_RETURN);
                                           stage = 1;
                                         }
                                         return false;
                                       });
  EXPECT_FALSE(chosen.TimedOut);
  EXPECT_EQ(F.Clicks.Items, (std::vector<TMenuItem*>{F.Edit, F.Edit->Items(1)}));

  // Tools is disabled: its command is posted (and its click does nothing),
  // no drop-down opens.
  F.Clicks.Items.clear();
  rec.Clear();
  const TMenuDrive disabled = DriveMenus([&] { F.Click(2); }, [](int) { return true; });
  EXPECT_TRUE(disabled.Opened.empty());
  EXPECT_TRUE(F.Clicks.Items.empty());
  int commands = 0;
  for (const msgseq::TMsg& m : rec.Messages())
    commands += m.Message == WM_COMMAND && LOWORD(m.WParam) == F.Tools->Command();
  EXPECT_EQ(commands, 1);
  EXPECT_FALSE(F.Engine->MenuTracking);
}

// --- Following the menu, giving it back ------------------------------------------------------

std::vector<std::wstring> Captions(const TWinSkinMenu& bar) {
  std::vector<std::wstring> out;
  for (auto& b : bar.Buttons)
    out.push_back(b->Caption);
  return out;
}

TEST(MenuBarChanges, TheMenuChangedNotificationRebuildsTheBar) {
  TMenuForm f;
  ASSERT_TRUE(f.Skin());
  ASSERT_EQ(CM_MENUCHANGED, 0xB015u);
  RECT client;
  GetClientRect(f.Wnd(), &client);
  f.File->SetCaption(L"&Document");
  Pump();
  EXPECT_EQ(Captions(*f.Engine->MenuBar),
            (std::vector<std::wstring>{L"&Document", L"&Edit", L"&Tools", L"&Help"}));
  f.Add(f.Menu->Items(), L"&Window");
  Pump();
  ASSERT_EQ(f.Engine->MenuBar->Buttons.size(), 5u);
  EXPECT_EQ(f.Button(4)->Caption, L"&Window");
  EXPECT_EQ(f.Button(4)->MenuItem, f.Menu->Items().Items(4));
  // The new button is laid out after the others and found by its key.
  f.Engine->MenuBar->LayoutBar();
  EXPECT_EQ(f.Button(4)->Bounds.left, f.Button(3)->Bounds.right);
  EXPECT_EQ(f.Engine->FindAccelButton(L'w'), f.Button(4));
  EXPECT_EQ(f.Engine->FindAccelButton(L'd'), f.Button(0));
  // The window itself never shows the menu again, and keeps its client area.
  EXPECT_EQ(GetMenu(f.Wnd()), nullptr);
  RECT after;
  GetClientRect(f.Wnd(), &after);
  EXPECT_TRUE(EqualRect(&client, &after));
  // A skin that does not follow menu changes keeps its buttons.
  f.F.Data->SetMenuUpdate(false);
  f.Edit->SetCaption(L"&Change");
  Pump();
  EXPECT_EQ(f.Button(1)->Caption, L"&Edit");
  EXPECT_EQ(GetMenu(f.Wnd()), nullptr);
  f.F.Data->SetMenuUpdate(true);
}

TEST(MenuBarChanges, UnskinningAndAFreedEngineGiveTheWindowItsMenuBack) {
  {
    SCOPED_TRACE("unskinned");
    TMenuForm f;
    const TWindowSnapshot before = Snapshot(f.Wnd());
    ASSERT_NE(before.Menu, nullptr);
    ASSERT_TRUE(f.Skin());
    EXPECT_EQ(GetMenu(f.Wnd()), nullptr);
    f.F.Unskin();
    const TWindowSnapshot after = Snapshot(f.Wnd());
    EXPECT_EQ(after.Menu, before.Menu);
    EXPECT_TRUE(EqualRect(&after.Client, &before.Client)) << Describe(before) << "\n"
                                                          << Describe(after);
    EXPECT_TRUE(after == before) << Describe(before) << "\n" << Describe(after);
    // The menu works as the window's own: a change shows in it.
    f.File->SetCaption(L"&Document");
    Pump();
    wchar_t text[32] = {};
    GetMenuStringW(GetMenu(f.Wnd()), 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Document");
  }
  {
    SCOPED_TRACE("the engine freed");
    TMenuForm f;
    const HMENU menu = GetMenu(f.Wnd());
    ASSERT_TRUE(f.Skin());
    EXPECT_EQ(GetMenu(f.Wnd()), nullptr);
    delete f.Engine;
    EXPECT_EQ(GetMenu(f.Wnd()), menu);
    EXPECT_TRUE(IsMenu(menu));
    EXPECT_EQ(GetMenuItemCount(menu), 4);
    Pump();
    EXPECT_EQ(SendMessageW(f.Wnd(), SKN_QUERY, 0, 0), 0);
  }
}

} // namespace
} // namespace enginetest
