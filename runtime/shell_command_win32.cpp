#include <windows.h>

#include <shlwapi.h>

#include "runtime/shell_command.h"

namespace runtime {
namespace {

// The command whole, however long: the lookup tells its size first.
std::wstring lookUp(ASSOCF flags, const wchar_t* extension) {
  DWORD size = 0;
  if (FAILED(AssocQueryStringW(flags, ASSOCSTR_COMMAND, extension, L"open", nullptr, &size)) || size == 0) return {};
  std::wstring command(size, L'\0');
  if (AssocQueryStringW(flags, ASSOCSTR_COMMAND, extension, L"open", command.data(), &size) != S_OK) return {};
  command.resize(std::wstring(command.c_str()).size());
  return command;
}

bool isFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ShellCommand split(const std::wstring& command) {
  std::wstring expanded(ExpandEnvironmentStringsW(command.c_str(), nullptr, 0), L'\0');
  const DWORD length = ExpandEnvironmentStringsW(command.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
  if (length == 0 || length > expanded.size()) expanded = command;
  expanded.resize(std::wstring(expanded.c_str()).size());
  return splitCommand(expanded, isFile);
}

}  // namespace

ShellCommand openCommandFor(const wchar_t* extension) {
  // Asked as the tool always asked, with the protocol flag. Windows 8 and
  // later read the extension as a protocol's name then, and may answer with
  // nothing or with another program: the file type is asked without the flag.
  ShellCommand command = split(lookUp(ASSOCF_IS_PROTOCOL, extension));
  if (command.program.empty() || !isFile(command.program)) {
    ShellCommand ofFileType = split(lookUp(ASSOCF_NONE, extension));
    if (!ofFileType.program.empty()) return ofFileType;
  }
  return command;
}

}  // namespace runtime
