#include "core/settings_edit.h"

#include <utility>

namespace core {
namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

// Sets a field of the entry at `row` through its member; false when there is
// no such entry or field, or it holds the value already.
template <class Value, class Member>
bool setMember(std::vector<SearchEntry>& entries, std::size_t row, Member member, Value value) {
  if (row >= entries.size() || !member) return false;
  auto& stored = entries[row].*member;
  if (stored == value) return false;
  stored = std::move(value);
  return true;
}

}  // namespace

bool applyEdit(OurSettings& ours, const SettingsEdit& edit, std::size_t& added) {
  std::vector<SearchEntry>& entries = ours.settings.entries;
  return std::visit(
      Overloaded{
          [&](const SetText& set) { return setMember(entries, set.row, traitsOf(set.field).text, set.text); },
          [&](const SetFlag& set) { return setMember(entries, set.row, traitsOf(set.field).flag, set.value); },
          [&](const AddEntry&) {
            const EntryId id{true, added++};
            entries.emplace_back();
            ours.ids.push_back(id);
            ours.sequence.push_back({SequenceEdit::Kind::add, id});
            return true;
          },
          [&](const RemoveEntry& remove) {
            if (remove.row >= entries.size()) return false;
            const auto at = static_cast<std::ptrdiff_t>(remove.row);
            ours.sequence.push_back({SequenceEdit::Kind::remove, ours.ids[remove.row]});
            entries.erase(entries.begin() + at);
            ours.ids.erase(ours.ids.begin() + at);
            return true;
          },
          [&](const MoveEntry& move) {
            const std::size_t target = move.row + static_cast<std::size_t>(move.step);
            if (move.row >= entries.size() || target >= entries.size()) return false;  // at an end (wraps below 0)
            ours.sequence.push_back({SequenceEdit::Kind::move, ours.ids[move.row], move.step});
            std::swap(entries[move.row], entries[target]);
            std::swap(ours.ids[move.row], ours.ids[target]);
            return true;
          },
          [&](const SetTiming& set) {
            std::int32_t& stored = timingIn(ours.settings, set.timing);
            return std::exchange(stored, set.value) != set.value;
          },
      },
      edit);
}

}  // namespace core
