// A save that is killed halfway must leave the old or the new file, never a mix.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <random>

#include "tests/support/process_start.h"
#include "tests/support/scratch_folder.h"
#include "tests/win/save_loop_contents.h"

namespace {

using testing_support::readBytes;

TEST(TornFile, KilledSavesLeaveEitherTheOldOrTheNewContent) {
  testing_support::ScratchFolder folder;
  const auto config = folder.file("Wordhop.ini");
  testing_support::writeBytes(config, saveLoopFile(0));
  const char* helper = std::getenv("WORDHOP_SAVE_LOOP_HELPER");
  ASSERT_NE(helper, nullptr);
  std::wstring commandLine = L"\"" + std::filesystem::path(helper).wstring() + L"\" \"" + config.wstring() + L"\"";

  std::mt19937 random(20261207);
  std::uniform_int_distribution<DWORD> delayMs(0, 120);
  const std::string valid[] = {saveLoopFile(0), saveLoopFile(1)};
  int kills = 0, sawSecond = 0;
  for (int round = 0; round < 500; ++round) {
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(testing_support::startProcess(nullptr, commandLine, nullptr, process))
        << "round " << round << ": error " << GetLastError();
    Sleep(delayMs(random));
    if (TerminateProcess(process.hProcess, 1)) ++kills;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    const std::string bytes = readBytes(config);
    const bool intact = bytes == valid[0] || bytes == valid[1];
    ASSERT_TRUE(intact) << "round " << round << ": " << bytes.size() << " bytes, exists "
                        << std::filesystem::exists(config) << ", scratch "
                        << std::filesystem::exists(folder.file("Wordhop.ini.saving"));
    sawSecond += bytes == valid[1];
  }
  EXPECT_EQ(kills, 500);
  EXPECT_GT(sawSecond, 0);  // the helper really saved in between
}

}  // namespace
