#pragma once
// The in-memory ini reader of skin definitions: the whole text is kept as
// trimmed lines, and every lookup scans them. Skin definitions are short,
// so this is cheaper than building maps.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TQuickIni {
public:
  // Replaces the contents with the lines of the text; a zero byte ends it.
  void LoadFromText(std::string_view text);
  // As LoadFromText with the bytes of the stream; null leaves the reader as it is.
  void LoadFromStream(const std::vector<std::uint8_t>* stream);

  // Index in Lines of the header "[name]" (case ignored), or -1.
  int SectionLine(std::string_view name) const;
  // The first line of the section whose key matches; its trimmed value, or
  // the default when that value is empty or nothing matches.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  // Decimal, or hexadecimal after "$" or "0x"; anything else gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  // Fills the list with the section names in file order; a null list is a
  // programming error and throws EAssertionFailed.
  void ReadSections(std::vector<std::string>* list) const;

  const std::vector<std::string>& Lines() const { return FLines; }

private:
  struct TSection {
    std::string Header; // "[name]", trimmed
    int Line;
  };
  std::vector<std::string> FLines;
  std::vector<TSection> FSections;
};

// Helpers shared with the skin loader. Trimming removes every byte up to
// 32 (blanks and control characters) from both ends; case changes touch
// ASCII letters only, since other bytes may belong to double-byte characters.
std::string_view IniTrim(std::string_view s);
std::string IniLower(std::string_view s);
std::string IniUpper(std::string_view s);
bool IniSameText(std::string_view a, std::string_view b);
