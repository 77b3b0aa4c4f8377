#pragma once
// What the benchmarks over skinned windows share: the message pump, the
// wait for a window's form engine, and the program's main window started
// as the program starts it.

#include "BenchUtil.h"
#include "app/Unit_main.h"
#include "skin/controls/SkinManager.h"
#include "skin/form/WinSkinForm.h"

namespace benchutil {

inline void Pump() {
  Application->ProcessMessages();
}

// The window's engine once it has started, or null after about five seconds.
inline TWinSkinForm* WaitForEngine(HWND form) {
  for (int i = 0; i < 500; ++i) {
    Pump();
    TSkinManage* m = SkinManagerObject();
    if (TWinSkinForm* e = m ? m->FindFormEngine(form) : nullptr; e && e->EngineState == 1) return e;
    Sleep(10);
  }
  return nullptr;
}

// The main window made and shown; the manager skins it on its first
// activation.
inline void StartMainWindow() {
  InitFramework();
  InitSkinEngine();
  RegisterMainFormClasses();
  Application->Initialize();
  Application->CreateForm(Form_main);
  Form_main->Show();
}

} // namespace benchutil
