#include "interface/class_factory.h"

#include <new>

namespace vrk {

CClassFactory* CClassFactory::New(CreateFunction create) { return new (std::nothrow) CClassFactory(create); }

HRESULT CClassFactory::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IClassFactory) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG CClassFactory::AddRef() { return ++references_; }

ULONG CClassFactory::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

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
