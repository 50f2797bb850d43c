#include "core/search_entry.h"

#include "runtime/text.h"

namespace core {

std::wstring formatEntryRecord(const SearchEntry& entry) {
  const wchar_t x = kFieldSeparator;
  return std::to_wstring(entry.enabled) + x + entry.sites + x + std::to_wstring(entry.content) + x +
         std::to_wstring(entry.sortByDate) + x + std::to_wstring(entry.firstMatch) + x + entry.filter + x + entry.info;
}

void parseEntryRecord(std::wstring_view record, SearchEntry& entry) {
  // Text without a separator is no record the tool wrote (a short record, half
  // of a split line): it is kept whole as the sites of a disabled entry.
  if (record.find(kFieldSeparator) == std::wstring_view::npos) {
    entry = SearchEntry{};
    entry.sites = record;
    return;
  }
  auto text = [&](int n) { return std::wstring(runtime::field(record, n, kFieldSeparator)); };
  auto number = [&](int n) {
    return static_cast<std::int32_t>(runtime::textToNumber(runtime::field(record, n, kFieldSeparator)));
  };
  entry.enabled = number(1);
  entry.sites = text(2);
  entry.content = number(3);
  entry.sortByDate = number(4);
  entry.firstMatch = number(5);
  entry.filter = text(6);
  entry.info = text(7);
}

std::optional<std::wstring> fieldInput(std::wstring_view text) {
  if (text.find(kFieldSeparator) != std::wstring_view::npos) return std::nullopt;
  auto isBreak = [](wchar_t c) { return c == L'\r' || c == L'\n'; };
  std::wstring taken;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!isBreak(text[i]))
      taken += text[i];
    else if (i == 0 || !isBreak(text[i - 1]))
      taken += L' ';
  }
  return taken;
}

}  // namespace core
