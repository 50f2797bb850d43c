// Programs taken from the shell's open commands: the browser's, for web pages,
// and the text editor's.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// Folder part (up to the last slash before the first "|") followed by the file
// part (after the last slash, up to the next double quote), one leading double
// quote ignored. Gives the executable of a quoted path followed by arguments
// without slashes; other commands give an unusable path, which never starts.
std::wstring browserPathFromCommand(std::wstring_view command);

// The text editor's program from the shell's open command for ".txt": the
// same path, cut before "%1", without the spaces that then trail it.
std::wstring editorProgramFromCommand(std::wstring_view command);

#ifdef _WIN32
// The shell's open command for a file extension (".htm", ".txt"), as the
// association lookup gives it; empty when there is none or it does not fit
// the lookup's 260 characters.
std::wstring openCommandFor(const wchar_t* extension);
// The editor's program from an open command (editorProgramFromCommand), its
// environment-variable references expanded: associations may name it so.
std::wstring expandedProgramFromCommand(std::wstring_view command);
#endif

}  // namespace runtime
