#include "automation/error_record.h"

#include <olectl.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "runtime/system_message.h"

namespace automation {
namespace {

struct ErrorRecord {
  HRESULT code = 0;
  std::wstring text;
};

// Module-wide, because the layer's interface keeps the last result per thread
// without an object to hang it on: the thread-local slot, and every record
// made through it, so that they can all be freed when the last object goes.
DWORD recordSlot = TLS_OUT_OF_INDEXES;
std::vector<std::unique_ptr<ErrorRecord>> records;

struct KnownCode {
  HRESULT code;
  const wchar_t* text;
};

const KnownCode kKnownCodes[] = {
    {S_OK, L"Okay."},
    {E_FAIL, L"Unspecified error."},
    {E_INVALIDARG,
     L"One or more arguments are invalid. Possibly a numerical overflow or too many nested objects, -if so, try "
     L"splitting your method call into two or more subcalls."},
    {E_NOINTERFACE, L"Method is not implemented."},
    {E_OUTOFMEMORY,
     L"Problem allocating memory.\r\n\r\n(Possibly too many method arguments. Each method/property is limited by "
     L"Vimbra to a maximum of 20 arguments.)"},
    {E_UNEXPECTED, L"An unexpected error."},
    {E_POINTER, L"An invalid pointer was supplied."},
    {E_NOTIMPL,
     L"Not implemented. In the case of attaching an event handler to a COM object, this could signify that the object "
     L"does not provide any type information."},
    {CO_E_CLASSSTRING,
     L"Invalid progID/CLSID. Check your spelling of the programmatic identifier. Also check that the component / "
     L"ActiveX control has been registered."},
    {REGDB_E_CLASSNOTREG,
     L"Invalid progID/CLSID. Check your spelling of the programmatic identifier. Also check that the component / "
     L"ActiveX control has been registered."},
    {CO_E_SERVER_EXEC_FAILURE,
     L"Server execution failed. Usually caused by an 'out of process server' timing out when asked to create an "
     L"instance of a 'class factory'."},
    {DISP_E_TYPEMISMATCH, L"Type mismatch in the method parameters."},
    {TYPE_E_ELEMENTNOTFOUND,
     L"No type description was found in the library with the specified GUID whilst trying to create an event "
     L"handler."},
    {CONNECT_E_ADVISELIMIT,
     L"Unable to set event handler because the connection point has already reached its limit of connections."},
    {CLASS_E_NOAGGREGATION, L"Class does not support aggregation (or class object is remote)."},
    {DISP_E_OVERFLOW, L"Overflow error whilst converting between types."},
    {DISP_E_UNKNOWNNAME, L"Method/property not supported by this object."},
    {DISP_E_BADPARAMCOUNT, L"Invalid number of method/property parameters."},
    {DISP_E_BADVARTYPE, L"A method/property parameter is not a valid (variant) type."},
    {DISP_E_MEMBERNOTFOUND,
     L"Member not found. (Check that you have not omitted any optional parameters and are not trying to set a "
     L"read-only property etc.)"},
    {DISP_E_NOTACOLLECTION, L"Does not support a collection."},
    {E_ACCESSDENIED, L"A 'general' access denied error."},
    {RPC_E_WRONG_THREAD, L"The application called upon an interface that was marshalled for a different thread."},
};

std::wstring systemMessage(HRESULT code) {
  const DWORD number = static_cast<DWORD>(code) & 0xFFFF;
  const std::wstring message = L"(FACILITY_WIN32 error " + std::to_wstring(number) + L") ";
  const std::wstring description = runtime::systemMessage(number);
  return message + (description.empty() ? L"Unable to retrieve error description from system!" : description);
}

ErrorRecord* threadRecord() {
  auto* record = static_cast<ErrorRecord*>(TlsGetValue(recordSlot));
  if (record) return record;
  auto made = std::make_unique<ErrorRecord>();
  if (!TlsSetValue(recordSlot, made.get())) return nullptr;
  records.push_back(std::move(made));
  return records.back().get();
}

}  // namespace

std::wstring errorMessage(HRESULT code, std::wstring_view text) {
  if (code == S_FALSE) {
    std::wstring message = L"The operation completed, but was only partially successful.";
    return text.empty() ? message : message + L" (" + std::wstring(text) + L")";
  }
  for (const KnownCode& known : kKnownCodes)
    if (known.code == code) return known.text;
  if (code == DISP_E_EXCEPTION)
    return text.empty() ? L"An exception occurred during the execution of this method/property." : std::wstring(text);
  if ((static_cast<DWORD>(code) & 0x7FFF0000) == 0x00070000) return systemMessage(code);
  wchar_t hex[16];
  std::swprintf(hex, 16, L"%lX", static_cast<unsigned long>(code));
  return L"Unknown error. (Code : Hex " + std::wstring(hex) + L"). Please report this error code to the author at '" +
         kContactAddress + L"'";
}

void recordResult(HRESULT code, bool exceptionText, std::wstring_view text) {
  if (recordSlot == TLS_OUT_OF_INDEXES) recordSlot = TlsAlloc();
  if (recordSlot == TLS_OUT_OF_INDEXES || code == kAlreadyRecorded) return;
  if (code == DISP_E_EXCEPTION && !exceptionText) return;
  ErrorRecord* record = threadRecord();
  if (!record) return;
  record->code = code;
  record->text = errorMessage(code, text);
}

HRESULT lastErrorCode() {
  if (recordSlot == TLS_OUT_OF_INDEXES) return 0;
  const auto* record = static_cast<const ErrorRecord*>(TlsGetValue(recordSlot));
  return record ? record->code : 0;
}

std::wstring lastErrorText() {
  if (recordSlot == TLS_OUT_OF_INDEXES) return {};
  const auto* record = static_cast<const ErrorRecord*>(TlsGetValue(recordSlot));
  return record ? record->text : std::wstring();
}

void tearDownErrorRecords() {
  if (recordSlot == TLS_OUT_OF_INDEXES) return;
  records.clear();
  TlsFree(recordSlot);
  recordSlot = TLS_OUT_OF_INDEXES;
}

}  // namespace automation
