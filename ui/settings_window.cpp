#include "ui/settings_window.h"

#include <commctrl.h>

#include <algorithm>
#include <span>

#include "core/configuration.h"
#include "resources/resource_ids.h"
#include "runtime/process_environment.h"
#include "runtime/program_start.h"
#include "runtime/shell_command.h"
#include "runtime/system_message.h"
#include "runtime/text.h"
#include "runtime/window_number.h"
#include "ui/button_images.h"
#include "ui/focus_hook.h"

namespace ui {
namespace {

// Suspends drawing of a window for the life of the guard.
class DrawingSuspended {
 public:
  explicit DrawingSuspended(HWND window) { LockWindowUpdate(window); }
  ~DrawingSuspended() { LockWindowUpdate(nullptr); }
  DrawingSuspended(const DrawingSuspended&) = delete;
  DrawingSuspended& operator=(const DrawingSuspended&) = delete;
};

// What a flag shows in its list column, set and not.
struct FlagLabels {
  const wchar_t* set;
  const wchar_t* unset;
  const wchar_t* of(std::int32_t flag) const { return flag ? set : unset; }
};
constexpr FlagLabels kContentLabels{L"PB", L"API"};
constexpr FlagLabels kSortLabels{L"Date", L"Relevance"};
constexpr FlagLabels kFirstMatchLabels{L"Yes", L"No"};

// The gadgets that work on the selected entry, in the order they are enabled
// and disabled; for a text field or flag check box, the entry field and the
// list column it edits.
struct DetailGadget {
  int gadget;
  int column = 0;
  std::wstring core::SearchEntry::*text = nullptr;
  std::int32_t core::SearchEntry::*flag = nullptr;
  const FlagLabels* labels = nullptr;
};
constexpr DetailGadget kDetailGadgets[] = {
    {removeButton},
    {moveUpButton},
    {moveDownButton},
    {contentCheck, 2, nullptr, &core::SearchEntry::content, &kContentLabels},
    {sortByDateCheck, 3, nullptr, &core::SearchEntry::sortByDate, &kSortLabels},
    {firstMatchCheck, 4, nullptr, &core::SearchEntry::firstMatch, &kFirstMatchLabels},
    {urlField, 1, &core::SearchEntry::sites},
    {filterField, 5, &core::SearchEntry::filter},
    {infoField, 6, &core::SearchEntry::info},
};

// The buttons with images, in the order they are made (which is the tab order).
struct ImageButton {
  int gadget;
  int image;
  LogicalRect rect;
  const wchar_t* toolTip;
};
constexpr ImageButton kImageButtons[kButtonImageCount] = {
    {addButton, 0, {5, 5, 35, 26}, L"Add"},
    {removeButton, 1, {45, 5, 35, 26}, L"Remove"},
    {moveUpButton, 2, {85, 5, 35, 26}, L"Move up"},
    {moveDownButton, 3, {125, 5, 35, 26}, L"Move down"},
    {openIniButton, 4, {400, 5, 35, 26}, L"Open Wordhop.ini"},
    {donateButton, 5, {440, 5, 35, 26}, L"Make a donation via PayPal"},
};
constexpr std::size_t kButtonsBeforeTimings = 4;

// The list's keys for the entry commands.
constexpr runtime::Shortcut kAddKey{VK_INSERT};
constexpr runtime::Shortcut kRemoveKey{VK_DELETE};
constexpr runtime::Shortcut kMoveUpKey{VK_UP, true};
constexpr runtime::Shortcut kMoveDownKey{VK_DOWN, true};

// The list's columns after the check box column: title and logical width.
struct Column {
  const wchar_t* title;
  int width;
};
constexpr Column kColumns[] = {{L"URL", 239},        {L"Content", 50}, {L"Sort by", 72},
                               {L"First Match", 68}, {L"Filter", 0},   {L"Info", 0}};

const DetailGadget* detailOf(int gadget) {
  for (const DetailGadget& detail : kDetailGadgets)
    if (detail.gadget == gadget) return &detail;
  return nullptr;
}

// The system's words for why a save failed, without line ends.
std::wstring failureReason(runtime::SystemError error) {
  std::wstring reason = runtime::systemMessage(error.code);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
    reason.pop_back();
  return reason.empty() ? L"System error " + std::to_wstring(error.code) + L"." : reason;
}

// A field's text as an entry can store it: without "×", which separates the
// fields, and without line breaks (a record is one line), each run of CR and
// LF becoming one space. The caret stays after the character it followed.
std::wstring storableText(std::wstring_view typed, int& caret) {
  auto isBreak = [](wchar_t c) { return c == L'\r' || c == L'\n'; };
  std::wstring text;
  int movedCaret = 0;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (static_cast<int>(i) == caret) movedCaret = static_cast<int>(text.size());
    if (typed[i] == core::kFieldSeparator || (isBreak(typed[i]) && i > 0 && isBreak(typed[i - 1]))) continue;
    text += isBreak(typed[i]) ? L' ' : typed[i];
  }
  caret = caret >= static_cast<int>(typed.size()) ? static_cast<int>(text.size()) : movedCaret;
  return text;
}

// A spin field's text as a number within the timings' range; none when it
// holds no number (empty, letters).
std::optional<int> timingOf(std::wstring_view typed) {
  const std::wstring_view text = runtime::trimSpaces(typed);
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
    return std::nullopt;
  long long value = 0;
  for (wchar_t digit : text) value = std::min<long long>(value * 10 + (digit - L'0'), kLongestTiming + 1LL);
  return static_cast<int>(std::min<long long>(value, kLongestTiming));
}

// The message requester's owner: the foreground window, when it is one of ours.
HWND requesterOwner() {
  HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : nullptr;
}

}  // namespace

