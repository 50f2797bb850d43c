// Text primitives shared by every part of the tool: the number rule used for
// handles and record fields, delimited fields and trimming.
#pragma once

#include <cstdint>
#include <string_view>

namespace runtime {

// Leading spaces and tabs, an optional sign, then "$" + hex digits, "%" + binary
// digits or decimal digits, up to the first character that is no digit of that
// base. No digits gives 0. Overflow wraps like 64-bit two's complement.
std::int64_t textToNumber(std::wstring_view text);

// Field n (from 1) of a delimited text: the text between the (n-1)-th and the
// n-th separator; empty when the text has fewer fields.
std::wstring_view field(std::wstring_view text, int n, wchar_t separator);

// Removes spaces only (tabs stay).
std::wstring_view trimSpaces(std::wstring_view text);

// Removes spaces and tabs.
std::string_view trimBlanks(std::string_view text);
std::wstring_view trimBlanks(std::wstring_view text);

// "%d"-style scan: leading white space, optional sign, decimal digits up to the
// first other character; 0 when no digit follows. Wraps to 32 bits.
std::int32_t scanDecimal(std::string_view text);

}  // namespace runtime
