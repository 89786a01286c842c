// The server's entry points: class objects of the two creatable classes and the module's unload rule.
#include <new>

#include "interface/class_factory.h"
#include "interface/converter.h"
#include "interface/module_lock.h"
#include "interface/server_registration.h"
#include "interface/value_indexes.h"
#include "interface/vrk5420_interfaces.h"

namespace vrk {
namespace {

HRESULT CreateConverter(IUnknown* outer, REFIID riid, void** object) {
  return CVRK5420CfgConverter::Create(outer, riid, object);
}

// The index list cannot be aggregated.
HRESULT CreateIndexes(IUnknown* outer, REFIID riid, void** object) {
  if (object != nullptr) *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  return CVRK5420CfgConValueIndexes::Create(riid, object);
}

// Registration works on texts and the registry file: exhausted memory or any other exception becomes the
// result code, since nothing may cross the entry point.
template <typename Call>
HRESULT WithoutExceptions(Call call) noexcept {
  try {
    return call();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace
}  // namespace vrk

HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  vrk::CreateFunction create = nullptr;
  if (clsid == CLSID_VRK5420CfgConverter)
    create = &vrk::CreateConverter;
  else if (clsid == CLSID_VRK5420CfgConValueIndexes)
    create = &vrk::CreateIndexes;
  else
    return CLASS_E_CLASSNOTAVAILABLE;
  vrk::CClassFactory* factory = vrk::CClassFactory::New(create);
  if (factory == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(riid, object);
  factory->Release();
  return hr;
}

HRESULT DllCanUnloadNow() { return vrk::ModuleLockCount() == 0 ? S_OK : S_FALSE; }

HRESULT DllRegisterServer() {
  return vrk::WithoutExceptions([] { return vrk::RegisterServer(vrk::ModuleServerResources()); });
}
HRESULT DllUnregisterServer() {
  return vrk::WithoutExceptions([] { return vrk::UnregisterServer(vrk::ModuleServerResources()); });
}
