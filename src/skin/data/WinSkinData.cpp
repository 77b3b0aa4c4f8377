#include "skin/data/WinSkinData.h"

#include "core/SkinRead.h"
#include "core/WinSkinIni.h"
#include "fw/FormStream.h"
#include "fw/Forms.h"

#include <cstring>
#include <fstream>

const char* const SkinDataVersion = "5.40.07.15";

const TEnumInfo SkinControlTypeInfo{
    "TSkinControlType",
    {"xcMainMenu", "xcPopupMenu",   "xcMenuItem",   "xcToolbar",   "xcControlbar", "xcCombo",
     "xcCheckBox", "xcRadioButton", "xcProgress",   "xcScrollbar", "xcEdit",       "xcButton",
     "xcBitBtn",   "xcSpeedButton", "xcSpin",       "xcPanel",     "xcGroupBox",   "xcStatusBar",
     "xcTab",      "xcTrackBar",    "xcSystemMenu", "xcFastReport"}};
const TEnumInfo SkinOptionInfo{"TSkinOption",
                               {"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview",
                                "xoParentBackGround", "xoNoFocusRect", "xoToolbarBK",
                                "xoToolbarButton", "xoMDIChildBorder", "xoMenuBG",
                                "xoCaptionButtonHint", "xoFormScrollbar"}};
const TEnumInfo SkinFormTypeInfo{"TSkinFormType",
                                 {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}};

const std::vector<std::wstring>& DefaultSkin3rd() {
  static const std::vector<std::wstring> list = {
#include "Skin3rdDefault.inc"
  };
  return list;
}

namespace {

constexpr TSkinControlTypes kAllControls = (1u << (xcFastReport + 1)) - 1;
constexpr TSkinControlTypes kDefaultControls =
    kAllControls & ~SkinControlBit(xcMenuItem) & ~SkinControlBit(xcFastReport);
constexpr TSkinOptions kDefaultOptions =
    SkinOptionBit(xoPreview) | SkinOptionBit(xoToolbarBK) | SkinOptionBit(xoCaptionButtonHint);

void ShowSkinMessageBox(const char* text) {
  const std::string title = Application ? WideToAnsi(Application->Title()) : std::string();
  MessageBoxA(nullptr, text, title.c_str(), MB_OK);
}

TSkinMessageFunc gSkinMessage = ShowSkinMessageBox;

// The program's own resources and the system's metrics, for the loader.
class TWin32SkinEnvironment final : public ISkinEnvironment {
public:
  Bitmap ResourceBitmap(std::string_view name) const override {
    TBitmap b;
    if (!b.LoadFromResourceName(FrameworkInstance(), Widen(name).c_str())) return {};
    return b.ToBitmap();
  }
  int ScrollArrowWidth() const override { return GetSystemMetrics(SM_CXVSCROLL); }
};

struct TUser32Functions {
  using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
  using TTrackMouseEvent = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
  using TDisableGhosting = void(WINAPI*)();
  HMODULE Library = LoadLibraryA("user32.dll");
  TGetScrollBarInfo GetScrollBarInfo = Find<TGetScrollBarInfo>("GetScrollBarInfo");
  TTrackMouseEvent TrackMouseEvent = Find<TTrackMouseEvent>("TrackMouseEvent");
  TGetComboBoxInfoFunc GetComboBoxInfo = Find<TGetComboBoxInfoFunc>("GetComboBoxInfo");
  // Looked up like the others, never called: the program lets the system
  // ghost a window that stops answering.
  TDisableGhosting DisableProcessWindowsGhosting =
      Find<TDisableGhosting>("DisableProcessWindowsGhosting");

  ~TUser32Functions() {
    if (Library) FreeLibrary(Library);
  }
  template <class F> F Find(const char* name) const {
    return Library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Library, name)))
                   : nullptr;
  }
};

const TUser32Functions& User32() {
  static const TUser32Functions functions;
  return functions;
}

} // namespace

void SetSkinMessageFunc(TSkinMessageFunc func) {
  gSkinMessage = func ? func : ShowSkinMessageBox;
}

bool HasGetScrollBarInfo() {
  return User32().GetScrollBarInfo != nullptr;
}

bool SkinGetScrollBarInfo(HWND wnd, LONG objectId, SCROLLBARINFO* info) {
  if (!User32().GetScrollBarInfo) return false;
  return User32().GetScrollBarInfo(wnd, objectId, info) != 0;
}

