#include "ui/ide_tool_setup.h"

#include "core/ide_tools.h"
#include "runtime/file_io.h"
#include "runtime/process_environment.h"

namespace ui {
namespace {

// The IDE's executables (the x86 and x64 editions are both called so).
constexpr const wchar_t* kIdeImages[] = {L"PureBasic.exe", L"PureBasic_x64.exe"};

// The folder of the IDE's settings, with its separator at the end: the one
// of the preference file it handed a tool it started, else its default.
std::wstring ideSettingsFolder() {
  if (const auto preferences = runtime::environmentValue(L"PB_TOOL_Preferences"); preferences && !preferences->empty())
    return preferences->substr(0, preferences->find_last_of(L"\\/") + 1);
  return runtime::environmentVariable(L"APPDATA") + L"\\PureBasic\\";
}

}  // namespace

void addIdeMenuItem(HWND window, const std::wstring& text) {
  HMENU menu = GetSystemMenu(window, FALSE);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kAddToIdeCommand, text.c_str());
}

void addToPureBasicIde(const SettingsNotices& notices) {
  using IdeTool = SettingsNotices::IdeTool;
  const std::wstring folder = ideSettingsFolder();
  if (!runtime::pathExists(folder)) return notices.tellIdeTool(IdeTool::notFound, folder);
  const std::wstring toolList = folder + std::wstring(core::kIdeToolsFileName);
  core::PreferenceFile tools;
  tools.open(toolList, core::WriteBack::asRead);  // the IDE's file stays in its own encoding
  if (tools.readError()) return notices.tellIdeTool(IdeTool::unreadable, toolList, tools.readError());
  const std::wstring program = runtime::executablePath();
  if (core::hasIdeTool(tools, program)) return notices.tellIdeTool(IdeTool::alreadyThere, toolList);
  for (const wchar_t* image : kIdeImages)
    if (runtime::processRunning(image)) return notices.tellIdeTool(IdeTool::ideRunning, toolList);
  if (!tools.writable()) return notices.tellIdeTool(IdeTool::unwritable, toolList, tools.writeError());
  if (!notices.confirmIdeTool(toolList)) return;
  core::addIdeTool(tools, program);
  // The store writes the whole file beside it and then puts it in place:
  // nothing is half written.
  if (const runtime::SystemError error = tools.close())
    return notices.tellIdeTool(IdeTool::unwritable, toolList, error);
  notices.tellIdeTool(IdeTool::added, toolList);
}

}  // namespace ui
