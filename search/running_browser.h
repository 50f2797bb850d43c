// Whether the browser already runs: a visible top-level window whose process
// was started from the browser's executable.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "automation/vimbra_object.h"

namespace search {

// The executable path of a process; empty when it cannot be read.
using ProcessPathLookup = std::function<std::wstring(DWORD processId)>;

// Walks the top-level windows in Z-order after the first one (which is never
// examined), skipping invisible ones; true at the first whose process path
// names the browser's file as Windows compares names: letter case ignored,
// short (8.3) names taken as their long ones. Each process is asked once.
bool browserWindowExists(std::wstring_view browserPath, const ProcessPathLookup& processPath);

// Asks the management service for a process's executable path, connecting
// at the first question; one connection serves every later one.
class ManagementProcessPaths {
 public:
  std::wstring operator()(DWORD processId);

 private:
  automation::ObjectPointer service_;
  bool connected_ = false;
};

// QueryFullProcessImageNameW, which systems before Vista lack: looked up by
// name, null where it is missing.
using SystemImageNameQuery = decltype(&QueryFullProcessImageNameW);
SystemImageNameQuery systemImageNameQuery();

// The executable path of a process: from the system where it
// lets this process look (QueryFullProcessImageNameW gives the same full path
// the management service does), from the service for the others (another
// user's processes, elevated ones) and for every process where the system
// lacks the function. A path that cannot be read is empty.
class ProcessPaths {
 public:
  ProcessPaths();
  ProcessPaths(SystemImageNameQuery query, ProcessPathLookup service);
  std::wstring operator()(DWORD processId);

 private:
  SystemImageNameQuery query_;
  ProcessPathLookup service_;
};

}  // namespace search
