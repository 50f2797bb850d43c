// The language the settings window speaks: the PureBasic IDE's, when it
// started the tool and speaks one of Wordhop's languages; else the one of
// Windows' user interface; else English.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

enum class Language : unsigned char { english, german, french };

// `ideLanguage` is the IDE's name for its language (PB_TOOL_Language),
// compared without case and accents: "English", "Deutsch", "Francais" and
// their English names. Of Windows' language (a LANGID) the primary one counts.
Language chooseLanguage(std::optional<std::wstring_view> ideLanguage, std::uint16_t userInterfaceLangId);

}  // namespace core