SettingsServices systemServices() {
  return {
      [](std::wstring_view text, UINT flags) {
        return MessageBoxW(requesterOwner(), std::wstring(text).c_str(), kWindowTitle, flags);
      },
      [](std::wstring_view program, std::wstring_view parameter, std::wstring_view folder) {
        runtime::startProgram(program, parameter, folder);
      },
      [](HWND owner, std::wstring_view text) {
        MessageBoxW(owner, std::wstring(text).c_str(), kWindowTitle, MB_OK | MB_ICONWARNING);
      },
      nullptr,  // the search subsystem's, which the tool's start-up adds
  };
}

std::wstring rowText(const core::SearchEntry& entry) {
  return L"\n" + entry.sites + L"\n" + kContentLabels.of(entry.content) + L"\n" + kSortLabels.of(entry.sortByDate) +
         L"\n" + kFirstMatchLabels.of(entry.firstMatch) + L"\n" + entry.filter + L"\n" + entry.info;
}

void fillEntryRows(runtime::GadgetWindow& window, const std::vector<core::SearchEntry>& entries) {
  for (const core::SearchEntry& entry : entries) {
    window.addItem(entryList, rowText(entry));
    if (entry.enabled) window.setItemChecked(entryList, window.itemCount(entryList) - 1, true);
  }
}

SettingsWindow::SettingsWindow(SettingsState& state, std::wstring configFile, SettingsServices services)
    : state_(state), configFile_(std::move(configFile)), dpi_(state.dpi, window_), services_(std::move(services)) {}

