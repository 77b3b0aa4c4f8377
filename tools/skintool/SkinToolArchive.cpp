#include "skintool/SkinToolArchive.h"

#include "core/Bmp.h"
#include "core/Lzh.h"
#include "core/SkinRead.h"
#include "core/WinSkinIni.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <new>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TBytes = std::vector<std::uint8_t>;

std::uint32_t ReadLE32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::string Str(std::uint64_t n) {
  return std::to_string(n);
}

// Decodes with the stream followed by bytes of the given value instead of
// nothing.
TBytes DecodePadded(std::span<const std::uint8_t> bits, std::uint32_t size, std::uint8_t pad) {
  TBytes out;
  std::size_t pos = 0;
  const TLzhReadFunc read = [&](std::uint8_t* buffer, std::size_t count) {
    const std::size_t n = std::min(count, bits.size() - pos);
    std::copy_n(bits.begin() + static_cast<std::ptrdiff_t>(pos), n, buffer);
    std::fill_n(buffer + n, count - n, pad);
    pos += n;
    return count;
  };
  TLZH().Decode(size, read, [&out](const std::uint8_t* data, std::size_t count) {
    out.insert(out.end(), data, data + count);
  });
  out.resize(size);
  return out;
}

// Empty when the stream is sound. A stream that needs bits beyond its end
// decodes differently when different bytes follow it; a complete one never
// reads them.
std::string Unpack(std::span<const std::uint8_t> archive, TBytes& unpacked) {
  if (archive.size() < 4)
    return "the file has " + Str(archive.size()) +
           " bytes; a skin archive starts with a 4-byte unpacked size";
  const std::uint32_t size = ReadLE32(archive.data());
  const auto bits = archive.subspan(4);
  if (size > SkinMaxUnpackedSize)
    return "it declares " + Str(size) + " unpacked bytes, beyond the limit of " +
           Str(SkinMaxUnpackedSize) + " bytes";
  if (size > LzhUnpackedLimit(bits.size()))
    return "it declares " + Str(size) + " unpacked bytes, more than " + Str(bits.size()) +
           " packed bytes can hold (" + Str(LzhUnpackedLimit(bits.size())) +
           "): the archive is truncated or is no skin archive";
  try {
    unpacked = DecodePadded(bits, size, 0x00);
    if (DecodePadded(bits, size, 0xFF) != unpacked)
      return "the packed stream ends before its " + Str(size) +
             " bytes are decoded: the archive is truncated";
  } catch (const std::bad_alloc&) {
    return "out of memory while decoding";
  } catch (const ElzhException& e) {
    return e.what();
  }
  return {};
}

std::vector<std::string> SplitNames(std::string_view text) {
  std::vector<std::string> names;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    names.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 2);
  }
  return names;
}

// The layout after the size word, checked field by field.
std::string ParseLayout(std::span<const std::uint8_t> data, TArchiveReport& r) {
  if (data.size() < 16)
    return "it unpacks to " + Str(data.size()) + " bytes, fewer than the 16-byte header";
  r.Kind = ReadLE32(data.data());
  r.NameListBytes = ReadLE32(data.data() + 4);
  const int extra = SkinExtraBlockSize(r.Kind);
  if (extra < 0) {
    std::string message = SOlderSkinFile;
    message.replace(message.find('\r'), 1, " / ");
    return "kind " + Str(r.Kind) +
           " is not one the program reads (20000 to 70000): an older skin file; the program "
           "would say \"" +
           message + "\"";
  }
  r.ExtraBytes = static_cast<std::uint32_t>(extra);
  auto rest = data.subspan(16);
  if (r.ExtraBytes > rest.size())
    return "the " + Str(r.ExtraBytes) + "-byte block of kind " + Str(r.Kind) +
           " runs past the end of the data";
  rest = rest.subspan(r.ExtraBytes);
  if (r.NameListBytes > rest.size())
    return "the name list of " + Str(r.NameListBytes) + " bytes runs past the end of the data (" +
           Str(rest.size()) + " bytes follow the header)";
  const std::vector<std::string> names =
      SplitNames(std::string_view(reinterpret_cast<const char*>(rest.data()), r.NameListBytes));
  rest = rest.subspan(r.NameListBytes);
  if (names.size() > static_cast<std::size_t>(SkinMaxMembers))
    return Str(names.size()) + " members, more than the " + Str(SkinMaxMembers) +
           " a skin may hold";
  if (names.size() * 4 > rest.size())
    return "the size table of " + Str(names.size()) + " members runs past the end of the data";
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < names.size(); ++i)
    total += ReadLE32(rest.data() + 4 * i);
  const auto body = rest.subspan(names.size() * 4);
  if (total > body.size())
    return "the member sizes add up to " + Str(total) + " bytes, but " + Str(body.size()) +
           " bytes of member data follow the size table";
  r.TrailingBytes = static_cast<std::uint32_t>(body.size() - total);
  std::size_t offset = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::uint32_t size = ReadLE32(rest.data() + 4 * i);
    const auto first = body.begin() + static_cast<std::ptrdiff_t>(offset);
    r.Members.push_back({names[i], TBytes(first, first + size)});
    offset += size;
  }
  return {};
}

std::string Lower(std::string_view s) {
  return IniLower(s);
}

bool HasExtension(const fs::path& p, std::string_view ext) {
  return Lower(p.extension().string()) == ext;
}

