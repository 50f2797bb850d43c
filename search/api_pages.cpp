#include "search/api_pages.h"

#include <array>

#include "core/preference_document.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace search {
namespace {

constexpr std::string_view kSiteTerm = "+site:";

std::wstring pageAddress(std::string_view header, std::string_view name, std::string_view form = "") {
  std::wstring address = L"https://learn.microsoft.com/windows/win32/api/";
  address += runtime::fromUtf8(header);
  address += L"/nf-";
  address += runtime::fromUtf8(header);
  address += L'-';
  for (const char c : std::string(name) + std::string(form))
    address += static_cast<wchar_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return address;
}

}  // namespace

bool searchesMicrosoftDocs(std::wstring_view siteTerms) {
  constexpr std::array<std::string_view, 3> kHosts = {"learn.microsoft.com", "docs.microsoft.com",
                                                      "msdn.microsoft.com"};
  const std::string terms = runtime::toUtf8(siteTerms);
  if (!std::string_view(terms).starts_with(kSiteTerm)) return false;
  // "+site:a+|+site:b": each site, a host of the documentation with or without a path.
  for (std::size_t start = 0; start != std::string::npos;) {
    const std::size_t end = terms.find("+|", start);
    std::string_view site = std::string_view(terms).substr(start, end == std::string::npos ? end : end - start);
    if (!site.starts_with(kSiteTerm)) return false;
    site = runtime::trimBlanks(site.substr(kSiteTerm.size()));
    bool documentation = false;
    for (std::string_view host : kHosts)
      documentation |= core::namesEqual(site.substr(0, host.size()), host) &&
                       (site.size() == host.size() || site[host.size()] == '/');
    if (!documentation) return false;
    start = end == std::string::npos ? end : end + 2;
  }
  return true;
}

std::optional<std::wstring> apiPageOf(std::string_view table, std::wstring_view word) {
  const std::string wanted = runtime::toUtf8(word);
  if (wanted.empty()) return std::nullopt;
  // The W or A form of a name entered once, with "*".
  const std::string_view stem = std::string_view(wanted).substr(0, wanted.size() - 1);
  const char last = static_cast<char>(wanted.back() & ~0x20);  // upper case, for an ASCII letter
  const char form = last == 'A' || last == 'W' ? last : 0;
  // Lines "header name name*...", after the comment lines.
  for (std::size_t line = 0; line < table.size();) {
    std::size_t end = table.find('\n', line);
    if (end == std::string_view::npos) end = table.size();
    const std::string_view text = table.substr(line, end - line);
    line = end + 1;
    const std::size_t headerEnd = text.find(' ');
    if (text.starts_with('#') || headerEnd == std::string_view::npos) continue;
    const std::string_view header = text.substr(0, headerEnd);
    for (std::size_t at = headerEnd + 1; at < text.size();) {
      std::size_t nameEnd = text.find(' ', at);
      if (nameEnd == std::string_view::npos) nameEnd = text.size();
      std::string_view name = text.substr(at, nameEnd - at);
      at = nameEnd + 1;
      if (!name.ends_with('*')) {
        if (core::namesEqual(name, wanted)) return pageAddress(header, name);
        continue;
      }
      // The name alone is the W form; with its letter, either form.
      name.remove_suffix(1);
      if (core::namesEqual(name, wanted)) return pageAddress(header, name, "W");
      if (form && core::namesEqual(name, stem)) return pageAddress(header, name, std::string_view(&form, 1));
    }
  }
  return std::nullopt;
}

}  // namespace search
