#include "ui/settings_window.h"

#include <commctrl.h>

#include <algorithm>

#include "core/configuration.h"
#include "resources/resource_ids.h"
#include "runtime/process_environment.h"
#include "runtime/shell_command.h"
#include "runtime/text.h"
#include "runtime/window_number.h"
#include "ui/button_images.h"
#include "ui/focus_hook.h"
#include "ui/ide_tool_setup.h"
#include "ui/settings_layout.h"

namespace ui {
namespace {

core::Timing timingOfSpin(int spin) {
  return spin == browserStartSpin ? core::Timing::browserStart : core::Timing::tabDelay;
}

}  // namespace

SettingsWindow::SettingsWindow(SettingsState& state, std::wstring configFile, SettingsServices services)
    : state_(state),
      dpi_(state.dpi, window_),
      services_(std::move(services)),
      editor_(std::move(configFile)),
      texts_(state.language) {}

void SettingsWindow::createGadgets() {
  for (const BarGadget& bar : kBar) {
    switch (bar.kind) {
      case BarGadget::Kind::imageButton: {
        runtime::UniqueBitmap& image = images_[static_cast<std::size_t>(bar.image)];
        image = loadButtonImage(bar.image);
        dpi_.scaledImageButton(bar.gadget, bar.rect, image.get());
        break;
      }
      case BarGadget::Kind::label:
        dpi_.scaledTextLabel(bar.gadget, bar.rect, texts_(bar.text));
        break;
      case BarGadget::Kind::spin:
        dpi_.scaledSpinField(bar.gadget, bar.rect, 0, core::kLongestTiming);
        break;
    }
  }
  dpi_.scaledListView(entryList, kListRect, L"", kFieldGadgets[0].columnWidth);
  for (const FieldGadget& field : kFieldGadgets) {
    const core::EntryFieldTraits& traits = core::traitsOf(field.field);
    if (traits.column > 0) dpi_.scaledAddColumn(entryList, traits.column, texts_(field.columnTitle), field.columnWidth);
    if (traits.flag && traits.column > 0) window_.centreColumn(entryList, traits.column);
    if (!field.gadget) continue;
    if (traits.text) {
      dpi_.scaledTextLabel(field.label, field.labelRect, texts_(field.text));
      dpi_.scaledStringField(field.gadget, field.rect, L"");
    } else {
      dpi_.scaledCheckBox(field.gadget, field.rect, texts_(field.text));
    }
  }
}

void SettingsWindow::setToolTips() {
  for (const BarGadget& bar : kBar) {
    if (bar.kind == BarGadget::Kind::label) continue;
    window_.setToolTip(bar.gadget, texts_(bar.text));
    // What a screen reader reads: an image button's text (not drawn), or the
    // label made just before the gadget.
    if (bar.kind == BarGadget::Kind::imageButton) window_.setText(bar.gadget, texts_(bar.text));
  }
  window_.setText(entryList, texts_(TEXT_SEARCH_ENTRIES));
  for (const FieldGadget& field : kFieldGadgets)
    if (field.tip) window_.setToolTip(field.gadget, texts_(field.tip));
  HWND tips = window_.toolTipControl();
  SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, 410);
  SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 10000);
  SendMessageW(tips, TTM_SETDELAYTIME, TTDT_INITIAL, 850);
  SendMessageW(tips, TTM_ACTIVATE, TRUE, 0);
}

bool SettingsWindow::build() {
  // A handle the IDE passed may be stale by now: then the window has no owner.
  HWND ide = runtime::windowFromNumber(state_.ideMainWindow);
  const bool opened =
      dpi_.scaledOpenWindow(kSettingsWindow, {runtime::kDefaultCoordinate, runtime::kDefaultCoordinate, 480, 310},
                            {.className = L"WordhopSettings",
                             .iconResource = IDI_WORDHOP,
                             .title = kWindowTitle,
                             .style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                             .owner = IsWindow(ide) ? ide : nullptr});
  if (!opened) return false;
  createGadgets();
  dpi_.fitToMonitor(kSettingsWindow);
  addIdeMenuItem(window_.handle(), texts_(TEXT_ADD_TO_IDE));
  window_.setColors(infoField, GetSysColor(COLOR_INACTIVECAPTIONTEXT), GetSysColor(COLOR_BTNFACE));
  // The list's own keys (arrows, Space, Home, End) stay as they are.
  for (const ListKey& key : kListKeys) window_.addShortcut(entryList, key.key);
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
  for (const FieldGadget& field : kFieldGadgets) {
    if (!field.gadget || !core::traitsOf(field.field).text) continue;
    window_.setInputRule(field.gadget, {core::fieldInput, texts_(TEXT_SEPARATOR_TITLE), texts_(TEXT_SEPARATOR_TEXT)});
  }

  // Told once the window is shown, which then owns the message.
  firstRead_ = editor_.sync();
  fillFromEditor(EntryList::Fill::fromFile);
  if (!entries().empty()) list_.select(0);
  window_.postGadgetEvent(entryList, runtime::EventKind::change);
  window_.setCallback([this](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return seeMessage(message, wParam, lParam, result);
  });
  return true;
}

