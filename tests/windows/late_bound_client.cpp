// A late-bound client of the registered server, as a script host drives it: the converter is created by ProgID
// and reached only through IDispatch, members found by name with GetIDsOfNames and called with Invoke on
// VARIANT arguments. Usage: late_bound_client IMAGE_FILE. Writes the image of the default configuration with
// one value changed and prints its CRC-32; exit code 0 when every check passed.
#include <vector>

#include "interface/vrk5420_interfaces.h"
#include "platform/com_ptr.h"
#include "tests/windows/client_checks.h"

namespace {

using namespace vrk::wintest;
using vrk::ComPtr;

// A VARIANT that clears itself.
struct Var : VARIANT {
  Var() { VariantInit(this); }
  explicit Var(const wchar_t* text) : Var() {
    vt = VT_BSTR;
    bstrVal = SysAllocString(text);
  }
  Var(const Var&) = delete;
  Var& operator=(const Var&) = delete;
  ~Var() { VariantClear(this); }
  bool IsText(const wchar_t* text) const { return vt == VT_BSTR && bstrVal != nullptr && std::wstring(bstrVal) == text; }
};

// The outcome of one Invoke: its result, the returned value and the exception information.
struct Outcome {
  HRESULT hr = E_UNEXPECTED;
  Var result;
  EXCEPINFO excep{};
  Outcome() = default;
  Outcome(const Outcome&) = delete;
  ~Outcome() {
    for (BSTR text : {excep.bstrSource, excep.bstrDescription, excep.bstrHelpFile}) SysFreeString(text);
  }
  std::wstring Description() const { return excep.bstrDescription ? excep.bstrDescription : L""; }
  std::wstring Source() const { return excep.bstrSource ? excep.bstrSource : L""; }
};

class LateBound {
 public:
  explicit LateBound(IDispatch* object) : object_(object) {}

  DISPID IdOf(const wchar_t* name) const {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
  }
  // Calls `name` with `args` in declaration order (Invoke takes them last first).
  void Call(Outcome& out, const wchar_t* name, WORD flags, std::vector<VARIANT*> args = {}) const {
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID put = DISPID_PROPERTYPUT;
    if (flags == DISPATCH_PROPERTYPUT) {
      params.rgdispidNamedArgs = &put;
      params.cNamedArgs = 1;
    }
    UINT arg_err = 0;
    out.hr = object_->Invoke(IdOf(name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                             flags == DISPATCH_PROPERTYPUT ? nullptr : &out.result, &out.excep, &arg_err);
  }

 private:
  IDispatch* object_;
};

VARIANT ByRef(VARIANT& target) {
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BYREF | VT_VARIANT;
  ref.pvarVal = &target;
  return ref;
}

void CheckNames(CheckLog& log, const LateBound& converter) {
  log.Expect(converter.IdOf(L"CreateNewCfg") == 0x60020005 && converter.IdOf(L"getvalue") == 0x60020007 &&
                 converter.IdOf(L"GetNodeText") == 0x15 && converter.IdOf(L"BIN") == 0x60020002,
             "GetIDsOfNames gives the dispatch identifiers, in any letter case");
  log.Expect(converter.IdOf(L"NoSuchMember") == DISPID_UNKNOWN, "an unknown name has no identifier");
}

void CheckValues(CheckLog& log, const LateBound& converter) {
  Var path(kDecimationPath);
  Var no_list;  // VT_EMPTY: an empty index list
  Outcome read;
  converter.Call(read, L"GetValue", DISPATCH_METHOD, {&path, &no_list});
  log.Expect(read.hr == S_OK && read.result.IsText(kDefaultDecimation),
             "GetValue with an empty index-list argument reads the default value");

  Var wrong(kOutOfRangeDecimation);
  VARIANT wrong_ref = ByRef(wrong);
  Outcome failed;
  converter.Call(failed, L"SetValue", DISPATCH_METHOD, {&path, &no_list, &wrong_ref});
  log.ExpectHr(failed.hr, DISP_E_EXCEPTION, "SetValue out of range raises an exception");
  log.Expect(failed.excep.scode == E_FAIL && failed.Description() == kOutOfRangeDescription &&
                 failed.Source() == kConverterVersionProgId,
             "its exception information carries the code, the description and the ProgID");

  Var changed(kNewDecimation);
  VARIANT changed_ref = ByRef(changed);
  Outcome set;
  converter.Call(set, L"SetValue", DISPATCH_METHOD, {&path, &no_list, &changed_ref});
  log.Expect(set.hr == S_OK && changed.IsText(kNewDecimation), "SetValue writes a value and gives it back");
  Outcome again;
  converter.Call(again, L"GetValue", DISPATCH_METHOD, {&path, &no_list});
  log.Expect(again.result.IsText(kNewDecimation), "GetValue reads the new value");
}

// The index list has no IDispatch, but a late-bound caller can still pass it as an IUnknown.
void CheckIndexList(CheckLog& log, const LateBound& converter) {
  auto indexes = CreateByProgId<IVRK5420CfgConValueIndexes>(kIndexesProgId, IID_IVRK5420CfgConValueIndexes);
  if (!log.Expect(static_cast<bool>(indexes), "the index list is created by ProgID")) return;
  indexes->put_Count(1);
  indexes->put_UseAttr(0, 1);
  indexes->put_Value(0, kTableKey);
  Var path(kTableCountPath);
  Var list;
  list.vt = VT_UNKNOWN;
  indexes->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&list.punkVal));
  Outcome read;
  converter.Call(read, L"GetValue", DISPATCH_METHOD, {&path, &list});
  log.Expect(read.hr == S_OK && read.result.IsText(kTableCount), "GetValue with an index list as IUnknown");
}

