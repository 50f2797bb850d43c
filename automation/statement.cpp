#include "automation/statement.h"

#include <cstdint>

#include "automation/vimbra_object.h"
#include "runtime/com_ptr.h"

namespace automation {
namespace {

enum class State { start, afterName, afterOpen, afterValue, afterClose };

bool isInteger(VARTYPE type) { return type == VT_I1 || type == VT_I2 || type == VT_I4 || type == VT_I8; }

std::intptr_t integerOf(const VARIANT& slot) {
  switch (slot.vt) {
    case VT_I1:
      return slot.cVal;
    case VT_I2:
      return slot.iVal;
    case VT_I4:
      return slot.lVal;
    default:
      return static_cast<std::intptr_t>(slot.llVal);
  }
}

// Parses the value at tokens[index] (and the "byref" / "as type" words after
// it) into the member's next slot; `index` moves to the last token used.
[[nodiscard]] HRESULT parseValue(const std::vector<std::wstring>& tokens, std::size_t& index, StatementMember& member) {
  if (member.argumentCount >= kMaxArguments) return E_OUTOFMEMORY;
  runtime::Variant& slot = member.slots[static_cast<std::size_t>(kMaxArguments - 1 - member.argumentCount)];
  std::wstring token = tokens[index];
  std::wstring lower = lowerCase(token);
  if (lower == L"#nullstring") token.clear();
  slot.vt = VT_BSTR;
  std::wstring text;
  if (token.empty() || token.front() == L'\'') {
    text = token.size() >= 2 ? token.substr(1, token.size() - 2) : std::wstring();
    if (!text.empty()) text = decodeEscapes(text);
  } else if (lower == L"#false" || lower == L"#true") {
    slot.vt = VT_BOOL;
    slot.boolVal = lower == L"#true" ? VARIANT_TRUE : VARIANT_FALSE;
  } else if (lower == L"#empty" || lower == L"#optional" || lower == L"#opt") {
    slot.vt = VT_ERROR;
    slot.scode = DISP_E_PARAMNOTFOUND;
  } else if (lower == L"#void") {
    slot.vt = VT_I4;
    slot.lVal = 0;
  } else if (auto number = parseNumber(token)) {
    if (number->real) {
      slot.vt = VT_R8;
      slot.dblVal = number->realValue;
    } else {
      slot.vt = integerTypeFor(number->integer);
      slot.llVal = 0;
      switch (slot.vt) {
        case VT_I1:
          slot.cVal = static_cast<CHAR>(number->integer);
          break;
        case VT_I2:
          slot.iVal = static_cast<SHORT>(number->integer);
          break;
        case VT_I4:
          slot.lVal = static_cast<LONG>(number->integer);
          break;
        default:
          slot.llVal = number->integer;
          break;
      }
    }
  } else {
    slot.vt = VT_EMPTY;
    return E_INVALIDARG;
  }
  if (slot.vt == VT_BSTR) {
    slot.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!slot.bstrVal) {
      slot.vt = VT_EMPTY;
      return E_OUTOFMEMORY;
    }
  }
  ++member.argumentCount;  // the slot is filled: freeing the member clears it

  bool byReference = false;
  auto takeByRef = [&] {
    if (index + 1 < tokens.size() && lowerCase(tokens[index + 1]) == L"byref") byReference = true, ++index;
  };
  takeByRef();
  VARTYPE target = slot.vt;
  bool vimbraObject = false;
  if (index + 2 < tokens.size() && lowerCase(tokens[index + 1]) == L"as") {
    const std::wstring name = lowerCase(tokens[index + 2]);
    auto named = typeNamed(name);
    if (!named) return E_INVALIDARG;
    target = *named;
    vimbraObject = name == L"vimbraobject";
    index += 2;
  }
  takeByRef();

  if (byReference) {
    if (!isInteger(slot.vt)) return E_INVALIDARG;
    const std::intptr_t address = integerOf(slot);
    slot.vt = static_cast<VARTYPE>(target | VT_BYREF);
    slot.byref = reinterpret_cast<void*>(address);
    return S_OK;
  }
  if (target == VT_DISPATCH || target == VT_UNKNOWN) {
    if (!isInteger(slot.vt)) return E_INVALIDARG;
    const std::intptr_t address = integerOf(slot);
    IUnknown* object = nullptr;
    if (target == VT_DISPATCH && vimbraObject) {
      if (address == 0) return E_POINTER;  // no object to take the reference of
      object = reinterpret_cast<VimbraObject*>(address)->dispatch();
    } else {
      object = reinterpret_cast<IUnknown*>(address);
    }
    slot.vt = target;
    slot.punkVal = runtime::ComPtr<IUnknown>::retain(object).detach();  // the slot's own reference
    return S_OK;
  }
  if (target == VT_VARIANT) {
    if (!isInteger(slot.vt)) return E_INVALIDARG;
    const std::intptr_t address = integerOf(slot);
    if (address == 0) {
      slot.vt = VT_I4;
      slot.lVal = 0;
      return S_OK;
    }
    slot.vt = VT_EMPTY;
    return VariantCopy(&slot, reinterpret_cast<VARIANT*>(address));
  }
  if (target != slot.vt) return VariantChangeType(&slot, &slot, VARIANT_LOCALBOOL, target);
  return S_OK;
}

[[nodiscard]] HRESULT parseMember(const MemberTokens& tokens, StatementMember& member) {
  State state = State::start;
  bool inside = false;
  const std::vector<std::wstring>& list = tokens.tokens;
  for (std::size_t index = 0; index < list.size(); ++index) {
    const std::wstring& token = list[index];
    if (token == L"(" && index == 1) {
      state = State::afterOpen;
      inside = true;
    } else if (token == L")" && (state == State::afterOpen || state == State::afterValue)) {
      state = State::afterClose;
      inside = false;
    } else if (token == L"=" && (state == State::afterClose || state == State::afterName)) {
      state = State::start;
    } else if (token == L"," && state == State::afterValue && inside) {
      state = State::start;
    } else if (index == 0 && token != L"(" && token != L")" && token != L"=" && token != L",") {
      member.name = runtime::bstrOf(token);
      if (!member.name) return E_OUTOFMEMORY;
      state = State::afterName;
    } else if (token != L"(" && token != L")" && token != L"=" && token != L"," &&
               (state == State::start || state == State::afterOpen)) {
      if (HRESULT code = parseValue(list, index, member); FAILED(code)) return code;
      state = State::afterValue;
    } else {
      return E_INVALIDARG;
    }
  }
  return S_OK;
}

}  // namespace

HRESULT prepareStatement(std::wstring_view command, std::unique_ptr<Statement>& statement) {
  statement.reset();
  if (command.empty()) return E_INVALIDARG;
  auto members = tokenize(command);
  if (!members) return E_INVALIDARG;
  auto made = std::make_unique<Statement>();
  for (const MemberTokens& tokens : *members) {
    made->members.push_back(std::make_unique<StatementMember>());
    if (HRESULT code = parseMember(tokens, *made->members.back()); FAILED(code)) return code;
  }
  statement = std::move(made);
  return S_OK;
}

}  // namespace automation
