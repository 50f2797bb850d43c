// One search entry and its stored text form: seven fields joined by "×".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

inline constexpr wchar_t kFieldSeparator = L'\u00D7';  // "×"

struct SearchEntry {
  std::int32_t enabled = 0;  // 1 when the record's first character is "1", as the search run takes it
  std::wstring sites;        // web sites separated by "|"
  std::int32_t content = 0;  // 1: PB and API content, 0: API content only
  std::int32_t sortByDate = 0;
  std::int32_t firstMatch = 0;
  std::wstring filter;
  std::wstring info;
  // What a record holds after its seventh field, from the separator on: the
  // tool does not know it, and keeps it with the entry.
  std::wstring rest;

  bool operator==(const SearchEntry&) const = default;
};

std::wstring formatEntryRecord(const SearchEntry& entry);

// Whether a record is of an entry that searches: its first character is "1",
// and it has fields (text without a separator is a disabled entry's sites).
// The search run takes these, the settings window ticks these.
bool isEnabledRecord(std::wstring_view record);

// Fills all seven fields and the rest; missing fields give empty texts and
// zeros. Text without any separator is the sites of a disabled entry.
void parseEntryRecord(std::wstring_view record, SearchEntry& entry);

// A field's text as an entry can store it: without "×", which separates the
// fields, and without line breaks (a record is one line), each run of CR and
// LF becoming one space. The caret stays after the character it followed.
std::wstring storableText(std::wstring_view typed, int& caret);

// Text the user types or pastes into one of an entry's text fields, as the
// entry can hold it (above), without the line breaks at its ends; none when
// it holds "×", which is refused.
std::optional<std::wstring> fieldInput(std::wstring_view text);

}  // namespace core
