#include "skintool/SkinToolDump.h"

#include "skintool/SkinToolArchive.h"

#include "core/SkinDefinition.h"
#include "core/SkinRead.h"
#include "core/WinSkinIni.h"

#include <array>
#include <cstdio>

namespace {

constexpr int kDumpArrowWidth = 16;

class TDumpEnvironment final : public ISkinEnvironment {
public:
  Bitmap ResourceBitmap(std::string_view) const override { return {}; }
  int ScrollArrowWidth() const override { return kDumpArrowWidth; }
};

constexpr std::array<const char*, ssSlotCount> kSlotNames = {"Progress",
                                                             "Progress.Chunk",
                                                             "Personality.menuBar",
                                                             "GroupBoxEdge",
                                                             "GroupBox",
                                                             "Tabs",
                                                             "StatusBarEdges",
                                                             "Tab.Pane",
                                                             "ToolBars",
                                                             "ComboButton",
                                                             "SunkEdge",
                                                             "ExtraImages",
                                                             "Headerbar",
                                                             "MenuItem",
                                                             "MenuBackground",
                                                             "Scrollbar",
                                                             "HorzScroll",
                                                             "VertScroll",
                                                             "HorzScrollThumb",
                                                             "VertScrollThumb",
                                                             "Trackbar.ThumbHorz",
                                                             "Trackbar.ThumbVert",
                                                             "Trackbar.ThumbLeft",
                                                             "Trackbar.ThumbRight",
                                                             "Trackbar.ThumbUp",
                                                             "Trackbar.ThumbDown",
                                                             "UpDown.Horz",
                                                             "UpDown.Vert",
                                                             "Track",
                                                             "TRACKVERT",
                                                             "ComboxArrow",
                                                             "Toolbar"};

constexpr std::array<const char*, scColorCount> kColorNames = {"WindowText",
                                                               "TitleTextActive",
                                                               "TitleTextNoActive",
                                                               "ButtonFace",
                                                               "ButtonText",
                                                               "ButtonHilight",
                                                               "Buttonlight",
                                                               "ButtonShadow",
                                                               "ButtonDkShadow",
                                                               "",
                                                               "",
                                                               "HilightText",
                                                               "Hilight",
                                                               "Menubar",
                                                               "MenuBarText",
                                                               "MenuText",
                                                               "Menu",
                                                               "BaseColor",
                                                               "Scrollbar"};

// A small pretty-printing writer: every value goes on its own line inside
// objects and arrays; commas are placed as values follow each other.
class TJson {
public:
  TJson& Open(char bracket, std::string_view key = {}) {
    Item(key);
    FOut += bracket;
    FFirst.push_back(true);
    return *this;
  }
  TJson& Close(char bracket) {
    const bool empty = FFirst.back();
    FFirst.pop_back();
    if (!empty) NewLine();
    FOut += bracket;
    return *this;
  }
  TJson& Raw(std::string_view key, std::string_view text) {
    Item(key);
    FOut += text;
    return *this;
  }
  TJson& Int(std::string_view key, long long v) { return Raw(key, std::to_string(v)); }
  TJson& Bool(std::string_view key, bool v) { return Raw(key, v ? "true" : "false"); }
  TJson& Text(std::string_view key, std::string_view v) { return Raw(key, JsonString(v)); }
  std::string Result() const { return FOut + "\n"; }

private:
  void Item(std::string_view key) {
    if (!FFirst.empty()) {
      if (!FFirst.back()) FOut += ',';
      FFirst.back() = false;
      NewLine();
    }
    if (!key.empty()) FOut += JsonString(key) + ": ";
  }
  void NewLine() { FOut += '\n' + std::string(2 * FFirst.size(), ' '); }

