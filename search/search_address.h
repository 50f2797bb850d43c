// The web-search address of one search entry for one word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/search_entry.h"

namespace search {

struct SearchSettings {
  std::wstring searchBase;      // ends in "/search?"
  std::wstring languageSwitch;  // "&hl=en"
  std::int32_t browserStart = 0;
  std::int32_t tabDelay = 0;
};

struct PreparedWord {
  std::wstring text;                     // what is searched for and left on the clipboard
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

// The placeholder of an address template, where the word goes.
inline constexpr std::wstring_view kWordPlaceholder = L"{word}";
// The longest address the shell takes: INTERNET_MAX_URL_LENGTH, 2083, counts
// the terminating NUL.
inline constexpr std::size_t kLongestAddress = 2082;

// True when an entry's sites text is an address template: it begins with
// "http://" or "https://" (ASCII case ignored) and holds the placeholder.
// Such an entry opens the template, not an engine's search.
bool isAddressTemplate(std::wstring_view sites);

// The word as one value anywhere in an address: every byte of its UTF-8 form
// but A-Z, a-z, 0-9, "-", ".", "_" and "~" as "%" and two upper-case hex digits.
std::wstring encodeWordForTemplate(std::wstring_view word);

// The template with each placeholder replaced by the encoded word; none when
// the address is longer than the shell takes.
std::optional<std::wstring> buildTemplateAddress(std::wstring_view addressTemplate, std::wstring_view preparedWord);

// The address an entry of a search run opens: its template's, or the engine's
// search with its site terms (held in `sites`); none when it is too long.
std::optional<std::wstring> entryAddress(const SearchSettings& settings, const core::SearchEntry& entry,
                                         std::wstring_view preparedWord);

}  // namespace search
