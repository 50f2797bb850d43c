// Damaged configuration files: the real executable neither crashes nor hangs
// on them, in a search run or with the settings window; it leaves them as
// they were when nothing is edited, and one edit changes nothing but its own
// key (the file is rewritten in the store's normal form: mark, CR LF lines).
#include <gtest/gtest.h>

#include "core/configuration.h"
#include "core/preference_document.h"
#include "runtime/text.h"
#include "runtime/utf8.h"
#include "tests/support/browser_recorder.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/settings_file.h"
#include "tests/support/tool_process.h"
#include "ui/gadget_numbers.h"

namespace {

using namespace testing_support;
using namespace std::string_literals;

std::string repeated(std::string_view line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

// Entries that are all switched off but the last.
std::string manyEntries(int count) {
  std::string text = "\xEF\xBB\xBF[Browser]\r\nBrowserStart = 0\r\nTabDelay = 0\r\n[Entries]\r\n";
  for (int i = 1; i <= count; ++i)
    text += std::to_string(i) + (i < count ? " = 0" : " = 1") + "\xC3\x97site" + std::to_string(i) + "\r\n";
  return text;
}

struct Damaged {
  const char* name;
  std::string bytes;
  std::vector<std::string> searchedSites;  // the site of each address a search run for WM_PAINT opens
};

std::vector<Damaged> damagedFiles() {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
  return {
      {"binary junk", junk, {}},
      // NUL is well-formed UTF-8: C3 97 is the separator, the sites are read.
      {"NUL bytes", "[Entries]\0\r\n1 = 1\0\xC3\x97site\r\n"s, {"site"}},
      // Without a mark: UTF-8 where the bytes are UTF-8, else Latin-1.
      {"UTF-8 without a mark",
       "[Browser]\r\nBrowserStart = 0\r\n[Entries]\r\n1 = 1\xC3\x97"
       "caf\xC3\xA9.example\r\n",
       {"caf\xC3\xA9.example"}},
      {"Latin-1",
       "[Browser]\r\nBrowserStart = 0\r\n[Entries]\r\n1 = 1\xD7"
       "caf\xE9.example\r\n",
       {"caf\xC3\xA9.example"}},
      // A line that is no UTF-8 is Windows-1252 behind a mark too: its C3 97 is
      // then no separator, and the record a switched-off entry's sites.
      {"invalid UTF-8", "\xEF\xBB\xBF[Entries]\r\n1 = 1\xC3\x97\xFF\xFE\xC0\xAF\r\n", {}},
      {"UTF-16",
       "\xFF\xFE[\0E\0n\0t\0r\0i\0e\0s\0]\0\r\0\n\0"
       "1\0=\0"
       "1\0\xD7\0s\0"s,
       {"s"}},
      {"only a mark", "\xEF\xBB\xBF", {}},
      {"lone CR line ends", "[Browser]\rBrowserStart = 0\rTabDelay = 0\r[Entries]\r1 = 1\xD7site\r", {"site"}},
      {"no line end at the end",
       "[Browser]\r\nBrowserStart = 0\r\nTabDelay = 0\r\n[Entries]\r\n1 = 1\xD7site",
       {"site"}},
      // An address longer than any command line cannot be handed to the browser.
      {"a 1 MiB line",
       "[Browser]\r\nBrowserStart = 0\r\n[Entries]\r\n1 = 1\xD7" + std::string(1 << 20, 'x') + "\r\n",
       {}},
      {"a 20 MiB file",
       "[Browser]\r\nBrowserStart = 0\r\n" + repeated("; padding padding padding padding padding\r\n", 500000),
       {}},
      {"10 000 entries", manyEntries(10000), {"site10000"}},
      {"headers without ]", "[Browser\r\nBrowserStart = 0\r\n[Entries\r\n1 = 1\xD7site\r\n", {"site"}},
      {"lines that are only =", "[Browser]\r\nBrowserStart = 0\r\n=\r\n[Entries]\r\n=\r\n=\r\n", {}},
      // The first Entries group counts, with every key in it.
      {"duplicate groups and keys",
       "[Browser]\r\nBrowserStart = 0\r\nBrowserStart = 9\r\n[Entries]\r\n1 = 1\xD7"
       "a\r\n1 = 1\xD7"
       "b\r\n"
       "[Browser]\r\nTabDelay = 0\r\n[Entries]\r\n1 = 1\xD7"
       "c\r\n",
       {"a", "b"}},
      {"values with the separator",
       "[Browser]\r\nBrowserStart = 0\r\n[Entries]\r\n1 = 1\xD7\xD7\xD7\xD7\xD7\xD7\xD7\xD7\r\n",
       {""}},
  };
}

// Types a new browser start time into its field, as one edit of the user's.
void editBrowserStart(HWND window) {
  SendMessageW(GetDlgItem(window, ui::browserStartSpin), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"7"));
}

using Line = core::PreferenceDocument::Line;
using Lines = std::vector<Line>;

bool sameLine(const Line& a, const Line& b) { return a.kind == b.kind && a.text == b.text; }

bool isBrowserStart(const Line& line) {
  return line.kind == core::PreferenceDocument::LineKind::key && core::namesEqual(line.name(), "BrowserStart");
}

// `after` holds the lines of `before`, byte for byte, except that one
// BrowserStart key now says 7: replaced in place, or added (with a Browser
// header, and the blank lines that set a new group apart, when there was no
// such group). Line ends are not compared: a last line gets one when a line
// comes after it.
::testing::AssertionResult onlyBrowserStartChanged(const std::string& before, const std::string& after) {
  core::PreferenceDocument old, edited;
  old.parseFile(before);
  edited.parseFile(after);
  const Lines& a = old.lines();
  const Lines& b = edited.lines();
  std::size_t prefix = 0;
  while (prefix < a.size() && prefix < b.size() && sameLine(a[prefix], b[prefix])) ++prefix;
  std::size_t suffix = 0;
  while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
         sameLine(a[a.size() - 1 - suffix], b[b.size() - 1 - suffix]))
    ++suffix;
  const Lines removed(a.begin() + prefix, a.end() - suffix);
  Lines added(b.begin() + prefix, b.end() - suffix);
  if (removed.size() > 1 || (removed.size() == 1 && !isBrowserStart(removed[0])))
    return ::testing::AssertionFailure() << removed.size() << " lines lost from line " << prefix;
  std::erase_if(added, [&](const Line& line) {
    return line.kind == core::PreferenceDocument::LineKind::blank ||
           (removed.empty() && line.kind == core::PreferenceDocument::LineKind::group && line.name() == "Browser");
  });
  if (added.size() != 1 || !isBrowserStart(added[0]) || runtime::trimBlanks(added[0].value()) != "7")
    return ::testing::AssertionFailure() << added.size() << " lines other than BrowserStart = 7 added at line "
                                         << prefix;
  return ::testing::AssertionSuccess();
}

