#include "automation/command_tokens.h"

#include <cstdlib>
#include <utility>

namespace automation {
namespace {

constexpr std::wstring_view kDelimiters = L"(),\\'= ";

// Variant type numbers (the same on every platform).
constexpr std::uint16_t vtI2 = 2, vtI4 = 3, vtR4 = 4, vtR8 = 5, vtDate = 7, vtBstr = 8, vtDispatch = 9, vtBool = 11,
                        vtVariant = 12, vtUnknown = 13, vtI1 = 16, vtUi1 = 17, vtUi2 = 18, vtUi4 = 19, vtI8 = 20,
                        vtUi8 = 21, vtInt = 22, vtUint = 23;

bool memberComplete(const MemberTokens& member) {
  return member.openCount == member.closeCount && member.openCount <= 1 && !member.tokens.empty();
}

int hexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::vector<MemberTokens>> tokenize(std::wstring_view command) {
  std::vector<MemberTokens> members(1);
  int equalsSeen = 0;
  std::wstring pending;
  auto store = [&](std::wstring token) { members.back().tokens.push_back(std::move(token)); };
  for (std::size_t i = 0; i < command.size() && members.back().tokens.size() < kMaxTokens;) {
    const wchar_t c = command[i];
    const bool delimiter = kDelimiters.find(c) != std::wstring_view::npos;
    if (!delimiter) {
      pending += c;
      if (i + 1 == command.size()) store(std::move(pending));
      ++i;
      continue;
    }
    if (!pending.empty()) {
      store(std::exchange(pending, {}));
      continue;  // the delimiter is looked at again
    }
    MemberTokens& member = members.back();
    switch (c) {
      case L'\'': {
        const std::size_t close = command.find(L'\'', i + 1);
        if (close == std::wstring_view::npos) return std::nullopt;
        store(std::wstring(command.substr(i, close - i + 1)));
        i = close + 1;
        continue;
      }
      case L' ':
        break;
      case L'(':
        ++member.openCount;
        store(L"(");
        break;
      case L')':
        if (member.openCount == 0) return std::nullopt;
        ++member.closeCount;
        store(L")");
        break;
      case L'=':
        if (++equalsSeen > 1) return std::nullopt;
        store(L"=");
        break;
      case L',':
        store(L",");
        break;
      case L'\\':
        if (static_cast<int>(members.size()) >= kMaxMembers || !memberComplete(member) || equalsSeen) return std::nullopt;
        members.emplace_back();
        break;
    }
    ++i;
  }
  if (!memberComplete(members.back())) return std::nullopt;
  return members;
}

std::optional<Number> parseNumber(std::wstring_view token) {
  if (token.empty()) return std::nullopt;
  int dots = 0;
  for (std::size_t i = 0; i < token.size(); ++i) {
    const wchar_t c = token[i];
    if (c == L'.') {
      if (++dots > 1) return std::nullopt;
    } else if (!(c >= L'0' && c <= L'9') && !(i == 0 && (c == L'+' || c == L'-'))) {
      return std::nullopt;
    }
  }
  std::string ascii(token.begin(), token.end());  // only digits, signs and a dot remain
  Number number;
  if (dots) {
    number.real = true;
    number.realValue = std::strtod(ascii.c_str(), nullptr);  // "C" locale: the point is "."
  } else {
    number.integer = std::strtoll(ascii.c_str(), nullptr, 10);
  }
  return number;
}

std::wstring decodeEscapes(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'$') {
      out += text[i];
      continue;
    }
    int value = 0;
    std::size_t digits = 0;
    while (digits < 4 && i + 1 + digits < text.size() && hexValue(text[i + 1 + digits]) >= 0)
      value = value * 16 + hexValue(text[i + 1 + digits++]);
    if (digits == 4) {
      out += static_cast<wchar_t>(value & 0xFF);
      i += 4;
    } else if (i + 1 + digits == text.size()) {
      return out;  // the text ends inside the escape: cut before the "$"
    } else {
      out += L'$';
    }
  }
  return out;
}

std::uint16_t integerTypeFor(std::int64_t value) {
  if (value == 0) return vtI4;
  if (value >= -128 && value <= 127) return vtI1;
  if (value >= -32768 && value <= 32767) return vtI2;
  if (value >= INT32_MIN && value <= INT32_MAX) return vtI4;
  return vtI8;
}

std::optional<std::uint16_t> typeNamed(std::wstring_view lowerName) {
  static constexpr std::pair<std::wstring_view, std::uint16_t> kTypes[] = {
      {L"boolean", vtBool},      {L"string", vtBstr},      {L"bstr", vtBstr},        {L"byte", vtI1},
      {L"ubyte", vtUi1},         {L"word", vtI2},          {L"uword", vtUi2},        {L"long", vtI4},
      {L"dword", vtI4},          {L"ulong", vtUi4},        {L"udword", vtUi4},       {L"quad", vtI8},
      {L"qword", vtI8},          {L"uquad", vtUi8},        {L"uqword", vtUi8},       {L"integer", vtInt},
      {L"int", vtInt},           {L"uinteger", vtUint},    {L"uint", vtUint},        {L"date", vtDate},
      {L"object", vtDispatch},   {L"idispatch", vtDispatch}, {L"vimbraobject", vtDispatch}, {L"iunknown", vtUnknown},
      {L"float", vtR4},          {L"single", vtR4},        {L"double", vtR8},        {L"variant", vtVariant},
  };
  for (auto [name, type] : kTypes)
    if (name == lowerName) return type;
  return std::nullopt;
}

std::wstring lowerCase(std::wstring_view text) {
  std::wstring lower(text);
  for (wchar_t& c : lower)
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = static_cast<wchar_t>(c + 32);
  return lower;
}

}  // namespace automation
