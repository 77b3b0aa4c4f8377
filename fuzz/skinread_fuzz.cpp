// Skin archives come from form files that anybody can write. The bytes go
// in twice: as a stored archive, which mostly stops in the decoder or at
// the kind, and as an unpacked layout of a known kind packed properly,
// which reaches the name list, the size table and the lookups.
#include "core/Lzh.h"
#include "core/SkinRead.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

// Every member lies inside the data, and a lookup by name gives exactly
// the bytes of the first member of that name.
void CheckLookups(const TSkinReader& reader) {
  std::vector<std::uint64_t> offsets;
  std::uint64_t total = 0;
  for (const std::uint32_t s : reader.Sizes()) {
    offsets.push_back(total);
    total += s;
  }
  const auto& data = reader.Data();
  if (reader.Count() > SkinMaxMembers || total > data.size()) std::abort();
  std::vector<std::uint8_t> target;
  for (int i = 0; i < reader.Count(); ++i) {
    const std::string& name = reader.Names()[i];
    int first = 0;
    while (reader.Names()[first] != name)
      ++first;
    if (!reader.FindByName(name, target)) std::abort();
    const auto from = data.begin() + static_cast<std::ptrdiff_t>(offsets[first]);
    if (!std::equal(target.begin(), target.end(), from, from + reader.Sizes()[first])) std::abort();
    std::string found;
    if (!reader.FindContaining(name, target, found)) std::abort();
    Bitmap bmp;
    reader.ReadBitmapMember(name, bmp);
    reader.ReadBitmapMember("skins\\" + name, bmp);
  }
  std::string found;
  reader.FindContaining(".ini", target, found);
}

void Exercise(std::span<const std::uint8_t> archive) {
  TSkinReader reader;
  if (reader.Load(archive) == TSkinLoadResult::Ok)
    CheckLookups(reader);
  else if (reader.Count() != 0 || !reader.Data().empty())
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  Exercise(input);
  if (size == 0) return 0;

  static const std::uint32_t kinds[] = {20000, 30000, 40000, 50000, 60000, 70000, 10000};
  const std::uint32_t kind = kinds[data[0] % std::size(kinds)];
  std::vector<std::uint8_t> unpacked;
  for (int i = 0; i < 4; ++i)
    unpacked.push_back(static_cast<std::uint8_t>(kind >> (8 * i)));
  unpacked.insert(unpacked.end(), data + 1, data + size);
  std::vector<std::uint8_t> archive;
  for (int i = 0; i < 4; ++i)
    archive.push_back(static_cast<std::uint8_t>(unpacked.size() >> (8 * i)));
  const auto bits = LzhEncode(unpacked);
  archive.insert(archive.end(), bits.begin(), bits.end());
  Exercise(archive);
  return 0;
}
