// The floor under a search run: the same handovers to the same handler (the
// browser's start, then one address each), and nothing else: no file, no
// clipboard, no running-browser check.
// Usage: handover_floor <browser program> <address>...
#include <windows.h>

#include <shellapi.h>

#include "runtime/program_start.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  runtime::startProgram(argv[1], L"", L"");
  for (int i = 2; i < argc; ++i) runtime::startProgram(argv[i], L"", L"");
  LocalFree(argv);
  return 0;
}
