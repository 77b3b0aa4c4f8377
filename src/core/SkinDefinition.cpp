#include "core/SkinDefinition.h"

#include "core/ColorText.h"
#include "core/SkinElementLoad.h"
#include "core/SkinRead.h"
#include "core/WinSkinIni.h"

#include <algorithm>

namespace {

constexpr std::string_view kPersonality = "Personality";
constexpr const char* kBorderNames[4] = {"Left", "Right", "Top", "Bottom"};

struct TColorKey {
  int Slot;
  const char* Key;
  int SysIndex; // -1: the face colour read just before
};

// In the order they are read: "Menubar" defaults to the face colour.
constexpr TColorKey kColorKeys[] = {
    {scWindowText, "WindowText", COLORIDX_WINDOWTEXT},
    {scButtonFace, "ButtonFace", COLORIDX_BTNFACE},
    {scScrollbar, "Scrollbar", COLORIDX_SCROLLBAR},
    {scHilightText, "HilightText", COLORIDX_HIGHLIGHTTEXT},
    {scHilight, "Hilight", COLORIDX_HIGHLIGHT},
    {scMenubar, "Menubar", -1},
    {scMenu, "Menu", COLORIDX_MENU},
    {scMenuText, "MenuText", COLORIDX_MENUTEXT},
    {scButtonText, "ButtonText", COLORIDX_BTNTEXT},
    {scButtonHilight, "ButtonHilight", COLORIDX_BTNHIGHLIGHT},
    {scButtonlight, "Buttonlight", COLORIDX_BTNHIGHLIGHT},
    {scButtonShadow, "ButtonShadow", COLORIDX_BTNSHADOW},
    {scButtonDkShadow, "ButtonDkShadow", COLORIDX_3DDKSHADOW},
    {scMenuBarText, "MenuBarText", COLORIDX_MENUTEXT},
    {scTitleTextActive, "TitleTextActive", COLORIDX_CAPTIONTEXT},
    {scTitleTextNoActive, "TitleTextNoActive", COLORIDX_INACTIVECAPTIONTEXT},
};

bool IsSchemeSection(const std::string& name) {
  const std::string upper = IniUpper(name);
  return upper.starts_with("COLOUR") && upper != "COLOURS";
}

// Radio and check strips hold frames of 13 pixels when they are lower than
// 16, else of 16; at least 4.
int StripFrames(const Bitmap& strip) {
  const int cell = strip.Height() < 16 ? 13 : 16;
  return std::max(strip.Width() / cell, 4);
}

// The text colour from three integer keys, when all are given and not
// negative.
TColor TitleTextColor(const TQuickIni& ini, const std::string& prefix) {
  const int r = ini.ReadInteger(kPersonality, prefix + "R", -1);
  const int g = ini.ReadInteger(kPersonality, prefix + "G", -1);
  const int b = ini.ReadInteger(kPersonality, prefix + "B", -1);
  if (r < 0 || g < 0 || b < 0) return clNone;
  return MakeColor(r % 256, g % 256, b % 256);
}

} // namespace

TSkinDefinition::TSkinDefinition()
    : FButtons(std::make_unique<TDataSkinButton>("Buttons")),
      FTitle(std::make_unique<TDataSkinTitle>("Title")) {
  for (int side = 0; side < 4; ++side)
    FBorders[side] = std::make_unique<TDataSkinFormBorder>(kBorderNames[side]);
}

TSkinDefinition::~TSkinDefinition() = default;

TDataSkinObject* TSkinDefinition::Element(TSkinSlot slot) const {
  return slot >= 0 && slot < ssSlotCount ? FSlots[slot].get() : nullptr;
}

TDataSkinObject* TSkinDefinition::ElementByName(std::string_view sectionName) const {
  for (const auto& e : FSlots)
    if (e && IniSameText(e->Name, sectionName)) return e.get();
  for (const auto& b : FBorders)
    if (IniSameText(b->Name, sectionName)) return b.get();
  if (IniSameText(FButtons->Name, sectionName)) return FButtons.get();
  if (IniSameText(FTitle->Name, sectionName)) return FTitle.get();
  return nullptr;
}

