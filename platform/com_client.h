// What a client uses to find and load an in-process server through the registry, under the platform's names:
// GUID texts, ProgID lookup, and creation of an object from its CLSID (InprocServer32 names the library).
#pragma once

#include "platform/com_types.h"
#include "platform/registry.h"

#if !defined(_WIN32)  // on Windows these are the system's own

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;

constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
constexpr HRESULT CO_E_DLLNOTFOUND = static_cast<HRESULT>(0x800401F8u);
constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9u);

// Writes "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with its zero; returns the characters written including the
// zero, or 0 when max (in characters) is below 39.
int StringFromGUID2(REFGUID guid, OLECHAR* text, int max);
// Reads that form (letters in either case); CO_E_CLASSSTRING when text is anything else.
HRESULT CLSIDFromString(const OLECHAR* text, CLSID* clsid);
// The CLSID registered for a ProgID (HKEY_CLASSES_ROOT\<ProgID>\CLSID); CO_E_CLASSSTRING when the ProgID is not
// registered or its CLSID text is not valid.
HRESULT CLSIDFromProgID(const OLECHAR* progid, CLSID* clsid);
// Loads the library that HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32 names and asks its DllGetClassObject
// for the class object. REGDB_E_CLASSNOTREG when the class or its server is not registered, CO_E_DLLNOTFOUND
// when the library does not load, CO_E_ERRORINDLL when it has no DllGetClassObject; otherwise that function's
// result. Only CLSCTX_INPROC_SERVER is served. A loaded library stays loaded for the life of the process.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* server_info, REFIID riid, void** object);
// CoGetClassObject for IClassFactory, then CreateInstance(outer, riid, object).
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object);

#endif  // !_WIN32
