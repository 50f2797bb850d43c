#include "search/search_address.h"

#include "runtime/text.h"
#include "runtime/text_case.h"

namespace search {
namespace {

constexpr std::wstring_view kFirstMatchSwitch = L"btnI=I%27m+Feeling+Lucky&";
constexpr std::wstring_view kSortSwitch = L"&tbs=qdr:y99,sbd:";

bool needsEscape(wchar_t c) { return c < 0x20 || c == L'%' || c == L'&' || c == L'#' || c == L'+' || c == L'"'; }

}  // namespace

std::wstring buildSiteTerms(std::wstring_view sites) {
  std::wstring terms;
  for (std::size_t start = 0;;) {
    std::size_t bar = sites.find(L'|', start);
    terms += L"+site:";
    terms += runtime::trimSpaces(sites.substr(start, bar == std::wstring_view::npos ? bar : bar - start));
    if (bar == std::wstring_view::npos) return terms;
    terms += L"+|";
    start = bar + 1;
  }
}

PreparedWord prepareWord(std::wstring_view word) {
  PreparedWord prepared{std::wstring(word), 1};
  const bool trailingUnderscore = !word.empty() && word.back() == L'_';
  if (trailingUnderscore || word == runtime::upperCase(word)) prepared.minimumContentLevel = 0;
  if (trailingUnderscore) prepared.text.erase(prepared.text.find_last_not_of(L'_') + 1);
  return prepared;
}

std::wstring escapeWordForAddress(std::wstring_view word) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring escaped;
  escaped.reserve(word.size());
  for (wchar_t c : word) {
    if (!needsEscape(c)) {
      escaped += c;
      continue;
    }
    escaped += L'%';  // every such character is ASCII: one UTF-8 byte
    escaped += kHex[(c >> 4) & 0xF];
    escaped += kHex[c & 0xF];
  }
  return escaped;
}

std::wstring buildSearchAddress(const SearchSettings& settings, const core::SearchEntry& entry,
                                std::wstring_view preparedWord) {
  const std::wstring_view filter = entry.filter;
  const std::size_t ampersand = filter.find(L'&');
  std::wstring address = settings.searchBase;
  if (entry.firstMatch != 0) address += kFirstMatchSwitch;
  address += L"q=";
  address += escapeWordForAddress(preparedWord);
  address += filter.substr(0, ampersand);
  address += entry.sites;
  if (ampersand != std::wstring_view::npos) address += filter.substr(ampersand);
  address += settings.languageSwitch;
  address += kSortSwitch;
  address += std::to_wstring(entry.sortByDate);
  return address;
}

}  // namespace search
