#include "core/entry_operation.h"

#include <algorithm>
#include <utility>

namespace core {
namespace {

void copyField(SearchEntry& to, const SearchEntry& from, EntryField field) {
  switch (field) {
    case EntryField::enabled:
      to.enabled = from.enabled;
      break;
    case EntryField::sites:
      to.sites = from.sites;
      break;
    case EntryField::content:
      to.content = from.content;
      break;
    case EntryField::sortByDate:
      to.sortByDate = from.sortByDate;
      break;
    case EntryField::firstMatch:
      to.firstMatch = from.firstMatch;
      break;
    case EntryField::filter:
      to.filter = from.filter;
      break;
    case EntryField::info:
      to.info = from.info;
      break;
  }
}

// The notes stay before the entries they stood before.
void removeEntryAt(EditedSettings& settings, std::size_t row) {
  settings.entries.erase(settings.entries.begin() + static_cast<std::ptrdiff_t>(row));
  for (EntryNote& note : settings.notes)
    if (note.before > row && note.before != kAfterLastEntry) --note.before;
}

// A note travels with the entry it stands before.
void swapEntries(EditedSettings& settings, std::size_t a, std::size_t b) {
  std::swap(settings.entries[a], settings.entries[b]);
  for (EntryNote& note : settings.notes) {
    if (note.before == a)
      note.before = b;
    else if (note.before == b)
      note.before = a;
  }
  std::stable_sort(settings.notes.begin(), settings.notes.end(),
                   [](const EntryNote& x, const EntryNote& y) { return x.before < y.before; });
}

}  // namespace

bool sameField(const SearchEntry& a, const SearchEntry& b, EntryField field) {
  SearchEntry probe = a;
  copyField(probe, b, field);
  return probe == a;
}

std::optional<std::size_t> findEntry(const std::vector<SearchEntry>& entries, std::size_t row, const SearchEntry& shown,
                                     std::optional<EntryField> touched) {
  if (row < entries.size() && entries[row] == shown) return row;
  std::optional<std::size_t> moved;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] != shown) continue;
    if (moved) {  // two copies, neither where it was: which one the user saw cannot be told
      moved.reset();
      break;
    }
    moved = i;
  }
  if (moved) return moved;
  if (row >= entries.size() || entries[row].sites != shown.sites) return std::nullopt;
  if (touched && !sameField(entries[row], shown, *touched)) return std::nullopt;
  return row;
}

Carried carryOver(EditedSettings& settings, const EntryOperation& operation) {
  using Kind = EntryOperation::Kind;
  std::vector<SearchEntry>& entries = settings.entries;
  switch (operation.kind) {
    case Kind::add:
      entries.emplace_back();
      return {CarryOutcome::applied, entries.size() - 1};
    case Kind::setTiming: {
      std::int32_t& stored = settings.*operation.timing;
      if (stored != operation.shownTiming) return {CarryOutcome::fieldChangedOutside};
      if (stored == operation.newTiming) return {CarryOutcome::unchanged};
      stored = operation.newTiming;
      return {CarryOutcome::applied};
    }
    default:
      break;
  }
  const std::optional<EntryField> touched = operation.touchedField();
  const std::optional<std::size_t> found = findEntry(entries, operation.row, operation.shown, touched);
  if (!found) {
    // Found once the edited field may differ: the entry is there, with another
    // program's value in that field, which wins.
    if (touched)
      if (const std::optional<std::size_t> changed = findEntry(entries, operation.row, operation.shown))
        return {CarryOutcome::fieldChangedOutside, *changed};
    return {CarryOutcome::entryGone};
  }
  const std::size_t row = *found;
  switch (operation.kind) {
    case Kind::setField:
      if (sameField(entries[row], operation.changed, operation.field)) return {CarryOutcome::unchanged, row};
      copyField(entries[row], operation.changed, operation.field);
      return {CarryOutcome::applied, row};
    case Kind::remove:
      removeEntryAt(settings, row);
      return {CarryOutcome::applied, row};
    case Kind::move: {
      const std::size_t target = row + static_cast<std::size_t>(operation.step);
      if (target >= entries.size()) return {CarryOutcome::unchanged, row};  // at an end (wraps below 0)
      swapEntries(settings, row, target);
      return {CarryOutcome::applied, target};
    }
    default:
      return {CarryOutcome::unchanged, row};
  }
}

}  // namespace core
