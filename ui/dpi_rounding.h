// The rounding rules of the DPI layer, in single precision as the layer works.
#pragma once

namespace ui {

// Logical units to pixels: rounded down.
int logicalToPixels(int logical, float scale);
// Everything else: to the nearest integer, halves to the even neighbour.
int roundHalfEven(float value);

// Point size of the default GUI font: -lfHeight * 72 / dpi rounded, 8 for a
// non-negative height.
int measuredPointSize(int lfHeight, int logPixelsY);
// The point size to load: scaled unless the system is older than Vista or the
// process was DPI-aware from its start on a screen measured at 100 percent.
int pointSizeToLoad(int pointSize, int osVersionCode, float scaleY, bool alreadyDpiAware, int percent);

// Rescale percentage for a DPI change: positive when growing, negative when
// shrinking or unchanged.
int rescalePercent(int newDpi, int oldDpi);
// A logical value after a rescale by that percentage.
int rescaleLogical(int value, int percent);

}  // namespace ui
