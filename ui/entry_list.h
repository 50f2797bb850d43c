// The settings window's list of search entries: one row per entry, its check
// box the entry's enabled flag, the other columns made from the field table.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <vector>

#include "core/entry_field.h"
#include "core/search_entry.h"
#include "core/settings_edit.h"
#include "runtime/gadget_window.h"
#include "ui/texts.h"

namespace ui {

// The texts of an entry's columns, each after a line feed but the first (the
// check box column, which is empty).
std::wstring rowText(const core::SearchEntry& entry, const Texts& texts);

class EntryList {
 public:
  EntryList(runtime::GadgetWindow& window, int gadget, const Texts& texts)
      : window_(window), gadget_(gadget), texts_(texts) {}

  // The selected row, or -1.
  int selectedRow() const { return window_.state(gadget_); }
  void select(int row) { window_.setState(gadget_, row); }

  // Shows the entries anew, the enabled ones ticked; no tick of these is the
  // user's. After a move the ticked rows are selected on the way.
  enum class Fill { fromFile, afterMove };
  void fill(const std::vector<core::SearchEntry>& entries, Fill why);
  // A new, empty entry's row at the end, selected.
  void addEmptyRow();
  void removeRow(int row) { window_.removeItem(gadget_, row); }
  // Shows a field's new value in its column of a row.
  void showField(int row, const core::SearchEntry& entry, core::EntryField field);

  // Sees the list's notifications: a row's check box the user ticked or
  // cleared selects the row, and gives the edit, which `entries` must hold the
  // row of.
  std::optional<core::SetFlag> tickOf(const NMHDR& notification, std::size_t entries);
  // A recorded tick cannot be saved inside the list's notification, where the
  // list cannot be filled anew: it waits for the list's change event.
  void holdTick() { tickWaits_ = true; }
  // Whether a tick waits to be saved, which it no longer does after this.
  bool takeTick() { return std::exchange(tickWaits_, false); }

 private:
  runtime::GadgetWindow& window_;
  const int gadget_;
  const Texts& texts_;
  std::optional<Fill> filling_;  // while the list is filled: its ticks are no user's
  bool tickWaits_ = false;
};

}  // namespace ui