TDataSkinMenuBar* TSkinDefinition::MenuBar() const {
  return static_cast<TDataSkinMenuBar*>(FSlots[ssMenuBar].get());
}

TDataSkinBoxLabel* TSkinDefinition::GroupBox() const {
  return static_cast<TDataSkinBoxLabel*>(FSlots[ssGroupBox].get());
}

TDataSkinBorder* TSkinDefinition::ElementWithSecondImage(TSkinSlot slot) const {
  return dynamic_cast<TDataSkinBorder*>(Element(slot));
}

TDataSkinFormBorder& TSkinDefinition::Border(int piece) {
  return *FBorders.at(static_cast<std::size_t>(piece - 1));
}
const TDataSkinFormBorder& TSkinDefinition::Border(int piece) const {
  return *FBorders.at(static_cast<std::size_t>(piece - 1));
}

TColor TSkinDefinition::BaseColor() const {
  const TDataSkinFormBorder& border = Border(bpTop);
  const Bitmap& top = border.Image;
  if (top.Empty()) return Colors[scButtonFace];
  // A frame count below 1 counts as one frame rather than dividing by zero.
  const int frames = std::max(border.Frame, 1);
  return top.At(top.Width() / 3, top.Height() / frames / 3);
}

void TSkinDefinition::Load(const TQuickIni& ini, const TSkinReader& reader,
                           const ISkinEnvironment& env) {
  std::vector<std::string> sections;
  ini.ReadSections(&sections);
  SkinName = ini.ReadString("TitlebarSkin", "SkinName", "");
  LoadBorders(ini, reader);
  LoadColors(ini, sections);
  LoadSysButtons(ini, reader, sections);
  LoadMdiButtons(ini, reader);
  LoadButtons(ini, reader);
  LoadTitle(ini, reader);
  LoadSlots(ini, reader, env);
  FixFrameCounts(ini);
  BuildComboFrames(env.ScrollArrowWidth());
  BuildComboxArrow();
  BuildToolbar();
  Colors[scBaseColor] = BaseColor();
  ++FGeneration;
}

void TSkinDefinition::LoadBorders(const TQuickIni& ini, const TSkinReader& reader) {
  const TSkinSource src{ini, reader};
  for (int side = 0; side < 4; ++side) {
    TDataSkinFormBorder& b = *FBorders[side];
    const std::string name = kBorderNames[side];
    const int first = ini.ReadInteger(kPersonality, name + "TopHeight", 0);
    const int second = ini.ReadInteger(kPersonality, name + "BotHeight", 0);
    // Side borders have their fixed bands at the top and bottom, the top
    // and bottom borders at the left and right.
    const bool upright = side < 2;
    b.TopHeight = upright ? first : 0;
    b.BottomHeight = upright ? second : 0;
    b.LeftWidth = upright ? 0 : first;
    b.RightWidth = upright ? 0 : second;
    b.Frame = ini.ReadInteger(kPersonality, name + "Frame", 1);
    b.Stretch = std::min(ini.ReadInteger(kPersonality, name + "Stretch", 1), 1);
    b.Tile = b.Stretch == 1 ? 0 : 1;
    b.Trans = ini.ReadInteger(kPersonality, name + "Trans", 1);
    b.Image = ReadSkinBitmap(src, kPersonality, name);
  }
}

void TSkinDefinition::LoadColors(const TQuickIni& ini, const std::vector<std::string>& sections) {
  for (const TColorKey& k : kColorKeys) {
    const std::string text = ini.ReadString("Colours", k.Key, "");
    ColorGiven[k.Slot] = !text.empty();
    const TColor def = k.SysIndex < 0 ? Colors[scButtonFace] : SysColor(k.SysIndex);
    Colors[k.Slot] = text.empty() ? def : ColorFromText(text);
  }
  SchemeColors.clear();
  for (const std::string& s : sections) {
    if (!IsSchemeSection(s)) continue;
    const std::string text = ini.ReadString(s, "color", "");
    SchemeColors.push_back(text.empty() ? SysColor(COLORIDX_WINDOWTEXT) : ColorFromText(text));
  }
  for (int i = 0; i < 10; ++i) {
    const std::string text = ini.ReadString("Customcolors", "Color" + std::to_string(i), "");
    CustomColors[i] = text.empty() ? clWhite : ColorFromText(text);
  }
}

