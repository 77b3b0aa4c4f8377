#include "core/ArchiveTestUtil.h"
#include <gtest/gtest.h>

#include "SkinToolTestUtil.h"

#include "skintool/SkinToolArchive.h"

#include "core/Lzh.h"
#include "core/SkinArchive.h"
#include "core/SkinRead.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using archivetest::Pack;
using archivetest::PutLE32;

using TBytes = std::vector<std::uint8_t>;

// Bytes that do not compress, so that a cut stream cannot pass for a whole
// one.
TBytes Noise(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  TBytes out(n);
  for (auto& b : out)
    b = static_cast<std::uint8_t>(gen());
  return out;
}

std::vector<TSkinArchiveMember> Sample() {
  return {{"a.bmp", Noise(300, 1)}, {"b.bmp", Noise(500, 2)}, {"skin.ini", {'[', 'x', ']'}}};
}

// An unpacked layout with chosen fields, so that any of them can lie.
TBytes Layout(std::uint32_t kind, const std::string& names, std::uint32_t nameLength,
              const std::vector<std::uint32_t>& sizes, std::size_t dataBytes) {
  TBytes out;
  PutLE32(out, kind);
  PutLE32(out, nameLength);
  PutLE32(out, 0);
  PutLE32(out, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const auto s : sizes)
    PutLE32(out, s);
  out.resize(out.size() + dataBytes, 0x5A);
  return out;
}

TEST(SkinToolArchive, ReportsTheMembersOfASoundArchive) {
  const TBytes archive = WriteSkinArchive(Sample());
  const TArchiveReport r = InspectSkinArchive(archive);
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(r.Kind, 20000u);
  EXPECT_EQ(r.PackedSize, archive.size());
  EXPECT_EQ(r.UnpackedSize, BuildUnpackedArchive(Sample()).size());
  ASSERT_EQ(r.Members.size(), 3u);
  EXPECT_EQ(r.Members[1].Name, "b.bmp");
  EXPECT_EQ(r.Members[1].Data, Noise(500, 2));
  // 16 + "a.bmp\r\nb.bmp\r\nskin.ini\r\n" + 3 sizes
  EXPECT_EQ(r.HeadSize(), 16u + 24u + 12u);
}

struct TBadArchive {
  const char* Label;
  TBytes Archive;
  const char* Expected; // a part of the message
};

std::vector<TBadArchive> BadArchives() {
  const TBytes whole = WriteSkinArchive(Sample());
  const TBytes cut(whole.begin(),
                   whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * 2 / 3));
  TBytes huge; // 20 bytes of stream cannot give 961
  PutLE32(huge, 20 * 48 + 1);
  huge.resize(24, 0);
  TBytes beyondLimit;
  PutLE32(beyondLimit, SkinMaxUnpackedSize + 1);
  beyondLimit.resize(SkinMaxUnpackedSize / 40, 0);
  const std::string names = "a.bmp\r\nb.bmp\r\n";
  std::string manyNames;
  for (int i = 0; i < 1002; ++i)
    manyNames += "m\r\n";
  return {
      {"three bytes", {1, 2, 3}, "a skin archive starts with a 4-byte unpacked size"},
      {"size beyond the stream", huge, "more than 20 packed bytes can hold"},
      {"size beyond the limit", beyondLimit, "beyond the limit"},
      {"truncated stream", cut, "the archive is truncated"},
      {"old kind", Pack(BuildUnpackedArchive(Sample(), 10000)), "kind 10000 is not one"},
      {"kind zero", Pack(Layout(0, names, 14, {1, 1}, 2)), "an older skin file"},
      {"short header", Pack(TBytes(10, 0)), "fewer than the 16-byte header"},
      {"extra block cut", Pack(Layout(30000, "", 0, {}, 40)), "block of kind 30000"},
      {"name list too long", Pack(Layout(20000, names, 4000, {1, 1}, 2)), "name list of 4000"},
      {"size table cut", Pack(Layout(20000, names, 14, {}, 3)), "size table of 2 members"},
      {"sizes too large", Pack(Layout(20000, names, 14, {1, 2}, 2)), "add up to 3 bytes, but 2"},
      {"too many members",
       Pack(Layout(20000, manyNames, static_cast<std::uint32_t>(manyNames.size()),
                   std::vector<std::uint32_t>(1002, 0), 0)),
       "1002 members, more than the 1001"},
  };
}

