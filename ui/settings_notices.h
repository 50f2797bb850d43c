// What the settings window tells and asks the user: a save's failure and the
// edits it could not apply (in balloons, which leave the keys in the field),
// the questions, and whether the window may close or the session end.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/search_entry.h"
#include "core/settings_editor.h"
#include "resources/version.h"
#include "runtime/file_io.h"
#include "runtime/gadget_window.h"
#include "ui/texts.h"

namespace ui {

inline constexpr wchar_t kWindowTitle[] = L"Wordhop v" WORDHOP_VERSION_TEXT;

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

class SettingsNotices {
 public:
  // Balloons point at the gadget the user is in, else at `defaultGadget`.
  SettingsNotices(runtime::GadgetWindow& window, const SettingsServices& services, const Texts& texts,
                  int defaultGadget)
      : window_(window), services_(services), texts_(texts), defaultGadget_(defaultGadget) {}

  // What a save could not do, in a balloon that takes no focus.
  void showWhatFailed(const core::SyncReport& report, const std::wstring& fileName);
  bool confirmRemoval(int row, std::wstring_view sites) const;
  bool confirmDonation(std::wstring_view site) const;
  // "Add to the PureBasic IDE...": what it found or did at `place` (the IDE's
  // settings folder or its tool list), and the one question it asks.
  enum class IdeTool { notFound, alreadyThere, ideRunning, unreadable, unwritable, added };
  void tellIdeTool(IdeTool what, const std::wstring& place, runtime::SystemError error = 0) const;
  bool confirmIdeTool(const std::wstring& toolList) const;

  // Closing with edits not saved: the window stays when the last save applied
  // not every edit (the balloon says which); otherwise the user chooses
  // between trying again and closing without them.
  enum class Closing { close, stay, retry };
  Closing closing(const core::SyncReport& report, bool unsaved, const std::wstring& fileName) const;
  // Windows asks before a logoff or shutdown: edits that cannot be saved
  // block it, with the reason shown beside the window.
  bool allowEndSession(bool unsaved);
  // The reason is withdrawn when nothing waits any more, or when the session
  // goes on after all.
  void withdrawShutdownReason();

 private:
  void tellFailure(runtime::SystemError error, bool reading, const std::wstring& fileName);
  void tellEdits(const std::vector<core::Notice>& notices);
  int balloonGadget() const;

  runtime::GadgetWindow& window_;
  const SettingsServices& services_;
  const Texts& texts_;
  const int defaultGadget_;
  bool blockingShutdown_ = false;
};

}  // namespace ui
