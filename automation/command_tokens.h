// The lexical side of command strings: one line such as
// "Items\Item(2)\Name" or "ExecQuery('Select * from Win32_Process')" split into
// the tokens of each member of the chain, and the rules for the values in it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace automation {

inline constexpr int kMaxMembers = 20;
inline constexpr int kMaxArguments = 20;
inline constexpr int kMaxTokens = 200;

struct MemberTokens {
  int openCount = 0;
  int closeCount = 0;
  std::vector<std::wstring> tokens;
};

// The members' tokens; none for a grammar error (unterminated quote, ")"
// without "(", a second "=", a misplaced "\", more than 20 members, an empty
// member). A member that reaches 200 tokens ends the walk there.
std::optional<std::vector<MemberTokens>> tokenize(std::wstring_view command);

struct Number {
  bool real = false;
  double realValue = 0;
  std::int64_t integer = 0;
};

// Digits with an optional leading sign and at most one "."; none otherwise.
std::optional<Number> parseNumber(std::wstring_view token);

// "$" and four hex digits become one character (the low 8 bits); a "$"
// without four hex digits stays, unless the text ends first, which cuts the text there.
std::wstring decodeEscapes(std::wstring_view text);

// The variant type of the smallest signed integer that holds the value
// (VT_I1, VT_I2, VT_I4, VT_I8); 0 is VT_I4.
std::uint16_t integerTypeFor(std::int64_t value);

// The variant type named after "as" (lower case); none when unknown.
std::optional<std::uint16_t> typeNamed(std::wstring_view lowerName);

// ASCII and Latin-1 letters lowered, as the parser compares keywords.
std::wstring lowerCase(std::wstring_view text);

}  // namespace automation
