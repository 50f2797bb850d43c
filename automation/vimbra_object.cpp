#include "automation/vimbra_object.h"

#include <objbase.h>

#include "automation/error_record.h"
#include "automation/statement.h"
#include "runtime/bstr.h"
#include "runtime/variant.h"

namespace automation {
namespace {

using runtime::ComPtr;
using runtime::Variant;

// The number of live objects of the whole layer, which the tool uses from its
// one thread (a plain count); its return to 0 frees the error records.
int liveObjects = 0;

constexpr WORD kGetFlags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

// Frees an EXCEPINFO's texts and records the exception with its description.
void recordException(EXCEPINFO& exception) {
  if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
  const runtime::Bstr source(exception.bstrSource);
  const runtime::Bstr description(exception.bstrDescription);
  const runtime::Bstr helpFile(exception.bstrHelpFile);
  recordResult(DISP_E_EXCEPTION, true, description ? description.get() : L"");
}

[[nodiscard]] HRESULT invokeMember(IDispatch* dispatch, StatementMember& member, WORD flags, VARIANT* result) {
  DISPID id = 0;
  BSTR name = member.name.get();
  HRESULT code = dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(code)) return code;
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{member.arguments(), nullptr, static_cast<UINT>(member.argumentCount), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    parameters.rgdispidNamedArgs = &putId;
    parameters.cNamedArgs = 1;
  }
  EXCEPINFO exception{};
  UINT argumentError = 0;
  code = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result, &exception, &argumentError);
  if (code == DISP_E_EXCEPTION) recordException(exception);
  return code;
}

// The object a member chain goes on with, taken from a member's result: an
// IDispatch is taken over, an IUnknown is asked for the IDispatch it may also
// be, an empty result is a null object; anything else is no object at all.
[[nodiscard]] HRESULT nextInChain(Variant& result, ComPtr<IDispatch>& next) {
  next.reset();
  if (result.vt == VT_DISPATCH) {
    next = ComPtr<IDispatch>::adopt(result.release().pdispVal);
    return S_OK;
  }
  if (result.vt == VT_UNKNOWN)
    return result.punkVal ? result.punkVal->QueryInterface(IID_IDispatch, next.putVoid()) : S_OK;
  if (result.vt == VT_EMPTY || result.vt == VT_NULL) return S_OK;
  return DISP_E_TYPEMISMATCH;  // a chain goes on only through objects
}

}  // namespace

VimbraObject::VimbraObject(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) { ++liveObjects; }

VimbraObject::~VimbraObject() {
  dispatch_.reset();
  if (--liveObjects == 0) tearDownErrorRecords();
}

int VimbraObject::liveCount() { return liveObjects; }

ObjectPointer getObject(std::wstring_view fileOrMoniker, std::wstring_view progId, bool initialiseCom) {
  if (initialiseCom) CoInitialize(nullptr);  // may be initialised already: the result does not matter
  HRESULT code = E_OUTOFMEMORY;
  ComPtr<IDispatch> dispatch;
  const std::wstring file(fileOrMoniker), program(progId);
  if (file.empty() && program.empty()) {
    code = E_INVALIDARG;
  } else if (program.empty()) {
    code = CoGetObject(file.c_str(), nullptr, IID_IDispatch, dispatch.putVoid());
  } else if (!file.empty()) {
    CLSID classId{};
    ComPtr<IClassFactory> factory;
    ComPtr<IPersistFile> persist;
    code = CLSIDFromProgID(program.c_str(), &classId);
    if (SUCCEEDED(code))
      code = CoGetClassObject(classId, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                              factory.putVoid());
    if (SUCCEEDED(code)) code = factory->CreateInstance(nullptr, IID_IPersistFile, persist.putVoid());
    if (SUCCEEDED(code)) code = persist->Load(file.c_str(), 0);
    if (SUCCEEDED(code)) code = persist.query(dispatch);
  } else {
    CLSID classId{};
    if (program.front() == L'{') {
      code = CLSIDFromString(program.c_str(), &classId);
      wchar_t* registered = nullptr;
      if (SUCCEEDED(code)) code = ProgIDFromCLSID(classId, &registered);  // the class must be registered
      CoTaskMemFree(registered);
    } else {
      code = CLSIDFromProgID(program.c_str(), &classId);
    }
    ComPtr<IUnknown> running;
    if (SUCCEEDED(code)) code = GetActiveObject(classId, nullptr, running.put());
    if (SUCCEEDED(code)) code = running.query(dispatch);
  }
  ObjectPointer object;
  if (SUCCEEDED(code) && dispatch) object = std::make_unique<VimbraObject>(std::move(dispatch));
  recordResult(code);
  return object;
}

