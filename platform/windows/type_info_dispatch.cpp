#include "platform/windows/type_info_dispatch.h"

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

}  // namespace vrk

namespace vrk {
namespace {

// The function description of method `id` in the table part of a dual interface's description, or null.
class MethodDescription {
 public:
  MethodDescription(ITypeInfo* dispatch_info, DISPID id) {
    HREFTYPE ref = 0;
    if (FAILED(dispatch_info->GetRefTypeOfImplType(-1, &ref)) ||
        FAILED(dispatch_info->GetRefTypeInfo(ref, table_.Out())))
      return;
    TYPEATTR* attr = nullptr;
    if (FAILED(table_->GetTypeAttr(&attr))) return;
    const UINT count = attr->cFuncs;
    table_->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < count && desc_ == nullptr; ++i) {
      if (FAILED(table_->GetFuncDesc(i, &desc_))) return;
      if (desc_->memid == id && desc_->invkind == INVOKE_FUNC) break;
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
  ComPtr<ITypeInfo> table_;
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

// The address of a VARIANT's value, whatever its type: the members of the value union share it.
void* ValueOf(VARIANT& v) { return &v.llVal; }

}  // namespace

HRESULT InvokeTypeInfo(void* object, ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* excep, UINT* arg_err) {
  if (params == nullptr || !(flags & DISPATCH_METHOD))
    return DispInvoke(object, info, id, flags, params, result, excep, arg_err);
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> table;
  if (FAILED(info->GetRefTypeOfImplType(-1, &ref)) || FAILED(info->GetRefTypeInfo(ref, table.Out())))
    return DispInvoke(object, info, id, flags, params, result, excep, arg_err);
  const MethodDescription method(info, id);
  const FUNCDESC* desc = method.get();
  if (desc == nullptr) return DispInvoke(object, info, id, flags, params, result, excep, arg_err);

  // The arguments as passed on, and the temporaries that plain values for references point to.
  std::vector<VARIANT> args(params->rgvarg, params->rgvarg + params->cArgs);
  std::vector<VARIANT> temporaries(params->cArgs);
  for (VARIANT& t : temporaries) VariantInit(&t);
  const UINT positional = params->cArgs - params->cNamedArgs;
  HRESULT hr = S_OK;
  for (UINT i = 0; i < positional && i < static_cast<UINT>(desc->cParams) && SUCCEEDED(hr); ++i) {
    const UINT at = params->cArgs - 1 - i;  // arguments come last first
    VARIANT& arg = args[at];
    const ELEMDESC& param = desc->lprgelemdescParam[i];
    const USHORT direction = param.paramdesc.wParamFlags;
    const VARTYPE pointed = PointedType(param.tdesc);
    if (!(direction & PARAMFLAG_FOUT)) {
      if (arg.vt == (VT_BYREF | VT_VARIANT)) arg = *arg.pvarVal;
      const bool missing = arg.vt == VT_EMPTY || arg.vt == VT_NULL ||
                           (arg.vt == VT_ERROR && arg.scode == DISP_E_PARAMNOTFOUND);
      if (missing && IsInterface(table.get(), param.tdesc)) {
        arg.vt = VT_UNKNOWN;
        arg.punkVal = nullptr;
      }
      continue;
    }
    if (pointed == VT_EMPTY || arg.vt == (VT_BYREF | pointed)) continue;
    const bool in_out = (direction & PARAMFLAG_FIN) != 0;
    // A variable: the value goes back into it, as the declared type.
    VARIANT* target = arg.vt == (VT_BYREF | VT_VARIANT) ? arg.pvarVal : &temporaries[at];
    if (target->vt != pointed) {
      if (in_out) {
        hr = VariantChangeType(target, target == &temporaries[at] ? &params->rgvarg[at] : target, 0, pointed);
      } else {
        hr = VariantClear(target);
        target->vt = pointed;
        target->llVal = 0;
      }
    } else if (target == &temporaries[at]) {
      hr = VariantCopy(target, &params->rgvarg[at]);
    }
    if (FAILED(hr)) {
      if (arg_err != nullptr) *arg_err = at;
      hr = DISP_E_TYPEMISMATCH;
      break;
    }
    arg.vt = static_cast<VARTYPE>(VT_BYREF | pointed);
    arg.byref = ValueOf(*target);
  }
  if (SUCCEEDED(hr)) {
    DISPPARAMS adjusted{args.data(), params->rgdispidNamedArgs, params->cArgs, params->cNamedArgs};
    hr = DispInvoke(object, info, id, flags, &adjusted, result, excep, arg_err);
  }
  for (VARIANT& t : temporaries) VariantClear(&t);
  return hr;
}

}  // namespace vrk
