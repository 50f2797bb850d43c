// The exact documentation page of a Windows API function, for entries that
// ask Microsoft's documentation for its first match: the address follows from
// the function's name and the header the documentation files it under, which
// the table of resources/api_pages.txt holds (scripts/make-api-pages).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace search {

// Whether site terms (buildSiteTerms) ask only Microsoft's documentation site:
// learn.microsoft.com, or its older names docs. and msdn.microsoft.com.
bool searchesMicrosoftDocs(std::wstring_view siteTerms);

// The page of the function named `word` (ASCII letter case ignored) in the
// table's text; none when the table does not hold the name. A name with an A
// and a W form opens the W page, each form its own.
std::optional<std::wstring> apiPageOf(std::string_view table, std::wstring_view word);

// The table the executable carries, unpacked; empty when it cannot be.
std::string embeddedApiPages();

}  // namespace search
