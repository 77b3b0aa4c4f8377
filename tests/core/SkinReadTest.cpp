#include "core/ArchiveTestUtil.h"
#include <gtest/gtest.h>

#include "core/Bmp.h"
#include "core/Lzh.h"
#include "core/SkinArchive.h"
#include "core/SkinRead.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using archivetest::Pack;
using archivetest::PutLE32;

using TBytes = std::vector<std::uint8_t>;

TBytes BytesOf(std::string_view s) {
  return TBytes(s.begin(), s.end());
}

// An unpacked layout written field by field, so that any field can lie.
struct TRawLayout {
  std::uint32_t Kind = 20000;
  std::string NameText;
  std::vector<std::uint32_t> Sizes;
  TBytes Data;
  std::size_t ExtraBytes = 0;
  std::uint8_t ExtraFill = 0xAB;
  std::int64_t NameLength = -1; // -1: the true length

  TBytes Build() const {
    TBytes out;
    PutLE32(out, Kind);
    PutLE32(out, NameLength < 0 ? static_cast<std::uint32_t>(NameText.size())
                                : static_cast<std::uint32_t>(NameLength));
    PutLE32(out, 0x11111111);
    PutLE32(out, 0x22222222);
    out.resize(out.size() + ExtraBytes, ExtraFill);
    out.insert(out.end(), NameText.begin(), NameText.end());
    for (const auto s : Sizes)
      PutLE32(out, s);
    out.insert(out.end(), Data.begin(), Data.end());
    return out;
  }
};

std::vector<TSkinArchiveMember> SampleMembers() {
  return {{"F-Top.bmp", BytesOf("top bitmap")},
          {"Button.BMP", BytesOf("button")},
          {"empty.bmp", {}},
          {"Skin.ini", BytesOf("[Form]\r\nx=1\r\n")}};
}

TEST(SkinRead, WrittenArchiveLoads) {
  const auto members = SampleMembers();
  TSkinReader reader;
  ASSERT_EQ(reader.Load(WriteSkinArchive(members)), TSkinLoadResult::Ok);
  EXPECT_EQ(reader.Names(),
            (std::vector<std::string>{"f-top.bmp", "button.bmp", "empty.bmp", "skin.ini"}));
  EXPECT_EQ(reader.Count(), 4);
  EXPECT_EQ(reader.Sizes(), (std::vector<std::uint32_t>{10, 6, 0, 13}));
  EXPECT_EQ(reader.Data(), BytesOf("top bitmapbutton[Form]\r\nx=1\r\n"));
  EXPECT_EQ(reader.Header(), (std::array<std::uint32_t, 4>{20000, 44, 0, 0}));
  EXPECT_EQ(reader.Kind(), 20000u);

  TBytes target = BytesOf("old");
  const struct {
    const char* Name;
    bool Found;
    const char* Data;
  } lookups[] = {
      {"f-top.bmp", true, "top bitmap"},
      {"F-TOP.BMP", true, "top bitmap"},
      {"button.bmp", true, "button"},
      {"Empty.bmp", true, ""},
      {"skin.ini", true, "[Form]\r\nx=1\r\n"},
      {"missing.bmp", false, ""},
      {"f-top", false, ""},
      {"", false, ""},
  };
  for (const auto& l : lookups) {
    SCOPED_TRACE(l.Name);
    EXPECT_EQ(reader.FindByName(l.Name, target), l.Found);
    EXPECT_EQ(target, BytesOf(l.Data));
  }
}

