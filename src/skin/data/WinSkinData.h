#pragma once
// The skin data component: a form carries one to be skinned. It keeps the
// skin archive inside the stored form description, loads it into elements
// and colours, holds the switches that say what is skinned, and starts and
// stops skinning through the skin manager.

#include "core/SkinDefinition.h"
#include "fw/HintWindow.h"
#include "fw/ImgList.h"
#include "fw/Strings.h"
#include "skin/data/SkinManagerLink.h"

#include <cstdint>
#include <vector>

enum TSkinControlType {
  xcMainMenu,
  xcPopupMenu,
  xcMenuItem,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcSpin,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab,
  xcTrackBar,
  xcSystemMenu,
  xcFastReport
};
using TSkinControlTypes = std::uint32_t; // bit n = TSkinControlType n
extern const TEnumInfo SkinControlTypeInfo;

enum TSkinOption {
  xoMDIScrollbar,
  xoMenuMerge,
  xoTransparent,
  xoPreview,
  xoParentBackGround,
  xoNoFocusRect,
  xoToolbarBK,
  xoToolbarButton,
  xoMDIChildBorder,
  xoMenuBG,
  xoCaptionButtonHint,
  xoFormScrollbar
};
using TSkinOptions = std::uint32_t;
extern const TEnumInfo SkinOptionInfo;

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };
extern const TEnumInfo SkinFormTypeInfo;

class TSkinData;
using TOnFormSkin = TEvent<TObject*, const std::wstring&, bool&>;
using TOnSkinControl =
    TEvent<TComponent*, TSkinData*, TControl*, TControl*, const std::wstring&, TComponent*&>;
using TOnSkinForm = TEvent<TObject*, HWND, const std::wstring&>;

constexpr TSkinControlTypes SkinControlBit(TSkinControlType t) {
  return 1u << t;
}
constexpr TSkinOptions SkinOptionBit(TSkinOption o) {
  return 1u << o;
}

extern const char* const SkinDataVersion; // "5.40.07.15"
// The default class-to-kind mapping list, 118 lines "Class=kind".
const std::vector<std::wstring>& DefaultSkin3rd();

class TSkinData : public TComponent {
  FW_DECLARE_CLASS(TSkinData)
public:
  explicit TSkinData(TComponent* owner);
  ~TSkinData() override;

  // --- Published properties
  bool Active() const { return FActive; }
  void SetActive(bool v);
  int DisableTag() const { return FDisableTag; }
  void SetDisableTag(int v) { FDisableTag = v; }
  TSkinControlTypes SkinControls() const { return FSkinControls; }
  void SetSkinControls(TSkinControlTypes v) { FSkinControls = v; }
  bool HasControl(TSkinControlType t) const { return (FSkinControls & SkinControlBit(t)) != 0; }
  TSkinOptions Options() const { return FOptions; }
  void SetOptions(TSkinOptions v) { FOptions = v; }
  bool HasOption(TSkinOption o) const { return (FOptions & SkinOptionBit(o)) != 0; }
  TStrings& Skin3rd() { return FSkin3rd; }
  void SetSkin3rd(const TStrings& v) { FSkin3rd.Assign(v); }
  const std::wstring& SkinFile() const { return FSkinFile; }
  void SetSkinFile(const std::wstring& path);
  std::wstring SkinStore() const;
  TSkinFormType SkinFormtype() const { return FSkinFormtype; }
  void SetSkinFormtype(TSkinFormType v) { FSkinFormtype = v; }
  std::wstring Version() const { return Widen(SkinDataVersion); }
  bool MenuUpdate() const { return FMenuUpdate; }
  void SetMenuUpdate(bool v) { FMenuUpdate = v; }
  bool MenuMerge() const { return FMenuMerge; }
  void SetMenuMerge(bool v) { FMenuMerge = v; }
  TOnFormSkin OnFormSkin;
  TNotifyEvent OnSkinChanged;
  TOnSkinControl OnSkinControl;
  TOnSkinForm OnBeforeSkinForm;
  TOnSkinForm OnAfterSkinForm;