void SkinTrackMouseLeave(HWND wnd) {
  if (!User32().TrackMouseEvent) return;
  // The structure's size is that of this platform's build (16 bytes on
  // 32-bit Windows, 24 on 64-bit); a fixed 16 would be refused on 64-bit.
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, wnd, 0};
  User32().TrackMouseEvent(&t);
}

TGetComboBoxInfoFunc SkinGetComboBoxInfoFunc() {
  return User32().GetComboBoxInfo;
}

bool IsWinNT() {
  return GetVersion() < 0x80000000u;
}

int DrawWideText(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  if (IsWinNT()) return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  std::string ansi = WideToAnsi(text);
  return DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}

std::wstring AnsiToWideText(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), w.data(), n);
  return w;
}

// ---------------------------------------------------------------------------

static TPropInfo AlwaysStored(TPropInfo p) {
  p.Stored = [](TObject*) { return true; };
  return p;
}

static void SetupSkinData(TClassInfo& c) {
  c.Props.push_back(AlwaysStored(BoolProp<TSkinData>(
      "Active", [](TSkinData* o) { return o->Active(); },
      [](TSkinData* o, bool v) { o->SetActive(v); })));
  c.Props.push_back(AlwaysStored(IntProp<TSkinData>(
      "DisableTag", [](TSkinData* o) { return o->DisableTag(); },
      [](TSkinData* o, std::int64_t v) { o->SetDisableTag(static_cast<int>(v)); })));
  c.Props.push_back(AlwaysStored(SetPropOf<TSkinData>(
      "SkinControls", SkinControlTypeInfo,
      [](TSkinData* o) { return std::uint64_t(o->SkinControls()); },
      [](TSkinData* o, std::uint64_t v) {
        o->SetSkinControls(static_cast<TSkinControlTypes>(v));
      })));
  c.Props.push_back(AlwaysStored(SetPropOf<TSkinData>(
      "Options", SkinOptionInfo, [](TSkinData* o) { return std::uint64_t(o->Options()); },
      [](TSkinData* o, std::uint64_t v) { o->SetOptions(static_cast<TSkinOptions>(v)); })));
  c.Props.push_back(AlwaysStored(ObjectProp<TSkinData, TStrings>(
      "Skin3rd", [](TSkinData* o) { return &o->Skin3rd(); },
      [](TSkinData* o, TStrings* v) {
        if (v) o->SetSkin3rd(*v);
      })));
  c.Props.push_back(AlwaysStored(StringProp<TSkinData>(
      "SkinFile", [](TSkinData* o) { return o->SkinFile(); },
      [](TSkinData* o, const std::wstring& v) { o->SetSkinFile(v); })));
  c.Props.push_back(AlwaysStored(StringProp<TSkinData>(
      "SkinStore", [](TSkinData* o) { return o->SkinStore(); },
      [](TSkinData*, const std::wstring&) {})));
  c.Props.push_back(AlwaysStored(EnumProp<TSkinData>(
      "SkinFormtype", SkinFormTypeInfo,
      [](TSkinData* o) { return static_cast<int>(o->SkinFormtype()); },
      [](TSkinData* o, int v) { o->SetSkinFormtype(static_cast<TSkinFormType>(v)); })));
  c.Props.push_back(AlwaysStored(StringProp<TSkinData>(
      "Version", [](TSkinData* o) { return o->Version(); },
      [](TSkinData*, const std::wstring&) {})));
  c.Props.push_back(AlwaysStored(BoolProp<TSkinData>(
      "MenuUpdate", [](TSkinData* o) { return o->MenuUpdate(); },
      [](TSkinData* o, bool v) { o->SetMenuUpdate(v); })));
  c.Props.push_back(AlwaysStored(BoolProp<TSkinData>(
      "MenuMerge", [](TSkinData* o) { return o->MenuMerge(); },
      [](TSkinData* o, bool v) { o->SetMenuMerge(v); })));
  c.Props.push_back(EventProp("OnFormSkin", &TSkinData::OnFormSkin));
  c.Props.push_back(EventProp("OnSkinChanged", &TSkinData::OnSkinChanged));
  c.Props.push_back(EventProp("OnSkinControl", &TSkinData::OnSkinControl));
  c.Props.push_back(EventProp("OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm));
  c.Props.push_back(EventProp("OnAfterSkinForm", &TSkinData::OnAfterSkinForm));
}
FW_CLASS_IMPL(TSkinData, TComponent, CreateComponentOf<TSkinData>, SetupSkinData)

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner), FSkinControls(kDefaultControls), FOptions(kDefaultOptions) {
  FSmallIcon.SetSize(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  FSkin3rd.SetLines(DefaultSkin3rd());
  FMenuGlyphs.LoadFromResourceName(FrameworkInstance(), L"SKINMENU", 16, clWhite);
  FMaximizedSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  FHint = new THintWindow(nullptr);
}

TSkinData::~TSkinData() {
  if (ISkinManager* m = SkinManager()) m->RemoveSkinData(this);
  delete FHint;
}

std::wstring TSkinData::SkinStore() const {
  return HasState(csDesigning) && !FArchive.empty() ? L"(Good)" : L"(none)";
}

void TSkinData::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "SkinStream",
      [this](const std::vector<std::uint8_t>& data) {
        // A 32-bit byte count, then the archive. A count that the data does
        // not hold is a damaged property: no skin is taken from it.
        if (data.size() < 4) return;
        const std::uint32_t n =
            data[0] | data[1] << 8 | data[2] << 16 | std::uint32_t(data[3]) << 24;
        if (n == 0 || n > data.size() - 4) return;
        FArchive.assign(data.begin() + 4, data.begin() + 4 + n);
        if (!HasState(csDesigning)) LoadSkin();
      },
      [this] {
        std::vector<std::uint8_t> out(4 + FArchive.size());
        const auto n = static_cast<std::uint32_t>(FArchive.size());
        for (int i = 0; i < 4; ++i)
          out[i] = static_cast<std::uint8_t>(n >> (8 * i));
        std::copy(FArchive.begin(), FArchive.end(), out.begin() + 4);
        return out;
      },
      true);
}

