#include <windows.h>

#include <shellapi.h>

#include "runtime/program_start.h"

namespace runtime {

void startProgram(std::wstring_view program, std::wstring_view parameter, std::wstring_view workingFolder) {
  const std::wstring programText(program), parameterText(parameter), folder(workingFolder);
  std::wstring commandLine = commandLineFor(program, parameter);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return;
  }
  const std::wstring shellFolder = folder.empty() ? shellFolderFor(program) : folder;
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  // Return only once the item is handed over, and show no error dialog.
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  execute.lpFile = programText.c_str();
  execute.lpParameters = parameterText.empty() ? nullptr : parameterText.c_str();
  execute.lpDirectory = shellFolder.empty() ? nullptr : shellFolder.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&execute) && execute.hProcess) CloseHandle(execute.hProcess);
}

}  // namespace runtime
