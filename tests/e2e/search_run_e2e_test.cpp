// The real executable performs search runs; a recording program stands in for
// the browser and logs every start and address it receives.
#include <gtest/gtest.h>

#include "core/configuration.h"
#include "runtime/clipboard.h"
#include "tests/support/browser_recorder.h"
#include "tests/support/process_start.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/settings_file.h"
#include "tests/support/tool_process.h"

namespace {

using testing_support::Recorded;

const std::wstring B = L"https://www.google.com/search?";
const std::wstring kVendor = L"+site:www.purebasic.fr/english+|+site:www.purebasic.fr/french";
const std::wstring kTail = L"&hl=en&tbs=qdr:y99,sbd:0";

class SearchRunEndToEnd : public ::testing::Test {
 protected:
  SearchRunEndToEnd() : recorder(logFolder.path()) {
    tool = testing_support::installTool(toolFolder.path());
    const std::wstring config = toolFolder.file("Wordhop.ini").wstring();
    core::writeDefaultConfiguration(config);
    setTimings(0, 0);
  }
  void SetUp() override {
    if (const auto why = testing_support::BrowserRecorder::cannotRecord()) GTEST_SKIP() << runtime::toUtf8(*why);
  }
  void setTimings(int browserStart, int tabDelay) const {
    const std::wstring config = toolFolder.file("Wordhop.ini").wstring();
    EXPECT_FALSE(testing_support::saveTimings(config, browserStart, tabDelay));
  }
  // Runs a search for the word, handed over as the IDE does or, as an editor
  // does, on the command line; what the browser received, after its start.
  enum class Handover { ideVariable, commandLine };
  std::vector<std::wstring> searchFor(const std::wstring& word, Handover way = Handover::ideVariable) {
    recorder.clear();
    const bool byIde = way == Handover::ideVariable;
    EXPECT_EQ(testing_support::runTool(tool, {.word = byIde ? std::optional(word) : std::nullopt,
                                              .mainWindow = std::nullopt,
                                              .currentDirectory = logFolder.path(),
                                              .timeoutMs = 60000,
                                              .visitSettingsWindow = nullptr,
                                              .argument = byIde ? std::nullopt : std::optional(word)}),
              0u);
    recorded = recorder.settled();
    EXPECT_FALSE(recorded.empty());
    EXPECT_EQ(recorded.empty() ? L"-" : recorded.front().argument, L"")
        << "the browser starts first, without arguments";
    std::vector<std::wstring> addresses;
    for (std::size_t i = 1; i < recorded.size(); ++i) addresses.push_back(recorded[i].argument);
    return addresses;
  }

