// Every edit of the settings window, driven through its gadgets in this
// process, checked against the file it writes.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <optional>

#include "core/configuration.h"
#include "runtime/clipboard.h"
#include "runtime/scope_exit.h"
#include "runtime/system_message.h"
#include "runtime/unique_resource.h"
#include "tests/support/real_input.h"
#include "tests/support/registry_changes.h"
#include "tests/win/settings_fixture.h"

namespace {

using namespace ui;
using SettingsEditingTest = testing_support::SettingsFixture;
using testing_support::kDefaultFile;
using testing_support::readBytes;

#define X WORDHOP_X

TEST_F(SettingsEditingTest, EveryKeystrokeInAFieldIsSavedAndShownInTheRow) {
  open();
  window().setText(urlField, L"");
  const char* expected[] = {"1 = 1" X "a" X, "1 = 1" X "ab" X, "1 = 1" X "abc" X};
  const wchar_t* keys = L"abc";
  for (int i = 0; i < 3; ++i) {
    type(urlField, keys[i]);
    EXPECT_NE(file().find(expected[i]), std::string::npos) << i;
    EXPECT_EQ(window().itemText(entryList, 0, 1), std::wstring(keys, static_cast<std::size_t>(i + 1)));
  }
  EXPECT_EQ(settings->entries()[0].sites, L"abc");
}

// "×" typed or pasted is refused with a balloon; a paste with line breaks
// goes in as one line; text set by another program is made storable too.
TEST_F(SettingsEditingTest, TheFieldSeparatorIsRefusedAndAPasteBecomesOneLine) {
  open();
  settings->show();
  HWND info = window().gadget(infoField);
  window().setText(infoField, L"");
  auto balloonShown = [this] { return IsWindowVisible(window().balloonControl()) != FALSE; };
  auto paste = [&](const wchar_t* text) {
    ASSERT_TRUE(runtime::putClipboardText(text));
    SendMessageW(info, WM_PASTE, 0, 0);
    pump();
  };
  type(infoField, L'a');
  type(infoField, L'\u00D7');
  EXPECT_TRUE(balloonShown());
  type(infoField, L'b');
  paste(L"c\r\n\r\nd\ne");
  EXPECT_EQ(window().text(infoField), L"abc d e");
  paste(L"f\u00D7g");
  EXPECT_TRUE(balloonShown());
  EXPECT_EQ(window().text(infoField), L"abc d e");
  EXPECT_EQ(settings->entries()[0].info, L"abc d e");
  EXPECT_NE(
      file().find("1 = 1" X "www.purebasic.fr/english | www.purebasic.fr/french" X "1" X "0" X "0" X X "abc d e\r\n"),
      std::string::npos);
  // Another program sets the text: each run of line breaks becomes one space.
  SendMessageW(info, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"one\r\n\r\ntwo\rthree\n"));
  pump();
  EXPECT_EQ(window().text(infoField), L"one two three ");
  EXPECT_NE(file().find(X "one two three \r\n"), std::string::npos);
}

