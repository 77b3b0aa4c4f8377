// Stored form descriptions are text anybody can edit: parsing must end in a
// tree or a clean error, and whatever parses must survive being written and
// read again unchanged.
#include "core/FormText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Texts written from equal trees are equal, so comparing two writes
// compares the trees without their line numbers.
void CheckRoundTrip(std::string_view text) {
  TFormObject first;
  try {
    first = ParseFormText(text);
  } catch (const EFormTextError&) {
    return;
  }
  const std::string written = WriteFormText(first);
  TFormObject second;
  try {
    second = ParseFormText(written);
  } catch (const EFormTextError&) {
    std::abort(); // the writer produced text its own parser refuses
  }
  if (WriteFormText(second) != written) std::abort();
}

// Any bytes quoted for a description read back as the same bytes.
void CheckQuoting(std::string_view bytes) {
  const std::string text = "object A: T\n  S = " + QuoteFormString(bytes) + "\nend\n";
  TFormObject o = ParseFormText(text);
  if (o.Props.size() != 1 || o.Props[0].Value.Text != bytes) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckRoundTrip(text);
  if (size <= 4096) CheckQuoting(text);
  return 0;
}
