#include <gtest/gtest.h>

#include "FwTestClasses.h"
#include "FwTestUtil.h"
#include "core/Convert.h"
#include "support/MessageSequence.h"

#include <algorithm>
#include <cstdio>

namespace fwtest {
namespace {

TEST(FrameworkMessages, NumbersTheSkinEngineRelieson) {
  struct {
    UINT Value, Expected;
  } cases[] = {
      {CM_DIALOGKEY, 0xB005},      {CM_DIALOGCHAR, 0xB006},           {CM_FOCUSCHANGED, 0xB007},
      {CM_VISIBLECHANGED, 0xB00B}, {CM_ENABLEDCHANGED, 0xB00C},       {CM_MOUSEENTER, 0xB013},
      {CM_MOUSELEAVE, 0xB014},     {CM_MENUCHANGED, 0xB015},          {CM_RECREATEWND, 0xB033},
      {CN_BASE, 0xBC00},           {CN_COMMAND, 0xBC00 + WM_COMMAND},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.Value, c.Expected) << std::hex << c.Expected;
}

TEST(ControlProperty, NameIsModuleAndThreadInHex) {
  wchar_t expected[64];
  swprintf(
      expected, 64, L"ControlOfs%08llX%08lX",
      static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(GetModuleHandleW(nullptr))),
      static_cast<unsigned long>(GetCurrentThreadId()));
  EXPECT_STREQ(ControlAtomName(), expected);
  const std::wstring name = ControlAtomName();
  ASSERT_GE(name.size(), 26u);
  for (wchar_t c : name.substr(10))
    EXPECT_TRUE((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F')) << name;
  wchar_t atomText[64] = {};
  ASSERT_NE(ControlAtom(), 0);
  GlobalGetAtomNameW(ControlAtom(), atomText, 64);
  EXPECT_STREQ(atomText, expected);
}

TEST(ControlProperty, AtomIsGivenBackWhenTheFrameworkShutsDown) {
  ASSERT_NE(ControlAtom(), 0);
  EXPECT_NE(GlobalFindAtomW(ControlAtomName()), 0);
  DoneFramework();
  EXPECT_EQ(GlobalFindAtomW(ControlAtomName()), 0);
  RestartFramework(); // the rest of the tests need it
  EXPECT_NE(ControlAtom(), 0);
  auto form = MakeForm(50, 50, 100, 100, false);
  EXPECT_EQ(TWinControl::FromHandle(form->Handle()), form.get());
}

TEST(ControlProperty, EveryFrameworkWindowCarriesItsControl) {
  auto form = MakeForm(50, 50, 400, 300, false);
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  auto* group = new TGroupBox(form.get());
  group->SetParent(panel);
  TWinControl* controls[] = {form.get(),
                             panel,
                             group,
                             new TButton(form.get()),
                             new TEdit(form.get()),
                             new TListBox(form.get()),
                             new TComboBox(form.get())};
  for (int i = 3; i < 7; ++i)
    controls[i]->SetParent(group);
  for (TWinControl* c : controls) {
    HWND wnd = c->Handle();
    ASSERT_TRUE(IsWindow(wnd)) << c->ClassName();
    // Found by the property's name as well as by its atom: other code only
    // knows the name.
    EXPECT_EQ(GetPropW(wnd, ControlAtomName()), c) << c->ClassName();
    EXPECT_EQ(TWinControl::FromHandle(wnd), c) << c->ClassName();
    EXPECT_EQ(TWinControl::FindOwningControl(wnd), c) << c->ClassName();
  }
  EXPECT_EQ(TWinControl::FromHandle(nullptr), nullptr);
  EXPECT_EQ(TWinControl::FromHandle(GetDesktopWindow()), nullptr);

  // The edit inside a drop-down combo box is the system's: it has no control
  // of its own but leads to the combo box.
  auto* combo = static_cast<TComboBox*>(controls[6]);
  HWND inner = combo->EditHandle();
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(TWinControl::FromHandle(inner), nullptr);
  EXPECT_EQ(TWinControl::FindOwningControl(inner), combo);
}

TEST(ControlProperty, FollowsTheWindowWhenItIsMadeAgain) {
  auto form = MakeForm(50, 50, 300, 200, false);
  auto* combo = new TComboBox(form.get());
  combo->SetParent(form.get());
  combo->Items().Add(L"a");
  combo->Items().Add(L"b");
  combo->SetItemIndex(1);
  HWND old = combo->Handle();
  combo->SetStyle(csDropDownList); // a style the window cannot change: made again
  HWND made = combo->Handle();
  EXPECT_NE(made, old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(GetPropW(made, ControlAtomName()), combo);
  EXPECT_EQ(combo->Items().Count(), 2); // lines and choice survive
  EXPECT_EQ(combo->ItemIndex(), 1);

  HWND buttonWnd;
  {
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    buttonWnd = button->Handle();
    delete button;
  }
  EXPECT_FALSE(IsWindow(buttonWnd));
  EXPECT_EQ(TWinControl::FromHandle(buttonWnd), nullptr);
}

TEST(ControlProperty, ParentMadeAgainKeepsWhatItsChildrenHeld) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  auto* edit = new TEdit(form.get());
  edit->SetParent(panel);
  auto* list = new TListBox(form.get());
  list->SetParent(panel);
  auto* combo = new TComboBox(form.get());
  combo->SetParent(form.get());
  combo->Items().Add(L"p");
  combo->Items().Add(L"q");
  // State that lives only in the windows so far.
  SetWindowTextW(edit->Handle(), L"typed");
  SendMessageW(list->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"line"));
  SendMessageW(combo->Handle(), CB_SETCURSEL, 1, 0);
  HWND oldEdit = edit->Handle();

  form->SetBorderStyle(bsDialog); // the form's window is made again, and its children's
  EXPECT_NE(edit->Handle(), oldEdit);
  EXPECT_EQ(TWinControl::FromHandle(edit->Handle()), edit);
  EXPECT_EQ(GetParent(GetParent(edit->Handle())), form->Handle());
  EXPECT_EQ(edit->Text(), L"typed");
  EXPECT_EQ(list->Items().ToVector(), std::vector<std::wstring>{L"line"});
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Items().Count(), 2);

