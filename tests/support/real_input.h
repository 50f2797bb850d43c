// Mouse clicks and key presses as a user's arrive: the program under test
// sees them as real input.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/support/process_start.h"
#include "tests/support/under_wine.h"

namespace testing_support {

inline DWORD processOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

inline DWORD targetProcess() { return inputTargetWindow() ? processOf(inputTargetWindow()) : GetCurrentProcessId(); }

// Whether the window has painted a spot made invalid for it. A paint message
// comes only when the queue holds nothing else, input included; while the
// window's drawing is held back it is not visible, and held drawing is
// repainted whole when it is let go.
inline bool repaintsSpot(HWND window) {
  const RECT spot{0, 0, 1, 1};
  InvalidateRect(window, &spot, FALSE);
  for (const ULONGLONG deadline = GetTickCount64() + 10000; GetTickCount64() < deadline; Sleep(5))
    if (!IsWindow(window) || (IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE))) return true;
  return false;
}

// Waits until the program under test has handled the input sent so far: its
// window paints twice. Wine may take the X server's input that came while the
// program was busy only after the first paint, before it waits: the second
// comes after that input.
inline void settle() {
  HWND window = inputTargetWindow();
  if (window && !(repaintsSpot(window) && repaintsSpot(window)))
    ADD_FAILURE() << "the program under test did not handle its input within 10 s";
}

// Keys go to the foreground window. Where that is not the program under test's
// (Windows refuses the foreground to a process in the background, a console
// stays in front), they would land elsewhere: the test fails at once instead.
inline bool targetHasTheForeground(const char* what) {
  if (processOf(GetForegroundWindow()) == targetProcess()) return true;
  ADD_FAILURE() << what << " not sent: the foreground window is not the program under test's";
  return false;
}

// A click lands on the window under the pointer, which must be the program
// under test's (a click may activate it: it need not be in front).
inline bool targetIsAt(POINT point) {
  if (processOf(WindowFromPoint(point)) == targetProcess()) return true;
  ADD_FAILURE() << "click at " << point.x << "," << point.y << " not sent: another program's window is there";
  return false;
}

// Runs a command of the host's shell and waits until it has finished. There
// is no handle to wait on, so the command touches a file of its own when it is
// done.
inline bool runHostCommand(const std::string& command, DWORD timeoutMs = 10000) {
  static int count = 0;
  const std::string done =
      "/tmp/wordhop-host-command-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
  std::wstring line = L"/bin/sh -c \"";
  for (char c : command + " ; touch " + done) line += static_cast<wchar_t>(c);
  line += L"\"";
  PROCESS_INFORMATION process{};
  if (!startProcess(L"Z:\\bin\\sh", line, nullptr, process)) return false;
  // Wine starts a Unix program without a process handle and leaves whatever
  // value in hThread: closing that could close one of our own handles (the
  // window station's, and the clipboard then stays shut to us).
  if (process.hProcess) {
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  const std::wstring marker = L"Z:" + std::wstring(done.begin(), done.end());
  for (DWORD waited = 0; waited < timeoutMs; waited += 20, Sleep(20))
    if (DeleteFileW(marker.c_str())) return true;
  return false;
}

// Moves the mouse to a point of the screen, as a user's hand does: under Wine
// through the X server, elsewhere through the system's cursor.
inline void moveMouseTo(POINT point) {
  if (runningUnderWine()) {
    runHostCommand("xdotool mousemove " + std::to_string(point.x) + " " + std::to_string(point.y));
  } else {
    SetCursorPos(point.x, point.y);
  }
}

// A left click at a point of the screen. Under Wine it comes from the X server
// (xdotool on the display), exactly as a user's click arrives: the program sees
// the activation, the mouse-activate and the focus changes in their real order.
inline void clickAt(POINT point) {
  if (!targetIsAt(point)) return;
  if (runningUnderWine()) {
    // "mousemove --sync" waits for the pointer to move: it never returns when
    // the pointer is already there.
    POINT now{};
    const bool there = GetCursorPos(&now) && now.x == point.x && now.y == point.y;
    runHostCommand(there ? std::string("xdotool click 1")
                         : "xdotool mousemove --sync " + std::to_string(point.x) + " " + std::to_string(point.y) +
                               " click 1");
  } else {
    SetCursorPos(point.x, point.y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
  }
  settle();
}

// Clicks a control of the window, at a point given relative to its top left
// corner (its centre when none is given).
inline void clickControl(HWND window, int id, POINT offset = {-1, -1}) {
  RECT rect{};
  GetWindowRect(GetDlgItem(window, id), &rect);
  clickAt({offset.x < 0 ? (rect.left + rect.right) / 2 : rect.left + offset.x,
           offset.y < 0 ? (rect.top + rect.bottom) / 2 : rect.top + offset.y});
}

// The X key name of a virtual key; null for one that has none here.
inline const char* xKeyName(WORD key) {
  constexpr std::pair<WORD, const char*> kNames[] = {{VK_HOME, "Home"},     {VK_END, "End"},      {VK_SPACE, "space"},
                                                     {VK_RETURN, "Return"}, {VK_MENU, "alt"},     {VK_SHIFT, "shift"},
                                                     {VK_F4, "F4"},         {VK_UP, "Up"},        {VK_DOWN, "Down"},
                                                     {VK_INSERT, "Insert"}, {VK_DELETE, "Delete"}};
  for (auto [vk, name] : kNames)
    if (vk == key) return name;
  return nullptr;
}

// Keys pressed in order and released in reverse. Under Wine they come from the
// X server (xdotool on the display), as a user's keys do.
inline void pressKeys(std::initializer_list<WORD> keys) {
  if (!targetHasTheForeground("keys")) return;
  std::string chord;
  bool named = true;
  for (WORD key : keys) {
    const char* name = xKeyName(key);
    named = named && name;
    if (name) chord += (chord.empty() ? "" : "+") + std::string(name);
  }
  if (runningUnderWine() && named) {
    runHostCommand("xdotool key " + chord);
    settle();
    return;
  }
  std::vector<INPUT> input;
  for (WORD key : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    input.push_back(down);
  }
  for (auto key = keys.end(); key != keys.begin();) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *--key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    input.push_back(up);
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  settle();
}

// Types text. Under Wine, printable ASCII comes from the X server (xdotool on
// the display), as a user's keys do; other text is sent as Unicode key input.
inline void typeText(std::wstring_view text) {
  if (!targetHasTheForeground("typed text")) return;
  const bool plain = std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L' ' && c < 0x7F; });
  if (runningUnderWine() && plain) {
    std::string quoted;
    for (wchar_t c : text) quoted += c == L'\'' ? std::string("'\\''") : std::string(1, static_cast<char>(c));
    runHostCommand("xdotool type --delay 40 '" + quoted + "'");
    settle();
    return;
  }
  for (wchar_t c : text) {
    INPUT key[2] = {};
    key[0].type = key[1].type = INPUT_KEYBOARD;
    key[0].ki.wScan = key[1].ki.wScan = c;
    key[0].ki.dwFlags = KEYEVENTF_UNICODE;
    key[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, key, sizeof(INPUT));
    Sleep(40);
  }
  settle();
}

