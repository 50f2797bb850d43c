// What the DPI layer keeps for the process: the scale and font chosen at
// start-up, the system's subclassing functions, the DPI of each window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <unordered_map>

#include "runtime/dpi_scaling.h"
#include "runtime/subclassing.h"

namespace ui {

using runtime::SubclassFunctions;

struct DpiState {
  int osVersionCode = 0;
  runtime::DpiScaling dpiScaling;
  SubclassFunctions subclassFunctions;
  std::unordered_map<std::wstring, std::int32_t> windowDpis;  // DPI per window number
};

}  // namespace ui