// Every line a hand-edited Entries group holds survives an edit of an entry
// and a save of the whole list: an edit writes its own line only; a save of the
// whole list keeps each as a record or, where it is none, as a comment at its
// place.
TEST_F(SettingsEditingTest, HandWrittenLinesOfTheEntriesGroupSurviveAnEditAndAWholeSave) {
  struct Case {
    const char* name;
    const char* group;          // after "[Entries]\r\n"
    const char* afterEdit;      // "x" appended to the first entry's info
    const char* afterMoveDown;  // the first entry moved down: a note travels with the entry after it
  } cases[] = {
#define RECORD(number, enabled, sites, info) number " = " enabled X sites X "0" X "0" X "0" X X info "\r\n"
      {"note line", RECORD("1", "1", "a", "") "check the beta forum too\r\n2 = 0" X "b\r\n",
       RECORD("1", "1", "a", "x") "check the beta forum too\r\n2 = 0" X "b\r\n",
       "check the beta forum too\r\n1 = 0" X "b\r\n" RECORD("2", "1", "a", "x")},
      {"short record", RECORD("1", "1", "a", "") "2 = gamma.example\r\n",
       RECORD("1", "1", "a", "x") "2 = gamma.example\r\n", "1 = gamma.example\r\n" RECORD("2", "1", "a", "x")},
      {"comments", "; first\r\n1 = 1" X "a\r\n;second\r\n2 = 0" X "b\r\n; last\r\n",
       "; first\r\n" RECORD("1", "1", "a", "x") ";second\r\n2 = 0" X "b\r\n; last\r\n",
       ";second\r\n1 = 0" X "b\r\n; first\r\n" RECORD("2", "1", "a", "x") "; last\r\n"},
      {"record split by a lone CR", RECORD("1", "1", "a", "first\rsecond half") "2 = 0" X "b\r\n",
       RECORD("1", "1", "a", "firstx\rsecond half") "2 = 0" X "b\r\n",
       "second half\r\n1 = 0" X "b\r\n2 = 1" X "a" X "0" X "0" X "0" X X "firstx\r"},
      {"enabled written as 2: not searched, so not ticked", RECORD("1", "2", "a", "") RECORD("2", "0", "b", ""),
       RECORD("1", "0", "a", "x") RECORD("2", "0", "b", ""), RECORD("1", "0", "b", "") RECORD("2", "0", "a", "x")},
      {"notes before and after every entry", "before\r\n1 = 1" X "a\r\n2 = 0" X "b\r\nafter\r\n",
       "before\r\n" RECORD("1", "1", "a", "x") "2 = 0" X "b\r\nafter\r\n",
       "1 = 0" X "b\r\nbefore\r\n" RECORD("2", "1", "a", "x") "after\r\n"},
      {"an eighth field", RECORD("1", "1", "a", "i" X "extra8") RECORD("2", "0", "b", ""),
       RECORD("1", "1", "a", "ix" X "extra8") RECORD("2", "0", "b", ""),
       RECORD("1", "0", "b", "") RECORD("2", "1", "a", "ix" X "extra8")},
#undef RECORD
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(std::string("\xEF\xBB\xBF\r\n[Entries]\r\n") + c.group);
    ASSERT_EQ(window().itemCount(entryList), 2);
    HWND info = window().gadget(infoField);
    SendMessageW(info, EM_SETSEL, 1000, 1000);
    SendMessageW(info, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
    pump();
    EXPECT_EQ(entriesGroup(), std::string("[Entries]\r\n") + c.afterEdit);
    press(moveDownButton);
    EXPECT_EQ(entriesGroup(), std::string("[Entries]\r\n") + c.afterMoveDown);
  }
}

TEST_F(SettingsEditingTest, FlagClicksSaveTheFlagAndRelabelTheColumn) {
  open();
  select(4);
  window().setState(firstMatchCheck, 1);
  settings->handleEvent({runtime::Event::Type::gadget, firstMatchCheck, runtime::EventKind::leftClick});
  EXPECT_EQ(window().itemText(entryList, 4, 4), L"Yes");
  EXPECT_NE(file().find("5 = 0" X "groups.google.com" X "0" X "0" X "1" X X), std::string::npos);
  settings->handleEvent({runtime::Event::Type::gadget, firstMatchCheck, runtime::EventKind::change});
  EXPECT_EQ(settings->entries()[4].firstMatch, 1);  // only a click edits the flag
}

TEST_F(SettingsEditingTest, RemovingRowZeroLeavesNothingSelectedAndRowTwoSelectsRowOne) {
  open();
  press(removeButton);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0], L"Delete entry #1 [ www.purebasic.fr/english | www.purebasic.fr/french ]?");
  EXPECT_EQ(questionFlags, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(window().state(entryList), -1);
  EXPECT_FALSE(window().enabled(urlField));
  EXPECT_EQ(window().text(urlField), L"");
  EXPECT_EQ(settings->entries().size(), 6u);
  EXPECT_EQ(entriesGroup().find("[Entries]\r\n1 = 0" X "www.purebasic.fr/english"), 0u);
  EXPECT_EQ(entriesGroup().find("7 = "), std::string::npos);

  select(2);
  press(removeButton);
  EXPECT_EQ(window().state(entryList), 1);
  EXPECT_TRUE(window().enabled(urlField));
  EXPECT_EQ(window().itemCount(entryList), 5);
}

TEST_F(SettingsEditingTest, AnsweringNoChangesNothing) {
  open();
  answer = IDNO;
  press(removeButton);
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_EQ(file(), kDefaultFile);
  EXPECT_EQ(window().itemCount(entryList), 7);
}

TEST_F(SettingsEditingTest, RemovingTheOnlyEntryLeavesTheGroupWhereItStands) {
  open("\xEF\xBB\xBF[Entries]\r\n1 = 1" X "a\r\n[Browser]\r\nTabDelay = 5\r\n");
  press(removeButton);
  EXPECT_EQ(file(), "\xEF\xBB\xBF[Entries]\r\n[Browser]\r\nTabDelay = 5\r\n");
  press(addButton);
  EXPECT_EQ(file(), "\xEF\xBB\xBF[Entries]\r\n1 = 0" X X "0" X "0" X "0" X X "\r\n[Browser]\r\nTabDelay = 5\r\n");
}

