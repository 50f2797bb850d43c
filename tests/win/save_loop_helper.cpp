// Saves the given configuration file over and over, alternating two contents,
// until it is killed. The torn-file test kills it at random moments.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "core/preference_file.h"
#include "tests/win/save_loop_contents.h"

// A GUI program: a console one would leave a console host behind each kill.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  for (unsigned round = 0;; ++round) {
    core::PreferenceFile file;
    file.open(argv[1]);
    file.selectGroup(L"Entries");
    file.writeString(L"1", saveLoopValue(round % 2));
    static_cast<void>(file.close());  // a failed save is simply tried again
  }
}
