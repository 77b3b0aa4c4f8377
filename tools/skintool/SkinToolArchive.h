#pragma once
// The skin tool's work on archives: packing a folder, checking an archive
// with a message that says what is wrong, listing and unpacking it.

#include "core/SkinArchive.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A failure the tool reports to its user; the text says what and where.
class ESkinTool : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// What a stored archive holds, or why it cannot be read.
struct TArchiveReport {
  bool Ok = false;
  std::string Error;
  std::size_t PackedSize = 0; // the whole archive: size word and stream
  std::uint32_t UnpackedSize = 0;
  std::uint32_t Kind = 0;
  std::uint32_t ExtraBytes = 0;
  std::uint32_t NameListBytes = 0;
  // Member data past the last member: allowed, and part of no member.
  std::uint32_t TrailingBytes = 0;
  std::vector<TSkinArchiveMember> Members; // names as stored, case kept

  std::uint32_t HeadSize() const {
    return 16 + ExtraBytes + NameListBytes + 4 * static_cast<std::uint32_t>(Members.size());
  }
};

// Never throws for bad input: every way an archive can be broken ends in
// Ok false and a message.
TArchiveReport InspectSkinArchive(std::span<const std::uint8_t> archive);
// Kind, sizes and the member list, one member per line.
std::string FormatArchiveInfo(const TArchiveReport& report);

// The file names the definition text refers to: the value of every key
// that ends in ".bmp" (in any case), reduced to its file name.
std::vector<std::string> BitmapReferences(std::string_view definition);

// A skin folder as archive members: every .bmp file sorted by name, then
// the single .ini. Throws ESkinTool when there is no definition or more
// than one, when a bitmap is not a readable BMP file, when the definition
// names a bitmap the folder lacks or writes its extension other than
// ".bmp" (the skin loader would not read it), or when two names differ
// only in case. Files of other kinds and bitmaps nobody names are left out
// with a warning.
std::vector<TSkinArchiveMember> ReadSkinFolder(const std::filesystem::path& dir,
                                               std::vector<std::string>& warnings);

// A member name that is safe to write as a file in a folder: not empty,
// not "." or "..", without path separators, drive colons or control
// characters.
bool IsSafeMemberName(std::string_view name);
// Writes every member of a checked archive into dir (created when
// missing). Throws ESkinTool for an unsafe member name before anything is
// written, and for files that cannot be written.
void UnpackSkinArchive(const TArchiveReport& report, const std::filesystem::path& dir);

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);
