// The skin manager: which windows get a form engine and which skin data
// skins them, the commands of the skin data components, and the list of
// engines that must tell a live engine from one that went.
#include "ManagerTestUtil.h"
#include "support/WinTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace enginetest {
namespace {

LRESULT CALLBACK AnswersQueryProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SKN_QUERY) return 1;
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

constexpr DWORD kOverlapped = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

// A framework form without a skin data component of its own, shown with the
// manager off.
std::unique_ptr<TForm> ShownForm(std::intptr_t tag = 0) {
  TManagerEnabled off(false);
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBounds(150, 150, 320, 240);
  form->SetTag(tag);
  form->Show();
  Pump();
  return form;
}

// A plain window holding an MDI client, and a plain child window in that
// client (not an MDI child).
struct TMdiClientChild {
  TTestWindow Frame{PlainClass(), kOverlapped};
  HWND Client = nullptr;
  HWND Child = nullptr;
  TMdiClientChild() {
    TManagerEnabled off(false);
    CLIENTCREATESTRUCT ccs{nullptr, 50000};
    Client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                             0, 300, 200, Frame.Wnd, nullptr, GetModuleHandleW(nullptr), &ccs);
    Child = CreateWindowExW(0, PlainClass(), L"in the client", WS_CHILD | WS_VISIBLE, 10, 10, 100,
                            80, Client, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
};

// --- SkinWindow ------------------------------------------------------------------

TEST(ManagerSkinWindow, DecisionTable) {
  TSkinnedForm anchor; // the main skin data, loaded
  TSkinManage* m = Manager();
  ASSERT_EQ(m->MainSkinData, anchor.Data);
  const HINSTANCE foreign = GetModuleHandleW(L"user32.dll");

  // Each row makes its window (and whatever it needs) and says what it
  // expects; what a row made goes when its scope ends.
  struct TRow {
    const char* Name;
    std::function<HWND(std::vector<std::shared_ptr<void>>& keep)> Make;
    bool Skinned;
  };
  auto window = [](std::vector<std::shared_ptr<void>>& keep, const wchar_t* cls, DWORD style,
                   RECT r = {80, 80, 380, 280}, HINSTANCE inst = nullptr) {
    auto w = std::make_shared<TTestWindow>(cls, style, 0, r, nullptr, inst);
    keep.push_back(w);
    return w->Wnd;
  };
  auto form = [](std::vector<std::shared_ptr<void>>& keep, std::intptr_t tag) {
    std::shared_ptr<TForm> f = ShownForm(tag);
    keep.push_back(f);
    return f->WindowHandle();
  };
  auto scoped = [](std::vector<std::shared_ptr<void>>& keep, std::function<void()> undo) {
    keep.push_back(std::shared_ptr<void>(nullptr, [undo](void*) { undo(); }));
  };
  const TRow rows[] = {
      {"a bare window of this module",
       [&](auto& k) { return window(k, PlainClass(), kOverlapped); }, true},
      {"the manager switched off",
       [&](auto& k) {
         HWND w = window(k, PlainClass(), kOverlapped);
         m->SetEnabled(false);
         scoped(k, [m] { m->SetEnabled(true); });
         return w;
       },
       false},
      {"a window answering SKN_QUERY",
       [&](auto& k) {
         return window(k, TestWindowClass(L"MgrAnswersQuery", AnswersQueryProc), kOverlapped);
       },
       false},
      {"a window with an engine already",
       [&](auto& k) {
         HWND w = window(k, PlainClass(), kOverlapped);
         EXPECT_TRUE(m->SkinWindow(w));
         return w;
       },
       false},
      {"a child of an MDI client",
       [&](auto& k) {
         auto c = std::make_shared<TMdiClientChild>();
         k.push_back(c);
         return c->Child;
       },
       false},
      {"a child of an MDI client during the initial sweep",
       [&](auto& k) {
         auto c = std::make_shared<TMdiClientChild>();
         k.push_back(c);
         m->InitialSweep = true;
         scoped(k, [m] { m->InitialSweep = false; });
         return c->Child;
       },
       true},
      {"another module's window",
       [&](auto& k) {
         HWND w = window(k, PlainClass(), kOverlapped);
         SetWindowLongPtrW(w, GWLP_HINSTANCE, reinterpret_cast<LONG_PTR>(foreign));
         return w;
       },
       false},
      {"another module's dialog",
       [&](auto& k) {
         return window(k, L"#32770", kOverlapped, {80, 80, 380, 280}, foreign);
       },
       true},
      {"an empty rectangle",
       [&](auto& k) {
         return window(k, PlainClass(), WS_POPUP | WS_VISIBLE, {80, 80, 380, 80});
       },
       false},
      {"a framework form", [&](auto& k) { return form(k, 0); }, true},
      {"a framework form with Tag 99", [&](auto& k) { return form(k, 99); }, false},
      {"a framework form with Tag 99 while DisableTag is 5",
       [&](auto& k) {
         anchor.Data->SetDisableTag(5);
         scoped(k, [&] { anchor.Data->SetDisableTag(99); });
         return form(k, 99);
       },
       false},
      {"a framework form whose Tag is DisableTag (5)",
       [&](auto& k) {
         anchor.Data->SetDisableTag(5);
         scoped(k, [&] { anchor.Data->SetDisableTag(99); });
         return form(k, 5);
       },
       true},
      {"a class containing TcxPopupEditPopupWindow",
       [&](auto& k) {
         return window(k, TestWindowClass(L"XTcxPopupEditPopupWindowX"), kOverlapped);
       },
       false},
      {"a class containing TTERenderWindow",
       [&](auto& k) { return window(k, TestWindowClass(L"TTERenderWindow2"), kOverlapped); },
       false},
      {"the class TApplication", [&](auto& k) { return window(k, L"TApplication", kOverlapped); },
       false},
      {"a class only beginning with TApplication",
       [&](auto& k) { return window(k, TestWindowClass(L"TApplicationFrame"), kOverlapped); },
       true},
      {"a class the filter refuses",
       [&](auto& k) {
         const TSkinOptions options = anchor.Data->Options();
         anchor.Data->SetOptions(options & ~SkinOptionBit(xoPreview));
         scoped(k, [&, options] { anchor.Data->SetOptions(options); });
         return window(k, TestWindowClass(L"MgrPrintPreview"), kOverlapped);
       },
       false},
      {"no skin data at all",
       [&](auto& k) {
         auto list = std::make_shared<TSkinDataListScope>();
         k.push_back(list);
         HWND w = window(k, PlainClass(), kOverlapped);
         m->SkinDatas.clear();
         m->MainSkinData = nullptr;
         return w;
       },
       false},
      {"the chosen skin data has no skin loaded",
       [&](auto& k) {
         auto list = std::make_shared<TSkinDataListScope>();
         auto unloaded = std::shared_ptr<TSkinData>(new TSkinData(nullptr));
         k.push_back(list); // given back before the component goes
         k.push_back(unloaded);
         m->SkinDatas.push_back(unloaded.get());
         return window(k, PlainClass(), kOverlapped);
       },
       false},
  };

  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    TManagerEnabled on(true);
    std::vector<std::shared_ptr<void>> keep;
    const HWND wnd = row.Make(keep);
    ASSERT_TRUE(IsWindow(wnd));
    const std::size_t before = m->FormEngines.size();
    TWinSkinForm* had = m->FindFormEngine(wnd);
    EXPECT_EQ(m->SkinWindow(wnd), row.Skinned);
    TWinSkinForm* e = m->FindFormEngine(wnd);
    if (row.Skinned) {
      ASSERT_NE(e, nullptr);
      EXPECT_EQ(m->FormEngines.size(), before + 1);
      EXPECT_EQ(e->Handle, wnd);
      wchar_t cls[101] = {};
      GetClassNameW(wnd, cls, 101);
      EXPECT_EQ(e->CreationName, cls);
      EXPECT_TRUE(InitFormWaiting(wnd));
      // A framework form owns its engine; a bare window's engine has no owner.
      TCustomForm* f = m->FindFrameworkForm(wnd);
      EXPECT_EQ(e->Form, f);
      EXPECT_EQ(e->Owner(), f);
    } else {
      EXPECT_EQ(e, had);
      EXPECT_EQ(m->FormEngines.size(), before);
      if (!had) {
        EXPECT_FALSE(InitFormWaiting(wnd));
      }
    }
    // The engine goes with its window (or its form).
    m->SetEnabled(false);
    keep.clear();
    Pump();
    m->PurgeFormEngines();
    EXPECT_EQ(m->FindFormEngine(wnd), nullptr);
  }
}

