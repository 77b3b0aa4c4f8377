// Skin definitions come from archives that anybody can write: every lookup
// on any text must end quietly.
#include "core/WinSkinIni.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  TQuickIni ini;
  ini.LoadFromStream(&bytes);
  std::vector<std::string> sections;
  ini.ReadSections(&sections);
  // Look up what the text itself names, plus a few fixed keys.
  for (std::size_t i = 0; i < sections.size() && i < 64; ++i) {
    const std::string& s = sections[i];
    ini.SectionLine(s);
    ini.ReadString(s, "Image", "");
    ini.ReadInteger(s, "Frame", 0);
    for (std::size_t j = 0; j < ini.Lines().size() && j < 16; ++j) {
      const std::string& line = ini.Lines()[j];
      const std::string key = line.substr(0, line.find('='));
      ini.ReadString(s, key, "d");
      ini.ReadInteger(s, key, -1);
    }
  }
  return 0;
}
