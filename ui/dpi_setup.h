// Measuring the screen and choosing the scale and the gadget font.
#pragma once

#include "runtime/dpi_scaling.h"

namespace ui {

// The screen's vertical resolution before any DPI awareness is requested
// (96 when it cannot be measured); fonts are sized against it.
int measureStartupResolution();

// percent 0 measures the screen; any other value is a fixed scale in percent.
// Also chooses the default gadget font.
void setupDpiScaling(runtime::DpiScaling& scaling, int percent, int osVersionCode, bool alreadyDpiAware);

}  // namespace ui
