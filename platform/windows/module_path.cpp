// The module's own file, from the system's loader.
#include "platform/module_path.h"

#include <windows.h>

#include <string>

#include "platform/utf.h"

namespace vrk {

std::string ModuleFileName(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCWSTR>(address), &module))
    return "";
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return "";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(path.data()), path.size()));
}

}  // namespace vrk
