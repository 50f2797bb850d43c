// The search run: the IDE passed a word, the browser shows the searches.
#pragma once

#include <string>

#include "core/tool_state.h"

namespace search {

// The browser's executable from the shell's open command for ".htm"; empty
// when the lookup fails.
std::wstring findBrowserPath();

void runSearch(core::ToolState& state, const std::wstring& configFile);

}  // namespace search
