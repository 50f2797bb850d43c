// Mouse clicks and key presses sent through the system's input queue, as a
// user's would arrive: the program under test sees them as real input.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace testing_support {

inline void settle() { Sleep(250); }

inline void clickAt(POINT point) {
  SetCursorPos(point.x, point.y);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
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

inline void pressKeys(std::initializer_list<WORD> keys) {  // pressed in order, released in reverse
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

inline void typeText(std::wstring_view text) {
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
inline HWND waitForDialog(DWORD processId, DWORD timeoutMs = 10000) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, L"#32770", nullptr))) {
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (owner == processId && IsWindowVisible(found)) return found;
    }
    Sleep(50);
  }
  return nullptr;
}

}  // namespace testing_support
