// Automation's VARIANT, DISPPARAMS, EXCEPINFO and IRecordInfo with the platform's names, values and 64-bit
// layouts, and the Variant* functions that late-bound clients use to fill and free them.
#pragma once

#include "platform/oleauto.h"

#if !defined(_WIN32)  // on Windows these are the system's own

using SCODE = int32_t;
using DWORD = uint32_t;
using VARIANT_BOOL = int16_t;
using DATE = double;
using LPCOLESTR = const OLECHAR*;
using LONGLONG = int64_t;
using ULONGLONG = uint64_t;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_DECIMAL = 14,
  VT_I1 = 16,
  // VT_UI1 = 17 stands in com_types.h, where the byte arrays need it.
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
  VT_INT = 22,
  VT_UINT = 23,
  VT_VOID = 24,
  VT_HRESULT = 25,
  VT_RECORD = 36,
  VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000,
  VT_TYPEMASK = 0x0FFF,
};

constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;

constexpr WORD DISPATCH_METHOD = 1;
constexpr WORD DISPATCH_PROPERTYGET = 2;
constexpr WORD DISPATCH_PROPERTYPUT = 4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 8;

constexpr HRESULT DISP_E_UNKNOWNINTERFACE = static_cast<HRESULT>(0x80020001u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
constexpr HRESULT DISP_E_PARAMNOTFOUND = static_cast<HRESULT>(0x80020004u);
constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
constexpr HRESULT DISP_E_NONAMEDARGS = static_cast<HRESULT>(0x80020007u);
constexpr HRESULT DISP_E_BADVARTYPE = static_cast<HRESULT>(0x80020008u);
constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = static_cast<HRESULT>(0x8002000Fu);
constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = static_cast<HRESULT>(0x8002802Bu);
constexpr HRESULT TYPE_E_LIBNOTREGISTERED = static_cast<HRESULT>(0x8002801Du);

// The null interface identifier that IDispatch::GetIDsOfNames and Invoke require.
inline constexpr IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr IID IID_IRecordInfo = {0x0000002F, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct IRecordInfo;

// 24 bytes on 64-bit targets: the type, three reserved words and a 16-byte union, as on the platform.
struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONGLONG llVal;
    LONG lVal;
    BYTE bVal;
    int16_t iVal;
    float fltVal;
    double dblVal;
    VARIANT_BOOL boolVal;
    SCODE scode;
    DATE date;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    SAFEARRAY* parray;
    BYTE* pbVal;
    int16_t* piVal;
    LONG* plVal;
    LONGLONG* pllVal;
    float* pfltVal;
    double* pdblVal;
    VARIANT_BOOL* pboolVal;
    SCODE* pscode;
    BSTR* pbstrVal;
    IUnknown** ppunkVal;
    IDispatch** ppdispVal;
    SAFEARRAY** pparray;
    VARIANT* pvarVal;
    void* byref;
    char cVal;
    USHORT uiVal;
    ULONG ulVal;
    ULONGLONG ullVal;
    int intVal;
    unsigned int uintVal;
    char* pcVal;
    USHORT* puiVal;
    ULONG* pulVal;
    ULONGLONG* pullVal;
    int* pintVal;
    unsigned int* puintVal;
    struct {
      void* pvRecord;
      IRecordInfo* pRecInfo;
    };
  };
};
using VARIANTARG = VARIANT;
static_assert(sizeof(void*) != 8 || sizeof(VARIANT) == 24, "VARIANT must keep the platform's 64-bit layout");

// Arguments of one Invoke, the last parameter first; named arguments stand at the front.
struct DISPPARAMS {
  VARIANTARG* rgvarg;
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

// What Invoke reports with DISP_E_EXCEPTION. The caller frees the strings (SysFreeString).
struct EXCEPINFO {
  WORD wCode;
  WORD wReserved;
  BSTR bstrSource;
  BSTR bstrDescription;
  BSTR bstrHelpFile;
  DWORD dwHelpContext;
  void* pvReserved;
  HRESULT (*pfnDeferredFillIn)(EXCEPINFO*);
  SCODE scode;
};

// Describes one record type so that records can travel in VARIANTs (VT_RECORD); the platform's vtable order.
struct IRecordInfo : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE RecordInit(void* record) = 0;
  virtual HRESULT STDMETHODCALLTYPE RecordClear(void* record) = 0;
  virtual HRESULT STDMETHODCALLTYPE RecordCopy(void* source, void* target) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetGuid(GUID* guid) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetName(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSize(ULONG* size) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(ITypeInfo** info) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetField(void* record, LPCOLESTR name, VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFieldNoCopy(void* record, LPCOLESTR name, VARIANT* value,
                                                   void** data) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutField(ULONG flags, void* record, LPCOLESTR name, VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutFieldNoCopy(ULONG flags, void* record, LPCOLESTR name,
                                                   VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFieldNames(ULONG* count, BSTR* names) = 0;
  virtual BOOL STDMETHODCALLTYPE IsMatchingType(IRecordInfo* other) = 0;
  virtual void* STDMETHODCALLTYPE RecordCreate() = 0;
  virtual HRESULT STDMETHODCALLTYPE RecordCreateCopy(void* source, void** target) = 0;
  virtual HRESULT STDMETHODCALLTYPE RecordDestroy(void* record) = 0;
};

// Sets the type to VT_EMPTY.
VRK_EXPORT void VariantInit(VARIANTARG* value);
// Frees what the variant owns (string, array, interface reference, record through its IRecordInfo's
// RecordDestroy) unless it is VT_BYREF, and leaves VT_EMPTY. DISP_E_BADVARTYPE for a type it does not know,
// leaving the variant as it was.
VRK_EXPORT HRESULT VariantClear(VARIANTARG* value);
// Clears `target`, then makes it an independent copy of `source` (strings, byte arrays and records copied,
// interfaces AddRef'ed). On failure `target` is VT_EMPTY.
VRK_EXPORT HRESULT VariantCopy(VARIANTARG* target, const VARIANTARG* source);
// Coerces `source` (by-reference values are read through) to `vt` into `target`, which may be `source` itself.
// Integers of every width, VT_BOOL, VT_R4/VT_R8 (rounded half to even), VT_BSTR (decimal text) and VT_EMPTY
// convert among each other; VT_UNKNOWN/VT_DISPATCH convert to each other through QueryInterface.
// DISP_E_OVERFLOW when a number does not fit, DISP_E_TYPEMISMATCH when the text is not a number or the types
// do not convert; on failure `target` is unchanged.
VRK_EXPORT HRESULT VariantChangeType(VARIANTARG* target, const VARIANTARG* source, USHORT flags, VARTYPE vt);

#endif  // !_WIN32
