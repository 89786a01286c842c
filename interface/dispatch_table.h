// Late binding from a table: each interface lists its members once (name, dispatch identifier, kind, parameter
// and result types, and the early-bound call), and DispatchTable answers GetIDsOfNames and Invoke from it.
// Arguments are converted to the declared types before the call and [out] values written back after it;
// a failing call comes back as DISP_E_EXCEPTION with the error information's text in EXCEPINFO.
#pragma once

#include <array>
#include <initializer_list>
#include <vector>

#include "interface/error_report.h"
#include "interface/vrk5420_interfaces.h"
#include "platform/bstr.h"
#include "platform/com_ptr.h"
#include "platform/safe_array.h"
#include "platform/variant.h"

namespace vrk {

enum class DispKind : uint8_t { kMethod, kGet, kPut };

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

struct DispSignature {
  const char* name;
  DISPID id;
  DispKind kind;
  std::array<DispType, kMaxDispParams> params;  // kNone after the last one
  DispType result;                              // an [out] type for [out, retval], or kNone

  std::size_t param_count() const;
};

// Converted arguments of one call: what the early-bound method receives. Slot i is parameter i in declaration
// order; the result has a slot of its own. A reference accessor gives null for a missing argument.
class DispArgs {
 public:
  DispArgs() = default;
  DispArgs(const DispArgs&) = delete;
  DispArgs& operator=(const DispArgs&) = delete;
  ~DispArgs();

  BSTR Bstr(std::size_t i) const { return slots_[i].text; }
  LONG I4(std::size_t i) const { return slots_[i].i4; }
  ULONG UI4(std::size_t i) const { return slots_[i].ui4; }
  SAFEARRAY* Bytes(std::size_t i) const { return slots_[i].borrowed_array; }
  IVRK5420CfgConValueIndexes* Indexes(std::size_t i) const { return slots_[i].indexes.get(); }
  BSTR* BstrRef(std::size_t i) { return Present(i) ? &slots_[i].text : nullptr; }
  LONG* I4Ref(std::size_t i) { return Present(i) ? &slots_[i].i4 : nullptr; }
  ULONG* UI4Ref(std::size_t i) { return Present(i) ? &slots_[i].ui4 : nullptr; }
  SAFEARRAY** BytesRef(std::size_t i) { return Present(i) ? &slots_[i].array : nullptr; }
  VRK5420CfgConDataRange* Range(std::size_t i) { return Present(i) ? &slots_[i].range : nullptr; }

  BSTR* ResultBstr() { return BstrRef(kMaxDispParams); }
  LONG* ResultI4() { return I4Ref(kMaxDispParams); }
  ULONG* ResultUI4() { return UI4Ref(kMaxDispParams); }
  SAFEARRAY** ResultBytes() { return BytesRef(kMaxDispParams); }

 private:
  friend class DispCallFrame;
  // What a slot owns (text, array, the range's strings) is freed with the arguments unless moved out.
  struct Slot {
    bool present = true;
    BSTR text = nullptr;
    LONG i4 = 0;
    ULONG ui4 = 0;
    SAFEARRAY* borrowed_array = nullptr;
    SAFEARRAY* array = nullptr;
    ComPtr<IVRK5420CfgConValueIndexes> indexes;
    VRK5420CfgConDataRange range{};
  };
  bool Present(std::size_t i) const { return slots_[i].present; }

  std::array<Slot, kMaxDispParams + 1> slots_;
};

// The table-independent steps of Invoke, for one member: refusals, argument conversion, the call's outcome and
// the write-back of [out] values.
class DispCallFrame {
 public:
  DispCallFrame(const DispSignature& member, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                UINT* arg_err)
      : member_(member), params_(params), result_(result), excep_(excep), arg_err_(arg_err) {}

  // Refuses named arguments (other than the value of a put) and a wrong argument count, and converts the
  // arguments: DISP_E_NONAMEDARGS, DISP_E_BADPARAMCOUNT, DISP_E_TYPEMISMATCH / DISP_E_OVERFLOW /
  // DISP_E_PARAMNOTOPTIONAL with *arg_err set to the argument's position in rgvarg.
  HRESULT Prepare(DispArgs& args);
  // Settles a call that returned `hr`: on success writes [out] values back and fills the result; on failure
  // fills EXCEPINFO (scode = hr, source and description from the thread's error information, which stays
  // installed) and returns DISP_E_EXCEPTION.
  HRESULT Finish(DispArgs& args, HRESULT hr);

