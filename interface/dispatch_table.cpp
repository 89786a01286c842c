#include "interface/dispatch_table.h"

#include "interface/data_range_record.h"
#include <utility>

#include "platform/oleauto.h"

namespace vrk {
namespace {

bool IsOutType(DispType type) {
  switch (type) {
    case DispType::kBstrInOut: case DispType::kI4InOut: case DispType::kBstrOut: case DispType::kI4Out:
    case DispType::kUI4Out: case DispType::kBytesOut: case DispType::kRangeOut:
      return true;
    default:
      return false;
  }
}

// Pointer parameters: a missing argument passes null, as an early-bound caller may.
bool MayBeMissing(DispType type) { return type == DispType::kIndexes || IsOutType(type); }

// The platform type that an [out] or [in, out] parameter is passed by reference as.
VARTYPE ReferencedType(DispType type) {
  switch (type) {
    case DispType::kBstrInOut: case DispType::kBstrOut: return VT_BSTR;
    case DispType::kI4InOut: case DispType::kI4Out: return VT_I4;
    case DispType::kUI4Out: return VT_UI4;
    case DispType::kBytesOut: return VT_ARRAY | VT_UI1;
    case DispType::kRangeOut: return VT_RECORD;
    default: return VT_EMPTY;
  }
}

// A VARIANT passed by reference (VT_BYREF|VT_VARIANT) stands for the VARIANT it points to.
const VARIANT& Dereferenced(const VARIANT& v) {
  return v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal != nullptr ? *v.pvarVal : v;
}

HRESULT CoercionFailure(HRESULT hr) {
  return hr == DISP_E_OVERFLOW || hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
}

}  // namespace

std::size_t DispSignature::param_count() const {
  std::size_t n = 0;
  while (n < kMaxDispParams && params[n] != DispType::kNone) ++n;
  return n;
}

DispArgs::~DispArgs() {
  for (Slot& slot : slots_) {
    SysFreeString(slot.text);
    SafeArrayDestroy(slot.array);
    DataRangeRecordInfo()->RecordClear(&slot.range);
  }
}

bool DispNameEquals(const OLECHAR* name, const char* member) {
  auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; };
  for (; *name != 0 && *member != 0; ++name, ++member)
    if (upper(*name) != upper(static_cast<unsigned char>(*member))) return false;
  return *name == 0 && *member == 0;
}

VARIANT& DispCallFrame::ArgOf(std::size_t param) const {
  return params_->rgvarg[params_->cArgs - 1 - param];
}

bool DispCallFrame::Missing(std::size_t param) const {
  const VARIANT& v = ArgOf(param);
  return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND;
}

HRESULT DispCallFrame::Refuse(std::size_t param, HRESULT hr) {
  if (arg_err_ != nullptr) *arg_err_ = static_cast<UINT>(params_->cArgs - 1 - param);
  return hr;
}

HRESULT DispCallFrame::Prepare(DispArgs& args) {
  if (params_->cNamedArgs != 0) {
    const bool put_value = member_.kind == DispKind::kPut && params_->cNamedArgs == 1 &&
                           params_->rgdispidNamedArgs != nullptr &&
                           params_->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
    if (!put_value) return DISP_E_NONAMEDARGS;
  }
  const std::size_t count = member_.param_count();
  if (params_->cArgs != count) return DISP_E_BADPARAMCOUNT;
  if (count != 0 && params_->rgvarg == nullptr) return E_INVALIDARG;
  for (std::size_t i = 0; i < count; ++i) {
    const HRESULT hr = Convert(i, member_.params[i], args.slots_[i]);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT DispCallFrame::Convert(std::size_t param, DispType type, DispArgs::Slot& slot) {
  if (Missing(param)) {
    if (!MayBeMissing(type)) return Refuse(param, DISP_E_PARAMNOTOPTIONAL);
    slot.present = false;
    return S_OK;
  }
  const VARIANT& raw = ArgOf(param);
  const VARIANT& v = Dereferenced(raw);
  VARIANT converted;
  VariantInit(&converted);
  switch (type) {
    case DispType::kBstr:
    case DispType::kBstrInOut: {
      if (v.vt == VT_NULL) return S_OK;  // a null BSTR
      const HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&v), 0, VT_BSTR);
      if (FAILED(hr)) return Refuse(param, CoercionFailure(hr));
      slot.text = converted.bstrVal;
      return S_OK;
    }
    case DispType::kI4:
    case DispType::kI4InOut:
    case DispType::kUI4: {
      const bool is_signed = type != DispType::kUI4;
      const HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&v), 0, is_signed ? VT_I4 : VT_UI4);
      if (FAILED(hr)) return Refuse(param, CoercionFailure(hr));
      if (is_signed) slot.i4 = converted.lVal;
      else slot.ui4 = converted.ulVal;
      return S_OK;
    }
    case DispType::kBytes:
      if (v.vt == (VT_ARRAY | VT_UI1)) slot.borrowed_array = v.parray;
      else if (v.vt == (VT_BYREF | VT_ARRAY | VT_UI1)) slot.borrowed_array = *v.pparray;
      else return Refuse(param, DISP_E_TYPEMISMATCH);
      return S_OK;
    case DispType::kIndexes: {
      if (v.vt == VT_EMPTY || v.vt == VT_NULL) return S_OK;
      IUnknown* object = nullptr;
      if (v.vt == VT_UNKNOWN || v.vt == VT_DISPATCH) object = v.punkVal;
      else if (v.vt == (VT_BYREF | VT_UNKNOWN) || v.vt == (VT_BYREF | VT_DISPATCH)) object = *v.ppunkVal;
      else return Refuse(param, DISP_E_TYPEMISMATCH);
      if (object == nullptr) return S_OK;
      if (FAILED(object->QueryInterface(IID_IVRK5420CfgConValueIndexes,
                                        reinterpret_cast<void**>(slot.indexes.Out()))))
        return Refuse(param, DISP_E_TYPEMISMATCH);
      return S_OK;
    }
    default:
      break;
  }
  // [out] and [in, out]: passed by reference, as the type itself or as a VARIANT.
  const VARTYPE referenced = ReferencedType(type);
  const bool as_variant = raw.vt == (VT_BYREF | VT_VARIANT) && raw.pvarVal != nullptr;
  const bool as_type = raw.vt == (VT_BYREF | referenced) && raw.byref != nullptr;
  if (type == DispType::kRangeOut && as_type &&
      (raw.pRecInfo == nullptr || !DataRangeRecordInfo()->IsMatchingType(raw.pRecInfo)))
    return Refuse(param, DISP_E_TYPEMISMATCH);
  // A plain value for an [out] parameter is taken as standard dispatch takes it: the method writes into the
  // argument's slot and the result is not given back. A record needs a reference to be written into.
  const bool plain = (raw.vt & VT_BYREF) == 0 && type != DispType::kRangeOut;
  if (!as_variant && !as_type && !plain) return Refuse(param, DISP_E_TYPEMISMATCH);
  return S_OK;
}

