#pragma once
// The application's own string routines.

#include "core/CodePage.h"

#include <string>
#include <string_view>

// First position (from 0) of pattern in text at which a character starts
// and the locale agrees that the bytes are equal; npos when there is none or
// when either text is empty.
std::size_t FindCharAware(const ICodePage& cp, std::string_view text, std::string_view pattern);

// Replaces every occurrence of oldText in s by newText, left to right and
// without overlap, ignoring the case of the letters the code page
// upper-cases. The text between matches is copied from s, so it keeps its
// case; the inserted text is never searched again.
std::string ReplaceAllIgnoreCase(const ICodePage& cp, std::string_view s, std::string_view oldText,
                                 std::string_view newText);
