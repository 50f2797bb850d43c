// Whether the program runs under Wine, where some of the system's answers differ.
#pragma once

#include <windows.h>

namespace testing_support {

inline bool runningUnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

}  // namespace testing_support
