// A user's session in the settings window of the real executable, with real
// mouse clicks and key presses; then the file it left, and a search run with it.
#include <gtest/gtest.h>

#include "core/configuration.h"
#include "runtime/utf8.h"
#include "tests/support/browser_recorder.h"
#include "tests/support/default_config.h"
#include "tests/support/real_input.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/screenshot.h"
#include "tests/support/tool_process.h"

namespace {

using namespace testing_support;

constexpr int kEntryList = 1, kAdd = 2, kRemove = 3, kMoveUp = 4, kMoveDown = 5, kBrowserStart = 7, kTabDelay = 9,
              kUrl = 13, kContent = 14, kFirstMatch = 16;

void snapshot(HWND window, const char* step) {
  if (const char* shots = std::getenv("WORDHOP_SCREENSHOTS"))
    saveScreenshot(window, std::filesystem::path(shots) / (std::string("session_") + step + ".png"));
}

// Clicks the list's empty area below its rows (which selects nothing) and
// moves the selection with the keyboard.
void selectRowByKeyboard(HWND window, std::initializer_list<WORD> keys) {
  RECT list{};
  GetWindowRect(GetDlgItem(window, kEntryList), &list);
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

// Starts the tool without a word, as the IDE would from another folder, and
// hands its settings window to the session.
std::optional<DWORD> runSettingsWindow(const std::filesystem::path& tool, const std::filesystem::path& folder,
                                       SettingsWindowVisit session) {
  return runTool(tool, {.currentDirectory = folder, .visitSettingsWindow = std::move(session)});
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

TEST(SettingsSessionEndToEnd, EditsWithRealInputReachTheFileAndTheSearchRun) {
  ScratchFolder toolFolder, logFolder;
  const auto tool = installTool(toolFolder.path());
  const auto config = toolFolder.file("Wordhop.ini");
  core::writeDefaultConfiguration(config.wstring());
  BrowserRecorder recorder(logFolder.path());

  bool answered = false;
  auto session = [&](HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    SetForegroundWindow(window);
    settle();
    clickControl(window, kAdd);
    typeText(L"example.org | test.org");
    clickControl(window, kContent, {6, -1});
    clickControl(window, kFirstMatch, {6, -1});
    selectRowByKeyboard(window, {VK_END});
    pressKeys({VK_SPACE});  // ticks the new entry's box
    snapshot(window, "1_added");
    clickControl(window, kMoveUp);
    snapshot(window, "2_moved_up");
    selectRowByKeyboard(window, {VK_DOWN});
    clickControl(window, kRemove);
    if (HWND question = waitForDialog(processId)) {
      snapshot(question, "3_question");
      SetForegroundWindow(question);
      pressKeys({VK_RETURN});  // Yes is the default button
      answered = true;
    }
    replaceSpinValue(window, kBrowserStart, L"300");
    replaceSpinValue(window, kTabDelay, L"200");
    snapshot(window, "4_final");
    pressKeys({VK_MENU, VK_F4});
  };
  EXPECT_EQ(runSettingsWindow(tool, logFolder.path(), session), 0u);
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
TEST(SettingsSessionEndToEnd, AnEditMadeOutsideTheWindowSurvivesTheNextMove) {
  ScratchFolder toolFolder, logFolder;
  const auto tool = installTool(toolFolder.path());
  const auto config = toolFolder.file("Wordhop.ini");
  core::writeDefaultConfiguration(config.wstring());
  std::vector<core::SearchEntry> edited = core::defaultEntries();
  edited[6].info = L"Changed in the editor";
  edited.push_back({1, L"example.org", 0, 0, 0, L"", L"Added in the editor"});
  const std::string editedFile = defaultFileWith(edited);

  std::string afterComingBack;
  auto session = [&](HWND window) {
    SetForegroundWindow(window);
    settle();
    // Another window (the editor's) is used, then the user comes back.
    HWND editor = CreateWindowExW(0, L"STATIC", L"Editor", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 200, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    SetForegroundWindow(editor);
    settle();
    writeBytes(config, editedFile);
    RECT frame{};
    GetWindowRect(window, &frame);
    clickAt({frame.left + 150, frame.top + 10});  // its caption
    settle();
    afterComingBack = readBytes(config);
    clickControl(window, kMoveDown);  // the first row, still selected
    DestroyWindow(editor);
    pressKeys({VK_MENU, VK_F4});
  };
  EXPECT_EQ(runSettingsWindow(tool, logFolder.path(), session), 0u);
  EXPECT_TRUE(afterComingBack == editedFile) << "coming back to the window wrote the file";
  std::swap(edited[0], edited[1]);
  EXPECT_EQ(readBytes(config), defaultFileWith(edited));
}

}  // namespace
