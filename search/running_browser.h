// Whether the browser already runs: a visible top-level window whose process
// was started from the browser's executable.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "automation/vimbra_object.h"

namespace search {

// The executable path of a process; empty when it cannot be read.
using ProcessPathLookup = std::function<std::wstring(DWORD processId)>;

// Walks the top-level windows in Z-order after the first one (which is never
// examined), skipping invisible ones; true at the first whose process path
// equals the browser path exactly.
bool browserWindowExists(std::wstring_view browserPath, const ProcessPathLookup& processPath);

// Asks the management service for processes' executable paths. One connection
// serves the whole walk and each process is asked once; a window whose path
// cannot be read gets the empty text, as it would with a fresh connection.
class ManagementProcessPaths {
 public:
  std::wstring operator()(DWORD processId);

 private:
  automation::ObjectPointer service_;
  bool connected_ = false;
  std::map<DWORD, std::wstring> known_;
};

}  // namespace search
