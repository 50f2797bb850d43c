#include "ui/settings_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <span>

#include "core/configuration.h"
#include "resources/resource_ids.h"
#include "runtime/library.h"
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
// list column it edits, and the name the user knows it by.
struct DetailGadget {
  int gadget;
  int column = 0;
  std::wstring core::SearchEntry::*text = nullptr;
  std::int32_t core::SearchEntry::*flag = nullptr;
  const FlagLabels* labels = nullptr;
  core::EntryField field = core::EntryField::enabled;
  const wchar_t* name = nullptr;
};
constexpr DetailGadget kDetailGadgets[] = {
    {removeButton},
    {moveUpButton},
    {moveDownButton},
    {contentCheck, 2, nullptr, &core::SearchEntry::content, &kContentLabels, core::EntryField::content, L"PB"},
    {sortByDateCheck, 3, nullptr, &core::SearchEntry::sortByDate, &kSortLabels, core::EntryField::sortByDate,
     L"Sort by Date"},
    {firstMatchCheck, 4, nullptr, &core::SearchEntry::firstMatch, &kFirstMatchLabels, core::EntryField::firstMatch,
     L"First Match"},
    {urlField, 1, &core::SearchEntry::sites, nullptr, nullptr, core::EntryField::sites, L"URL"},
    {filterField, 5, &core::SearchEntry::filter, nullptr, nullptr, core::EntryField::filter, L"Filter"},
    {infoField, 6, &core::SearchEntry::info, nullptr, nullptr, core::EntryField::info, L"Info"},
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

const DetailGadget* detailOf(core::EntryField field) {
  for (const DetailGadget& detail : kDetailGadgets)
    if (detail.name && detail.field == field) return &detail;
  return nullptr;
}

// The system's words for why a save failed, without line ends.
std::wstring failureReason(runtime::SystemError error) {
  std::wstring reason = runtime::systemMessage(error.code);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
    reason.pop_back();
  return reason.empty() ? L"System error " + std::to_wstring(error.code) + L"." : reason;
}

// A spin field's text as a number within the timings' range; none when it
// holds no number (empty, letters).
std::optional<int> typedTiming(std::wstring_view typed) {
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
      nullptr,  // the search subsystem's, which the tool's start-up adds
  };
}

std::wstring rowText(const core::SearchEntry& entry) {
  return L"\n" + entry.sites + L"\n" + kContentLabels.of(entry.content) + L"\n" + kSortLabels.of(entry.sortByDate) +
         L"\n" + kFirstMatchLabels.of(entry.firstMatch) + L"\n" + entry.filter + L"\n" + entry.info;
}

void fillEntryRows(runtime::GadgetWindow& window, const std::vector<core::SearchEntry>& entries) {
  // Drawn once, when full: a list redrawn for each row takes seconds for thousands.
  const runtime::RedrawSuspended suspended(window, entryList);
  for (const core::SearchEntry& entry : entries) {
    window.addItem(entryList, rowText(entry));
    if (entry.enabled) window.setItemChecked(entryList, window.itemCount(entryList) - 1, true);
  }
}

SettingsWindow::SettingsWindow(SettingsState& state, std::wstring configFile, SettingsServices services)
    : state_(state), dpi_(state.dpi, window_), services_(std::move(services)), editor_(std::move(configFile)) {}

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
      const bool exists = row >= 0 && row < static_cast<int>(entries().size());
      return exists ? services_.previewAddress(entries()[static_cast<std::size_t>(row)]) : std::wstring();
    });
  }
  setToolTips();

  // The field separator and line breaks are refused or turned into spaces as
  // they are typed or pasted: a field never holds what the file cannot.
  for (int field : {urlField, filterField, infoField}) {
    window_.setInputRule(field, {core::fieldInput, L"\u00D7 separates an entry's fields",
                                 L"Wordhop keeps each entry on one line of Wordhop.ini, its fields separated by "
                                 L"\u00D7, so a field cannot hold it."});
  }

  // Told once the window is shown, which then owns the message.
  unreadAtStart_ = editor_.sync().readError;
  fillFromEditor();
  if (!entries().empty()) window_.setState(entryList, 0);
  window_.postGadgetEvent(entryList, runtime::EventKind::change);
  window_.setCallback([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return listCheckCallback(window, message, wParam, lParam, result);
  });
  return true;
}

void SettingsWindow::fillFromEditor() {
  const core::EditedSettings& shown = editor_.shown();
  // A number the user is typing stays as typed, with its caret.
  for (int spin : {browserStartSpin, tabDelaySpin}) {
    const int stored = shownTiming(spin);
    if (typedTiming(window_.text(spin)) != stored) window_.setText(spin, std::to_wstring(stored));
  }
  filling_ = Filling::fromFile;
  window_.clearItems(entryList);
  fillEntryRows(window_, shown.entries);
  filling_ = Filling::no;
}

