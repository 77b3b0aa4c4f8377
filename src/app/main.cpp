// Start-up: the framework, the main window from its stored description, and
// the message loop until the main window closes.
#include "app/Unit_main.h"
#include "skin/controls/SkinManager.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int exitCode = 0;
  try {
    InitFramework();
    // The skin manager must be known before the main form's skin data loads.
    InitSkinEngine();
    RegisterMainFormClasses();
    Application->Initialize();
    Application->CreateForm(Form_main);
    Application->Run();
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, ExceptionMessage(e).c_str(), L"BatchRename", MB_OK | MB_ICONSTOP);
    exitCode = 1;
  }
  DoneFramework();
  DoneSkinEngine();
  return exitCode;
}
