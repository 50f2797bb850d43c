// The real executable's settings window on the screen's DPI, which the window
// itself tells (under Wine the test prefix is set to WORDHOP_DPI): its size
// measured from outside by a program that is DPI-aware itself, so that the
// system shows it the real pixels, and a screenshot kept in the build tree
// (WORDHOP_SCREENSHOTS).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "tests/support/screenshot.h"
#include "tests/support/tool_process.h"
#include "ui/dpi_rounding.h"
#include "ui/gadget_numbers.h"

namespace {

TEST(SettingsWindowOnScreen, ClientAreaAndListFollowTheScreensDpi) {
  int dpi = 0;
  testing_support::ScratchFolder folder;
  const auto tool = testing_support::installTool(folder.path());
  RECT client{}, list{};
  bool shot = false;
  const char* shots = std::getenv("WORDHOP_SCREENSHOTS");
  auto visit = [&](HWND window) {
    dpi = static_cast<int>(GetDpiForWindow(window));
    GetClientRect(window, &client);
    HWND entryList = GetDlgItem(window, ui::entryList);
    GetWindowRect(entryList, &list);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&list), 2);
    shot = shots && testing_support::saveScreenshot(
                        window, std::filesystem::path(shots) / ("settings_window_" + std::to_string(dpi) + "dpi.png"));
  };
  EXPECT_EQ(testing_support::runTool(tool, {.word = std::nullopt,
                                            .mainWindow = std::nullopt,
                                            .currentDirectory = folder.path(),
                                            .timeoutMs = 60000,
                                            .visitSettingsWindow = visit}),
            0u);
  if (const char* prefixDpi = std::getenv("WORDHOP_DPI")) {
    EXPECT_EQ(dpi, std::atoi(prefixDpi));
  }
  const float scale = static_cast<float>(dpi) / 96.0f;
  EXPECT_EQ(client.right, ui::logicalToPixels(480, scale));
  EXPECT_EQ(client.bottom, ui::logicalToPixels(310, scale));
  EXPECT_EQ(list.left, ui::logicalToPixels(5, scale));
  EXPECT_EQ(list.top, ui::logicalToPixels(35, scale));
  EXPECT_EQ(list.right - list.left, ui::logicalToPixels(470, scale));
  EXPECT_EQ(list.bottom - list.top, ui::logicalToPixels(198, scale));
  EXPECT_TRUE(shot);
}

// Started by a German or French IDE, the window speaks its language: a
// screenshot of each at 144 dpi, where texts are widest, is kept.
TEST(SettingsWindowOnScreen, SpeaksTheIdesLanguage) {
  const char* prefixDpi = std::getenv("WORDHOP_DPI");
  if (prefixDpi && std::atoi(prefixDpi) != 144) GTEST_SKIP() << "the languages are shown at 144 dpi";
  const char* shots = std::getenv("WORDHOP_SCREENSHOTS");
  for (const auto& language : {std::pair{L"Deutsch", L"Browserstart:"}, {L"Francais", L"D\u00E9marrage:"}}) {
    const std::wstring ide = language.first;
    testing_support::ScratchFolder folder;
    const auto tool = testing_support::installTool(folder.path());
    wchar_t shown[64] = {};
    bool shot = false;
    auto visit = [&](HWND window) {
      GetWindowTextW(GetDlgItem(window, ui::browserStartLabel), shown, 64);
      const std::wstring name = L"settings_window_144dpi_" + ide + L".png";
      shot = shots && testing_support::saveScreenshot(window, std::filesystem::path(shots) / name);
    };
    EXPECT_EQ(testing_support::runTool(tool, {.word = std::nullopt,
                                              .mainWindow = std::nullopt,
                                              .currentDirectory = folder.path(),
                                              .timeoutMs = 60000,
                                              .visitSettingsWindow = visit,
                                              .language = ide}),
              0u);
    EXPECT_STREQ(shown, language.second);
    EXPECT_TRUE(shot);
  }
}

}  // namespace
