#include <windows.h>

#include <cstring>

#include "runtime/clipboard.h"

namespace runtime {

bool putClipboardText(std::wstring_view text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  bool placed = false;
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    target[text.size()] = L'\0';
    GlobalUnlock(memory);
    placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!placed) GlobalFree(memory);  // the clipboard owns it only once it is set
  }
  CloseClipboard();
  return placed;
}

std::wstring clipboardText() {
  if (!OpenClipboard(nullptr)) return {};
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* held = static_cast<const wchar_t*>(GlobalLock(data))) {
      text.assign(held, wcsnlen(held, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace runtime