  std::string FOut;
  std::vector<bool> FFirst;
};

std::string ColourText(TColor c) {
  char buf[16];
  if (IsSysColor(c))
    std::snprintf(buf, sizeof buf, "system:%u", c & 0xFF);
  else
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
  return buf;
}

// Colours read as plain integers, where -1 means "not given".
void IntColour(TJson& j, std::string_view key, TColor c) {
  j.Int(key, static_cast<std::int32_t>(c));
}

void Size(TJson& j, std::string_view key, const Bitmap& b) {
  if (b.Empty()) {
    j.Raw(key, "null");
    return;
  }
  char size[64];
  std::snprintf(size, sizeof size, "{\"width\": %d, \"height\": %d}", b.Width(), b.Height());
  j.Raw(key, size);
}

void ClassFields(TJson& j, const TDataSkinObject& e) {
  if (auto* border = dynamic_cast<const TDataSkinBorder*>(&e)) Size(j, "image2", border->Image2);
  if (auto* f = dynamic_cast<const TDataSkinFormBorder*>(&e)) j.Int("stretch", f->Stretch);
  if (auto* b = dynamic_cast<const TDataSkinButton*>(&e)) {
    Size(j, "checkButton", b->CheckButton);
    Size(j, "radioButton", b->RadioButton);
    j.Int("checkButtonFrame", b->CheckButtonFrame).Int("radioButtonFrame", b->RadioButtonFrame);
    j.Bool("normalColour2Given", b->NormalColour2Given);
    j.Bool("mouseOverColour2Given", b->MouseOverColour2Given);
    j.Bool("pressedColour2Given", b->PressedColour2Given);
  }
  if (auto* t = dynamic_cast<const TDataSkinTitle*>(&e)) {
    j.Int("textShift", t->TextShift).Int("textShiftVert", t->TextShiftVert);
    j.Int("textRightClip", t->TextRightClip);
    j.Int("textAlignment", t->TextAlignment).Int("textBackground", t->TextBackground);
    j.Int("fontHeight", t->FontHeight);
    j.Int("txtBackleft", t->TXTBackleft()).Int("txtBackRight", t->TXTBackRight());
    j.Text("activeTextColour",
           t->ActiveTextColour == clNone ? "not given" : ColourText(t->ActiveTextColour));
    j.Text("inactiveTextColour",
           t->InactiveTextColour == clNone ? "not given" : ColourText(t->InactiveTextColour));
  }
  if (auto* s = dynamic_cast<const TDataSkinSysButton*>(&e)) {
    j.Int("action", s->Action).Int("align", s->Align);
    j.Int("xcoord", s->Xcoord).Int("ycoord", s->Ycoord);
    j.Int("combineOp", s->CombineOp).Int("visibility", s->Visibility);
    j.Int("visibility1", s->Visibility1);
  }
  if (auto* m = dynamic_cast<const TDataSkinMenuBar*>(&e)) j.Int("tileMenu", m->TileMenu);
  if (auto* g = dynamic_cast<const TDataSkinBoxLabel*>(&e)) {
    j.Int("backgroundLeftShift", g->BackgroundLeftShift);
    j.Int("backgroundRightShift", g->BackgroundRightShift);
    j.Int("backgroundAlignment", g->BackgroundAlignment);
  }
}

void Element(TJson& j, std::string_view key, const TDataSkinObject* e) {
  if (!e) {
    j.Raw(key, "null");
    return;
  }
  j.Open('{', key).Text("name", e->Name);
  char bands[64];
  std::snprintf(bands, sizeof bands, "[%d, %d, %d, %d]", e->LeftWidth, e->TopHeight, e->RightWidth,
                e->BottomHeight);
  j.Raw("bands", bands);
  j.Int("frames", e->Frame).Int("style", e->Style).Int("trans", e->Trans).Int("tile", e->Tile);
  Size(j, "image", e->Image);
  IntColour(j, "normalColour", e->NormalColour);
  IntColour(j, "mouseOverColour", e->MouseOverColour);
  IntColour(j, "pressedColour", e->PressedColour);
  j.Text("normalColour2", ColourText(e->NormalColour2));
  j.Text("mouseOverColour2", ColourText(e->MouseOverColour2));
  j.Text("pressedColour2", ColourText(e->PressedColour2));
  ClassFields(j, *e);
  j.Close('}');
}

void Colours(TJson& j, const TSkinDefinition& def) {
  j.Open('[', "colours");
  for (int i = 0; i < scColorCount; ++i) {
    j.Open('{').Int("slot", i).Text("key", kColorNames[i]);
    j.Text("value", ColourText(def.Colors[i])).Bool("given", def.ColorGiven[i]).Close('}');
  }
  j.Close(']');
  j.Open('[', "schemeColours");
  for (const TColor c : def.SchemeColors)
    j.Text({}, ColourText(c));
  j.Close(']');
  j.Open('[', "customColours");
  for (const TColor c : def.CustomColors)
    j.Text({}, ColourText(c));
  j.Close(']');
}

} // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    char buf[8];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x80) {
      // Multi-byte text of the skin's code page is not UTF-8; escape it.
      std::snprintf(buf, sizeof buf, "\\u%04X", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string SkinDefinitionJson(std::span<const std::uint8_t> archive) {
  TSkinReader reader;
  if (reader.Load(archive) != TSkinLoadResult::Ok)
    throw ESkinTool("the archive cannot be read (see \"skintool info\")");
  std::vector<std::uint8_t> text;
  std::string iniName;
  if (!reader.FindContaining(".ini", text, iniName))
    throw ESkinTool("the archive holds no definition (.ini)");
  TQuickIni ini;
  ini.LoadFromStream(&text);
  TSkinDefinition def;
  def.Load(ini, reader, TDumpEnvironment());

  TJson j;
  j.Open('{');
  j.Open('{', "environment").Int("scrollArrowWidth", kDumpArrowWidth);
  j.Text("resources", "none: TRACK and TRACKVERT load as empty pictures").Close('}');
  j.Text("definition", iniName).Text("skinName", def.SkinName);
  j.Open('{', "borders");
  const char* pieces[] = {"Left", "Right", "Top", "Bottom"};
  for (int piece = bpLeft; piece <= bpBottom; ++piece)
    Element(j, pieces[piece - 1], &def.Border(piece));
  j.Close('}');
  Element(j, "title", &def.Title());
  Element(j, "buttons", &def.Buttons());
  j.Open('[', "sysButtons");
  for (const auto& b : def.SysButtons)
    Element(j, {}, b.get());
  j.Close(']');
  j.Open('{', "slots");
  for (int slot = 0; slot < ssSlotCount; ++slot)
    Element(j, kSlotNames[slot], def.Element(static_cast<TSkinSlot>(slot)));
  j.Close('}');
  Colours(j, def);
  j.Close('}');
  return j.Result();
}