void TSkinDefinition::LoadButtons(const TQuickIni& ini, const TSkinReader& reader) {
  const TSkinSource src{ini, reader};
  constexpr std::string_view sec = "Buttons";
  TDataSkinButton& b = *FButtons;
  b.LeftWidth = ini.ReadInteger(sec, "LeftWidth", 0);
  b.RightWidth = ini.ReadInteger(sec, "RightWidth", 0);
  b.TopHeight = ini.ReadInteger(sec, "TopHeight", 0);
  b.BottomHeight = ini.ReadInteger(sec, "BottomHeight", 0);
  b.Trans = ini.ReadInteger(sec, "Trans", 0);
  b.Tile = ini.ReadInteger(sec, "Tile", 0);
  if (b.Tile > 1) b.Tile = 0;
  b.Image = ReadSkinBitmap(src, sec, "Bitmap");
  b.CheckButton = ReadSkinBitmap(src, sec, "CheckButton");
  b.RadioButton = ReadSkinBitmap(src, sec, "RadioButton");
  b.NormalColour = static_cast<TColor>(ini.ReadInteger(sec, "NormalColour", -1));
  b.MouseOverColour = static_cast<TColor>(ini.ReadInteger(sec, "MouseOverColour", -1));
  b.PressedColour = static_cast<TColor>(ini.ReadInteger(sec, "PressedColour", -1));
  b.RadioButtonFrame = ini.ReadInteger(sec, "RadioButtonFrame", 0);
  b.CheckButtonFrame = ini.ReadInteger(sec, "CheckButtonFrame", 0);
  b.NormalColour2Given = HasValue(src, sec, "NormalColour2");
  b.MouseOverColour2Given = HasValue(src, sec, "MouseOverColour2");
  b.PressedColour2Given = HasValue(src, sec, "PressedColour2");
  const TColor textColor = Colors[scButtonText];
  b.NormalColour2 = ReadColorText(src, sec, "NormalColour2", textColor);
  b.MouseOverColour2 = ReadColorText(src, sec, "MouseOverColour2", textColor);
  b.PressedColour2 = ReadColorText(src, sec, "PressedColour2", textColor);
  b.Frame = 5;
  if (b.RadioButtonFrame == 0) b.RadioButtonFrame = StripFrames(b.RadioButton);
  if (b.CheckButtonFrame == 0) b.CheckButtonFrame = StripFrames(b.CheckButton);
}

void TSkinDefinition::LoadTitle(const TQuickIni& ini, const TSkinReader& reader) {
  const TSkinSource src{ini, reader};
  TDataSkinTitle& t = *FTitle;
  t.Image = ReadSkinBitmap(src, kPersonality, "TextBack");
  t.TextShift = ini.ReadInteger(kPersonality, "TextShift", 0);
  t.TextShiftVert = ini.ReadInteger(kPersonality, "TextShiftVert", 0);
  t.TextRightClip = ini.ReadInteger(kPersonality, "TextRightClip", 0);
  t.TextAlignment = ini.ReadInteger(kPersonality, "TextAlignment", 0);
  t.TextBackground = ini.ReadInteger(kPersonality, "Textbackground", 0);
  t.FontHeight = ini.ReadInteger("Fonts", "FontHeight", 14);
  // The text background is sliced with these, so they are the bands.
  t.LeftWidth = ini.ReadInteger(kPersonality, "TXTBackleft", 0);
  t.TopHeight = 0;
  t.RightWidth = ini.ReadInteger(kPersonality, "TXTBackRight", 0);
  t.BottomHeight = 0;
  t.ActiveTextColour = TitleTextColor(ini, "ActiveText");
  t.InactiveTextColour = TitleTextColor(ini, "InActiveText");
  t.Frame = 2;
}
