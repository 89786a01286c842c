#include "interface/dispatch_arguments.h"

#include <iterator>
#include <utility>

#include "interface/data_range_record.h"
#include "platform/oleauto.h"

namespace vrk {
namespace {

// A VARIANT passed by reference (VT_BYREF|VT_VARIANT) stands for the VARIANT it points to.
const VARIANT& Dereferenced(const VARIANT& v) {
  return v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal != nullptr ? *v.pvarVal : v;
}

HRESULT CoercionFailure(HRESULT hr) {
  return hr == DISP_E_OVERFLOW || hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
}

void FreeText(BSTR text) { SysFreeString(text); }
void FreeArray(SAFEARRAY* array) { SafeArrayDestroy(array); }

// A value family: where a value of type `Type` sits in a slot (kSlot), in a VARIANT of type kVt (kField) and
// behind a reference (kRef), and how an old one is let go when a new one replaces it (kFree, none for numbers).
template <class Type, VARTYPE kType, Type DispSlot::*kSlot, Type VARIANT::*kField, Type* VARIANT::*kRef,
          void (*kFree)(Type) = nullptr>
struct ValueFamily {
  static constexpr VARTYPE kVt = kType;
  static Type& In(DispSlot& s) { return s.*kSlot; }
  static Type& Of(VARIANT& v) { return v.*kField; }
  static Type* Ref(VARIANT& v) { return v.*kRef; }
  static void Free(Type value) {
    if constexpr (kFree != nullptr) kFree(value);
  }
};
using TextValue = ValueFamily<BSTR, VT_BSTR, &DispSlot::text, &VARIANT::bstrVal, &VARIANT::pbstrVal, &FreeText>;
using I4Value = ValueFamily<LONG, VT_I4, &DispSlot::i4, &VARIANT::lVal, &VARIANT::plVal>;
using UI4Value = ValueFamily<ULONG, VT_UI4, &DispSlot::ui4, &VARIANT::ulVal, &VARIANT::pulVal>;
using BytesValue =
    ValueFamily<SAFEARRAY*, VT_ARRAY | VT_UI1, &DispSlot::array, &VARIANT::parray, &VARIANT::pparray, &FreeArray>;

// [in] and [in, out] scalars and texts: the argument (dereferenced) converted to the family's type; VT_NULL
// gives a null text.
template <class Value>
HRESULT Coerce(const VARIANT& raw, DispSlot& slot) {
  const VARIANT& v = Dereferenced(raw);
  if (Value::kVt == VT_BSTR && v.vt == VT_NULL) return S_OK;
  VARIANT converted;
  VariantInit(&converted);
  const HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&v), 0, Value::kVt);
  if (FAILED(hr)) return CoercionFailure(hr);
  Value::In(slot) = Value::Of(converted);
  return S_OK;
}

// [in] SAFEARRAY(UI1): borrowed from the caller for the call.
HRESULT TakeBytes(const VARIANT& raw, DispSlot& slot) {
  const VARIANT& v = Dereferenced(raw);
  if (v.vt == (VT_ARRAY | VT_UI1)) slot.borrowed_array = v.parray;
  else if (v.vt == (VT_BYREF | VT_ARRAY | VT_UI1)) slot.borrowed_array = *v.pparray;
  else return DISP_E_TYPEMISMATCH;
  return S_OK;
}

// [in] index list: any object that is one; empty, null or no object at all is no list.
HRESULT TakeIndexes(const VARIANT& raw, DispSlot& slot) {
  const VARIANT& v = Dereferenced(raw);
  if (v.vt == VT_EMPTY || v.vt == VT_NULL) return S_OK;
  IUnknown* object = nullptr;
  if (v.vt == VT_UNKNOWN || v.vt == VT_DISPATCH) object = v.punkVal;
  else if (v.vt == (VT_BYREF | VT_UNKNOWN) || v.vt == (VT_BYREF | VT_DISPATCH)) object = *v.ppunkVal;
  else return DISP_E_TYPEMISMATCH;
  if (object == nullptr) return S_OK;
  if (FAILED(object->QueryInterface(IID_IVRK5420CfgConValueIndexes, reinterpret_cast<void**>(slot.indexes.Out()))))
    return DISP_E_TYPEMISMATCH;
  return S_OK;
}