void SettingsWindow::createGadgets() {
  auto& d = dpi_;
  auto imageButton = [&](const ImageButton& button) {
    images_[static_cast<std::size_t>(button.image)] = loadButtonImage(button.image);
    d.scaledImageButton(button.gadget, button.rect, images_[static_cast<std::size_t>(button.image)].get());
  };
  const std::span buttons(kImageButtons);
  for (const ImageButton& button : buttons.first(kButtonsBeforeTimings)) imageButton(button);
  d.scaledTextLabel(browserStartLabel, {163, 9, 74, 19}, L"Browser Start:");
  d.scaledSpinField(browserStartSpin, {238, 9, 48, 19}, 0, kLongestTiming);
  d.scaledTextLabel(tabDelayLabel, {291, 9, 54, 19}, L"Tab Delay:");
  d.scaledSpinField(tabDelaySpin, {346, 9, 48, 19}, 0, kLongestTiming);
  for (const ImageButton& button : buttons.subspan(kButtonsBeforeTimings)) imageButton(button);

  d.scaledListView(entryList, {5, 35, 470, 198}, L"", 20);
  for (int position = 1; const Column& column : kColumns)
    d.scaledAddColumn(entryList, position++, column.title, column.width);

  d.scaledTextLabel(urlLabel, {0, 238, 29, 19}, L"URL:");
  d.scaledStringField(urlField, {30, 238, 249, 19}, L"");
  d.scaledCheckBox(contentCheck, {284, 238, 33, 19}, L"PB");
  d.scaledCheckBox(sortByDateCheck, {322, 238, 78, 19}, L"Sort by Date");
  d.scaledCheckBox(firstMatchCheck, {405, 238, 71, 19}, L"First Match");
  d.scaledTextLabel(filterLabel, {0, 262, 29, 19}, L"Filter:");
  d.scaledStringField(filterField, {30, 262, 445, 19}, L"");
  d.scaledTextLabel(infoLabel, {0, 286, 29, 19}, L"Info:");
  d.scaledStringField(infoField, {30, 286, 445, 19}, L"");
}

void SettingsWindow::setToolTips() {
  for (const ImageButton& button : kImageButtons) window_.setToolTip(button.gadget, button.toolTip);
  // What a screen reader reads: a gadget's text (not drawn for these), or the
  // label made just before the gadget.
  for (const ImageButton& button : kImageButtons) window_.setText(button.gadget, button.toolTip);
  window_.setText(entryList, L"Search entries");
  window_.setToolTip(browserStartSpin, L"Approximate time (ms) your web browser needs to start");
  window_.setToolTip(tabDelaySpin, L"Delay (ms) between opening a tab");
  window_.setToolTip(contentCheck, L"The URL covers both PB and API specific content (uncheck for API only)");
  window_.setToolTip(sortByDateCheck, L"Sort results by Date or Relevance");
  window_.setToolTip(firstMatchCheck,
                     L"Try to open the first matching website instead of Google's search results\n"
                     L"(uses the \"Feeling Lucky\" filter and may not work properly sometimes...)");
  HWND tips = window_.toolTipControl();
  SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, 410);
  SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 10000);
  SendMessageW(tips, TTM_SETDELAYTIME, TTDT_INITIAL, 850);
  SendMessageW(tips, TTM_ACTIVATE, TRUE, 0);
}

bool SettingsWindow::build() {
  const bool opened =
      dpi_.scaledOpenWindow(kSettingsWindow, {runtime::kDefaultCoordinate, runtime::kDefaultCoordinate, 480, 310},
                            {.className = L"WordhopSettings",
                             .iconResource = IDI_WORDHOP,
                             .title = kWindowTitle,
                             .style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX});
  if (!opened) return false;
  createGadgets();
  SetWindowLongPtrW(window_.handle(), GWLP_HWNDPARENT,
                    reinterpret_cast<LONG_PTR>(runtime::windowFromNumber(state_.ideMainWindow)));

  for (int column = 2; column <= 4; ++column) window_.centreColumn(entryList, column);
  window_.setColors(infoField, GetSysColor(COLOR_INACTIVECAPTIONTEXT), GetSysColor(COLOR_BTNFACE));
  // The list's own keys (arrows, Space, Home, End) stay as they are.
  for (runtime::Shortcut key : {kAddKey, kRemoveKey, kMoveUpKey, kMoveDownKey}) window_.addShortcut(entryList, key);
  // Asked when the tip shows: it follows every edit.
  if (services_.previewAddress) {
    window_.setRowTips(entryList, [this](int row) {
      const bool exists = row >= 0 && row < static_cast<int>(state_.entries.size());
      return exists ? services_.previewAddress(state_.entries[static_cast<std::size_t>(row)]) : std::wstring();
    });
  }
  setToolTips();

  loadFromFile();
  if (!state_.entries.empty()) window_.setState(entryList, 0);
  window_.postGadgetEvent(entryList, runtime::EventKind::change);
  window_.setCallback([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return listCheckCallback(window, message, wParam, lParam, result);
  });
  return true;
}