void SettingsWindow::show() {
  HWND handle = window_.handle();
  ShowWindow(handle, SW_SHOWNORMAL);
  UpdateWindow(handle);
  SetFocus(window_.gadget(entryList));
  notices_.showWhatFailed(firstRead_, editor_.fileName());
}

bool SettingsWindow::handleEvent(const runtime::Event& event) {
  if (event.type == runtime::Event::Type::closeWindow) return false;
  if (event.type == runtime::Event::Type::activated) {
    syncAndShow();
    return true;
  }
  const bool change = event.kind == runtime::EventKind::change;
  switch (event.gadget) {
    case entryList:
      for (const ListKey& key : kListKeys)
        if (event.kind == runtime::EventKind::shortcut && key.key == event.shortcut)
          handleEvent({runtime::Event::Type::gadget, key.button, runtime::EventKind::leftClick});
      if (change) {
        if (list_.takeTick()) syncAndShow();
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
      // A text field saves each change, a check box each click.
      if (const FieldGadget* field = fieldGadgetOf(event.gadget)) {
        const bool text = core::traitsOf(field->field).text != nullptr;
        if (text ? change : event.kind == runtime::EventKind::leftClick) editField(event.gadget);
      }
      break;
  }
  return true;
}

bool SettingsWindow::seeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_QUERYENDSESSION:
      if (editor_.hasUnsaved()) syncAndShow();
      result = notices_.allowEndSession(editor_.hasUnsaved()) ? TRUE : FALSE;
      return true;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != kAddToIdeCommand) return false;
      addToPureBasicIde(notices_);
      result = 0;
      return true;
    case WM_ENDSESSION:
      if (!wParam) notices_.withdrawShutdownReason();
      return false;
    case WM_NOTIFY:
      if (const auto tick = list_.tickOf(*reinterpret_cast<const NMHDR*>(lParam), entries().size()))
        if (editor_.record(*tick)) list_.holdTick();
      return false;  // the toolkit goes on and reports the change
    default:
      return false;
  }
}

const core::SearchEntry* SettingsWindow::selectedEntry() const {
  const int row = list_.selectedRow();
  if (row < 0 || row >= static_cast<int>(entries().size())) return nullptr;
  return &entries()[static_cast<std::size_t>(row)];
}

void SettingsWindow::setDetailGadgetsEnabled(bool enabled) {
  for (int button : kEntryButtons) window_.setEnabled(button, enabled);
  forEachFieldGadget(
      [&](const FieldGadget& field, const core::EntryFieldTraits&) { window_.setEnabled(field.gadget, enabled); });
}

void SettingsWindow::showDetails(const core::SearchEntry& entry) {
  forEachFieldGadget([&](const FieldGadget& field, const core::EntryFieldTraits& of) {
    if (of.flag) window_.setState(field.gadget, entry.*of.flag != 0);
    // A text that is already shown keeps its caret; a text shown anew (the
    // file's, after a merge) keeps it as far from the end as it was, so that
    // the next key lands where the user was typing.
    if (!of.text) return;
    const std::wstring& text = entry.*of.text;
    const std::wstring shown = window_.text(field.gadget);
    if (shown == text) return;
    const auto fromEnd = static_cast<int>(shown.size()) - window_.caret(field.gadget);
    window_.setText(field.gadget, text);
    window_.setCaret(field.gadget, std::max(0, static_cast<int>(text.size()) - fromEnd));
  });
}

void SettingsWindow::showSelectedEntry() {
  const runtime::RedrawSuspended held(window_.handle());
  if (const core::SearchEntry* selected = selectedEntry()) {
    showDetails(*selected);
    setDetailGadgetsEnabled(true);
  } else {
    setDetailGadgetsEnabled(false);
    showDetails({});
  }
}

int SettingsWindow::shownTiming(int spin) const {
  // A hand-edited file may hold any number: the field shows what it can take.
  return std::clamp(core::timingIn(editor_.shown(), timingOfSpin(spin)), 0, core::kLongestTiming);
}

void SettingsWindow::fillFromEditor(EntryList::Fill why) {
  // A number the user is typing stays as typed, with its caret.
  for (int spin : {browserStartSpin, tabDelaySpin}) {
    const int stored = shownTiming(spin);
    if (core::typedTiming(window_.text(spin)) != stored) window_.setText(spin, std::to_wstring(stored));
  }
  list_.fill(entries(), why);
}

core::SyncReport SettingsWindow::syncAndShow(int selectedRow) {
  core::SyncReport report = editor_.sync();
  showResult(report, selectedRow);
  return report;
}

