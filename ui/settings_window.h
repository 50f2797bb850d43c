// The settings window: the search entries and browser timings, edited in place.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/configuration.h"
#include "core/search_entry.h"
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
  std::vector<core::SearchEntry> entries;
};

// What the window asks of the world outside it; tests put stand-ins here.
struct SettingsServices {
  // Shows a message box and returns the button pressed (IDYES, IDNO).
  std::function<int(std::wstring_view text, UINT flags)> ask;
  // Start-a-program: a program or an address, a parameter, a working folder.
  std::function<void(std::wstring_view, std::wstring_view, std::wstring_view)> startProgram;
  // Shows a warning owned by the given window.
  std::function<void(HWND owner, std::wstring_view text)> warn;
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
  // Handles events until the window is asked to close.
  void runEventLoop();
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
  // Brings the window up to date with the file before anything is written:
  // shows the file again when it was changed outside this window (in an
  // editor, by another settings window) since this window last read or wrote
  // it, and tries again to read a file it could not read. False while the
  // window holds no readable state of the file, when nothing may be written.
  bool catchUpWithFile();

  runtime::GadgetWindow& window() { return window_; }
  DpiLayer& dpiLayer() { return dpi_; }

 private:
  void createGadgets();
  void setToolTips();
  void setDetailGadgetsEnabled(bool enabled);
  // The selected row's entry; null when no row, or no entry, is selected.
  core::SearchEntry* selectedEntry();
  // Shows an entry's flags and texts in the detail gadgets.
  void showDetails(const core::SearchEntry& entry);
  // Clears the detail gadgets: no flag ticked, no text.
  void clearDetails();
  // Fills the entries, the list and the spin fields from the file.
  void loadFromFile();
  // Loads the file again, keeping the selected row where it still exists.
  void reload();
  // True when the file is not what this window last read or wrote, or can
  // be read now when it could not before. A file deleted since leaves the
  // window with the only copy, which the next save writes in full.
  bool fileChangedOutside();
  // Catches up with the file; true when the row is still the selected one, so
  // that the user's change of it applies (after a reload: where it still stands).
  bool caughtUpOnRow(int row);
  // Shows a field's text, the caret where it was (both as the user left them).
  void showFieldText(int gadget, const std::wstring& text, int caret);
  void saveEntryAt(int row);
  void saveAll();
  // The stored timing a spin field edits.
  std::int32_t& timingIn(int spin);
  // Every save goes through here: a window whose earlier save failed writes
  // everything it holds instead, the file's bytes are noted, and the first
  // failure of the session is told to the user.
  // True when the file holds the change.
  bool commit(const std::function<runtime::SystemError()>& save);
  void tellReadFailure();

  SettingsState& state_;
  std::wstring configFile_;
  runtime::GadgetWindow window_;
  DpiLayer dpi_;
  std::array<runtime::UniqueBitmap, 6> images_;
  SettingsServices services_;
  bool entryKeysInOrder_ = true;
  std::vector<core::EntryNote> notes_;    // the Entries group's other lines, kept at their places
  core::BrowserTimings timings_;          // as stored (or to be stored when the file is behind)
  std::optional<std::string> knownFile_;  // the file's bytes as last read or written here; none: no file
  bool blind_ = false;                    // the file is there, but this window could not read it
  runtime::SystemError readError_ = 0;    // why
  bool fileBehind_ = false;               // a save failed: the file lacks what this window holds
  bool reloading_ = false;                // the window fills the list anew from the file
  // A row's check box the user changed while the file had changed outside:
  // applied once the window has caught up.
  struct Tick {
    int row;
    bool ticked;
  };
  std::optional<Tick> pendingTick_;
  bool readFailureTold_ = false;
  bool saveFailureTold_ = false;
};

// The settings mode of the tool: build, show, run until closed.
void runSettingsWindow(SettingsState& state, const std::wstring& configFile, SettingsServices services);

}  // namespace ui
