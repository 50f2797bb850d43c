// Logical units of a 96-dpi screen and their pixels on this screen, and the
// gadget font that matches them: plain data, filled in at start-up.
#pragma once

#include "runtime/unique_resource.h"

namespace runtime {

struct DpiScaling {
  float scaleX = 0;  // pixels per logical unit, horizontally
  float scaleY = 0;
  int startupResolution = 96;  // the screen's vertical DPI as the process saw it at its start
  UniqueFont font;             // default gadget font
  int fontHeight = 0;          // its height as made at start-up (LOGFONT units)
};

}  // namespace runtime
