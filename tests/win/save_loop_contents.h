// The two contents that the save-loop helper writes in turn.
#pragma once

#include <string>

inline std::wstring saveLoopValue(unsigned which) {
  return which == 0 ? std::wstring(150000, L'a') : std::wstring(250000, L'b');
}

inline std::string saveLoopFile(unsigned which) {
  std::string value = which == 0 ? std::string(150000, 'a') : std::string(250000, 'b');
  return "\xEF\xBB\xBF\r\n[Entries]\r\n1 = " + value + "\r\n";
}
