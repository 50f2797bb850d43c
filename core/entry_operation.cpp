#include "core/entry_operation.h"

#include <utility>

namespace core {

bool applyOperation(OurSettings& ours, const EntryOperation& operation, std::size_t& added) {
  using Kind = EntryOperation::Kind;
  std::vector<SearchEntry>& entries = ours.settings.entries;
  const std::size_t row = operation.row;
  switch (operation.kind) {
    case Kind::add: {
      const EntryId id{true, added++};
      entries.emplace_back();
      ours.ids.push_back(id);
      ours.sequence.push_back({SequenceEdit::Kind::add, id});
      return true;
    }
    case Kind::setTiming: {
      std::int32_t& stored = timingIn(ours.settings, operation.timing);
      return std::exchange(stored, operation.newTiming) != operation.newTiming;
    }
    case Kind::setField: {
      if (row >= entries.size()) return false;
      SearchEntry changed = entries[row];
      copyField(changed, operation.changed, operation.field);
      return std::exchange(entries[row], changed) != changed;
    }
    case Kind::remove:
      if (row >= entries.size()) return false;
      ours.sequence.push_back({SequenceEdit::Kind::remove, ours.ids[row]});
      entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(row));
      ours.ids.erase(ours.ids.begin() + static_cast<std::ptrdiff_t>(row));
      return true;
    case Kind::move: {
      const std::size_t target = row + static_cast<std::size_t>(operation.step);
      if (row >= entries.size() || target >= entries.size()) return false;  // at an end (wraps below 0)
      ours.sequence.push_back({SequenceEdit::Kind::move, ours.ids[row], operation.step});
      std::swap(entries[row], entries[target]);
      std::swap(ours.ids[row], ours.ids[target]);
      return true;
    }
  }
  return false;
}

}  // namespace core