void SettingsWindow::showResult(const core::SyncReport& report, int selectedRow) {
  if (report.reloaded) {
    // The entry shown in that row, where it now stands; nothing when it is gone.
    int now = -1;
    if (selectedRow >= 0 && static_cast<std::size_t>(selectedRow) < report.rowsNow.size())
      if (const auto row = report.rowsNow[static_cast<std::size_t>(selectedRow)]) now = static_cast<int>(*row);
    const runtime::RedrawSuspended held(window_.handle());
    fillFromEditor(EntryList::Fill::fromFile);
    list_.select(now);
    showSelectedEntry();
  }
  notices_.showWhatFailed(report, editor_.fileName());
  if (!editor_.hasUnsaved()) notices_.withdrawShutdownReason();
}

void SettingsWindow::editField(int gadget) {
  const core::EntryField field = fieldGadgetOf(gadget)->field;
  const core::EntryFieldTraits& traits = core::traitsOf(field);
  const core::SearchEntry* shown = selectedEntry();
  if (!shown) return;
  const int row = list_.selectedRow();
  const auto at = static_cast<std::size_t>(row);
  core::SearchEntry changed = *shown;
  core::SettingsEdit edit;
  if (traits.text) {
    const std::wstring typed = window_.text(gadget);
    int caret = 0;
    std::wstring text = core::storableText(typed, caret);
    // The caret only when the text must change: each message passes the field's subclass.
    if (typed != text) {
      caret = window_.caret(gadget);
      text = core::storableText(typed, caret);
      window_.setText(gadget, text);
      window_.setCaret(gadget, caret);
    }
    changed.*traits.text = text;
    edit = core::SetText{at, field, text};
  } else {
    changed.*traits.flag = window_.state(gadget);
    edit = core::SetFlag{at, field, changed.*traits.flag};
  }
  list_.showField(row, changed, field);
  if (auto report = editor_.apply(edit)) showResult(*report, row);
}

void SettingsWindow::editTiming(int spin) {
  // A field without a number stores nothing: it shows the stored value again when it is left.
  const std::wstring typed = window_.text(spin);
  const std::optional<int> value = core::typedTiming(typed);
  if (!value) return;
  // A number above the range is stored as the range allows, and shown so.
  const std::wstring stored = std::to_wstring(*value);
  if (*value == core::kLongestTiming && typed != stored) {
    window_.setText(spin, stored);
    window_.setCaret(spin, static_cast<int>(stored.size()));
  }
  if (auto report = editor_.apply(core::SetTiming{timingOfSpin(spin), *value}))
    showResult(*report, list_.selectedRow());
}

void SettingsWindow::addEntry() {
  {
    const runtime::RedrawSuspended held(window_.handle());
    showDetails({});
    setDetailGadgetsEnabled(true);
    list_.addEmptyRow();
  }
  window_.setFocus(urlField);
  if (auto report = editor_.apply(core::AddEntry{})) showResult(*report, list_.selectedRow());
}

void SettingsWindow::removeEntry() {
  if (!selectedEntry()) return;
  // The question names the entry as the file has it now.
  syncAndShow();
  if (!selectedEntry()) return;  // another program removed it: the window shows so
  const int row = list_.selectedRow();
  if (!notices_.confirmRemoval(row, window_.itemText(entryList, row, core::traitsOf(core::EntryField::sites).column)))
    return;
  if (!editor_.record(core::RemoveEntry{static_cast<std::size_t>(row)})) return;
  {
    const runtime::RedrawSuspended held(window_.handle());
    list_.removeRow(row);
    if (!syncAndShow(row - 1).reloaded) list_.select(row - 1);
  }
  window_.postGadgetEvent(entryList, runtime::EventKind::change);
}

void SettingsWindow::moveEntry(int step) {
  const int row = list_.selectedRow();
  const int target = row + step;
  if (!selectedEntry() || target < 0 || target >= static_cast<int>(entries().size())) return;
  const runtime::RedrawSuspended held(window_, entryList);
  if (!editor_.record(core::MoveEntry{static_cast<std::size_t>(row), step})) return;
  // A file changed outside is shown anew, the moved entry selected wherever
  // it now stands.
  if (syncAndShow(target).reloaded) return;
  list_.fill(entries(), EntryList::Fill::afterMove);
  list_.select(target);
}

void SettingsWindow::openConfigInEditor() {
  const runtime::ShellCommand editor = runtime::openCommandFor(L".txt");
  if (editor.program.empty()) return;
  std::wstring folder = runtime::currentDirectory();
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  // The editor's switches kept, the file where its "%1" stands (quoted: the
  // folder may contain spaces).
  services_.startProgram(editor.program,
                         runtime::argumentsFor(editor.arguments, folder + std::wstring(core::kConfigFileName)), folder);
}

void SettingsWindow::offerDonation() {
  if (notices_.confirmDonation(kDonationSite)) services_.startProgram(kDonationPage, L"", L"");
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
    const core::SyncReport report = syncAndShow();
    const auto closing = notices_.closing(report, editor_.hasUnsaved(), editor_.fileName());
    if (closing != SettingsNotices::Closing::retry) return closing == SettingsNotices::Closing::close;
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