std::string FileNameOf(std::string_view reference) {
  const std::size_t cut = reference.find_last_of("/\\");
  return std::string(cut == std::string_view::npos ? reference : reference.substr(cut + 1));
}

} // namespace

TArchiveReport InspectSkinArchive(std::span<const std::uint8_t> archive) {
  TArchiveReport r;
  r.PackedSize = archive.size();
  TBytes unpacked;
  r.Error = Unpack(archive, unpacked);
  if (r.Error.empty()) {
    r.UnpackedSize = ReadLE32(archive.data());
    r.Error = ParseLayout(unpacked, r);
  }
  if (r.Error.empty() && TSkinReader().Load(archive) != TSkinLoadResult::Ok)
    r.Error = "the skin reader refuses the archive";
  r.Ok = r.Error.empty();
  if (!r.Ok) r.Members.clear();
  return r;
}

std::string FormatArchiveInfo(const TArchiveReport& r) {
  std::ostringstream out;
  out << "kind           " << r.Kind << "\n"
      << "packed size    " << r.PackedSize << " bytes\n"
      << "unpacked size  " << r.UnpackedSize << " bytes\n"
      << "head           " << r.HeadSize() << " bytes (header 16, extra block " << r.ExtraBytes
      << ", names " << r.NameListBytes << ", sizes " << 4 * r.Members.size() << ")\n"
      << "members        " << r.Members.size() << "\n";
  if (r.TrailingBytes > 0)
    out << "left over      " << r.TrailingBytes << " bytes after the last member, in none\n";
  std::size_t width = 0;
  for (const auto& m : r.Members)
    width = std::max(width, m.Name.size());
  for (const auto& m : r.Members)
    out << "  " << m.Name << std::string(width - m.Name.size() + 2, ' ') << m.Data.size() << "\n";
  return out.str();
}

std::vector<std::string> BitmapReferences(std::string_view definition) {
  TQuickIni ini;
  ini.LoadFromText(definition);
  std::vector<std::string> refs;
  for (const std::string& line : ini.Lines()) {
    if (line.front() == '[') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string value(IniTrim(std::string_view(line).substr(eq + 1)));
    if (value.size() > 4 && Lower(value.substr(value.size() - 4)) == ".bmp")
      refs.push_back(FileNameOf(value));
  }
  return refs;
}

std::vector<TSkinArchiveMember> ReadSkinFolder(const fs::path& dir,
                                               std::vector<std::string>& warnings) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) throw ESkinTool(dir.string() + " is not a folder");
  std::vector<fs::path> bitmaps, definitions;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const fs::path& p = entry.path();
    if (entry.is_regular_file() && HasExtension(p, ".bmp"))
      bitmaps.push_back(p);
    else if (entry.is_regular_file() && HasExtension(p, ".ini"))
      definitions.push_back(p);
    else
      warnings.push_back("left out: " + p.filename().string());
  }
  if (definitions.empty()) throw ESkinTool(dir.string() + " holds no skin definition (.ini)");
  if (definitions.size() > 1)
    throw ESkinTool(dir.string() + " holds more than one definition: " +
                    definitions[0].filename().string() + ", " + definitions[1].filename().string());
  std::sort(bitmaps.begin(), bitmaps.end(), [](const fs::path& a, const fs::path& b) {
    return a.filename().string() < b.filename().string();
  });

  const TBytes text = ReadFileBytes(definitions[0]);
  const std::string iniName = definitions[0].filename().string();
  std::map<std::string, std::string> byLower; // lower-case name -> name
  for (const auto& p : bitmaps) {
    const std::string name = p.filename().string();
    if (!byLower.emplace(Lower(name), name).second)
      throw ESkinTool(byLower[Lower(name)] + " and " + name + " differ only in case");
  }
  std::map<std::string, bool> named;
  for (const std::string& ref : BitmapReferences(std::string(text.begin(), text.end()))) {
    if (ref.substr(ref.size() - 4) != ".bmp")
      throw ESkinTool(iniName + " names " + ref +
                      ": the skin loader reads only names that end in \".bmp\"");
    if (!byLower.count(Lower(ref)))
      throw ESkinTool(iniName + " names " + ref + ", which is not in " + dir.string());
    named[Lower(ref)] = true;
  }

  std::vector<TSkinArchiveMember> members;
  for (const auto& p : bitmaps) {
    const std::string name = p.filename().string();
    TBytes bytes = ReadFileBytes(p);
    Bitmap check;
    if (!ReadBmp(bytes, check)) throw ESkinTool(name + " is not a readable BMP file");
    if (!named.count(Lower(name)))
      warnings.push_back(name + " is not named by " + iniName + " (packed all the same)");
    members.push_back({name, std::move(bytes)});
  }
  members.push_back({iniName, text});
  return members;
}

bool IsSafeMemberName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 32;
  });
}

void UnpackSkinArchive(const TArchiveReport& report, const fs::path& dir) {
  for (const auto& m : report.Members)
    if (!IsSafeMemberName(m.Name))
      throw ESkinTool("member name \"" + m.Name + "\" cannot be a file name in a folder");
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir)) throw ESkinTool("cannot create the folder " + dir.string());
  for (const auto& m : report.Members)
    WriteFileBytes(dir / m.Name, m.Data);
}

TBytes ReadFileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ESkinTool("cannot open " + file.string());
  TBytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw ESkinTool("cannot read " + file.string());
  return bytes;
}

void WriteFileBytes(const fs::path& file, std::span<const std::uint8_t> bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw ESkinTool("cannot write " + file.string());
}
