// Menu items on their own: shortcut texts, accelerators, the system menus
// built from the items and kept up to date, command identifiers, and the
// menu handles made and freed.

#include <gtest/gtest.h>

#include "FwTestUtil.h"
#include "fw/Menus.h"
#include "support/ObjectCensus.h"
#include "support/WinTestUtil.h"

#include <algorithm>
#include <memory>
#include <set>

namespace fwtest {
namespace {

struct TEntry {
  std::wstring Text;
  UINT Type = 0, State = 0, Id = 0;
  HMENU Sub = nullptr;
};

TEntry EntryAt(HMENU menu, int position) {
  wchar_t text[256] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 255;
  EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info)) << position;
  return {text, info.fType, info.fState, info.wID, info.hSubMenu};
}

std::vector<std::wstring> Texts(HMENU menu) {
  std::vector<std::wstring> out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    out.push_back(EntryAt(menu, i).Text);
  return out;
}

// --- Shortcut texts ------------------------------------------------------------------

TEST(ShortCutText, KeysAndModifiersBothWays) {
  const struct {
    TShortCut Key;
    const wchar_t* Text;
  } cases[] = {
      {scCtrl | 'S', L"Ctrl+S"},
      {scShift | scCtrl | 'Z', L"Shift+Ctrl+Z"},
      {scShift | scAlt | '9', L"Shift+Alt+9"},
      {scShift | scCtrl | scAlt | 'K', L"Shift+Ctrl+Alt+K"},
      {scAlt | VK_F4, L"Alt+F4"},
      {VK_F1, L"F1"},
      {VK_F12, L"F12"},
      {VK_F24, L"F24"},
      {scShift | VK_DELETE, L"Shift+Del"},
      {scCtrl | VK_INSERT, L"Ctrl+Ins"},
      {VK_ESCAPE, L"Esc"},
      {VK_RETURN, L"Enter"},
      {scAlt | VK_BACK, L"Alt+BkSp"},
      {scCtrl | VK_SPACE, L"Ctrl+Space"},
      {VK_PRIOR, L"PgUp"},
      {VK_NEXT, L"PgDn"},
      {VK_LEFT, L"Left"},
      {scCtrl | VK_ADD, L"Ctrl+Num +"},
      {'0', L"0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutToText(c.Key), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.Key) << c.Text;
  }
  // Typed texts are read whatever their case.
  EXPECT_EQ(TextToShortCut(L"ctrl+s"), scCtrl | 'S');
  EXPECT_EQ(TextToShortCut(L"SHIFT+f3"), scShift | VK_F3);
  EXPECT_EQ(TextToShortCut(L"alt+ctrl+del"), scAlt | scCtrl | VK_DELETE);
}

TEST(ShortCutText, UnknownKeysHaveNoText) {
  for (TShortCut key : {0u, scCtrl, scShift | scAlt, scCtrl | unsigned(VK_NUMPAD5),
                        unsigned(VK_LWIN), scAlt | unsigned(VK_OEM_1)})
    EXPECT_EQ(ShortCutToText(key), L"") << std::hex << key;
  for (const wchar_t* text : {L"", L"Ctrl+", L"Ctrl+Shift+", L"Hyper+S", L"S+Ctrl", L"F0", L"F25",
                              L"Ctrl+Foo", L"Ctrl + S", L"Ctrl+SS"})
    EXPECT_EQ(TextToShortCut(text), 0u) << testutil::Narrow(text);
}

TEST(ShortCutText, EveryNamedKeyReadsBack) {
  for (TShortCut key = 1; key < 256; ++key)
    for (TShortCut mods : {0u, scShift, scCtrl, scAlt, scShift | scCtrl | scAlt}) {
      const std::wstring text = ShortCutToText(key | mods);
      if (text.empty()) continue;
      EXPECT_EQ(TextToShortCut(text), key | mods) << testutil::Narrow(text);
    }
}

TEST(Hotkey, CharacterAfterASingleAmpersand) {
  const struct {
    const wchar_t* Caption;
    wchar_t Key;
  } cases[] = {
      {L"&File", L'F'},
      {L"E&xit", L'X'},
      {L"&f", L'F'},
      {L"&&Copy", 0},
      {L"Save && &Quit", L'Q'},
      {L"&&&x", L'X'},
      {L"Last&", 0},
      {L"a&&", 0},
      {L"&", 0},
      {L"None", 0},
      {L"", 0},
      {L"&中文", L'中'},
      {L"&1 Recent", L'1'},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetHotkey(c.Caption), c.Key) << testutil::Narrow(c.Caption);
}

// --- The system menu built from the items -------------------------------------------------

class MenuHandle : public ::testing::Test {
protected:
  std::unique_ptr<TComponent> Root{new TComponent(nullptr)};
};

TEST_F(MenuHandle, EntriesFollowTheItems) {
  auto* menu = new TPopupMenu(Root.get());
  TMenuItem* open = AddItem(*menu, L"&Open");
  open->SetShortCut(scCtrl | 'O');
  AddItem(*menu, L"-");
  AddItem(*menu, L"Gray")->SetEnabled(false);
  AddItem(*menu, L"Check")->SetChecked(true);
  AddItem(*menu, L"Bold")->SetDefault(true);
  AddItem(*menu, L"Hidden")->SetVisible(false);
  TMenuItem* more = AddItem(*menu, L"&More");
  TMenuItem* deep = AddItem(*more, L"Deep");
  TMenuItem* deeper = AddItem(*deep, L"Deeper");
  AddItem(*menu, L"Line")->SetShortCut(scAlt | VK_F4);

  HMENU h = menu->Handle();
  ASSERT_TRUE(IsMenu(h));
  EXPECT_EQ(Texts(h), (std::vector<std::wstring>{L"&Open\tCtrl+O", L"-", L"Gray", L"Check", L"Bold",
                                                 L"&More", L"Line\tAlt+F4"}));
  const TEntry first = EntryAt(h, 0), line = EntryAt(h, 1);
  EXPECT_EQ(first.Id, open->Command());
  EXPECT_EQ(first.Type, UINT(MFT_STRING));
  EXPECT_EQ(first.State, 0u);
  EXPECT_EQ(first.Sub, nullptr);
  EXPECT_EQ(line.Type, UINT(MFT_SEPARATOR));
  EXPECT_EQ(EntryAt(h, 2).State & MFS_GRAYED, UINT(MFS_GRAYED));
  EXPECT_EQ(EntryAt(h, 3).State, UINT(MFS_CHECKED));
  EXPECT_EQ(EntryAt(h, 4).State, UINT(MFS_DEFAULT));

  // Each item with sub-items has a drop-down of its own.
  const TEntry moreEntry = EntryAt(h, 5);
  EXPECT_EQ(moreEntry.Id, more->Command());
  ASSERT_NE(moreEntry.Sub, nullptr);
  EXPECT_EQ(moreEntry.Sub, more->HandleIfMade());
  EXPECT_EQ(Texts(moreEntry.Sub), (std::vector<std::wstring>{L"Deep"}));
  const TEntry deepEntry = EntryAt(moreEntry.Sub, 0);
  ASSERT_NE(deepEntry.Sub, nullptr);
  EXPECT_EQ(deepEntry.Sub, deep->HandleIfMade());
  EXPECT_NE(deepEntry.Sub, moreEntry.Sub);
  EXPECT_EQ(EntryAt(deepEntry.Sub, 0).Id, deeper->Command());
  EXPECT_EQ(deeper->HandleIfMade(), nullptr); // no sub-items, no menu
  EXPECT_EQ(menu->FindItemByHandle(deepEntry.Sub), deep);
}

TEST_F(MenuHandle, OwnerDrawingAndRightToLeftReachEveryLevel) {
  auto* popup = new TPopupMenu(Root.get());
  TMenuItem* top = AddItem(*popup, L"Top");
  AddItem(*top, L"Sub");
  AddItem(*popup, L"-");
  auto* bar = new TMainMenu(Root.get());
  TMenuItem* file = AddItem(*bar, L"File");
  AddItem(*file, L"New");
  TMenuItem* recent = AddItem(*file, L"Recent");
  AddItem(*recent, L"one.txt");

  const HMENU popupMenu = popup->Handle(), popupSub = top->Handle();
  const HMENU fileMenu = file->Handle(), recentMenu = recent->Handle();
  bar->Handle();
  auto allEntries = [&](UINT bit, bool on) {
    for (HMENU m : {popupMenu, popupSub, fileMenu, recentMenu})
      for (int i = 0; i < GetMenuItemCount(m); ++i)
        EXPECT_EQ((EntryAt(m, i).Type & bit) != 0, on) << std::hex << bit << " entry " << i;
  };
  allEntries(MFT_OWNERDRAW, false);
  popup->SetOwnerDraw(true);
  bar->SetOwnerDraw(true);
  allEntries(MFT_OWNERDRAW, true);
  EXPECT_EQ(EntryAt(popupMenu, 1).Type & MFT_SEPARATOR, UINT(MFT_SEPARATOR)); // still a line
  EXPECT_EQ(top->HandleIfMade(), popupSub);                                   // rebuilt in place
  popup->SetOwnerDraw(false);
  bar->SetOwnerDraw(false);
  allEntries(MFT_OWNERDRAW, false);

  allEntries(MFT_RIGHTORDER, false);
  popup->SetBiDiMode(bdRightToLeft);
  bar->SetBiDiMode(bdRightToLeft);
  allEntries(MFT_RIGHTORDER, true);
  EXPECT_EQ(EntryAt(bar->Handle(), 0).Type & MFT_RIGHTORDER, UINT(MFT_RIGHTORDER));
  popup->SetBiDiMode(bdLeftToRight);
  bar->SetBiDiMode(bdLeftToRight);
  allEntries(MFT_RIGHTORDER, false);
}

TEST_F(MenuHandle, RebuiltAfterEveryChange) {
  auto* menu = new TMainMenu(Root.get());
  TMenuItem* a = AddItem(*menu, L"A");
  TMenuItem* b = AddItem(*menu, L"B");
  TMenuItem* b1 = AddItem(*b, L"B1");
  TMenuItem* b2 = AddItem(*b, L"B2");
  TMenuItem* c = AddItem(*menu, L"C");
  const HMENU h = menu->Handle();
  const HMENU bMenu = b->Handle();
  EXPECT_EQ(Texts(h), (std::vector<std::wstring>{L"A", L"B", L"C"}));

  a->SetCaption(L"A2");
  a->SetShortCut(scCtrl | 'A');
  EXPECT_EQ(Texts(h)[0], L"A2\tCtrl+A");
  a->SetShortCut(0);
  EXPECT_EQ(Texts(h)[0], L"A2");
  a->SetEnabled(false);
  EXPECT_EQ(EntryAt(h, 0).State & MFS_GRAYED, UINT(MFS_GRAYED));
  a->SetEnabled(true);
  EXPECT_EQ(EntryAt(h, 0).State & MFS_GRAYED, 0u);
  b1->SetChecked(true);
  EXPECT_EQ(EntryAt(bMenu, 0).State, UINT(MFS_CHECKED));

  c->SetVisible(false);
  EXPECT_EQ(Texts(h), (std::vector<std::wstring>{L"A2", L"B"}));
  b->SetVisible(false);
  EXPECT_EQ(Texts(h), (std::vector<std::wstring>{L"A2"}));
  EXPECT_TRUE(IsMenu(bMenu)); // a hidden item keeps its drop-down
  b->SetVisible(true);
  c->SetVisible(true);
  EXPECT_EQ(Texts(h), (std::vector<std::wstring>{L"A2", L"B", L"C"}));
  EXPECT_EQ(EntryAt(h, 1).Sub, bMenu);

  auto* d = new TMenuItem(Root.get());
  d->SetCaption(L"D");
  menu->Items().Insert(1, d);
  EXPECT_EQ(Texts(h), (std::vector<std::wstring>{L"A2", L"D", L"B", L"C"}));
  EXPECT_EQ(d->MenuIndex(), 1);
  delete d;
  EXPECT_EQ(Texts(h), (std::vector<std::wstring>{L"A2", L"B", L"C"}));
  EXPECT_EQ(menu->Handle(), h); // the bar keeps its handle throughout

  // An item that loses its last sub-item becomes a plain one and gives its
  // drop-down up.
  b->Remove(b1);
  EXPECT_EQ(Texts(bMenu), (std::vector<std::wstring>{L"B2"}));
  b->Remove(b2);
  EXPECT_EQ(EntryAt(h, 1).Sub, nullptr);
  EXPECT_EQ(b->HandleIfMade(), nullptr);
  EXPECT_FALSE(IsMenu(bMenu));
  EXPECT_EQ(EntryAt(h, 1).Id, b->Command());
  // It gets a new one with a new sub-item.
  b->Add(b2);
  ASSERT_NE(EntryAt(h, 1).Sub, nullptr);
  EXPECT_EQ(Texts(EntryAt(h, 1).Sub), (std::vector<std::wstring>{L"B2"}));
}

TEST_F(MenuHandle, ADetachedSubMenuSurvivesItsOldParent) {
  auto* menu = new TPopupMenu(Root.get());
  TMenuItem* group = AddItem(*menu, L"Group");
  TMenuItem* inner = AddItem(*group, L"Inner");
  AddItem(*inner, L"Leaf");
  menu->Handle();
  const HMENU innerMenu = inner->Handle();
  group->Remove(inner);
  delete menu; // takes Group along, not Inner
  ASSERT_TRUE(IsMenu(innerMenu));
  EXPECT_EQ(Texts(innerMenu), (std::vector<std::wstring>{L"Leaf"}));
  auto* other = new TPopupMenu(Root.get());
  other->Items().Add(inner);
  EXPECT_EQ(EntryAt(other->Handle(), 0).Sub, innerMenu);
}

// Every menu made is destroyed once, by its item: none is left behind, and
// none that the items still use is destroyed with another.
TEST_F(MenuHandle, NoneLeftAfterMenusComeAndGo) {
  HWND anchor = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  auto cycle = [&](bool popup) {
    TMenu* menu = popup ? static_cast<TMenu*>(new TPopupMenu(Root.get()))
                        : static_cast<TMenu*>(new TMainMenu(Root.get()));
    for (int i = 0; i < 3; ++i) {
      TMenuItem* item = AddItem(*menu, L"Item");
      if (i == 1) AddItem(*AddItem(*item, L"Sub"), L"SubSub");
      if (i == 2) AddItem(*item, L"Other");
    }
    menu->Handle();
    if (popup) menu->SetOwnerDraw(true); // rebuilt once more
    delete menu;
  };
  cycle(true);
  cycle(false);
  const auto before = testutil::TObjectCensus::Take();
  for (int i = 0; i < 500; ++i)
    cycle(i % 2 == 0);
  EXPECT_EQ(Root->ComponentCount(), 0); // the items went with their menus
  const auto after = testutil::TObjectCensus::Take();
  EXPECT_EQ(before, after) << before.DifferenceTo(after);
  DestroyWindow(anchor);
}

// --- Command identifiers ---------------------------------------------------------------

TEST_F(MenuHandle, CommandsAreUniqueAndReused) {
  auto* bar = new TMainMenu(Root.get());
  auto* popup = new TPopupMenu(Root.get());
  std::vector<TMenuItem*> items;
  for (int i = 0; i < 10; ++i) {
    items.push_back(AddItem(*bar, L"Bar"));
    items.push_back(AddItem(*items.back(), L"Sub"));
    items.push_back(AddItem(*popup, L"Popup"));
  }
  std::set<UINT> commands;
  for (TMenuItem* item : items) {
    EXPECT_GE(item->Command(), 1u);
    EXPECT_LT(item->Command(), UINT(SC_SIZE)); // never taken for a system command
    commands.insert(item->Command());
    EXPECT_EQ(FindMenuItemByCommand(item->Command()), item);
    EXPECT_EQ(item->GetParentMenu() == bar ? bar->FindItem(item->Command())
                                           : popup->FindItem(item->Command()),
              item);
  }
  EXPECT_EQ(commands.size(), items.size());
  // A menu finds only its own items.
  EXPECT_EQ(bar->FindItem(items[2]->Command()), nullptr);
  EXPECT_EQ(popup->FindItem(items[0]->Command()), nullptr);

  std::set<UINT> freed;
  for (int i : {3, 4, 8}) { // item 3 takes its sub-item 4 along
    freed.insert(items[i]->Command());
    if (i != 4) delete items[i];
  }
  for (UINT c : freed)
    EXPECT_EQ(FindMenuItemByCommand(c), nullptr) << c;
  EXPECT_EQ(bar->FindItem(*freed.begin()), nullptr);
  // New items take the freed identifiers before any new one (a few more
  // cover gaps other tests may have left).
  std::set<UINT> reused;
  for (int i = 0; i < 64; ++i)
    reused.insert(AddItem(*popup, L"New")->Command());
  for (UINT c : freed)
    EXPECT_EQ(reused.count(c), 1u) << c;
  EXPECT_EQ(FindMenuItemByCommand(0), nullptr);
  EXPECT_EQ(FindMenuItemByCommand(0xFFFF), nullptr);
}

} // namespace
} // namespace fwtest
