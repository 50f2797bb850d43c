#include <cwctype>

#include "runtime/text_case.h"

namespace runtime {

std::wstring upperCase(std::wstring_view text) {
  std::wstring upper(text);
  for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
  return upper;
}

}  // namespace runtime