// Showing a window activates it; the hook then skins it when the manager
// is on, and only then.
TEST(ManagerSkinWindow, TheHookSkinsAWindowWhenItIsActivated) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  for (bool enabled : {false, true}) {
    SCOPED_TRACE(enabled ? "on" : "off");
    m->SetEnabled(enabled);
    HWND wnd = CreateWindowExW(0, PlainClass(), L"shown", kOverlapped, 90, 90, 300, 200, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_EQ(GetActiveWindow(), wnd);
    TWinSkinForm* e = m->FindFormEngine(wnd);
    EXPECT_EQ(e != nullptr, enabled);
    if (e) {
      EXPECT_TRUE(PumpUntil([&] { return e->EngineState == 1; }));
    }
    DestroyQuietly(wnd);
  }
  m->SetEnabled(false);
}

// --- CanSkinWindow ------------------------------------------------------------------

struct TFilterSpy : TObject {
  std::function<void(bool&)> Decide;
  TObject* Sender = nullptr;
  std::wstring Name;
  bool DoSkinIn = false;
  int Calls = 0;
  void Filter(TObject* sender, const std::wstring& name, bool& doSkin) {
    ++Calls;
    Sender = sender;
    Name = name;
    DoSkinIn = doSkin;
    if (Decide) Decide(doSkin);
  }
};

