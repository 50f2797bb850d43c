// The system clipboard.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// Replaces the clipboard's content by the text (as Unicode text); false when
// the clipboard cannot be opened.
bool putClipboardText(std::wstring_view text);
// The clipboard's Unicode text; empty when it holds none or cannot be opened.
std::wstring clipboardText();

}  // namespace runtime
