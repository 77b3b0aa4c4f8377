#pragma once
// Splitting a path of the ANSI code page into its pieces. The path is walked
// character by character, so the second byte of a double-byte character is
// never taken for a delimiter, even when its value is that of "\".

#include "core/CodePage.h"

#include <string>
#include <string_view>

// The pieces of a path, found in one pass over it.
struct TPathPieces {
  std::string_view Directory; // up to and including the last "\" or ":"
  std::string_view FileName;  // everything after it
  std::string_view Extension; // from the last "." of the file name, when there is one
  std::string_view Stem;      // the file name without its extension
};
TPathPieces SplitPath(const ICodePage& cp, std::string_view path);

// Up to and including the last "\" or ":"; empty when there is neither.
std::string DirectoryPart(const ICodePage& cp, std::string_view path);
// Everything after the last "\" or ":".
std::string FileNamePart(const ICodePage& cp, std::string_view path);
// From the last "." to the end, when that "." comes after every "\" and ":".
std::string ExtensionPart(const ICodePage& cp, std::string_view path);
// The file name without its extension.
std::string StemPart(const ICodePage& cp, std::string_view path);
