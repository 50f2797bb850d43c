#include <windows.h>

#include <shlwapi.h>

#include "runtime/shell_command.h"

namespace runtime {
namespace {

std::wstring lookUp(ASSOCF flags, const wchar_t* extension) {
  wchar_t command[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (AssocQueryStringW(flags, ASSOCSTR_COMMAND, extension, L"open", command, &size) != S_OK) return {};
  return command;
}

// Whether a command's program, as the editor rule reads it, is a file that is there.
bool namesProgramFile(const std::wstring& command) {
  const DWORD attributes = GetFileAttributesW(expandedProgramFromCommand(command).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring expandedProgramFromCommand(std::wstring_view command) {
  const std::wstring program = editorProgramFromCommand(command);
  wchar_t expanded[MAX_PATH * 2] = {};
  const DWORD length = ExpandEnvironmentStringsW(program.c_str(), expanded, MAX_PATH * 2);
  return length > 0 && length <= MAX_PATH * 2 ? std::wstring(expanded) : program;
}

std::wstring openCommandFor(const wchar_t* extension) {
  // Asked as the tool always asked, with the protocol flag. Windows 8 and
  // later read the extension as a protocol's name then, and may answer with
  // nothing or with another program: the file type is asked without the flag.
  std::wstring command = lookUp(ASSOCF_IS_PROTOCOL, extension);
  if (command.empty() || !namesProgramFile(command)) {
    std::wstring ofFileType = lookUp(ASSOCF_NONE, extension);
    if (!ofFileType.empty()) return ofFileType;
  }
  return command;
}

}  // namespace runtime
