#pragma once
// Splitting a path of the ANSI code page into its pieces. Delimiters are
// searched from the end by characters: the second byte of a double-byte
// character is never a delimiter, even when its value is that of "\".

#include "core/CodePage.h"

#include <string>
#include <string_view>

// Position of the last single-byte character of the text that is one of
// delimiters; npos when there is none.
std::size_t LastDelimiter(const ICodePage& cp, std::string_view delimiters, std::string_view s);

// Up to and including the last "\" or ":"; empty when there is neither.
std::string DirectoryPart(const ICodePage& cp, std::string_view path);
// Everything after the last "\" or ":".
std::string FileNamePart(const ICodePage& cp, std::string_view path);
// From the last "." to the end, when that "." comes after every "\" and ":".
std::string ExtensionPart(const ICodePage& cp, std::string_view path);
// The file name without its extension.
std::string StemPart(const ICodePage& cp, std::string_view path);
