#include <gtest/gtest.h>

#include "core/configuration.h"

#include "tests/support/default_config.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/settings_file.h"

namespace {

using core::SearchEntry;
using testing_support::changeSettings;
using testing_support::kDefaultFile;
using testing_support::readBytes;
using testing_support::readSettings;
using testing_support::ScratchFolder;
using testing_support::writeBytes;

#define X WORDHOP_X
#define VENDOR "www.purebasic.fr/english | www.purebasic.fr/french"

class ConfigurationTest : public ::testing::Test {
 protected:
  std::wstring name() const { return folder.file("Wordhop.ini").wstring(); }
  std::string bytes() const { return readBytes(folder.file("Wordhop.ini")); }
  void put(std::string_view content) const { writeBytes(folder.file("Wordhop.ini"), content); }

  ScratchFolder folder;
};

TEST_F(ConfigurationTest, DefaultFileIsExactlyWhatTheStoreCallsWrite) {
  core::writeDefaultConfiguration(name());
  EXPECT_EQ(bytes(), kDefaultFile);
}

TEST_F(ConfigurationTest, LoadsEveryKeyInFileOrderWhateverItsName) {
  put("\xEF\xBB\xBF[Browser]\r\nBrowserStart = 300\r\n[Entries]\r\nzz = 1" X "a\r\n; note\r\n1 = 0" X "b\r\n1 = 2" X
      "c\r\n[X]\r\n9 = 1" X "d");
  const core::EditedSettings settings = readSettings(name());
  const std::vector<SearchEntry>& entries = settings.entries;
  EXPECT_EQ(settings.browserStart, 300);
  EXPECT_EQ(settings.tabDelay, 500);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].sites, L"a");
  EXPECT_EQ(entries[1].sites, L"b");
  EXPECT_EQ(entries[2].enabled, 0);  // "2": not searched, so not ticked
}

TEST_F(ConfigurationTest, MissingFileLoadsNothingWithDefaultTimings) {
  const core::EditedSettings settings = readSettings(name());
  EXPECT_TRUE(settings.entries.empty());
  EXPECT_EQ(settings.browserStart, 2500);
  EXPECT_EQ(settings.tabDelay, 500);
}

TEST_F(ConfigurationTest, AChangedEntryIsWrittenOnItsOwnLineOnly) {
  core::writeDefaultConfiguration(name());
  const std::vector<SearchEntry> inFile = readSettings(name()).entries;
  std::vector<SearchEntry> entries = inFile;
  entries[1].enabled = 1;
  entries[1].info = L"changed";
  EXPECT_FALSE(changeSettings(name(), [&](core::PreferenceFile& file) {
    core::writeEntries(file, inFile, entries, {0, 1, 2, 3, 4, 5, 6}, {});
  }));
  std::string expected = kDefaultFile;
  const std::string before =
      "2 = 0" X VENDOR X "1" X "1" X "0" X "&lr=lang_fr" X "Search both websites, but only return results in French";
  expected.replace(expected.find(before), before.size(),
                   "2 = 1" X VENDOR X "1" X "1" X "0" X "&lr=lang_fr" X "changed");
  EXPECT_EQ(bytes(), expected);
}

TEST_F(ConfigurationTest, ANewEntryInAnEmptyGroupIsKeyOne) {
  put("[Entries]\r\n[Browser]\r\n");
  EXPECT_FALSE(changeSettings(
      name(), [](core::PreferenceFile& file) { core::writeEntries(file, {}, {SearchEntry{}}, {std::nullopt}, {}); }));
  EXPECT_EQ(bytes(), "\xEF\xBB\xBF[Entries]\r\n1 = 0" X X "0" X "0" X "0" X X "\r\n[Browser]\r\n");
}

TEST_F(ConfigurationTest, ReplacedEntriesAreNumberedFromOneWhereTheGroupStandsWithItsNotes) {
  put("[Entries]\r\n; kept\r\n5 = old\r\n[Browser]\r\nTabDelay = 1\r\n");
  EXPECT_FALSE(testing_support::saveEntries(name(), {SearchEntry{1, L"a", 0, 0, 0, L"", L"", L""}, SearchEntry{}}));
  EXPECT_EQ(bytes(),
            "\xEF\xBB\xBF[Entries]\r\n; kept\r\n"
            "1 = 1" X "a" X "0" X "0" X "0" X X "\r\n2 = 0" X X "0" X "0" X "0" X X
            "\r\n[Browser]\r\nTabDelay = 1\r\n");
}

// A hand-made file with the group twice: the first copy is the one read and
// written, and a later copy, never read, stays as it was.
TEST_F(ConfigurationTest, OnlyTheFirstCopyOfTheEntriesGroupIsReadAndWritten) {
  const std::string later = "[entries]\r\n1 = 1" X "b\r\n3 = 1" X "c\r\n";
  put("[Entries]\r\n1 = 1" X "a\r\n[Browser]\r\nTabDelay = 1\r\n" + later);
  std::vector<SearchEntry> shown = readSettings(name()).entries;
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].sites, L"a");
  shown.push_back(SearchEntry{0, L"new", 0, 0, 0, L"", L"", L""});
  EXPECT_EQ(testing_support::saveEntries(name(), shown), 0u);
  const std::vector<SearchEntry> reloaded = readSettings(name()).entries;
  ASSERT_EQ(reloaded.size(), 2u);
  EXPECT_EQ(reloaded[0].sites, L"a");
  EXPECT_EQ(reloaded[1].sites, L"new");
  EXPECT_TRUE(bytes().ends_with(later));
}

TEST_F(ConfigurationTest, ABrowserValueIsWrittenIntoTheBrowserGroupAndAloneIntoAFileThatIsGone) {
  core::writeDefaultConfiguration(name());
  auto write = [this](std::wstring_view key, int value) {
    return changeSettings(name(), [&](core::PreferenceFile& file) { core::writeBrowserValue(file, key, value); });
  };
  EXPECT_FALSE(write(core::kKeyTabDelay, 9999));
  std::string expected = kDefaultFile;
  expected.replace(expected.find("TabDelay = 500"), 14, "TabDelay = 9999");
  EXPECT_EQ(bytes(), expected);
  std::filesystem::remove(folder.file("Wordhop.ini"));
  EXPECT_FALSE(write(core::kKeyBrowserStart, 0));
  EXPECT_EQ(bytes(), "\xEF\xBB\xBF\r\n[Browser]\r\nBrowserStart = 0\r\n");
}

}  // namespace
