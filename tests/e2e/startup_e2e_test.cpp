// The real executable in a folder of its own, started as the IDE starts it.
#include <gtest/gtest.h>

#include "tests/support/default_config.h"
#include "tests/support/real_input.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/tool_process.h"

namespace {

using testing_support::readBytes;
using testing_support::ScratchFolder;
using testing_support::ToolRun;

class StartupEndToEnd : public ::testing::Test {
 protected:
  StartupEndToEnd() { tool = testing_support::installTool(toolFolder.path()); }
  std::filesystem::path config() const { return toolFolder.file("Wordhop.ini"); }
  std::optional<DWORD> start(std::optional<std::wstring> word = std::nullopt) const {
    return testing_support::runTool(tool, {.word = word,
                                           .mainWindow = std::nullopt,
                                           .currentDirectory = elsewhere.path(),
                                           .timeoutMs = 60000,
                                           .visitSettingsWindow = nullptr});
  }

  ScratchFolder toolFolder;
  ScratchFolder elsewhere;  // the IDE's current directory is not the tool's
  std::filesystem::path tool;
};

TEST_F(StartupEndToEnd, FirstStartWritesTheDefaultFileNextToTheExecutable) {
  EXPECT_EQ(start(), 0u);
  EXPECT_EQ(readBytes(config()), testing_support::kDefaultFile);
  EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
}

TEST_F(StartupEndToEnd, AnExistingFileIsNeverRewrittenWhateverItHolds) {
  const std::string contents[] = {"", "junk \x01\x02\xFF without groups", "[Entries]\n1=1\xD7x\n"};
  for (const std::string& content : contents) {
    testing_support::writeBytes(config(), content);
    EXPECT_EQ(start(), 0u);
    EXPECT_EQ(readBytes(config()), content);
  }
}

// The settings window says, in a balloon, that it cannot read its settings there.
TEST_F(StartupEndToEnd, AFolderNamedLikeTheFileIsLeftAlone) {
  std::filesystem::create_directory(config());
  bool told = false;
  EXPECT_EQ(testing_support::runTool(tool, {.currentDirectory = elsewhere.path(),
                                            .timeoutMs = 60000,
                                            .visitSettingsWindow =
                                                [&](HWND window) {
                                                  told = testing_support::tipTextOf(window).find(
                                                             L"cannot read its settings") != std::wstring::npos;
                                                }}),
            0u);
  EXPECT_TRUE(told);
  EXPECT_TRUE(std::filesystem::is_directory(config()));
  EXPECT_TRUE(std::filesystem::is_empty(config()));
}

TEST_F(StartupEndToEnd, EmptyWordAndUnusableWindowHandleStillEndWithCodeZero) {
  HWND shown = nullptr;
  EXPECT_EQ(testing_support::runTool(tool, {.word = L"",
                                            .mainWindow = L"abc",
                                            .currentDirectory = elsewhere.path(),
                                            .timeoutMs = 60000,
                                            .visitSettingsWindow = [&](HWND window) { shown = window; }}),
            0u);
  EXPECT_NE(shown, nullptr);
  EXPECT_EQ(readBytes(config()), testing_support::kDefaultFile);
}

}  // namespace
