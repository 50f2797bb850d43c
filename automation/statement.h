// A parsed command string: the member chain with each member's arguments as
// VARIANTs, in the order IDispatch::Invoke expects (last argument first).
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "automation/command_tokens.h"
#include "runtime/bstr.h"
#include "runtime/variant.h"

namespace automation {

struct StatementMember {
  runtime::Bstr name;
  int argumentCount = 0;
  // Slot 20 (index 19) holds the first argument, slot 19 the second, and so on,
  // so &slots[kMaxArguments - argumentCount] is rgvarg.
  std::array<runtime::Variant, kMaxArguments> slots;

  VARIANT* arguments() { return argumentCount ? &slots[kMaxArguments - argumentCount] : nullptr; }
};

struct Statement {
  std::vector<std::unique_ptr<StatementMember>> members;
};

// 0 and the statement, or the failure's code (E_INVALIDARG for grammar errors,
// E_OUTOFMEMORY for a 21st argument, a conversion's own code).
[[nodiscard]] HRESULT prepareStatement(std::wstring_view command, std::unique_ptr<Statement>& statement);

}  // namespace automation
