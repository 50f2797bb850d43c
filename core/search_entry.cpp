#include "core/search_entry.h"

#include <algorithm>

#include "core/entry_field.h"
#include "runtime/text.h"

namespace core {

std::wstring formatEntryRecord(const SearchEntry& entry) {
  std::wstring record;
  for (const EntryFieldTraits& traits : kEntryFields) {
    if (&traits != &kEntryFields[0]) record += kFieldSeparator;
    record += traits.text ? entry.*traits.text : std::to_wstring(entry.*traits.flag);
  }
  return record += entry.rest;
}

bool isEnabledRecord(std::wstring_view record) {
  return record.starts_with(L'1') && record.find(kFieldSeparator) != std::wstring_view::npos;
}

void parseEntryRecord(std::wstring_view record, SearchEntry& entry) {
  // Text without a separator is no record the tool wrote (a short record, half
  // of a split line): it is kept whole as the sites of a disabled entry.
  if (record.find(kFieldSeparator) == std::wstring_view::npos) {
    entry = SearchEntry{};
    entry.sites = record;
    return;
  }
  // One pass over the separators: field n runs from the (n-1)-th to the n-th;
  // past the last one, fields are empty.
  std::size_t from = 0, end = 0;
  for (const EntryFieldTraits& traits : kEntryFields) {
    end = std::min(record.find(kFieldSeparator, from), record.size());
    const std::wstring_view text = record.substr(from, end - from);
    from = std::min(end + 1, record.size());
    if (traits.text)
      entry.*traits.text = text;
    else if (traits.field == EntryField::enabled)
      entry.enabled = isEnabledRecord(record) ? 1 : 0;
    else
      entry.*traits.flag = static_cast<std::int32_t>(runtime::textToNumber(text));
  }
  entry.rest = record.substr(end);
}

std::wstring storableText(std::wstring_view typed, int& caret) {
  auto isBreak = [](wchar_t c) { return c == L'\r' || c == L'\n'; };
  std::wstring text;
  int movedCaret = 0;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (static_cast<int>(i) == caret) movedCaret = static_cast<int>(text.size());
    if (typed[i] == kFieldSeparator || (isBreak(typed[i]) && i > 0 && isBreak(typed[i - 1]))) continue;
    text += isBreak(typed[i]) ? L' ' : typed[i];
  }
  caret = caret >= static_cast<int>(typed.size()) ? static_cast<int>(text.size()) : movedCaret;
  return text;
}

std::optional<std::wstring> fieldInput(std::wstring_view text) {
  if (text.find(kFieldSeparator) != std::wstring_view::npos) return std::nullopt;
  // The breaks around a copied line separate it from nothing in the field.
  const std::size_t first = text.find_first_not_of(L"\r\n");
  text = first == std::wstring_view::npos ? std::wstring_view() : text.substr(first);
  text = text.substr(0, text.find_last_not_of(L"\r\n") + 1);
  int caret = 0;
  return storableText(text, caret);
}

}  // namespace core
