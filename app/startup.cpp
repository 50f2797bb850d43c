#include "app/startup.h"

#include <shellscalingapi.h>

#include "core/configuration.h"
#include "core/os_version.h"
#include "runtime/file_io.h"
#include "runtime/library.h"
#include "runtime/process_environment.h"
#include "runtime/text.h"
#include "ui/dpi_setup.h"

namespace app {
namespace {

// The DPI layer measures the screen on every path, for the scale factors.
void setUpDpiLayer(ToolState& state) {
  ui::setupDpiScaling(state.settings.dpi.dpiScaling, 0, state.settings.dpi.osVersionCode, state.alreadyDpiAware);
}

void takeSystemDpiPath(ToolState& state) {
  runtime::Library user32(L"user32.dll");
  if (!user32) return;
  auto isAware = RUNTIME_EXPORT(user32.get(), IsProcessDPIAware);
  auto setAware = RUNTIME_EXPORT(user32.get(), SetProcessDPIAware);
  if (isAware && isAware())
    state.alreadyDpiAware = true;
  else if (setAware)
    setAware();
  setUpDpiLayer(state);
}

void takePerMonitorPath(ToolState& state) {
  runtime::Library shcore(L"shcore.dll");
  if (!shcore) return;
  auto getAwareness = RUNTIME_EXPORT(shcore.get(), GetProcessDpiAwareness);
  auto setAwareness = RUNTIME_EXPORT(shcore.get(), SetProcessDpiAwareness);
  PROCESS_DPI_AWARENESS awareness = PROCESS_DPI_UNAWARE;
  if (getAwareness && getAwareness(nullptr, &awareness) == S_OK) {
    if (awareness == PROCESS_DPI_UNAWARE) {
      // Per-monitor version 2 (Windows 10 1703 on) scales the caption, the
      // list's check boxes and the spin arrows with the window as well.
      const auto setContext = RUNTIME_EXPORT(GetModuleHandleW(L"user32.dll"), SetProcessDpiAwarenessContext);
      if (!(setContext && setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) && setAwareness)
        setAwareness(PROCESS_PER_MONITOR_DPI_AWARE);
    } else if (awareness == PROCESS_SYSTEM_DPI_AWARE || awareness == PROCESS_PER_MONITOR_DPI_AWARE) {
      state.alreadyDpiAware = true;
    }
  }
  setUpDpiLayer(state);

  state.comctl32 = runtime::Library(L"comctl32.dll");
  state.settings.dpi.subclassFunctions = runtime::subclassFunctionsOf(state.comctl32.get());
}

}  // namespace

DpiPath dpiPathFor(int osVersionCode) {
  using namespace core;
  if ((osVersionCode >= kOsWindows2000 && osVersionCode <= kOsWindows8) || osVersionCode == kOsWindowsServer2012)
    return DpiPath::systemDpi;
  if (osVersionCode == kOsWindows81 || osVersionCode == kOsWindowsServer2012R2 || osVersionCode == kOsWindows10)
    return DpiPath::perMonitor;
  return DpiPath::none;
}

void chooseDpiAwareness(ToolState& state) {
  switch (dpiPathFor(state.settings.dpi.osVersionCode)) {
    case DpiPath::systemDpi:
      takeSystemDpiPath(state);
      break;
    case DpiPath::perMonitor:
      takePerMonitorPath(state);
      break;
    case DpiPath::none:
      // Old or unknown systems keep the awareness they have; the window still
      // needs scale factors, so the screen is measured all the same.
      setUpDpiLayer(state);
      break;
  }
}

std::wstring searchWordOf(const std::optional<std::wstring>& ideWord, const std::vector<std::wstring>& arguments) {
  if (ideWord) return *ideWord;
  if (arguments.size() != 1) return {};
  // An editor with nothing under its cursor may pass an empty or blank word.
  const bool blank = arguments[0].find_first_not_of(L" \t") == std::wstring::npos;
  return blank ? std::wstring() : arguments[0];
}

void readIdeInputs(ToolState& state) {
  state.settings.ideMainWindow =
      static_cast<std::uint32_t>(runtime::textToNumber(runtime::environmentVariable(L"PB_Tool_MainWindow")));
  state.searchWord = searchWordOf(runtime::environmentValue(L"PB_TOOL_Word"), runtime::commandLineArguments());
}

void enterExecutableFolder() {
  // Read whole: a cut-off path would send the tool to another folder, where
  // it would make a stray Wordhop.ini.
  std::wstring folder = runtime::executablePath();
  std::size_t slash = folder.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return;
  folder.resize(slash + 1);
  SetCurrentDirectoryW(folder.c_str());
}

void ensureConfigurationFile(const std::wstring& fileName) {
  if (!runtime::pathExists(fileName)) core::writeDefaultConfiguration(fileName);
}

}  // namespace app
