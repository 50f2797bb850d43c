// What Wordhop.ini holds: the browser timings, the search settings and the
// search entries, read and saved through the preference store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/search_entry.h"
#include "runtime/file_io.h"

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

struct LoadedSettings {
  std::int32_t browserStart = kDefaultBrowserStart;
  std::int32_t tabDelay = kDefaultTabDelay;
  // The Entries keys were exactly "1" to "n" in file order, so that saving
  // entry i under key i + 1 replaces that entry's own record.
  bool entryKeysInOrder = true;
  // Why the file, which is there, could not be read; 0 when it was read or is missing.
  runtime::SystemError readError = 0;
};

// Both browser timings, as the settings window holds them.
struct BrowserTimings {
  std::int32_t browserStart = kDefaultBrowserStart;
  std::int32_t tabDelay = kDefaultTabDelay;
};

// The seven entries that a new configuration file starts with.
std::vector<SearchEntry> defaultEntries();

// Writes the default configuration file (only used when none exists).
void writeDefaultConfiguration(const std::wstring& fileName);

// Appends one entry per key of the group Entries, in file order, whatever the keys' names.
LoadedSettings loadAllEntries(const std::wstring& fileName, std::vector<SearchEntry>& entries);
// Each save gives 0 when the file holds the change, else the system's reason.
// Writes the entry at `position` under the entry number position + 1.
runtime::SystemError saveEntry(const std::wstring& fileName, const std::vector<SearchEntry>& entries,
                               std::size_t position);
// Replaces the group Entries, and every later copy of it, by the list, numbered from 1.
runtime::SystemError saveAllEntries(const std::wstring& fileName, const std::vector<SearchEntry>& entries);
// Writes BrowserStart or TabDelay in the group Browser.
runtime::SystemError saveBrowserValue(const std::wstring& fileName, std::wstring_view key, std::int32_t value);
// Writes the whole entry list (as saveAllEntries) and both timings in one save.
runtime::SystemError saveAllSettings(const std::wstring& fileName, const std::vector<SearchEntry>& entries,
                                     BrowserTimings timings);

}  // namespace core
