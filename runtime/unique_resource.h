// Owning wrappers for Win32 values: one policy per kind of value says what
// "none" is and how to free it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace runtime {

template <typename Policy>
class UniqueResource {
 public:
  using Value = typename Policy::Value;

  UniqueResource() = default;
  explicit UniqueResource(Value value) : value_(value) {}
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { reset(); }

  Value get() const { return value_; }
  explicit operator bool() const { return value_ != Policy::none(); }
  [[nodiscard]] Value release() { return std::exchange(value_, Policy::none()); }
  void reset(Value value = Policy::none()) {
    Value old = std::exchange(value_, value);
    if (old != Policy::none()) Policy::free(old);
  }
  // For out-parameters: frees the old value first.
  Value* put() {
    reset();
    return &value_;
  }

 private:
  Value value_ = Policy::none();
};

// Values whose "none" is null and which `Free` releases.
template <typename T, auto Free>
struct NullIsNone {
  using Value = T;
  static Value none() { return nullptr; }
  static void free(Value value) { Free(value); }
};

using HandlePolicy = NullIsNone<HANDLE, &CloseHandle>;
using LibraryPolicy = NullIsNone<HMODULE, &FreeLibrary>;
template <typename Gdi>
using GdiObjectPolicy = NullIsNone<Gdi, &DeleteObject>;
using ImageListPolicy = NullIsNone<HIMAGELIST, &ImageList_Destroy>;
using WindowPolicy = NullIsNone<HWND, &DestroyWindow>;

struct FileHandlePolicy {  // CreateFileW reports failure as INVALID_HANDLE_VALUE
  using Value = HANDLE;
  static Value none() { return INVALID_HANDLE_VALUE; }
  static void free(Value value) { CloseHandle(value); }
};

using UniqueHandle = UniqueResource<HandlePolicy>;
using UniqueFileHandle = UniqueResource<FileHandlePolicy>;
using UniqueBitmap = UniqueResource<GdiObjectPolicy<HBITMAP>>;
using UniqueFont = UniqueResource<GdiObjectPolicy<HFONT>>;
using UniqueWindow = UniqueResource<WindowPolicy>;

}  // namespace runtime
