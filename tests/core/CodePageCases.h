#pragma once
// The code pages every text test runs against: the portable model always,
// and the running system's when the tests run on Windows (under Wine with
// code page 936 active).

#include "core/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct TNamedCodePage {
  std::string Name;
  const ICodePage* CodePage;
};

inline std::vector<TNamedCodePage> CodePagesUnderTest() {
  static const TCodePage936Model model;
  std::vector<TNamedCodePage> pages{{"Model936", &model}};
#ifdef BR_WIN32_TESTS
  pages.push_back({"Win32", &SystemCodePage()});
#endif
  return pages;
}

inline std::string CodePageName(const testing::TestParamInfo<TNamedCodePage>& info) {
  return info.param.Name;
}
