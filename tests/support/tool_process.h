// Starts the real Wordhop.exe the way the IDE does and waits for it.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

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

struct ToolRun {
  std::optional<std::wstring> word;  // PB_TOOL_Word; absent when empty optional
  std::optional<std::wstring> mainWindow;
  std::filesystem::path currentDirectory;
  DWORD timeoutMs = 60000;
};

// Runs the tool to its end; the exit code, or none when it did not start or end in time.
inline std::optional<DWORD> runTool(const std::filesystem::path& exe, const ToolRun& run) {
  SetEnvironmentVariableW(L"PB_TOOL_Word", run.word ? run.word->c_str() : nullptr);
  SetEnvironmentVariableW(L"PB_Tool_MainWindow", run.mainWindow ? run.mainWindow->c_str() : nullptr);
  std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const std::wstring directory = run.currentDirectory.wstring();
  BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                directory.empty() ? nullptr : directory.c_str(), &startup, &process);
  SetEnvironmentVariableW(L"PB_TOOL_Word", nullptr);
  SetEnvironmentVariableW(L"PB_Tool_MainWindow", nullptr);
  if (!started) return std::nullopt;
  CloseHandle(process.hThread);
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
