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
  // None opens the first match; none has text of its own after its fields.
  const auto entry = [](std::int32_t enabled, std::wstring_view sites, std::int32_t content, std::int32_t sortByDate,
                        std::wstring_view filter, std::wstring_view info) {
    return SearchEntry{enabled, std::wstring(sites), content, sortByDate, 0, std::wstring(filter), std::wstring(info),
                       {}};
  };
  return {
      entry(1, kVendorSites, 1, 0, L"", L"Search both websites for PB and API content"),
      entry(0, kVendorSites, 1, 1, L"&lr=lang_fr", L"Search both websites, but only return results in French"),
      entry(0, kVendorSites, 1, 1, L"&lr=lang_de", L"Search both websites, but only return results in German"),
      entry(0, kVendorSites, 1, 1, L"&lr=lang_en|lang_de",
            L"Search both websites, but only return results in English and German"),
      entry(0, L"groups.google.com", 0, 0, L"", L"Search Google Groups"),
      entry(1, L"devblogs.microsoft.com", 0, 0, L"", L"Search MSDN blogs (e.g. The Old New Thing)"),
      entry(1, L"learn.microsoft.com", 0, 0, L"+function|message|notification|structure",
            L"Search MSDN for [%WORD function|message|notification|structure]"),
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
  for (std::size_t line = 0; file.nextLine(); ++line) {
    // A line without a value (a note, the second half of a split line) is no entry.
    if (const std::wstring value = file.keyValue(); value.empty())
      settings.notes.push_back({settings.entries.size(), line});
    else
      parseEntryRecord(value, settings.entries.emplace_back());
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

void writeEntries(PreferenceFile& file, const std::vector<SearchEntry>& inFile, const std::vector<SearchEntry>& entries,
                  const std::vector<std::optional<std::size_t>>& fileRows, const std::vector<EntryNote>& notes) {
  const bool groupThere = file.selectGroup(kGroupEntries);
  // The file's entries keep their numbers when none moved or went, and the new
  // ones after them can take theirs: a hand-edited file may have given one of
  // those to another line.
  bool keepNumbers = entries.size() >= inFile.size();
  for (std::size_t row = 0; keepNumbers && row < entries.size(); ++row)
    keepNumbers = row < inFile.size() ? fileRows[row] == row : !fileRows[row] && !file.hasKey(std::to_wstring(row + 1));
  std::vector<std::size_t> entryLines;
  std::size_t lines = 0;
  file.examineKeys();
  for (; file.nextLine(); ++lines)
    if (file.keyHasValue()) entryLines.push_back(lines);
  std::vector<PreferenceFile::Placement> placements;
  placements.reserve(entries.size() + notes.size());
  auto note = notes.begin();
  for (std::size_t position = 0; position <= entries.size(); ++position) {
    // Notes keep their places; those past the last entry stay at the end.
    for (; note != notes.end() && (note->before <= position || position == entries.size()); ++note)
      placements.push_back({note->line, {}, {}});
    if (position == entries.size()) break;
    PreferenceFile::Placement& placement = placements.emplace_back();
    const std::optional<std::size_t> fileRow = fileRows[position];
    if (fileRow) placement.line = entryLines[*fileRow];
    // A line whose entry is as the file has it keeps its value's bytes.
    if (!fileRow || inFile[*fileRow] != entries[position]) placement.value = formatEntryRecord(entries[position]);
    if (!fileRow || !keepNumbers) placement.name = std::to_wstring(position + 1);
  }
  // Nothing to write: the group is not touched (nor made, when it is missing).
  bool same = placements.size() == lines;
  for (std::size_t line = 0; same && line < lines; ++line)
    same = placements[line].line == line && !placements[line].name && !placements[line].value;
  if (same && (groupThere || placements.empty())) return;
  file.arrangeGroup(placements);
}

void writeBrowserValue(PreferenceFile& file, std::wstring_view key, std::int32_t value) {
  file.selectGroup(kGroupBrowser);
  file.writeInteger(key, value);
}

}  // namespace core
