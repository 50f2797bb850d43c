// The user's edits in the settings window as operations on entries, not rows:
// each names the entry as the window showed it, so that it can be carried over
// onto the file as it is now, wherever another program has moved that entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/configuration.h"
#include "core/search_entry.h"

namespace core {

enum class EntryField : unsigned char { enabled, sites, content, sortByDate, firstMatch, filter, info };

// Whether two entries hold the same value in one field.
bool sameField(const SearchEntry& a, const SearchEntry& b, EntryField field);

struct EntryOperation {
  enum class Kind : unsigned char { setField, add, remove, move, setTiming };
  Kind kind = Kind::add;
  std::size_t row = 0;  // where the window showed the entry
  SearchEntry shown{};  // the entry as the window showed it
  EntryField field = EntryField::sites;
  SearchEntry changed{};  // setField: `shown` with the user's value in `field`
  int step = 0;           // move: -1 up, +1 down
  std::int32_t BrowserTimings::*timing = nullptr;
  std::int32_t shownTiming = 0, newTiming = 0;

  static EntryOperation setField(std::size_t row, const SearchEntry& shown, EntryField field,
                                 const SearchEntry& changed) {
    return {.kind = Kind::setField, .row = row, .shown = shown, .field = field, .changed = changed};
  }
  static EntryOperation add() { return {.kind = Kind::add}; }
  static EntryOperation remove(std::size_t row, const SearchEntry& shown) {
    return {.kind = Kind::remove, .row = row, .shown = shown};
  }
  static EntryOperation move(std::size_t row, const SearchEntry& shown, int step) {
    return {.kind = Kind::move, .row = row, .shown = shown, .step = step};
  }
  static EntryOperation setTiming(std::int32_t BrowserTimings::*timing, std::int32_t shownValue, std::int32_t value) {
    return {.kind = Kind::setTiming, .timing = timing, .shownTiming = shownValue, .newTiming = value};
  }
  // The field whose shown value must still be in the file, if any.
  std::optional<EntryField> touchedField() const {
    return kind == Kind::setField ? std::optional(field) : std::nullopt;
  }
};

// Where the entry the window showed at `row` as `shown` stands in `entries`:
// - at `row` when it holds exactly that record;
// - else at the one row that holds exactly that record (it was moved);
// - else at `row` when it holds an entry with the same sites that differs from
//   `shown` only in fields other than `touched` (another program changed, say,
//   its info while the user edits its filter);
// - else nowhere: the entry is gone.
std::optional<std::size_t> findEntry(const std::vector<SearchEntry>& entries, std::size_t row, const SearchEntry& shown,
                                     std::optional<EntryField> touched = std::nullopt);

enum class CarryOutcome : unsigned char {
  applied,
  unchanged,            // it applies, but changes nothing
  entryGone,            // its entry is no longer there
  fieldChangedOutside,  // the field no longer holds what the window showed: the outside value wins
};
struct Carried {
  CarryOutcome outcome;
  std::size_t row = 0;  // where its entry stands afterwards (applied, unchanged, fieldChangedOutside)
};

// Carries an operation over onto the settings as they are now and applies it
// there when it can.
Carried carryOver(EditedSettings& settings, const EntryOperation& operation);

}  // namespace core
