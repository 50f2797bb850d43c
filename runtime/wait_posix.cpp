#include <chrono>
#include <thread>

#include "runtime/wait.h"

namespace runtime {

void waitMilliseconds(std::int32_t milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace runtime
