// The title-bar buttons of a skin and the three MDI child buttons.
#include "core/SkinDefinition.h"

#include "core/SkinElementLoad.h"
#include "core/SkinRead.h"
#include "core/WinSkinIni.h"

#include <optional>
#include <string>
#include <tuple>

namespace {

bool IsSysButtonSection(const std::string& upper) {
  return upper.starts_with("BUTTON") && upper != "BUTTON" && upper != "BUTTONS" &&
         upper != "BUTTON.RADIO" && upper != "BUTTON.CHECKBOX";
}

// An action of -1 hides a button unless the skin makes it visible with 0.
bool IsDropped(const TQuickIni& ini, const std::string& section) {
  return ini.ReadInteger(section, "Action", 0) == -1 &&
         ini.ReadInteger(section, "Visibility", -1) != 0;
}

// Wide strips hold six frames, narrow ones three.
int DefaultFrames(const TDataSkinSysButton& b) {
  if (b.Image.Empty() || b.Action < 0) return 6;
  // width / height <= 3.8, without floating point
  const long long w = b.Image.Width(), h = b.Image.Height();
  return w * 5 <= h * 19 ? 3 : 6;
}

constexpr int kMdiActions[3] = {7, 8, 9};

} // namespace

void TSkinDefinition::LoadSysButtons(const TQuickIni& ini, const TSkinReader& reader,
                                     const std::vector<std::string>& sections) {
  const TSkinSource src{ini, reader};
  SysButtons.clear();
  // Where the restore button goes: the maximize button's place.
  std::optional<std::pair<int, int>> remembered;
  for (const std::string& name : sections) {
    const std::string section = IniUpper(name);
    if (!IsSysButtonSection(section) || IsDropped(ini, section)) continue;
    auto b = std::make_unique<TDataSkinSysButton>(section);
    b->Action = ini.ReadInteger(section, "Action", 0);
    b->Align = ini.ReadInteger(section, "Align", 0);
    b->Xcoord = ini.ReadInteger(section, "Xcoord", 0);
    b->Ycoord = ini.ReadInteger(section, "Ycoord", 0);
    b->Visibility = ini.ReadInteger(section, "Visibility", 0);
    b->Visibility1 = ini.ReadInteger(section, "Visibility1", b->Action == -1 ? -1 : 0);
    if (b->Action == 1 && b->Visibility == 2) remembered = {b->Xcoord, b->Ycoord};
    if (b->Action == 4 && remembered) std::tie(b->Xcoord, b->Ycoord) = *remembered;
    b->CombineOp = ini.ReadInteger(section, "CombineOp", -1);
    b->Frame = ini.ReadInteger(section, "frame", 0);
    b->Image = ReadSkinBitmap(src, section, "ButtonImage");
    if (b->Frame == 0) {
      b->Frame = DefaultFrames(*b);
      if (b->Action == 3 || b->Action == 11) b->Image.Clear();
    }
    SysButtons.push_back(std::move(b));
  }
}

void TSkinDefinition::LoadMdiButtons(const TQuickIni& ini, const TSkinReader& reader) {
  const Bitmap controls = ReadSkinBitmap({ini, reader}, "MDICONTROLS", "Image");
  // Three buttons of four frames each, side by side.
  const int w = controls.Width() / 12, h = controls.Height();
  for (int i = 0; i < 3; ++i) {
    auto b = std::make_unique<TDataSkinSysButton>("MDIBUTTON" + std::to_string(kMdiActions[i]));
    b->Action = kMdiActions[i];
    b->Align = b->Visibility = b->Visibility1 = 100;
    b->Frame = 4;
    if (!controls.Empty()) {
      b->Image.Reset(4 * w, h);
      StretchCopy(b->Image, RectOf(0, 0, 4 * w, h), controls, RectOf(4 * w * i, 0, 4 * w, h));
      b->Xcoord = (w + 4) * (3 - i);
    }
    SysButtons.push_back(std::move(b));
  }
}
