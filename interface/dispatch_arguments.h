// The argument kinds of late binding: how each parameter of an automation member is declared, the slot that
// holds a converted argument for the early-bound call, and, per kind, the C++ type the call takes and the
// rules by which an argument of that kind is converted, checked and given back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "interface/vrk5420_interfaces.h"
#include "platform/com_ptr.h"
#include "platform/variant.h"

namespace vrk {

// How one parameter (or the [out, retval] result) is declared.
enum class DispType : uint8_t {
  kNone,
  kBstr,       // [in] BSTR; VT_NULL gives a null BSTR
  kI4,         // [in] LONG
  kUI4,        // [in] ULONG
  kBytes,      // [in] SAFEARRAY(UI1), VT_ARRAY|VT_UI1
  kIndexes,    // [in] IVRK5420CfgConValueIndexes*, from VT_UNKNOWN/VT_DISPATCH; empty, null or missing: null
  kBstrInOut,  // [in, out] BSTR*
  kI4InOut,    // [in, out] LONG*
  kBstrOut,    // [out] BSTR*
  kI4Out,      // [out] LONG*
  kUI4Out,     // [out] ULONG*
  kBytesOut,   // [out] SAFEARRAY(UI1)*
  kRangeOut,   // [out] VRK5420CfgConDataRange*, VT_BYREF|VT_RECORD or a VARIANT by reference
};

constexpr std::size_t kMaxDispParams = 3;
// The slot of the [out, retval] result.
constexpr std::size_t kDispResultSlot = kMaxDispParams;

// One converted argument. What it owns (text, array, the range's strings) is freed with it unless moved out;
// `present` is false for a missing optional argument.
struct DispSlot {
  DispSlot() = default;
  DispSlot(const DispSlot&) = delete;
  DispSlot& operator=(const DispSlot&) = delete;
  ~DispSlot();

  bool present = true;
  BSTR text = nullptr;
  LONG i4 = 0;
  ULONG ui4 = 0;
  SAFEARRAY* borrowed_array = nullptr;
  SAFEARRAY* array = nullptr;
  ComPtr<IVRK5420CfgConValueIndexes> indexes;
  VRK5420CfgConDataRange range{};
};

// Converted arguments of one call: slot i is parameter i in declaration order, kDispResultSlot the result.
using DispArgs = std::array<DispSlot, kMaxDispParams + 1>;

// Per kind, what the early-bound method takes (Type) and how a slot gives it (From): a value the slot holds,
// or a reference to it, null for a missing argument.
template <DispType> struct DispParam;
template <class T, T DispSlot::*kField>
struct DispValueParam {
  using Type = T;
  static Type From(DispSlot& s) { return s.*kField; }
};
template <class T, T DispSlot::*kField>
struct DispRefParam {
  using Type = T*;
  static Type From(DispSlot& s) { return s.present ? &(s.*kField) : nullptr; }
};
template <> struct DispParam<DispType::kBstr> : DispValueParam<BSTR, &DispSlot::text> {};
template <> struct DispParam<DispType::kI4> : DispValueParam<LONG, &DispSlot::i4> {};
template <> struct DispParam<DispType::kUI4> : DispValueParam<ULONG, &DispSlot::ui4> {};
template <> struct DispParam<DispType::kBytes> : DispValueParam<SAFEARRAY*, &DispSlot::borrowed_array> {};
template <> struct DispParam<DispType::kIndexes> {
  using Type = IVRK5420CfgConValueIndexes*;
  static Type From(DispSlot& s) { return s.indexes.get(); }
};
template <> struct DispParam<DispType::kBstrInOut> : DispRefParam<BSTR, &DispSlot::text> {};
template <> struct DispParam<DispType::kI4InOut> : DispRefParam<LONG, &DispSlot::i4> {};
template <> struct DispParam<DispType::kBstrOut> : DispRefParam<BSTR, &DispSlot::text> {};
template <> struct DispParam<DispType::kI4Out> : DispRefParam<LONG, &DispSlot::i4> {};
template <> struct DispParam<DispType::kUI4Out> : DispRefParam<ULONG, &DispSlot::ui4> {};
template <> struct DispParam<DispType::kBytesOut> : DispRefParam<SAFEARRAY*, &DispSlot::array> {};
template <> struct DispParam<DispType::kRangeOut> : DispRefParam<VRK5420CfgConDataRange, &DispSlot::range> {};

// The run-time rules of one kind.
struct DispKindRules {
  // [out] or [in, out]: passed by reference and written back after a successful call.
  bool out;
  // May be missing (DISP_E_PARAMNOTFOUND): the call then receives null.
  bool optional;
  // The platform type of the value; what an [out] argument is a reference to.
  VARTYPE vt;
  // Takes argument `raw` into `slot`, or checks that it can receive the value; a failure is the call's result.
  HRESULT (*take)(const VARIANT& raw, DispSlot& slot);
  // Moves the slot's value through `ref`, a reference of type VT_BYREF|vt, freeing what it held.
  void (*write)(VARIANT& ref, DispSlot& slot);
  // Moves the slot's value into `target`, which holds nothing.
  HRESULT (*move_into)(VARIANT& target, DispSlot& slot);
};

// The rules of `type` (not kNone).
const DispKindRules& RulesOf(DispType type);

}  // namespace vrk
