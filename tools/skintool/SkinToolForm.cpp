#include "skintool/SkinToolForm.h"

#include <limits>
#include <stdexcept>
#include <vector>

namespace {

// The property's data: byte count, then the archive.
std::vector<std::uint8_t> StreamBytes(std::span<const std::uint8_t> archive) {
  if (archive.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("skin archive beyond 32-bit sizes");
  const auto n = static_cast<std::uint32_t>(archive.size());
  std::vector<std::uint8_t> out = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                   static_cast<std::uint8_t>(n >> 16),
                                   static_cast<std::uint8_t>(n >> 24)};
  out.insert(out.end(), archive.begin(), archive.end());
  return out;
}

std::string HexBlock(std::span<const std::uint8_t> bytes, std::string_view indent,
                     std::string_view eol) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out = "{";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) {
      out += eol;
      out += indent;
      out += "  ";
    }
    out += hex[bytes[i] >> 4];
    out += hex[bytes[i] & 15];
  }
  return out + "}";
}

bool IsIdentChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.';
}

// "  Name = @DEFAULT_SKIN_STREAM@" (blanks allowed around "="); gives the
// indentation and the text up to the marker.
bool IsMarkerLine(std::string_view line, std::string_view& indent, std::string_view& head) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  const std::size_t end = line.find_last_not_of(" \t");
  if (!line.substr(0, end + 1).ends_with(kSkinStreamMarker)) return false;
  const std::size_t marker = end + 1 - kSkinStreamMarker.size();
  std::size_t p = first;
  while (p < marker && IsIdentChar(line[p]))
    ++p;
  if (p == first) return false;
  while (p < marker && (line[p] == ' ' || line[p] == '\t'))
    ++p;
  if (p >= marker || line[p] != '=') return false;
  ++p;
  while (p < marker && (line[p] == ' ' || line[p] == '\t'))
    ++p;
  if (p != marker) return false;
  indent = line.substr(0, first);
  head = line.substr(0, marker);
  return true;
}

} // namespace

std::string EmbedSkinStream(std::string_view formTemplate, std::span<const std::uint8_t> archive,
                            int* replaced) {
  const std::vector<std::uint8_t> bytes = StreamBytes(archive);
  std::string out;
  int count = 0;
  while (!formTemplate.empty()) {
    const std::size_t nl = formTemplate.find('\n');
    std::string_view line = formTemplate.substr(0, nl);
    formTemplate.remove_prefix(nl == std::string_view::npos ? formTemplate.size() : nl + 1);
    const bool crlf = line.ends_with('\r');
    if (crlf) line.remove_suffix(1);
    const std::string_view blockEol = crlf ? "\r\n" : "\n";
    const std::string_view eol = nl == std::string_view::npos ? (crlf ? "\r" : "") : blockEol;
    std::string_view indent, head;
    if (IsMarkerLine(line, indent, head)) {
      out += head;
      out += HexBlock(bytes, indent, blockEol);
      ++count;
    } else {
      out += line;
    }
    out += eol;
  }
  if (replaced) *replaced = count;
  return out;
}
