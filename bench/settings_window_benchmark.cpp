// The settings window from process start until it has painted, seen from
// outside, against the floor (the same window and controls made directly):
// with the default file, 1 000 and 5 000 entries. The contenders take turns
// round by round; each window is closed before the next starts.
// Usage: settings_window_benchmark <Wordhop.exe> <settings_window_floor.exe> [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_entries.h"
#include "bench/timing.h"
#include "core/configuration.h"
#include "tests/support/settings_file.h"

namespace {

struct Search {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK matchShownWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
  search.found = window;
  return FALSE;
}

BOOL CALLBACK findUnpainted(HWND child, LPARAM unpainted) {
  if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(unpainted) = true;
    return FALSE;
  }
  return TRUE;
}

// Painted: the window and every visible control of it have no region left to
// paint, and the window answers a message sent to it.
bool painted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool unpainted = false;
  EnumChildWindows(window, findUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  DWORD_PTR ignored = 0;
  return !unpainted && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

// From the start of the process until its window has painted; none when it
// showed none within 60 seconds.
std::optional<double> timeToPaintedMs(const std::wstring& commandLineText, const std::wstring& folder) {
  std::wstring commandLine = commandLineText;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const LARGE_INTEGER start = bench::now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process))
    return std::nullopt;
  std::optional<double> time;
  for (int waited = 0; waited < 60000 && !time; ++waited) {
    Search search{process.dwProcessId};
    EnumWindows(matchShownWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found && painted(search.found)) {
      time = bench::elapsedMs(start, bench::now());
      PostMessageW(search.found, WM_CLOSE, 0, 0);
    } else {
      Sleep(1);
    }
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return time;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: settings_window_benchmark <Wordhop.exe> <settings_window_floor.exe> [rounds]\n");
    return 2;
  }
  const int rounds = argc > 3 ? std::max(1, _wtoi(argv[3])) : 7;
  SetEnvironmentVariableW(L"PB_TOOL_Word", nullptr);  // the settings window, not a search run
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "wordhop-settings-bench";
  std::filesystem::create_directories(folder);
  const std::filesystem::path tool = folder / "Wordhop.exe";
  std::filesystem::copy_file(argv[1], tool, std::filesystem::copy_options::overwrite_existing);
  const std::wstring config = (folder / "Wordhop.ini").wstring();

  std::wprintf(L"%-16ls %12ls %12ls %8ls   (median of %d rounds)\n", L"", L"Wordhop", L"floor", L"ratio", rounds);
  for (int count : {0, 1000, 5000}) {
    std::filesystem::remove(config);
    core::writeDefaultConfiguration(config);
    if (count > 0 && testing_support::saveEntries(config, bench::benchEntries(count))) {
      std::fwprintf(stderr, L"cannot write %ls\n", config.c_str());
      return 1;
    }
    std::vector<double> wordhop, floor;
    for (int round = 0; round < rounds; ++round) {
      if (auto time = timeToPaintedMs(bench::quoted(tool.wstring()), folder.wstring())) wordhop.push_back(*time);
      if (auto time = timeToPaintedMs(bench::quoted(argv[2]) + L" " + std::to_wstring(count), folder.wstring()))
        floor.push_back(*time);
    }
    const double ours = bench::median(wordhop), theirs = bench::median(floor);
    std::wprintf(L"%-16ls %9.1f ms %9.1f ms %8.2f\n",
                 count == 0      ? L"default file"
                 : count == 1000 ? L"1 000 entries"
                                 : L"5 000 entries",
                 ours, theirs, ours / theirs);
  }
  std::filesystem::remove_all(folder);
  return 0;
}