// What follows "site:" in each address the browser was handed, after the
// browser's own start (the first, empty, argument).
std::vector<std::string> searchedSites(const BrowserRecorder& recorder) {
  std::vector<std::string> sites;
  for (const Recorded& line : recorder.settled()) {
    if (line.argument.empty()) continue;
    const std::string address = runtime::toUtf8(line.argument);
    const std::size_t site = address.find("site:");
    sites.push_back(site == std::string::npos ? address : address.substr(site + 5, address.find('&', site) - site - 5));
  }
  return sites;
}

std::int32_t savedBrowserStart(const std::filesystem::path& config) {
  return testing_support::readSettings(config.wstring()).browserStart;
}

TEST(BadInputEndToEnd, DamagedFilesNeitherCrashNorHangAndOneEditChangesOnlyItsKey) {
  if (const auto why = BrowserRecorder::cannotRecord()) GTEST_SKIP() << runtime::toUtf8(*why);
  ScratchFolder toolFolder, logFolder;
  const auto tool = installTool(toolFolder.path());
  const auto config = toolFolder.file("Wordhop.ini");
  BrowserRecorder recorder(logFolder.path());
  // Each run is bounded: a hang fails it instead of the whole suite.
  auto run = [&](std::optional<std::wstring> word, SettingsWindowVisit visit) {
    return runTool(tool, {.word = std::move(word),
                          .mainWindow = std::nullopt,
                          .currentDirectory = logFolder.path(),
                          .timeoutMs = 60000,
                          .visitSettingsWindow = std::move(visit)});
  };
  for (const Damaged& damaged : damagedFiles()) {
    writeBytes(config, damaged.bytes);
    recorder.clear();
    EXPECT_EQ(run(L"WM_PAINT", nullptr), 0u) << damaged.name << ": search run";
    EXPECT_EQ(searchedSites(recorder), damaged.searchedSites) << damaged.name;
    bool shown = false;
    EXPECT_EQ(run(std::nullopt, [&](HWND) { shown = true; }), 0u) << damaged.name << ": settings window";
    EXPECT_TRUE(shown) << damaged.name;
    EXPECT_TRUE(readBytes(config) == damaged.bytes) << damaged.name << ": the file was changed";

    EXPECT_EQ(run(std::nullopt, editBrowserStart), 0u) << damaged.name << ": settings window with an edit";
    EXPECT_TRUE(onlyBrowserStartChanged(damaged.bytes, readBytes(config))) << damaged.name;
    EXPECT_EQ(savedBrowserStart(config), 7) << damaged.name;
  }
}

}  // namespace