  form->DestroyHandle();
  EXPECT_EQ(edit->Text(), L"typed");
  EXPECT_EQ(list->Items().Count(), 1);
  EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST(WindowProcChain, RecorderInFrontSeesAndRestores) {
  auto form = MakeForm(50, 50, 300, 200, false);
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  HWND wnd = edit->Handle();

  const TWndMethod original = edit->WindowProc.Front();
  TMessageLog outer, inner;
  inner.Attach(edit);
  outer.Attach(edit);
  SendMessageW(wnd, WM_APP + 1, 0, 0);
  SendMessageW(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"chained"));
  EXPECT_EQ(outer.Only(WM_APP, WM_APP + 10), std::vector<UINT>{WM_APP + 1});
  EXPECT_EQ(inner.Only(WM_APP, WM_APP + 10), std::vector<UINT>{WM_APP + 1});
  EXPECT_TRUE(outer.Saw(WM_SETTEXT));
  EXPECT_EQ(edit->Text(), L"chained"); // the control's own handling still ran
  edit->Perform(WM_APP + 2);           // Perform goes through the hook too
  EXPECT_TRUE(inner.Saw(WM_APP + 2));

  outer.Detach();
  outer.Messages.clear();
  inner.Messages.clear();
  SendMessageW(wnd, WM_APP + 3, 0, 0);
  EXPECT_TRUE(outer.Messages.empty());
  EXPECT_TRUE(inner.Saw(WM_APP + 3));

