#include "core/entry_diff.h"

#include <algorithm>
#include <map>
#include <string>

#include "core/entry_field.h"
#include "runtime/text.h"

namespace core {
namespace {

using Match = std::vector<std::optional<std::size_t>>;

// The comparison table of the subsequence takes one byte a cell; a stretch of
// changes larger than this is left to the pairing steps.
constexpr std::size_t kMostCells = std::size_t{1} << 24;

// Equal entries get equal numbers, so that the table compares integers.
std::vector<std::size_t> contentNumbers(const std::vector<SearchEntry>& entries,
                                        std::map<std::wstring, std::size_t>& known) {
  std::vector<std::size_t> numbers;
  numbers.reserve(entries.size());
  for (const SearchEntry& entry : entries) {
    SearchEntry trimmed = entry;
    for (std::wstring* text : {&trimmed.sites, &trimmed.filter, &trimmed.info})
      *text = std::wstring(runtime::trimBlanks(*text));
    numbers.push_back(known.try_emplace(formatEntryRecord(trimmed), known.size()).first->second);
  }
  return numbers;
}

// A longest common subsequence of a[aFrom, aTo) and b[bFrom, bTo), by dynamic
// programming over the suffixes; matches go into `match`.
void commonSubsequence(const std::vector<std::size_t>& a, std::size_t aFrom, std::size_t aTo,
                       const std::vector<std::size_t>& b, std::size_t bFrom, std::size_t bTo, Match& match) {
  const std::size_t n = aTo - aFrom, m = bTo - bFrom;
  if (n == 0 || m == 0 || n * m > kMostCells) return;
  enum Step : unsigned char { both, skipA, skipB };
  std::vector<unsigned char> steps(n * m);
  std::vector<std::size_t> below(m + 1, 0), row(m + 1, 0);
  for (std::size_t i = n; i-- > 0;) {
    row[m] = 0;
    for (std::size_t j = m; j-- > 0;) {
      unsigned char& step = steps[i * m + j];
      if (a[aFrom + i] == b[bFrom + j]) {
        row[j] = below[j + 1] + 1;
        step = both;
      } else if (below[j] >= row[j + 1]) {
        row[j] = below[j];
        step = skipA;
      } else {
        row[j] = row[j + 1];
        step = skipB;
      }
    }
    std::swap(below, row);
  }
  for (std::size_t i = 0, j = 0; i < n && j < m;) {
    switch (steps[i * m + j]) {
      case both:
        match[aFrom + i] = bFrom + j;
        ++i, ++j;
        break;
      case skipA:
        ++i;
        break;
      default:
        ++j;
    }
  }
}

// Pairs the entries left over on both sides that are equal, in order: moved.
void pairMoved(const std::vector<std::size_t>& before, const std::vector<std::size_t>& after, Match& match,
               std::vector<bool>& taken) {
  std::map<std::size_t, std::vector<std::size_t>> waiting;  // content number: unmatched rows of `after`, last first
  for (std::size_t j = after.size(); j-- > 0;)
    if (!taken[j]) waiting[after[j]].push_back(j);
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (match[i]) continue;
    const auto found = waiting.find(before[i]);
    if (found == waiting.end() || found->second.empty()) continue;
    match[i] = found->second.back();
    taken[found->second.back()] = true;
    found->second.pop_back();
  }
}

// Pairs the entries still left over that are alike in more than half their
// fields, where each is the other's one best match.
void pairAlike(const std::vector<SearchEntry>& before, const std::vector<SearchEntry>& after, Match& match,
               const std::vector<bool>& taken) {
  std::vector<std::size_t> left, right;
  for (std::size_t i = 0; i < before.size(); ++i)
    if (!match[i]) left.push_back(i);
  for (std::size_t j = 0; j < after.size(); ++j)
    if (!taken[j]) right.push_back(j);
  if (left.empty() || right.empty() || left.size() * right.size() > kMostCells / 64) return;
  constexpr int kAlike = static_cast<int>(kEntryFieldCount) / 2 + 1;
  // The one best partner of an entry, or none when it has two.
  auto best = [&](std::size_t from, const std::vector<std::size_t>& among, bool fromBefore) {
    std::optional<std::size_t> found;
    int most = kAlike - 1;
    bool tie = false;
    for (std::size_t to : among) {
      const int shared = fromBefore ? sharedFields(before[from], after[to]) : sharedFields(before[to], after[from]);
      if (shared > most) {
        most = shared;
        found = to;
        tie = false;
      } else if (shared == most && found) {
        tie = true;
      }
    }
    return tie ? std::nullopt : found;
  };
  for (std::size_t i : left) {
    const std::optional<std::size_t> j = best(i, right, true);
    if (j && best(*j, left, false) == i) match[i] = *j;
  }
}

}  // namespace

Match matchEntries(const std::vector<SearchEntry>& before, const std::vector<SearchEntry>& after) {
  std::map<std::wstring, std::size_t> known;
  const std::vector<std::size_t> a = contentNumbers(before, known);
  const std::vector<std::size_t> b = contentNumbers(after, known);
  Match match(before.size());
  // Equal beginnings and ends are matched without the table.
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) {
    match[head] = head;
    ++head;
  }
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
    match[a.size() - 1 - tail] = b.size() - 1 - tail;
    ++tail;
  }
  commonSubsequence(a, head, a.size() - tail, b, head, b.size() - tail, match);
  std::vector<bool> taken(after.size(), false);
  for (const auto& to : match)
    if (to) taken[*to] = true;
  pairMoved(a, b, match, taken);
  pairAlike(before, after, match, taken);
  return match;
}

}  // namespace core
