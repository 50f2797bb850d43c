// An owned VARIANT: cleared when the owner goes. It is a VARIANT, so it passes
// wherever one is expected (an argument array, a result).
#pragma once

#include <windows.h>

#include <oleauto.h>

namespace runtime {

class Variant : public VARIANT {
 public:
  Variant() { VariantInit(this); }
  ~Variant() { VariantClear(this); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  // For out-parameters: clears the old value first.
  VARIANT* put() {
    VariantClear(this);
    return this;
  }
  // Hands the value, with any reference or text it holds, to the caller.
  [[nodiscard]] VARIANT release() {
    const VARIANT value = *this;
    VariantInit(this);
    return value;
  }
};

// Arrays of Variant are handed out as arrays of VARIANT.
static_assert(sizeof(Variant) == sizeof(VARIANT));

}  // namespace runtime
