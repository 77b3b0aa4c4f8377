#pragma once
// The skin archive: a 32-bit little-endian unpacked size followed by an
// LZHUF stream. Unpacked, it is a 16-byte header (kind, length of the name
// list, two words nobody reads), an extra block whose size depends on the
// kind, the member names as CR LF separated lines, one 32-bit size per name
// and the member data back to back.

#include "core/Bitmap.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The one message a skin load may show: the archive kind is not known.
extern const char* const
    SOlderSkinFile; // "This is Older Skin File\rPlease update to new version !"

enum class TSkinLoadResult { Ok, OldSkin, Invalid };

// Size of the skipped block after the header for each known kind; -1 for a
// kind this reader does not know.
int SkinExtraBlockSize(std::uint32_t kind);

// More names than this are refused rather than read.
constexpr int SkinMaxMembers = 1001;
// No archive unpacks to more than this, whatever it declares.
constexpr std::uint32_t SkinMaxUnpackedSize = 256u * 1024 * 1024;

class TSkinReader {
public:
  // Loads a whole stored archive. OldSkin: the kind is not known (the caller
  // shows SOlderSkinFile); Invalid: the archive is broken. Either way no
  // member is loaded; Header() then keeps what was read of the header.
  TSkinLoadResult Load(std::span<const std::uint8_t> archive);

  const std::vector<std::string>& Names() const { return FNames; } // lower-cased
  int Count() const { return static_cast<int>(FNames.size()); }
  const std::vector<std::uint32_t>& Sizes() const { return FSizes; }
  // Everything after the size table: the members back to back, then any
  // bytes their sizes leave over, which no lookup returns.
  const std::vector<std::uint8_t>& Data() const { return FData; }
  const std::array<std::uint32_t, 4>& Header() const { return FHeader; }
  std::uint32_t Kind() const { return FHeader[0]; }

  // The first member of that name (ASCII case ignored). The target is
  // emptied first and stays empty when there is no such member.
  bool FindByName(std::string_view name, std::vector<std::uint8_t>& target) const;
  // The first member whose name contains text (case-sensitive: stored names
  // are lower case), with its name.
  bool FindContaining(std::string_view text, std::vector<std::uint8_t>& target,
                      std::string& name) const;
  // A bitmap reference as written in a skin definition, perhaps with a
  // folder: its file name must end in ".bmp" exactly; the member of that
  // name, when it is not empty, is read as a BMP file. Returns whether a
  // bitmap was read; the target is cleared otherwise.
  bool ReadBitmapMember(std::string_view reference, Bitmap& target) const;

private:
  void Reset();
  TSkinLoadResult Parse(std::span<const std::uint8_t> unpacked);
  void CopyMember(std::size_t index, std::vector<std::uint8_t>& target) const;

  std::vector<std::string> FNames;
  std::vector<std::uint32_t> FSizes;
  std::vector<std::uint64_t> FOffsets;
  std::vector<std::uint8_t> FData;
  std::array<std::uint32_t, 4> FHeader{};
};