TEST_F(SettingsEditingTest, MovesAtTheEndsWriteNothing) {
  open();
  press(moveUpButton);
  select(6);
  press(moveDownButton);
  EXPECT_EQ(file(), kDefaultFile);
}

TEST_F(SettingsEditingTest, MoveDownOfRowZeroSwapsKeysOneAndTwo) {
  open();
  press(moveDownButton);
  const std::string group = entriesGroup();
  EXPECT_EQ(group.find("[Entries]\r\n1 = 0" X "www.purebasic.fr/english | www.purebasic.fr/french" X "1" X "1" X "0" X
                       "&lr=lang_fr"),
            0u);
  EXPECT_NE(group.find("2 = 1" X "www.purebasic.fr/english | www.purebasic.fr/french" X "1" X "0" X "0" X X
                       "Search both websites for PB and API content"),
            std::string::npos);
  EXPECT_EQ(window().state(entryList), 1);
  EXPECT_TRUE(window().itemChecked(entryList, 1));
  EXPECT_FALSE(window().itemChecked(entryList, 0));
  EXPECT_EQ(window().text(infoField), L"Search both websites for PB and API content");
}

TEST_F(SettingsEditingTest, TickingTheBoxOfAnotherRowSelectsItAndSavesItsFlag) {
  open();
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(2);
  SendMessageW(window().gadget(entryList), LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&item));
  pump();
  EXPECT_EQ(window().state(entryList), 3);
  EXPECT_EQ(settings->entries()[3].enabled, 1);
  EXPECT_NE(file().find("4 = 1" X "www.purebasic.fr"), std::string::npos);
  EXPECT_EQ(window().text(filterField), L"&lr=lang_en|lang_de");
}

TEST_F(SettingsEditingTest, AddWhileRowOneIsSelectedAppendsKeyEight) {
  open();
  select(1);
  press(addButton);
  EXPECT_EQ(window().state(entryList), 7);
  EXPECT_EQ(GetFocus(), window().gadget(urlField));
  EXPECT_EQ(window().itemText(entryList, 7, 2), L"API");
  EXPECT_EQ(window().itemText(entryList, 7, 3), L"Relevance");
  EXPECT_EQ(window().itemText(entryList, 7, 4), L"No");
  EXPECT_FALSE(window().itemChecked(entryList, 7));
  EXPECT_EQ(file(), kDefaultFile + "8 = 0" X X "0" X "0" X "0" X X "\r\n");
}