TEST(ManagerCanSkinWindow, DecisionTable) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  ASSERT_EQ(m->MainSkinData, anchor.Data);
  TTestWindow w(PlainClass(), WS_POPUP);
  const TSkinOptions options = anchor.Data->Options();
  const TSkinControlTypes controls = anchor.Data->SkinControls();
  TFilterSpy spy;

  enum TEvent { kNoEvent, kEventKeeps, kEventAllows, kEventRefuses };
  struct TRow {
    const wchar_t* ClassName;
    bool SetForeground; // the window has DS_SETFOREGROUND (0x200)
    bool Preview;       // xoPreview in Options
    bool FastReport;    // xcFastReport in SkinControls
    TEvent Event;
    bool NoMainSkinData;
    bool Expected;
  };
  const TRow rows[] = {
      {L"TPrintPreview", false, false, false, kNoEvent, false, false},
      {L"TPrintPreview", false, true, false, kNoEvent, false, true},
      {L"MyPREVIEWER", false, false, false, kNoEvent, false, false},
      {L"#32770", true, true, false, kNoEvent, false, false},
      {L"#32770", false, true, false, kNoEvent, false, true},
      {L"TForm1", true, true, false, kNoEvent, false, true},
      {L"TPopupDBTreeView", false, true, false, kNoEvent, false, false},
      {L"tpopupdbtreeview", false, true, false, kNoEvent, false, false},
      {L"TPopupDBTreeView2", false, true, false, kNoEvent, false, true},
      {L"SysMonthCal32", false, true, false, kNoEvent, false, false},
      {L"SysMonthCal32", false, true, false, kEventKeeps, false, true},
      {L"SysMonthCal321", false, true, false, kNoEvent, false, true},
      {L"TfrDesigner", false, true, true, kNoEvent, false, false},
      {L"TfrDesigner", false, true, false, kNoEvent, false, true},
      {L"TfrDesigner", false, true, true, kEventKeeps, false, true},
      {L"TFRDesigner", false, true, true, kNoEvent, false, true},
      {L"TPrintPreview", false, false, false, kEventAllows, false, true},
      {L"TPrintPreview", false, false, false, kEventKeeps, false, false},
      {L"TForm1", false, true, false, kEventRefuses, false, false},
      {L"TPrintPreview", true, false, true, kNoEvent, true, true},
      {L"#32770", true, false, false, kNoEvent, true, true},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(testutil::Narrow(r.ClassName) + (r.SetForeground ? " 0x200" : "") +
                 (r.Preview ? " xoPreview" : "") + (r.FastReport ? " xcFastReport" : "") +
                 " event " + std::to_string(r.Event) + (r.NoMainSkinData ? " no main" : ""));
    SetWindowLongPtrW(w.Wnd, GWL_STYLE, WS_POPUP | (r.SetForeground ? DS_SETFOREGROUND : 0));
    anchor.Data->SetOptions(r.Preview ? options | SkinOptionBit(xoPreview)
                                      : options & ~SkinOptionBit(xoPreview));
    anchor.Data->SetSkinControls(r.FastReport ? controls | SkinControlBit(xcFastReport)
                                              : controls & ~SkinControlBit(xcFastReport));
    spy = TFilterSpy();
    if (r.Event == kEventAllows) spy.Decide = [](bool& d) { d = true; };
    if (r.Event == kEventRefuses) spy.Decide = [](bool& d) { d = false; };
    anchor.Data->OnFormSkin =
        r.Event == kNoEvent ? TOnFormSkin() : TOnFormSkin(&spy, &TFilterSpy::Filter);
    if (r.NoMainSkinData) m->MainSkinData = nullptr;
    EXPECT_EQ(m->CanSkinWindow(w.Wnd, r.ClassName), r.Expected);
    m->MainSkinData = anchor.Data;
    if (r.Event != kNoEvent && !r.NoMainSkinData) {
      // The event decides last, from what the rules before it said.
      EXPECT_EQ(spy.Calls, 1);
      EXPECT_EQ(spy.Sender, anchor.Data);
      EXPECT_EQ(spy.Name, r.ClassName);
      const bool refusedBefore =
          (!r.Preview && std::wstring(r.ClassName).find(L"Preview") != std::wstring::npos);
      EXPECT_EQ(spy.DoSkinIn, !refusedBefore);
    }
    if (!r.NoMainSkinData) {
      EXPECT_EQ(anchor.Data->FilteredWindow(), w.Wnd);
    }
  }
  anchor.Data->OnFormSkin = TOnFormSkin();
  anchor.Data->SetOptions(options);
  anchor.Data->SetSkinControls(controls);
}