  inner.Detach();
  EXPECT_TRUE(edit->WindowProc.Front() == original);
  EXPECT_TRUE(edit->WindowProc.Empty());
  inner.Messages.clear();
  SendMessageW(wnd, WM_APP + 4, 0, 0);
  EXPECT_TRUE(inner.Messages.empty());
}

TEST(WindowProcChain, SequenceOfWindowCreationAndDestruction) {
  auto form = MakeForm(50, 50, 300, 200, false);
  form->HandleNeeded();
  auto* button = new TButton(form.get());
  TMessageLog log;
  log.Attach(button);
  button->SetParent(form.get()); // the window is made now: the hook sees it happen
  EXPECT_TRUE(log.Saw(WM_NCCREATE));
  EXPECT_TRUE(log.Saw(WM_CREATE));
  EXPECT_LT(std::find(log.Messages.begin(), log.Messages.end(), WM_NCCREATE),
            std::find(log.Messages.begin(), log.Messages.end(), WM_CREATE));
  EXPECT_TRUE(log.Saw(WM_SETFONT));
  log.Messages.clear();
  button->DestroyHandle();
  ASSERT_FALSE(log.Messages.empty());
  EXPECT_EQ(log.Messages.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_TRUE(log.Saw(WM_DESTROY));
  log.Detach();
}

class TClickCounter : public TObject {
public:
  void Clicked(TObject* sender) {
    ++Clicks;
    Sender = sender;
  }
  void Changed(TObject* sender) {
    ++Changes;
    Sender = sender;
    if (auto* combo = As<TComboBox>(sender)) {
      IndexAtChange = combo->ItemIndex();
      TextAtChange = combo->Text();
    }
  }
  void Fail(TObject*) { throw std::runtime_error("handler failed"); }
  void FailOddly(TObject*) { throw 42; }
  int Clicks = 0, Changes = 0, IndexAtChange = -2;
  std::wstring TextAtChange;
  TObject* Sender = nullptr;
};

TEST(ZOrder, BringToFrontAndSendToBackOnlyRestack) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* first = new TPanel(form.get());
  first->SetParent(form.get());
  auto* second = new TPanel(form.get());
  second->SetParent(form.get());
  HWND wnd = first->Handle();
  msgseq::TRecorder someonesSubclass;
  someonesSubclass.Watch(wnd);
  const LONG_PTR subclass = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  SetPropW(wnd, L"SomeoneElses", reinterpret_cast<HANDLE>(7));
  const std::vector<TWinControl*> tabOrder = form->TabList();

  first->BringToFront();
  EXPECT_EQ(first->Handle(), wnd);
  EXPECT_TRUE(msgseq::Matches(someonesSubclass.Only(WM_NCDESTROY, WM_NCDESTROY), {}));
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), subclass);
  EXPECT_EQ(GetPropW(wnd, L"SomeoneElses"), reinterpret_cast<HANDLE>(7));
  EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), wnd); // topmost child
  EXPECT_EQ(form->Controls(form->ControlCount() - 1), first);
  EXPECT_EQ(form->TabList(), tabOrder);

  first->SendToBack();
  EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), second->Handle());
  EXPECT_EQ(GetWindow(wnd, GW_HWNDNEXT), nullptr); // the bottom one
  EXPECT_EQ(form->Controls(0), first);
  EXPECT_EQ(form->TabList(), tabOrder);
  RemovePropW(wnd, L"SomeoneElses");
}

// Answers WM_NCCALCSIZE as a skin does: a frame of 7, 30, 7, 7 pixels.
LRESULT CALLBACK SkinLikeFrame(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto old = reinterpret_cast<WNDPROC>(GetPropW(wnd, L"OldProc"));
  if (msg == WM_NCCALCSIZE) {
    RECT* r = reinterpret_cast<RECT*>(lParam);
    r->left += 7;
    r->top += 30;
    r->right -= 7;
    r->bottom -= 7;
    return 0;
  }
  return CallWindowProcW(old, wnd, msg, wParam, lParam);
}

