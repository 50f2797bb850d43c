// Letter case as the system maps it.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// The upper-case form of a text by the system's locale-aware mapping.
std::wstring upperCase(std::wstring_view text);

}  // namespace runtime
