#include "search/running_browser.h"

namespace search {

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

std::wstring ManagementProcessPaths::operator()(DWORD processId) {
  if (auto it = known_.find(processId); it != known_.end()) return it->second;
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
  return known_[processId] = path;
}

}  // namespace search
