// The main window with the skin engine running, as the program starts it:
// the file list's scroll bars are the skin's overlays, both parameter
// fields have the skin's frame and the mode box the skin's look, with a
// painter on its drop-down list.
#include "MainWindowFixture.h"

#include "skin/controls/ButtonPainters.h"
#include "skin/controls/ComboListScrollBar.h"
#include "skin/controls/EditPainters.h"
#include "skin/controls/ScrollPainters.h"
#include "skin/controls/SkinManager.h"
#include "skin/form/WinSkinForm.h"

namespace {

class SkinnedMainWindowTest : public MainWindowTest {
protected:
  void SetUp() override {
    InitSkinEngine(); // the manager is known before the skin data loads
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    DoneSkinEngine();
  }
  TWinSkinForm* Engine() {
    TSkinManage* m = SkinManagerObject();
    TWinSkinForm* e = nullptr;
    for (int i = 0; i < 300 && !(e && e->EngineState == 1); ++i) {
      Pump();
      e = m ? m->FindFormEngine(Form->Handle()) : nullptr;
      Sleep(10);
    }
    return e && e->EngineState == 1 ? e : nullptr;
  }
  template <class T> T* PainterOf(TWinSkinForm* e, TControl* c) {
    for (TSkinControl* p : e->Painters)
      if (p->Control == c) return As<T>(p);
    return nullptr;
  }
};

TEST_F(SkinnedMainWindowTest, EveryControlOfTheWindowIsSkinned) {
  TWinSkinForm* e = Engine();
  ASSERT_NE(e, nullptr) << "the main window is skinned when it shows";
  auto* list = PainterOf<TSkinScrollbar>(e, Form->ListBox1);
  ASSERT_NE(list, nullptr);
  auto* combo = PainterOf<TSkinComBox>(e, Form->ComboBox1);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->EditWindow, Form->ComboBox1->EditHandle());
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(Form->ComboBox1->Handle(), &info));
  ASSERT_NE(combo->ListScrollBar, nullptr);
  EXPECT_EQ(combo->ListScrollBar->Handle, info.hwndList);
  const TColor shadow = Form->Find<TSkinData>("SkinData1")->Skin().Colors[scButtonShadow];
  for (TEdit* edit : {Form->Edit1, Form->Edit2}) {
    ASSERT_NE(PainterOf<TSkinEdit>(e, edit), nullptr);
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetWindowDC(edit->Handle());
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, edit->Height() / 2)), ColorToRGB(shadow));
    ReleaseDC(edit->Handle(), dc);
  }

  // A few hundred files: the list's bar shows, under the skin's overlay.
  std::vector<std::wstring> paths;
  for (int i = 0; i < 300; ++i)
    paths.push_back(L"C:\\photos\\img" + std::to_wstring(i) + L".jpg");
  Drop(paths);
  Pump();
  HWND lb = Form->ListBox1->Handle();
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  ASSERT_TRUE(GetScrollBarInfo(lb, OBJID_VSCROLL, &sbi));
  ASSERT_FALSE(sbi.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  HWND overlay = list->VertBar->Handle();
  RECT o;
  GetWindowRect(overlay, &o);
  EXPECT_TRUE(IsWindowVisible(overlay));
  EXPECT_TRUE(EqualRect(&o, &sbi.rcScrollBar));
  // Scrolling works as without the skin.
  SendMessageW(lb, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(SendMessageW(lb, LB_GETTOPINDEX, 0, 0), 0);

  // The mode box opens its list and closes it again.
  SendMessageW(Form->ComboBox1->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Pump();
  EXPECT_TRUE(IsWindowVisible(info.hwndList));
  SendMessageW(Form->ComboBox1->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  Pump();
  EXPECT_FALSE(IsWindowVisible(info.hwndList));
}

// What the error box showed, read while it is up.
struct TBoxSeen {
  bool Found = false, Skinned = false, ButtonPainted = false;
  TColor Background = 0;
  std::wstring Text;
  int Ticks = 0;
};
TBoxSeen gBox;

BOOL CALLBACK ReadBox(HWND child, LPARAM engine) {
  wchar_t cls[32] = {}, text[256] = {};
  GetClassNameW(child, cls, 32);
  GetWindowTextW(child, text, 256);
  if (lstrcmpiW(cls, L"Static") == 0 && text[0]) gBox.Text = text;
  if (lstrcmpiW(cls, L"Button") == 0)
    for (TSkinControl* p : reinterpret_cast<TWinSkinForm*>(engine)->Painters)
      if (p->Handle == child && As<TSkinButton>(p)) gBox.ButtonPainted = true;
  return TRUE;
}

// Once the box has its engine: what it shows, then a click on its button.
void CALLBACK LookAtBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(L"#32770", Application->Title().c_str());
  TSkinManage* m = SkinManagerObject();
  TWinSkinForm* e = box && m ? m->FindFormEngine(box) : nullptr;
  if (++gBox.Ticks < 100 && !(e && e->EngineState == 1)) return;
  KillTimer(nullptr, id);
  if (!box) return;
  gBox.Found = true;
  gBox.Skinned = e && e->EngineState == 1;
  if (e) EnumChildWindows(box, ReadBox, reinterpret_cast<LPARAM>(e));
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(box);
  gBox.Background = static_cast<TColor>(GetPixel(dc, 3, 3));
  ReleaseDC(box, dc);
  for (HWND c = GetTopWindow(box); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    if (lstrcmpiW(cls, L"Button") == 0) {
      SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
      SendMessageW(c, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
      break;
    }
  }
}

// A mode-2 number that is no number: the error box is a skinned system
// dialog, with the skin's frame, face and button, and its button closes it.
TEST_F(SkinnedMainWindowTest, TheErrorBoxIsSkinnedAndItsButtonClosesIt) {
  ASSERT_NE(Engine(), nullptr);
  Application->OnException = nullptr;
  gBox = {};
  UINT_PTR timer = SetTimer(nullptr, 0, 50, LookAtBox);
  ChooseMode(2);
  SetParams(L"n%d", L"1x");
  PressButton(); // returns once the box is closed
  KillTimer(nullptr, timer);
  ASSERT_TRUE(gBox.Found) << "no error box; errors caught: " << Errors.size() << " ticks "
                          << gBox.Ticks;
  EXPECT_TRUE(gBox.Skinned);
  EXPECT_TRUE(gBox.ButtonPainted);
  EXPECT_EQ(gBox.Text, L"'1x' 不是一个有效的整形值");
  const TColor face = Form->Find<TSkinData>("SkinData1")->Skin().Colors[scButtonFace];
  EXPECT_EQ(gBox.Background, ColorToRGB(face));
  EXPECT_EQ(FindWindowW(L"#32770", Application->Title().c_str()), nullptr);
}

} // namespace
