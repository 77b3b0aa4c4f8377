#include "core/PathSplit.h"

TPathPieces SplitPath(const ICodePage& cp, std::string_view path) {
  std::size_t dirEnd = 0;                   // bytes of the directory part
  std::size_t dot = std::string_view::npos; // last "." after the directory part
  for (std::size_t i = 0; i < path.size();) {
    const std::size_t n = CharLenAt(cp, path, i);
    if (n == 1) {
      if (path[i] == '\\' || path[i] == ':') {
        dirEnd = i + 1;
        dot = std::string_view::npos;
      } else if (path[i] == '.') {
        dot = i;
      }
    }
    i += n;
  }
  TPathPieces pieces;
  pieces.Directory = path.substr(0, dirEnd);
  pieces.FileName = path.substr(dirEnd);
  if (dot != std::string_view::npos) pieces.Extension = path.substr(dot);
  pieces.Stem = pieces.FileName.substr(0, pieces.FileName.size() - pieces.Extension.size());
  return pieces;
}

std::string DirectoryPart(const ICodePage& cp, std::string_view path) {
  return std::string(SplitPath(cp, path).Directory);
}

std::string FileNamePart(const ICodePage& cp, std::string_view path) {
  return std::string(SplitPath(cp, path).FileName);
}

std::string ExtensionPart(const ICodePage& cp, std::string_view path) {
  return std::string(SplitPath(cp, path).Extension);
}

std::string StemPart(const ICodePage& cp, std::string_view path) {
  return std::string(SplitPath(cp, path).Stem);
}
