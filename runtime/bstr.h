// An owned BSTR: freed when the owner goes.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string_view>
#include <utility>

namespace runtime {

class Bstr {
 public:
  Bstr() = default;
  // A copy of the text; empty (null) when there is no memory for it.
  explicit Bstr(std::wstring_view text) : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  // Takes over a BSTR the caller owns.
  static Bstr adopt(BSTR value) {
    Bstr owner;
    owner.value_ = value;
    return owner;
  }
  Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    if (this != &other) {
      SysFreeString(value_);
      value_ = std::exchange(other.value_, nullptr);
    }
    return *this;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(value_); }

  BSTR get() const { return value_; }
  explicit operator bool() const { return value_ != nullptr; }
  // For out-parameters: frees the old text first.
  BSTR* put() {
    SysFreeString(std::exchange(value_, nullptr));
    return &value_;
  }

 private:
  BSTR value_ = nullptr;
};

}  // namespace runtime
