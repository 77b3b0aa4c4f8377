#include "skin/controls/SkinManager.h"

#include "fw/OsVersion.h"
#include "skin/form/PopupMenu.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>
#include <cwctype>

bool HookDisabled = false;

namespace {

int gStartCount = 0;
TSkinProcessValues gProcess;

std::wstring ClassNameOf(HWND wnd) {
  wchar_t buf[101] = {};
  GetClassNameW(wnd, buf, 101);
  return buf;
}

std::wstring Lower(std::wstring s) {
  for (auto& c : s)
    c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

bool Contains(const std::wstring& s, const wchar_t* part) {
  return s.find(part) != std::wstring::npos;
}

LRESULT CALLBACK CbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
  TSkinManage* m = SkinManagerObject();
  if (!HookDisabled && m && code >= 0) {
    HWND wnd = reinterpret_cast<HWND>(wParam);
    try {
      switch (code) {
      case HCBT_CREATEWND: {
        const auto* cbt = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        if (cbt && cbt->lpcs) m->WindowCreated(wnd, *cbt->lpcs);
        break;
      }
      case HCBT_DESTROYWND: m->WindowDestroying(wnd); break;
      case HCBT_ACTIVATE: m->WindowActivating(wnd); break;
      default: break;
      }
    } catch (...) {
      // Nothing the engine raises may stop a window being made or activated.
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

const TSkinProcessValues& SkinProcess() {
  return gProcess;
}

TSkinManage* SkinManagerObject() {
  return dynamic_cast<TSkinManage*>(SkinManager());
}

void InitSkinEngine() {
  if (gStartCount++ > 0) return;
  const TOsVersion& v = OsVersion();
  gProcess.ModuleInstance = GetModuleHandleW(nullptr);
  gProcess.IsWinNT = v.NTFamily;
  gProcess.IsNotVista = v.Major != 6;
  gProcess.ControlAtom = ControlAtom();
  HookDisabled = false;
  RegisterSkinDataClasses();
  RegisterSkinManagerFactory([]() -> ISkinManager* { return new TSkinManage; });
}

void DoneSkinEngine() {
  if (gStartCount == 0 || --gStartCount > 0) return;
  FreeSkinManager();
  RegisterSkinManagerFactory(nullptr);
}

// ---------------------------------------------------------------------------

TSkinManage::TSkinManage() {
  Timer = new TTimer(nullptr);
  Timer->SetEnabled(false);
  Timer->SetInterval(100);
  Timer->OnTimer = TNotifyEvent(this, &TSkinManage::ExecuteCommand);
}

TSkinManage::~TSkinManage() {
  FState = 4;
  FEnabled = false;
  delete Timer;
  Timer = nullptr;
  if (!FormEngines.empty()) ReleaseFormEngines();
  FormEngines.clear();
  for (TWinSkinPopMenu* p : PopupMenus) {
    p->UnhookWindow();
    delete p;
  }
  PopupMenus.clear();
  SkinDatas.clear();
  if (CbtHook) UnhookWindowsHookEx(CbtHook);
  CbtHook = nullptr;
  HookDisabled = true;
}

void TSkinManage::InstallHook() {
  if (CbtHook) return;
  CbtHook = SetWindowsHookExW(WH_CBT, CbtHookProc, nullptr, GetCurrentThreadId());
}

void TSkinManage::AddSkinData(TSkinData* sd) {
  if (std::find(SkinDatas.begin(), SkinDatas.end(), sd) == SkinDatas.end()) SkinDatas.push_back(sd);
  if (!MainSkinData && sd->SkinFormtype() == sfMainform) MainSkinData = sd;
}

void TSkinManage::RemoveSkinData(TSkinData* sd) {
  SkinDatas.erase(std::remove(SkinDatas.begin(), SkinDatas.end(), sd), SkinDatas.end());
  // Nothing may keep pointing at a component that goes. The main one is
  // then the first main-form component still there, so the filter and
  // the MDI options keep coming from a skin.
  if (MainSkinData == sd) {
    MainSkinData = nullptr;
    for (TSkinData* other : SkinDatas)
      if (other->SkinFormtype() == sfMainform) {
        MainSkinData = other;
        break;
      }
  }
  if (CommandSkinData == sd) CommandSkinData = nullptr;
}

// --- The hook's events ---------------------------------------------------------

void TSkinManage::WindowCreated(HWND wnd, const CREATESTRUCTW& cs) {
  const std::wstring cn = ClassNameOf(wnd);
  if (cn == L"ScrollBar" && (cs.style & SBS_SIZEGRIP))
    if (TWinSkinForm* engine = FindFormEngine(cs.hwndParent)) engine->SkinRawWindow(wnd);
  if (!(cs.style & WS_CHILD) && cn == L"#32768") AttachPopupMenu(wnd);
  if (cs.dwExStyle & WS_EX_MDICHILD) SkinWindow(wnd);
}

void TSkinManage::WindowDestroying(HWND wnd) {
  ReleasePopupMenu(wnd);
}

void TSkinManage::WindowActivating(HWND wnd) {
  if (FState == 0) FState = 1;
  SkinWindow(wnd);
}

// --- Which windows, which skin -----------------------------------------------

TSkinData* TSkinManage::FindSkinData(HWND wnd) {
  for (auto it = SkinDatas.rbegin(); it != SkinDatas.rend(); ++it) {
    auto* owner = As<TWinControl>((*it)->Owner());
    if ((*it)->SkinFormtype() == sfOnlyThisForm && owner && owner->HandleAllocated() &&
        owner->WindowHandle() == wnd)
      return *it;
  }
  const std::wstring cn = Lower(ClassNameOf(wnd));
  auto last = [this](TSkinFormType t) -> TSkinData* {
    for (auto it = SkinDatas.rbegin(); it != SkinDatas.rend(); ++it)
      if ((*it)->SkinFormtype() == t) return *it;
    return nullptr;
  };
  if (cn == L"tmessageform" || cn == L"#32770")
    if (TSkinData* sd = last(sfDialog)) return sd;
  if (TSkinData* sd = last(sfMainform)) return sd;
  return SkinDatas.empty() ? nullptr : SkinDatas.front();
}

bool TSkinManage::CanSkinWindow(HWND wnd, const std::wstring& className) {
  if (!MainSkinData) return true;
  bool doSkin = true;
  const std::wstring lower = Lower(className);
  if (!MainSkinData->HasOption(xoPreview) && Contains(lower, L"preview")) doSkin = false;
  if (className == L"#32770" && (GetWindowLongPtrW(wnd, GWL_STYLE) & DS_SETFOREGROUND))
    doSkin = false;
  if (lower == L"tpopupdbtreeview") doSkin = false;
  MainSkinData->FormFilter(wnd, className, doSkin);
  return doSkin;
}

bool TSkinManage::SkinForm(TCustomForm* form) {
  if (!form->Visible() || !form->HandleAllocated() ||
      (GetWindowLongPtrW(form->WindowHandle(), GWL_STYLE) & WS_CHILD))
    return true;
  return SkinWindow(form->WindowHandle());
}

bool TSkinManage::IsMdiClientChild(HWND wnd) {
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  return (style & WS_CHILD) && !(ex & WS_EX_MDICHILD) &&
         Lower(ClassNameOf(GetParent(wnd))) == L"mdiclient";
}

TCustomForm* TSkinManage::FindFrameworkForm(HWND wnd) const {
  if (Screen)
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* f = Screen->Forms(i);
      if (f->HandleAllocated() && f->WindowHandle() == wnd) return f;
    }
  return As<TCustomForm>(TWinControl::FromHandle(wnd));
}

bool TSkinManage::SkinWindow(HWND wnd) {
  if (!FEnabled || !IsWindow(wnd)) return false;
  PurgeFormEngines();
  if (SendMessageW(wnd, SKN_QUERY, 0, 0) == 1 || FindFormEngine(wnd)) return false;
  TCustomForm* form = FindFrameworkForm(wnd);
  if (!InitialSweep && IsMdiClientChild(wnd)) return false;
  const std::wstring cn = ClassNameOf(wnd);
  const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(wnd, GWLP_HINSTANCE));
  if (!form && module != gProcess.ModuleInstance && cn != L"#32770") return false;
  RECT r{};
  GetWindowRect(wnd, &r);
  if ((r.right - r.left) * (r.bottom - r.top) == 0 &&
      !(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_MDICHILD))
    return false;
  // The constant 99, whatever DisableTag says.
  if (form && form->Tag() == 99) return false;
  if (Contains(cn, L"TcxPopupEditPopupWindow") || Contains(cn, L"TTERenderWindow") ||
      cn == L"TApplication")
    return false;
  if (!CanSkinWindow(wnd, cn)) return false;
  TSkinData* sd = FindSkinData(wnd);
  if (!sd || !sd->SkinLoaded()) return false;
  auto* engine = new TWinSkinForm(form);
  engine->Handle = wnd;
  engine->CreationName = cn;
  engine->GenerationId = gProcess.ModuleInstance;
  FormEngines.push_back(engine);
  if (form)
    engine->InitForForm(sd, form);
  else
    engine->InitForWindow(sd);
  PostMessageW(wnd, SKN_INITFORM, 0, SKN_INITFORM_LPARAM);
  return true;
}

// --- Engines -------------------------------------------------------------------

TWinSkinForm* TSkinManage::FindFormEngine(HWND wnd) const {
  for (TWinSkinForm* e : FormEngines)
    if (e->Handle == wnd) return e;
  return nullptr;
}

void TSkinManage::DetachFormEngine(HWND wnd) {
  if (FState == 4) return;
  auto it = std::find_if(FormEngines.begin(), FormEngines.end(),
                         [wnd](TWinSkinForm* e) { return e->Handle == wnd; });
  if (it != FormEngines.end()) FormEngines.erase(it);
}

void TSkinManage::DetachFormEngine(TWinSkinForm* engine) {
  if (FState == 4) return;
  FormEngines.erase(std::remove(FormEngines.begin(), FormEngines.end(), engine), FormEngines.end());
}

// Every engine tells the list when it goes, so what is left is alive; an
// engine whose window went is freed here.
void TSkinManage::PurgeFormEngines() {
  if (FState == 4) return;
  for (std::size_t i = FormEngines.size(); i-- > 0;) {
    if (i >= FormEngines.size()) continue;
    TWinSkinForm* e = FormEngines[i];
    if (e->EngineState == 6) {
      FormEngines.erase(FormEngines.begin() + static_cast<std::ptrdiff_t>(i));
      delete e;
    }
  }
}

void TSkinManage::ReleaseFormEngines() {
  FEnabled = false;
  while (!FormEngines.empty()) {
    TWinSkinForm* e = FormEngines.back();
    FormEngines.pop_back();
    e->DetachOnDestroy();
    delete e;
  }
}

void TSkinManage::RefreshFormsOfSkin() {
  for (TWinSkinForm* e : FormEngines)
    if (e->SkinData == CommandSkinData) e->FreeSysButtons();
}

void TSkinManage::UnskinAndFree(TWinSkinForm* engine) {
  DetachFormEngine(engine);
  const HWND wnd = engine->Handle;
  engine->UnskinForm();
  if (IsWindow(wnd)) {
    InvalidateRect(wnd, nullptr, TRUE);
    UpdateWindow(wnd);
  }
  delete engine;
}

// --- Commands ------------------------------------------------------------------

void TSkinManage::PostCommand(int command, int delayMs) {
  Command = command;
  Timer->SetEnabled(false);
  Timer->SetInterval(static_cast<unsigned>(std::max(delayMs, 1)));
  if (FState != 0) {
    Timer->SetEnabled(true);
    return;
  }
  // Before any window was activated: the hook skins the first one.
  if (command == 1) FEnabled = true;
  if (command == 2) FEnabled = false;
}

void TSkinManage::ExecuteCommand(TObject*) {
  Timer->SetEnabled(false);
  TSkinData* sd = CommandSkinData;
  if (!sd) return;
  if (sd->SkinFormtype() == sfOnlyThisForm)
    ExecuteForOneForm(Command, sd);
  else
    ExecuteForAll(Command, sd);
  sd->SkinChangedNotify();
  CommandSkinData = nullptr;
}

void TSkinManage::ExecuteForOneForm(int command, TSkinData* sd) {
  switch (command) {
  case 1: {
    FEnabled = true;
    InitialSweep = true;
    if (Screen)
      for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (Screen->Forms(i) == sd->Owner()) {
          SkinForm(Screen->Forms(i));
          break;
        }
    InitialSweep = false;
    break;
  }
  case 2: {
    FEnabled = false;
    PurgeFormEngines();
    for (auto it = FormEngines.rbegin(); it != FormEngines.rend(); ++it)
      if ((*it)->SkinData == sd) {
        UnskinAndFree(*it);
        break;
      }
    break;
  }
  case 3:
    PurgeFormEngines();
    for (TWinSkinForm* e : FormEngines)
      if (e->SkinData == sd) {
        e->FreeSysButtons();
        e->LoadFrameMetrics();
        e->ReskinForm();
        break;
      }
    break;
  }
}

void TSkinManage::ExecuteForAll(int command, TSkinData* sd) {
  switch (command) {
  case 1:
    FEnabled = true;
    MdiLayoutPending = false;
    InitialSweep = true;
    PurgeFormEngines();
    if (Screen)
      for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (i < Screen->FormCount()) SkinForm(Screen->Forms(i));
    InitialSweep = false;
    break;
  case 2:
    FEnabled = false;
    PurgeFormEngines();
    while (!FormEngines.empty())
      UnskinAndFree(FormEngines.front());
    break;
  case 3: {
    PurgeFormEngines();
    const std::vector<TWinSkinForm*> engines = FormEngines;
    for (TWinSkinForm* e : engines)
      if (e->SkinData == sd) {
        e->FreeSysButtons();
        e->LoadFrameMetrics();
      }
    for (TWinSkinForm* e : engines)
      if (e->SkinData == sd &&
          std::find(FormEngines.begin(), FormEngines.end(), e) != FormEngines.end())
        e->ReskinForm();
    break;
  }
  }
}

// --- Popup menus -----------------------------------------------------------------

bool TSkinManage::IsPopupMenuSkinned(HWND wnd) const {
  return std::any_of(PopupMenus.begin(), PopupMenus.end(),
                     [wnd](const TWinSkinPopMenu* p) { return p->MenuWindow == wnd; });
}

void TSkinManage::AttachPopupMenu(HWND wnd) {
  if (!FEnabled || SendMessageW(wnd, SKN_QUERY, 0, 0) == 1 || IsPopupMenuSkinned(wnd)) return;
  TSkinData* sd = FindSkinData(wnd);
  if (!sd || !sd->SkinLoaded()) return;
  switch (PopupKind) {
  case 0:
    if (!sd->HasControl(xcPopupMenu)) return;
    break;
  case 1:
    if (!sd->HasControl(xcMainMenu) && !sd->HasControl(xcMenuItem)) return;
    break;
  case 2:
    if (!sd->HasControl(xcSystemMenu)) return;
    break;
  default: break;
  }
  auto* painter = new TWinSkinPopMenu;
  painter->HookWindow(wnd, sd, nullptr);
  PopupMenus.push_back(painter);
  if (MenuBarPopup) painter->FromMenuBar = 1;
}

bool TSkinManage::ReleasePopupMenu(HWND wnd) {
  bool released = false;
  auto it = std::find_if(PopupMenus.begin(), PopupMenus.end(),
                         [wnd](const TWinSkinPopMenu* p) { return p->MenuWindow == wnd; });
  if (it != PopupMenus.end()) {
    TWinSkinPopMenu* p = *it;
    PopupMenus.erase(it);
    p->UnhookWindow();
    delete p;
    released = true;
  }
  if (PopupMenus.empty()) {
    MenuBarPopup = false;
    PopupKind = 0;
  }
  return released;
}

void TSkinManage::MarkPopupsFromMenuBar() {
  for (TWinSkinPopMenu* p : PopupMenus)
    p->FromMenuBar = 1;
}

void TSkinManage::SetPopupMenuHandle(HMENU menu) {
  for (auto it = PopupMenus.rbegin(); it != PopupMenus.rend(); ++it)
    if (!(*it)->MenuHandle) {
      (*it)->MenuHandle = menu;
      return;
    }
}

Bitmap* TSkinManage::FindPopupBitmap(HMENU menu) const {
  for (TWinSkinPopMenu* p : PopupMenus)
    if (p->MenuHandle == menu) return &p->Background;
  return nullptr;
}

// --- MDI -----------------------------------------------------------------------

void TSkinManage::SetMdiMaximized(bool value) {
  if (value == MdiMaximized) return;
  MdiMaximized = value;
  if (MainSkinData && MainSkinData->HasOption(xoMDIChildBorder)) return;
  for (TWinSkinForm* e : std::vector<TWinSkinForm*>(FormEngines)) {
    if (e->MdiRole != 2) continue;
    if (value) {
      if (e->RegionOwned) e->DropRegion();
    } else if (e->WindowState != 2) {
      e->WindowState = 0;
      e->UpdateRegion();
      if (!e->RegionOwned)
        SetWindowPos(e->Handle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
  }
}
