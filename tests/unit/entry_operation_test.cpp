// The user's edits carried over onto the file as another program left it;
// the settings window's paths through them are its end-to-end session.
#include <gtest/gtest.h>

#include "core/entry_operation.h"

namespace {

using core::CarryOutcome;
using core::EntryField;
using core::EntryOperation;
using core::SearchEntry;

SearchEntry entry(const wchar_t* sites, const wchar_t* filter = L"", const wchar_t* info = L"", int enabled = 0) {
  return {enabled, sites, 0, 0, 0, filter, info};
}
const SearchEntry alpha = entry(L"alpha.example", L"+AAA");
const SearchEntry beta = entry(L"beta.example", L"+BBB");
const SearchEntry gamma = entry(L"gamma.example");

SearchEntry with(SearchEntry base, std::wstring SearchEntry::*field, const wchar_t* text) {
  base.*field = text;
  return base;
}
EntryOperation setFilter(std::size_t row, const SearchEntry& shown, const wchar_t* filter) {
  return EntryOperation::setField(row, shown, EntryField::filter, with(shown, &SearchEntry::filter, filter));
}

TEST(CarryOver, FindsTheEntryTheUserSawWhereverTheFileNowHasIt) {
  const SearchEntry twin1 = entry(L"v", L"", L"one"), twin2 = entry(L"v", L"", L"two");
  SearchEntry ticked = twin2;
  ticked.enabled = 1;
  struct Case {
    const char* name;
    std::vector<SearchEntry> file;
    EntryOperation operation;
    CarryOutcome outcome;
    std::size_t row;
    std::vector<SearchEntry> after;
  } cases[] = {
      {"unchanged file",
       {alpha, beta},
       setFilter(1, beta, L"+BBBZ"),
       CarryOutcome::applied,
       1,
       {alpha, with(beta, &SearchEntry::filter, L"+BBBZ")}},
      {"swapped",
       {beta, alpha},
       setFilter(1, beta, L"+BBBZ"),
       CarryOutcome::applied,
       0,
       {with(beta, &SearchEntry::filter, L"+BBBZ"), alpha}},
      {"entry before removed",
       {beta, gamma},
       setFilter(1, beta, L"+BBBZ"),
       CarryOutcome::applied,
       0,
       {with(beta, &SearchEntry::filter, L"+BBBZ"), gamma}},
      {"entry inserted before",
       {gamma, alpha, beta},
       setFilter(1, beta, L"+BBBZ"),
       CarryOutcome::applied,
       2,
       {gamma, alpha, with(beta, &SearchEntry::filter, L"+BBBZ")}},
      {"another field changed",
       {alpha, with(beta, &SearchEntry::info, L"new")},
       setFilter(1, beta, L"+BBBZ"),
       CarryOutcome::applied,
       1,
       {alpha, with(with(beta, &SearchEntry::info, L"new"), &SearchEntry::filter, L"+BBBZ")}},
      {"the same field changed",
       {alpha, with(beta, &SearchEntry::filter, L"+OUT")},
       setFilter(1, beta, L"+BBBZ"),
       CarryOutcome::fieldChangedOutside,
       1,
       {alpha, with(beta, &SearchEntry::filter, L"+OUT")}},
      {"removed", {alpha, gamma}, setFilter(1, beta, L"+BBBZ"), CarryOutcome::entryGone, 0, {alpha, gamma}},
      {"sites changed",
       {alpha, with(beta, &SearchEntry::sites, L"b2")},
       setFilter(1, beta, L"+BBBZ"),
       CarryOutcome::entryGone,
       0,
       {alpha, with(beta, &SearchEntry::sites, L"b2")}},
      {"empty list", {}, setFilter(0, alpha, L"+AAAZ"), CarryOutcome::entryGone, 0, {}},
      {"add to an empty list", {}, EntryOperation::add(), CarryOutcome::applied, 0, {SearchEntry{}}},
      {"duplicate at its row",
       {beta, beta},
       setFilter(1, beta, L"x"),
       CarryOutcome::applied,
       1,
       {beta, with(beta, &SearchEntry::filter, L"x")}},
      {"duplicates elsewhere",
       {gamma, beta, beta},
       setFilter(0, beta, L"x"),
       CarryOutcome::entryGone,
       0,
       {gamma, beta, beta}},
      {"same sites swapped",
       {twin2, twin1},
       EntryOperation::setField(1, twin2, EntryField::enabled, ticked),
       CarryOutcome::applied,
       0,
       {ticked, twin1}},
      {"remove after a swap",
       {beta, alpha, gamma},
       EntryOperation::remove(1, beta),
       CarryOutcome::applied,
       0,
       {alpha, gamma}},
      {"remove of a gone entry", {alpha}, EntryOperation::remove(1, beta), CarryOutcome::entryGone, 0, {alpha}},
      {"move up, now first",
       {beta, alpha},
       EntryOperation::move(1, beta, -1),
       CarryOutcome::unchanged,
       0,
       {beta, alpha}},
      {"move down after a swap",
       {beta, alpha, gamma},
       EntryOperation::move(0, alpha, +1),
       CarryOutcome::applied,
       2,
       {beta, gamma, alpha}},
      {"a field set as it is", {alpha}, setFilter(0, alpha, L"+AAA"), CarryOutcome::unchanged, 0, {alpha}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    core::EditedSettings settings;
    settings.entries = c.file;
    const core::Carried carried = core::carryOver(settings, c.operation);
    EXPECT_EQ(carried.outcome, c.outcome);
    if (c.outcome != CarryOutcome::entryGone) {
      EXPECT_EQ(carried.row, c.row);
    }
    EXPECT_EQ(settings.entries, c.after);
  }
}

TEST(CarryOver, ATimingChangedOutsideWins) {
  core::EditedSettings settings;
  settings.tabDelay = 77;
  const auto setTabDelay = [](int shown, int value) {
    return EntryOperation::setTiming(&core::BrowserTimings::tabDelay, shown, value);
  };
  EXPECT_EQ(core::carryOver(settings, setTabDelay(500, 30)).outcome, CarryOutcome::fieldChangedOutside);
  EXPECT_EQ(core::carryOver(settings, setTabDelay(77, 30)).outcome, CarryOutcome::applied);
  EXPECT_EQ(settings.tabDelay, 30);
}

// A note travels with the entry after it; notes after the last entry stay last.
TEST(CarryOver, NotesTravelWithTheEntryAfterThem) {
  struct Case {
    const char* name;
    EntryOperation operation;
    std::vector<core::EntryNote> after;
  } cases[] = {
      {"move down",
       EntryOperation::move(0, alpha, +1),
       {{0, L"above beta"}, {1, L"above alpha"}, {core::kAfterLastEntry, L"end"}}},
      {"remove",
       EntryOperation::remove(0, alpha),
       {{0, L"above alpha"}, {0, L"above beta"}, {core::kAfterLastEntry, L"end"}}},
      {"add", EntryOperation::add(), {{0, L"above alpha"}, {1, L"above beta"}, {core::kAfterLastEntry, L"end"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    core::EditedSettings settings;
    settings.entries = {alpha, beta};
    settings.notes = {{0, L"above alpha"}, {1, L"above beta"}, {core::kAfterLastEntry, L"end"}};
    core::carryOver(settings, c.operation);
    EXPECT_EQ(settings.notes, c.after);
  }
}

}  // namespace
