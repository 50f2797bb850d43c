// Wrappers of automation objects (IDispatch) and of running enumerations
// (IEnumVARIANT), driven with command strings. Every operation records its
// outcome for the calling thread (see error_record.h) and never throws.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/com_ptr.h"

namespace automation {

struct Statement;

class VimbraObject;
class VimbraEnumeration;
using ObjectPointer = std::unique_ptr<VimbraObject>;
using EnumerationPointer = std::unique_ptr<VimbraEnumeration>;

// One counted IDispatch reference. Destroying the wrapper is its release: the
// reference goes, the live count drops, and at 0 the error records are freed.
class VimbraObject {
 public:
  explicit VimbraObject(runtime::ComPtr<IDispatch> dispatch);
  ~VimbraObject();
  VimbraObject(const VimbraObject&) = delete;
  VimbraObject& operator=(const VimbraObject&) = delete;

  IDispatch* dispatch() const { return dispatch_.get(); }
  static int liveCount();

 private:
  runtime::ComPtr<IDispatch> dispatch_;
};

// One counted IEnumVARIANT reference; not part of the live count.
class VimbraEnumeration {
 public:
  explicit VimbraEnumeration(runtime::ComPtr<IEnumVARIANT> enumerator) : enumerator_(std::move(enumerator)) {}
  IEnumVARIANT* enumerator() const { return enumerator_.get(); }

 private:
  runtime::ComPtr<IEnumVARIANT> enumerator_;
};

// A first object from a file name or moniker, a ProgID or a CLSID ("{...}").
ObjectPointer getObject(std::wstring_view fileOrMoniker, std::wstring_view progId, bool initialiseCom);

// Runs the member chain of the command (or of the statement, when given) and
// the last member with `flags`; the result converted to `requestedType` (0 =
// as it comes). kAlreadyRecorded when the outcome is recorded already.
[[nodiscard]] HRESULT invokeCommand(const VimbraObject& object, WORD flags, VARTYPE requestedType, VARIANT* result,
                      std::wstring_view command, Statement* statement = nullptr);

std::wstring getStringProperty(const VimbraObject& object, std::wstring_view command, Statement* statement = nullptr);
// objectType VT_DISPATCH gives a wrapper; anything else an IUnknown reference in `unknown`.
ObjectPointer getObjectProperty(const VimbraObject& object, std::wstring_view command, VARTYPE objectType = VT_DISPATCH,
                                Statement* statement = nullptr, IUnknown** unknown = nullptr);
EnumerationPointer createEnumeration(const VimbraObject& object, std::wstring_view command,
                                     Statement* statement = nullptr);
ObjectPointer nextObject(VimbraEnumeration& enumeration);

}  // namespace automation