// --- FindSkinData ----------------------------------------------------------------------

TEST(ManagerFindSkinData, DecisionTable) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  TSkinDataListScope scope;
  TManagerEnabled off(false);
  TForm formA(nullptr), formC(nullptr);
  formA.HandleNeeded();
  formC.HandleNeeded();
  auto make = [](TComponent* owner, TSkinFormType type) {
    auto* sd = new TSkinData(owner);
    sd->SetSkinFormtype(type);
    return sd;
  };
  TSkinData* main1 = make(&formA, sfMainform);
  TSkinData* main2 = make(&formA, sfMainform);
  TSkinData* dialog1 = make(&formA, sfDialog);
  TSkinData* dialog2 = make(&formA, sfDialog);
  TSkinData* only1 = make(&formC, sfOnlyThisForm);
  TSkinData* only2 = make(&formC, sfOnlyThisForm);
  TSkinData* dll = make(&formA, sfDLL);
  TTestWindow dialog(L"#32770", WS_POPUP);
  TTestWindow message(TestWindowClass(L"TMessageForm"), WS_POPUP);
  TTestWindow plain(PlainClass(), WS_POPUP);

  struct TRow {
    const char* Name;
    std::vector<TSkinData*> List;
    HWND Wnd;
    TSkinData* Expected;
  };
  const TRow rows[] = {
      {"this form's own component", {main1, only1, main2}, formC.WindowHandle(), only1},
      {"the last of two for this form", {main1, only1, only2}, formC.WindowHandle(), only2},
      {"another form's own component is not taken", {only1, main1}, formA.WindowHandle(), main1},
      {"a dialog: the dialog component", {main1, dialog1, main2}, dialog.Wnd, dialog1},
      {"a dialog: the last dialog component", {dialog1, main1, dialog2}, dialog.Wnd, dialog2},
      {"a message form: the dialog component", {main1, dialog1}, message.Wnd, dialog1},
      {"a dialog without a dialog component", {main1, main2}, dialog.Wnd, main2},
      {"any other window: the last main component", {main1, dialog1, main2}, plain.Wnd, main2},
      {"a dialog component is not a main one", {main1, dialog1}, plain.Wnd, main1},
      {"no main component: the first", {dialog1, dll}, plain.Wnd, dialog1},
      {"no main component, a dialog", {dll, dialog1}, dialog.Wnd, dialog1},
      {"no main component, another window", {dll, dialog1}, plain.Wnd, dll},
      {"no component", {}, plain.Wnd, nullptr},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Name);
    m->SkinDatas = r.List;
    EXPECT_EQ(m->FindSkinData(r.Wnd), r.Expected);
  }
}

