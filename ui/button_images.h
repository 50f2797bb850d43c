// The six button images that the executable carries as PNG data.
#pragma once

#include "runtime/unique_resource.h"

namespace ui {

inline constexpr int kButtonImageCount = 6;

// Image 0 add, 1 remove, 2 move up, 3 move down, 4 open the file, 5 donation;
// none when the image is missing from the executable.
runtime::UniqueBitmap loadButtonImage(int image);

}  // namespace ui