TEST(ClientSize, FollowsWhateverFrameTheWindowHas) {
  auto form = MakeForm(50, 50, 400, 300, true);
  HWND wnd = form->Handle();
  SetPropW(wnd, L"OldProc", reinterpret_cast<HANDLE>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)));
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinLikeFrame));
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  form->SetClientSize(300, 200);
  RECT client, window;
  GetClientRect(wnd, &client);
  GetWindowRect(wnd, &window);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  EXPECT_EQ(window.right - window.left, 314);
  EXPECT_EQ(window.bottom - window.top, 237);
  EXPECT_EQ(form->ClientWidth(), 300);
  EXPECT_EQ(form->ClientHeight(), 200);
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetPropW(wnd, L"OldProc")));
  RemovePropW(wnd, L"OldProc");

  // Without a window the system's frame for the form's style is assumed.
  auto later = MakeForm(50, 50, 400, 300, false);
  later->SetClientSize(300, 200);
  EXPECT_EQ(later->ClientWidth(), 300);
  EXPECT_EQ(later->ClientHeight(), 200);
  later->HandleNeeded();
  GetClientRect(later->Handle(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
}

TEST(ReflectedNotifications, ButtonClickArrivesThroughItsParent) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  auto* button = new TButton(form.get());
  button->SetParent(panel);
  TClickCounter counter;
  button->OnClick = TNotifyEvent(&counter, &TClickCounter::Clicked);
  TMessageLog log, parentLog;
  log.Attach(button);
  parentLog.Attach(panel);
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(counter.Clicks, 1);
  EXPECT_EQ(counter.Sender, button);
  // The button's release tells the parent, which hands the notice back.
  std::vector<UINT> seen;
  for (UINT m : log.Messages)
    if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == CN_COMMAND) seen.push_back(m);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, CN_COMMAND}));
  EXPECT_EQ(log.Count(CN_COMMAND), 1);
  EXPECT_EQ(parentLog.Count(WM_COMMAND), 1);
  EXPECT_FALSE(parentLog.Saw(CN_COMMAND));
  parentLog.Detach();

  // The reflected message carries the original notification.
  log.Messages.clear();
  SendMessageW(panel->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
               reinterpret_cast<LPARAM>(button->Handle()));
  EXPECT_EQ(counter.Clicks, 2);
  EXPECT_EQ(log.Messages, std::vector<UINT>{CN_COMMAND});
  log.Detach();
}

TEST(ReflectedNotifications, EditChangeReachesOnChange) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  TClickCounter counter;
  edit->OnChange = TNotifyEvent(&counter, &TClickCounter::Changed);
  SendMessageW(edit->Handle(), WM_CHAR, 'a', 1);
  SendMessageW(edit->Handle(), WM_CHAR, 'b', 1);
  EXPECT_EQ(counter.Changes, 2);
  EXPECT_EQ(counter.Sender, edit);
  EXPECT_EQ(edit->Text(), L"ab");
  edit->SetText(L"set");
  EXPECT_EQ(counter.Changes, 3);
}

TEST(ReflectedNotifications, ComboSelectionAndTyping) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* combo = new TComboBox(form.get());
  combo->SetParent(form.get());
  for (const wchar_t* item : {L"first", L"second", L"third"})
    combo->Items().Add(item);
  TClickCounter counter;
  combo->OnChange = TNotifyEvent(&counter, &TClickCounter::Changed);

  HWND wnd = combo->Handle();
  SendMessageW(wnd, CB_SETCURSEL, 1, 0); // selects without a notification
  EXPECT_EQ(counter.Changes, 0);
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(wnd));
  EXPECT_EQ(counter.Changes, 1);
  EXPECT_EQ(counter.IndexAtChange, 1);
  EXPECT_EQ(counter.TextAtChange, L"second"); // the text follows before handlers run

  HWND inner = combo->EditHandle();
  ASSERT_NE(inner, nullptr);
  SendMessageW(inner, EM_SETSEL, 0, -1);
  SendMessageW(inner, WM_CHAR, 'x', 1); // replaces the whole text
  EXPECT_EQ(counter.Changes, 2);
  EXPECT_EQ(combo->ItemIndex(), -1); // typed text is no item
  EXPECT_EQ(counter.IndexAtChange, -1);
  EXPECT_EQ(combo->Text(), L"x");
}

TEST(ReflectedNotifications, WindowsOutsideTheFrameworkAreLeftAlone) {
  auto form = MakeForm(50, 50, 300, 200, true);
  HWND plain = CreateWindowExW(0, L"BUTTON", L"plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0,
                               50, 20, form->Handle(), nullptr, nullptr, nullptr);
  ASSERT_NE(plain, nullptr);
  TMessageLog log;
  log.Attach(form.get());
  SendMessageW(plain, BM_CLICK, 0, 0);
  EXPECT_TRUE(log.Saw(WM_COMMAND)); // the form got it
  EXPECT_FALSE(log.Saw(CN_COMMAND));
  log.Detach();
  DestroyWindow(plain);
}