// --- Commands ------------------------------------------------------------------------

struct TChangedSpy : TObject {
  std::function<void()> Check; // what must hold when the event comes
  TObject* Sender = nullptr;
  int Calls = 0;
  void Changed(TObject* sender) {
    ++Calls;
    Sender = sender;
    if (Check) Check();
  }
};

void RunCommand(TSkinData* sd, int command) {
  TSkinManage* m = Manager();
  m->SetCommandSkinData(sd);
  m->Command = command;
  m->ExecuteCommand(nullptr);
  Pump();
}

TSkinSpec TallCaptionSpec() {
  TSkinSpec s = StandardSpec();
  s.Top.Size = 30;
  return s;
}

RECT WindowRectOf(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return r;
}

bool SameRect(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != 0;
}

int HeightOf(const RECT& r) {
  return r.bottom - r.top;
}

bool Active(TSkinnedForm& f) {
  return f.Engine() && f.Engine()->EngineState == 1;
}

TEST(ManagerCommands, BeforeTheFirstActivationOnlyEnabledChanges) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  const int state = m->State();
  m->SetState(0);
  m->SetEnabled(false);
  m->SetCommandSkinData(anchor.Data);
  struct TRow {
    int Command;
    bool EnabledBefore, EnabledAfter;
  } rows[] = {{1, false, true}, {3, true, true}, {3, false, false}, {2, true, false}};
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Command);
    m->SetEnabled(r.EnabledBefore);
    m->PostCommand(r.Command, 20);
    EXPECT_EQ(m->Command, r.Command);
    EXPECT_EQ(m->Enabled(), r.EnabledAfter);
    EXPECT_FALSE(m->Timer->Enabled());
  }
  m->PostCommand(1, 20);
  Sleep(60);
  Pump();
  EXPECT_EQ(anchor.Engine(), nullptr); // nothing swept the forms
  EXPECT_EQ(m->State(), 0);
  // The first window activated is skinned by the hook, and the manager runs.
  {
    TForm second(nullptr);
    second.SetBounds(200, 200, 300, 200);
    second.Show();
    EXPECT_EQ(m->State(), 1);
    TWinSkinForm* e = m->FindFormEngine(second.WindowHandle());
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(PumpUntil([e] { return e->EngineState == 1; }));
    EXPECT_EQ(anchor.Engine(), nullptr);
    m->SetEnabled(false);
  }
  m->SetState(state == 0 ? 1 : state);
  m->SetCommandSkinData(nullptr);
}

