// Any bytes: decoding and parsing never fail, and a document written out and
// read back has the same items with the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/preference_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  core::PreferenceDocument first;
  first.parseFile(std::string(reinterpret_cast<const char*>(data), size));
  const std::string written = first.serialise();
  core::PreferenceDocument second;
  second.parseFile(written);
  if (first.items().size() != second.items().size()) std::abort();
  for (std::size_t i = 0; i < first.items().size(); ++i) {
    const auto& a = first.items()[i];
    const auto& b = second.items()[i];
    if (a.kind != b.kind || a.name != b.name || a.value != b.value) std::abort();
  }
  if (second.serialise() != written) std::abort();
  return 0;
}
