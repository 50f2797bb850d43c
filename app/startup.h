// The steps that prepare the process before the run mode is chosen.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/tool_state.h"

namespace app {

enum class DpiPath { none, systemDpi, perMonitor };

// Which way DPI awareness is chosen for an OS version code.
DpiPath dpiPathFor(int osVersionCode);

// Chooses the process's DPI awareness along the path of its version code and
// runs the DPI layer's set-up there. Every function is looked up at run time.
void chooseDpiAwareness(ToolState& state);

// The word to search for: PB_TOOL_Word when it is set, as the IDE passes it
// (the command line is ignored then); else the command line's one argument,
// as any editor can pass it, where a blank argument is no word.
std::wstring searchWordOf(const std::optional<std::wstring>& ideWord, const std::vector<std::wstring>& arguments);

// PB_Tool_MainWindow and the word (see searchWordOf).
void readIdeInputs(ToolState& state);

// The folder of the running executable becomes the current directory.
void enterExecutableFolder();

// Writes the default configuration file when no file or folder of that name exists.
void ensureConfigurationFile(const std::wstring& fileName);

// A lone space is a word too: only the empty text opens the settings window.
inline bool isSearchRun(std::wstring_view searchWord) { return !searchWord.empty(); }

}  // namespace app
