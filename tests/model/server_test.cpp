// The index-list object, the class objects, the unload rule, and the library's exported symbols.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "interface/vrk5420_interfaces.h"
#include "platform/com_ptr.h"

namespace vrk {
namespace {

ComPtr<IClassFactory> Factory(REFCLSID clsid) {
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(DllGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Out())), S_OK);
  return factory;
}

ComPtr<IVRK5420CfgConValueIndexes> NewIndexes() {
  ComPtr<IVRK5420CfgConValueIndexes> list;
  EXPECT_EQ(Factory(CLSID_VRK5420CfgConValueIndexes)
                ->CreateInstance(nullptr, IID_IVRK5420CfgConValueIndexes, reinterpret_cast<void**>(list.Out())),
            S_OK);
  return list;
}

TEST(ValueIndexes, GrowsWithZeroedEntriesShrinksAndRefusesIndexesPastTheEnd) {
  auto list = NewIndexes();
  ULONG count = 9, value = 9;
  LONG flag = 9;
  list->get_Count(&count);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(list->get_Value(0, &value), E_INVALIDARG);
  EXPECT_EQ(list->put_Count(3), S_OK);
  EXPECT_EQ(list->get_UseAttr(2, &flag), S_OK);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(list->get_Value(2, &value), S_OK);
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(list->put_UseAttr(3, 1), E_INVALIDARG);
  // Entries survive growing and go with shrinking.
  list->put_UseAttr(1, -1);
  list->put_Value(1, 7);
  list->put_Count(5);
  list->get_UseAttr(1, &flag);
  list->get_Value(1, &value);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(value, 7u);
  list->put_Count(1);
  EXPECT_EQ(list->get_Value(1, &value), E_INVALIDARG);
  list->put_Count(2);
  list->get_Value(1, &value);
  EXPECT_EQ(value, 0u);
  ComPtr<IUnknown> other;  // it answers only for its own interface
  EXPECT_EQ(list->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(other.Out())), E_NOINTERFACE);
  EXPECT_EQ(list->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(other.Out())), S_OK);
}

// An outer object that only counts references, enough to hold an aggregated converter.
struct CountingOuter : IUnknown {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;
};

TEST(ServerModule, AggregationRules) {
  CountingOuter outer;
  ComPtr<IUnknown> inner;
  EXPECT_EQ(Factory(CLSID_VRK5420CfgConValueIndexes)
                ->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(inner.Out())),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(Factory(CLSID_VRK5420CfgConverter)
                ->CreateInstance(&outer, IID_IVRK5420CfgConverter, reinterpret_cast<void**>(inner.Out())),
            CLASS_E_NOAGGREGATION);
  ASSERT_EQ(Factory(CLSID_VRK5420CfgConverter)->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(inner.Out())),
            S_OK);
  // The inner unknown hands out interfaces whose references go to the outer object.
  IVRK5420CfgConverter* converter = nullptr;
  ASSERT_EQ(inner->QueryInterface(IID_IVRK5420CfgConverter, reinterpret_cast<void**>(&converter)), S_OK);
  EXPECT_EQ(outer.references, 2u);
  converter->Release();
  EXPECT_EQ(outer.references, 1u);
}

TEST(ServerModule, UnknownClassesAreNotAvailableAndUnloadingWaitsForObjectsAndLocks) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(DllGetClassObject(IID_IUnknown, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
  {
    auto list = NewIndexes();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
  }
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
  auto factory = Factory(CLSID_VRK5420CfgConverter);
  factory->LockServer(1);
  EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
  factory->LockServer(0);
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(SharedLibrary, ExportsExactlyThePlatformAndServerEntryPoints) {
  const std::string command = std::string("nm -D --defined-only ") + VRK_SHARED_LIBRARY;
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> exported;
  char line[512];
  while (fgets(line, sizeof line, pipe)) {
    std::string text(line);
    const std::size_t space = text.rfind(' ');
    std::string type = text.substr(space - 1, 1);
    if (type != "T" && type != "W" && type != "D" && type != "B" && type != "V" && type != "i") continue;
    std::string name = text.substr(space + 1);
    name.erase(name.find_last_not_of("\n\r") + 1);
    exported.insert(name);
  }
  pclose(pipe);
  const std::set<std::string> expected = {
      "DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer", "SysAllocString",
      "SysAllocStringLen", "SysFreeString", "SysStringLen", "SysStringByteLen", "SafeArrayCreate",
      "SafeArrayCreateVector", "SafeArrayDestroy", "SafeArrayGetDim", "SafeArrayGetUBound", "SafeArrayGetLBound",
      "SafeArrayGetElemsize", "SafeArrayAccessData", "SafeArrayUnaccessData", "CreateErrorInfo", "SetErrorInfo",
      "GetErrorInfo", "SetThreadUILanguage", "GetThreadUILanguage", "SetThreadLocale", "GetThreadLocale",
      "VariantInit", "VariantClear", "VariantCopy", "VariantChangeType", "GetRecordInfoFromGuids", "CLSIDFromProgID",
      "CLSIDFromString", "StringFromGUID2", "ProgIDFromCLSID", "CoGetClassObject", "CoCreateInstance"};
  EXPECT_EQ(exported, expected);
}

}  // namespace
}  // namespace vrk
