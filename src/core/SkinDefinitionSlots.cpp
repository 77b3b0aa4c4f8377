// The element slots: how each is read and the frame count it ends with.
#include "core/SkinDefinition.h"

#include "core/SkinElementLoad.h"
#include "core/SkinRead.h"
#include "core/WinSkinIni.h"

#include <algorithm>

namespace {

enum class TKind { Image, Image2, Bitmap, BoxLabel, MenuBar, ImageOrResource };

// The frame count a slot ends with, when positive; else one of these rules.
constexpr int kFramesRead = 0;         // keep what was read
constexpr int kFramesByStyle = -1;     // 1 with a style, else 2
constexpr int kFramesUnlessGiven = -2; // 5 when 0 was read
constexpr int kFramesFromSection = -3; // "FrameCount" of the section, default 3

struct TSlotDef {
  TSkinSlot Slot;
  const char* Section;
  TKind Kind;
  const char* Key2; // the second picture, or the resource name
  int Frames;
};

constexpr TSlotDef kSlots[] = {
    {ssProgress, "Progress", TKind::Bitmap, nullptr, kFramesByStyle},
    {ssProgressChunk, "Progress.Chunk", TKind::Image, nullptr, kFramesRead},
    {ssMenuBar, "Personality", TKind::MenuBar, nullptr, 2},
    {ssGroupBoxEdge, "GroupBoxEdge", TKind::Image, nullptr, 2},
    {ssGroupBox, "GroupBox", TKind::BoxLabel, nullptr, 1},
    {ssTabs, "Tabs", TKind::Image2, "Border", 5},
    {ssStatusBarEdges, "StatusBarEdges", TKind::Image, nullptr, 3},
    {ssTabPane, "Tab.Pane", TKind::Image, nullptr, 1},
    {ssToolBars, "ToolBars", TKind::Image, nullptr, 5},
    // The second picture is made from the first after loading.
    {ssComboButton, "ComboButton", TKind::Image2, "****", 4},
    {ssSunkEdge, "SunkEdge", TKind::Image, nullptr, 4},
    {ssExtraImages, "ExtraImages", TKind::Image, nullptr, 5},
    {ssHeaderbar, "Headerbar", TKind::Image, nullptr, kFramesUnlessGiven},
    {ssMenuItem, "MenuItem", TKind::Image, nullptr, 5},
    {ssMenuBackground, "MenuBackground", TKind::Image, nullptr, 1},
    {ssScrollbar, "Scrollbar", TKind::Image, nullptr, 23},
    {ssHorzScroll, "HorzScroll", TKind::Image, nullptr, 4},
    {ssVertScroll, "VertScroll", TKind::Image, nullptr, 4},
    {ssHorzScrollThumb, "HorzScrollThumb", TKind::Image, nullptr, kFramesFromSection},
    {ssVertScrollThumb, "VertScrollThumb", TKind::Image, nullptr, kFramesFromSection},
    {ssTrackbarThumbHorz, "Trackbar.ThumbHorz", TKind::Image, nullptr, 5},
    {ssTrackbarThumbVert, "Trackbar.ThumbVert", TKind::Image, nullptr, 5},
    {ssTrackbarThumbLeft, "Trackbar.ThumbLeft", TKind::Image, nullptr, 5},
    {ssTrackbarThumbRight, "Trackbar.ThumbRight", TKind::Image, nullptr, 5},
    {ssTrackbarThumbUp, "Trackbar.ThumbUp", TKind::Image, nullptr, 5},
    {ssTrackbarThumbDown, "Trackbar.ThumbDown", TKind::Image, nullptr, 5},
    {ssUpDownHorz, "UpDown.Horz", TKind::Image2, "GlyphImage", 8},
    {ssUpDownVert, "UpDown.Vert", TKind::Image2, "GlyphImage", 8},
    {ssTrack, "Track", TKind::ImageOrResource, "TRACK", kFramesRead},
    {ssTrackVert, "TRACKVERT", TKind::ImageOrResource, "TRACKVERT", kFramesRead},
};

std::unique_ptr<TDataSkinObject> LoadSlot(const TSlotDef& def, const TSkinSource& src,
                                          const ISkinEnvironment& env, TColor colour2Default) {
  switch (def.Kind) {
  case TKind::Image: return LoadImageElement(src, def.Section, colour2Default);
  case TKind::Image2: return LoadImageElement2(src, def.Section, def.Key2, colour2Default);
  case TKind::Bitmap: return LoadBitmapElement(src, def.Section);
  case TKind::BoxLabel: return LoadBoxLabelElement(src, def.Section, colour2Default);
  case TKind::MenuBar: return LoadMenuBarElement(src);
  case TKind::ImageOrResource:
    if (auto e = LoadImageElement(src, def.Section, colour2Default)) return e;
    return MakeResourceElement(def.Section, env.ResourceBitmap(def.Key2));
  }
  return nullptr;
}

int FinalFrames(const TSlotDef& def, const TDataSkinObject& e, const TQuickIni& ini) {
  switch (def.Frames) {
  case kFramesRead: return e.Frame;
  case kFramesByStyle: return e.Style != 0 ? 1 : 2;
  case kFramesUnlessGiven: return e.Frame == 0 ? 5 : e.Frame;
  case kFramesFromSection: return ini.ReadInteger(def.Section, "FrameCount", 3);
  default: return def.Frames;
  }
}

} // namespace

void TSkinDefinition::LoadSlots(const TQuickIni& ini, const TSkinReader& reader,
                                const ISkinEnvironment& env) {
  const TSkinSource src{ini, reader};
  const TColor colour2Default = Colors[scButtonText];
  for (const TSlotDef& def : kSlots) {
    FSlots[def.Slot].reset();
    FSlots[def.Slot] = LoadSlot(def, src, env, colour2Default);
    if (def.Slot == ssTabPane && FSlots[def.Slot]) {
      TDataSkinObject& pane = *FSlots[def.Slot];
      for (int* band : {&pane.LeftWidth, &pane.TopHeight, &pane.RightWidth, &pane.BottomHeight})
        *band = std::min(*band, 4);
    }
    if (def.Slot == ssSunkEdge) MirrorComboButton();
  }
}

// The button strip mirrored, for combo boxes with their button on the left.
void TSkinDefinition::MirrorComboButton() {
  auto* button = dynamic_cast<TDataSkinBorder*>(FSlots[ssComboButton].get());
  if (!button || button->Image.Empty()) return;
  button->Image2 = button->Image;
  button->Image2.SetBitsPerPixel(24);
  MirrorBitmap(button->Image2);
}

void TSkinDefinition::FixFrameCounts(const TQuickIni& ini) {
  for (const TSlotDef& def : kSlots)
    if (TDataSkinObject* e = FSlots[def.Slot].get()) e->Frame = FinalFrames(def, *e, ini);
}
