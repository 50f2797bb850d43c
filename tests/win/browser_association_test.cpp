// Which program the search run takes for the browser: the one the addresses go to.
#include <gtest/gtest.h>

#include <windows.h>

#include "search/search_run.h"
#include "tests/support/registry_changes.h"

namespace {

TEST(BrowserAssociation, TheHttpsHandlerFirstThenTheWebPagesOne) {
  wchar_t self[MAX_PATH] = {}, notepad[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  ExpandEnvironmentStringsW(L"%SystemRoot%\\system32\\notepad.exe", notepad, MAX_PATH);
  const std::wstring https = L"\"" + std::wstring(self) + L"\" -url \"%1\"";
  const std::wstring page = L"\"" + std::wstring(notepad) + L"\" %1";
  const struct {
    const char* name;
    std::wstring httpsCommand, pageCommand, program;
  } cases[] = {
      {"both: the https handler", https, page, self},
      {"https names no program (a packaged browser): the web page's", L"", page, notepad},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::RegistryChanges registry;
    registry.setDefault(L"https\\shell\\open\\command", c.httpsCommand);
    registry.setDefault(L".htm", L"WordhopTest.htm");
    registry.setDefault(L"WordhopTest.htm\\shell\\open\\command", c.pageCommand);
    EXPECT_EQ(search::findBrowserPath(), c.program);
  }
}

}  // namespace
