// Loading a whole skin natively: archive bytes -> unpacked members -> the
// definition text -> every element, with the derived ones. The skin is made
// here to the size of the program's own (35 members, about 650 kB
// unpacked). The baseline is unpacking the same archive alone, measured in
// the same run.
#include <benchmark/benchmark.h>

#include "core/Bmp.h"
#include "core/Lzh.h"
#include "core/SkinArchive.h"
#include "core/SkinDefinition.h"
#include "core/SkinRead.h"
#include "core/WinSkinIni.h"
#include "skintool/DefaultSkin.h"

#include <fstream>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct TPicture {
  const char* Name;
  int Width, Height;
};

// Sizes like those of a grey three-dimensional skin.
const TPicture kPictures[] = {
    {"f-top.bmp", 600, 36},         {"f-topmask.bmp", 600, 36},   {"f-left.bmp", 8, 600},
    {"f-leftmask.bmp", 8, 600},     {"f-right.bmp", 8, 600},      {"f-rightmask.bmp", 8, 600},
    {"f-bottom.bmp", 600, 8},       {"f-bottommask.bmp", 600, 8}, {"menubar.bmp", 400, 22},
    {"dialog.bmp", 256, 256},       {"button.bmp", 300, 30},      {"checkbox.bmp", 104, 13},
    {"radio.bmp", 104, 13},         {"progress.bmp", 40, 18},     {"progresschunk.bmp", 10, 14},
    {"tabborder.bmp", 60, 60},      {"tabs.bmp", 400, 24},        {"combobutton.bmp", 76, 21},
    {"sunkedge.bmp", 120, 21},      {"comboarrows.bmp", 40, 6},   {"header.bmp", 300, 24},
    {"menutools.bmp", 160, 16},     {"menuborder.bmp", 40, 40},   {"arrows.bmp", 64, 16},
    {"hscroll.bmp", 276, 17},       {"vscroll.bmp", 17, 276},     {"hthumb.bmp", 120, 17},
    {"vthumb.bmp", 17, 120},        {"mdicontrols.bmp", 192, 14}, {"groupbox.bmp", 60, 20},
    {"toolbarbutton.bmp", 150, 24}, {"close.bmp", 108, 18},       {"maximize.bmp", 108, 18},
    {"minimize.bmp", 108, 18},
};

const char* const kDefinition = R"([TitlebarSkin]
SkinName=Bench Grey
[Personality]
Top=f-top.bmp
TopTopHeight=30
TopBotHeight=30
TopFrame=2
Left=f-left.bmp
LeftTopHeight=20
LeftBotHeight=20
LeftFrame=2
Right=f-right.bmp
RightTopHeight=20
RightBotHeight=20
RightFrame=2
Bottom=f-bottom.bmp
BottomTopHeight=20
BottomBotHeight=20
BottomFrame=2
menuBar=menubar.bmp
TileMenu=1
TextShift=24
TextShiftVert=2
TextAlignment=0
ActiveTextR=255
ActiveTextG=255
ActiveTextB=255
[Fonts]
FontHeight=13
[Colours]
WindowText=0 0 0
ButtonFace=212 208 200
ButtonText=0 0 0
ButtonHilight=255 255 255
ButtonShadow=128 128 128
ButtonDkShadow=64 64 64
Hilight=10 36 106
HilightText=255 255 255
Menu=212 208 200
MenuText=0 0 0
MenuBarText=0 0 0
Scrollbar=212 208 200
TitleTextActive=255 255 255
TitleTextNoActive=200 200 200
[Colour0]
color=0 0 0
[Colour1]
color=128 0 0
[CustomColors]
Color0=255 255 255
Color1=212 208 200
[Buttons]
Bitmap=button.bmp
CheckButton=checkbox.bmp
RadioButton=radio.bmp
LeftWidth=4
TopHeight=4
RightWidth=4
BottomHeight=4
Trans=1
NormalColour2=0 0 0
[Button.Close]
Action=0
Align=1
Xcoord=22
Ycoord=6
ButtonImage=close.bmp
[Button.Max]
Action=1
Align=1
Xcoord=41
Ycoord=6
Visibility=2
ButtonImage=maximize.bmp
[Button.Restore]
Action=4
Align=1
ButtonImage=maximize.bmp
[Button.Min]
Action=2
Align=1
Xcoord=60
Ycoord=6
ButtonImage=minimize.bmp
[MDICONTROLS]
Image=mdicontrols.bmp
[Progress]
Bitmap=progress.bmp
LeftWidth=3
RightWidth=3
[Progress.Chunk]
Image=progresschunk.bmp
Frame=1
[GroupBox]
Image=groupbox.bmp
LeftWidth=6
RightWidth=6
[Tabs]
Image=tabs.bmp
Border=tabborder.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
[Tab.Pane]
Image=tabborder.bmp
LeftWidth=2
TopHeight=2
RightWidth=2
BottomHeight=2
[ToolBars]
Image=toolbarbutton.bmp
LeftWidth=3
RightWidth=3
[ComboButton]
Image=combobutton.bmp
Trans=1
[SunkEdge]
Image=sunkedge.bmp
LeftWidth=2
TopHeight=2
RightWidth=2
BottomHeight=2
[ExtraImages]
Image=comboarrows.bmp
[Headerbar]
Image=header.bmp
LeftWidth=2
RightWidth=2
[MenuItem]
Image=menutools.bmp
[MenuBackground]
Image=menuborder.bmp
[Scrollbar]
Image=arrows.bmp
[HorzScroll]
Image=hscroll.bmp
LeftWidth=3
RightWidth=3
[VertScroll]
Image=vscroll.bmp
TopHeight=3
BottomHeight=3
[HorzScrollThumb]
Image=hthumb.bmp
FrameCount=3
LeftWidth=3
RightWidth=3
[VertScrollThumb]
Image=vthumb.bmp
FrameCount=3
TopHeight=3
BottomHeight=3
)";

