#pragma once
// Small pictures written as text for pixel-exact tests: each letter is its
// own colour, '.' is white and '#' magenta.

#include "core/Bitmap.h"

#include <string>
#include <vector>

namespace pictures {

inline TColor ColorOfChar(char ch) {
  if (ch == '.') return clWhite;
  if (ch == '#') return clMagenta;
  return MakeColor(static_cast<unsigned char>(ch), 0x11, 0x22);
}

inline char CharOfColor(TColor c) {
  if (c == clWhite) return '.';
  if (c == clMagenta) return '#';
  if (GreenOf(c) == 0x11 && BlueOf(c) == 0x22) return static_cast<char>(RedOf(c));
  return '?';
}

inline Bitmap FromText(const std::vector<std::string>& rows) {
  Bitmap bmp(rows.empty() ? 0 : static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      bmp.Set(x, y, ColorOfChar(rows[y][x]));
  return bmp;
}

inline std::vector<std::string> ToText(const Bitmap& bmp) {
  std::vector<std::string> rows;
  for (int y = 0; y < bmp.Height(); ++y) {
    std::string row;
    for (int x = 0; x < bmp.Width(); ++x)
      row += CharOfColor(bmp.At(x, y));
    rows.push_back(row);
  }
  return rows;
}

} // namespace pictures
