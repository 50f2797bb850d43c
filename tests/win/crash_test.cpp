// A program that crashes under test ends at once, as a failure with its
// exception code: no debugger attaches and waits for someone to look.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/process_start.h"

namespace {

TEST(Crash, EndsTheProgramWithinSecondsWithItsExceptionCode) {
  const char* helper = std::getenv("WORDHOP_CRASH_HELPER");
  ASSERT_NE(helper, nullptr);
  const std::wstring commandLine = L"\"" + std::filesystem::path(helper).wstring() + L"\"";
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(testing_support::startProcess(nullptr, commandLine, nullptr, process)) << "error " << GetLastError();
  CloseHandle(process.hThread);
  const DWORD waited = WaitForSingleObject(process.hProcess, 20000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  ASSERT_EQ(waited, WAIT_OBJECT_0) << "the crashed program was still there after 20 s";
  EXPECT_EQ(code, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
}

}  // namespace
