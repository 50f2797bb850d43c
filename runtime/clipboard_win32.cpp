#include <windows.h>

#include <cstring>

#include "runtime/clipboard.h"
#include "runtime/scope_exit.h"
#include "runtime/unique_resource.h"

namespace runtime {
namespace {

// Clipboard history, remote desktop and clipboard managers hold the clipboard
// for a moment after every change: it is asked again this often.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenPause = 20;

// Opens the clipboard for a message-only window of this process, which owns
// it while it is open: opened by no window, the clipboard has no owner after
// EmptyClipboard, and Windows then refuses SetClipboardData.
bool openClipboard(const UniqueWindow& owner) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (attempt) Sleep(kOpenPause);
    if (OpenClipboard(owner.get())) return true;
  }
  return false;
}

UniqueWindow clipboardOwner() {
  return UniqueWindow(
      CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr));
}

}  // namespace

bool putClipboardText(std::wstring_view text) {
  const UniqueWindow owner = clipboardOwner();
  if (!openClipboard(owner)) return false;
  const ScopeExit close(CloseClipboard);
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!memory) return false;
  auto* target = static_cast<wchar_t*>(GlobalLock(memory));
  std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
  target[text.size()] = L'\0';
  GlobalUnlock(memory);
  const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!placed) GlobalFree(memory);  // the clipboard owns it only once it is set
  return placed;
}

std::wstring clipboardText() {
  const UniqueWindow owner = clipboardOwner();
  if (!openClipboard(owner)) return {};
  const ScopeExit close(CloseClipboard);
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* held = static_cast<const wchar_t*>(GlobalLock(data))) {
      text.assign(held, wcsnlen(held, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  return text;
}

}  // namespace runtime
