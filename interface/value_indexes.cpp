#include "interface/value_indexes.h"

#include <new>
#include <stdexcept>

#include "interface/converter_dispatch.h"

namespace vrk {

HRESULT CVRK5420CfgConValueIndexes::Create(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  CVRK5420CfgConValueIndexes* created = new (std::nothrow) CVRK5420CfgConValueIndexes();
  if (created == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = created->QueryInterface(riid, object);
  created->Release();
  return hr;
}

HRESULT CVRK5420CfgConValueIndexes::get_Count(ULONG* value) {
  *value = static_cast<ULONG>(entries_.size());
  return S_OK;
}

HRESULT CVRK5420CfgConValueIndexes::put_Count(ULONG value) {
  // An exception must not cross the interface; a count that cannot be stored leaves the list as it was.
  try {
    entries_.resize(value);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::length_error&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT CVRK5420CfgConValueIndexes::get_UseAttr(ULONG index, LONG* value) {
  if (index >= entries_.size()) return E_INVALIDARG;
  *value = entries_[index].use_attr ? 1 : 0;
  return S_OK;
}

HRESULT CVRK5420CfgConValueIndexes::put_UseAttr(ULONG index, LONG value) {
  if (index >= entries_.size()) return E_INVALIDARG;
  entries_[index].use_attr = value != 0 ? 1 : 0;
  return S_OK;
}

HRESULT CVRK5420CfgConValueIndexes::get_Value(ULONG index, ULONG* value) {
  if (index >= entries_.size()) return E_INVALIDARG;
  *value = entries_[index].value;
  return S_OK;
}

HRESULT CVRK5420CfgConValueIndexes::put_Value(ULONG index, ULONG value) {
  if (index >= entries_.size()) return E_INVALIDARG;
  entries_[index].value = value;
  return S_OK;
}

HRESULT CVRK5420CfgConValueIndexes::GetTypeInfoCount(UINT* count) {
  return DispatchTable<IVRK5420CfgConValueIndexes>::GetTypeInfoCount(count);
}

HRESULT CVRK5420CfgConValueIndexes::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) {
  return DispatchTable<IVRK5420CfgConValueIndexes>::GetTypeInfo(index, lcid, info);
}

HRESULT CVRK5420CfgConValueIndexes::GetIDsOfNames(REFIID riid, OLECHAR** names, UINT count, LCID, DISPID* ids) {
  return WithDispatchTable(&ValueIndexesDispatch, [&](const auto& table) {
    return table.GetIDsOfNames(riid, names, count, ids);
  });
}

HRESULT CVRK5420CfgConValueIndexes::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                           VARIANT* result, EXCEPINFO* excep, UINT* arg_err) {
  return WithDispatchTable(&ValueIndexesDispatch, [&](const auto& table) {
    return table.Invoke(*this, id, riid, flags, params, result, excep, arg_err);
  });
}

}  // namespace vrk
