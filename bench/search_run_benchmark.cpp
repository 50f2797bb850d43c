// Whole-process cost of a search run under the real system: Wordhop.exe with
// both waits 0, against a trivial Win32 program and against the handover floor
// (the same four handovers to the same handler, nothing else). The trivial
// program is the browser, registered as the handler of web addresses.
// Usage: search_run_benchmark <Wordhop.exe> <trivial.exe> <handover_floor.exe> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include "core/configuration.h"

namespace {

double runOnceMs(const std::wstring& commandLineText, const std::wstring& folder) {
  std::wstring commandLine = commandLineText;
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

double report(const wchar_t* name, const std::wstring& commandLine, const std::wstring& folder, int runs) {
  std::vector<double> times;
  runOnceMs(commandLine, folder);  // warm the file cache
  for (int i = 0; i < runs; ++i) times.push_back(runOnceMs(commandLine, folder));
  std::sort(times.begin(), times.end());
  std::wprintf(L"%-30ls median %7.1f ms   p90 %7.1f ms   min %7.1f ms   (%d runs)\n", name, times[times.size() / 2],
               times[times.size() * 9 / 10], times.front(), runs);
  return times[times.size() / 2];
}

void setDefault(const wchar_t* key, const std::wstring& value) {
  RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr, L"usage: search_run_benchmark <Wordhop.exe> <trivial.exe> <handover_floor.exe> [runs]\n");
    return 2;
  }
  const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 20;
  const std::wstring browser = std::filesystem::path(argv[2]).make_preferred().wstring();
  setDefault(L"https\\shell\\open\\command", quoted(browser) + L" \"%1\"");
  setDefault(L".htm", L"WordhopBench.htm");
  setDefault(L"WordhopBench.htm\\shell\\open\\command", quoted(browser) + L" \"%1\"");
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "wordhop-bench";
  std::filesystem::create_directories(folder);
  const std::filesystem::path tool = folder / "Wordhop.exe";
  std::filesystem::copy_file(argv[1], tool, std::filesystem::copy_options::overwrite_existing);
  const std::wstring config = (folder / "Wordhop.ini").wstring();
  std::filesystem::remove(config);
  core::writeDefaultConfiguration(config);
  core::saveBrowserValue(config, core::kKeyBrowserStart, 0);
  core::saveBrowserValue(config, core::kKeyTabDelay, 0);

  const std::wstring search = L"https://www.google.com/search?q=WM_PAINT";
  const std::wstring tail = L"&hl=en&tbs=qdr:y99,sbd:0";
  const std::wstring addresses[] = {
      search + L"+site:www.purebasic.fr/english+|+site:www.purebasic.fr/french" + tail,
      search + L"+site:devblogs.microsoft.com" + tail,
      search + L"+function|message|notification|structure+site:learn.microsoft.com" + tail,
  };
  std::wstring floorCommand = quoted(argv[3]) + L" " + quoted(browser);
  for (const std::wstring& address : addresses) floorCommand += L" " + quoted(address);

  report(L"trivial Win32 program", quoted(argv[2]), folder.wstring(), runs);
  const double floor = report(L"handover floor (4 handovers)", floorCommand, folder.wstring(), runs);
  SetEnvironmentVariableW(L"PB_TOOL_Word", L"WM_PAINT");
  const double run = report(L"search run WM_PAINT, waits 0", quoted(tool.wstring()), folder.wstring(), runs);
  std::wprintf(L"search run / floor: %.2f\n", run / floor);
  return 0;
}
