// The web-search address of one search entry for one word.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/search_entry.h"

namespace search {

struct SearchSettings {
  std::wstring searchBase;    // ends in "/search?"
  std::wstring languageSwitch;  // "&hl=en"
  std::int32_t browserStart = 0;
  std::int32_t tabDelay = 0;
};

struct PreparedWord {
  std::wstring text;  // what is searched for and left on the clipboard
  std::int32_t minimumContentLevel = 1;  // entries with a lower content level are skipped
};

// "+site:" terms for sites separated by "|", each trimmed of spaces.
std::wstring buildSiteTerms(std::wstring_view sites);

// A word ending in "_" or without lower-case letters asks only API content;
// the trailing "_" run is dropped.
PreparedWord prepareWord(std::wstring_view word);

// The word as it may stand inside the address: characters that would end the
// query, start a parameter, break an escape, turn into a space or break the
// quoting of the browser's command line are percent-encoded.
std::wstring escapeWordForAddress(std::wstring_view word);

// `entry.sites` holds the site terms already (see buildSiteTerms).
std::wstring buildSearchAddress(const SearchSettings& settings, const core::SearchEntry& entry,
                                std::wstring_view preparedWord);

}  // namespace search
