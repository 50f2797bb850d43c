// The store edits a file in place: over random files in random layouts
// (indentation, spacing, blank lines, comments with and without a space, LF,
// CR LF and lone CR, duplicate groups, lines without "=", UTF-8 with and
// without a mark, UTF-16), each write changes only the lines it names, and
// reading back gives the values written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>

#include "core/preference_document.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace {

using core::PreferenceDocument;
using Kind = PreferenceDocument::LineKind;
using Line = PreferenceDocument::Line;

class RandomFile {
 public:
  explicit RandomFile(std::uint32_t seed) : random_(seed) {}

  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  template <class T, std::size_t N>
  const T& oneOf(const T (&items)[N]) {
    return items[static_cast<std::size_t>(pick(static_cast<int>(N)))];
  }

  std::string name() {
    static const char* const names[] = {"a", "B", "key", "Key", "TabDelay", "1", "2", "\xC3\xA9t\xC3\xA9", "x y"};
    return oneOf(names);
  }
  std::string group() {
    static const char* const groups[] = {"Entries", "entries", "Browser", "G", "\xC3\x84"};
    return oneOf(groups);
  }
  std::string value() {
    static const char* const values[] = {"",
                                         "v",
                                         "1\xC3\x97s\xC3\x97\x30",
                                         "a=b",
                                         "; not a comment",
                                         "[x]",
                                         "  two  words",
                                         "caf\xC3\xA9",
                                         "\xE2\x82\xAC"};
    return oneOf(values);
  }
  std::string blanks() {
    static const char* const blanks[] = {"", "", " ", "  ", "\t"};
    return oneOf(blanks);
  }
  std::string end() {
    static const char* const ends[] = {"\r\n", "\r\n", "\n", "\n", "\r"};
    return oneOf(ends);
  }

  std::string line() {
    switch (pick(7)) {
      case 0:
        return blanks() + "[" + group() + "]" + (pick(4) ? "" : " trailing");
      case 1:
        return blanks() + (pick(2) ? ";" : "; ") + value();
      case 2:
        return blanks();
      case 3:
        return blanks() + name();  // no "="
      default:
        return blanks() + name() + blanks() + "=" + blanks() + value() + (pick(4) ? "" : " ");
    }
  }

  // UTF-8 text: lines with ends, the last one maybe without.
  std::string text() {
    std::string text;
    for (int count = pick(14); count > 0; --count) text += line() + end();
    if (!text.empty() && pick(3) == 0) text.erase(text.find_last_not_of("\r\n") + 1);
    return text;
  }

 private:
  std::mt19937 random_;
};

// The file's bytes in one of the encodings a user's editor may leave.
std::string encoded(const std::string& utf8, int encoding) {
  switch (encoding) {
    case 0:
      return "\xEF\xBB\xBF" + utf8;
    case 1:
      return utf8;
    default:
      return "\xFF\xFE" + runtime::utf8ToUtf16(utf8, false);
  }
}

// The lines as they are written: copies, so that they outlive the document.
struct Copy {
  std::string text, end;
  Kind kind;
  bool operator==(const Copy&) const = default;
  friend void PrintTo(const Copy& line, std::ostream* out) { *out << testing::PrintToString(line.text + line.end); }
};
std::vector<Copy> copyOf(const PreferenceDocument& document) {
  std::vector<Copy> lines;
  for (const Line& line : document.lines()) lines.push_back({std::string(line.text), std::string(line.end), line.kind});
  return lines;
}

// What every (group, key) pair of the small name sets reads as.
std::map<std::pair<std::string, std::string>, std::optional<std::string>> readings(PreferenceDocument& document,
                                                                                   RandomFile& names) {
  std::map<std::pair<std::string, std::string>, std::optional<std::string>> values;
  for (int i = 0; i < 12; ++i) {
    const std::string group = names.group(), key = names.name();
    document.selectGroup(group);
    const auto value = document.readValue(key);
    values[{group, key}] = value ? std::optional(std::string(*value)) : std::nullopt;
  }
  return values;
}

