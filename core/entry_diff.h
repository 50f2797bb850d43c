// Which entry of one list is which entry of another: the diff that maps the
// entries the settings window last read onto the file as another program left
// it, as version control maps the lines of two versions of a file.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/search_entry.h"

namespace core {

// For each entry of `before`, the position of the same entry in `after`, or
// none when `after` no longer has it. Each entry of `after` is matched once.
// - A longest common subsequence of equal entries (equal in content: spaces at
//   the ends of a text do not count) is matched first.
// - Equal entries left over on both sides are paired next, in order: moved.
// - Entries still left over are paired only when they are alike: they share
//   more than half their fields and each is the other's one best match (edited,
//   where they stand or moved); ties stay unpaired. Two entries that are not
//   alike are never paired, wherever they stand: an entry replaced by an
//   unrelated one is removed, and the other added.
std::vector<std::optional<std::size_t>> matchEntries(const std::vector<SearchEntry>& before,
                                                     const std::vector<SearchEntry>& after);

}  // namespace core
