// What the settings window asks of the world outside it; tests put stand-ins here.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "core/search_entry.h"
#include "resources/version.h"

namespace ui {

inline constexpr wchar_t kWindowTitle[] = L"Wordhop v" WORDHOP_VERSION_TEXT;

struct SettingsServices {
  // Shows a message box and returns the button pressed (IDYES, IDNO).
  std::function<int(std::wstring_view text, UINT flags)> ask;
  // Start-a-program: a program or an address, a parameter, a working folder.
  std::function<void(std::wstring_view, std::wstring_view, std::wstring_view)> startProgram;
  // The address an entry opens, "{word}" standing for the word; none: no tips.
  std::function<std::wstring(const core::SearchEntry&)> previewAddress;
};
SettingsServices systemServices();

}  // namespace ui