void SettingsWindow::loadFromFile() {
  knownFile_ = runtime::readFileBytes(configFile_);
  state_.entries.clear();
  const core::LoadedSettings loaded = core::loadAllEntries(configFile_, state_.entries);
  entryKeysInOrder_ = loaded.entryKeysInOrder;
  notes_ = loaded.notes;
  timings_ = loaded;
  readError_ = loaded.readError;
  blind_ = static_cast<bool>(readError_);
  fileBehind_ = false;
  // As written, also beyond the arrows' range: the field shows what the file holds.
  for (int spin : {browserStartSpin, tabDelaySpin}) window_.setText(spin, std::to_wstring(timingIn(spin)));
  reloading_ = true;
  window_.clearItems(entryList);
  fillEntryRows(window_, state_.entries);
  reloading_ = false;
}

void SettingsWindow::reload() {
  const int row = window_.state(entryList);
  DrawingSuspended suspended(window_.handle());
  loadFromFile();
  const int rows = static_cast<int>(state_.entries.size());
  window_.setState(entryList, row >= 0 && row < rows ? row : rows > 0 ? 0 : -1);
  showSelectedEntry();
  if (blind_) tellReadFailure();
}

bool SettingsWindow::fileChangedOutside() {
  // Contents, not time stamps: an editor may keep the time, or save twice in one tick.
  const std::optional<std::string> bytes = runtime::readFileBytes(configFile_);
  if (bytes) return blind_ || bytes != knownFile_;
  // Held by another program for now: a window that has read the file goes on,
  // its save fails and a later one catches up.
  if (runtime::pathExists(configFile_)) return false;
  if (blind_) return true;
  // Deleted while the window was open: the window holds the only copy.
  if (knownFile_) fileBehind_ = true;
  return false;
}

bool SettingsWindow::catchUpWithFile() {
  if (fileChangedOutside()) reload();
  return !blind_;
}

bool SettingsWindow::caughtUpOnRow(int row) {
  return catchUpWithFile() && selectedEntry() && window_.state(entryList) == row;
}

void SettingsWindow::tellReadFailure() {
  if (readFailureTold_) return;
  readFailureTold_ = true;
  services_.warn(window_.handle(),
                 L"Wordhop cannot read its settings in\n" + runtime::fullPath(configFile_) + L"\n\n" +
                     failureReason(readError_) +
                     L"\n\nNothing is saved until Wordhop can read the file. It tries again when you come back to "
                     L"this window and before each change.");
}

void SettingsWindow::show() {
  HWND handle = window_.handle();
  ShowWindow(handle, SW_SHOWNORMAL);
  UpdateWindow(handle);
  SetFocus(window_.gadget(entryList));
  if (blind_) tellReadFailure();
}

void SettingsWindow::setDetailGadgetsEnabled(bool enabled) {
  for (const DetailGadget& detail : kDetailGadgets) window_.setEnabled(detail.gadget, enabled);
}

core::SearchEntry* SettingsWindow::selectedEntry() {
  const int row = window_.state(entryList);
  if (row < 0 || row >= static_cast<int>(state_.entries.size())) return nullptr;
  return &state_.entries[static_cast<std::size_t>(row)];
}

void SettingsWindow::showDetails(const core::SearchEntry& entry) {
  for (const DetailGadget& detail : kDetailGadgets) {
    if (detail.flag) window_.setState(detail.gadget, entry.*detail.flag != 0);
    if (detail.text) window_.setText(detail.gadget, entry.*detail.text);
  }
}

void SettingsWindow::clearDetails() { showDetails({}); }

