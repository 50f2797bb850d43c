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

class RandomFile {
 public:
  explicit RandomFile(std::uint32_t seed) : random_(seed) {}

  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  template <std::size_t N>
  std::string oneOf(const char* const (&items)[N]) {
    return items[static_cast<std::size_t>(pick(static_cast<int>(N)))];
  }
  std::string name() { return oneOf({"a", "B", "key", "Key", "1", "2", "\xC3\xA9t\xC3\xA9", "x y"}); }
  std::string group() { return oneOf({"Entries", "entries", "Browser", "G", "\xC3\x84"}); }
  std::string value() {
    return oneOf({"", "v", "1\xC3\x97s\xC3\x97\x30", "a=b", "; not a comment", "[x]", "  two  words", "\xE2\x82\xAC"});
  }
  std::string blanks() { return oneOf({"", "", " ", "  ", "\t"}); }
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
  // Lines with ends of every kind, the last one maybe without.
  std::string text() {
    std::string text;
    for (int count = pick(14); count > 0; --count) text += line() + oneOf({"\r\n", "\r\n", "\n", "\n", "\r"});
    if (!text.empty() && pick(3) == 0) text.erase(text.find_last_not_of("\r\n") + 1);
    return text;
  }

 private:
  std::mt19937 random_;
};

// The file's bytes in one of the encodings a user's editor may leave.
std::string encoded(const std::string& utf8, int encoding) {
  return encoding == 0 ? "\xEF\xBB\xBF" + utf8 : encoding == 1 ? utf8 : "\xFF\xFE" + runtime::utf8ToUtf16(utf8, false);
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
  for (const auto& line : document.lines()) lines.push_back({std::string(line.text), std::string(line.end), line.kind});
  return lines;
}

std::optional<std::string> read(PreferenceDocument& document, const std::string& group, const std::string& key) {
  document.selectGroup(group);
  const auto value = document.readValue(key);
  return value ? std::optional(std::string(*value)) : std::nullopt;
}

// A key written: it reads back, no other reads otherwise, and the lines that
// changed are its own (in its layout) or, for a new key, lines added.
void writeOneKey(PreferenceDocument& document, RandomFile& random) {
  const std::string group = random.pick(5) ? random.group() : "", key = random.name(), value = random.value();
  SCOPED_TRACE("write [" + group + "] " + key + " = " + value);
  std::map<std::pair<std::string, std::string>, std::optional<std::string>> others;
  for (int i = 0; i < 12; ++i) {
    const std::string otherGroup = random.group(), otherKey = random.name();
    if (!core::namesEqual(otherGroup, group) || !core::namesEqual(otherKey, key))
      others[{otherGroup, otherKey}] = read(document, otherGroup, otherKey);
  }
  const bool keyThere = read(document, group, key).has_value();
  const std::vector<Copy> before = copyOf(document);
  document.writeString(key, value);
  const std::vector<Copy> after = copyOf(document);
  ASSERT_EQ(read(document, group, key), runtime::trimBlanks(value));
  for (const auto& [where, reading] : others) EXPECT_EQ(read(document, where.first, where.second), reading);

  std::size_t from = 0, tail = 0;
  while (from < before.size() && from < after.size() && before[from] == after[from]) ++from;
  while (tail < before.size() - from && tail < after.size() - from &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  const std::size_t removed = before.size() - tail - from, added = after.size() - tail - from;
  if (keyThere) {
    ASSERT_EQ(removed, added);
    ASSERT_LE(removed, 1u);
    if (removed == 0) return;  // the value it had
    // The line keeps its end, its indentation and the spacing around "=".
    const Copy &old = before[from], &now = after[from];
    EXPECT_EQ(old.end, now.end);
    const std::size_t equals = old.text.find('='), nameAt = old.text.find_first_not_of(" \t");
    const std::size_t nameEnd = equals == std::string::npos ? 0 : old.text.find_last_not_of(" \t", equals - 1) + 1;
    const std::size_t valueAt = std::min(old.text.find_first_not_of(" \t", equals + 1), old.text.size());
    const std::string layout = old.text.substr(0, nameAt) + key + old.text.substr(nameEnd, valueAt - nameEnd);
    EXPECT_TRUE(equals == std::string::npos || now.text.starts_with(layout)) << now.text;
    return;
  }
  // Only lines added (a key, and for a new group its header and blank lines);
  // a last line without an end may get one.
  const bool endGiven = removed == 1 && before[from].end.empty() && after[from].text == before[from].text;
  ASSERT_EQ(removed, endGiven ? 1u : 0u);
  for (std::size_t i = from + (endGiven ? 1 : 0); i < after.size() - tail; ++i)
    EXPECT_NE(after[i].kind, Kind::comment) << after[i].text;
}

// A group's lines arranged anew (some of its body's lines in a random order,
// some renamed or given new values, new keys): the rest of the file as it
// was, the group's lines as placed.
void arrangeOneGroup(PreferenceDocument& document, RandomFile& random) {
  const std::string group = random.group();
  if (!document.selectGroup(group)) return;
  SCOPED_TRACE("arrange [" + group + "]");
  const std::vector<Copy> before = copyOf(document);
  std::size_t header = 0, end = 0;
  while (!(document.lines()[header].kind == Kind::group && core::namesEqual(document.lines()[header].name(), group)))
    ++header;
  for (end = header + 1; end < before.size() && before[end].kind != Kind::group;) ++end;
  std::vector<PreferenceDocument::Placement> placements;
  for (std::size_t line = 0; line < end - header - 1; ++line)
    if (random.pick(4)) placements.push_back({line, {}, {}});
  std::shuffle(placements.begin(), placements.end(), std::mt19937(static_cast<unsigned>(random.pick(1000))));
  for (auto& placement : placements)
    if (before[header + 1 + *placement.line].kind == Kind::key && random.pick(3) == 0)
      placement = {placement.line, random.name(), random.value()};
  for (int count = random.pick(3); count > 0; --count)
    placements.insert(placements.begin() + random.pick(static_cast<int>(placements.size()) + 1),
                      {std::nullopt, random.name(), random.value()});
  document.arrangeGroup(placements);
  const std::vector<Copy> after = copyOf(document);

  ASSERT_EQ(after.size(), before.size() - (end - header - 1) + placements.size());
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(header), after.begin()));
  EXPECT_EQ(after[header].text, before[header].text);  // its end may be given
  EXPECT_TRUE(std::equal(before.begin() + static_cast<std::ptrdiff_t>(end), before.end(),
                         after.end() - static_cast<std::ptrdiff_t>(before.size() - end)));
  for (std::size_t k = 0; k < placements.size(); ++k) {
    const Copy& line = after[header + 1 + k];
    const auto& placement = placements[k];
    if (placement.line && !placement.name) {
      // As it was; an empty line after a lone CR takes that end, or the two would read as one CR LF.
      const Copy& old = before[header + 1 + *placement.line];
      EXPECT_EQ(line.text, old.text);
      const bool endKept =
          old.end.empty() || (after[header + k].end == "\r" && old.text.empty()) || line.end == old.end;
      EXPECT_TRUE(endKept) << testing::PrintToString(line.end);
      continue;
    }
    PreferenceDocument reread;
    reread.parse(line.text);
    ASSERT_EQ(reread.lines().size(), 1u) << line.text;
    EXPECT_EQ(reread.lines()[0].name(), *placement.name);
    EXPECT_EQ(runtime::trimBlanks(reread.lines()[0].value()), runtime::trimBlanks(*placement.value));
  }
}

