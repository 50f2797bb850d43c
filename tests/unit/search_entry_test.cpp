#include <gtest/gtest.h>

#include "core/search_entry.h"

namespace {

using core::SearchEntry;

TEST(EntryRecord, FormatsSevenFieldsJoinedByTheMultiplicationSign) {
  EXPECT_EQ(core::formatEntryRecord({}), L"0\u00D7\u00D70\u00D70\u00D70\u00D7\u00D7");
  EXPECT_EQ(core::formatEntryRecord({1, L"a | b", 1, 0, 2, L"&lr=x", L"info", L"\u00D7more"}),
            L"1\u00D7a | b\u00D71\u00D70\u00D72\u00D7&lr=x\u00D7info\u00D7more");
}

TEST(EntryRecord, ParsesShortLongAndDamagedRecords) {
  struct Case {
    const wchar_t* record;
    SearchEntry expected;
  } cases[] = {
      {L"1\u00D7s\u00D71\u00D70\u00D70\u00D7f\u00D7i", {1, L"s", 1, 0, 0, L"f", L"i", L""}},
      {L"1\u00D7s", {1, L"s", 0, 0, 0, L"", L"", L""}},
      {L"", {}},
      {L"abc\u00D7s\u00D7x\u00D7 7\u00D7$10\u00D7f\u00D7i", {0, L"s", 0, 7, 16, L"f", L"i", L""}},
      // What comes after the seventh field stays with the entry.
      {L"1\u00D7s\u00D71\u00D70\u00D70\u00D7f\u00D7i\u00D7extra8\u00D7extra9",
       {1, L"s", 1, 0, 0, L"f", L"i", L"\u00D7extra8\u00D7extra9"}},
      {L"0\u00D7\u00D7\u00D7\u00D7\u00D7\u00D7\u00D7", {0, L"", 0, 0, 0, L"", L"", L"\u00D7"}},
      // Ticked exactly when the search run searches it: the first character is "1".
      {L"2\u00D7\u00D7-1\u00D75", {0, L"", -1, 5, 0, L"", L"", L""}},
      {L"01\u00D7", {0, L"", 0, 0, 0, L"", L"", L""}},
      {L"+1\u00D7", {0, L"", 0, 0, 0, L"", L"", L""}},
      {L"10\u00D7", {1, L"", 0, 0, 0, L"", L"", L""}},
      {L"4294967297\u00D7", {0, L"", 0, 0, 0, L"", L"", L""}},
      // Without a separator the whole text is kept, as a disabled entry's sites.
      {L"gamma.example", {0, L"gamma.example", 0, 0, 0, L"", L"", L""}},
      {L"1", {0, L"1", 0, 0, 0, L"", L"", L""}},
  };
  for (const Case& c : cases) {
    SearchEntry entry{9, L"old", 9, 9, 9, L"old", L"old", L"old"};
    core::parseEntryRecord(c.record, entry);
    EXPECT_EQ(entry, c.expected) << c.record;
  }
}

TEST(EntryRecord, FormatThenParseIsStable) {
  const SearchEntry entry{
      1, L"www.purebasic.fr/english | www.purebasic.fr/french", 1, 1, 0, L"&lr=lang_de", L"German", L"\u00D7x"};
  SearchEntry parsed;
  core::parseEntryRecord(core::formatEntryRecord(entry), parsed);
  EXPECT_EQ(parsed, entry);
}

}  // namespace

namespace {

TEST(EntryRecord, TypedOrPastedTextIsOneLineWithoutTheSeparator) {
  struct Case {
    const wchar_t* input;
    std::optional<std::wstring> taken;
  } cases[] = {
      {L"plain", L"plain"},
      {L"one\r\n\r\ntwo\rthree\n", L"one two three"},
      {L"\r\nlead and trail\r\n\r\n", L"lead and trail"},  // a copied line brings its break
      {L"\n", L""},
      {L"a\u00D7b", std::nullopt},
      {L"\u00D7", std::nullopt},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(core::fieldInput(c.input), c.taken) << c.input;
}

}  // namespace
