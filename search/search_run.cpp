#include "search/search_run.h"

#include <windows.h>
#include <shlwapi.h>

#include <functional>

#include "runtime/clipboard.h"
#include "runtime/wait.h"
#include "search/browser_command.h"
#include "search/program_start.h"
#include "search/running_browser.h"
#include "search/search_configuration.h"

namespace search {

std::wstring findBrowserPath() {
  wchar_t command[260] = {};
  DWORD size = 260;
  if (AssocQueryStringW(ASSOCF_IS_PROTOCOL, ASSOCSTR_COMMAND, L".htm", L"open", command, &size) != S_OK) return {};
  return browserPathFromCommand(command);
}

void runSearch(core::ToolState& state, const std::wstring& configFile) {
  const SearchSettings settings = loadSearchRun(configFile, state.entries);

  const std::wstring browserPath = findBrowserPath();
  ManagementProcessPaths processPaths;
  if (browserWindowExists(browserPath, std::ref(processPaths))) state.browserMustStart = false;
  if (state.browserMustStart) {
    startProgram(browserPath, L"", L"");
    runtime::waitMilliseconds(settings.browserStart);
  }

  const PreparedWord word = prepareWord(state.searchWord);
  runtime::putClipboardText(word.text);

  for (const core::SearchEntry& entry : state.entries) {
    if (entry.content < word.minimumContentLevel) continue;
    startProgram(buildSearchAddress(settings, entry, word.text), L"", L"");
    runtime::waitMilliseconds(settings.tabDelay);
  }
}

}  // namespace search