// Soft gradients with some texture, so the picture packs like a drawn one.
Bitmap Picture(int w, int h, int seed) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int shade = 150 + (x * 40) / w + (y * 50) / h + ((x ^ y ^ seed) & 7);
      b.Set(x, y, (x + y + seed) % 37 == 0 ? clMagenta : MakeColor(shade, shade - 4, shade - 8));
    }
  return b;
}

struct TBenchSkin {
  std::vector<std::uint8_t> Archive;
  std::size_t Unpacked = 0;
};

const TBenchSkin& BenchSkin() {
  static const TBenchSkin skin = [] {
    std::vector<TSkinArchiveMember> members;
    int seed = 0;
    for (const TPicture& p : kPictures)
      members.push_back({p.Name, WriteBmp(Picture(p.Width, p.Height, seed++))});
    const std::size_t n = std::strlen(kDefinition);
    members.push_back({"skin.ini", std::vector<std::uint8_t>(kDefinition, kDefinition + n)});
    TBenchSkin s;
    s.Unpacked = BuildUnpackedArchive(members).size();
    s.Archive = WriteSkinArchive(members);
    return s;
  }();
  return skin;
}

class TBenchEnvironment final : public ISkinEnvironment {
public:
  Bitmap ResourceBitmap(std::string_view) const override { return Bitmap(60, 10, 0xC0C0C0); }
  int ScrollArrowWidth() const override { return 17; }
};

void Counters(benchmark::State& state) {
  state.counters["unpacked_kB"] = static_cast<double>(BenchSkin().Unpacked) / 1024;
  state.counters["packed_kB"] = static_cast<double>(BenchSkin().Archive.size()) / 1024;
}

void BM_UnpackBaseline(benchmark::State& state) {
  const auto& archive = BenchSkin().Archive;
  std::uint32_t size = 0;
  std::memcpy(&size, archive.data(), 4);
  const std::span<const std::uint8_t> bits(archive.data() + 4, archive.size() - 4);
  for (auto _ : state)
    benchmark::DoNotOptimize(LzhDecode(bits, size));
  Counters(state);
}
BENCHMARK(BM_UnpackBaseline)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

// Archive bytes to every element, as the skin data component loads a skin.
void LoadWholeSkin(benchmark::State& state, const std::vector<std::uint8_t>& archive) {
  const TBenchEnvironment env;
  for (auto _ : state) {
    TSkinReader reader;
    if (reader.Load(archive) != TSkinLoadResult::Ok) state.SkipWithError("archive refused");
    std::vector<std::uint8_t> text;
    std::string name;
    reader.FindContaining(".ini", text, name);
    TQuickIni ini;
    ini.LoadFromStream(&text);
    TSkinDefinition def;
    def.Load(ini, reader, env);
    benchmark::DoNotOptimize(def.Element(ssToolbar));
  }
}

void BM_SkinLoad(benchmark::State& state) {
  LoadWholeSkin(state, BenchSkin().Archive);
  Counters(state);
}
BENCHMARK(BM_SkinLoad)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly();

// The definition alone, with the archive already unpacked.
void BM_DefinitionOnly(benchmark::State& state) {
  TSkinReader reader;
  reader.Load(BenchSkin().Archive);
  std::vector<std::uint8_t> text;
  std::string name;
  reader.FindContaining(".ini", text, name);
  const TBenchEnvironment env;
  for (auto _ : state) {
    TQuickIni ini;
    ini.LoadFromStream(&text);
    TSkinDefinition def;
    def.Load(ini, reader, env);
    benchmark::DoNotOptimize(def.Element(ssToolbar));
  }
}
BENCHMARK(BM_DefinitionOnly)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

// The program's own skin, drawn and packed the way the build does it.
const std::vector<std::uint8_t>& DefaultSkinArchive() {
  static const std::vector<std::uint8_t> archive = [] {
    std::vector<TSkinArchiveMember> members;
    for (const TNamedBitmap& b : DefaultSkinBitmaps())
      members.push_back({b.Name, WriteBmp(b.Image)});
    std::ifstream in(BR_DEFAULT_SKIN_INI, std::ios::binary);
    std::vector<std::uint8_t> ini((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    members.push_back({"skin.ini", ini});
    return WriteSkinArchive(members);
  }();
  return archive;
}

void BM_DefaultSkinLoad(benchmark::State& state) {
  LoadWholeSkin(state, DefaultSkinArchive());
  state.counters["packed_kB"] = static_cast<double>(DefaultSkinArchive().size()) / 1024;
}
BENCHMARK(BM_DefaultSkinLoad)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

void BM_DefaultSkinUnpack(benchmark::State& state) {
  const auto& archive = DefaultSkinArchive();
  std::uint32_t size = 0;
  std::memcpy(&size, archive.data(), 4);
  const std::span<const std::uint8_t> bits(archive.data() + 4, archive.size() - 4);
  for (auto _ : state)
    benchmark::DoNotOptimize(LzhDecode(bits, size));
}
BENCHMARK(BM_DefaultSkinUnpack)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly();

} // namespace

BENCHMARK_MAIN();
