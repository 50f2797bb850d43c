// Whole-process cost of a search run under the real system: Wordhop.exe with
// both waits 0 against a trivial Win32 program started the same way.
// Usage: search_run_benchmark <Wordhop.exe> <trivial.exe> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include "core/configuration.h"

namespace {

double runOnceMs(const std::wstring& exe, const std::wstring& folder) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  QueryPerformanceCounter(&end);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void report(const wchar_t* name, const std::wstring& exe, const std::wstring& folder, int runs) {
  std::vector<double> times;
  runOnceMs(exe, folder);  // warm the file cache
  for (int i = 0; i < runs; ++i) times.push_back(runOnceMs(exe, folder));
  std::sort(times.begin(), times.end());
  std::wprintf(L"%-28ls median %7.1f ms   p90 %7.1f ms   min %7.1f ms   (%d runs)\n", name, times[times.size() / 2],
               times[times.size() * 9 / 10], times.front(), runs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: search_run_benchmark <Wordhop.exe> <trivial.exe> [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 20;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "wordhop-bench";
  std::filesystem::create_directories(folder);
  const std::filesystem::path tool = folder / "Wordhop.exe";
  std::filesystem::copy_file(argv[1], tool, std::filesystem::copy_options::overwrite_existing);
  const std::wstring config = (folder / "Wordhop.ini").wstring();
  std::filesystem::remove(config);
  core::writeDefaultConfiguration(config);
  core::saveBrowserValue(config, core::kKeyBrowserStart, 0);
  core::saveBrowserValue(config, core::kKeyTabDelay, 0);

  report(L"trivial Win32 program", argv[2], folder.wstring(), runs);
  SetEnvironmentVariableW(L"PB_TOOL_Word", L"WM_PAINT");
  report(L"search run WM_PAINT, waits 0", tool.wstring(), folder.wstring(), runs);
  return 0;
}
