// A small automation object of our own: properties of each type, a method
// that raises exceptions, a member that returns a null object, a collection,
// and IPersistFile. Every reference taken on any of them is counted.
#pragma once

#include <windows.h>

#include <oaidl.h>
#include <objidl.h>

#include <string>
#include <vector>

namespace testing_support {

// {6C7A3F0E-5D1B-4C2A-9E8F-3B2A1C0D9E71}
inline constexpr CLSID kTestObjectClass = {
    0x6c7a3f0e, 0x5d1b, 0x4c2a, {0x9e, 0x8f, 0x3b, 0x2a, 0x1c, 0x0d, 0x9e, 0x71}};
inline constexpr wchar_t kTestObjectProgId[] = L"Wordhop.TestObject";
inline constexpr wchar_t kTestObjectClassText[] = L"{6C7A3F0E-5D1B-4C2A-9E8F-3B2A1C0D9E71}";

// References held on test objects and their enumerators, all together.
inline LONG outstandingReferences = 0;

class TestEnumerator : public IEnumVARIANT {
 public:
  explicit TestEnumerator(std::vector<IDispatch*> items) : items_(std::move(items)) { ++outstandingReferences; }
  virtual ~TestEnumerator() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IEnumVARIANT) return *out = nullptr, E_NOINTERFACE;
    AddRef();
    return *out = this, S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++outstandingReferences, ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    ULONG done = 0;
    for (; done < count && position_ < items_.size(); ++done, ++position_) {
      out[done].vt = VT_DISPATCH;
      out[done].pdispVal = items_[position_];
      items_[position_]->AddRef();
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return position_ += count, S_OK; }
  HRESULT STDMETHODCALLTYPE Reset() override { return position_ = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT**) override { return E_NOTIMPL; }

 private:
  std::vector<IDispatch*> items_;
  std::size_t position_ = 0;
  ULONG references_ = 1;
};

class TestObject : public IDispatch, public IPersistFile {
 public:
  explicit TestObject(std::wstring name, int collectionSize = 0) : name_(std::move(name)), size_(collectionSize) {
    ++outstandingReferences;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch)
      *out = static_cast<IDispatch*>(this);
    else if (iid == IID_IPersistFile || iid == IID_IPersist)
      *out = static_cast<IPersistFile*>(this);
    else
      return *out = nullptr, E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++outstandingReferences, ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    --outstandingReferences;
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    static const wchar_t* kMembers[] = {L"Text",         L"Number", L"Flag", L"Child",    L"Nothing", L"Fail",
                                        L"FailSilently", L"Items",  L"Echo", L"FileName", L"Name",    L"Unknown"};
    for (DISPID id = 0; id < DISPID(std::size(kMembers)); ++id)
      if (lstrcmpiW(names[0], kMembers[id]) == 0) return *ids = id + 1, S_OK;
    return *ids = DISPID_UNKNOWN, DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override {
    VARIANT ignored;
    if (!result) result = &ignored;
    VariantInit(result);
    switch (id) {
      case 1:
        return text(result, L"hello");
      case 2:
        return result->vt = VT_I4, result->lVal = 42, S_OK;
      case 3:
        return result->vt = VT_BOOL, result->boolVal = VARIANT_TRUE, S_OK;
      case 4:
        return object(result, new TestObject(L"child"));
      case 5:
        return result->vt = VT_DISPATCH, result->pdispVal = nullptr, S_OK;
      case 6:
        exception->bstrDescription = SysAllocString(L"Disk full");
        exception->bstrSource = SysAllocString(L"TestObject");
        return DISP_E_EXCEPTION;
      case 7:
        return DISP_E_EXCEPTION;
      case 8:
        return object(result, new TestObject(L"items", 3));
      case 9:
        if (parameters->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        return VariantCopy(result, &parameters->rgvarg[0]);
      case 10:
        return text(result, fileName_.c_str());
      case 11:
        return text(result, name_.c_str());
      case 12:  // an object handed out as IUnknown, through a base that is no IDispatch
        result->vt = VT_UNKNOWN;
        result->punkVal = static_cast<IPersistFile*>(new TestObject(L"unknown"));
        return S_OK;
      case DISPID_NEWENUM: {
        if (size_ == 0) return DISP_E_MEMBERNOTFOUND;
        std::vector<IDispatch*> items;
        for (int i = 0; i < size_; ++i) items.push_back(new TestObject(L"item" + std::to_wstring(i + 1)));
        result->vt = VT_UNKNOWN;
        result->punkVal = new TestEnumerator(std::move(items));
        return S_OK;
      }
    }
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override { return *id = kTestObjectClass, S_OK; }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR file, DWORD) override { return fileName_ = file, S_OK; }
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return E_NOTIMPL; }

 private:
  virtual ~TestObject() = default;
  [[nodiscard]] static HRESULT text(VARIANT* result, const wchar_t* value) {
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocString(value);
    return S_OK;
  }
  [[nodiscard]] static HRESULT object(VARIANT* result, TestObject* made) {
    result->vt = VT_DISPATCH;
    result->pdispVal = made;
    return S_OK;
  }

  std::wstring name_;
  std::wstring fileName_;
  int size_;
  ULONG references_ = 1;
};

inline ULONG STDMETHODCALLTYPE TestEnumerator::Release() {
  --outstandingReferences;
  const ULONG left = --references_;
  if (left == 0) {
    for (IDispatch* item : items_) item->Release();
    delete this;
  }
  return left;
}

// Makes test objects for CoGetClassObject (registered in this process only).
class TestObjectFactory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return *out = nullptr, E_NOINTERFACE;
    return *out = this, S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* made = new TestObject(L"made");
    const HRESULT code = made->QueryInterface(iid, out);
    made->Release();
    return code;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

}  // namespace testing_support