TEST(SkinToolArchive, SaysWhatIsWrongWithABrokenArchive) {
  for (const auto& c : BadArchives()) {
    SCOPED_TRACE(c.Label);
    const TArchiveReport r = InspectSkinArchive(c.Archive);
    EXPECT_FALSE(r.Ok);
    EXPECT_NE(r.Error.find(c.Expected), std::string::npos) << r.Error;
    EXPECT_TRUE(r.Members.empty());
  }
}

// The program takes bytes after the last member as data of none, so the
// tool accepts them too and says how many there are.
TEST(SkinToolArchive, BytesLeftOverAreAcceptedAndShown) {
  const TArchiveReport r =
      InspectSkinArchive(Pack(Layout(20000, "a.bmp\r\nb.bmp\r\n", 14, {1, 1}, 5)));
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(r.TrailingBytes, 3u);
  ASSERT_EQ(r.Members.size(), 2u);
  EXPECT_EQ(r.Members[1].Data, TBytes{0x5A});
  EXPECT_NE(FormatArchiveInfo(r).find("left over      3 bytes"), std::string::npos);
  EXPECT_EQ(FormatArchiveInfo(InspectSkinArchive(WriteSkinArchive(Sample()))).find("left over"),
            std::string::npos);
}

TEST(SkinToolArchive, OldKindQuotesTheProgramsMessageOnOneLine) {
  const TArchiveReport r = InspectSkinArchive(Pack(BuildUnpackedArchive(Sample(), 10000)));
  EXPECT_NE(r.Error.find("This is Older Skin File / Please update to new version !"),
            std::string::npos);
  EXPECT_EQ(r.Error.find('\r'), std::string::npos);
}

TEST(SkinToolArchive, InfoListsKindSizesAndMembers) {
  const TBytes archive = WriteSkinArchive(Sample());
  const std::string info = FormatArchiveInfo(InspectSkinArchive(archive));
  EXPECT_NE(info.find("kind           20000\n"), std::string::npos) << info;
  EXPECT_NE(info.find("packed size    " + std::to_string(archive.size()) + " bytes\n"),
            std::string::npos);
  EXPECT_NE(info.find("members        3\n"), std::string::npos);
  EXPECT_NE(info.find("  b.bmp     500\n"), std::string::npos) << info;
  EXPECT_NE(info.find("  skin.ini  3\n"), std::string::npos) << info;
}

TEST(SkinToolArchive, BitmapReferencesAreTheFileNamesOfBmpValues) {
  const std::string text = "[A]\r\nImage=sub\\dir/x.bmp\r\n; Skipped=y.bmp\r\n"
                           "Key = Z.BMP \r\nOther=text\r\nShort=.bmp\r\n[B.bmp]\r\nNoValue\r\n";
  EXPECT_EQ(BitmapReferences(text), (std::vector<std::string>{"x.bmp", "Z.BMP"}));
}

struct TSafeName {
  const char* Name;
  bool Safe;
};

