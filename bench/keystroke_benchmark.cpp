// What one keystroke in the settings window costs: from the character reaching
// the URL field to the event handled and Wordhop.ini replaced on disk, in this
// process, for the default file and for one with 1 000 entries; and what one
// Move down of the first entry costs in a list of 500 and of 5 000 entries,
// every second one enabled (the refilled list ticks each of those again).
// Usage: keystroke_benchmark [keystrokes] [moves]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_entries.h"
#include "bench/timing.h"
#include "core/configuration.h"
#include "tests/support/settings_file.h"
#include "ui/dpi_setup.h"
#include "ui/settings_window.h"

namespace {

// A settings window on the file, built in this process, with every question
// answered No and nothing started.
struct BenchWindow {
  explicit BenchWindow(const std::wstring& config) : settings(setUp(state), config, quiet()) {}
  static ui::SettingsState& setUp(ui::SettingsState& state) {
    state.dpi.osVersionCode = 110;
    ui::setupDpiScaling(state.dpi.dpiScaling, 100, state.dpi.osVersionCode, false);
    return state;
  }
  static ui::SettingsServices quiet() {
    return {[](std::wstring_view, UINT) { return IDNO; },
            [](std::wstring_view, std::wstring_view, std::wstring_view) {}, nullptr};
  }
  void handleReadyEvents() {
    while (auto event = settings.window().pollEvent()) settings.handleEvent(*event);
  }
  ui::SettingsState state;
  ui::SettingsWindow settings;
};

std::vector<double> keystrokeTimes(const std::wstring& config, int keystrokes) {
  BenchWindow tool(config);
  ui::SettingsWindow& settings = tool.settings;
  std::vector<double> times;
  if (!settings.build()) return times;
  auto& window = settings.window();
  auto handleReadyEvents = [&] { tool.handleReadyEvents(); };
  handleReadyEvents();
  window.setState(ui::entryList, 0);
  settings.showSelectedEntry();
  HWND field = window.gadget(ui::urlField);
  SendMessageW(field, EM_SETSEL, 0, -1);
  SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(-1), -1);  // caret at the end
  for (int i = 0; i < keystrokes; ++i) {
    const LARGE_INTEGER start = bench::now();
    SendMessageW(field, WM_CHAR, i % 2 == 0 ? L'x' : VK_BACK, 0);
    handleReadyEvents();
    times.push_back(bench::elapsedMs(start, bench::now()));
  }
  // Only times of keystrokes that reached the file count.
  const std::vector<core::SearchEntry> saved = testing_support::readSettings(config).entries;
  wchar_t shown[512] = {};
  GetWindowTextW(field, shown, 512);
  if (saved.size() < 1 || saved[0].sites != shown) times.clear();
  return times;
}

// Moves the first entry down and back up, `moves` times in all; one time per
// Move, none when the file does not end up in the order the list shows.
std::vector<double> moveTimes(const std::wstring& config, int moves) {
  BenchWindow tool(config);
  std::vector<double> times;
  if (!tool.settings.build()) return times;
  tool.handleReadyEvents();
  for (int i = 0; i < moves; ++i) {
    tool.settings.window().setState(ui::entryList, i % 2);
    const LARGE_INTEGER start = bench::now();
    tool.settings.handleEvent({runtime::Event::Type::gadget, i % 2 == 0 ? ui::moveDownButton : ui::moveUpButton,
                               runtime::EventKind::leftClick});
    tool.handleReadyEvents();
    times.push_back(bench::elapsedMs(start, bench::now()));
  }
  if (testing_support::readSettings(config).entries != tool.settings.entries()) times.clear();
  return times;
}

void report(const wchar_t* name, std::vector<double> times, const wchar_t* unit = L"keystrokes") {
  if (times.empty()) {
    std::wprintf(L"%-24ls the %ls did not reach the file\n", name, unit);
    return;
  }
  std::sort(times.begin(), times.end());
  std::wprintf(L"%-24ls median %8.2f ms   p99 %8.2f ms   max %8.2f ms   (%zu %ls)\n", name, times[times.size() / 2],
               times[times.size() * 99 / 100], times.back(), times.size(), unit);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int keystrokes = argc > 1 ? std::max(2, _wtoi(argv[1])) : 400;
  const int moves = argc > 2 ? std::max(1, _wtoi(argv[2])) : 6;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "wordhop-keystroke-bench";
  std::filesystem::create_directories(folder);
  const std::wstring config = (folder / "Wordhop.ini").wstring();

  std::filesystem::remove(config);
  core::writeDefaultConfiguration(config);
  report(L"default file", keystrokeTimes(config, keystrokes));

  std::filesystem::remove(config);
  core::writeDefaultConfiguration(config);
  if (testing_support::saveEntries(config, bench::benchEntries(1000))) {
    std::fwprintf(stderr, L"cannot write %ls\n", config.c_str());
    return 1;
  }
  report(L"1 000 entries", keystrokeTimes(config, keystrokes));

  for (int count : {500, 5000}) {
    if (testing_support::saveEntries(config, bench::benchEntries(count))) {
      std::fwprintf(stderr, L"cannot write %ls\n", config.c_str());
      return 1;
    }
    report(count == 500 ? L"Move, 500 entries" : L"Move, 5 000 entries", moveTimes(config, moves), L"moves");
  }
  std::filesystem::remove_all(folder);
  return 0;
}
