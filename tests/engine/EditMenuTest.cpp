// The edits' skinned context menu: which of its entries are offered for
// the edit's selection, its read-only and password styles and the
// clipboard; what each entry does; and an edit with a menu of the
// program's own keeping that one.
#include "MenuTestUtil.h"
#include "fw/Edit.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace enginetest {
namespace {

void SetClipboard(const wchar_t* text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  if (text) {
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(mem), text, bytes);
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
  }
  CloseClipboard();
}

std::wstring Clipboard() {
  std::wstring out;
  if (!OpenClipboard(nullptr)) return out;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    out = static_cast<const wchar_t*>(GlobalLock(h));
    GlobalUnlock(h);
  }
  CloseClipboard();
  return out;
}

std::wstring TextOf(HWND wnd) {
  wchar_t text[128] = {};
  GetWindowTextW(wnd, text, 128);
  return text;
}

class EditContextMenu : public ::testing::Test {
protected:
  void SetUp() override {
    Edit = new TEdit(F.Form);
    Edit->SetParent(F.Form);
    Edit->SetBounds(10, 10, 150, 22);
    Edit->SetText(L"hello world");
    Wnd = Edit->Handle();
    ASSERT_TRUE(F.Skin());
    E = F.Engine();
  }
  // Opens the edit's context menu, and answers its entries (caption ->
  // enabled) as they were while it showed; empty when no skinned menu
  // showed.
  std::map<std::wstring, bool> Open() {
    std::map<std::wstring, bool> seen;
    RECT r;
    GetWindowRect(Wnd, &r);
    DriveMenus(
        [&] {
          SendMessageW(Wnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Wnd),
                       MAKELPARAM(r.left + 10, r.bottom + 4));
        },
        [&](int) {
          if (!E->EditMenu || OpenMenus().front() != E->EditMenu->HandleIfMade()) return false;
          TMenuItem& items = E->EditMenu->Items();
          for (int i = 0; i < items.Count(); ++i)
            if (!items.Items(i)->IsLine())
              seen[items.Items(i)->Caption()] = items.Items(i)->Enabled();
          return true;
        });
    return seen;
  }
  // The entry of the last menu shown with that caption.
  TMenuItem* Entry(const std::wstring& caption) {
    TMenuItem& items = E->EditMenu->Items();
    for (int i = 0; i < items.Count(); ++i)
      if (items.Items(i)->Caption() == caption) return items.Items(i);
    return nullptr;
  }
  TPointerAside Aside;
  TSkinnedForm F{MenusSpec(false)};
  TEdit* Edit = nullptr;
  HWND Wnd = nullptr;
  TWinSkinForm* E = nullptr;
};

TEST_F(EditContextMenu, EntriesFollowSelectionStylesAndClipboard) {
  struct TRow {
    const char* Name;
    const wchar_t* Text;
    int From, To; // the selection
    bool ReadOnly, Password;
    const wchar_t* Clip;
    // Undo, Cut, Copy, Paste, Delete, Select All
    bool Expected[6];
  };
  const TRow rows[] = {
      {"nothing selected",
       L"hello world",
       0,
       0,
       false,
       false,
       nullptr,
       {false, false, false, false, false, true}},
      {"a word selected, text to paste",
       L"hello world",
       0,
       5,
       false,
       false,
       L"clip",
       {false, true, true, true, true, true}},
      {"all selected",
       L"hello world",
       0,
       -1,
       false,
       false,
       nullptr,
       {false, true, true, false, true, false}},
      {"read-only",
       L"hello world",
       0,
       5,
       true,
       false,
       L"clip",
       {false, false, true, false, false, true}},
      {"password",
       L"hello world",
       0,
       5,
       false,
       true,
       L"clip",
       {false, false, false, true, true, true}},
      {"empty", L"", 0, 0, false, false, nullptr, {false, false, false, false, false, false}},
  };
  const wchar_t* names[] = {L"&Undo", L"Cu&t", L"&Copy", L"&Paste", L"&Delete", L"Select &All"};
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Name);
    SetWindowTextW(Wnd, r.Text);
    SendMessageW(Wnd, EM_EMPTYUNDOBUFFER, 0, 0);
    Edit->SetReadOnly(r.ReadOnly);
    SendMessageW(Wnd, EM_SETPASSWORDCHAR, r.Password ? L'*' : 0, 0);
    SetClipboard(r.Clip);
    SendMessageW(Wnd, EM_SETSEL, r.From, r.To);
    const std::map<std::wstring, bool> seen = Open();
    ASSERT_EQ(seen.size(), 6u);
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(seen.at(names[i]), r.Expected[i])
          << std::string(names[i], names[i] + wcslen(names[i]));
  }
  Edit->SetReadOnly(false);
  SendMessageW(Wnd, EM_SETPASSWORDCHAR, 0, 0);
  // After a change there is something to undo.
  SetWindowTextW(Wnd, L"abc");
  SendMessageW(Wnd, EM_SETSEL, 3, 3);
  SendMessageW(Wnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"d"));
  EXPECT_TRUE(Open().at(L"&Undo"));
}

TEST_F(EditContextMenu, EachEntryDoesWhatItSays) {
  SetClipboard(nullptr);
  SendMessageW(Wnd, EM_SETSEL, 0, 5);
  ASSERT_FALSE(Open().empty());
  Entry(L"&Copy")->Click();
  EXPECT_EQ(Clipboard(), L"hello");
  EXPECT_EQ(TextOf(Wnd), L"hello world");

  SendMessageW(Wnd, EM_SETSEL, 5, 11);
  ASSERT_FALSE(Open().empty());
  Entry(L"Cu&t")->Click();
  EXPECT_EQ(Clipboard(), L" world");
  EXPECT_EQ(TextOf(Wnd), L"hello");

  SendMessageW(Wnd, EM_SETSEL, 0, 0);
  ASSERT_FALSE(Open().empty());
  Entry(L"&Paste")->Click();
  EXPECT_EQ(TextOf(Wnd), L" worldhello");

  ASSERT_FALSE(Open().empty());
  Entry(L"&Undo")->Click();
  EXPECT_EQ(TextOf(Wnd), L"hello");

  SendMessageW(Wnd, EM_SETSEL, 1, 3);
  ASSERT_FALSE(Open().empty());
  Entry(L"&Delete")->Click();
  EXPECT_EQ(TextOf(Wnd), L"hlo");

  SendMessageW(Wnd, EM_SETSEL, 1, 1);
  ASSERT_FALSE(Open().empty());
  Entry(L"Select &All")->Click();
  DWORD from = 9, to = 9;
  SendMessageW(Wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 3u);
}

TEST_F(EditContextMenu, AnEditWithAMenuOfItsOwnKeepsIt) {
  auto* own = new TPopupMenu(F.Form);
  auto* item = new TMenuItem(F.Form);
  item->SetCaption(L"Program's own");
  own->Items().Add(item);
  Edit->SetPopupMenu(own);
  delete E->EditMenu;
  E->EditMenu = nullptr;
  HMENU shown = nullptr;
  RECT r;
  GetWindowRect(Wnd, &r);
  const TMenuDrive d = DriveMenus(
      [&] {
        SendMessageW(Wnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Wnd),
                     MAKELPARAM(r.left + 10, r.bottom + 4));
      },
      [&](int) {
        shown = OpenMenus().front();
        return true;
      });
  EXPECT_TRUE(d.Done);
  EXPECT_EQ(shown, own->HandleIfMade());
  EXPECT_EQ(E->EditMenu, nullptr);
}

} // namespace
} // namespace enginetest
