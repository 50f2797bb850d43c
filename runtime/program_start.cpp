#include "runtime/program_start.h"

namespace runtime {

std::wstring commandLineFor(std::wstring_view program, std::wstring_view parameter) {
  std::wstring line =
      !program.empty() && program.front() == L'"' ? std::wstring(program) : L"\"" + std::wstring(program) + L"\"";
  if (!parameter.empty()) line += L" " + std::wstring(parameter);
  return line;
}

std::wstring shellFolderFor(std::wstring_view program) {
  const std::size_t backslash = program.find_last_of(L'\\');
  if (backslash == std::wstring_view::npos || backslash == 0) return {};
  return std::wstring(program.substr(0, backslash + 1));
}

}  // namespace runtime
