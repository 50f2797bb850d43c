#include "runtime/png_image.h"

#include <png.h>


namespace runtime {

UniqueBitmap decodePng(std::span<const std::uint8_t> bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
  image.format = PNG_FORMAT_BGRA;
  const auto width = static_cast<LONG>(image.width);
  const auto height = static_cast<LONG>(image.height);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like the PNG rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
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

}  // namespace runtime
