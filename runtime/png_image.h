// PNG images carried in the executable, decoded into bitmaps for gadgets.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/unique_resource.h"

namespace runtime {

// A 32-bit top-down DIB section with premultiplied alpha (BGRA in memory), as
// image buttons and image lists draw them; none when the bytes are no PNG.
UniqueBitmap decodePng(std::span<const std::uint8_t> bytes);

}  // namespace runtime
