// Creates the component's objects the way any client does: through the class object that DllGetClassObject
// hands out, never by naming the implementation.
#pragma once

#include "client/call_failure.h"
#include "interface/vrk5420_interfaces.h"
#include "platform/com_ptr.h"

namespace vrk::client {

// A new object of class `clsid` as interface `T` (`iid`). Throws CallFailure when the class object or the
// object cannot be had.
template <class T>
ComPtr<T> CreateObject(REFCLSID clsid, REFIID iid) {
  ComPtr<IClassFactory> factory;
  Check(DllGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Out())));
  ComPtr<T> object;
  Check(factory->CreateInstance(nullptr, iid, reinterpret_cast<void**>(object.Out())));
  return object;
}

inline ComPtr<IVRK5420CfgConverter> NewConverterObject() {
  return CreateObject<IVRK5420CfgConverter>(CLSID_VRK5420CfgConverter, IID_IVRK5420CfgConverter);
}

}  // namespace vrk::client
