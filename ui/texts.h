// The texts the user reads, in the language the window speaks, from the
// resource file's string table for it (resources/text_ids.h names them).
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/language.h"
#include "resources/text_ids.h"

namespace ui {

class Texts {
 public:
  // Each text of the language, else the English one; looked up once.
  explicit Texts(core::Language language = core::Language::english);

  // The text; empty when the program has none of that number.
  std::wstring operator()(int text) const;
  // The text with "%1", "%2", ... replaced by the values in their order.
  std::wstring operator()(int text, std::initializer_list<std::wstring_view> values) const;

 private:
  std::array<std::wstring_view, TEXT_COUNT + 1> texts_;  // in the program's resources
};

// The language of the tool's start: the IDE's (PB_TOOL_Language), else
// Windows' user interface language, else English.
core::Language startLanguage();

}  // namespace ui
