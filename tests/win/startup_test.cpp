#include <gtest/gtest.h>

#include "core/os_version.h"
#include "core/startup.h"

namespace {

using core::DpiPath;

TEST(DpiPath, FollowsTheVersionCode) {
  struct Case {
    int code;
    DpiPath path;
  } cases[] = {
      {5, DpiPath::none},        {40, DpiPath::none},       {50, DpiPath::systemDpi},  {65, DpiPath::systemDpi},
      {90, DpiPath::systemDpi},  {95, DpiPath::systemDpi},  {100, DpiPath::perMonitor}, {105, DpiPath::perMonitor},
      {110, DpiPath::perMonitor}, {200, DpiPath::none},
  };
  for (const Case& c : cases) EXPECT_EQ(core::dpiPathFor(c.code), c.path) << c.code;
}

TEST(OsVersionQuery, TheRunningSystemHasAKnownCode) {
  core::OsVersion version = core::queryOsVersion();
  EXPECT_TRUE(version.known);
  EXPECT_EQ(version.platform, core::OsPlatform::windowsNt);
  EXPECT_NE(core::osVersionCode(version), 200);
}

TEST(IdeInputs, AreTakenFromTheEnvironment) {
  struct Case {
    const wchar_t* window;
    const wchar_t* word;
    std::uint32_t expectedWindow;
  } cases[] = {
      {nullptr, nullptr, 0}, {L"abc", L"", 0}, {L"123456", L" ", 123456}, {L"$10", L"WM_PAINT", 16},
      {L"4294967297", L"x", 1},
  };
  for (const Case& c : cases) {
    SetEnvironmentVariableW(L"PB_Tool_MainWindow", c.window);
    SetEnvironmentVariableW(L"PB_TOOL_Word", c.word);
    core::ToolState state;
    core::readIdeInputs(state);
    EXPECT_EQ(state.ideMainWindow, c.expectedWindow);
    EXPECT_EQ(state.searchWord, c.word ? c.word : L"");
    EXPECT_EQ(core::isSearchRun(state.searchWord), c.word && *c.word);
  }
  SetEnvironmentVariableW(L"PB_Tool_MainWindow", nullptr);
  SetEnvironmentVariableW(L"PB_TOOL_Word", nullptr);
}

// One test, because DPI awareness can be set only once per process.
TEST(DpiAwareness, TheFlagTellsWhetherTheProcessWasAwareBeforeTheTool) {
  // Wine may start processes DPI-aware already; Windows starts them unaware.
  const bool awareAtStart = IsProcessDPIAware();

  core::ToolState untouched;
  untouched.osVersionCode = 200;
  core::chooseDpiAwareness(untouched);
  EXPECT_EQ(IsProcessDPIAware(), awareAtStart);
  EXPECT_FALSE(untouched.alreadyDpiAware);
  EXPECT_GT(untouched.dpiScaling.scaleX, 0.0f);

  core::ToolState first;
  first.osVersionCode = 80;
  core::chooseDpiAwareness(first);
  EXPECT_TRUE(IsProcessDPIAware());
  EXPECT_EQ(first.alreadyDpiAware, awareAtStart);
  EXPECT_EQ(first.dpiScaling.scaleX * 96.0f, static_cast<float>(GetDeviceCaps(GetDC(nullptr), LOGPIXELSX)));
  EXPECT_EQ(first.subclassFunctions.setWindowSubclass, nullptr);

  core::ToolState second;
  second.osVersionCode = 95;
  core::chooseDpiAwareness(second);
  EXPECT_TRUE(second.alreadyDpiAware);

  core::ToolState perMonitor;
  perMonitor.osVersionCode = 110;
  core::chooseDpiAwareness(perMonitor);
  EXPECT_TRUE(perMonitor.alreadyDpiAware);
  EXPECT_NE(perMonitor.subclassFunctions.setWindowSubclass, nullptr);
  EXPECT_NE(perMonitor.subclassFunctions.removeWindowSubclass, nullptr);
  EXPECT_NE(perMonitor.subclassFunctions.defSubclassProc, nullptr);
}

}  // namespace
