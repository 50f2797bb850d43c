#include <gtest/gtest.h>

#include "core/preference_document.h"

namespace {

using core::PreferenceDocument;
using Kind = PreferenceDocument::ItemKind;

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
  };
  for (const Case& c : cases) {
    PreferenceDocument document;
    document.parse(c.line);
    ASSERT_EQ(document.items().size(), 1u) << c.line;
    const auto& item = document.items()[0];
    EXPECT_EQ(item.kind, c.kind) << c.line;
    EXPECT_EQ(item.name, c.name) << c.line;
    EXPECT_EQ(item.value, c.value) << c.line;
  }
}

TEST(PreferenceParse, EveryRunOfLineEndsAndBlankLinesVanish) {
  PreferenceDocument document;
  document.parse("a=1\r\n\r\n\n\rb=2\rc=3\n   \n\t\nd");
  ASSERT_EQ(document.items().size(), 4u);
  EXPECT_EQ(document.items()[3].name, "d");
}

// Every mix of CR, LF and CR LF ends lines the same way.
TEST(PreferenceParse, LineEndsOfEveryKindSplitTheSameLines) {
  const struct {
    std::string_view text;
    std::string_view keys;  // name=value of every key, joined by "|"
  } cases[] = {
      {"a=1\r\nb=2\r\nc=3", "a=1|b=2|c=3"},
      {"a=1\nb=2\nc=3\n", "a=1|b=2|c=3"},
      {"a=1\rb=2\rc=3\r", "a=1|b=2|c=3"},
      {"a=1\rb=2\rc=3\nd=4\re=5", "a=1|b=2|c=3|d=4|e=5"},
      {"a=1\nb=2\rc=3\r\nd=4\n\re=5", "a=1|b=2|c=3|d=4|e=5"},
      {"\n\r\n\ra=1\r\r\r\n\n\nb=2", "a=1|b=2"},
      {"a=x\ry\nb=z", "a=x|y=|b=z"},
      {"\r\n", ""},
  };
  for (const auto& c : cases) {
    PreferenceDocument document;
    document.parse(std::string(c.text));
    std::string keys;
    for (const auto& item : document.items()) {
      if (!keys.empty()) keys += '|';
      keys.append(item.name).append("=").append(item.value);
    }
    EXPECT_EQ(keys, c.keys) << c.text;
  }
}

TEST(PreferenceSerialise, NormalisesSpacingAndKeepsEveryItemInPlace) {
  EXPECT_EQ(rewritten(""), kHead);
  EXPECT_EQ(rewritten(";c1\r\n\r\n[G]\r\nk=v\r\n;c2\r\n  x   =   y  \r\n[H]"),
            std::string(kHead) + "; c1\r\n[G]\r\nk = v\r\n; c2\r\nx = y  \r\n[H]\r\n");
}

TEST(PreferenceSerialise, UntouchedBytesSurviveEvenWhenNotUtf8) {
  const std::string text = std::string(kHead) + "; bad \xFF\xC3 bytes\r\n[G]\r\nk = \xE2\x82\r\n";
  PreferenceDocument document;
  document.parse(text.substr(kHead.size()));
  document.selectGroup("G");
  document.writeString("other", "1");
  EXPECT_EQ(document.serialise(), std::string(kHead) + "; bad \xFF\xC3 bytes\r\n[G]\r\nk = \xE2\x82\r\nother = 1\r\n");
}

