#include "interface/dispatch_table.h"

#include "platform/oleauto.h"

namespace vrk {

std::size_t DispSignature::param_count() const {
  std::size_t n = 0;
  while (n < kMaxDispParams && params[n] != DispType::kNone) ++n;
  return n;
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
    const HRESULT hr = Convert(i, member_.params[i], args[i]);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT DispCallFrame::Convert(std::size_t param, DispType type, DispSlot& slot) {
  const VARIANT& raw = ArgOf(param);
  const DispKindRules& rules = RulesOf(type);
  if (raw.vt == VT_ERROR && raw.scode == DISP_E_PARAMNOTFOUND) {
    if (!rules.optional) return Refuse(param, DISP_E_PARAMNOTOPTIONAL);
    slot.present = false;
    return S_OK;
  }
  const HRESULT hr = rules.take(raw, slot);
  return FAILED(hr) ? Refuse(param, hr) : S_OK;
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
    if (!RulesOf(type).out || !args[i].present) continue;
    const HRESULT written = WriteBack(i, type, args[i]);
    if (FAILED(written)) return written;
  }
  if (result_ != nullptr) {
    VariantInit(result_);
    if (member_.result != DispType::kNone) return RulesOf(member_.result).move_into(*result_, args[kDispResultSlot]);
  }
  return S_OK;
}

HRESULT DispCallFrame::WriteBack(std::size_t param, DispType type, DispSlot& slot) {
  VARIANT& raw = ArgOf(param);
  const DispKindRules& rules = RulesOf(type);
  if (raw.vt == (VT_BYREF | VT_VARIANT)) {
    VariantClear(raw.pvarVal);
    return rules.move_into(*raw.pvarVal, slot);
  }
  if (raw.vt == (VT_BYREF | rules.vt)) rules.write(raw, slot);
  return S_OK;  // otherwise an [out] or [in, out] passed by value
}

}  // namespace vrk