// GetBIN with both [out] arguments as VARIANTs by reference, then the BIN property both ways.
void CheckImage(CheckLog& log, const LateBound& converter, const char* image_file) {
  Var image, crc;
  VARIANT image_ref = ByRef(image), crc_ref = ByRef(crc);
  Outcome got;
  converter.Call(got, L"GetBIN", DISPATCH_METHOD, {&image_ref, &crc_ref});
  if (!log.Expect(got.hr == S_OK && image.vt == (VT_ARRAY | VT_UI1) && crc.vt == VT_UI4,
                  "GetBIN gives a byte array and a CRC-32"))
    return;
  log.Expect(WriteImage(image.parray, image_file), "the image is written");
  PrintCrc(crc.ulVal);

  Outcome property;
  converter.Call(property, L"BIN", DISPATCH_PROPERTYGET);
  log.Expect(property.hr == S_OK && property.result.vt == (VT_ARRAY | VT_UI1) &&
                 SameBytes(property.result.parray, image.parray),
             "the BIN property gives the same bytes");
  Outcome put;
  converter.Call(put, L"BIN", DISPATCH_PROPERTYPUT, {&image});
  Var image_again, crc_again;
  VARIANT again_ref = ByRef(image_again), crc_again_ref = ByRef(crc_again);
  Outcome again;
  converter.Call(again, L"GetBIN", DISPATCH_METHOD, {&again_ref, &crc_again_ref});
  log.Expect(put.hr == S_OK && again.hr == S_OK && SameBytes(image_again.parray, image.parray) &&
                 crc_again.ulVal == crc.ulVal,
             "BIN put of the image and GetBIN again give the same bytes and CRC");
}

void Run(CheckLog& log, const char* image_file) {
  auto dispatch = CreateByProgId<IDispatch>(kConverterProgId, IID_IDispatch);
  if (!log.Expect(static_cast<bool>(dispatch), "the converter is created by ProgID as IDispatch")) return;
  const LateBound converter(dispatch.get());
  CheckNames(log, converter);
  Outcome made;
  converter.Call(made, L"CreateNewCfg", DISPATCH_METHOD);
  if (!log.ExpectHr(made.hr, S_OK, "CreateNewCfg makes the default configuration")) return;
  CheckValues(log, converter);
  CheckIndexList(log, converter);
  CheckImage(log, converter, image_file);
}

}  // namespace

int main(int argc, char** argv) { return RunClient(argc, argv, "late_bound_client", Run); }
