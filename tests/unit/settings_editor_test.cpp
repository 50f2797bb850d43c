// The settings window's saves against a real file that another program
// changes, deletes or empties between them.
#include <gtest/gtest.h>

#include "core/settings_editor.h"

#include <filesystem>
#include <functional>

#include "tests/support/default_config.h"
#include "tests/support/scratch_folder.h"

namespace {

using core::EntryField;
using core::SearchEntry;
using testing_support::readBytes;
using testing_support::writeBytes;

#define X WORDHOP_X
#define HEAD "\xEF\xBB\xBF\r\n; top\r\n[Google]\r\nSearch = s\r\n"

core::SetText setInfo(std::size_t row, const wchar_t* info) { return {row, EntryField::info, info}; }

// The user types "mine " (its last space is no content), then "!"; between
// the two saves another program does something to the file.
TEST(SettingsEditor, WritesOneLinePerFieldEditAndKeepsWhatTheFileHeldBeforeItWasLost) {
  const std::string file = HEAD "[Entries]\r\n1 = 0" X "a\r\nnote line\r\n2 = 0" X "b\r\n[Entries]\r\n1 = 1" X "c\r\n";
  const std::string rest = "\r\n[Entries]\r\n1 = 1" X "c\r\n";
#define ENTRIES(info) HEAD "[Entries]\r\n1 = 0" X "a\r\nnote line\r\n2 = 0" X "b" X "0" X "0" X "0" X X info
  struct Case {
    const char* name;
    std::function<void(const std::filesystem::path&)> outside;
    std::string expected;
  } cases[] = {
      {"nothing", [](const auto&) {}, ENTRIES("mine !") + rest},
      {"deleted", [](const auto& path) { std::filesystem::remove(path); }, ENTRIES("mine !") + rest},
      {"emptied", [](const auto& path) { writeBytes(path, ""); }, ENTRIES("mine !") + rest},
      {"line ends changed",
       [](const auto& path) {
         writeBytes(path, HEAD "[Entries]\n1=0" X "a\nnote line\n2=0" X "b" X "0" X "0" X "0" X X "mine\n");
       },
       HEAD "[Entries]\n1=0" X "a\nnote line\n2=0" X "b" X "0" X "0" X "0" X X "mine !\n"},
  };
#undef ENTRIES
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ScratchFolder folder;
    const std::filesystem::path path = folder.file("Wordhop.ini");
    writeBytes(path, file);
    core::SettingsEditor editor(path.wstring());
    ASSERT_TRUE(editor.sync().reloaded);
    ASSERT_TRUE(editor.record(setInfo(1, L"mine ")));
    EXPECT_FALSE(editor.sync().saveError);
    c.outside(path);
    ASSERT_TRUE(editor.record(setInfo(1, L"mine !")));
    const core::SyncReport saved = editor.sync();
    EXPECT_FALSE(saved.saveError);
    EXPECT_EQ(readBytes(path), c.expected);
    EXPECT_TRUE(saved.notices.empty());  // none of these is a conflict
    EXPECT_FALSE(editor.hasUnsaved());
  }
}

}  // namespace