bool TSkinData::LoadSkin() {
  FSkinNotLoaded = true;
  if (HasState(csDesigning)) return false;
  try {
    TSkinReader reader;
    const TSkinLoadResult result = reader.Load(FArchive);
    if (result == TSkinLoadResult::OldSkin) gSkinMessage(SOlderSkinFile);
    if (result != TSkinLoadResult::Ok) return false;
    std::vector<std::uint8_t> definition;
    std::string name;
    TQuickIni ini;
    if (reader.FindContaining(".ini", definition, name)) ini.LoadFromStream(&definition);
    FSkin.Load(ini, reader, TWin32SkinEnvironment());
    RemakeBackgroundBrush();
    FSkinNotLoaded = false;
    return true;
  } catch (const std::exception&) {
    // A skin that cannot be read leaves the program with its plain look.
    return false;
  }
}

void TSkinData::RemakeBackgroundBrush() {
  FBackgroundBrush.Reset(CreateSolidBrush(ColorToRGB(FSkin.Colors[scButtonFace])));
}

void TSkinData::SetSkinFile(const std::wstring& path) {
  FSkinNotLoaded = true;
  FSkinFile = path;
  if (HasState(csDesigning)) {
    if (!path.empty()) FArchive.clear();
    return;
  }
  if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  std::ifstream in(path.c_str(), std::ios::binary | std::ios::ate);
  if (!in) return;
  // No skin archive comes near this size; a bigger file is not read into
  // memory at all.
  const std::streamoff size = in.tellg();
  if (size < 0 || size > SkinMaxUnpackedSize) return;
  in.seekg(0);
  FArchive.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  LoadSkin();
  ApplySkinChange();
}

void TSkinData::SetActive(bool v) {
  if (v == FActive) return;
  FActive = v;
  if (HasState(csDesigning) || HasState(csLoading) || HasState(csReading)) return;
  ISkinManager* m = SkinManager();
  if (!m) return;
  switch (FSkinFormtype) {
  case sfMainform:
    if (v) {
      if (FSkinNotLoaded) return;
      m->SetCommandSkinData(this);
      m->PostCommand(1, 250);
      m->SetState(1);
    } else {
      m->SetCommandSkinData(this);
      m->PostCommand(2, 250);
    }
    break;
  case sfOnlyThisForm:
    m->SetCommandSkinData(this);
    if (v && FSkinNotLoaded) return;
    m->PostCommand(v ? 1 : 2, 250);
    break;
  case sfDialog:
  case sfDLL: break;
  }
}

void TSkinData::ApplySkinChange() {
  if (HasState(csDesigning) || HasState(csLoading) || HasState(csReading)) return;
  if (!SkinManager()) Loaded();
  ISkinManager* m = SkinManager();
  if (!m) return;
  m->SetCommandSkinData(this);
  m->RefreshFormsOfSkin();
  if (m->State() == 1) m->PostCommand(3, 250);
}

