// skintool: packs, checks, lists, unpacks and shows skin archives, draws the
// default skin and puts an archive into the main form's description.
#include "skintool/DefaultSkin.h"
#include "skintool/SkinToolArchive.h"
#include "skintool/SkinToolDump.h"
#include "skintool/SkinToolForm.h"
#include "skintool/SkinToolSheet.h"

#include "core/Bmp.h"
#include "core/SkinRead.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const char* const kHelp = R"(usage: skintool COMMAND ARGUMENTS

  pack DIR ARCHIVE         pack the .ini and the .bmp files of DIR into a skin
                           archive (kind 20000): bitmaps sorted by name, the
                           definition last
  unpack ARCHIVE DIR       write every member of the archive into DIR
  info ARCHIVE             kind, sizes and members of the archive
  dump ARCHIVE             the skin as the program loads it, as JSON (scroll
                           arrows 16 pixels wide, no TRACK resources)
  contact-sheet ARCHIVE OUT.bmp [ZOOM]
                           every bitmap of the archive on one picture, with
                           its name; ZOOM enlarges (default 3)
  gen-default DIR          draw the pictures of the default skin into DIR (add
                           skins/default/skin.ini to DIR, then pack it)
  gen-resources DIR        draw the program's resources into DIR: skinmenu.bmp,
                           track.bmp, trackvert.bmp, mainicon.ico
  embed-form DFM_IN ARCHIVE DFM_OUT
                           copy the form description, filling the line
                           "SkinStream = @DEFAULT_SKIN_STREAM@" with the archive

Exit status: 0 done, 1 the input or a file is bad (the message says why),
2 the command line is wrong.
)";

using TArgs = std::vector<std::string>;

struct TCommand {
  std::size_t MinArgs, MaxArgs;
  std::function<void(const TArgs&)> Run;
};

// The bytes of a checked archive; a broken one ends the command with the
// reason.
std::vector<std::uint8_t> ReadArchive(const std::string& file, TArchiveReport* report = nullptr) {
  std::vector<std::uint8_t> bytes = ReadFileBytes(file);
  TArchiveReport r = InspectSkinArchive(bytes);
  if (!r.Ok) throw ESkinTool(file + ": " + r.Error);
  if (report) *report = std::move(r);
  return bytes;
}

TArchiveReport LoadArchive(const std::string& file) {
  TArchiveReport report;
  ReadArchive(file, &report);
  return report;
}

void WriteBitmap(const fs::path& file, const Bitmap& b) {
  WriteFileBytes(file, WriteBmp(b));
}

void MakeFolder(const fs::path& dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir)) throw ESkinTool("cannot create the folder " + dir.string());
}

void Pack(const TArgs& a) {
  std::vector<std::string> warnings;
  const auto members = ReadSkinFolder(a[0], warnings);
  for (const auto& w : warnings)
    std::cerr << "skintool: " << w << "\n";
  WriteFileBytes(a[1], WriteSkinArchive(members));
}

void Unpack(const TArgs& a) {
  UnpackSkinArchive(LoadArchive(a[0]), a[1]);
}

void Info(const TArgs& a) {
  std::cout << FormatArchiveInfo(LoadArchive(a[0]));
}

void Dump(const TArgs& a) {
  std::cout << SkinDefinitionJson(ReadArchive(a[0]));
}

void Sheet(const TArgs& a) {
  TSheetLayout layout;
  if (a.size() > 2) {
    layout.Zoom = std::atoi(a[2].c_str());
    if (layout.Zoom < 1 || layout.Zoom > 8) throw ESkinTool("ZOOM must be 1 to 8");
  }
  std::vector<TNamedBitmap> pictures;
  for (const auto& m : LoadArchive(a[0]).Members) {
    TNamedBitmap p{m.Name, {}};
    if (ReadBmp(m.Data, p.Image))
      pictures.push_back(std::move(p));
    else if (m.Name.ends_with(".bmp"))
      std::cerr << "skintool: " << m.Name << " is unreadable\n";
  }
  WriteBitmap(a[1], ContactSheet(pictures, layout));
}

void GenDefault(const TArgs& a) {
  MakeFolder(a[0]);
  for (const auto& p : DefaultSkinBitmaps())
    WriteBitmap(fs::path(a[0]) / p.Name, p.Image);
}

void GenResources(const TArgs& a) {
  const fs::path dir = a[0];
  MakeFolder(dir);
  WriteBitmap(dir / "skinmenu.bmp", SkinMenuGlyphs());
  WriteBitmap(dir / "track.bmp", TrackChannelResource(false));
  WriteBitmap(dir / "trackvert.bmp", TrackChannelResource(true));
  WriteFileBytes(dir / "mainicon.ico", ProgramIcon());
}

void EmbedForm(const TArgs& a) {
  const auto form = ReadFileBytes(a[0]);
  const std::string out = EmbedSkinStream(std::string(form.begin(), form.end()), ReadArchive(a[1]));
  WriteFileBytes(a[2], std::vector<std::uint8_t>(out.begin(), out.end()));
}

const std::map<std::string, TCommand>& Commands() {
  static const std::map<std::string, TCommand> commands = {
      {"pack", {2, 2, Pack}},
      {"unpack", {2, 2, Unpack}},
      {"info", {1, 1, Info}},
      {"dump", {1, 1, Dump}},
      {"contact-sheet", {2, 3, Sheet}},
      {"gen-default", {1, 1, GenDefault}},
      {"gen-resources", {1, 1, GenResources}},
      {"embed-form", {3, 3, EmbedForm}},
  };
  return commands;
}

} // namespace

int main(int argc, char** argv) {
  const TArgs args(argv + std::min(argc, 1), argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::cout << kHelp;
    return args.empty() ? kExitUsage : 0;
  }
  const auto it = Commands().find(args[0]);
  const TArgs rest(args.begin() + 1, args.end());
  if (it == Commands().end() || rest.size() < it->second.MinArgs ||
      rest.size() > it->second.MaxArgs) {
    std::cerr << "skintool: "
              << (it == Commands().end() ? "unknown command " : "wrong arguments for ") << args[0]
              << "\n\n"
              << kHelp;
    return kExitUsage;
  }
  try {
    it->second.Run(rest);
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "skintool: " << e.what() << "\n";
    return kExitFailure;
  }
}
