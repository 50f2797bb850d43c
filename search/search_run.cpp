#include "search/search_run.h"
#include <windows.h>

#include <functional>

#include "runtime/clipboard.h"
#include "runtime/program_start.h"
#include "runtime/shell_command.h"
#include "runtime/wait.h"
#include "search/api_pages.h"
#include "search/running_browser.h"
#include "search/search_configuration.h"

namespace search {

std::wstring findBrowserPath() {
  // The program the addresses go to: the https protocol's, which the shell
  // hands them to; where it names none (a packaged browser), the web page's.
  for (const wchar_t* kind : {L"https", L".htm"})
    if (std::wstring program = runtime::openCommandFor(kind).program; !program.empty()) return program;
  return {};
}

void runSearch(const SearchRequest& request, const std::wstring& configFile) {
  std::vector<core::SearchEntry> entries;
  const SearchSettings settings = loadSearchRun(configFile, entries);

  const std::wstring browserPath = findBrowserPath();
  ProcessPaths processPaths;
  // Without a program to start (none is registered, or a packaged browser's
  // handler names none), the shell's handling of the first address starts the
  // browser: nothing is started or waited for, and no window compared.
  const bool browserMustStart =
      request.browserMustStart && !browserPath.empty() && !browserWindowExists(browserPath, std::ref(processPaths));
  if (browserMustStart) {
    runtime::startProgram(browserPath, L"", L"");
    runtime::waitMilliseconds(settings.browserStart);
  }

  const PreparedWord word = prepareWord(request.word);
  runtime::putClipboardText(word.text);

  std::optional<std::string> apiPages;  // unpacked for the first entry that asks for it
  for (const core::SearchEntry& entry : entries) {
    if (entry.content < word.minimumContentLevel) continue;
    // First Match on Microsoft's documentation: a function's exact page.
    std::optional<std::wstring> address;
    if (entry.firstMatch != 0 && searchesMicrosoftDocs(entry.sites)) {
      if (!apiPages) apiPages = embeddedApiPages();
      address = apiPageOf(*apiPages, word.text);
    }
    if (!address) address = entryAddress(settings, entry, word.text);
    if (!address) continue;  // longer than the shell takes: the other tabs still open
    runtime::startProgram(*address, L"", L"");
    runtime::waitMilliseconds(settings.tabDelay);
  }
}

}  // namespace search
