#include "automation/vimbra_object.h"

#include <objbase.h>

#include "automation/error_record.h"
#include "automation/statement.h"

namespace automation {
namespace {

int liveObjects = 0;

constexpr WORD kGetFlags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

// Frees an EXCEPINFO's texts and records the exception with its description.
void recordException(EXCEPINFO& exception) {
  if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
  const std::wstring description = exception.bstrDescription ? exception.bstrDescription : L"";
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  recordResult(DISP_E_EXCEPTION, true, description);
}

HRESULT invokeMember(IDispatch* dispatch, StatementMember& member, WORD flags, VARIANT* result) {
  DISPID id = 0;
  HRESULT code = dispatch->GetIDsOfNames(IID_NULL, &member.name, 1, LOCALE_USER_DEFAULT, &id);
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

}  // namespace

VimbraObject::VimbraObject(IDispatch* dispatch) : dispatch_(dispatch) { ++liveObjects; }

VimbraObject::~VimbraObject() {
  if (dispatch_) dispatch_->Release();
  if (--liveObjects == 0) tearDownErrorRecords();
}

int VimbraObject::liveCount() { return liveObjects; }

VimbraEnumeration::~VimbraEnumeration() {
  if (enumerator_) enumerator_->Release();
}

ObjectPointer getObject(std::wstring_view fileOrMoniker, std::wstring_view progId, bool initialiseCom) {
  if (initialiseCom) CoInitialize(nullptr);  // may be initialised already: the result does not matter
  HRESULT code = E_OUTOFMEMORY;
  IDispatch* dispatch = nullptr;
  const std::wstring file(fileOrMoniker), program(progId);
  if (file.empty() && program.empty()) {
    code = E_INVALIDARG;
  } else if (program.empty()) {
    code = CoGetObject(file.c_str(), nullptr, IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  } else if (!file.empty()) {
    CLSID classId{};
    IClassFactory* factory = nullptr;
    IPersistFile* persist = nullptr;
    code = CLSIDFromProgID(program.c_str(), &classId);
    if (SUCCEEDED(code))
      code = CoGetClassObject(classId, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                              reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(code)) code = factory->CreateInstance(nullptr, IID_IPersistFile, reinterpret_cast<void**>(&persist));
    if (SUCCEEDED(code)) code = persist->Load(file.c_str(), 0);
    if (SUCCEEDED(code)) code = persist->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (persist) persist->Release();
    if (factory) factory->Release();
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
    IUnknown* running = nullptr;
    if (SUCCEEDED(code)) code = GetActiveObject(classId, nullptr, &running);
    if (SUCCEEDED(code)) code = running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (running) running->Release();
  }
  ObjectPointer object;
  if (SUCCEEDED(code) && dispatch) object = std::make_unique<VimbraObject>(dispatch);
  else if (dispatch) dispatch->Release();
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
  IDispatch* current = object.dispatch();
  current->AddRef();
  HRESULT code = S_OK;
  std::size_t member = 0;
  const std::size_t last = statement->members.size() - 1;
  for (; member < last; ++member) {
    VARIANT work;
    VariantInit(&work);
    code = invokeMember(current, *statement->members[member], kGetFlags, &work);
    current->Release();
    // The reference moves from the work VARIANT to the walk; an empty result is
    // a null object. An IUnknown is asked for the IDispatch it may also be.
    current = SUCCEEDED(code) && work.vt == VT_DISPATCH ? work.pdispVal : nullptr;
    if (SUCCEEDED(code) && work.vt == VT_UNKNOWN && work.punkVal) {
      code = work.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&current));
      VariantClear(&work);
    }
    if (FAILED(code) || !current) {
      if (SUCCEEDED(code) && work.vt != VT_EMPTY && work.vt != VT_NULL && work.vt != VT_DISPATCH &&
          work.vt != VT_UNKNOWN) {
        VariantClear(&work);
        code = DISP_E_TYPEMISMATCH;  // a chain goes on only through objects
      }
      break;
    }
  }
  if (SUCCEEDED(code)) {
    if (current) {
      code = invokeMember(current, *statement->members[last], flags, result);
      current->Release();
    } else {
      recordResult(S_FALSE, false,
                   L"The '" + std::wstring(statement->members[member]->name) + L"' property returned a NULL object!");
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
  VARIANT result;
  VariantInit(&result);
  const HRESULT code = invokeCommand(object, kGetFlags, VT_BSTR, &result, command, statement);
  std::wstring text;
  if (SUCCEEDED(code) && result.vt == VT_BSTR && result.bstrVal) text = result.bstrVal;  // up to the first NUL
  VariantClear(&result);
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
  VARIANT result;
  VariantInit(&result);
  HRESULT code = invokeCommand(object, kGetFlags, objectType, &result, command, statement);
  ObjectPointer made;
  if (SUCCEEDED(code)) {
    if (objectType == VT_DISPATCH && result.pdispVal) {
      made = std::make_unique<VimbraObject>(result.pdispVal);  // takes over the reference
      VariantInit(&result);
    } else if (objectType == VT_DISPATCH) {
      VariantClear(&result);
      recordResult(S_FALSE, false, L"The property returned a NULL object!");
      code = kAlreadyRecorded;
    } else if (unknown) {
      *unknown = result.punkVal;  // the caller owns it
      VariantInit(&result);
    }
  }
  VariantClear(&result);
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
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS none{};
  EXCEPINFO exception{};
  HRESULT code = target->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT, kGetFlags, &none, &result, &exception,
                                nullptr);
  collection.reset();
  EnumerationPointer enumeration;
  if (SUCCEEDED(code)) {
    IEnumVARIANT* enumerator = nullptr;
    if (result.vt == VT_DISPATCH || result.vt == VT_UNKNOWN)
      code = result.punkVal ? result.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&enumerator))
                            : E_NOINTERFACE;
    else
      code = E_NOINTERFACE;
    if (SUCCEEDED(code)) enumeration = std::make_unique<VimbraEnumeration>(enumerator);
  } else if (code == DISP_E_EXCEPTION) {
    recordException(exception);
  }
  VariantClear(&result);
  recordResult(code);
  return enumeration;
}

ObjectPointer nextObject(VimbraEnumeration& enumeration) {
  VARIANT element;
  VariantInit(&element);
  HRESULT code = enumeration.enumerator()->Next(1, &element, nullptr);
  ObjectPointer made;
  if (code == S_OK) {
    if (element.vt != VT_DISPATCH) code = VariantChangeType(&element, &element, 0, VT_DISPATCH);
    if (SUCCEEDED(code) && element.pdispVal) {
      made = std::make_unique<VimbraObject>(element.pdispVal);
      VariantInit(&element);
    }
  }
  VariantClear(&element);
  recordResult(code);
  return made;
}

}  // namespace automation
