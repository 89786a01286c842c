// VARIANT lifetime and coercion. Coercion goes through one intermediate number (signed, unsigned or real) so
// that every pair of numeric types, VT_BOOL and decimal text convert the same way.
#include "platform/variant.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "platform/utf.h"

namespace {

struct Number {
  enum Kind { kSigned, kUnsigned, kReal } kind = kSigned;
  int64_t s = 0;
  uint64_t u = 0;
  double r = 0;
};

Number Signed(int64_t v) { return {Number::kSigned, v, 0, 0}; }
Number Unsigned(uint64_t v) { return {Number::kUnsigned, 0, v, 0}; }
Number Real(double v) { return {Number::kReal, 0, 0, v}; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Decimal integer or real text with surrounding blanks; false when it is neither.
bool ParseNumber(BSTR text, Number& out) {
  std::string s = vrk::Utf16ToUtf8(std::u16string_view(text ? text : u"", SysStringLen(text)));
  std::size_t b = 0, e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  const char* first = s.data() + b;
  const char* last = s.data() + e;
  if (first == last) return false;
  const char* digits = *first == '+' ? first + 1 : first;
  if (*first == '-') {
    int64_t v = 0;
    auto [p, ec] = std::from_chars(first, last, v);
    if (ec == std::errc() && p == last) return out = Signed(v), true;
  } else {
    uint64_t v = 0;
    auto [p, ec] = std::from_chars(digits, last, v);
    if (ec == std::errc() && p == last) return out = Unsigned(v), true;
  }
  double r = 0;
  auto [p, ec] = std::from_chars(digits, last, r);
  if (ec != std::errc() || p != last || !std::isfinite(r)) return false;
  out = Real(r);
  return true;
}

// The value that `v` holds, through a reference when VT_BYREF. DISP_E_TYPEMISMATCH for a non-numeric type.
HRESULT ReadNumber(const VARIANT& v, Number& out) {
  const bool ref = (v.vt & VT_BYREF) != 0;
  switch (v.vt & ~VT_BYREF) {
    case VT_EMPTY: out = Signed(0); return ref ? DISP_E_TYPEMISMATCH : S_OK;
    case VT_I1: out = Signed(ref ? *v.pcVal : v.cVal); return S_OK;
    case VT_I2: out = Signed(ref ? *v.piVal : v.iVal); return S_OK;
    case VT_I4: out = Signed(ref ? *v.plVal : v.lVal); return S_OK;
    case VT_INT: out = Signed(ref ? *v.pintVal : v.intVal); return S_OK;
    case VT_I8: out = Signed(ref ? *v.pllVal : v.llVal); return S_OK;
    case VT_BOOL: out = Signed((ref ? *v.pboolVal : v.boolVal) ? -1 : 0); return S_OK;
    case VT_UI1: out = Unsigned(ref ? *v.pbVal : v.bVal); return S_OK;
    case VT_UI2: out = Unsigned(ref ? *v.puiVal : v.uiVal); return S_OK;
    case VT_UI4: out = Unsigned(ref ? *v.pulVal : v.ulVal); return S_OK;
    case VT_UINT: out = Unsigned(ref ? *v.puintVal : v.uintVal); return S_OK;
    case VT_UI8: out = Unsigned(ref ? *v.pullVal : v.ullVal); return S_OK;
    case VT_R4: out = Real(ref ? *v.pfltVal : v.fltVal); return S_OK;
    case VT_R8: out = Real(ref ? *v.pdblVal : v.dblVal); return S_OK;
    case VT_BSTR: return ParseNumber(ref ? *v.pbstrVal : v.bstrVal, out) ? S_OK : DISP_E_TYPEMISMATCH;
    default: return DISP_E_TYPEMISMATCH;
  }
}

// The number as an integer within [lo, hi]; reals round half to even, as the platform's coercion does.
HRESULT ToInteger(const Number& n, long double lo, long double hi, int64_t& s, uint64_t& u, bool& negative) {
  negative = false;
  if (n.kind == Number::kSigned) {
    negative = n.s < 0;
    if (n.s < lo || n.s > hi) return DISP_E_OVERFLOW;
    s = n.s;
    u = static_cast<uint64_t>(n.s);
    return S_OK;
  }
  if (n.kind == Number::kUnsigned) {
    if (static_cast<long double>(n.u) > hi) return DISP_E_OVERFLOW;
    s = static_cast<int64_t>(n.u);
    u = n.u;
    return S_OK;
  }
  const long double r = std::nearbyint(static_cast<long double>(n.r));
  if (r < lo || r > hi) return DISP_E_OVERFLOW;
  negative = r < 0;
  if (negative) {
    s = static_cast<int64_t>(r);
    u = static_cast<uint64_t>(s);
  } else {
    u = static_cast<uint64_t>(r);
    s = static_cast<int64_t>(u);
  }
  return S_OK;
}

template <typename T>
HRESULT Fit(const Number& n, T& out) {
  int64_t s = 0;
  uint64_t u = 0;
  bool negative = false;
  const HRESULT hr = ToInteger(n, static_cast<long double>(std::numeric_limits<T>::min()),
                               static_cast<long double>(std::numeric_limits<T>::max()), s, u, negative);
  if (FAILED(hr)) return hr;
  out = std::numeric_limits<T>::is_signed ? static_cast<T>(s) : static_cast<T>(u);
  return S_OK;
}

double ToReal(const Number& n) {
  switch (n.kind) {
    case Number::kSigned: return static_cast<double>(n.s);
    case Number::kUnsigned: return static_cast<double>(n.u);
    default: return n.r;
  }
}

std::string ToText(const Number& n) {
  if (n.kind == Number::kSigned) return std::to_string(n.s);
  if (n.kind == Number::kUnsigned) return std::to_string(n.u);
  char buffer[64];
  auto [p, ec] = std::to_chars(buffer, buffer + sizeof buffer, n.r);
  return std::string(buffer, ec == std::errc() ? p : buffer);
}

HRESULT MakeText(const std::string& text, VARIANT& out) {
  const std::u16string wide = vrk::Utf8ToUtf16(text);
  out.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (out.bstrVal == nullptr) return E_OUTOFMEMORY;
  out.vt = VT_BSTR;
  return S_OK;
}

// Fills `out` (VT_EMPTY on entry) with the number as type `vt`.
HRESULT FromNumber(const Number& n, VARTYPE vt, VARIANT& out) {
  HRESULT hr = S_OK;
  switch (vt) {
    case VT_I1: hr = Fit(n, out.cVal); break;
    case VT_I2: hr = Fit(n, out.iVal); break;
    case VT_I4: hr = Fit(n, out.lVal); break;
    case VT_INT: hr = Fit(n, out.intVal); break;
    case VT_I8: hr = Fit(n, out.llVal); break;
    case VT_UI1: hr = Fit(n, out.bVal); break;
    case VT_UI2: hr = Fit(n, out.uiVal); break;
    case VT_UI4: hr = Fit(n, out.ulVal); break;
    case VT_UINT: hr = Fit(n, out.uintVal); break;
    case VT_UI8: hr = Fit(n, out.ullVal); break;
    case VT_R8: out.dblVal = ToReal(n); break;
    case VT_R4: {
      const double r = ToReal(n);
      if (std::fabs(r) > std::numeric_limits<float>::max()) return DISP_E_OVERFLOW;
      out.fltVal = static_cast<float>(r);
      break;
    }
    case VT_BOOL: out.boolVal = ToReal(n) != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_BSTR: return MakeText(ToText(n), out);
    default: return DISP_E_TYPEMISMATCH;
  }
  if (SUCCEEDED(hr)) out.vt = vt;
  return hr;
}

// The descriptor's bounds in dimension order (the descriptor keeps them reversed).
SAFEARRAY* CopyArray(SAFEARRAY* source) {
  if (source == nullptr) return nullptr;
  const UINT dims = source->cDims;
  std::basic_string<SAFEARRAYBOUND> bounds(dims, SAFEARRAYBOUND{});
  std::size_t size = source->cbElements;
  const SAFEARRAYBOUND* stored = source->rgsabound;
  for (UINT i = 0; i < dims; ++i) {
    bounds[i] = stored[dims - 1 - i];
    size *= bounds[i].cElements;
  }
  SAFEARRAY* copy = SafeArrayCreate(VT_UI1, dims, bounds.data());
  if (copy == nullptr) return nullptr;
  if (size != 0) std::memcpy(copy->pvData, source->pvData, size);
  return copy;
}

}  // namespace

void VariantInit(VARIANTARG* value) {
  if (value == nullptr) return;
  value->vt = VT_EMPTY;
  value->wReserved1 = value->wReserved2 = value->wReserved3 = 0;
}

HRESULT VariantClear(VARIANTARG* value) {
  if (value == nullptr) return E_INVALIDARG;
  const VARTYPE vt = value->vt;
  if ((vt & VT_BYREF) == 0) {
    if (vt & VT_ARRAY) {
      const HRESULT hr = SafeArrayDestroy(value->parray);
      if (FAILED(hr)) return hr;
    } else {
      switch (vt) {
        case VT_EMPTY: case VT_NULL: case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
        case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT: case VT_R4: case VT_R8:
        case VT_CY: case VT_DATE: case VT_BOOL: case VT_ERROR:
          break;
        case VT_BSTR: SysFreeString(value->bstrVal); break;
        case VT_UNKNOWN: case VT_DISPATCH:
          if (value->punkVal) value->punkVal->Release();
          break;
        case VT_RECORD:
          if (value->pRecInfo) {
            value->pRecInfo->RecordDestroy(value->pvRecord);
            value->pRecInfo->Release();
          }
          break;
        default: return DISP_E_BADVARTYPE;
      }
    }
  }
  VariantInit(value);
  value->llVal = 0;
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* target, const VARIANTARG* source) {
  if (target == nullptr || source == nullptr) return E_INVALIDARG;
  if (target == source) return S_OK;
  const HRESULT cleared = VariantClear(target);
  if (FAILED(cleared)) return cleared;
  VARIANT copy = *source;
  const VARTYPE vt = source->vt;
  if ((vt & VT_BYREF) == 0) {
    if (vt & VT_ARRAY) {
      copy.parray = CopyArray(source->parray);
      if (source->parray && !copy.parray) return E_OUTOFMEMORY;
    } else if (vt == VT_BSTR) {
      copy.bstrVal = nullptr;
      if (source->bstrVal) {
        // A BSTR may hold an odd number of bytes; copy exactly its byte length.
        const UINT bytes = SysStringByteLen(source->bstrVal);
        copy.bstrVal = SysAllocStringLen(nullptr, (bytes + 1) / 2);
        if (copy.bstrVal == nullptr) return E_OUTOFMEMORY;
        std::memcpy(copy.bstrVal, source->bstrVal, bytes);
        reinterpret_cast<uint32_t*>(copy.bstrVal)[-1] = bytes;
      }
    } else if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
      if (copy.punkVal) copy.punkVal->AddRef();
    } else if (vt == VT_RECORD) {
      copy.pvRecord = nullptr;
      if (source->pRecInfo) {
        const HRESULT hr = source->pRecInfo->RecordCreateCopy(source->pvRecord, &copy.pvRecord);
        if (FAILED(hr)) return hr;
        copy.pRecInfo->AddRef();
      }
    }
  }
  *target = copy;
  return S_OK;
}

