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

void TMessageLog::Attach(TControl* control) {
  Detach();
  FControl = control;
  FSaved = control->WindowProc;
  control->WindowProc = TWndMethod(this, &TMessageLog::Hook);
}

void TMessageLog::Detach() {
  if (!FControl) return;
  FControl->WindowProc = FSaved;
  FControl = nullptr;
}

void TMessageLog::Hook(TMessage& msg) {
  Messages.push_back(msg.Msg);
  FSaved(msg);
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

class TFrameworkEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    InitFramework();
    RegisterTestClasses();
    Application->OnException = TExceptionEvent(&FErrors, &TUnexpectedErrors::Handle);
  }
  void TearDown() override { DoneFramework(); }

private:
  TUnexpectedErrors FErrors;
};

[[maybe_unused]] ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new TFrameworkEnvironment);

} // namespace

} // namespace fwtest
