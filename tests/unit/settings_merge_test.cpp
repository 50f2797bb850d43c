// The settings window's edits merged three ways with another program's: a
// table of the cases users meet, and a property test over random edits.
#include <gtest/gtest.h>

#include "core/settings_merge.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>

#include "core/entry_diff.h"
#include "core/settings_edit.h"

namespace {

using core::EntryField;
using core::Notice;
using core::SearchEntry;

SearchEntry entry(const wchar_t* sites, const wchar_t* filter = L"", const wchar_t* info = L"") {
  return {0, sites, 1, 1, 0, filter, info, L""};
}
// Four entries that differ only in filter and info, as in the default file.
const SearchEntry look1 = entry(L"v", L"", L"one"), look2 = entry(L"v", L"&fr", L"two"),
                  look3 = entry(L"v", L"&de", L"three"), look4 = entry(L"v", L"&en", L"four");
const SearchEntry a = entry(L"a.example"), b = entry(L"b.example"), c = entry(L"c.example"), d = entry(L"d.example"),
                  inserted = entry(L"n.example");
// Shares no field with b.
const SearchEntry unrelated{1, L"u.example", 0, 0, 1, L"&u", L"u", L""};

SearchEntry with(SearchEntry base, EntryField field, const wchar_t* text) {
  base.*core::traitsOf(field).text = text;
  return base;
}
SearchEntry ticked(SearchEntry base) {
  base.enabled = 1;
  return base;
}

struct Session {
  core::EditedSettings base;
  core::OurSettings ours;
  std::size_t added = 0;

