#include "FwTestUtil.h"

#include "FwTestClasses.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fwtest {

void Pump() {
  Application->ProcessMessages();
}

std::unique_ptr<TForm> MakeForm(int left, int top, int width, int height, bool show) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBounds(left, top, width, height);
  if (show) {
    form->Show();
    Pump();
  }
  return form;
}

std::vector<TCustomForm*> ScreenForms() {
  std::vector<TCustomForm*> forms;
  for (int i = 0; i < Screen->FormCount(); ++i)
    forms.push_back(Screen->Forms(i));
  return forms;
}

namespace {

// A callback of the system's calling convention (a lambda is not one on
// 32-bit Windows).
BOOL CALLBACK CollectWindow(HWND wnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
  return TRUE;
}

} // namespace

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  std::sort(windows.begin(), windows.end());
  return windows;
}

TMenuItem* AddItem(TMenuItem& parent, const std::wstring& caption) {
  auto* item = new TMenuItem(parent.Owner());
  item->SetCaption(caption);
  parent.Add(item);
  return item;
}

TMenuItem* AddItem(TMenu& menu, const std::wstring& caption) {
  auto* item = new TMenuItem(menu.Owner());
  item->SetCaption(caption);
  menu.Items().Add(item);
  return item;
}

std::wstring MenuText(HMENU menu, int position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return text;
}

void TMessageLog::Attach(TControl* control) {
  FHook.Install(control, TWndMethod(this, &TMessageLog::Hook));
}

void TMessageLog::Detach() {
  FHook.Remove();
}

void TMessageLog::Hook(TMessage& msg) {
  Messages.push_back(msg.Msg);
  FHook.CallPrevious(msg);
}

bool TMessageLog::Saw(UINT msg) const {
  return Count(msg) > 0;
}

int TMessageLog::Count(UINT msg) const {
  return static_cast<int>(std::count(Messages.begin(), Messages.end(), msg));
}

std::vector<UINT> TMessageLog::Only(UINT first, UINT last) const {
  std::vector<UINT> out;
  for (UINT m : Messages)
    if (m >= first && m <= last) out.push_back(m);
  return out;
}

TErrorLog::TErrorLog() : FSaved(Application->OnException) {
  Application->OnException = TExceptionEvent(this, &TErrorLog::Handle);
}

TErrorLog::~TErrorLog() {
  Application->OnException = FSaved;
}

void TErrorLog::Handle(TObject*, const std::exception& e) {
  Messages.push_back(e.what());
}

namespace {

// An error that reaches the application without a test expecting it fails
// the running test instead of opening a message box nobody closes.
class TUnexpectedErrors : public TObject {
public:
  void Handle(TObject*, const std::exception& e) {
    ADD_FAILURE() << "unexpected error in a message handler: " << e.what();
  }
};

TUnexpectedErrors gUnexpectedErrors;

class TFrameworkEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    RestartFramework();
    RegisterTestClasses();
  }
  void TearDown() override { DoneFramework(); }
};

[[maybe_unused]] ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new TFrameworkEnvironment);

} // namespace

void RestartFramework() {
  InitFramework();
  Application->OnException = TExceptionEvent(&gUnexpectedErrors, &TUnexpectedErrors::Handle);
}

} // namespace fwtest
