// Window handles that travel as numbers, as the handle of a window another
// process hands over in an environment variable.
#pragma once

#include <windows.h>

#include <cstdint>

namespace runtime {

// Window handles carry 32 significant bits on every Windows; a 64-bit process
// widens them with the sign, as the system does between 32- and 64-bit programs.
inline HWND windowFromNumber(std::uint32_t number) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(number)));
}

}  // namespace runtime
