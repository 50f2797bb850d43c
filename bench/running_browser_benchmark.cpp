// The running-browser check with many visible windows: the walk as the tool
// does it (one service connection, each process asked once) against a fresh
// connection and query for every window.
// Usage: running_browser_benchmark [windows]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "search/running_browser.h"

namespace {

double timeWalkMs(const search::ProcessPathLookup& lookup) {
  const auto start = std::chrono::steady_clock::now();
  search::browserWindowExists(L"C:\\No\\browser.exe", lookup);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int count = argc > 1 ? _wtoi(argv[1]) : 200;
  CoInitialize(nullptr);
  std::vector<HWND> windows;
  for (int i = 0; i < count; ++i) {
    HWND window = CreateWindowExW(0, L"STATIC", L"window", WS_OVERLAPPEDWINDOW, i % 40, i % 30, 40, 30, nullptr,
                                  nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOWNA);
    windows.push_back(window);
  }
  int asked = 0;
  const double countOnly = timeWalkMs([&](DWORD) { return ++asked, std::wstring(); });
  search::ManagementProcessPaths shared;
  const double kept = timeWalkMs(std::ref(shared));
  const double fresh = timeWalkMs([](DWORD processId) { return search::ManagementProcessPaths()(processId); });
  std::wprintf(L"%d visible windows examined\n", asked);
  std::wprintf(L"walk only                         %8.1f ms\n", countOnly);
  std::wprintf(L"one connection, each process once %8.1f ms\n", kept);
  std::wprintf(L"new connection and query per window %6.1f ms\n", fresh);
  for (HWND window : windows) DestroyWindow(window);
  return 0;
}
