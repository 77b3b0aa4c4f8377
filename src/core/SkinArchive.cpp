#include "core/SkinArchive.h"

#include "core/Lzh.h"
#include "core/SkinRead.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

void AppendLE32(std::vector<std::uint8_t>& out, std::uint64_t value) {
  if (value > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("skin archive: size beyond 32 bits");
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

std::vector<std::uint8_t> BuildUnpackedArchive(const std::vector<TSkinArchiveMember>& members,
                                               std::uint32_t kind) {
  std::string names;
  std::uint64_t dataBytes = 0;
  for (const auto& m : members) {
    if (m.Name.find("\r\n") != std::string::npos)
      throw std::invalid_argument("skin archive: member name holds CR LF");
    names += m.Name;
    names += "\r\n";
    dataBytes += m.Data.size();
  }
  const std::size_t extra = static_cast<std::size_t>(std::max(SkinExtraBlockSize(kind), 0));
  const std::uint64_t total = 16 + extra + names.size() + 4 * members.size() + dataBytes;
  if (total > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("skin archive: size beyond 32 bits");

  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(total));
  AppendLE32(out, kind);
  AppendLE32(out, names.size());
  AppendLE32(out, 0);
  AppendLE32(out, 0);
  out.resize(out.size() + extra, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const auto& m : members)
    AppendLE32(out, m.Data.size());
  for (const auto& m : members)
    out.insert(out.end(), m.Data.begin(), m.Data.end());
  return out;
}

std::vector<std::uint8_t> WriteSkinArchive(const std::vector<TSkinArchiveMember>& members,
                                           std::uint32_t kind) {
  const std::vector<std::uint8_t> unpacked = BuildUnpackedArchive(members, kind);
  std::vector<std::uint8_t> out;
  AppendLE32(out, unpacked.size());
  const std::vector<std::uint8_t> bits = LzhEncode(unpacked);
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}
