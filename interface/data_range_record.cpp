#include "interface/data_range_record.h"

#include <cstddef>
#include <cstdlib>
#include <new>

#include "platform/bstr.h"

namespace vrk {
namespace {

// The fields in declaration order; GetFieldNames reports them so.
struct Field {
  const char16_t* name;
  std::size_t offset;
  VARTYPE vt;  // VT_UI4, VT_I4 or VT_BSTR
};
constexpr Field kFields[] = {
    {u"Type", offsetof(VRK5420CfgConDataRange, Type), VT_UI4},
    {u"DefaultVal", offsetof(VRK5420CfgConDataRange, DefaultVal), VT_BSTR},
    {u"MinConstraint", offsetof(VRK5420CfgConDataRange, MinConstraint), VT_UI4},
    {u"MinVal", offsetof(VRK5420CfgConDataRange, MinVal), VT_BSTR},
    {u"MaxConstraint", offsetof(VRK5420CfgConDataRange, MaxConstraint), VT_UI4},
    {u"MaxVal", offsetof(VRK5420CfgConDataRange, MaxVal), VT_BSTR},
    {u"AddConstraint", offsetof(VRK5420CfgConDataRange, AddConstraint), VT_I4},
    {u"Increment", offsetof(VRK5420CfgConDataRange, Increment), VT_BSTR},
    {u"Dictionary", offsetof(VRK5420CfgConDataRange, Dictionary), VT_BSTR},
};

bool SameName(LPCOLESTR a, const char16_t* b) {
  for (; *a && *b; ++a, ++b) {
    const char16_t x = (*a >= u'a' && *a <= u'z') ? *a - 32 : *a;
    const char16_t y = (*b >= u'a' && *b <= u'z') ? *b - 32 : *b;
    if (x != y) return false;
  }
  return *a == *b;
}

const Field* FindField(LPCOLESTR name) {
  if (name == nullptr) return nullptr;
  for (const Field& f : kFields)
    if (SameName(name, f.name)) return &f;
  return nullptr;
}

BSTR* StringSlots(VRK5420CfgConDataRange& r, int i) {
  BSTR* slots[] = {&r.DefaultVal, &r.MinVal, &r.MaxVal, &r.Increment, &r.Dictionary};
  return slots[i];
}

class DataRangeRecordInfoImpl final : public IRecordInfo {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IRecordInfo) {
      *object = static_cast<IRecordInfo*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // The object is static; counting references would only count.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE RecordInit(void* record) override {
    if (record == nullptr) return E_INVALIDARG;
    *static_cast<VRK5420CfgConDataRange*>(record) = VRK5420CfgConDataRange{};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RecordClear(void* record) override {
    if (record == nullptr) return E_INVALIDARG;
    auto& r = *static_cast<VRK5420CfgConDataRange*>(record);
    for (int i = 0; i < 5; ++i) SysFreeString(*StringSlots(r, i));
    r = VRK5420CfgConDataRange{};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RecordCopy(void* source, void* target) override {
    if (source == nullptr || target == nullptr) return E_INVALIDARG;
    auto& s = *static_cast<VRK5420CfgConDataRange*>(source);
    VRK5420CfgConDataRange copy = s;
    for (int i = 0; i < 5; ++i) *StringSlots(copy, i) = nullptr;
    for (int i = 0; i < 5; ++i) {
      BSTR from = *StringSlots(s, i);
      if (from == nullptr) continue;
      BSTR to = SysAllocStringLen(from, SysStringLen(from));
      if (to == nullptr) {
        RecordClear(&copy);
        return E_OUTOFMEMORY;
      }
      *StringSlots(copy, i) = to;
    }
    RecordClear(target);
    *static_cast<VRK5420CfgConDataRange*>(target) = copy;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetGuid(GUID* guid) override {
    if (guid == nullptr) return E_INVALIDARG;
    *guid = GUID_VRK5420CfgConDataRange;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
    if (name == nullptr) return E_INVALIDARG;
    *name = SysAllocString(OleText(u"VRK5420CfgConDataRange"));
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetSize(ULONG* size) override {
    if (size == nullptr) return E_INVALIDARG;
    *size = sizeof(VRK5420CfgConDataRange);
    return S_OK;
  }
  // There is no type library on this platform to describe the record.
  HRESULT STDMETHODCALLTYPE GetTypeInfo(ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return TYPE_E_LIBNOTREGISTERED;
  }
  HRESULT STDMETHODCALLTYPE GetField(void* record, LPCOLESTR name, VARIANT* value) override {
    if (record == nullptr || value == nullptr) return E_INVALIDARG;
    const Field* f = FindField(name);
    if (f == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    const char* at = static_cast<const char*>(record) + f->offset;
    VARIANT v;
    VariantInit(&v);
    v.vt = f->vt;
    if (f->vt == VT_BSTR) {
      const BSTR text = *reinterpret_cast<const BSTR*>(at);
      v.bstrVal = text ? SysAllocStringLen(text, SysStringLen(text)) : nullptr;
      if (text && v.bstrVal == nullptr) return E_OUTOFMEMORY;
    } else if (f->vt == VT_I4) {
      v.lVal = *reinterpret_cast<const LONG*>(at);
    } else {
      v.ulVal = *reinterpret_cast<const ULONG*>(at);
    }
    VariantClear(value);
    *value = v;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFieldNoCopy(void*, LPCOLESTR, VARIANT*, void**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PutField(ULONG, void*, LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PutFieldNoCopy(ULONG, void*, LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }
  // With null `names` only the count is reported, as on the platform.
  HRESULT STDMETHODCALLTYPE GetFieldNames(ULONG* count, BSTR* names) override {
    if (count == nullptr) return E_INVALIDARG;
    constexpr ULONG total = sizeof kFields / sizeof kFields[0];
    if (names == nullptr) {
      *count = total;
      return S_OK;
    }
    const ULONG n = *count < total ? *count : total;
    for (ULONG i = 0; i < n; ++i) names[i] = SysAllocString(OleText(kFields[i].name));
    *count = n;
    return S_OK;
  }
  BOOL STDMETHODCALLTYPE IsMatchingType(IRecordInfo* other) override {
    GUID guid{};
    return other != nullptr && SUCCEEDED(other->GetGuid(&guid)) && guid == GUID_VRK5420CfgConDataRange;
  }
  void* STDMETHODCALLTYPE RecordCreate() override {
    void* record = std::calloc(1, sizeof(VRK5420CfgConDataRange));
    return record;
  }
  HRESULT STDMETHODCALLTYPE RecordCreateCopy(void* source, void** target) override {
    if (source == nullptr || target == nullptr) return E_INVALIDARG;
    *target = RecordCreate();
    if (*target == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = RecordCopy(source, *target);
    if (FAILED(hr)) {
      std::free(*target);
      *target = nullptr;
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE RecordDestroy(void* record) override {
    if (record == nullptr) return S_OK;
    RecordClear(record);
    std::free(record);
    return S_OK;
  }
};

}  // namespace

IRecordInfo* DataRangeRecordInfo() {
  static DataRangeRecordInfoImpl info;
  return &info;
}

}  // namespace vrk

#if !defined(_WIN32)  // on Windows the system's, which reads the type library
HRESULT GetRecordInfoFromGuids(REFGUID library, ULONG major, ULONG, LCID, REFGUID record, IRecordInfo** info) {
  if (info == nullptr) return E_INVALIDARG;
  *info = nullptr;
  if (!(library == LIBID_VRK5420CfgConverterLib) || major != 1) return TYPE_E_LIBNOTREGISTERED;
  if (!(record == GUID_VRK5420CfgConDataRange)) return TYPE_E_ELEMENTNOTFOUND;
  *info = vrk::DataRangeRecordInfo();
  return S_OK;
}
#endif
