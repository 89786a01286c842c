// A client of the installed library: creates the converter, reads a value of the default configuration and
// sees a refused value come back with the component's message. Exit code 0 when all of it works.
#include <cstdio>
#include <string>

#include "interface/vrk5420_interfaces.h"
#include "platform/com_ptr.h"
#include "platform/oleauto.h"

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

}  // namespace

int main() {
  vrk::ComPtr<IClassFactory> factory;
  if (DllGetClassObject(CLSID_VRK5420CfgConverter, IID_IClassFactory, reinterpret_cast<void**>(factory.Out())) != S_OK)
    return Fail("no class object");
  vrk::ComPtr<IVRK5420CfgConverter> converter;
  if (factory->CreateInstance(nullptr, IID_IVRK5420CfgConverter, reinterpret_cast<void**>(converter.Out())) != S_OK)
    return Fail("no converter");
  if (converter->CreateNewCfg() != S_OK) return Fail("CreateNewCfg");
  BSTR path = SysAllocString(u"Region_settings\\Hysteresis_percent");
  BSTR value = nullptr;
  const HRESULT got = converter->GetValue(path, nullptr, &value);
  const std::string text = Narrow(value);
  SysFreeString(value);
  if (got != S_OK || text != "5") return Fail("GetValue");

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
