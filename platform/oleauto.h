// The platform functions that the component exports for its clients under their Windows names and signatures:
// BSTR strings, SAFEARRAYs, per-thread error information, and the thread's UI language and locale.
#pragma once

#include "platform/com_types.h"

#if !defined(_WIN32)  // on Windows these are the system's, from oleaut32 and kernel32

// BSTR: UTF-16 characters preceded by a 32-bit byte length and followed by a 16-bit zero.
// SysAllocString(nullptr) returns nullptr; SysAllocStringLen(nullptr, n) returns n zeroed characters;
// a null BSTR has length 0.
VRK_EXPORT BSTR SysAllocString(const OLECHAR* text);
VRK_EXPORT BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
VRK_EXPORT void SysFreeString(BSTR text);
VRK_EXPORT UINT SysStringLen(BSTR text);
VRK_EXPORT UINT SysStringByteLen(BSTR text);

VRK_EXPORT SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds);
VRK_EXPORT SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lower_bound, ULONG elements);
VRK_EXPORT HRESULT SafeArrayDestroy(SAFEARRAY* array);
VRK_EXPORT UINT SafeArrayGetDim(SAFEARRAY* array);
VRK_EXPORT HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* upper_bound);
VRK_EXPORT HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* lower_bound);
VRK_EXPORT UINT SafeArrayGetElemsize(SAFEARRAY* array);
VRK_EXPORT HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
VRK_EXPORT HRESULT SafeArrayUnaccessData(SAFEARRAY* array);

// Error information is kept per thread. SetErrorInfo takes a reference; GetErrorInfo hands the thread's object
// over to the caller (S_FALSE and null when there is none) and clears it, as on the platform.
VRK_EXPORT HRESULT CreateErrorInfo(ICreateErrorInfo** info);
VRK_EXPORT HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info);
VRK_EXPORT HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info);

// The thread's UI language picks the message language: 1049 Russian, anything else English. A thread that never
// set one takes it from LC_ALL, LC_MESSAGES, LANG ("ru..." means 1049, anything else 1033).
VRK_EXPORT LANGID SetThreadUILanguage(LANGID language);
VRK_EXPORT LANGID GetThreadUILanguage();
VRK_EXPORT BOOL SetThreadLocale(LCID locale);
VRK_EXPORT LCID GetThreadLocale();

#endif  // !_WIN32
