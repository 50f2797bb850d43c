// Process-wide state, owned by the entry point; each subsystem is handed only
// its own part of it.
#pragma once

#include <string>

#include "runtime/library.h"
#include "ui/settings_window.h"

namespace app {

struct ToolState {
  std::wstring searchWord;
  bool browserMustStart = false;
  bool alreadyDpiAware = false;
  runtime::Library comctl32;   // keeps the subclass functions loaded
  ui::SettingsState settings;  // the IDE's window and the DPI layer's state
};

}  // namespace app
