#include "core/configuration.h"

#include <algorithm>

#include "core/preference_file.h"
#include "runtime/text.h"

namespace core {
namespace {

constexpr std::wstring_view kVendorSites = L"www.purebasic.fr/english | www.purebasic.fr/french";

}  // namespace

std::optional<int> typedTiming(std::wstring_view typed) {
  const std::wstring_view text = runtime::trimSpaces(typed);
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
    return std::nullopt;
  long long value = 0;
  for (wchar_t digit : text) value = std::min<long long>(value * 10 + (digit - L'0'), kLongestTiming + 1LL);
  return static_cast<int>(std::min<long long>(value, kLongestTiming));
}

std::vector<SearchEntry> defaultEntries() {
  std::wstring vendor(kVendorSites);
  return {
      {1, vendor, 1, 0, 0, L"", L"Search both websites for PB and API content"},
      {0, vendor, 1, 1, 0, L"&lr=lang_fr", L"Search both websites, but only return results in French"},
      {0, vendor, 1, 1, 0, L"&lr=lang_de", L"Search both websites, but only return results in German"},
      {0, vendor, 1, 1, 0, L"&lr=lang_en|lang_de",
       L"Search both websites, but only return results in English and German"},
      {0, L"groups.google.com", 0, 0, 0, L"", L"Search Google Groups"},
      {1, L"devblogs.microsoft.com", 0, 0, 0, L"", L"Search MSDN blogs (e.g. The Old New Thing)"},
      {1, L"learn.microsoft.com", 0, 0, 0, L"+function|message|notification|structure",
       L"Search MSDN for [%WORD function|message|notification|structure]"},
  };
}

void writeDefaultConfiguration(const std::wstring& fileName) {
  PreferenceFile file;
  file.create(fileName);
  file.writeComment(kConfigFileName);
  file.writeComment(L"");
  file.selectGroup(kGroupGoogle);
  file.writeString(kKeySearch, kDefaultSearch);
  file.writeString(kKeyLangUI, kDefaultLangUI);
  file.writeComment(L"");
  file.selectGroup(kGroupBrowser);
  file.writeInteger(kKeyBrowserStart, kDefaultBrowserStart);
  file.writeInteger(kKeyTabDelay, kDefaultTabDelay);
  file.writeComment(L"");
  file.selectGroup(kGroupEntries);
  int number = 0;
  for (const SearchEntry& entry : defaultEntries())
    file.writeString(std::to_wstring(++number), formatEntryRecord(entry));
  // Start-up goes on without the file: a search run then uses the defaults,
  // and the settings window creates the file with its first save.
  static_cast<void>(file.close());
}

EditedSettings readAllSettings(PreferenceFile& file) {
  EditedSettings settings;
  file.selectGroup(kGroupEntries);
  file.examineKeys();
  while (file.nextKeyOrComment()) {
    const std::size_t position = settings.entries.size();
    if (std::optional<std::wstring> comment = file.commentText()) {
      settings.notes.push_back({position, std::move(*comment)});
    } else if (std::wstring value = file.keyValue(); value.empty()) {
      // A line without a value (a note, the second half of a split line) is
      // no entry: it is kept whole, "foo =" as it stands.
      settings.notes.push_back({position, file.keyLine()});
    } else {
      parseEntryRecord(value, settings.entries.emplace_back());
    }
  }
  for (EntryNote& note : settings.notes)
    if (note.before == settings.entries.size()) note.before = kAfterLastEntry;
  file.selectGroup(kGroupBrowser);
  settings.browserStart = file.readInteger(kKeyBrowserStart, kDefaultBrowserStart);
  settings.tabDelay = file.readInteger(kKeyTabDelay, kDefaultTabDelay);
  return settings;
}

EditedSettings readAllSettings(std::string bytes) {
  PreferenceFile file;
  file.openBytes(std::move(bytes));
  return readAllSettings(file);
}

void writeEntryAt(PreferenceFile& file, std::size_t position, const SearchEntry& entry) {
  // The entries are the group's keys with a value, as readAllSettings takes them.
  file.selectGroup(kGroupEntries);
  file.examineKeys();
  for (std::size_t at = 0; file.nextKey();) {
    if (file.keyValue().empty()) continue;
    if (at++ == position) {
      file.writeKeyValue(formatEntryRecord(entry));
      return;
    }
  }
}

void writeEntry(PreferenceFile& file, const std::vector<SearchEntry>& entries, std::size_t position) {
  if (position >= entries.size()) return;
  file.selectGroup(kGroupEntries);
  file.writeString(std::to_wstring(position + 1), formatEntryRecord(entries[position]));
}

void writeEntriesGroup(PreferenceFile& file, const std::vector<SearchEntry>& entries,
                       const std::vector<EntryNote>& notes) {
  file.removeGroup(kGroupEntries);
  file.selectGroup(kGroupEntries);
  auto note = notes.begin();
  for (std::size_t position = 0; position <= entries.size(); ++position) {
    // Notes keep their places; those past the last entry stay at the end.
    for (; note != notes.end() && (note->before <= position || position == entries.size()); ++note)
      file.writeComment(note->text);
    if (position < entries.size())
      file.writeString(std::to_wstring(position + 1), formatEntryRecord(entries[position]));
  }
}

void writeBrowserValue(PreferenceFile& file, std::wstring_view key, std::int32_t value) {
  file.selectGroup(kGroupBrowser);
  file.writeInteger(key, value);
}

}  // namespace core
