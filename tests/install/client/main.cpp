// A client of the installed library: creates the converter, reads a value of the default configuration early-
// and late-bound, and sees a refused value come back with the component's message. Exit code 0 when all works.
// With --progid it creates the converter as a client that knows only the ProgID does: through the registry that
// `vrkcfg register` wrote, which also names the ProgID of the class back.
#include <cstdio>
#include <cstring>
#include <string>

#include "interface/vrk5420_interfaces.h"
#include "platform/com_client.h"
#include "platform/com_ptr.h"
#include "platform/oleauto.h"
#include "platform/variant.h"

namespace {

std::string Narrow(const OLECHAR* text) {
  std::string out;
  for (; text != nullptr && *text != 0; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
  return out;
}

int Fail(const char* what) {
  std::fprintf(stderr, "client: %s\n", what);
  return 1;
}

// The same value read late-bound, as a script would: by name through IDispatch.
bool LateBoundValueIs(IDispatch* dispatch, const char16_t* path, const std::string& expected) {
  OLECHAR name[] = u"GetValue";
  OLECHAR* names[] = {name};
  DISPID id = 0;
  if (dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id) != S_OK) return false;
  // Arguments come last first: the index list (left out, as a script leaves it out), then the path.
  VARIANT arguments[2];
  VariantInit(&arguments[0]);
  arguments[0].vt = VT_ERROR;
  arguments[0].scode = DISP_E_PARAMNOTFOUND;
  VariantInit(&arguments[1]);
  arguments[1].vt = VT_BSTR;
  arguments[1].bstrVal = SysAllocString(path);
  DISPPARAMS params{arguments, nullptr, 2, 0};
  VARIANT result;
  VariantInit(&result);
  const HRESULT hr = dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
  const bool same = hr == S_OK && result.vt == VT_BSTR && Narrow(result.bstrVal) == expected;
  VariantClear(&arguments[1]);
  VariantClear(&result);
  return same;
}

// The converter through the library's class object.
bool CreateDirectly(vrk::ComPtr<IVRK5420CfgConverter>* converter) {
  vrk::ComPtr<IClassFactory> factory;
  return DllGetClassObject(CLSID_VRK5420CfgConverter, IID_IClassFactory, reinterpret_cast<void**>(factory.Out())) ==
             S_OK &&
         factory->CreateInstance(nullptr, IID_IVRK5420CfgConverter, reinterpret_cast<void**>(converter->Out())) ==
             S_OK;
}

// The converter by ProgID, through the registry; the class's ProgID must read back as the versioned one.
bool CreateByProgId(vrk::ComPtr<IVRK5420CfgConverter>* converter) {
  CLSID clsid{};
  if (CLSIDFromProgID(u"VRK5420CfgConverter.VRK5420CfgConverter", &clsid) != S_OK) return false;
  OLECHAR* progid = nullptr;
  if (ProgIDFromCLSID(clsid, &progid) != S_OK) return false;
  const std::string name = Narrow(progid);
  CoTaskMemFree(progid);
  std::printf("%s: ", name.c_str());
  return name == "VRK5420CfgConverter.VRK5420CfgConvert.1" &&
         CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IVRK5420CfgConverter,
                          reinterpret_cast<void**>(converter->Out())) == S_OK;
}

}  // namespace

int main(int argc, char** argv) {
  const bool by_progid = argc > 1 && std::strcmp(argv[1], "--progid") == 0;
  vrk::ComPtr<IVRK5420CfgConverter> converter;
  if (!(by_progid ? CreateByProgId(&converter) : CreateDirectly(&converter))) return Fail("no converter");
  if (converter->CreateNewCfg() != S_OK) return Fail("CreateNewCfg");
  BSTR path = SysAllocString(u"Region_settings\\Hysteresis_percent");
  BSTR value = nullptr;
  const HRESULT got = converter->GetValue(path, nullptr, &value);
  const std::string text = Narrow(value);
  SysFreeString(value);
  if (got != S_OK || text != "5") return Fail("GetValue");
  if (!LateBoundValueIs(converter.get(), u"Region_settings\\Hysteresis_percent", "5"))
    return Fail("late-bound GetValue");

  BSTR wrong = SysAllocString(u"1000");
  const HRESULT set = converter->SetValue(path, nullptr, &wrong);
  SysFreeString(wrong);
  SysFreeString(path);
  IErrorInfo* info = nullptr;
  if (set != E_FAIL || GetErrorInfo(0, &info) != S_OK) return Fail("SetValue of a wrong value");
  BSTR description = nullptr;
  info->GetDescription(&description);
  info->Release();
  std::printf("%s | %s\n", text.c_str(), Narrow(description).c_str());
  const bool described = SysStringLen(description) != 0;
  SysFreeString(description);
  return described ? 0 : Fail("no description");
}
