// The skin data component: its defaults, the skin it reads while a form
// loads, and what it asks of the skin manager.
#include "core/Bmp.h"
#include "core/SkinArchive.h"
#include "core/SkinRead.h"
#include "fw/FormStream.h"
#include "fw/Forms.h"
#include "skin/data/WinSkinData.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

class TFrameworkEnvironment : public testing::Environment {
public:
  void SetUp() override {
    InitFramework();
    RegisterSkinDataClasses();
  }
  void TearDown() override { DoneFramework(); }
};
[[maybe_unused]] testing::Environment* const gEnvironment =
    testing::AddGlobalTestEnvironment(new TFrameworkEnvironment);

// Records what the component asks of the manager.
class TRecordingManager : public ISkinManager {
public:
  void AddSkinData(TSkinData* sd) override { Log.push_back("add " + sd->Name()); }
  void RemoveSkinData(TSkinData* sd) override { Log.push_back("remove " + sd->Name()); }
  void InstallHook() override { Log.push_back("hook"); }
  void PostCommand(int command, int delayMs) override {
    Log.push_back("post " + std::to_string(command) + " " + std::to_string(delayMs));
  }
  void SetCommandSkinData(TSkinData* sd) override {
    Log.push_back("command data " + (sd ? sd->Name() : std::string("none")));
  }
  void RefreshFormsOfSkin() override { Log.push_back("refresh"); }
  bool SkinWindow(HWND) override {
    Log.push_back("skin window");
    return true;
  }
  bool Enabled() const override { return FEnabled; }
  void SetEnabled(bool e) override {
    FEnabled = e;
    Log.push_back(e ? "enable" : "disable");
  }
  int State() const override { return FState; }
  void SetState(int s) override {
    FState = s;
    Log.push_back("state " + std::to_string(s));
  }
  std::vector<std::string> Log;
  bool FEnabled = false;
  int FState = 0;
};

TRecordingManager* gManager = nullptr;
ISkinManager* MakeRecordingManager() {
  return gManager = new TRecordingManager;
}

std::vector<std::string> gMessages;
void RecordMessage(const char* text) {
  gMessages.push_back(text);
}

// The top border's picture: every pixel a colour of its own, so that only
// the right one can pass for the base colour.
TColor TopPixel(int x, int y) {
  return MakeColor(8 * x, 6 * y, 30);
}

