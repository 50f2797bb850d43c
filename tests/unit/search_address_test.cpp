#include <gtest/gtest.h>

#include "search/search_address.h"

#include <vector>

#include "core/configuration.h"
#include "search/search_configuration.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/settings_file.h"

namespace {

using core::SearchEntry;
using search::SearchSettings;

const std::wstring B = L"https://www.google.com/search?";
const SearchSettings kSettings{B, L"&hl=en", 2500, 500};

SearchEntry entry(std::wstring sites, int content, int sortByDate, int firstMatch, std::wstring filter) {
  return {0, search::buildSiteTerms(sites), content, sortByDate, firstMatch, std::move(filter), L"", L""};
}

TEST(SiteTerms, EveryPartTrimmedOfSpacesOnly) {
  struct Case {
    const wchar_t* sites;
    const wchar_t* terms;
  } cases[] = {
      {L"gamma", L"+site:gamma"},
      {L"  gamma  ", L"+site:gamma"},
      {L"alpha | beta", L"+site:alpha+|+site:beta"},
      {L"a|b", L"+site:a+|+site:b"},
      {L"a |", L"+site:a+|+site:"},
      {L"", L"+site:"},
      {L"|", L"+site:+|+site:"},
      {L"\ta\t| b", L"+site:\ta\t+|+site:b"},
  };
  for (const Case& c : cases) EXPECT_EQ(search::buildSiteTerms(c.sites), c.terms) << c.sites;
}

TEST(PrepareWord, LevelAndTrailingUnderscores) {
  struct Case {
    const wchar_t* word;
    const wchar_t* prepared;
    int level;
  } cases[] = {
      {L"OpenWindow", L"OpenWindow", 1},
      {L"WM_PAINT", L"WM_PAINT", 0},
      {L"SendMessage_", L"SendMessage", 0},
      {L"abc__", L"abc", 0},
      {L"_", L"", 0},
      {L"a_b", L"a_b", 1},
      {L"123", L"123", 0},
      {L" ", L" ", 0},
      {L"_x", L"_x", 1},
  };
  for (const Case& c : cases) {
    search::PreparedWord prepared = search::prepareWord(c.word);
    EXPECT_EQ(prepared.text, c.prepared) << c.word;
    EXPECT_EQ(prepared.minimumContentLevel, c.level) << c.word;
  }
}

TEST(EscapeWord, OnlyCharactersThatWouldChangeTheAddress) {
  struct Case {
    const wchar_t* word;
    const wchar_t* escaped;
  } cases[] = {
      {L"Open Window", L"Open Window"},
      {L"a#b", L"a%23b"},
      {L"a&b=c", L"a%26b=c"},
      {L"100%", L"100%25"},
      {L"a+b", L"a%2Bb"},
      {L"\"x\" --kiosk", L"%22x%22 --kiosk"},
      {L"a\tb\r\n", L"a%09b%0D%0A"},
      {L"\u00E4\u00D7", L"\u00E4\u00D7"},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(search::escapeWordForAddress(c.word), c.escaped) << c.word;
}

TEST(SearchAddress, WorkedExamplesAndEdgeCases) {
  struct Case {
    SearchEntry entry;
    const wchar_t* word;
    std::wstring address;
  } cases[] = {
      {entry(L"alpha | beta", 1, 0, 0, L""), L"OpenWindow",
       B + L"q=OpenWindow+site:alpha+|+site:beta&hl=en&tbs=qdr:y99,sbd:0"},
      {entry(L"gamma", 0, 1, 1, L"+function|message&lr=lang_de"), L"WM_PAINT",
       B + L"btnI=I%27m+Feeling+Lucky&q=WM_PAINT+function|message+site:gamma&lr=lang_de&hl=en&tbs=qdr:y99,sbd:1"},
      {entry(L"a", 0, 0, 0, L"&lr=lang_fr"), L"x", B + L"q=x+site:a&lr=lang_fr&hl=en&tbs=qdr:y99,sbd:0"},
      {entry(L"a", 0, 5, 0, L""), L"x", B + L"q=x+site:a&hl=en&tbs=qdr:y99,sbd:5"},
      {entry(L"a", 0, -1, 0, L""), L"", B + L"q=+site:a&hl=en&tbs=qdr:y99,sbd:-1"},
      {entry(L"a", 0, 0, 0, L""), L"a#b&c", B + L"q=a%23b%26c+site:a&hl=en&tbs=qdr:y99,sbd:0"},
  };
  for (const Case& c : cases) EXPECT_EQ(search::buildSearchAddress(kSettings, c.entry, c.word), c.address);
}

// Entries whose URL is an address with "{word}" open that address, the word
// encoded as one value; the engine's switches do not apply to them. The
// content level routes them as any entry; a text that is no template (no
// placeholder, no http or https) is a site, and a too long address, of a
// template or a site, is skipped.
TEST(SearchRunConfiguration, AddressTemplatesOpenWithTheWordEncodedInsideThem) {
  testing_support::ScratchFolder folder;
  const std::wstring file = folder.file("Wordhop.ini").wstring();
  const std::wstring longTemplate = L"https://long.example/" + std::wstring(search::kLongestAddress, L'a') + L"{word}";
  auto site = [](std::wstring sites, int content) {
    return SearchEntry{1, std::move(sites), content, 0, 0, L"", L"", L""};
  };
  EXPECT_FALSE(
      testing_support::saveEntries(file, {site(L"https://docs.example/search?q={word}&lang=en", 1),
                                          {1, L"HTTP://forum.example/find?{word}", 0, 1, 1, L"&lr=x", L"", L""},
                                          site(L"https://engine.example/?q={word}+{word}", 1),
                                          site(L"https://no-placeholder.example", 1),
                                          site(L"ftp://files.example/{word}", 1),
                                          site(longTemplate, 1),
                                          site(L"long.example/" + std::wstring(search::kLongestAddress, L'b'), 1)}));
  std::vector<SearchEntry> entries;
  const SearchSettings settings = search::loadSearchRun(file, entries);
  auto addressesFor = [&](const wchar_t* word) {
    const search::PreparedWord prepared = search::prepareWord(word);
    std::vector<std::wstring> addresses;
    for (const SearchEntry& e : entries)
      if (e.content >= prepared.minimumContentLevel)
        if (auto address = search::entryAddress(settings, e, prepared.text)) addresses.push_back(*address);
    return addresses;
  };
  const std::wstring tail = L"&hl=en&tbs=qdr:y99,sbd:0";
  const std::wstring encoded = L"a%23b%26c%2Bd%20e%C3%A4";
  EXPECT_EQ(addressesFor(L"a#b&c+d e\u00E4"),
            (std::vector<std::wstring>{
                L"https://docs.example/search?q=" + encoded + L"&lang=en",
                L"https://engine.example/?q=" + encoded + L"+" + encoded,
                B + L"q=a%23b%26c%2Bd e\u00E4+site:https://no-placeholder.example" + tail,
                B + L"q=a%23b%26c%2Bd e\u00E4+site:ftp://files.example/{word}" + tail,
            }));
  // An upper-case word also takes the API-only entry; the scheme's case does not matter.
  EXPECT_EQ(addressesFor(L"WM_PAINT").at(1), L"HTTP://forum.example/find?WM_PAINT");
  // The shell takes 2082 characters and the NUL.
  for (const auto& [length, kept] : {std::pair{std::size_t{2082}, true}, std::pair{std::size_t{2083}, false}}) {
    const std::wstring start = L"https://x.example/";
    const SearchEntry exact = site(start + std::wstring(length - start.size() - 1, L'a') + L"{word}", 1);
    EXPECT_EQ(search::entryAddress(settings, exact, L"w").has_value(), kept) << length;
  }
}

TEST(SearchRunConfiguration, DefaultFileGivesTheAddressesOfRecordsOneSixAndSeven) {
  testing_support::ScratchFolder folder;
  const std::wstring file = folder.file("Wordhop.ini").wstring();
  core::writeDefaultConfiguration(file);
  std::vector<SearchEntry> entries;
  SearchSettings settings = search::loadSearchRun(file, entries);
  EXPECT_EQ(settings.searchBase, B);
  EXPECT_EQ(settings.languageSwitch, L"&hl=en");
  EXPECT_EQ(settings.browserStart, 2500);
  EXPECT_EQ(settings.tabDelay, 500);
  ASSERT_EQ(entries.size(), 3u);

  auto addressesFor = [&](const wchar_t* word) {
    search::PreparedWord prepared = search::prepareWord(word);
    std::vector<std::wstring> addresses;
    for (const SearchEntry& e : entries)
      if (e.content >= prepared.minimumContentLevel)
        addresses.push_back(search::buildSearchAddress(settings, e, prepared.text));
    return addresses;
  };
  const std::wstring vendor = L"+site:www.purebasic.fr/english+|+site:www.purebasic.fr/french";
  EXPECT_EQ(addressesFor(L"OpenWindow"),
            std::vector<std::wstring>{B + L"q=OpenWindow" + vendor + L"&hl=en&tbs=qdr:y99,sbd:0"});
  EXPECT_EQ(
      addressesFor(L"WM_PAINT"),
      (std::vector<std::wstring>{
          B + L"q=WM_PAINT" + vendor + L"&hl=en&tbs=qdr:y99,sbd:0",
          B + L"q=WM_PAINT+site:devblogs.microsoft.com&hl=en&tbs=qdr:y99,sbd:0",
          B + L"q=WM_PAINT+function|message|notification|structure+site:learn.microsoft.com&hl=en&tbs=qdr:y99,sbd:0",
      }));
}

// Text without a separator is a disabled entry, whatever its first character.
TEST(SearchRunConfiguration, EnabledMeansTheFirstCharacterIsOne) {
  testing_support::ScratchFolder folder;
  const auto file = folder.file("Wordhop.ini");
  testing_support::writeBytes(file,
                              "\xEF\xBB\xBF[Entries]\r\na = 01\xC3\x97x\r\nb = 2\xC3\x97x\r\nc = 1abc\xC3\x97 s | t "
                              "\xC3\x97"
                              "2\r\nd = -1\xC3\x97x\r\ne = 1\r\nf = 1gamma.example\r\n[Browser]\r\nTabDelay = "
                              "soon\r\n[Google]\r\nLangUI = &hl=de\r\n");
  std::vector<SearchEntry> entries;
  SearchSettings settings = search::loadSearchRun(file.wstring(), entries);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].enabled, 0);
  EXPECT_EQ(entries[0].sites, L"+site:s+|+site:t");
  EXPECT_EQ(entries[0].content, 2);
  EXPECT_EQ(settings.tabDelay, 0);
  EXPECT_EQ(settings.browserStart, 2500);
  EXPECT_EQ(settings.languageSwitch, L"&hl=de");
  EXPECT_EQ(settings.searchBase, B);
}

