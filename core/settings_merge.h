// The three-way merge of the settings window's edits with another program's:
// the base is what the window last read or wrote, "theirs" is the file as it
// is now, "ours" is the base with the user's edits. As version control merges
// two versions of a file, it decides entry by entry and field by field:
// - a field changed on one side only ends with that side's value;
// - a field changed the same way on both sides is no conflict;
// - a field changed differently on both sides keeps the file's value, and the
//   user's edit is named in a notice;
// - an entry removed on one side and changed on the other stays, with the
//   change, and is named in a notice;
// - entries neither side touched keep the file's order among themselves;
// - every edit of the user's is applied or named in a notice;
// - an entry the user moved ends directly below the entry the window shows
//   above it (or first) when that entry is still there, wherever the file has
//   it now; when it is gone, below the nearest one above that is left, named
//   in a notice;
// - an entry the user added and never moved ends last, after what the file
//   gained meanwhile; one the user moved is placed as a move;
// - an entry is only paired with one of the file that is alike (entry_diff.h):
//   no field edit lands on an entry that shares no field with the one edited,
//   and an entry replaced by an unrelated one counts as removed outside.
// Text that differs only in spaces and tabs at its ends is no change.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/configuration.h"
#include "core/entry_field.h"

namespace core {

// Which entry of the base an entry the window shows is, or the k-th entry the
// user added since.
struct EntryId {
  bool added = false;
  std::size_t index = 0;
  bool operator==(const EntryId&) const = default;
};

// The user's edits of the entry sequence since the base, in the order made.
struct SequenceEdit {
  enum class Kind : unsigned char { add, remove, move };
  Kind kind;
  EntryId id;
  int step = 0;  // move: -1 up, +1 down
};

// The window's side of the merge.
struct OurSettings {
  EditedSettings settings;             // as the window shows them
  std::vector<EntryId> ids;            // which entry each shown entry is
  std::vector<SequenceEdit> sequence;  // how the shown sequence came about
};

// An edit of the user's that the merge did not apply as made.
struct Notice {
  enum class Edit : unsigned char { field, removal, move, timing };
  enum class Reason : unsigned char {
    changedOutside,  // another program changed it: its value is kept
    removedOutside,  // another program removed the entry (a field edit keeps it)
  };
  Edit edit;
  Reason reason;
  std::optional<std::size_t> row;  // the entry's row in the merged list; none when it is gone
  EntryField field = EntryField::enabled;
  Timing timing = Timing::browserStart;
  bool operator==(const Notice&) const = default;
};

struct Merged {
  EditedSettings settings;
  std::vector<std::optional<std::size_t>> fileRows;    // per merged entry: its row in theirs, if it is one
  std::vector<std::optional<std::size_t>> rowsOfOurs;  // per entry of ours: its merged row, if it has one
  std::vector<Notice> notices;
};

// `theirsRowOfBase` maps each base entry onto theirs (matchEntries).
Merged mergeSettings(const EditedSettings& base, const EditedSettings& theirs,
                     const std::vector<std::optional<std::size_t>>& theirsRowOfBase, const OurSettings& ours);

}  // namespace core
