// The user's edits in the settings window, each on the row the window showed
// it on, applied to the window's side of the merge with another program's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "core/configuration.h"
#include "core/entry_field.h"
#include "core/settings_merge.h"

namespace core {

struct SetText {
  std::size_t row;
  EntryField field;  // a text field
  std::wstring text;
};
struct SetFlag {
  std::size_t row;
  EntryField field;  // a flag
  std::int32_t value;
};
struct AddEntry {};
struct RemoveEntry {
  std::size_t row;
};
struct MoveEntry {
  std::size_t row;
  int step;  // -1 up, +1 down
};
struct SetTiming {
  Timing timing;
  std::int32_t value;
};
using SettingsEdit = std::variant<SetText, SetFlag, AddEntry, RemoveEntry, MoveEntry, SetTiming>;

// Applies an edit to what the window shows, recording the edits of the entry
// sequence; `added` counts the entries added so far. False when it changes
// nothing (a move past an end, a row that is not there, the value it has).
bool applyEdit(OurSettings& ours, const SettingsEdit& edit, std::size_t& added);

}  // namespace core
