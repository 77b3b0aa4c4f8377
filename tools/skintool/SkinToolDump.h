#pragma once
// The skin as the program loads it, written as JSON for people and diffs.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Loads the archive with the skin loader in a fixed environment (scroll
// arrows 16 pixels wide, no "TRACK" or "TRACKVERT" resources; the JSON
// says so) and describes every element slot, the borders, the caption, the
// "Buttons" element, the title-bar buttons and the colours. Throws ESkinTool
// when the archive cannot be read or holds no definition.
std::string SkinDefinitionJson(std::span<const std::uint8_t> archive);

// Text as a JSON string literal, quotes included. A definition is text in
// the ANSI code page, not UTF-8, so bytes from 0x80 up are written as
// \u00XX (each byte on its own) and the output stays valid JSON.
std::string JsonString(std::string_view text);
