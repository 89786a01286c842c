#include "platform/windows/type_info_dispatch.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/module_path.h"
#include "platform/utf.h"

namespace vrk {
namespace {

// Any object of this module: its address tells the loader which module's file to name.
constexpr char kModuleAnchor = 0;

// The module's type library, loaded on first use. The system's type library objects may be used from any
// thread; the static's destructor releases it when the module is unloaded.
struct ModuleTypeLibrary {
  ModuleTypeLibrary() {
    const std::string path = ModuleFileName(&kModuleAnchor);
    if (path.empty()) {
      status = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
      return;
    }
    const std::u16string wide = Utf8ToUtf16(path);
    status = LoadTypeLibEx(reinterpret_cast<LPCOLESTR>(wide.c_str()), REGKIND_NONE, library.Out());
  }

  HRESULT status = S_OK;
  ComPtr<ITypeLib> library;
};

}  // namespace

HRESULT ModuleTypeInfo(REFIID iid, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  static const ModuleTypeLibrary module;
  if (FAILED(module.status)) return module.status;
  return module.library->GetTypeInfoOfGuid(iid, info);
}

namespace {

// The table part of a dual interface's dispatch description, or null.
ComPtr<ITypeInfo> TablePart(ITypeInfo* dispatch_info) {
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> table;
  if (FAILED(dispatch_info->GetRefTypeOfImplType(-1, &ref)) || FAILED(dispatch_info->GetRefTypeInfo(ref, table.Out())))
    table.Reset();
  return table;
}

// The function description of method `id` in an interface's description (none for a null `table`), or null.
class MethodDescription {
 public:
  MethodDescription(ITypeInfo* table, DISPID id) : table_(table) {
    TYPEATTR* attr = nullptr;
    if (table_ == nullptr || FAILED(table_->GetTypeAttr(&attr))) return;
    const UINT count = attr->cFuncs;
    table_->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < count; ++i) {
      if (FAILED(table_->GetFuncDesc(i, &desc_))) return;
      if (desc_->memid == id && desc_->invkind == INVOKE_FUNC) return;
      table_->ReleaseFuncDesc(std::exchange(desc_, nullptr));
    }
  }
  MethodDescription(const MethodDescription&) = delete;
  MethodDescription& operator=(const MethodDescription&) = delete;
  ~MethodDescription() {
    if (desc_ != nullptr) table_->ReleaseFuncDesc(desc_);
  }
  const FUNCDESC* get() const { return desc_; }

