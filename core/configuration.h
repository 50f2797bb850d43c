// What Wordhop.ini holds: the browser timings, the search settings and the
// search entries, read and saved through the preference store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/search_entry.h"

namespace core {

inline constexpr std::wstring_view kConfigFileName = L"Wordhop.ini";

inline constexpr std::wstring_view kGroupGoogle = L"Google";
inline constexpr std::wstring_view kGroupBrowser = L"Browser";
inline constexpr std::wstring_view kGroupEntries = L"Entries";
inline constexpr std::wstring_view kKeySearch = L"Search";
inline constexpr std::wstring_view kKeyLangUI = L"LangUI";
inline constexpr std::wstring_view kKeyBrowserStart = L"BrowserStart";
inline constexpr std::wstring_view kKeyTabDelay = L"TabDelay";

inline constexpr std::wstring_view kDefaultSearch = L"https://www.google.com/search?";
inline constexpr std::wstring_view kDefaultLangUI = L"&hl=en";
inline constexpr std::int32_t kDefaultBrowserStart = 2500;
inline constexpr std::int32_t kDefaultTabDelay = 500;

// Notes after the last entry stand here, and stay last when entries are added.
inline constexpr std::size_t kAfterLastEntry = static_cast<std::size_t>(-1);

// A line of the Entries group that is no entry: a comment, a blank line, a
// line with no value. It is kept as it stands, before the entry it stood
// before, wherever that entry goes.
struct EntryNote {
  std::size_t before;  // the position of the entry it stands before, or kAfterLastEntry
  std::size_t line;    // its line in the group as read, counted from the line after the header
  bool operator==(const EntryNote&) const = default;
};

// Both browser timings.
struct BrowserTimings {
  std::int32_t browserStart = kDefaultBrowserStart;
  std::int32_t tabDelay = kDefaultTabDelay;
};
enum class Timing : unsigned char { browserStart, tabDelay };
inline constexpr Timing kTimings[] = {Timing::browserStart, Timing::tabDelay};
// The timing's value in `timings` (a BrowserTimings, const or not).
inline auto& timingIn(auto& timings, Timing timing) {
  return timing == Timing::browserStart ? timings.browserStart : timings.tabDelay;
}
// The longest browser start and tab delay the settings window takes, in milliseconds.
inline constexpr int kLongestTiming = 9999;
// A typed timing as a number up to the longest; none when the text holds no
// number (empty, letters).
std::optional<int> typedTiming(std::wstring_view typed);
inline std::wstring_view keyOf(Timing timing) {
  return timing == Timing::browserStart ? kKeyBrowserStart : kKeyTabDelay;
}

// What the settings window edits: the entries with the notes among them, and
// both timings.
struct EditedSettings : BrowserTimings {
  std::vector<SearchEntry> entries;
  std::vector<EntryNote> notes;  // ordered by the entry they stand before
};

class PreferenceFile;

// The seven entries that a new configuration file starts with.
std::vector<SearchEntry> defaultEntries();

// Writes the default configuration file (only used when none exists).
void writeDefaultConfiguration(const std::wstring& fileName);

// Reads the entries (one per key of the group Entries that has a value, in
// file order, whatever the keys' names; the group's other lines are its
// notes) and both timings.
EditedSettings readAllSettings(PreferenceFile& file);
// The same from a file's bytes held in memory.
EditedSettings readAllSettings(std::string bytes);

// Writes `entries` with the notes among them over the group Entries of the
// open file, whose entries are `inFile` (as readAllSettings read them);
// `fileRows` tells for each entry which of the file's it is, if any. The group
// stays where it stands, and so does every line of it that holds no change:
// an entry of the file's that changed gets its new value on its own line,
// one that moved takes its line along. When the file's entries keep their
// order, with new ones after them, a new entry gets the next number and no
// other line changes; otherwise the entries are numbered anew from 1.
void writeEntries(PreferenceFile& file, const std::vector<SearchEntry>& inFile, const std::vector<SearchEntry>& entries,
                  const std::vector<std::optional<std::size_t>>& fileRows, const std::vector<EntryNote>& notes);
// Writes BrowserStart or TabDelay in the group Browser.
void writeBrowserValue(PreferenceFile& file, std::wstring_view key, std::int32_t value);

}  // namespace core
