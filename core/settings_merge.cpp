#include "core/settings_merge.h"

#include <algorithm>

namespace core {
namespace {

struct Slot {
  SearchEntry entry;
  std::optional<std::size_t> fileRow;
  std::optional<EntryId> id;
  bool kept = false;  // removed outside, kept for the user's change: it stands where the window has it
};

// A notice whose row is known once the merged list is complete.
struct PendingNotice {
  Notice notice;
  std::optional<EntryId> id;
};

class Merge {
 public:
  Merge(const EditedSettings& base, const EditedSettings& theirs, const std::vector<std::optional<std::size_t>>& match,
        const OurSettings& ours)
      : base_(base), theirs_(theirs), match_(match), ours_(ours), oursRowOfBase_(base.entries.size()) {
    for (std::size_t row = 0; row < ours.ids.size(); ++row) {
      const EntryId id = ours.ids[row];
      if (!id.added) {
        oursRowOfBase_[id.index] = row;
      } else {
        if (oursRowOfAdded_.size() <= id.index) oursRowOfAdded_.resize(id.index + 1);
        oursRowOfAdded_[id.index] = row;
      }
    }
  }

  Merged run() {
    takeTheirs();
    keepEntriesRemovedOutside();
    for (const SequenceEdit& edit : ours_.sequence) replay(edit);
    Merged merged;
    mergeTimings(merged.settings);
    placeNotes(merged.settings);
    for (Slot& slot : slots_) {
      merged.settings.entries.push_back(std::move(slot.entry));
      merged.fileRows.push_back(slot.fileRow);
    }
    // Where each entry ended up, looked up once for all.
    std::vector<std::optional<std::size_t>> slotOfBase(base_.entries.size()), slotOfAdded(oursRowOfAdded_.size());
    for (std::size_t i = 0; i < slots_.size(); ++i)
      if (const auto& id = slots_[i].id) {
        auto& rows = id->added ? slotOfAdded : slotOfBase;
        if (rows.size() <= id->index) rows.resize(id->index + 1);
        rows[id->index] = i;
      }
    auto rowOf = [&](EntryId id) {
      const auto& rows = id.added ? slotOfAdded : slotOfBase;
      return id.index < rows.size() ? rows[id.index] : std::nullopt;
    };
    for (const EntryId& id : ours_.ids) merged.rowsOfOurs.push_back(rowOf(id));
    for (PendingNotice& pending : notices_) {
      if (pending.id) pending.notice.row = rowOf(*pending.id);
      merged.notices.push_back(pending.notice);
    }
    return merged;
  }

 private:
  std::optional<std::size_t> oursRowOf(EntryId id) const {
    const auto& rows = id.added ? oursRowOfAdded_ : oursRowOfBase_;
    return id.index < rows.size() ? rows[id.index] : std::nullopt;
  }
  std::optional<std::size_t> slotOf(EntryId id) const {
    for (std::size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].id == id) return i;
    return std::nullopt;
  }
  void tell(Notice::Edit edit, Notice::Reason reason, std::optional<EntryId> id, EntryField field = {},
            Timing timing = {}) {
    notices_.push_back({{edit, reason, std::nullopt, field, timing}, id});
  }

  // The file's entries in the file's order, each merged field by field with
  // the user's version of it.
  void takeTheirs() {
    std::vector<std::optional<std::size_t>> baseOfTheirs(theirs_.entries.size());
    for (std::size_t b = 0; b < match_.size(); ++b)
      if (match_[b]) baseOfTheirs[*match_[b]] = b;
    for (std::size_t t = 0; t < theirs_.entries.size(); ++t) {
      Slot slot{theirs_.entries[t], t, std::nullopt};
      if (const auto b = baseOfTheirs[t]) {
        slot.id = EntryId{false, *b};
        if (const auto o = oursRowOfBase_[*b]) mergeFields(base_.entries[*b], ours_.settings.entries[*o], slot);
      }
      slots_.push_back(std::move(slot));
    }
  }

  void mergeFields(const SearchEntry& base, const SearchEntry& ours, Slot& slot) {
    for (const EntryFieldTraits& traits : kEntryFields) {
      const EntryField field = traits.field;
      if (sameField(ours, base, field) || sameField(ours, slot.entry, field)) continue;
      if (sameField(slot.entry, base, field))
        copyField(slot.entry, ours, field);
      else
        tell(Notice::Edit::field, Notice::Reason::changedOutside, slot.id, field);
    }
  }