TEST(SearchRunConfiguration, WaitsAreTakenAsWrittenUpToOneMinute) {
  struct Case {
    const char* written;
    std::int32_t waited;
  } cases[] = {{"0", 0}, {"9999", 9999}, {"60000", 60000}, {"60001", 60000}, {"2000000000", 60000}, {"-5", 0}};
  testing_support::ScratchFolder folder;
  const auto file = folder.file("Wordhop.ini");
  for (const Case& c : cases) {
    const std::string text = std::string("[Browser]\r\nBrowserStart = ") + c.written + "\r\nTabDelay = " + c.written;
    testing_support::writeBytes(file, text);
    std::vector<SearchEntry> entries;
    const SearchSettings settings = search::loadSearchRun(file.wstring(), entries);
    EXPECT_EQ(settings.browserStart, c.waited) << c.written;
    EXPECT_EQ(settings.tabDelay, c.waited) << c.written;
    EXPECT_EQ(testing_support::readBytes(file), text);
  }
}

TEST(SearchRunConfiguration, MissingFileGivesNoEntriesAndDefaults) {
  testing_support::ScratchFolder folder;
  std::vector<SearchEntry> entries;
  SearchSettings settings = search::loadSearchRun(folder.file("Wordhop.ini").wstring(), entries);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(settings.searchBase, B);
  EXPECT_EQ(settings.tabDelay, 500);
  EXPECT_FALSE(std::filesystem::exists(folder.file("Wordhop.ini")));
}

}  // namespace

namespace {

// The word inside a template: every byte of its UTF-8 that is no letter, digit
// or "-._~" percent-encoded, so that nothing the word holds is read as part of
// the address (a "{word}" in the word is no placeholder).
TEST(AddressTemplate, TheWordIsEncodedByteByByte) {
  struct Case {
    const wchar_t* word;
    const wchar_t* address;
  } cases[] = {
      {L"100%", L"https://t.example/?q=100%25"},
      {L"\u20AC", L"https://t.example/?q=%E2%82%AC"},         // three bytes
      {L"\U0001F600", L"https://t.example/?q=%F0%9F%98%80"},  // four bytes
      {L"", L"https://t.example/?q="},
      {L"{word}", L"https://t.example/?q=%7Bword%7D"},
      {L"a-b.c_d~e", L"https://t.example/?q=a-b.c_d~e"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(search::buildTemplateAddress(L"https://t.example/?q={word}", c.word), c.address) << c.word;
}

}  // namespace
