// The PureBasic IDE's list of tools, Tools.prefs in the IDE's settings folder:
// a group ToolsInfo with ToolCount, then one group Tool_N (N from 0) per tool,
// in the same preference format as Wordhop.ini.
#pragma once

#include <string>
#include <string_view>

#include "core/preference_file.h"

namespace core {

inline constexpr std::wstring_view kIdeToolsFileName = L"Tools.prefs";
inline constexpr std::wstring_view kIdeToolMenuItem = L"Wordhop";

// Whether a tool of the list runs `program` (paths compared as Windows
// compares them, without regard to case).
bool hasIdeTool(PreferenceFile& tools, std::wstring_view program);

// Adds a tool that runs `program` from the Tools menu: a group Tool_N at the
// end, N the first free number the IDE reads (from ToolCount on), and
// ToolCount raised to show it. Every other line stays as it is.
void addIdeTool(PreferenceFile& tools, std::wstring_view program);

}  // namespace core
