// Start-up: the framework, the main window from its stored description, and
// the message loop until the main window closes.
#include "app/Unit_main.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int exitCode = 0;
  try {
    InitFramework();
    RegisterMainFormClasses();
    Application->Initialize();
    Application->CreateForm(Form_main);
    Application->Run();
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, ExceptionMessage(e).c_str(), L"BatchRename", MB_OK | MB_ICONSTOP);
    exitCode = 1;
  }
  DoneFramework();
  return exitCode;
}