void SettingsWindow::showSelectedEntry() {
  DrawingSuspended suspended(window_.handle());
  if (const core::SearchEntry* selected = selectedEntry()) {
    showDetails(*selected);
    setDetailGadgetsEnabled(true);
  } else {
    setDetailGadgetsEnabled(false);
    clearDetails();
  }
}

bool SettingsWindow::handleEvent(const runtime::Event& event) {
  if (event.type == runtime::Event::Type::closeWindow) return false;
  if (event.type == runtime::Event::Type::activated) {
    // Only to show the file's state: whether it may be written is asked again before each save.
    static_cast<void>(catchUpWithFile());
    return true;
  }
  const bool change = event.kind == runtime::EventKind::change;
  switch (event.gadget) {
    case entryList:
      if (event.kind == runtime::EventKind::shortcut) pressListKey(event.shortcut);
      if (change) {
        // Ticking the box again (the window caught up) saves through listCheckCallback.
        if (const std::optional<Tick> tick = std::exchange(pendingTick_, std::nullopt); tick && catchUpWithFile())
          if (tick->row < window_.itemCount(entryList)) window_.setItemChecked(entryList, tick->row, tick->ticked);
        showSelectedEntry();
      }
      break;
    case addButton:
      addEntry();
      break;
    case removeButton:
      removeEntry();
      break;
    case moveUpButton:
      moveEntry(-1);
      break;
    case moveDownButton:
      moveEntry(+1);
      break;
    case browserStartSpin:
    case tabDelaySpin:
      if (change) editTiming(event.gadget);
      // What the field shows when it is left is what is stored.
      if (event.kind == runtime::EventKind::focusLost)
        window_.setText(event.gadget, std::to_wstring(timingIn(event.gadget)));
      break;
    case openIniButton:
      openConfigInEditor();
      break;
    case donateButton:
      offerDonation();
      break;
    default:
      if (const DetailGadget* detail = detailOf(event.gadget)) {
        if (detail->text && change) editTextField(event.gadget);
        if (detail->flag && event.kind == runtime::EventKind::leftClick) editFlag(event.gadget);
      }
      break;
  }
  return true;
}

void SettingsWindow::pressListKey(runtime::Shortcut key) {
  // Each does what its button does.
  if (key == kAddKey) addEntry();
  if (key == kRemoveKey) removeEntry();
  if (key == kMoveUpKey) moveEntry(-1);
  if (key == kMoveDownKey) moveEntry(+1);
}

void SettingsWindow::saveEntryAt(int row) {
  // In a hand-edited file whose keys are not "1" to "n", key row + 1 may be
  // another entry's record: renumber the whole group once instead.
  if (entryKeysInOrder_)
    commit([&] { return core::saveEntry(configFile_, state_.entries, static_cast<std::size_t>(row)); });
  else
    saveAll();
}

void SettingsWindow::saveAll() {
  if (commit([&] { return core::saveAllEntries(configFile_, state_.entries, notes_); })) entryKeysInOrder_ = true;
}

std::int32_t& SettingsWindow::timingIn(int spin) {
  return spin == browserStartSpin ? timings_.browserStart : timings_.tabDelay;
}

bool SettingsWindow::commit(const std::function<runtime::SystemError()>& save) {
  const bool everything = fileBehind_;
  const runtime::SystemError error =
      everything ? core::saveAllSettings(configFile_, state_.entries, notes_, timings_) : save();
  if (!error) {
    fileBehind_ = false;
    if (everything) entryKeysInOrder_ = true;
    knownFile_ = runtime::readFileBytes(configFile_);
    return true;
  }
  // The file is as it was, and lacks this change: the next save writes everything.
  fileBehind_ = true;
  if (saveFailureTold_) return false;
  saveFailureTold_ = true;
  const std::wstring localData = runtime::environmentVariable(L"LOCALAPPDATA");
  const std::wstring suggestion = localData.empty() ? L"a folder in your user profile" : localData + L"\\Wordhop";
  // Another program holding the file lets go of it again; a folder or file
  // that may not be written stays so.
  const bool held = error.code == ERROR_SHARING_VIOLATION || error.code == ERROR_LOCK_VIOLATION;
  const std::wstring advice =
      held ? L"\n\nAnother program holds the file. The next change saved after it lets go also saves this one."
           : L"\n\nChanges made in this window cannot be saved there. Copy Wordhop.exe to a folder you can write "
             L"to, for example\n" +
                 suggestion + L"\nand start it from there.";
  services_.warn(window_.handle(), L"Wordhop cannot save its settings in\n" + runtime::fullPath(configFile_) + L"\n\n" +
                                       failureReason(error) + advice);
  return false;
}

