#pragma once
// Colours written as text in a skin definition: up to three decimal numbers
// (red, green, blue) separated by anything that is not a digit, such as
// "189 77 70" or "189,77,70".

#include "core/Color.h"

#include <string_view>

// Components are taken modulo 256 and missing ones are 0, so any text gives
// some colour; an empty text gives black.
TColor ColorFromText(std::string_view text);
