// What a search run reads from the configuration file.
#pragma once

#include <string>
#include <vector>

#include "core/search_entry.h"
#include "search/search_address.h"

namespace search {

// Only a record whose first character is "1" is enabled here (the settings
// window reads the number instead).
bool isEnabledRecord(std::wstring_view record);

// Appends the enabled entries, with their site terms in `sites`, and returns
// the settings, each with its default when absent. The file is not changed.
SearchSettings loadSearchRun(const std::wstring& fileName, std::vector<core::SearchEntry>& entries);

}  // namespace search
