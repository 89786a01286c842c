// CSingleInterfaceObject: IUnknown of an object that hands out one interface besides IUnknown. The object is
// created with one reference and destroys itself at its last Release; DERIVED is the final class, which makes
// this base a friend when its destructor is private.
#pragma once

#include "platform/com_types.h"

namespace vrk {

template <class DERIVED, class INTERFACE, const IID& INTERFACE_ID>
class CSingleInterfaceObject : public INTERFACE {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == INTERFACE_ID) {
      *object = static_cast<INTERFACE*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }

  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete static_cast<DERIVED*>(this);
    return left;
  }

 private:
  ULONG references_ = 1;  // single-threaded use per object, as registered
};

}  // namespace vrk
