#include "core/entry_field.h"

#include "runtime/text.h"

namespace core {

static_assert(
    [] {
      for (std::size_t at = 0; at < kEntryFieldCount; ++at)
        if (static_cast<std::size_t>(kEntryFields[at].field) != at || !kEntryFields[at].text == !kEntryFields[at].flag)
          return false;
      return true;
    }(),
    "the table is in the fields' order, and each field is a text or a flag");

bool sameField(const SearchEntry& a, const SearchEntry& b, EntryField field) {
  const EntryFieldTraits& traits = traitsOf(field);
  if (traits.text) return runtime::trimBlanks(a.*traits.text) == runtime::trimBlanks(b.*traits.text);
  return a.*traits.flag == b.*traits.flag;
}

bool sameContent(const SearchEntry& a, const SearchEntry& b) {
  return static_cast<std::size_t>(sharedFields(a, b)) == kEntryFieldCount;
}

int sharedFields(const SearchEntry& a, const SearchEntry& b) {
  int shared = 0;
  for (const EntryFieldTraits& traits : kEntryFields) shared += sameField(a, b, traits.field) ? 1 : 0;
  return shared;
}

void copyField(SearchEntry& to, const SearchEntry& from, EntryField field) {
  const EntryFieldTraits& traits = traitsOf(field);
  if (traits.text)
    to.*traits.text = from.*traits.text;
  else
    to.*traits.flag = from.*traits.flag;
}

}  // namespace core
