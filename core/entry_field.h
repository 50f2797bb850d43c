// The fields of a search entry, one table in record order: where an entry
// holds each (a text or a flag), the list column that shows it and the names
// the user knows it by. The merge of two programs' edits compares and carries
// an entry field by field; the record, the list's rows and the settings
// window's detail gadgets are all made from this table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/search_entry.h"

namespace core {

enum class EntryField : unsigned char { enabled, sites, content, sortByDate, firstMatch, filter, info };

// The words a flag shows in its list column, set and not.
struct FlagWords {
  const wchar_t* set = nullptr;
  const wchar_t* unset = nullptr;
  const wchar_t* of(std::int32_t flag) const { return flag ? set : unset; }
};

struct EntryFieldTraits {
  EntryField field;
  std::wstring SearchEntry::*text = nullptr;  // a text field, or
  std::int32_t SearchEntry::*flag = nullptr;  // a flag
  int column = 0;                             // in the list; 0 is the row's check box
  const wchar_t* columnTitle = nullptr;
  FlagWords words{};              // a flag's text in its column
  const wchar_t* name = nullptr;  // its detail gadget's label; what a notice calls an edit of it
};

// field, text, flag, column, column title, a flag's words in its column, name
inline constexpr EntryFieldTraits kEntryFields[] = {
    {EntryField::enabled, nullptr, &SearchEntry::enabled},
    {EntryField::sites, &SearchEntry::sites, nullptr, 1, L"URL", {}, L"URL"},
    {EntryField::content, nullptr, &SearchEntry::content, 2, L"Content", {L"PB", L"API"}, L"PB"},
    {EntryField::sortByDate,
     nullptr,
     &SearchEntry::sortByDate,
     3,
     L"Sort by",
     {L"Date", L"Relevance"},
     L"Sort by Date"},
    {EntryField::firstMatch, nullptr, &SearchEntry::firstMatch, 4, L"First Match", {L"Yes", L"No"}, L"First Match"},
    {EntryField::filter, &SearchEntry::filter, nullptr, 5, L"Filter", {}, L"Filter"},
    {EntryField::info, &SearchEntry::info, nullptr, 6, L"Info", {}, L"Info"},
};
inline constexpr std::size_t kEntryFieldCount = std::size(kEntryFields);

inline const EntryFieldTraits& traitsOf(EntryField field) { return kEntryFields[static_cast<std::size_t>(field)]; }

// What an entry's field shows in its list column.
std::wstring columnText(const SearchEntry& entry, const EntryFieldTraits& traits);
// Whether two entries hold the same content in one field: spaces and tabs at
// the ends of a text are no content (the file drops them when it is read).
bool sameField(const SearchEntry& a, const SearchEntry& b, EntryField field);
// Whether two entries hold the same content in every field.
bool sameContent(const SearchEntry& a, const SearchEntry& b);
// How many fields two entries hold the same content in.
int sharedFields(const SearchEntry& a, const SearchEntry& b);
void copyField(SearchEntry& to, const SearchEntry& from, EntryField field);

}  // namespace core
