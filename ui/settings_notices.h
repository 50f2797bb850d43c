// What the settings window tells and asks the user: a save's failure and the
// edits it could not apply (in balloons, which leave the keys in the field),
// the questions, and whether the window may close or the session end.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/settings_editor.h"
#include "runtime/file_io.h"
#include "runtime/gadget_window.h"
#include "ui/settings_services.h"

namespace ui {

class SettingsNotices {
 public:
  // Balloons point at the gadget the user is in, else at `defaultGadget`.
  SettingsNotices(runtime::GadgetWindow& window, const SettingsServices& services, int defaultGadget)
      : window_(window), services_(services), defaultGadget_(defaultGadget) {}

  // What a save could not do, in a balloon that takes no focus.
  void tell(const core::SyncReport& report, const std::wstring& fileName);
  bool confirmRemoval(int row, std::wstring_view sites) const;
  bool confirmDonation(std::wstring_view site) const;

  // Closing with edits not saved: the window stays when the last save applied
  // not every edit (the balloon says which); otherwise the user chooses
  // between trying again and closing without them.
  enum class Closing { close, stay, retry };
  Closing closing(const core::SyncReport& report, bool unsaved, const std::wstring& fileName) const;
  // Windows asks before a logoff or shutdown: edits that cannot be saved
  // block it, with the reason shown beside the window.
  bool allowEndSession(bool unsaved) const;
  // The session goes on after all.
  void endSessionCancelled() const;

 private:
  void tellFailure(runtime::SystemError error, bool reading, const std::wstring& fileName);
  void tellEdits(const std::vector<core::Notice>& notices);
  int balloonGadget() const;

  runtime::GadgetWindow& window_;
  const SettingsServices& services_;
  const int defaultGadget_;
};

}  // namespace ui
