#pragma once
// Writing skin archives, for the skin packing tool and for tests. Names are
// written as given, each followed by CR LF; the header words nobody reads
// and the extra block of the kind are zero.

#include <cstdint>
#include <string>
#include <vector>

struct TSkinArchiveMember {
  std::string Name;
  std::vector<std::uint8_t> Data;
};

// The stored form: unpacked size, then the LZHUF stream. Throws
// std::invalid_argument for a name holding CR LF (it would split in two)
// and std::length_error for an archive beyond 32-bit sizes.
std::vector<std::uint8_t> WriteSkinArchive(const std::vector<TSkinArchiveMember>& members,
                                           std::uint32_t kind = 20000);
// The unpacked layout itself, for tests that craft archives by hand. Kinds
// the reader does not know get no extra block.
std::vector<std::uint8_t> BuildUnpackedArchive(const std::vector<TSkinArchiveMember>& members,
                                               std::uint32_t kind = 20000);
