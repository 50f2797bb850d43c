// The threading runtime that libstdc++ locks with calls GetTickCount64, which
// kernel32 has only since Vista: imported, it would stop the loader on XP. This
// definition of the import slot takes the library's place, so the tool starts
// on XP and calls the system's function wherever there is one.
#include <windows.h>

#include "runtime/library.h"

namespace {

using TickCount64 = ULONGLONG(WINAPI*)();

// Looked up before main, while one thread runs.
const TickCount64 systemTickCount64 = RUNTIME_EXPORT(GetModuleHandleW(L"kernel32.dll"), GetTickCount64);

ULONGLONG WINAPI tickCount64() {
  // XP: the 32-bit count, which wraps after 49.7 days; the runtime measures
  // only the timeouts of its waits with it.
  return systemTickCount64 ? systemTickCount64() : GetTickCount();
}

}  // namespace

// The slot the calls read the function's address from, under the name the
// import library would give it.
#ifdef _WIN64
TickCount64 importSlot asm("__imp_GetTickCount64") = tickCount64;
#else
TickCount64 importSlot asm("__imp__GetTickCount64@0") = tickCount64;
#endif
