// An owned BSTR: freed when the owner goes.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string_view>

#include "runtime/unique_resource.h"

namespace runtime {

using Bstr = UniqueResource<NullIsNone<BSTR, &SysFreeString>>;

// A copy of the text; empty (null) when there is no memory for it.
inline Bstr bstrOf(std::wstring_view text) {
  return Bstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

}  // namespace runtime
