#include "runtime/shell_command.h"

#include <algorithm>

namespace runtime {

ShellCommand splitCommand(std::wstring_view command, const std::function<bool(const std::wstring&)>& isFile) {
  command.remove_prefix(std::min(command.find_first_not_of(L' '), command.size()));
  std::size_t end = 0;  // where the program's text ends
  std::wstring program;
  if (!command.empty() && command.front() == L'"') {
    end = std::min(command.find(L'"', 1), command.size());
    program = command.substr(1, end - 1);
    end = std::min(end + 1, command.size());
  } else {
    end = std::min(command.find(L' '), command.size());
    for (std::size_t space = command.size();; space = command.rfind(L' ', space - 1)) {
      if (space == std::wstring_view::npos || space <= end) break;
      if (isFile(std::wstring(command.substr(0, space)))) {
        end = space;
        break;
      }
    }
    program = command.substr(0, end);
  }
  std::wstring_view arguments = command.substr(end);
  arguments.remove_prefix(std::min(arguments.find_first_not_of(L' '), arguments.size()));
  return {std::move(program), std::wstring(arguments)};
}

std::wstring argumentsFor(std::wstring_view arguments, std::wstring_view file) {
  std::wstring result;
  bool placed = false;
  for (std::size_t at = 0; at < arguments.size();) {
    const bool placeholder = arguments[at] == L'%' && at + 1 < arguments.size() &&
                             (arguments[at + 1] == L'1' || arguments[at + 1] == L'L' || arguments[at + 1] == L'l');
    if (!placeholder) {
      result += arguments[at++];
      continue;
    }
    const bool inQuotes = at > 0 && arguments[at - 1] == L'"' && at + 2 < arguments.size() && arguments[at + 2] == L'"';
    result += inQuotes ? std::wstring(file) : L"\"" + std::wstring(file) + L"\"";
    placed = true;
    at += 2;
  }
  if (!placed) result += (result.empty() ? L"\"" : L" \"") + std::wstring(file) + L"\"";
  return result;
}

}  // namespace runtime
