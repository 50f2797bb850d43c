// Conversions between the tool's wide strings and the byte encodings of files.
// Wide strings are UTF-16 on Windows and UTF-32 elsewhere; both are handled.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// Unpaired surrogates become U+FFFD.
std::string toUtf8(std::wstring_view text);

// Every byte that is not part of a well-formed sequence becomes U+FFFD.
std::wstring fromUtf8(std::string_view bytes);

// True when every byte belongs to a well-formed sequence (plain ASCII is).
bool isWellFormedUtf8(std::string_view bytes);

// Windows-1252, the code page ANSI tools of Western Windows write: its letters
// from 0xA0 on are ISO-8859-1's, and 0x80-0x9F hold "€ ‚ ƒ „ … † ‡ ˆ ‰ Š ‹ Œ Ž
// ‘ ’ “ ” • – — ˜ ™ š › œ ž Ÿ" (its five unassigned bytes stay C1 controls,
// as Windows reads them).
std::string windows1252ToUtf8(std::string_view bytes);

// UTF-16 bytes in the given byte order (no mark); an odd last byte and unpaired
// surrogates become U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian);

// UTF-8 as UTF-16 bytes in the given byte order (no mark); bytes that are not
// well-formed UTF-8 become U+FFFD.
std::string utf8ToUtf16(std::string_view bytes, bool bigEndian);

}  // namespace runtime
