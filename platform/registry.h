// A stand-in for the system registry with the platform's names and calling shapes: keys under HKEY_CLASSES_ROOT
// holding a default value and named string values. The whole registry lives in one text file (see
// registry_file.h for where); every change reads the file, applies itself and writes the file back atomically
// under a lock, so each call is all-or-nothing and concurrent writers never lose or corrupt each other's keys.
// Key and value names are matched without regard to ASCII letter case and keep the spelling of their creation.
// Only string values (REG_SZ) exist.
#pragma once

#include <cstdint>

#include "platform/com_types.h"

#if !defined(_WIN32)  // on Windows these are the system's own

using DWORD = uint32_t;
using REGSAM = uint32_t;
using WCHAR = char16_t;
using LPCWSTR = const WCHAR*;
using LPWSTR = WCHAR*;
using LPDWORD = DWORD*;
using LPBYTE = BYTE*;

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
struct SECURITY_ATTRIBUTES;
struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

// The one predefined root this registry has.
#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u)))

// Results of the Reg* functions: the platform's system error codes.
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_BAD_PATHNAME = 161;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr LONG ERROR_BADDB = 1009;        // the registry file is damaged
constexpr LONG ERROR_CANTREAD = 1012;     // the registry file exists but cannot be read
constexpr LONG ERROR_CANTWRITE = 1013;    // the registry file (or its lock) cannot be written
constexpr LONG ERROR_KEY_DELETED = 1018;  // the key of the handle was deleted since it was opened

constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// HRESULT of a system error code, as the platform forms it.
constexpr HRESULT HRESULT_FROM_WIN32(LONG code) {
  return code <= 0 ? code : static_cast<HRESULT>((static_cast<uint32_t>(code) & 0xFFFFu) | 0x80070000u);
}

// Opens subkey (a backslash-separated path below key; empty or null opens key itself again) and creates every
// missing key on the way. *result receives a handle to close with RegCloseKey; *disposition (may be null) says
// whether the key was created. Options, access, class and security are accepted and ignored.
LONG RegCreateKeyExW(HKEY key, LPCWSTR subkey, DWORD reserved, LPWSTR key_class, DWORD options, REGSAM access,
                     SECURITY_ATTRIBUTES* security, PHKEY result, LPDWORD disposition);
// Opens an existing key; ERROR_FILE_NOT_FOUND when it does not exist (*result is then null).
LONG RegOpenKeyExW(HKEY key, LPCWSTR subkey, DWORD options, REGSAM access, PHKEY result);
// Closes a handle from RegCreateKeyExW or RegOpenKeyExW; the predefined root needs no closing.
LONG RegCloseKey(HKEY key);
// Sets the value name (null or empty: the default value) to data, cb_data bytes of UTF-16 text; the text ends at
// its first zero character or at the end of the data. Only REG_SZ is accepted.
LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD cb_data);
// Reads the value name (null or empty: the default value). *type and data may be null; *cb_data is the size of
// data on entry and receives the size of the text with its terminating zero. A buffer too small gives
// ERROR_MORE_DATA with the needed size; a missing value ERROR_FILE_NOT_FOUND.
LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD cb_data);
// Removes the value name; ERROR_FILE_NOT_FOUND when it does not exist.
LONG RegDeleteValueW(HKEY key, LPCWSTR name);
// Removes subkey, which must have no subkeys of its own (ERROR_ACCESS_DENIED otherwise).
LONG RegDeleteKeyW(HKEY key, LPCWSTR subkey);
// Removes subkey with everything below it; with a null subkey, removes the values and subkeys of key itself.
LONG RegDeleteTreeW(HKEY key, LPCWSTR subkey);
// Counts of subkeys and values of key, and the lengths of the longest names; every out pointer may be null.
// Class, security and time outputs are answered with empty values.
LONG RegQueryInfoKeyW(HKEY key, LPWSTR key_class, LPDWORD class_length, LPDWORD reserved, LPDWORD subkeys,
                      LPDWORD max_subkey_length, LPDWORD max_class_length, LPDWORD values,
                      LPDWORD max_value_name_length, LPDWORD max_value_length, LPDWORD security_length,
                      FILETIME* last_write);
// The name of the index-th subkey in name order; ERROR_NO_MORE_ITEMS past the last. *name_length is the buffer's
// size in characters on entry and receives the name's length without its zero.
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD name_length, LPDWORD reserved, LPWSTR key_class,
                   LPDWORD class_length, FILETIME* last_write);

#endif  // !_WIN32