  explicit Session(std::vector<SearchEntry> entries) {
    base.entries = std::move(entries);
    ours.settings = base;
    for (std::size_t row = 0; row < base.entries.size(); ++row) ours.ids.push_back({false, row});
  }
  void user(const core::SettingsEdit& edit) { core::applyEdit(ours, edit, added); }
  core::Merged merge(const core::EditedSettings& theirs) const {
    return core::mergeSettings(base, theirs, core::matchEntries(base.entries, theirs.entries), ours);
  }
};

core::EditedSettings file(std::vector<SearchEntry> entries, std::int32_t tabDelay = core::kDefaultTabDelay) {
  core::EditedSettings settings;
  settings.entries = std::move(entries);
  settings.tabDelay = tabDelay;
  return settings;
}

Notice fieldNotice(Notice::Reason reason, std::size_t row, EntryField field) {
  return {Notice::Edit::field, reason, row, field};
}

TEST(SettingsMerge, DecidesEntryByEntryAndFieldByField) {
  const std::vector<SearchEntry> looks{look1, look2, look3, look4};
  using R = Notice::Reason;
  struct Case {
    const char* name;
    std::vector<SearchEntry> base;
    std::function<void(Session&)> user;
    core::EditedSettings theirs;
    std::vector<SearchEntry> merged;
    std::vector<Notice> notices;
  } cases[] = {
      {"look-alike removed on both sides: one goes",
       looks,
       [](Session& s) { s.user(core::RemoveEntry{2}); },
       file({look1, look2, look4}),
       {look1, look2, look4},
       {}},
      {"tick of a look-alike after the one before was removed outside",
       looks,
       [](Session& s) {
         s.user(core::SetFlag{2, EntryField::enabled, 1});
       },
       file({look1, look3, look4}),
       {look1, ticked(look3), look4},
       {}},
      {"URL of a look-alike after an outside swap",
       looks,
       [&](Session& s) {
         s.user(core::SetText{2, EntryField::sites, L"w"});
       },
       file({look1, look2, look4, look3}),
       {look1, look2, look4, with(look3, EntryField::sites, L"w")},
       {}},
      {"removal of an entry changed outside keeps it",
       {a, b, c},
       [](Session& s) { s.user(core::RemoveEntry{1}); },
       file({a, with(b, EntryField::info, L"theirs"), c}),
       {a, with(b, EntryField::info, L"theirs"), c},
       {{Notice::Edit::removal, R::changedOutside, 1}}},
      {"filter of an entry moved and edited outside",
       {a, b, c, d},
       [](Session& s) {
         s.user(core::SetText{1, EntryField::filter, L"mine"});
       },
       file({a, c, with(b, EntryField::info, L"theirs"), d}),
       {a, c, with(with(b, EntryField::info, L"theirs"), EntryField::filter, L"mine"), d},
       {}},
      {"the second of two copies after an insertion above",
       {a, a},
       [](Session& s) {
         s.user(core::SetText{1, EntryField::filter, L"mine"});
       },
       file({c, a, a}),
       {c, a, with(a, EntryField::filter, L"mine")},
       {}},
      {"the same change on both sides",
       {a},
       [](Session& s) {
         s.user(core::SetText{0, EntryField::filter, L"same"});
       },
       file({with(a, EntryField::filter, L"same")}),
       {with(a, EntryField::filter, L"same")},
       {}},
      {"spaces at the ends are no change",
       {a},
       [](Session& s) {
         s.user(core::SetText{0, EntryField::filter, L"mine"});
       },
       file({with(a, EntryField::filter, L" ")}),
       {with(a, EntryField::filter, L"mine")},
       {}},
      {"three queued edits, two changed outside",
       {a},
       [](Session& s) {
         s.user(core::SetText{0, EntryField::sites, L"mine"});
         s.user(core::SetFlag{0, EntryField::content, 0});
         s.user(core::SetTiming{core::Timing::tabDelay, 30});
       },
       file({with(a, EntryField::sites, L"theirs")}, 77),
       {[] {
         SearchEntry e = with(a, EntryField::sites, L"theirs");
         e.content = 0;
         return e;
       }()},
       {fieldNotice(R::changedOutside, 0, EntryField::sites),
        {Notice::Edit::timing, R::changedOutside, std::nullopt, EntryField::enabled, core::Timing::tabDelay}}},
      {"filter of an entry whose URL was changed outside",
       {a, b},
       [](Session& s) {
         s.user(core::SetText{1, EntryField::filter, L"mine"});
       },
       file({a, with(b, EntryField::sites, L"theirs")}),
       {a, with(with(b, EntryField::sites, L"theirs"), EntryField::filter, L"mine")},
       {}},
      {"an entry removed outside and changed here stays",
       {a, b, c},
       [](Session& s) {
         s.user(core::SetText{1, EntryField::filter, L"mine"});
       },
       file({a, c}),
       {a, with(b, EntryField::filter, L"mine"), c},
       {fieldNotice(R::removedOutside, 1, EntryField::filter)}},
      {"a move of an entry removed outside",
       {a, b, c},
       [](Session& s) {
         s.user(core::MoveEntry{1, +1});
       },
       file({a, c}),
       {a, c},
       {{Notice::Edit::move, R::removedOutside, std::nullopt}}},
      {"insertions on both sides",
       {a},
       [](Session& s) {
         s.user(core::AddEntry{});
         s.user(core::SetText{1, EntryField::sites, L"mine"});
       },
       file({a, b}),
       {a, b, with(SearchEntry{}, EntryField::sites, L"mine")},
       {}},
      {"a move up past an entry removed outside",
       {a, b, c},
       [](Session& s) {
         s.user(core::MoveEntry{2, -1});
       },
       file({a, c}),
       {a, c},
       {}},
      {"a move to the top past an insertion outside",
       {a, b, c},
       [](Session& s) {
         s.user(core::MoveEntry{1, -1});
       },
       file({a, inserted, b, c}),
       {b, a, inserted, c},
       {}},
      {"an added entry moved up, the file appended to meanwhile",
       {a, b},
       [](Session& s) {
         s.user(core::AddEntry{});
         s.user(core::SetText{2, EntryField::sites, L"mine"});
         s.user(core::MoveEntry{2, -1});
       },
       file({a, b, inserted}),
       {a, with(SearchEntry{}, EntryField::sites, L"mine"), b, inserted},
       {}},
      {"a move below an entry removed outside: as near as the rest allows",
       {a, b, c, d},
       [](Session& s) {
         s.user(core::MoveEntry{3, -1});
       },
       file({a, c, d}),
       {a, d, c},
       {{Notice::Edit::move, R::removedOutside, 1}}},
      {"Info of an entry replaced outside by an unrelated one",
       {a, b, c},
       [](Session& s) {
         s.user(core::SetText{1, EntryField::info, L"mine"});
       },
       file({a, unrelated, c}),
       {a, unrelated, with(b, EntryField::info, L"mine"), c},
       {fieldNotice(R::removedOutside, 2, EntryField::info)}},
      {"removed on both sides, replaced outside by an unrelated one",
       {a, b, c},
       [](Session& s) { s.user(core::RemoveEntry{1}); },
       file({a, unrelated, c}),
       {a, unrelated, c},
       {}},
      {"a move here, an edit outside",
       {a, b, c},
       [](Session& s) {
         s.user(core::MoveEntry{0, +1});
       },
       file({a, b, with(c, EntryField::info, L"theirs")}),
       {b, a, with(c, EntryField::info, L"theirs")},
       {}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Session session(test.base);
    test.user(session);
    const core::Merged merged = session.merge(test.theirs);
    EXPECT_EQ(merged.settings.entries, test.merged);
    EXPECT_EQ(merged.notices, test.notices);
  }
}

// Random sessions: a base with look-alikes and copies, random edits outside and
// random edits in the window, each new value unique so that it can be found.
class RandomSession {
 public:
  explicit RandomSession(std::uint32_t seed) : random_(seed) {}

  void run() {
    std::vector<SearchEntry> base(pick(7));
    for (SearchEntry& e : base)
      e = {pick(2), pick(2) ? L"s1" : L"s2", pick(2), 0, pick(2), pick(2) ? L"" : L"f", pick(3) ? L"" : L"i", L""};
    Session session(base);
    // The outside program's edits, with the truth of which entry is which.
    std::vector<SearchEntry> theirs = base;
    std::vector<std::optional<std::size_t>> truth(base.size());
    for (std::size_t row = 0; row < base.size(); ++row) truth[row] = row;
    std::vector<bool> touchedOutside(base.size(), false);
    for (int edits = pick(4); edits-- > 0;) {
      const std::size_t row = theirs.empty() ? 0 : pick(theirs.size());
      switch (pick(5)) {
        case 4:  // replaced by an entry that shares no field with it
          if (theirs.empty()) break;
          if (truth[row]) touchedOutside[*truth[row]] = true;
          theirs[row] = {1 - theirs[row].enabled,
                         fresh(L"R"),
                         1 - theirs[row].content,
                         1 - theirs[row].sortByDate,
                         1 - theirs[row].firstMatch,
                         fresh(L"R"),
                         fresh(L"R"),
                         L""};
          truth[row] = std::nullopt;
          break;
        case 0:
          if (theirs.empty()) break;
          theirs[row].filter = fresh(L"T");
          if (truth[row]) touchedOutside[*truth[row]] = true;
          break;
        case 1:
          if (theirs.empty()) break;
          if (truth[row]) touchedOutside[*truth[row]] = true;
          theirs.erase(theirs.begin() + static_cast<std::ptrdiff_t>(row));
          truth.erase(truth.begin() + static_cast<std::ptrdiff_t>(row));
          break;
        case 2:
          theirs.insert(theirs.begin() + static_cast<std::ptrdiff_t>(row), entry(fresh(L"N").c_str()));
          truth.insert(truth.begin() + static_cast<std::ptrdiff_t>(row), std::nullopt);
          break;
        default:
          if (row + 1 >= theirs.size()) break;
          std::swap(theirs[row], theirs[row + 1]);
          std::swap(truth[row], truth[row + 1]);
      }
    }
    std::vector<bool> movedHere(base.size(), false);
    for (int edits = pick(4); edits-- > 0;) {
      const auto& shown = session.ours.settings.entries;
      const std::size_t row = shown.empty() ? 0 : pick(shown.size());
      switch (pick(5)) {
        case 0:
        case 1:
          if (!shown.empty())
            session.user(core::SetText{row, pick(2) ? EntryField::sites : EntryField::info, fresh(L"O").c_str()});
          break;
        case 2:
          session.user(core::AddEntry{});
          break;
        case 3:
          if (!shown.empty()) session.user(core::RemoveEntry{row});
          break;
        default:
          if (!shown.empty() && !session.ours.ids[row].added) movedHere[session.ours.ids[row].index] = true;
          session.user(core::MoveEntry{row, pick(2) ? 1 : -1});
      }
    }
    if (pick(3) == 0) session.user(core::SetTiming{core::Timing::browserStart, 1000 + pick(1000)});
    core::EditedSettings theirsFile = file(theirs);
    theirsFile.browserStart = pick(2) ? core::kDefaultBrowserStart : 7;
    check(session, theirsFile, truth, touchedOutside, movedHere);
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  std::size_t pick(std::size_t n) { return static_cast<std::size_t>(pick(static_cast<int>(n))); }
  std::wstring fresh(const wchar_t* prefix) { return prefix + std::to_wstring(++made_); }

  static bool has(const std::vector<SearchEntry>& entries, std::wstring SearchEntry::*field,
                  const std::wstring& value) {
    return std::any_of(entries.begin(), entries.end(), [&](const SearchEntry& e) { return e.*field == value; });
  }

  void check(const Session& session, const core::EditedSettings& theirs,
             const std::vector<std::optional<std::size_t>>& truth, const std::vector<bool>& touchedOutside,
             const std::vector<bool>& movedHere) {
    const core::Merged merged = session.merge(theirs);
    const auto& result = merged.settings.entries;
    const auto& ours = session.ours;
    auto noticed = [&](EntryField field) {
      return std::any_of(merged.notices.begin(), merged.notices.end(),
                         [&](const Notice& n) { return n.edit == Notice::Edit::field && n.field == field; });
    };
    // Of equal copies, which one either side touched cannot be told.
    auto copyTouchedOutside = [&](std::size_t index) {
      for (std::size_t i = 0; i < session.base.entries.size(); ++i)
        if (touchedOutside[i] && session.base.entries[i] == session.base.entries[index]) return true;
      return false;
    };
    // Every edit of the user's is in the result or in a notice; a value of an
    // entry the outside left alone (and each copy of it) is in the result.
    std::vector<bool> touchedHere(session.base.entries.size(), false);
    for (std::size_t row = 0; row < ours.ids.size(); ++row) {
      const SearchEntry& mine = ours.settings.entries[row];
      const core::EntryId id = ours.ids[row];
      const SearchEntry before = id.added ? SearchEntry{} : session.base.entries[id.index];
      if (!id.added && mine != before) touchedHere[id.index] = true;
      for (auto [field, text] :
           {std::pair{EntryField::sites, &SearchEntry::sites}, {EntryField::info, &SearchEntry::info}}) {
        if (mine.*text == before.*text) continue;
        const bool kept = has(result, text, mine.*text);
        EXPECT_TRUE(kept || noticed(field));
        if (!id.added && !copyTouchedOutside(id.index)) {
          EXPECT_TRUE(kept);
        }
      }
    }
    for (const core::SequenceEdit& edit : ours.sequence)
      if (edit.kind == core::SequenceEdit::Kind::remove && !edit.id.added) touchedHere[edit.id.index] = true;
    // No value of the user's lands on an entry that shares no field with the
    // one edited (an unrelated replacement).
    for (const SearchEntry& e : result)
      if (e.sites.starts_with(L"R")) {
        EXPECT_FALSE(e.info.starts_with(L"O")) << "an edit landed on an unrelated entry";
      }
    // An entry the user moved ends directly below the entry the window shows
    // above it (or first), when that one is still there.
    for (std::size_t row = 0; row < ours.ids.size(); ++row) {
      const bool moved = std::any_of(ours.sequence.begin(), ours.sequence.end(), [&](const core::SequenceEdit& e) {
        return e.kind == core::SequenceEdit::Kind::move && e.id == ours.ids[row];
      });
      const auto at = merged.rowsOfOurs[row];
      if (!moved || !at) continue;
      if (row == 0) {
        EXPECT_EQ(*at, 0u) << "a move to the top";
      } else if (const auto anchor = merged.rowsOfOurs[row - 1]) {
        EXPECT_EQ(*at, *anchor + 1) << "a moved entry is not below the entry it was placed under";
      }
    }
    // A value changed outside on an entry the user left alone is in the result.
    for (std::size_t row = 0; row < theirs.entries.size(); ++row)
      if (theirs.entries[row].filter.starts_with(L"T") && truth[row] && !touchedHere[*truth[row]]) {
        EXPECT_TRUE(has(result, &SearchEntry::filter, theirs.entries[row].filter));
      }
    // Entries neither side touched, nor any copy of them, keep the file's
    // order among themselves.
    std::vector<SearchEntry> touched;
    for (std::size_t i = 0; i < session.base.entries.size(); ++i)
      if (touchedOutside[i] || touchedHere[i] || movedHere[i]) touched.push_back(session.base.entries[i]);
    std::vector<SearchEntry> untouched;
    for (std::size_t row = 0; row < theirs.entries.size(); ++row)
      if (truth[row] && !touchedOutside[*truth[row]] && !touchedHere[*truth[row]] && !movedHere[*truth[row]] &&
          std::find(touched.begin(), touched.end(), theirs.entries[row]) == touched.end())
        untouched.push_back(theirs.entries[row]);
    auto next = result.begin();
    for (const SearchEntry& e : untouched) {
      next = std::find(next, result.end(), e);
      ASSERT_NE(next, result.end()) << "an untouched entry is missing or out of order";
      ++next;
    }
    // One side alone: the merge is that side.
    const bool outsideIdle = theirs.entries == session.base.entries && theirs.browserStart == session.base.browserStart;
    if (outsideIdle) {
      EXPECT_EQ(result, ours.settings.entries);
      EXPECT_TRUE(merged.notices.empty());
    }
    const bool userIdle = ours.settings.entries == session.base.entries && ours.sequence.empty() &&
                          ours.settings.browserStart == session.base.browserStart;
    if (userIdle) {
      EXPECT_EQ(result, theirs.entries);
      EXPECT_TRUE(merged.notices.empty());
    }
    // Timings: one side alone wins, both sides differently keep the file's.
    const std::int32_t start = ours.settings.browserStart;
    if (start != session.base.browserStart && merged.settings.browserStart != start) {
      EXPECT_EQ(merged.notices.back().edit, Notice::Edit::timing);
    }
  }

  std::mt19937 random_;
  int made_ = 0;
};

TEST(SettingsMerge, RandomSessionsLoseNothingAndKeepTheUntouchedInOrder) {
  // scripts/fuzz runs many more.
  const char* rounds = std::getenv("WORDHOP_MERGE_ROUNDS");
  const int count = rounds ? std::atoi(rounds) : 3000;
  for (int seed = 0; seed < count; ++seed) {
    SCOPED_TRACE(seed);
    RandomSession(static_cast<std::uint32_t>(seed)).run();
    if (HasFailure()) return;
  }
}

}  // namespace
