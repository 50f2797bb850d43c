#include "search/search_address.h"

#include "core/preference_document.h"
#include "runtime/text.h"
#include "runtime/text_case.h"
#include "runtime/utf8.h"

namespace search {
namespace {

constexpr wchar_t kHex[] = L"0123456789ABCDEF";

// "%" and the byte's two upper-case hex digits.
void appendPercentEncoded(std::wstring& text, unsigned char byte) {
  text += L'%';
  text += kHex[byte >> 4];
  text += kHex[byte & 0xF];
}

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
  std::wstring escaped;
  escaped.reserve(word.size());
  for (wchar_t c : word) {
    if (!needsEscape(c)) {
      escaped += c;
      continue;
    }
    appendPercentEncoded(escaped, static_cast<unsigned char>(c));  // every such character is ASCII: one UTF-8 byte
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

bool isAddressTemplate(std::wstring_view sites) {
  // As the preference file compares names: ASCII letters in either case.
  auto startsWith = [sites](std::string_view scheme) {
    return core::namesEqual(runtime::toUtf8(sites.substr(0, scheme.size())), scheme);
  };
  return (startsWith("http://") || startsWith("https://")) && sites.find(kWordPlaceholder) != std::wstring_view::npos;
}

std::wstring encodeWordForTemplate(std::wstring_view word) {
  std::wstring encoded;
  for (const char byte : runtime::toUtf8(word)) {
    const auto c = static_cast<unsigned char>(byte);
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                            c == '.' || c == '_' || c == '~';
    if (unreserved)
      encoded += static_cast<wchar_t>(c);
    else
      appendPercentEncoded(encoded, c);
  }
  return encoded;
}

std::optional<std::wstring> buildTemplateAddress(std::wstring_view addressTemplate, std::wstring_view preparedWord) {
  const std::wstring word = encodeWordForTemplate(preparedWord);
  std::wstring address;
  for (std::size_t start = 0;;) {
    const std::size_t at = addressTemplate.find(kWordPlaceholder, start);
    address += addressTemplate.substr(start, at == std::wstring_view::npos ? at : at - start);
    if (at == std::wstring_view::npos) break;
    address += word;
    start = at + kWordPlaceholder.size();
  }
  if (address.size() > kLongestAddress) return std::nullopt;
  return address;
}

std::optional<std::wstring> entryAddress(const SearchSettings& settings, const core::SearchEntry& entry,
                                         std::wstring_view preparedWord) {
  if (isAddressTemplate(entry.sites)) return buildTemplateAddress(entry.sites, preparedWord);
  // A longer address is no address the shell takes (ShellExecuteExW crashes on one of a megabyte).
  std::wstring address = buildSearchAddress(settings, entry, preparedWord);
  if (address.size() > kLongestAddress) return std::nullopt;
  return address;
}

}  // namespace search
