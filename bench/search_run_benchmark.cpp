// Whole-process cost of a search run under the real system: Wordhop.exe with
// both waits 0, against a trivial Win32 program and against the handover floor
// (the same four handovers to the same handler, nothing else). The trivial
// program is the browser, registered as the handler of web addresses. Then the
// floor again with each of the tool's own steps added, and with all of them:
// where a search run's time over the floor goes.
// Usage: search_run_benchmark <Wordhop.exe> <trivial.exe> <handover_floor.exe> [runs]
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "core/configuration.h"
#include "tests/support/registry_changes.h"
#include "tests/support/settings_file.h"

namespace {

// The whole life of one process in milliseconds; none when it could not start.
std::optional<double> runOnceMs(const std::wstring& commandLineText, const std::wstring& folder) {
  std::wstring commandLine = commandLineText;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const LARGE_INTEGER start = bench::now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process))
    return std::nullopt;
  WaitForSingleObject(process.hProcess, INFINITE);
  const LARGE_INTEGER end = bench::now();
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return bench::elapsedMs(start, end);
}

struct Contender {
  Contender(std::wstring nameText, std::wstring command) : name(std::move(nameText)), commandLine(std::move(command)) {}
  std::wstring name;
  std::wstring commandLine;
  std::vector<double> times;
  int failedStarts = 0;
  double median() const { return times[times.size() / 2]; }
};

// Waits until no process of the given image name is left: the handlers one
// run started must not share the machine with the next run.
void awaitEndOf(const wchar_t* imageName) {
  for (int attempt = 0; attempt < 500; ++attempt) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
      found = _wcsicmp(entry.szExeFile, imageName) == 0;
    CloseHandle(snapshot);
    if (!found) return;
    Sleep(10);
  }
}

// Round by round, each contender once per round and each round starting one
// further along, so that the machine's drift falls on all of them alike.
void measure(std::vector<Contender>& contenders, const std::wstring& folder, const wchar_t* handlerImage, int runs) {
  for (Contender& contender : contenders) runOnceMs(contender.commandLine, folder);  // warm the file cache
  for (int round = 0; round < runs; ++round) {
    for (std::size_t i = 0; i < contenders.size(); ++i) {
      Contender& contender = contenders[(round + i) % contenders.size()];
      awaitEndOf(handlerImage);
      Sleep(20);
      if (const std::optional<double> ms = runOnceMs(contender.commandLine, folder))
        contender.times.push_back(*ms);
      else
        ++contender.failedStarts;
    }
  }
  for (Contender& contender : contenders) std::sort(contender.times.begin(), contender.times.end());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr, L"usage: search_run_benchmark <Wordhop.exe> <trivial.exe> <handover_floor.exe> [runs]\n");
    return 2;
  }
  const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 20;
  const std::wstring browser = std::filesystem::path(argv[2]).make_preferred().wstring();
  // The browser's handlers, put back as they were when the benchmark ends (or
  // by the next test program, when it is killed).
  testing_support::RegistryChanges registry;
  registry.setDefault(L"https\\shell\\open\\command", bench::quoted(browser) + L" \"%1\"");
  registry.setDefault(L".htm", L"WordhopBench.htm");
  registry.setDefault(L"WordhopBench.htm\\shell\\open\\command", bench::quoted(browser) + L" \"%1\"");
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "wordhop-bench";
  std::filesystem::create_directories(folder);
  const std::filesystem::path tool = folder / "Wordhop.exe";
  std::filesystem::copy_file(argv[1], tool, std::filesystem::copy_options::overwrite_existing);
  const std::wstring config = (folder / "Wordhop.ini").wstring();
  std::filesystem::remove(config);
  core::writeDefaultConfiguration(config);
  if (testing_support::saveTimings(config, 0, 0)) {
    std::fwprintf(stderr, L"cannot write %ls\n", config.c_str());
    return 1;
  }

  const std::wstring search = L"https://www.google.com/search?q=WM_PAINT";
  const std::wstring tail = L"&hl=en&tbs=qdr:y99,sbd:0";
  const std::wstring addresses[] = {
      search + L"+site:www.purebasic.fr/english+|+site:www.purebasic.fr/french" + tail,
      search + L"+site:devblogs.microsoft.com" + tail,
      search + L"+function|message|notification|structure+site:learn.microsoft.com" + tail,
  };
  std::wstring floorArguments = L" " + bench::quoted(browser);
  for (const std::wstring& address : addresses) floorArguments += L" " + bench::quoted(address);

  const std::wstring floor = bench::quoted(argv[3]);
  std::vector<Contender> contenders = {
      {L"trivial Win32 program", bench::quoted(argv[2])},
      {L"handover floor (4 handovers)", floor + floorArguments},
      {L"search run WM_PAINT, waits 0", bench::quoted(tool.wstring())},
  };
  const wchar_t* steps[] = {L"com", L"controls", L"screen", L"font", L"file", L"association", L"check", L"clipboard"};
  std::wstring allSteps;
  for (const wchar_t* step : steps) {
    contenders.emplace_back(L"floor + " + std::wstring(step), floor + L" --with=" + step + floorArguments);
    allSteps += (allSteps.empty() ? L"" : L",") + std::wstring(step);
  }
  contenders.emplace_back(L"floor + all of them", floor + L" --with=" + allSteps + floorArguments);

  SetEnvironmentVariableW(L"PB_TOOL_Word", L"WM_PAINT");
  measure(contenders, folder.wstring(), std::filesystem::path(browser).filename().c_str(), runs);
  for (const Contender& contender : contenders) {
    if (contender.failedStarts == 0) continue;
    std::fwprintf(stderr, L"%ls: %d of %d runs did not start\n", contender.name.c_str(), contender.failedStarts, runs);
    if (contender.times.empty()) return 1;
  }
  const double floorMs = contenders[1].median();
  std::wprintf(L"%-30ls %9ls %9ls %9ls %12ls   (%d runs)\n", L"", L"median", L"p90", L"min", L"over floor", runs);
  for (const Contender& contender : contenders) {
    std::wprintf(L"%-30ls %6.1f ms %6.1f ms %6.1f ms %+9.1f ms\n", contender.name.c_str(), contender.median(),
                 contender.times[contender.times.size() * 9 / 10], contender.times.front(),
                 contender.median() - floorMs);
  }
  std::wprintf(L"search run / floor: %.2f\n", contenders[2].median() / floorMs);
  return 0;
}
