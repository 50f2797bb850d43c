// The settings window: the search entries and browser timings, edited in place.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/configuration.h"
#include "core/entry_operation.h"
#include "core/search_entry.h"
#include "core/settings_editor.h"
#include "resources/version.h"
#include "runtime/file_io.h"
#include "runtime/gadget_window.h"
#include "ui/dpi_layer.h"
#include "ui/dpi_state.h"

namespace ui {

inline constexpr int kSettingsWindow = 0;
inline constexpr wchar_t kWindowTitle[] = L"Wordhop v" WORDHOP_VERSION_TEXT;
// The longest browser start and tab delay the spin fields take, in milliseconds.
inline constexpr int kLongestTiming = 9999;

// Gadget numbers, which are also the control identifiers.
enum GadgetNumber : int {
  entryList = 1,
  addButton,
  removeButton,
  moveUpButton,
  moveDownButton,
  browserStartLabel,
  browserStartSpin,
  tabDelayLabel,
  tabDelaySpin,
  openIniButton,
  donateButton,
  urlLabel,
  urlField,
  contentCheck,
  sortByDateCheck,
  firstMatchCheck,
  filterLabel,
  filterField,
  infoLabel,
  infoField,
};

// The texts of the seven columns of an entry's row, each after a line feed
// but the first (the check box column, which is empty).
std::wstring rowText(const core::SearchEntry& entry);

// Appends a row per entry and ticks the rows of enabled entries.
void fillEntryRows(runtime::GadgetWindow& window, const std::vector<core::SearchEntry>& entries);

// What the settings window works on.
struct SettingsState {
  DpiState dpi;
  std::uint32_t ideMainWindow = 0;  // the owner of the window, as the IDE gave it
};

// What the window asks of the world outside it; tests put stand-ins here.
struct SettingsServices {
  // Shows a message box and returns the button pressed (IDYES, IDNO).
  std::function<int(std::wstring_view text, UINT flags)> ask;
  // Start-a-program: a program or an address, a parameter, a working folder.
  std::function<void(std::wstring_view, std::wstring_view, std::wstring_view)> startProgram;
  // The address an entry opens, "{word}" standing for the word; none: no tips.
  std::function<std::wstring(const core::SearchEntry&)> previewAddress;
};
SettingsServices systemServices();

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

  void showSelectedEntry();
  void editTextField(int gadget);
  void editFlag(int gadget);
  // Stores a spin field's number; a field without one stores nothing.
  void editTiming(int spin);
  void addEntry();
  void removeEntry();
  void moveEntry(int step);
  // Insert, Delete, Alt+Up and Alt+Down in the list.
  void pressListKey(runtime::Shortcut key);
  void openConfigInEditor();
  void offerDonation();
  // Sees the list's notifications first: a ticked or unticked row check box
  // selects the row and saves the entry's enabled flag.
  bool listCheckCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Catches up with the file (shows it again when another program changed
  // it, merged with the edits not yet written) and writes the edits not yet
  // written; what could not be done is told in a balloon.
  void save();

  // The entries as the window shows them.
  const std::vector<core::SearchEntry>& entries() const { return editor_.shown().entries; }
  runtime::GadgetWindow& window() { return window_; }
  DpiLayer& dpiLayer() { return dpi_; }

 private:
  void createGadgets();
  void setToolTips();
  void setDetailGadgetsEnabled(bool enabled);
  // The selected row's entry; null when no row, or no entry, is selected.
  const core::SearchEntry* selectedEntry() const;
  // Shows an entry's flags and texts in the detail gadgets.
  void showDetails(const core::SearchEntry& entry);
  // Clears the detail gadgets: no flag ticked, no text.
  void clearDetails();
  // Fills the list and the spin fields with what the editor shows.
  void fillFromEditor();
  // Saves while the entry shown in `row` is selected: true when the file had
  // changed outside and is shown anew, that entry selected where it now
  // stands (nothing when it is gone).
  [[nodiscard]] bool saveSelecting(int row);
  core::SyncReport syncSelecting(int row);
  // Applies the user's edit to what the window shows and saves it.
  void perform(const core::EntryOperation& operation);
  // Shows the file's new state with the row `selected` selected.
  void showFileAgain(std::optional<std::size_t> selected);
  // Shows a field's text, the caret where it was (both as the user left them).
  void showFieldText(int gadget, const std::wstring& text, int caret);
  static core::Timing timingOfSpin(int spin);
  // A timing as its spin field can show it.
  int shownTiming(int spin) const;
  // Tells the user in a balloon, without taking the focus, what a save could
  // not do.
  void tell(const core::SyncReport& report);
  void tellFailure(runtime::SystemError error, bool reading);
  void tellNotices(const std::vector<core::Notice>& notices);
  // The gadget a balloon points at: the one the user is in, else the list.
  int balloonGadget() const;
  // Windows asks before a logoff or shutdown: edits that cannot be saved
  // block it, with the reason shown.
  LRESULT queryEndSession();

  SettingsState& state_;
  runtime::GadgetWindow window_;
  DpiLayer dpi_;
  std::array<runtime::UniqueBitmap, 6> images_;
  SettingsServices services_;
  core::SettingsEditor editor_;
  // The window fills the list itself: its ticks are no user's. Filled after a
  // move, a ticked row is still selected on the way.
  enum class Filling { no, fromFile, afterMove } filling_ = Filling::no;
  bool tickToSave_ = false;                 // a row's check box the user changed waits for the list's change event
  runtime::SystemError unreadAtStart_ = 0;  // the file was there, but could not be read when the window opened
  runtime::SystemError lastSaveError_ = 0;  // why the edits still queued are not in the file
};

// The settings mode of the tool: build, show, run until closed.
void runSettingsWindow(SettingsState& state, const std::wstring& configFile, SettingsServices services);

}  // namespace ui
