// Wordhop: started by the PureBasic IDE as a tool. With a word it searches the
// web for it; without one it shows the settings window.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/startup.h"
#include "core/configuration.h"
#include "core/os_version.h"
#include "runtime/scope_exit.h"
#include "search/api_pages.h"
#include "search/search_configuration.h"
#include "search/search_run.h"
#include "ui/dpi_setup.h"
#include "ui/settings_window.h"
#include "ui/texts.h"

namespace {

void registerCommonControls() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // COM for the main thread, single-threaded apartment, for the life of the tool.
  const bool com = SUCCEEDED(CoInitialize(nullptr));
  const runtime::ScopeExit uninitialise([com] {
    if (com) CoUninitialize();
  });
  registerCommonControls();

  app::ToolState state;
  ui::DpiState& dpi = state.settings.dpi;
  dpi.dpiScaling.startupResolution = ui::measureStartupResolution();
  dpi.osVersionCode = core::osVersionCode(core::queryOsVersion());
  app::chooseDpiAwareness(state);
  dpi.windowDpis.rehash(512);
  state.browserMustStart = true;
  app::readIdeInputs(state);
  app::enterExecutableFolder();
  const std::wstring configFile(core::kConfigFileName);
  app::ensureConfigurationFile(configFile);

  if (app::isSearchRun(state.searchWord)) {
    search::runSearch({state.searchWord, state.browserMustStart}, configFile);
  } else {
    state.settings.language = ui::startLanguage();
    ui::SettingsServices services = ui::systemServices();
    const ui::Texts texts(state.settings.language);
    services.previewAddress = [&configFile, &texts](const core::SearchEntry& entry) {
      std::wstring tip = search::previewAddress(configFile, entry);
      if (entry.firstMatch != 0 && search::searchesMicrosoftDocs(search::buildSiteTerms(entry.sites)))
        tip += L"\n" + texts(TEXT_API_PAGES);
      return tip;
    };
    ui::runSettingsWindow(state.settings, configFile, std::move(services));
  }
  return 0;
}