TEST(SkinToolArchive, MemberNamesThatCouldEscapeTheFolderAreUnsafe) {
  const TSafeName cases[] = {
      {"f-top.bmp", true}, {"skin.ini", true}, {"\xC6\xA4.bmp", true}, {"", false},
      {".", false},        {"..", false},      {"../x.bmp", false},    {"a/b.bmp", false},
      {"a\\b.bmp", false}, {"c:x.bmp", false}, {"tab\tname", false},   {"..bmp", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsSafeMemberName(c.Name), c.Safe) << c.Name;
}

TEST(SkinToolArchive, UnpackWritesEveryMember) {
  TTempDir dir;
  const TArchiveReport r = InspectSkinArchive(WriteSkinArchive(Sample()));
  UnpackSkinArchive(r, dir / "out");
  EXPECT_EQ(ReadFileBytes(dir / "out" / "a.bmp"), Noise(300, 1));
  EXPECT_EQ(ReadFileBytes(dir / "out" / "skin.ini"), (TBytes{'[', 'x', ']'}));
}

TEST(SkinToolArchive, UnpackRefusesAnUnsafeNameBeforeWritingAnything) {
  TTempDir dir;
  auto members = Sample();
  members.push_back({"../escape.bmp", {1}});
  const TArchiveReport r = InspectSkinArchive(WriteSkinArchive(members));
  ASSERT_TRUE(r.Ok);
  EXPECT_THROW(UnpackSkinArchive(r, dir / "out"), ESkinTool);
  EXPECT_FALSE(std::filesystem::exists(dir / "out" / "a.bmp"));
  EXPECT_FALSE(std::filesystem::exists(dir / "escape.bmp"));
}

// A folder with two bitmaps, a definition naming both, and a stray file.
void SampleFolder(const TTempDir& dir) {
  dir.WriteBitmap("b.bmp", Bitmap(3, 2, clMagenta));
  dir.WriteBitmap("a.bmp", Bitmap(2, 2, clWhite));
  dir.Write("skin.ini", "[S]\r\nImage=a.bmp\r\n[T]\r\nBitmap=folder/b.bmp\r\n");
  dir.Write("notes.txt", "x");
}

TEST(SkinToolPack, BitmapsSortedThenTheDefinition) {
  TTempDir dir;
  SampleFolder(dir);
  std::vector<std::string> warnings;
  const auto members = ReadSkinFolder(dir.Path(), warnings);
  ASSERT_EQ(members.size(), 3u);
  EXPECT_EQ(members[0].Name, "a.bmp");
  EXPECT_EQ(members[1].Name, "b.bmp");
  EXPECT_EQ(members[2].Name, "skin.ini");
  EXPECT_EQ(members[0].Data, ReadFileBytes(dir / "a.bmp"));
  EXPECT_EQ(warnings, (std::vector<std::string>{"left out: notes.txt"}));
  const TArchiveReport r = InspectSkinArchive(WriteSkinArchive(members));
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(r.Members.back().Name, "skin.ini");
}

TEST(SkinToolPack, WarnsOfBitmapsTheDefinitionDoesNotName) {
  TTempDir dir;
  SampleFolder(dir);
  dir.WriteBitmap("unused.bmp", Bitmap(1, 1));
  std::vector<std::string> warnings;
  EXPECT_EQ(ReadSkinFolder(dir.Path(), warnings).size(), 4u);
  EXPECT_NE(std::find(warnings.begin(), warnings.end(),
                      "unused.bmp is not named by skin.ini (packed all the same)"),
            warnings.end());
}

struct TBadFolder {
  const char* Label;
  void (*Spoil)(const TTempDir&);
  const char* Expected;
};

TEST(SkinToolPack, RefusesFoldersTheLoaderCouldNotUse) {
  const TBadFolder cases[] = {
      {"no definition", [](const TTempDir& d) { std::filesystem::remove(d / "skin.ini"); },
       "holds no skin definition"},
      {"two definitions", [](const TTempDir& d) { d.Write("other.ini", ""); },
       "more than one definition"},
      {"missing bitmap", [](const TTempDir& d) { d.Write("skin.ini", "[S]\nImage=c.bmp\n"); },
       "names c.bmp, which is not in"},
      {"capital extension", [](const TTempDir& d) { d.Write("skin.ini", "[S]\nImage=a.BMP\n"); },
       "reads only names that end in \".bmp\""},
      {"broken bitmap", [](const TTempDir& d) { d.Write("b.bmp", "BM nonsense"); },
       "b.bmp is not a readable BMP file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Label);
    TTempDir dir;
    SampleFolder(dir);
    c.Spoil(dir);
    std::vector<std::string> warnings;
    try {
      ReadSkinFolder(dir.Path(), warnings);
      ADD_FAILURE() << "no error";
    } catch (const ESkinTool& e) {
      EXPECT_NE(std::string(e.what()).find(c.Expected), std::string::npos) << e.what();
    }
  }
}

TEST(SkinToolPack, RefusesAFolderThatIsNotThere) {
  TTempDir dir;
  std::vector<std::string> warnings;
  EXPECT_THROW(ReadSkinFolder(dir / "missing", warnings), ESkinTool);
}

#ifndef _WIN32
TEST(SkinToolPack, RefusesNamesThatDifferOnlyInCase) {
  TTempDir dir;
  SampleFolder(dir);
  dir.WriteBitmap("A.bmp", Bitmap(1, 1));
  std::vector<std::string> warnings;
  EXPECT_THROW(ReadSkinFolder(dir.Path(), warnings), ESkinTool);
}
#endif

} // namespace
