#include "runtime/shell_command.h"

#include <algorithm>

namespace runtime {

std::wstring browserPathFromCommand(std::wstring_view command) {
  if (!command.empty() && command.front() == L'"') command.remove_prefix(1);
  const std::wstring_view beforeBar = command.substr(0, command.find(L'|'));
  const std::size_t folderEnd = beforeBar.find_last_of(L"\\/");
  const std::wstring_view folder =
      folderEnd == std::wstring_view::npos ? std::wstring_view{} : beforeBar.substr(0, folderEnd + 1);
  const std::size_t lastSlash = command.find_last_of(L"\\/");
  std::wstring_view file = lastSlash == std::wstring_view::npos ? command : command.substr(lastSlash + 1);
  file = file.substr(0, file.find(L'"'));
  return std::wstring(folder) + std::wstring(file);
}

std::wstring editorProgramFromCommand(std::wstring_view command) {
  std::wstring program = browserPathFromCommand(command);
  program.erase(std::min(program.find(L"%1"), program.size()));
  program.erase(program.find_last_not_of(L' ') + 1);
  return program;
}

}  // namespace runtime
