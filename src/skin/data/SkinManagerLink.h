#pragma once
// What the skin data component asks of the process-wide skin manager. The
// manager implements it; until one exists (or when the program has none)
// the component does everything that needs no manager.

#include <windows.h>

class TSkinData;

class ISkinManager {
public:
  virtual ~ISkinManager() = default;
  virtual void AddSkinData(TSkinData* skinData) = 0;
  virtual void RemoveSkinData(TSkinData* skinData) = 0;
  virtual void InstallHook() = 0;
  // Commands: 1 apply, 2 remove, 3 skin changed; carried out after delayMs.
  virtual void PostCommand(int command, int delayMs) = 0;
  virtual void SetCommandSkinData(TSkinData* skinData) = 0;
  virtual void RefreshFormsOfSkin() = 0;
  virtual bool SkinWindow(HWND wnd) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual int State() const = 0;
  virtual void SetState(int state) = 0;
};

// The manager, or null when there is none yet.
ISkinManager* SkinManager();
// Makes the manager through the factory its module registered; null when no
// manager module is in the program.
ISkinManager* CreateSkinManager();
using TSkinManagerFactory = ISkinManager* (*)();
void RegisterSkinManagerFactory(TSkinManagerFactory factory);
// Frees the manager (at shut-down).
void FreeSkinManager();