// The index range [from, to) where `after` differs from `before`, as
// [from, toBefore) and [from, toAfter).
struct Changed {
  std::size_t from, toBefore, toAfter;
};
Changed changedSpan(const std::vector<Copy>& before, const std::vector<Copy>& after) {
  std::size_t from = 0;
  while (from < before.size() && from < after.size() && before[from] == after[from]) ++from;
  std::size_t tail = 0;
  while (tail < before.size() - from && tail < after.size() - from &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  return {from, before.size() - tail, after.size() - tail};
}

void writeOneKey(PreferenceDocument& document, RandomFile& random) {
  const std::vector<Copy> before = copyOf(document);
  const std::string group = random.pick(5) ? random.group() : "";
  const std::string key = random.name(), value = random.value();
  const bool groupThere = group.empty() || document.selectGroup(group);
  auto others = readings(document, random);
  document.selectGroup(group);
  const bool keyThere = groupThere && document.readValue(key).has_value();
  document.writeString(key, value);
  const std::vector<Copy> after = copyOf(document);
  SCOPED_TRACE("write [" + group + "] " + key + " = " + value);

  // Reading back gives the value written, and nothing else reads otherwise.
  document.selectGroup(group);
  ASSERT_EQ(document.readValue(key), runtime::trimBlanks(value));
  for (auto& [where, reading] : others)
    if (!(core::namesEqual(where.first, group) && core::namesEqual(where.second, key))) {
      document.selectGroup(where.first);
      const auto now = document.readValue(where.second);
      EXPECT_EQ(now ? std::optional(std::string(*now)) : std::nullopt, reading) << where.first << "/" << where.second;
    }

  const Changed span = changedSpan(before, after);
  if (keyThere) {
    // One line, the key's, keeps its place, indentation and spacing.
    ASSERT_LE(span.toBefore - span.from, 1u);
    ASSERT_EQ(span.toBefore - span.from, span.toAfter - span.from);
    if (span.toBefore == span.from) return;  // the value it had
    const Copy& old = before[span.from];
    const Copy& now = after[span.from];
    EXPECT_EQ(old.end, now.end);
    const std::size_t indent = old.text.find_first_not_of(" \t");
    EXPECT_EQ(now.text.substr(0, indent), old.text.substr(0, indent));
    const std::size_t equals = old.text.find('=');
    if (equals != std::string::npos) {
      const std::size_t valueAt = old.text.find_first_not_of(" \t", equals + 1);
      const std::size_t nameEnd = old.text.find_last_not_of(" \t", equals - 1) + 1;
      const std::string spacing = old.text.substr(nameEnd, std::min(valueAt, old.text.size()) - nameEnd);
      EXPECT_NE(now.text.find(key + spacing), std::string::npos) << now.text;
    }
    return;
  }
  // Lines are only added: one key, and with a new group its header and the
  // blank lines that set it apart. A last line without an end may get one.
  std::size_t from = span.from;
  if (from + 1 == before.size() && before[from].end.empty() && after.size() > from &&
      after[from].text == before[from].text) {
    EXPECT_FALSE(after[from].end.empty());
    ++from;
  }
  ASSERT_LE(span.toBefore, from) << "lines of the file were changed";
  ASSERT_GE(span.toAfter, span.toBefore);
  std::size_t keys = 0, headers = 0;
  for (std::size_t i = from; i < span.toAfter; ++i) {
    const Copy& line = after[i];
    if (line.kind == Kind::key) ++keys;
    if (line.kind == Kind::group) ++headers;
    EXPECT_TRUE(line.kind == Kind::key || line.kind == Kind::group || line.kind == Kind::blank) << line.text;
  }
  // An insertion next to lines that look like it may show a shorter span.
  EXPECT_LE(keys, 1u);
  EXPECT_LE(headers, groupThere ? 0u : 1u);
}

// Arranges the lines of a group anew: a random selection of its body's lines
// in a random order, some renamed or given new values, and new keys.
void arrangeOneGroup(PreferenceDocument& document, RandomFile& random) {
  const std::string group = random.group();
  if (!document.selectGroup(group)) return;
  std::size_t header = 0;
  while (!(document.lines()[header].kind == Kind::group && core::namesEqual(document.lines()[header].name(), group)))
    ++header;
  std::size_t end = header + 1;
  while (end < document.lines().size() && document.lines()[end].kind != Kind::group) ++end;
  const std::vector<Copy> before = copyOf(document);
  std::vector<PreferenceDocument::Placement> placements;
  for (std::size_t line = 0; line < end - header - 1; ++line)
    if (random.pick(4)) placements.push_back({line, {}, {}});
  std::shuffle(placements.begin(), placements.end(), std::mt19937(static_cast<unsigned>(random.pick(1000))));
  for (auto& placement : placements) {
    if (before[header + 1 + *placement.line].kind != Kind::key || random.pick(3)) continue;
    placement.name = random.name();
    placement.value = random.value();
  }
  for (int added = random.pick(3); added > 0; --added)
    placements.insert(placements.begin() + random.pick(static_cast<int>(placements.size()) + 1),
                      {std::nullopt, random.name(), random.value()});
  document.arrangeGroup(placements);
  const std::vector<Copy> after = copyOf(document);
  SCOPED_TRACE("arrange [" + group + "]");

  // Everything outside the group as it was (but a line end given to a line
  // that no longer ends the file), the group's lines as placed.
  ASSERT_EQ(after.size(), before.size() - (end - header - 1) + placements.size());
  for (std::size_t i = 0; i < header; ++i) EXPECT_EQ(after[i], before[i]);
  EXPECT_EQ(after[header].text, before[header].text);
  for (std::size_t i = end; i < before.size(); ++i)
    EXPECT_EQ(after[i - end + header + 1 + placements.size()], before[i]);
  for (std::size_t k = 0; k < placements.size(); ++k) {
    const Copy& line = after[header + 1 + k];
    const auto& placement = placements[k];
    if (placement.line && !placement.name) {
      const Copy& old = before[header + 1 + *placement.line];
      EXPECT_EQ(line.text, old.text);
      // An empty line after a lone CR takes that end, or the two would read as one CR LF.
      const bool afterLoneCr = after[header + k].end == "\r" && old.text.empty();
      if (!old.end.empty() && !afterLoneCr) {
        EXPECT_EQ(line.end, old.end);
      }
      continue;
    }
    PreferenceDocument reread;
    reread.parse(line.text);
    ASSERT_EQ(reread.lines().size(), 1u) << line.text;
    EXPECT_EQ(reread.lines()[0].kind, Kind::key) << line.text;
    EXPECT_EQ(reread.lines()[0].name(), runtime::trimBlanks(*placement.name));
    EXPECT_EQ(runtime::trimBlanks(reread.lines()[0].value()), runtime::trimBlanks(*placement.value));
  }
}

TEST(PreferenceStore, RandomFilesKeepEveryLineNoWriteNames) {
  // scripts/fuzz runs many more.
  const char* rounds = std::getenv("WORDHOP_STORE_ROUNDS");
  const int count = rounds ? std::atoi(rounds) : 2000;
  for (int seed = 0; seed < count && !HasFailure(); ++seed) {
    SCOPED_TRACE(seed);
    RandomFile random(static_cast<std::uint32_t>(seed));
    const std::string text = random.text();
    const int encoding = random.pick(3);
    const std::string bytes = encoded(text, encoding);
    PreferenceDocument document;
    const auto writeBack = random.pick(2) ? core::WriteBack::asRead : core::WriteBack::utf8WithMark;
    document.parseFile(bytes, writeBack);
    // Read and not changed: the same bytes, in its own encoding or as UTF-8 with a mark.
    const std::string expected = writeBack == core::WriteBack::asRead || encoding == 0 ? bytes : encoded(text, 0);
    if (!text.empty()) {
      ASSERT_EQ(document.serialise(), expected);
    }
    for (int step = random.pick(6); step > 0 && !HasFailure(); --step) {
      if (random.pick(3))
        writeOneKey(document, random);
      else
        arrangeOneGroup(document, random);
    }
    // What is written reads back as the same lines, in the encoding chosen.
    const std::string written = document.serialise();
    SCOPED_TRACE("read " + testing::PrintToString(bytes) + ", wrote " + testing::PrintToString(written));
    PreferenceDocument reread;
    reread.parseFile(written, writeBack);
    std::vector<Copy> lines = copyOf(reread);
    // A new file written as the tool writes its own starts with an empty line.
    if (text.empty() && lines.size() == document.lines().size() + 1) lines.erase(lines.begin());
    if (!document.empty()) {
      EXPECT_EQ(lines, copyOf(document));
    }
    const auto encodingWritten = PreferenceDocument::decodeFileBytes(written).encoding;
    if (!document.empty()) {
      EXPECT_EQ(encodingWritten,
                PreferenceDocument::decodeFileBytes(writeBack == core::WriteBack::asRead ? bytes : encoded(text, 0))
                    .encoding);
    }
  }
}

}  // namespace
