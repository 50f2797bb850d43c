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
  struct Change {
    int read;                        // TabDelay as the store read it
    runtime::SystemError saveError;  // what closing the store reported
  };
  // Opens, reads TabDelay, writes it as `value`, closes.
  Change changeTabDelay(int value) const {
    PreferenceFile file;
    file.open(name());
    file.selectGroup(L"Browser");
    const int read = file.readInteger(L"TabDelay", -1);
    file.writeInteger(L"TabDelay", value);
    return {read, file.close()};
  }

  ScratchFolder folder;
};

TEST_F(PreferenceFileWinTest, ReadOnlyFileLoadsButDropsEverySaveAndSaysWhy) {
  testing_support::setReadOnly(name(), true);
  const Change change = changeTabDelay(7);
  EXPECT_EQ(change.read, 500);
  EXPECT_EQ(change.saveError, static_cast<runtime::SystemError>(ERROR_ACCESS_DENIED));
  testing_support::setReadOnly(name(), false);
  EXPECT_EQ(readBytes(path()), kOriginal);
}

TEST_F(PreferenceFileWinTest, FileHeldWithoutSharingReadsDefaultsAndIsNotOverwritten) {
  {
    runtime::UniqueFileHandle holder = openWith(GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_TRUE(holder);
    const Change change = changeTabDelay(7);
    EXPECT_EQ(change.read, -1);
    EXPECT_EQ(change.saveError, static_cast<runtime::SystemError>(ERROR_SHARING_VIOLATION));
  }
  EXPECT_EQ(readBytes(path()), kOriginal);
}

// The file could not be read when it was opened: a save after the other
// program let go would write a file holding nothing but the change.
TEST_F(PreferenceFileWinTest, AFileThatCouldNotBeReadIsNeverReplacedEvenOnceItIsFree) {
  PreferenceFile file;
  {
    runtime::UniqueFileHandle holder = openWith(GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_TRUE(holder);
    EXPECT_FALSE(file.open(name()));
  }
  file.selectGroup(L"Browser");
  file.writeInteger(L"TabDelay", 7);
  EXPECT_EQ(file.close(), static_cast<runtime::SystemError>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(readBytes(path()), kOriginal);
}

TEST_F(PreferenceFileWinTest, FileOpenedByAWriterIsReadOnlyForTheStore) {
  {
    runtime::UniqueFileHandle writer = openWith(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer);
    EXPECT_EQ(changeTabDelay(7).read, 500);
  }
  EXPECT_EQ(readBytes(path()), kOriginal);
}

TEST_F(PreferenceFileWinTest, WhileOpenOthersMayReadButNotWrite) {
  PreferenceFile file;
  ASSERT_TRUE(file.open(name()));
  EXPECT_TRUE(openWith(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
  EXPECT_FALSE(openWith(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
  EXPECT_FALSE(file.close());
  EXPECT_TRUE(openWith(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
}

TEST_F(PreferenceFileWinTest, AReaderHoldingTheFileDoesNotLoseTheSave) {
  runtime::UniqueFileHandle reader = openWith(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(reader);
  EXPECT_EQ(changeTabDelay(9).saveError, 0u);
  reader.reset();
  EXPECT_EQ(readBytes(path()), "\xEF\xBB\xBF\r\n[Browser]\r\nTabDelay = 9\r\n");
}

TEST_F(PreferenceFileWinTest, ReplacingKeepsTheFilesAttributes) {
  SetFileAttributesW(name().c_str(), FILE_ATTRIBUTE_HIDDEN);
  changeTabDelay(8);
  EXPECT_TRUE(GetFileAttributesW(name().c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(readBytes(path()), "\xEF\xBB\xBF\r\n[Browser]\r\nTabDelay = 8\r\n");
}

// Windows refuses to empty a hidden or system file unless asked with those
// attributes: the in-place fallback of a save empties the file so.
TEST_F(PreferenceFileWinTest, EmptyingAHiddenSystemFileKeepsItsAttributes) {
  SetFileAttributesW(name().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  runtime::File file = runtime::File::create(name());
  EXPECT_TRUE(file.valid());
  file.close();
  EXPECT_EQ(GetFileAttributesW(name().c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  SetFileAttributesW(name().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(readBytes(path()), "");
}

TEST_F(PreferenceFileWinTest, RelativeNameIsSavedInTheCurrentFolder) {
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(folder.path().wstring().c_str());
  PreferenceFile file;
  file.open(L"Wordhop.ini");
  file.selectGroup(L"Browser");
  file.writeInteger(L"TabDelay", 1);
  EXPECT_FALSE(file.close());
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(readBytes(path()), "\xEF\xBB\xBF\r\n[Browser]\r\nTabDelay = 1\r\n");
}

}  // namespace
