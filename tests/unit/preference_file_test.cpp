#include <gtest/gtest.h>

#include "core/preference_file.h"

#include "tests/support/scratch_folder.h"

namespace {

using core::PreferenceFile;
using testing_support::readBytes;
using testing_support::ScratchFolder;
using testing_support::writeBytes;

constexpr std::string_view kHead = "\xEF\xBB\xBF\r\n";

class PreferenceFileTest : public ::testing::Test {
 protected:
  std::wstring name() const { return folder.file("Wordhop.ini").wstring(); }
  std::string bytes() const { return readBytes(folder.file("Wordhop.ini")); }
  void put(std::string_view content) const { writeBytes(folder.file("Wordhop.ini"), content); }
  bool exists() const { return std::filesystem::exists(folder.file("Wordhop.ini")); }

  ScratchFolder folder;
};

TEST_F(PreferenceFileTest, CreateWritesAtLeastTheMarkerLine) {
  PreferenceFile file;
  ASSERT_TRUE(file.create(name()));
  EXPECT_FALSE(file.close());
  EXPECT_EQ(bytes(), kHead);
}

TEST_F(PreferenceFileTest, ReadingOnlyLeavesTheFileUntouched) {
  const std::string original = "k=1\n\n[G]\nx=  2  \n";
  put(original);
  PreferenceFile file;
  ASSERT_TRUE(file.open(name()));
  EXPECT_FALSE(file.selectGroup(L"Missing"));
  EXPECT_EQ(file.readString(L"k", L"default"), L"default");
  EXPECT_TRUE(file.selectGroup(L"g"));
  EXPECT_EQ(file.readString(L"X", L"default"), L"2");
  EXPECT_FALSE(file.close());
  EXPECT_EQ(bytes(), original);
}

TEST_F(PreferenceFileTest, Latin1FileIsRewrittenAsUtf8WithMarker) {
  put("[Entries]\r\n1=1\xD7site\r\n");
  PreferenceFile file;
  ASSERT_TRUE(file.open(name()));
  file.selectGroup(L"Entries");
  ASSERT_TRUE(file.examineKeys());
  ASSERT_TRUE(file.nextKey());
  EXPECT_EQ(file.keyValue(), L"1\u00D7site");
  file.writeString(L"2", L"x");
  EXPECT_FALSE(file.close());
  EXPECT_EQ(bytes(), "\xEF\xBB\xBF[Entries]\r\n1=1\xC3\x97site\r\n2=x\r\n");
}

// Wordhop's own file becomes UTF-8; another program's stays in its encoding.
TEST_F(PreferenceFileTest, Utf16FileIsDecodedAndWrittenAsUtf8OrAsRead) {
  const auto utf16le = [](std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
  };
  for (const core::WriteBack writeBack : {core::WriteBack::utf8WithMark, core::WriteBack::asRead}) {
    put(utf16le(u"[Browser]\n  TabDelay=300\n"));
    PreferenceFile file;
    ASSERT_TRUE(file.open(name(), writeBack));
    file.selectGroup(L"Browser");
    EXPECT_EQ(file.readInteger(L"TabDelay", 500), 300);
    file.writeString(L"Path", L"C:\\Jos\u00E9");
    EXPECT_FALSE(file.close());
    EXPECT_EQ(bytes(), writeBack == core::WriteBack::asRead
                           ? utf16le(u"[Browser]\n  TabDelay=300\n  Path=C:\\Jos\u00E9\n")
                           : "\xEF\xBB\xBF[Browser]\n  TabDelay=300\n  Path=C:\\Jos\xC3\xA9\n");
  }
}

TEST_F(PreferenceFileTest, ReadIntegerScansDigitsAndFallsBackOnlyWhenAbsent) {
  put("[B]\r\nDigits = 300ms\r\nWord = abc\r\nNegative = -5\r\n");
  PreferenceFile file;
  file.open(name());
  file.selectGroup(L"B");
  EXPECT_EQ(file.readInteger(L"Digits", 1), 300);
  EXPECT_EQ(file.readInteger(L"Word", 1), 0);
  EXPECT_EQ(file.readInteger(L"Negative", 1), -5);
  EXPECT_EQ(file.readInteger(L"Missing", 77), 77);
}

TEST_F(PreferenceFileTest, MissingFileReadsDefaultsAndIsCreatedOnlyWhenChanged) {
  PreferenceFile file;
  EXPECT_FALSE(file.open(name()));
  EXPECT_FALSE(file.selectGroup(L"Entries"));
  EXPECT_FALSE(file.examineKeys());
  EXPECT_EQ(file.readInteger(L"TabDelay", 500), 500);
  EXPECT_FALSE(file.close());
  EXPECT_FALSE(exists());

  EXPECT_FALSE(file.open(name()));
  file.selectGroup(L"Entries");
  EXPECT_TRUE(file.writeString(L"1", L"0\u00D7\u00D70\u00D70\u00D70\u00D7\u00D7"));
  EXPECT_FALSE(file.close());
  EXPECT_EQ(bytes(), std::string(kHead) +
                         "[Entries]\r\n1 = 0\xC3\x97\xC3\x97"
                         "0\xC3\x97"
                         "0\xC3\x97"
                         "0\xC3\x97\xC3\x97\r\n");
}

TEST_F(PreferenceFileTest, ClosedStoreDoesNothing) {
  PreferenceFile file;
  EXPECT_FALSE(file.selectGroup(L""));
  EXPECT_FALSE(file.writeString(L"k", L"v"));
  EXPECT_FALSE(file.writeComment(L"c"));
  EXPECT_FALSE(file.examineKeys());
  EXPECT_FALSE(file.nextKey());
  EXPECT_EQ(file.keyValue(), L"");
  EXPECT_EQ(file.readString(L"k", L"d"), L"d");
  EXPECT_FALSE(file.close());
  EXPECT_FALSE(exists());
}

TEST_F(PreferenceFileTest, OpeningAnotherDocumentWritesTheFirstBack) {
  put("[G]\r\n");
  const auto second = folder.file("second.ini").wstring();
  writeBytes(second, "[H]\r\n");
  PreferenceFile file;
  file.open(name());
  file.selectGroup(L"G");
  file.writeString(L"k", L"v");
  file.open(second);
  EXPECT_EQ(bytes(), "\xEF\xBB\xBF[G]\r\nk = v\r\n");
  EXPECT_EQ(file.readString(L"k", L"none"), L"none");
}

TEST_F(PreferenceFileTest, ASaveLeavesNoScratchFileBehindAndIgnoresAStaleOne) {
  put("[G]\r\nk=1\r\n");
  writeBytes(folder.file("Wordhop.ini.saving"), "half-written junk");
  PreferenceFile file;
  file.open(name());
  EXPECT_EQ(file.readString(L"k", L""), L"");  // top section: no key k
  file.selectGroup(L"G");
  EXPECT_EQ(file.readString(L"k", L""), L"1");
  file.writeString(L"k", L"2");
  EXPECT_FALSE(file.close());
  EXPECT_EQ(bytes(), "\xEF\xBB\xBF[G]\r\nk=2\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder.file("Wordhop.ini.saving")));
}

TEST_F(PreferenceFileTest, AFolderOfThatNameIsNeverReplaced) {
  std::filesystem::create_directory(folder.file("Wordhop.ini"));
  PreferenceFile file;
  EXPECT_FALSE(file.open(name()));
  file.selectGroup(L"G");
  file.writeString(L"k", L"v");
  EXPECT_TRUE(file.close());  // the change could not be saved
  EXPECT_TRUE(std::filesystem::is_directory(folder.file("Wordhop.ini")));
  EXPECT_FALSE(std::filesystem::exists(folder.file("Wordhop.ini.saving")));
}

}  // namespace
