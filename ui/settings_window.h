// The settings window: a form over the edit session of Wordhop.ini. Each
// user action becomes one edit; the session saves it, merged with whatever
// another program changed, and the window shows the result.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/settings_editor.h"
#include "runtime/gadget_window.h"
#include "ui/dpi_layer.h"
#include "ui/dpi_state.h"
#include "ui/entry_list.h"
#include "ui/gadget_numbers.h"
#include "ui/settings_notices.h"
#include "ui/texts.h"

namespace ui {

inline constexpr int kSettingsWindow = 0;

// What the settings window works on.
struct SettingsState {
  DpiState dpi;
  core::Language language = core::Language::english;
  std::uint32_t ideMainWindow = 0;  // the owner of the window, as the IDE gave it
};

inline constexpr wchar_t kDonationPage[] = L"https://www.paypal.com/donate";
inline constexpr wchar_t kDonationSite[] = L"www.paypal.com";

class SettingsWindow {
 public:
  SettingsWindow(SettingsState& state, std::wstring configFile, SettingsServices services = systemServices());

  // Builds the window and its gadgets, fills them and queues the first
  // selection event; false when the window cannot be opened.
  bool build();
  // Shows the window with the keyboard focus in the list.
  void show();
  // Handles events until the window is asked to close, and lets it close.
  void runEventLoop();
  // Edits whose save failed are tried once more; while they still fail, the
  // user chooses between trying again and closing without them. False when
  // the window stays open: the last save applied not every edit.
  [[nodiscard]] bool saveBeforeClosing();
  // Handles one event; false when it was the close request.
  bool handleEvent(const runtime::Event& event);
  // Shows the selected row's entry in the detail gadgets.
  void showSelectedEntry();

  // The entries as the window shows them.
  const std::vector<core::SearchEntry>& entries() const { return editor_.shown().entries; }
  runtime::GadgetWindow& window() { return window_; }
  DpiLayer& dpiLayer() { return dpi_; }

 private:
  void createGadgets();
  void setToolTips();
  // The selected row's entry; null when no row, or no entry, is selected.
  const core::SearchEntry* selectedEntry() const;
  void showDetails(const core::SearchEntry& entry);
  void setDetailGadgetsEnabled(bool enabled);

  // Each user action is one edit, saved at once.
  void editField(int gadget);
  void editTiming(int spin);
  void addEntry();
  void removeEntry();
  void moveEntry(int step);
  void openConfigInEditor();
  void offerDonation();
  // Sees the window's messages before the toolkit: the session's end, and
  // the list's notifications (a row's tick).
  bool seeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Reads the file and writes the edits not yet written (the editor's sync),
  // then shows the result: the file's new state, the entry shown in
  // `selectedRow` selected where it now stands, and what could not be done.
  core::SyncReport syncAndShow(int selectedRow);
  core::SyncReport syncAndShow() { return syncAndShow(list_.selectedRow()); }
  void showResult(const core::SyncReport& report, int selectedRow);
  // Fills the list and the spin fields with what the editor shows.
  void fillFromEditor(EntryList::Fill why);
  // A timing as its spin field can show it.
  int shownTiming(int spin) const;

  SettingsState& state_;
  runtime::GadgetWindow window_;
  DpiLayer dpi_;
  std::array<runtime::UniqueBitmap, 6> images_;
  SettingsServices services_;
  core::SettingsEditor editor_;
  Texts texts_;
  EntryList list_{window_, entryList, texts_};
  SettingsNotices notices_{window_, services_, texts_, entryList};
  core::SyncReport firstRead_;  // a file that was there but could not be read is told once the window shows
};

// The settings mode of the tool: build, show, run until closed.
void runSettingsWindow(SettingsState& state, const std::wstring& configFile, SettingsServices services);

}  // namespace ui