TEST(ManagerCommands, AfterTheFirstActivationTheTimerCarriesThemOut) {
  TSkinnedForm a, b;
  TManagerEnabled off(false);
  TForm hidden(nullptr);
  hidden.SetBounds(100, 100, 300, 200);
  hidden.HandleNeeded();
  TSkinManage* m = Manager();
  m->SetState(1);
  const RECT aBefore = WindowRectOf(a.Wnd()), bBefore = WindowRectOf(b.Wnd());
  TChangedSpy spy;
  a.Data->OnSkinChanged = TNotifyEvent(&spy, &TChangedSpy::Changed);
  m->MdiLayoutPending = true;

  // Apply: every shown form of the screen.
  spy.Check = [&] { EXPECT_TRUE(a.Engine() && b.Engine()); };
  m->SetCommandSkinData(a.Data);
  m->PostCommand(1, 30);
  EXPECT_TRUE(m->Timer->Enabled());
  EXPECT_FALSE(m->Enabled());
  EXPECT_EQ(a.Engine(), nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Active(a) && Active(b); }));
  EXPECT_EQ(m->FindFormEngine(hidden.WindowHandle()), nullptr);
  EXPECT_TRUE(m->Enabled());
  EXPECT_FALSE(m->InitialSweep);
  EXPECT_FALSE(m->MdiLayoutPending);
  EXPECT_FALSE(m->Timer->Enabled());
  EXPECT_EQ(spy.Calls, 1);
  EXPECT_EQ(spy.Sender, a.Data);
  EXPECT_EQ(m->CommandSkinData, nullptr);
  // Both by the last main component.
  EXPECT_EQ(a.Engine()->SkinData, b.Data);
  EXPECT_EQ(b.Engine()->SkinData, b.Data);
  EXPECT_NE(HeightOf(WindowRectOf(a.Wnd())), HeightOf(aBefore));

  // Remove: every engine, and the windows get their standard frame back.
  spy.Check = [&] { EXPECT_TRUE(m->FormEngines.empty()); };
  m->SetCommandSkinData(a.Data);
  m->PostCommand(2, 30);
  EXPECT_TRUE(m->Enabled());
  ASSERT_TRUE(PumpUntil([&] { return m->FormEngines.empty(); }));
  EXPECT_FALSE(m->Enabled());
  EXPECT_EQ(spy.Calls, 2);
  EXPECT_TRUE(SameRect(aBefore, WindowRectOf(a.Wnd())));
  EXPECT_TRUE(SameRect(bBefore, WindowRectOf(b.Wnd())));
  a.Data->OnSkinChanged = TNotifyEvent();
}

TEST(ManagerCommands, SkinChangedReloadsTheFrameOfThatSkinsWindows) {
  TSkinnedForm a, b;
  b.Data->SetSkinFormtype(sfOnlyThisForm);
  ASSERT_TRUE(a.Skin());
  ASSERT_TRUE(b.Skin());
  TSkinManage* m = Manager();
  m->SetState(1);
  RECT aClient, bClient;
  GetClientRect(a.Wnd(), &aClient);
  GetClientRect(b.Wnd(), &bClient);
  const RECT bWindow = WindowRectOf(b.Wnd());
  ASSERT_EQ(a.Engine()->SkinData, a.Data);
  ASSERT_EQ(b.Engine()->SkinData, b.Data);
  TChangedSpy spy;
  spy.Check = [&] { EXPECT_EQ(a.Engine()->CaptionHeight, 30); };
  a.Data->OnSkinChanged = TNotifyEvent(&spy, &TChangedSpy::Changed);

  a.Data->SetStoredArchive(BuildArchive(TallCaptionSpec()));
  ASSERT_TRUE(a.Data->LoadSkin());
  a.Data->ApplySkinChange();
  // At once: the windows of that skin let go of their buttons, which
  // belonged to the skin that went.
  EXPECT_TRUE(a.Engine()->SysButtons.empty());
  EXPECT_FALSE(b.Engine()->SysButtons.empty());
  EXPECT_EQ(a.Engine()->CaptionHeight, 25);
  ASSERT_TRUE(PumpUntil([&] { return spy.Calls == 1; }));
  TWinSkinForm* e = a.Engine();
  EXPECT_EQ(e->CaptionHeight, 30);
  EXPECT_EQ(e->SysButtons.size(), a.Data->Skin().SysButtons.size());
  EXPECT_EQ(e->EngineState, 1);
  RECT client;
  GetClientRect(a.Wnd(), &client);
  EXPECT_EQ(client.bottom, aClient.bottom);
  EXPECT_EQ(client.right, aClient.right);
  EXPECT_EQ(HeightOf(WindowRectOf(a.Wnd())), aClient.bottom + 30 + 4);
  // The other skin's window is left as it was.
  EXPECT_EQ(b.Engine()->CaptionHeight, 25);
  EXPECT_TRUE(SameRect(bWindow, WindowRectOf(b.Wnd())));
  EXPECT_EQ(m->CommandSkinData, nullptr);
  a.Data->OnSkinChanged = TNotifyEvent();
}

