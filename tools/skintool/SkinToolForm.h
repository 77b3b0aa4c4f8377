#pragma once
// The main form's description with the skin archive put in: a template line
// "SkinStream = @DEFAULT_SKIN_STREAM@" becomes the binary property value
// {hex}, the 32-bit little-endian byte count followed by the archive.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

inline constexpr std::string_view kSkinStreamMarker = "@DEFAULT_SKIN_STREAM@";

// Every line whose value is exactly the marker ("Name = @...@") gets the
// data, written as the form writer writes binary values: 32 bytes per line,
// indented two spaces more than the property. Line ends are kept as they
// are. A template without the marker comes back unchanged; replaced tells
// how many lines were filled in.
std::string EmbedSkinStream(std::string_view formTemplate, std::span<const std::uint8_t> archive,
                            int* replaced = nullptr);
