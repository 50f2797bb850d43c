// "Add to the PureBasic IDE...": puts this program into the IDE's Tools menu
// with one question, so that no one has to fill in the IDE's tool dialog.
#pragma once

#include <string>

#include "ui/settings_notices.h"

namespace ui {

// The window menu's command for it (below the system's own, a multiple of 16).
inline constexpr UINT kAddToIdeCommand = 0x0010;

// Puts the command, saying `text`, at the end of the window's menu (Alt+Space).
void addIdeMenuItem(HWND window, const std::wstring& text);
void addToPureBasicIde(const SettingsNotices& notices);

}  // namespace ui
