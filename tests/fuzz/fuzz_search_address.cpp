// Any word and record: the address never carries the word's characters that
// would change the address, and building it never fails.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/text.h"
#include "runtime/utf8.h"
#include "search/search_address.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring input = runtime::fromUtf8(std::string(reinterpret_cast<const char*>(data), size));
  const std::size_t split = input.find(L'\n');
  const std::wstring word = input.substr(0, split);
  const std::wstring record = split == std::wstring::npos ? L"" : input.substr(split + 1);
  core::SearchEntry entry;
  core::parseEntryRecord(record, entry);
  entry.sites = search::buildSiteTerms(runtime::field(record, 2, core::kFieldSeparator));
  const search::PreparedWord prepared = search::prepareWord(word);
  const std::wstring escaped = search::escapeWordForAddress(prepared.text);
  for (wchar_t c : escaped)
    if (c < 0x20 || c == L'&' || c == L'#' || c == L'+' || c == L'"') std::abort();
  const search::SearchSettings settings{L"https://www.google.com/search?", L"&hl=en", 0, 0};
  const std::wstring address = search::buildSearchAddress(settings, entry, prepared.text);
  if (address.find(escaped) == std::wstring::npos) std::abort();
  return 0;
}
