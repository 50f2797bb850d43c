// Saves what the screen shows of a window (frame included) as a PNG file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <utility>
#include <vector>

#include "tests/support/png_encoder.h"
#include "tests/support/scratch_folder.h"

namespace testing_support {

inline bool saveScreenshot(HWND window, const std::filesystem::path& file) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  GdiFlush();
  auto* pixels = static_cast<std::uint8_t*>(bits);
  for (int i = 0; i < width * height; ++i) {  // BGRx to opaque RGBA
    std::swap(pixels[4 * i], pixels[4 * i + 2]);
    pixels[4 * i + 3] = 255;
  }
  const std::vector<std::uint8_t> png = encodePng(width, height, pixels);
  std::filesystem::create_directories(file.parent_path());
  const bool written =
      !png.empty() && writeBytes(file, {reinterpret_cast<const char*>(png.data()), png.size()});
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

}  // namespace testing_support
