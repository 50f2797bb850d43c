#include <gtest/gtest.h>

#include "core/preference_document.h"

namespace {

using core::PreferenceDocument;
using Kind = PreferenceDocument::LineKind;

constexpr std::string_view kHead = "\xEF\xBB\xBF\r\n";

std::string rewritten(std::string text) {
  PreferenceDocument document;
  document.parse(std::move(text));
  return document.serialise();
}

TEST(PreferenceParse, EachLineFormGivesItsItem) {
  struct Case {
    const char* line;
    Kind kind;
    const char* name;
    const char* value;
  } cases[] = {
      {"[Google]", Kind::group, "Google", ""},
      {"[Google] trailing text", Kind::group, "Google", ""},
      {"[ Google ]", Kind::group, " Google ", ""},
      {"[Unclosed", Kind::group, "Unclosed", ""},
      {"  \t[Indented]", Kind::group, "Indented", ""},
      {"; text", Kind::comment, "", "text"},
      {";text", Kind::comment, "", "text"},
      {";   spaced", Kind::comment, "", "  spaced"},
      {";", Kind::comment, "", ""},
      {"key=value", Kind::key, "key", "value"},
      {"key \t= \t value \t", Kind::key, "key", "value \t"},
      {"a=b=c", Kind::key, "a", "b=c"},
      {"=", Kind::key, "", ""},
      {"=x", Kind::key, "", "x"},
      {"bare", Kind::key, "bare", ""},
      {"bare  ", Kind::key, "bare", ""},
      {"v=; not a comment [x]", Kind::key, "v", "; not a comment [x]"},
      {" \t ", Kind::blank, "", ""},
  };
  for (const Case& c : cases) {
    PreferenceDocument document;
    document.parse(c.line);
    ASSERT_EQ(document.lines().size(), 1u) << c.line;
    const auto& line = document.lines()[0];
    EXPECT_EQ(line.kind, c.kind) << c.line;
    EXPECT_EQ(line.name(), c.name) << c.line;
    EXPECT_EQ(line.value(), c.value) << c.line;
  }
}

// Every mix of CR, LF and CR LF ends lines the same way, and each line keeps its own end.
TEST(PreferenceParse, LineEndsOfEveryKindSplitTheSameLines) {
  const struct {
    std::string_view text;
    std::string_view keys;  // name=value of every key, joined by "|"
    std::size_t lines;
  } cases[] = {
      {"a=1\r\nb=2\r\nc=3", "a=1|b=2|c=3", 3},
      {"a=1\nb=2\nc=3\n", "a=1|b=2|c=3", 3},
      {"a=1\rb=2\rc=3\r", "a=1|b=2|c=3", 3},
      {"a=1\rb=2\rc=3\nd=4\re=5", "a=1|b=2|c=3|d=4|e=5", 5},
      {"a=1\nb=2\rc=3\r\nd=4\n\re=5", "a=1|b=2|c=3|d=4|e=5", 6},
      {"\n\r\n\ra=1\r\r\r\n\n\nb=2", "a=1|b=2", 9},
      {"a=x\ry\nb=z", "a=x|y=|b=z", 3},
      {"\r\n", "", 1},
  };
  for (const auto& c : cases) {
    PreferenceDocument document;
    document.parse(std::string(c.text));
    std::string keys;
    for (const auto& line : document.lines()) {
      if (line.kind != Kind::key) continue;
      if (!keys.empty()) keys += '|';
      keys.append(line.name()).append("=").append(line.value());
    }
    EXPECT_EQ(keys, c.keys) << c.text;
    EXPECT_EQ(document.lines().size(), c.lines) << c.text;
    EXPECT_EQ(document.serialise(), "\xEF\xBB\xBF" + std::string(c.text)) << c.text;
  }
}

TEST(PreferenceSerialise, ANewDocumentStartsWithTheMarkAndAnEmptyLine) { EXPECT_EQ(rewritten(""), kHead); }

TEST(PreferenceSerialise, UntouchedBytesSurviveEvenWhenNotUtf8) {
  const std::string text = std::string(kHead) + "; bad \xFF\xC3 bytes\r\n[G]\r\nk = \xE2\x82\r\n";
  PreferenceDocument document;
  document.parse(text.substr(3));
  document.selectGroup("G");
  document.writeString("other", "1");
  EXPECT_EQ(document.serialise(), std::string(kHead) + "; bad \xFF\xC3 bytes\r\n[G]\r\nk = \xE2\x82\r\nother = 1\r\n");
}

TEST(PreferenceDecode, ChoosesTheEncodingByTheMarkOrTheBytes) {
  using E = core::TextEncoding;
  struct Case {
    std::string bytes;
    std::string utf8;
    core::FileEncoding encoding;
  } cases[] = {
      {"\xEF\xBB\xBFk=\xC3\x97", "k=\xC3\x97", {E::utf8, true}},
      {"k=\xD7", "k=\xC3\x97", {E::mixed, false}},                                      // Windows-1252
      {"k=\x92\x96\x80", "k=\xE2\x80\x99\xE2\x80\x93\xE2\x82\xAC", {E::mixed, false}},  // its ’ – €
      {"k=\xC3\x97", "k=\xC3\x97", {E::utf8, false}},                                   // UTF-8 saved without a mark
      {"k=caf\xC3\xA9 \xE9", "k=caf\xC3\x83\xC2\xA9 \xC3\xA9", {E::mixed, false}},  // a line not UTF-8: Windows-1252
      // UTF-8 with one line an ANSI tool appended: each line its own, with a mark or without.
      {"1=1\xC3\x97s\r\n\r\n2=caf\xE9\n3=\xC3\x97", "1=1\xC3\x97s\r\n\r\n2=caf\xC3\xA9\n3=\xC3\x97", {E::mixed, false}},
      {"\xEF\xBB\xBF"
       "1=\xC3\x97\r\n3=Caf\xE9",
       "1=\xC3\x97\r\n3=Caf\xC3\xA9",
       {E::mixed, true}},
      {"k=\xC3", "k=\xC3\x83", {E::mixed, false}},                              // a cut-off sequence is Windows-1252
      {"k=\xED\xA0\x80", "k=\xC3\xAD\xC2\xA0\xE2\x82\xAC", {E::mixed, false}},  // an encoded surrogate is no UTF-8
      {"", "", {E::utf8, false}},
      {"\xEF\xBB", "\xC3\xAF\xC2\xBB", {E::mixed, false}},
      {std::string("\xFF\xFEk\0=\0\xD7\0", 8), "k=\xC3\x97", {E::utf16le, true}},
      {std::string("\xFE\xFF\0k\0=\0\xD7", 8), "k=\xC3\x97", {E::utf16be, true}},
      {std::string("k\0=\0\xD7\0", 6), "k=\xC3\x97", {E::utf16le, false}},  // UTF-16 without a mark, either order
      {std::string("\0k\0=\0\xD7", 6), "k=\xC3\x97", {E::utf16be, false}},
  };
  for (const Case& c : cases) {
    const PreferenceDocument::Decoded decoded = PreferenceDocument::decodeFileBytes(c.bytes);
    EXPECT_EQ(decoded.text, c.utf8) << c.bytes;
    EXPECT_EQ(decoded.encoding, c.encoding) << c.bytes;
  }
}

TEST(PreferenceGroups, SelectionIgnoresAsciiCaseOnlyAndTheFirstMatchWins) {
  PreferenceDocument document;
  document.parse("[Google]\r\nk=1\r\n[GOOGLE]\r\nk=2\r\n[\xC3\x84]\r\nk=3");
  EXPECT_TRUE(document.selectGroup("google"));
  EXPECT_EQ(document.readValue("K"), "1");
  EXPECT_FALSE(document.selectGroup("\xC3\xA4"));    // non-ASCII letters are not folded
  EXPECT_EQ(document.readValue("k"), std::nullopt);  // pending group reads nothing
  EXPECT_TRUE(document.selectGroup("\xC3\x84"));
  EXPECT_EQ(document.readValue("k"), "3");
  EXPECT_TRUE(document.selectGroup(""));
  EXPECT_EQ(document.readValue("k"), std::nullopt);
  EXPECT_FALSE(document.modified());
}

TEST(PreferenceWrite, ReplacesTheFirstKeyKeepingItsLayoutAndTakesTheCallersNameCase) {
  PreferenceDocument document;
  document.parse("[Google]\r\n  search\t=  old  \r\nSEARCH = second\r\n[Other]\r\n");
  document.selectGroup("Google");
  document.writeString("Search", "new");
  EXPECT_TRUE(document.modified());
  EXPECT_EQ(document.serialise(),
            std::string(kHead).substr(0, 3) + "[Google]\r\n  Search\t=  new\r\nSEARCH = second\r\n[Other]\r\n");
}

// A new key follows the group's last key, laid out as the key before it; a new
// group comes last, as far from the group before it as the file's last group is.
TEST(PreferenceWrite, NewKeysFollowTheLastKeyOfTheirGroupInItsLayout) {
  PreferenceDocument document;
  document.parse("top=1\n\n[A]\n  a : =1\n; tail comment\n\n[B]\nb=2");
  document.selectGroup("A");
  document.writeString("a2", "2");
  document.selectGroup("");
  document.writeString("top2", "2");
  document.selectGroup("C");
  document.writeString("c", "3");
  document.selectGroup("B");
  document.writeString("b2", "4");
  EXPECT_EQ(document.serialise(),
            "\xEF\xBB\xBFtop=1\ntop2=2\n\n[A]\n  a : =1\n  a2 =2\n; tail comment\n\n[B]\nb=2\nb2=4\n\n[C]\nc=3\n");
}

TEST(PreferenceWrite, TopSectionKeyOfADocumentStartingWithAGroupComesFirst) {
  PreferenceDocument document;
  document.parse("[A]\r\n");
  document.selectGroup("");
  document.writeString("k", "v");
  EXPECT_EQ(document.serialise(), "\xEF\xBB\xBFk = v\r\n[A]\r\n");
}

TEST(PreferenceWrite, CommentsFollowTheCurrentItemInCallOrder) {
  PreferenceDocument document;
  document.parse("");
  document.writeComment("first");
  document.writeComment("");
  document.selectGroup("G");
  document.writeString("k", "v");
  document.writeComment("after k");
  document.writeString("k2", "v2");
  EXPECT_EQ(document.serialise(), std::string(kHead) + "; first\r\n; \r\n[G]\r\nk = v\r\n; after k\r\nk2 = v2\r\n");
}

TEST(PreferenceWrite, ALineBreakInAValueReadsBackAsTwoLines) {
  PreferenceDocument document;
  document.parse("");
  document.selectGroup("G");
  document.writeString("k", "one\r\ntwo");
  PreferenceDocument reread;
  reread.parse(document.serialise().substr(3));
  ASSERT_EQ(reread.lines().size(), 4u);  // the empty first line, [G], k = one, two
  EXPECT_EQ(reread.lines()[3].name(), "two");
}

TEST(PreferenceKeys, EnumerationPassesOverCommentsAndStopsAtTheNextGroup) {
  PreferenceDocument document;
  document.parse("[E]\r\n1 = a \r\n; note\r\n\r\nx = b\r\n[F]\r\ny = c");
  document.selectGroup("e");
  ASSERT_TRUE(document.examineKeys());
  std::vector<std::string> values;
  while (document.nextKey()) values.emplace_back(document.keyValue());
  EXPECT_EQ(values, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(document.keyValue(), "b");  // the failed step left the cursor on the last key
}

TEST(PreferenceKeys, TopSectionEnumerationAndPendingGroups) {
  PreferenceDocument document;
  document.parse("a=1\r\n[G]\r\nb=2");
  document.selectGroup("");
  ASSERT_TRUE(document.examineKeys());
  EXPECT_EQ(document.keyValue(), "");
  ASSERT_TRUE(document.nextKey());
  EXPECT_EQ(document.keyValue(), "1");
  EXPECT_FALSE(document.nextKey());
  document.selectGroup("Missing");
  EXPECT_FALSE(document.examineKeys());
  EXPECT_FALSE(document.nextKey());
}

// Lines are placed anew, each with its own bytes; a placed key takes a new name
// or value in its own layout, a new key the layout of the group's last key.
TEST(PreferenceArrange, PlacesTheGroupsLinesAnewEachKeepingItsBytes) {
  PreferenceDocument document;
  document.parse("[Entries]\r\n ;note\r\n1= a\n\t2 =  b   \r\n\r\n[Browser]\r\nTabDelay=5");
  document.selectGroup("Entries");
  document.arrangeGroup({{2, "1", {}}, {0, {}, {}}, {1, "2", "A"}, {{}, "3", "c"}, {3, {}, {}}});
  EXPECT_EQ(document.serialise(),
            "\xEF\xBB\xBF[Entries]\r\n\t1 =  b   \r\n ;note\r\n2= A\n\t3 =  c\r\n\r\n[Browser]\r\nTabDelay=5");
  document.selectGroup("Browser");
  document.arrangeGroup({{{}, "BrowserStart", "1"}, {0, {}, {}}});
  EXPECT_EQ(document.serialise().substr(document.serialise().find("[Browser]")),
            "[Browser]\r\nBrowserStart=1\r\nTabDelay=5");
}

TEST(PreferenceArrange, APendingGroupIsMadeFirst) {
  PreferenceDocument document;
  document.parse("[A]\nx=1\n");
  document.selectGroup("Entries");
  document.arrangeGroup({{{}, "1", "v"}});
  EXPECT_EQ(document.serialise(), "\xEF\xBB\xBF[A]\nx=1\n[Entries]\n1=v\n");
}

}  // namespace
