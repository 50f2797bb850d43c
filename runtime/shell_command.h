// Programs taken from the shell's open commands: the browser's, for web pages,
// and the text editor's.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace runtime {

// An open command split as the shell splits it.
struct ShellCommand {
  std::wstring program;    // without quotes
  std::wstring arguments;  // what follows the program, "%1" where the file goes
  bool operator==(const ShellCommand&) const = default;
};

// A quoted program runs to its closing quote; an unquoted one that contains
// spaces is the longest part of the command before a space (or the whole)
// that names a file (`isFile`), else the part before the first space. What
// follows, without the spaces between, is the arguments, switches and all.
ShellCommand splitCommand(std::wstring_view command, const std::function<bool(const std::wstring&)>& isFile);

// The arguments with "%1" (or "%L") replaced by the file's path, quoted unless
// it stands in quotes already; the quoted path appended when there is none.
std::wstring argumentsFor(std::wstring_view arguments, std::wstring_view file);

#ifdef _WIN32
// The shell's open command for a file extension (".htm", ".txt"), as the
// association lookup gives it, its environment-variable references expanded
// (associations may name a program so), split as the shell splits it; an
// empty program when there is none.
ShellCommand openCommandFor(const wchar_t* extension);
#endif

}  // namespace runtime
