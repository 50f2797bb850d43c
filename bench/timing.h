// What the Windows benchmarks share: the clock, the median, a quoted argument.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bench {

inline LARGE_INTEGER now() {
  LARGE_INTEGER ticks;
  QueryPerformanceCounter(&ticks);
  return ticks;
}

inline double elapsedMs(LARGE_INTEGER start, LARGE_INTEGER end) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The middle time; -1 when there is none.
inline double median(std::vector<double> times) {
  if (times.empty()) return -1;
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

inline std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace bench
