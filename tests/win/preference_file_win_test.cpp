// The store against real Windows files: share modes, attributes, locked files.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/preference_file.h"
#include "runtime/unique_resource.h"
#include "tests/support/real_input.h"
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

// The Unix name of a file under Wine (the scratch folder's path is ASCII).
std::string unixPath(const std::filesystem::path& path) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = unixName ? unixName(path.wstring().c_str()) : nullptr;
  const std::string copy = name ? name : "";
  HeapFree(GetProcessHeap(), 0, name);
  return copy;
}

// A symbolic link as the system makes one: under Wine a Unix link (which is
// what a user there has), on Windows a Windows link (where developer mode
// allows it without elevation). False when none can be made.
bool makeSymbolicLink(const std::filesystem::path& link, const std::filesystem::path& target) {
  if (testing_support::runningUnderWine())
    testing_support::runHostCommand("ln -s " + unixPath(target) + " " + unixPath(link));
  else
    CreateSymbolicLinkW(link.wstring().c_str(), target.wstring().c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  return std::filesystem::exists(link);
}

// Whether two names open one file (a Unix link under Wine shows no sign of
// being one but this).
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  BY_HANDLE_FILE_INFORMATION information[2]{};
  for (int i = 0; i < 2; ++i) {
    const runtime::UniqueFileHandle file(CreateFileW((i ? b : a).wstring().c_str(), 0,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !GetFileInformationByHandle(file.get(), &information[i])) return false;
  }
  return information[0].dwVolumeSerialNumber == information[1].dwVolumeSerialNumber &&
         information[0].nFileIndexHigh == information[1].nFileIndexHigh &&
         information[0].nFileIndexLow == information[1].nFileIndexLow;
}

// A save goes into the file the name stands for: the file a symbolic link
// names (in a synced folder, say), every name of a file with several.
TEST_F(PreferenceFileWinTest, LinksStayLinksAndTheFileTheyNameGetsTheSave) {
  const std::filesystem::path synced = folder.file("synced");
  std::filesystem::create_directory(synced);
  const std::filesystem::path target = synced / "Wordhop.ini";
  std::filesystem::remove(path());
  writeBytes(target, kOriginal);
  if (!makeSymbolicLink(path(), target)) GTEST_SKIP() << "no symbolic link can be made here";
  ASSERT_TRUE(sameFile(path(), target));
  EXPECT_EQ(changeTabDelay(7).saveError, 0u);
  EXPECT_TRUE(sameFile(path(), target));
  EXPECT_EQ(readBytes(target), "\xEF\xBB\xBF\r\n[Browser]\r\nTabDelay = 7\r\n");
  EXPECT_FALSE(std::filesystem::exists(synced / "Wordhop.ini.saving"));
  // The link itself goes: Wine deletes the file a Unix link names, not the link.
  if (testing_support::runningUnderWine())
    testing_support::runHostCommand("rm " + unixPath(path()));
  else
    DeleteFileW(name().c_str());
  ASSERT_TRUE(std::filesystem::exists(target));
  ASSERT_FALSE(std::filesystem::exists(path()));

  writeBytes(path(), kOriginal);
  const std::filesystem::path other = folder.file("other name.ini");
  ASSERT_TRUE(CreateHardLinkW(other.wstring().c_str(), name().c_str(), nullptr));
  EXPECT_EQ(changeTabDelay(8).saveError, 0u);
  EXPECT_EQ(readBytes(other), "\xEF\xBB\xBF\r\n[Browser]\r\nTabDelay = 8\r\n");
  EXPECT_TRUE(sameFile(path(), other));
  EXPECT_FALSE(std::filesystem::exists(folder.file("Wordhop.ini.saving")));
}

}  // namespace
