#include <gtest/gtest.h>

#include "app/startup.h"

#include "core/os_version.h"

namespace {

using app::DpiPath;

TEST(DpiPath, FollowsTheVersionCode) {
  struct Case {
    int code;
    DpiPath path;
  } cases[] = {
      {5, DpiPath::none},         {40, DpiPath::none},      {50, DpiPath::systemDpi},   {65, DpiPath::systemDpi},
      {90, DpiPath::systemDpi},   {95, DpiPath::systemDpi}, {100, DpiPath::perMonitor}, {105, DpiPath::perMonitor},
      {110, DpiPath::perMonitor}, {200, DpiPath::none},
  };
  for (const Case& c : cases) EXPECT_EQ(app::dpiPathFor(c.code), c.path) << c.code;
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
      {nullptr, L"", 0},         {L"abc", L"", 0},         {L"123456", L" ", 123456},
      {L"$10", L"WM_PAINT", 16}, {L"4294967297", L"x", 1},
  };
  for (const Case& c : cases) {
    SetEnvironmentVariableW(L"PB_Tool_MainWindow", c.window);
    SetEnvironmentVariableW(L"PB_TOOL_Word", c.word);
    app::ToolState state;
    app::readIdeInputs(state);
    EXPECT_EQ(state.settings.ideMainWindow, c.expectedWindow);
    EXPECT_EQ(state.searchWord, c.word);  // set: the command line is not looked at
    EXPECT_EQ(app::isSearchRun(state.searchWord), *c.word != L'\0');
  }
  SetEnvironmentVariableW(L"PB_Tool_MainWindow", nullptr);
  SetEnvironmentVariableW(L"PB_TOOL_Word", nullptr);
}

TEST(IdeInputs, TheCommandLinesOneArgumentIsTheWordWhenTheVariableIsNotSet) {
  using Arguments = std::vector<std::wstring>;
  struct Case {
    std::optional<std::wstring> variable;
    Arguments arguments;
    const wchar_t* word;
  } cases[] = {
      {L"WM_PAINT", {L"other"}, L"WM_PAINT"},  // the IDE's way wins
      {L"", {L"other"}, L""},                  // set and empty: the settings window, as from the IDE
      {std::nullopt, {L"a#b&c d"}, L"a#b&c d"},
      {std::nullopt, {L" x "}, L" x "},
      {std::nullopt, {L""}, L""},
      {std::nullopt, {L" \t "}, L""},  // blank: the settings window
      {std::nullopt, {}, L""},
      {std::nullopt, {L"a", L"b"}, L""},
  };
  for (const Case& c : cases) EXPECT_EQ(app::searchWordOf(c.variable, c.arguments), c.word) << c.word;
}

// One test, because DPI awareness can be set only once per process.
TEST(DpiAwareness, TheFlagTellsWhetherTheProcessWasAwareBeforeTheTool) {
  // Wine may start processes DPI-aware already; Windows starts them unaware.
  const bool awareAtStart = IsProcessDPIAware();

  app::ToolState untouched;
  untouched.settings.dpi.osVersionCode = 200;
  app::chooseDpiAwareness(untouched);
  EXPECT_EQ(IsProcessDPIAware(), awareAtStart);
  EXPECT_FALSE(untouched.alreadyDpiAware);
  EXPECT_GT(untouched.settings.dpi.dpiScaling.scaleX, 0.0f);

  app::ToolState first;
  first.settings.dpi.osVersionCode = 80;
  app::chooseDpiAwareness(first);
  EXPECT_TRUE(IsProcessDPIAware());
  EXPECT_EQ(first.alreadyDpiAware, awareAtStart);
  EXPECT_EQ(first.settings.dpi.dpiScaling.scaleX * 96.0f,
            static_cast<float>(GetDeviceCaps(GetDC(nullptr), LOGPIXELSX)));
  EXPECT_EQ(first.settings.dpi.subclassFunctions.setWindowSubclass, nullptr);

  app::ToolState second;
  second.settings.dpi.osVersionCode = 95;
  app::chooseDpiAwareness(second);
  EXPECT_TRUE(second.alreadyDpiAware);

  app::ToolState perMonitor;
  perMonitor.settings.dpi.osVersionCode = 110;
  app::chooseDpiAwareness(perMonitor);
  EXPECT_TRUE(perMonitor.alreadyDpiAware);
  EXPECT_NE(perMonitor.settings.dpi.subclassFunctions.setWindowSubclass, nullptr);
  EXPECT_NE(perMonitor.settings.dpi.subclassFunctions.removeWindowSubclass, nullptr);
  EXPECT_NE(perMonitor.settings.dpi.subclassFunctions.defSubclassProc, nullptr);
}

}  // namespace