TEST_F(SettingsEditingTest, OneArrowStepOfASpinFieldWritesOnce) {
  open();
  SendMessageW(window().gadget(browserStartSpin), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(pump(), 1);
  EXPECT_NE(file().find("BrowserStart = 2501\r\n"), std::string::npos);
}

// The spin field and the file agree after each change, and when the field is
// left it shows what the file holds.
TEST_F(SettingsEditingTest, ASpinFieldShowsWhatIsStored) {
  struct Case {
    const wchar_t* typed;
    const char* stored;
    const wchar_t* shown;  // after the change
    const wchar_t* left;   // after the field lost the focus
  } cases[] = {
      {L"7", "7", L"7", L"7"},         {L"99999999", "9999", L"9999", L"9999"}, {L"", "500", L"", L"500"},
      {L"abc", "500", L"abc", L"500"}, {L"-5", "500", L"-5", L"500"},           {L"0300", "300", L"0300", L"300"},
  };
  for (const Case& c : cases) {
    open();
    settings->show();
    HWND spin = window().gadget(tabDelaySpin);
    SetFocus(spin);
    SendMessageW(spin, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
    pump();
    EXPECT_NE(file().find(std::string("TabDelay = ") + c.stored + "\r\n"), std::string::npos) << c.stored;
    EXPECT_EQ(window().text(tabDelaySpin), c.shown);
    SetFocus(window().gadget(urlField));
    pump();
    EXPECT_EQ(window().text(tabDelaySpin), c.left);
  }
}

// An edit writes the entry's own line, whatever its key is called; Add takes
// the next number only where no key has it.
TEST_F(SettingsEditingTest, KeysOutOfOrderAreEditedWhereTheyStand) {
  open("\xEF\xBB\xBF[Entries]\r\n5 = 1" X "five\r\n3 = 0" X "three\r\n");
  select(1);
  window().setText(urlField, L"");
  type(urlField, L'x');
  EXPECT_EQ(entriesGroup(), "[Entries]\r\n5 = 1" X "five\r\n3 = 0" X "x" X "0" X "0" X "0" X X "\r\n");
  press(addButton);  // "3" is taken: the list is numbered anew
  EXPECT_EQ(entriesGroup(), "[Entries]\r\n1 = 1" X "five\r\n2 = 0" X "x" X "0" X "0" X "0" X X "\r\n3 = 0" X X "0" X
                            "0" X "0" X X "\r\n");
}

// The editor's command split as the shell splits it: its program expanded,
// its switches kept, the quoted file where "%1" stands.
TEST_F(SettingsEditingTest, TheEditorGetsItsExpandedPathItsSwitchesAndTheQuotedFileName) {
  open();
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  std::wstring folderName = current;
  if (folderName.back() != L'\\') folderName += L'\\';
  const std::wstring file = L"\"" + folderName + L"Wordhop.ini\"";
  wchar_t notepad[MAX_PATH] = {};
  ExpandEnvironmentStringsW(L"%SystemRoot%\\system32\\notepad.exe", notepad, MAX_PATH);
  const struct {
    std::wstring command, program, parameter;
  } cases[] = {
      {L"%SystemRoot%\\system32\\notepad.exe %1", notepad, file},
      {L"\"" + std::wstring(notepad) + L"\" /n \"%1\"", notepad, L"/n " + file},
  };
  for (const auto& c : cases) {
    testing_support::RegistryChanges registry;
    registry.setDefault(L".txt", L"WordhopTest.txt");
    registry.setDefault(L"WordhopTest.txt\\shell\\open\\command", c.command);
    started.clear();
    press(openIniButton);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, c.program);
    EXPECT_EQ(started[0].parameter, c.parameter);
    EXPECT_EQ(started[0].folder, folderName);
  }
}

TEST_F(SettingsEditingTest, DonationOpensThePageOnlyOnYes) {
  open();
  answer = IDNO;
  press(donateButton);
  EXPECT_TRUE(started.empty());
  answer = IDYES;
  press(donateButton);
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_EQ(questions[0],
            L"Thank you for any amount you feel comfortable donating to\nkeep the [ Wordhop ] project alive and "
            L"running!\n\nOpen a secure connection to www.paypal.com for a donation?");
  EXPECT_EQ(questionFlags, 0x44u);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].program, L"https://www.paypal.com/donate");
  EXPECT_EQ(file(), kDefaultFile);
}