// A small skin: its colours and one border picture.
std::vector<std::uint8_t> TestArchive(std::uint32_t kind = 20000) {
  std::string ini =
      "[TitlebarSkin]\r\nSkinName=Test grey\r\n[Colours]\r\nButtonFace=200,201,202\r\n"
      "[Personality]\r\nTop=f-top.bmp\r\nTopFrame=2\r\n";
  Bitmap top(30, 40);
  for (int y = 0; y < top.Height(); ++y)
    for (int x = 0; x < top.Width(); ++x)
      top.Set(x, y, TopPixel(x, y));
  return WriteSkinArchive({{"f-top.bmp", WriteBmp(top)},
                           {"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())}},
                          kind);
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  for (auto b : bytes) {
    s += digits[b >> 4];
    s += digits[b & 15];
  }
  return s;
}

// The SkinStream value: a 32-bit count, then the archive.
std::string StreamText(const std::vector<std::uint8_t>& archive) {
  std::vector<std::uint8_t> data(4);
  const auto n = static_cast<std::uint32_t>(archive.size());
  for (int i = 0; i < 4; ++i)
    data[i] = static_cast<std::uint8_t>(n >> (8 * i));
  data.insert(data.end(), archive.begin(), archive.end());
  return "{" + Hex(data) + "}";
}

std::string FormText(const std::string& skinDataProps) {
  return "object TestForm: TForm\n  Caption = 'skinned'\n  object SkinData1: TSkinData\n" +
         skinDataProps + "  end\nend\n";
}

class SkinDataTest : public testing::Test {
protected:
  void SetUp() override {
    gMessages.clear();
    SetSkinMessageFunc(RecordMessage);
  }
  void TearDown() override {
    delete Form;
    RegisterSkinManagerFactory(nullptr);
    FreeSkinManager();
    gManager = nullptr;
    SetSkinMessageFunc(nullptr);
  }
  TSkinData* Load(const std::string& props) {
    Form = new TForm(nullptr);
    ReadComponentText(Form, FormText(props));
    return Form->Find<TSkinData>("SkinData1");
  }
  TForm* Form = nullptr;
};

TEST_F(SkinDataTest, DefaultsAfterConstruction) {
  TSkinData sd(nullptr);
  EXPECT_FALSE(sd.Active());
  EXPECT_EQ(sd.DisableTag(), 99);
  for (int t = xcMainMenu; t <= xcFastReport; ++t)
    EXPECT_EQ(sd.HasControl(static_cast<TSkinControlType>(t)), t != xcMenuItem && t != xcFastReport)
        << SkinControlTypeInfo.NameOf(t);
  EXPECT_EQ(sd.Options(), SkinOptionBit(xoPreview) | SkinOptionBit(xoToolbarBK) |
                              SkinOptionBit(xoCaptionButtonHint));
  EXPECT_EQ(sd.SkinFormtype(), sfMainform);
  EXPECT_EQ(sd.Version(), L"5.40.07.15");
  EXPECT_TRUE(sd.MenuUpdate());
  EXPECT_FALSE(sd.MenuMerge());
  EXPECT_FALSE(sd.SkinLoaded());
  EXPECT_EQ(sd.SkinStore(), L"(none)");
  EXPECT_EQ(sd.SkinFile(), L"");
  // The class-to-kind list: 118 lines in their order.
  ASSERT_EQ(sd.Skin3rd().Count(), 118);
  EXPECT_EQ(sd.Skin3rd().Get(0), L"TCategoryButtons=scrollbar");
  EXPECT_EQ(sd.Skin3rd().Get(1), L"TPngSpeedbutton=pngspeedbutton");
  EXPECT_EQ(sd.Skin3rd().Get(2), L"TPngBitBtn=pngbitbtn");
  EXPECT_EQ(sd.Skin3rd().Get(7), L"TComboboxex=combobox");
  EXPECT_EQ(sd.Skin3rd().Get(49), L"TDBCheckboxEh=Checkbox");
  EXPECT_EQ(sd.Skin3rd().Get(117), L"TOVCDBNUMERICFIELD=Edit");
  EXPECT_EQ(sd.Skin3rd().IndexOf(L"TLMDGROUPBOX=Panel"), 54);
  EXPECT_EQ(sd.SmallIcon().Width(), GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(sd.MaximizedSize().cx, GetSystemMetrics(SM_CXMAXIMIZED));
}

TEST_F(SkinDataTest, StoredSkinLoadsWhileTheFormIsRead) {
  TSkinData* sd = Load("    Active = True\n    SkinStream = " + StreamText(TestArchive()) + "\n");
  ASSERT_NE(sd, nullptr);
  EXPECT_TRUE(sd->SkinLoaded());
  EXPECT_TRUE(sd->Active());
  EXPECT_EQ(sd->SkinName(), "Test grey");
  EXPECT_EQ(sd->Skin().Colors[scButtonFace], MakeColor(200, 201, 202));
  EXPECT_TRUE(sd->Skin().ColorGiven[scButtonFace]);
  EXPECT_EQ(sd->Skin().Border(bpTop).Image.Width(), 30);
  // The background brush is the skin's face colour.
  LOGBRUSH lb{};
  ASSERT_TRUE(GetObjectW(sd->BackgroundBrush(), sizeof lb, &lb));
  EXPECT_EQ(lb.lbColor, MakeColor(200, 201, 202));
  // Base colour: a third into the top border's first frame, which is
  // 30 x 20 (two frames stacked): pixel (10, 6).
  EXPECT_EQ(sd->Skin().Colors[scBaseColor], TopPixel(10, 6));
  EXPECT_TRUE(gMessages.empty());
  EXPECT_EQ(sd->SkinStore(), L"(none)"); // at run time, even with a stored skin
}

TEST_F(SkinDataTest, SkinStreamWritesBackAsRead) {
  const std::string stream = StreamText(TestArchive());
  Load("    Active = True\n    SkinStream = " + stream + "\n");
  const std::string text = WriteComponentText(Form);
  EXPECT_NE(text.find("SkinStream = {"), std::string::npos);
  // The hex may be wrapped over lines; compare without blanks.
  std::string compact;
  for (char c : text)
    if (c != ' ' && c != '\n') compact += c;
  EXPECT_NE(compact.find("SkinStream=" + stream), std::string::npos);
  EXPECT_NE(text.find("Active = True"), std::string::npos);
  EXPECT_NE(text.find("SkinFormtype = sfMainform"), std::string::npos);
  EXPECT_NE(text.find("Version = '5.40.07.15'"), std::string::npos);
}

TEST_F(SkinDataTest, WithoutAStoredSkinActiveEndsFalse) {
  TSkinData* sd = Load("    Active = True\n");
  EXPECT_FALSE(sd->SkinLoaded());
  EXPECT_FALSE(sd->Active());
}

TEST_F(SkinDataTest, OldSkinKindShowsTheMessageOnce) {
  for (std::uint32_t kind : {10000u, 0u}) {
    gMessages.clear();
    delete Form;
    Form = nullptr;
    TSkinData* sd =
        Load("    Active = True\n    SkinStream = " + StreamText(TestArchive(kind)) + "\n");
    ASSERT_EQ(gMessages.size(), 1u) << kind;
    EXPECT_EQ(gMessages[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_FALSE(sd->SkinLoaded());
    EXPECT_FALSE(sd->Active());
  }
}

TEST_F(SkinDataTest, DamagedStreamsGiveNoSkinAndNoCrash) {
  std::vector<std::uint8_t> archive = TestArchive();
  std::vector<std::uint8_t> truncated(archive.begin(), archive.begin() + archive.size() / 2);
  const std::string cases[] = {
      "{}",
      "{0100}",
      "{FFFFFFFF00}",
      "{0A000000" + Hex({1, 2, 3}) + "}",
      StreamText(std::vector<std::uint8_t>(64, 0xFF)),
  };
  for (const auto& stream : cases) {
    delete Form;
    Form = nullptr;
    TSkinData* sd = Load("    Active = True\n    SkinStream = " + stream + "\n");
    EXPECT_FALSE(sd->SkinLoaded()) << stream;
    EXPECT_FALSE(sd->Active()) << stream;
  }
  // A stream cut short decodes as if zeros followed. Cut inside the member
  // data the format cannot tell: the skin loads, but the definition, its
  // last member, came out as filler, so the skin has no name and the
  // system's colours, while the border picture's size still comes through.
  delete Form;
  Form = nullptr;
  TSkinData* sd = Load("    Active = True\n    SkinStream = " + StreamText(truncated) + "\n");
  EXPECT_EQ(sd->StoredArchive(), truncated);
  EXPECT_TRUE(sd->SkinLoaded());
  EXPECT_TRUE(sd->Active());
  EXPECT_EQ(sd->SkinName(), "");
  EXPECT_FALSE(sd->Skin().ColorGiven[scButtonFace]);
  EXPECT_EQ(sd->Skin().Colors[scButtonFace], SysColor(COLORIDX_BTNFACE));
  // Cut within the first bytes, it could not hold what it declares.
  delete Form;
  Form = nullptr;
  const std::vector<std::uint8_t> stub(archive.begin(), archive.begin() + 6);
  sd = Load("    Active = True\n    SkinStream = " + StreamText(stub) + "\n");
  EXPECT_EQ(sd->StoredArchive(), stub);
  EXPECT_FALSE(sd->SkinLoaded());
  EXPECT_FALSE(sd->Active());
}

TEST_F(SkinDataTest, AFailedLoadLeavesTheSkinNotLoaded) {
  TSkinData* sd = Load("    SkinStream = " + StreamText(TestArchive()) + "\n");
  ASSERT_TRUE(sd->SkinLoaded());
  sd->SetStoredArchive({1, 2, 3, 4, 5});
  EXPECT_FALSE(sd->LoadSkin());
  EXPECT_FALSE(sd->SkinLoaded());
  EXPECT_TRUE(gMessages.empty());
  sd->SetStoredArchive(TestArchive(10000));
  EXPECT_FALSE(sd->LoadSkin());
  EXPECT_FALSE(sd->SkinLoaded());
  EXPECT_EQ(gMessages.size(), 1u);
  // A good archive again loads, and the definition counts the loads.
  const std::uint32_t generation = sd->Skin().Generation();
  sd->SetStoredArchive(TestArchive());
  EXPECT_TRUE(sd->LoadSkin());
  EXPECT_TRUE(sd->SkinLoaded());
  EXPECT_EQ(sd->Skin().Generation(), generation + 1);
}

TEST_F(SkinDataTest, DesignTimeStoreAndFile) {
  TSkinData sd(nullptr);
  sd.SetDesigning(true);
  EXPECT_EQ(sd.SkinStore(), L"(none)");
  sd.SetStoredArchive(TestArchive());
  EXPECT_EQ(sd.SkinStore(), L"(Good)");
  // Nothing is loaded while designing.
  EXPECT_FALSE(sd.LoadSkin());
  EXPECT_FALSE(sd.SkinLoaded());
  sd.SetSkinFile(L"");
  EXPECT_EQ(sd.StoredArchive(), TestArchive());
  // Naming a file gives up the stored archive, even a file not there.
  sd.SetSkinFile(L"C:\\skins\\none.skn");
  EXPECT_TRUE(sd.StoredArchive().empty());
  EXPECT_EQ(sd.SkinStore(), L"(none)");
  EXPECT_EQ(sd.SkinFile(), L"C:\\skins\\none.skn");
}

TEST_F(SkinDataTest, SkinControlsAreAdjustedAfterLoading) {
  TSkinData* sd = Load("    SkinControls = [xcMainMenu, xcMenuItem, xcSystemMenu, xcEdit]\n");
  EXPECT_TRUE(sd->HasControl(xcMainMenu));
  EXPECT_FALSE(sd->HasControl(xcMenuItem));
  EXPECT_TRUE(sd->HasControl(xcSystemMenu));
  delete Form;
  sd = Load("    SkinControls = [xcMenuItem, xcSystemMenu, xcEdit]\n");
  EXPECT_TRUE(sd->HasControl(xcMenuItem));
  EXPECT_FALSE(sd->HasControl(xcSystemMenu));
  EXPECT_TRUE(sd->HasControl(xcEdit));
}

TEST_F(SkinDataTest, StoredListReplacesTheDefault) {
  TSkinData* sd = Load("    Skin3rd.Strings = (\n      'TA=edit'\n      'TB=panel')\n");
  EXPECT_EQ(sd->Skin3rd().ToVector(), (std::vector<std::wstring>{L"TA=edit", L"TB=panel"}));
}

TEST_F(SkinDataTest, LoadedTalksToTheManagerInOrder) {
  RegisterSkinManagerFactory(MakeRecordingManager);
  Load("    Active = True\n    SkinStream = " + StreamText(TestArchive()) + "\n");
  ASSERT_NE(gManager, nullptr);
  EXPECT_EQ(gManager->Log, (std::vector<std::string>{"add SkinData1", "hook", "post 1 250"}));
}

TEST_F(SkinDataTest, ActiveSetterPostsCommandsOnlyAfterLoading) {
  RegisterSkinManagerFactory(MakeRecordingManager);
  TSkinData* sd = Load("    SkinStream = " + StreamText(TestArchive()) + "\n");
  gManager->Log.clear();
  sd->SetActive(false); // unchanged: nothing
  EXPECT_TRUE(gManager->Log.empty());
  sd->SetActive(true);
  EXPECT_EQ(gManager->Log,
            (std::vector<std::string>{"command data SkinData1", "post 1 250", "state 1"}));
  gManager->Log.clear();
  sd->SetActive(false);
  EXPECT_EQ(gManager->Log, (std::vector<std::string>{"command data SkinData1", "post 2 250"}));
  // Only this form: commands even without the state change.
  sd->SetSkinFormtype(sfOnlyThisForm);
  gManager->Log.clear();
  sd->SetActive(true);
  EXPECT_EQ(gManager->Log, (std::vector<std::string>{"command data SkinData1", "post 1 250"}));
  // Dialog components leave the switching to the main one.
  sd->SetSkinFormtype(sfDialog);
  gManager->Log.clear();
  sd->SetActive(false);
  EXPECT_TRUE(gManager->Log.empty());
}

TEST_F(SkinDataTest, OtherFormTypesSkinTheirOwnForm) {
  for (const char* type : {"sfOnlyThisForm", "sfDialog", "sfDLL"}) {
    for (const bool active : {true, false}) {
      SCOPED_TRACE(testing::Message() << type << " active " << active);
      delete Form;
      Form = nullptr;
      FreeSkinManager();
      RegisterSkinManagerFactory(MakeRecordingManager);
      TSkinData* sd = Load(std::string("    Active = ") + (active ? "True" : "False") +
                           "\n    SkinFormtype = " + type +
                           "\n    SkinControls = [xcMainMenu, xcMenuItem]\n    SkinStream = " +
                           StreamText(TestArchive()) + "\n");
      // Each such component counts itself into the manager's state; only
      // an active one skins its form at once. No hook: that is the main
      // form's component's, as is the menu adjustment.
      std::vector<std::string> expected{"add SkinData1", "enable", "state 1"};
      if (active) expected.push_back("skin window");
      EXPECT_EQ(gManager->Log, expected);
      EXPECT_EQ(sd->Active(), active);
      EXPECT_TRUE(sd->HasControl(xcMenuItem));
    }
  }
}

TEST_F(SkinDataTest, ANewSkinFileIsAppliedWhenSkinningIsOn) {
  RegisterSkinManagerFactory(MakeRecordingManager);
  TSkinData* sd = Load("");
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"skindata_apply.skn";
  {
    std::vector<std::uint8_t> archive = TestArchive();
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(archive.data(), 1, archive.size(), f);
    fclose(f);
  }
  gManager->SetState(1); // the skin is applied
  gManager->Log.clear();
  sd->SetSkinFile(path);
  EXPECT_TRUE(sd->SkinLoaded());
  EXPECT_EQ(gManager->Log,
            (std::vector<std::string>{"command data SkinData1", "refresh", "post 3 250"}));
  DeleteFileW(path.c_str());
}

TEST_F(SkinDataTest, SkinFileReplacesTheStoredSkin) {
  RegisterSkinManagerFactory(MakeRecordingManager);
  TSkinData* sd = Load("");
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"skindata_test.skn";
  {
    std::vector<std::uint8_t> archive = TestArchive();
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(archive.data(), 1, archive.size(), f);
    fclose(f);
  }
  gManager->Log.clear();
  sd->SetSkinFile(path);
  EXPECT_TRUE(sd->SkinLoaded());
  EXPECT_EQ(sd->SkinName(), "Test grey");
  EXPECT_EQ(gManager->Log, (std::vector<std::string>{"command data SkinData1", "refresh"}));
  // A missing file changes nothing more, but the skin counts as not loaded.
  sd->SetSkinFile(path + L".missing");
  EXPECT_FALSE(sd->SkinLoaded());
  EXPECT_EQ(sd->StoredArchive(), TestArchive());
  DeleteFileW(path.c_str());
}

TEST_F(SkinDataTest, FormFilterRefusesTheMonthCalendarAndReportClasses) {
  TSkinData sd(nullptr);
  auto allows = [&](const wchar_t* cls) {
    bool doSkin = true;
    sd.FormFilter(reinterpret_cast<HWND>(1), cls, doSkin);
    return doSkin;
  };
  EXPECT_FALSE(allows(L"SysMonthCal32"));
  EXPECT_TRUE(allows(L"TfrPreviewForm"));
  sd.SetSkinControls(sd.SkinControls() | SkinControlBit(xcFastReport));
  EXPECT_FALSE(allows(L"TfrPreviewForm"));
  EXPECT_TRUE(allows(L"TForm1"));
  // With a handler of its own the handler decides.
  struct TFilter : TObject {
    void Decide(TObject*, const std::wstring& name, bool& doSkin) {
      doSkin = name == L"SysMonthCal32";
    }
  } filter;
  sd.OnFormSkin = TOnFormSkin(&filter, &TFilter::Decide);
  EXPECT_TRUE(allows(L"SysMonthCal32"));
  EXPECT_FALSE(allows(L"TForm1"));
  EXPECT_EQ(sd.FilteredWindow(), reinterpret_cast<HWND>(1));
}

TEST_F(SkinDataTest, CaptionButtonHintShowsOnceAndHides) {
  TSkinData sd(nullptr);
  RECT at{200, 100, 220, 120};
  sd.ShowCaptionButtonHint(at, L"关闭");
  EXPECT_TRUE(sd.CaptionHintShowing());
  HWND hint = FindWindowW(L"THintWindow", nullptr);
  ASSERT_NE(hint, nullptr);
  RECT r;
  GetWindowRect(hint, &r);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 100);
  EXPECT_TRUE(IsWindowVisible(hint));
  sd.HideCaptionButtonHint();
  EXPECT_FALSE(sd.CaptionHintShowing());
  EXPECT_FALSE(IsWindowVisible(hint));
  // Without the option there is no hint.
  sd.SetOptions(0);
  sd.ShowCaptionButtonHint(at, L"x");
  EXPECT_FALSE(sd.CaptionHintShowing());
}

// Every field of the system's caption font, and of the conversion from
// the ANSI description: the system's own values may all be defaults, so
// the conversion gets a description where no field is.
TEST_F(SkinDataTest, CaptionFontIsTheSystemsWhole) {
  TSkinData* sd = Load("");
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0));
  auto expectSame = [](const LOGFONTW& got, const LOGFONTW& want) {
    EXPECT_EQ(got.lfHeight, want.lfHeight);
    EXPECT_EQ(got.lfWidth, want.lfWidth);
    EXPECT_EQ(got.lfEscapement, want.lfEscapement);
    EXPECT_EQ(got.lfOrientation, want.lfOrientation);
    EXPECT_EQ(got.lfWeight, want.lfWeight);
    EXPECT_EQ(got.lfItalic, want.lfItalic);
    EXPECT_EQ(got.lfUnderline, want.lfUnderline);
    EXPECT_EQ(got.lfStrikeOut, want.lfStrikeOut);
    EXPECT_EQ(got.lfCharSet, want.lfCharSet);
    EXPECT_EQ(got.lfOutPrecision, want.lfOutPrecision);
    EXPECT_EQ(got.lfClipPrecision, want.lfClipPrecision);
    EXPECT_EQ(got.lfQuality, want.lfQuality);
    EXPECT_EQ(got.lfPitchAndFamily, want.lfPitchAndFamily);
    EXPECT_EQ(std::wstring(got.lfFaceName), std::wstring(want.lfFaceName));
  };
  expectSame(sd->CaptionLogFont(), ncm.lfCaptionFont);
  // The font made from it is made from all of it.
  ASSERT_NE(sd->CaptionFont(), nullptr);
  LOGFONTW made{};
  ASSERT_EQ(GetObjectW(sd->CaptionFont(), sizeof made, &made), static_cast<int>(sizeof made));
  expectSame(made, ncm.lfCaptionFont);

  LOGFONTA a{-17,
             7,
             900,
             450,
             FW_SEMIBOLD,
             1,
             1,
             1,
             GB2312_CHARSET,
             OUT_TT_PRECIS,
             CLIP_LH_ANGLES,
             ANTIALIASED_QUALITY,
             FIXED_PITCH | FF_MODERN,
             ""};
  std::strcpy(a.lfFaceName, "\xCB\xCE\xCC\xE5"); // 宋体 in code page 936
  LOGFONTW w{-17,
             7,
             900,
             450,
             FW_SEMIBOLD,
             1,
             1,
             1,
             GB2312_CHARSET,
             OUT_TT_PRECIS,
             CLIP_LH_ANGLES,
             ANTIALIASED_QUALITY,
             FIXED_PITCH | FF_MODERN,
             L"宋体"};
  expectSame(CaptionLogFontOf(a), w);
}

// The application's small icon, else its big one, drawn on magenta at the
// system's small-icon size; magenta is the key.
TEST_F(SkinDataTest, SmallIconIsTheApplicationsOnMagenta) {
  Application->Initialize();
  const HWND app = Application->Handle();
  ASSERT_NE(app, nullptr);
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  // Top half opaque in one colour, bottom half transparent.
  auto makeIcon = [&](TColor colour) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(cx) * cy, 0);
    std::vector<std::uint8_t> mask(static_cast<std::size_t>((cx + 15) / 16 * 2) * cy, 0);
    for (int y = 0; y < cy; ++y)
      for (int x = 0; x < cx; ++x) {
        if (y < cy / 2)
          pixels[y * cx + x] = ColorToPixel(colour);
        else
          mask[y * ((cx + 15) / 16 * 2) + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    const TGdiBitmap colourBits(CreateBitmap(cx, cy, 1, 32, pixels.data()));
    const TGdiBitmap maskBits(CreateBitmap(cx, cy, 1, 1, mask.data()));
    ICONINFO info{TRUE, 0, 0, maskBits.Get(), colourBits.Get()};
    return CreateIconIndirect(&info);
  };
  auto setIcons = [&](HICON small, HICON big) {
    SendMessageW(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageW(app, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  };
  auto capture = [&] {
    delete Form;
    Form = nullptr;
    TSkinData* sd = Load("");
    EXPECT_TRUE(sd->SmallIcon().Transparent);
    EXPECT_EQ(sd->SmallIcon().TransparentColor, clMagenta);
    return sd->SmallIcon().ToBitmap();
  };
  auto halves = [&](const Bitmap& b, TColor top, TColor bottom) {
    EXPECT_EQ(b.Width(), cx);
    EXPECT_EQ(b.Height(), cy);
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        if (b.At(x, y) != (y < cy / 2 ? top : bottom))
          return testing::AssertionFailure() << "pixel " << x << "," << y;
    return testing::AssertionSuccess();
  };
  const HICON red = makeIcon(MakeColor(255, 0, 0)), blue = makeIcon(MakeColor(0, 0, 255));
  setIcons(nullptr, nullptr);
  EXPECT_TRUE(halves(capture(), clMagenta, clMagenta));
  setIcons(nullptr, red);
  EXPECT_TRUE(halves(capture(), MakeColor(255, 0, 0), clMagenta));
  setIcons(blue, red);
  EXPECT_TRUE(halves(capture(), MakeColor(0, 0, 255), clMagenta));
  setIcons(nullptr, nullptr);
  DestroyIcon(red);
  DestroyIcon(blue);
}

TEST_F(SkinDataTest, WideTextHelpers) {
  EXPECT_TRUE(IsWinNT());
  EXPECT_EQ(AnsiToWideText("\xCE\xC4\xBC\xFE"), L"文件");
  HDC dc = CreateCompatibleDC(nullptr);
  RECT r{0, 0, 0, 0};
  int h = DrawWideText(dc, L"文件", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_GT(h, 0);
  EXPECT_GT(r.right, 0);
  DeleteDC(dc);
  EXPECT_TRUE(HasGetScrollBarInfo());
  EXPECT_NE(SkinGetComboBoxInfoFunc(), nullptr);
}

} // namespace

// --- The parent paints a control's background ---------------------------------

#include "fw/ExtCtrls.h"
#include "skin/data/ParentBackground.h"

namespace {

class TMarkLabel : public TLabel {
public:
  using TLabel::TLabel;
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    TLabel::Paint();
  }
};

// A windowless control drawn transparently: its parent's background first.
class TSeeThroughLabel : public TLabel {
public:
  using TLabel::TLabel;
  int Paints = 0;
  COLORREF Beneath = CLR_INVALID;

protected:
  void Paint() override {
    ++Paints;
    PaintParentBackground(this, Canvas().Handle());
    Beneath = GetPixel(Canvas().Handle(), 2, 2);
  }
};

TEST(ParentBackground, WindowlessControlGetsOnlyWhatLiesBeneathIt) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBevelOuter(bvNone);
  panel->SetBounds(0, 0, 200, 100);
  panel->SetColor(MakeColor(10, 200, 30));
  auto* below = new TMarkLabel(&form);
  below->SetParent(panel);
  below->SetAutoSize(false);
  below->SetBounds(10, 10, 20, 20);
  below->SetColor(MakeColor(200, 0, 0));
  below->SetCaption(L"");
  auto* glass = new TSeeThroughLabel(&form);
  glass->SetParent(panel);
  glass->SetAutoSize(false);
  glass->SetBounds(8, 8, 40, 40);
  auto* above = new TMarkLabel(&form);
  above->SetParent(panel);
  above->SetAutoSize(false);
  above->SetBounds(0, 0, 30, 30);
  above->SetCaption(L"");
  form.HandleNeeded();

  TMemoryDC dc(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  TGdiBitmap dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  TSelection sel(dc.Get(), dib.Get());
  const int aboveBefore = above->Paints;
  SendMessageW(panel->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
  EXPECT_EQ(glass->Paints, 1); // painted once, not again from inside its own background
  // At (2, 2) in the glass, (10, 10) on the panel: the label below shows.
  EXPECT_EQ(glass->Beneath, ColorToRGB(MakeColor(200, 0, 0)));
  // The panel painted the control above once, in its own turn, never beneath the glass.
  EXPECT_EQ(above->Paints, aboveBefore + 1);
}

TEST(ParentBackground, ParentPaintsItsColourAndWindowlessChildrenUnderTheControl) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBevelOuter(bvNone);
  panel->SetBounds(0, 0, 200, 100);
  panel->SetColor(MakeColor(10, 200, 30));
  auto* label = new TMarkLabel(&form);
  label->SetParent(panel);
  label->SetAutoSize(false);
  label->SetBounds(50, 10, 20, 20);
  label->SetColor(MakeColor(200, 0, 0));
  label->SetCaption(L"");
  auto* button = new TButton(&form);
  button->SetParent(panel);
  button->SetBounds(40, 5, 60, 40);
  form.HandleNeeded();

  TMemoryDC dc(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 60, -40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  TGdiBitmap dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  TSelection sel(dc.Get(), dib.Get());
  const int before = label->Paints;
  PaintParentBackground(button, dc.Get());
  GdiFlush();
  auto pixel = [&](int x, int y) {
    return PixelToColor(static_cast<std::uint32_t*>(bits)[y * 60 + x] & 0xFFFFFF);
  };
  // The panel's colour where nothing else is; the label (at 50,10 on the
  // panel, so 10,5 in the button) painted over it.
  EXPECT_EQ(pixel(0, 0), MakeColor(10, 200, 30));
  EXPECT_EQ(pixel(59, 39), MakeColor(10, 200, 30));
  EXPECT_EQ(pixel(15, 10), MakeColor(200, 0, 0));
  EXPECT_GT(label->Paints, before);
  // The DC's state is as it was.
  POINT origin;
  GetViewportOrgEx(dc.Get(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  PaintParentBackground(&form, dc.Get()); // no parent: nothing, no crash
}

} // namespace
