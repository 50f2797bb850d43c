// Every function looked up at run time is looked up here, typed by its
// declaration where it is called.
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

// The named export of a module of this process, the module loaded when it is
// not yet (it then stays loaded: the caller may keep the address); null when
// either is missing.
inline void* lookupFunction(const wchar_t* moduleName, const char* functionName) {
  HMODULE module = GetModuleHandleW(moduleName);
  if (!module) module = LoadLibraryW(moduleName);
  return module ? reinterpret_cast<void*>(GetProcAddress(module, functionName)) : nullptr;
}

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
