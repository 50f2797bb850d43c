#include "ui/focus_hook.h"

#include <algorithm>
#include <cstring>

#include "runtime/library.h"

namespace ui {
namespace {

bool writeOwnCode(void* target, const std::uint8_t* bytes) {
  SIZE_T written = 0;
  const bool ok = WriteProcessMemory(GetCurrentProcess(), target, bytes, kPatchSize, &written) && written == kPatchSize;
  if (ok) FlushInstructionCache(GetCurrentProcess(), target, kPatchSize);
  return ok;
}

}  // namespace

HookRecord* installFocusHook(void* target, void* replacement) {
  if (!target) return nullptr;
  auto* record = new HookRecord;
  record->target = target;
  std::uint8_t* code = record->patchCode;
  code = std::copy(kBeforeAddress.begin(), kBeforeAddress.end(), code);
  auto address = reinterpret_cast<std::uintptr_t>(replacement);
  for (std::size_t byte = 0; byte < sizeof address; ++byte, address >>= 8)  // least significant first
    *code++ = static_cast<std::uint8_t>(address);
  std::copy(kAfterAddress.begin(), kAfterAddress.end(), code);
  std::memcpy(record->savedCode, target, kPatchSize);
  if (!writeOwnCode(target, record->patchCode)) {
    delete record;
    return nullptr;
  }
  return record;
}

void* removeFocusHook(HookRecord* record) {
  if (!record || !record->target) return nullptr;
  if (!writeOwnCode(record->target, record->savedCode)) return nullptr;
  void* target = record->target;
  delete record;
  return target;
}

FocusHook installFocusFrame() {
  return FocusHook(installFocusHook(runtime::lookupFunction(L"user32.dll", "DrawFocusRect"),
                                    reinterpret_cast<void*>(&drawFocusFrame)));
}

int WINAPI drawFocusFrame(HDC dc, RECT* rect) {
  InflateRect(rect, 1, 1);
  FrameRect(dc, rect, GetSysColorBrush(COLOR_ACTIVEBORDER));
  return 0;
}

}  // namespace ui
