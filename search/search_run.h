// The search run: the IDE passed a word, the browser shows the searches.
#pragma once

#include <string>

namespace search {

// The browser's program from the shell's open command for the https protocol,
// else for ".htm"; empty when neither names one.
std::wstring findBrowserPath();

// What the search run is given by start-up.
struct SearchRequest {
  std::wstring word;
  bool browserMustStart = true;  // until a visible window of the browser is found
};

void runSearch(const SearchRequest& request, const std::wstring& configFile);

}  // namespace search