TEST(ManagerCommands, OnlyThisFormCommandsTouchOnlyTheirForm) {
  TSkinnedForm a, b;
  b.Data->SetSkinFormtype(sfOnlyThisForm);
  TSkinManage* m = Manager();
  ASSERT_EQ(m->MainSkinData, a.Data);
  const RECT bBefore = WindowRectOf(b.Wnd());

  RunCommand(b.Data, 1);
  EXPECT_TRUE(m->Enabled());
  EXPECT_FALSE(m->InitialSweep);
  ASSERT_NE(b.Engine(), nullptr);
  EXPECT_EQ(b.Engine()->SkinData, b.Data);
  EXPECT_EQ(a.Engine(), nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Active(b); }));
  ASSERT_TRUE(a.Skin());

  m->SetCommandSkinData(b.Data);
  b.Data->SetStoredArchive(BuildArchive(TallCaptionSpec()));
  ASSERT_TRUE(b.Data->LoadSkin());
  m->RefreshFormsOfSkin();
  RunCommand(b.Data, 3);
  EXPECT_EQ(b.Engine()->CaptionHeight, 30);
  EXPECT_EQ(a.Engine()->CaptionHeight, 25);

  RunCommand(b.Data, 2);
  EXPECT_FALSE(m->Enabled());
  EXPECT_EQ(b.Engine(), nullptr);
  EXPECT_NE(a.Engine(), nullptr);
  EXPECT_TRUE(SameRect(bBefore, WindowRectOf(b.Wnd())));
}

TEST(ManagerCommands, WithoutACommandingComponentNothingHappens) {
  TSkinnedForm a;
  TSkinManage* m = Manager();
  m->SetState(1);
  m->SetEnabled(false);
  m->SetCommandSkinData(nullptr);
  m->Command = 1;
  m->Timer->SetEnabled(true);
  m->ExecuteCommand(nullptr);
  EXPECT_FALSE(m->Timer->Enabled());
  EXPECT_FALSE(m->Enabled());
  EXPECT_EQ(a.Engine(), nullptr);
}

// --- The list of engines --------------------------------------------------------------

// Skins a window now; the manager stays off otherwise, so no window
// activated on the way gets an engine (at the address of one just freed).
bool SkinNow(HWND wnd) {
  TManagerEnabled on(true);
  return Manager()->SkinWindow(wnd);
}

TEST(ManagerEngines, PurgeTellsALiveEngineFromOneThatWent) {
  TSkinnedForm anchor;
  TSkinManage* m = Manager();
  TManagerEnabled off(false);
  auto contains = [m](TWinSkinForm* e) {
    return std::find(m->FormEngines.begin(), m->FormEngines.end(), e) != m->FormEngines.end();
  };

  {
    SCOPED_TRACE("the engine's form is freed");
    std::unique_ptr<TForm> form = ShownForm();
    ASSERT_TRUE(SkinNow(form->WindowHandle()));
    TWinSkinForm* e = m->FindFormEngine(form->WindowHandle());
    TFreeWatch watch(e);
    form.reset();
    EXPECT_TRUE(watch.Freed);
    EXPECT_FALSE(contains(e)); // forgotten at once, never freed again
    m->PurgeFormEngines();
  }
  for (bool shuttingDown : {false, true}) {
    SCOPED_TRACE(shuttingDown ? "the window went while shutting down" : "the window went");
    TTestWindow w(PlainClass(), kOverlapped);
    ASSERT_TRUE(SkinNow(w.Wnd));
    TWinSkinForm* e = m->FindFormEngine(w.Wnd);
    TFreeWatch watch(e);
    DestroyWindow(w.Wnd);
    EXPECT_TRUE(contains(e));
    EXPECT_EQ(e->EngineState, 6);
    EXPECT_FALSE(watch.Freed);
    if (shuttingDown) {
      const int state = m->State();
      m->SetState(4);
      m->PurgeFormEngines();
      EXPECT_TRUE(contains(e));
      m->SetState(state);
      // Any later decision purges first.
      TTestWindow other(PlainClass(), kOverlapped);
      EXPECT_TRUE(SkinNow(other.Wnd));
    } else {
      m->PurgeFormEngines();
    }
    EXPECT_FALSE(contains(e));
    EXPECT_TRUE(watch.Freed);
  }
  {
    SCOPED_TRACE("the form made a new window");
    std::unique_ptr<TForm> form = ShownForm();
    ASSERT_TRUE(SkinNow(form->WindowHandle()));
    TWinSkinForm* e = m->FindFormEngine(form->WindowHandle());
    TFreeWatch watch(e);
    form->RecreateWnd();
    EXPECT_TRUE(contains(e));
    EXPECT_FALSE(watch.Freed);
    m->PurgeFormEngines();
    EXPECT_FALSE(contains(e));
    EXPECT_TRUE(watch.Freed);
    for (int i = 0; i < form->ComponentCount(); ++i)
      EXPECT_NE(form->Components(i), static_cast<TComponent*>(e));
    EXPECT_TRUE(SkinNow(form->Handle()));
    form.reset();
    EXPECT_TRUE(m->FormEngines.empty());
  }
}

