// Late binding from a table: each interface lists its members once (name, dispatch identifier and the
// early-bound method with the kinds of its parameters), and DispatchTable answers GetIDsOfNames and Invoke from
// it. A row names its method by member pointer; the kinds it gives must be the method's parameter types, or the
// row does not compile. Arguments are converted to the declared types before the call and [out] values written
// back after it; a failing call comes back as DISP_E_EXCEPTION with the error information's text in EXCEPINFO.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "interface/dispatch_arguments.h"
#include "interface/error_report.h"
#include "interface/vrk5420_interfaces.h"

namespace vrk {

enum class DispKind : uint8_t { kMethod, kGet, kPut };

struct DispSignature {
  const char* name;
  DISPID id;
  DispKind kind;
  std::array<DispType, kMaxDispParams> params;  // kNone after the last one
  DispType result;                              // an [out] type for [out, retval], or kNone

  std::size_t param_count() const;
};

// One member of interface `Iface`: its signature and the early-bound call on converted arguments.
template <class Iface>
struct DispMember {
  DispSignature signature;
  HRESULT (*call)(Iface& object, DispArgs& args);
};

namespace dispatch_detail {

// The object type and parameter types of an early-bound call: a method of the interface, or a function that
// takes the object first.
template <class Method> struct CallOf;
template <class Iface, class... Params>
struct CallOf<HRESULT (STDMETHODCALLTYPE Iface::*)(Params...)> {
  using Object = Iface;
  using Parameters = std::tuple<Params...>;
};
template <class Iface, class... Params>
struct CallOf<HRESULT (*)(Iface&, Params...)> {
  using Object = Iface;
  using Parameters = std::tuple<Params...>;
};

}  // namespace dispatch_detail

// Whether kTypes are the parameter types of early-bound call kMethod, one kind per parameter.
template <auto kMethod, DispType... kTypes>
concept DispRowFits = std::is_same_v<typename dispatch_detail::CallOf<decltype(kMethod)>::Parameters,
                                     std::tuple<typename DispParam<kTypes>::Type...>>;

// How a member is called: a method, a method whose last parameter is its [out, retval] result, a property get
// (its last parameter is the result) or a property put.
enum class DispForm : uint8_t { kMethod, kMethodReturning, kGet, kPut };

// One row of a table: member `name` (`id`) called as kForm through kMethod, whose parameters are of kinds kTypes.
// A row whose kinds are not its method's parameter types does not compile.
template <auto kMethod, DispForm kForm, DispType... kTypes>
  requires DispRowFits<kMethod, kTypes...>
DispMember<typename dispatch_detail::CallOf<decltype(kMethod)>::Object> DispRow(const char* name, DISPID id) {
  using Object = typename dispatch_detail::CallOf<decltype(kMethod)>::Object;
  constexpr bool kReturns = kForm == DispForm::kMethodReturning || kForm == DispForm::kGet;
  constexpr DispKind kKind = kForm == DispForm::kGet   ? DispKind::kGet
                             : kForm == DispForm::kPut ? DispKind::kPut
                                                       : DispKind::kMethod;
  constexpr std::size_t kCount = sizeof...(kTypes) - (kReturns ? 1 : 0);
  static_assert(kCount <= kMaxDispParams, "a dispatch row has too many parameters, or a result it lacks");
  constexpr std::array<DispType, sizeof...(kTypes)> kAll{kTypes...};
  DispSignature signature{name, id, kKind, {}, kReturns ? kAll.back() : DispType::kNone};
  for (std::size_t i = 0; i < kCount; ++i) signature.params[i] = kAll[i];
  auto call = [](Object& object, DispArgs& args) {
    return [&]<std::size_t... kIndex>(std::index_sequence<kIndex...>) {
      // Parameter i comes from slot i, the result from its own slot.
      return std::invoke(kMethod, object,
                         DispParam<kTypes>::From(args[kReturns && kIndex == kCount ? kDispResultSlot : kIndex])...);
    }(std::make_index_sequence<sizeof...(kTypes)>{});
  };
  return {signature, call};
}

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
  HRESULT Convert(std::size_t param, DispType type, DispSlot& slot);
  HRESULT WriteBack(std::size_t param, DispType type, DispSlot& slot);
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
  using Member = DispMember<Iface>;

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