  testing_support::ScratchFolder toolFolder, logFolder;
  testing_support::BrowserRecorder recorder;
  std::filesystem::path tool;
  std::vector<Recorded> recorded;
};

TEST_F(SearchRunEndToEnd, UpperCaseWordOpensRecordsOneSixAndSevenInOrder) {
  EXPECT_EQ(searchFor(L"WM_PAINT"),
            (std::vector<std::wstring>{
                B + L"q=WM_PAINT" + kVendor + kTail,
                B + L"q=WM_PAINT+site:devblogs.microsoft.com" + kTail,
                B + L"q=WM_PAINT+function|message|notification|structure+site:learn.microsoft.com" + kTail,
            }));
  EXPECT_EQ(runtime::clipboardText(), L"WM_PAINT");
}

TEST_F(SearchRunEndToEnd, MixedCaseWordOpensOnlyTheEntryWithPbContent) {
  EXPECT_EQ(searchFor(L"OpenWindow"), std::vector<std::wstring>{B + L"q=OpenWindow" + kVendor + kTail});
}

TEST_F(SearchRunEndToEnd, TrailingUnderscoresAreDroppedAlsoOnTheClipboard) {
  std::vector<std::wstring> addresses = searchFor(L"SendMessage_");
  ASSERT_EQ(addresses.size(), 3u);
  EXPECT_EQ(addresses[0], B + L"q=SendMessage" + kVendor + kTail);
  EXPECT_EQ(runtime::clipboardText(), L"SendMessage");
}

TEST_F(SearchRunEndToEnd, SpecialCharactersArriveEscapedAndTheClipboardKeepsThem) {
  EXPECT_EQ(searchFor(L"a#b&c d"), std::vector<std::wstring>{B + L"q=a%23b%26c d" + kVendor + kTail});
  EXPECT_EQ(runtime::clipboardText(), L"a#b&c d");
}

// Entries whose URL is an address template open it with the word encoded,
// in list order among the others, which open what they opened before.
TEST_F(SearchRunEndToEnd, AddressTemplatesOpenTheirOwnAddressesBetweenTheOthers) {
  const std::wstring config = toolFolder.file("Wordhop.ini").wstring();
  std::vector<core::SearchEntry> entries = core::defaultEntries();
  entries.insert(entries.begin() + 1,
                 {1, L"https://www.purebasic.com/documentation/search?q={word}", 1, 0, 0, L"", L""});
  EXPECT_FALSE(testing_support::saveEntries(config, entries));
  EXPECT_EQ(searchFor(L"Gr\u00FC\u00DFe Welt#1"),
            (std::vector<std::wstring>{
                B + L"q=Gr\u00FC\u00DFe Welt%231" + kVendor + kTail,
                L"https://www.purebasic.com/documentation/search?q=Gr%C3%BC%C3%9Fe%20Welt%231",
            }));
}

// First Match ticked on the Microsoft entry: a Windows API name opens its own
// page in that entry's turn; the other entries open what they opened before.
TEST_F(SearchRunEndToEnd, FirstMatchOnTheMicrosoftEntryOpensTheApiPage) {
  const std::wstring config = toolFolder.file("Wordhop.ini").wstring();
  std::vector<core::SearchEntry> entries = core::defaultEntries();
  entries[6].firstMatch = 1;  // learn.microsoft.com
  EXPECT_FALSE(testing_support::saveEntries(config, entries));
  EXPECT_EQ(searchFor(L"GetClientRect_"),
            (std::vector<std::wstring>{
                B + L"q=GetClientRect" + kVendor + kTail,
                B + L"q=GetClientRect+site:devblogs.microsoft.com" + kTail,
                L"https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getclientrect",
            }));
  EXPECT_EQ(runtime::clipboardText(), L"GetClientRect");
}

// Any editor can start a search with the word as the one command-line
// argument: the same addresses as with the IDE's variable.
TEST_F(SearchRunEndToEnd, AWordOnTheCommandLineSearchesAsTheIdesVariableDoes) {
  for (const wchar_t* word : {L"WM_PAINT", L"a#b&c d", L"say \"hi\"", L"Gr\u00FC\u00DFe", L"C:\\path\\"}) {
    const std::vector<std::wstring> byIde = searchFor(word);
    EXPECT_FALSE(byIde.empty()) << word;
    EXPECT_EQ(searchFor(word, Handover::commandLine), byIde) << word;
    EXPECT_EQ(runtime::clipboardText(), word);
  }
}

TEST_F(SearchRunEndToEnd, BrowserStartAndTabDelayAreWaited) {
  setTimings(300, 200);
  ASSERT_EQ(searchFor(L"WM_PAINT").size(), 3u);
  ASSERT_EQ(recorded.size(), 4u);
  constexpr unsigned long long kMs = 10000;  // 100 ns units per millisecond
  EXPECT_GE(recorded[1].startedAt - recorded[0].startedAt, 300 * kMs);
  EXPECT_GE(recorded[2].startedAt - recorded[1].startedAt, 200 * kMs);
  EXPECT_GE(recorded[3].startedAt - recorded[2].startedAt, 200 * kMs);
}

// A folder named like the file: no file can be made, so there are no entries,
// but the browser still starts (and its default wait of 2.5 s follows).
TEST_F(SearchRunEndToEnd, WithoutAConfigurationFileOnlyTheBrowserStarts) {
  std::filesystem::remove(toolFolder.file("Wordhop.ini"));
  std::filesystem::create_directory(toolFolder.file("Wordhop.ini"));
  EXPECT_TRUE(searchFor(L"WM_PAINT").empty());
  EXPECT_EQ(runtime::clipboardText(), L"WM_PAINT");
}

// A copy of the recording browser that shows a window until it goes, as a
// browser that already runs does.
class ShownBrowser {
 public:
  explicit ShownBrowser(const std::filesystem::path& program) {
    const std::wstring commandLine = L"\"" + std::filesystem::path(program).make_preferred().wstring() + L"\" --window";
    if (!testing_support::startProcess(nullptr, commandLine, nullptr, process_)) return;
    CloseHandle(process_.hThread);
    window_ = testing_support::waitForWindow(process_.dwProcessId);
  }
  ~ShownBrowser() {
    if (!process_.hProcess) return;
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
  }
  ShownBrowser(const ShownBrowser&) = delete;
  ShownBrowser& operator=(const ShownBrowser&) = delete;
  bool shown() const { return window_ != nullptr; }

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// The IDE's window on top, as when its shortcut starts the tool (the check
// never looks at the first window in Z-order). It stays on top: a browser
// window that the display activates late would otherwise come before it.
struct IdeWindow {
  IdeWindow() = default;
  ~IdeWindow() { DestroyWindow(window); }
  IdeWindow(const IdeWindow&) = delete;
  IdeWindow& operator=(const IdeWindow&) = delete;
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"IDE", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
};

unsigned long long nowIn100ns() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// The browser already shows a window: it is not started again, its first tab
// comes long before the start wait would have passed, and the tabs are the
// ones a run with the browser closed opens.
TEST_F(SearchRunEndToEnd, ABrowserThatRunsAlreadyIsNotStartedAgain) {
  const std::vector<std::wstring> withBrowserClosed = searchFor(L"WM_PAINT");
  setTimings(20000, 0);
  ShownBrowser browser(testing_support::BrowserRecorder::program());
  ASSERT_TRUE(browser.shown());
  const IdeWindow ide;
  recorder.clear();
  const unsigned long long started = nowIn100ns();
  EXPECT_EQ(testing_support::runTool(tool, {.word = L"WM_PAINT", .currentDirectory = logFolder.path()}), 0u);
  std::vector<std::wstring> addresses;
  for (const Recorded& line : recorder.settled()) addresses.push_back(line.argument);
  EXPECT_EQ(addresses, withBrowserClosed) << "no browser start, the same tabs";
  const std::vector<Recorded> lines = recorder.settled();
  ASSERT_FALSE(lines.empty());
  EXPECT_LT(lines.front().startedAt - started, 10000ull * 10000) << "the first tab waited for the browser's start";
}

// A window of a program at another path is no browser window.
TEST_F(SearchRunEndToEnd, AWindowOfAnotherProgramDoesNotCount) {
  const auto other = logFolder.file("other.exe");
  std::filesystem::copy_file(testing_support::BrowserRecorder::program(), other);
  ShownBrowser notTheBrowser(other);
  ASSERT_TRUE(notTheBrowser.shown());
  const IdeWindow ide;
  EXPECT_EQ(searchFor(L"WM_PAINT").size(), 3u);  // after the browser's start
}

}  // namespace
