// The seven fields of a search entry, one at a time: what the merge of two
// programs' edits compares and carries field by field.
#pragma once

#include <array>

#include "core/search_entry.h"

namespace core {

enum class EntryField : unsigned char { enabled, sites, content, sortByDate, firstMatch, filter, info };

inline constexpr std::array kEntryFields{EntryField::enabled,    EntryField::sites,      EntryField::content,
                                         EntryField::sortByDate, EntryField::firstMatch, EntryField::filter,
                                         EntryField::info};

// Whether two entries hold the same content in one field: spaces and tabs at
// the ends of a text are no content (the file drops them when it is read).
bool sameField(const SearchEntry& a, const SearchEntry& b, EntryField field);
// Whether two entries hold the same content in every field.
bool sameContent(const SearchEntry& a, const SearchEntry& b);
// How many fields two entries hold the same content in.
int sharedFields(const SearchEntry& a, const SearchEntry& b);
void copyField(SearchEntry& to, const SearchEntry& from, EntryField field);

}  // namespace core
