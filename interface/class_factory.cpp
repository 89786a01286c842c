#include "interface/class_factory.h"

#include <new>

namespace vrk {

CClassFactory* CClassFactory::New(CreateFunction create) { return new (std::nothrow) CClassFactory(create); }

HRESULT CClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
  return create_(outer, riid, object);
}

HRESULT CClassFactory::LockServer(BOOL lock) {
  if (lock)
    ModuleLock();
  else
    ModuleUnlock();
  return S_OK;
}

}  // namespace vrk
