// comctl32's window subclassing, looked up at run time: systems before XP
// lack it, and there each function is null.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "runtime/library.h"

namespace runtime {

struct SubclassFunctions {
  decltype(&SetWindowSubclass) setWindowSubclass = nullptr;
  decltype(&RemoveWindowSubclass) removeWindowSubclass = nullptr;
  decltype(&DefSubclassProc) defSubclassProc = nullptr;
  bool complete() const { return setWindowSubclass && removeWindowSubclass && defSubclassProc; }
};

// Those of a comctl32 that stays loaded while they are used.
inline SubclassFunctions subclassFunctionsOf(HMODULE comctl32) {
  return {RUNTIME_EXPORT(comctl32, SetWindowSubclass), RUNTIME_EXPORT(comctl32, RemoveWindowSubclass),
          RUNTIME_EXPORT(comctl32, DefSubclassProc)};
}

}  // namespace runtime
