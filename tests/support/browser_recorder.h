// Registers the recording program as the web browser (of the Wine prefix, or
// of the user on Windows, until the recorder goes) and reads back what it
// received.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "runtime/utf8.h"
#include "tests/support/registry_changes.h"
#include "tests/support/scratch_folder.h"

namespace testing_support {

struct Recorded {
  unsigned long long startedAt;  // 100 ns units
  std::wstring argument;         // empty for a start without arguments
};

class BrowserRecorder {
 public:
  explicit BrowserRecorder(const std::filesystem::path& logFolder) : log_(logFolder / "browser.log") {
    const char* recorder = std::getenv("WORDHOP_RECORDER");
    const std::wstring command =
        L"\"" + std::filesystem::path(recorder ? recorder : "").make_preferred().wstring() + L"\" \"%1\"";
    registry_.setDefault(L"https\\shell\\open\\command", command);
    registry_.setDefault(L".htm", L"WordhopTest.htm");
    registry_.setDefault(L"WordhopTest.htm\\shell\\open\\command", command);
    SetEnvironmentVariableW(L"WORDHOP_RECORD_LOG", log_.wstring().c_str());
  }
  ~BrowserRecorder() { SetEnvironmentVariableW(L"WORDHOP_RECORD_LOG", nullptr); }

  // Why the shell would hand addresses to another browser than the recorder
  // (a test then skips, saying why, instead of opening the user's browser).
  static std::optional<std::wstring> cannotRecord() { return RegistryChanges::userChoiceInTheWay(); }

  // Everything recorded, in the order the recorders were started, once no new
  // line has come for a while.
  std::vector<Recorded> settled() const {
    std::string last = readBytes(log_);
    for (int quiet = 0, round = 0; quiet < 5 && round < 100; ++round) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      std::string now = readBytes(log_);
      quiet = now == last ? quiet + 1 : 0;
      last = std::move(now);
    }
    std::vector<Recorded> lines;
    for (std::size_t start = 0, end; (end = last.find('\n', start)) != std::string::npos; start = end + 1) {
      const std::string line = last.substr(start, end - start);
      const std::size_t tab = line.find('\t');
      lines.push_back({std::stoull(line.substr(0, tab)), runtime::fromUtf8(line.substr(tab + 1))});
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Recorded& a, const Recorded& b) { return a.startedAt < b.startedAt; });
    return lines;
  }

  void clear() const { std::filesystem::remove(log_); }

 private:
  RegistryChanges registry_;
  std::filesystem::path log_;
};

}  // namespace testing_support
