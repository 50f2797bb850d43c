// The system's own words for an error code.
#pragma once

#include <cstdint>
#include <string>

namespace runtime {

// The system's description of the error as the system words it (usually
// ending in a line end); empty when the system has none.
std::wstring systemMessage(std::uint32_t error);

}  // namespace runtime
