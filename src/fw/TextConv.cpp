#include "fw/TextConv.h"

#include "core/Convert.h"

#include <windows.h>

namespace {

std::wstring ToWide(UINT cp, std::string_view s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string FromWide(UINT cp, std::wstring_view w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

} // namespace

std::wstring Widen(std::string_view utf8) {
  return ToWide(CP_UTF8, utf8);
}
std::string Narrow(std::wstring_view wide) {
  return FromWide(CP_UTF8, wide);
}
std::wstring AnsiToWide(std::string_view ansi) {
  return ToWide(CP_ACP, ansi);
}
std::string WideToAnsi(std::wstring_view wide) {
  return FromWide(CP_ACP, wide);
}

std::wstring ConvertErrorMessage(const EConvertError& e) {
  std::wstring text = Widen(e.Template());
  std::size_t p = text.find(L"%s");
  if (p != std::wstring::npos) text.replace(p, 2, AnsiToWide(e.Argument()));
  return text;
}

std::wstring UpperAscii(std::wstring_view s) {
  std::wstring r(s);
  for (auto& c : r)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return r;
}

std::string LowerAscii(std::string_view s) {
  std::string r(s);
  for (auto& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}