void SettingsWindow::showFieldText(int gadget, const std::wstring& text, int caret) {
  window_.setText(gadget, text);
  window_.setCaret(gadget, caret);
}

void SettingsWindow::editTextField(int gadget) {
  const DetailGadget& field = *detailOf(gadget);
  const int row = window_.state(entryList);
  if (!selectedEntry()) return;
  int caret = window_.caret(gadget);
  const std::wstring text = storableText(window_.text(gadget), caret);
  // The file may have changed since: the text goes to the same row's field.
  if (!caughtUpOnRow(row)) return;
  if (window_.text(gadget) != text) showFieldText(gadget, text, caret);
  selectedEntry()->*field.text = text;
  window_.setItemText(entryList, row, field.column, text);
  saveEntryAt(row);
}

void SettingsWindow::editFlag(int gadget) {
  const DetailGadget& check = *detailOf(gadget);
  const int row = window_.state(entryList);
  if (!selectedEntry()) return;
  const int ticked = window_.state(check.gadget);
  if (!caughtUpOnRow(row)) return;
  window_.setState(check.gadget, ticked);
  selectedEntry()->*check.flag = ticked;
  window_.setItemText(entryList, row, check.column, check.labels->of(ticked));
  saveEntryAt(row);
}

void SettingsWindow::editTiming(int spin) {
  // A field without a number stores nothing: it shows the stored value again when it is left.
  const std::wstring typed = window_.text(spin);
  const std::optional<int> value = timingOf(typed);
  if (!value || !catchUpWithFile()) return;
  // A number above the range is stored as the range allows, and shown so.
  const std::wstring stored = std::to_wstring(*value);
  if (*value == kLongestTiming && typed != stored) showFieldText(spin, stored, static_cast<int>(stored.size()));
  timingIn(spin) = *value;
  const std::wstring_view key = spin == browserStartSpin ? core::kKeyBrowserStart : core::kKeyTabDelay;
  commit([&] { return core::saveBrowserValue(configFile_, key, *value); });
}

void SettingsWindow::addEntry() {
  if (!catchUpWithFile()) return;
  DrawingSuspended suspended(window_.handle());
  clearDetails();
  setDetailGadgetsEnabled(true);
  const int row = static_cast<int>(state_.entries.size());
  window_.addItem(entryList, L"");
  window_.setItemText(entryList, row, 4, kFirstMatchLabels.unset);
  window_.setItemText(entryList, row, 3, kSortLabels.unset);
  window_.setItemText(entryList, row, 2, kContentLabels.unset);
  window_.setState(entryList, row);
  window_.setFocus(urlField);
  state_.entries.emplace_back();
  saveEntryAt(row);
}

void SettingsWindow::removeEntry() {
  if (!catchUpWithFile() || !selectedEntry()) return;
  const int row = window_.state(entryList);
  const core::SearchEntry asked = *selectedEntry();
  const std::wstring question =
      L"Delete entry #" + std::to_wstring(row + 1) + L" [ " + window_.itemText(entryList, row, 1) + L" ]?";
  if (services_.ask(question, MB_YESNO) != IDYES) return;
  // The file may have changed while the question was open: only the entry
  // the user was asked about is removed.
  if (!caughtUpOnRow(row) || *selectedEntry() != asked) return;
  DrawingSuspended suspended(window_.handle());
  window_.removeItem(entryList, row);
  state_.entries.erase(state_.entries.begin() + row);
  for (core::EntryNote& note : notes_)
    if (note.before > static_cast<std::size_t>(row)) --note.before;
  saveAll();
  window_.setState(entryList, row - 1);
  window_.postGadgetEvent(entryList, runtime::EventKind::change);
}

