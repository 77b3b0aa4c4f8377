// skinview [SKINFILE]: shows every control kind of the framework skinned
// with the skin archive SKINFILE, or with the program's own skin.
#include "PreviewForm.h"
#include "skin/controls/SkinManager.h"

#include <windows.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring path = argc > 1 ? argv[1] : L"";
  LocalFree(argv);
  int exitCode = 0;
  try {
    InitFramework();
    InitSkinEngine();
    RegisterPreviewClasses();
    Application->Initialize();
    TPreviewForm* form = nullptr;
    Application->CreateForm(form);
    if (!form->LoadSkin(path)) {
      MessageBoxW(nullptr, (L"Cannot read the skin " + path).c_str(), L"skinview",
                  MB_OK | MB_ICONSTOP);
      exitCode = 1;
    } else {
      Application->Run();
    }
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, ExceptionMessage(e).c_str(), L"skinview", MB_OK | MB_ICONSTOP);
    exitCode = 1;
  }
  DoneFramework();
  DoneSkinEngine();
  return exitCode;
}
