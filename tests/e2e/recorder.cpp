// Stands in for the web browser: appends the time it was started and the
// address it received to the log named by WORDHOP_RECORD_LOG, one line each:
// "<process creation time in 100 ns units>\t<first argument>".
// Started with "--window" it is a browser that is already running instead: it
// shows a window until that is closed, and records nothing.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <string_view>

#include "runtime/utf8.h"

namespace {

int showWindowUntilClosed() {
  HWND window = CreateWindowExW(0, L"STATIC", L"Recording browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
  if (!window) return 1;
  MSG message{};
  while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_CLOSE || (message.hwnd == window && message.message == WM_SYSCOMMAND)) break;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (std::wstring_view(GetCommandLineW()).ends_with(L" --window")) return showWindowUntilClosed();
  FILETIME created{}, unused{};
  GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
  wchar_t logPath[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"WORDHOP_RECORD_LOG", logPath, MAX_PATH)) return 1;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring argument = argv && argc > 1 ? argv[1] : L"";
  const unsigned long long stamp =
      (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  const std::string line = std::to_string(stamp) + "\t" + runtime::toUtf8(argument) + "\n";
  // Recorders may run at the same time: each takes the log for itself in turn.
  HANDLE log = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 500 && log == INVALID_HANDLE_VALUE; ++attempt) {
    log = CreateFileW(logPath, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (log == INVALID_HANDLE_VALUE) return 1;
  SetFilePointer(log, 0, nullptr, FILE_END);
  DWORD written = 0;
  WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(log);
  return 0;
}
