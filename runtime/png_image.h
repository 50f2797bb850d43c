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

// A copy of such a bitmap at another size (each pixel the average of the
// source pixels it covers); none when the source is no 32-bit DIB section.
UniqueBitmap scaledBitmap(HBITMAP source, int width, int height);

}  // namespace runtime
