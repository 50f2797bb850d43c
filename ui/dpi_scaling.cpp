#include "ui/dpi_scaling.h"

#include <windows.h>

namespace ui {

void setupDpiScaling(DpiScaling& scaling, int percent) {
  if (percent != 0) {
    scaling.scaleX = scaling.scaleY = static_cast<float>(percent) / 100.0f;
    return;
  }
  HDC screen = GetDC(nullptr);
  scaling.scaleX = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSX)) / 96.0f;
  scaling.scaleY = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSY)) / 96.0f;
  ReleaseDC(nullptr, screen);
}

}  // namespace ui
