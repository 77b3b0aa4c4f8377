#include "core/PathSplit.h"

std::size_t LastDelimiter(const ICodePage& cp, std::string_view delimiters, std::string_view s) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = CharLenAt(cp, s, i);
    if (n == 1 && delimiters.find(s[i]) != std::string_view::npos) last = i;
    i += n;
  }
  return last;
}

std::string DirectoryPart(const ICodePage& cp, std::string_view path) {
  std::size_t i = LastDelimiter(cp, "\\:", path);
  return i == std::string_view::npos ? std::string() : std::string(path.substr(0, i + 1));
}

std::string FileNamePart(const ICodePage& cp, std::string_view path) {
  std::size_t i = LastDelimiter(cp, "\\:", path);
  return std::string(i == std::string_view::npos ? path : path.substr(i + 1));
}

std::string ExtensionPart(const ICodePage& cp, std::string_view path) {
  std::size_t i = LastDelimiter(cp, ".\\:", path);
  if (i == std::string_view::npos || path[i] != '.') return {};
  return std::string(path.substr(i));
}

std::string StemPart(const ICodePage& cp, std::string_view path) {
  std::string name = FileNamePart(cp, path);
  name.resize(name.size() - ExtensionPart(cp, path).size());
  return name;
}
