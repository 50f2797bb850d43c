// The search entries the settings-window benchmarks show: the default seven,
// or a long list in which every second entry is enabled.
#pragma once

#include <string>
#include <vector>

#include "core/configuration.h"

namespace bench {

inline std::vector<core::SearchEntry> benchEntries(int count) {
  if (count <= 0) return core::defaultEntries();
  std::vector<core::SearchEntry> entries;
  for (int i = 1; i <= count; ++i)
    entries.push_back(
        {i % 2, L"site" + std::to_wstring(i) + L".example.org", 1, 0, 0, L"", L"entry " + std::to_wstring(i), L""});
  return entries;
}

}  // namespace bench