TEST(ManagerEngines, ReleaseGivesEveryWindowItsProcedureBack) {
  TSkinnedForm a;
  TTestWindow w(PlainClass(), kOverlapped);
  TSkinManage* m = Manager();
  const LONG_PTR formProc = GetWindowLongPtrW(a.Wnd(), GWLP_WNDPROC);
  const LONG_PTR plainProc = GetWindowLongPtrW(w.Wnd, GWLP_WNDPROC);
  ASSERT_TRUE(a.Skin());
  ASSERT_TRUE(m->SkinWindow(w.Wnd));
  TFreeWatch watch(a.Engine());
  m->ReleaseFormEngines();
  EXPECT_FALSE(m->Enabled());
  EXPECT_TRUE(m->FormEngines.empty());
  EXPECT_TRUE(watch.Freed);
  EXPECT_EQ(GetWindowLongPtrW(a.Wnd(), GWLP_WNDPROC), formProc);
  EXPECT_EQ(GetWindowLongPtrW(w.Wnd, GWLP_WNDPROC), plainProc);
  EXPECT_EQ(SendMessageW(a.Wnd(), SKN_QUERY, 0, 0), 0);
  EXPECT_EQ(SendMessageW(w.Wnd, SKN_QUERY, 0, 0), 0);
}

TEST(ManagerEngines, RefreshFormsOfSkinFreesTheButtonsOfThatSkinOnly) {
  TSkinnedForm a, b;
  b.Data->SetSkinFormtype(sfOnlyThisForm);
  ASSERT_TRUE(a.Skin());
  ASSERT_TRUE(b.Skin());
  TSkinManage* m = Manager();
  ASSERT_FALSE(a.Engine()->SysButtons.empty());
  m->SetCommandSkinData(b.Data);
  m->RefreshFormsOfSkin();
  EXPECT_FALSE(a.Engine()->SysButtons.empty());
  EXPECT_TRUE(b.Engine()->SysButtons.empty());
  EXPECT_EQ(b.Engine()->HotObject, nullptr);
  m->SetCommandSkinData(nullptr);
}

// --- The skin data components ------------------------------------------------------------

TEST(ManagerSkinDatas, TheMainComponentIsTheFirstMainOneStillThere) {
  auto* a = new TSkinnedForm;
  TSkinnedForm dialog, b;
  dialog.Data->SetSkinFormtype(sfDialog);
  TSkinManage* m = Manager();
  ASSERT_EQ(m->MainSkinData, a->Data);
  m->SetCommandSkinData(a->Data);
  delete a;
  EXPECT_EQ(m->CommandSkinData, nullptr);
  EXPECT_EQ(m->MainSkinData, b.Data);
  m->RemoveSkinData(b.Data);
  EXPECT_EQ(m->MainSkinData, nullptr);
  m->AddSkinData(b.Data);
  EXPECT_EQ(m->MainSkinData, b.Data);
}

} // namespace
} // namespace enginetest
