// What the process finds around it: environment variables, its current
// folder, its own executable. Every text is read whole, however long it is.
#pragma once

#include <string>

namespace runtime {

// The variable's value; empty when it is not set.
std::wstring environmentVariable(const wchar_t* name);
// The current directory, without a trailing separator unless it is a root.
std::wstring currentDirectory();
// The full path of the running executable.
std::wstring executablePath();
// The full path that `path` names from the current directory.
std::wstring fullPath(const std::wstring& path);

}  // namespace runtime
