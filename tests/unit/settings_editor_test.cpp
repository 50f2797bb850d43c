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

// Each case: the file as the user left it, the edits made in the window, and
// the file after: every line the edits do not name keeps its bytes.
TEST(SettingsEditor, KeepsEveryByteTheUserDidNotChange) {
#define HAND_FORMATTED(filter)                                                                                    \
  ";my settings\r\n\r\n[Browser]\r\n  BrowserStart=0\r\n\r\n[Entries]\r\n  1 = 1" X "alpha.example" X "1" X "0" X \
  "0" X filter X "info A\r\n  2 = 0" X "beta.example\r\n\r\n[Mine]\r\nkeep=me\r\n"
#define ENTRY_A "1" X "alpha.example" X "1" X "0" X "0" X "+AAA" X "info A"
#define ENTRY_B "0" X "b.example" X "0" X "0" X "0" X X
#define ENTRY_C "0" X "c.example" X "0" X "0" X "0" X X
  struct Case {
    const char* name;
    std::string before;
    std::vector<core::SettingsEdit> edits;
    std::string after;
  } cases[] = {
      {"one key in a hand-formatted file changes one line",
       HAND_FORMATTED("+AAA"),
       {core::SetText{0, EntryField::filter, L"+AAAk"}},
       "\xEF\xBB\xBF" HAND_FORMATTED("+AAAk")},
      {"an eighth field survives a move of another entry and an edit of its own",
       "\xEF\xBB\xBF[Entries]\r\n1 = " ENTRY_B "\r\n2 = " ENTRY_A X "extra8" X "extra9\r\n3 = " ENTRY_C "\r\n",
       {core::MoveEntry{2, -1}, core::SetText{2, EntryField::info, L"info A2"}, core::RemoveEntry{0}},
       "\xEF\xBB\xBF[Entries]\r\n1 = " ENTRY_C "\r\n2 = " ENTRY_A "2" X "extra8" X "extra9\r\n"},
      {"Remove and Move arrange the group where it stands",
       "\xEF\xBB\xBF[Entries]\r\n1 = " ENTRY_B "\r\n; about c\r\n2 = " ENTRY_C "\r\n\r\n[Browser]\r\nTabDelay = 1\r\n",
       {core::AddEntry{}, core::MoveEntry{1, -1}, core::RemoveEntry{2}},
       "\xEF\xBB\xBF[Entries]\r\n; about c\r\n1 = " ENTRY_C "\r\n2 = " ENTRY_B "\r\n\r\n[Browser]\r\nTabDelay = 1\r\n"},
      {"a note that ends the list stays last after an Add",
       "\xEF\xBB\xBF[Entries]\r\n1 = " ENTRY_B "\r\ncheck the beta forum too\r\n",
       {core::AddEntry{}},
       "\xEF\xBB\xBF[Entries]\r\n1 = " ENTRY_B "\r\n2 = 0" X X "0" X "0" X "0" X X "\r\ncheck the beta forum too\r\n"},
      {"a Windows-1252 line behind a UTF-8 mark keeps its letters",
       "\xEF\xBB\xBF[Entries]\r\n1 = " ENTRY_B "\r\n2 = 0\xD7"
       "caf\xE9.example\r\n",
       {core::SetFlag{0, EntryField::enabled, 1}},
       "\xEF\xBB\xBF[Entries]\r\n1 = 1" X "b.example" X "0" X "0" X "0" X X "\r\n2 = 0" X "caf\xC3\xA9.example\r\n"},
      {"a timing edit writes its key only, and makes no Entries group",
       "[Browser]\nTabDelay=1\n",
       {core::SetTiming{core::Timing::tabDelay, 2}},
       "\xEF\xBB\xBF[Browser]\nTabDelay=2\n"},
  };
#undef HAND_FORMATTED
#undef ENTRY_A
#undef ENTRY_B
#undef ENTRY_C
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::ScratchFolder folder;
    const std::filesystem::path path = folder.file("Wordhop.ini");
    writeBytes(path, c.before);
    core::SettingsEditor editor(path.wstring());
    ASSERT_TRUE(editor.sync().reloaded);
    for (const core::SettingsEdit& edit : c.edits) {
      const std::optional<core::SyncReport> report = editor.apply(edit);
      ASSERT_TRUE(report);
      EXPECT_FALSE(report->saveError);
      EXPECT_TRUE(report->notices.empty());
    }
    EXPECT_EQ(readBytes(path), c.after);
  }
}

}  // namespace
