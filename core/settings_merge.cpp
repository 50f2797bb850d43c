#include "core/settings_merge.h"

#include <algorithm>

namespace core {
namespace {

struct Slot {
  SearchEntry entry;
  std::optional<std::size_t> fileRow;
  std::optional<EntryId> id;
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
    for (std::size_t row = 0; row < ours.ids.size(); ++row)
      if (!ours.ids[row].added) oursRowOfBase_[ours.ids[row].index] = row;
  }

  Merged run() {
    takeTheirs();
    keepEntriesRemovedOutside();
    for (const SequenceEdit& edit : ours_.sequence)
      if (edit.kind == SequenceEdit::Kind::remove) remove(edit.id);
    placeMovedAndAdded();
    Merged merged;
    mergeTimings(merged.settings);
    placeNotes(merged.settings);
    for (Slot& slot : slots_) {
      merged.settings.entries.push_back(std::move(slot.entry));
      merged.fileRows.push_back(slot.fileRow);
    }
    // Where each entry ended up, looked up once for all.
    std::vector<std::optional<std::size_t>> slotOfBase(base_.entries.size()), slotOfAdded;
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
      slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(at), Slot{mine, std::nullopt, id});
      tell(Notice::Edit::field, Notice::Reason::removedOutside, id, changed->field);
    }
  }

  // The user's Remove; an entry changed outside meanwhile stays, with a word.
  void remove(EntryId id) {
    const std::optional<std::size_t> at = slotOf(id);
    if (!at) return;  // removed outside too, or added and removed here
    if (const Slot& slot = slots_[*at];
        slot.fileRow && !id.added && !sameContent(theirs_.entries[*slot.fileRow], base_.entries[id.index])) {
      tell(Notice::Edit::removal, Notice::Reason::changedOutside, id);
      return;
    }
    slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(*at));
  }

  // Each entry the user moved goes directly below the entry the window shows
  // above it (or first), wherever the file has that one now; top down, so that
  // an entry above has its place first. An entry added and never moved stays
  // last, after what the file gained meanwhile.
  void placeMovedAndAdded() {
    std::vector<EntryId> moved, added;
    for (const SequenceEdit& edit : ours_.sequence)
      (edit.kind == SequenceEdit::Kind::move ? moved : added).push_back(edit.id);
    auto contains = [](const std::vector<EntryId>& ids, EntryId id) {
      return std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    for (std::size_t row = 0; row < ours_.ids.size(); ++row) {
      const EntryId id = ours_.ids[row];
      const bool wasMoved = contains(moved, id);
      if (!wasMoved && !(id.added && contains(added, id))) continue;
      const std::optional<std::size_t> at = slotOf(id);
      if (!at && !id.added) {
        tell(Notice::Edit::move, Notice::Reason::removedOutside, std::nullopt);  // the entry is gone
        continue;
      }
      Slot slot = at ? std::move(slots_[*at]) : Slot{ours_.settings.entries[row], std::nullopt, id};
      if (at) slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(*at));
      std::size_t place = slots_.size();
      if (wasMoved) {
        // The nearest entry above that is still there; the one directly above
        // gone means the user's place cannot be kept exactly.
        place = 0;
        for (std::size_t above = row; above-- > 0;) {
          if (const auto anchor = slotOf(ours_.ids[above])) {
            place = *anchor + 1;
            break;
          }
        }
        if (row > 0 && !slotOf(ours_.ids[row - 1])) tell(Notice::Edit::move, Notice::Reason::removedOutside, id);
      }
      slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(place), std::move(slot));
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
  std::vector<std::optional<std::size_t>> oursRowOfBase_;
  std::vector<Slot> slots_;
  std::vector<PendingNotice> notices_;
};

}  // namespace

Merged mergeSettings(const EditedSettings& base, const EditedSettings& theirs,
                     const std::vector<std::optional<std::size_t>>& theirsRowOfBase, const OurSettings& ours) {
  return Merge(base, theirs, theirsRowOfBase, ours).run();
}

}  // namespace core
