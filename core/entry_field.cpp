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

std::wstring columnText(const SearchEntry& entry, const EntryFieldSpec& spec) {
  if (spec.text) return entry.*spec.text;
  const wchar_t* word = spec.words.of(entry.*spec.flag);
  return word ? word : L"";  // the enabled flag: its column is the check box
}

bool sameField(const SearchEntry& a, const SearchEntry& b, EntryField field) {
  const EntryFieldSpec& spec = specOf(field);
  if (spec.text) return runtime::trimBlanks(a.*spec.text) == runtime::trimBlanks(b.*spec.text);
  return a.*spec.flag == b.*spec.flag;
}

bool sameContent(const SearchEntry& a, const SearchEntry& b) {
  return static_cast<std::size_t>(sharedFields(a, b)) == kEntryFieldCount;
}

int sharedFields(const SearchEntry& a, const SearchEntry& b) {
  int shared = 0;
  for (const EntryFieldSpec& spec : kEntryFields) shared += sameField(a, b, spec.field) ? 1 : 0;
  return shared;
}

void copyField(SearchEntry& to, const SearchEntry& from, EntryField field) {
  const EntryFieldSpec& spec = specOf(field);
  if (spec.text)
    to.*spec.text = from.*spec.text;
  else
    to.*spec.flag = from.*spec.flag;
}

}  // namespace core