void SettingsWindow::showFileAgain(std::optional<std::size_t> selected) {
  DrawingSuspended suspended(window_.handle());
  fillFromEditor();
  window_.setState(entryList, selected ? static_cast<int>(*selected) : -1);
  showSelectedEntry();
}

void SettingsWindow::save() { static_cast<void>(saveSelecting(window_.state(entryList))); }

bool SettingsWindow::saveSelecting(int row) { return syncSelecting(row).reloaded; }

core::SyncReport SettingsWindow::syncSelecting(int row) {
  core::SyncReport report = editor_.sync();
  if (report.reloaded) {
    const bool shown = row >= 0 && static_cast<std::size_t>(row) < report.rowsNow.size();
    showFileAgain(shown ? report.rowsNow[static_cast<std::size_t>(row)] : std::nullopt);
  }
  tell(report);
  return report;
}

void SettingsWindow::perform(const core::EntryOperation& operation) {
  if (editor_.record(operation)) save();
}

void SettingsWindow::tell(const core::SyncReport& report) {
  if (report.readError || report.saveError)
    tellFailure(report.readError ? report.readError : report.saveError, report.readError != 0);
  if (!report.notices.empty()) tellNotices(report.notices);
}

int SettingsWindow::balloonGadget() const {
  const HWND focus = GetFocus();
  for (int gadget = entryList; gadget <= infoField; ++gadget)
    if (focus && (window_.gadget(gadget) == focus || IsChild(window_.gadget(gadget), focus))) return gadget;
  return entryList;
}

void SettingsWindow::tellFailure(runtime::SystemError error, bool reading) {
  lastSaveError_ = error;
  const std::wstring file = runtime::fullPath(editor_.fileName());
  std::wstring advice;
  if (reading) {
    advice =
        L"Nothing is saved until Wordhop can read the file. It tries again when you come back to this window "
        L"and before each change.";
  } else if (runtime::heldByAnotherProgram(error)) {
    advice =
        L"Another program holds the file. Your changes wait, and the next change saved after it lets go also "
        L"saves them.";
  } else if (const DWORD attributes = GetFileAttributesW(file.c_str());
             attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    advice =
        L"The file is read-only. Your changes wait: clear Read-only in the file's Properties, and the next "
        L"change saves them.";
  } else {
    const std::wstring localData = runtime::environmentVariable(L"LOCALAPPDATA");
    advice =
        L"The folder cannot be written to, so changes made in this window cannot be saved there. Copy "
        L"Wordhop.exe to a folder you can write to, for example\n" +
        (localData.empty() ? std::wstring(L"a folder in your user profile") : localData + L"\\Wordhop") +
        L"\nand start it from there.";
  }
  // A balloon: the user's next keys stay in the field, and wait with the rest.
  // Each key hides it and each failed save shows it again, so that it stays
  // while the user types.
  window_.showBalloon(balloonGadget(), reading ? L"Wordhop cannot read its settings" : L"Wordhop cannot save",
                      (reading ? L"Wordhop cannot read its settings in\n" : L"Wordhop cannot save its settings in\n") +
                          file + L"\n\n" + failureReason(error) + L"\n\n" + advice);
}

void SettingsWindow::tellNotices(const std::vector<core::Notice>& notices) {
  using Edit = core::Notice::Edit;
  std::wstring text;
  for (const core::Notice& notice : notices) {
    std::wstring what = L"your tick";
    if (notice.edit == Edit::field && notice.field != core::EntryField::enabled)
      what = std::wstring(L"your change of ") + detailOf(notice.field)->name;
    else if (notice.edit == Edit::timing)
      what =
          notice.timing == core::Timing::browserStart ? L"your change of Browser Start" : L"your change of Tab Delay";
    else if (notice.edit == Edit::removal)
      what = L"your removal";
    else if (notice.edit == Edit::move)
      what = L"your move";
    std::wstring line = notice.row ? L"Entry #" + std::to_wstring(*notice.row + 1) + L": " : L"";
    if (notice.reason == core::Notice::Reason::changedOutside) {
      line += what + L" was not applied: another program changed " +
              (notice.edit == Edit::removal ? L"the entry" : L"it") + L" in Wordhop.ini, and its version is kept.";
    } else if (notice.edit == Edit::field) {
      line += L"another program removed this entry from Wordhop.ini; " + what + L" keeps it.";
    } else {
      line += what + L" was not applied: another program removed the entry from Wordhop.ini.";
    }
    line[0] = static_cast<wchar_t>(std::towupper(line[0]));
    text += (text.empty() ? L"" : L"\n") + line;
  }
  // A balloon: the user goes on typing where the focus is.
  window_.showBalloon(balloonGadget(), L"Changed outside this window", text);
}

