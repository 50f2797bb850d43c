#include "core/ide_tools.h"

#include <algorithm>

#include "runtime/text.h"
#include "runtime/text_case.h"

namespace core {
namespace {

constexpr std::wstring_view kGroupToolsInfo = L"ToolsInfo";
constexpr std::wstring_view kKeyToolCount = L"ToolCount";
constexpr std::wstring_view kToolGroupPrefix = L"Tool_";

std::wstring toolGroup(int number) { return std::wstring(kToolGroupPrefix) + std::to_wstring(number); }

// A path as Windows compares it: letters upper-cased, either slash.
std::wstring comparablePath(std::wstring_view path) {
  std::wstring result = runtime::upperCase(runtime::trimSpaces(path));
  std::replace(result.begin(), result.end(), L'/', L'\\');
  return result;
}

}  // namespace

bool hasIdeTool(PreferenceFile& tools, std::wstring_view program) {
  const std::wstring wanted = comparablePath(program);
  for (const std::wstring& group : tools.groupNames()) {
    if (runtime::upperCase(group.substr(0, kToolGroupPrefix.size())) != runtime::upperCase(kToolGroupPrefix)) continue;
    tools.selectGroup(group);
    if (comparablePath(tools.readString(L"Command", L"")) == wanted) return true;
  }
  return false;
}

void addIdeTool(PreferenceFile& tools, std::wstring_view program) {
  tools.selectGroup(kGroupToolsInfo);
  // The IDE shows the tools numbered below ToolCount: the new one takes the
  // first free number from there, so that no tool the file holds is replaced.
  int number = std::max(0, tools.readInteger(kKeyToolCount, 0));
  while (tools.selectGroup(toolGroup(number))) ++number;
  tools.selectGroup(kGroupToolsInfo);
  tools.writeInteger(kKeyToolCount, number + 1);
  tools.selectGroup(toolGroup(number));  // made at the end
  tools.writeString(L"Command", program);
  tools.writeString(L"Arguments", L"");
  tools.writeString(L"WorkingDir", L"");
  tools.writeString(L"MenuItemName", kIdeToolMenuItem);
  tools.writeInteger(L"Shortcut", 0);  // none
  tools.writeString(L"ConfigLine", L"");
  tools.writeInteger(L"Trigger", 0);  // "Menu or Shortcut"
  for (const wchar_t* flag :
       {L"Flags", L"ReloadSource", L"HideEditor", L"HideFromMenu", L"SourceSpecific", L"DeactivateTool"})
    tools.writeInteger(flag, 0);
}

}  // namespace core
