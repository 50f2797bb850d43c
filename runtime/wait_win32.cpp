#include <windows.h>

#include "runtime/unique_resource.h"
#include "runtime/wait.h"

namespace runtime {

void waitMilliseconds(std::int32_t milliseconds) {
  if (milliseconds <= 0) return;
  // A timed wait on an event that nobody signals.
  UniqueHandle never(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (never) WaitForSingleObject(never.get(), static_cast<DWORD>(milliseconds));
  else Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace runtime