TEST(SkinRead, FindContaining) {
  TSkinReader reader;
  ASSERT_EQ(reader.Load(WriteSkinArchive({{"a.bmp", BytesOf("A")},
                                          {"one.ini", BytesOf("first")},
                                          {"two.INI", BytesOf("second")}})),
            TSkinLoadResult::Ok);
  const struct {
    const char* Text;
    bool Found;
    const char* Name;
    const char* Data;
  } cases[] = {
      {".ini", true, "one.ini", "first"},
      {"two", true, "two.ini", "second"},
      {".bmp", true, "a.bmp", "A"},
      {".INI", false, "", ""}, // stored names are lower case
      {"x", false, "", ""},
      {"", true, "a.bmp", "A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    TBytes target = BytesOf("old");
    std::string name;
    EXPECT_EQ(reader.FindContaining(c.Text, target, name), c.Found);
    EXPECT_EQ(target, BytesOf(c.Data));
    if (c.Found) {
      EXPECT_EQ(name, c.Name);
    }
  }
}

TEST(SkinRead, DuplicateNamesGiveTheFirst) {
  TSkinReader reader;
  ASSERT_EQ(reader.Load(WriteSkinArchive({{"x.bmp", BytesOf("1")}, {"X.BMP", BytesOf("22")}})),
            TSkinLoadResult::Ok);
  TBytes target;
  EXPECT_TRUE(reader.FindByName("x.BMP", target));
  EXPECT_EQ(target, BytesOf("1"));
}

TEST(SkinRead, KindsAndTheirExtraBlocks) {
  const struct {
    std::uint32_t Kind;
    std::size_t Extra;
  } kinds[] = {{20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.Kind);
    EXPECT_EQ(SkinExtraBlockSize(k.Kind), static_cast<int>(k.Extra));
    const auto members = SampleMembers();
    EXPECT_EQ(BuildUnpackedArchive(members, k.Kind).size(), 16 + k.Extra + 44 + 16 + 29);

    TSkinReader reader;
    ASSERT_EQ(reader.Load(WriteSkinArchive(members, k.Kind)), TSkinLoadResult::Ok);
    EXPECT_EQ(reader.Kind(), k.Kind);
    EXPECT_EQ(reader.Count(), 4);

    // Whatever the block holds is skipped.
    TRawLayout raw{k.Kind, "a\r\n", {2}, BytesOf("hi"), k.Extra};
    ASSERT_EQ(reader.Load(Pack(raw.Build())), TSkinLoadResult::Ok);
    TBytes target;
    EXPECT_TRUE(reader.FindByName("a", target));
    EXPECT_EQ(target, BytesOf("hi"));
  }
}

TEST(SkinRead, UnknownKindsAreOldSkins) {
  for (const std::uint32_t kind : {0u, 10000u, 19999u, 20001u, 25000u, 80000u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(SkinExtraBlockSize(kind), -1);
    TSkinReader reader;
    EXPECT_EQ(reader.Load(WriteSkinArchive(SampleMembers(), kind)), TSkinLoadResult::OldSkin);
    EXPECT_EQ(reader.Kind(), kind);
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_TRUE(reader.Data().empty());
    // Even a layout that would be broken beyond the kind is an old skin.
    TRawLayout raw{kind, "a\r\nb", {5}, {}, 0, 0, 0x7FFFFFFF};
    EXPECT_EQ(reader.Load(Pack(raw.Build())), TSkinLoadResult::OldSkin);
  }
  EXPECT_STREQ(SOlderSkinFile, "This is Older Skin File\rPlease update to new version !");
}

TEST(SkinRead, NameListSplitting) {
  const struct {
    std::string Text;
    std::vector<std::string> Names;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"\r\n", {""}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\r\n\r\n", {"a", ""}},
      {"A\rB\nC", {"a\rb\nc"}}, // only the pair separates
      {"F-TOP.BMP\r\nSkin.Ini", {"f-top.bmp", "skin.ini"}},
      // Only ASCII letters change; the bytes of other characters stay.
      {"\xC6\xA4\xB7\xF4.BMP\r\n\xC4\xC1.bmp", {"\xC6\xA4\xB7\xF4.bmp", "\xC4\xC1.bmp"}},
      {std::string("a\0b", 3), {std::string("a\0b", 3)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Text));
    TRawLayout raw;
    raw.NameText = c.Text;
    for (std::size_t i = 0; i < c.Names.size(); ++i) {
      raw.Sizes.push_back(static_cast<std::uint32_t>(i + 1));
      raw.Data.resize(raw.Data.size() + i + 1, static_cast<std::uint8_t>('0' + i));
    }
    TSkinReader reader;
    ASSERT_EQ(reader.Load(Pack(raw.Build())), TSkinLoadResult::Ok);
    EXPECT_EQ(reader.Names(), c.Names);
    EXPECT_EQ(reader.Count(), static_cast<int>(c.Names.size()));
    EXPECT_EQ(reader.Header()[1], c.Text.size());
    if (!c.Names.empty()) {
      TBytes target;
      EXPECT_TRUE(reader.FindByName(c.Names.back(), target));
      EXPECT_EQ(target,
                TBytes(c.Names.size(), static_cast<std::uint8_t>('0' + c.Names.size() - 1)));
    }
  }
}

TEST(SkinRead, BrokenLayoutsAreRefused) {
  const TRawLayout good{20000, "a\r\nb\r\n", {2, 3}, BytesOf("xxyyy")};
  auto with = [&](auto change) {
    TRawLayout raw = good;
    change(raw);
    return raw.Build();
  };
  TBytes cut = good.Build();
  cut.resize(15);
  TBytes headerOnly = good.Build();
  headerOnly.resize(16);
  const struct {
    const char* What;
    TBytes Unpacked;
  } cases[] = {
      {"header cut", cut},
      {"no more than a header", headerOnly},
      {"extra block cut", with([](TRawLayout& r) {
         r.Kind = 30000;
         r.ExtraBytes = 255;
         r.NameText.clear();
         r.Sizes.clear();
         r.Data.clear();
       })},
      {"name list longer than the data", with([](TRawLayout& r) { r.NameLength = 100; })},
      {"name list length garbage", with([](TRawLayout& r) { r.NameLength = 0xFFFFFFFF; })},
      {"size table cut", with([](TRawLayout& r) {
         r.Sizes = {2};
         r.Data.clear();
         r.Data.push_back(0);
       })},
      {"sizes beyond the data", with([](TRawLayout& r) {
         r.Sizes = {2, 4};
       })},
      // Summed in 32 bits these would come to 5, the data length.
      {"sizes overflowing", with([](TRawLayout& r) {
         r.Sizes = {0xFFFFFFFF, 6};
       })},
      {"sizes overflowing to the data length", with([](TRawLayout& r) {
         r.Sizes = {0x80000000, 0x80000005};
       })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    TSkinReader reader;
    EXPECT_EQ(reader.Load(Pack(c.Unpacked)), TSkinLoadResult::Invalid);
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_TRUE(reader.Data().empty());
  }
  TSkinReader reader;
  EXPECT_EQ(reader.Load(Pack(good.Build())), TSkinLoadResult::Ok);
}

// Sizes that leave bytes over are the format's own rule, not damage: the
// bytes stay with the data, every member is found with exactly its own
// bytes, and no lookup hands out what is left over.
TEST(SkinRead, SizesShortOfTheDataKeepTheRest) {
  const struct {
    const char* What;
    std::vector<std::uint32_t> Sizes;
    const char* A;
    const char* B;
  } cases[] = {
      {"one byte over", {2, 2}, "xx", "yy"},
      {"most of it over", {1, 0}, "x", ""},
      {"all of it over", {0, 0}, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    const TRawLayout raw{20000, "a.bmp\r\nb.bmp\r\n", c.Sizes, BytesOf("xxyyy")};
    TSkinReader reader;
    ASSERT_EQ(reader.Load(Pack(raw.Build())), TSkinLoadResult::Ok);
    EXPECT_EQ(reader.Data(), BytesOf("xxyyy"));
    EXPECT_EQ(reader.Sizes(), c.Sizes);
    TBytes target;
    EXPECT_TRUE(reader.FindByName("A.BMP", target));
    EXPECT_EQ(target, BytesOf(c.A));
    EXPECT_TRUE(reader.FindByName("b.bmp", target));
    EXPECT_EQ(target, BytesOf(c.B));
    std::string name;
    EXPECT_TRUE(reader.FindContaining("b.", target, name));
    EXPECT_EQ(target, BytesOf(c.B));
  }
  // A bitmap member followed by leftovers still reads as that bitmap.
  Bitmap bmp(2, 1, clWhite);
  TBytes data = WriteBmp(bmp);
  const auto bmpSize = static_cast<std::uint32_t>(data.size());
  data.insert(data.end(), {'B', 'M', 0, 0});
  const TRawLayout raw{20000, "pic.bmp", {bmpSize}, data};
  TSkinReader reader;
  ASSERT_EQ(reader.Load(Pack(raw.Build())), TSkinLoadResult::Ok);
  Bitmap read;
  EXPECT_TRUE(reader.ReadBitmapMember("pic.bmp", read));
  EXPECT_EQ(read, bmp);
}

TEST(SkinRead, AtMost1001Members) {
  for (const int count : {1000, 1001, 1002, 5000}) {
    SCOPED_TRACE(count);
    std::vector<TSkinArchiveMember> members;
    for (int i = 0; i < count; ++i)
      members.push_back({"m" + std::to_string(i), BytesOf("d")});
    TSkinReader reader;
    const TSkinLoadResult r = reader.Load(WriteSkinArchive(members));
    EXPECT_EQ(r, count <= SkinMaxMembers ? TSkinLoadResult::Ok : TSkinLoadResult::Invalid);
    EXPECT_EQ(reader.Count(), r == TSkinLoadResult::Ok ? count : 0);
  }
}

// Zero bits decode as "tttt...", which reads as an unknown kind: so an
// archive of zeros tells whether its declared size was refused up front
// (Invalid) or decoded (OldSkin).
TEST(SkinRead, DeclaredSizeMustFitTheStream) {
  const struct {
    std::uint32_t Declared;
    std::size_t ZeroBytes;
    TSkinLoadResult Result;
  } cases[] = {
      {48, 1, TSkinLoadResult::OldSkin},
      {49, 1, TSkinLoadResult::Invalid},
      {480, 10, TSkinLoadResult::OldSkin},
      {481, 10, TSkinLoadResult::Invalid},
      {16, 0, TSkinLoadResult::Invalid},
      {0xFFFFFFFF, 100, TSkinLoadResult::Invalid},
      {15, 1, TSkinLoadResult::Invalid}, // too short for a header
      // Within 48 times the stream, but past the absolute cap.
      {SkinMaxUnpackedSize + 1, SkinMaxUnpackedSize / 48 + 1, TSkinLoadResult::Invalid},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Declared << " from " << c.ZeroBytes);
    TBytes archive;
    PutLE32(archive, c.Declared);
    archive.resize(4 + c.ZeroBytes, 0);
    TSkinReader reader;
    EXPECT_EQ(reader.Load(archive), c.Result);
  }
  for (std::size_t n = 0; n < 4; ++n) {
    TSkinReader reader;
    EXPECT_EQ(reader.Load(TBytes(n, 0)), TSkinLoadResult::Invalid) << n;
  }
}

// A cut archive decodes on with zero bits and no error; the reader then
// judges the structure it got. A cut inside the member data cannot be told
// (the format has no checksum). Since bytes after the members are allowed,
// a cut before them may still pass, with members cut short or with none;
// it never passes for other members.
TEST(SkinRead, TruncatedArchives) {
  const TBytes archive = WriteSkinArchive(SampleMembers());
  TSkinReader full;
  ASSERT_EQ(full.Load(archive), TSkinLoadResult::Ok);
  int whole = 0;
  for (std::size_t keep = 0; keep < archive.size(); ++keep) {
    SCOPED_TRACE(keep);
    TSkinReader reader;
    const TBytes cut(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(keep));
    if (reader.Load(cut) != TSkinLoadResult::Ok || reader.Count() == 0) continue;
    ASSERT_EQ(reader.Names(), full.Names());
    for (int i = 0; i < reader.Count(); ++i)
      EXPECT_LE(reader.Sizes()[i], full.Sizes()[i]) << i;
    EXPECT_EQ(reader.Data().size(), full.Data().size());
    whole += reader.Sizes() == full.Sizes();
  }
  EXPECT_GT(whole, 0);
}

// A last match may run past the declared size; the surplus is dropped
// rather than taken as member data.
TEST(SkinRead, OverrunOfTheLastMatchIsDropped) {
  const TRawLayout raw{20000, "run.bmp", {100}, TBytes(100, 'q')};
  const TBytes unpacked = raw.Build();
  TBytes longer = unpacked;
  longer.resize(longer.size() + 5, 'q');
  const TBytes bits = LzhEncode(longer);
  ASSERT_GT(LzhDecode(bits, static_cast<std::uint32_t>(unpacked.size())).size(), unpacked.size());

  TBytes archive;
  PutLE32(archive, static_cast<std::uint32_t>(unpacked.size()));
  archive.insert(archive.end(), bits.begin(), bits.end());
  TSkinReader reader;
  ASSERT_EQ(reader.Load(archive), TSkinLoadResult::Ok);
  EXPECT_EQ(reader.Data(), TBytes(100, 'q'));
}

TEST(SkinRead, FailedLoadForgetsTheLastSkin) {
  TSkinReader reader;
  ASSERT_EQ(reader.Load(WriteSkinArchive(SampleMembers())), TSkinLoadResult::Ok);
  EXPECT_EQ(reader.Load(TBytes{1, 2, 3, 4, 5}), TSkinLoadResult::Invalid);
  EXPECT_EQ(reader.Count(), 0);
  EXPECT_TRUE(reader.Sizes().empty());
  EXPECT_TRUE(reader.Data().empty());
  TBytes target;
  EXPECT_FALSE(reader.FindByName("f-top.bmp", target));
}

TEST(SkinArchive, UnpackedLayoutBytes) {
  const TBytes expected = {0x20, 0x4E, 0,   0,    6,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'a',
                           '\r', '\n', 'B', '\r', '\n', 2, 0, 0, 0, 1, 0, 0, 0, 1, 2, 3};
  EXPECT_EQ(BuildUnpackedArchive({{"a", {1, 2}}, {"B", {3}}}), expected);
  EXPECT_EQ(BuildUnpackedArchive({}).size(), 16u);
  const TBytes stored = WriteSkinArchive({{"a", {1, 2}}, {"B", {3}}});
  ASSERT_GE(stored.size(), 4u);
  EXPECT_EQ(TBytes(stored.begin(), stored.begin() + 4), (TBytes{33, 0, 0, 0}));
  EXPECT_EQ(LzhDecode(TBytes(stored.begin() + 4, stored.end()), 33), expected);
}

TEST(SkinArchive, NamesWithLineBreaksAreRefused) {
  EXPECT_THROW(BuildUnpackedArchive({{"a\r\nb", {}}}), std::invalid_argument);
  EXPECT_THROW(WriteSkinArchive({{"x", {}}, {"\r\n", {}}}), std::invalid_argument);
  EXPECT_NO_THROW(BuildUnpackedArchive({{"a\rb\n", {}}}));
}

Bitmap TwoPixels() {
  Bitmap bmp(2, 1, clWhite);
  bmp.Set(1, 0, clMagenta);
  return bmp;
}

TEST(SkinRead, BitmapMembers) {
  TSkinReader reader;
  ASSERT_EQ(reader.Load(WriteSkinArchive({{"f-top.bmp", WriteBmp(TwoPixels())},
                                          {"empty.bmp", {}},
                                          {"broken.bmp", BytesOf("BM not really")},
                                          {"f-top.BMP.txt", WriteBmp(TwoPixels())},
                                          {"noext", WriteBmp(TwoPixels())}})),
            TSkinLoadResult::Ok);
  const struct {
    const char* Reference;
    bool Read;
  } cases[] = {
      {"f-top.bmp", true},
      {"F-TOP.bmp", true},              // the member lookup ignores case
      {"skins\\grey\\f-top.bmp", true}, // only the file name counts
      {"c:f-top.bmp", true},
      {"f-top.BMP", false}, // the extension must be written exactly
      {"f-top.Bmp", false},
      {"f-top", false},
      {"noext", false},
      {"", false},
      {"skins\\", false},
      {"f-top.bmp\\", false},
      {"empty.bmp", false},  // found, but empty
      {"broken.bmp", false}, // found, but no bitmap
      {"missing.bmp", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Reference);
    Bitmap target(3, 3, clBlack);
    EXPECT_EQ(reader.ReadBitmapMember(c.Reference, target), c.Read);
    if (c.Read) {
      EXPECT_EQ(target, TwoPixels());
    } else {
      EXPECT_TRUE(target.Empty());
    }
  }
}

} // namespace
