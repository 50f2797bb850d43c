// The user's edits in the settings window, each on the row the window showed
// it on, applied to the window's side of the merge with another program's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/configuration.h"
#include "core/entry_field.h"
#include "core/search_entry.h"
#include "core/settings_merge.h"

namespace core {

struct EntryOperation {
  enum class Kind : unsigned char { setField, add, remove, move, setTiming };
  Kind kind = Kind::add;
  std::size_t row = 0;  // where the window showed the entry
  EntryField field = EntryField::sites;
  SearchEntry changed{};  // setField: the entry with the user's value in `field`
  int step = 0;           // move: -1 up, +1 down
  Timing timing = Timing::browserStart;
  std::int32_t newTiming = 0;

  static EntryOperation setField(std::size_t row, EntryField field, const SearchEntry& changed) {
    return {.kind = Kind::setField, .row = row, .field = field, .changed = changed};
  }
  static EntryOperation add() { return {.kind = Kind::add}; }
  static EntryOperation remove(std::size_t row) { return {.kind = Kind::remove, .row = row}; }
  static EntryOperation move(std::size_t row, int step) { return {.kind = Kind::move, .row = row, .step = step}; }
  static EntryOperation setTiming(Timing timing, std::int32_t value) {
    return {.kind = Kind::setTiming, .timing = timing, .newTiming = value};
  }
};

// Applies an edit to what the window shows, recording the edits of the entry
// sequence; `added` counts the entries added so far. False when it changes
// nothing (a move past an end, a row that is not there).
bool applyOperation(OurSettings& ours, const EntryOperation& operation, std::size_t& added);

}  // namespace core
