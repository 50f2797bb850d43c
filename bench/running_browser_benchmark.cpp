// The running-browser check with 30 visible windows of 5 processes: the walk
// alone, the tool's check (the system first, the management service only for
// processes it cannot open), and a fresh service connection and query for
// every window. Median of the repetitions, taken on a desktop at rest and a
// moment apart, as the tool makes one check per run: back to back, after some
// 60 ms, a small virtual machine answers every Wine server call several times
// slower, whatever the check does.
// Usage: running_browser_benchmark [repetitions]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "search/running_browser.h"

namespace {

constexpr int kProcesses = 5;
constexpr int kWindowsEach = 6;

// A helper process of this benchmark: shows its windows until it is ended.
int showWindows() {
  for (int i = 0; i < kWindowsEach; ++i) {
    HWND window = CreateWindowExW(0, L"STATIC", L"window", WS_OVERLAPPEDWINDOW, 20 * i, 20 * i, 60, 40, nullptr,
                                  nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOWNA);
  }
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

double medianMs(int repetitions, const std::function<void()>& check) {
  std::vector<double> times;
  for (int i = 0; i < repetitions; ++i) {
    const auto start = std::chrono::steady_clock::now();
    check();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    Sleep(20);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// A second of the IDE's own message loop: the new windows painted, the
// desktop at rest when the measurements start.
void settle() {
  for (int tick = 0; tick < 100; ++tick) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
}

struct WindowCount {
  const std::vector<DWORD>& processes;
  int windows = 0;
};

BOOL CALLBACK countWindow(HWND window, LPARAM context) {
  WindowCount& count = *reinterpret_cast<WindowCount*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (IsWindowVisible(window) &&
      std::find(count.processes.begin(), count.processes.end(), owner) != count.processes.end())
    ++count.windows;
  return TRUE;
}

int visibleWindowsOf(const std::vector<DWORD>& processes) {
  WindowCount count{processes};
  EnumWindows(countWindow, reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wcscmp(argv[1], L"--show") == 0) return showWindows();
  const int repetitions = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
  CoInitialize(nullptr);

  std::vector<PROCESS_INFORMATION> helpers(kProcesses);
  std::vector<DWORD> ids;
  for (PROCESS_INFORMATION& helper : helpers) {
    std::wstring commandLine = L"\"" + std::wstring(argv[0]) + L"\" --show";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &helper))
      ids.push_back(helper.dwProcessId);
  }
  for (int wait = 0; wait < 200 && visibleWindowsOf(ids) < kProcesses * kWindowsEach; ++wait) Sleep(50);
  // The topmost window is never examined: the IDE's, when the tool is started.
  HWND top = CreateWindowExW(0, L"STATIC", L"IDE", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                             nullptr, nullptr);
  settle();

  const wchar_t* noBrowser = L"C:\\No\\browser.exe";
  int asked = 0;
  const double walk = medianMs(repetitions, [&] {
    asked = 0;
    search::browserWindowExists(noBrowser, [&](DWORD) { return ++asked, std::wstring(); });
  });
  const double tool = medianMs(repetitions, [&] {
    search::ProcessPaths paths;  // one run of the tool
    search::browserWindowExists(noBrowser, std::ref(paths));
  });
  const double fresh = medianMs(repetitions, [&] {
    search::browserWindowExists(noBrowser, [](DWORD processId) { return search::ManagementProcessPaths()(processId); });
  });
  std::wprintf(L"%d processes asked for (%d of the %d helper windows shown), median of %d\n", asked,
               visibleWindowsOf(ids), kProcesses * kWindowsEach, repetitions);
  std::wprintf(L"walk alone                               %8.2f ms\n", walk);
  std::wprintf(L"the tool's check                         %8.2f ms\n", tool);
  std::wprintf(L"a fresh service connection per process   %8.2f ms\n", fresh);

  DestroyWindow(top);
  for (PROCESS_INFORMATION& helper : helpers) {
    if (!helper.hProcess) continue;
    TerminateProcess(helper.hProcess, 0);
    CloseHandle(helper.hThread);
    CloseHandle(helper.hProcess);
  }
  return 0;
}
