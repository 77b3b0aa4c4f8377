#include "MainWindowFixture.h"

namespace {

class TAppEnvironment : public testing::Environment {
public:
  void SetUp() override {
    InitFramework();
    RegisterMainFormClasses();
    Application->Initialize();
  }
  void TearDown() override { DoneFramework(); }
};

[[maybe_unused]] testing::Environment* const gEnvironment =
    testing::AddGlobalTestEnvironment(new TAppEnvironment);

} // namespace

void MainWindowTest::SetUp() {
  FSink.Owner = this;
  Application->OnException = TExceptionEvent(&FSink, &TErrorSink::Capture);
  Form = new TForm_main(Application);
  Form->InitializeForm();
  Form->Show();
  Pump();
}

void MainWindowTest::TearDown() {
  delete Form;
  Form = nullptr;
  Application->OnException = nullptr;
  Pump();
}

void MainWindowTest::CaptureError(TObject*, const std::exception& e) {
  Errors.push_back(ExceptionMessage(e));
}

void MainWindowTest::Drop(const std::vector<std::wstring>& paths) {
  SendMessageW(Form->AIFileDropPan1->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(testutil::MakeDrop(paths)), 0);
}

void MainWindowTest::ChooseMode(int index) {
  HWND combo = Form->ComboBox1->Handle();
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

void MainWindowTest::TypeModeText(const std::wstring& text) {
  HWND edit = Form->ComboBox1->EditHandle();
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : text)
    SendMessageW(edit, WM_CHAR, c, 1);
}

void MainWindowTest::SetParams(const std::wstring& p1, const std::wstring& p2) {
  SetWindowTextW(Form->Edit1->Handle(), p1.c_str());
  SetWindowTextW(Form->Edit2->Handle(), p2.c_str());
}

void MainWindowTest::PressButton() {
  SendMessageW(Form->Button1->Handle(), BM_CLICK, 0, 0);
}

std::vector<std::wstring> MainWindowTest::ListItems() {
  return Form->ListBox1->Items().ToVector();
}
