#include "ui/settings_notices.h"

#include <cwctype>

#include "runtime/library.h"
#include "runtime/process_environment.h"
#include "runtime/program_start.h"
#include "runtime/system_message.h"

namespace ui {
namespace {

// The system's words for why a save failed, without line ends.
std::wstring failureReason(runtime::SystemError error) {
  std::wstring reason = runtime::systemMessage(error.code);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
    reason.pop_back();
  return reason.empty() ? L"System error " + std::to_wstring(error.code) + L"." : reason;
}

// What the user can do about a failure.
std::wstring adviceFor(runtime::SystemError error, bool reading, const std::wstring& file) {
  if (reading) {
    return L"Nothing is saved until Wordhop can read the file. It tries again when you come back to this window "
           L"and before each change.";
  }
  if (runtime::heldByAnotherProgram(error)) {
    return L"Another program holds the file. Your changes wait, and the next change saved after it lets go also "
           L"saves them.";
  }
  if (const DWORD attributes = GetFileAttributesW(file.c_str());
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return L"The file is read-only. Your changes wait: clear Read-only in the file's Properties, and the next "
           L"change saves them.";
  }
  const std::wstring localData = runtime::environmentVariable(L"LOCALAPPDATA");
  return L"The folder cannot be written to, so changes made in this window cannot be saved there. Copy "
         L"Wordhop.exe to a folder you can write to, for example\n" +
         (localData.empty() ? std::wstring(L"a folder in your user profile") : localData + L"\\Wordhop") +
         L"\nand start it from there.";
}

// What a notice calls the user's edit.
std::wstring editName(const core::Notice& notice) {
  using Edit = core::Notice::Edit;
  switch (notice.edit) {
    case Edit::field:
      if (const wchar_t* name = core::traitsOf(notice.field).name) return std::wstring(L"your change of ") + name;
      return L"your tick";
    case Edit::timing:
      return notice.timing == core::Timing::browserStart ? L"your change of Browser Start"
                                                         : L"your change of Tab Delay";
    case Edit::removal:
      return L"your removal";
    case Edit::move:
      break;
  }
  return L"your move";
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
  window_.showBalloon(balloonGadget(), reading ? L"Wordhop cannot read its settings" : L"Wordhop cannot save",
                      (reading ? L"Wordhop cannot read its settings in\n" : L"Wordhop cannot save its settings in\n") +
                          file + L"\n\n" + failureReason(error) + L"\n\n" + adviceFor(error, reading, file));
}

void SettingsNotices::tellEdits(const std::vector<core::Notice>& notices) {
  using Edit = core::Notice::Edit;
  std::wstring text;
  for (const core::Notice& notice : notices) {
    const std::wstring what = editName(notice);
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

bool SettingsNotices::confirmRemoval(int row, std::wstring_view sites) const {
  const std::wstring question = L"Delete entry #" + std::to_wstring(row + 1) + L" [ " + std::wstring(sites) + L" ]?";
  return services_.ask(question, MB_YESNO) == IDYES;
}

bool SettingsNotices::confirmDonation(std::wstring_view site) const {
  const std::wstring text = std::wstring(L"Thank you for any amount you feel comfortable donating to\n") +
                            L"keep the [ Wordhop ] project alive and running!\n\n" + L"Open a secure connection to " +
                            std::wstring(site) + L" for a donation?";
  return services_.ask(text, MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

void SettingsNotices::tellIdeTool(IdeTool what, const std::wstring& place, runtime::SystemError error) const {
  std::wstring text;
  switch (what) {
    case IdeTool::notFound:
      text = L"Wordhop did not find the PureBasic IDE: the folder of its settings,\n" + place +
             L"\ndoes not exist. Start the IDE once, or add Wordhop in its Tools \u2192 Configure Tools.";
      break;
    case IdeTool::alreadyThere:
      text = L"Wordhop is in the PureBasic IDE's Tools menu already:\n" + place;
      break;
    case IdeTool::ideRunning:
      text =
          L"Please close the PureBasic IDE first, then choose this again. While it runs, the IDE keeps its "
          L"tools in memory and would write over the change to\n" +
          place;
      break;
    case IdeTool::unreadable:
      text = L"Wordhop cannot read\n" + place + L"\n\n" + failureReason(error);
      break;
    case IdeTool::unwritable:
      text = L"Wordhop cannot change\n" + place + L"\n\n" + failureReason(error) + L"\n\nNothing was changed.";
      break;
    case IdeTool::added:
      text =
          L"Wordhop is added to the PureBasic IDE's tools. The IDE shows it in its Tools menu after its next "
          L"start; a shortcut for it is set in Tools \u2192 Configure Tools.";
      break;
  }
  const bool failed = what == IdeTool::unreadable || what == IdeTool::unwritable;
  services_.ask(text, MB_OK | (failed ? MB_ICONWARNING : MB_ICONINFORMATION));
}

bool SettingsNotices::confirmIdeTool(const std::wstring& toolList) const {
  return services_.ask(
             L"Add Wordhop to the PureBasic IDE's Tools menu?\n\nWordhop adds itself as a tool to\n" + toolList,
             MB_YESNO | MB_ICONQUESTION) == IDYES;
}

SettingsNotices::Closing SettingsNotices::closing(const core::SyncReport& report, bool unsaved,
                                                  const std::wstring& fileName) const {
  if (!report.notices.empty()) return Closing::stay;
  if (!unsaved) return Closing::close;
  const runtime::SystemError error = report.saveError ? report.saveError : report.readError;
  const std::wstring question = L"Wordhop could not save your last changes in\n" + runtime::fullPath(fileName) +
                                L"\n\n" + failureReason(error) +
                                L"\n\nRetry to try again, or Cancel to close without saving them.";
  return services_.ask(question, MB_RETRYCANCEL | MB_ICONWARNING) == IDRETRY ? Closing::retry : Closing::close;
}

bool SettingsNotices::allowEndSession(bool unsaved) const {
  if (!unsaved) return true;
  if (const auto create = RUNTIME_EXPORT(GetModuleHandleW(L"user32.dll"), ShutdownBlockReasonCreate))
    create(window_.handle(), L"Wordhop could not save your last changes in Wordhop.ini.");
  return false;
}

void SettingsNotices::endSessionCancelled() const {
  if (const auto destroy = RUNTIME_EXPORT(GetModuleHandleW(L"user32.dll"), ShutdownBlockReasonDestroy))
    destroy(window_.handle());
}

}  // namespace ui