  // An entry another program removed stays when the user changed it, before
  // the entry that follows it in the window.
  void keepEntriesRemovedOutside() {
    for (std::size_t row = 0; row < ours_.ids.size(); ++row) {
      const EntryId id = ours_.ids[row];
      if (id.added || match_[id.index]) continue;
      const SearchEntry& mine = ours_.settings.entries[row];
      const SearchEntry& before = base_.entries[id.index];
      const auto changed =
          std::find_if(std::begin(kEntryFields), std::end(kEntryFields),
                       [&](const EntryFieldTraits& traits) { return !sameField(mine, before, traits.field); });
      if (changed == std::end(kEntryFields)) continue;
      std::size_t at = slots_.size();
      for (std::size_t next = row + 1; next < ours_.ids.size(); ++next) {
        if (const auto slot = slotOf(ours_.ids[next])) {
          at = *slot;
          break;
        }
      }
      slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(at), Slot{mine, std::nullopt, id, true});
      tell(Notice::Edit::field, Notice::Reason::removedOutside, id, changed->field);
    }
  }

  void replay(const SequenceEdit& edit) {
    const std::optional<std::size_t> at = slotOf(edit.id);
    switch (edit.kind) {
      case SequenceEdit::Kind::add: {
        const auto row = oursRowOf(edit.id);
        slots_.push_back({row ? ours_.settings.entries[*row] : SearchEntry{}, std::nullopt, edit.id});
        return;
      }
      case SequenceEdit::Kind::remove:
        if (!at) return;  // removed outside too
        if (const Slot& slot = slots_[*at];
            slot.fileRow && !edit.id.added &&
            !sameContent(theirs_.entries[*slot.fileRow], base_.entries[edit.id.index])) {
          tell(Notice::Edit::removal, Notice::Reason::changedOutside, edit.id);
          return;
        }
        slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(*at));
        return;
      case SequenceEdit::Kind::move: {
        if (!at) {
          tell(Notice::Edit::move, Notice::Reason::removedOutside, std::nullopt);
          return;
        }
        const std::size_t target = *at + static_cast<std::size_t>(edit.step);
        if (slots_[*at].kept || target >= slots_.size()) return;  // at an end (wraps below 0)
        std::swap(slots_[*at], slots_[target]);
        return;
      }
    }
  }

  void mergeTimings(EditedSettings& merged) {
    static_cast<BrowserTimings&>(merged) = theirs_;
    for (Timing timing : kTimings) {
      const std::int32_t base = timingIn(base_, timing), ours = timingIn(ours_.settings, timing);
      std::int32_t& result = timingIn(merged, timing);
      if (ours == base || ours == result) continue;
      if (result == base)
        result = ours;
      else
        tell(Notice::Edit::timing, Notice::Reason::changedOutside, std::nullopt, {}, timing);
    }
  }

  // The file's notes travel with the entry after them; a note whose entry is
  // gone stands before the next one that is left.
  void placeNotes(EditedSettings& merged) const {
    std::vector<std::optional<std::size_t>> slotOfFileRow(theirs_.entries.size());
    for (std::size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].fileRow) slotOfFileRow[*slots_[i].fileRow] = i;
    for (EntryNote note : theirs_.notes) {
      std::size_t row = note.before;
      while (row < slotOfFileRow.size() && !slotOfFileRow[row]) ++row;
      note.before = row < slotOfFileRow.size() ? *slotOfFileRow[row] : kAfterLastEntry;
      merged.notes.push_back(std::move(note));
    }
    std::stable_sort(merged.notes.begin(), merged.notes.end(),
                     [](const EntryNote& x, const EntryNote& y) { return x.before < y.before; });
  }

  const EditedSettings& base_;
  const EditedSettings& theirs_;
  const std::vector<std::optional<std::size_t>>& match_;
  const OurSettings& ours_;
  std::vector<std::optional<std::size_t>> oursRowOfBase_, oursRowOfAdded_;
  std::vector<Slot> slots_;
  std::vector<PendingNotice> notices_;
};

}  // namespace

Merged mergeSettings(const EditedSettings& base, const EditedSettings& theirs,
                     const std::vector<std::optional<std::size_t>>& theirsRowOfBase, const OurSettings& ours) {
  return Merge(base, theirs, theirsRowOfBase, ours).run();
}

}  // namespace core
