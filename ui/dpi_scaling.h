// Logical units of a 96-dpi screen and their pixels on this screen, and the
// gadget font that matches them.
#pragma once

#include "runtime/unique_resource.h"

namespace ui {

struct DpiScaling {
  float scaleX = 0;  // pixels per logical unit, horizontally
  float scaleY = 0;
  int startupResolution = 96;  // the screen's vertical DPI as the process saw it at its start
  runtime::UniqueFont font;    // default gadget font
  int fontHeight = 0;          // its height as made at start-up (LOGFONT units)
};

// The screen's vertical resolution before any DPI awareness is requested
// (96 when it cannot be measured); fonts are sized against it.
int measureStartupResolution();

// percent 0 measures the screen; any other value is a fixed scale in percent.
// Also chooses the default gadget font.
void setupDpiScaling(DpiScaling& scaling, int percent, int osVersionCode, bool alreadyDpiAware);

}  // namespace ui
