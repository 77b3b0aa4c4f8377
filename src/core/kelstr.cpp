#include "core/kelstr.h"

#include <algorithm>

std::size_t FindCharAware(const ICodePage& cp, std::string_view text, std::string_view pattern) {
  if (text.empty() || pattern.empty()) return std::string_view::npos;
  std::size_t from = 0;
  std::size_t boundary = 0; // start of the character that holds byte `from`
  for (;;) {
    std::size_t p = text.find(pattern, from);
    if (p == std::string_view::npos || text.size() - p < pattern.size())
      return std::string_view::npos;
    while (boundary < p) boundary += CharLenAt(cp, text, boundary);
    bool onTrailByte = boundary > p;
    if (!onTrailByte && cp.LocaleEqual(text.data() + p, pattern.data(), pattern.size())) return p;
    bool onLeadByte = !onTrailByte && CharLenAt(cp, text, p) == 2;
    from = p + (onLeadByte ? 2 : 1);
  }
}

std::string ReplaceAllIgnoreCase(const ICodePage& cp, std::string_view s, std::string_view oldText,
                                 std::string_view newText) {
  const std::string upperS = UpperCopy(cp, s);
  const std::string upperOld = UpperCopy(cp, oldText);
  std::string result;
  result.reserve(s.size());
  std::string_view rest = s;
  std::string_view search = upperS;
  while (!search.empty()) {
    std::size_t p = FindCharAware(cp, search, upperOld);
    if (p == std::string_view::npos) {
      result.append(rest);
      return result;
    }
    result.append(rest.substr(0, p));
    result.append(newText);
    rest.remove_prefix(std::min(rest.size(), p + oldText.size()));
    search.remove_prefix(std::min(search.size(), p + upperOld.size()));
  }
  return result;
}