// [out]: passed by reference, as the type itself or as a VARIANT. A plain value is taken as standard dispatch
// takes it: the method writes into the argument's slot and the result is not given back. A record needs a
// reference to be written into, and one of its own type.
template <VARTYPE kReferenced>
HRESULT CheckReference(const VARIANT& raw, DispSlot&) {
  const bool as_variant = raw.vt == (VT_BYREF | VT_VARIANT) && raw.pvarVal != nullptr;
  const bool as_type = raw.vt == (VT_BYREF | kReferenced) && raw.byref != nullptr;
  if (kReferenced == VT_RECORD && as_type &&
      (raw.pRecInfo == nullptr || !DataRangeRecordInfo()->IsMatchingType(raw.pRecInfo)))
    return DISP_E_TYPEMISMATCH;
  const bool plain = (raw.vt & VT_BYREF) == 0 && kReferenced != VT_RECORD;
  return as_variant || as_type || plain ? S_OK : DISP_E_TYPEMISMATCH;
}

template <class Value>
auto Take(DispSlot& slot) {
  return std::exchange(Value::In(slot), {});
}

template <class Value>
void Write(VARIANT& ref, DispSlot& slot) {
  auto* target = Value::Ref(ref);
  Value::Free(*target);
  *target = Take<Value>(slot);
}

template <class Value>
HRESULT MoveInto(VARIANT& target, DispSlot& slot) {
  target.vt = Value::kVt;
  Value::Of(target) = Take<Value>(slot);
  return S_OK;
}

// Like the early-bound call, the strings already in the caller's record are not freed.
void WriteRange(VARIANT& ref, DispSlot& slot) {
  *static_cast<VRK5420CfgConDataRange*>(ref.pvRecord) = std::exchange(slot.range, VRK5420CfgConDataRange{});
}

HRESULT MoveRangeInto(VARIANT& target, DispSlot& slot) {
  IRecordInfo* info = DataRangeRecordInfo();
  void* record = info->RecordCreate();
  if (record == nullptr) return E_OUTOFMEMORY;
  *static_cast<VRK5420CfgConDataRange*>(record) = std::exchange(slot.range, VRK5420CfgConDataRange{});
  target.vt = VT_RECORD;
  target.pvRecord = record;
  target.pRecInfo = info;
  info->AddRef();
  return S_OK;
}

// Kinds of [in] only: nothing is written back.
template <class Value>
constexpr DispKindRules In(HRESULT (*take)(const VARIANT&, DispSlot&)) {
  return {false, false, Value::kVt, take, nullptr, nullptr};
}
template <class Value>
constexpr DispKindRules InOut() {
  return {true, true, Value::kVt, &Coerce<Value>, &Write<Value>, &MoveInto<Value>};
}
template <class Value>
constexpr DispKindRules Out() {
  return {true, true, Value::kVt, &CheckReference<Value::kVt>, &Write<Value>, &MoveInto<Value>};
}

// One row per kind, in the order of DispType.
constexpr DispKindRules kRules[] = {
    {},                                                                 // kNone
    In<TextValue>(&Coerce<TextValue>),                                  // kBstr
    In<I4Value>(&Coerce<I4Value>),                                      // kI4
    In<UI4Value>(&Coerce<UI4Value>),                                    // kUI4
    In<BytesValue>(&TakeBytes),                                         // kBytes
    {false, true, VT_UNKNOWN, &TakeIndexes, nullptr, nullptr},          // kIndexes
    InOut<TextValue>(),                                                 // kBstrInOut
    InOut<I4Value>(),                                                   // kI4InOut
    Out<TextValue>(),                                                   // kBstrOut
    Out<I4Value>(),                                                     // kI4Out
    Out<UI4Value>(),                                                    // kUI4Out
    Out<BytesValue>(),                                                  // kBytesOut
    {true, true, VT_RECORD, &CheckReference<VT_RECORD>, &WriteRange, &MoveRangeInto},  // kRangeOut
};
static_assert(std::size(kRules) == static_cast<std::size_t>(DispType::kRangeOut) + 1, "one row per kind");

}  // namespace

DispSlot::~DispSlot() {
  SysFreeString(text);
  SafeArrayDestroy(array);
  DataRangeRecordInfo()->RecordClear(&range);
}

const DispKindRules& RulesOf(DispType type) { return kRules[static_cast<std::size_t>(type)]; }

}  // namespace vrk
