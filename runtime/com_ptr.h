// An owned COM interface reference: released when the owner goes.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace runtime {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes over a reference the caller owns.
  static ComPtr adopt(T* raw) {
    ComPtr owner;
    owner.raw_ = raw;
    return owner;
  }
  // Adds a reference of its own to one the caller keeps.
  static ComPtr retain(T* raw) {
    if (raw) raw->AddRef();
    return adopt(raw);
  }
  ComPtr(const ComPtr& other) : raw_(other.raw_) {
    if (raw_) raw_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : raw_(std::exchange(other.raw_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(raw_, other.raw_);
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const { return raw_; }
  T* operator->() const { return raw_; }
  explicit operator bool() const { return raw_ != nullptr; }
  void reset() {
    if (T* old = std::exchange(raw_, nullptr)) old->Release();
  }
  // Hands the reference to the caller, who releases it.
  [[nodiscard]] T* detach() { return std::exchange(raw_, nullptr); }
  // For out-parameters: releases the old reference first.
  T** put() {
    reset();
    return &raw_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  // The same object's interface U, or the reason it has none.
  template <typename U>
  [[nodiscard]] HRESULT query(ComPtr<U>& result) const {
    if (!raw_) return E_POINTER;
    return raw_->QueryInterface(__uuidof(U), result.putVoid());
  }

 private:
  T* raw_ = nullptr;
};

}  // namespace runtime
