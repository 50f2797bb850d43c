#include "search/running_browser.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "runtime/library.h"
#include "runtime/unique_resource.h"

namespace search {
namespace {

// The path the system gives for the process's image; none when the process
// cannot be opened or asked.
std::optional<std::wstring> systemProcessPath(SystemImageNameQuery query, DWORD processId) {
  const runtime::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return std::nullopt;
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = static_cast<DWORD>(path.size());
    if (query(process.get(), 0, path.data(), &length)) {
      path.resize(length);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) return std::nullopt;
    path.resize(path.size() * 2);
  }
}

// A path as the file system compares it: short (8.3) names expanded to long
// ones where the file exists, letters upper-cased one by one as Windows does.
// Only a path with a "~" can hold a short name: no other asks the file system.
std::wstring comparablePath(std::wstring_view path) {
  std::wstring result(path);
  if (result.find(L'~') != std::wstring::npos) {
    std::wstring expanded(MAX_PATH, L'\0');
    DWORD length = GetLongPathNameW(result.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
    if (length >= expanded.size()) {
      expanded.resize(length);
      length = GetLongPathNameW(result.c_str(), expanded.data(), length);
    }
    if (length > 0 && length < expanded.size()) result.assign(expanded.data(), length);
  }
  CharUpperBuffW(result.data(), static_cast<DWORD>(result.size()));
  return result;
}

struct BrowserWalk {
  std::wstring browser;
  const ProcessPathLookup& processPath;
  std::vector<DWORD> notTheBrowser{};  // a process has many windows: its path is asked for once
  bool first = true;                   // the first window, the one in front, is not examined
  bool found = false;
};

BOOL CALLBACK examineWindow(HWND window, LPARAM context) {
  BrowserWalk& walk = *reinterpret_cast<BrowserWalk*>(context);
  if (std::exchange(walk.first, false) || !IsWindowVisible(window)) return TRUE;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (std::find(walk.notTheBrowser.begin(), walk.notTheBrowser.end(), processId) != walk.notTheBrowser.end())
    return TRUE;
  walk.found = comparablePath(walk.processPath(processId)) == walk.browser;
  walk.notTheBrowser.push_back(processId);
  return !walk.found;
}

}  // namespace

bool browserWindowExists(std::wstring_view browserPath, const ProcessPathLookup& processPath) {
  BrowserWalk walk{comparablePath(browserPath), processPath};
  // EnumWindows takes the list of top-level windows at once: a walk window by
  // window can stop at one destroyed meanwhile.
  EnumWindows(examineWindow, reinterpret_cast<LPARAM>(&walk));
  return walk.found;
}

SystemImageNameQuery systemImageNameQuery() {
  return RUNTIME_EXPORT(GetModuleHandleW(L"kernel32.dll"), QueryFullProcessImageNameW);
}

ProcessPaths::ProcessPaths()
    : ProcessPaths(systemImageNameQuery(), [service = std::make_shared<ManagementProcessPaths>()](DWORD processId) {
        return (*service)(processId);
      }) {}

ProcessPaths::ProcessPaths(SystemImageNameQuery query, ProcessPathLookup service)
    : query_(query), service_(std::move(service)) {}

std::wstring ProcessPaths::operator()(DWORD processId) {
  std::optional<std::wstring> path = query_ ? systemProcessPath(query_, processId) : std::nullopt;
  return path ? std::move(*path) : service_(processId);
}

std::wstring ManagementProcessPaths::operator()(DWORD processId) {
  if (!connected_) {
    service_ = automation::getObject(L"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2", L"", true);
    connected_ = true;
  }
  std::wstring path;
  if (service_) {
    const std::wstring query =
        L"ExecQuery('Select * from Win32_Process where ProcessID = " + std::to_wstring(processId) + L"')";
    if (automation::EnumerationPointer processes = automation::createEnumeration(*service_, query)) {
      if (automation::ObjectPointer process = automation::nextObject(*processes))
        path = automation::getStringProperty(*process, L"ExecutablePath");
    }
  }
  return path;
}

}  // namespace search
