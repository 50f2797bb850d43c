#include "runtime/png_image.h"

#include <png.h>

#include <algorithm>

namespace runtime {
namespace {

// A 32-bit top-down DIB section and its pixels.
UniqueBitmap makeDib(LONG width, LONG height, void** pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like the PNG rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0));
}

}  // namespace

UniqueBitmap decodePng(std::span<const std::uint8_t> bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
  image.format = PNG_FORMAT_BGRA;
  const auto width = static_cast<LONG>(image.width);
  const auto height = static_cast<LONG>(image.height);

  void* pixels = nullptr;
  UniqueBitmap bitmap = makeDib(width, height, &pixels);
  if (!bitmap || !png_image_finish_read(&image, nullptr, pixels, 0, nullptr)) {
    png_image_free(&image);
    return {};
  }
  auto* bgra = static_cast<std::uint8_t*>(pixels);
  for (LONG i = 0; i < width * height; ++i, bgra += 4) {
    const unsigned alpha = bgra[3];
    for (int c = 0; c < 3; ++c) bgra[c] = static_cast<std::uint8_t>((bgra[c] * alpha + 127) / 255);
  }
  return bitmap;
}

UniqueBitmap scaledBitmap(HBITMAP source, int width, int height) {
  DIBSECTION dib{};
  if (width <= 0 || height <= 0 || GetObjectW(source, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 32 ||
      !dib.dsBm.bmBits)
    return {};
  const int sourceWidth = dib.dsBm.bmWidth, sourceHeight = dib.dsBm.bmHeight;
  void* pixels = nullptr;
  UniqueBitmap scaled = makeDib(width, height, &pixels);
  if (!scaled) return {};
  GdiFlush();
  const auto* from = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
  auto* to = static_cast<std::uint8_t*>(pixels);
  for (int y = 0; y < height; ++y) {
    const int top = y * sourceHeight / height, bottom = std::max(top + 1, (y + 1) * sourceHeight / height);
    for (int x = 0; x < width; ++x, to += 4) {
      const int left = x * sourceWidth / width, right = std::max(left + 1, (x + 1) * sourceWidth / width);
      unsigned sum[4] = {};
      for (int sy = top; sy < bottom; ++sy)
        for (int sx = left; sx < right; ++sx)
          for (int c = 0; c < 4; ++c) sum[c] += from[4 * (sy * sourceWidth + sx) + c];
      const unsigned count = static_cast<unsigned>((bottom - top) * (right - left));
      for (int c = 0; c < 4; ++c) to[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
    }
  }
  return scaled;
}

}  // namespace runtime