TEST(PreferenceStore, RandomFilesKeepEveryLineNoWriteNames) {
  const char* rounds = std::getenv("WORDHOP_STORE_ROUNDS");  // scripts/fuzz runs many more
  const int count = rounds ? std::atoi(rounds) : 2000;
  for (int seed = 0; seed < count && !HasFailure(); ++seed) {
    SCOPED_TRACE(seed);
    RandomFile random(static_cast<std::uint32_t>(seed));
    const std::string text = random.text();
    const int encoding = random.pick(3);
    const auto writeBack = random.pick(2) ? core::WriteBack::asRead : core::WriteBack::utf8WithMark;
    const std::string bytes = encoded(text, encoding);
    // Read and not changed: the same bytes, in its own encoding or as UTF-8 with a mark.
    const std::string unchanged = writeBack == core::WriteBack::asRead ? bytes : encoded(text, 0);
    PreferenceDocument document;
    document.parseFile(bytes, writeBack);
    ASSERT_TRUE(text.empty() || document.serialise() == unchanged) << testing::PrintToString(document.serialise());
    for (int step = random.pick(6); step > 0 && !HasFailure(); --step)
      random.pick(3) ? writeOneKey(document, random) : arrangeOneGroup(document, random);
    if (document.empty()) continue;
    // What is written reads back as the same lines, in the encoding chosen; a
    // new file written as the tool writes its own starts with an empty line.
    const std::string written = document.serialise();
    SCOPED_TRACE("read " + testing::PrintToString(bytes) + ", wrote " + testing::PrintToString(written));
    PreferenceDocument reread;
    reread.parseFile(written, writeBack);
    std::vector<Copy> lines = copyOf(reread);
    if (text.empty() && lines.size() == document.lines().size() + 1) lines.erase(lines.begin());
    EXPECT_EQ(lines, copyOf(document));
    EXPECT_EQ(PreferenceDocument::decodeFileBytes(written).encoding,
              PreferenceDocument::decodeFileBytes(unchanged).encoding);
  }
}

}  // namespace
