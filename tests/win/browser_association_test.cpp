// Which program the search run takes for the browser: the one the addresses go to.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "runtime/utf8.h"
#include "search/search_run.h"
#include "tests/support/process_start.h"
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
      {"neither names one: none, which the run does not start", L"", L"", L""},
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

// A test program killed while its changes stand: the next one to start puts
// back what was there before.
TEST(RegistryJournal, TheNextProgramUndoesTheChangesOfOneThatWasKilled) {
  const char* helper = std::getenv("WORDHOP_REGISTRY_HELPER");
  ASSERT_TRUE(helper);
  testing_support::RegistryChanges registry;
  registry.setDefault(L".wordhopjournal", L"before");
  auto value = [](const wchar_t* key) {
    wchar_t text[256] = L"(none)";
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, text, &size);
    return std::wstring(text);
  };
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(testing_support::startProcess(nullptr, L"\"" + runtime::fromUtf8(helper) + L"\"", nullptr, process));
  for (int waited = 0; waited < 10000 && value(L".wordhopjournal") == L"before"; waited += 20) Sleep(20);
  EXPECT_EQ(value(L".wordhopjournal"), L"WordhopJournalTest.htm");
  TerminateProcess(process.hProcess, 1);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  testing_support::RegistryChanges::undoLeftovers();
  EXPECT_EQ(value(L".wordhopjournal"), L"before");
  EXPECT_EQ(value(L"WordhopJournalTest.htm\\shell\\open\\command"), L"(none)");
}

}  // namespace
