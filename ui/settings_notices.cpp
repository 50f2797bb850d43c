#include "ui/settings_notices.h"

#include <cwctype>

#include "runtime/library.h"
#include "runtime/process_environment.h"
#include "runtime/program_start.h"
#include "runtime/system_message.h"
#include "ui/settings_layout.h"

namespace ui {
namespace {

// The system's words for why a save failed, without line ends.
std::wstring failureReason(runtime::SystemError error, const Texts& texts) {
  std::wstring reason = runtime::systemMessage(error.code);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
    reason.pop_back();
  return reason.empty() ? texts(TEXT_SYSTEM_ERROR, {std::to_wstring(error.code)}) : reason;
}

// What the user can do about a failure.
std::wstring adviceFor(runtime::SystemError error, bool reading, const std::wstring& file, const Texts& texts) {
  if (reading) return texts(TEXT_UNREADABLE_ADVICE);
  if (runtime::heldByAnotherProgram(error)) return texts(TEXT_HELD_ADVICE);
  if (const DWORD attributes = GetFileAttributesW(file.c_str());
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return texts(TEXT_READ_ONLY_ADVICE);
  const std::wstring localData = runtime::environmentVariable(L"LOCALAPPDATA");
  return texts(TEXT_FOLDER_ADVICE, {localData.empty() ? texts(TEXT_USER_PROFILE_FOLDER) : localData + L"\\Wordhop"});
}

// What a notice calls the user's edit.
std::wstring editName(const core::Notice& notice, const Texts& texts) {
  using Edit = core::Notice::Edit;
  switch (notice.edit) {
    case Edit::field:
      if (const int name = fieldGadgetFor(notice.field).name()) return texts(TEXT_YOUR_CHANGE_OF, {texts(name)});
      return texts(TEXT_YOUR_TICK);
    case Edit::timing:
      return texts(TEXT_YOUR_CHANGE_OF, {texts(notice.timing == core::Timing::browserStart ? TEXT_BROWSER_START_NAME
                                                                                           : TEXT_TAB_DELAY_NAME)});
    case Edit::removal:
      return texts(TEXT_YOUR_REMOVAL);
    case Edit::move:
      break;
  }
  return texts(TEXT_YOUR_MOVE);
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

void SettingsNotices::showWhatFailed(const core::SyncReport& report, const std::wstring& fileName) {
  if (report.readError || report.saveError)
    tellFailure(report.readError ? report.readError : report.saveError, report.readError != 0, fileName);
  if (!report.notices.empty()) tellEdits(report.notices);
}

int SettingsNotices::balloonGadget() const {
  const HWND focus = GetFocus();
  for (int gadget : window_.gadgetNumbers())
    if (focus && (window_.gadget(gadget) == focus || IsChild(window_.gadget(gadget), focus))) return gadget;
  return defaultGadget_;
}

void SettingsNotices::tellFailure(runtime::SystemError error, bool reading, const std::wstring& fileName) {
  const std::wstring file = runtime::fullPath(fileName);
  // A balloon: the user's next keys stay in the field, and wait with the rest.
  // Each key hides it and each failed save shows it again, so that it stays
  // while the user types.
  window_.showBalloon(balloonGadget(), texts_(reading ? TEXT_CANNOT_READ_TITLE : TEXT_CANNOT_SAVE_TITLE),
                      texts_(reading ? TEXT_CANNOT_READ : TEXT_CANNOT_SAVE,
                             {file, failureReason(error, texts_), adviceFor(error, reading, file, texts_)}));
}

void SettingsNotices::tellEdits(const std::vector<core::Notice>& notices) {
  using Edit = core::Notice::Edit;
  std::wstring text;
  for (const core::Notice& notice : notices) {
    const std::wstring what = editName(notice, texts_);
    int sentence = TEXT_REMOVED_NOT_APPLIED;
    if (notice.reason == core::Notice::Reason::changedOutside)
      sentence = notice.edit == Edit::removal ? TEXT_CHANGED_KEPT_ENTRY : TEXT_CHANGED_KEPT_IT;
    else if (notice.edit == Edit::field)
      sentence = TEXT_REMOVED_KEPT;
    std::wstring line = texts_(sentence, {what});
    if (notice.row) line = texts_(TEXT_ENTRY_NUMBER, {std::to_wstring(*notice.row + 1), line});
    line[0] = static_cast<wchar_t>(std::towupper(line[0]));
    text += (text.empty() ? L"" : L"\n") + line;
  }
  // A balloon: the user goes on typing where the focus is.
  window_.showBalloon(balloonGadget(), texts_(TEXT_CHANGED_OUTSIDE_TITLE), text);
}

bool SettingsNotices::confirmRemoval(int row, std::wstring_view sites) const {
  return services_.ask(texts_(TEXT_DELETE_ENTRY, {std::to_wstring(row + 1), sites}), MB_YESNO) == IDYES;
}

bool SettingsNotices::confirmDonation(std::wstring_view site) const {
  return services_.ask(texts_(TEXT_DONATION, {site}), MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

void SettingsNotices::tellIdeTool(IdeTool what, const std::wstring& place, runtime::SystemError error) const {
  // In the order of IdeTool.
  constexpr int kTexts[] = {TEXT_IDE_NOT_FOUND,  TEXT_IDE_ALREADY,    TEXT_IDE_RUNNING,
                            TEXT_IDE_UNREADABLE, TEXT_IDE_UNWRITABLE, TEXT_IDE_ADDED};
  const int text = kTexts[static_cast<std::size_t>(what)];
  const bool failed = what == IdeTool::unreadable || what == IdeTool::unwritable;
  services_.ask(texts_(text, {place, failed ? failureReason(error, texts_) : L""}),
                MB_OK | (failed ? MB_ICONWARNING : MB_ICONINFORMATION));
}

bool SettingsNotices::confirmIdeTool(const std::wstring& toolList) const {
  return services_.ask(texts_(TEXT_IDE_CONFIRM, {toolList}), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

SettingsNotices::Closing SettingsNotices::closing(const core::SyncReport& report, bool unsaved,
                                                  const std::wstring& fileName) const {
  if (!report.notices.empty()) return Closing::stay;
  if (!unsaved) return Closing::close;
  const runtime::SystemError error = report.saveError ? report.saveError : report.readError;
  const std::wstring question =
      texts_(TEXT_CLOSE_QUESTION, {runtime::fullPath(fileName), failureReason(error, texts_)});
  return services_.ask(question, MB_RETRYCANCEL | MB_ICONWARNING) == IDRETRY ? Closing::retry : Closing::close;
}

bool SettingsNotices::allowEndSession(bool unsaved) {
  if (!unsaved) return true;
  if (const auto create = RUNTIME_EXPORT(GetModuleHandleW(L"user32.dll"), ShutdownBlockReasonCreate))
    blockingShutdown_ = create(window_.handle(), texts_(TEXT_SHUTDOWN_REASON).c_str()) != FALSE;
  return false;
}

void SettingsNotices::withdrawShutdownReason() {
  if (!blockingShutdown_) return;
  blockingShutdown_ = false;
  if (const auto destroy = RUNTIME_EXPORT(GetModuleHandleW(L"user32.dll"), ShutdownBlockReasonDestroy))
    destroy(window_.handle());
}

}  // namespace ui
