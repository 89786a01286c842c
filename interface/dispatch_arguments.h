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

// Per kind, what the early-bound method takes (Type) and how a slot gives it (From); a reference to a missing
// argument is null.
template <DispType> struct DispParam;
template <> struct DispParam<DispType::kBstr> {
  using Type = BSTR;
  static Type From(DispSlot& s) { return s.text; }
};
template <> struct DispParam<DispType::kI4> {
  using Type = LONG;
  static Type From(DispSlot& s) { return s.i4; }
};
template <> struct DispParam<DispType::kUI4> {
  using Type = ULONG;
  static Type From(DispSlot& s) { return s.ui4; }
};
template <> struct DispParam<DispType::kBytes> {
  using Type = SAFEARRAY*;
  static Type From(DispSlot& s) { return s.borrowed_array; }
};
template <> struct DispParam<DispType::kIndexes> {
  using Type = IVRK5420CfgConValueIndexes*;
  static Type From(DispSlot& s) { return s.indexes.get(); }
};
template <> struct DispParam<DispType::kBstrOut> {
  using Type = BSTR*;
  static Type From(DispSlot& s) { return s.present ? &s.text : nullptr; }
};
template <> struct DispParam<DispType::kI4Out> {
  using Type = LONG*;
  static Type From(DispSlot& s) { return s.present ? &s.i4 : nullptr; }
};
template <> struct DispParam<DispType::kUI4Out> {
  using Type = ULONG*;
  static Type From(DispSlot& s) { return s.present ? &s.ui4 : nullptr; }
};
template <> struct DispParam<DispType::kBytesOut> {
  using Type = SAFEARRAY**;
  static Type From(DispSlot& s) { return s.present ? &s.array : nullptr; }
};
template <> struct DispParam<DispType::kRangeOut> {
  using Type = VRK5420CfgConDataRange*;
  static Type From(DispSlot& s) { return s.present ? &s.range : nullptr; }
};
template <> struct DispParam<DispType::kBstrInOut> : DispParam<DispType::kBstrOut> {};
template <> struct DispParam<DispType::kI4InOut> : DispParam<DispType::kI4Out> {};

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
