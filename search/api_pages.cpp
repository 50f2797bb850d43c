#include "search/api_pages.h"

#include <array>

#include "runtime/text.h"

namespace search {
namespace {

constexpr std::wstring_view kSiteTerm = L"+site:";

wchar_t lowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool equalsIgnoringAsciiCase(std::string_view name, std::wstring_view word) {
  if (name.size() != word.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (lowerAscii(static_cast<unsigned char>(name[i])) != lowerAscii(word[i])) return false;
  return true;
}

std::wstring pageAddress(std::string_view header, std::string_view name) {
  std::wstring address = L"https://learn.microsoft.com/windows/win32/api/";
  auto append = [&](std::string_view text, bool lower) {
    for (char c : text) address += lower ? lowerAscii(static_cast<unsigned char>(c)) : static_cast<wchar_t>(c);
  };
  append(header, false);
  address += L"/nf-";
  append(header, false);
  address += L'-';
  append(name, true);
  return address;
}

}  // namespace

bool searchesMicrosoftDocs(std::wstring_view siteTerms) {
  constexpr std::array<std::wstring_view, 3> kHosts = {L"learn.microsoft.com", L"docs.microsoft.com",
                                                       L"msdn.microsoft.com"};
  if (!siteTerms.starts_with(kSiteTerm)) return false;
  // "+site:a+|+site:b": each site, a host of the documentation with or without a path.
  for (std::size_t start = 0; start != std::wstring_view::npos;) {
    const std::size_t end = siteTerms.find(L"+|", start);
    std::wstring_view site = siteTerms.substr(start, end == std::wstring_view::npos ? end : end - start);
    if (!site.starts_with(kSiteTerm)) return false;
    site.remove_prefix(kSiteTerm.size());
    std::wstring lower(runtime::trimBlanks(site));
    for (wchar_t& c : lower) c = lowerAscii(c);
    bool documentation = false;
    for (std::wstring_view host : kHosts)
      documentation |= lower == host || (lower.starts_with(host) && lower[host.size()] == L'/');
    if (!documentation) return false;
    start = end == std::wstring_view::npos ? end : end + 2;
  }
  return true;
}

std::optional<std::wstring> apiPageOf(std::string_view table, std::wstring_view word) {
  if (word.empty()) return std::nullopt;
  // Lines "header name name*...", after the comment lines.
  for (std::size_t line = 0; line < table.size();) {
    std::size_t end = table.find('\n', line);
    if (end == std::string_view::npos) end = table.size();
    const std::string_view text = table.substr(line, end - line);
    line = end + 1;
    if (text.empty() || text.front() == '#') continue;
    const std::size_t headerEnd = text.find(' ');
    if (headerEnd == std::string_view::npos) continue;
    const std::string_view header = text.substr(0, headerEnd);
    for (std::size_t at = headerEnd + 1; at < text.size();) {
      std::size_t nameEnd = text.find(' ', at);
      if (nameEnd == std::string_view::npos) nameEnd = text.size();
      std::string_view name = text.substr(at, nameEnd - at);
      at = nameEnd + 1;
      if (!name.ends_with('*')) {
        if (equalsIgnoringAsciiCase(name, word)) return pageAddress(header, name);
        continue;
      }
      // The name alone is the W form; with its letter, either form.
      name.remove_suffix(1);
      if (equalsIgnoringAsciiCase(name, word)) return pageAddress(header, std::string(name) + 'W');
      const wchar_t form = lowerAscii(word.back());
      if ((form == L'a' || form == L'w') && equalsIgnoringAsciiCase(name, word.substr(0, word.size() - 1)))
        return pageAddress(header, std::string(name) + (form == L'a' ? 'A' : 'W'));
    }
  }
  return std::nullopt;
}

}  // namespace search
