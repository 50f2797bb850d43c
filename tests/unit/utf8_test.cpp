#include <gtest/gtest.h>

#include "runtime/utf8.h"

namespace {

const std::wstring kMixed = L"a\u00D7\u20AC" + std::wstring(sizeof(wchar_t) == 2 ? L"\xD83D\xDE00" : L"\U0001F600");

TEST(Utf8, RoundTripsEveryLength) {
  const std::string bytes = "a\xC3\x97\xE2\x82\xAC\xF0\x9F\x98\x80";
  EXPECT_EQ(runtime::toUtf8(kMixed), bytes);
  EXPECT_EQ(runtime::fromUtf8(bytes), kMixed);
}

TEST(Utf8, MalformedBytesBecomeReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::wstring expected;
  } cases[] = {
      {"\xFF", L"\uFFFD"},
      {"a\x80z", L"a\uFFFDz"},
      {"\xC3", L"\uFFFD"},
      {"\xC0\xAF", L"\uFFFD\uFFFD"},          // overlong
      {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"\xE2\x82", L"\uFFFD\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(runtime::fromUtf8(c.bytes), c.expected);
}

TEST(Windows1252, LettersAreLatin1sAndThe80sAreItsPunctuation) {
  EXPECT_EQ(runtime::windows1252ToUtf8("1\xD7" "2\xFF"), "1\xC3\x97" "2\xC3\xBF");
  EXPECT_EQ(runtime::windows1252ToUtf8(std::string("\0a", 2)), std::string("\0a", 2));
  EXPECT_EQ(runtime::windows1252ToUtf8("\x92\x96\x80\x81\x9F"),
            "\xE2\x80\x99\xE2\x80\x93\xE2\x82\xAC\xC2\x81\xC5\xB8");  // ’ – € U+0081 Ÿ
}

TEST(Utf16, BothByteOrdersWithSurrogatePairs) {
  EXPECT_EQ(runtime::utf16ToUtf8(std::string("a\0\xD7\0=\xD8\0\xDE", 8), false), "a\xC3\x97\xF0\x9F\x98\x80");
  EXPECT_EQ(runtime::utf16ToUtf8(std::string("\0a\0\xD7\xD8=\xDE\0", 8), true), "a\xC3\x97\xF0\x9F\x98\x80");
  EXPECT_EQ(runtime::utf16ToUtf8(std::string("\0\xD8" "a", 3), false), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
