#include "ui/dpi_setup.h"
#include <windows.h>

#include "ui/dpi_rounding.h"

namespace ui {

int measureStartupResolution() {
  HDC screen = GetDC(nullptr);
  const int resolution = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return resolution > 0 ? resolution : 96;
}

void setupDpiScaling(runtime::DpiScaling& scaling, int percent, int osVersionCode, bool alreadyDpiAware) {
  HDC screen = GetDC(nullptr);
  const int logPixelsY = GetDeviceCaps(screen, LOGPIXELSY);
  if (percent == 0) {
    scaling.scaleX = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSX)) / 96.0f;
    scaling.scaleY = static_cast<float>(logPixelsY) / 96.0f;
    percent = 100;
  } else {
    scaling.scaleX = scaling.scaleY = static_cast<float>(percent) / 100.0f;
  }
  LOGFONTW guiFont{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
  const int measured = measuredPointSize(guiFont.lfHeight, logPixelsY);
  ReleaseDC(nullptr, screen);

  const int points = pointSizeToLoad(measured, osVersionCode, scaling.scaleY, alreadyDpiAware, percent);
  scaling.fontHeight = -MulDiv(points, scaling.startupResolution, 72);
  scaling.font.reset(CreateFontW(scaling.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 guiFont.lfFaceName));
}

}  // namespace ui
