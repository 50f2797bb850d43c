// The floor under a search run: the same handovers to the same handler (the
// browser's start, then one address each), and nothing else: no file, no
// clipboard, no running-browser check. With --with=step,step... it also takes
// those of the tool's own steps first, in the tool's order, so that the
// benchmark can tell where a search run's time goes.
// Usage: handover_floor [--with=steps] <browser program> <address>...
// Steps: com, controls, screen, font, file, association, check, clipboard.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <string_view>
#include <vector>

#include "runtime/clipboard.h"
#include "runtime/dpi_scaling.h"
#include "runtime/program_start.h"
#include "search/running_browser.h"
#include "search/search_configuration.h"
#include "search/search_run.h"
#include "ui/dpi_setup.h"

namespace {

bool wants(std::wstring_view steps, std::wstring_view step) {
  for (std::size_t start = 0; start <= steps.size();) {
    const std::size_t comma = std::min(steps.find(L',', start), steps.size());
    if (steps.substr(start, comma - start) == step) return true;
    start = comma + 1;
  }
  return false;
}

// The check looks for the browser program the floor hands over to, or for the
// one the association lookup found when that step is taken too.
void takeSteps(std::wstring_view steps, const std::wstring& browserProgram) {
  if (wants(steps, L"com")) CoInitialize(nullptr);
  if (wants(steps, L"controls")) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
  }
  if (wants(steps, L"screen")) ui::measureStartupResolution();
  if (wants(steps, L"font")) {
    runtime::DpiScaling scaling;
    ui::setupDpiScaling(scaling, 0, 100, false);
  }
  if (wants(steps, L"file")) {
    std::vector<core::SearchEntry> entries;
    search::loadSearchRun(L"Wordhop.ini", entries);
  }
  std::wstring browserPath = browserProgram;
  if (wants(steps, L"association")) browserPath = search::findBrowserPath();
  if (wants(steps, L"check")) {
    search::ProcessPaths paths;
    search::browserWindowExists(browserPath, std::ref(paths));
  }
  if (wants(steps, L"clipboard")) runtime::putClipboardText(L"WM_PAINT");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  int first = 1;
  constexpr std::wstring_view kWith = L"--with=";
  if (std::wstring_view(argv[1]).substr(0, kWith.size()) == kWith) ++first;
  if (first >= argc) return 2;
  if (first > 1) takeSteps(std::wstring_view(argv[1]).substr(kWith.size()), argv[first]);
  runtime::startProgram(argv[first], L"", L"");
  for (int i = first + 1; i < argc; ++i) runtime::startProgram(argv[i], L"", L"");
  LocalFree(argv);
  return 0;
}
