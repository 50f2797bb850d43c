// Starting the programs the tests drive.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// Starts a program. Wine refuses a start now and then when the machine is
// busy; no test here is about that, so a refused start is tried again. On
// failure GetLastError() tells why the last try failed.
inline bool startProcess(const wchar_t* application, const std::wstring& commandLine, const wchar_t* directory,
                         PROCESS_INFORMATION& process, DWORD flags = 0) {
  for (int attempt = 1;; ++attempt) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = commandLine;  // CreateProcessW may write to it
    if (CreateProcessW(application, line.data(), nullptr, nullptr, FALSE, flags, nullptr, directory, &startup,
                       &process))
      return true;
    if (attempt == 5) return false;
    Sleep(200);
  }
}

// The process that a test's real input is for: the tool it started, while a
// visitor looks at the tool's window (tool_process.h); none: this process.
inline DWORD& inputTargetProcess() {
  static DWORD process = 0;
  return process;
}

}  // namespace testing_support
