// Test helpers for late binding: VARIANT builders and a caller that looks a member up by name and invokes it
// the way a script host does (arguments reversed, the put value named DISPID_PROPERTYPUT).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter_fixture.h"
#include "platform/variant.h"

namespace vrk::test {

// Owner of one VARIANT, cleared when it goes.
struct Var {
  VARIANT v;
  Var() { VariantInit(&v); }
  explicit Var(const VARIANT& value) : v(value) {}
  Var(const Var&) = delete;
  Var& operator=(const Var&) = delete;
  ~Var() { VariantClear(&v); }
  std::string Text() const { return v.bstrVal ? BStr::Adopt(SysAllocString(v.bstrVal)).ToUtf8() : "<null>"; }
};

// A VARIANT of type `vt` whose value `fill` sets.
template <class Fill>
VARIANT MakeVariant(VARTYPE vt, Fill fill) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  fill(v);
  return v;
}
inline VARIANT VStr(const std::string& utf8) {
  return MakeVariant(VT_BSTR, [&](VARIANT& v) { v.bstrVal = BStr(utf8).release(); });
}
inline VARIANT VI4(LONG value) { return MakeVariant(VT_I4, [&](VARIANT& v) { v.lVal = value; }); }
inline VARIANT VI2(int16_t value) { return MakeVariant(VT_I2, [&](VARIANT& v) { v.iVal = value; }); }
inline VARIANT VUnknown(IUnknown* object) {
  if (object) object->AddRef();
  return MakeVariant(VT_UNKNOWN, [&](VARIANT& v) { v.punkVal = object; });
}
inline VARIANT VRef(VARTYPE vt, void* target) {
  return MakeVariant(VT_BYREF | vt, [&](VARIANT& v) { v.byref = target; });
}
inline VARIANT VMissing() { return MakeVariant(VT_ERROR, [](VARIANT& v) { v.scode = DISP_E_PARAMNOTFOUND; }); }

// What one Invoke gave back.
struct Outcome {
  HRESULT hr = S_OK;
  Var result;
  EXCEPINFO excep{};
  UINT arg_err = 0xFFFFFFFF;
  Outcome() = default;
  Outcome(const Outcome&) = delete;
  ~Outcome() {
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
  }
  std::string Description() const { return BStr::Adopt(SysAllocString(excep.bstrDescription)).ToUtf8(); }
};

// Looks `name` up and invokes it with `args` in declaration order (they are freed afterwards).
template <class Object>
void InvokeByName(Object* object, const std::string& name, WORD flags, std::vector<VARIANT> args, Outcome& out) {
  BStr wide(name);
  OLECHAR* names[] = {wide.get()};
  DISPID id = 0;
  out.hr = object->GetIDsOfNames(IID_NULL, names, 1, 1033, &id);
  if (FAILED(out.hr)) return;
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), flags == DISPATCH_PROPERTYPUT ? &put_id : nullptr,
                    static_cast<UINT>(reversed.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
  out.hr = object->Invoke(id, IID_NULL, 1033, flags, &params, &out.result.v, &out.excep, &out.arg_err);
  for (VARIANT& v : args) VariantClear(&v);
}

class DispatchTest : public ConverterTest {
 protected:
  // Invokes a member of the converter; fails the test on anything but S_OK.
  void Ok(const std::string& name, WORD flags, std::vector<VARIANT> args, Outcome& out) {
    InvokeByName(cvt_.get(), name, flags, std::move(args), out);
    EXPECT_EQ(out.hr, S_OK) << name << ": " << out.Description();
  }
  // The result code of invoking a member of the converter.
  HRESULT InvokeResult(const std::string& name, WORD flags, std::vector<VARIANT> args) {
    Outcome out;
    InvokeByName(cvt_.get(), name, flags, std::move(args), out);
    return out.hr;
  }
  std::string GetText(const std::string& name, std::vector<VARIANT> args = {}) {
    Outcome out;
    Ok(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(args), out);
    return out.result.v.vt == VT_BSTR ? out.result.Text() : "<not a string>";
  }
  LONG GetI4(const std::string& name) {
    Outcome out;
    Ok(name, DISPATCH_PROPERTYGET, {}, out);
    EXPECT_EQ(out.result.v.vt, VT_I4);
    return out.result.v.lVal;
  }
  void Put(const std::string& name, VARIANT value) {
    Outcome out;
    Ok(name, DISPATCH_PROPERTYPUT, {value}, out);
  }
  void Method(const std::string& name, std::vector<VARIANT> args = {}) {
    Outcome out;
    Ok(name, DISPATCH_METHOD, std::move(args), out);
  }
  // An index list filled through its own late binding.
  ComPtr<IVRK5420CfgConValueIndexes> LateIndexes(const Indexes& entries) {
    ComPtr<IVRK5420CfgConValueIndexes> list = MakeIndexes({});
    Outcome count;
    InvokeByName(list.get(), "Count", DISPATCH_PROPERTYPUT, {VI4(static_cast<LONG>(entries.size()))}, count);
    EXPECT_EQ(count.hr, S_OK);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      Outcome flag, value;
      InvokeByName(list.get(), "UseAttr", DISPATCH_PROPERTYPUT, {VI4(LONG(i)), VI4(entries[i].use_attr)}, flag);
      InvokeByName(list.get(), "Value", DISPATCH_PROPERTYPUT, {VI4(LONG(i)), VI4(LONG(entries[i].value))}, value);
      EXPECT_EQ(flag.hr, S_OK);
      EXPECT_EQ(value.hr, S_OK);
    }
    return list;
  }
};

}  // namespace vrk::test
