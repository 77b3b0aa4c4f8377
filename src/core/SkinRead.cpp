#include "core/SkinRead.h"

#include "core/Bmp.h"
#include "core/CodePage.h"
#include "core/Lzh.h"
#include "core/PathSplit.h"

#include <algorithm>
#include <new>

const char* const SOlderSkinFile = "This is Older Skin File\rPlease update to new version !";

namespace {

std::uint32_t ReadLE32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& ch : out)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return out;
}

// Lines separated by CR LF; a CR LF at the very end does not start another.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 2);
  }
  return lines;
}

} // namespace

int SkinExtraBlockSize(std::uint32_t kind) {
  switch (kind) {
  case 20000: return 0;
  case 30000: return 256;
  case 40000: return 80;
  case 50000: return 48;
  case 60000: return 117;
  case 70000: return 69;
  default: return -1;
  }
}

void TSkinReader::Reset() {
  FNames.clear();
  FSizes.clear();
  FOffsets.clear();
  FData.clear();
  FHeader.fill(0);
}

TSkinLoadResult TSkinReader::Load(std::span<const std::uint8_t> archive) {
  Reset();
  if (archive.size() < 4) return TSkinLoadResult::Invalid;
  const std::uint32_t unpackedSize = ReadLE32(archive.data());
  const auto bits = archive.subspan(4);
  // Zeros follow a truncated stream for ever, so a small archive could
  // otherwise ask for gigabytes.
  if (unpackedSize > SkinMaxUnpackedSize || unpackedSize > LzhUnpackedLimit(bits.size()))
    return TSkinLoadResult::Invalid;
  try {
    std::vector<std::uint8_t> unpacked = LzhDecode(bits, unpackedSize);
    // A last match may run past the declared size; those bytes belong to
    // nothing.
    unpacked.resize(unpackedSize);
    return Parse(unpacked);
  } catch (const std::bad_alloc&) {
  } catch (const ElzhException&) {
  }
  Reset();
  return TSkinLoadResult::Invalid;
}

TSkinLoadResult TSkinReader::Parse(std::span<const std::uint8_t> unpacked) {
  if (unpacked.size() < 16) return TSkinLoadResult::Invalid;
  for (int i = 0; i < 4; ++i)
    FHeader[i] = ReadLE32(unpacked.data() + 4 * i);
  const int extra = SkinExtraBlockSize(Kind());
  if (extra < 0) return TSkinLoadResult::OldSkin;

  auto rest = unpacked.subspan(16);
  const std::uint32_t nameBytes = FHeader[1];
  if (static_cast<std::size_t>(extra) > rest.size()) return TSkinLoadResult::Invalid;
  rest = rest.subspan(extra);
  if (nameBytes > rest.size()) return TSkinLoadResult::Invalid;
  const std::string_view text(reinterpret_cast<const char*>(rest.data()), nameBytes);
  std::vector<std::string> names = SplitLines(AsciiLower(text));
  rest = rest.subspan(nameBytes);

  if (names.size() > static_cast<std::size_t>(SkinMaxMembers) || names.size() * 4 > rest.size())
    return TSkinLoadResult::Invalid;
  std::vector<std::uint32_t> sizes(names.size());
  std::vector<std::uint64_t> offsets(names.size());
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    sizes[i] = ReadLE32(rest.data() + 4 * i);
    offsets[i] = total;
    total += sizes[i];
  }
  rest = rest.subspan(names.size() * 4);
  // Every member must lie inside the data. Bytes after the last member are
  // kept with the data, as other packers may leave some, but belong to no
  // member.
  if (total > rest.size()) return TSkinLoadResult::Invalid;

  FNames = std::move(names);
  FSizes = std::move(sizes);
  FOffsets = std::move(offsets);
  FData.assign(rest.begin(), rest.end());
  return TSkinLoadResult::Ok;
}

void TSkinReader::CopyMember(std::size_t index, std::vector<std::uint8_t>& target) const {
  // Load refuses members beyond the data; should one ever get there, it
  // gives what the data holds of it.
  const std::uint64_t from = std::min<std::uint64_t>(FOffsets[index], FData.size());
  const std::uint64_t to = std::min<std::uint64_t>(from + FSizes[index], FData.size());
  target.assign(FData.begin() + static_cast<std::ptrdiff_t>(from),
                FData.begin() + static_cast<std::ptrdiff_t>(to));
}

bool TSkinReader::FindByName(std::string_view name, std::vector<std::uint8_t>& target) const {
  target.clear();
  const auto it = std::find(FNames.begin(), FNames.end(), AsciiLower(name));
  if (it == FNames.end()) return false;
  CopyMember(static_cast<std::size_t>(it - FNames.begin()), target);
  return true;
}

bool TSkinReader::FindContaining(std::string_view text, std::vector<std::uint8_t>& target,
                                 std::string& name) const {
  target.clear();
  const auto it = std::find_if(FNames.begin(), FNames.end(), [text](const std::string& n) {
    return n.find(text) != std::string::npos;
  });
  if (it == FNames.end()) return false;
  CopyMember(static_cast<std::size_t>(it - FNames.begin()), target);
  name = *it;
  return true;
}

bool TSkinReader::ReadBitmapMember(std::string_view reference, Bitmap& target) const {
  const ICodePage& cp = SystemCodePage();
  const std::string fileName = FileNamePart(cp, reference);
  std::vector<std::uint8_t> member;
  const bool read = !fileName.empty() && ExtensionPart(cp, fileName) == ".bmp" &&
                    FindByName(fileName, member) && !member.empty() && ReadBmp(member, target);
  if (!read) target.Clear();
  return read;
}
