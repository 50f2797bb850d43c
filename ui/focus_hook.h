// Replaces the dotted focus rectangle of every control in this process with a
// solid frame, by patching the first bytes of DrawFocusRect to jump to
// drawFocusFrame while the settings window is open.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/unique_resource.h"

namespace ui {

// The patch loads the replacement's address into a register that the caller
// does not expect preserved, pushes it and returns to it: the caller's stack
// and arguments stay as they were, and the replacement returns to the caller.
#if defined(__x86_64__) || defined(_M_X64)
inline constexpr std::uint8_t kLoadAddressOpcode[] = {0x48, 0xB8};  // mov rax, imm64
#elif defined(__i386__) || defined(_M_IX86)
inline constexpr std::uint8_t kLoadAddressOpcode[] = {0xB8};  // mov eax, imm32
#else
#error "the focus hook knows x86 and x64 code only"
#endif
inline constexpr std::uint8_t kPushAndReturn[] = {0x50, 0xC3};  // push eax/rax; ret
inline constexpr std::size_t kPatchSize = sizeof kLoadAddressOpcode + sizeof(void*) + sizeof kPushAndReturn;

struct HookRecord {
  void* target;
  std::uint8_t patchCode[kPatchSize];
  std::uint8_t savedCode[kPatchSize];
};

// The named export of a module of this process, loading the module when needed; null when missing.
void* lookupFunction(const wchar_t* moduleName, const char* functionName);

// Patches the target to jump to the replacement; null when the target is null
// or the patch cannot be written.
HookRecord* installFocusHook(void* target, void* replacement);

// Writes the saved bytes back and frees the record; the target, or null when
// there was nothing to restore or the write failed (the record then stays).
void* removeFocusHook(HookRecord* record);

// Owns an installed hook: the patch comes out when the owner goes, however
// the scope is left. Empty when installation failed.
using FocusHook = runtime::UniqueResource<runtime::NullIsNone<HookRecord*, &removeFocusHook>>;

// Sends the process's DrawFocusRect to drawFocusFrame.
FocusHook installFocusFrame();

// Frames the rectangle, enlarged by one pixel on every side (the caller's
// rectangle stays enlarged), in the active border's colour; returns 0.
int WINAPI drawFocusFrame(HDC dc, RECT* rect);

}  // namespace ui
