// What one keystroke in the settings window costs: from the character reaching
// the URL field to the event handled and Wordhop.ini replaced on disk, in this
// process, for the default file and for one with 1 000 entries.
// Usage: keystroke_benchmark [keystrokes]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/configuration.h"
#include "ui/dpi_setup.h"
#include "ui/settings_window.h"

namespace {

double elapsedMs(LARGE_INTEGER start, LARGE_INTEGER end) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::vector<core::SearchEntry> manyEntries(int count) {
  std::vector<core::SearchEntry> entries;
  for (int i = 1; i <= count; ++i)
    entries.push_back(
        {1, L"site" + std::to_wstring(i) + L".example.org", 1, 0, 0, L"", L"entry " + std::to_wstring(i)});
  return entries;
}

// Types into the URL field of the first entry, alternating a letter and a
// backspace so that the record keeps its length; one time per keystroke, none
// when the file does not end up with what the field shows.
std::vector<double> keystrokeTimes(const std::wstring& config, int keystrokes) {
  ui::SettingsState state;
  state.dpi.osVersionCode = 110;
  ui::setupDpiScaling(state.dpi.dpiScaling, 100, state.dpi.osVersionCode, false);
  ui::SettingsServices quiet{[](std::wstring_view, UINT) { return IDNO; },
                             [](std::wstring_view, std::wstring_view, std::wstring_view) {},
                             [](HWND, std::wstring_view) {}, nullptr};
  ui::SettingsWindow settings(state, config, quiet);
  std::vector<double> times;
  if (!settings.build()) return times;
  auto& window = settings.window();
  auto handleReadyEvents = [&] {
    while (auto event = window.pollEvent()) settings.handleEvent(*event);
  };
  handleReadyEvents();
  window.setState(ui::entryList, 0);
  settings.showSelectedEntry();
  HWND field = window.gadget(ui::urlField);
  SendMessageW(field, EM_SETSEL, 0, -1);
  SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(-1), -1);  // caret at the end
  for (int i = 0; i < keystrokes; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    SendMessageW(field, WM_CHAR, i % 2 == 0 ? L'x' : VK_BACK, 0);
    handleReadyEvents();
    QueryPerformanceCounter(&end);
    times.push_back(elapsedMs(start, end));
  }
  // Only times of keystrokes that reached the file count.
  std::vector<core::SearchEntry> saved;
  core::loadAllEntries(config, saved);
  wchar_t shown[512] = {};
  GetWindowTextW(field, shown, 512);
  if (saved.size() < 1 || saved[0].sites != shown) times.clear();
  return times;
}

void report(const wchar_t* name, std::vector<double> times) {
  if (times.empty()) {
    std::wprintf(L"%-24ls the keystrokes did not reach the file\n", name);
    return;
  }
  std::sort(times.begin(), times.end());
  std::wprintf(L"%-24ls median %6.2f ms   p99 %6.2f ms   max %6.2f ms   (%zu keystrokes)\n", name,
               times[times.size() / 2], times[times.size() * 99 / 100], times.back(), times.size());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int keystrokes = argc > 1 ? std::max(2, _wtoi(argv[1])) : 400;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "wordhop-keystroke-bench";
  std::filesystem::create_directories(folder);
  const std::wstring config = (folder / "Wordhop.ini").wstring();

  std::filesystem::remove(config);
  core::writeDefaultConfiguration(config);
  report(L"default file", keystrokeTimes(config, keystrokes));

  std::filesystem::remove(config);
  core::writeDefaultConfiguration(config);
  if (core::saveAllEntries(config, manyEntries(1000))) {
    std::fwprintf(stderr, L"cannot write %ls\n", config.c_str());
    return 1;
  }
  report(L"1 000 entries", keystrokeTimes(config, keystrokes));
  std::filesystem::remove_all(folder);
  return 0;
}
