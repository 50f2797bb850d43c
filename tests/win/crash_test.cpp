// A program that crashes under test ends at once, as a failure with its
// exception code: no debugger attaches and waits for someone to look, and no
// error report is made. It runs in a job that lets its programs die on an
// unhandled exception, which Windows honours; Wine (8 and 10) starts its
// debugger all the same, which the test prefixes name as a program that is
// not there (scripts/setup).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "runtime/unique_resource.h"
#include "tests/support/process_start.h"

namespace {

TEST(Crash, EndsTheProgramWithinSecondsWithItsExceptionCode) {
  const char* helper = std::getenv("WORDHOP_CRASH_HELPER");
  ASSERT_NE(helper, nullptr);
  const std::wstring commandLine = L"\"" + std::filesystem::path(helper).wstring() + L"\"";
  const runtime::UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
  ASSERT_TRUE(job);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
  ASSERT_TRUE(SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits));
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(testing_support::startProcess(nullptr, commandLine, nullptr, process, CREATE_SUSPENDED))
      << "error " << GetLastError();
  EXPECT_TRUE(AssignProcessToJobObject(job.get(), process.hProcess));
  ResumeThread(process.hThread);
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
