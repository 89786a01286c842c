// LoadLibraryW and friends over the dynamic loader.
#include "platform/module_loader.h"

#include <dlfcn.h>

#include "platform/utf.h"

namespace {

thread_local std::string last_error;

}  // namespace

HMODULE LoadLibraryW(LPCWSTR path) {
  if (path == nullptr) return nullptr;
  void* module = dlopen(vrk::Utf16ToUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* why = dlerror();
    last_error = why != nullptr ? why : "the library cannot be loaded";
  }
  return static_cast<HMODULE>(module);
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  return reinterpret_cast<FARPROC>(dlsym(module, name));
}

BOOL FreeLibrary(HMODULE module) { return module != nullptr && dlclose(module) == 0; }

namespace vrk {

std::string LastLoaderError() { return last_error; }

}  // namespace vrk
