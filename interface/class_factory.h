// The class factory of one creatable class: CreateInstance forwards to the class's Create function.
#pragma once

#include "interface/module_lock.h"
#include "interface/single_interface_object.h"
#include "platform/com_types.h"

namespace vrk {

using CreateFunction = HRESULT (*)(IUnknown* outer, REFIID riid, void** object);

class CClassFactory final : public CSingleInterfaceObject<CClassFactory, IClassFactory, IID_IClassFactory> {
 public:
  // A new factory with one reference; null when memory is exhausted.
  static CClassFactory* New(CreateFunction create);

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  friend CSingleInterfaceObject;
  explicit CClassFactory(CreateFunction create) : create_(create) {}
  ~CClassFactory() = default;

  CreateFunction create_;
};

}  // namespace vrk
