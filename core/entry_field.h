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

struct EntryFieldSpec {
  EntryField field;
  std::wstring SearchEntry::*text = nullptr;  // a text field, or
  std::int32_t SearchEntry::*flag = nullptr;  // a flag
  int column = 0;                             // in the list; 0 is the row's check box
  const wchar_t* columnTitle = nullptr;
  FlagWords words{};              // a flag's text in its column
  const wchar_t* name = nullptr;  // its detail gadget's label; what a notice calls an edit of it
};

inline constexpr EntryFieldSpec kEntryFields[] = {
    {.field = EntryField::enabled, .flag = &SearchEntry::enabled},
    {.field = EntryField::sites, .text = &SearchEntry::sites, .column = 1, .columnTitle = L"URL", .name = L"URL"},
    {.field = EntryField::content,
     .flag = &SearchEntry::content,
     .column = 2,
     .columnTitle = L"Content",
     .words = {L"PB", L"API"},
     .name = L"PB"},
    {.field = EntryField::sortByDate,
     .flag = &SearchEntry::sortByDate,
     .column = 3,
     .columnTitle = L"Sort by",
     .words = {L"Date", L"Relevance"},
     .name = L"Sort by Date"},
    {.field = EntryField::firstMatch,
     .flag = &SearchEntry::firstMatch,
     .column = 4,
     .columnTitle = L"First Match",
     .words = {L"Yes", L"No"},
     .name = L"First Match"},
    {.field = EntryField::filter,
     .text = &SearchEntry::filter,
     .column = 5,
     .columnTitle = L"Filter",
     .name = L"Filter"},
    {.field = EntryField::info, .text = &SearchEntry::info, .column = 6, .columnTitle = L"Info", .name = L"Info"},
};
inline constexpr std::size_t kEntryFieldCount = std::size(kEntryFields);

inline const EntryFieldSpec& specOf(EntryField field) { return kEntryFields[static_cast<std::size_t>(field)]; }

// What an entry's field shows in its list column.
std::wstring columnText(const SearchEntry& entry, const EntryFieldSpec& spec);
// Whether two entries hold the same content in one field: spaces and tabs at
// the ends of a text are no content (the file drops them when it is read).
bool sameField(const SearchEntry& a, const SearchEntry& b, EntryField field);
// Whether two entries hold the same content in every field.
bool sameContent(const SearchEntry& a, const SearchEntry& b);
// How many fields two entries hold the same content in.
int sharedFields(const SearchEntry& a, const SearchEntry& b);
void copyField(SearchEntry& to, const SearchEntry& from, EntryField field);

}  // namespace core
