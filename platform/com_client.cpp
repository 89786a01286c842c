// The client side of in-process activation: ProgID to CLSID to library, then the library's class object.
#include "platform/com_client.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/module_loader.h"
#include "platform/registry.h"

namespace {

// The text of value name (null: the default value) of the key at path below HKEY_CLASSES_ROOT; false when the
// key or value does not exist or cannot be read.
bool ReadText(const std::u16string& path, const OLECHAR* name, std::u16string* text) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  LONG result = RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size);
  std::u16string buffer(size / 2, u'\0');
  if (result == ERROR_SUCCESS && size != 0)
    result = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer.data()), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return false;
  buffer.resize(std::char_traits<char16_t>::length(buffer.c_str()));
  *text = std::move(buffer);
  return true;
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// Reads digits hexadecimal digits at text[pos]; false when one is not a digit.
bool ReadHex(const std::u16string& text, std::size_t pos, int digits, uint32_t* value) {
  *value = 0;
  for (int i = 0; i < digits; ++i) {
    const int digit = HexValue(text[pos + static_cast<std::size_t>(i)]);
    if (digit < 0) return false;
    *value = *value * 16 + static_cast<uint32_t>(digit);
  }
  return true;
}

// The path of a class's subkey below HKEY_CLASSES_ROOT: CLSID\{clsid}\subkey.
std::u16string ClassKey(REFCLSID clsid, const char16_t* subkey) {
  OLECHAR name[39];
  StringFromGUID2(clsid, name, 39);
  return u"CLSID\\" + std::u16string(name, 38) + u"\\" + subkey;
}

}  // namespace

int StringFromGUID2(REFGUID guid, OLECHAR* text, int max) {
  if (text == nullptr || max < 39) return 0;
  char narrow[40];
  std::snprintf(narrow, sizeof narrow, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1,
                guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
                guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  for (int i = 0; i < 39; ++i) text[i] = static_cast<OLECHAR>(narrow[i]);
  return 39;
}

HRESULT CLSIDFromString(const OLECHAR* text, CLSID* clsid) {
  if (text == nullptr || clsid == nullptr) return E_INVALIDARG;
  const std::u16string s(text);
  if (s.size() != 38 || s[0] != u'{' || s[37] != u'}' || s[9] != u'-' || s[14] != u'-' || s[19] != u'-' ||
      s[24] != u'-')
    return CO_E_CLASSSTRING;
  CLSID parsed{};
  uint32_t part = 0;
  if (!ReadHex(s, 1, 8, &parsed.Data1)) return CO_E_CLASSSTRING;
  if (!ReadHex(s, 10, 4, &part)) return CO_E_CLASSSTRING;
  parsed.Data2 = static_cast<uint16_t>(part);
  if (!ReadHex(s, 15, 4, &part)) return CO_E_CLASSSTRING;
  parsed.Data3 = static_cast<uint16_t>(part);
  static constexpr std::size_t kBytes[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) {
    if (!ReadHex(s, kBytes[i], 2, &part)) return CO_E_CLASSSTRING;
    parsed.Data4[i] = static_cast<uint8_t>(part);
  }
  *clsid = parsed;
  return S_OK;
}

HRESULT CLSIDFromProgID(const OLECHAR* progid, CLSID* clsid) {
  if (progid == nullptr || clsid == nullptr) return E_INVALIDARG;
  std::u16string text;
  if (!ReadText(std::u16string(progid) + u"\\CLSID", nullptr, &text)) return CO_E_CLASSSTRING;
  return CLSIDFromString(text.c_str(), clsid);
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, OLECHAR** progid) {
  if (progid == nullptr) return E_INVALIDARG;
  *progid = nullptr;
  std::u16string text;
  if (!ReadText(ClassKey(clsid, u"ProgID"), nullptr, &text) || text.empty())
    return REGDB_E_CLASSNOTREG;
  const std::size_t bytes = (text.size() + 1) * sizeof(OLECHAR);
  auto* copy = static_cast<OLECHAR*>(CoTaskMemAlloc(bytes));
  if (copy == nullptr) return E_OUTOFMEMORY;
  std::memcpy(copy, text.c_str(), bytes);
  *progid = copy;
  return S_OK;
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if ((context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
  std::u16string library;
  if (!ReadText(ClassKey(clsid, u"InprocServer32"), nullptr, &library) || library.empty())
    return REGDB_E_CLASSNOTREG;
  const HMODULE module = LoadLibraryW(library.c_str());
  if (module == nullptr) return CO_E_DLLNOTFOUND;
  using GetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);
  const auto get = reinterpret_cast<GetClassObject>(GetProcAddress(module, "DllGetClassObject"));
  if (get == nullptr) return CO_E_ERRORINDLL;
  return get(clsid, riid, object);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  IClassFactory* factory = nullptr;
  const HRESULT got = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(got)) return got;
  const HRESULT created = factory->CreateInstance(outer, riid, object);
  factory->Release();
  return created;
}
