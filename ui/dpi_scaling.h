// Logical units of a 96-dpi screen and their pixels on this screen.
#pragma once

namespace ui {

struct DpiScaling {
  float scaleX = 0;  // pixels per logical unit, horizontally
  float scaleY = 0;
};

// percent 0 measures the screen; any other value is a fixed scale in percent.
void setupDpiScaling(DpiScaling& scaling, int percent);

}  // namespace ui
