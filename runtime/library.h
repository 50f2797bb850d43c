// Functions looked up at run time, typed by their declarations.
#pragma once

#include <windows.h>

#include <type_traits>

#include "runtime/unique_resource.h"

namespace runtime {

// The named export of a module, or null. Call it through RUNTIME_EXPORT, never
// with a hand-written type: a function pointer whose calling convention differs
// from the export's corrupts the stack on 32-bit x86 without a word.
template <typename Function>
requires std::is_function_v<std::remove_pointer_t<Function>> Function exportOf(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The export named like a declared function, with the declaration's type:
// signature and calling convention come from the header. Nothing is imported.
#define RUNTIME_EXPORT(module, function) ::runtime::exportOf<decltype(&function)>((module), #function)

// A library loaded for the life of this object.
class Library {
 public:
  Library() = default;
  explicit Library(const wchar_t* name) : module_(LoadLibraryW(name)) {}
  explicit operator bool() const { return static_cast<bool>(module_); }
  HMODULE get() const { return module_.get(); }

 private:
  UniqueResource<LibraryPolicy> module_;
};

}  // namespace runtime
