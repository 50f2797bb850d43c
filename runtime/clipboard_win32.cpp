#include <windows.h>

#include <cstring>

#include "runtime/clipboard.h"
#include "runtime/unique_resource.h"

namespace runtime {
namespace {

// Clipboard history, remote desktop and clipboard managers hold the clipboard
// for a moment after every change: it is asked again this often.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenPause = 20;

// A message-only window of this process owns the clipboard while it is open:
// opened by no window, the clipboard has no owner after EmptyClipboard, and
// Windows then refuses SetClipboardData.
class OpenedClipboard {
 public:
  OpenedClipboard()
      : owner_(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                               nullptr)) {
    for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
      if (attempt) Sleep(kOpenPause);
      open_ = OpenClipboard(owner_.get()) != FALSE;
    }
  }
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  explicit operator bool() const { return open_; }

 private:
  UniqueWindow owner_;
  bool open_ = false;
};

}  // namespace

bool putClipboardText(std::wstring_view text) {
  const OpenedClipboard clipboard;
  if (!clipboard) return false;
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
  const OpenedClipboard clipboard;
  if (!clipboard) return {};
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
