// Changes the registry as a test does, then waits to be killed: what a test
// program killed at its time-out leaves behind.
#include <windows.h>

#include "tests/support/registry_changes.h"

int wmain() {
  testing_support::RegistryChanges registry;
  registry.setDefault(L"WordhopJournalTest.htm\\shell\\open\\command", L"recorder.exe \"%1\"");
  registry.setDefault(L".wordhopjournal", L"WordhopJournalTest.htm");
  Sleep(INFINITE);
  return 0;
}
