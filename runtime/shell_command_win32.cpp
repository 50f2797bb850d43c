#include <windows.h>

#include <shlwapi.h>

#include "runtime/shell_command.h"

namespace runtime {

std::wstring openCommandFor(const wchar_t* extension) {
  wchar_t command[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (AssocQueryStringW(ASSOCF_IS_PROTOCOL, ASSOCSTR_COMMAND, extension, L"open", command, &size) != S_OK) return {};
  return command;
}

}  // namespace runtime
