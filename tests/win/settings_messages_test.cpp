// The messages each list command sends to the list view, the notifications
// the window gets back, the detail gadgets' enabling and the saves of the file,
// compared with an expected sequence (as Wine's own comctl32 tests do): what
// the user sees change, row by row, and nothing else.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win/settings_fixture.h"

namespace {

using namespace ui;

// One message of interest, written the way the expected tables read; empty
// for the others.
std::string describe(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::string text;
  auto add = [&text](std::string_view word) { text.append(text.empty() ? "" : " ").append(word); };
  auto row = [&add](int index) { add(std::to_string(index)); };
  const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
  if (GetDlgCtrlID(window) != entryList && message != WM_ENABLE && message != WM_NOTIFY) return text;
  switch (message) {
    case LVM_INSERTITEMW:
      add("insert");
      row(item->iItem);
      break;
    case LVM_DELETEITEM:
      add("delete");
      row(static_cast<int>(wParam));
      break;
    case LVM_DELETEALLITEMS:
      add("delete all");
      break;
    case LVM_SETITEMTEXTW:
      add("text");
      row(static_cast<int>(wParam));
      add("column");
      row(item->iSubItem);
      break;
    case LVM_SETITEMSTATE:
      add("state");
      row(static_cast<int>(wParam));
      if (item->stateMask & LVIS_SELECTED) add(item->state & LVIS_SELECTED ? "selected" : "unselected");
      if (item->stateMask & LVIS_STATEIMAGEMASK) add(runtime::listCheckImage(item->state) == 2 ? "ticked" : "clear");
      break;
    case WM_ENABLE:
      add("enable");
      row(GetDlgCtrlID(window));
      break;
    case WM_NOTIFY: {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if (change->hdr.idFrom != entryList || change->hdr.code != LVN_ITEMCHANGED) break;
      if (!((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) break;
      add("notify");
      row(change->iItem);
      add(change->uNewState & LVIS_SELECTED ? "selected" : "unselected");
      break;
    }
  }
  return text;
}

// What is seen while a command runs; a save shows as the file's new write
// time, noted before the next message (or at the end).
struct Recording {
  std::vector<std::string> seen;
  std::wstring file;
  FILETIME written{};
  void noteSave() {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
    if (CompareFileTime(&data.ftLastWriteTime, &written) != 0) seen.emplace_back("save");
    written = data.ftLastWriteTime;
  }
};
Recording* recording = nullptr;

LRESULT CALLBACK recordMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (recording) {
    const std::string text = describe(window, message, wParam, lParam);
    if (!text.empty()) {
      recording->noteSave();
      recording->seen.push_back(text);
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

class SettingsMessagesTest : public testing_support::SettingsFixture {
 protected:
  // What the list, the window and the detail gadgets saw while the command ran.
  std::vector<std::string> sequenceOf(int commandButton) {
    std::vector<HWND> watched{window().gadget(entryList), window().handle()};
    for (int gadget : {removeButton, moveUpButton, moveDownButton, contentCheck, sortByDateCheck, firstMatchCheck,
                       urlField, filterField, infoField})
      watched.push_back(window().gadget(gadget));
    for (HWND each : watched) SetWindowSubclass(each, recordMessage, 1, 0);
    Recording seen{{}, folder.file("Wordhop.ini").wstring()};
    seen.noteSave();
    seen.seen.clear();
    recording = &seen;
    press(commandButton);
    seen.noteSave();
    recording = nullptr;
    for (HWND each : watched) RemoveWindowSubclass(each, recordMessage, 1);
    return seen.seen;
  }
};

using Sequence = std::vector<std::string>;

// A row as the list receives it: inserted, then the texts of its six columns.
Sequence insertedRow(int row) {
  Sequence lines{"insert " + std::to_string(row)};
  for (int column = 1; column <= 6; ++column)
    lines.push_back("text " + std::to_string(row) + " column " + std::to_string(column));
  return lines;
}

Sequence operator+(Sequence first, const Sequence& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// The gadgets enabled, in this order.
Sequence enabled(std::initializer_list<int> gadgets) {
  Sequence lines;
  for (int gadget : gadgets) lines.push_back("enable " + std::to_string(gadget));
  return lines;
}

// A message that one system sends and another need not, as Wine's tests mark
// it: the sequence matches with or without it.
std::string optional(std::string message) { return "optional " + message; }

// Whether `seen` is `expected`, each optional message there or not.
testing::AssertionResult matches(const Sequence& seen, const Sequence& expected) {
  std::size_t at = 0;
  for (const std::string& message : expected) {
    const bool optional = message.starts_with("optional ");
    const std::string wanted = optional ? message.substr(9) : message;
    if (at < seen.size() && seen[at] == wanted)
      ++at;
    else if (!optional)
      return testing::AssertionFailure() << "message " << at << " is not \"" << wanted << "\" in "
                                         << testing::PrintToString(seen);
  }
  if (at == seen.size()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "more than expected: " << testing::PrintToString(seen);
}

// The selection moving from one row to another (-1: none was selected): the
// single-selection list lets go of the old row itself.
Sequence selectionMoves(int from, int to) {
  Sequence lines{"state " + std::to_string(to) + " selected"};
  if (from >= 0) lines.push_back("notify " + std::to_string(from) + " unselected");
  return lines + Sequence{"notify " + std::to_string(to) + " selected"};
}

// With nothing selected: the detail gadgets enabled in their order, an empty
// row, then its First Match, Sort by and Content columns, its selection, and
// one save.
TEST_F(SettingsMessagesTest, AddEnablesTheDetailsAppendsOneRowSelectsItAndSavesOnce) {
  open();
  select(-1);
  EXPECT_TRUE(
      matches(sequenceOf(addButton), enabled({removeButton, moveUpButton, moveDownButton, contentCheck, sortByDateCheck,
                                              firstMatchCheck, urlField, filterField, infoField}) +
                                         Sequence{"insert 7", "text 7 column 4", "text 7 column 3", "text 7 column 2"} +
                                         selectionMoves(-1, 7) + Sequence{"save"}));
}

TEST_F(SettingsMessagesTest, RemoveDeletesTheRowSavesAndSelectsTheOneAbove) {
  open();
  select(2);
  // Wine's list tells that the deleted row lets go of its selection; Windows' need not.
  EXPECT_TRUE(matches(sequenceOf(removeButton), Sequence{"delete 2", optional("notify 2 unselected"), "save",
                                                         "state 1 selected", "notify 1 selected"}));
}

// One save, then the list is filled anew; ticking an enabled row selects it on
// the way (its entry saved again writes nothing: the file holds it). Then the
// moved entry's row is selected.
TEST_F(SettingsMessagesTest, MoveDownSavesOnceRefillsTheListAndSelectsTheMovedRow) {
  open();
  select(0);
  Sequence expected{"save", "delete all"};
  int selected = -1;
  for (int row = 0; row < 7; ++row) {
    expected = expected + insertedRow(row);
    if (row == 1 || row == 5 || row == 6) {
      expected = expected + Sequence{"state " + std::to_string(row) + " ticked"} + selectionMoves(selected, row);
      selected = row;
    }
  }
  EXPECT_TRUE(matches(sequenceOf(moveDownButton), expected + selectionMoves(selected, 1)));
}

}  // namespace
