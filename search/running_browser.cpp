#include "search/running_browser.h"

#include <optional>

#include "runtime/unique_resource.h"

namespace search {
namespace {

// The path the system gives for the process's image; none when the process
// cannot be opened or asked.
std::optional<std::wstring> systemProcessPath(DWORD processId) {
  const runtime::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return std::nullopt;
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) {
      path.resize(length);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) return std::nullopt;
    path.resize(path.size() * 2);
  }
}

}  // namespace

bool browserWindowExists(std::wstring_view browserPath, const ProcessPathLookup& processPath) {
  for (HWND window = GetWindow(FindWindowW(nullptr, nullptr), GW_HWNDNEXT); window;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (!IsWindowVisible(window)) continue;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processPath(processId) == browserPath) return true;
  }
  return false;
}

std::wstring ProcessPaths::operator()(DWORD processId) {
  if (auto it = known_.find(processId); it != known_.end()) return it->second;
  std::optional<std::wstring> path = systemProcessPath(processId);
  return known_[processId] = path ? std::move(*path) : service_(processId);
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
