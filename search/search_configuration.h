// What a search run reads from the configuration file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/search_entry.h"
#include "search/search_address.h"

namespace search {

// The longest wait of a search run, for the browser's start and between tabs:
// a hand-edited time of days must not hold the tool (and an IDE waiting for it).
inline constexpr std::int32_t kLongestWaitMs = 60000;

// Appends the enabled entries, with their site terms in `sites` (an address
// template stays as it is), and returns
// the settings, each with its default when absent and the waits bounded by
// kLongestWaitMs. The file is not changed.
SearchSettings loadSearchRun(const std::wstring& fileName, std::vector<core::SearchEntry>& entries);

// The address an entry opens, as the settings window shows it, "{word}"
// standing where the word goes: a template's own text, or the engine's whole
// search address with the settings of the file.
std::wstring previewAddress(const std::wstring& fileName, core::SearchEntry entry);

}  // namespace search