LRESULT SettingsWindow::queryEndSession() {
  if (editor_.hasUnsaved()) save();
  if (!editor_.hasUnsaved()) return TRUE;
  // Windows shows the reason beside the window while it waits.
  if (const auto create = RUNTIME_EXPORT(GetModuleHandleW(L"user32.dll"), ShutdownBlockReasonCreate))
    create(window_.handle(), L"Wordhop could not save your last changes in Wordhop.ini.");
  return FALSE;
}

void SettingsWindow::show() {
  HWND handle = window_.handle();
  ShowWindow(handle, SW_SHOWNORMAL);
  UpdateWindow(handle);
  SetFocus(window_.gadget(entryList));
  if (unreadAtStart_) tellFailure(unreadAtStart_, true);
}

void SettingsWindow::setDetailGadgetsEnabled(bool enabled) {
  for (const DetailGadget& detail : kDetailGadgets) window_.setEnabled(detail.gadget, enabled);
}

const core::SearchEntry* SettingsWindow::selectedEntry() const {
  const int row = window_.state(entryList);
  if (row < 0 || row >= static_cast<int>(entries().size())) return nullptr;
  return &entries()[static_cast<std::size_t>(row)];
}

void SettingsWindow::showDetails(const core::SearchEntry& entry) {
  for (const DetailGadget& detail : kDetailGadgets) {
    if (detail.flag) window_.setState(detail.gadget, entry.*detail.flag != 0);
    // A text that is already shown keeps its caret.
    if (detail.text && window_.text(detail.gadget) != entry.*detail.text)
      window_.setText(detail.gadget, entry.*detail.text);
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
    save();
    return true;
  }
  const bool change = event.kind == runtime::EventKind::change;
  switch (event.gadget) {
    case entryList:
      if (event.kind == runtime::EventKind::shortcut) pressListKey(event.shortcut);
      if (change) {
        // A tick of a row's box was taken inside the list's notification, where
        // the list cannot be filled anew: it is saved now.
        if (std::exchange(tickToSave_, false)) save();
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
        window_.setText(event.gadget, std::to_wstring(shownTiming(event.gadget)));
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

core::Timing SettingsWindow::timingOfSpin(int spin) {
  return spin == browserStartSpin ? core::Timing::browserStart : core::Timing::tabDelay;
}

int SettingsWindow::shownTiming(int spin) const {
  // A hand-edited file may hold any number: the field shows what it can take.
  return std::clamp(core::timingIn(editor_.shown(), timingOfSpin(spin)), 0, kLongestTiming);
}

void SettingsWindow::showFieldText(int gadget, const std::wstring& text, int caret) {
  window_.setText(gadget, text);
  window_.setCaret(gadget, caret);
}

void SettingsWindow::editTextField(int gadget) {
  const DetailGadget& field = *detailOf(gadget);
  const int row = window_.state(entryList);
  const core::SearchEntry* shown = selectedEntry();
  if (!shown) return;
  int caret = window_.caret(gadget);
  const std::wstring text = core::storableText(window_.text(gadget), caret);
  if (window_.text(gadget) != text) showFieldText(gadget, text, caret);
  core::SearchEntry changed = *shown;
  changed.*field.text = text;
  window_.setItemText(entryList, row, field.column, text);
  perform(core::EntryOperation::setField(static_cast<std::size_t>(row), field.field, changed));
}

void SettingsWindow::editFlag(int gadget) {
  const DetailGadget& check = *detailOf(gadget);
  const int row = window_.state(entryList);
  const core::SearchEntry* shown = selectedEntry();
  if (!shown) return;
  const int ticked = window_.state(check.gadget);
  core::SearchEntry changed = *shown;
  changed.*check.flag = ticked;
  window_.setItemText(entryList, row, check.column, check.labels->of(ticked));
  perform(core::EntryOperation::setField(static_cast<std::size_t>(row), check.field, changed));
}

void SettingsWindow::editTiming(int spin) {
  // A field without a number stores nothing: it shows the stored value again when it is left.
  const std::wstring typed = window_.text(spin);
  const std::optional<int> value = typedTiming(typed);
  if (!value) return;
  // A number above the range is stored as the range allows, and shown so.
  const std::wstring stored = std::to_wstring(*value);
  if (*value == kLongestTiming && typed != stored) showFieldText(spin, stored, static_cast<int>(stored.size()));
  perform(core::EntryOperation::setTiming(timingOfSpin(spin), *value));
}

void SettingsWindow::addEntry() {
  DrawingSuspended suspended(window_.handle());
  clearDetails();
  setDetailGadgetsEnabled(true);
  const int row = static_cast<int>(entries().size());
  window_.addItem(entryList, L"");
  window_.setItemText(entryList, row, 4, kFirstMatchLabels.unset);
  window_.setItemText(entryList, row, 3, kSortLabels.unset);
  window_.setItemText(entryList, row, 2, kContentLabels.unset);
  window_.setState(entryList, row);
  window_.setFocus(urlField);
  perform(core::EntryOperation::add());
}

void SettingsWindow::removeEntry() {
  if (!selectedEntry()) return;
  // The question names the entry as the file has it now.
  save();
  if (!selectedEntry()) return;  // another program removed it: the window shows so
  const int row = window_.state(entryList);
  const std::wstring question =
      L"Delete entry #" + std::to_wstring(row + 1) + L" [ " + window_.itemText(entryList, row, 1) + L" ]?";
  if (services_.ask(question, MB_YESNO) != IDYES) return;
  if (!editor_.record(core::EntryOperation::remove(static_cast<std::size_t>(row)))) return;
  DrawingSuspended suspended(window_.handle());
  window_.removeItem(entryList, row);
  if (!saveSelecting(row - 1)) window_.setState(entryList, row - 1);
  window_.postGadgetEvent(entryList, runtime::EventKind::change);
}

void SettingsWindow::moveEntry(int step) {
  const int row = window_.state(entryList);
  const int target = row + step;
  if (!selectedEntry() || target < 0 || target >= static_cast<int>(entries().size())) return;
  DrawingSuspended suspended(window_.gadget(entryList));
  if (!editor_.record(core::EntryOperation::move(static_cast<std::size_t>(row), step))) return;
  // A file changed outside is shown anew, the moved entry selected wherever
  // it now stands.
  if (saveSelecting(target)) return;
  // Ticking the enabled rows selects each (listCheckCallback); saving them
  // again would write nothing: their records are in the file.
  filling_ = Filling::afterMove;
  window_.clearItems(entryList);
  fillEntryRows(window_, entries());
  filling_ = Filling::no;
  window_.setState(entryList, target);
}

bool SettingsWindow::listCheckCallback(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_QUERYENDSESSION) {
    result = queryEndSession();
    return true;
  }
  if (message == WM_ENDSESSION && !wParam) {  // the session goes on after all
    if (const auto destroy = RUNTIME_EXPORT(GetModuleHandleW(L"user32.dll"), ShutdownBlockReasonDestroy))
      destroy(window_.handle());
    return false;
  }
  // Rows the window fills anew from the file show what the file holds: that
  // is no change of the user's.
  if (message != WM_NOTIFY || filling_ == Filling::fromFile) return false;
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
  if (change->hdr.code != LVN_ITEMCHANGED || static_cast<int>(change->hdr.idFrom) != entryList) return false;
  const UINT oldImage = runtime::listCheckImage(change->uOldState);
  const UINT newImage = runtime::listCheckImage(change->uNewState);
  // A check box that existed before and changed; not a selection, not a new row.
  if (!oldImage || !newImage || oldImage == newImage) return false;
  const int row = change->iItem;
  window_.setState(entryList, row);
  if ((newImage != 1 && newImage != 2) || filling_ == Filling::afterMove) return false;
  if (row < 0 || row >= static_cast<int>(entries().size())) return false;
  core::SearchEntry changed = entries()[static_cast<std::size_t>(row)];
  changed.enabled = newImage == 2 ? 1 : 0;
  if (editor_.record(core::EntryOperation::setField(static_cast<std::size_t>(row), core::EntryField::enabled, changed)))
    tickToSave_ = true;
  return false;  // the toolkit goes on and reports the change
}

void SettingsWindow::openConfigInEditor() {
  const std::wstring command = runtime::openCommandFor(L".txt");
  if (command.empty()) return;
  const std::wstring editor = runtime::expandedProgramFromCommand(command);
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
  for (;;) {
    while (handleEvent(window_.waitEvent())) {
    }
    if (saveBeforeClosing()) return;
  }
}

bool SettingsWindow::saveBeforeClosing() {
  if (!editor_.hasUnsaved()) return true;
  for (;;) {
    // The file changed outside and not every edit could be applied: the
    // window stays, showing what happened.
    const core::SyncReport report = syncSelecting(window_.state(entryList));
    if (!report.notices.empty()) return false;
    if (!editor_.hasUnsaved()) return true;
    lastSaveError_ = report.saveError ? report.saveError : report.readError;
    const std::wstring question = L"Wordhop could not save your last changes in\n" +
                                  runtime::fullPath(editor_.fileName()) + L"\n\n" + failureReason(lastSaveError_) +
                                  L"\n\nRetry to try again, or Cancel to close without saving them.";
    if (services_.ask(question, MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY) return true;
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
