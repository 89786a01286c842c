// CVRK5420CfgConValueIndexes: the caller's index list object, a resizable array of (use-attribute flag, value)
// entries. It knows nothing of paths or configurations; the converter copies it at the start of each call.
#pragma once

#include <vector>

#include "interface/module_lock.h"
#include "interface/single_interface_object.h"
#include "interface/vrk5420_interfaces.h"

namespace vrk {

class CVRK5420CfgConValueIndexes final
    : public CSingleInterfaceObject<CVRK5420CfgConValueIndexes, IVRK5420CfgConValueIndexes,
                                    IID_IVRK5420CfgConValueIndexes> {
 public:
  // Creates an object with one reference; E_OUTOFMEMORY when that fails.
  static HRESULT Create(REFIID riid, void** object);

  HRESULT STDMETHODCALLTYPE get_Count(ULONG* value) override;
  HRESULT STDMETHODCALLTYPE put_Count(ULONG value) override;
  HRESULT STDMETHODCALLTYPE get_UseAttr(ULONG index, LONG* value) override;
  HRESULT STDMETHODCALLTYPE put_UseAttr(ULONG index, LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Value(ULONG index, ULONG* value) override;
  HRESULT STDMETHODCALLTYPE put_Value(ULONG index, ULONG value) override;

  // Late binding from the dispatch table, reached through this interface only: IDispatch is never handed out.
  // No type library is carried, so no type information.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, OLECHAR** names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excep, UINT* arg_err) override;

 private:
  struct Entry {
    uint8_t use_attr = 0;
    ULONG value = 0;
  };
  friend CSingleInterfaceObject;
  CVRK5420CfgConValueIndexes() = default;
  ~CVRK5420CfgConValueIndexes() = default;

  std::vector<Entry> entries_;
  ModuleLockHolder module_lock_;
};

}  // namespace vrk
