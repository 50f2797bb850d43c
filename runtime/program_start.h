// Starting a program, or handing an item (an address, a document) to the shell.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// The program quoted unless it is quoted already, then a space and the parameter.
std::wstring commandLineFor(std::wstring_view program, std::wstring_view parameter);

// The working folder the shell gets when none is given: the program's text up to
// and including its last backslash; empty when it has none after its first character.
std::wstring shellFolderFor(std::wstring_view program);

#ifdef _WIN32
// Creates a process from the command line; when that fails, hands the program
// text to the shell, which opens it with the handler registered for it. The
// started program is never waited for; failures are silent.
void startProgram(std::wstring_view program, std::wstring_view parameter, std::wstring_view workingFolder);
#endif

}  // namespace runtime
