#include "core/entry_field.h"

#include "runtime/text.h"

namespace core {
namespace {

std::wstring SearchEntry::*textOf(EntryField field) {
  switch (field) {
    case EntryField::sites:
      return &SearchEntry::sites;
    case EntryField::filter:
      return &SearchEntry::filter;
    case EntryField::info:
      return &SearchEntry::info;
    default:
      return nullptr;
  }
}

std::int32_t SearchEntry::*flagOf(EntryField field) {
  switch (field) {
    case EntryField::enabled:
      return &SearchEntry::enabled;
    case EntryField::content:
      return &SearchEntry::content;
    case EntryField::sortByDate:
      return &SearchEntry::sortByDate;
    case EntryField::firstMatch:
      return &SearchEntry::firstMatch;
    default:
      return nullptr;
  }
}

}  // namespace

bool sameField(const SearchEntry& a, const SearchEntry& b, EntryField field) {
  if (const auto text = textOf(field)) return runtime::trimBlanks(a.*text) == runtime::trimBlanks(b.*text);
  const auto flag = flagOf(field);
  return a.*flag == b.*flag;
}

bool sameContent(const SearchEntry& a, const SearchEntry& b) {
  return static_cast<std::size_t>(sharedFields(a, b)) == kEntryFields.size();
}

int sharedFields(const SearchEntry& a, const SearchEntry& b) {
  int shared = 0;
  for (EntryField field : kEntryFields) shared += sameField(a, b, field) ? 1 : 0;
  return shared;
}

void copyField(SearchEntry& to, const SearchEntry& from, EntryField field) {
  if (const auto text = textOf(field))
    to.*text = from.*text;
  else
    to.*flagOf(field) = from.*flagOf(field);
}

}  // namespace core
