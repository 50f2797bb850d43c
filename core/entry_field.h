// The fields of a search entry, one table in record order: where an entry
// holds each (a text or a flag) and the list column that shows it. The merge
// of two programs' edits compares and carries an entry field by field; the
// record, the list's rows and the settings window's detail gadgets (whose
// layout has the fields' texts) are all made from this table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/search_entry.h"

namespace core {

enum class EntryField : unsigned char { enabled, sites, content, sortByDate, firstMatch, filter, info };

struct EntryFieldTraits {
  EntryField field;
  std::wstring SearchEntry::*text = nullptr;  // a text field, or
  std::int32_t SearchEntry::*flag = nullptr;  // a flag
  int column = 0;                             // in the list; 0 is the row's check box
};

// field, text, flag, list column
inline constexpr EntryFieldTraits kEntryFields[] = {
    {EntryField::enabled, nullptr, &SearchEntry::enabled},
    {EntryField::sites, &SearchEntry::sites, nullptr, 1},
    {EntryField::content, nullptr, &SearchEntry::content, 2},
    {EntryField::sortByDate, nullptr, &SearchEntry::sortByDate, 3},
    {EntryField::firstMatch, nullptr, &SearchEntry::firstMatch, 4},
    {EntryField::filter, &SearchEntry::filter, nullptr, 5},
    {EntryField::info, &SearchEntry::info, nullptr, 6},
};
inline constexpr std::size_t kEntryFieldCount = std::size(kEntryFields);

inline const EntryFieldTraits& traitsOf(EntryField field) { return kEntryFields[static_cast<std::size_t>(field)]; }

// Whether two entries hold the same content in one field: spaces and tabs at
// the ends of a text are no content (the file drops them when it is read).
bool sameField(const SearchEntry& a, const SearchEntry& b, EntryField field);
// Whether two entries hold the same content in every field.
bool sameContent(const SearchEntry& a, const SearchEntry& b);
// How many fields two entries hold the same content in.
int sharedFields(const SearchEntry& a, const SearchEntry& b);
void copyField(SearchEntry& to, const SearchEntry& from, EntryField field);

}  // namespace core
