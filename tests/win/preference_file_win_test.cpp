// The store against real Windows files: share modes, attributes, locked files.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/preference_file.h"
#include "runtime/unique_resource.h"
#include "tests/support/scratch_folder.h"

namespace {

using core::PreferenceFile;
using testing_support::readBytes;
using testing_support::ScratchFolder;
using testing_support::writeBytes;

constexpr std::string_view kOriginal = "\xEF\xBB\xBF\r\n[Browser]\r\nTabDelay = 500\r\n";

class PreferenceFileWinTest : public ::testing::Test {
 protected:
  PreferenceFileWinTest() { writeBytes(path(), kOriginal); }
  std::filesystem::path path() const { return folder.file("Wordhop.ini"); }
  std::wstring name() const { return path().wstring(); }
  runtime::UniqueFileHandle openWith(DWORD access, DWORD share) const {
    return runtime::UniqueFileHandle(
        CreateFileW(name().c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  // Opens, reads TabDelay, writes it as `value`, closes; returns what was read.
  int changeTabDelay(int value) const {
    PreferenceFile file;
    file.open(name());
    file.selectGroup(L"Browser");
    int read = file.readInteger(L"TabDelay", -1);
    file.writeInteger(L"TabDelay", value);
    file.close();
    return read;
  }

  ScratchFolder folder;
};

TEST_F(PreferenceFileWinTest, ReadOnlyFileLoadsButDropsEverySave) {
  SetFileAttributesW(name().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(changeTabDelay(7), 500);
  SetFileAttributesW(name().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(readBytes(path()), kOriginal);
}

TEST_F(PreferenceFileWinTest, FileHeldWithoutSharingReadsDefaultsAndIsNotOverwritten) {
  {
    runtime::UniqueFileHandle holder = openWith(GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_TRUE(holder);
    EXPECT_EQ(changeTabDelay(7), -1);
  }
  EXPECT_EQ(readBytes(path()), kOriginal);
}

TEST_F(PreferenceFileWinTest, FileOpenedByAWriterIsReadOnlyForTheStore) {
  {
    runtime::UniqueFileHandle writer = openWith(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer);
    EXPECT_EQ(changeTabDelay(7), 500);
  }
  EXPECT_EQ(readBytes(path()), kOriginal);
}

TEST_F(PreferenceFileWinTest, WhileOpenOthersMayReadButNotWrite) {
  PreferenceFile file;
  ASSERT_TRUE(file.open(name()));
  EXPECT_TRUE(openWith(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
  EXPECT_FALSE(openWith(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
  file.close();
  EXPECT_TRUE(openWith(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
}

TEST_F(PreferenceFileWinTest, AReaderHoldingTheFileDoesNotLoseTheSave) {
  runtime::UniqueFileHandle reader = openWith(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(reader);
  changeTabDelay(9);
  reader.reset();
  EXPECT_EQ(readBytes(path()), "\xEF\xBB\xBF\r\n[Browser]\r\nTabDelay = 9\r\n");
}

TEST_F(PreferenceFileWinTest, ReplacingKeepsTheFilesAttributes) {
  SetFileAttributesW(name().c_str(), FILE_ATTRIBUTE_HIDDEN);
  changeTabDelay(8);
  EXPECT_TRUE(GetFileAttributesW(name().c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(readBytes(path()), "\xEF\xBB\xBF\r\n[Browser]\r\nTabDelay = 8\r\n");
}

TEST_F(PreferenceFileWinTest, RelativeNameIsSavedInTheCurrentFolder) {
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(folder.path().wstring().c_str());
  PreferenceFile file;
  file.open(L"Wordhop.ini");
  file.selectGroup(L"Browser");
  file.writeInteger(L"TabDelay", 1);
  file.close();
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(readBytes(path()), "\xEF\xBB\xBF\r\n[Browser]\r\nTabDelay = 1\r\n");
}

}  // namespace
