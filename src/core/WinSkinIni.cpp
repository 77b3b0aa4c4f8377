#include "core/WinSkinIni.h"

#include "core/Convert.h"
#include "core/ImgUtil.h"

#include <algorithm>

namespace {

char LowerChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char UpperChar(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsHeader(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// The key of a line: the text before its first "=", or empty without one.
std::string_view KeyOf(std::string_view line, std::size_t eq) {
  return eq == std::string_view::npos ? std::string_view() : IniTrim(line.substr(0, eq));
}

} // namespace

std::string_view IniTrim(std::string_view s) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!s.empty() && blank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && blank(s.back()))
    s.remove_suffix(1);
  return s;
}

std::string IniLower(std::string_view s) {
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(), LowerChar);
  return r;
}

std::string IniUpper(std::string_view s) {
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(), UpperChar);
  return r;
}

bool IniSameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerChar(x) == LowerChar(y);
         });
}

void TQuickIni::LoadFromText(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  FLines.clear();
  FSections.clear();
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = IniTrim(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos++] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    if (line.empty() || line.front() == ';') continue;
    if (IsHeader(line)) FSections.push_back({std::string(line), static_cast<int>(FLines.size())});
    FLines.emplace_back(line);
  }
}

void TQuickIni::LoadFromStream(const std::vector<std::uint8_t>* stream) {
  if (!stream) return;
  LoadFromText(std::string_view(reinterpret_cast<const char*>(stream->data()), stream->size()));
}

int TQuickIni::SectionLine(std::string_view name) const {
  for (const TSection& s : FSections)
    if (s.Header.size() == name.size() + 2 &&
        IniSameText(std::string_view(s.Header).substr(1, name.size()), name))
      return s.Line;
  return -1;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view def) const {
  int header = SectionLine(section);
  if (header < 0) return std::string(def);
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < FLines.size(); ++i) {
    std::string_view line = FLines[i];
    if (IsHeader(line)) break;
    std::size_t eq = line.find('=');
    if (!IniSameText(KeyOf(line, eq), key)) continue;
    // Only the first line with this key counts, even when its value is empty.
    if (eq == std::string_view::npos) break;
    std::string_view value = IniTrim(line.substr(eq + 1));
    return value.empty() ? std::string(def) : std::string(value);
  }
  return std::string(def);
}

int TQuickIni::ReadInteger(std::string_view section, std::string_view key, int def) const {
  std::string s = ReadString(section, key, "");
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.replace(0, 2, "$");
  std::int32_t value = 0;
  return TryStrToInt(s, value) ? value : def;
}

void TQuickIni::ReadSections(std::vector<std::string>* list) const {
  if (!list) throw EAssertionFailed("The parameter Strings is unassigned!", "WinSkinIni", 317);
  list->clear();
  for (const TSection& s : FSections)
    list->emplace_back(IniTrim(std::string_view(s.Header).substr(1, s.Header.size() - 2)));
}
