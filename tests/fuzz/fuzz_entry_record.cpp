// Any record text: parse, format and parse again gives the same entry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/search_entry.h"
#include "runtime/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring record = runtime::fromUtf8(std::string(reinterpret_cast<const char*>(data), size));
  core::SearchEntry first, second;
  core::parseEntryRecord(record, first);
  core::parseEntryRecord(core::formatEntryRecord(first), second);
  if (!(first == second)) std::abort();
  return 0;
}