  // --- The stored archive and the loaded skin
  const std::vector<std::uint8_t>& StoredArchive() const { return FArchive; }
  void SetStoredArchive(std::vector<std::uint8_t> archive) { FArchive = std::move(archive); }
  // Loads the stored archive; true when the archive itself could be read.
  bool LoadSkin();
  bool SkinLoaded() const { return !FSkinNotLoaded; }
  const std::string& SkinName() const { return FSkin.SkinName; }
  // The loaded skin. Each load (a new SkinFile, LoadSkin) makes its slot
  // elements anew: painters read elements from here again after a skin
  // change, which Skin().Generation() tells, and draw them with the calls
  // of skin/data/ElementDraw.h.
  TSkinDefinition& Skin() { return FSkin; }
  const TSkinDefinition& Skin() const { return FSkin; }
  // A solid brush of the skin's face colour, remade at each load.
  HBRUSH BackgroundBrush() const { return FBackgroundBrush.Get(); }
  // The frame painter paints only while this is set.
  bool FramePainting = true;
  // How long the mouse has rested on a caption button (kept by the frame
  // painter for its hints).
  int HintHoverTime = 0;
  TBitmap& SmallIcon() { return FSmallIcon; }
  // The system's caption font, every field of it, read by Loaded; null
  // before.
  HFONT CaptionFont() const { return FCaptionFont.Get(); }
  const LOGFONTW& CaptionLogFont() const { return FCaptionLogFont; }
  TCustomImageList& MenuGlyphs() { return FMenuGlyphs; }
  SIZE MaximizedSize() const { return FMaximizedSize; }

  // --- Operations used by the manager and the painters
  // Re-applies a changed skin to the windows it skins.
  void ApplySkinChange();
  // Decides whether a window of this class may be skinned.
  void FormFilter(HWND wnd, const std::wstring& className, bool& doSkin);
  HWND FilteredWindow() const { return FFilteredWindow; }
  void SkinChangedNotify();
  void ShowCaptionButtonHint(const RECT& rect, const std::wstring& text);
  void HideCaptionButtonHint();
  bool CaptionHintShowing() const { return FHintShowing; }

  void Loaded() override;
  void DefineProperties(TFiler& filer) override;

private:
  void ReadCaptionFont();
  void CaptureSmallIcon();
  void AdjustSkinControls();
  void RemakeBackgroundBrush();

  bool FActive = false;
  int FDisableTag = 99;
  TSkinControlTypes FSkinControls;
  TSkinOptions FOptions;
  TStringList FSkin3rd;
  std::wstring FSkinFile;
  TSkinFormType FSkinFormtype = sfMainform;
  bool FMenuUpdate = true;
  bool FMenuMerge = false;

  std::vector<std::uint8_t> FArchive;
  bool FSkinNotLoaded = true;
  TSkinDefinition FSkin;
  TGdiBrush FBackgroundBrush;
  TBitmap FSmallIcon;
  LOGFONTW FCaptionLogFont{};
  TGdiFont FCaptionFont;
  TCustomImageList FMenuGlyphs{nullptr};
  THintWindow* FHint = nullptr; // owned
  bool FHintShowing = false;
  SIZE FMaximizedSize{};
  HWND FFilteredWindow = nullptr;
};

// --- Optional system functions, looked up once -------------------------------

// False when the system lacks GetScrollBarInfo, else its result.
bool SkinGetScrollBarInfo(HWND wnd, LONG objectId, SCROLLBARINFO* info);
bool HasGetScrollBarInfo();
// Asks for WM_MOUSELEAVE for the window when the system can.
void SkinTrackMouseLeave(HWND wnd);
using TGetComboBoxInfoFunc = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
TGetComboBoxInfoFunc SkinGetComboBoxInfoFunc(); // null when missing

// The platform is of the NT family: window texts are read and drawn wide.
bool IsWinNT();
// DrawTextW on NT, else the text in the ANSI code page with DrawTextA.
int DrawWideText(HDC dc, const std::wstring& text, RECT& rect, UINT format);
std::wstring AnsiToWideText(const std::string& text);
// A font description from the ANSI one, face in the system code page.
LOGFONTW CaptionLogFontOf(const LOGFONTA& font);

// Shows the skin loader's one message ("This is Older Skin File..."); tests
// replace it so nothing waits for a click.
using TSkinMessageFunc = void (*)(const char* text);
void SetSkinMessageFunc(TSkinMessageFunc func); // null restores the message box

void RegisterSkinDataClasses();
