// Starts the real Wordhop.exe the way the IDE does and waits for it.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tests/support/process_start.h"

namespace testing_support {

// The freshly built executable (its path comes from the test's environment).
inline std::filesystem::path builtTool() {
  const char* path = std::getenv("WORDHOP_EXE");
  return path ? std::filesystem::path(path) : std::filesystem::path("Wordhop.exe");
}

// Copies the tool into `folder` and returns the copy's path.
inline std::filesystem::path installTool(const std::filesystem::path& folder) {
  std::filesystem::path target = folder / "Wordhop.exe";
  std::filesystem::copy_file(builtTool(), target, std::filesystem::copy_options::overwrite_existing);
  return target;
}

// Called with the settings window once it is shown; the window is closed after.
using SettingsWindowVisit = std::function<void(HWND)>;

struct ToolRun {
  std::optional<std::wstring> word;  // PB_TOOL_Word; absent when empty optional
  std::optional<std::wstring> mainWindow;
  std::filesystem::path currentDirectory;
  DWORD timeoutMs = 60000;
  SettingsWindowVisit visitSettingsWindow;  // without a word the window must be closed
  std::optional<std::wstring> argument;     // one command-line argument, as an editor passes it
  std::wstring language = L"English";       // PB_TOOL_Language: the window's texts the tests read
};

// The text as one argument of a command line, quoted so that the program's
// CommandLineToArgvW gives it back unchanged.
inline std::wstring quotedArgument(std::wstring_view text) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : text) {
    if (c == L'\\') {
      ++backslashes;
    } else {
      if (c == L'"') quoted.append(backslashes + 1, L'\\');  // 2n + 1 in all before a quote
      backslashes = 0;
    }
    quoted += c;
  }
  quoted.append(backslashes, L'\\');  // 2n in all before the closing quote
  return quoted + L"\"";
}

// Waits for the settings window of the started tool, lets the visitor look at
// it and then asks it to close, as the user's close button does.
inline void visitAndClose(const PROCESS_INFORMATION& process, const ToolRun& run) {
  const HWND window = waitForWindow(process.dwProcessId, nullptr, run.timeoutMs, process.hProcess);
  if (!window) return;                       // ended without a window, or none came
  WaitForInputIdle(process.hProcess, 5000);  // shown and painted
  inputTargetWindow() = window;
  if (run.visitSettingsWindow) run.visitSettingsWindow(window);
  inputTargetWindow() = nullptr;
  PostMessageW(window, WM_CLOSE, 0, 0);
}

// Runs the tool to its end; the exit code, or none when it did not start or end in time.
inline std::optional<DWORD> runTool(const std::filesystem::path& exe, const ToolRun& run) {
  SetEnvironmentVariableW(L"PB_TOOL_Word", run.word ? run.word->c_str() : nullptr);
  SetEnvironmentVariableW(L"PB_Tool_MainWindow", run.mainWindow ? run.mainWindow->c_str() : nullptr);
  SetEnvironmentVariableW(L"PB_TOOL_Language", run.language.c_str());
  std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
  if (run.argument) commandLine += L" " + quotedArgument(*run.argument);
  PROCESS_INFORMATION process{};
  const std::wstring directory = run.currentDirectory.wstring();
  const bool started = startProcess(nullptr, commandLine, directory.empty() ? nullptr : directory.c_str(), process);
  SetEnvironmentVariableW(L"PB_TOOL_Word", nullptr);
  SetEnvironmentVariableW(L"PB_Tool_MainWindow", nullptr);
  SetEnvironmentVariableW(L"PB_TOOL_Language", nullptr);
  if (!started) return std::nullopt;
  CloseHandle(process.hThread);
  const bool settingsMode = run.word ? run.word->empty() : !run.argument || run.argument->empty();
  if (settingsMode) visitAndClose(process, run);
  std::optional<DWORD> exitCode;
  if (WaitForSingleObject(process.hProcess, run.timeoutMs) == WAIT_OBJECT_0) {
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code)) exitCode = code;
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hProcess);
  return exitCode;
}

}  // namespace testing_support
