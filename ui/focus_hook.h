// Replaces the dotted focus rectangle of every control in this process with a
// solid frame, by patching the first bytes of DrawFocusRect to jump to
// drawFocusFrame while the settings window is open. 32-bit x86 only.
#pragma once

#include <windows.h>

#include <cstdint>

namespace ui {

inline constexpr std::size_t kPatchSize = 7;

struct HookRecord {
  void* target;
  std::uint8_t patchCode[kPatchSize];  // mov eax, replacement; push eax; ret
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

// Frames the rectangle, enlarged by one pixel on every side (the caller's
// rectangle stays enlarged), in the active border's colour; returns 0.
int WINAPI drawFocusFrame(HDC dc, RECT* rect);

}  // namespace ui