 private:
  VARIANT& ArgOf(std::size_t param) const;
  bool Missing(std::size_t param) const;
  HRESULT Convert(std::size_t param, DispType type, DispArgs::Slot& slot);
  HRESULT WriteBack(std::size_t param, DispType type, DispArgs::Slot& slot);
  // Moves the slot's value of `type` into `target` (empty on entry).
  static HRESULT MoveInto(VARIANT& target, DispType type, DispArgs::Slot& slot);
  HRESULT Refuse(std::size_t param, HRESULT hr);

  const DispSignature& member_;
  DISPPARAMS* params_;
  VARIANT* result_;
  EXCEPINFO* excep_;
  UINT* arg_err_;
};

// Runs `call` on the table that `table` makes on its first use; E_OUTOFMEMORY, with no call made, when memory
// runs out while it is made.
template <class Table, class Call>
HRESULT WithDispatchTable(const Table& (*table)(), Call&& call) {
  HRESULT hr = E_OUTOFMEMORY;
  GuardCall([&] { hr = call(table()); });
  return hr;
}

// Whether `name` (UTF-16) equals the ASCII `member` regardless of ASCII letter case.
bool DispNameEquals(const OLECHAR* name, const char* member);

// The dispatch table of interface `Iface`.
template <class Iface>
class DispatchTable {
 public:
  using Call = HRESULT (*)(Iface& object, DispArgs& args);
  struct Member {
    DispSignature signature;
    Call call;
  };

  DispatchTable(std::initializer_list<Member> members) : members_(members) {}

  // Every member, in the order of the interface's declaration.
  const std::vector<Member>& members() const { return members_; }

  // No type library exists on this platform: no type information is offered.
  static HRESULT GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  static HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info == nullptr) return E_INVALIDARG;
    *info = nullptr;
    return DISP_E_BADINDEX;
  }

  // names[0] is a member name (any letter case); parameter names are not known, since arguments are only
  // positional. Unknown names get DISPID_UNKNOWN and the call returns DISP_E_UNKNOWNNAME.
  HRESULT GetIDsOfNames(REFIID riid, OLECHAR** names, UINT count, DISPID* ids) const {
    if (!(riid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (count == 0) return S_OK;
    if (names == nullptr || ids == nullptr) return E_INVALIDARG;
    HRESULT hr = S_OK;
    ids[0] = DISPID_UNKNOWN;
    for (const Member& m : members_)
      if (names[0] != nullptr && DispNameEquals(names[0], m.signature.name)) {
        ids[0] = m.signature.id;
        break;
      }
    if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }

  // DISP_E_UNKNOWNINTERFACE for a riid other than IID_NULL; DISP_E_MEMBERNOTFOUND for an unknown identifier or
  // one without a member of the asked kind; otherwise see DispCallFrame.
  HRESULT Invoke(Iface& object, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO* excep, UINT* arg_err) const {
    if (!(riid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (params == nullptr) return E_INVALIDARG;
    const Member* member = Find(id, flags);
    if (member == nullptr) return DISP_E_MEMBERNOTFOUND;
    DispCallFrame frame(member->signature, params, result, excep, arg_err);
    DispArgs args;
    HRESULT outcome = S_OK;
    // Converting arguments and results allocates: exhausted memory there is reported as any failed call is.
    const HRESULT guarded = GuardCall([&] {
      outcome = frame.Prepare(args);
      if (FAILED(outcome)) return;
      // Error information left over from an earlier call must not be taken for this call's.
      SetErrorInfo(0, nullptr);
      outcome = frame.Finish(args, member->call(object, args));
    });
    return FAILED(guarded) ? frame.Finish(args, guarded) : outcome;
  }

 private:
  // A property get also answers DISPATCH_METHOD, as script hosts call it so; a put answers only a put.
  const Member* Find(DISPID id, WORD flags) const {
    for (const Member& m : members_) {
      if (m.signature.id != id) continue;
      const DispKind kind = m.signature.kind;
      if ((kind == DispKind::kMethod && (flags & DISPATCH_METHOD)) ||
          (kind == DispKind::kGet && (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))) ||
          (kind == DispKind::kPut && (flags & DISPATCH_PROPERTYPUT)))
        return &m;
    }
    return nullptr;
  }

  std::vector<Member> members_;
};

}  // namespace vrk