void SettingsWindow::moveEntry(int step) {
  if (!catchUpWithFile()) return;
  const int row = window_.state(entryList);
  const int target = row + step;
  if (!selectedEntry() || target < 0 || target >= static_cast<int>(state_.entries.size())) return;
  DrawingSuspended suspended(window_.gadget(entryList));
  std::swap(state_.entries[static_cast<std::size_t>(row)], state_.entries[static_cast<std::size_t>(target)]);
  saveAll();
  // Ticking the enabled rows selects each and saves it again (listCheckCallback).
  window_.clearItems(entryList);
  fillEntryRows(window_, state_.entries);
  window_.setState(entryList, target);
}

bool SettingsWindow::listCheckCallback(HWND, UINT message, WPARAM, LPARAM lParam, LRESULT&) {
  // Rows the window fills anew from the file show what the file holds: that
  // is no change of the user's.
  if (message != WM_NOTIFY || reloading_) return false;
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
  if (change->hdr.code != LVN_ITEMCHANGED || static_cast<int>(change->hdr.idFrom) != entryList) return false;
  const UINT oldImage = runtime::listCheckImage(change->uOldState);
  const UINT newImage = runtime::listCheckImage(change->uNewState);
  // A check box that existed before and changed; not a selection, not a new row.
  if (!oldImage || !newImage || oldImage == newImage) return false;
  const int row = change->iItem;
  window_.setState(entryList, row);
  if (newImage != 1 && newImage != 2) return false;
  core::SearchEntry* entry = selectedEntry();
  if (!entry) return false;
  // The list cannot be filled anew inside its own notification: the change
  // event that follows catches up with the file and ticks the box again.
  if (fileChangedOutside()) {
    pendingTick_ = Tick{row, newImage == 2};
    return false;
  }
  entry->enabled = newImage == 2 ? 1 : 0;
  saveEntryAt(row);
  return false;  // the toolkit goes on and reports the change
}

void SettingsWindow::openConfigInEditor() {
  const std::wstring command = runtime::openCommandFor(L".txt");
  if (command.empty()) return;
  // The association may name the editor through environment variables.
  const std::wstring program = runtime::editorProgramFromCommand(command);
  wchar_t expanded[MAX_PATH * 2] = {};
  const DWORD length = ExpandEnvironmentStringsW(program.c_str(), expanded, MAX_PATH * 2);
  const std::wstring editor = length > 0 && length <= MAX_PATH * 2 ? std::wstring(expanded) : program;
  std::wstring folder = runtime::currentDirectory();
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  // Quoted: the folder may contain spaces.
  services_.startProgram(editor, L"\"" + folder + std::wstring(core::kConfigFileName) + L"\"", folder);
}

void SettingsWindow::offerDonation() {
  const std::wstring text = std::wstring(L"Thank you for any amount you feel comfortable donating to\n") +
                            L"keep the [ Wordhop ] project alive and running!\n\n" + L"Open a secure connection to " +
                            kDonationSite + L" for a donation?";
  if (services_.ask(text, MB_YESNO | MB_ICONINFORMATION) == IDYES) services_.startProgram(kDonationPage, L"", L"");
}

void SettingsWindow::runEventLoop() {
  while (handleEvent(window_.waitEvent())) {
  }
}

void runSettingsWindow(SettingsState& state, const std::wstring& configFile, SettingsServices services) {
  SettingsWindow settings(state, configFile, std::move(services));
  // A window that cannot be opened ends the tool instead of waiting forever.
  if (!settings.build()) return;
  const FocusHook focusHook = installFocusFrame();
  settings.show();
  settings.runEventLoop();
}

}  // namespace ui