HRESULT DispCallFrame::Finish(DispArgs& args, HRESULT hr) {
  if (FAILED(hr)) {
    if (excep_ != nullptr) {
      *excep_ = EXCEPINFO{};
      excep_->scode = hr;
      ComPtr<IErrorInfo> info;
      if (GetErrorInfo(0, info.Out()) == S_OK && info) {
        info->GetSource(&excep_->bstrSource);
        info->GetDescription(&excep_->bstrDescription);
        SetErrorInfo(0, info.get());  // still there for callers that ask the thread
      }
    }
    return DISP_E_EXCEPTION;
  }
  for (std::size_t i = 0; i < member_.param_count(); ++i) {
    const DispType type = member_.params[i];
    if (!IsOutType(type) || !args.slots_[i].present) continue;
    const HRESULT written = WriteBack(i, type, args.slots_[i]);
    if (FAILED(written)) return written;
  }
  if (result_ != nullptr) {
    VariantInit(result_);
    if (member_.result != DispType::kNone) return MoveInto(*result_, member_.result, args.slots_[kMaxDispParams]);
  }
  return S_OK;
}

HRESULT DispCallFrame::WriteBack(std::size_t param, DispType type, DispArgs::Slot& slot) {
  VARIANT& raw = ArgOf(param);
  if (raw.vt == (VT_BYREF | VT_VARIANT)) {
    VariantClear(raw.pvarVal);
    return MoveInto(*raw.pvarVal, type, slot);
  }
  if (raw.vt != (VT_BYREF | ReferencedType(type))) return S_OK;  // an [out] or [in, out] passed by value
  switch (type) {
    case DispType::kBstrInOut:
    case DispType::kBstrOut:
      SysFreeString(*raw.pbstrVal);
      *raw.pbstrVal = std::exchange(slot.text, nullptr);
      break;
    case DispType::kI4InOut:
    case DispType::kI4Out: *raw.plVal = slot.i4; break;
    case DispType::kUI4Out: *raw.pulVal = slot.ui4; break;
    case DispType::kBytesOut:
      SafeArrayDestroy(*raw.pparray);
      *raw.pparray = std::exchange(slot.array, nullptr);
      break;
    case DispType::kRangeOut:
      // Like the early-bound call, the strings already in the caller's record are not freed.
      *static_cast<VRK5420CfgConDataRange*>(raw.pvRecord) = std::exchange(slot.range, VRK5420CfgConDataRange{});
      break;
    default: break;
  }
  return S_OK;
}

HRESULT DispCallFrame::MoveInto(VARIANT& target, DispType type, DispArgs::Slot& slot) {
  switch (type) {
    case DispType::kBstrInOut:
    case DispType::kBstrOut:
      target.vt = VT_BSTR;
      target.bstrVal = std::exchange(slot.text, nullptr);
      break;
    case DispType::kI4InOut:
    case DispType::kI4Out:
      target.vt = VT_I4;
      target.lVal = slot.i4;
      break;
    case DispType::kUI4Out:
      target.vt = VT_UI4;
      target.ulVal = slot.ui4;
      break;
    case DispType::kBytesOut:
      target.vt = VT_ARRAY | VT_UI1;
      target.parray = std::exchange(slot.array, nullptr);
      break;
    case DispType::kRangeOut: {
      IRecordInfo* info = DataRangeRecordInfo();
      void* record = info->RecordCreate();
      if (record == nullptr) return E_OUTOFMEMORY;
      *static_cast<VRK5420CfgConDataRange*>(record) = std::exchange(slot.range, VRK5420CfgConDataRange{});
      target.vt = VT_RECORD;
      target.pvRecord = record;
      target.pRecInfo = info;
      info->AddRef();
      break;
    }
    default: break;
  }
  return S_OK;
}

}  // namespace vrk
