// What a client uses to find and load an in-process server through the registry, under the platform's names:
// GUID texts, ProgID lookup, and creation of an object from its CLSID (InprocServer32 names the library).
// The library exports these functions, so that a client of the installed library creates the converter by ProgID.
#pragma once

#include <cstdlib>

#include "platform/com_types.h"

#if !defined(_WIN32)  // on Windows these are the system's own

using DWORD = uint32_t;  // as platform/registry.h has it, which clients of the library do not see

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;

constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
constexpr HRESULT CO_E_DLLNOTFOUND = static_cast<HRESULT>(0x800401F8u);
constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9u);

// Writes "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with its zero; returns the characters written including the
// zero, or 0 when max (in characters) is below 39.
VRK_EXPORT int StringFromGUID2(REFGUID guid, OLECHAR* text, int max);
// Reads that form (letters in either case); CO_E_CLASSSTRING when text is anything else.
VRK_EXPORT HRESULT CLSIDFromString(const OLECHAR* text, CLSID* clsid);
// The CLSID registered for a ProgID (HKEY_CLASSES_ROOT\<ProgID>\CLSID); CO_E_CLASSSTRING when the ProgID is not
// registered or its CLSID text is not valid.
VRK_EXPORT HRESULT CLSIDFromProgID(const OLECHAR* progid, CLSID* clsid);
// The ProgID registered for a class (HKEY_CLASSES_ROOT\CLSID\{clsid}\ProgID) in *progid, allocated with the
// task allocator; the caller frees it with CoTaskMemFree. REGDB_E_CLASSNOTREG when the class has no ProgID.
VRK_EXPORT HRESULT ProgIDFromCLSID(REFCLSID clsid, OLECHAR** progid);
// The task allocator of this platform is the C heap, shared by the library and its clients.
inline void* CoTaskMemAlloc(std::size_t size) { return std::malloc(size); }
inline void CoTaskMemFree(void* block) { std::free(block); }
// Loads the library that HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32 names and asks its DllGetClassObject
// for the class object. REGDB_E_CLASSNOTREG when the class or its server is not registered, CO_E_DLLNOTFOUND
// when the library does not load, CO_E_ERRORINDLL when it has no DllGetClassObject; otherwise that function's
// result. Only CLSCTX_INPROC_SERVER is served. A loaded library stays loaded for the life of the process.
VRK_EXPORT HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* server_info, REFIID riid, void** object);
// CoGetClassObject for IClassFactory, then CreateInstance(outer, riid, object).
VRK_EXPORT HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object);

#endif  // !_WIN32
