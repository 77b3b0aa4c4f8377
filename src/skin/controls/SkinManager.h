#pragma once
// The skin manager: the one process-wide coordinator of the skin engine.
// It watches window creation, activation and destruction on the
// user-interface thread (a WH_CBT hook), decides which windows are skinned
// and by which skin data component, gives each skinned window a form engine
// and each popup-menu window a popup painter, and carries out the skin data
// components' commands from a one-shot timer.

#include "fw/ExtCtrls.h"
#include "fw/Forms.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/data/WinSkinData.h"

#include <vector>

class TWinSkinForm;
class TWinSkinPopMenu;

// Values set once when the skin engine starts.
struct TSkinProcessValues {
  HINSTANCE ModuleInstance = nullptr;
  bool IsWinNT = true;
  bool IsNotVista = true; // the major version is not 6
  ATOM ControlAtom = 0;
};
const TSkinProcessValues& SkinProcess();

class TSkinManage : public TObject, public ISkinManager {
public:
  TSkinManage();
  ~TSkinManage() override;
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // --- Fields, in the order the manager keeps them
  TTimer* Timer = nullptr; // owned
  std::vector<TWinSkinForm*> FormEngines;
  std::vector<TWinSkinPopMenu*> PopupMenus; // owned
  std::vector<TSkinData*> SkinDatas;
  bool FEnabled = false;
  bool InitialSweep = false;
  int FState = 0;    // 0 not started, 1 running, 4 shutting down
  int PopupKind = 0; // 0 context menu, 1 menu-bar drop-down, 2 system menu
  bool MenuBarPopup = false;
  bool MdiMaximized = false;
  bool MdiLayoutPending = false;
  HWND MdiClientWindow = nullptr;
  TControl* MdiMainForm = nullptr;
  int Command = 0; // 1 apply, 2 remove, 3 skin changed
  TSkinData* CommandSkinData = nullptr;
  TSkinData* MainSkinData = nullptr;
  HHOOK CbtHook = nullptr;

  // --- What the skin data components ask (ISkinManager)
  void AddSkinData(TSkinData* sd) override;
  void RemoveSkinData(TSkinData* sd) override;
  void InstallHook() override;
  void PostCommand(int command, int delayMs) override;
  void SetCommandSkinData(TSkinData* sd) override { CommandSkinData = sd; }
  void RefreshFormsOfSkin() override;
  bool SkinWindow(HWND wnd) override;
  bool Enabled() const override { return FEnabled; }
  void SetEnabled(bool v) override { FEnabled = v; }
  int State() const override { return FState; }
  void SetState(int v) override { FState = v; }

  // --- Windows and engines
  TSkinData* FindSkinData(HWND wnd);
  bool CanSkinWindow(HWND wnd, const std::wstring& className);
  bool SkinForm(TCustomForm* form);
  static bool IsMdiClientChild(HWND wnd);
  TWinSkinForm* FindFormEngine(HWND wnd) const;
  // The engine's window went (or the engine): the list forgets it.
  void DetachFormEngine(HWND wnd);
  void DetachFormEngine(TWinSkinForm* engine);
  void PurgeFormEngines();
  void ReleaseFormEngines();
  TCustomForm* FindFrameworkForm(HWND wnd) const;
  void ExecuteCommand(TObject* sender);

  // --- Popup menus
  void AttachPopupMenu(HWND wnd);
  bool ReleasePopupMenu(HWND wnd);
  bool IsPopupMenuSkinned(HWND wnd) const;
  void MarkPopupsFromMenuBar();
  void SetPopupMenuHandle(HMENU menu);
  Bitmap* FindPopupBitmap(HMENU menu) const;

  void SetMdiMaximized(bool value);

  // The hook's events, as the hook procedure delivers them (tests drive
  // them directly too).
  void WindowCreated(HWND wnd, const CREATESTRUCTW& cs);
  void WindowDestroying(HWND wnd);
  void WindowActivating(HWND wnd);

private:
  void ExecuteForOneForm(int command, TSkinData* sd);
  void ExecuteForAll(int command, TSkinData* sd);
  void UnskinAndFree(TWinSkinForm* engine);
};

// The manager as the skin engine sees it: null before the first skin data
// component loaded and after shut-down.
TSkinManage* SkinManagerObject();

// Makes the skin engine known to the skin data components; call once at
// start-up, before any form is read. DoneSkinEngine frees the manager.
void InitSkinEngine();
void DoneSkinEngine();

// The hook procedure only forwards from shut-down on.
extern bool HookDisabled;
