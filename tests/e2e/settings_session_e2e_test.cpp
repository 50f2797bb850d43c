// A user's session in the settings window of the real executable, with real
// mouse clicks and key presses; then the file it left, and a search run with it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "core/configuration.h"
#include "runtime/bstr.h"
#include "runtime/com_ptr.h"
#include "runtime/unique_resource.h"
#include "runtime/utf8.h"
#include "tests/support/browser_recorder.h"
#include "tests/support/default_config.h"
#include "tests/support/real_input.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/screenshot.h"
#include "tests/support/tool_process.h"
#include "ui/gadget_numbers.h"

namespace {

using namespace testing_support;

using namespace ui;

void snapshot(HWND window, const char* step) {
  if (const char* shots = std::getenv("WORDHOP_SCREENSHOTS"))
    saveScreenshot(window, std::filesystem::path(shots) / (std::string("session_") + step + ".png"));
}

// Clicks the list's empty area below its rows (which selects nothing) and
// moves the selection with the keyboard.
void selectRowByKeyboard(HWND window, std::initializer_list<WORD> keys) {
  RECT list{};
  GetWindowRect(GetDlgItem(window, entryList), &list);
  clickAt({list.left + 100, list.bottom - 12});
  pressKeys({VK_HOME});
  for (WORD key : keys) pressKeys({key});
}

void replaceSpinValue(HWND window, int spin, std::wstring_view value) {
  clickControl(window, spin, {8, -1});
  pressKeys({VK_HOME});
  pressKeys({VK_SHIFT, VK_END});
  typeText(value);
}

// A row of the list in screen coordinates, as the list itself gives it (into
// memory of its own process).
RECT rowRect(HWND window, int row) {
  HWND list = GetDlgItem(window, entryList);
  DWORD processId = 0;
  GetWindowThreadProcessId(list, &processId);
  RECT rect{LVIR_BOUNDS, 0, 0, 0};
  const runtime::UniqueHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  if (void* remote = VirtualAllocEx(process.get(), nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE)) {
    WriteProcessMemory(process.get(), remote, &rect, sizeof rect, nullptr);
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process.get(), remote, &rect, sizeof rect, nullptr);
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  }
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Rests the mouse on a row; the text of the tip that appears once the tip
// shown before (`before`) has gone.
std::wstring tipOverRow(HWND window, int row, const std::wstring& before) {
  const RECT rect = rowRect(window, row);
  moveMouseTo({rect.left + 150, (rect.top + rect.bottom) / 2});
  return tipTextOf(window, before);
}

// A point on the window's caption, where a click activates it and nothing else.
POINT captionOf(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  return {(frame.left + frame.right) / 2, frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 4};
}

// Another program's window is used while `action` runs; the settings window
// is inactive until the user comes back to it. The user activates it with a click.
void whileAnotherWindowIsActive(const std::function<void()>& action) {
  HWND editor = makeOwnWindow(L"Editor");
  clickOwnWindow(editor);
  action();
  ShowWindow(editor, SW_HIDE);
  DestroyWindow(editor);
}

// Another program holds the file, as a sync client or a virus scanner may:
// nobody else can read or write it meanwhile.
runtime::UniqueFileHandle holdFile(const std::filesystem::path& path) {
  return runtime::UniqueFileHandle(
      CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

// The default file with these entries in its Entries group.
std::string defaultFileWith(const std::vector<core::SearchEntry>& entries) {
  std::string file = kDefaultFile;
  file.erase(file.find("[Entries]\r\n") + 11);
  int number = 0;
  for (const core::SearchEntry& entry : entries)
    file += std::to_string(++number) + " = " + runtime::toUtf8(core::formatEntryRecord(entry)) + "\r\n";
  return file;
}

// The real tool in a folder of its own with the default file, started without
// a word from another folder, as the IDE would.
class SettingsSessionEndToEnd : public ::testing::Test {
 protected:
  SettingsSessionEndToEnd() : tool(installTool(toolFolder.path())), config(toolFolder.file("Wordhop.ini")) {
    core::writeDefaultConfiguration(config.wstring());
  }
  void SetUp() override {
    if (const auto why = whyInputDoesNotReachTheDesktop()) GTEST_SKIP() << *why;
  }
  // Hands the settings window, brought to the front by a click, to the
  // session and closes it after; the exit code.
  std::optional<DWORD> runSession(const SettingsWindowVisit& session) {
    auto inFront = [&session](HWND window) {
      clickAt(captionOf(window));
      session(window);
    };
    return runTool(tool, {.currentDirectory = logFolder.path(), .visitSettingsWindow = inFront});
  }

  ScratchFolder toolFolder, logFolder;
  std::filesystem::path tool, config;
};

TEST_F(SettingsSessionEndToEnd, EditsWithRealInputReachTheFileAndTheSearchRun) {
  if (const auto why = BrowserRecorder::cannotRecord()) GTEST_SKIP() << runtime::toUtf8(*why);
  BrowserRecorder recorder(logFolder.path());

  bool answered = false;
  auto session = [&](HWND window) {
    clickControl(window, addButton);
    typeText(L"example.org | test.org");
    clickControl(window, contentCheck, {6, -1});
    clickControl(window, firstMatchCheck, {6, -1});
    selectRowByKeyboard(window, {VK_END});
    pressKeys({VK_SPACE});  // ticks the new entry's box
    snapshot(window, "1_added");
    clickControl(window, moveUpButton);
    snapshot(window, "2_moved_up");
    selectRowByKeyboard(window, {VK_DOWN});
    clickControl(window, removeButton);
    if (HWND question = waitForDialog(processOf(window))) {
      snapshot(question, "3_question");
      SetForegroundWindow(question);
      pressKeys({VK_RETURN});  // Yes is the default button
      answered = true;
    }
    replaceSpinValue(window, browserStartSpin, L"300");
    replaceSpinValue(window, tabDelaySpin, L"200");
    snapshot(window, "4_final");
    pressKeys({VK_MENU, VK_F4});
  };
  EXPECT_EQ(runSession(session), 0u);
  EXPECT_TRUE(answered);

  std::vector<core::SearchEntry> entries = core::defaultEntries();
  entries.erase(entries.begin() + 1);
  entries.insert(entries.begin() + 5, core::SearchEntry{1, L"example.org | test.org", 1, 0, 1, L"", L""});
  std::string expected = defaultFileWith(entries);
  expected.replace(expected.find("BrowserStart = 2500"), 19, "BrowserStart = 300");
  expected.replace(expected.find("TabDelay = 500"), 14, "TabDelay = 200");
  EXPECT_EQ(readBytes(config), expected);

  recorder.clear();
  EXPECT_EQ(runTool(tool, {.word = L"WM_PAINT",
                           .mainWindow = std::nullopt,
                           .currentDirectory = logFolder.path(),
                           .timeoutMs = 60000,
                           .visitSettingsWindow = nullptr}),
            0u);
  std::vector<std::wstring> addresses;
  for (const Recorded& line : recorder.settled()) addresses.push_back(line.argument);
  const std::wstring base = L"https://www.google.com/search?";
  const std::wstring tail = L"&hl=en&tbs=qdr:y99,sbd:0";
  EXPECT_EQ(addresses, (std::vector<std::wstring>{
                           L"",
                           base + L"q=WM_PAINT+site:www.purebasic.fr/english+|+site:www.purebasic.fr/french" + tail,
                           base + L"q=WM_PAINT+site:devblogs.microsoft.com" + tail,
                           base + L"btnI=I%27m+Feeling+Lucky&q=WM_PAINT+site:example.org+|+site:test.org" + tail,
                           base + L"q=WM_PAINT+function|message|notification|structure+site:learn.microsoft.com" + tail,
                       }));
}

// The user edits the file in an editor while the window is open, comes back
// to the window and moves an entry: the window shows the edit before the move
// rewrites the entries, so the edit is kept.
TEST_F(SettingsSessionEndToEnd, AnEditMadeOutsideTheWindowSurvivesTheNextMove) {
  std::vector<core::SearchEntry> edited = core::defaultEntries();
  edited[6].info = L"Changed in the editor";
  edited.push_back({1, L"example.org", 0, 0, 0, L"", L"Added in the editor"});
  const std::string editedFile = defaultFileWith(edited);

  std::string afterComingBack;
  auto session = [&](HWND window) {
    whileAnotherWindowIsActive([&] { writeBytes(config, editedFile); });
    clickAt(captionOf(window));
    afterComingBack = readBytes(config);
    clickControl(window, moveDownButton);  // the first row, still selected
  };
  EXPECT_EQ(runSession(session), 0u);
  EXPECT_TRUE(afterComingBack == editedFile) << "coming back to the window wrote the file";
  std::swap(edited[0], edited[1]);
  EXPECT_EQ(readBytes(config), defaultFileWith(edited));
}

// The user comes back from the editor by ticking a row's box: the click is
// handled before the window learns it was activated. The tick applies to the
// file's state, and the move after it keeps the editor's change.
TEST_F(SettingsSessionEndToEnd, AnEditMadeOutsideSurvivesTheTickThatComesBackAndTheMoveAfterIt) {
  std::vector<core::SearchEntry> edited = core::defaultEntries();
  edited[2].info = L"Changed in the editor";
  auto session = [&](HWND window) {
    whileAnotherWindowIsActive([&] {
      writeBytes(config, defaultFileWith(edited));
      const RECT row = rowRect(window, 0);
      clickAt({row.left + 9, (row.top + row.bottom) / 2});  // its check box
    });
    snapshot(window, "5_ticked_after_editor");
    clickControl(window, moveDownButton);
  };
  EXPECT_EQ(runSession(session), 0u);
  edited[0].enabled = 0;
  std::swap(edited[0], edited[1]);
  EXPECT_EQ(readBytes(config), defaultFileWith(edited));
}

// The window opens while another program holds the file. It says so once,
// shows nothing it could not read, and adds to the file once it can read it.
TEST_F(SettingsSessionEndToEnd, AWindowThatCouldNotReadTheFileAddsToItOnceItCan) {
  runtime::UniqueFileHandle held = holdFile(config);
  ASSERT_TRUE(held);
  bool told = false;
  auto session = [&](HWND window) {
    told = tipTextOf(window).find(L"cannot read its settings") != std::wstring::npos;
    held.reset();
    clickControl(window, addButton);
    typeText(L"example.org");
  };
  EXPECT_EQ(runSession(session), 0u);
  EXPECT_TRUE(told);
  std::vector<core::SearchEntry> entries = core::defaultEntries();
  entries.push_back({0, L"example.org", 0, 0, 0, L"", L""});
  EXPECT_EQ(readBytes(config), defaultFileWith(entries));
}

// A save fails while another program holds the file, or while it is read-only:
// the keys typed quickly meanwhile all stay in the field (the failure is told
// in a balloon, which takes none), and the next save, of another key once the
// file may be written, writes them too.
TEST_F(SettingsSessionEndToEnd, AChangeWhoseSaveFailedIsWrittenWithTheNextSave) {
  struct Case {
    const char* name;
    std::function<std::function<void()>()> hold;  // gives what lets go again
    const wchar_t* told;
  } cases[] = {
      {"held",
       [this] {
         auto held = std::make_shared<runtime::UniqueFileHandle>(holdFile(config));
         return [held] { held->reset(); };
       },
       L"Another program holds the file"},
      {"read-only",
       [this] {
         testing_support::setReadOnly(config, true);
         return [this] { testing_support::setReadOnly(config, false); };
       },
       L"The file is read-only."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    core::writeDefaultConfiguration(config.wstring());
    std::wstring typed, told;
    auto session = [&](HWND window) {
      const std::function<void()> letGo = c.hold();
      clickControl(window, urlField);
      pressKeys({VK_END});
      typeText(L"abcd");
      told = tipTextOf(window);
      wchar_t text[512] = L"";
      SendMessageW(GetDlgItem(window, urlField), WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
      typed = text;
      letGo();
      replaceSpinValue(window, browserStartSpin, L"300");
    };
    EXPECT_EQ(runSession(session), 0u);
    testing_support::setReadOnly(config, false);
    std::vector<core::SearchEntry> entries = core::defaultEntries();
    EXPECT_EQ(typed, entries[0].sites + L"abcd");
    EXPECT_NE(told.find(c.told), std::wstring::npos) << runtime::toUtf8(told);
    entries[0].sites += L"abcd";
    std::string expected = defaultFileWith(entries);
    expected.replace(expected.find("BrowserStart = 2500"), 19, "BrowserStart = 300");
    EXPECT_EQ(readBytes(config), expected);
  }
}

// Another program changes the file while the user types: each keystroke lands
// on the entry the user sees, never on another entry; an entry removed outside
// while the user types in it stays, with a word; a change whose save failed
// survives the next outside edit; one that meets another change of the same
// field is dropped with a word.
TEST_F(SettingsSessionEndToEnd, KeysTypedWhileAnotherProgramChangesTheFileLandOnTheEntryTheUserSees) {
  const core::SearchEntry alpha{0, L"alpha.example", 0, 0, 0, L"+AAA", L""};
  const core::SearchEntry beta{0, L"beta.example", 0, 0, 0, L"+BBB", L""};
  const core::SearchEntry gamma{0, L"gamma.example", 0, 0, 0, L"", L""};
  auto with = [](core::SearchEntry entry, std::wstring core::SearchEntry::*field, const wchar_t* text) {
    entry.*field = text;
    return entry;
  };
  writeBytes(config, defaultFileWith({alpha, beta, gamma}));
  struct Step {
    std::string file;
    std::wstring notice;
    bool selected = true, told = false;
  };
  std::vector<Step> steps;
  // The other program replaces the file in one step: the window, which may
  // read it at any moment (it catches up when it is activated), never sees
  // half of it.
  auto replaceWith = [this](const std::vector<core::SearchEntry>& entries) {
    const std::filesystem::path scratch = toolFolder.file("Wordhop.ini.new");
    writeBytes(scratch, defaultFileWith(entries));
    MoveFileExW(scratch.c_str(), config.c_str(), MOVEFILE_REPLACE_EXISTING);
  };
  auto typeIntoFilter = [](HWND window, const wchar_t* text) {
    clickControl(window, filterField);
    pressKeys({VK_END});
    typeText(text);
  };
  auto session = [&](HWND window) {
    auto record = [&](bool told = false) {
      const bool selected =
          SendMessageW(GetDlgItem(window, entryList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) >= 0;
      const bool balloon = waitForWindow(processOf(window), TOOLTIPS_CLASSW, 1000) != nullptr;
      steps.push_back({readBytes(config), balloon ? tipTextOf(window) : L"", selected, told});
    };
    selectRowByKeyboard(window, {VK_DOWN});  // beta
    replaceWith({beta, alpha, gamma});
    typeIntoFilter(window, L"Z");
    record();
    replaceWith({alpha, gamma});  // beta, selected, goes
    typeText(L"Q");
    record();
    selectRowByKeyboard(window, {VK_DOWN});  // alpha, after beta which stayed
    testing_support::setReadOnly(config, true);
    typeIntoFilter(window, L"1");
    const bool told = tipTextOf(window).find(L"read-only") != std::wstring::npos;
    testing_support::setReadOnly(config, false);
    replaceWith({alpha, with(gamma, &core::SearchEntry::info, L"outside")});
    typeIntoFilter(window, L"2");
    record(told);
    replaceWith({with(alpha, &core::SearchEntry::filter, L"+OUT"), gamma});
    typeText(L"Z");
    record();
    typeText(L"z");  // the field shows the file's text, the caret where the user was typing
    record();
  };
  EXPECT_EQ(runSession(session), 0u);
  ASSERT_EQ(steps.size(), 5u);
  EXPECT_EQ(steps[0].file, defaultFileWith({with(beta, &core::SearchEntry::filter, L"+BBBZ"), alpha, gamma}));
  EXPECT_EQ(steps[0].notice, L"");
  EXPECT_EQ(steps[1].file, defaultFileWith({with(beta, &core::SearchEntry::filter, L"+BBBZQ"), alpha, gamma}));
  EXPECT_NE(steps[1].notice.find(L"removed this entry from Wordhop.ini; your change of Filter keeps it"),
            std::wstring::npos)
      << steps[1].notice;
  EXPECT_TRUE(steps[1].selected);
  EXPECT_TRUE(steps[2].told);
  EXPECT_EQ(steps[2].file, defaultFileWith({with(alpha, &core::SearchEntry::filter, L"+AAA12"),
                                            with(gamma, &core::SearchEntry::info, L"outside")}));
  EXPECT_EQ(steps[3].file, defaultFileWith({with(alpha, &core::SearchEntry::filter, L"+OUT"), gamma}));
  EXPECT_NE(steps[3].notice.find(L"your change of Filter was not applied"), std::wstring::npos) << steps[3].notice;
  EXPECT_TRUE(steps[3].selected);
  EXPECT_EQ(steps[4].file, defaultFileWith({with(alpha, &core::SearchEntry::filter, L"+OUTz"), gamma}));
}

// Among four entries alike but for their filter and info, the user removes the
// third while another program removes it too: the one Yes removes one entry.
TEST_F(SettingsSessionEndToEnd, ARemovalOfALookAlikeRemovedOutsideRemovesNoOther) {
  std::vector<core::SearchEntry> without = core::defaultEntries();
  without.erase(without.begin() + 2);
  bool asked = false;
  auto session = [&](HWND window) {
    selectRowByKeyboard(window, {VK_DOWN, VK_DOWN});
    clickControl(window, removeButton);
    HWND question = waitForDialog(processOf(window));
    asked = question != nullptr;
    writeBytes(config, defaultFileWith(without));
    if (!question) return;
    SetForegroundWindow(question);
    pressKeys({VK_RETURN});  // Yes
    settle();
  };
  EXPECT_EQ(runSession(session), 0u);
  EXPECT_TRUE(asked);
  EXPECT_EQ(readBytes(config), defaultFileWith(without));
}

// With the focus in the list, Insert, Delete, Alt+Up and Alt+Down do what
// the buttons do. A note written by hand among the entries travels, as it
// stands, with the entry after it when they are rearranged.
TEST_F(SettingsSessionEndToEnd, TheListsKeysAddMoveAndRemoveEntriesAndANoteTravelsWithItsEntry) {
  auto withNoteBefore = [](std::string file, const char* key, const char* note) {
    return file.insert(file.find(std::string("\r\n") + key + " = ") + 2, std::string(note) + "\r\n");
  };
  std::vector<core::SearchEntry> entries = core::defaultEntries();
  writeBytes(config, withNoteBefore(defaultFileWith(entries), "3", "check the German forum too"));
  bool asked = false;
  auto session = [&](HWND window) {
    for (WORD arrow : {VK_DOWN, VK_DOWN, VK_UP, VK_DOWN}) pressKeys({VK_MENU, arrow});  // the first row's entry
    pressKeys({VK_INSERT});  // the new entry's URL field has the focus
    typeText(L"example.org");
    selectRowByKeyboard(window, {});
    pressKeys({VK_DELETE});
    asked = answerMessageBox(window);
  };
  EXPECT_EQ(runSession(session), 0u);
  EXPECT_TRUE(asked);
  std::rotate(entries.begin(), entries.begin() + 1, entries.begin() + 3);
  entries.push_back({0, L"example.org", 0, 0, 0, L"", L""});
  entries.erase(entries.begin());
  EXPECT_EQ(readBytes(config), withNoteBefore(defaultFileWith(entries), "1", "check the German forum too"));
}

// The user types, switches to another program and back (a click on the
// title bar), and types on: every key lands in the field it was typed in.
// A balloon belongs to its window: it hides while another program's window is
// active, and shows again when the user comes back while its cause lasts (the
// file is still read-only).
TEST_F(SettingsSessionEndToEnd, ABalloonHidesWhileAnotherWindowIsActive) {
  bool atFirst = false, meanwhile = true, afterwards = false;
  auto session = [&](HWND window) {
    auto balloonShown = [&] { return waitForWindow(processOf(window), TOOLTIPS_CLASSW, 1000) != nullptr; };
    testing_support::setReadOnly(config, true);
    clickControl(window, urlField);
    pressKeys({VK_END});
    typeText(L"a");
    atFirst = balloonShown();
    whileAnotherWindowIsActive([&] { meanwhile = balloonShown(); });
    clickAt(captionOf(window));
    afterwards = balloonShown();

    testing_support::setReadOnly(config, false);
    typeText(L"b");
  };
  EXPECT_EQ(runSession(session), 0u);
  EXPECT_TRUE(atFirst);
  EXPECT_FALSE(meanwhile);
  EXPECT_TRUE(afterwards);
  std::vector<core::SearchEntry> entries = core::defaultEntries();
  entries[0].sites += L"ab";
  EXPECT_EQ(readBytes(config), defaultFileWith(entries));
}

TEST_F(SettingsSessionEndToEnd, KeysTypedAfterComingBackLandInTheFieldTheyWereTypedIn) {
  auto session = [&](HWND window) {
    clickControl(window, filterField);
    typeText(L"ab");
    whileAnotherWindowIsActive([] {});
    clickAt(captionOf(window));
    typeText(L"cd");
  };
  EXPECT_EQ(runSession(session), 0u);
  std::vector<core::SearchEntry> entries = core::defaultEntries();
  entries[0].filter = L"abcd";
  EXPECT_EQ(readBytes(config), defaultFileWith(entries));
}

// Two settings windows, side by side, clicked and typed in by turns and
// quickly: every round of keys lands in the field clicked, in its own file.
TEST_F(SettingsSessionEndToEnd, TwoWindowsTypedInByTurnsKeepEveryKey) {
  ScratchFolder secondFolder;
  const std::filesystem::path secondTool = installTool(secondFolder.path());
  const std::filesystem::path secondConfig = secondFolder.file("Wordhop.ini");
  core::writeDefaultConfiguration(secondConfig.wstring());
  auto bothOpen = [&](HWND first) {
    auto byTurns = [&](HWND second) {
      MoveWindow(first, 0, 0, 560, 400, TRUE);
      MoveWindow(second, 620, 0, 560, 400, TRUE);
      for (const wchar_t* round : {L"1", L"2", L"3"}) {
        for (const auto& [window, letter] : {std::pair{first, L'a'}, std::pair{second, L'b'}}) {
          inputTargetWindow() = window;
          clickControl(window, filterField);
          typeText(std::wstring{letter} + round);
        }
      }
      inputTargetWindow() = second;
    };
    EXPECT_EQ(runTool(secondTool, {.currentDirectory = logFolder.path(), .visitSettingsWindow = byTurns}), 0u);
    inputTargetWindow() = first;
  };
  EXPECT_EQ(runSession(bothOpen), 0u);
  for (const auto& [file, typed] : {std::pair{config, L"a1a2a3"}, std::pair{secondConfig, L"b1b2b3"}}) {
    std::vector<core::SearchEntry> entries = core::defaultEntries();
    entries[0].filter = typed;
    EXPECT_EQ(readBytes(file), defaultFileWith(entries)) << file;
  }
}

// The user moves c up past b, which another program has just removed: c stays
// below a, where the user put it.
TEST_F(SettingsSessionEndToEnd, AMoveNextToAnOutsideRemovalLandsWhereTheUserPutIt) {
  const core::SearchEntry a{0, L"a.example", 0, 0, 0, L"", L""}, b{0, L"b.example", 0, 0, 0, L"", L""},
      c{0, L"c.example", 0, 0, 0, L"", L""};
  writeBytes(config, defaultFileWith({a, b, c}));
  auto session = [&](HWND window) {
    selectRowByKeyboard(window, {VK_DOWN, VK_DOWN});
    writeBytes(config, defaultFileWith({a, c}));
    pressKeys({VK_MENU, VK_UP});
  };
  EXPECT_EQ(runSession(session), 0u);
  EXPECT_EQ(readBytes(config), defaultFileWith({a, c}));
}

#define X WORDHOP_X

// A file laid out by hand: one key typed into Filter changes that entry's
// line, in its own layout, and no other byte.
TEST_F(SettingsSessionEndToEnd, AKeyTypedIntoAHandFormattedFileChangesOneLine) {
  auto handFormatted = [](const char* filter) {
    return std::string(";my settings\r\n\r\n[Browser]\r\n  BrowserStart=0\r\n\r\n[Entries]\r\n  1 =  1" X
                       "alpha.example" X "1" X "0" X "0" X) +
           filter + X "info A\r\n  2 =  0" X "beta.example\r\n\r\n[Mine]\r\nkeep=me\r\n";
  };
  writeBytes(config, handFormatted("+AAA"));
  auto session = [&](HWND window) {
    clickControl(window, filterField);
    pressKeys({VK_END});
    typeText(L"k");
  };
  EXPECT_EQ(runSession(session), 0u);
  EXPECT_EQ(readBytes(config), "\xEF\xBB\xBF" + handFormatted("+AAAk"));
}

// What follows an entry's seventh field stays with it when another entry is
// moved past it.
TEST_F(SettingsSessionEndToEnd, AnEighthFieldTravelsWithItsEntryWhenAnotherMoves) {
  const std::string other = "0" X "b.example" X "0" X "0" X "0" X X "b";
  const std::string extended = "1" X "alpha.example" X "1" X "0" X "0" X "+AAA" X "info A" X "extra8" X "extra9";
  writeBytes(config, "\xEF\xBB\xBF[Entries]\r\n1 = " + other + "\r\n2 = " + extended + "\r\n");
  auto session = [&](HWND window) {
    (void)window;
    pressKeys({VK_MENU, VK_DOWN});  // the first row, selected at the start
  };
  EXPECT_EQ(runSession(session), 0u);
  EXPECT_EQ(readBytes(config), "\xEF\xBB\xBF[Entries]\r\n1 = " + extended + "\r\n2 = " + other + "\r\n");
}

#undef X

// A screen reader, another process, asks every gadget for its name: the image
// buttons say what their tips say, the fields what their labels say.
TEST_F(SettingsSessionEndToEnd, EveryGadgetHasTheNameAScreenReaderReads) {
  const std::vector<std::wstring> expected = {// by gadget number, from 1
                                              L"Search entries",
                                              L"Add",
                                              L"Remove",
                                              L"Move up",
                                              L"Move down",
                                              L"Browser Start:",
                                              L"Browser Start:",
                                              L"Tab Delay:",
                                              L"Tab Delay:",
                                              L"Open Wordhop.ini",
                                              L"Make a donation via PayPal",
                                              L"URL:",
                                              L"URL:",
                                              L"PB",
                                              L"Sort by Date",
                                              L"First Match",
                                              L"Filter:",
                                              L"Filter:",
                                              L"Info:",
                                              L"Info:"};
  std::vector<std::wstring> names;
  auto session = [&](HWND window) {
    for (int gadget = 1; gadget <= 20; ++gadget) {
      runtime::ComPtr<IAccessible> accessible;
      runtime::Bstr text;
      if (SUCCEEDED(AccessibleObjectFromWindow(GetDlgItem(window, gadget), static_cast<DWORD>(OBJID_CLIENT),
                                               __uuidof(IAccessible), accessible.putVoid()))) {
        VARIANT self{};
        self.vt = VT_I4;                                               // CHILDID_SELF
        static_cast<void>(accessible->get_accName(self, text.put()));  // no name: none is read
      }
      names.emplace_back(text ? text.get() : L"(no name)");
    }
  };
  EXPECT_EQ(runSession(session), 0u);
  EXPECT_EQ(names, expected);
}

// The window menu's command puts the tool into the IDE's list of tools with
// one answer, and tells where it will show; the list's other lines stay.
TEST_F(SettingsSessionEndToEnd, TheWindowMenuAddsTheToolToTheIdesToolsMenuWithOneAnswer) {
  const ScratchFolder ide;
  // As the IDE writes it: keys indented, a blank line between groups.
  const std::string others =
      "\xEF\xBB\xBF; IDE\r\n[ToolsInfo]\r\n  ToolCount = 1\r\n\r\n[Tool_0]\r\n  Command = C:\\x.exe\r\n";
  writeBytes(ide.file("Tools.prefs"), others);
  SetEnvironmentVariableW(L"PB_TOOL_Preferences", ide.file("PureBasic.prefs").c_str());  // as the IDE hands it
  std::vector<std::wstring> told;
  auto session = [&](HWND window) {
    pressKeys({VK_MENU, VK_SPACE});  // the window menu
    pressKeys({VK_UP});              // its last item
    pressKeys({VK_RETURN});
    for (int box = 0; box < 2; ++box) {  // the question, then what was done
      HWND dialog = waitForDialog(processOf(window));
      if (!dialog) break;
      wchar_t text[1024] = L"";
      GetDlgItemTextW(dialog, 0xFFFF, text, 1024);  // a message box's text
      told.emplace_back(text);
      SetForegroundWindow(dialog);
      pressKeys({VK_RETURN});  // Yes, then OK
    }
  };
  EXPECT_EQ(runSession(session), 0u);
  SetEnvironmentVariableW(L"PB_TOOL_Preferences", nullptr);
  ASSERT_EQ(told.size(), 2u);
  EXPECT_NE(told[0].find(ide.file("Tools.prefs").wstring()), std::wstring::npos) << runtime::toUtf8(told[0]);
  EXPECT_NE(told[1].find(L"after its next start"), std::wstring::npos) << runtime::toUtf8(told[1]);
  std::string expected = others + "\r\n[Tool_1]\r\n  Command = " + runtime::toUtf8(tool.wstring()) + "\r\n";
  for (const char* key : {"Arguments = ", "WorkingDir = ", "MenuItemName = Wordhop", "Shortcut = 0",
                          "ConfigLine = ", "Trigger = 0", "Flags = 0", "ReloadSource = 0", "HideEditor = 0",
                          "HideFromMenu = 0", "SourceSpecific = 0", "DeactivateTool = 0"})
    expected += std::string("  ") + key + "\r\n";
  expected.replace(expected.find("ToolCount = 1"), 13, "ToolCount = 2");
  EXPECT_EQ(readBytes(ide.file("Tools.prefs")), expected);
}

// Hovering a row shows, as its tip, the address its entry opens with "{word}"
// where the word goes; the tip follows an edit at once.
TEST_F(SettingsSessionEndToEnd, EachRowsTipShowsTheAddressItsEntryOpens) {
  std::vector<core::SearchEntry> entries = core::defaultEntries();
  entries[1].sites = L"https://forums.example/search?q={word}";
  entries[6].firstMatch = 1;  // learn.microsoft.com: API names open their page
  writeBytes(config, defaultFileWith(entries));
  std::vector<std::wstring> tips;
  auto session = [&](HWND window) {
    tips.push_back(tipOverRow(window, 0, L""));
    tips.push_back(tipOverRow(window, 1, tips.back()));
    clickControl(window, urlField);  // of the first row, selected at the start
    pressKeys({VK_END});
    typeText(L"x");
    tips.push_back(tipOverRow(window, 0, tips.back()));
    tips.push_back(tipOverRow(window, 6, tips.back()));
  };
  EXPECT_EQ(runSession(session), 0u);
  const std::wstring engine = L"https://www.google.com/search?q={word}";
  const std::wstring sites = L"+site:www.purebasic.fr/english+|+site:www.purebasic.fr/french";
  EXPECT_EQ(tips, (std::vector<std::wstring>{
                      engine + sites + L"&hl=en&tbs=qdr:y99,sbd:0",
                      L"https://forums.example/search?q={word}",
                      engine + sites + L"x&hl=en&tbs=qdr:y99,sbd:0",
                      L"https://www.google.com/search?btnI=I%27m+Feeling+Lucky&q={word}+function|message|notification|"
                      L"structure+site:learn.microsoft.com&hl=en&tbs=qdr:y99,sbd:0\n"
                      L"Known Windows API names open their own page.",
                  }));
}

}  // namespace