HRESULT invokeCommand(const VimbraObject& object, WORD flags, VARTYPE requestedType, VARIANT* result,
                      std::wstring_view command, Statement* statement) {
  std::unique_ptr<Statement> prepared;
  if (!statement) {
    if (HRESULT code = prepareStatement(command, prepared); FAILED(code)) return code;
    statement = prepared.get();
  }
  ComPtr<IDispatch> current = ComPtr<IDispatch>::retain(object.dispatch());
  HRESULT code = S_OK;
  std::size_t member = 0;
  const std::size_t last = statement->members.size() - 1;
  for (; member < last && current; ++member) {
    Variant work;
    code = invokeMember(current.get(), *statement->members[member], kGetFlags, work.put());
    if (SUCCEEDED(code)) code = nextInChain(work, current);
    if (FAILED(code)) break;
  }
  if (SUCCEEDED(code)) {
    if (current) {
      code = invokeMember(current.get(), *statement->members[last], flags, result);
    } else {
      recordResult(
          S_FALSE, false,
          L"The '" + std::wstring(statement->members[member - 1]->name.get()) + L"' property returned a NULL object!");
      code = kAlreadyRecorded;
    }
  }
  if (SUCCEEDED(code) && result && requestedType != 0 && result->vt != requestedType)
    code = VariantChangeType(result, result, VARIANT_LOCALBOOL, requestedType);
  return code;
}

std::wstring getStringProperty(const VimbraObject& object, std::wstring_view command, Statement* statement) {
  if (command.empty() && !statement) {
    recordResult(E_INVALIDARG);
    return {};
  }
  Variant result;
  const HRESULT code = invokeCommand(object, kGetFlags, VT_BSTR, result.put(), command, statement);
  std::wstring text;
  if (SUCCEEDED(code) && result.vt == VT_BSTR && result.bstrVal) text = result.bstrVal;  // up to the first NUL
  recordResult(code);
  return text;
}

ObjectPointer getObjectProperty(const VimbraObject& object, std::wstring_view command, VARTYPE objectType,
                                Statement* statement, IUnknown** unknown) {
  if (command.empty() && !statement) {
    recordResult(E_INVALIDARG);
    return nullptr;
  }
  if (objectType != VT_DISPATCH) objectType = VT_UNKNOWN;
  Variant result;
  HRESULT code = invokeCommand(object, kGetFlags, objectType, result.put(), command, statement);
  ObjectPointer made;
  if (SUCCEEDED(code)) {
    if (objectType == VT_DISPATCH && result.pdispVal) {
      made = std::make_unique<VimbraObject>(ComPtr<IDispatch>::adopt(result.release().pdispVal));
    } else if (objectType == VT_DISPATCH) {
      recordResult(S_FALSE, false, L"The property returned a NULL object!");
      code = kAlreadyRecorded;
    } else if (unknown) {
      *unknown = result.release().punkVal;  // the caller owns it
    }
  }
  recordResult(code);
  return made;
}

EnumerationPointer createEnumeration(const VimbraObject& object, std::wstring_view command, Statement* statement) {
  ObjectPointer collection;
  if (!command.empty()) {
    collection = getObjectProperty(object, command, VT_DISPATCH, statement);
    if (!collection) return nullptr;
  }
  IDispatch* target = collection ? collection->dispatch() : object.dispatch();
  Variant result;
  DISPPARAMS none{};
  EXCEPINFO exception{};
  HRESULT code = target->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT, kGetFlags, &none, result.put(),
                                &exception, nullptr);
  collection.reset();
  EnumerationPointer enumeration;
  if (SUCCEEDED(code)) {
    ComPtr<IEnumVARIANT> enumerator;
    const bool isObject = (result.vt == VT_DISPATCH || result.vt == VT_UNKNOWN) && result.punkVal;
    code = isObject ? result.punkVal->QueryInterface(IID_IEnumVARIANT, enumerator.putVoid()) : E_NOINTERFACE;
    if (SUCCEEDED(code)) enumeration = std::make_unique<VimbraEnumeration>(std::move(enumerator));
  } else if (code == DISP_E_EXCEPTION) {
    recordException(exception);
  }
  recordResult(code);
  return enumeration;
}

ObjectPointer nextObject(VimbraEnumeration& enumeration) {
  Variant element;
  HRESULT code = enumeration.enumerator()->Next(1, element.put(), nullptr);
  ObjectPointer made;
  if (code == S_OK) {
    if (element.vt != VT_DISPATCH) code = VariantChangeType(&element, &element, 0, VT_DISPATCH);
    if (SUCCEEDED(code) && element.pdispVal)
      made = std::make_unique<VimbraObject>(ComPtr<IDispatch>::adopt(element.release().pdispVal));
  }
  recordResult(code);
  return made;
}

}  // namespace automation
