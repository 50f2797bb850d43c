#include "ui/settings_window.h"

#include <commctrl.h>

#include "core/configuration.h"
#include "ui/button_images.h"

namespace ui {
namespace {

constexpr int kDetailGadgets[] = {removeButton, moveUpButton, moveDownButton, contentCheck, sortByDateCheck,
                                  firstMatchCheck, urlField, filterField, infoField};

// Suspends drawing of a window for the life of the guard.
class DrawingSuspended {
 public:
  explicit DrawingSuspended(HWND window) { LockWindowUpdate(window); }
  ~DrawingSuspended() { LockWindowUpdate(nullptr); }
  DrawingSuspended(const DrawingSuspended&) = delete;
  DrawingSuspended& operator=(const DrawingSuspended&) = delete;
};

}  // namespace

std::wstring rowText(const core::SearchEntry& entry) {
  return L"\n" + entry.sites + L"\n" + (entry.content ? L"PB" : L"API") + L"\n" +
         (entry.sortByDate ? L"Date" : L"Relevance") + L"\n" + (entry.firstMatch ? L"Yes" : L"No") + L"\n" +
         entry.filter + L"\n" + entry.info;
}

void fillEntryRows(runtime::GadgetWindow& window, const std::vector<core::SearchEntry>& entries) {
  for (const core::SearchEntry& entry : entries) {
    window.addItem(entryList, rowText(entry));
    if (entry.enabled) window.setItemChecked(entryList, window.itemCount(entryList) - 1, true);
  }
}

SettingsWindow::SettingsWindow(core::ToolState& state, std::wstring configFile)
    : state_(state), configFile_(std::move(configFile)), dpi_(state, window_) {}

void SettingsWindow::createGadgets() {
  auto& d = dpi_;
  images_[0] = catchButtonImage(0);
  d.scaledImageButton(addButton, 5, 5, 35, 26, images_[0].get());
  images_[1] = catchButtonImage(1);
  d.scaledImageButton(removeButton, 45, 5, 35, 26, images_[1].get());
  images_[2] = catchButtonImage(2);
  d.scaledImageButton(moveUpButton, 85, 5, 35, 26, images_[2].get());
  images_[3] = catchButtonImage(3);
  d.scaledImageButton(moveDownButton, 125, 5, 35, 26, images_[3].get());

  d.scaledTextLabel(browserStartLabel, 163, 9, 74, 19, L"Browser Start:");
  d.scaledSpinField(browserStartSpin, 238, 9, 48, 19, 0, 9999);
  d.scaledTextLabel(tabDelayLabel, 291, 9, 54, 19, L"Tab Delay:");
  d.scaledSpinField(tabDelaySpin, 346, 9, 48, 19, 0, 9999);

  images_[4] = catchButtonImage(4);
  d.scaledImageButton(openIniButton, 400, 5, 35, 26, images_[4].get());
  images_[5] = catchButtonImage(5);
  d.scaledImageButton(donateButton, 440, 5, 35, 26, images_[5].get());

  d.scaledListView(entryList, 5, 35, 470, 198, L"", 20);
  d.scaledAddColumn(entryList, 1, L"URL", 239);
  d.scaledAddColumn(entryList, 2, L"Content", 50);
  d.scaledAddColumn(entryList, 3, L"Sort by", 72);
  d.scaledAddColumn(entryList, 4, L"First Match", 68);
  d.scaledAddColumn(entryList, 5, L"Filter", 0);
  d.scaledAddColumn(entryList, 6, L"Info", 0);

  d.scaledTextLabel(urlLabel, 0, 238, 29, 19, L"URL:");
  d.scaledStringField(urlField, 30, 238, 249, 19, L"");
  d.scaledCheckBox(contentCheck, 284, 238, 33, 19, L"PB");
  d.scaledCheckBox(sortByDateCheck, 322, 238, 78, 19, L"Sort by Date");
  d.scaledCheckBox(firstMatchCheck, 405, 238, 71, 19, L"First Match");
  d.scaledTextLabel(filterLabel, 0, 262, 29, 19, L"Filter:");
  d.scaledStringField(filterField, 30, 262, 445, 19, L"");
  d.scaledTextLabel(infoLabel, 0, 286, 29, 19, L"Info:");
  d.scaledStringField(infoField, 30, 286, 445, 19, L"");
}

void SettingsWindow::setToolTips() {
  window_.setToolTip(addButton, L"Add");
  window_.setToolTip(removeButton, L"Remove");
  window_.setToolTip(moveUpButton, L"Move up");
  window_.setToolTip(moveDownButton, L"Move down");
  window_.setToolTip(browserStartSpin, L"Approximate time (ms) your web browser needs to start");
  window_.setToolTip(tabDelaySpin, L"Delay (ms) between opening a tab");
  window_.setToolTip(openIniButton, L"Open Wordhop.ini");
  window_.setToolTip(donateButton, L"Make a donation via PayPal");
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
  const bool opened = dpi_.scaledOpenWindow(kSettingsWindow, runtime::kIgnore, runtime::kIgnore, 480, 310,
                                            kWindowTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  if (!opened) return false;
  createGadgets();
  SetWindowLongW(window_.handle(), GWL_HWNDPARENT, static_cast<LONG>(state_.ideMainWindow));

  for (int column = 2; column <= 4; ++column) {
    LVCOLUMNW centred{};
    centred.mask = LVCF_FMT;
    centred.fmt = LVCFMT_CENTER;
    SendMessageW(window_.gadget(entryList), LVM_SETCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&centred));
  }
  window_.setColors(infoField, GetSysColor(COLOR_INACTIVECAPTIONTEXT), GetSysColor(COLOR_BTNFACE));
  setToolTips();

  const core::LoadedSettings timings = core::loadAllEntries(configFile_, state_.entries);
  window_.setState(browserStartSpin, timings.browserStart);
  window_.setState(tabDelaySpin, timings.tabDelay);
  fillEntryRows(window_, state_.entries);
  if (!state_.entries.empty()) window_.setState(entryList, 0);
  window_.postGadgetEvent(entryList, runtime::EventKind::change);
  return true;
}

void SettingsWindow::show() {
  HWND handle = window_.handle();
  ShowWindow(handle, SW_SHOWNORMAL);
  UpdateWindow(handle);
  SetFocus(window_.gadget(entryList));
}

void SettingsWindow::setDetailGadgetsEnabled(bool enabled) {
  for (int gadget : kDetailGadgets) window_.setEnabled(gadget, enabled);
}

void SettingsWindow::showSelectedEntry() {
  const int row = window_.state(entryList);
  DrawingSuspended suspended(window_.handle());
  if (row >= 0 && row < static_cast<int>(state_.entries.size())) {
    const core::SearchEntry& entry = state_.entries[static_cast<std::size_t>(row)];
    window_.setState(contentCheck, entry.content != 0);
    window_.setState(sortByDateCheck, entry.sortByDate != 0);
    window_.setState(firstMatchCheck, entry.firstMatch != 0);
    window_.setText(urlField, entry.sites);
    window_.setText(filterField, entry.filter);
    window_.setText(infoField, entry.info);
    setDetailGadgetsEnabled(true);
  } else {
    setDetailGadgetsEnabled(false);
    for (int check : {contentCheck, sortByDateCheck, firstMatchCheck}) window_.setState(check, 0);
    for (int field : {urlField, filterField, infoField}) window_.setText(field, L"");
  }
}

bool SettingsWindow::handleEvent(const runtime::Event& event) {
  if (event.type == runtime::Event::Type::closeWindow) return false;
  if (event.gadget == entryList && event.kind == runtime::EventKind::change) showSelectedEntry();
  return true;
}

void SettingsWindow::runEventLoop() {
  while (handleEvent(window_.waitEvent())) {
  }
}

void runSettingsWindow(core::ToolState& state, const std::wstring& configFile) {
  SettingsWindow settings(state, configFile);
  // A window that cannot be opened ends the tool instead of waiting forever.
  if (!settings.build()) return;
  settings.show();
  settings.runEventLoop();
}

}  // namespace ui