namespace {

// The number `source` holds, as a `vt` value in `result`.
HRESULT NumberAs(const VARIANTARG& source, VARTYPE vt, VARIANT& result) {
  Number n;
  const HRESULT hr = ReadNumber(source, n);
  return SUCCEEDED(hr) ? FromNumber(n, vt, result) : hr;
}

// Clears `target` and moves `result` into it.
HRESULT Replace(VARIANTARG* target, const VARIANT& result) {
  VariantClear(target);
  *target = result;
  return S_OK;
}

HRESULT ChangeType(VARIANTARG* target, const VARIANTARG* source, VARTYPE vt) {
  if (target == nullptr || source == nullptr) return E_INVALIDARG;
  VARIANT result;
  VariantInit(&result);
  result.llVal = 0;
  HRESULT hr = S_OK;
  const VARTYPE from = source->vt & ~VT_BYREF;
  if (from == vt) {
    VARIANT value = *source;
    if (source->vt & VT_BYREF) {
      // Read through the reference into a plain value of the same type, then copy that.
      value.vt = vt;
      if (vt & VT_ARRAY) value.parray = *source->pparray;
      else if (vt == VT_BSTR) value.bstrVal = *source->pbstrVal;
      else if (vt == VT_UNKNOWN || vt == VT_DISPATCH) value.punkVal = *source->ppunkVal;
      else if (vt == VT_VARIANT) return ChangeType(target, source->pvarVal, vt);
      else if (vt == VT_RECORD) value.vt = VT_RECORD;  // by reference the same two fields point at it
      else {
        hr = NumberAs(*source, vt, result);
        return FAILED(hr) ? hr : Replace(target, result);
      }
    }
    hr = VariantCopy(&result, &value);
  } else if ((source->vt & ~VT_BYREF) == VT_VARIANT && (source->vt & VT_BYREF)) {
    return ChangeType(target, source->pvarVal, vt);
  } else if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
    if (from != VT_UNKNOWN && from != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
    IUnknown* object = (source->vt & VT_BYREF) ? *source->ppunkVal : source->punkVal;
    if (object == nullptr) return DISP_E_TYPEMISMATCH;
    void* asked = nullptr;
    if (FAILED(object->QueryInterface(vt == VT_UNKNOWN ? IID_IUnknown : IID_IDispatch, &asked)))
      return DISP_E_TYPEMISMATCH;
    result.vt = vt;
    result.punkVal = static_cast<IUnknown*>(asked);
  } else if (vt == VT_EMPTY) {
    // Anything converts to empty.
  } else if (source->vt == VT_EMPTY && vt == VT_BSTR) {
    hr = MakeText(std::string(), result);
  } else {
    hr = NumberAs(*source, vt, result);
  }
  return FAILED(hr) ? hr : Replace(target, result);
}

}  // namespace

HRESULT VariantChangeType(VARIANTARG* target, const VARIANTARG* source, USHORT, VARTYPE vt) {
  // Text conversions allocate; exhausted memory is a result code here, as everywhere in this API.
  try {
    return ChangeType(target, source, vt);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}
