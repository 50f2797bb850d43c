#include "ui/dpi_rounding.h"

#include <cmath>

#include "core/os_version.h"

namespace ui {

int logicalToPixels(int logical, float scale) {
  return static_cast<int>(std::floor(static_cast<float>(logical) * scale));
}

int roundHalfEven(float value) {
  const float floor = std::floor(value);
  const float fraction = value - floor;
  auto below = static_cast<int>(floor);
  if (fraction > 0.5f) return below + 1;
  if (fraction < 0.5f) return below;
  return below % 2 == 0 ? below : below + 1;
}

int measuredPointSize(int lfHeight, int logPixelsY) {
  if (lfHeight >= 0 || logPixelsY <= 0) return 8;
  return roundHalfEven(static_cast<float>(-lfHeight) * 72.0f / static_cast<float>(logPixelsY));
}

int pointSizeToLoad(int pointSize, int osVersionCode, float scaleY, bool alreadyDpiAware, int percent) {
  if (osVersionCode < core::kOsWindowsVista) return pointSize;
  if (scaleY >= 1.25f && alreadyDpiAware && percent == 100) return pointSize;
  return static_cast<int>(std::floor(static_cast<float>(pointSize) * scaleY));
}

int rescalePercent(int newDpi, int oldDpi) {
  if (newDpi <= 0 || oldDpi <= 0) return -100;
  if (newDpi > oldDpi) return roundHalfEven(static_cast<float>(newDpi) / static_cast<float>(oldDpi) * 100.0f);
  return -roundHalfEven(static_cast<float>(oldDpi) / static_cast<float>(newDpi) * 100.0f);
}

int rescaleLogical(int value, int percent) {
  const float factor = static_cast<float>(percent < 0 ? -percent : percent) / 100.0f;
  const float v = static_cast<float>(value);
  return roundHalfEven(percent < 0 ? v / factor : v * factor);
}

}  // namespace ui
