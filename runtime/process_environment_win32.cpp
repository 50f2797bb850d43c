#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>

#include "runtime/process_environment.h"
#include "runtime/unique_resource.h"

namespace runtime {
namespace {

// Calls `read(buffer, size)`, which returns the length it wrote or, when the
// buffer is too small, the size it needs (the system's usual convention).
template <typename Read>
std::wstring readGrowing(Read read) {
  std::wstring text(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = read(text.data(), static_cast<DWORD>(text.size()));
    if (length == 0) return {};
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(length > text.size() ? length : text.size() * 2);
  }
}

}  // namespace

std::optional<std::wstring> environmentValue(const wchar_t* name) {
  SetLastError(ERROR_SUCCESS);
  std::wstring value =
      readGrowing([name](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name, buffer, size); });
  if (value.empty() && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
  return value;
}

std::vector<std::wstring> commandLineArguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return {};
  std::vector<std::wstring> list(arguments + std::min(count, 1), arguments + count);
  LocalFree(arguments);
  return list;
}

std::wstring currentDirectory() {
  return readGrowing([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

std::wstring executablePath() {
  // GetModuleFileNameW fills the buffer and returns its size when the path
  // does not fit: the size is doubled until it does.
  return readGrowing([](wchar_t* buffer, DWORD size) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
    return length == size ? size : length;
  });
}

std::wstring fullPath(const std::wstring& path) {
  const std::wstring full = readGrowing(
      [&path](wchar_t* buffer, DWORD size) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
  return full.empty() ? path : full;
}

bool processRunning(std::wstring_view imageName, unsigned long notStartedBy) {
  const UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));  // INVALID_HANDLE_VALUE on failure
  if (!snapshot) return false;
  const std::wstring wanted(imageName);
  PROCESSENTRY32W process{};
  process.dwSize = sizeof process;
  for (BOOL more = Process32FirstW(snapshot.get(), &process); more; more = Process32NextW(snapshot.get(), &process))
    if (lstrcmpiW(process.szExeFile, wanted.c_str()) == 0 &&
        (!notStartedBy || process.th32ParentProcessID != notStartedBy))
      return true;
  return false;
}

}  // namespace runtime
