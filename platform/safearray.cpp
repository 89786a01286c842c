// SAFEARRAYs of bytes (VT_UI1) with the platform's memory layout. The descriptor holds cDims bounds, the first
// inside the struct and the rest right after it; the bounds are stored in reverse order, so dimension d (counted
// from 1) is rgsabound[cDims - d]. The data is a separate zeroed block.
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "platform/safe_array.h"

namespace {

// The platform refuses to lock an array more often than this.
constexpr ULONG kMaxLocks = 0xFFFF;

// Reached through a pointer so that indexing past the declared one-element array stays well-defined.
SAFEARRAYBOUND* BoundsOf(SAFEARRAY* array) { return array->rgsabound; }

bool FitsLong(int64_t v) {
  return v >= std::numeric_limits<LONG>::min() && v <= std::numeric_limits<LONG>::max();
}

ULONG ElementSize(VARTYPE vt) { return vt == VT_UI1 ? 1 : 0; }

// Bytes of data for the bounds, or false when the size or an upper bound does not fit.
bool DataSize(const SAFEARRAYBOUND* bounds, UINT dims, ULONG element_size, std::size_t& size) {
  size = element_size;
  for (UINT i = 0; i < dims; ++i) {
    // The upper bound (lLbound + cElements - 1) must be a LONG, or it could not be reported.
    const int64_t last = int64_t{bounds[i].lLbound} + bounds[i].cElements - 1;
    if (!FitsLong(last)) return false;
    if (__builtin_mul_overflow(size, std::size_t{bounds[i].cElements}, &size)) return false;
  }
  return size <= std::numeric_limits<std::ptrdiff_t>::max();
}

HRESULT GetBound(SAFEARRAY* array, UINT dim, LONG* out, bool upper) {
  if (array == nullptr || out == nullptr) return E_INVALIDARG;
  if (dim == 0 || dim > array->cDims) return DISP_E_BADINDEX;
  const SAFEARRAYBOUND& bound = BoundsOf(array)[array->cDims - dim];
  if (!upper) {
    *out = bound.lLbound;
    return S_OK;
  }
  const int64_t last = int64_t{bound.lLbound} + bound.cElements - 1;
  if (!FitsLong(last)) return DISP_E_BADINDEX;  // only a hand-made descriptor gets here
  *out = static_cast<LONG>(last);
  return S_OK;
}

}  // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds) {
  const ULONG element_size = ElementSize(vt);
  if (element_size == 0 || dims == 0 || dims > std::numeric_limits<USHORT>::max() || bounds == nullptr)
    return nullptr;
  std::size_t data_size = 0;
  if (!DataSize(bounds, dims, element_size, data_size)) return nullptr;

  SAFEARRAY* array = static_cast<SAFEARRAY*>(std::calloc(1, sizeof(SAFEARRAY) + (dims - 1) * sizeof(SAFEARRAYBOUND)));
  if (array == nullptr) return nullptr;
  // Never a null data pointer, even for no elements, so that callers may pass it to memcpy and friends.
  array->pvData = std::calloc(data_size == 0 ? 1 : data_size, 1);
  if (array->pvData == nullptr) {
    std::free(array);
    return nullptr;
  }
  array->cDims = static_cast<USHORT>(dims);
  array->cbElements = element_size;
  for (UINT i = 0; i < dims; ++i) BoundsOf(array)[i] = bounds[dims - 1 - i];
  return array;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lower_bound, ULONG elements) {
  SAFEARRAYBOUND bound{elements, lower_bound};
  return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
  if (array == nullptr) return S_OK;
  if (array->cLocks != 0) return DISP_E_ARRAYISLOCKED;
  std::free(array->pvData);
  std::free(array);
  return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* array) { return array ? array->cDims : 0; }

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* upper_bound) {
  return GetBound(array, dim, upper_bound, true);
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* lower_bound) {
  return GetBound(array, dim, lower_bound, false);
}

UINT SafeArrayGetElemsize(SAFEARRAY* array) { return array ? array->cbElements : 0; }

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data) {
  if (array == nullptr || data == nullptr) return E_INVALIDARG;
  if (array->cLocks >= kMaxLocks) return E_UNEXPECTED;
  ++array->cLocks;
  *data = array->pvData;
  return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) {
  if (array == nullptr) return E_INVALIDARG;
  if (array->cLocks == 0) return E_UNEXPECTED;
  --array->cLocks;
  return S_OK;
}
