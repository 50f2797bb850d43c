#include "runtime/text.h"

namespace runtime {
namespace {

int digitValue(wchar_t c, int base) {
  int value = -1;
  if (c >= L'0' && c <= L'9') value = c - L'0';
  else if (c >= L'a' && c <= L'f') value = c - L'a' + 10;
  else if (c >= L'A' && c <= L'F') value = c - L'A' + 10;
  return value < base ? value : -1;
}

template <typename Char>
std::basic_string_view<Char> trimAny(std::basic_string_view<Char> text, bool tabsToo) {
  auto blank = [tabsToo](Char c) { return c == Char(' ') || (tabsToo && c == Char('\t')); };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::int64_t textToNumber(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  int base = 10;
  if (i < text.size() && text[i] == L'$') base = 16, ++i;
  else if (i < text.size() && text[i] == L'%') base = 2, ++i;
  std::uint64_t value = 0;  // unsigned: overflow wraps instead of being undefined
  for (; i < text.size(); ++i) {
    int digit = digitValue(text[i], base);
    if (digit < 0) break;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
  }
  return static_cast<std::int64_t>(negative ? 0 - value : value);
}

std::wstring_view field(std::wstring_view text, int n, wchar_t separator) {
  std::size_t start = 0;
  for (int k = 1; k < n; ++k) {
    std::size_t next = text.find(separator, start);
    if (next == std::wstring_view::npos) return {};
    start = next + 1;
  }
  std::size_t end = text.find(separator, start);
  return text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
}

std::wstring_view trimSpaces(std::wstring_view text) { return trimAny(text, false); }
std::string_view trimBlanks(std::string_view text) { return trimAny(text, true); }
std::wstring_view trimBlanks(std::wstring_view text) { return trimAny(text, true); }

std::int32_t scanDecimal(std::string_view text) {
  std::size_t i = 0;
  auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10u + unsigned(text[i] - '0');
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}

}  // namespace runtime
