// Replaces the dotted focus rectangle of every control in this process with a
// solid frame, by patching the first bytes of DrawFocusRect to jump to
// drawFocusFrame while the settings window is open.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "runtime/unique_resource.h"

namespace ui {

// The patch jumps to the replacement without touching the stack: the caller's
// stack and arguments stay as they were, and the replacement returns to the
// caller. It is the code before the replacement's address, the address, and
// the code after it.
#if defined(__x86_64__) || defined(_M_X64)
// jmp qword ptr [rip + 0], the address right after it. A push and a ret would
// return to an address no call pushed, for which hardware-enforced stack
// protection (shadow stacks, x64 only) ends the process.
inline constexpr std::array<std::uint8_t, 6> kBeforeAddress{0xFF, 0x25, 0x00, 0x00, 0x00, 0x00};
inline constexpr std::array<std::uint8_t, 0> kAfterAddress{};
#elif defined(__i386__) || defined(_M_IX86)
inline constexpr std::array<std::uint8_t, 1> kBeforeAddress{0xB8};       // mov eax, imm32
inline constexpr std::array<std::uint8_t, 2> kAfterAddress{0x50, 0xC3};  // push eax; ret
#else
#error "the focus hook knows x86 and x64 code only"
#endif
inline constexpr std::size_t kPatchSize = kBeforeAddress.size() + sizeof(void*) + kAfterAddress.size();

struct HookRecord {
  void* target;
  std::uint8_t patchCode[kPatchSize];
  std::uint8_t savedCode[kPatchSize];
};

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
