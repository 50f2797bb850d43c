// Wordhop: started by the PureBasic IDE as a tool. With a word it searches the
// web for it; without one it shows the settings window.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "core/configuration.h"
#include "core/os_version.h"
#include "core/startup.h"
#include "search/search_run.h"
#include "ui/settings_window.h"

namespace {

// COM for the main thread, single-threaded apartment, for the life of the tool.
struct ComApartment {
  ComApartment() : initialised(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (initialised) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool initialised;
};

void registerCommonControls() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ComApartment com;
  registerCommonControls();

  core::ToolState state;
  state.dpiScaling.startupResolution = ui::measureStartupResolution();
  state.osVersionCode = core::osVersionCode(core::queryOsVersion());
  core::chooseDpiAwareness(state);
  state.windowDpis.rehash(512);
  state.browserMustStart = true;
  core::readIdeInputs(state);
  core::enterExecutableFolder();
  const std::wstring configFile(core::kConfigFileName);
  core::ensureConfigurationFile(configFile);

  if (core::isSearchRun(state.searchWord)) {
    search::runSearch(state, configFile);
  } else {
    ui::runSettingsWindow(state, configFile);
  }
  return 0;
}
