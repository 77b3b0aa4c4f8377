#pragma once
// The real main window, loaded from the program's stored description and
// shown, driven through its windows as a user would.

#include "app/Unit_main.h"
#include "support/DropFiles.h"
#include "support/WinTestUtil.h"

#include <gtest/gtest.h>

class MainWindowTest : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Drops the paths on the drop panel, as the shell does.
  void Drop(const std::vector<std::wstring>& paths);
  // Picks a mode in the combo box the way its list does (selection, then the
  // notification to its parent).
  void ChooseMode(int index);
  // Types into the combo box's text field.
  void TypeModeText(const std::wstring& text);
  void SetParams(const std::wstring& p1, const std::wstring& p2);
  void PressButton();
  std::vector<std::wstring> ListItems();
  void Pump() { Application->ProcessMessages(); }

  TForm_main* Form = nullptr;
  // Errors the application would show, captured instead of a message box.
  std::vector<std::wstring> Errors;

private:
  void CaptureError(TObject*, const std::exception& e);
  struct TErrorSink : TObject {
    MainWindowTest* Owner = nullptr;
    void Capture(TObject* s, const std::exception& e) { Owner->CaptureError(s, e); }
  } FSink;
};
