// Blocking waits of the tool's only thread.
#pragma once

#include <cstdint>

namespace runtime {

// Blocks for that many milliseconds; nothing ends the wait early. A negative
// time (only a hand-edited file has one) waits nothing.
void waitMilliseconds(std::int32_t milliseconds);

}  // namespace runtime