void TSkinData::Loaded() {
  TComponent::Loaded();
  if (HasState(csDesigning)) return;
  if (!HasGetScrollBarInfo()) FSkinControls &= ~SkinControlBit(xcScrollbar);
  ISkinManager* m = SkinManager();
  if (!m) m = CreateSkinManager();
  if (m) m->AddSkinData(this);
  ReadCaptionFont();
  if (FSkinFormtype != sfMainform) {
    if (!m) return;
    m->SetEnabled(true);
    m->SetState(m->State() + 1);
    auto* form = As<TCustomForm>(Owner());
    if (form && FActive) m->SkinWindow(form->Handle());
    return;
  }
  if (m) m->InstallHook();
  if (FActive) {
    if (FSkinNotLoaded)
      FActive = false;
    else if (m)
      m->PostCommand(1, 250);
  }
  AdjustSkinControls();
  CaptureSmallIcon();
}

void TSkinData::AdjustSkinControls() {
  if (HasControl(xcMainMenu))
    FSkinControls &= ~SkinControlBit(xcMenuItem);
  else
    FSkinControls &= ~SkinControlBit(xcSystemMenu);
}

void TSkinData::ReadCaptionFont() {
  // The layout of the first Windows versions that had these metrics: six
  // 32-bit words, then the caption font, taken whole (quality, pitch and
  // family, precisions and escapement shape the title text as much as the
  // face and height do).
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = 340;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) return;
  FCaptionLogFont = CaptionLogFontOf(ncm.lfCaptionFont);
  FCaptionFont.Reset(CreateFontIndirectW(&FCaptionLogFont));
}

LOGFONTW CaptionLogFontOf(const LOGFONTA& a) {
  LOGFONTW w{};
  w.lfHeight = a.lfHeight;
  w.lfWidth = a.lfWidth;
  w.lfEscapement = a.lfEscapement;
  w.lfOrientation = a.lfOrientation;
  w.lfWeight = a.lfWeight;
  w.lfItalic = a.lfItalic;
  w.lfUnderline = a.lfUnderline;
  w.lfStrikeOut = a.lfStrikeOut;
  w.lfCharSet = a.lfCharSet;
  w.lfOutPrecision = a.lfOutPrecision;
  w.lfClipPrecision = a.lfClipPrecision;
  w.lfQuality = a.lfQuality;
  w.lfPitchAndFamily = a.lfPitchAndFamily;
  const std::string face(a.lfFaceName, strnlen(a.lfFaceName, LF_FACESIZE));
  const std::wstring wide = AnsiToWideText(face);
  wcsncpy(w.lfFaceName, wide.c_str(), LF_FACESIZE - 1);
  return w;
}

void TSkinData::CaptureSmallIcon() {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  FSmallIcon.SetSize(cx, cy);
  TCanvas& canvas = FSmallIcon.Canvas();
  canvas.Brush().SetColor(clMagenta);
  RECT all{0, 0, cx, cy};
  canvas.FillRect(all);
  FSmallIcon.Transparent = true;
  FSmallIcon.TransparentColor = clMagenta;
  HWND app = Application ? Application->Handle() : nullptr;
  if (!app) return;
  auto icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
  if (!icon) return;
  auto sized = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, 0));
  DrawIconEx(canvas.Handle(), 0, 0, sized ? sized : icon, cx, cy, 0, nullptr, DI_NORMAL);
  if (sized) DestroyIcon(sized);
}

void TSkinData::FormFilter(HWND wnd, const std::wstring& className, bool& doSkin) {
  FFilteredWindow = wnd;
  if (OnFormSkin) {
    OnFormSkin(this, className, doSkin);
    return;
  }
  if (className == L"SysMonthCal32") doSkin = false;
  if (HasControl(xcFastReport) && className.rfind(L"Tfr", 0) == 0) doSkin = false;
}

void TSkinData::SkinChangedNotify() {
  if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::ShowCaptionButtonHint(const RECT& rect, const std::wstring& text) {
  if (!HasOption(xoCaptionButtonHint) || FHintShowing) return;
  RECT r = FHint->CalcHintRect(500, text);
  OffsetRect(&r, rect.left, rect.top);
  FHint->ActivateHint(r, text);
  FHintShowing = true;
}

void TSkinData::HideCaptionButtonHint() {
  if (!FHintShowing) return;
  if (FHint->HandleAllocated()) ShowWindow(FHint->WindowHandle(), SW_HIDE);
  FHintShowing = false;
}

void RegisterSkinDataClasses() {
  TSkinData::StaticClass();
}
