// What the process finds around it: environment variables, its current
// folder, its own executable. Every text is read whole, however long it is.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace runtime {

// The variable's value; none when it is not set (set and empty is empty).
std::optional<std::wstring> environmentValue(const wchar_t* name);
// The variable's value; empty when it is not set.
inline std::wstring environmentVariable(const wchar_t* name) { return environmentValue(name).value_or(L""); }
// The arguments of the process's command line, its program left out.
std::vector<std::wstring> commandLineArguments();
// The current directory, without a trailing separator unless it is a root.
std::wstring currentDirectory();
// The full path of the running executable.
std::wstring executablePath();
// Whether a process runs an executable of that file name (compared without
// case); with `notStartedBy`, one that process did not start.
bool processRunning(std::wstring_view imageName, unsigned long notStartedBy = 0);
// The full path that `path` names from the current directory.
std::wstring fullPath(const std::wstring& path);

}  // namespace runtime
