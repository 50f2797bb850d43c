// The system clipboard.
#pragma once

#include <string_view>

namespace runtime {

// Replaces the clipboard's content by the text (as Unicode text); false when
// the clipboard cannot be opened.
bool putClipboardText(std::wstring_view text);

}  // namespace runtime
