#pragma once
// Text at the framework's boundaries: the framework keeps UTF-16 text; names
// and stored descriptions are UTF-8; the program's paths and the rename
// engine use the ANSI code page.

#include <string>
#include <string_view>

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide); // to UTF-8
std::wstring AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::wstring_view wide);
class EConvertError;
// The text of a conversion error: the framework's message with its
// argument, which is in the ANSI code page.
std::wstring ConvertErrorMessage(const EConvertError& e);

// Upper-cases ASCII letters only.
std::wstring UpperAscii(std::wstring_view s);
std::string LowerAscii(std::string_view s);
