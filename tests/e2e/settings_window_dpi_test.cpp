// The real executable's settings window on a screen of the DPI that the test
// prefix is set to (WORDHOP_DPI): its size measured from outside, and a
// screenshot kept in the build tree (WORDHOP_SCREENSHOTS).
#include <gtest/gtest.h>
#include <png.h>
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "tests/support/tool_process.h"
#include "ui/dpi_rounding.h"

namespace {

int expectedDpi() {
  const char* dpi = std::getenv("WORDHOP_DPI");
  return dpi ? std::atoi(dpi) : 96;
}

// The window as it is on the screen, frame included, as a PNG file.
bool saveScreenshot(HWND window, const std::filesystem::path& file) {
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
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_BGRA;
  auto* pixels = static_cast<std::uint8_t*>(bits);
  for (int i = 0; i < width * height; ++i) pixels[4 * i + 3] = 255;
  std::filesystem::create_directories(file.parent_path());
  const bool written = png_image_write_to_file(&image, file.string().c_str(), 0, bits, 0, nullptr);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

TEST(SettingsWindowOnScreen, ClientAreaAndListFollowTheScreensDpi) {
  const int dpi = expectedDpi();
  const float scale = static_cast<float>(dpi) / 96.0f;
  testing_support::ScratchFolder folder;
  const auto tool = testing_support::installTool(folder.path());
  RECT client{}, list{};
  bool shot = false;
  const char* shots = std::getenv("WORDHOP_SCREENSHOTS");
  auto visit = [&](HWND window) {
    GetClientRect(window, &client);
    HWND entryList = GetDlgItem(window, 1);
    GetWindowRect(entryList, &list);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&list), 2);
    shot = shots && saveScreenshot(window, std::filesystem::path(shots) / ("settings_window_" + std::to_string(dpi) + "dpi.png"));
  };
  EXPECT_EQ(testing_support::runTool(tool, {.word = std::nullopt,
                                            .mainWindow = std::nullopt,
                                            .currentDirectory = folder.path(),
                                            .timeoutMs = 60000,
                                            .visitSettingsWindow = visit}),
            0u);
  EXPECT_EQ(client.right, ui::logicalToPixels(480, scale));
  EXPECT_EQ(client.bottom, ui::logicalToPixels(310, scale));
  EXPECT_EQ(list.left, ui::logicalToPixels(5, scale));
  EXPECT_EQ(list.top, ui::logicalToPixels(35, scale));
  EXPECT_EQ(list.right - list.left, ui::logicalToPixels(470, scale));
  EXPECT_EQ(list.bottom - list.top, ui::logicalToPixels(198, scale));
  EXPECT_TRUE(shot);
}

}  // namespace
