#include "core/entry_field.h"

#include "runtime/text.h"

namespace core {
namespace {

// The member that holds a field: a text or a flag.
struct Member {
  std::wstring SearchEntry::*text = nullptr;
  std::int32_t SearchEntry::*flag = nullptr;
};

Member memberOf(EntryField field) {
  switch (field) {
    case EntryField::enabled:
      return {.flag = &SearchEntry::enabled};
    case EntryField::sites:
      return {.text = &SearchEntry::sites};
    case EntryField::content:
      return {.flag = &SearchEntry::content};
    case EntryField::sortByDate:
      return {.flag = &SearchEntry::sortByDate};
    case EntryField::firstMatch:
      return {.flag = &SearchEntry::firstMatch};
    case EntryField::filter:
      return {.text = &SearchEntry::filter};
    case EntryField::info:
      break;
  }
  return {.text = &SearchEntry::info};
}

}  // namespace

bool sameField(const SearchEntry& a, const SearchEntry& b, EntryField field) {
  const Member member = memberOf(field);
  if (member.text) return runtime::trimBlanks(a.*member.text) == runtime::trimBlanks(b.*member.text);
  return a.*member.flag == b.*member.flag;
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
  const Member member = memberOf(field);
  if (member.text)
    to.*member.text = from.*member.text;
  else
    to.*member.flag = from.*member.flag;
}

}  // namespace core
