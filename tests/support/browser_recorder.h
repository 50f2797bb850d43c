// Registers the recording program as the web browser (of the Wine prefix, or
// of the user on Windows, until the recorder goes) and reads back what it
// received.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "runtime/process_environment.h"
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
    const std::wstring command = L"\"" + program().make_preferred().wstring() + L"\" \"%1\"";
    registry_.setDefault(L"https\\shell\\open\\command", command);
    registry_.setDefault(L".htm", L"WordhopTest.htm");
    registry_.setDefault(L"WordhopTest.htm\\shell\\open\\command", command);
    SetEnvironmentVariableW(L"WORDHOP_RECORD_LOG", log_.wstring().c_str());
  }
  ~BrowserRecorder() { SetEnvironmentVariableW(L"WORDHOP_RECORD_LOG", nullptr); }

  // Why the shell would hand addresses to another browser than the recorder
  // (a test then skips, saying why, instead of opening the user's browser).
  static std::optional<std::wstring> cannotRecord() { return RegistryChanges::userChoiceInTheWay(); }

  // Everything recorded, in the order the recorders were started, once every
  // recorder another program started has ended (one this test shows as a
  // running browser is its own child and records nothing).
  std::vector<Recorded> settled() const {
    auto recording = [] { return runtime::processRunning(program().filename().wstring(), GetCurrentProcessId()); };
    for (const ULONGLONG deadline = GetTickCount64() + 10000; recording() && GetTickCount64() < deadline;) Sleep(20);
    const std::string last = readBytes(log_);
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

  // The recording program.
  static std::filesystem::path program() {
    const char* path = std::getenv("WORDHOP_RECORDER");
    return path ? path : "";
  }

 private:
  RegistryChanges registry_;
  std::filesystem::path log_;
};

}  // namespace testing_support
