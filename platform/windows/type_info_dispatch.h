// IDispatch of a dual interface by the system's standard dispatch over the type library that this module carries
// as its resource 1: names and calls resolve from the type information, arguments are coerced as every
// automation client expects, and a failing call's error information comes back in EXCEPINFO.
#pragma once

#include "platform/com_ptr.h"
#include "platform/windows/system_types.h"

namespace vrk {

// The type information that the module's embedded type library gives for `iid`, with a reference for the
// caller, or the failure. The library is loaded once per process (without registering it) and released when
// the module is unloaded.
HRESULT ModuleTypeInfo(REFIID iid, ITypeInfo** info);

// ITypeInfo::Invoke of `info` (a dual interface's dispatch description) on `object`, the interface's pointer.
// Script hosts pass a variable as a VARIANT by reference, and may leave an optional-looking argument empty; the
// system's coercion does not take every such form for a typed parameter, so the arguments of a method are first
// brought into the declared form: a VARIANT by reference for a typed [out] or [in, out] parameter becomes a
// reference into that VARIANT (set to the declared type), a plain value becomes a reference to a temporary, and
// an empty, null or missing argument for an interface is a null interface. The caller's arguments are not changed
// except where a by-reference VARIANT takes the value the method returns through it.
HRESULT InvokeTypeInfo(void* object, ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* excep, UINT* arg_err);

// The four IDispatch calls of interface `Iface` (identifier `kIid`), answered from its type information.
template <class Iface, const IID& kIid>
class TypeInfoDispatch {
 public:
  static HRESULT GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  }

  static HRESULT GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return ModuleTypeInfo(kIid, info);
  }

  static HRESULT GetIDsOfNames(REFIID riid, OLECHAR** names, UINT count, DISPID* ids) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> info;
    const HRESULT hr = ModuleTypeInfo(kIid, info.Out());
    return FAILED(hr) ? hr : DispGetIDsOfNames(info.get(), names, count, ids);
  }

  static HRESULT Invoke(Iface& object, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* arg_err) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> info;
    const HRESULT hr = ModuleTypeInfo(kIid, info.Out());
    if (FAILED(hr)) return hr;
    // Error information left over from an earlier call must not be taken for this call's.
    SetErrorInfo(0, nullptr);
    return InvokeTypeInfo(&object, info.get(), id, flags, params, result, excep, arg_err);
  }
};

}  // namespace vrk