// Where the file cannot be written, the first failed save says so in a balloon
// that names the file, the system's reason and what to do, and takes no key:
// the keys typed after it stay in the field and wait to be saved.
TEST_F(SettingsEditingTest, AFailedSaveIsToldInABalloonNamingTheFileTheReasonAndWhatToDo) {
  struct Case {
    const char* name;
    std::function<std::wstring()> prepare;  // gives the file the window edits
    bool heldWhileEditing;                  // by another program, after the window read it
    DWORD reason;
    const wchar_t* advice;
  } cases[] = {
      {"read-only file",
       [this] {
         const std::wstring file = folder.file("Wordhop.ini").wstring();
         testing_support::writeBytes(file, kDefaultFile);
         testing_support::setReadOnly(file, true);
         return file;
       },
       false, ERROR_ACCESS_DENIED, L"The file is read-only."},
      {"file held by another program",
       [this] {
         testing_support::writeBytes(folder.file("Wordhop.ini"), kDefaultFile);
         return folder.file("Wordhop.ini").wstring();
       },
       true, ERROR_SHARING_VIOLATION, L"Another program holds the file. Your changes wait"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring file = c.prepare();
    const runtime::ScopeExit writable([&] { testing_support::setReadOnly(file, false); });
    const std::string before = readBytes(file);
    openWindowOn(file);
    runtime::UniqueFileHandle held(c.heldWhileEditing
                                       ? CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                       : INVALID_HANDLE_VALUE);
    press(addButton);
    type(urlField, L'a');
    const std::wstring told = balloonText();
    EXPECT_NE(told.find(file), std::wstring::npos) << told;
    EXPECT_NE(told.find(c.advice), std::wstring::npos) << told;
    std::wstring reason = runtime::systemMessage(c.reason);
    reason.erase(reason.find_last_not_of(L"\r\n ") + 1);
    EXPECT_NE(told.find(L"\n" + reason + L"\n"), std::wstring::npos) << told;
    held.reset();
    EXPECT_EQ(readBytes(file), before);
  }
}

// Edits whose save failed are tried once more when Windows asks to end the
// session and when the window closes. While they still fail, the session is
// held up and the user is asked whether to try again, naming the file; when
// the file changed so that an edit cannot be applied, the window stays open.
TEST_F(SettingsEditingTest, ClosingWithUnsavedEditsTriesOnceMoreAndThenAsks) {
  const std::wstring path = folder.file("Wordhop.ini").wstring();
  auto withEntry8 = [](const char* sites) { return kDefaultFile + "8 = 0" X + sites + X "0" X "0" X "0" X X "\r\n"; };
  auto writable = [&] { testing_support::setReadOnly(path, false); };
  struct Case {
    const char* name;
    std::function<void()> beforeClosing;
    std::optional<LRESULT> sessionMayEnd;  // when Windows asks first
    bool closes, asked;
    std::string file;
  } cases[] = {
      {"still read-only", [] {}, FALSE, true, true, withEntry8("")},
      {"writable again", writable, TRUE, true, false, withEntry8("x")},
      {"the same field changed outside",
       [&] {
         writable();
         testing_support::writeBytes(path, withEntry8("theirs"));
       },
       std::nullopt, false, false, withEntry8("theirs")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    questions.clear();
    testing_support::writeBytes(path, withEntry8(""));
    testing_support::setReadOnly(path, true);
    const runtime::ScopeExit writableAgain([&] { testing_support::setReadOnly(path, false); });
    openWindowOn(path);
    select(7);
    type(urlField, L'x');
    c.beforeClosing();
    if (c.sessionMayEnd) {
      EXPECT_EQ(SendMessageW(window().handle(), WM_QUERYENDSESSION, 0, 0), *c.sessionMayEnd);
    }
    answer = IDCANCEL;
    EXPECT_EQ(settings->saveBeforeClosing(), c.closes);
    EXPECT_EQ(questions.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_NE(questions[0].find(path), std::wstring::npos) << questions[0];
      EXPECT_EQ(questionFlags, static_cast<UINT>(MB_RETRYCANCEL | MB_ICONWARNING));
    }
    EXPECT_EQ(file(), c.file);
  }
}

// The reason that held the session up is withdrawn once the edits are saved.
TEST_F(SettingsEditingTest, TheShutdownReasonIsWithdrawnOnceNothingWaits) {
  using Query = BOOL(WINAPI*)(HWND, LPWSTR, DWORD*);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "ShutdownBlockReasonQuery")));
  const std::wstring path = folder.file("Wordhop.ini").wstring();
  testing_support::writeBytes(path, kDefaultFile);
  testing_support::setReadOnly(path, true);
  const runtime::ScopeExit writable([&] { testing_support::setReadOnly(path, false); });
  openWindowOn(path);
  select(0);
  type(urlField, L'x');
  EXPECT_EQ(SendMessageW(window().handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  auto reasonShown = [&] {
    wchar_t reason[256] = L"";
    DWORD size = std::size(reason);
    return query(window().handle(), reason, &size) != FALSE;
  };
  if (!query || !reasonShown()) GTEST_SKIP() << "this system keeps no shutdown reasons (Wine)";
  testing_support::setReadOnly(path, false);
  type(urlField, L'y');
  EXPECT_FALSE(reasonShown());
}

// Coming back to the window after the file was edited by hand shows the edit
// and writes nothing, whatever form the editor left the file in.
TEST_F(SettingsEditingTest, AReloadShowsAnOutsideEditAndWritesNothing) {
  open();
  select(1);
  const std::string edited = "[Entries]\n1=1" X "a\n2 = 0" X "b\n5=1" X "c\n[Browser]\nTabDelay=77\n";
  testing_support::writeBytes(folder.file("Wordhop.ini"), edited);
  settings->handleEvent({runtime::Event::Type::activated, 0, runtime::EventKind::change});
  pump();
  EXPECT_EQ(file(), edited);
  ASSERT_EQ(window().itemCount(entryList), 3);
  EXPECT_EQ(window().itemText(entryList, 2, 1), L"c");
  EXPECT_TRUE(window().itemChecked(entryList, 2));
  EXPECT_EQ(window().state(entryList), -1);  // the selected entry is gone: nothing is selected
  EXPECT_FALSE(window().enabled(urlField));
  EXPECT_EQ(window().state(tabDelaySpin), 77);
}

}  // namespace