 private:
  ITypeInfo* table_;
  FUNCDESC* desc_ = nullptr;
};

// The VARIANT type of what a pointer parameter points to (BSTR, LONG, ULONG, byte array), or VT_EMPTY for any
// other parameter, which is passed on as it is.
VARTYPE PointedType(const TYPEDESC& type) {
  if (type.vt != VT_PTR) return VT_EMPTY;
  const TYPEDESC& target = *type.lptdesc;
  switch (target.vt) {
    case VT_BSTR:
    case VT_I4:
    case VT_UI4:
      return target.vt;
    case VT_SAFEARRAY:
      return static_cast<VARTYPE>(VT_ARRAY | target.lptdesc->vt);
    default:
      return VT_EMPTY;
  }
}

// Whether the parameter is an interface pointer.
bool IsInterface(ITypeInfo* table, const TYPEDESC& type) {
  if (type.vt != VT_PTR || type.lptdesc->vt != VT_USERDEFINED) return false;
  ComPtr<ITypeInfo> target;
  TYPEATTR* attr = nullptr;
  if (FAILED(table->GetRefTypeInfo(type.lptdesc->hreftype, target.Out())) || FAILED(target->GetTypeAttr(&attr)))
    return false;
  const bool is_interface = attr->typekind == TKIND_INTERFACE || attr->typekind == TKIND_DISPATCH;
  target->ReleaseTypeAttr(attr);
  return is_interface;
}

// An [in] argument: a VARIANT by reference stands for the VARIANT it points to; an empty, null or missing
// argument for an interface is a null interface.
void PrepareIn(ITypeInfo* table, const TYPEDESC& type, VARIANT& arg) {
  if (arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal != nullptr) arg = *arg.pvarVal;
  const bool missing =
      arg.vt == VT_EMPTY || arg.vt == VT_NULL || (arg.vt == VT_ERROR && arg.scode == DISP_E_PARAMNOTFOUND);
  if (missing && IsInterface(table, type)) {
    arg.vt = VT_UNKNOWN;
    arg.punkVal = nullptr;
  }
}

// An [out] or [in, out] argument `arg` (the caller's `given`) for a parameter that points to a `pointed`: made a
// reference of that type, into the caller's VARIANT when it passed one by reference, else into `temporary`.
HRESULT PrepareOut(VARTYPE pointed, bool in_out, VARIANT& given, VARIANT& temporary, VARIANT& arg) {
  if (arg.vt == (VT_BYREF | pointed)) return S_OK;
  VARIANT* target = arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal != nullptr ? arg.pvarVal : &temporary;
  VARIANT& source = target == &temporary ? given : *target;
  HRESULT hr = S_OK;
  if (in_out && source.vt == pointed && target == &temporary) {
    hr = VariantCopy(target, &source);
  } else if (in_out && source.vt != pointed) {
    hr = VariantChangeType(target, &source, 0, pointed);
  } else if (!in_out) {
    hr = VariantClear(target);
    target->vt = pointed;
    target->llVal = 0;  // zero and null in every member of the value union
  }
  if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
  arg.vt = static_cast<VARTYPE>(VT_BYREF | pointed);
  arg.byref = &target->llVal;  // the members of the value union share their address
  return S_OK;
}

}  // namespace

HRESULT InvokeTypeInfo(void* object, ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* excep, UINT* arg_err) {
  const bool well_formed = params != nullptr && params->cNamedArgs <= params->cArgs;
  const ComPtr<ITypeInfo> table = well_formed && (flags & DISPATCH_METHOD) ? TablePart(info) : nullptr;
  const MethodDescription method(table.get(), id);
  const FUNCDESC* desc = method.get();
  if (desc == nullptr) return DispInvoke(object, info, id, flags, params, result, excep, arg_err);

  // The arguments as passed on (they come last first), and the temporaries that plain values become.
  std::vector<VARIANT> args(params->rgvarg, params->rgvarg + params->cArgs);
  std::vector<VARIANT> temporaries(params->cArgs);
  for (VARIANT& t : temporaries) VariantInit(&t);
  const UINT positional = std::min<UINT>(params->cArgs - params->cNamedArgs, desc->cParams);
  HRESULT hr = S_OK;
  for (UINT i = 0; i < positional && SUCCEEDED(hr); ++i) {
    const UINT at = params->cArgs - 1 - i;
    const ELEMDESC& param = desc->lprgelemdescParam[i];
    const USHORT direction = param.paramdesc.wParamFlags;
    const VARTYPE pointed = PointedType(param.tdesc);
    if (!(direction & PARAMFLAG_FOUT)) {
      PrepareIn(table.get(), param.tdesc, args[at]);
    } else if (pointed != VT_EMPTY) {
      hr = PrepareOut(pointed, direction & PARAMFLAG_FIN, params->rgvarg[at], temporaries[at], args[at]);
      if (FAILED(hr) && arg_err != nullptr) *arg_err = at;
    }
  }
  if (SUCCEEDED(hr)) {
    DISPPARAMS adjusted{args.data(), params->rgdispidNamedArgs, params->cArgs, params->cNamedArgs};
    hr = DispInvoke(object, info, id, flags, &adjusted, result, excep, arg_err);
  }
  for (VARIANT& t : temporaries) VariantClear(&t);
  return hr;
}

}  // namespace vrk
