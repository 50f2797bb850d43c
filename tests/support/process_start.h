// Starting the programs the tests drive.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>

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

// The window that a test's real input is for: the tool's, while a visitor
// looks at it (tool_process.h); none: this process's.
inline HWND& inputTargetWindow() {
  static HWND window = nullptr;
  return window;
}

// A visible top-level window of the process: of that class or, with none
// given, its own window (no message box, no tip); null when it has none.
inline HWND visibleWindowOf(DWORD processId, const wchar_t* windowClass = nullptr) {
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != processId || !IsWindowVisible(window)) continue;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    const std::wstring_view found(name);
    if (windowClass ? found == windowClass : found != L"#32770" && found != TOOLTIPS_CLASSW) return window;
  }
  return nullptr;
}

// Waits for that window; null after the timeout, or once `process` has ended.
inline HWND waitForWindow(DWORD processId, const wchar_t* windowClass = nullptr, DWORD timeoutMs = 10000,
                          HANDLE process = nullptr) {
  for (const ULONGLONG deadline = GetTickCount64() + timeoutMs;;) {
    if (HWND found = visibleWindowOf(processId, windowClass)) return found;
    if (GetTickCount64() >= deadline) return nullptr;
    if (!process)
      Sleep(50);
    else if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0)
      return nullptr;
  }
}

}  // namespace testing_support
