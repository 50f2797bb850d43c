#include <gtest/gtest.h>

#include "runtime/text.h"

namespace {

TEST(TextToNumber, ReadsEveryBaseAndStopsAtTheFirstForeignCharacter) {
  struct Case {
    const wchar_t* text;
    std::int64_t expected;
  } cases[] = {
      {L"", 0},           {L"abc", 0},          {L"42", 42},        {L"  \t42", 42},   {L"+7", 7},
      {L"-13", -13},      {L"12abc", 12},       {L"$ff", 255},      {L"$1F", 31},      {L"-$10", -16},
      {L"$", 0},          {L"$g", 0},           {L"%101", 5},       {L"%102", 2},      {L"%", 0},
      {L"- 5", 0},        {L"1 2", 1},          {L"0x10", 0},       {L"\n5", 0},       {L"$FFFFFFFF", 0xFFFFFFFF},
      {L"9223372036854775807", INT64_MAX},      {L"-9223372036854775808", INT64_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(runtime::textToNumber(c.text), c.expected) << c.text;
}

TEST(TextToNumber, WindowHandlesAreTruncatedTo32Bits) {
  EXPECT_EQ(static_cast<std::uint32_t>(runtime::textToNumber(L"4294967297")), 1u);
  EXPECT_EQ(static_cast<std::uint32_t>(runtime::textToNumber(L"$1234ABCD")), 0x1234ABCDu);
}

TEST(Field, CountsFromOneAndGivesEmptyTextBeyondTheLastSeparator) {
  struct Case {
    const wchar_t* text;
    int n;
    const wchar_t* expected;
  } cases[] = {
      {L"a|b|c", 1, L"a"}, {L"a|b|c", 2, L"b"}, {L"a|b|c", 3, L"c"}, {L"a|b|c", 4, L""},
      {L"", 1, L""},       {L"|", 1, L""},      {L"|", 2, L""},      {L"a||c", 2, L""},
      {L"abc", 1, L"abc"}, {L"abc", 2, L""},
  };
  for (const Case& c : cases) EXPECT_EQ(runtime::field(c.text, c.n, L'|'), c.expected) << c.text << " " << c.n;
}

TEST(Trim, SpacesOnlyOrSpacesAndTabs) {
  EXPECT_EQ(runtime::trimSpaces(L" \ta b\t "), L"\ta b\t");
  EXPECT_EQ(runtime::trimBlanks(std::wstring_view(L" \ta b\t ")), L"a b");
  EXPECT_EQ(runtime::trimBlanks(std::string_view(" \t\t ")), "");
}

TEST(ScanDecimal, BehavesLikePercentD) {
  struct Case {
    const char* text;
    std::int32_t expected;
  } cases[] = {
      {"2500", 2500}, {"  12", 12}, {"\t-7", -7}, {"+3x", 3}, {"300ms", 300}, {"ms", 0},
      {"", 0},        {"-", 0},     {"$10", 0},   {"1 2", 1}, {"4294967296", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(runtime::scanDecimal(c.text), c.expected) << c.text;
}

}  // namespace