// Waits for a message box of the process to appear; null after the timeout.
inline HWND waitForDialog(DWORD processId) { return waitForWindow(processId, L"#32770"); }

// The text of a visible tip of the window's process once it is not `before`;
// "(no tip)" when none shows within five seconds.
inline std::wstring tipTextOf(HWND window, const std::wstring& before = L"") {
  for (DWORD waited = 0; waited < 5000; waited += 50, Sleep(50)) {
    wchar_t text[1024] = L"";
    if (HWND tip = waitForWindow(processOf(window), TOOLTIPS_CLASSW, 50))
      SendMessageW(tip, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    if (*text && before != text) return text;
  }
  return L"(no tip)";
}

// Clicks a window of this thread, a stand-in for another program's, and lets
// it handle the click; whether that brought it to the foreground.
inline bool clickOwnWindow(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const HWND target = std::exchange(inputTargetWindow(), nullptr);  // this process: no settling
  clickAt({(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
  inputTargetWindow() = target;
  MSG message{};
  for (const ULONGLONG until = GetTickCount64() + 300; GetTickCount64() < until; Sleep(10))
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  return GetForegroundWindow() == window;
}

// A window of this thread in front of the others, as another program's editor.
inline HWND makeOwnWindow(const wchar_t* title) {
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"EDIT", title, WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  UpdateWindow(window);
  return window;
}

// Why the user's input cannot be played here (where a console keeps the
// foreground or no one is signed in, as on hosted runners); none when a click
// brings a window of the test to the front.
inline std::optional<std::string> whyInputDoesNotReachTheDesktop() {
  HWND probe = makeOwnWindow(L"Input probe");
  RECT frame{};
  GetWindowRect(probe, &frame);
  const POINT centre{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
  const bool reached = WindowFromPoint(centre) == probe && clickOwnWindow(probe);
  DestroyWindow(probe);
  if (reached) return std::nullopt;
  return "no input reaches the desktop: a click on a window of the test did not bring it to the front";
}

// Waits for a message box of the window's process and answers it with Enter
// (its default button); false when none appeared.
inline bool answerMessageBox(HWND window) {
  HWND box = waitForDialog(processOf(window));
  if (!box) return false;
  SetForegroundWindow(box);
  pressKeys({VK_RETURN});
  return true;
}

}  // namespace testing_support