TEST(PreferenceDecode, ChoosesTheEncodingByTheMarkOrTheBytes) {
  struct Case {
    std::string bytes;
    std::string utf8;
  } cases[] = {
      {"\xEF\xBB\xBFk=\xC3\x97", "k=\xC3\x97"},
      {"k=\xD7", "k=\xC3\x97"},                                      // Windows-1252
      {"k=\x92\x96\x80", "k=\xE2\x80\x99\xE2\x80\x93\xE2\x82\xAC"},  // its ’ – €
      {"k=\xC3\x97", "k=\xC3\x97"},                                  // UTF-8 saved without a mark
      {"k=caf\xC3\xA9 \xE9", "k=caf\xC3\x83\xC2\xA9 \xC3\xA9"},      // a line not UTF-8: Windows-1252
      // UTF-8 with one line an ANSI tool appended: each line its own.
      {"1=1\xC3\x97s\r\n\r\n2=caf\xE9\n3=\xC3\x97", "1=1\xC3\x97s\r\n\r\n2=caf\xC3\xA9\n3=\xC3\x97"},
      {"k=\xC3", "k=\xC3\x83"},                              // a cut-off sequence is Windows-1252
      {"k=\xED\xA0\x80", "k=\xC3\xAD\xC2\xA0\xE2\x82\xAC"},  // an encoded surrogate is no UTF-8
      {"", ""},
      {"\xEF\xBB", "\xC3\xAF\xC2\xBB"},
      {std::string("\xFF\xFEk\0=\0\xD7\0", 8), "k=\xC3\x97"},
      {std::string("\xFE\xFF\0k\0=\0\xD7", 8), "k=\xC3\x97"},
      {std::string("k\0=\0\xD7\0", 6), "k=\xC3\x97"},  // UTF-16 without a mark, either order
      {std::string("\0k\0=\0\xD7", 6), "k=\xC3\x97"},
  };
  for (const Case& c : cases) EXPECT_EQ(PreferenceDocument::decodeFileBytes(c.bytes), c.utf8);
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

TEST(PreferenceWrite, ReplacesTheFirstKeyAndTakesTheCallersNameCase) {
  PreferenceDocument document;
  document.parse("[Google]\r\nsearch = old\r\nSEARCH = second\r\n[Other]\r\n");
  document.selectGroup("Google");
  document.writeString("Search", "new");
  EXPECT_TRUE(document.modified());
  EXPECT_EQ(document.serialise(), std::string(kHead) + "[Google]\r\nSearch = new\r\nSEARCH = second\r\n[Other]\r\n");
}

TEST(PreferenceWrite, NewKeysGoToTheEndOfTheirGroup) {
  PreferenceDocument document;
  document.parse("top=1\r\n[A]\r\na=1\r\n; tail comment\r\n[B]\r\n");
  document.selectGroup("A");
  document.writeString("a2", "2");
  document.selectGroup("");
  document.writeString("top2", "2");
  document.selectGroup("C");
  document.writeString("c", "3");
  EXPECT_EQ(document.serialise(), std::string(kHead) +
                                      "top = 1\r\ntop2 = 2\r\n[A]\r\na = 1\r\n; tail comment\r\na2 = 2\r\n[B]\r\n"
                                      "[C]\r\nc = 3\r\n");
}

TEST(PreferenceWrite, TopSectionKeyOfADocumentStartingWithAGroupComesFirst) {
  PreferenceDocument document;
  document.parse("[A]\r\n");
  document.selectGroup("");
  document.writeString("k", "v");
  EXPECT_EQ(document.serialise(), std::string(kHead) + "k = v\r\n[A]\r\n");
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
  ASSERT_EQ(reread.items().size(), 3u);
  EXPECT_EQ(reread.items()[2].name, "two");
}

TEST(PreferenceKeys, EnumerationPassesOverCommentsAndStopsAtTheNextGroup) {
  PreferenceDocument document;
  document.parse("[E]\r\n1 = a \r\n; note\r\nx = b\r\n[F]\r\ny = c");
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

// The first copy goes with its comments; a later copy, never read, stays as
// comments where it stood, each line as written; the group comes back at the end.
TEST(PreferenceRemove, DropsTheFirstCopyKeepsLaterCopiesAsCommentsAndRecreatesItAtTheEnd) {
  PreferenceDocument document;
  document.parse(
      "[Entries]\r\n; inside\r\n1 = a\r\n[Entries]\r\n2= second copy\r\n[Browser]\r\nTabDelay = 5\r\n"
      "[Entries]\r\n;third\r\nfoo =\r\n");
  document.selectGroup("Entries");
  document.removeGroup("ENTRIES");
  EXPECT_TRUE(document.modified());
  document.selectGroup("Entries");  // no hidden copy comes to light
  document.writeString("1", "b");
  EXPECT_EQ(document.serialise(), std::string(kHead) +
                                      "; [Entries]\r\n; 2= second copy\r\n[Browser]\r\nTabDelay = 5\r\n; [Entries]\r\n"
                                      "; third\r\n; foo =\r\n[Entries]\r\n1 = b\r\n");
}

TEST(PreferenceRemove, AbsentGroupChangesNothingAndCursorBehindIsShifted) {
  PreferenceDocument document;
  document.parse("[A]\r\na=1\r\n[B]\r\nb=2");
  document.removeGroup("none");
  EXPECT_FALSE(document.modified());
  document.selectGroup("B");
  document.removeGroup("A");
  EXPECT_EQ(document.readValue("b"), "2");
  document.writeComment("c");
  EXPECT_EQ(document.serialise(), std::string(kHead) + "[B]\r\n; c\r\nb = 2\r\n");
}

}  // namespace
