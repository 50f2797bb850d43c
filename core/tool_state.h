// Process-wide state, owned by the entry point and passed by reference.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/search_entry.h"
#include "runtime/library.h"
#include "ui/dpi_scaling.h"

namespace core {

// Functions of comctl32 that old systems lack; each may be null.
struct SubclassFunctions {
  decltype(&SetWindowSubclass) setWindowSubclass = nullptr;
  decltype(&RemoveWindowSubclass) removeWindowSubclass = nullptr;
  decltype(&DefSubclassProc) defSubclassProc = nullptr;
};

struct ToolState {
  std::uint32_t ideMainWindow = 0;
  std::wstring searchWord;
  bool browserMustStart = false;
  bool alreadyDpiAware = false;
  int osVersionCode = 0;
  runtime::Library comctl32;  // keeps the subclass functions loaded
  SubclassFunctions subclassFunctions;
  ui::DpiScaling dpiScaling;
  std::unordered_map<std::wstring, std::int32_t> windowDpis;  // DPI per window number
  std::vector<SearchEntry> entries;
};

}  // namespace core
