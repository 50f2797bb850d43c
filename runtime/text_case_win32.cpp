#include <windows.h>

#include "runtime/text_case.h"

namespace runtime {

std::wstring upperCase(std::wstring_view text) {
  std::wstring upper(text);
  if (!upper.empty()) CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

}  // namespace runtime
