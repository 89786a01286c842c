// The class factory of one creatable class: CreateInstance forwards to the class's Create function.
#pragma once

#include "interface/module_lock.h"
#include "platform/com_types.h"

namespace vrk {

using CreateFunction = HRESULT (*)(IUnknown* outer, REFIID riid, void** object);

class CClassFactory final : public IClassFactory {
 public:
  // A new factory with one reference; null when memory is exhausted.
  static CClassFactory* New(CreateFunction create);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  explicit CClassFactory(CreateFunction create) : create_(create) {}
  ~CClassFactory() = default;

  CreateFunction create_;
  ULONG references_ = 1;
};

}  // namespace vrk