TEST(ApplicationErrors, HandlerErrorsReachOnException) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  TClickCounter counter;
  button->OnClick = TNotifyEvent(&counter, &TClickCounter::Fail);
  TErrorLog errors;
  SendMessageW(button->Handle(), BM_CLICK, 0, 0); // the error must not cross the window
  Pump();
  EXPECT_EQ(errors.Messages, std::vector<std::string>{"handler failed"});

  // Something that is not an error object still stops at the window.
  button->OnClick = TNotifyEvent(&counter, &TClickCounter::FailOddly);
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(errors.Messages.size(), 2u);
  EXPECT_EQ(errors.Messages[1], "Unknown error");

  Application->HandleException(std::runtime_error("direct"));
  EXPECT_EQ(errors.Messages.back(), "direct");
  EXPECT_TRUE(IsWindow(button->Handle())); // the window lives on
}

TEST(ApplicationErrors, OnCreateErrorIsReportedAndTheFormStays) {
  TErrorLog errors;
  TClickCounter counter;
  auto form = std::make_unique<TTestForm>(nullptr);
  form->OnCreate = TNotifyEvent(&counter, &TClickCounter::Fail);
  form->InitializeForm(); // no stored description for this class: only OnCreate
  EXPECT_EQ(errors.Messages, std::vector<std::string>{"handler failed"});
  // The form lives on: still on the screen's list, and it shows.
  EXPECT_NE(std::find(ScreenForms().begin(), ScreenForms().end(), form.get()), ScreenForms().end());
  form->Show();
  Pump();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(form->Showing());
}

TEST(ApplicationErrors, ExceptionMessageOfConversionErrors) {
  ASSERT_EQ(GetACP(), 936u) << "the tests expect the Chinese code page (LC_ALL=zh_CN.UTF-8)";
  struct {
    std::string Input;
    const wchar_t* Expected;
  } cases[] = {
      {"abc", L"'abc' 不是一个有效的整形值"},
      {"\xD6\xD0\xCE\xC4", L"'中文' 不是一个有效的整形值"}, // the argument is GBK
      {"", L"'' 不是一个有效的整形值"},
      {"%s", L"'%s' 不是一个有效的整形值"}, // the argument is not a pattern
  };
  for (const auto& c : cases) {
    try {
      StrToInt(c.Input);
      ADD_FAILURE() << "converted: " << c.Input;
    } catch (const EConvertError& e) {
      EXPECT_EQ(ExceptionMessage(e), c.Expected);
    }
  }
  EXPECT_EQ(ExceptionMessage(std::runtime_error("plain")), L"plain");
  EXPECT_EQ(ExceptionMessage(std::runtime_error("\xE4\xB8\xAD")), L"中"); // UTF-8 text
  EXPECT_EQ(ExceptionMessage(EConvertError("no argument here", "x")), L"no argument here");
}

// Answers the form's Alt+letter notification the way a menu bar does.
class TAccelerator : public TObject {
public:
  void Attach(TControl* c) { FHook.Install(c, TWndMethod(this, &TAccelerator::Hook)); }
  std::vector<WPARAM> Keys;

private:
  void Hook(TMessage& msg) {
    if (msg.Msg != CM_DIALOGCHAR) return FHook.CallPrevious(msg);
    Keys.push_back(msg.WParam);
    msg.Result = 1;
  }
  TWndHook FHook;
};

TEST(ApplicationMessages, AltLetterGoesToTheFormAsDialogChar) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetFocus();
  TAccelerator accelerator;
  accelerator.Attach(form.get());
  TMessageLog editLog;
  editLog.Attach(edit);
  PostMessageW(edit->Handle(), WM_SYSCHAR, 'f', 1 << 29);
  Pump();
  EXPECT_EQ(accelerator.Keys, std::vector<WPARAM>{'f'});
  EXPECT_FALSE(editLog.Saw(WM_SYSCHAR)); // handled: never dispatched
  editLog.Detach();
}

TEST(ApplicationMessages, ReturnPressesTheDefaultButton) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  button->SetDefault(true);
  TClickCounter counter;
  button->OnClick = TNotifyEvent(&counter, &TClickCounter::Clicked);
  edit->SetFocus();
  TMessageLog log;
  log.Attach(form.get());
  PostMessageW(edit->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(counter.Clicks, 1);
  EXPECT_EQ(log.Only(CM_BASE, CM_BASE + 0xFF), std::vector<UINT>{CM_DIALOGKEY});
  log.Detach();
}

} // namespace
} // namespace fwtest
